#include "app/CounterTest.h"

#include <array>

#include "app/ProbeTest.h"
#include "app/ResultTexts.h"
#include "classlib/SysUtils.h"

namespace app {
namespace {

std::array<std::uint8_t, 4> FourBytes(std::span<const std::uint8_t> d) {
  std::array<std::uint8_t, 4> bytes{};
  for (std::size_t i = 0; i < bytes.size() && i < d.size(); ++i) bytes[i] = d[i];
  return bytes;
}

std::wstring FloatText(float value, std::wstring_view picture, const classlib::TFormatSettings& settings) {
  if (value == 0) return L"-";
  return classlib::FormatFloat(picture, value, settings);
}

}  // namespace

std::wstring CounterText(std::span<const std::uint8_t> d) { return BytesToHex(FourBytes(d)); }

std::wstring PositionText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  return FloatText(FloatLsbFirst(d), L"#,#0.00", settings);
}

std::wstring ResolutionText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  return FloatText(FloatMsbFirst(d), L"#,#0.000", settings);
}

}  // namespace app
