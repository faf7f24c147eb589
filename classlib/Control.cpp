// TControl: bounds, parent, visibility, text, font, colour, mouse handling and its events.
#include "classlib/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/ControlWindows.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/ScopeExit.h"

namespace classlib {
// ---- TControl ----

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject*) {
    if (!FFontSyncing) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (detail::g_captureControl == this) {
    detail::g_captureControl = nullptr;
    if (FParent && FParent->HandleAllocated() && GetCapture() == FParent->FHandle) ReleaseCapture();
  }
  if (TApplication* app = TApplication::Existing()) app->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
  FFont->OnChange = nullptr;
}

void TControl::DeclareProperties(TClassDecl<TControl>& d) {
  d.Integer(L"Left", &TControl::Left, &TControl::SetLeft).NoDefault();
  d.Integer(L"Top", &TControl::Top, &TControl::SetTop).NoDefault();
  d.Integer(L"Width", &TControl::Width, &TControl::SetWidth).NoDefault();
  d.Integer(L"Height", &TControl::Height, &TControl::SetHeight).NoDefault();
  d.Integer(L"ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).NoDefault();
  d.Integer(L"ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).NoDefault();
  d.Enum(L"Align", &TControl::Align, &TControl::SetAlign, alNone);
  d.Set(L"Anchors", &TControl::Anchors, &TControl::SetAnchors, TAnchors{akLeft, akTop});
  d.Bool(L"Visible", &TControl::Visible, &TControl::SetVisible, true);
  d.Bool(L"Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
  d.String(L"Caption", &TControl::Caption, &TControl::SetCaption);
  d.String(L"Text", &TControl::Text, &TControl::SetText);
  d.Object(L"Font", &TControl::Font);
  d.Bool(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
  d.Color(L"Color", &TControl::Color, &TControl::SetColor, clWindow);
  d.Bool(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false);
  d.String(L"Hint", &TControl::Hint, &TControl::SetHint);
  d.Bool(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
  d.Bool(L"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true);
  d.Component<TPopupMenu>(L"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  d.Integer(L"Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault, &CursorIdents());
  d.Event(L"OnClick", &TControl::OnClick);
  d.Event(L"OnDblClick", &TControl::OnDblClick);
  d.Event(L"OnMouseEnter", &TControl::OnMouseEnter);
  d.Event(L"OnMouseLeave", &TControl::OnMouseLeave);
  d.Event(L"OnMouseDown", &TControl::OnMouseDown);
  d.Event(L"OnMouseUp", &TControl::OnMouseUp);
  d.Event(L"OnMouseMove", &TControl::OnMouseMove);
  d.Event(L"OnResize", &TControl::OnResize);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!ControlStyle.Contains(csDoubleClicks)) Message.Msg = WM_LBUTTONDOWN;
      ControlState += csLButtonDown;
      break;
    case WM_LBUTTONUP: ControlState -= csLButtonDown; break;
    default: break;
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN: HandleMouseDown(M, mbLeft, false); return;
    case WM_LBUTTONDBLCLK: HandleMouseDown(M, mbLeft, true); return;
    case WM_RBUTTONDOWN: HandleMouseDown(M, mbRight, false); return;
    case WM_RBUTTONDBLCLK: HandleMouseDown(M, mbRight, true); return;
    case WM_MBUTTONDOWN: HandleMouseDown(M, mbMiddle, false); return;
    case WM_MBUTTONDBLCLK: HandleMouseDown(M, mbMiddle, true); return;
    case WM_LBUTTONUP: HandleMouseUp(M, mbLeft); return;
    case WM_RBUTTONUP: HandleMouseUp(M, mbRight); return;
    case WM_MBUTTONUP: HandleMouseUp(M, mbMiddle); return;
    case WM_MOUSEMOVE:
      DefaultHandler(M);
      MouseMove(KeysToShiftState(M.WParam), M.XPos(), M.YPos());
      return;
    case WM_CONTEXTMENU: HandleContextMenu(M); return;
    case WM_CANCELMODE:
      if (detail::g_captureControl == this) SetMouseCapture(false);
      DefaultHandler(M);
      return;
    case CM_MOUSEENTER:
      if (FParent) FParent->Perform(CM_MOUSEENTER, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
      if (M.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, M.LParam ? M.LParam : reinterpret_cast<LPARAM>(this));
      if (M.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_VISIBLECHANGED: VisibleChanged(); return;
    case CM_ENABLEDCHANGED: Invalidate(); return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FFontSyncing = true;
        const TScopeExit synced([this]() noexcept { FFontSyncing = false; });
        FFont->Assign(FParent->Font());
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent && FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint && FParent) FShowHint = FParent->ShowHint();
      return;
    case CM_HITTEST: M.Result = HTCLIENT; return;
    default: DefaultHandler(M); return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  // A windowless control answers text questions from its own text.
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); break;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
      std::size_t room = Message.WParam;
      if (!buffer || room == 0) break;
      std::size_t n = std::min(room - 1, FText.size());
      std::copy_n(FText.data(), n, buffer);
      buffer[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_SETTEXT:
      FText = Message.LParam ? reinterpret_cast<const wchar_t*>(Message.LParam) : L"";
      Message.Result = TRUE;
      break;
    default: break;
  }
}

void TControl::HandleMouseDown(TMessage& M, TMouseButton Button, bool Double) {
  if (Double && !ControlStyle.Contains(csDoubleClicks)) Double = false;
  DefaultHandler(M);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (Button == mbLeft && ControlStyle.Contains(csClickEvents)) {
    if (Double)
      DblClick();
    else
      ControlState += csClicked;
  }
  TShiftState shift = KeysToShiftState(M.WParam);
  if (Double) shift += ssDouble;
  MouseDown(Button, shift, M.XPos(), M.YPos());
}

void TControl::HandleMouseUp(TMessage& M, TMouseButton Button) {
  DefaultHandler(M);
  if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (Button == mbLeft && ControlState.Contains(csClicked)) {
    ControlState -= csClicked;
    TRect r = ClientRect();
    int x = M.XPos(), y = M.YPos();
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) Click();
  }
  MouseUp(Button, KeysToShiftState(M.WParam), M.XPos(), M.YPos());
}

void TControl::HandleContextMenu(TMessage& M) {
  if (M.Result != 0) return;
  TPoint screen{M.XPos(), M.YPos()};
  const bool fromKeyboard = screen.X == -1 && screen.Y == -1;
  if (!fromKeyboard) {
    TPoint local = ScreenToClient(screen);
    TRect r = ClientRect();
    if (local.X < r.Left || local.X >= r.Right || local.Y < r.Top || local.Y >= r.Bottom) {
      DefaultHandler(M);
      return;
    }
  }
  if (FPopupMenu && FPopupMenu->AutoPopup()) {
    if (fromKeyboard) screen = ClientToScreen({0, 0});
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(screen.X, screen.Y);
    M.Result = 1;
    return;
  }
  DefaultHandler(M);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (Value == MouseCapture()) return;
  if (Value) {
    if (auto* win = dynamic_cast<TWinControl*>(this)) {
      detail::g_captureControl = nullptr;
      SetCapture(win->Handle());
    } else if (FParent) {
      detail::g_captureControl = this;
      SetCapture(FParent->Handle());
    }
  } else {
    detail::g_captureControl = nullptr;
    ReleaseCapture();
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* win = dynamic_cast<TWinControl*>(Value)) SetParent(win);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont) Perform(CM_PARENTFONTCHANGED);
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED);
  }
  RequestAlign();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  UpdateBounds(ALeft, ATop, AWidth, AHeight);
  // The system tells a window that it moved; a windowless control is told here, so that its own
  // handling and whoever hooked its WindowProc see the same message.
  WINDOWPOS pos{nullptr, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE};
  Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  RequestAlign();
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
}

TRect TControl::ClientRect() const { return {0, 0, FWidth, FHeight}; }
int TControl::ClientWidth() const { return ClientRect().Right; }
int TControl::ClientHeight() const { return ClientRect().Bottom; }
void TControl::SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
void TControl::SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
void TControl::SetClientSize(int AWidth, int AHeight) {
  TRect client = ClientRect();
  SetBounds(FLeft, FTop, FWidth - client.Right + AWidth, FHeight - client.Bottom + AHeight);
}

TPoint TControl::ClientOrigin() const {
  if (!FParent) return {FLeft, FTop};
  TPoint p = FParent->ClientOrigin();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && !ComponentState().Contains(csLoading)) FParent->AlignControls(this);
}

void TControl::ParentResized(const TSize& Old, const TSize& New) {
  if (FAlign != alNone) return;
  const int dx = New.cx - Old.cx, dy = New.cy - Old.cy;
  if (dx == 0 && dy == 0) return;
  int l = FLeft, t = FTop, w = FWidth, h = FHeight;
  if (FAnchors.Contains(akRight)) {
    if (FAnchors.Contains(akLeft))
      w += dx;
    else
      l += dx;
  } else if (!FAnchors.Contains(akLeft)) {
    l += dx / 2;
  }
  if (FAnchors.Contains(akBottom)) {
    if (FAnchors.Contains(akTop))
      h += dy;
    else
      t += dy;
  } else if (!FAnchors.Contains(akTop)) {
    t += dy / 2;
  }
  SetBounds(l, t, w, h);
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  RequestAlign();
}

void TControl::VisibleChanged() {
  if (FParent && FParent->HandleAllocated()) {
    RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->FHandle, &r, TRUE);
  }
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::wstring& Value) {
  if (GetText() == Value) return;
  StoreText(Value);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetFont(const TFont* Value) { FFont->Assign(Value); }

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED); }

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (FColor == Value) return;
  FColor = Value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated()) {
    RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->FHandle, &r, !ControlStyle.Contains(csOpaque));
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

}  // namespace classlib
