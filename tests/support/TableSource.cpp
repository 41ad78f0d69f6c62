// Test helper: the records of a '|'-separated UTF-8 table source, as the generators read them.
#include "support/TableSource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kobal::test {

std::vector<Fields> ReadTableSource(const std::string& path) {
  std::ifstream file(path);
  EXPECT_TRUE(file.is_open()) << path;
  std::vector<Fields> records;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Fields fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '|');) fields.push_back(field);
    if (line.back() == '|') fields.emplace_back();  // an empty last field
    records.push_back(fields);
  }
  return records;
}

}  // namespace kobal::test
