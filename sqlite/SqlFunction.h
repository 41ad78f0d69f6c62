// What every function of the extension shares: its state, one per connection (a connection runs
// one statement step at a time, so the state needs no lock), and its C entry, which SQLite calls
// for each row and through which no C++ exception may pass.
#pragma once

#include <exception>
#include <new>

#include "sqlite/SqliteApi.h"

namespace kobal::sqlite {

// Pure functions of their one argument: usable in indexes, generated columns and CHECK
// constraints (deterministic), and in a schema that is not trusted (innocuous).
inline constexpr int kFunctionFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;

// The entry of `Function`, whose Call(context, argument) sets the result.
template <class Function>
void CallFunction(sqlite3_context* context, int, sqlite3_value** arguments) noexcept {
  try {
    static_cast<Function*>(sqlite3_user_data(context))->Call(context, arguments[0]);
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(context);
  } catch (const std::exception& error) {
    sqlite3_result_error(context, error.what(), -1);
  }
}

template <class Function>
void DestroyFunction(void* function) noexcept {
  delete static_cast<Function*>(function);
}

// Defines `Function` (its kName, with kFunctionFlags and its own kFlags) in `db` with a state of
// its own; SQLite frees the state when the definition goes, or at once when it fails.
template <class Function>
int DefineFunction(sqlite3* db) noexcept {
  Function* function = new (std::nothrow) Function;
  if (function == nullptr) return SQLITE_NOMEM;
  return sqlite3_create_function_v2(db, Function::kName, 1, kFunctionFlags | Function::kFlags,
                                    function, &CallFunction<Function>, nullptr, nullptr,
                                    &DestroyFunction<Function>);
}

// Defines each of `Functions`, stopping at the first that fails.
template <class... Functions>
int DefineFunctions(sqlite3* db) noexcept {
  int status = SQLITE_OK;
  ((status = status == SQLITE_OK ? DefineFunction<Functions>(db) : status), ...);
  return status;
}

}  // namespace kobal::sqlite
