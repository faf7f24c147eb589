#include "skin/controls/sToolBarGeometry.h"

namespace skin {

using classlib::TCustomDrawState;
using classlib::TRect;

int ToolBtnGlyphMode(TCustomDrawState State) {
  if (State.Empty() || State == TCustomDrawState{classlib::cdsDisabled}) return 0;
  if (State.Contains(classlib::cdsSelected) || State.Contains(classlib::cdsChecked)) return 2;
  return 1;
}

int ToolButtonPaintState(TCustomDrawState State, bool Marked, bool Indeterminate) {
  if (Marked || Indeterminate) return 2;
  return ToolBtnGlyphMode(State);
}

TRect ToolBtnGlyphRect(const TToolBtnLayoutInput& In, int Mode) {
  TRect r;
  if (In.List) {
    r.Left = 5;
    r.Top = (In.Button.cy - In.Image.cy) / 2;
  } else {
    r.Left = (In.Button.cx - In.Image.cx) / 2 + 1 - (In.DropDown ? 8 : 0);
    r.Top = (In.Button.cy - In.Image.cy - (In.TextHeight + 3) * (In.ShowCaptions ? 1 : 0)) / 2;
  }
  r.Right = r.Left + In.Image.cx;
  r.Bottom = r.Top + In.Image.cy;
  if (Mode == 2) {
    r.Left += 1;
    r.Right += 1;
    r.Top += 1;
    r.Bottom += 1;
  }
  return r;
}

TRect ToolBtnCaptionRect(const TToolBtnLayoutInput& In, bool BarHasImages, bool HasImage, int CaptionWidth,
                         int DropDownWidth, int State) {
  const int width = In.Button.cx - DropDownWidth;
  TRect r;
  if (In.List) {
    r = TRect{HasImage ? In.Image.cx + 6 : 1, 2, width - 2, In.Button.cy - 2};
  } else {
    const int left = (width - CaptionWidth) / 2;
    r.Left = left - 1;
    r.Right = left + CaptionWidth + 2;
    int d = 0;
    if (BarHasImages) {
      d = (In.Button.cy - In.Image.cy - In.TextHeight - 3) / 2;
      r.Top = In.Image.cy + d + 3;
    } else {
      d = (In.Button.cy - In.TextHeight) / 2;
      r.Top = d;
    }
    r.Bottom = In.Button.cy - d;
  }
  if (State == 2) {
    r.Left += 1;
    r.Right += 1;
    r.Top += 1;
    r.Bottom += 1;
  }
  return r;
}

}  // namespace skin
