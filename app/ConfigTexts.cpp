#include "app/ConfigTexts.h"

#include "app/ClockText.h"
#include "classlib/Cp1251.h"

namespace app {

std::wstring RevText(std::uint8_t major, std::uint8_t minor) {
  if (major < 16) return L"Rev " + std::to_wstring(major) + L".0" + std::to_wstring(minor);
  return std::to_wstring(major) + L"." + std::to_wstring(minor);
}

std::wstring RevDateText(std::uint8_t year, std::uint8_t month, std::uint8_t day) {
  return std::to_wstring(day) + L"." + std::to_wstring(month) + L"." + std::to_wstring(2000 + year);
}

std::wstring DevCodeText(std::uint8_t high, std::uint8_t low) {
  return std::to_wstring(high) + L"-" + std::to_wstring(low);
}

std::wstring UnitText(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    text.push_back(static_cast<char>(b));
  }
  return classlib::Cp1251ToWide(text);
}

std::optional<std::uint16_t> ParseDelayText(std::wstring_view text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return std::nullopt;
  const auto last = text.find_last_not_of(L' ');
  const std::wstring_view digits = text.substr(first, last - first + 1);
  if (digits.size() > 4) return std::nullopt;
  unsigned value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return static_cast<std::uint16_t>(value);
}

std::wstring ScheduleFileName(const std::wstring& folder, int year, int month, int day) {
  return folder + L"BU_cfgDB_" + DayMonthYearText(year, month, day) + L".dbf";
}

}  // namespace app
