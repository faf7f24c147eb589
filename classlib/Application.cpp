// The application object (message loop, exceptions, hints, work handed to the main thread) and
// the screen (its forms, work area, cursor), both created on first use.
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>

#include "classlib/Dialogs.h"

namespace classlib {

namespace {

constexpr UINT WM_APP_SYNC = WM_APP + 0x2A1;
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

TApplication* g_application = nullptr;
TScreen* g_screen = nullptr;
DWORD g_mainThread = 0;

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

// ---- TScreen ----

TScreen* TScreen::Existing() { return g_screen; }

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  SetGlobalComponentFinder([](std::wstring_view name) -> TComponent* { return Screen->FindForm(name); });
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
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
  if (Value == crHourGlass)
    ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  else if (Value == crDefault)
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
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
  FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
                            0, 0, nullptr, nullptr, wc.hInstance, nullptr);
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

void TApplication::HookMainWindow(const void* Owner, TMainWindowHook Hook) {
  FWindowHooks.emplace_back(Owner, std::move(Hook));
}

void TApplication::UnhookMainWindow(const void* Owner) {
  std::erase_if(FWindowHooks, [Owner](const auto& hook) { return hook.first == Owner; });
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
  while (ProcessMessage(msg)) {}
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
  } catch (...) {}
  if (OnException) {
    OnException(Sender, current);
    return;
  }
  try {
    std::rethrow_exception(current);
  } catch (const Exception& e) {
    ShowException(e.Message());
  } catch (const std::exception& e) {
    ShowException(Utf8Decode(e.what() ? e.what() : ""));
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
  POINT p{};
  GetCursorPos(&p);
  THintInfo info;
  info.HintControl = c;
  info.CursorPos = c->ScreenToClient(TPoint{p.x, p.y});
  info.HintPos = TPoint{p.x, p.y + 20};
  for (TControl* h = c; h; h = h->Parent())
    if (!h->Hint().empty()) {
      info.HintStr = h->Hint();
      break;
    }
  if (c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return;
  std::wstring hint = ShortHint(info.HintStr);
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
  SendMessageW(FHintWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(info.HintPos.X, info.HintPos.Y));
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
    if (!app->FWindowHooks.empty()) {
      TMessage m{msg, wParam, lParam, 0};
      const auto hooks = app->FWindowHooks;  // a hook may change the list
      for (const auto& hook : hooks)
        if (hook.second(m)) return m.Result;
    }
    switch (msg) {
      case WM_APP_SYNC: app->CheckSynchronize(); return 0;
      case WM_ACTIVATEAPP:
        // The application's own notice, after the system's, as components that hook the window expect.
        if (wParam) PostMessageW(hwnd, CM_ACTIVATE, 0, 0);
        break;
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
