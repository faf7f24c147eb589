#include "classlib/DateUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "classlib/Exception.h"

using namespace classlib;

namespace {

TFormatSettings RussianSettings() {
  TFormatSettings s;
  s.DateSeparator = L'.';
  s.ShortDateFormat = L"dd.MM.yyyy";
  s.LongTimeFormat = L"H:mm:ss";
  s.ShortTimeFormat = L"H:mm";
  return s;
}

TFormatSettings UsSettings() {
  TFormatSettings s;
  s.ShortDateFormat = L"M/d/yyyy";
  s.LongTimeFormat = L"h:mm:ss AMPM";
  s.ShortTimeFormat = L"h:mm AMPM";
  return s;
}

}  // namespace

TEST(DateUtils, DatesEncodeToDaysSinceTheEpochAndBack) {
  struct Case {
    int y, m, d;
    double serial;
  } cases[] = {{1899, 12, 30, 0}, {2011, 12, 28, 40905}, {1, 1, 1, -693593},     {9999, 12, 31, 2958465},
               {1900, 3, 1, 61},  {2000, 2, 29, 36585},  {1600, 2, 29, -109512}, {1899, 12, 29, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    int y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ((std::array{y, m, d}), (std::array{c.y, c.m, c.d})) << c.serial;
  }
  EXPECT_EQ(DayOfWeek(EncodeDate(2011, 12, 28)), 4);  // Wednesday
  EXPECT_EQ(DayOfWeek(0), 7);                         // Saturday
  EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST(DateUtils, InvalidPartsAreRefused) {
  TDateTime v = 5;
  for (auto [y, m, d] :
       {std::array{2011, 2, 29}, {1900, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2011, 13, 1}, {2011, 4, 31}, {2011, 1, 0}})
    EXPECT_FALSE(TryEncodeDate(y, m, d, v)) << y << "-" << m << "-" << d;
  EXPECT_EQ(v, 5);
  try {
    EncodeDate(2011, 2, 29);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 1), EConvertError);
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
  EXPECT_EQ(EncodeTime(24, 0, 0, 0), 1.0);
}

TEST(DateUtils, TimesDecodeToTheMillisecond) {
  int h, n, s, ms;
  DecodeTime(EncodeTime(8, 5, 7, 123), h, n, s, ms);
  EXPECT_EQ((std::array{h, n, s, ms}), (std::array{8, 5, 7, 123}));
  DecodeTime(EncodeDate(2011, 12, 28) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ((std::array{h, n, s, ms}), (std::array{23, 59, 59, 999}));
  // Before the epoch the fraction still runs forward.
  const TDateTime before = ComposeDateTime(1899, 12, 29, 6, 0, 0, 0);
  EXPECT_DOUBLE_EQ(before, -1.25);
  int y, m, d;
  DecodeDate(before, y, m, d);
  DecodeTime(before, h, n, s, ms);
  EXPECT_EQ((std::array{y, m, d, h}), (std::array{1899, 12, 29, 6}));
  // Garbage decodes to zeros instead of running off the calendar.
  for (double bad : {1e300, -1e300, std::nan(""), 3e6}) {
    DecodeDate(bad, y, m, d);
    EXPECT_EQ((std::array{y, m, d}), (std::array{0, 0, 0})) << bad;
    EXPECT_FALSE(FormatDateTime(L"dd.mm.yyyy hh:nn", bad).empty());
  }
}

TEST(DateUtils, ShortFormatsUseTheSettings) {
  const TDateTime morning = EncodeDate(2011, 12, 28) + EncodeTime(8, 5, 0, 0);
  const TDateTime afternoon = EncodeDate(2011, 12, 28) + EncodeTime(13, 5, 9, 0);
  EXPECT_EQ(DateToStr(morning, RussianSettings()), L"28.12.2011");
  EXPECT_EQ(TimeToStr(morning, RussianSettings()), L"8:05:00");
  EXPECT_EQ(DateTimeToStr(morning, RussianSettings()), L"28.12.2011 8:05:00");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2011, 12, 28), RussianSettings()), L"28.12.2011");
  EXPECT_EQ(DateToStr(morning, UsSettings()), L"12/28/2011");
  EXPECT_EQ(TimeToStr(morning, UsSettings()), L"8:05:00 AM");
  EXPECT_EQ(TimeToStr(afternoon, UsSettings()), L"1:05:09 PM");
  EXPECT_EQ(TimeToStr(EncodeTime(0, 30, 0, 0), UsSettings()), L"12:30:00 AM");
}

TEST(DateUtils, PictureLanguage) {
  TFormatSettings s;  // neutral: '/', ':', English names
  s.DateSeparator = L'-';
  const TDateTime v = EncodeDate(2011, 3, 7) + EncodeTime(14, 5, 9, 45);
  struct Case {
    const wchar_t* format;
    const wchar_t* text;
  } cases[] = {
      {L"yyyy/mm/dd hh:nn:ss.zzz", L"2011-03-07 14:05:09.045"},
      {L"d.m.yy h:n:s z", L"7.3.11 14:5:9 45"},
      {L"dddd, d mmmm yyyy", L"Monday, 7 March 2011"},
      {L"ddd mmm", L"Mon Mar"},
      {L"hh:mm", L"14:05"},  // m after an hour is the minute
      {L"HH:MM 'at' DD", L"14:05 at 07"},
      {L"h:mm am/pm", L"2:05 pm"},
      {L"h:mm A/P", L"2:05 P"},
      {L"hh AMPM", L"02 PM"},
      {L"\"dd\" dd", L"dd 07"},
      {L"ddddd", L"03-07-2011"},
      {L"t", L"14:05"},
      {L"tt", L"14:05:09"},
      {L"c", L"03-07-2011 14:05:09"},
      {L"x#!", L"x#!"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, v, s), c.text) << c.format;

  TFormatSettings looping;
  looping.ShortDateFormat = L"c";
  looping.LongTimeFormat = L"ddddd";
  EXPECT_NO_THROW(FormatDateTime(L"c", v, looping));
}

TEST(DateUtils, LocalePicturesBecomeFormats) {
  EXPECT_EQ(LocalePictureToFormat(L"h:mm:ss tt"), L"h:mm:ss AMPM");
  EXPECT_EQ(LocalePictureToFormat(L"dd.MM.yyyy"), L"dd.MM.yyyy");
  EXPECT_EQ(LocalePictureToFormat(L"gg yyyy/MM/dd"), L"yyyy/MM/dd");
  EXPECT_EQ(LocalePictureToFormat(L"'t'HH"), L"'t'HH");
}

TEST(DateUtils, NowFollowsTheSystemClock) {
  const TDateTime now = Now();
  const double utcDays = static_cast<double>(std::time(nullptr)) / 86400.0 + 25569;
  EXPECT_LT(std::fabs(now - utcDays), 1.0);  // within the time zone's offset
  EXPECT_LE(Date(), now);
  EXPECT_GE(Time(), 0.0);
  EXPECT_LT(Time(), 1.0);
}
