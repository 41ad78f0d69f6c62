// An open-addressing table from Shift-JIS answers to ready output fields; each distinct answer
// is converted once, so the cost per line is a hash and a compare.
#include "AnswerCache.h"

#include <bit>
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

// Answers share their beginnings ("NTT固定（" ...) and differ further on; every word of the
// buffer goes into the hash, mixed in three independent pairs so that the multiplications
// overlap. Equal hashes are settled by comparing the buffers.
std::uint32_t Hash(const AnswerCache::AnswerBuffer& answer) {
  static_assert(AnswerCache::kAnswerRoom == 48);
  constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15u;
  const char* const bytes = answer.data();
  const std::uint64_t a = (Load64(bytes) ^ Load64(bytes + 8)) * kMix;
  const std::uint64_t b = (Load64(bytes + 16) ^ Load64(bytes + 24)) * kMix;
  const std::uint64_t c = (Load64(bytes + 32) ^ Load64(bytes + 40)) * kMix;
  const std::uint64_t hash = (a ^ std::rotl(b, 21) ^ std::rotl(c, 42)) * kMix;
  return static_cast<std::uint32_t>(hash >> 32);
}

}  // namespace

AnswerCache::AnswerCache(OutputFormat format, OutputEncoding encoding)
    : format_(format), encoding_(encoding), slots_(256) {}

bool AnswerCache::Holds(const Slot& slot, const AnswerBuffer& answer) const {
  const char* const stored = arena_.data() + slot.answerOffset;
  std::uint64_t difference = 0;
  for (std::size_t i = 0; i < answer.size(); i += 8) {
    difference |= Load64(stored + i) ^ Load64(answer.data() + i);
  }
  return difference == 0;
}

std::string_view AnswerCache::Field(std::string_view answer) {
  AnswerBuffer padded{};
  answer.copy(padded.data(), padded.size() - 1);
  return Field(padded);
}

std::string_view AnswerCache::Field(const AnswerBuffer& answer) {
  const std::uint32_t hash = Hash(answer);
  const std::size_t mask = slots_.size() - 1;
  std::size_t index = hash & mask;
  while (slots_[index].used) {
    const Slot& slot = slots_[index];
    if (slot.hash == hash && Holds(slot, answer)) {
      return std::string_view(arena_).substr(slot.fieldOffset, slot.fieldLength);
    }
    index = (index + 1) & mask;
  }
  slots_[index] = Make(answer, hash);
  const Slot made = slots_[index];
  if (++usedSlots_ * 2 > slots_.size()) Grow();
  return std::string_view(arena_).substr(made.fieldOffset, made.fieldLength);
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

  Slot slot;
  slot.hash = hash;
  slot.used = true;
  slot.answerOffset = static_cast<std::uint32_t>(arena_.size());
  arena_.append(buffer.data(), buffer.size());
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
