#pragma once
// Routines the window handlers share: reading a window's text, class and geometry, rendering a
// handler's background into its skin data's cache and repairing the cache's corners, the hot
// test, and passing a skin command on to the children.
// Win32 only.
#include <windows.h>

#include <string>

#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TacMainWnd;

// The DC a handler paints on: the one it was given, else the window's own (client or whole
// window), obtained here and released at the end; a given DC is never released.
class TacGivenOrOwnDC {
 public:
  TacGivenOrOwnDC(HWND Wnd, HDC Given, bool WholeWindow = false)
      : wnd_(Wnd), dc_(Given), own_(Given == nullptr) {
    if (own_) dc_ = WholeWindow ? GetWindowDC(Wnd) : GetDC(Wnd);
  }
  TacGivenOrOwnDC(const TacGivenOrOwnDC&) = delete;
  TacGivenOrOwnDC& operator=(const TacGivenOrOwnDC&) = delete;
  ~TacGivenOrOwnDC() {
    if (own_ && dc_ != nullptr) ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  bool own_;
};

std::wstring GetWndText(HWND Wnd);
std::wstring GetWndClassName(HWND Wnd);

void InitCtrlData(HWND Wnd, HWND& ParentWnd, TRect& WndRect, TPoint& WndPos, TSize& WndSize, TRect& ParentRect);
// Whether the section has a hot look: a border image of more than one cell or more than one state.
bool MayBeHot(TsCommonData* SkinData);
// The command to the owner control's children, else to the child windows of Handle.
void AlphaBroadCastCheck(classlib::TControl* Control, HWND Handle, classlib::TMessage& Message);

// The hooked window's background into SkinData's cache: the section over the parent's background
// (a one-pixel frame in the skin's border colour on the window colour with DlgMode); nothing while
// the parent has not painted (the skin data is then updating); a disabled owner gets its faded look.
void PrepareCache(TsCommonData* SkinData, HWND Handle, bool DlgMode);
// The parent's background under R of a window standing at Pos in its parent, drawn onto DC at R:
// copied from the parent's cache when it has one, else filled with its colour.
void DrawParentBackground(HDC DC, HWND Parent, TPoint Pos, const TRect& R);
// A disabled window's cache with its parent showing through at 60 %: the parent's cache under the
// window at Pos (CI ready), else its fill colour (clBtnFace without one).
void FadeDisabledWindow(classlib::TBitmap* Cache, const TCacheInfo& CI, TPoint Pos, TSize Size);
// The key pixels of the border image's corners in the cache from the parent's background; corners
// larger than the cache are clipped.
void UpdateWndCorners(TsCommonData* SkinData, int State, TacMainWnd* Wnd);

}  // namespace skin
