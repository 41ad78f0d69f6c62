// The library's answers, converted and escaped once each, then reused for every line.
#pragma once

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

  // The output field for the Shift-JIS `answer`; valid until the next call.
  std::string_view Field(std::string_view answer);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t answerOffset = 0;
    std::uint32_t answerLength = 0;
    std::uint32_t fieldOffset = 0;
    std::uint32_t fieldLength = 0;
    bool used = false;
  };

  std::string_view AnswerOf(const Slot& slot) const;
  // Converts and escapes an answer not seen before, storing both in the arena.
  Slot Make(std::string_view answer, std::uint32_t hash);
  void Grow();

  OutputFormat format_;
  OutputEncoding encoding_;
  std::vector<Slot> slots_;
  std::size_t usedSlots_ = 0;
  std::string arena_;  // answers and fields, back to back
};

}  // namespace kobal::cli
