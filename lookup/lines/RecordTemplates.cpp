// The table grows at half full, so that probes stay short; records are never removed, as the
// answers, lengths and shapes a run meets are few.
#include "lookup/lines/RecordTemplates.h"

#include <cstring>

#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

const RecordTemplates::Head& RecordTemplates::Add(const Head& head, std::string_view bytes,
                                                  std::uint32_t hash) {
  const auto at = static_cast<std::uint32_t>(heads_.size());
  heads_.push_back(head);
  const std::size_t lines = (PaddedBuffer::Padded(bytes.size()) + sizeof(Head) - 1) / sizeof(Head);
  heads_.resize(heads_.size() + lines);
  std::memcpy(static_cast<void*>(heads_.data() + at + 1), bytes.data(), bytes.size());

  std::size_t index = hash & mask_;
  while (slots_[index].head != 0) index = (index + 1) & mask_;
  slots_[index] = {hash, at};
  if (++used_ * 2 > slots_.size()) Grow();
  return heads_[at];
}

const RecordTemplates::Head* RecordTemplates::Probe(const AnswerBuffer& answer,
                                                    const Hint& hint) const {
  for (std::size_t index = hint.hash & mask_; slots_[index].head != 0;
       index = (index + 1) & mask_) {
    const Slot& slot = slots_[index];
    if (slot.hash != hint.hash) continue;
    const Head& head = heads_[slot.head];
    if (head.key == hint.key && AnswerCache::Same(head.answer.data(), answer)) return &head;
  }
  return nullptr;
}

void RecordTemplates::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.head == 0) continue;
    std::size_t index = slot.hash & mask_;
    while (slots_[index].head != 0) index = (index + 1) & mask_;
    slots_[index] = slot;
  }
}

}  // namespace kobal::lookup
