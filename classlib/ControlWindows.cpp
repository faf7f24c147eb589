// Window plumbing of the controls: attaching a window to its control, the window procedure,
// finding controls by window, shift states, control canvases, window creation and its end.
#include "classlib/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/ControlWindows.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

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
int g_nextCtlID = 100;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_creating) {
    TWinControl* control = g_creating;
    g_creating = nullptr;
    AttachWindow(control, reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(g_creationHook, code, wParam, lParam);
}

}  // namespace

namespace detail {

TControl* g_captureControl = nullptr;

void EnsureCommonControls() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
}

}  // namespace detail

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
  if (detail::g_captureControl && detail::g_captureControl->Parent() &&
      detail::g_captureControl->Parent()->HandleAllocated() && detail::g_captureControl->Parent()->Handle() == capture)
    return detail::g_captureControl;
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

// ---- TWinControl: the window itself ----

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

void TWinControl::WindowDestroyed() {
  if (!FHandle) return;
  RemovePropW(FHandle, ControlProp());
  FHandle = nullptr;
  FShowing = false;
}

}  // namespace classlib
