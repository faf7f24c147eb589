#pragma once
// The schedule export: list rows appended as records to a dBASE table, one record per point,
// the table created and given its fields when they are missing.
#include <span>
#include <string>

#include "app/Dbf_srv.h"
#include "app/SchedulePoint.h"

namespace app {

struct ScheduleField {
  const char* name;
  char type;
  int length;
  int decimals;
};
// OUTS holds the whole output mask, 0 .. 255, in decimal: two digits would leave every mask from
// 100 up (X7 with others, any mask with X8) blank in the table.
inline constexpr ScheduleField kScheduleFields[] = {{"POINTS", 'N', 4, 0}, {"DATE", 'C', 8, 0}, {"TIME", 'C', 8, 0},
                                                    {"OUTS", 'N', 3, 0},   {"USED", 'N', 1, 0}, {"CYCLE", 'N', 1, 0},
                                                    {"DAY", 'N', 1, 0},    {"ONOFF", 'N', 1, 0}};

struct NumberedRow {
  int point = 0;  // 1 .. 32
  ScheduleRow row;
};

struct ScheduleSaveResult {
  int written = 0;     // records appended and filled
  std::wstring error;  // empty when every row was written
  bool ok() const { return error.empty(); }
};

// Appends the rows to the table at `path`. Before the first record is appended every row is
// checked against the table's fields (a table written earlier may have narrower ones): a value
// that a field cannot hold appends nothing, so the table never gets records with blanked values.
// A file-system failure part way stops there; `written` tells how many rows made it.
ScheduleSaveResult SaveSchedule(const std::wstring& path, std::span<const NumberedRow> rows,
                                DbfFileSystem& files = DiskFiles());

// Status text of a save of `total` rows.
std::wstring SaveResultText(const ScheduleSaveResult& result, int total);

}  // namespace app
