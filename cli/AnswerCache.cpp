// An open-addressing table from Shift-JIS answers to ready output fields; each distinct answer
// is converted once, so the cost per line is a hash and a compare.
#include "AnswerCache.h"

#include <cstring>

#include "Cp932.h"
#include "FieldEscape.h"

namespace kobal::cli {
namespace {

std::uint64_t Load64(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Answers share their beginnings ("NTT固定（" ...), so the last 16 bytes and the length tell
// them apart well; equal hashes are settled by comparing the bytes.
std::uint32_t Hash(std::string_view bytes) {
  std::uint64_t hash = bytes.size();
  if (bytes.size() >= 16) {
    const char* const tail = bytes.data() + bytes.size() - 16;
    hash = (hash ^ Load64(tail)) * 0x9E3779B97F4A7C15u;
    hash = (hash ^ Load64(tail + 8)) * 0x9E3779B97F4A7C15u;
  } else {
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

}  // namespace

AnswerCache::AnswerCache(OutputFormat format, OutputEncoding encoding)
    : format_(format), encoding_(encoding), slots_(256) {}

std::string_view AnswerCache::AnswerOf(const Slot& slot) const {
  return std::string_view(arena_).substr(slot.answerOffset, slot.answerLength);
}

std::string_view AnswerCache::Field(std::string_view answer) {
  const std::uint32_t hash = Hash(answer);
  const std::size_t mask = slots_.size() - 1;
  std::size_t index = hash & mask;
  while (slots_[index].used) {
    const Slot& slot = slots_[index];
    if (slot.hash == hash && AnswerOf(slot) == answer) {
      return std::string_view(arena_).substr(slot.fieldOffset, slot.fieldLength);
    }
    index = (index + 1) & mask;
  }
  slots_[index] = Make(answer, hash);
  const Slot made = slots_[index];
  if (++usedSlots_ * 2 > slots_.size()) Grow();
  return std::string_view(arena_).substr(made.fieldOffset, made.fieldLength);
}

AnswerCache::Slot AnswerCache::Make(std::string_view answer, std::uint32_t hash) {
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

  Slot slot;
  slot.hash = hash;
  slot.used = true;
  slot.answerOffset = static_cast<std::uint32_t>(arena_.size());
  slot.answerLength = static_cast<std::uint32_t>(answer.size());
  arena_.append(answer);
  slot.fieldOffset = static_cast<std::uint32_t>(arena_.size());
  slot.fieldLength = static_cast<std::uint32_t>(field.size());
  arena_.append(field);
  return slot;
}

void AnswerCache::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.used) continue;
    std::size_t index = slot.hash & mask;
    while (slots_[index].used) index = (index + 1) & mask;
    slots_[index] = slot;
  }
}

}  // namespace kobal::cli
