#pragma once
// The arithmetic of the minimise and restore animation, free of any window: the image rectangle
// shrinks from the window's place towards a target (a taskbar button, a point on the taskbar's
// edge, or the screen origin) while its constant alpha falls, and grows back on restore. Every
// step moves the centre by a fixed amount, changes each half-size by a fixed amount and the alpha
// by a fixed amount rounded to a whole value.
#include "classlib/Types.h"

namespace skin {

using classlib::TRect;

// The period of one minimise or restore step, in milliseconds.
inline constexpr int acMinStepInterval = 15;
// The number of steps an animation of Time milliseconds plays: one at least.
constexpr int MinAnimSteps(int Time) { return Time / acMinStepInterval < 1 ? 1 : Time / acMinStepInterval; }

struct TacMinMotion {
  TRect RectFrom, RectTo;
  double CurLeft = 0, CurTop = 0, CurRight = 0, CurBottom = 0;
  double DeltaX = 0, DeltaY = 0, DeltaW = 0, DeltaH = 0;
  int XFrom = 0, YFrom = 0, XTo = 0, YTo = 0;
  int AlphaFrom = 255;  // the window's alpha at rest
  int AlphaTo = 0;
  int CurrentAlpha = 255;
  double BlendStep = 255;
  int StepCount = 1;

  // Steps and alpha step for an animation of Time milliseconds starting at AlphaFrom.
  void SetTiming(int Time, int Alpha);
  // The window's rectangle at rest; the image starts there.
  void SetFrom(const TRect& R);
  // The target, and the per-step changes that reach it in StepCount steps.
  void SetTo(const TRect& R);
  void SetCurrent(const TRect& R);
  // One step towards the target; true when the alpha reached 0 (the minimise ended; nothing to draw).
  bool StepMinimise();
  // One step back towards the window's place; true when the alpha is back at AlphaFrom (the
  // restore ended; the window's own image is shown at rest).
  bool StepRestore();
  // The image's rectangle of this step: its size and its centre, rounded.
  int FrameWidth() const;
  int FrameHeight() const;
  int FrameCentreX() const;
  int FrameCentreY() const;
};

// The side a taskbar of window rectangle T stands on: 1 left, 2 top, 4 right, 8 bottom.
unsigned TaskbarSide(const TRect& T);
// The zero-size target on the edge of a taskbar T for a window centred at (X, Y).
TRect TaskbarEdgeTarget(const TRect& T, int X, int Y);

}  // namespace skin
