#pragma once
// Locale-dependent conventions for number, date and time texts. The global FormatSettings is
// filled from the user's regional settings when the program starts (win32) and holds neutral
// values on the host; routines take an explicit record where a caller needs fixed conventions.
#include <array>
#include <string>
#include <string_view>

namespace classlib {

struct TFormatSettings {
  wchar_t DecimalSeparator = L'.';
  wchar_t ThousandSeparator = L',';
  wchar_t DateSeparator = L'/';
  wchar_t TimeSeparator = L':';
  wchar_t ListSeparator = L',';
  // Date and time pictures in the system's notation: d/dd, M/MM (also m/mm), yy/yyyy, h/hh/H/HH,
  // mm after an hour, ss, AM/PM markers; '/' and ':' stand for the separators above.
  std::wstring ShortDateFormat = L"MM/dd/yyyy";
  std::wstring LongDateFormat = L"dddd, dd MMMM yyyy";
  std::wstring ShortTimeFormat = L"hh:mm";
  std::wstring LongTimeFormat = L"hh:mm:ss";
  std::wstring TimeAMString = L"AM";
  std::wstring TimePMString = L"PM";
  std::array<std::wstring, 12> ShortMonthNames = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                                  L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
  std::array<std::wstring, 12> LongMonthNames = {L"January",   L"February", L"March",    L"April",
                                                 L"May",       L"June",     L"July",     L"August",
                                                 L"September", L"October",  L"November", L"December"};
  // Sunday first, as the system numbers week days.
  std::array<std::wstring, 7> ShortDayNames = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
  std::array<std::wstring, 7> LongDayNames = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                              L"Thursday", L"Friday", L"Saturday"};
  // Two-digit years are taken within this many years before and after the current one.
  int TwoDigitYearCenturyWindow = 50;

  // The neutral settings (also what a default-constructed record holds).
  static TFormatSettings Invariant() { return {}; }
  // The current user's regional settings; the neutral ones where the system has none (host).
  static TFormatSettings Create();
};

// A date or time picture of the system's locale data in the notation above: the half-day
// designator "tt" becomes "AMPM" (in the notation here 't' stands for the time formats) and era
// marks are dropped.
std::wstring LocalePictureToFormat(std::wstring_view picture);

// The settings that conversion routines use when none are passed.
extern TFormatSettings FormatSettings;

}  // namespace classlib
