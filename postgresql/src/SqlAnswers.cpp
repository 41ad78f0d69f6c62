// The lookup core's classifier, one per thread, and the UTF-8 of each answer it numbers.
#include "postgresql/src/SqlAnswers.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "encodings/AnswerText.h"
#include "lookup/lines/LineClassifier.h"

namespace {

class ThreadAnswers {
 public:
  static ThreadAnswers& Current() {
    thread_local ThreadAnswers answers;
    return answers;
  }

  KobalSqlText Lookup(std::string_view written) {
    const std::uint32_t number = classifier_.Classify(written);
    if (number >= texts_.size()) texts_.resize(number + 1);
    // Held by pointer: the text stays where it is when the table grows.
    if (!texts_[number]) {
      texts_[number] =
          std::make_unique<std::string>(kobal::AnswerUtf8(classifier_.AnswerText(number)));
    }
    return {texts_[number]->data(), texts_[number]->size(), number};
  }

 private:
  kobal::lookup::LineClassifier classifier_;
  std::vector<std::unique_ptr<std::string>> texts_;  // by answer number, made when first met
};

}  // namespace

extern "C" int kobal_sql_lookup(const char* written, size_t length, KobalSqlText* answer) {
  // No exception may cross into the database's C, which unwinds by longjmp.
  try {
    *answer = ThreadAnswers::Current().Lookup(std::string_view(written, length));
    return 0;
  } catch (...) {  // only allocation fails here
    return -1;
  }
}
