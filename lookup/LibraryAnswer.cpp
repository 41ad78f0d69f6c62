// The one rule for what a line asks the library, shared by kobal-lookup and the web's batch.
#include "lookup/LibraryAnswer.h"

#include "normaliser/NumberNormaliser.h"

namespace kobal::lookup {
namespace {

// Numbers are short: a plain loop costs less than a call to memchr.
bool HoldsNul(std::string_view line) {
  bool nul = false;
  for (const char c : line) nul |= c == '\0';
  return nul;
}

}  // namespace

std::optional<std::string_view> NumberToAsk(std::string_view line, std::string_view asRead,
                                            bool raw, std::string& digits) {
  if (line.size() >= kLongLine || asRead.size() >= kLongLine) return std::nullopt;
  if (raw) return HoldsNul(asRead) ? std::nullopt : std::optional(asRead);
  if (!NormaliseNumber(line, digits)) return std::nullopt;
  return digits;
}

void AskAsItStands(std::string_view number, AnswerBuffer& answer) {
  AskLibrary(HoldsNul(number) ? "" : number.data(), answer);
}

}  // namespace kobal::lookup
