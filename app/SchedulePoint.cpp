#include "app/SchedulePoint.h"

#include <string_view>

#include "app/ResultTexts.h"

namespace app {
namespace {

constexpr std::wstring_view kModeTexts[] = {L"не исп.", L"вкл", L"выкл"};
constexpr std::wstring_view kCycleTexts[] = {L"нет", L"час", L"день", L"неделя", L"месяц"};

std::optional<int> DigitValue(wchar_t c, int base) {
  int v = -1;
  if (c >= L'0' && c <= L'9')
    v = c - L'0';
  else if (c >= L'A' && c <= L'F')
    v = c - L'A' + 10;
  else if (c >= L'a' && c <= L'f')
    v = c - L'a' + 10;
  if (v < 0 || v >= base) return std::nullopt;
  return v;
}

// 1 .. maxDigits digits of `base` making a number of at most 255.
std::optional<std::uint8_t> SmallNumber(std::wstring_view text, int base, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (wchar_t c : text) {
    const auto d = DigitValue(c, base);
    if (!d) return std::nullopt;
    value = value * base + *d;
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// "a<sep>b<sep>c" of decimal numbers 0 .. 255.
std::optional<std::array<std::uint8_t, 3>> ThreeNumbers(std::wstring_view text, wchar_t separator) {
  std::array<std::uint8_t, 3> parts{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::size_t end = i + 1 < parts.size() ? text.find(separator) : text.size();
    if (end == std::wstring_view::npos) return std::nullopt;
    const auto n = SmallNumber(text.substr(0, end), 10, 3);
    if (!n) return std::nullopt;
    parts[i] = *n;
    text.remove_prefix(i + 1 < parts.size() ? end + 1 : end);
  }
  return parts;
}

template <std::size_t N>
std::optional<int> IndexOfText(const std::wstring_view (&texts)[N], std::wstring_view text) {
  for (std::size_t i = 0; i < N; ++i)
    if (texts[i] == text) return static_cast<int>(i);
  return std::nullopt;
}

std::wstring HexDigits(int value) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value > 0);
  return text;
}

std::uint8_t Number(std::uint8_t bcd) { return static_cast<std::uint8_t>(BcdToInt(bcd)); }

}  // namespace

PointRecord PointRecord::FromBytes(std::span<const std::uint8_t, 8> b) {
  return {b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]};
}

std::array<std::uint8_t, 8> PointRecord::Bytes() const {
  return {flags, mask, year, month, day, hours, minutes, seconds};
}

PointRecord MakePointRecord(int mode, int cycle, std::uint8_t mask, const BcdDate& date, const BcdTime& time,
                            std::uint8_t weekday) {
  PointRecord p;
  p.flags = static_cast<std::uint8_t>((mode & 0x03) | (cycle & 0x07) << 4);
  p.mask = mask;
  p.year = date.year;
  p.month = date.month;
  p.day = cycle == kCycleWeekly ? weekday : date.day;
  p.hours = time.hours;
  p.minutes = time.minutes;
  p.seconds = time.seconds;
  return p;
}

PointView ViewOfPoint(const PointRecord& point) {
  PointView v;
  v.date = BcdDateText(point.day, point.month, point.year);
  v.time = BcdTimeText(point.hours, point.minutes, point.seconds);
  if (point.Mode() <= kModeOff) v.mode = point.Mode();
  if (point.Cycle() <= kCycleMonthly) v.cycle = point.Cycle();
  if (point.Cycle() == kCycleWeekly) v.weekdayIndex = (point.day & 0x0F) - 1;
  v.done = point.Done();
  v.mask = ByteToHex(point.mask);
  return v;
}

ScheduleRow RowOfPoint(const PointRecord& point) {
  ScheduleRow row;
  row.date = {Number(point.year), Number(point.month), Number(point.day)};
  row.time = {Number(point.hours), Number(point.minutes), Number(point.seconds)};
  row.mask = point.mask;
  row.mode = point.Mode() <= kModeOff ? point.Mode() : kModeNotUsed;
  row.cycle = point.Cycle() <= kCycleMonthly ? point.Cycle() : kCycleOnce;
  row.day = point.Cycle() == kCycleWeekly ? row.date[2] : 0;
  row.done = point.Done();
  return row;
}

std::wstring ModeText(int mode) {
  return std::wstring(mode >= 0 && mode <= kModeOff ? kModeTexts[mode] : kModeTexts[kModeNotUsed]);
}

std::wstring CycleText(int cycle) {
  return std::wstring(cycle >= 0 && cycle <= kCycleMonthly ? kCycleTexts[cycle] : kCycleTexts[kCycleOnce]);
}

std::array<std::wstring, kRowSubItems> RowSubItems(const ScheduleRow& row) {
  const auto three = [](const std::array<std::uint8_t, 3>& n, wchar_t sep) {
    return std::to_wstring(n[0]) + sep + std::to_wstring(n[1]) + sep + std::to_wstring(n[2]);
  };
  return {three(row.date, L'.'), three(row.time, L':'), ByteToHex(row.mask),
          ModeText(row.mode),    CycleText(row.cycle),  HexDigits(row.day)};
}

std::optional<ScheduleRow> RowFromSubItems(std::span<const std::wstring> subItems, bool done) {
  if (subItems.size() < kRowSubItems) return std::nullopt;
  const auto date = ThreeNumbers(subItems[0], L'.');
  const auto time = ThreeNumbers(subItems[1], L':');
  const auto mask = SmallNumber(subItems[2], 16, 2);
  const auto mode = IndexOfText(kModeTexts, subItems[3]);
  const auto cycle = IndexOfText(kCycleTexts, subItems[4]);
  const auto day = SmallNumber(subItems[5], 16, 2);
  if (!date || !time || !mask || !mode || !cycle || !day) return std::nullopt;
  return ScheduleRow{*date, *time, *mask, *mode, *cycle, *day, done};
}

}  // namespace app
