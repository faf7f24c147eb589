#include "classlib/Forms.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>

#include "classlib/Dialogs.h"
#include "classlib/FormReader.h"

namespace classlib {

template <>
const TEnumInfo& EnumInfo<TFormStyle>() {
  static const TEnumInfo i{L"TFormStyle", {L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TBorderIcon>() {
  static const TEnumInfo i{L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TPosition>() {
  static const TEnumInfo i{L"TPosition",
                           {L"poDesigned", L"poDefault", L"poDefaultPosOnly", L"poDefaultSizeOnly", L"poScreenCenter",
                            L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TWindowState>() {
  static const TEnumInfo i{L"TWindowState", {L"wsNormal", L"wsMinimized", L"wsMaximized"}};
  return i;
}

namespace {

constexpr UINT WM_APP_SYNC = WM_APP + 0x2A1;
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

TApplication* g_application = nullptr;
TScreen* g_screen = nullptr;
DWORD g_mainThread = 0;

std::wstring Widen(const char* text) {
  std::wstring r;
  if (!text) return r;
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 1) return r;
  r.resize(static_cast<std::size_t>(n - 1));
  MultiByteToWideChar(CP_UTF8, 0, text, -1, r.data(), n);
  return r;
}

BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM p) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(p);
  if (IsWindowVisible(w) && IsWindowEnabled(w)) list->push_back(w);
  return TRUE;
}

std::wstring ShortHint(const std::wstring& hint) {
  std::size_t bar = hint.find(L'|');
  return bar == std::wstring::npos ? hint : hint.substr(0, bar);
}

}  // namespace

void HandleCallbackException(TObject* Sender) noexcept {
  try {
    Application->HandleException(Sender);
  } catch (...) {
    // Showing the exception failed as well: nothing more can be done safely here.
  }
}

TApplication* TApplicationAccess::operator->() const {
  if (!g_application) g_application = new TApplication(nullptr);
  return g_application;
}

TScreen* TScreenAccess::operator->() const {
  if (!g_screen) g_screen = new TScreen(nullptr);
  return g_screen;
}

void FinalizeApplication() {
  TApplication* app = g_application;
  if (app) {
    Free(app);
    g_application = nullptr;
  }
  TScreen* screen = g_screen;
  if (screen) {
    Free(screen);
    g_screen = nullptr;
  }
}

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
  if (g_screen) g_screen->RemoveForm(this);
  if (g_application && g_application->FMainForm == this) g_application->FMainForm = nullptr;
}

void TCustomForm::DeclareProperties(TClassDecl<TCustomForm>& d) {
  d.Bool(L"Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false);
  d.Color(L"Color", &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace);
  d.Bool(L"ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont, false);
  d.Enum(L"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
  d.Set(L"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
        TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  d.Enum(L"Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned);
  d.Enum(L"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal);
  d.Enum(L"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal);
  d.Component<TMainMenu>(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  d.Bool(L"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false);
  d.String(L"HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile);
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
  TCustomForm* main = g_application ? g_application->MainForm() : nullptr;
  if (main && main != this && main->HandleAllocated()) Params.WndParent = main->FHandle;
  if (!Params.WndParent) Params.ExStyle |= WS_EX_APPWINDOW;
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
  if (FMenu) ::SetMenu(FHandle, FMenu->Handle());
  if (FClientSizeWanted) {
    RECT r{};
    GetClientRect(FHandle, &r);
    if (r.right != FClientWidthWanted || r.bottom != FClientHeightWanted)
      SetWindowPos(FHandle, nullptr, 0, 0, FWidth + FClientWidthWanted - r.right, FHeight + FClientHeightWanted - r.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
      if (!over && g_application) over = g_application->MainForm();
      if (over && over != this && over->HandleAllocated() && IsWindowVisible(over->FHandle)) centerOver(windowRect(over));
      else centerOver(area);
      break;
    }
    default: break;
  }
}

void TCustomForm::UpdateWindowShowing() {
  if (!FHandle) return;
  if (FShowing) {
    FFormState += fsShowing;
    try {
      DoShow();
    } catch (...) {
      FFormState -= fsShowing;
      throw;
    }
    FFormState -= fsShowing;
    PlaceForShow();
    int cmd = FWindowState == wsMinimized ? SW_SHOWMINIMIZED : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW;
    ShowWindow(FHandle, cmd);
    FFormState += fsVisible;
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
  if (Control && (Control == this || GetParentForm(Control) != this)) throw EInvalidOperation(L"Invalid active control");
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
  Control->ControlState += csFocusing;
  try {
    ::SetFocus(Control->Handle());
  } catch (...) {
    Control->ControlState -= csFocusing;
    throw;
  }
  Control->ControlState -= csFocusing;
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
  if (target) FocusControl(target);
  else ::SetFocus(FHandle);
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
  if (g_application && g_application->MainForm() == this) {
    g_application->Terminate();
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
  if (FHandle) PostMessageW(FHandle, CM_RELEASE, 0, 0);
  else Free(this);
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
  auto restore = [&] {
    for (HWND w : disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    FFormState -= fsModal;
  };
  try {
    Show();
    TApplication* app = Application;
    while (true) {
      app->HandleMessage();
      if (app->Terminated()) FModalResult = mrCancel;
      else if (FModalResult != mrNone) CloseModal();
      if (FModalResult != mrNone) break;
    }
    Hide();
  } catch (...) {
    try {
      Hide();
    } catch (...) {
    }
    restore();
    throw;
  }
  restore();
  return FModalResult;
}

void TCustomForm::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_CLOSE:
      Close();
      M.Result = 0;
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

// ---- TScreen ----

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  SetGlobalComponentFinder([](std::wstring_view name) -> TComponent* { return Screen->FindForm(name); });
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FForms[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) FActiveForm = nullptr;
}

TCustomForm* TScreen::FindForm(std::wstring_view Name) const {
  for (TCustomForm* f : FForms)
    if (!f->Name().empty() && SameText(f->Name(), Name)) return f;
  return nullptr;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) r = {0, 0, Width(), Height()};
  return {r.left, r.top, r.right, r.bottom};
}

int TScreen::PixelsPerInch() const { return TFont::ScreenPixelsPerInch(); }

void TScreen::SetCursor(TCursor Value) {
  FCursor = Value;
  if (Value == crHourGlass) ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  else if (Value == crDefault) ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

// ---- TApplication ----

struct TApplication::SyncQueue {
  struct Item {
    std::function<void()> work;
    std::exception_ptr error;
    HANDLE done = nullptr;
  };
  std::mutex lock;
  std::deque<Item*> items;
};

TApplication* TApplication::Existing() { return g_application; }

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FSync(new SyncQueue) {
  g_mainThread = GetCurrentThreadId();
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring title = path;
  if (auto slash = title.find_last_of(L"\\/"); slash != std::wstring::npos) title = title.substr(slash + 1);
  if (auto dot = title.find_last_of(L'.'); dot != std::wstring::npos) title = title.substr(0, dot);
  FTitle = title;
  WNDCLASSW wc{};
  wc.lpfnWndProc = &TApplication::WindowProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TApplication";
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  WNDCLASSW existing{};
  if (!GetClassInfoW(wc.hInstance, wc.lpszClassName, &existing)) RegisterClassW(&wc);
  FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0,
                            0, nullptr, nullptr, wc.hInstance, nullptr);
  if (FHandle) SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  if (FHintWindow) DestroyWindow(FHintWindow);
  if (FHandle) {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
  delete FSync;
  if (g_application == this) g_application = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FMainForm) == AComponent) FMainForm = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
}

void TApplication::SetTitle(const std::wstring& Value) {
  FTitle = Value;
  if (FHandle) SetWindowTextW(FHandle, Value.c_str());
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

HWND TApplication::Handle() { return FHandle; }

void TApplication::SetMainForm(TCustomForm* Form) {
  FMainForm = Form;
  Form->HandleNeeded();
}

void TApplication::Run() {
  FRunning = true;
  if (FMainForm && ShowMainForm) {
    try {
      FMainForm->Show();
    } catch (...) {
      HandleException(this);
    }
  }
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
    if (!FMainForm) FTerminated = true;
  }
  FRunning = false;
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if ((Msg.message == WM_LBUTTONDOWN || Msg.message == WM_RBUTTONDOWN || Msg.message == WM_KEYDOWN) && FHintShown)
    CancelHint();
  if (!IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND w = GetCapture();
  if (!w) {
    w = Msg.hwnd;
    while (w && !FindControl(w)) w = GetParent(w);
  }
  if (!w || !FindControl(w)) return false;
  return SendMessageW(w, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Idle() {
  UpdateMouseControl();
  if (OnIdle) OnIdle(this);
  CheckSynchronize();
  WaitMessage();
}

int TApplication::MessageBox(const std::wstring& Text, const std::wstring& Caption, UINT Flags) {
  HWND owner = GetActiveWindow();
  if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->Handle();
  return ShowMessageBox(owner, Text, Caption.empty() ? FTitle : Caption, Flags);
}

void TApplication::ShowException(const std::wstring& Message) {
  std::wstring text = Message;
  if (!text.empty() && text.back() > L'.') text += L'.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  if (GetCapture()) ReleaseCapture();
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
    return;
  } catch (...) {
  }
  if (OnException) {
    OnException(Sender, current);
    return;
  }
  try {
    std::rethrow_exception(current);
  } catch (const Exception& e) {
    ShowException(e.Message());
  } catch (const std::exception& e) {
    ShowException(Widen(e.what()));
  } catch (...) {
    ShowException(L"Unknown exception");
  }
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) {
    FHintControl = nullptr;
    HideHintWindow();
  }
}

void TApplication::UpdateMouseControl() {
  POINT p{};
  if (!GetCursorPos(&p)) return;
  TControl* capture = GetCaptureControl();
  TControl* now = FindDragTarget({p.x, p.y}, true);
  if (now == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = now;
  if (old && (!capture || capture == old)) old->Perform(CM_MOUSELEAVE);
  // The leave handler may have freed the new control; FMouseControl is cleared then.
  if (FMouseControl && FMouseControl == now && (!capture || capture == now)) now->Perform(CM_MOUSEENTER);
  CancelHint();
  if (FShowHint && FMouseControl) {
    FHintControl = FMouseControl;
    SetTimer(FHandle, kHintShowTimer, static_cast<UINT>(HintPause), nullptr);
  }
}

void TApplication::CancelHint() {
  if (FHandle) {
    KillTimer(FHandle, kHintShowTimer);
    KillTimer(FHandle, kHintHideTimer);
  }
  HideHintWindow();
}

void TApplication::ShowHintWindow() {
  TControl* c = FHintControl;
  if (!c || c != FMouseControl) return;
  std::wstring hint;
  for (TControl* h = c; h; h = h->Parent())
    if (!h->Hint().empty()) {
      hint = ShortHint(h->Hint());
      break;
    }
  if (hint.empty() || !c->ShowHint()) return;
  if (!FHintWindow) {
    FHintWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!FHintWindow) return;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = FHandle;
    ti.uId = 1;
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(FHintWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(FHintWindow, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = FHandle;
  ti.uId = 1;
  ti.lpszText = hint.data();
  SendMessageW(FHintWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  POINT p{};
  GetCursorPos(&p);
  SendMessageW(FHintWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x, p.y + 20));
  SendMessageW(FHintWindow, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  FHintShown = true;
  SetTimer(FHandle, kHintHideTimer, static_cast<UINT>(HintHidePause), nullptr);
}

void TApplication::HideHintWindow() {
  if (!FHintShown || !FHintWindow) return;
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = FHandle;
  ti.uId = 1;
  SendMessageW(FHintWindow, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  FHintShown = false;
}

void TApplication::Synchronize(const std::function<void()>& Work) {
  if (GetCurrentThreadId() == g_mainThread) {
    Work();
    return;
  }
  SyncQueue::Item item;
  item.work = Work;
  item.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  {
    std::lock_guard<std::mutex> guard(FSync->lock);
    FSync->items.push_back(&item);
  }
  PostMessageW(FHandle, WM_APP_SYNC, 0, 0);
  WaitForSingleObject(item.done, INFINITE);
  CloseHandle(item.done);
  if (item.error) std::rethrow_exception(item.error);
}

void TApplication::CheckSynchronize() {
  while (true) {
    SyncQueue::Item* item = nullptr;
    {
      std::lock_guard<std::mutex> guard(FSync->lock);
      if (FSync->items.empty()) return;
      item = FSync->items.front();
      FSync->items.pop_front();
    }
    try {
      item->work();
    } catch (...) {
      item->error = std::current_exception();
    }
    SetEvent(item->done);
  }
}

LRESULT CALLBACK TApplication::WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!app) return DefWindowProcW(hwnd, msg, wParam, lParam);
  try {
    switch (msg) {
      case WM_APP_SYNC: app->CheckSynchronize(); return 0;
      case WM_TIMER:
        if (wParam == kHintShowTimer) {
          KillTimer(hwnd, kHintShowTimer);
          app->ShowHintWindow();
          return 0;
        }
        if (wParam == kHintHideTimer) {
          KillTimer(hwnd, kHintHideTimer);
          app->HideHintWindow();
          return 0;
        }
        break;
      case WM_COMMAND:
      case WM_MEASUREITEM:
      case WM_DRAWITEM: {
        TMessage m{msg, wParam, lParam, 0};
        if (DispatchMenuMessage(m)) return m.Result;
        break;
      }
      case WM_CLOSE:
        if (app->FMainForm) app->FMainForm->Close();
        return 0;
      default: break;
    }
  } catch (...) {
    HandleCallbackException(app);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace classlib
