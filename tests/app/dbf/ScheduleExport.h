#pragma once
// The schedule export's use of the table, step by step as the time-control page saves a row:
// open the table, add the missing fields, append a record and fill it.
#include <array>
#include <cstdint>
#include <string>

#include "app/Dbf_srv.h"

namespace dbf_test {

struct ScheduleField {
  const char* name;
  char type;
  int length;
};
inline constexpr ScheduleField kScheduleFields[] = {{"POINTS", 'N', 4}, {"DATE", 'C', 8}, {"TIME", 'C', 8},
                                                    {"OUTS", 'N', 2},   {"USED", 'N', 1}, {"CYCLE", 'N', 1},
                                                    {"DAY", 'N', 1},    {"ONOFF", 'N', 1}};

struct SchedulePoint {
  int number;
  std::array<std::uint8_t, 3> date;  // year, month, day
  std::array<std::uint8_t, 3> time;  // hours, minutes, seconds
  int mask, mode, cycle, day, done;
};

// False with the table's error on the first step that fails.
inline bool WriteSchedulePoint(const std::wstring& path, const SchedulePoint& row, app::DbfFileSystem& files,
                               app::DbfError* error = nullptr) {
  app::CDBFTable table(path, files);
  const auto failed = [&] {
    if (error) *error = table.LastError();
    return false;
  };
  if (!table.IsOpen()) return failed();
  for (const auto& field : kScheduleFields)
    if (table.FindField(field.name) < 0 && !table.AddField(field.name, field.type, field.length, 0)) return failed();
  const auto index = table.AppendRecord();
  if (index < 0 || !table.ReadRecord(index)) return failed();
  table.SetNumber(0, static_cast<float>(row.number));
  table.SetDate(1, row.date);
  table.SetTime(2, row.time);
  const int numbers[] = {row.mask, row.mode, row.cycle, row.day, row.done};
  for (int i = 0; i < 5; ++i) table.SetNumber(3 + i, static_cast<float>(numbers[i]));
  if (!table.WriteRecord(index)) return failed();
  return true;
}

}  // namespace dbf_test
