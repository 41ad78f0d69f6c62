#include "support/FieldsTable.h"

#include <fstream>

namespace kobal::test {

std::vector<FieldsRow> ReadFieldsTable(const std::string& path) {
  std::ifstream file(path);
  std::vector<FieldsRow> rows;
  for (std::string line; std::getline(file, line);) {
    FieldsRow& cells = rows.emplace_back();
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      cells.push_back(line.substr(start, tab - start));
    }
    cells.push_back(line.substr(start));
  }
  return rows;
}

}  // namespace kobal::test
