#include "skin/core/sStyleSimply.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "skin/core/sProviderLink.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TComponent;
using classlib::TControl;
using classlib::TCustomForm;
using classlib::TMessage;
using classlib::TWinControl;

std::string GlobalSectionName;
bool aSkinChanging = false;

namespace {

constexpr unsigned kLockedBit = 0x10000;
constexpr unsigned kCopyBit = 0x1000;

bool Destroying(const TComponent* c) { return c->ComponentState().Contains(classlib::csDestroying); }

bool ApplicationMinimised() {
  classlib::TApplication* app = classlib::TApplication::Existing();
  return app != nullptr && app->Handle() != nullptr && IsIconic(app->Handle());
}

IacSkinProvider* ProviderOf(TCustomForm* form) {
  if (!form->HandleAllocated()) return nullptr;
  return reinterpret_cast<IacSkinProvider*>(SendAMessage(form->Handle(), ACMD_GETPROVIDER));
}

bool UsesManager(IacSkinProvider* provider, TsSkinManager* manager) {
  if (provider == nullptr) return false;
  TsSkinManager* own = provider->ProviderManager();
  return (own != nullptr ? own : DefaultManager()) == manager;
}

// A registered top-level form, with its provider when that uses Manager.
struct HookedForm {
  TCustomForm* form;
  IacSkinProvider* provider;
};
std::vector<HookedForm> TopLevelForms(TsSkinManager* manager) {
  std::vector<HookedForm> forms;
  for (TComponent* c : HookedComponents()) {
    auto* form = dynamic_cast<TCustomForm*>(c);
    if (form == nullptr || Destroying(form) || form->FormStyle() == classlib::fsMDIChild || form->Parent() != nullptr)
      continue;
    IacSkinProvider* provider = ProviderOf(form);
    if (UsesManager(provider, manager)) forms.push_back({form, provider});
  }
  return forms;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

void SendToForm(TCustomForm* form, TMessage& message) {
  if (form->HandleAllocated())
    message.Result = SendMessageW(form->Handle(), message.Msg, message.WParam, message.LParam);
  AlphaBroadCast(form, message);
}

}  // namespace

std::vector<TComponent*>& HookedComponents() {
  static std::vector<TComponent*> forms;
  return forms;
}

int IntSkinForm(TComponent* Form) {
  HookedComponents().push_back(Form);
  return static_cast<int>(HookedComponents().size());
}

void IntUnSkinForm(TComponent* Form) {
  std::vector<TComponent*>& forms = HookedComponents();
  // Every slot: a form registered twice must not outlive its provider in the list.
  for (std::size_t i = 0; i < forms.size();) {
    if (forms[i] != Form) {
      ++i;
      continue;
    }
    forms[i] = forms.back();
    forms.pop_back();
  }
}

LRESULT SendAMessage(HWND Wnd, unsigned Cmd, LPARAM LParam) {
  return SendMessageW(Wnd, SM_ALPHACMD, AlphaCmd(Cmd), LParam);
}

LRESULT SendAMessage(TControl* Control, unsigned Cmd, LPARAM LParam) {
  if (Control == nullptr) return 0;
  auto* win = dynamic_cast<TWinControl*>(Control);
  if (win == nullptr) return Control->Perform(SM_ALPHACMD, AlphaCmd(Cmd), LParam);
  if (Destroying(win) || !win->HandleAllocated()) return 0;
  return SendMessageW(win->Handle(), SM_ALPHACMD, AlphaCmd(Cmd), LParam);
}

bool GetBoolMsg(TControl* Control, unsigned Cmd) { return (SendAMessage(Control, Cmd) & 0xFF) != 0; }

bool GetBoolMsg(HWND Wnd, unsigned Cmd) { return SendAMessage(Wnd, Cmd) == 1; }

void AlphaBroadCast(TWinControl* Control, TMessage& Message) {
  if (Control == nullptr) return;
  // Children may come and go while they handle the message: the count is read at every step.
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (child == nullptr) continue;
    if (Destroying(child)) return;
    auto* win = dynamic_cast<TWinControl*>(child);
    if (win == nullptr || !win->HandleAllocated()) {
      Message.Result = child->Perform(Message.Msg, Message.WParam, Message.LParam);
    } else if (GetBoolMsg(win, ACMD_ISSKINNED)) {
      Message.Result = SendMessageW(win->Handle(), Message.Msg, Message.WParam, Message.LParam);
    } else {
      AlphaBroadCast(win, Message);
    }
  }
}

void AlphaBroadCast(HWND Wnd, TMessage& Message) {
  std::vector<HWND> children;
  EnumChildWindows(Wnd, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children)
    if (GetParent(child) == Wnd && IsWindow(child))
      Message.Result = SendMessageW(child, Message.Msg, Message.WParam, Message.LParam);
}

void AppBroadCastS(TMessage& Message) {
  classlib::TApplication* app = classlib::TApplication::Existing();
  if (app != nullptr) {
    for (int i = app->ComponentCount() - 1; i >= 0; --i) {
      if (i >= app->ComponentCount()) continue;  // forms may close while they handle the message
      auto* form = dynamic_cast<TCustomForm*>(app->Components(i));
      if (form == nullptr || form->FormStyle() == classlib::fsMDIChild || Destroying(form) ||
          form->ComponentState().Contains(classlib::csLoading))
        continue;
      if (form->HandleAllocated() && GetBoolMsg(form->Handle(), ACMD_ISSKINNED)) continue;
      SendToForm(form, Message);
    }
  }
  SendToHooked(Message);
}

void SendToHooked(TMessage& Message) {
  std::vector<TComponent*>& forms = HookedComponents();
  for (std::size_t i = 0; i < forms.size(); ++i) {
    auto* form = dynamic_cast<TCustomForm*>(forms[i]);
    if (form != nullptr && !Destroying(form)) SendToForm(form, Message);
  }
}

void SetParentUpdated(TWinControl* Control) {
  if (InAnimationProcess || Control == nullptr) return;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (child == nullptr || Destroying(child) || dynamic_cast<classlib::TGraphicControl*>(child) != nullptr) continue;
    if (auto* win = dynamic_cast<TWinControl*>(child)) {
      if (win->HandleAllocated() && win->Showing()) SendAMessage(win->Handle(), ACMD_PARENTUPDATED);
    } else {
      child->Perform(SM_ALPHACMD, AlphaCmd(ACMD_PARENTUPDATED), 0);
    }
  }
}

void SetParentUpdated(HWND Wnd) {
  if (InAnimationProcess) return;
  for (HWND child = GetWindow(Wnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0) SendAMessage(child, ACMD_PARENTUPDATED);
}

void AddToAdapter(TWinControl* Control) {
  if (Control == nullptr) return;
  const auto state = Control->ComponentState();
  if (state.Contains(classlib::csDesigning) || state.Contains(classlib::csLoading)) return;
  TCustomForm* form = classlib::GetParentForm(Control);
  if (form != nullptr && form->HandleAllocated())
    SendAMessage(form->Handle(), ACMD_ADDTOADAPTER, reinterpret_cast<LPARAM>(Control));
}

void LockForms(TsSkinManager* Manager) {
  if (ApplicationMinimised()) return;
  for (const HookedForm& f : TopLevelForms(Manager)) {
    if (f.form->WindowState() == classlib::wsMinimized || !f.form->HandleAllocated() ||
        !IsWindowVisible(f.form->Handle()))
      continue;
    f.provider->SetInAnimation(true);
    f.provider->SetFormState(kLockedBit, true);
    if (f.provider->HasExtendedBorder()) f.provider->ShowCoverInBorder();
    SendMessageW(f.form->Handle(), WM_SETREDRAW, FALSE, 0);
  }
}

void UnLockForms(TsSkinManager* Manager, bool Repaint) {
  if (ApplicationMinimised()) return;
  if (Manager == DefaultManager()) InAnimationProcess = false;
  // Redrawing off has cleared the windows' visible style: the forms' own flag tells which to show.
  std::vector<HookedForm> locked;
  for (const HookedForm& f : TopLevelForms(Manager))
    if (f.form->Visible() && (f.provider->FormState() & kLockedBit) != 0 && f.form->HandleAllocated())
      locked.push_back(f);
  for (const HookedForm& f : locked) SendMessageW(f.form->Handle(), WM_SETREDRAW, TRUE, 0);
  for (const HookedForm& f : locked) {
    if (f.form->WindowState() != classlib::wsMinimized) {
      f.provider->SetFormState(kCopyBit, false);
      if (Repaint) {
        f.provider->SetInAnimation(false);
        if (f.provider->DrawsNonClientArea())
          f.provider->ShowAfterSkinChange();
        else
          RedrawWindow(f.form->Handle(), nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
    }
    f.provider->SetFormState(kLockedBit, false);
  }
}

void CopyExForms(TsSkinManager* Manager) {
  if (ApplicationMinimised() || Manager == nullptr) return;
  const auto state = Manager->ComponentState();
  if (state.Contains(classlib::csDesigning) || state.Contains(classlib::csLoading) ||
      state.Contains(classlib::csReading))
    return;
  for (const HookedForm& f : TopLevelForms(Manager)) {
    if (f.form->WindowState() == classlib::wsMinimized || !f.form->Visible()) continue;
    if (f.provider->HasExtendedBorder()) {
      f.provider->SetFormState(kCopyBit, true);
      f.provider->CaptureFormImage();
    }
    f.provider->SetInAnimation(true);
  }
}

void WithFormsLocked(TsSkinManager* Manager, bool Repaint, const std::function<void()>& Change) {
  LockForms(Manager);
  try {
    Change();
  } catch (...) {
    UnLockForms(Manager, Repaint);
    throw;
  }
  UnLockForms(Manager, Repaint);
}

}  // namespace skin
