// The words of the fields (kinds, prefectures, places, charge areas, carriers) as an output
// format writes them, each made once: they are views into constant data, so a word is found by
// where it lies, with no look at its bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kobal::lookup {

class RenderedWords {
 public:
  // Makes a word's field (escaped, encoded) from its UTF-8 text; the empty word too.
  using Render = std::function<std::string(std::string_view word)>;

  explicit RenderedWords(Render render);
  RenderedWords(const RenderedWords&) = delete;
  RenderedWords& operator=(const RenderedWords&) = delete;

  // `word` must lie in storage that outlives this object (constant data). The field stays valid
  // as long as this object, and is followed by the room of a padded buffer.
  std::string_view Field(std::string_view word) {
    if (word.empty()) return empty_;
    for (std::size_t index = Hash(word.data()) & mask_;; index = (index + 1) & mask_) {
      const Slot& slot = slots_[index];
      if (slot.word == word.data() && slot.size == word.size()) return slot.field;
      if (slot.word == nullptr) return Add(word);
    }
  }

 private:
  struct Slot {
    const char* word = nullptr;
    std::size_t size = 0;
    std::string_view field;
  };

  static std::size_t Hash(const char* where) {
    return static_cast<std::size_t>(
        (reinterpret_cast<std::uintptr_t>(where) * 0x9E3779B97F4A7C15u) >> 40);
  }

  std::string_view Made(std::string_view word);
  std::string_view Add(std::string_view word);

  Render render_;
  std::vector<std::unique_ptr<char[]>> made_;  // each field, in a padded allocation of its own
  std::vector<Slot> slots_;
  std::size_t mask_;
  std::size_t used_ = 0;
  std::string_view empty_;
};

}  // namespace kobal::lookup
