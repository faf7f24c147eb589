// The format settings as the program finds them on a user's system: run once in the Russian
// prefix and once (TARVISEL_WINE_LOCALE=us) in the US one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "classlib/DateUtils.h"
#include "classlib/Exception.h"
#include "classlib/SysUtils.h"

using namespace classlib;

namespace {

bool UsPrefix() {
  const char* locale = std::getenv("TARVISEL_WINE_LOCALE");
  return locale && std::string(locale) == "us";
}

const TDateTime kMorning = EncodeDate(2011, 12, 28) + EncodeTime(8, 5, 0, 0);
const TDateTime kEvening = EncodeDate(2011, 12, 28) + EncodeTime(20, 5, 0, 0);

}  // namespace

TEST(LocaleSettings, GlobalSettingsComeFromTheUsersRegionalSettings) {
  if (UsPrefix()) {
    EXPECT_EQ(FormatSettings.ShortDateFormat, L"M/d/yyyy");
    EXPECT_EQ(FormatSettings.DecimalSeparator, L'.');
    EXPECT_EQ(FormatSettings.ThousandSeparator, L',');
    EXPECT_EQ(FormatSettings.DateSeparator, L'/');
    EXPECT_EQ(FormatSettings.LongTimeFormat, L"h:mm:ss AMPM");
    EXPECT_EQ(FormatSettings.LongMonthNames[0], L"January");
  } else {
    EXPECT_EQ(FormatSettings.ShortDateFormat, L"dd.MM.yyyy");
    EXPECT_EQ(FormatSettings.DecimalSeparator, L',');
    // A blank, plain or non-breaking, as the prefix's settings have it.
    EXPECT_TRUE(FormatSettings.ThousandSeparator == L' ' || FormatSettings.ThousandSeparator == L'\xA0');
    wchar_t thousand[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    EXPECT_EQ(FormatSettings.ThousandSeparator, thousand[0]);
    EXPECT_EQ(FormatSettings.DateSeparator, L'.');
    EXPECT_EQ(FormatSettings.LongTimeFormat.find(L"AMPM"), std::wstring::npos);
    ASSERT_FALSE(FormatSettings.LongMonthNames[0].empty());
    EXPECT_TRUE(FormatSettings.LongMonthNames[0][0] == L'Я' || FormatSettings.LongMonthNames[0][0] == L'я');
  }
  EXPECT_EQ(FormatSettings.TimeSeparator, L':');
}

TEST(LocaleSettings, TextsOfTheConfiguratorFollowThem) {
  if (UsPrefix()) {
    EXPECT_EQ(DateToStr(kMorning), L"12/28/2011");
    EXPECT_EQ(TimeToStr(kMorning), L"8:05:00 AM");
    EXPECT_EQ(TimeToStr(kEvening), L"8:05:00 PM");
    EXPECT_EQ(FormatFloat(L"#,#0.00", 1234567.891), L"1,234,567.89");
    EXPECT_EQ(StrToFloat(L"1.5"), 1.5);
  } else {
    EXPECT_EQ(DateToStr(kMorning), L"28.12.2011");
    EXPECT_EQ(TimeToStr(kEvening).substr(0, 5), L"20:05");
    const std::wstring group(1, FormatSettings.ThousandSeparator);
    EXPECT_EQ(FormatFloat(L"#,#0.00", 1234567.891), L"1" + group + L"234" + group + L"567,89");
    EXPECT_EQ(FormatFloat(L"#,#0.0", 0.25), L"0,3");
    EXPECT_EQ(StrToFloat(L"1,5"), 1.5);
    EXPECT_THROW(StrToFloat(L"1.5"), EConvertError);
  }
}

TEST(LocaleSettings, DateAndTimeTextsMatchTheSystemsOwn) {
  for (const TDateTime value : {kMorning, kEvening, EncodeDate(2009, 1, 5) + EncodeTime(0, 0, 7, 0)}) {
    int y, m, d, h, n, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(n);
    st.wSecond = static_cast<WORD>(s);
    wchar_t date[80] = {}, time[80] = {};
    ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 80), 0);
    ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 80), 0);
    EXPECT_EQ(DateToStr(value), date);
    EXPECT_EQ(TimeToStr(value), time);
  }
}

TEST(LocaleSettings, NowAgreesWithTheSystemsLocalTime) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const TDateTime now = Now();
  GetLocalTime(&after);
  int y, m, d;
  DecodeDate(now, y, m, d);
  EXPECT_TRUE(y == before.wYear || y == after.wYear);
  EXPECT_TRUE(d == before.wDay || d == after.wDay);
  int h, n, s, ms;
  DecodeTime(now, h, n, s, ms);
  EXPECT_TRUE(h == before.wHour || h == after.wHour);
}
