/* KobalFnc.dll as a program that loads it at run time finds it: DetectCarrier by name and at
   ordinal 1, called through a pointer of the header's calling convention a million times. On
   32-bit Windows a convention that differs from the DLL's moves the stack pointer on every call. */
#include <kobal/KobalFnc.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

typedef int32_t(KOBAL_CALL* DetectCarrierFunction)(const char*, char*);

/* GetProcAddress's generic pointer as the function it names. */
static DetectCarrierFunction AsDetectCarrier(FARPROC procedure) {
  DetectCarrierFunction function;
  memcpy(&function, &procedure, sizeof function);
  return function;
}

/* Calls `detect` and tells whether the stack pointer is where it was before the call. */
static int CallKeepsStack(DetectCarrierFunction detect, const char* text, char* result) {
#if defined(__i386__)
  void* before;
  void* after;
  __asm__ volatile("movl %%esp, %0" : "=r"(before));
  detect(text, result);
  __asm__ volatile("movl %%esp, %0" : "=r"(after));
  return before == after;
#else
  detect(text, result);
  return 1;
#endif
}

int main(void) {
  static const char* const numbers[] = {"117", "0112012345", "09012012345", "0120123456", "", "x"};
  static const char* const answers[] = {"\x8E\x9E\x95\xF1", /* 時報 */
                                        "NTT\x8C\xC5\x92\xE8\x81\x69\x96\x6B\x8A\x43\x93\xB9"
                                        "\x8E\x44\x96\x79\x91\xE5\x92\xCA\x81\x6A",
                                        "\x83\x63\x81\x5B\x83\x4A\x81\x5B\x83\x5A\x83\x8B\x83\x89"
                                        "\x81\x5B\x93\x8C\x8B\x9E", /* ツーカーセルラー東京 */
                                        "\x83\x74\x83\x8A\x81\x5B\x83\x5F\x83\x43\x83\x84\x83\x8B",
                                        "\x95\x73\x96\xBE",
                                        "\x95\x73\x96\xBE"};
  const size_t count = sizeof numbers / sizeof numbers[0];
  HMODULE library = LoadLibraryW(L"KobalFnc.dll");
  if (library == NULL) {
    fprintf(stderr, "LoadLibrary(KobalFnc.dll) failed: error %lu\n", GetLastError());
    return 1;
  }
  DetectCarrierFunction byName = AsDetectCarrier(GetProcAddress(library, "DetectCarrier"));
  DetectCarrierFunction byOrdinal = AsDetectCarrier(GetProcAddress(library, MAKEINTRESOURCEA(1)));
  if (byName == NULL || byName != byOrdinal) {
    fprintf(stderr, "DetectCarrier is not export 1 by name\n");
    return 1;
  }
  long failures = 0;
  for (long call = 0; call < 1000000; ++call) {
    const size_t which = (size_t)call % count;
    char result[KOBAL_RESULT_SIZE];
    if (!CallKeepsStack(byName, numbers[which], result)) {
      fprintf(stderr, "call %ld moved the stack pointer: calling conventions differ\n", call);
      return 1;
    }
    if (strcmp(result, answers[which]) != 0 && failures++ < 5) {
      fprintf(stderr, "DetectCarrier(\"%s\") gave an unexpected answer\n", numbers[which]);
    }
  }
  printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures == 0 ? 0 : 1);
  return failures == 0 ? 0 : 1;
}
