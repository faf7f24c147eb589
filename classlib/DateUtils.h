#pragma once
// Dates and times as the platform keeps them: a TDateTime is a double whose integer part counts
// days since 30.12.1899 and whose fraction is the time of day (0.5 is noon). Before that day the
// integer part counts back and the fraction still runs forward: -1.25 is 29.12.1899 06:00.
#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"

namespace classlib {

using TDateTime = double;

// The local date and time from the system clock; Date without, Time only the time of day.
TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int millisecond);

// Years 1..9999. EncodeDate raises EConvertError "Invalid argument to date encode".
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
// Hours 0..23 (or 24:00:00.000, the end of the day). EConvertError "Invalid argument to time encode".
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// Values outside 1.1.0001..31.12.9999 (and NaN) decode to all zeros.
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);

// The platform's picture language, letters in either case:
//   d dd ddd dddd   day, two-digit day, short and long day name; ddddd short date, dddddd long date
//   m mm mmm mmmm   month, two-digit month, short and long name; m/mm after an hour are minutes
//   yy yyyy         year; h hh (H HH) hour; n nn minute; s ss second; z zzz millisecond
//   t tt            short and long time format; c  short date and long time (time left out at 00:00)
//   am/pm a/p ampm  half-day marker (and the hours count to 12); / : the date and time separators
//   'text' "text"   literal; any other character is itself
std::wstring FormatDateTime(std::wstring_view format, TDateTime value);
std::wstring FormatDateTime(std::wstring_view format, TDateTime value, const TFormatSettings& settings);
// ShortDateFormat, LongTimeFormat, and both separated by a blank.
std::wstring DateToStr(TDateTime date);
std::wstring DateToStr(TDateTime date, const TFormatSettings& settings);
std::wstring TimeToStr(TDateTime time);
std::wstring TimeToStr(TDateTime time, const TFormatSettings& settings);
std::wstring DateTimeToStr(TDateTime value);
std::wstring DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Conversion between a TDateTime and its parts, exposed for the clock sources.
TDateTime ComposeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);

}  // namespace classlib
