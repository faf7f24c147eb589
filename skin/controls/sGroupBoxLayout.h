#pragma once
// Where a group box puts its caption band and frame, and where a radio group puts its buttons:
// column by column, the columns sharing the width less the frame, the rows sharing the height
// below the caption, the spare height split above and below. Pure arithmetic; no window needed.
#include "classlib/RadioGroupLayout.h"
#include "classlib/Types.h"

namespace skin {

namespace group {
// Where a group box's caption sits. The bound label has a layout type of the same name in
// sConstTypes.h; this one lives in its own namespace.
enum TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };
}  // namespace group

// What places a group box's caption: the caption's measured text, the box and its properties.
struct TGroupCaptionMetrics {
  bool Skinned = true;
  int Width = 0;       // the box's width
  int TextWidth = 0;   // the caption measured on the canvas it is drawn on
  int TextHeight = 0;  // the caption line's height
  int CaptionYOffset = 0;
  int CaptionWidth = 0;  // 0: as wide as the text
  int MarginLeft = 2, MarginTop = 0, MarginRight = 2, MarginBottom = 0;
  group::TsCaptionLayout Layout = group::clTopLeft;
  bool RightToLeft = false;
  int BevelWidth = 1;
};

// The caption band's rectangle in box coordinates. A negative CaptionYOffset lifts it above the
// box's top edge.
classlib::TRect GroupCaptionRect(const TGroupCaptionMetrics& M);
// Where the frame starts: the caption band's middle, or the top edge when the caption is lifted.
int GroupFrameTop(const classlib::TRect& Caption, int CaptionYOffset);

// The radio group's cells are the class library's, shared with its plain radio group.
using classlib::ClampRadioColumns;
using classlib::kMaxRadioColumns;
using classlib::kMinRadioColumns;
using classlib::RadioButtonCells;

}  // namespace skin
