#include "classlib/DateUtils.h"

#include <cmath>

#include "classlib/Exception.h"
#include "classlib/FormatPicture.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers of 1.1.0001 and 31.12.9999.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kLastDay = 2958465;

// Days since 30.12.1899 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  const std::int64_t z = days - 25569 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Splits a TDateTime into its day number and the milliseconds of that day; false when the value
// lies outside the years 1..9999.
bool Split(TDateTime value, std::int64_t& days, std::int64_t& ms) {
  if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(kLastDay + 1)) return false;
  const auto total = static_cast<std::int64_t>(std::llround(std::fabs(value) * kMsPerDay));
  days = total / kMsPerDay;
  ms = total % kMsPerDay;
  if (value < 0) days = -days;
  return days >= kFirstDay && days <= kLastDay;
}

std::wstring Padded(int value, int width) {
  std::wstring text = IntToStr(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), L'0');
  return text;
}

bool StartsWithNoCase(std::wstring_view text, std::size_t at, std::wstring_view word) {
  return text.size() - at >= word.size() && SameText(text.substr(at, word.size()), word);
}

// Whether the picture holds a half-day marker, which turns the hours to a 12-hour clock.
bool HasHalfDayMarker(std::wstring_view format) {
  bool found = false;
  ForEachUnquoted(format, [&](std::size_t i) {
    found = StartsWithNoCase(format, i, L"am/pm") || StartsWithNoCase(format, i, L"a/p") ||
            StartsWithNoCase(format, i, L"ampm");
    return !found;
  });
  return found;
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& settings) : settings_(settings) {
    std::int64_t days = 0, ms = 0;
    if (Split(value, days, ms)) {
      CivilFromDays(days, year_, month_, day_);
      dayOfWeek_ = static_cast<int>(((days % 7) + 7 + 6) % 7);  // 0 = Sunday
      hour_ = static_cast<int>(ms / 3600000);
      minute_ = static_cast<int>(ms / 60000 % 60);
      second_ = static_cast<int>(ms / 1000 % 60);
      millisecond_ = static_cast<int>(ms % 1000);
    }
  }

  // Nested pictures (c, ddddd, t...) are followed two levels deep, no further: settings whose
  // pictures name each other must not recurse without end.
  void Append(std::wstring_view format, int depth) {
    if (depth > 2) return;
    const bool twelveHour = HasHalfDayMarker(format);
    bool afterHour = false;
    std::size_t i = 0;
    while (i < format.size()) {
      const wchar_t c = format[i];
      const wchar_t upper = UpCaseChar(c);
      std::size_t run = 1;
      while (i + run < format.size() && UpCaseChar(format[i + run]) == upper) ++run;
      switch (upper) {
        case L'\'':
        case L'"': {
          std::size_t end = format.find(c, i + 1);
          if (end == std::wstring_view::npos) end = format.size();
          out_ += format.substr(i + 1, end - i - 1);
          i = end + 1;
          continue;
        }
        case L'A':
          if (StartsWithNoCase(format, i, L"am/pm")) {
            const bool lower = format[i] == L'a';
            out_ += hour_ < 12 ? (lower ? L"am" : L"AM") : (lower ? L"pm" : L"PM");
            i += 5;
          } else if (StartsWithNoCase(format, i, L"a/p")) {
            const bool lower = format[i] == L'a';
            out_ += hour_ < 12 ? (lower ? L"a" : L"A") : (lower ? L"p" : L"P");
            i += 3;
          } else if (StartsWithNoCase(format, i, L"ampm")) {
            out_ += hour_ < 12 ? settings_.TimeAMString : settings_.TimePMString;
            i += 4;
          } else {
            out_.push_back(c);
            ++i;
          }
          continue;
        case L'C':
          Append(settings_.ShortDateFormat, depth + 1);
          if (hour_ || minute_ || second_ || millisecond_) {
            out_.push_back(L' ');
            Append(settings_.LongTimeFormat, depth + 1);
          }
          i += 1;
          continue;
        case L'D':
          if (run == 1)
            out_ += IntToStr(day_);
          else if (run == 2)
            out_ += Padded(day_, 2);
          else if (run == 3)
            out_ += settings_.ShortDayNames[static_cast<std::size_t>(dayOfWeek_)];
          else if (run == 4)
            out_ += settings_.LongDayNames[static_cast<std::size_t>(dayOfWeek_)];
          else if (run == 5)
            Append(settings_.ShortDateFormat, depth + 1);
          else
            Append(settings_.LongDateFormat, depth + 1);
          afterHour = false;
          i += run;
          continue;
        case L'M':
          if (afterHour && run <= 2) {
            out_ += run == 1 ? IntToStr(minute_) : Padded(minute_, 2);
          } else {
            run = std::min<std::size_t>(run, 4);
            if (run == 1)
              out_ += IntToStr(month_);
            else if (run == 2)
              out_ += Padded(month_, 2);
            else if (month_ >= 1)
              out_ += (run == 3 ? settings_.ShortMonthNames
                                : settings_.LongMonthNames)[static_cast<std::size_t>(month_ - 1)];
          }
          afterHour = false;
          i += run;
          continue;
        case L'Y':
          out_ += run <= 2 ? Padded(year_ % 100, 2) : Padded(year_, 4);
          afterHour = false;
          i += run;
          continue;
        case L'H': {
          run = std::min<std::size_t>(run, 2);
          int hour = hour_;
          if (twelveHour) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          out_ += run == 1 ? IntToStr(hour) : Padded(hour, 2);
          afterHour = true;
          i += run;
          continue;
        }
        case L'N':
          run = std::min<std::size_t>(run, 2);
          out_ += run == 1 ? IntToStr(minute_) : Padded(minute_, 2);
          afterHour = false;
          i += run;
          continue;
        case L'S':
          run = std::min<std::size_t>(run, 2);
          out_ += run == 1 ? IntToStr(second_) : Padded(second_, 2);
          afterHour = false;
          i += run;
          continue;
        case L'Z':
          out_ += run >= 3 ? Padded(millisecond_, 3) : IntToStr(millisecond_);
          i += run >= 3 ? 3 : 1;
          continue;
        case L'T':
          run = std::min<std::size_t>(run, 2);
          Append(run == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth + 1);
          i += run;
          continue;
        case L'/':
          out_.push_back(settings_.DateSeparator);
          ++i;
          continue;
        case L':':
          out_.push_back(settings_.TimeSeparator);
          ++i;
          continue;
        default:
          out_.push_back(c);
          ++i;
          continue;
      }
    }
  }

  std::wstring Take() { return std::move(out_); }

 private:
  const TFormatSettings& settings_;
  int year_ = 0, month_ = 0, day_ = 0, dayOfWeek_ = 0;
  int hour_ = 0, minute_ = 0, second_ = 0, millisecond_ = 0;
  std::wstring out_;
};

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInAMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
  if (hour == 24) return minute == 0 && second == 0 && millisecond == 0;
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && millisecond >= 0 &&
         millisecond < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (!IsValidDate(year, month, day)) return false;
  date = static_cast<double>(DaysFromCivil(year, month, day));
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError(L"Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time) {
  if (!IsValidTime(hour, minute, second, millisecond)) return false;
  time = static_cast<double>(hour * 3600000 + minute * 60000 + second * 1000 + millisecond) / kMsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime time;
  if (!TryEncodeTime(hour, minute, second, millisecond, time)) throw EConvertError(L"Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  std::int64_t days, ms;
  if (!Split(date, days, ms)) {
    year = month = day = 0;
    return;
  }
  CivilFromDays(days, year, month, day);
}

void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond) {
  std::int64_t days, ms;
  if (!Split(time, days, ms)) ms = 0;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime date) {
  std::int64_t days, ms;
  if (!Split(date, days, ms)) days = 0;
  return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

TDateTime ComposeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  const TDateTime date = EncodeDate(year, month, day);
  const TDateTime time = EncodeTime(hour, minute, second, millisecond);
  // Before 30.12.1899 the fraction still counts forward from the day's start.
  return date < 0 ? date - time : date + time;
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const TDateTime now = Now();
  return now - std::trunc(now);
}

std::wstring FormatDateTime(std::wstring_view format, TDateTime value, const TFormatSettings& settings) {
  DateTimeFormatter formatter(value, settings);
  formatter.Append(format.empty() ? std::wstring_view(L"c") : format, 0);
  return formatter.Take();
}

std::wstring FormatDateTime(std::wstring_view format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings);
}

std::wstring DateToStr(TDateTime date, const TFormatSettings& settings) {
  return FormatDateTime(settings.ShortDateFormat, date, settings);
}
std::wstring DateToStr(TDateTime date) { return DateToStr(date, FormatSettings); }

std::wstring TimeToStr(TDateTime time, const TFormatSettings& settings) {
  return FormatDateTime(settings.LongTimeFormat, time, settings);
}
std::wstring TimeToStr(TDateTime time) { return TimeToStr(time, FormatSettings); }

std::wstring DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(L"c", value, settings);
}
std::wstring DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings); }

}  // namespace classlib
