// The default manager's hooks: the CBT hook through which standard dialogs are skinned, and
// the hook on the application's window that follows minimising, restoring, activation and the
// taskbar's requests. Parts that draw (animations, the skinned system menu, thumbnails, popup menu
// borders) belong to the form provider and the menu engine: while none answers they do nothing.
#include <windows.h>

#include <utility>

#include "classlib/Forms.h"
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
    case kMenuItemBorder:
    case kMenuWindowBorder:
      // The border is drawn by the menu engine; the request is answered either way.
      return SkinnedPopups;
    default: return false;
  }
}

}  // namespace skin
