// A schedule point from the unit's bytes to the point group, to a list row and back.
#include <gtest/gtest.h>

#include <vector>

#include "app/SchedulePoint.h"

using namespace app;

namespace {

PointRecord Point(std::array<std::uint8_t, 8> bytes) { return PointRecord::FromBytes(bytes); }

std::vector<std::wstring> SubItems(const ScheduleRow& row) {
  const auto texts = RowSubItems(row);
  return {texts.begin(), texts.end()};
}

TEST(SchedulePoint, WeeklySwitchOnShowsInThePointGroup) {
  const PointRecord p = Point({0x31, 0x05, 0x11, 0x12, 0x03, 0x08, 0x30, 0x00});
  const PointView v = ViewOfPoint(p);
  EXPECT_EQ(v.date, L"03.12.11");
  EXPECT_EQ(v.time, L"08:30:00");
  EXPECT_EQ(v.mode, kModeOn);
  EXPECT_EQ(v.cycle, kCycleWeekly);
  EXPECT_EQ(v.weekdayIndex, 2);
  EXPECT_EQ(v.mask, L"05");
  EXPECT_FALSE(v.done);
}

TEST(SchedulePoint, FlagsOutsideTheListedValuesLeaveTheButtons) {
  const PointView v = ViewOfPoint(Point({0xF3, 0xA0, 0x11, 0x12, 0x28, 0x23, 0x59, 0x58}));
  EXPECT_FALSE(v.mode);   // mode 3
  EXPECT_FALSE(v.cycle);  // cycle 7
  EXPECT_TRUE(v.done);
  EXPECT_EQ(v.mask, L"A0");
  EXPECT_EQ(v.weekdayIndex, -1);
  // A weekly point whose day byte has no weekday in its low nibble selects no day.
  EXPECT_EQ(ViewOfPoint(Point({0x31, 0, 0, 0, 0x10, 0, 0, 0})).weekdayIndex, -1);
}

TEST(SchedulePoint, ListRowsShowPlainNumbers) {
  const struct {
    std::array<std::uint8_t, 8> bytes;
    std::vector<std::wstring> texts;
    bool done;
  } cases[] = {
      {{0x31, 0x05, 0x11, 0x12, 0x03, 0x08, 0x30, 0x00},
       {L"11.12.3", L"8:30:0", L"05", L"вкл", L"неделя", L"3"},
       false},
      {{0x02, 0x01, 0x11, 0x12, 0x28, 0x08, 0x05, 0x00}, {L"11.12.28", L"8:5:0", L"01", L"выкл", L"нет", L"0"}, false},
      {{0xC0, 0xFF, 0x99, 0x01, 0x31, 0x23, 0x59, 0x59},
       {L"99.1.31", L"23:59:59", L"FF", L"не исп.", L"месяц", L"0"},
       true},
      // mode 3 and cycle 7 list as not used and once
      {{0x73, 0x80, 0x11, 0x12, 0x28, 0x00, 0x00, 0x00},
       {L"11.12.28", L"0:0:0", L"80", L"не исп.", L"нет", L"0"},
       false},
      // a read that timed out: 0xFF filler
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       {L"165.165.165", L"165:165:165", L"FF", L"не исп.", L"нет", L"0"},
       true},
  };
  for (const auto& c : cases) {
    const ScheduleRow row = RowOfPoint(Point(c.bytes));
    EXPECT_EQ(SubItems(row), c.texts);
    EXPECT_EQ(row.done, c.done);
    // Whatever the list shows reads back as the same row.
    const auto texts = SubItems(row);
    EXPECT_EQ(RowFromSubItems(texts, row.done), row);
  }
  ScheduleRow weekly = RowOfPoint(Point({0x31, 0x05, 0x11, 0x12, 0x03, 0x08, 0x30, 0x00}));
  EXPECT_EQ(weekly.day, 3);
  weekly.day = 12;  // a day byte the unit should not hold still shows and reads back
  EXPECT_EQ(RowSubItems(weekly)[5], L"C");
  EXPECT_EQ(RowFromSubItems(SubItems(weekly), false)->day, 12);
}

TEST(SchedulePoint, TextsThatNoRowWritesReadAsNoPoint) {
  const std::vector<std::wstring> good = {L"11.12.28", L"8:5:0", L"01", L"выкл", L"нет", L"0"};
  ASSERT_TRUE(RowFromSubItems(good, false));
  // The placeholder row of the list.
  EXPECT_FALSE(RowFromSubItems(std::vector<std::wstring>{L"--.--.--", L"--:--:--", L"XX", L"-"}, false));
  EXPECT_FALSE(RowFromSubItems(std::vector<std::wstring>(good.begin(), good.end() - 1), false));
  const struct {
    std::size_t column;
    const wchar_t* text;
  } bad[] = {{0, L"11.12"}, {0, L"11.12.28.1"}, {0, L"256.1.1"}, {0, L"-1.2.3"},   {0, L"1..3"}, {0, L"1.2.3 "},
             {0, L""},      {1, L"8:5"},        {1, L"8.5.0"},   {1, L"0008:5:0"}, {2, L"G0"},   {2, L"100"},
             {2, L""},      {3, L"ВКЛ"},        {3, L"-"},       {4, L"год"},      {5, L""},     {5, L"100"}};
  for (const auto& b : bad) {
    auto texts = good;
    texts[b.column] = b.text;
    EXPECT_FALSE(RowFromSubItems(texts, false)) << b.column << " " << testing::PrintToString(std::wstring(b.text));
  }
}

TEST(SchedulePoint, SetSendsTheTypedDateAndTimeAsBcd) {
  const auto date = ParseDateText(L"28.12.2011");
  const auto time = ParseTimeText(L"8:05:00");
  ASSERT_TRUE(date && time);
  const auto once = MakePointRecord(kModeOff, kCycleOnce, 0x05, *date, *time, 3).Bytes();
  EXPECT_EQ(once, (std::array<std::uint8_t, 8>{0x02, 0x05, 0x11, 0x12, 0x28, 0x08, 0x05, 0x00}));
  // Weekly: the day byte carries the day of the week instead of the date's day.
  const auto weekly = MakePointRecord(kModeOn, kCycleWeekly, 0x05, *date, *time, 3).Bytes();
  EXPECT_EQ(weekly, (std::array<std::uint8_t, 8>{0x31, 0x05, 0x11, 0x12, 0x03, 0x08, 0x05, 0x00}));
  const auto monthly = MakePointRecord(kModeOn, kCycleMonthly, 0xFF, *date, *time, 1).Bytes();
  EXPECT_EQ(monthly[0], 0x41);
  EXPECT_EQ(monthly[4], 0x28);
  // What Set sends is what Get then shows.
  const PointView v = ViewOfPoint(Point(weekly));
  EXPECT_EQ(v.time, L"08:05:00");
  EXPECT_EQ(v.weekdayIndex, 2);
}

}  // namespace
