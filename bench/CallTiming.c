/* kobal-call-timing FILE [ROUNDS]: the CPU time of one DetectCarrier call through the shared
   library (libKobalFnc.so, or KobalFnc.dll under Windows or Wine) over the numbers of FILE, one a
   line: the best of ROUNDS passes, in nanoseconds a call. Plain C, so that both platforms run the
   same code. */
#include <kobal/KobalFnc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

/* The process's CPU time in seconds: other programs on a shared machine do not count. */
static double CpuSeconds(void) {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const unsigned long long ticks =
      ((unsigned long long)user.dwHighDateTime << 32 | user.dwLowDateTime) +
      ((unsigned long long)kernel.dwHighDateTime << 32 | kernel.dwLowDateTime);
  return (double)ticks * 1e-7;
#else
  struct timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
#endif
}

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: kobal-call-timing FILE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc == 3 ? atoi(argv[2]) : 10;
  FILE* file = fopen(argv[1], "rb");
  if (file == NULL) {
    perror(argv[1]);
    return 1;
  }
  /* Every number NUL-terminated in one block, and where each starts. */
  fseek(file, 0, SEEK_END);
  const long size = ftell(file);
  rewind(file);
  char* text = malloc((size_t)size + 1);
  const char** numbers = malloc(((size_t)size + 1) * sizeof *numbers);
  if (text == NULL || numbers == NULL || fread(text, 1, (size_t)size, file) != (size_t)size) {
    fprintf(stderr, "kobal-call-timing: cannot read %s\n", argv[1]);
    return 1;
  }
  fclose(file);
  text[size] = '\0';
  size_t count = 0;
  for (char* line = text; *line != '\0';) {
    char* end = strchr(line, '\n');
    numbers[count++] = line;
    if (end == NULL) break;
    *end = '\0';
    if (end > line && end[-1] == '\r') end[-1] = '\0';
    line = end + 1;
  }

  /* Each round passes over the numbers often enough that the clock's steps (10 ms under Wine)
     are a small part of it. */
  const int passes = 20;
  double best = 1e30;
  unsigned checksum = 0; /* keeps the calls from being left out */
  for (int round = 0; round < rounds; ++round) {
    const double start = CpuSeconds();
    for (int pass = 0; pass < passes; ++pass) {
      for (size_t i = 0; i < count; ++i) {
        char result[KOBAL_RESULT_SIZE];
        DetectCarrier(numbers[i], result);
        checksum += (unsigned char)result[0];
      }
    }
    const double seconds = CpuSeconds() - start;
    if (seconds < best) best = seconds;
  }
  printf("%.2f ns a call over %zu numbers, %d passes a round, best of %d rounds (checksum %u)\n",
         best * 1e9 / ((double)count * passes), count, passes, rounds, checksum);
  free(numbers);
  free(text);
  return 0;
}
