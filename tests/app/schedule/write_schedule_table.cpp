// Writes a schedule table the way the export does, for the dBASE reader checks:
//   write_schedule_table FILE   (an ASCII path; the file is created or appended to)
#include <cstdio>
#include <string>

#include "tests/app/dbf/ScheduleExport.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_schedule_table FILE\n");
    return 2;
  }
  const std::string name = argv[1];
  const std::wstring path(name.begin(), name.end());
  const dbf_test::SchedulePoint rows[] = {
      {1, {11, 12, 28}, {8, 5, 0}, 0x05, 2, 0, 0, 0},   // one-time, switch off, X1 and X3
      {2, {11, 12, 3}, {8, 30, 0}, 0x05, 1, 3, 3, 1},   // weekly on day 3, done
      {32, {0, 0, 0}, {0, 0, 0}, 0xFF, 0, 4, 0, 0},     // mask 255 does not fit OUTS N 2
  };
  for (const auto& row : rows) {
    app::DbfError error = app::DbfError::None;
    if (!dbf_test::WriteSchedulePoint(path, row, app::DiskFiles(), &error)) {
      std::fprintf(stderr, "write_schedule_table: row %d failed (error %d)\n", row.number, static_cast<int>(error));
      return 1;
    }
  }
  return 0;
}
