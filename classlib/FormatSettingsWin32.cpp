// The user's regional settings, read through the locale API.
#include <windows.h>

#include "classlib/FormatSettings.h"

namespace classlib {
namespace {

std::wstring LocaleText(LCTYPE type, const std::wstring& fallback) {
  wchar_t buffer[256];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 256);
  if (length <= 1) return fallback;  // the count includes the terminating zero
  return std::wstring(buffer, static_cast<std::size_t>(length - 1));
}

wchar_t LocaleChar(LCTYPE type, wchar_t fallback) {
  const std::wstring text = LocaleText(type, std::wstring(1, fallback));
  return text.empty() ? fallback : text[0];
}

}  // namespace

TFormatSettings TFormatSettings::Create() {
  TFormatSettings s;
  s.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, s.DecimalSeparator);
  s.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, s.ThousandSeparator);
  s.DateSeparator = LocaleChar(LOCALE_SDATE, s.DateSeparator);
  s.TimeSeparator = LocaleChar(LOCALE_STIME, s.TimeSeparator);
  s.ListSeparator = LocaleChar(LOCALE_SLIST, s.ListSeparator);
  s.ShortDateFormat = LocalePictureToFormat(LocaleText(LOCALE_SSHORTDATE, s.ShortDateFormat));
  s.LongDateFormat = LocalePictureToFormat(LocaleText(LOCALE_SLONGDATE, s.LongDateFormat));
  s.LongTimeFormat = LocalePictureToFormat(LocaleText(LOCALE_STIMEFORMAT, s.LongTimeFormat));
  s.ShortTimeFormat = LocalePictureToFormat(LocaleText(LOCALE_SSHORTTIME, s.ShortTimeFormat));
  s.TimeAMString = LocaleText(LOCALE_S1159, s.TimeAMString);
  s.TimePMString = LocaleText(LOCALE_S2359, s.TimePMString);
  for (int m = 0; m < 12; ++m) {
    s.ShortMonthNames[m] = LocaleText(LOCALE_SABBREVMONTHNAME1 + m, s.ShortMonthNames[m]);
    s.LongMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m, s.LongMonthNames[m]);
  }
  // The locale API counts Monday as day 1; the records here count from Sunday.
  for (int d = 0; d < 7; ++d) {
    const int api = (d + 6) % 7;
    s.ShortDayNames[d] = LocaleText(LOCALE_SABBREVDAYNAME1 + api, s.ShortDayNames[d]);
    s.LongDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + api, s.LongDayNames[d]);
  }
  return s;
}

}  // namespace classlib
