#include "app/ClockText.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

TEST(ClockText, UnitBytesShowAsDigits) {
  EXPECT_EQ(BcdDateText(0x28, 0x12, 0x11), L"28.12.11");
  EXPECT_EQ(BcdTimeText(0x09, 0x05, 0x07), L"09:05:07");
  EXPECT_EQ(BcdText(0x05), L"05");
  EXPECT_EQ(BcdToInt(0x59), 59);
  EXPECT_EQ(IntToBcd(2011), 0x11);
}

TEST(ClockText, DateFormsTheEngineerTypes) {
  const struct {
    const wchar_t* text;
    std::uint8_t day, month, year;
  } cases[] = {
      {L"28.12.11", 0x28, 0x12, 0x11},  {L"28.12.2011", 0x28, 0x12, 0x11}, {L"5.03.09", 0x05, 0x03, 0x09},
      {L"5.03.2009", 0x05, 0x03, 0x09}, {L"28.12", 0x28, 0x12, 0x00},      {L"1.2", 0x01, 0x00, 0x00},
      {L"28.12.201", 0x28, 0x12, 0x00},  // an unknown length supplies no year
  };
  for (const auto& c : cases) {
    const auto d = ParseDateText(c.text);
    ASSERT_TRUE(d) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(d->day, c.day);
    EXPECT_EQ(d->month, c.month);
    EXPECT_EQ(d->year, c.year);
  }
}

TEST(ClockText, TimeFormsTheEngineerTypes) {
  const struct {
    const wchar_t* text;
    std::uint8_t h, m, s;
  } cases[] = {{L"09:05:07", 0x09, 0x05, 0x07},
               {L"8:05:00", 0x08, 0x05, 0x00},
               {L"1:2", 0x01, 0x00, 0x00},
               {L"23:59", 0x23, 0x59, 0x00}};
  for (const auto& c : cases) {
    const auto t = ParseTimeText(c.text);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hours, c.h);
    EXPECT_EQ(t->minutes, c.m);
    EXPECT_EQ(t->seconds, c.s);
  }
}

TEST(ClockText, TextsThatAreNotDatesGiveNothing) {
  for (const wchar_t* bad : {L"", L"281211", L"12/10/2026", L"2a.12.11", L".12.11", L"28.1x.11"})
    EXPECT_FALSE(ParseDateText(bad)) << testing::PrintToString(std::wstring(bad));
  for (const wchar_t* bad : {L"", L"0905", L"9:05 PM", L"ab:cd"})
    EXPECT_FALSE(ParseTimeText(bad)) << testing::PrintToString(std::wstring(bad));
}

TEST(ClockText, LoadedTextsAreReadBackWhateverTheLocale) {
  const auto d = ParseDateText(DayMonthYearText(2026, 12, 10));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->day, 0x10);
  EXPECT_EQ(d->month, 0x12);
  EXPECT_EQ(d->year, 0x26);
  const auto t = ParseTimeText(TwentyFourHourText(15, 4, 9));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->hours, 0x15);
  EXPECT_EQ(t->seconds, 0x09);
}

}  // namespace
