// SQLite's API as a loadable extension sees it: every call goes through the table that the
// loading program hands to sqlite3_kobal_init, so the extension works in whichever SQLite loads
// it and links none itself.
#pragma once

#include <sqlite3ext.h>

SQLITE_EXTENSION_INIT3
