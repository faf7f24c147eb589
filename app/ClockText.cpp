#include "app/ClockText.h"

#include <cstdio>

namespace app {
namespace {

// Where a two-character BCD pair stands in the text; -1 when the text does not supply it.
struct Layout {
  int first, second, third;
};

// A pair of digits becomes one BCD byte; a pair that runs past the text is not supplied (0).
// Returns false on a character that is not a decimal digit.
bool PairAt(std::wstring_view text, int pos, int width, std::uint8_t& out) {
  out = 0;
  if (pos < 0 || static_cast<std::size_t>(pos + width) > text.size()) return true;
  int value = 0;
  for (int i = 0; i < width; ++i) {
    const wchar_t c = text[pos + i];
    if (c < L'0' || c > L'9') return false;
    value = value * 16 + (c - L'0');
  }
  out = static_cast<std::uint8_t>(value);
  return true;
}

int SeparatorPosition(std::wstring_view text, wchar_t separator) {
  const std::size_t limit = text.size() < 8 ? text.size() : 8;
  for (std::size_t i = 0; i < limit; ++i)
    if (text[i] == separator) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::wstring BcdText(std::uint8_t bcd) { return std::to_wstring(bcd >> 4) + std::to_wstring(bcd & 0x0F); }

int BcdToInt(std::uint8_t bcd) { return (bcd >> 4) * 10 + (bcd & 0x0F); }

std::uint8_t IntToBcd(int value) {
  value %= 100;
  if (value < 0) value = 0;
  return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

std::wstring BcdDateText(std::uint8_t day, std::uint8_t month, std::uint8_t year) {
  return BcdText(day) + L"." + BcdText(month) + L"." + BcdText(year);
}

std::wstring BcdTimeText(std::uint8_t hours, std::uint8_t minutes, std::uint8_t seconds) {
  return BcdText(hours) + L":" + BcdText(minutes) + L":" + BcdText(seconds);
}

std::optional<BcdDate> ParseDateText(std::wstring_view text) {
  const int dot = SeparatorPosition(text, L'.');
  if (dot < 0) return std::nullopt;
  const int length = static_cast<int>(text.size());
  BcdDate date;
  bool ok;
  if (dot == 1) {
    const int year = length == 9 ? 7 : length == 7 ? 5 : -1;
    ok = PairAt(text, 0, 1, date.day) && PairAt(text, 2, 2, date.month) && PairAt(text, year, 2, date.year);
  } else {
    const int year = length == 10 ? 8 : length == 8 ? 6 : -1;
    ok = PairAt(text, 0, 2, date.day) && PairAt(text, 3, 2, date.month) && PairAt(text, year, 2, date.year);
  }
  if (!ok) return std::nullopt;
  return date;
}

std::optional<BcdTime> ParseTimeText(std::wstring_view text) {
  const int colon = SeparatorPosition(text, L':');
  if (colon < 0) return std::nullopt;
  BcdTime time;
  const int shift = colon == 1 ? 1 : 0;
  const bool ok = PairAt(text, 0, 2 - shift, time.hours) && PairAt(text, 3 - shift, 2, time.minutes) &&
                  PairAt(text, 6 - shift, 2, time.seconds);
  if (!ok) return std::nullopt;
  return time;
}

std::wstring DayMonthYearText(int year, int month, int day) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"%02d.%02d.%04d", day, month, year);
  return buffer;
}

std::wstring TwentyFourHourText(int hours, int minutes, int seconds) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"%02d:%02d:%02d", hours, minutes, seconds);
  return buffer;
}

}  // namespace app
