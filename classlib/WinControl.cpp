// TWinControl: its window created on demand, child controls, alignment, tab order and focus.
#include "classlib/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/ControlWindows.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/ScopeExit.h"

namespace classlib {

namespace {

void CollectTabOrder(const TWinControl* control, std::vector<TWinControl*>& list) {
  for (TWinControl* child : control->TabList()) {
    list.push_back(child);
    CollectTabOrder(child, list);
  }
}

}  // namespace
// ---- TWinControl ----

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { FBrush.SetColor(FColor); }

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
  const TScopeExit created([this]() noexcept { ControlState -= csCreating; });
  CreateWnd();
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
  detail::EnsureCommonControls();
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, SystemClassName, &wc))
    GetClassInfoW(GetModuleHandleW(L"comctl32.dll"), SystemClassName, &wc);
  Params.WindowClass = wc;
  Params.WinClassName = SystemClassName;
  Params.SystemClass = true;
}

void TWinControl::CreateWnd() {
  detail::EnsureCommonControls();
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
      if (c == First)
        started = true;
      else
        continue;
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
  const TScopeExit aligned([this]() noexcept { ControlState -= csAligning; });
  {
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
  }
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

void TWinControl::UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

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

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TControl::Notification(AComponent, Operation);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (GetCapture() == FHandle) {
    if (detail::g_captureControl && detail::g_captureControl->Parent() == this) target = detail::g_captureControl;
  } else {
    target = ControlAtPos({Message.XPos(), Message.YPos()}, false);
  }
  if (!target) return false;
  const int x = Message.XPos() - target->Left(), y = Message.YPos() - target->Top();
  Message.Result = target->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  return true;
}

}  // namespace classlib
