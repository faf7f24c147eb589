#pragma once
// Painting steps that the skinned buttons, check boxes, radio buttons and edits share: captions, the
// focus frame, the disabled look, the split strip, a parent's background for a cache, the corners
// of a region border, and the redraw switch held off around the class library's focus handling.
// Win32 only.
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sMaskData.h"

namespace skin {

// The value of a button's held region before the first paint: the region is then set with
// redrawing.
inline const HRGN kFirstPaintRegion = reinterpret_cast<HRGN>(1);

}  // namespace skin

namespace skin::detail {

// Deletes a region a control holds (not the first-paint mark) and forgets it.
void DeleteHeldRegion(HRGN& Region);

// What the paint handler of a skinned button works on; the button keeps the fields.
struct TButtonPaint {
  classlib::TWinControl* Control = nullptr;
  TsCommonData* Data = nullptr;
  HRGN* Region = nullptr;     // the held region, kFirstPaintRegion before the first paint
  TRect* LastRect = nullptr;  // bounds at the last region change
  bool RegionChanged = false;
  bool Fading = false;  // a fade timer paints the control
  bool Designing = false;
  const TsMaskData* Border = nullptr;  // the section's valid border image, nullptr without
  std::function<void()> Prepare;       // renders the cache
  std::function<int()> State;          // the look, asked after rendering
};

// Serves WM_PAINT and WM_PRINT (DC nullptr: the window's own DC): idle while a window animation
// runs (except into the print DC), while the parent updates or while a fade paints; renders when
// BGChanged or the control was half hidden, hands a corner-cut border's new region to the window
// (a region not handed over is deleted) and copies the cache once.
void PaintButtonFromCache(HDC DC, const TButtonPaint& P);

// The section record of a skin state; nullptr without manager or section.
const TsGeneralData* Section(const TsCommonData* Data);
// The section's state count less one, at least 0.
int LastState(const TsCommonData* Data);

// A command link's caption font (bold, two points larger) while it lives; no change when not Link.
class TLinkFont {
 public:
  TLinkFont(classlib::TCanvas* Canvas, bool Link);
  ~TLinkFont();
  TLinkFont(const TLinkFont&) = delete;
  TLinkFont& operator=(const TLinkFont&) = delete;

 private:
  classlib::TCanvas* canvas_;
  bool link_;
  classlib::TFontStyles style_;
  int size_ = 0;
};

// A caption in the section's colours (the plain look for an unskinned control).
void WriteCaption(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags,
                  TsCommonData* Data, bool Hot);
// The dotted focus frame in the button face colour and black.
void DrawFocusFrame(classlib::TCanvas* Canvas, const TRect& R);
// The split button's separator and arrow in Colour at the right edge of the cache.
void DrawSplitStrip(classlib::TBitmap* Cache, TColor Colour);
// The disabled look of Kind over the whole cache, against the parent's background CI.
void ApplyDisabledKind(classlib::TControl* Control, classlib::TBitmap* Cache, TsDisabledKind Kind,
                       const TCacheInfo& CI);
// The parent's background for the control's cache: its answer to the background question, else
// the cache itself (the previous image stays underneath).
TCacheInfo ParentBackground(classlib::TControl* Control, classlib::TBitmap* Cache);
// The cache's border corners and bottom edge copied to DC.
void CopyBorderCorners(HDC DC, classlib::TBitmap* Cache, const TsMaskData& Border);
// When the control shrank from Last and its parent has no ready cache, the parent repaints the
// three corners of Last that the old region cut away.
void InvalidateOldCorners(classlib::TControl* Control, TsCommonData* Data, const TRect& Last, const TRect& Now,
                          const TsMaskData& Border);

// The window's visual style switched on (the system's) or off (the skin draws everything); nothing
// where the platform has no visual styles.
void SetVisualStyle(HWND Wnd, bool On);

// The themed push-button face for State (1 normal, 2 hot, 3 pressed, 4 disabled, 5 default) over
// the parent's background, and its content rectangle. False where visual styles are not in use.
bool DrawThemedButton(HWND Wnd, HDC DC, const TRect& R, int State, TRect& Content);

// WM_SETREDRAW off while it lives (and Flag set when given), back on (Flag cleared) on every exit.
// Turning redraw off validates the window, so a paint pending before is asked for again after.
class TRedrawOff {
 public:
  TRedrawOff(classlib::TWinControl* Control, bool* Flag = nullptr);
  ~TRedrawOff();
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

 private:
  HWND wnd_;
  bool* flag_;
  HRGN pending_ = nullptr;
};

// The window's whole DC with its state saved, given back on every way out.
class TWindowDC {
 public:
  explicit TWindowDC(HWND Wnd) : wnd_(Wnd), dc_(GetWindowDC(Wnd)), saved_(dc_ ? SaveDC(dc_) : 0) {}
  ~TWindowDC() {
    if (dc_ == nullptr) return;
    RestoreDC(dc_, saved_);
    ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  int saved_;
};

// What an edit's paint handler does around its own drawing: a WM_PAINT (DC nullptr outside a
// window animation) is bracketed by BeginPaint/EndPaint, a missing DC falls back to the window's
// whole DC, nothing is drawn while the parent updates, and the background counts as changed when
// the edit is or was half hidden by its parent. Draw gets the DC to paint on.
void PaintEditWith(classlib::TWinControl* Control, TsCommonData* Data, HDC DC, const std::function<void(HDC)>& Draw);

}  // namespace skin::detail
