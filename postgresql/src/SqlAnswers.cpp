// The lookup core's TextAnswerer, one per thread: the answers' UTF-8, numbered, is its own.
#include "postgresql/src/SqlAnswers.h"

#include <string_view>

#include "fields/Field.h"
#include "lookup/TextAnswer.h"

namespace {

using kobal::Field;

static_assert(KOBAL_SQL_FIELD_COUNT == kobal::kFieldCount);

class ThreadAnswers {
 public:
  static ThreadAnswers& Current() {
    thread_local ThreadAnswers answers;
    return answers;
  }

  KobalSqlText Lookup(std::string_view written) {
    answerer_.Answer(written, false);  // the result alone: no fields worked out
    return Result();
  }

  KobalSqlText Format(std::string_view written) {
    answerer_.Answer(written);
    return Unnumbered(answerer_.Text(Field::kFormatted, written));
  }

  void Parse(std::string_view written, KobalSqlFields& answer) {
    answerer_.Answer(written);
    for (int i = 0; i < kobal::kFieldCount; ++i) {
      const auto field = static_cast<Field>(i);
      answer.fields[i] =
          field == Field::kResult ? Result() : Unnumbered(answerer_.Text(field, written));
    }
  }

 private:
  static KobalSqlText Unnumbered(std::string_view text) {
    return {text.data(), text.size(), KOBAL_SQL_UNNUMBERED};
  }

  // The result of the last answer, numbered by the answerer, which keeps its UTF-8.
  KobalSqlText Result() {
    const std::string_view text = answerer_.ResultText();
    return {text.data(), text.size(), answerer_.AnswerNumber()};
  }

  kobal::lookup::TextAnswerer answerer_;
};

// No exception may cross into the database's C, which unwinds by longjmp; only allocation fails.
template <typename Call>
int Answering(Call call) {
  try {
    call(ThreadAnswers::Current());
    return 0;
  } catch (...) {
    return -1;
  }
}

}  // namespace

extern "C" int kobal_sql_lookup(const char* written, size_t length, KobalSqlText* answer) {
  return Answering(
      [&](ThreadAnswers& answers) { *answer = answers.Lookup(std::string_view(written, length)); });
}

extern "C" int kobal_sql_format(const char* written, size_t length, KobalSqlText* formatted) {
  return Answering([&](ThreadAnswers& answers) {
    *formatted = answers.Format(std::string_view(written, length));
  });
}

extern "C" int kobal_sql_parse(const char* written, size_t length, KobalSqlFields* answer) {
  return Answering([&](ThreadAnswers& answers) {
    KobalSqlFields fields;
    answers.Parse(std::string_view(written, length), fields);
    *answer = fields;
  });
}
