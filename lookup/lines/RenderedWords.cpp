// An open-addressing table from a word's address and length to its field, kept at most half
// full.
#include "lookup/lines/RenderedWords.h"

#include <cstring>
#include <utility>

#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

RenderedWords::RenderedWords(Render render)
    : render_(std::move(render)), slots_(1024), mask_(slots_.size() - 1) {
  empty_ = Made("");
}

std::string_view RenderedWords::Made(std::string_view word) {
  const std::string field = render_(word);
  auto& bytes = made_.emplace_back(new char[PaddedBuffer::Padded(field.size())]);
  std::memcpy(bytes.get(), field.data(), field.size());
  return {bytes.get(), field.size()};
}

std::string_view RenderedWords::Add(std::string_view word) {
  if ((used_ + 1) * 2 > slots_.size()) {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.word == nullptr) continue;
      std::size_t index = Hash(slot.word) & mask_;
      while (slots_[index].word != nullptr) index = (index + 1) & mask_;
      slots_[index] = slot;
    }
  }
  std::size_t index = Hash(word.data()) & mask_;
  while (slots_[index].word != nullptr) index = (index + 1) & mask_;
  slots_[index] = {word.data(), word.size(), Made(word)};
  ++used_;
  return slots_[index].field;
}

}  // namespace kobal::lookup
