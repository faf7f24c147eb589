#include "skin/forms/acDialsHook.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "classlib/Controls.h"
#include "skin/core/acDialogHookLink.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acMnuWnd.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

HHOOK HookCallback = nullptr;
std::vector<TacProvider*> acSupportedList;
const std::vector<std::wstring> ThirdPartySkipForms{L"TApplication", L"TfcPopup"};

namespace {

constexpr ATOM kDialogAtom = 0x8002;
constexpr ATOM kMenuAtom = 0x8000;

bool AppDestroying() {
  classlib::TApplication* app = classlib::TApplication::Existing();
  return app != nullptr && app->ComponentState().Contains(classlib::csDestroying);
}

// A child window has a real parent; an owned top-level window (a message box and its owner) has none.
bool HasParent(HWND Wnd) { return (GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_CHILD) != 0; }

bool IsAtom(LPCWSTR Class) { return reinterpret_cast<ULONG_PTR>(Class) < 0x10000; }

// A popup-menu window gets its handler (the default manager's skin active, SkinnedPopups on).
void CatchPopupMenu(HWND Menu) { AttachMenuWindowHandler(Menu); }

// A window of a registered class: a top-level window of the class library (the main form
// excepted while it is being made) gets its chance at creation.
void CatchNamedWindow(HWND Wnd, const CREATESTRUCTW& Create) {
  if (GetWndClassName(Wnd) == L"TPUtilWindow" || Create.dwExStyle == 0 || Create.style == 0) return;
  if ((Create.style & WS_CHILD) != 0) return;
  if (classlib::TApplication* app = classlib::TApplication::Existing()) {
    if (classlib::TCustomForm* main = app->MainForm()) {
      if (!main->HandleAllocated() || main->Handle() == Wnd) return;
    }
  }
  AddSupportedForm(Wnd, nullptr);
}

void HandleCBT(int Code, WPARAM WParam, LPARAM LParam) {
  if (AppDestroying()) return;
  switch (Code) {
    case HCBT_ACTIVATE: {
      const HWND wnd = reinterpret_cast<HWND>(WParam);
      if (AddSupportedForm(wnd, nullptr)) return;
      // A dialog's controls are made after its window: those made since its creation are
      // attached before it shows.
      if (TacProvider* provider = FindFormInList(wnd); provider != nullptr && !provider->FormProvider())
        provider->Activating();
      return;
    }
    case HCBT_DESTROYWND: CleanArray(); return;
    case HCBT_SETFOCUS:
      if (WParam != 0) {
        const HWND root = GetAncestor(reinterpret_cast<HWND>(WParam), GA_ROOT);
        if (TacProvider* provider = FindFormInList(root); provider != nullptr && !provider->FormProvider())
          provider->FocusEntering();
      }
      return;
    case HCBT_CREATEWND: {
      if (WParam == 0 || LParam == 0) return;
      const HWND wnd = reinterpret_cast<HWND>(WParam);
      const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(LParam)->lpcs;
      if (create == nullptr) return;
      if (IsAtom(create->lpszClass)) {
        const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(create->lpszClass));
        if (atom == kDialogAtom)
          AddSupportedForm(wnd, nullptr);
        else if (atom == kMenuAtom)
          CatchPopupMenu(wnd);
        return;
      }
      CatchNamedWindow(wnd, *create);
      return;
    }
    default: return;
  }
}

void HookChanged(HHOOK Hook) {
  HookCallback = Hook;
  if (Hook == nullptr) {
    ClearMnuArray();
    ClearSupportedList();
  }
}

std::wstring Lower(std::wstring Text) {
  for (wchar_t& c : Text) c = static_cast<wchar_t>(std::towlower(c));
  return Text;
}

void FreeProvider(TacProvider* Provider) { classlib::Free(Provider); }

}  // namespace

void Ac_InstallDialogHook() { SetDialogHookLink({&SkinHookCBT, &HookChanged}); }

LRESULT CALLBACK SkinHookCBT(int Code, WPARAM WParam, LPARAM LParam) {
  const LRESULT result = CallNextHookEx(HookCallback, Code, WParam, LParam);
  // A window whose creation a later hook refused never exists: nothing is attached to it.
  if (Code == HCBT_CREATEWND && result != 0) return result;
  try {
    HandleCBT(Code, WParam, LParam);
  } catch (...) {
    classlib::HandleCallbackException(nullptr);
  }
  return result;
}

bool AddSupportedForm(HWND Handle, const CREATESTRUCTW* CreateStruct) {
  TsSkinManager* manager = DefaultManager();
  if (manager == nullptr || Handle == nullptr || AppDestroying() || GetBoolMsg(Handle, ACMD_ISSKINNED)) return false;
  std::wstring className;
  if (CreateStruct != nullptr && !IsAtom(CreateStruct->lpszClass) && CreateStruct->lpszClass[0] != 0)
    className = CreateStruct->lpszClass;
  else
    className = GetWndClassName(Handle);
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  if ((style & WS_POPUP) != 0 && (style & WS_BORDER) == 0) return false;
  if (FindFormInList(Handle) != nullptr) return false;

  classlib::TCustomForm* form = FindFormOnScreen(Handle);
  if (form == nullptr || form->ComponentState().Contains(classlib::csLoading)) {
    if (className != L"#32770" || HasParent(Handle) ||
        !manager->SkinningRules().Contains(TacSkinningRule::srStdDialogs))
      return false;
    // Past the allowed number of skinned dialogs only one with a tool bar (a file dialog) is skinned.
    if (VisibleDlgCount() >= ac_DialogsLevel && !ControlExists(Handle, L"toolbarwindow32")) return false;
    auto* provider = new TacProvider(nullptr);
    acSupportedList.push_back(provider);
    if (!provider->InitSkin(Handle)) FreeProvider(provider);
    return true;
  }

  if ((form->Tag() & ac_NoSkinTag) == ac_NoSkinTag) return false;
  if (std::binary_search(ThirdPartySkipForms.begin(), ThirdPartySkipForms.end(), className)) return false;
  const TacSkinningRule rule =
      className == L"TMessageForm" ? TacSkinningRule::srStdDialogs : TacSkinningRule::srStdForms;
  if (!manager->SkinningRules().Contains(rule)) return false;
  auto* provider = new TacProvider(form);
  acSupportedList.push_back(provider);
  provider->InitForm(form);
  // The class library has no MDI forms: no children to add.
  return true;
}

void CleanArray() {
  // Freeing a provider destroys no window of its own, but the list may grow while it runs (a
  // window made by a handler being freed): it is read by index at every step.
  for (std::size_t i = 0; i < acSupportedList.size(); ++i) {
    TacProvider* provider = acSupportedList[i];
    if (provider == nullptr || provider->FormProvider()) continue;
    // A handler still inside its window procedure (a child destroying another window while it is
    // destroyed itself) keeps its provider until a later call.
    if (!provider->DialogGone() || provider->HandlerRunning()) continue;
    acSupportedList[i] = nullptr;
    FreeProvider(provider);
  }
}

void ClearMnuArray() { ClearMenuHandlers(); }

void ClearSupportedList() {
  std::vector<TacProvider*> providers = std::move(acSupportedList);
  acSupportedList.clear();
  for (TacProvider* provider : providers) {
    // Form providers belong to their forms and go with them.
    if (provider != nullptr && !provider->FormProvider()) FreeProvider(provider);
  }
}

void BroadCastHwnd(HWND Handle, const classlib::TMessage& Message) {
  for (HWND child = GetTopWindow(Handle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, Message.Msg, Message.WParam, Message.LParam);
}

bool ControlExists(HWND Handle, const std::wstring& ClassName) {
  for (HWND child = GetTopWindow(Handle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (Lower(GetWndClassName(child)) == ClassName || ControlExists(child, ClassName)) return true;
  }
  return false;
}

int VisibleDlgCount() {
  int count = 0;
  for (TacProvider* provider : acSupportedList) {
    if (provider != nullptr && provider->Skinned() && !provider->DialogGone() && IsWindowVisible(provider->CtrlHandle))
      ++count;
  }
  return count;
}

TacProvider* FindFormInList(HWND Handle) {
  if (classlib::TApplication* app = classlib::TApplication::Existing(); app != nullptr && app->Terminated())
    return nullptr;
  for (TacProvider* provider : acSupportedList) {
    if (provider != nullptr && provider->CtrlHandle == Handle) return provider;
  }
  return nullptr;
}

classlib::TCustomForm* FindFormOnScreen(HWND Handle) {
  classlib::TScreen* screen = classlib::TScreen::Existing();
  if (screen == nullptr || Handle == nullptr) return nullptr;
  for (int i = screen->FormCount() - 1; i >= 0; --i) {
    classlib::TCustomForm* form = screen->Forms(i);
    if (form == nullptr || form->ComponentState().Contains(classlib::csDestroying)) continue;
    if (form->HandleAllocated() && form->Handle() == Handle) return form;
  }
  return nullptr;
}

}  // namespace skin
