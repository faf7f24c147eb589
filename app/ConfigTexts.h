#pragma once
// How the configuration page shows the unit's identification and reads its decimal fields.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace app {

// Version register bytes: "Rev 1.05" for major versions below 16, "16.5" from there on.
std::wstring RevText(std::uint8_t major, std::uint8_t minor);
// Version date register bytes (b1 year, b2 month, b3 day): "5.3.2009". The year byte counts
// from 2000 and is shown with all its digits.
std::wstring RevDateText(std::uint8_t year, std::uint8_t month, std::uint8_t day);
// Device code register bytes: "3-7".
std::wstring DevCodeText(std::uint8_t high, std::uint8_t low);
// The unit's 8-bit text (code page 1251), ending before the first zero byte.
std::wstring UnitText(std::span<const std::uint8_t> bytes);

// A relay delay in seconds as typed into its 4-digit field: decimal digits, blanks around them
// allowed (the field pads with blanks). Anything else gives no value, so that nothing is sent.
std::optional<std::uint16_t> ParseDelayText(std::wstring_view text);

// Default name of the schedule export in `folder` (which ends with a separator) for a date:
// "BU_cfgDB_28.12.2011.dbf". The date is always day.month.year, whatever the regional settings,
// so the name never holds a path separator.
std::wstring ScheduleFileName(const std::wstring& folder, int year, int month, int day);

}  // namespace app
