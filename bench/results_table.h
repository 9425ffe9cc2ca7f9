// The benchmark's one table: a row per measurement with its figure, its target and whether the
// figure meets it, printed as a Markdown table so that it can be pasted into the docs as it is.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct TableRow {
  std::string id;           // "a" to "e"
  std::string measurement;  // what was measured
  std::string measured;     // the figure, with what it was made of
  std::string target;
  std::string result;  // "pass", "FAIL", "not judged", "skipped" or "error"
};

// The table's first line, by which a caller can tell that the table was printed.
inline constexpr const char* kTableHeader = "| row | measurement | measured | target | result |";

void PrintTable(const std::vector<TableRow>& rows, std::FILE* out);

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace bench
