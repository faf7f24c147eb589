#pragma once
// Dates and times as the unit keeps them (BCD bytes, tens in the high nibble) and as the
// engineer types them into the date and time fields.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// A BCD byte as its high nibble then its low nibble in decimal: 0x05 -> "05".
std::wstring BcdText(std::uint8_t bcd);
// High nibble × 10 + low nibble.
int BcdToInt(std::uint8_t bcd);
std::uint8_t IntToBcd(int value);

// "day.month.year" from the unit's BCD bytes.
std::wstring BcdDateText(std::uint8_t day, std::uint8_t month, std::uint8_t year);
// "hours:minutes:seconds" from the unit's BCD bytes.
std::wstring BcdTimeText(std::uint8_t hours, std::uint8_t minutes, std::uint8_t seconds);

// Parsed BCD bytes; a part that the text does not supply is 0.
struct BcdDate {
  std::uint8_t day = 0, month = 0, year = 0;
};
struct BcdTime {
  std::uint8_t hours = 0, minutes = 0, seconds = 0;
};

// Reads "d.mm.yy", "dd.mm.yy", "d.mm.yyyy" or "dd.mm.yyyy" (the first "." among the first eight
// characters decides a one- or two-digit day; the text's length where the year stands).
// No separator, or a character where a digit belongs, gives no value: nothing must reach the
// unit's clock then.
std::optional<BcdDate> ParseDateText(std::wstring_view text);
// Reads "h:mm:ss" or "hh:mm:ss" the same way.
std::optional<BcdTime> ParseTimeText(std::wstring_view text);

// The forms the parsers read, whatever the user's regional settings: "dd.mm.yyyy", "hh:mm:ss".
std::wstring DayMonthYearText(int year, int month, int day);
std::wstring TwentyFourHourText(int hours, int minutes, int seconds);

}  // namespace app
