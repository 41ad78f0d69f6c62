// An open-addressing table from Shift-JIS answers to their entries; each distinct answer is made
// into its tail once, so the cost per line is a hash and a compare.
#include "lookup/lines/AnswerCache.h"

#include <utility>

namespace kobal::lookup {

AnswerCache::AnswerCache(TailMaker makeTail)
    : makeTail_(std::move(makeTail)), slots_(256), mask_(slots_.size() - 1), arena_(1) {}

std::uint32_t AnswerCache::Add(const AnswerBuffer& answer, std::uint32_t hash) {
  const std::string tail = makeTail_ ? makeTail_(answer.data()) : std::string();
  const auto length = static_cast<std::uint32_t>(tail.size());
  const auto number = static_cast<std::uint32_t>(entries_.size());
  const auto line = static_cast<std::uint32_t>(arena_.size());
  ArenaLine& entry = arena_.emplace_back();
  std::memcpy(entry.bytes, answer.data(), answer.size());
  std::memcpy(entry.bytes + kLengthAt, &length, sizeof length);
  std::memcpy(entry.bytes + kNumberAt, &number, sizeof number);
  // A cache that only numbers its answers keeps a line for each: half the lines to miss.
  if (makeTail_) {
    const std::size_t first = arena_.size();
    arena_.resize(first + (PaddedBuffer::Padded(tail.size()) + kLine - 1) / kLine);
    std::memcpy(arena_.data() + first, tail.data(), tail.size());
  }
  entries_.push_back(line);

  std::size_t index = hash & mask_;
  while (slots_[index].Used()) index = (index + 1) & mask_;
  slots_[index] = {hash, line};
  if (++usedSlots_ * 2 > slots_.size()) Grow();
  return line;
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

}  // namespace kobal::lookup
