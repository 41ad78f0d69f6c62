// The library's answers, each met once: numbered in the order met, and kept with a tail made once
// (the answer converted and escaped as an output field), then reused for every line.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/LibraryAnswer.h"
#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

class AnswerCache {
 public:
  // Makes the tail of an answer not met before from its Shift-JIS text; without one, tails are
  // empty (with no room after them) and the cache only numbers the answers, a line each.
  using TailMaker = std::function<std::string(std::string_view answer)>;

  explicit AnswerCache(TailMaker makeTail = {});
  AnswerCache(const AnswerCache&) = delete;
  AnswerCache& operator=(const AnswerCache&) = delete;

  // The tail made for `answer`; valid until the next call. It is followed by the room of a padded
  // buffer, so that it can be copied in whole pieces.
  std::string_view Tail(const AnswerBuffer& answer) { return Tail(answer, Hash(answer)); }

  // The same with the hash that Prefetch gave for `answer`.
  std::string_view Tail(const AnswerBuffer& answer, std::uint32_t hash) {
    return TailOf(Find(answer, hash));
  }

  // The number of `answer`: 0 for the first met, 1 for the next distinct one, and so on.
  std::uint32_t Number(const AnswerBuffer& answer) { return NumberOf(Find(answer, Hash(answer))); }

  // Both, with the hash that Prefetch gave for `answer`: for a writer that keeps more of each
  // answer, by its number, than its tail.
  struct Entry {
    std::uint32_t number;
    std::string_view tail;
  };
  Entry EntryOf(const AnswerBuffer& answer, std::uint32_t hash) {
    const std::uint32_t line = Find(answer, hash);
    return {NumberOf(line), TailOf(line)};
  }

  // The tail of the answer numbered `number`, which must have been given; valid until the next
  // call.
  std::string_view TailOfNumber(std::uint32_t number) const { return TailOf(entries_[number]); }

  // The Shift-JIS text, NUL-terminated, of the answer numbered `number`; null for a number not
  // given yet. Valid until the next call.
  const char* Text(std::uint32_t number) const {
    return number < entries_.size() ? arena_[entries_[number]].bytes : nullptr;
  }

  // The hash of `answer` for Tail, and the entry it most likely finds asked for early: looked up
  // one after the other, the entries' cache misses would not overlap.
  std::uint32_t Prefetch(const AnswerBuffer& answer) const {
    const std::uint32_t hash = Hash(answer);
    const Slot& slot = slots_[hash & mask_];
    if (slot.Used()) {
      __builtin_prefetch(arena_.data() + slot.line);
      __builtin_prefetch(arena_.data() + slot.line + 1);
    }
    return hash;
  }

  // Answers share their beginnings ("NTT固定（" ...) and differ further on; every word of the
  // buffer goes into the hash, a lane's two words mixed by one multiplication, independent of the
  // other lanes' so that they overlap. Equal hashes are settled by comparing the buffers
  // (Same). Public, for a writer that keeps records by answer of its own.
  static std::uint32_t Hash(const AnswerBuffer& answer) {
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15u;
    const char* const bytes = answer.data();
    std::uint64_t hash = 0;
    // From the last lane to the first: lane i ends turned by 21 * i bits.
    for (std::size_t i = kAnswerRoom; i > 0; i -= kAnswerLane) {
      const char* const lane = bytes + i - kAnswerLane;
      hash = std::rotl(hash, 21) ^ ((Load64(lane) ^ Load64(lane + 8)) * kMix);
    }
    return static_cast<std::uint32_t>((hash * kMix) >> 32);
  }

  // Whether `stored` (kAnswerRoom bytes) is `answer`: a lane at a time, in a GCC and Clang vector
  // type that any target has compares for.
  static bool Same(const char* stored, const AnswerBuffer& answer) {
    using Lanes = std::uint64_t __attribute__((vector_size(kAnswerLane)));
    Lanes difference{};
    for (std::size_t i = 0; i < kAnswerRoom; i += sizeof(Lanes)) {
      Lanes a;
      Lanes b;
      std::memcpy(&a, stored + i, sizeof a);
      std::memcpy(&b, answer.data() + i, sizeof b);
      difference |= a ^ b;
    }
    return (difference[0] | difference[1]) == 0;
  }

 private:
  // The arena is whole cache lines, so that a lookup touches few: an entry is a line holding the
  // answer, its tail's length and its number, then the tail and the room after it in as many
  // lines as they need.
  static constexpr std::size_t kLine = 64;
  struct alignas(kLine) ArenaLine {
    char bytes[kLine];
  };
  static constexpr std::size_t kLengthAt = kAnswerRoom;
  static constexpr std::size_t kNumberAt = kLengthAt + sizeof(std::uint32_t);
  static_assert(kNumberAt + sizeof(std::uint32_t) <= kLine);

  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t line = 0;  // its entry's first line in the arena; line 0 is never one
    bool Used() const { return line != 0; }
  };

  static std::uint64_t Load64(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }

  bool Holds(std::uint32_t line, const AnswerBuffer& answer) const {
    return Same(arena_[line].bytes, answer);
  }

  // The first line of the entry for `answer`, made if it is new.
  std::uint32_t Find(const AnswerBuffer& answer, std::uint32_t hash) {
    for (std::size_t index = hash & mask_; slots_[index].Used(); index = (index + 1) & mask_) {
      const Slot& slot = slots_[index];
      if (slot.hash == hash && Holds(slot.line, answer)) return slot.line;
    }
    return Add(answer, hash);
  }

  std::uint32_t NumberOf(std::uint32_t line) const {
    std::uint32_t number;
    std::memcpy(&number, arena_[line].bytes + kNumberAt, sizeof number);
    return number;
  }

  std::string_view TailOf(std::uint32_t line) const {
    std::uint32_t length;
    std::memcpy(&length, arena_[line].bytes + kLengthAt, sizeof length);
    return {reinterpret_cast<const char*>(arena_.data() + line + 1), length};
  }

  // Makes the entry of an answer not met before.
  std::uint32_t Add(const AnswerBuffer& answer, std::uint32_t hash);
  void Grow();

  TailMaker makeTail_;
  std::vector<Slot> slots_;
  std::size_t mask_;  // slots_.size() - 1, the slots being a power of two
  std::size_t usedSlots_ = 0;
  std::vector<ArenaLine> arena_;
  std::vector<std::uint32_t> entries_;  // each answer's first line, by number
};

}  // namespace kobal::lookup
