#pragma once
// The glyph of a skinned button: a bitmap of state cells or an image of an image list, drawn into
// the button's cache (or onto another canvas) with the button's state, transparency, grey tint,
// disabled look and reflection. Every button family that draws a glyph implements
// IacGlyphButton; the control adapter calls the same routine. Win32 only.
#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "classlib/ToolBar.h"
#include "skin/controls/sBtnGlyphRules.h"
#include "skin/core/sCommonData.h"

namespace skin {

// What a button tells the glyph painter.
struct TacBtnGlyphSource {
  classlib::TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  classlib::TBitmap* Glyph = nullptr;  // nullptr or empty: the image list's image
  TRect DestRect;                      // in the button's coordinates
  int NumGlyphs = 1;
  TacGlyphLook Look;
  bool Reflected = false;
};

class IacGlyphButton {
 public:
  virtual TacBtnGlyphSource BtnGlyphSource() = 0;
  virtual TsCommonData* GlyphSkinData() = 0;

 protected:
  ~IacGlyphButton() = default;
};

// Draws the glyph of Control when it is a glyph button (any other control: nothing). Canvas
// nullptr means the button's own cache bitmap; another canvas is drawn on through a 32-bit copy
// of the button's area at its (0, 0).
void DrawBtnGlyph(classlib::TControl* Control, classlib::TCanvas* Canvas);

class TsToolBar;

// A tool button's image into Bmp (the button's bitmap) for State: from the bar's disabled, hot or
// normal images; Stage and Flags are not used. The skinned bar's variant draws plain lists by
// their key colour into the bitmap, the plain bar's alpha lists by their state cell.
void CopyToolBtnGlyph(TsToolBar* ToolBar, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                      classlib::TCustomDrawStage Stage, classlib::TTBCustomDrawFlags Flags, classlib::TBitmap* Bmp);
void CopyToolBtnGlyph(classlib::TToolBar* ToolBar, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                      classlib::TCustomDrawStage Stage, classlib::TTBCustomDrawFlags Flags, classlib::TBitmap* Bmp);

// The number of images of a list (0 without one).
int GetImageCount(classlib::TCustomImageList* ImgList);

}  // namespace skin
