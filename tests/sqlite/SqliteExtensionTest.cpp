// The extension as SQLite loads it (the built kobal.so, through load_extension), in a program
// that the sanitizer build instruments too: its answers against the lookup core's own, and every
// kind of value a column may hold.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "NumberMix.h"
#include "encodings/AnswerText.h"
#include "encodings/LineDecoder.h"
#include "fields/Field.h"
#include "lookup/TextAnswer.h"
#include "lookup/lines/LineClassifier.h"

namespace {

using Row = std::vector<std::optional<std::string>>;

const std::string kUnknown = "不明";
const std::string kTokyo = "NTT固定（東京都新有明）";

// The extension's file without its suffix: SQLite adds it, and derives the entry point from the
// name, as `.load` does.
std::string ExtensionPath() {
  std::string path = KOBAL_SQLITE_EXTENSION;
  return path.substr(0, path.size() - std::string_view(".so").size());
}

class Database {
 public:
  Database() {
    EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    char* error = nullptr;
    if (Load(&error) != SQLITE_OK) {
      ADD_FAILURE() << "load_extension: " << (error ? error : "?");
    }
    sqlite3_free(error);
  }
  ~Database() { EXPECT_EQ(sqlite3_close(db_), SQLITE_OK); }

  int Load(char** error) {
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 1, nullptr);
    return sqlite3_load_extension(db_, ExtensionPath().c_str(), nullptr, error);
  }

  void Run(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << sql << ": " << (error ? error : "");
    sqlite3_free(error);
  }

  // Every row as text (none for NULL), the one parameter bound to `blob`; the step's error, if
  // any, in *error (else it fails the test).
  std::vector<Row> Rows(const std::string& sql, std::optional<std::string_view> blob = {},
                        std::string* error = nullptr) {
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
        << sql << ": " << sqlite3_errmsg(db_);
    if (blob) {
      sqlite3_bind_blob(statement, 1, blob->data(), static_cast<int>(blob->size()),
                        SQLITE_TRANSIENT);
    }
    std::vector<Row> rows;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      Row& row = rows.emplace_back();
      for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (text == nullptr) {
          row.emplace_back();
        } else {
          row.emplace_back(
              std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))));
        }
      }
    }
    if (error != nullptr) {
      *error = step == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
    } else {
      EXPECT_EQ(step, SQLITE_DONE) << sql << ": " << sqlite3_errmsg(db_);
    }
    sqlite3_finalize(statement);
    return rows;
  }

  // Every row's first column.
  std::vector<std::optional<std::string>> Column(const std::string& sql,
                                                 std::optional<std::string_view> blob = {}) {
    std::vector<std::optional<std::string>> column;
    for (Row& row : Rows(sql, blob)) column.push_back(std::move(row.at(0)));
    return column;
  }

  void LimitLength(int bytes) { sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, bytes); }

  std::optional<std::string> One(const std::string& sql,
                                 std::optional<std::string_view> blob = {}) {
    const auto rows = Column(sql, blob);
    EXPECT_EQ(rows.size(), 1u) << sql;
    return rows.empty() ? std::nullopt : rows[0];
  }

 private:
  sqlite3* db_ = nullptr;
};

// What the lookup core answers for the bytes of a line, as UTF-8.
std::string CoreAnswer(std::string_view bytes) {
  static kobal::lookup::LineClassifier classifier;
  kobal::LineDecoder decoder(std::nullopt);
  return kobal::AnswerUtf8(classifier.AnswerText(classifier.Classify(decoder.Decode(bytes))));
}

TEST(SqliteExtension, NullIsNullAndNumbersAreTheirText) {
  Database db;
  EXPECT_EQ(db.One("SELECT kobal_lookup(NULL)"), std::nullopt);
  EXPECT_EQ(db.One("SELECT kobal_lookup(117)"), "時報");
  EXPECT_EQ(db.One("SELECT kobal_lookup(3.5e2)"), db.One("SELECT kobal_lookup('350.0')"));
  EXPECT_EQ(db.One("SELECT kobal_lookup('+81 3-3520-1234')"), kTokyo);
  EXPECT_EQ(db.One("SELECT kobal_lookup('03-3520-XXXX')"), kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_lookup('')"), kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_lookup(x'')"), kUnknown);
  EXPECT_EQ(db.One("SELECT typeof(kobal_lookup(x'00'))"), "text");

  EXPECT_EQ(db.One("SELECT kobal_format(NULL)"), std::nullopt);
  EXPECT_EQ(db.One("SELECT kobal_parse(NULL)"), std::nullopt);
  EXPECT_EQ(db.One("SELECT kobal_format(117)"), "117");
  EXPECT_EQ(db.One("SELECT kobal_format(0335201234)"), std::nullopt);  // an INTEGER has no 0
  EXPECT_EQ(db.One("SELECT kobal_parse(x'') ->> 'status'"), "not-a-number");
  EXPECT_EQ(db.One("SELECT json_type(kobal_parse(''), '$.input')"), "text");
  EXPECT_EQ(db.One("SELECT json_type(kobal_parse(''), '$.number')"), "null");
  EXPECT_EQ(db.One("SELECT kobal_parse(117) ->> 'kind'"), "service");
}

TEST(SqliteExtension, BytesAreReadAsKobalLookupReadsALine) {
  Database db;
  // "０３－３５２０－１２３４" in Shift-JIS, as a BLOB and as TEXT imported unconverted.
  const std::string shiftJis =
      "\x82\x4f\x82\x52\x81\x7c\x82\x52\x82\x54\x82\x51\x82\x4f\x81\x7c"
      "\x82\x50\x82\x51\x82\x52\x82\x53";
  EXPECT_EQ(db.One("SELECT kobal_lookup(?1)", shiftJis), kTokyo);
  EXPECT_EQ(db.One("SELECT kobal_lookup(CAST(?1 AS TEXT))", shiftJis), kTokyo);
  EXPECT_EQ(db.One("SELECT kobal_lookup(?1)", std::string_view("03-3520-1234")), kTokyo);
  // A NUL inside: no number, whatever follows it.
  EXPECT_EQ(db.One("SELECT kobal_lookup(?1)", std::string_view("0335201234\0"
                                                               "9",
                                                               12)),
            kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_lookup(CAST(?1 AS TEXT))", std::string_view("117\0", 4)),
            kUnknown);

  // The input field is the text as read, in UTF-8.
  EXPECT_EQ(db.One("SELECT kobal_parse(?1) ->> 'input'", shiftJis), "０３－３５２０－１２３４");
  EXPECT_EQ(db.One("SELECT kobal_parse(CAST(?1 AS TEXT)) ->> 'prefecture'", shiftJis), "東京都");
  EXPECT_EQ(db.One("SELECT kobal_format(?1)", shiftJis), "03-3520-1234");
  EXPECT_EQ(db.One("SELECT kobal_format(?1)", std::string_view("117\0", 4)), std::nullopt);
}

// Text of a UTF-16 database reaches the function as UTF-8; its BLOBs stay bytes.
TEST(SqliteExtension, Utf16DatabasesAnswerTheSame) {
  Database db;
  db.Run("PRAGMA encoding = 'UTF-16le'");
  db.Run("CREATE TABLE customers(tel)");
  db.Run("INSERT INTO customers VALUES ('０３－３５２０－１２３４'), (x'825082508256')");
  EXPECT_EQ(db.Column("SELECT kobal_lookup(tel) FROM customers ORDER BY rowid"),
            (std::vector<std::optional<std::string>>{kTokyo, "時報"}));
  EXPECT_EQ(db.Column("SELECT kobal_parse(tel) ->> 'input' FROM customers ORDER BY rowid"),
            (std::vector<std::optional<std::string>>{"０３－３５２０－１２３４", "１１７"}));
}

// Hostile bytes: the fuzzer under the sanitizers, and kobal-lookup's answers in sqlite_test.py.
TEST(SqliteExtension, HugeValuesGetAnAnswer) {
  Database db;
  EXPECT_EQ(db.One("SELECT kobal_lookup(zeroblob(10000000))"), kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_lookup(printf('%.*c', 10000000, 'x'))"), kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_lookup(printf('%.*c', 3000000, '0'))"), kUnknown);
  EXPECT_EQ(db.One("SELECT kobal_format(printf('%.*c', 3000000, '0'))"), std::nullopt);
  const std::string huge = "printf('%.*c', 3000000, 'x')";
  EXPECT_EQ(db.One("SELECT kobal_parse(" + huge + ") ->> 'input' = " + huge), "1");
  // Three bytes a character: the JSON is written in pieces that must not split one.
  const std::string wide = "replace(printf('%.*c', 5000, 'x'), 'x', '０')";
  EXPECT_EQ(db.One("SELECT kobal_parse(" + wide + ") ->> 'input' = " + wide), "1");
}

// A JSON text longer than SQLite allows a value is an error, not a crash nor a cut text, and
// the rows after it answer as before.
TEST(SqliteExtension, JsonBeyondSqlitesLimitIsAnError) {
  Database db;
  db.LimitLength(1000);
  std::string error;
  // 200 control characters, each escaped in six bytes.
  db.Rows("SELECT kobal_parse(printf('%.*c', 200, char(1)))", {}, &error);
  EXPECT_EQ(error, "string or blob too big");
  // An input within the limit whose JSON, framed, is not.
  db.Rows("SELECT kobal_parse(printf('%.*c', 990, 'x'))", {}, &error);
  EXPECT_EQ(error, "string or blob too big");
  EXPECT_EQ(db.One("SELECT kobal_parse('117') ->> 'result'"), "時報");
}

// Its subtype makes kobal_parse's text an object inside SQLite's JSON, not a string.
TEST(SqliteExtension, ParseNestsInJson) {
  Database db;
  EXPECT_EQ(db.One("SELECT json_object('tel', kobal_parse('117')) ->> '$.tel.result'"), "時報");
}

// The number mix, bare and written with hyphens, in one table: every function's answer is the
// lookup core's for the same text.
TEST(SqliteExtension, TheMixAnswersAsTheLookupCore) {
  std::vector<std::string> numbers = kobal::bench::MakeMix(10000, kobal::bench::kMixSeed);
  for (const std::string& number : kobal::bench::MakeMix(5000, kobal::bench::kMixSeed + 1)) {
    numbers.push_back(kobal::bench::WithHyphens(number));
  }
  Database db;
  db.Run("CREATE TABLE numbers(tel TEXT)");
  db.Run("BEGIN");
  for (const std::string& number : numbers) db.Run("INSERT INTO numbers VALUES ('" + number + "')");
  db.Run("COMMIT");
  std::string columns = "kobal_lookup(tel), kobal_format(tel)";
  for (int i = 0; i < kobal::kFieldCount; ++i) {
    columns += ", kobal_parse(tel) ->> '";
    columns += kobal::FieldName(static_cast<kobal::Field>(i));
    columns += "'";
  }
  const std::vector<Row> rows = db.Rows("SELECT " + columns + " FROM numbers ORDER BY rowid");
  ASSERT_EQ(rows.size(), numbers.size());
  const auto orNull = [](std::string_view text) {
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
  };
  kobal::lookup::TextAnswerer answerer;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::string& text = numbers[r];
    answerer.Answer(text);
    ASSERT_EQ(rows[r][0], CoreAnswer(text)) << text;
    ASSERT_EQ(rows[r][1], orNull(answerer.Text(kobal::Field::kFormatted, text))) << text;
    ASSERT_EQ(rows[r][2], text);
    for (int i = 1; i < kobal::kFieldCount; ++i) {
      const auto field = static_cast<kobal::Field>(i);
      ASSERT_EQ(rows[r][2 + i], orNull(answerer.Text(field, text)))
          << text << ": " << kobal::FieldName(field);
    }
  }
}

// Many distinct answers in one statement and stored in a table: each row keeps its own.
TEST(SqliteExtension, EveryRowKeepsItsOwnAnswer) {
  Database db;
  db.Run("CREATE TABLE numbers(tel)");
  std::vector<std::string> numbers;
  std::mt19937 random(2000);
  for (int i = 0; i < 20000; ++i) {
    // 3 to 12 digits, a third of them written with a hyphen.
    std::string number = "0";
    for (auto length = 2 + random() % 10; length > 0; --length) {
      if (i % 3 == 0 && length == 4) number += '-';
      number += static_cast<char>('0' + random() % 10);
    }
    numbers.push_back(number);
    db.Run("INSERT INTO numbers VALUES ('" + numbers.back() + "')");
  }
  db.Run("CREATE TABLE answers AS SELECT rowid AS id, kobal_lookup(tel) AS answer FROM numbers");
  const auto live = db.Column("SELECT kobal_lookup(tel) FROM numbers ORDER BY rowid");
  const auto stored = db.Column("SELECT answer FROM answers ORDER BY id");
  ASSERT_EQ(live.size(), numbers.size());
  ASSERT_EQ(stored.size(), numbers.size());
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    ASSERT_EQ(live[i], CoreAnswer(numbers[i])) << numbers[i];
    ASSERT_EQ(stored[i], live[i]) << numbers[i];
  }
}

// Loaded again, the new definitions replace the old, whose states go (under the sanitizers: once).
TEST(SqliteExtension, LoadedAgainReplacesItsFunctionsSafely) {
  Database db;
  EXPECT_EQ(db.One("SELECT kobal_lookup('117')"), "時報");
  char* error = nullptr;
  EXPECT_EQ(db.Load(&error), SQLITE_OK);
  sqlite3_free(error);
  EXPECT_EQ(db.One("SELECT kobal_lookup('117'), kobal_lookup('x')"), "時報");
  EXPECT_EQ(db.One("SELECT kobal_format('0120123456') || (kobal_parse('117') ->> 'kind')"),
            "0120-123-456service");
}

// Deterministic: an index on the expression; innocuous: used where the schema is not trusted.
TEST(SqliteExtension, UsableInIndexesAndUntrustedSchemas) {
  Database db;
  db.Run("PRAGMA trusted_schema = OFF");
  db.Run("CREATE TABLE customers(tel TEXT)");
  db.Run("INSERT INTO customers VALUES ('03-3520-1234'), ('117'), (NULL)");
  db.Run("CREATE INDEX by_answer ON customers(kobal_lookup(tel))");
  db.Run("CREATE VIEW answered AS SELECT tel, kobal_lookup(tel) AS answer FROM customers");
  db.Run("ALTER TABLE customers ADD COLUMN answer AS (kobal_lookup(tel))");
  EXPECT_EQ(db.One("SELECT tel FROM customers WHERE kobal_lookup(tel) = '時報'"), "117");
  EXPECT_EQ(db.One("SELECT tel FROM answered WHERE answer = '" + kTokyo + "'"), "03-3520-1234");
  EXPECT_EQ(db.One("SELECT count(*) FROM customers WHERE answer IS NULL"), "1");

  db.Run("ALTER TABLE customers ADD COLUMN formatted AS (kobal_format(tel))");
  EXPECT_EQ(db.One("SELECT count(*) FROM customers WHERE formatted IS NOT NULL"), "2");
}

// SQLite's own ->> is not innocuous, so an index on a field needs a trusted schema (the default).
TEST(SqliteExtension, AnIndexOnAField) {
  Database db;
  db.Run("CREATE TABLE customers(tel TEXT)");
  db.Run("CREATE INDEX by_prefecture ON customers(kobal_parse(tel) ->> 'prefecture')");
  db.Run("INSERT INTO customers VALUES ('03-3520-1234'), ('117'), (NULL)");
  EXPECT_EQ(db.One("SELECT tel FROM customers WHERE kobal_parse(tel) ->> 'prefecture' = '東京都'"),
            "03-3520-1234");
  const std::vector<Row> plan = db.Rows(
      "EXPLAIN QUERY PLAN SELECT tel FROM customers WHERE kobal_parse(tel) ->> 'prefecture' = ?1",
      std::string_view("東京都"));
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_NE(plan[0].at(3).value_or("").find("USING INDEX by_prefecture"), std::string::npos)
      << plan[0].at(3).value_or("");
}

}  // namespace
