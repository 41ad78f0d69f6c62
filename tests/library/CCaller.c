/* A plain C caller of the shared library: the public header and DetectCarrier, nothing else. */
#include <kobal/KobalFnc.h>
#include <stdio.h>
#include <string.h>

static int failures = 0;

static void expect(const char* text, const char* expected) {
  char result[KOBAL_RESULT_SIZE + 6];
  memset(result, 'x', sizeof result);
  if (DetectCarrier(text, result) != 1 || strcmp(result, expected) != 0 ||
      result[strlen(expected) + 1] != 'x') {
    fprintf(stderr, "DetectCarrier(\"%s\") gave an unexpected answer\n", text);
    ++failures;
  }
}

int main(void) {
  expect("117", "\x8E\x9E\x95\xF1"); /* 時報 */
  expect("", "\x95\x73\x96\xBE");    /* 不明 */
  expect("0120123456",
         "\x83\x74\x83\x8A\x81\x5B\x83\x5F\x83\x43\x83\x84\x83\x8B"); /* フリーダイヤル */
  expect("09035012345", "IDO");
  expect("0112011234",
         "NTT\x8C\xC5\x92\xE8\x81\x69\x96\x6B\x8A\x43\x93\xB9"
         "\x8E\x44\x96\x79\x91\xE5\x92\xCA\x81\x6A"); /* NTT固定（北海道札幌大通） */
  printf("%d passed, %d failed\n", 5 - failures, failures);
  return failures == 0 ? 0 : 1;
}
