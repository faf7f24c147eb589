#pragma once
// The skinned scroll-bar engine: a handler (TacScrollWnd) that replaces a window's native scroll
// bars by skinned ones laid out in its non-client area. The window keeps its WS_HSCROLL and
// WS_VSCROLL styles and its own scroll information, which the engine reads whenever it lays out
// or paints; mouse input on the bars becomes the WM_HSCROLL/WM_VSCROLL messages native bars send.
// Win32 only; GUI thread only.
#include <windows.h>

#include <memory>

#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sCommonData.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

class TacScrollWnd;

// One skinned bar of a hooked window.
struct TacScrollBar {
  WORD fScrollFlags = 0;        // 8 when the window's style has this bar
  bool fScrollVisible = false;  // the bar takes non-client space now
  SCROLLINFO ScrollInfo{};      // the window's scroll information, read again before use
  int nArrowLength = -1;        // >= 0 pixels, else a multiple of the arrow unit
  int nArrowWidth = -1;         // >= 0 pixels, else a multiple of the system bar thickness
  int nButSizeBefore = 0, nButSizeAfter = 0;
  bool fButVisibleBefore = false, fButVisibleAfter = false;
  WORD nBarType = SB_HORZ;  // SB_HORZ or SB_VERT
  WORD fFlatScrollbar = 0;
  int nMinThumbSize = 10;
  TacScrollWnd* sw = nullptr;
};

class TacScrollWnd : public TacMainWnd {
 public:
  TacScrollWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
      : TacMainWnd(AHandle, ASkinData, ASkinManager) {}
  void acWndProc(classlib::TMessage& Message) override;

  std::unique_ptr<TacScrollBar> sBarHorz, sBarVert;
  bool fThumbTracking = false;
  bool fLeftScrollbar = false;
  int cxLeftEdge = 0, cxRightEdge = 0, cyTopEdge = 0, cyBottomEdge = 0;
  bool bPreventStyleChange = false;

 protected:
  void Hook(bool Repaint) override;
  void Release() override;
  bool UnhookWindow() override;
  // The messages of the bars (painting, mouse); false when the message is not theirs.
  virtual bool BarMessage(classlib::TMessage& Message);

  friend void InitializeACScrolls(TacScrollWnd* Wnd, HWND Handle, bool Repaint);
};

// Bars, property and procedure: Wnd in front of Handle's procedure; the frame recalculated with
// Repaint.
void InitializeACScrolls(TacScrollWnd* Wnd, HWND Handle, bool Repaint);
// Gives Handle back from SW and drops its bars (harmless twice); true when the window is back
// with its own procedure.
bool UninitializeACScroll(HWND Handle, bool Repaint, TacScrollWnd* SW);
// The same, then SW freed and cleared.
template <class T>
void UninitializeACScroll(HWND Handle, bool Repaint, THandler<T>& SW) {
  if (!SW) return;
  UninitializeACScroll(Handle, Repaint, SW.get());
  SW.reset();
}

TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Wnd);
TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Wnd, int Bar);

// Metric 0: the arrow-button length (with UseSkin the skin's arrow cell when it asks for it);
// metric 1: the bar thickness.
int GetScrollMetric(const TacScrollBar* Bar, int Metric, bool UseSkin);
// The bars' rectangles in screen coordinates (empty along the bar when it is not visible).
void AC_GetHScrollRect(const TacScrollWnd* SW, HWND Wnd, TRect& R);
void AC_GetVScrollRect(const TacScrollWnd* SW, HWND Wnd, TRect& R);
bool GetBarRect(const TacScrollWnd* SW, int BarType, HWND Wnd, TRect& R);
// Whether the square where both bars meet shows a size grip: the window's lower corner sits in the
// lower corner of a top-level window's client area.
bool SizeGripVisible(const TacScrollWnd* SW, HWND Wnd, const TRect& Corner);
// Whether a bar takes input: the system's state of the bar, else the window's style bit.
bool Ac_IsScrollbarActive(const TacScrollBar* Bar);
// A bar's scroll information read again from the window.
void ReadScrollInfo(HWND Wnd, TacScrollBar* Bar);
// Both bars' scroll information read again from the window.
void ReadScrollInfos(TacScrollWnd* SW);

LRESULT Ac_NCCalcSize(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
LRESULT Ac_NCHitTest(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
LRESULT Ac_StyleChange(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);

// The scrolling handler of a scrollable class-library control, made while it is skinned (exactly
// one however often it is called) and freed when it is not; the flat scroll bars of comctl32 go
// off and back on around it. Nothing while the control is loading, being destroyed or designed.
void RefreshScrolls(TsCommonData* SkinData, THandler<TacScrollWnd>& SW);
// The edit handler (frame, bars and colours) of an edit-like control, without the loading test and
// the flat scroll bars.
void RefreshEditScrolls(TsCommonData* SkinData, THandler<TacScrollWnd>& SW);
// Both bars read again and, with Repaint and no animation running, painted at once.
void UpdateScrolls(TacScrollWnd* SW, bool Repaint);
// SetScrollInfo for a window with skinned bars: the bar's copy merged and limited, the bar shown
// or hidden as the range allows; the new position.
int Ac_SetScrollInfo(HWND Handle, int Bar, const SCROLLINFO& ScrollInfo, bool Redraw);

// Offers RefreshScrolls and the flat-bar switch to the skinned controls (skin/core/acScrollBarsLink.h):
// whoever links the engine calls it once before their scroll boxes are skinned.
void Ac_InstallScrollBarsLink();

}  // namespace skin
