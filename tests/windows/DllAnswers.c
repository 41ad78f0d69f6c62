/* kobal-dll-answers INPUT OUTPUT: each line of INPUT (bytes up to LF) through KobalFnc.dll's
   DetectCarrier, its answer written to OUTPUT in hex, one line each, as the Linux library's
   kobal-native-answers writes them. */
#include <kobal/KobalFnc.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: kobal-dll-answers INPUT OUTPUT\n");
    return 2;
  }
  FILE* input = fopen(argv[1], "rb");
  FILE* output = fopen(argv[2], "wb");
  if (input == NULL || output == NULL) {
    fprintf(stderr, "kobal-dll-answers: cannot open %s\n", input == NULL ? argv[1] : argv[2]);
    return 1;
  }
  static const char hex[] = "0123456789abcdef";
  char line[4096];
  while (fgets(line, sizeof line, input) != NULL) {
    line[strcspn(line, "\n")] = '\0';
    /* A guard after the buffer: the answer and its NUL must stay inside the 46 bytes. */
    char result[KOBAL_RESULT_SIZE + 8];
    memset(result, 0x5a, sizeof result);
    DetectCarrier(line, result);
    for (size_t i = KOBAL_RESULT_SIZE; i < sizeof result; ++i) {
      if (result[i] != 0x5a) {
        fprintf(stderr, "DetectCarrier(\"%s\") wrote past %d bytes\n", line, KOBAL_RESULT_SIZE);
        return 1;
      }
    }
    for (const char* p = result; *p != '\0'; ++p) {
      const unsigned char byte = (unsigned char)*p;
      fputc(hex[byte >> 4], output);
      fputc(hex[byte & 15], output);
    }
    fputc('\n', output);
  }
  return fclose(output) == 0 && !ferror(input) ? 0 : 1;
}
