// A records file's text: detected for the whole file, as a record may span lines.
#include "lookup/records/TextForm.h"

namespace kobal::lookup {

TextForm DetectTextForm(std::optional<TextEncoding> chosen, std::string_view start,
                        std::size_t& skip) {
  const TextStart detected = DetectEncoding(chosen, start, Detection::kByFile);
  skip = detected.byteOrderMark;
  return {*detected.encoding, skip > 0};
}

}  // namespace kobal::lookup
