#include "classlib/ScrollBox.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "classlib/ScopeExit.h"
#include "classlib/ScrollRange.h"

namespace classlib {

namespace {

int BarOf(TScrollBarKind Kind) { return Kind == sbHorizontal ? SB_HORZ : SB_VERT; }

bool Loading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

void GiveScrollInfo(HWND Wnd, int Bar, bool Shown, int Range, int Page, int Pos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (Shown) {
    si.nMax = Range - 1;
    si.nPage = static_cast<UINT>(std::max(0, Page));
    si.nPos = Pos;
  }
  SetScrollInfo(Wnd, Bar, &si, TRUE);
}

}  // namespace

// ---- TControlScrollBar ----

void TControlScrollBar::DeclareProperties(TClassDecl<TControlScrollBar>& d) {
  d.Integer(L"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement, 8);
  d.Integer(L"Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin, 0);
  d.Integer(L"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange, 0);
  d.Integer(L"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition, 0);
  d.Bool(L"Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking, false);
  d.Bool(L"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true);
}

void TControlScrollBar::SetIncrement(int Value) { FIncrement = std::max(1, Value); }

void TControlScrollBar::SetMargin(int Value) {
  FMargin = std::max(0, Value);
  if (FControl->FAutoScroll) FControl->UpdateScrollBars();
}

int TControlScrollBar::ClientSize() const {
  return FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
}

void TControlScrollBar::SetPosition(int Value) {
  if (Loading(FControl)) {
    // The children are not all there yet: Loaded clamps it.
    FPosition = std::max(0, Value);
    return;
  }
  const int wanted = FVisible ? ClampScrollPosition(Value, FRange, ClientSize()) : 0;
  if (wanted == FPosition) return;
  const int old = FPosition;
  FPosition = wanted;
  if (FKind == sbHorizontal)
    FControl->ScrollBy(old - wanted, 0);
  else
    FControl->ScrollBy(0, old - wanted);
  if (FControl->HandleAllocated()) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = FPosition;
    SetScrollInfo(FControl->Handle(), BarOf(FKind), &si, TRUE);
    FControl->ScrollBarsChanged();
  }
}

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(0, Value);
  FControl->FAutoScroll = false;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::ScrollMessage(const TMessage& Message) {
  const int code = LOWORD(Message.WParam);
  if (code < SB_LINEUP || code > SB_ENDSCROLL) return;
  int thumb = HIWORD(Message.WParam);
  if ((code == SB_THUMBTRACK || code == SB_THUMBPOSITION) && FControl->HandleAllocated()) {
    // The message carries 16 bits of the thumb's place; the bar knows all of it.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS | SIF_POS;
    if (GetScrollInfo(FControl->Handle(), BarOf(FKind), &si)) {
      if ((si.nTrackPos & 0xFFFF) == thumb)
        thumb = si.nTrackPos;
      else if ((si.nPos & 0xFFFF) == thumb)
        thumb = si.nPos;
    }
  }
  TScrollRequest r;
  r.Code = static_cast<TScrollCode>(code);
  r.ThumbPos = thumb;
  r.Position = FPosition;
  r.Increment = FIncrement;
  r.ClientSize = ClientSize();
  r.Range = FRange;
  r.Tracking = FTracking;
  SetPosition(PositionForScrollCode(r));
}

// ---- TScrollingWinControl ----

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::DeclareProperties(TClassDecl<TScrollingWinControl>& d) {
  d.Bool(L"AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll, true);
  d.Object(L"HorzScrollBar", &TScrollingWinControl::HorzScrollBar);
  d.Object(L"VertScrollBar", &TScrollingWinControl::VertScrollBar);
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  UpdateScrollBars();
}

int TScrollingWinControl::ContentExtent(TScrollBarKind Kind) const {
  const int pos = Kind == sbHorizontal ? FHorzScrollBar->FPosition : FVertScrollBar->FPosition;
  long long extent = 0;
  for (TControl* c : FControls) {
    // Aligned children fill whatever the content is: they do not make it larger.
    if (!c->Visible() || (c->Align() != alNone && c->Align() != alCustom)) continue;
    const long long edge = Kind == sbHorizontal ? c->Left() + static_cast<long long>(c->Width())
                                                : c->Top() + static_cast<long long>(c->Height());
    extent = std::max(extent, edge + pos);
  }
  return static_cast<int>(std::min<long long>(extent, INT_MAX));
}

void TScrollingWinControl::UpdateScrollBars() {
  if (updatingBars_ || scrollingChildren_ || Loading(this) || ComponentState().Contains(csDestroying)) return;
  updatingBars_ = true;
  const TScopeExit done([this]() noexcept { updatingBars_ = false; });
  TControlScrollBar& h = *FHorzScrollBar;
  TControlScrollBar& v = *FVertScrollBar;
  if (FAutoScroll) {
    const int hExtent = ContentExtent(sbHorizontal), vExtent = ContentExtent(sbVertical);
    h.FRange = hExtent > 0 ? static_cast<int>(std::min<long long>(INT_MAX, 1LL * hExtent + h.FMargin)) : 0;
    v.FRange = vExtent > 0 ? static_cast<int>(std::min<long long>(INT_MAX, 1LL * vExtent + v.FMargin)) : 0;
  }
  // The client area as it would be without bars.
  const int vThick = GetSystemMetrics(SM_CXVSCROLL), hThick = GetSystemMetrics(SM_CYHSCROLL);
  int fullW = ClientWidth(), fullH = ClientHeight();
  if (FHandle) {
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    if (style & WS_VSCROLL) fullW += vThick;
    if (style & WS_HSCROLL) fullH += hThick;
  }
  const TScrollBarsNeeded need =
      ScrollBarsNeeded(h.FRange, v.FRange, fullW, fullH, vThick, hThick, h.FVisible, v.FVisible);
  h.FShown = need.Horz;
  v.FShown = need.Vert;
  const int hPos = h.FShown ? ClampScrollPosition(h.FPosition, h.FRange, need.ClientWidth) : 0;
  const int vPos = v.FShown ? ClampScrollPosition(v.FPosition, v.FRange, need.ClientHeight) : 0;
  const int dx = h.FPosition - hPos, dy = v.FPosition - vPos;
  h.FPosition = hPos;
  v.FPosition = vPos;
  if (dx != 0 || dy != 0) ScrollBy(dx, dy);
  if (!FHandle) return;
  GiveScrollInfo(FHandle, SB_HORZ, h.FShown, h.FRange, need.ClientWidth, hPos);
  GiveScrollInfo(FHandle, SB_VERT, v.FShown, v.FRange, need.ClientHeight, vPos);
  ScrollBarsChanged();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  {
    scrollingChildren_ = true;
    const TScopeExit done([this]() noexcept { scrollingChildren_ = false; });
    if (FHandle) ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    for (TControl* c : std::vector<TControl*>(FControls)) {
      if (c->Align() != alNone && c->Align() != alCustom) continue;
      c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
  }
  // The aligned children take their places in the moved content.
  TWinControl::AlignControls(nullptr);
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (AControl == nullptr || AControl == this || !ContainsControl(AControl)) return;
  TRect r = AControl->BoundsRect();
  if (AControl->Parent() != this) {
    const TPoint origin = ScreenToClient(AControl->Parent()->ClientToScreen({0, 0}));
    r = {r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
  }
  TControlScrollBar& h = *FHorzScrollBar;
  TControlScrollBar& v = *FVertScrollBar;
  if (const int dx = ScrollIntoViewDelta(r.Left - h.FMargin, r.Right + h.FMargin, ClientWidth()); dx != 0)
    h.SetPosition(h.FPosition + dx);
  if (const int dy = ScrollIntoViewDelta(r.Top - v.FMargin, r.Bottom + v.FMargin, ClientHeight()); dy != 0)
    v.SetPosition(v.FPosition + dy);
}

void TScrollingWinControl::AlignControls(TControl* AControl) {
  if (scrollingChildren_) return;
  TWinControl::AlignControls(AControl);
  UpdateScrollBars();
}

TRect TScrollingWinControl::AdjustClientRect() const {
  const TRect client = ClientRect();
  const int left = -FHorzScrollBar->FPosition, top = -FVertScrollBar->FPosition;
  return {left, top, left + std::max(client.Right, FHorzScrollBar->FRange),
          top + std::max(client.Bottom, FVertScrollBar->FRange)};
}

void TScrollingWinControl::InitializeWindow() {
  TWinControl::InitializeWindow();
  UpdateScrollBars();
}

void TScrollingWinControl::Loaded() {
  TWinControl::Loaded();
  UpdateScrollBars();
}

bool TScrollingWinControl::DoMouseWheel(TShiftState, int, TPoint) { return false; }

void TScrollingWinControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      // LParam names the scroll-bar control a child message comes from; 0 is the window's own bar.
      if (M.LParam != 0) break;
      (M.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar)->ScrollMessage(M);
      M.Result = 0;
      return;
    case CM_MOUSEWHEEL: {
      const TPoint at{static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam))};
      M.Result = DoMouseWheel(KeysToShiftState(LOWORD(M.WParam)), static_cast<short>(HIWORD(M.WParam)), at) ? 1 : 0;
      return;
    }
    case CM_FOCUSCHANGED:
      // A child reached with the keyboard comes into view.
      if (FAutoScroll)
        if (auto* focused = reinterpret_cast<TControl*>(M.LParam); focused != nullptr && ContainsControl(focused))
          ScrollInView(focused);
      break;
    default: break;
  }
  TWinControl::Dispatch(M);
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
}

void TScrollBox::DeclareProperties(TClassDecl<TScrollBox>& d) {
  d.Enum(L"BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, bsSingle);
  d.Color(L"Color", &TScrollBox::Color, &TScrollBox::SetColor, clBtnFace);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

}  // namespace classlib
