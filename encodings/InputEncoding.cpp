// Byte order marks: EF BB BF for UTF-8, FF FE and FE FF for UTF-16.
#include "encodings/InputEncoding.h"

namespace kobal {

StreamStart ReadStreamStart(InputEncoding chosen, std::string_view start) {
  if (chosen == InputEncoding::kShiftJis) return {StreamEncoding::kShiftJis, 0};
  if (chosen != InputEncoding::kUtf16 && start.starts_with("\xEF\xBB\xBF")) {
    return {StreamEncoding::kUtf8, 3};
  }
  if (chosen != InputEncoding::kUtf8) {
    if (start.starts_with("\xFF\xFE")) return {StreamEncoding::kUtf16LittleEndian, 2};
    if (start.starts_with("\xFE\xFF")) return {StreamEncoding::kUtf16BigEndian, 2};
  }
  switch (chosen) {
    case InputEncoding::kUtf16:
      return {StreamEncoding::kUtf16LittleEndian, 0};
    case InputEncoding::kUtf8:
      return {StreamEncoding::kUtf8, 0};
    default:
      return {StreamEncoding::kEachLine, 0};
  }
}

}  // namespace kobal
