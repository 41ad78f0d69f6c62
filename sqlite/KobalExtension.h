// The extension's entry point, named as SQLite derives it from the file name kobal.so, so that
// `.load .../kobal` and load_extension(".../kobal") need no entry name. A program that links the
// extension in rather than loading it registers it with sqlite3_auto_extension.
#pragma once

#include <sqlite3.h>

extern "C" int sqlite3_kobal_init(sqlite3* db, char** error, const sqlite3_api_routines* api);
