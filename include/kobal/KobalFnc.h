/* KobalFnc: tells what a Japanese telephone number is, as the numbering stood in 2000. */
#ifndef KOBAL_KOBALFNC_H
#define KOBAL_KOBALFNC_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(KOBAL_BUILDING_LIBRARY)
#define KOBAL_API __declspec(dllexport)
#else
#define KOBAL_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define KOBAL_API __attribute__((visibility("default")))
#else
#define KOBAL_API
#endif

/* The calling convention: stdcall on 32-bit Windows, as Excel's Declare and most callers of a
   Windows DLL expect; each other platform has one convention. */
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define KOBAL_CALL __stdcall
#else
#define KOBAL_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The room a result needs: the longest answer is 45 bytes, plus its NUL. */
#define KOBAL_RESULT_SIZE 46

/*
 * Classifies the NUL-terminated number `text` (ASCII digits, no separators) and
 * writes one NUL-terminated Shift-JIS answer into `result`, which must hold at
 * least KOBAL_RESULT_SIZE bytes. Bytes after the written NUL are left as they were.
 * Always returns 1. Keeps no state: safe on several threads with separate buffers.
 *
 *   char answer[KOBAL_RESULT_SIZE];
 *   DetectCarrier("0112012345", answer);  // "NTT固定（北海道札幌大通）" in Shift-JIS
 *   DetectCarrier("117", answer);         // "時報"
 */
KOBAL_API int32_t KOBAL_CALL DetectCarrier(const char* text, char* result);

#ifdef __cplusplus
}
#endif

#endif /* KOBAL_KOBALFNC_H */
