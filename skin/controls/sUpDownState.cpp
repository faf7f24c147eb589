#include "skin/controls/sUpDownState.h"

namespace skin {

classlib::TRect UpDownFirstRect(int Width, int Height, bool Vertical) {
  return Vertical ? classlib::TRect{0, 0, Width, Height / 2} : classlib::TRect{0, 0, Width / 2, Height};
}

int UpDownFirstLimit(int Min, int Max, bool Vertical) { return Vertical ? Max : Min; }
int UpDownSecondLimit(int Min, int Max, bool Vertical) { return Vertical ? Min : Max; }

int UpDownLimitOf(TsBtnKind Kind, int Min, int Max) { return Kind == sbkTop || Kind == sbkRight ? Max : Min; }

TsDrawingState HotState(bool InFirst, const TsUpDownLimits& Limits) {
  if (InFirst) return Limits.FirstShut() ? dsDefault : dsPrevUp;
  return Limits.SecondShut() ? dsDefault : dsNextUp;
}

TsDrawingState PressedState(TsDrawingState Current, const TsUpDownLimits& Limits) {
  if (Current == dsPrevUp) return !Limits.FirstReached ? dsPrevDown : Limits.FirstShut() ? dsDefault : Current;
  if (Current == dsNextUp) return !Limits.SecondReached ? dsNextDown : Limits.SecondShut() ? dsDefault : Current;
  return Current;
}

TsDrawingState ReleasedState(TsDrawingState Current, const TsUpDownLimits& Limits) {
  if (Current == dsPrevDown) return Limits.FirstShut() ? dsDefault : dsPrevUp;
  if (Current == dsNextDown) return Limits.SecondShut() ? dsDefault : dsNextUp;
  return Current;
}

int ButtonState(TsDrawingState State, bool First) {
  if (First) return State == dsPrevUp ? 1 : State == dsPrevDown ? 2 : 0;
  return State == dsNextUp ? 1 : State == dsNextDown ? 2 : 0;
}

}  // namespace skin
