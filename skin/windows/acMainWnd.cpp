#include "skin/windows/acMainWnd.h"

#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sProviderLink.h"
#include "skin/windows/acThemeWin32.h"
#include "skin/windows/acWndRoutines.h"
#include "skin/windows/acWndThunkWin32.h"

namespace skin {

bool acDlgMode = false;

namespace {

std::size_t g_liveHandlers = 0;

}  // namespace

// Stands between a control's WindowProc and its handler, so that a later subclass that saved it
// still reaches a live procedure (the one the handler had replaced) after the handler is gone.
// A relay that could not be taken out stays for the life of the process.
namespace detail {
struct TacMethodRelay {
  TacMainWnd* Handler = nullptr;
  classlib::TWndMethod Previous;
  void Call(classlib::TMessage& Message) {
    if (Handler != nullptr)
      Handler->Dispatch(Message);
    else
      Previous(Message);
  }
  classlib::TWndMethod Method() { return classlib::TWndMethod(this, &TacMethodRelay::Call); }
};
}  // namespace detail

namespace {

std::vector<std::unique_ptr<detail::TacMethodRelay>>& StrandedRelays() {
  static std::vector<std::unique_ptr<detail::TacMethodRelay>> relays;
  return relays;
}

}  // namespace

void TacHandlerFree::operator()(TacMainWnd* Wnd) const {
  if (Wnd == nullptr) return;
  Wnd->Release();
  Wnd->Detach();
  delete Wnd;
}

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : CtrlHandle(AHandle), SkinManager(ASkinManager), SkinData(ASkinData) {
  ++g_liveHandlers;
}

TacMainWnd::~TacMainWnd() { --g_liveHandlers; }

std::size_t TacMainWnd::LiveCount() { return g_liveHandlers; }

bool TacMainWnd::StyleSwitchAllowed(const std::string& Section) const {
  if (UxthemeLib() == nullptr || KeepsVisualStyle() || Section == "DIALOG") return false;
  IacSkinProvider* provider = SkinData != nullptr ? SkinData->Provider() : nullptr;
  return provider == nullptr || provider->DrawsNonClientArea();
}

void TacMainWnd::Attach(const std::string& SkinSection, bool Repaint) {
  if (StyleSwitchAllowed(SkinSection) && Ac_SetWindowTheme != nullptr) {
    Ac_SetWindowTheme(CtrlHandle, L" ", L" ");
    themeOff_ = true;
  }
  if (SkinData != nullptr) {
    if (SkinManager == nullptr) SkinManager = SkinData->GetSkinManager();
  } else {
    OwnSkinData = true;
    ownSkinData_ = std::make_unique<TsCommonData>(nullptr, true);
    SkinData = ownSkinData_.get();
    if (SkinManager != nullptr) SkinData->SetSkinManager(SkinManager);
  }
  SkinData->SetCustomFont(ac_KeepOwnFont || SkinData->CustomFont());
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(SkinSection);
  DlgMode = acDlgMode;
  SaveStdParams();
  ParamsChanged = false;
  Caption = GetWndText(CtrlHandle);
  Hook(Repaint);
  if (classlib::TControl* owner = SkinData->OwnerControl()) {
    OldCtrlStyle = owner->ControlStyle;
    styleSaved_ = true;
    if (OpaqueOwner()) owner->ControlStyle.Include(classlib::csOpaque);
  }
}

void TacMainWnd::Hook(bool) { InitializeACWnd(this, CtrlHandle); }

void InitializeACWnd(TacMainWnd* Wnd, HWND Handle) {
  Wnd->DontRepaint = false;
  Wnd->CtrlHandle = Handle;
  SetPropW(Handle, kHandlerProp, Wnd);
  classlib::TControl* target = Wnd->SkinData->OwnerControl();
  if (IacSkinProvider* provider = Wnd->SkinData->Provider(); provider != nullptr) target = provider->ProviderForm();
  if (target == nullptr) {
    TacWndThunk* thunk = TacWndThunk::Create(Handle, [Wnd](UINT Msg, WPARAM WParam, LPARAM LParam) {
      classlib::TMessage m{Msg, WParam, LParam, 0};
      Wnd->Dispatch(m);
      return m.Result;
    });
    if (thunk == nullptr) return;
    Wnd->NewWndProcInstance = thunk;
    Wnd->OldProc = thunk->Install();
    return;
  }
  Wnd->methodOwner_ = target;
  Wnd->relay_ = new detail::TacMethodRelay{Wnd, target->WindowProc};
  Wnd->OldWndProc = target->WindowProc;
  target->WindowProc = Wnd->relay_->Method();
}

void TacMainWnd::Dispatch(classlib::TMessage& Message) {
  ++running_;
  const classlib::TScopeExit done([this] { --running_; });
  acWndProc(Message);
}

bool TacMainWnd::OnTop() const {
  if (relay_ != nullptr) return methodOwner_->WindowProc == relay_->Method();
  return NewWndProcInstance != nullptr && NewWndProcInstance->Installed();
}

bool TacMainWnd::GiveBack() {
  if (relay_ != nullptr) {
    const bool onTop = OnTop();
    if (onTop) {
      methodOwner_->WindowProc = OldWndProc;
      delete relay_;
    } else {
      relay_->Handler = nullptr;  // a later subclass keeps calling it: it forwards from now on
      StrandedRelays().emplace_back(relay_);
    }
    relay_ = nullptr;
    OldWndProc = {};
    return onTop;
  }
  if (NewWndProcInstance != nullptr) {
    const bool back = NewWndProcInstance->Release(OldProc);
    NewWndProcInstance = nullptr;
    OldProc = nullptr;
    return back;
  }
  return true;
}

void TacMainWnd::Detach() {
  if (SkinData != nullptr && !Destroyed) {
    if (classlib::TControl* owner = SkinData->OwnerControl(); owner != nullptr && styleSaved_)
      owner->ControlStyle = OldCtrlStyle;
    UninitializeACWnd(CtrlHandle, false, this);
  }
  // A window that could not be given back keeps the thunk or relay, which now forwards; nothing
  // may name the freed handler any more.
  if (!Destroyed) {
    GiveBack();
    if (IsWindow(CtrlHandle)) {
      if (GetPropW(CtrlHandle, kHandlerProp) == this) RemovePropW(CtrlHandle, kHandlerProp);
      if (themeOff_ && Ac_SetWindowTheme != nullptr) Ac_SetWindowTheme(CtrlHandle, nullptr, nullptr);
    }
  }
  Destroyed = true;
  ownSkinData_.reset();
  SkinData = nullptr;
  SkinManager = nullptr;
}

bool UninitializeACWnd(HWND Handle, bool Repaint, TacMainWnd* Wnd) {
  if (Wnd == nullptr || Wnd->Destroyed) return Wnd != nullptr;
  // Under a later subclass the window keeps running through the handler, which keeps serving it.
  if (!Wnd->OnTop() && IsWindow(Handle)) return false;
  Wnd->GiveBack();
  if (GetPropW(Handle, kHandlerProp) == Wnd) RemovePropW(Handle, kHandlerProp);
  Wnd->RestoreStdParams();
  if (Wnd->themeOff_ && Ac_SetWindowTheme != nullptr && IsWindow(Handle)) Ac_SetWindowTheme(Handle, nullptr, nullptr);
  Wnd->themeOff_ = false;
  if (IsWindowVisible(Handle)) Ac_RedrawNonClient(Handle, Repaint);
  Wnd->Destroyed = true;
  return true;
}

void TacMainWnd::DestroyMessage(classlib::TMessage& Message) {
  if (OldProc != nullptr || OldWndProc) {
    PassOn(Message);
    if (Message.Result == 0) {
      try {
        UnhookWindow();
      } catch (...) {
        // The window is being destroyed whatever happens here.
      }
    }
  } else {
    // Sending it to the window again would come back here.
    Message.Result = DefWindowProcW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
  }
}

bool TacMainWnd::UnhookWindow() { return UninitializeACWnd(CtrlHandle, false, this); }

LRESULT TacMainWnd::CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam) {
  if (OldWndProc) {
    classlib::TMessage m{Msg, WParam, LParam, 0};
    OldWndProc(m);
    LParam = m.LParam;
    return m.Result;
  }
  if (OldProc != nullptr) return CallWindowProcW(OldProc, Handle, Msg, WParam, LParam);
  return 0;
}

void TacMainWnd::acWndProc(classlib::TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: DestroyMessage(Message); return;
    case WM_UPDATEUISTATE: return;
    case WM_SIZE:
      if (SkinData != nullptr) SkinData->BGChanged = true;
      break;
    case WM_SETTEXT:
      PassOn(Message);
      Caption = GetWndText(CtrlHandle);
      return;
    case WM_PRINTCLIENT: Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam); return;
    default: break;
  }
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active()) {
    PassOn(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD && AlphaCommand(Message)) return;
  PassOn(Message);
}

bool TacMainWnd::AlphaCommand(classlib::TMessage& Message) {
  TsSkinManager* own = SkinData->GetSkinManager();
  const bool ownManager = Message.LParam == reinterpret_cast<LPARAM>(own);
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
      if (ownManager) {
        SkinData->UpdateIndexes();
        SkinData->BGChanged = true;
        AlphaBroadCastCheck(SkinData->OwnerControl(), CtrlHandle, Message);
      }
      PassOn(Message);
      return true;
    case ACMD_REMOVESKIN:
      if (ownManager) RestoreStdParams();
      PassOn(Message);
      return true;
    case ACMD_REFRESH:
      if (!ownManager) return false;
      SkinData->UpdateIndexes();
      SkinData->BGChanged = true;
      SkinData->SetUpdating(false);
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
      return true;
    case ACMD_PARENTUPDATED:
      if (!SkinData->Updating()) return false;
      SkinData->SetUpdating(false);
      if (!SkinData->Updating())
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case ACMD_ISSKINNED: Message.Result = 1; return true;
    case ACMD_ISBUSY: Message.Result = SkinData->Updating() ? 1 : 0; return true;
    case ACMD_SETSECTION:
      if (Message.LParam != 0) SkinData->SetSkinSection(reinterpret_cast<TacSectionInfo*>(Message.LParam)->Name);
      return false;
    case ACMD_GETCOLOR:
      Message.Result = 0;
      PassOn(Message);
      if (Message.Result == 0) Message.Result = static_cast<LRESULT>(GetBGColor(SkinData, 0, CtrlHandle));
      return true;
    case ACMD_PREPARECACHE: PrepareCache(SkinData, CtrlHandle, false); return false;
    case ACMD_DEPENDSONPARENT: return SkinData->OwnerControl() != nullptr && CommonMessage(Message, SkinData);
    case ACMD_GETBGINFO:
      if (Message.LParam != 0) InitBGInfo(SkinData, *reinterpret_cast<TacBGInfo*>(Message.LParam), 0, CtrlHandle);
      return true;
    case ACMD_SETPRINTDC:
      if (Message.LParam != 0)
        SkinData->CtrlSkinState |= kPrinting;
      else
        SkinData->CtrlSkinState &= std::uint16_t(~kPrinting);
      SkinData->PrintDC = reinterpret_cast<HDC>(Message.LParam);
      return false;
    case ACMD_GETAPPLICATION:
      Message.Result =
          reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application.operator->()));
      return true;
    default: return false;
  }
}

void Ac_RedrawNonClient(HWND Wnd, bool Frame) {
  if (Frame)
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    SendMessageW(Wnd, WM_NCPAINT, 1, 0);
}

TacMainWnd* Ac_GetHandlerFromHwnd(HWND Wnd) { return static_cast<TacMainWnd*>(GetPropW(Wnd, kHandlerProp)); }

}  // namespace skin
