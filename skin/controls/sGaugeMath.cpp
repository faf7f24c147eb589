#include "skin/controls/sGaugeMath.h"

#include <algorithm>
#include <cmath>

namespace skin {

int GaugePercentDone(std::int32_t Progress, std::int32_t MinValue, std::int32_t MaxValue) {
  if (MaxValue == MinValue) return 0;
  const std::int64_t done = (std::int64_t(Progress) - MinValue) * 100;
  return int(done / (std::int64_t(MaxValue) - MinValue));
}

int GaugeFilledLength(int Length, int Percent) {
  return std::min(int(std::int64_t(Length) * Percent / 100), Length);
}

int GaugeUnskinnedVerticalFill(int Rows, int Percent) {
  return std::min(int(std::int64_t(Rows) * Percent / 100), Rows - 1);
}

int GaugeAnimStep(int Length, int LongDelay) {
  const double ticks = LongDelay / 44.0;
  if (ticks <= 0) return std::max(15, Length);
  return std::max(15, int(std::lround(Length / ticks)));
}

std::wstring GaugeText(std::int32_t Progress, std::int32_t MinValue, std::int32_t MaxValue, bool CalcPercents,
                       const std::wstring& Suffix) {
  const std::int32_t shown = CalcPercents ? GaugePercentDone(Progress, MinValue, MaxValue) : Progress;
  return std::to_wstring(shown) + Suffix;
}

}  // namespace skin
