// Test helper: the records of a '|'-separated UTF-8 table source, as the generators read them.
#pragma once

#include <string>
#include <vector>

namespace kobal::test {

using Fields = std::vector<std::string>;

// The fields of each data line of the file at `path`; '#' lines and blank lines are skipped.
// A file that cannot be opened fails the current test.
std::vector<Fields> ReadTableSource(const std::string& path);

}  // namespace kobal::test
