// The room DetectCarrier's answer needs, for the loader to take from the library's header
// rather than restate.
#include <cstdint>

#include "kobal/KobalFnc.h"

extern "C" __attribute__((visibility("default"))) uint32_t KobalResultSize() {
  return KOBAL_RESULT_SIZE;
}
