// kobal-native-answers: the native library's answers, one line each, for the web edition's
// tests to hold the WebAssembly module against.
//   detect:    each input line's DetectCarrier answer (through libKobalFnc.so), in hex
//   normalise: each input line's digits from the normaliser, or "-" for no number
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "kobal/KobalFnc.h"
#include "normaliser/NumberNormaliser.h"

int main(int argc, char** argv) {
  const std::string_view mode = argc == 2 ? argv[1] : "";
  if (mode != "detect" && mode != "normalise") {
    std::fprintf(stderr, "usage: %s detect|normalise < lines\n", argv[0]);
    return 2;
  }
  std::string line, digits;
  while (std::getline(std::cin, line)) {
    if (mode == "normalise") {
      std::cout << (kobal::NormaliseNumber(line, digits) ? digits : "-") << '\n';
      continue;
    }
    char answer[KOBAL_RESULT_SIZE];
    DetectCarrier(line.c_str(), answer);
    static const char kHex[] = "0123456789abcdef";
    for (const char* p = answer; *p != '\0'; ++p) {
      const auto byte = static_cast<unsigned char>(*p);
      std::cout << kHex[byte >> 4] << kHex[byte & 15];
    }
    std::cout << '\n';
  }
  return std::cout.flush() ? 0 : 1;
}
