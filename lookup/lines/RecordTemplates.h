// Records made once for lines of digits, one for each answer, length and shape of the digits (what
// a line's split depends on), kept in an open-addressing table whose entries hold the records
// themselves: a line finds its record with one probe and no other table. A batch locates its
// lines' records before it writes any, so that their cache misses overlap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fields/NumberSplit.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/lines/AnswerCache.h"

namespace kobal::lookup {

class RecordTemplates {
 public:
  static constexpr std::size_t kMostPlaces = 3;

  // A record's first cache line; its bytes follow in the next ones, with the room of a padded
  // buffer. Each line copies the bytes and writes its digits, or its number with hyphens, at the
  // places.
  struct alignas(64) Head {
    AnswerBuffer answer{};
    std::uint32_t key = 0;  // the digits' length and shape (Key)
    std::uint16_t size = 0;
    std::uint8_t places = 0;
    std::uint8_t formatted = 0;          // a bit for each place written with hyphens
    std::uint8_t first = 0, second = 0;  // where the hyphens go (NumberSplit)
    std::array<std::uint16_t, kMostPlaces> at{};

    const char* Bytes() const { return reinterpret_cast<const char*>(this + 1); }
  };

  // What a line's record is found by, worked out a while before it is written.
  struct Hint {
    std::uint32_t answerHash;  // AnswerCache::Hash
    std::uint32_t key;         // Key; 0: the line has no record
    std::uint32_t hash;        // of both
  };

  static std::uint32_t Key(std::size_t size, const fields::ShapeSplit& shape) {
    return static_cast<std::uint32_t>(size) << 24 | shape.Key();
  }

  RecordTemplates() : slots_(256), mask_(slots_.size() - 1), heads_(1) {}
  RecordTemplates(const RecordTemplates&) = delete;
  RecordTemplates& operator=(const RecordTemplates&) = delete;

  // The hint of a line with `key` (0: none) and an answer of `answerHash`, and its record
  // fetched.
  Hint Locate(std::uint32_t answerHash, std::uint32_t key) const {
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15u;
    const auto hash =
        static_cast<std::uint32_t>(((std::uint64_t{answerHash} << 32 | key) * kMix) >> 32);
    const Slot& slot = slots_[hash & mask_];
    if (key != 0 && slot.head != 0) {
      const char* const head = reinterpret_cast<const char*>(heads_.data() + slot.head);
      for (std::size_t line = 0; line < kFetchedLines; ++line) {
        __builtin_prefetch(head + line * sizeof(Head));
      }
    }
    return {answerHash, key, hash};
  }

  // The record for `answer` and the hint's key, or null when none is made yet.
  const Head* Find(const AnswerBuffer& answer, const Hint& hint) const {
    for (std::size_t index = hint.hash & mask_; slots_[index].head != 0;
         index = (index + 1) & mask_) {
      const Slot& slot = slots_[index];
      if (slot.hash != hint.hash) continue;
      const Head& head = heads_[slot.head];
      if (head.key == hint.key && AnswerCache::Same(head.answer.data(), answer)) return &head;
    }
    return nullptr;
  }

  // Keeps `head`'s record of `bytes` (its answer, key, size and the rest set) for the hint's
  // lines. Valid until the next Add.
  const Head& Add(const Head& head, std::string_view bytes, std::uint32_t hash);

 private:
  // A record of the benchmark's lines is a head and two or three lines of bytes.
  static constexpr std::size_t kFetchedLines = 4;

  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t head = 0;  // its record's head in heads_; 0 is never one
  };

  void Grow();

  std::vector<Slot> slots_;
  std::size_t mask_;  // slots_.size() - 1, the slots being a power of two
  std::size_t used_ = 0;
  std::vector<Head> heads_;  // each record's head, then its bytes in as many heads' room
};

}  // namespace kobal::lookup
