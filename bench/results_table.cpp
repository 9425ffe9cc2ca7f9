#include "results_table.h"

#include <cstdarg>

namespace bench {

void PrintTable(const std::vector<TableRow>& rows, std::FILE* out) {
  std::fprintf(out, "%s\n|---|---|---|---|---|\n", kTableHeader);
  for (const TableRow& row : rows)
    std::fprintf(out, "| %s | %s | %s | %s | %s |\n", row.id.c_str(), row.measurement.c_str(),
                 row.measured.c_str(), row.target.c_str(), row.result.c_str());
  std::fflush(out);
}

std::string Format(const char* format, ...) {
  char text[512];
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

}  // namespace bench
