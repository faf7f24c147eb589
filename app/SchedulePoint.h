#pragma once
// The unit's 32 schedule points: the 8-byte record of one point, what the point group of the
// time-control page shows of it, and the list rows that carry the points to the schedule table.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/ClockText.h"

namespace app {

inline constexpr int kSchedulePoints = 32;
// Point p (0 .. 31) is the object at register 80 + p, four registers long.
inline constexpr std::uint16_t kScheduleRegister = 80;
inline constexpr std::uint8_t kPointRegisters = 4;

// Modes (bits 0-1 of the flags byte) and cycles (bits 4-6).
inline constexpr int kModeNotUsed = 0, kModeOn = 1, kModeOff = 2;
inline constexpr int kCycleOnce = 0, kCycleHourly = 1, kCycleDaily = 2, kCycleWeekly = 3, kCycleMonthly = 4;

// One point in line order: flags, output mask (bit 0 = X1), then year, month, day (the day of the
// week for a weekly point), hours, minutes, seconds, all BCD.
struct PointRecord {
  std::uint8_t flags = 0;
  std::uint8_t mask = 0;
  std::uint8_t year = 0, month = 0, day = 0, hours = 0, minutes = 0, seconds = 0;

  static PointRecord FromBytes(std::span<const std::uint8_t, 8> bytes);
  std::array<std::uint8_t, 8> Bytes() const;
  int Mode() const { return flags & 0x03; }
  int Cycle() const { return (flags >> 4) & 0x07; }
  // A one-time point that the unit has carried out.
  bool Done() const { return (flags & 0x80) != 0; }
};

// The record that "Set" sends. The done bit is never sent; for a weekly point the day byte is the
// day of the week (1 .. 7), otherwise the date's day.
PointRecord MakePointRecord(int mode, int cycle, std::uint8_t mask, const BcdDate& date, const BcdTime& time,
                            std::uint8_t weekday);

// What the point group shows after "Get".
struct PointView {
  std::wstring date;         // "dd.mm.yy" from the BCD bytes
  std::wstring time;         // "hh:mm:ss"
  std::optional<int> mode;   // 0 .. 2; mode 3 leaves the mode buttons as they are
  std::optional<int> cycle;  // 0 .. 4; cycles 5 .. 7 leave the cycle buttons as they are
  int weekdayIndex = -1;     // item of the day-of-week list for a weekly point: low nibble − 1
  bool done = false;
  std::wstring mask;  // two upper-case hex digits
};
PointView ViewOfPoint(const PointRecord& point);

// One row of the point list: the point's values as plain numbers.
struct ScheduleRow {
  std::array<std::uint8_t, 3> date{};  // year, month, day
  std::array<std::uint8_t, 3> time{};  // hours, minutes, seconds
  std::uint8_t mask = 0;
  int mode = kModeNotUsed;  // 0 .. 2
  int cycle = kCycleOnce;   // 0 .. 4
  int day = 0;              // day of the week of a weekly point, else 0
  bool done = false;

  friend bool operator==(const ScheduleRow&, const ScheduleRow&) = default;
};
// Mode 3 lists as not used, cycles 5 .. 7 as once; the BCD bytes become numbers.
ScheduleRow RowOfPoint(const PointRecord& point);

// List texts of the mode and the cycle: "не исп.", "вкл", "выкл" and "нет", "час", "день",
// "неделя", "месяц"; values outside these read as the first.
std::wstring ModeText(int mode);
std::wstring CycleText(int cycle);

// Texts of the list columns after the first ("Date", "Time", "Outs", "Used", "Cycle", "Day"); the
// first column is the point's number and the check box shows the done bit.
inline constexpr int kRowSubItems = 6;
std::array<std::wstring, kRowSubItems> RowSubItems(const ScheduleRow& row);
// The row back from its texts; nothing when they are not what RowSubItems writes (the placeholder
// row that the list holds before the first "Get DB" never reads as a point).
std::optional<ScheduleRow> RowFromSubItems(std::span<const std::wstring> subItems, bool done);

}  // namespace app
