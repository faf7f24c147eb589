#pragma once
// The arithmetic of the skinned gauge: its percentage, the filled length of a bar, the light's
// step and the value text. Portable.
#include <cstdint>
#include <string>

namespace skin {

// The light strip's length in pixels.
inline constexpr int kGaugeAnimSize = 300;

// Whole percent of Progress within Min..Max, truncated toward zero; 0 for an empty range. Computed
// in 64 bits: ranges of millions overflow a 32-bit product.
int GaugePercentDone(std::int32_t Progress, std::int32_t MinValue, std::int32_t MaxValue);
// The filled part of a bar of Length pixels at Percent: trunc(Length * Percent / 100), at most Length.
int GaugeFilledLength(int Length, int Percent);
// The unskinned vertical bar's filled rows: as above but one row always stays empty.
int GaugeUnskinnedVerticalFill(int Rows, int Percent);
// The light's step per tick along a bar of Length pixels with a pause of LongDelay ms between
// sweeps: max(15, round(Length / (LongDelay / 44))). A delay of 0 gives the shortest step.
int GaugeAnimStep(int Length, int LongDelay);
// The value text: the percentage or the raw value, then the suffix.
std::wstring GaugeText(std::int32_t Progress, std::int32_t MinValue, std::int32_t MaxValue, bool CalcPercents,
                       const std::wstring& Suffix);

}  // namespace skin
