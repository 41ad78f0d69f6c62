// The table of records of digits: a line's hint names the record in the slot it probed when its
// hash matched, and that record serves the line only when its answer and key are the line's; a
// record that is further on, or made after the hint, is still found, through the table's growth.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lines/RecordTemplates.h"

namespace kobal::lookup {
namespace {

AnswerBuffer Answer(std::string_view text) {
  AnswerBuffer answer{};
  std::memcpy(answer.data(), text.data(), text.size());
  return answer;
}

const RecordTemplates::Head& Add(RecordTemplates& table, const AnswerBuffer& answer,
                                 std::uint32_t key, std::string_view bytes, std::uint32_t hash) {
  RecordTemplates::Head head;
  head.answer = answer;
  head.key = key;
  head.size = static_cast<std::uint16_t>(bytes.size());
  return table.Add(head, bytes, hash);
}

std::string_view BytesOf(const RecordTemplates::Head* head) {
  return head == nullptr ? "(none)" : std::string_view(head->Bytes(), head->size);
}

TEST(RecordTemplates, ARecordOfTheSameHashServesOnlyItsOwnAnswerAndKey) {
  RecordTemplates table;
  const AnswerBuffer first = Answer("NTT固定（東京都新有明）");
  const AnswerBuffer second = Answer("NTT固定（北海道札幌大通）");
  constexpr std::uint32_t kKey = 10u << 24 | 5;
  const std::uint32_t hash = table.Locate(AnswerCache::Hash(first), kKey).hash;
  Add(table, first, kKey, "first record", hash);

  // Hints whose probed slot holds the first record: another answer, or the same answer with
  // another key, that happened to hash alike.
  const RecordTemplates::Hint hint = table.Locate(AnswerCache::Hash(first), kKey);
  ASSERT_NE(hint.head, 0u);
  EXPECT_EQ(BytesOf(table.Find(first, hint)), "first record");
  EXPECT_EQ(BytesOf(table.Find(second, hint)), "(none)");
  RecordTemplates::Hint otherKey = hint;
  otherKey.key = kKey + 1;
  EXPECT_EQ(BytesOf(table.Find(first, otherKey)), "(none)");

  // Made after, in the next slot: found by the same hint, the first still its own.
  Add(table, second, kKey, "second record", hash);
  Add(table, first, kKey + 1, "first, other key", hash);
  EXPECT_EQ(BytesOf(table.Find(second, hint)), "second record");
  EXPECT_EQ(BytesOf(table.Find(first, otherKey)), "first, other key");
  EXPECT_EQ(BytesOf(table.Find(first, hint)), "first record");
}

TEST(RecordTemplates, ARecordOfAnotherHashInTheSlotIsPassedOver) {
  RecordTemplates table;  // 256 slots while it holds few records
  const AnswerBuffer answer = Answer("フリーダイヤル");
  const RecordTemplates::Hint hint = table.Locate(AnswerCache::Hash(answer), 7);
  Add(table, Answer("不明"), 7, "another hash, same slot", hint.hash + 256);
  Add(table, answer, 7, "the line's record", hint.hash);
  EXPECT_EQ(BytesOf(table.Find(answer, hint)), "the line's record");
}

TEST(RecordTemplates, HintsMadeBeforeTheirRecordsFindThemAfterTheTableGrows) {
  RecordTemplates table;
  const AnswerBuffer answer = Answer("NTTドコモ関西");
  std::vector<RecordTemplates::Hint> hints;
  for (std::uint32_t key = 1; key <= 1000; ++key) {
    hints.push_back(table.Locate(AnswerCache::Hash(answer), key));
  }
  for (std::uint32_t key = 1; key <= 1000; key += 2) {
    const RecordTemplates::Hint& hint = hints[key - 1];
    ASSERT_EQ(table.Find(answer, hint), nullptr) << key;
    Add(table, answer, key, "record " + std::to_string(key) + std::string(key % 200, '.'),
        hint.hash);
  }
  for (std::uint32_t key = 1; key <= 1000; ++key) {
    const RecordTemplates::Head* found = table.Find(answer, hints[key - 1]);
    if (key % 2 == 0) {
      EXPECT_EQ(found, nullptr) << key;
    } else {
      EXPECT_EQ(BytesOf(found), "record " + std::to_string(key) + std::string(key % 200, '.'));
    }
  }
}

}  // namespace
}  // namespace kobal::lookup
