// The library's answers, converted and escaped once each, then reused for every line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "OutputFormat.h"

namespace kobal::cli {

class AnswerCache {
 public:
  // Fields come out in `encoding`, escaped as a result field of `format`.
  AnswerCache(OutputFormat format, OutputEncoding encoding);
  AnswerCache(const AnswerCache&) = delete;
  AnswerCache& operator=(const AnswerCache&) = delete;

  // A result buffer of the library, zero-filled before the call: the answer and zeros after
  // it. Compared whole, it needs neither a length nor a call per line.
  static constexpr std::size_t kAnswerRoom = 48;
  using AnswerBuffer = std::array<char, kAnswerRoom>;

  // The output field for the Shift-JIS answer; valid until the next call.
  std::string_view Field(const AnswerBuffer& answer);
  std::string_view Field(std::string_view answer);  // at most kAnswerRoom - 1 bytes

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t answerOffset = 0;  // its AnswerBuffer
    std::uint32_t fieldOffset = 0;
    std::uint32_t fieldLength = 0;
    bool used = false;
  };

  bool Holds(const Slot& slot, const AnswerBuffer& answer) const;
  // Converts and escapes an answer not seen before, storing both in the arena.
  Slot Make(const AnswerBuffer& answer, std::uint32_t hash);
  void Grow();

  OutputFormat format_;
  OutputEncoding encoding_;
  std::vector<Slot> slots_;
  std::size_t usedSlots_ = 0;
  std::string arena_;  // answers and fields, back to back
};

}  // namespace kobal::cli
