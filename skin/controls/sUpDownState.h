#pragma once
// The looks of a skinned up-down's two buttons: which one is hot or pressed as the mouse moves,
// presses and releases, and which limit each button runs into. The first button is the top one
// (vertical) or the left one (horizontal). Pure arithmetic; no window needed.
#include "classlib/Types.h"

namespace skin {

enum TsDrawingState { dsDefault, dsPrevUp, dsNextUp, dsPrevDown, dsNextDown };
enum TsBtnKind { sbkTop, sbkLeft, sbkBottom, sbkRight };

// The first button's rectangle in a control Width by Height.
classlib::TRect UpDownFirstRect(int Width, int Height, bool Vertical);
// The first button steps up (vertical, to Max) or left (horizontal, to Min); the second the other way.
int UpDownFirstLimit(int Min, int Max, bool Vertical);
int UpDownSecondLimit(int Min, int Max, bool Vertical);
// The limit a button of that kind runs into: Max for the top and right ones, else Min.
int UpDownLimitOf(TsBtnKind Kind, int Min, int Max);

// What the buttons' limits say: reached, and whether a reached limit shows (ShowInaccessibility).
struct TsUpDownLimits {
  bool FirstReached = false;
  bool SecondReached = false;
  bool ShowInaccessibility = true;
  bool FirstShut() const { return ShowInaccessibility && FirstReached; }
  bool SecondShut() const { return ShowInaccessibility && SecondReached; }
};

// The state the mouse over a button (InFirst: the first one) asks for; a button shut at its limit
// is never hot.
TsDrawingState HotState(bool InFirst, const TsUpDownLimits& Limits);
// A press on the hot button (its step already taken): pressed unless it stands at its limit, and
// then plain when the limit shows.
TsDrawingState PressedState(TsDrawingState Current, const TsUpDownLimits& Limits);
// The release: a pressed button becomes hot again, or plain when it has just reached its limit;
// nothing else changes.
TsDrawingState ReleasedState(TsDrawingState Current, const TsUpDownLimits& Limits);
// The button state (0 normal, 1 hot, 2 pressed) of the first or the second button.
int ButtonState(TsDrawingState State, bool First);

}  // namespace skin
