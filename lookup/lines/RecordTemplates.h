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

  static constexpr std::uint16_t kNowhere = 0xFFFF;

  // A record's first cache line; its bytes follow in the next ones, with the room of a padded
  // buffer. Each line copies the bytes and writes its digits at the places, and its number with
  // hyphens at one more. A place a record lacks is its end: the digits written there fall in the
  // output's padding, which the next record overwrites, so that every line writes the same and
  // takes no branch for them.
  struct alignas(64) Head {
    AnswerBuffer answer{};
    std::uint32_t key = 0;  // the digits' length and shape (Key)
    std::uint16_t size = 0;
    std::array<std::uint16_t, kMostPlaces> digitsAt{};
    std::uint16_t splitAt = kNowhere;    // where the number goes with hyphens
    std::uint8_t first = 0, second = 0;  // where the hyphens go (NumberSplit)

    const char* Bytes() const { return reinterpret_cast<const char*>(this + 1); }
  };
  static_assert(sizeof(Head) == 64);

  // What a line's record is found by, worked out a while before it is written.
  struct Hint {
    std::uint32_t answerHash;  // AnswerCache::Hash
    std::uint32_t key;         // Key; 0: the line has no record
    std::uint32_t hash;        // of both
    std::uint32_t head;        // the record in the first slot probed, if its hash is the line's
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
    return {answerHash, key, hash, slot.hash == hash ? slot.head : 0};
  }

  // The record for `answer` and the hint's key, or null when none is made yet.
  const Head* Find(const AnswerBuffer& answer, const Hint& hint) const {
    const Head& probed = heads_[hint.head];  // heads_[0] is never a record: its key is 0
    if (probed.key == hint.key && AnswerCache::Same(probed.answer.data(), answer)) return &probed;
    return Probe(answer, hint);
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

  // A record that is not where the hint was made: further on, or made since.
  const Head* Probe(const AnswerBuffer& answer, const Hint& hint) const;
  void Grow();

  std::vector<Slot> slots_;
  std::size_t mask_;  // slots_.size() - 1, the slots being a power of two
  std::size_t used_ = 0;
  std::vector<Head> heads_;  // each record's head, then its bytes in as many heads' room
};

}  // namespace kobal::lookup
