#include "skin/windows/acSBTrack.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/GdiObject.h"
#include "skin/core/sMessages.h"
#include "skin/core/sStyleSimply.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acScrollGeometry.h"

namespace skin {
namespace {

TacScrollBar* BarOf(TacScrollWnd* sw, int bar) { return bar == SB_HORZ ? sw->sBarHorz.get() : sw->sBarVert.get(); }

TRect ScreenBarRect(TacScrollWnd* sw, int bar) {
  TRect r;
  GetBarRect(sw, bar, sw->CtrlHandle, r);
  return r;
}

TacScrollRange RangeOf(TacScrollBar* bar) {
  ReadScrollInfo(bar->sw->CtrlHandle, bar);
  const SCROLLINFO& si = bar->ScrollInfo;
  return {si.nMin, si.nMax, si.nPage, si.nPos};
}

bool Horz(int bar) { return bar == SB_HORZ; }
int Along(int bar, POINT p) { return Horz(bar) ? p.x : p.y; }
int Start(int bar, const TRect& r) { return Horz(bar) ? r.Left : r.Top; }
int Length(int bar, const TRect& r) { return Horz(bar) ? r.Right - r.Left : r.Bottom - r.Top; }

TacThumb ThumbOf(TacScrollBar* bar, const TRect& r) {
  return CalcThumb(RangeOf(bar), Start(bar->nBarType, r), Length(bar->nBarType, r), GetScrollMetric(bar, 0, false),
                   bar->nMinThumbSize);
}

// The part of the bar under a screen point; -1 off the bar's cross axis.
int PortionAt(TacScrollBar* bar, const TRect& r, POINT p) {
  const bool horz = Horz(bar->nBarType);
  if (horz ? (p.y < r.Top || p.y >= r.Bottom) : (p.x < r.Left || p.x >= r.Right)) return kPortionNone;
  return ScrollPortionAt(Along(bar->nBarType, p), Start(bar->nBarType, r), Length(bar->nBarType, r),
                         GetScrollMetric(bar, 0, false), ThumbOf(bar, r));
}

// One bar onto the window with Pressed drawn pressed; ThumbPos on the bar (-1: from the position).
void RedrawBar(TacScrollWnd* sw, int bar, int pressed, int thumbPos = -1) {
  TacScrollBar* b = BarOf(sw, bar);
  if (b == nullptr || !b->fScrollVisible) return;
  RECT w{};
  GetWindowRect(sw->CtrlHandle, &w);
  const TRect r = ScreenBarRect(sw, bar);
  const classlib::WindowDC dc(sw->CtrlHandle);
  if (dc.get() == nullptr) return;
  Ac_NCDrawScrollbar(b, sw->CtrlHandle, dc.get(),
                     {r.Left - w.left, r.Top - w.top, r.Right - w.left, r.Bottom - w.top}, thumbPos, pressed);
}

POINT ScreenPoint(HWND wnd, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(wnd, &p);
  return p;
}

void Send(TacScrollWnd* sw, int code, std::int32_t pos) {
  sw->DontRepaint = true;
  SendScrollMessage(sw->CtrlHandle, ScrollState().CurScrollMsg, code, pos);
  sw->DontRepaint = false;
}

void ThumbTrack(TacScrollWnd* sw, POINT p) {
  TacScrollState& s = ScrollState();
  TacScrollBar* bar = BarOf(sw, s.CurScrollBar);
  if (bar == nullptr) return;
  const int arrow = GetScrollMetric(bar, 0, false);
  const int start = Start(s.CurScrollBar, s.ThumbBounds) + arrow;
  const int len = Length(s.CurScrollBar, s.ThumbBounds) - 2 * arrow;
  const int at =
      std::clamp(Along(s.CurScrollBar, p) - s.ThumbMouseOffset, start, std::max(start, start + len - s.ThumbSize));
  // The bar is drawn as its real position is not yet known: the thumb under the cursor.
  RedrawBar(sw, s.CurScrollBar, kPortionThumb, at - Start(s.CurScrollBar, s.ThumbBounds));
  const std::int32_t pos = ThumbTrackPosition(at, start, len, s.ThumbSize, RangeOf(bar));
  if (pos != s.nLastSBPos) {
    bar->ScrollInfo.nTrackPos = pos;
    Send(sw, SB_THUMBTRACK, pos);
  }
  s.nLastSBPos = pos;
}

}  // namespace

void SendScrollMessage(HWND Wnd, UINT Msg, int Code, std::int32_t Pos) {
  const LPARAM what = MAKELPARAM(Code, Msg);
  const WPARAM wp = MAKEWPARAM(Code, std::clamp<std::int32_t>(Pos, 0, 0xFFFF));
  if (SendAMessage(Wnd, ACMD_SCROLLBEGIN, what) == 1) {
    SendMessageW(Wnd, Msg, wp, LPARAM(Pos));
  } else {
    if (Code == SB_THUMBTRACK) {
      SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, Pos, 0};
      SetScrollInfo(Wnd, Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si, FALSE);
    }
    SendMessageW(Wnd, Msg, wp, 0);
  }
  SendAMessage(Wnd, ACMD_SCROLLEND, what);
}

LRESULT Ac_NCMouseMove(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  TacScrollState& s = ScrollState();
  if (s.CurScrollWnd != Wnd && s.CurScrollWnd != nullptr) Ac_ForgetScrollWnd(s.CurScrollWnd);
  s.CurScrollWnd = Wnd;
  const int bar = WParam == HTHSCROLL ? SB_HORZ : WParam == HTVSCROLL ? SB_VERT : -1;
  if (bar >= 0 && s.HoverBar != bar) {
    s.LastHoverPortion = s.HoverPortion = kPortionNone;
    s.HoverRect = ScreenBarRect(SW, bar);
    s.HoverBar = bar;
    s.HoverTimerId = SetTimer(Wnd, kHoverTimer, 20, nullptr);
    Ac_NCPaint(SW, Wnd, 1, nullptr, -1, 0);
  }
  LPARAM lp = LParam;
  return SW->CallPrevWndProc(Wnd, WM_NCMOUSEMOVE, WParam, lp);
}

LRESULT Ac_NCLButtonDown(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  TacScrollState& s = ScrollState();
  if (s.CurScrollWnd != Wnd && s.CurScrollWnd != nullptr) Ac_ForgetScrollWnd(s.CurScrollWnd);
  s.CurScrollWnd = Wnd;
  const POINT p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
  const int bar = WParam == HTHSCROLL ? SB_HORZ : SB_VERT;
  s.CurScrollMsg = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  s.CurScrollBar = bar;
  TacScrollBar* b = BarOf(SW, bar);
  const TRect r = ScreenBarRect(SW, bar);
  s.CurPortion = b != nullptr ? PortionAt(b, r, p) : kPortionNone;
  if (s.CurPortion == kPortionNone) {
    s.CurScrollBar = -1;
    LPARAM lp = LParam;
    return SW->CallPrevWndProc(Wnd, WM_NCLBUTTONDOWN, WParam, lp);
  }
  const bool active = Ac_IsScrollbarActive(b);
  if (active && s.CurPortion >= kPortionFirstArrow && s.CurPortion <= kPortionPageAfter) {
    s.HitPortion = s.CurPortion;
    RedrawBar(SW, bar, s.HitPortion);
    Send(SW, s.CurPortion, 0);
    s.ScrollTimerId = SetTimer(Wnd, kRepeatDelayTimer, 300, nullptr);
  } else if (active && s.CurPortion == kPortionThumb) {
    const TacThumb t = ThumbOf(b, r);
    s.ThumbSize = t.Size;
    s.ThumbPos = t.Pos;
    s.ThumbBounds = r;
    SW->fThumbTracking = true;
    b->ScrollInfo.nTrackPos = b->ScrollInfo.nPos;
    s.ThumbMouseOffset = Along(bar, p) - s.ThumbPos;
    s.nLastSBPos = b->ScrollInfo.nPos;
    s.HitPortion = kPortionThumb;
    RedrawBar(SW, bar, kPortionThumb, t.Pos - Start(bar, r));
  }
  SetCapture(Wnd);
  return 0;
}

LRESULT Ac_MouseMove(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  TacScrollState& s = ScrollState();
  if (s.CurScrollWnd == Wnd && SW->fThumbTracking) {
    ThumbTrack(SW, ScreenPoint(Wnd, LParam));
    return 0;
  }
  if (s.CurScrollWnd != Wnd || s.CurPortion == kPortionNone) {
    LPARAM lp = LParam;
    return SW->CallPrevWndProc(Wnd, WM_MOUSEMOVE, WParam, lp);
  }
  TacScrollBar* b = BarOf(SW, s.CurScrollBar);
  if (b == nullptr) return 0;
  const int under = PortionAt(b, ScreenBarRect(SW, s.CurScrollBar), ScreenPoint(Wnd, LParam));
  const int hit = under == s.CurPortion ? s.CurPortion : kPortionNone;
  if (hit != s.HitPortion) {
    s.HitPortion = hit;
    RedrawBar(SW, s.CurScrollBar, hit);
  }
  return 0;
}

LRESULT Ac_LButtonUp(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  TacScrollState& s = ScrollState();
  if (s.CurScrollWnd == Wnd && s.CurPortion != kPortionNone) {
    if (GetCapture() == Wnd) ReleaseCapture();
    const int bar = s.CurScrollBar;
    if (s.CurPortion == kPortionThumb) {
      if (SW->fThumbTracking) {
        Send(SW, SB_THUMBPOSITION, s.nLastSBPos);
        SW->fThumbTracking = false;
      }
      Send(SW, SB_ENDSCROLL, s.nLastSBPos);
    } else {
      KillTimer(Wnd, s.ScrollTimerId);
      Send(SW, SB_ENDSCROLL, 0);
    }
    s.CurPortion = s.HitPortion = kPortionNone;
    s.ScrollTimerId = 0;
    s.CurScrollMsg = 0;
    s.CurScrollBar = -1;
    RedrawBar(SW, bar, kPortionNone);
  }
  LPARAM lp = LParam;
  return SW->CallPrevWndProc(Wnd, WM_LBUTTONUP, WParam, lp);
}

bool Ac_Timer(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  TacScrollState& s = ScrollState();
  Result = 0;
  switch (WParam) {
    case kRepeatDelayTimer:
      KillTimer(Wnd, kRepeatDelayTimer);
      if (s.CurScrollWnd == Wnd && s.CurPortion != kPortionNone)
        s.ScrollTimerId = SetTimer(Wnd, kRepeatTimer, 55, nullptr);
      return true;
    case kRepeatTimer: {
      if (s.CurScrollWnd != Wnd || s.CurPortion == kPortionNone) {
        KillTimer(Wnd, kRepeatTimer);
        return true;
      }
      POINT c{};
      GetCursorPos(&c);
      ScreenToClient(Wnd, &c);
      Ac_MouseMove(SW, Wnd, 0, MAKELPARAM(std::max<LONG>(c.x, 0), std::max<LONG>(c.y, 0)));
      if (s.HitPortion != kPortionNone) Send(SW, s.HitPortion, 0);
      return true;
    }
    case kHoverTimer: {
      if (SW->fThumbTracking) return true;
      POINT c{};
      GetCursorPos(&c);
      const TRect& h = s.HoverRect;
      TacScrollBar* b = s.HoverBar >= 0 ? BarOf(SW, s.HoverBar) : nullptr;
      if (s.CurScrollWnd == Wnd && b != nullptr && c.x >= h.Left && c.x < h.Right && c.y >= h.Top && c.y < h.Bottom) {
        s.HoverPortion = PortionAt(b, ScreenBarRect(SW, s.HoverBar), c);
        if (s.HoverPortion != s.LastHoverPortion)
          RedrawBar(SW, s.HoverBar, s.CurScrollBar == s.HoverBar ? s.HitPortion : kPortionNone);
        s.LastHoverPortion = s.HoverPortion;
      } else {
        KillTimer(Wnd, kHoverTimer);
        if (s.CurScrollWnd == Wnd) {
          s.HoverTimerId = 0;
          s.HoverBar = s.LastHoverPortion = s.HoverPortion = -1;
          Ac_NCPaint(SW, Wnd, 1, nullptr, -1, 0);
        }
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace skin
