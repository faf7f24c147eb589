#pragma once
// The painters in the forms that controls, handlers and providers call: the class library's
// bitmaps, the parent's cache as TCacheInfo, device contexts, the skin manager (nullptr: the
// default manager); the background question to a parent (GetBGInfo) and its answer as cache
// information; window regions cut from key pixels. Win32 only; the portable painters do the work.
#include <windows.h>

#include <memory>
#include <string_view>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

class TsSkinManager;

// A new pf32bit device-independent bitmap (0 x 0 allowed).
std::unique_ptr<classlib::TBitmap> NewBitmap32(int width, int height);
// The portable form of a cache description; a bitmap that is not pf32bit counts as none.
TCacheInfo32 CacheInfo32(const TCacheInfo& ci);

void PaintItemBG(int skinIndex, std::string_view section, const TCacheInfo& ci, int state, const TRect& r, TPoint pP,
                 classlib::TBitmap* bmp, TsSkinManager* sm, int textureIndex, int hotTextureIndex, TColor customColor);
void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, const TCacheInfo& ci, int state,
                     const TRect& r, TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm);
// Filling is accepted for the callers and does not change the picture.
void PaintItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool filling, int state, const TRect& r,
               TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm, int textureIndex = -1, int hotTextureIndex = -1);
// Through a temporary bitmap of R's size, copied to DC at R; the DC's state is kept.
void PaintItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool filling, int state, const TRect& r,
               TPoint pP, HDC dc, TsSkinManager* sm);
void PaintItemFast(int skinIndex, int maskIndex, int textureIndex, int hotTextureIndex, const TCacheInfo& ci,
                   bool filling, int state, const TRect& r, TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm);
void PaintSmallItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool filling, int state,
                    const TRect& r, TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm);
// Section (else SecondSection) over the whole of Bmp, over ParentDC's pixels at ParentOffset or
// BGColor; the section index used, or -1 when neither name is a section.
int PaintSection(classlib::TBitmap* bmp, std::string_view section, std::string_view secondSection, int state,
                 TsSkinManager* sm, TPoint parentOffset, TColor bgColor, HDC parentDC);

void DrawSkinRect(classlib::TBitmap* bmp, const TRect& r, bool filling, const TCacheInfo& ci, const TsMaskData& md,
                  int state, bool updateCorners);
void DrawSkinGlyph(classlib::TBitmap* bmp, TPoint p, int state, int mode, const TsMaskData& md, const TCacheInfo& ci);

// Asks Control (its window, or the control itself) for its background with command 34. True when
// it answered. Otherwise: with the caller's PleaseDraw set in the record beforehand, the control
// paints itself into DrawDC under R (moved by Offset); else btFill with the control's colour
// (command 21, or its Color), filled into R of DrawDC when PleaseDraw asks for drawing.
bool GetBGInfo(TacBGInfo& bgInfo, classlib::TControl* control, bool pleaseDraw);
// The same towards a window; without an answer btFill with the skin's global colour (clBtnFace
// without a default manager), nothing drawn.
bool GetBGInfo(TacBGInfo& bgInfo, HWND wnd, bool pleaseDraw);
TCacheInfo BGInfoToCI(const TacBGInfo& bgInfo);

// Rgn := Bmp's rectangle less the pixels equal to TransColor. The caller owns Rgn.
void GetRgnFromBmp(HRGN& rgn, classlib::TBitmap* bmp, TColor transColor);
// The window rectangle less the key pixels of the four corners of image MaskIndex; 0 for an
// invalid image or corners without key pixels. The caller owns the region.
HRGN GetRgnForMask(int maskIndex, int width, int height, TsSkinManager* sm);
// The border painter with its corner runs cut out of Rgn (0: none) by difference, so that painting
// twice cuts the same pixels.
void PaintRgnBorder(classlib::TBitmap* bmp, HRGN rgn, bool filling, const TsMaskData& md, int state);
// Container's visible windowless children (not splitters), moved by the offsets, clipped out of
// DC; nothing while StdTransparency is on.
void ExcludeControls(HDC dc, classlib::TWinControl* container, TacCtrlType ctrlType, int offsetX, int offsetY);
// The cell of a small check box: of the skin's image + 2 wide, else the system's.
int CheckWidth(TsSkinManager* sm);
int CheckHeight(TsSkinManager* sm);
// A small check box for State centred in R of Bmp: the skin's image (faded when disabled), else
// the system's check box over the parent's background.
void acDrawCheck(const TRect& r, int state, bool enabled, classlib::TBitmap* bmp, const TCacheInfo& ci,
                 TsSkinManager* sm);
// The cell of a classic button glyph (NumGlyphs cells side by side, the bottom-left pixel's colour
// transparent) for State (0 normal, 1 hot, 2 pressed; Down: held) at R's top-left corner of Dst;
// Blend percent of transparency; the disabled look by DisabledKind.
void DrawGlyphEx(classlib::TBitmap* glyph, classlib::TBitmap* dst, const TRect& r, int numGlyphs, bool enabled,
                 TsDisabledGlyphKind disabledKind, int state, int blend, int down);
// Bmp takes the list's size, its background colour (clFuchsia when it has none) and image Index
// drawn transparently over it.
void CopyImage(classlib::TBitmap* bmp, classlib::TCustomImageList* imageList, int index);
// Runs subtracted from a region.
void CutRuns(HRGN rgn, const TAOR& runs);

}  // namespace skin
