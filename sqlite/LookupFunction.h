// kobal_lookup(x): kobal-lookup's answer to a written number, as UTF-8 text; NULL for NULL.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lines/LineClassifier.h"
#include "sqlite/SqliteApi.h"
#include "sqlite/ValueLine.h"

namespace kobal::sqlite {

// One connection's kobal_lookup: the lookup core's classifier, and the UTF-8 of each answer it
// has given, made once and kept until the function goes (the connection closes), so that a
// result points at it rather than copying it.
class LookupFunction {
 public:
  static constexpr const char* kName = "kobal_lookup";
  static constexpr int kFlags = 0;

  void Call(sqlite3_context* context, sqlite3_value* argument);

 private:
  std::string_view Text(std::uint32_t number);

  ValueLine line_;
  lookup::LineClassifier classifier_;
  std::deque<std::string> texts_;        // by answer number; a deque never moves what it holds
  std::vector<std::string_view> views_;  // of texts_: one read a row, not a deque's two
};

}  // namespace kobal::sqlite
