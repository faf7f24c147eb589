// The default manager's hooks: the CBT hook through which standard dialogs are skinned, and
// the hook on the application's window that follows minimising, restoring, activation and the
// taskbar's requests. Parts that draw (animations, the skinned system menu, thumbnails, popup menu
// borders) belong to the form provider and the menu engine: while none answers they do nothing.
#include <windows.h>

#include <cwchar>
#include <utility>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/core/acDialogHookLink.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"

namespace skin {

namespace {

constexpr UINT kTaskbarSysMenu = 0x313;
constexpr UINT kSendIconicThumbnail = 0x323;
constexpr UINT kSendIconicLivePreview = 0x326;
constexpr UINT kMenuItemBorder = 0xBCB3;    // a skinned popup menu asks for its window border
constexpr UINT kMenuWindowBorder = 0xBCB4;  // the same for a given menu window

bool IsMenuWindow(HWND Wnd) {
  wchar_t cls[16]{};
  return Wnd != nullptr && GetClassNameW(Wnd, cls, 16) > 0 && std::wcscmp(cls, L"#32768") == 0;
}

BOOL CALLBACK CollectMenuWindow(HWND Wnd, LPARAM List) {
  if (IsMenuWindow(Wnd)) reinterpret_cast<std::vector<HWND>*>(List)->push_back(Wnd);
  return TRUE;
}

// The open pop-up window that shows Item's menu: the window at the centre of the first item of
// Item's parent, whose native menu is found among this thread's menu windows by the item each
// native entry carries. nullptr when that menu is not open.
HWND PopupWindowOf(classlib::TMenuItem* Item) {
  classlib::TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return nullptr;
  classlib::TMenuItem* first = nullptr;
  for (int i = 0; i < parent->Count() && first == nullptr; ++i)
    if (parent->Items(i)->Visible()) first = parent->Items(i);
  if (first == nullptr) return nullptr;
  // The system's menu windows are top-level windows of the desktop, not of this thread.
  std::vector<HWND> windows;
  EnumWindows(&CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (menu == nullptr || !GetMenuItemInfoW(menu, 0, TRUE, &info) ||
        info.dwItemData != reinterpret_cast<ULONG_PTR>(first))
      continue;
    RECT r{};
    if (!GetMenuItemRect(nullptr, menu, 0, &r) &&
        !GetMenuItemRect(classlib::Application != nullptr ? classlib::Application->Handle() : nullptr, menu, 0, &r))
      return nullptr;
    const HWND at = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return IsMenuWindow(at) ? at : nullptr;
  }
  return nullptr;
}

// Serves while no dialog skinning is linked in: everything passes on.
LRESULT CALLBACK PassOnCBT(int Code, WPARAM WParam, LPARAM LParam) {
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

}  // namespace

void TsSkinManager::InstallHook() {
  if (Designing() || !IsDefault() || GlobalHookInstalled) return;
  GlobalHookInstalled = true;
  const TacDialogHookLink& link = DialogHookLink();
  cbtHook_ =
      SetWindowsHookExW(WH_CBT, link.Procedure != nullptr ? link.Procedure : &PassOnCBT, nullptr, GetCurrentThreadId());
  linkedHook_ = link.Procedure != nullptr ? link.HookChanged : nullptr;
  if (linkedHook_ != nullptr) linkedHook_(cbtHook_);
}

void TsSkinManager::UnInstallHook() {
  if (Designing() || !IsDefault() || !GlobalHookInstalled) return;
  if (cbtHook_ != nullptr) UnhookWindowsHookEx(cbtHook_);
  cbtHook_ = nullptr;
  // The skinning the hook made goes with it.
  if (linkedHook_ != nullptr) std::exchange(linkedHook_, nullptr)(nullptr);
  GlobalHookInstalled = false;
}

bool TsSkinManager::MainWindowHook(classlib::TMessage& Message) {
  classlib::TApplication* app = classlib::Application;
  classlib::TCustomForm* mainForm = app->MainForm();
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
      // The animated hide is for a main form hidden behind the application's taskbar button; here
      // the main form always has its own, and the system hides it.
      return false;
    case WM_SYSCOMMAND:
      if (!records_->SkinData.Active) return false;
      switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: ShowState = classlib::saMinimize; break;
        case SC_RESTORE: ShowState = classlib::saRestore; break;
        default: ShowState = classlib::saIgnore; break;
      }
      // The minimise and restore animations are the provider's.
      return false;
    case kTaskbarSysMenu:
      if (!app->MainFormOnTaskBar() || mainForm == nullptr || !mainForm->HandleAllocated()) return false;
      // The skinned system menu is the provider's; the taskbar's request is answered either way.
      return true;
    case WM_THEMECHANGED: return true;
    case kSendIconicThumbnail:
    case kSendIconicLivePreview:
      // Thumbnails are the provider's; without one there is none to give.
      if (ac_ChangeThumbPreviews && mainForm != nullptr) Message.Result = 0;
      return false;
    case classlib::CM_ACTIVATE:
      if (classlib::TScreen* screen = classlib::TScreen::Existing()) {
        for (int i = screen->FormCount() - 1; i >= 0; --i) SendAMessage(screen->Forms(i), ACMD_REDRAW);
      }
      return false;
    case kMenuItemBorder: {
      if (!SkinnedPopups) return false;
      // The item was posted: it may have gone with its menu since.
      auto* item = reinterpret_cast<classlib::TMenuItem*>(Message.LParam);
      if (!classlib::IsMenuItemAlive(item)) return true;
      if (HWND popup = PopupWindowOf(item); popup != nullptr && SkinableMenus() != nullptr)
        SkinableMenus()->DrawMenuWindowBorder(item, popup);
      return true;
    }
    case kMenuWindowBorder:
      if (!SkinnedPopups) return false;
      if (const auto wnd = reinterpret_cast<HWND>(Message.LParam);
          IsWindow(wnd) && IsMenuWindow(wnd) && SkinableMenus() != nullptr)
        SkinableMenus()->DrawMenuWindowBorder(nullptr, wnd);
      return true;
    default: return false;
  }
}

}  // namespace skin
