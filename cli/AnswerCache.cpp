// An open-addressing table from Shift-JIS answers to ready output fields; each distinct answer
// is converted once, so the cost per line is a hash and a compare.
#include "AnswerCache.h"

#include "Cp932.h"
#include "FieldEscape.h"

namespace kobal::cli {

AnswerCache::AnswerCache(OutputFormat format, OutputEncoding encoding, std::string_view before,
                         std::string_view after)
    : format_(format),
      encoding_(encoding),
      before_(before),
      after_(after),
      slots_(256),
      mask_(slots_.size() - 1),
      arena_(1) {}

std::string_view AnswerCache::Field(std::string_view answer) {
  AnswerBuffer padded{};
  answer.copy(padded.data(), padded.size() - 1);
  return Field(padded);
}

std::string_view AnswerCache::Add(const AnswerBuffer& answer, std::uint32_t hash) {
  std::size_t index = hash & mask_;
  while (slots_[index].Used()) index = (index + 1) & mask_;
  slots_[index] = Make(answer, hash);
  const Slot made = slots_[index];
  if (++usedSlots_ * 2 > slots_.size()) Grow();
  return TailOf(made);
}

AnswerCache::Slot AnswerCache::Make(const AnswerBuffer& buffer, std::uint32_t hash) {
  const std::string_view answer(buffer.data());
  std::string text;
  if (encoding_ == OutputEncoding::kUtf8) {
    AppendCp932AsUtf8(answer, true, text);
  } else {
    text.assign(answer);
  }
  std::string field(MaxEscapedSize(text.size()), '\0');
  char* const start = field.data();
  char* end = start;
  switch (format_) {
    case OutputFormat::kTsv:
      // Shift-JIS trail bytes may be "\", so only UTF-8 text goes through the escaper.
      end = encoding_ == OutputEncoding::kUtf8 ? WriteTsvField(text, FieldBytes::kKept, start)
                                               : text.copy(start, text.size()) + start;
      break;
    case OutputFormat::kCsv:
      end = WriteCsvField(
          text, encoding_ == OutputEncoding::kUtf8 ? FieldBytes::kUtf8 : FieldBytes::kKept, start);
      break;
    case OutputFormat::kJsonLines:
      end = WriteJsonString(text, start);
      break;
  }
  field.resize(static_cast<std::size_t>(end - start));

  const std::string tail = before_ + field + after_;
  const auto length = static_cast<std::uint32_t>(tail.size());
  Slot slot;
  slot.hash = hash;
  slot.line = static_cast<std::uint32_t>(arena_.size());
  ArenaLine& entry = arena_.emplace_back();
  std::memcpy(entry.bytes, buffer.data(), buffer.size());
  std::memcpy(entry.bytes + kAnswerRoom, &length, sizeof length);
  const std::size_t first = arena_.size();
  arena_.resize(first + (tail.size() + kLine - 1) / kLine + (tail.empty() ? 1 : 0));
  tail.copy(reinterpret_cast<char*>(arena_.data() + first), tail.size());
  return slot;
}

void AnswerCache::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.Used()) continue;
    std::size_t index = slot.hash & mask_;
    while (slots_[index].Used()) index = (index + 1) & mask_;
    slots_[index] = slot;
  }
}

}  // namespace kobal::cli
