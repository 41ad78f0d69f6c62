// The library's answers, converted and escaped once each, then reused for every line.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "OutputFormat.h"

namespace kobal::cli {

class AnswerCache {
 public:
  // Fields come out in `encoding`, escaped as a result field of `format`; each is kept between
  // `before` and `after`, so that the end of a record is one copy (see Tail).
  AnswerCache(OutputFormat format, OutputEncoding encoding, std::string_view before = {},
              std::string_view after = {});
  AnswerCache(const AnswerCache&) = delete;
  AnswerCache& operator=(const AnswerCache&) = delete;

  // A result buffer of the library, zero-filled before the call: the answer and zeros after
  // it. Compared whole, it needs neither a length nor a call per line.
  static constexpr std::size_t kAnswerRoom = 48;
  static constexpr std::size_t kTailPiece = 64;
  using AnswerBuffer = std::array<char, kAnswerRoom>;

  // Zero-fills `answer` with a few stores, not a call per line.
  static void Clear(AnswerBuffer& answer) { std::memset(answer.data(), 0, kAnswerRoom); }

  // `before`, the output field for the Shift-JIS answer and `after`; valid until the next call.
  // It may be read in whole pieces of kTailPiece bytes, past its end.
  std::string_view Tail(const AnswerBuffer& answer) { return Tail(answer, Hash(answer)); }

  // The same with the hash that Prefetch gave for `answer`.
  std::string_view Tail(const AnswerBuffer& answer, std::uint32_t hash) {
    for (std::size_t index = hash & mask_; slots_[index].Used(); index = (index + 1) & mask_) {
      const Slot& slot = slots_[index];
      if (slot.hash == hash && Holds(slot, answer)) return TailOf(slot);
    }
    return Add(answer, hash);
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

  // The output field alone.
  std::string_view Field(const AnswerBuffer& answer) {
    const std::string_view tail = Tail(answer);
    return tail.substr(before_.size(), tail.size() - before_.size() - after_.size());
  }
  std::string_view Field(std::string_view answer);  // at most kAnswerRoom - 1 bytes

 private:
  // The arena is whole cache lines, so that a lookup touches few: an entry is a line holding the
  // answer and its tail's length, then the tail in as many lines as it needs.
  static constexpr std::size_t kLine = kTailPiece;
  struct alignas(kLine) ArenaLine {
    char bytes[kLine];
  };
  static_assert(kAnswerRoom + sizeof(std::uint32_t) <= kLine);

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

  // Answers share their beginnings ("NTT固定（" ...) and differ further on; every word of the
  // buffer goes into the hash, mixed in three independent pairs so that the multiplications
  // overlap. Equal hashes are settled by comparing the buffers.
  static std::uint32_t Hash(const AnswerBuffer& answer) {
    static_assert(kAnswerRoom == 48);
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15u;
    const char* const bytes = answer.data();
    const std::uint64_t a = (Load64(bytes) ^ Load64(bytes + 8)) * kMix;
    const std::uint64_t b = (Load64(bytes + 16) ^ Load64(bytes + 24)) * kMix;
    const std::uint64_t c = (Load64(bytes + 32) ^ Load64(bytes + 40)) * kMix;
    const std::uint64_t hash = (a ^ std::rotl(b, 21) ^ std::rotl(c, 42)) * kMix;
    return static_cast<std::uint32_t>(hash >> 32);
  }

  // Sixteen bytes at a time, in a GCC and Clang vector type that any target has compares for.
  bool Holds(const Slot& slot, const AnswerBuffer& answer) const {
    using Lanes = std::uint64_t __attribute__((vector_size(16)));
    const char* const stored = arena_[slot.line].bytes;
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

  std::string_view TailOf(const Slot& slot) const {
    std::uint32_t length;
    std::memcpy(&length, arena_[slot.line].bytes + kAnswerRoom, sizeof length);
    return {reinterpret_cast<const char*>(arena_.data() + slot.line + 1), length};
  }

  // Converts and escapes an answer not seen before, storing both in the arena.
  std::string_view Add(const AnswerBuffer& answer, std::uint32_t hash);
  Slot Make(const AnswerBuffer& answer, std::uint32_t hash);
  void Grow();

  OutputFormat format_;
  OutputEncoding encoding_;
  std::string before_;
  std::string after_;
  std::vector<Slot> slots_;
  std::size_t mask_;  // slots_.size() - 1, the slots being a power of two
  std::size_t usedSlots_ = 0;
  std::vector<ArenaLine> arena_;
};

}  // namespace kobal::cli
