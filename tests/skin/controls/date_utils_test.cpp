// The date edits' routines with fixed conventions and a fixed year (2026): calendar facts, formats
// and masks by the date order, two-digit years, month names, masked and free-form date texts.
// Expected serial numbers count days from 30.12.1899 (1.1.2023 is 44927).
#include <gtest/gtest.h>

#include <string>

#include "skin/controls/Sdateutils.h"

namespace skin {
namespace {

using classlib::TFormatSettings;

TFormatSettings Settings(const wchar_t* shortDate, wchar_t sep) {
  TFormatSettings s;
  s.ShortDateFormat = shortDate;
  s.DateSeparator = sep;
  return s;
}

std::string Narrow(std::wstring_view w) { return std::string(w.begin(), w.end()); }

TEST(DateUtils, CalendarRoutines) {
  EXPECT_EQ(DaysPerMonth(2024, 2), 29);
  EXPECT_EQ(DaysPerMonth(2100, 2), 28);
  EXPECT_EQ(DaysPerMonth(2000, 2), 29);
  EXPECT_EQ(DaysPerMonth(2023, 4), 30);
  EXPECT_EQ(DaysPerMonth(2023, 12), 31);
  // Months outside the year have no days, rather than a value read beside the table.
  EXPECT_EQ(DaysPerMonth(2023, 0), 0);
  EXPECT_EQ(DaysPerMonth(2023, 13), 0);
  EXPECT_EQ(DaysPerMonth(2023, -5), 0);

  const TDateTime christmas = 45285;  // 25.12.2023
  EXPECT_EQ(ExtractDay(christmas), 25);
  EXPECT_EQ(ExtractMonth(christmas), 12);
  EXPECT_EQ(ExtractYear(christmas), 2023);
  EXPECT_EQ(GetKvartal(christmas), 4);
  EXPECT_EQ(GetKvartal(44927), 1);                          // 1.1.2023
  EXPECT_EQ(GetKvartal(44927 + 90), 2);                     // 1.4.2023
  EXPECT_EQ(FirstDayOfCurrMonth(christmas + 0.75), 45261);  // 1.12.2023
  EXPECT_EQ(LastDayOfPrMonth(45352 + 10), 45351);           // 29.2.2024 before 11.3.2024

  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  EXPECT_FALSE(IsValidDate(2023, 2, 29));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
  EXPECT_FALSE(IsValidDate(10000, 1, 1));
  EXPECT_FALSE(IsValidDate(2023, 13, 1));
  EXPECT_TRUE(ValidDate(christmas));
  EXPECT_FALSE(ValidDate(1e9));
}

TEST(DateUtils, OrderFormatsAndMasksFollowTheShortDateFormat) {
  struct Case {
    const wchar_t* shortDate;
    TDateOrder order;
    const wchar_t *format4, *format2, *mask4, *mask2;
  };
  const Case cases[] = {
      {L"dd.MM.yyyy", TDateOrder::doDMY, L"DD/MM/YYYY", L"DD/MM/YY", L"!99/99/9999;1;_", L"!99/99/99;1;_"},
      {L"M/d/yy", TDateOrder::doMDY, L"MM/DD/YYYY", L"MM/DD/YY", L"!99/99/9999;1;_", L"!99/99/99;1;_"},
      {L"yyyy-MM-dd", TDateOrder::doYMD, L"YYYY/MM/DD", L"YY/MM/DD", L"!9999/99/99;1;_", L"!99/99/99;1;_"},
      {L"(none)", TDateOrder::doDMY, L"DD/MM/YYYY", L"DD/MM/YY", L"!99/99/9999;1;_", L"!99/99/99;1;_"},
  };
  for (const Case& c : cases) {
    const TFormatSettings s = Settings(c.shortDate, L'.');
    EXPECT_EQ(GetDateOrder(c.shortDate), c.order) << Narrow(c.shortDate);
    EXPECT_EQ(DefDateFormat(true, s), c.format4) << Narrow(c.shortDate);
    EXPECT_EQ(DefDateFormat(false, s), c.format2) << Narrow(c.shortDate);
    EXPECT_EQ(DefDateMask(L'_', true, s), c.mask4) << Narrow(c.shortDate);
    EXPECT_EQ(DefDateMask(L'_', false, s), c.mask2) << Narrow(c.shortDate);
  }
}

TEST(DateUtils, TwoDigitYearsFallIntoTheWindowAroundThisYear) {
  EXPECT_EQ(ExpandYear(50, 2026), 2050);
  EXPECT_EQ(ExpandYear(70, 2026), 1970);
  EXPECT_EQ(ExpandYear(66, 2026), 1966);
  EXPECT_EQ(ExpandYear(65, 2026), 2065);
  EXPECT_EQ(ExpandYear(0, 2026), 2000);
  EXPECT_EQ(ExpandYear(99, 2026), 1999);
  EXPECT_EQ(ExpandYear(1999, 2026), 1999);
  EXPECT_EQ(ExpandYear(100, 2026), 100);
  // A blank or unreadable year stays unreadable rather than becoming 1999.
  EXPECT_EQ(ExpandYear(-1, 2026), -1);
}

TEST(DateUtils, MonthNamesMatchByTheirStartIgnoringCase) {
  TFormatSettings s;
  EXPECT_EQ(MonthFromName(L"MAR", 3, s), 3);
  EXPECT_EQ(MonthFromName(L"ju", 2, s), 6);
  EXPECT_EQ(MonthFromName(L"Jul", 3, s), 7);
  EXPECT_EQ(MonthFromName(L"December", 8, s), 12);
  EXPECT_EQ(MonthFromName(L"Foo", 3, s), 0);
  EXPECT_EQ(MonthFromName(L"", 3, s), 0);
  s.LongMonthNames[0] = L"Январь";
  EXPECT_EQ(MonthFromName(L"ЯНВ", 3, s), 1);
}

TEST(DateUtils, DatesTypedIntoAMaskOrFreely) {
  const TFormatSettings dmy = Settings(L"dd/MM/yyyy", L'/');
  const TDateEnv env{dmy, 2026};
  struct Case {
    const wchar_t *format, *text;
    bool ok;
    int d, m, y;
  };
  const Case cases[] = {
      {L"DD/MM/YYYY", L"25/12/2023", true, 25, 12, 2023}, {L"DD/MM/YY", L"25/12/23", true, 25, 12, 2023},
      {L"DD/MM/YY", L"25/12/70", true, 25, 12, 1970},     {L"DD/MMM/YYYY", L"05/Mar/2024", true, 5, 3, 2024},
      {L"DD/MM/YYYY", L"25/12/    ", false, 0, 0, 0},   // blank year: not a date
      {L"DD/MM/YY", L"25/12/ab", false, 0, 0, 0},       // unreadable year: not a date either
      {L"DD/MM/YYYY", L"25/12/20231", false, 0, 0, 0},  // longer than the mask; digits after the year
      {L"DD/MM/YYYY", L"5/3", true, 5, 3, 2026},        // free form, two numbers: this year
      {L"DD/MM/YYYY", L" 5 / 3 / 24 ", true, 5, 3, 2024}, {L"DD/MM/YYYY", L"31/02/2024", false, 0, 0, 0},
      {L"DD/MM/YYYY", L"5/3x", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    int d = 0, m = 0, y = 0;
    const bool ok = ScanDateStr(c.format, c.text, d, m, y, env);
    EXPECT_EQ(ok, c.ok) << Narrow(c.text);
    if (ok && c.ok) {
      EXPECT_EQ(d, c.d) << Narrow(c.text);
      EXPECT_EQ(m, c.m) << Narrow(c.text);
      EXPECT_EQ(y, c.y) << Narrow(c.text);
    }
  }
  // Month-day-year order reads the free form the other way round.
  const TFormatSettings mdy = Settings(L"MM/dd/yyyy", L'/');
  int d = 0, m = 0, y = 0;
  EXPECT_TRUE(ScanDateStr(L"MM/DD/YYYY", L"3/5", d, m, y, TDateEnv{mdy, 2026}));
  EXPECT_EQ(d, 5);
  EXPECT_EQ(m, 3);
}

TEST(DateUtils, StrToDateEncodesOrReportsFailure) {
  const TFormatSettings dmy = Settings(L"dd.MM.yyyy", L'.');
  const TDateEnv env{dmy, 2026};
  TDateTime date = -7;
  EXPECT_TRUE(InternalStrToDate(L"DD/MM/YYYY", L"", date, env));
  EXPECT_EQ(date, NullDate);
  EXPECT_TRUE(InternalStrToDate(L"DD/MM/YYYY", L"25/12/2023", date, env));
  EXPECT_EQ(date, 45285);
  EXPECT_TRUE(InternalStrToDate(L"DD/MM/YYYY", L"1.3.2024", date, env));
  EXPECT_EQ(date, 45352);
  date = -7;
  EXPECT_FALSE(InternalStrToDate(L"DD/MM/YYYY", L"30.2.2024", date, env));
  EXPECT_EQ(date, -7);
}

TEST(DateUtils, Scanners) {
  int pos = 1, n = 0;
  EXPECT_TRUE(ScanNumber(L"  123456", 8, pos, n));
  EXPECT_EQ(n, 1234);  // reading stops once the value passes 999
  EXPECT_EQ(pos, 7);
  pos = 1;
  EXPECT_TRUE(ScanNumber(L"98765", 2, pos, n));
  EXPECT_EQ(n, 98);
  EXPECT_EQ(pos, 3);
  pos = 1;
  EXPECT_FALSE(ScanNumber(L"  x", 4, pos, n));
  EXPECT_EQ(pos, 3);
  pos = 1;
  EXPECT_TRUE(ScanChar(L"  /", pos, L'/'));
  EXPECT_EQ(pos, 4);
  EXPECT_FALSE(ScanChar(L"/", pos, L'/'));
  pos = 2;
  ScanBlanks(L"a  \tb", pos);
  EXPECT_EQ(pos, 4);  // spaces only
}

}  // namespace
}  // namespace skin
