#include "skin/forms/acMinMotion.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace {

// Halves go to the even neighbour, as the step tables expect.
int RoundToInt(double Value) { return static_cast<int>(std::nearbyint(Value)); }

}  // namespace

void TacMinMotion::SetTiming(int Time, int Alpha) {
  StepCount = MinAnimSteps(Time);
  AlphaFrom = std::clamp(Alpha, 0, 255);
  BlendStep = double(AlphaFrom - AlphaTo) / (StepCount < 2 ? 1 : StepCount - 1);
}

void TacMinMotion::SetFrom(const TRect& R) {
  RectFrom = R;
  XFrom = (R.Left + R.Right) / 2;
  YFrom = (R.Top + R.Bottom) / 2;
}

void TacMinMotion::SetTo(const TRect& R) {
  RectTo = R;
  XTo = (R.Left + R.Right) / 2;
  YTo = (R.Top + R.Bottom) / 2;
  DeltaX = double(XTo - XFrom) / StepCount;
  DeltaY = double(YTo - YFrom) / StepCount;
  DeltaW = double((RectFrom.Right - RectFrom.Left) - (RectTo.Right - RectTo.Left)) / (2.0 * StepCount);
  DeltaH = double((RectFrom.Bottom - RectFrom.Top) - (RectTo.Bottom - RectTo.Top)) / (2.0 * StepCount);
  AlphaTo = 0;
}

void TacMinMotion::SetCurrent(const TRect& R) {
  CurLeft = R.Left;
  CurTop = R.Top;
  CurRight = R.Right;
  CurBottom = R.Bottom;
}

bool TacMinMotion::StepMinimise() {
  CurLeft += DeltaX + DeltaW;
  CurRight = CurRight + DeltaX - DeltaW;
  CurTop += DeltaY + DeltaH;
  CurBottom = CurBottom + DeltaY - DeltaH;
  CurrentAlpha = std::max(0, RoundToInt(CurrentAlpha - BlendStep));
  return CurrentAlpha == 0;
}

bool TacMinMotion::StepRestore() {
  CurLeft -= DeltaX + DeltaW;
  CurRight = CurRight - DeltaX + DeltaW;
  CurTop -= DeltaY + DeltaH;
  CurBottom = CurBottom - DeltaY + DeltaH;
  CurrentAlpha = std::min(255, RoundToInt(CurrentAlpha + BlendStep));
  return CurrentAlpha >= AlphaFrom;
}

int TacMinMotion::FrameWidth() const { return std::max(0, RoundToInt(CurRight - CurLeft)); }
int TacMinMotion::FrameHeight() const { return std::max(0, RoundToInt(CurBottom - CurTop)); }
int TacMinMotion::FrameCentreX() const { return RoundToInt(std::max(0.0, CurRight - CurLeft) / 2 + CurLeft); }
int TacMinMotion::FrameCentreY() const { return RoundToInt(std::max(0.0, CurBottom - CurTop) / 2 + CurTop); }

unsigned TaskbarSide(const TRect& T) {
  if (T.Top != 0) return T.Left >= -4 && T.Left <= 0 ? 8u : 4u;
  if (T.Left == 0) return T.Bottom - T.Top < T.Right - T.Left ? 2u : 1u;
  return 4u;
}

TRect TaskbarEdgeTarget(const TRect& T, int X, int Y) {
  switch (TaskbarSide(T)) {
    case 1: return {T.Right, Y, T.Right, Y};
    case 2: return {X, T.Bottom, X, T.Bottom};
    case 4: return {T.Left, Y, T.Left, Y};
    default: return {X, T.Top, X, T.Top};
  }
}

}  // namespace skin
