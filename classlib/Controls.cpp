#include "classlib/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- enumeration names ----

template <>
const TEnumInfo& EnumInfo<TAlign>() {
  static const TEnumInfo i{L"TAlign", {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient", L"alCustom"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TAnchorKind>() {
  static const TEnumInfo i{L"TAnchorKind", {L"akLeft", L"akTop", L"akRight", L"akBottom"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TAlignment>() {
  static const TEnumInfo i{L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TFormBorderStyle>() {
  static const TEnumInfo i{L"TFormBorderStyle",
                           {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TBevelCut>() {
  static const TEnumInfo i{L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TFontStyle>() {
  static const TEnumInfo i{L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TFontPitch>() {
  static const TEnumInfo i{L"TFontPitch", {L"fpDefault", L"fpVariable", L"fpFixed"}};
  return i;
}

// ---- module state ----

LRESULT CALLBACK StdWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);
void AttachWindow(TWinControl* control, HWND handle);

namespace {

const wchar_t* ControlProp() {
  static const ATOM atom = GlobalAddAtomW(L"TarviselControl");
  return MAKEINTATOM(atom);
}

// The control whose window is being created on this thread: the CBT hook attaches it to the
// window before the window's first message, so that WM_NCCREATE and WM_CREATE reach WndProc.
thread_local TWinControl* g_creating = nullptr;
thread_local HHOOK g_creationHook = nullptr;
TControl* g_captureControl = nullptr;
int g_nextCtlID = 100;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_creating) {
    TWinControl* control = g_creating;
    g_creating = nullptr;
    AttachWindow(control, reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(g_creationHook, code, wParam, lParam);
}

void EnsureCommonControls() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

void CollectTabOrder(const TWinControl* control, std::vector<TWinControl*>& list) {
  for (TWinControl* child : control->TabList()) {
    list.push_back(child);
    CollectTabOrder(child, list);
  }
}

}  // namespace

void AttachWindow(TWinControl* control, HWND handle) {
  control->FHandle = handle;
  SetPropW(handle, ControlProp(), control);
  control->FDefWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
  SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc));
}

LRESULT CALLBACK StdWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropW(handle, ControlProp()));
  if (!control) return DefWindowProcW(handle, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WindowProc(message);
  } catch (...) {
    HandleCallbackException(control);
  }
  if (msg == WM_NCDESTROY) control->WindowDestroyed();
  return message.Result;
}

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  return static_cast<TWinControl*>(GetPropW(Handle, ControlProp()));
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  HWND w = WindowFromPoint(POINT{Pos.X, Pos.Y});
  TWinControl* control = nullptr;
  while (w && !(control = FindControl(w))) w = GetParent(w);
  if (!control) return nullptr;
  if (TControl* inner = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled)) return inner;
  return control;
}

TCustomForm* GetParentForm(const TControl* Control) {
  const TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

TControl* GetCaptureControl() {
  HWND capture = GetCapture();
  if (!capture) return nullptr;
  if (g_captureControl && g_captureControl->Parent() && g_captureControl->Parent()->HandleAllocated() &&
      g_captureControl->Parent()->Handle() == capture)
    return g_captureControl;
  return FindControl(capture);
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
  if ((KeyData & 0x20000000) != 0) s += ssAlt;
  return s;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s += ssShift;
  if (Keys & MK_CONTROL) s += ssCtrl;
  if (Keys & MK_LBUTTON) s += ssLeft;
  if (Keys & MK_RBUTTON) s += ssRight;
  if (Keys & MK_MBUTTON) s += ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s += ssAlt;
  return s;
}

// ---- TControlCanvas ----

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  auto* win = dynamic_cast<TWinControl*>(control_);
  if (win) {
    window_ = win->Handle();
    ownDC_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  } else {
    TWinControl* parent = control_->Parent();
    if (!parent) throw EInvalidOperation(L"Control '" + control_->Name() + L"' has no parent window");
    window_ = parent->Handle();
    ownDC_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    SetViewportOrgEx(ownDC_, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
  }
  SetHandle(ownDC_);
}

void TControlCanvas::FreeHandle() {
  if (!ownDC_) return;
  if (HandleAllocated()) SetHandle(nullptr);
  ReleaseDC(window_, ownDC_);
  ownDC_ = nullptr;
  window_ = nullptr;
}

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
  if (g_captureControl == this) {
    g_captureControl = nullptr;
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
      if (g_captureControl == this) SetMouseCapture(false);
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
        try {
          FFont->Assign(FParent->Font());
        } catch (...) {
          FFontSyncing = false;
          throw;
        }
        FFontSyncing = false;
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
    if (Double) DblClick();
    else ControlState += csClicked;
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
      g_captureControl = nullptr;
      SetCapture(win->Handle());
    } else if (FParent) {
      g_captureControl = this;
      SetCapture(FParent->Handle());
    }
  } else {
    g_captureControl = nullptr;
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
    if (FAnchors.Contains(akLeft)) w += dx;
    else l += dx;
  } else if (!FAnchors.Contains(akLeft)) {
    l += dx / 2;
  }
  if (FAnchors.Contains(akBottom)) {
    if (FAnchors.Contains(akTop)) h += dy;
    else t += dy;
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

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FBrush.SetColor(FColor);
}

TWinControl::~TWinControl() {
  Destroying();
  // A container frees the controls it holds, whoever owns them (their owner forgets them).
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    Free(child);
  }
  DestroyHandle();
}

void TWinControl::DeclareProperties(TClassDecl<TWinControl>& d) {
  d.Bool(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
  d.Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1).NoDefault();
  d.Event(L"OnEnter", &TWinControl::OnEnter);
  d.Event(L"OnExit", &TWinControl::OnExit);
  d.Event(L"OnKeyDown", &TWinControl::OnKeyDown);
  d.Event(L"OnKeyUp", &TWinControl::OnKeyUp);
  d.Event(L"OnKeyPress", &TWinControl::OnKeyPress);
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  ControlState += csCreating;
  try {
    CreateWnd();
  } catch (...) {
    ControlState -= csCreating;
    throw;
  }
  ControlState -= csCreating;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hInstance = GetModuleHandleW(nullptr);
  Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WinClassName = ClassName();
  Params.SystemClass = false;
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* SystemClassName) {
  EnsureCommonControls();
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, SystemClassName, &wc)) GetClassInfoW(GetModuleHandleW(L"comctl32.dll"), SystemClassName, &wc);
  Params.WindowClass = wc;
  Params.WinClassName = SystemClassName;
  Params.SystemClass = true;
}

void TWinControl::CreateWnd() {
  EnsureCommonControls();
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
  if (!params.SystemClass) {
    WNDCLASSW existing{};
    if (!GetClassInfoW(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing)) {
      params.WindowClass.lpszClassName = params.WinClassName.c_str();
      if (!RegisterClassW(&params.WindowClass))
        throw EInvalidOperation(L"Cannot register the window class " + params.WinClassName);
    }
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EInvalidOperation(L"Error creating window of class " + params.WinClassName);
  FLastClientSize = {};
  {
    RECT r{};
    GetClientRect(FHandle, &r);
    FLastClientSize = {r.right, r.bottom};
  }
  UpdateBoundsFromWindow();
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), FALSE);
  InitializeWindow();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HMENU id = nullptr;
  if (Params.Style & WS_CHILD) {
    if (FCtlID == 0) {
      FCtlID = g_nextCtlID++;
      if (g_nextCtlID > 0x7FFF) g_nextCtlID = 100;
    }
    id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(FCtlID));
  }
  TWinControl* outer = g_creating;
  HHOOK outerHook = g_creationHook;
  g_creating = this;
  g_creationHook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
  HWND h = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                           Params.Y, Params.Width, Params.Height, Params.WndParent, id, Params.WindowClass.hInstance,
                           Params.Param);
  if (g_creationHook) UnhookWindowsHookEx(g_creationHook);
  g_creationHook = outerHook;
  g_creating = outer;
  if (h && FHandle != h) AttachWindow(this, h);  // no hook call seen (should not happen)
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  SaveWindowState();
  int n = GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(FHandle, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(n));
  FText = text;
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  ControlState += csDestroyingHandle;
  HWND h = FHandle;
  DestroyWindow(h);
  ControlState -= csDestroyingHandle;
  if (FHandle == h) WindowDestroyed();
}

void TWinControl::WindowDestroyed() {
  if (!FHandle) return;
  RemovePropW(FHandle, ControlProp());
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND);
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FControls[static_cast<std::size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (auto* w = dynamic_cast<TWinControl*>(AControl); w && w->ContainsControl(this))
    throw EInvalidOperation(L"A control cannot hold one of its own parents");
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  FControls.push_back(AControl);
  AControl->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(w);
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  if (!AControl->ComponentState().Contains(csReading)) {
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
      if (Showing() || (FHandle && FShowing)) w->UpdateShowing();
    } else {
      AControl->Invalidate();
    }
    AlignControls(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl->FParent != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w);
    // The window goes with the parent relation: a control is a window only inside its parent.
    w->DestroyHandle();
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    AControl->Invalidate();
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (!ComponentState().Contains(csDestroying)) AlignControls(nullptr);
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    if (windowed && !AllowWinControls) continue;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    if (Pos.X >= c->Left() && Pos.X < c->Left() + c->Width() && Pos.Y >= c->Top() && Pos.Y < c->Top() + c->Height()) {
      TMessage hit{CM_HITTEST, 0, MAKELPARAM(Pos.X - c->Left(), Pos.Y - c->Top()), 0};
      c->WindowProc(hit);
      if (hit.Result != 0) return c;
    }
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> snapshot = FControls;
  for (TControl* c : snapshot) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  std::vector<TControl*> snapshot = FControls;
  for (TControl* c : snapshot)
    if (std::find(FControls.begin(), FControls.end(), c) != FControls.end()) c->Perform(Msg);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  bool started = First == nullptr;
  RECT clip{};
  GetClipBox(DC, &clip);
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (!started) {
      if (c == First) started = true;
      else continue;
    }
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    RECT overlap{};
    if (!IntersectRect(&overlap, &r, &clip)) continue;
    const int saved = SaveDC(DC);
    POINT origin{};
    GetViewportOrgEx(DC, &origin);
    SetViewportOrgEx(DC, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::AlignControls(TControl* AControl) {
  if (FAlignLevel > 0 || ComponentState().Contains(csLoading) || ControlState.Contains(csAligning)) return;
  ControlState += csAligning;
  try {
    TRect rect = AdjustClientRect();
    auto place = [&](TAlign align) {
      std::vector<TControl*> list;
      for (TControl* c : FControls)
        if (c->FAlign == align && c->Visible()) list.push_back(c);
      std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
        switch (align) {
          case alTop: return a->Top() < b->Top();
          case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
          case alLeft: return a->Left() < b->Left();
          case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
          default: return false;
        }
      });
      for (TControl* c : list) {
        int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
        switch (align) {
          case alTop:
            c->SetBounds(rect.Left, rect.Top, w, c->Height());
            rect.Top += c->Height();
            break;
          case alBottom:
            c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
            rect.Bottom -= c->Height();
            break;
          case alLeft:
            c->SetBounds(rect.Left, rect.Top, c->Width(), h);
            rect.Left += c->Width();
            break;
          case alRight:
            c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
            rect.Right -= c->Width();
            break;
          case alClient: c->SetBounds(rect.Left, rect.Top, std::max(0, w), std::max(0, h)); break;
          default: break;
        }
      }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
  } catch (...) {
    ControlState -= csAligning;
    throw;
  }
  ControlState -= csAligning;
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!FParent) return FTabOrderWanted;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  FTabOrderWanted = Value;
  if (!FParent || ComponentState().Contains(csLoading)) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  std::size_t pos = Value < 0 ? list.size() : std::min<std::size_t>(static_cast<std::size_t>(Value), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TWinControl::SortTabList() {
  // Controls with a stored TabOrder take that place; the others keep their reading order.
  std::vector<TWinControl*> ordered;
  std::vector<TWinControl*> rest;
  for (TWinControl* w : FTabList) (w->FTabOrderWanted >= 0 ? ordered : rest).push_back(w);
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](TWinControl* a, TWinControl* b) { return a->FTabOrderWanted < b->FTabOrderWanted; });
  std::vector<TWinControl*> result;
  std::size_t r = 0;
  for (TWinControl* w : ordered) {
    while (static_cast<int>(result.size()) < w->FTabOrderWanted && r < rest.size()) result.push_back(rest[r++]);
    result.push_back(w);
  }
  while (r < rest.size()) result.push_back(rest[r++]);
  FTabList = result;
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return FVisible && FEnabled;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else if (FParent) {
    ::SetFocus(Handle());
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  CollectTabOrder(this, list);
  if (list.empty()) return nullptr;
  int start = -1;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == CurControl) start = static_cast<int>(i);
  const int count = static_cast<int>(list.size());
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  do {
    if (GoForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

TRect TWinControl::ClientRect() const {
  if (FHandle) {
    RECT r{};
    GetClientRect(FHandle, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return {p.x, p.y};
  }
  return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  if (FHandle) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // WM_WINDOWPOSCHANGED has taken the real rectangle; keep what was asked if the system agreed.
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
  }
  RequestAlign();
  if (resized && !FHandle && !ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight) { SetBounds(ALeft, ATop, AWidth, AHeight); }

void TWinControl::UpdateBoundsFromWindow() {
  if (!FHandle) return;
  RECT r{};
  GetWindowRect(FHandle, &r);
  if (HWND parent = GetParent(FHandle); parent && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

void TWinControl::ApplyAlignAfterResize() {
  RECT r{};
  GetClientRect(FHandle, &r);
  TSize now{r.right, r.bottom};
  if (now == FLastClientSize) return;
  TSize old = FLastClientSize;
  FLastClientSize = now;
  if (old.cx > 0 || old.cy > 0)
    for (TControl* c : std::vector<TControl*>(FControls)) c->ParentResized(old, now);
  Realign();
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  if (FHandle) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::wstring TWinControl::GetText() const {
  if (!FHandle) return FText;
  int n = GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  int got = GetWindowTextW(FHandle, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(std::max(0, got)));
  return text;
}

void TWinControl::StoreText(const std::wstring& Value) {
  FText = Value;
  if (FHandle) SetWindowTextW(FHandle, Value.c_str());
}

void TWinControl::Loaded() {
  TControl::Loaded();
  SortTabList();
  if (FParent && FParent->Showing()) UpdateShowing();
  Realign();
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  // Only a control whose parents all show (or a top-level window) changes what the user sees.
  for (const TControl* c = FParent; c; c = c->Parent())
    if (!static_cast<const TWinControl*>(c)->FShowing) return;
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  const bool show = FVisible && !ComponentState().Contains(csDestroying) && !ComponentState().Contains(csReading);
  if (show) {
    if (!FHandle) CreateHandle();
    for (TWinControl* child : std::vector<TWinControl*>(FTabList)) child->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
}

void TWinControl::UpdateWindowShowing() {
  if (!FHandle) return;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
  TControl::FontChanged();
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) { TControl::Notification(AComponent, Operation); }

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (GetCapture() == FHandle) {
    if (g_captureControl && g_captureControl->Parent() == this) target = g_captureControl;
  } else {
    target = ControlAtPos({Message.XPos(), Message.YPos()}, false);
  }
  if (!target) return false;
  const int x = Message.XPos() - target->Left(), y = Message.YPos() - target->Top();
  Message.Result = target->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  return true;
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && form != this && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (ControlState.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST: {
      TControl::WndProc(Message);
      if (Message.Result == HTTRANSPARENT &&
          ControlAtPos(ScreenToClient({Message.XPos(), Message.YPos()}), false) != nullptr)
        Message.Result = HTCLIENT;
      return;
    }
    case WM_MOUSELEAVE:
      TControl::WndProc(Message);
      if (TApplication* app = TApplication::Existing()) app->UpdateMouseControl();
      return;
    default:
      if (IsMouseMessage(Message.Msg) && Message.Msg != WM_MOUSEWHEEL && Message.Msg != WM_MOUSEHWHEEL) {
        if (Message.Msg == WM_MOUSEMOVE) {
          TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
          if (FHandle) TrackMouseEvent(&tme);
          if (TApplication* app = TApplication::Existing()) app->UpdateMouseControl();
        }
        if (IsControlMouseMsg(Message)) {
          if (Message.Result == 0 && FHandle)
            Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::ReflectToChild(TMessage& M) {
  HWND from = nullptr;
  switch (M.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: from = reinterpret_cast<HWND>(M.LParam); break;
    case WM_NOTIFY:
      if (M.LParam) from = reinterpret_cast<NMHDR*>(M.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (dis && dis->CtlType != ODT_MENU) from = dis->hwndItem;
      break;
    }
    case WM_DELETEITEM: {
      auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(M.LParam);
      if (dis) from = dis->hwndItem;
      break;
    }
    case WM_COMPAREITEM: {
      auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(M.LParam);
      if (cis) from = cis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      if (mis && mis->CtlType != ODT_MENU && FHandle) from = GetDlgItem(FHandle, static_cast<int>(mis->CtlID));
      break;
    }
    default: return false;
  }
  if (!from || from == FHandle) return false;
  TWinControl* child = FindControl(from);
  if (!child) return false;
  M.Result = child->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
  return true;
}

void TWinControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (ReflectToChild(M)) return;
      if ((M.Msg == WM_DRAWITEM || M.Msg == WM_MEASUREITEM || M.Msg == WM_COMMAND) && DispatchMenuMessage(M)) return;
      DefaultHandler(M);
      return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: M.Result = ColorMessage(M); return;
    case WM_PAINT: {
      bool graphicChildren = false;
      for (TControl* c : FControls)
        if (!dynamic_cast<TWinControl*>(c)) graphicChildren = true;
      if (graphicChildren || dynamic_cast<TCustomControl*>(this) || ControlState.Contains(csCustomPaint))
        PaintHandler(M);
      else
        DefaultHandler(M);
      return;
    }
    case WM_ERASEBKGND:
      if (FDefWndProc == DefWindowProcW || FDefWndProc == nullptr) {
        if (M.WParam) {
          RECT r{};
          GetClientRect(FHandle, &r);
          FillRect(reinterpret_cast<HDC>(M.WParam), &r, FBrush.Handle());
        }
        M.Result = 1;
        return;
      }
      DefaultHandler(M);
      return;
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(M);
      const int oldW = FWidth, oldH = FHeight;
      UpdateBoundsFromWindow();
      ApplyAlignAfterResize();
      if ((oldW != FWidth || oldH != FHeight) && !ComponentState().Contains(csLoading)) Resize();
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: DoKeyMessage(M); return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(M); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(M); return;
    case CN_KEYUP: M.Result = 0; return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: Broadcast(M); return;
    case CM_SHOWINGCHANGED: UpdateWindowShowing(); return;
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, FEnabled);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      FBrush.SetColor(FColor);
      NotifyControls(CM_PARENTCOLORCHANGED);
      Invalidate();
      return;
    case CM_FONTCHANGED: Invalidate(); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_CONTROLLISTCHANGE:
      if (FParent) FParent->WindowProc(M);
      return;
    case CM_FOCUSCHANGED: Broadcast(M); return;
    case CM_RECREATEWND: {
      const bool hadFocus = Focused();
      ControlState += csRecreating;
      try {
        DestroyHandle();
        UpdateShowing();
        // A hidden control still gets its window back when it had one.
        HandleNeeded();
      } catch (...) {
        ControlState -= csRecreating;
        throw;
      }
      ControlState -= csRecreating;
      if (hadFocus && FHandle) ::SetFocus(FHandle);
      return;
    }
    case WM_CONTEXTMENU:
      if (M.Result == 0 && !(M.XPos() == -1 && M.YPos() == -1)) {
        if (TControl* inner = ControlAtPos(ScreenToClient({M.XPos(), M.YPos()}), false)) {
          M.Result = inner->Perform(WM_CONTEXTMENU, M.WParam, M.LParam);
          if (M.Result != 0) return;
        }
      }
      TControl::Dispatch(M);
      return;
    case WM_MOUSEWHEEL:
      M.Result = Perform(CM_MOUSEWHEEL, M.WParam, M.LParam);
      if (M.Result == 0) DefaultHandler(M);
      return;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
      DefaultHandler(M);
      if (M.Msg == WM_SETTEXT && M.LParam) FText = reinterpret_cast<const wchar_t*>(M.LParam);
      return;
    case WM_SETCURSOR:
      if (FCursor != crDefault && LOWORD(M.LParam) == HTCLIENT) {
        static const LPCWSTR cursors[] = {IDC_ARROW, IDC_ARROW, IDC_ARROW, IDC_CROSS, IDC_IBEAM, IDC_SIZEALL, IDC_SIZENESW,
                                          IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT, IDC_ARROW,
                                          IDC_NO, IDC_SIZEWE, IDC_SIZENS, IDC_ARROW, IDC_WAIT, IDC_NO, IDC_APPSTARTING,
                                          IDC_HELP, IDC_HAND, IDC_SIZEALL};
        int index = -FCursor;
        if (index >= 0 && index < static_cast<int>(std::size(cursors))) {
          ::SetCursor(LoadCursorW(nullptr, cursors[index]));
          M.Result = 1;
          return;
        }
      }
      DefaultHandler(M);
      return;
    default: TControl::Dispatch(M); return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  // Library messages mean nothing to the window's own procedure.
  if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400) return;
  Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg, Message.WParam,
                                   Message.LParam);
}

LRESULT TWinControl::ColorMessage(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush.Color())));
  return reinterpret_cast<LRESULT>(FBrush.Handle());
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool own = dc == nullptr;
  if (own) dc = BeginPaint(FHandle, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (own) EndPaint(FHandle, &ps);
    throw;
  }
  if (own) EndPaint(FHandle, &ps);
}

void TWinControl::DoKeyMessage(TMessage& M) {
  if (M.Msg == WM_CHAR) {
    wchar_t key = static_cast<wchar_t>(M.WParam);
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
      form->KeyPress(key);
      if (key == 0) return;
    }
    KeyPress(key);
    if (key == 0) return;
    M.WParam = key;
    DefaultHandler(M);
    return;
  }
  WORD key = static_cast<WORD>(M.WParam);
  TShiftState shift = KeyDataToShiftState(M.LParam);
  const bool down = M.Msg == WM_KEYDOWN || M.Msg == WM_SYSKEYDOWN;
  // A form with KeyPreview sees its controls' keys first.
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
    if (down) form->KeyDown(key, shift);
    else form->KeyUp(key, shift);
    if (key == 0) return;
  }
  if (down) KeyDown(key, shift);
  else KeyUp(key, shift);
  if (key == 0) return;
  M.WParam = key;
  DefaultHandler(M);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CNKeyDown(TMessage& M) {
  // Keys that a dialog uses (Tab, arrows, Enter, Esc) go to the form unless the window wants them.
  M.Result = 1;
  const WORD key = static_cast<WORD>(M.WParam);
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, key) == 0) {
    const LRESULT code = FHandle ? SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) : 0;
    if ((code & mask) == 0)
      if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key, M.LParam) != 0) return;
  }
  M.Result = 0;
}

void TWinControl::CNChar(TMessage& M) {
  M.Result = 1;
  LRESULT code = FHandle ? SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) : 0;
  if ((code & DLGC_WANTCHARS) == 0) {
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, M.WParam, M.LParam) != 0) return;
  }
  M.Result = 0;
}

// ---- TGraphicControl / TCustomControl ----

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    if (Message.WParam) {
      FCanvas->Lock();
      FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
      try {
        Paint();
      } catch (...) {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
        throw;
      }
      FCanvas->SetHandle(nullptr);
      FCanvas->Unlock();
    }
    return;
  }
  TControl::Dispatch(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

}  // namespace classlib
