// The shared table of fields (tests/support/fields.tsv) that the tests of every front end read:
// a header naming the fields, then a row of cells per input.
#pragma once

#include <string>
#include <vector>

namespace kobal::test {

using FieldsRow = std::vector<std::string>;

// The header first, then every row, split at tabs; empty when the file cannot be read.
std::vector<FieldsRow> ReadFieldsTable(const std::string& path);

}  // namespace kobal::test
