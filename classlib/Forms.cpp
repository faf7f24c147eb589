#include "classlib/Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/FormReader.h"
#include "classlib/ScopeExit.h"

namespace classlib {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM p) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(p);
  if (IsWindowVisible(w) && IsWindowEnabled(w)) list->push_back(w);
  return TRUE;
}

}  // namespace

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner) {
  FFormState += fsCreating;
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
  FWidth = 320;
  FHeight = 240;
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  // Components go while the form is still a form: a component that hooked the window procedure
  // (a skin provider) can give it back, and no child outlives its window.
  DestroyComponents();
  if (TScreen* screen = TScreen::Existing()) screen->RemoveForm(this);
  if (TApplication* app = TApplication::Existing(); app && app->FMainForm == this) app->FMainForm = nullptr;
}

void TSizeConstraints::DeclareProperties(TClassDecl<TSizeConstraints>& d) {
  d.Integer(L"MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0);
  d.Integer(L"MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0);
  d.Integer(L"MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0);
  d.Integer(L"MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
}

void TCustomForm::DeclareProperties(TClassDecl<TCustomForm>& d) {
  d.Bool(L"Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false);
  d.Color(L"Color", &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace);
  d.Bool(L"ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont, false);
  d.Enum(L"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
  d.Set(L"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
        TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  d.Enum(L"Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned);
  d.Bool(L"AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, false);
  d.Enum(L"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal);
  d.Enum(L"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal);
  d.Component<TMainMenu>(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  d.Bool(L"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false);
  d.String(L"HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile);
  d.Object(L"Constraints", &TCustomForm::Constraints);
  d.Component<TWinControl>(L"ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  d.Event(L"OnCreate", &TCustomForm::OnCreate);
  d.Event(L"OnDestroy", &TCustomForm::OnDestroy);
  d.Event(L"OnShow", &TCustomForm::OnShow);
  d.Event(L"OnHide", &TCustomForm::OnHide);
  d.Event(L"OnActivate", &TCustomForm::OnActivate);
  d.Event(L"OnDeactivate", &TCustomForm::OnDeactivate);
  d.Event(L"OnPaint", &TCustomForm::OnPaint);
  d.Event(L"OnClose", &TCustomForm::OnClose);
  d.Event(L"OnCloseQuery", &TCustomForm::OnCloseQuery);
}

void TCustomForm::AfterConstruction() {
  TCustomControl::AfterConstruction();
  FFormState -= fsCreating;
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (!FDestroyCalled) {
    FDestroyCalled = true;
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    DoDestroy();
  }
  TCustomControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::InitDescription(const forms::ObjectNode& Node, const std::wstring& Source) {
  TFormBindings bindings(this);
  DeclareBindings(bindings);
  TDescriptionOptions options;
  options.Source = Source;
  options.FindGlobalComponent = [](std::wstring_view name) -> TComponent* { return Screen->FindForm(name); };
  ApplyDescription(this, Node, bindings, options);
  std::vector<std::wstring> missing = bindings.UnboundFields(this);
  if (!missing.empty())
    throw EFormError(L"description " + Source + L": no component named " + missing.front() + L" for field " +
                     missing.front());
}

void TCustomForm::InitDescription(const std::wstring& ResourceName) {
  std::wstring name = ResourceName.empty() ? UpperCase(ClassName()) : ResourceName;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EFormError(L"description " + name + L" is not among the program's resources");
  const DWORD size = SizeofResource(module, resource);
  forms::ObjectNode node;
  try {
    node = forms::ReadForm(std::string_view(static_cast<const char*>(data), size));
  } catch (const EFormError& e) {
    throw EFormError(L"description " + name + L", " + e.Message());
  }
  InitDescription(node, name);
}

void TCustomForm::Loaded() {
  TCustomControl::Loaded();
  if (FActiveControl && !FActiveControl->HandleAllocated() && FShowing) SetWindowFocus();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  auto* control = dynamic_cast<TWinControl*>(AComponent);
  if (!control && AComponent) {
    // The object may be half gone; compare addresses only.
    if (static_cast<TComponent*>(FActiveControl) == AComponent) FActiveControl = nullptr;
    if (static_cast<TComponent*>(FFocusedControl) == AComponent) FFocusedControl = nullptr;
    return;
  }
  if (control == FActiveControl) FActiveControl = nullptr;
  if (control == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (FClientSizeWanted && !FHandle) SetClientSize(FClientWidthWanted, FClientHeightWanted);
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (FHandle)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (FHandle) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FHandle && FShowing)
    ShowWindow(FHandle, Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (FHandle) {
    ::SetMenu(FHandle, Value ? Value->Handle() : nullptr);
    if (FClientSizeWanted) SetClientSize(FClientWidthWanted, FClientHeightWanted);
  }
}

TRect TCustomForm::FrameSize() const {
  TCreateParams p;
  const_cast<TCustomForm*>(this)->CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, FMenu != nullptr, p.ExStyle);
  return {r.left, r.top, r.right, r.bottom};
}

TRect TCustomForm::ClientRect() const {
  if (FHandle) return TCustomControl::ClientRect();
  if (FClientSizeWanted) return {0, 0, FClientWidthWanted, FClientHeightWanted};
  TRect f = FrameSize();
  return {0, 0, std::max(0, FWidth - (f.Right - f.Left)), std::max(0, FHeight - (f.Bottom - f.Top))};
}

TPoint TCustomForm::ClientOrigin() const {
  if (FHandle) return TCustomControl::ClientOrigin();
  TRect f = FrameSize();
  return {FLeft - f.Left, FTop - f.Top};
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
  FClientSizeWanted = true;
  FClientWidthWanted = AWidth;
  FClientHeightWanted = AHeight;
  if (FHandle) {
    RECT r{};
    GetClientRect(FHandle, &r);
    SetBounds(FLeft, FTop, FWidth + AWidth - r.right, FHeight + AHeight - r.bottom);
    return;
  }
  TRect f = FrameSize();
  FWidth = AWidth + (f.Right - f.Left);
  FHeight = AHeight + (f.Bottom - f.Top);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FBorderIcons.Contains(biHelp) && !(Params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
      Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  if (FFormStyle == fsMDIChild) {
    TCustomForm* frame = MDIParent();
    if (frame == nullptr || frame->ClientHandle() == nullptr)
      throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
    Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_MDICHILD;
    Params.WndParent = frame->ClientHandle();
  } else {
    TApplication* app = TApplication::Existing();
    TCustomForm* main = app ? app->MainForm() : nullptr;
    if (main && main != this && main->HandleAllocated()) Params.WndParent = main->FHandle;
    if (!Params.WndParent) Params.ExStyle |= WS_EX_APPWINDOW;
  }
  Params.WindowClass.style = CS_DBLCLKS;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Params.WindowClass.hIcon = LoadIconW(instance, L"MAINICON");
  if (!Params.WindowClass.hIcon) Params.WindowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
}

void TCustomForm::CreateWnd() {
  if (FClientSizeWanted) {
    TRect f = FrameSize();
    FWidth = FClientWidthWanted + (f.Right - f.Left);
    FHeight = FClientHeightWanted + (f.Bottom - f.Top);
  }
  TCustomControl::CreateWnd();
  if (FFormStyle == fsMDIForm) CreateMDIClient();
  if (FMenu) ::SetMenu(FHandle, FMenu->Handle());
  if (FClientSizeWanted) {
    RECT r{};
    GetClientRect(FHandle, &r);
    if (r.right != FClientWidthWanted || r.bottom != FClientHeightWanted)
      SetWindowPos(FHandle, nullptr, 0, 0, FWidth + FClientWidthWanted - r.right,
                   FHeight + FClientHeightWanted - r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TCustomForm::PlaceForShow() {
  TRect area = Screen->WorkAreaRect();
  auto centerOver = [&](TRect r) {
    int x = r.Left + (r.Right - r.Left - FWidth) / 2;
    int y = r.Top + (r.Bottom - r.Top - FHeight) / 2;
    x = std::max(area.Left, std::min(x, area.Right - FWidth));
    y = std::max(area.Top, std::min(y, area.Bottom - FHeight));
    SetBounds(x, y, FWidth, FHeight);
  };
  auto windowRect = [](TCustomForm* f) {
    RECT r{};
    GetWindowRect(f->Handle(), &r);
    return TRect{r.left, r.top, r.right, r.bottom};
  };
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: centerOver(area); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* over = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
      if (TApplication* app = TApplication::Existing(); !over && app) over = app->MainForm();
      if (over && over != this && over->HandleAllocated() && IsWindowVisible(over->FHandle))
        centerOver(windowRect(over));
      else
        centerOver(area);
      break;
    }
    default: break;
  }
}

void TCustomForm::UpdateWindowShowing() {
  if (!FHandle) return;
  if (FShowing) {
    {
      FFormState += fsShowing;
      const TScopeExit shown([this]() noexcept { FFormState -= fsShowing; });
      DoShow();
    }
    PlaceForShow();
    int cmd = FWindowState == wsMinimized ? SW_SHOWMINIMIZED : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    ShowWindow(FHandle, cmd);
    FFormState += fsVisible;
    if (FFormStyle == fsMDIChild) {
      // A child is activated inside its client, not on the desktop.
      if (HWND client = GetParent(FHandle)) SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
      return;
    }
    if (FWindowState != wsMinimized) {
      SetForegroundWindow(FHandle);
      SetActiveWindow(FHandle);
      SetWindowFocus();
    }
  } else {
    DoHide();
    const bool wasActive = GetActiveWindow() == FHandle;
    ShowWindow(FHandle, SW_HIDE);
    FFormState -= fsVisible;
    if (wasActive)
      if (HWND owner = GetWindow(FHandle, GW_OWNER); owner && IsWindowVisible(owner)) SetActiveWindow(owner);
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && (Control == this || GetParentForm(Control) != this))
    throw EInvalidOperation(L"Invalid active control");
  FActiveControl = Control;
  if (Control) Control->FreeNotification(this);
  if (!ComponentState().Contains(csLoading) && FActive && Control && Control->CanFocus()) Control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control) return;
  if (!FShowing || !Control->CanFocus()) {
    FActiveControl = Control;
    return;
  }
  FActiveControl = Control;
  {
    Control->ControlState += csFocusing;
    const TScopeExit focused([Control]() noexcept { Control->ControlState -= csFocusing; });
    ::SetFocus(Control->Handle());
  }
  // Without activation the system refuses the focus; remember the control for activation.
  if (GetFocus() != Control->FHandle && GetActiveWindow() != FHandle) SetForegroundWindow(FHandle);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (ComponentState().Contains(csDestroying)) return false;
  if (Control == FFocusedControl) {
    FActiveControl = Control;
    return true;
  }
  TWinControl* old = FFocusedControl;
  FActiveControl = Control;
  FFocusedControl = Control;
  // CM_EXIT up the old chain to the common parent, CM_ENTER down the new chain from it.
  std::vector<TWinControl*> newChain;
  for (TWinControl* c = Control; c && c != this; c = c->Parent()) newChain.push_back(c);
  for (TWinControl* c = old; c && c != this; c = c->Parent()) {
    if (std::find(newChain.begin(), newChain.end(), c) != newChain.end()) break;
    c->Perform(CM_EXIT);
  }
  std::vector<TWinControl*> oldChain;
  for (TWinControl* c = old; c && c != this; c = c->Parent()) oldChain.push_back(c);
  for (auto it = newChain.rbegin(); it != newChain.rend(); ++it)
    if (std::find(oldChain.begin(), oldChain.end(), *it) == oldChain.end()) (*it)->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control) {
  if (!Control) return;
  const bool hadFocus = FFocusedControl && Control->ContainsControl(FFocusedControl) && FFocusedControl->Focused();
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
  if (hadFocus && FHandle && !ComponentState().Contains(csDestroying)) ::SetFocus(FHandle);
}

void TCustomForm::SetWindowFocus() {
  if (!FHandle) return;
  TWinControl* target = FActiveControl;
  if (target && !target->CanFocus()) target = nullptr;
  if (!target) target = FindNextControl(nullptr, true, true, false);
  if (target)
    FocusControl(target);
  else
    ::SetFocus(FHandle);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    if (FModalResult == mrNone) FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (TApplication* app = TApplication::Existing(); app && app->MainForm() == this) {
    app->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
}

void TCustomForm::Release() {
  if (FHandle)
    PostMessageW(FHandle, CM_RELEASE, 0, 0);
  else
    Free(this);
}

int TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal))
    throw EInvalidOperation(L"Cannot make a visible window modal");
  if (GetCapture()) ReleaseCapture();
  FFormState += fsModal;
  FModalResult = mrNone;
  HWND previous = GetActiveWindow();
  HandleNeeded();
  // Every other window of the thread is disabled while the form is up.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  disabled.erase(std::remove(disabled.begin(), disabled.end(), FHandle), disabled.end());
  for (HWND w : disabled) EnableWindow(w, FALSE);
  const TScopeExit restore([&]() noexcept {
    for (HWND w : disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    FFormState -= fsModal;
  });
  try {
    Show();
    TApplication* app = Application;
    while (true) {
      app->HandleMessage();
      if (app->Terminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
      if (FModalResult != mrNone) break;
    }
    Hide();
  } catch (...) {
    // The form goes away before the error is shown; a failure to hide it must not replace the error.
    try {
      Hide();
    } catch (...) {}
    throw;
  }
  return FModalResult;
}

void TCustomForm::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_GETMINMAXINFO: {
      DefaultHandler(M);
      auto* info = reinterpret_cast<MINMAXINFO*>(M.LParam);
      const TSizeConstraints& c = *FConstraints;
      if (c.MaxWidth() > 0) {
        info->ptMaxTrackSize.x = std::min<LONG>(info->ptMaxTrackSize.x, c.MaxWidth());
        info->ptMaxSize.x = std::min<LONG>(info->ptMaxSize.x, c.MaxWidth());
      }
      if (c.MaxHeight() > 0) {
        info->ptMaxTrackSize.y = std::min<LONG>(info->ptMaxTrackSize.y, c.MaxHeight());
        info->ptMaxSize.y = std::min<LONG>(info->ptMaxSize.y, c.MaxHeight());
      }
      if (c.MinWidth() > 0) info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, c.MinWidth());
      if (c.MinHeight() > 0) info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, c.MinHeight());
      M.Result = 0;
      return;
    }
    case WM_CLOSE:
      Close();
      M.Result = 0;
      return;
    case WM_SIZE:
      TCustomControl::Dispatch(M);
      // The client window fills the frame's client area.
      if (FClientHandle) {
        RECT r{};
        GetClientRect(FHandle, &r);
        MoveWindow(FClientHandle, 0, 0, r.right, r.bottom, TRUE);
      }
      return;
    case WM_ACTIVATE:
      DefaultHandler(M);
      if (LOWORD(M.WParam) != WA_INACTIVE) {
        FActive = true;
        Screen->FActiveForm = this;
        SetWindowFocus();
        Perform(CM_ACTIVATE);
      } else {
        FActive = false;
        Perform(CM_DEACTIVATE);
      }
      return;
    case CM_ACTIVATE:
      if (OnActivate) OnActivate(this);
      return;
    case CM_DEACTIVATE:
      if (OnDeactivate) OnDeactivate(this);
      return;
    case CM_RELEASE: Free(this); return;
    case WM_QUERYENDSESSION: M.Result = CloseQuery() ? 1 : 0; return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        const WORD key = static_cast<WORD>(M.WParam);
        if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          M.Result = 1;
          return;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
          if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
            M.Result = 1;
          }
          return;
        }
      }
      TCustomControl::Dispatch(M);
      return;
    default: TCustomControl::Dispatch(M); return;
  }
}

}  // namespace classlib
