#pragma once
// The unit's position counter: the raw count (register 66), the position (67, a float least
// significant byte first) and the resolution (68, a float most significant byte first).
#include <cstdint>
#include <span>
#include <string>

#include "classlib/FormatSettings.h"

namespace app {

inline constexpr std::uint16_t kCounterRegister = 66;
inline constexpr std::uint16_t kPositionRegister = 67;
inline constexpr std::uint16_t kResolutionRegister = 68;

// The four data bytes in line order as 8 hex digits.
std::wstring CounterText(std::span<const std::uint8_t> d);
// "-" when zero, else with two decimals and grouped thousands.
std::wstring PositionText(std::span<const std::uint8_t> d,
                          const classlib::TFormatSettings& settings = classlib::FormatSettings);
// "-" when zero, else with three decimals and grouped thousands.
std::wstring ResolutionText(std::span<const std::uint8_t> d,
                            const classlib::TFormatSettings& settings = classlib::FormatSettings);

}  // namespace app
