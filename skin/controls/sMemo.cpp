#include "skin/controls/sMemo.h"

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

}  // namespace

TsMemo::TsMemo(classlib::TComponent* AOwner) : classlib::TMemo(AOwner) {
  ControlStyle -= classlib::csOpaque;
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kMemoCoc;
  if (FCommonData->SkinSection().empty()) FCommonData->SetSkinSection("EDIT");
}

TsMemo::~TsMemo() {
  // The handler gives the window its procedure and colours back while the skin state still exists.
  ListSW.reset();
  FBoundLabel = nullptr;
  FCommonData.reset();
}

void TsMemo::DeclareProperties(classlib::TClassDecl<TsMemo>& d) {
  d.Object(L"SkinData", &TsMemo::SkinData);
  d.Set(L"DisabledKind", &TsMemo::DisabledKind, &TsMemo::SetDisabledKind, kDefaultDisabledKind);
  d.Event(L"OnScrollCaret", &TsMemo::OnScrollCaret);
  d.Event(L"OnVScroll", &TsMemo::OnVScroll);
}

void TsMemo::AfterConstruction() {
  classlib::TMemo::AfterConstruction();
  FCommonData->Loaded();
}

void TsMemo::Loaded() {
  classlib::TMemo::Loaded();
  FCommonData->Loaded();
  RefreshEditScrollBars(FCommonData.get(), ListSW);
}

void TsMemo::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  FCommonData->Invalidate();
}

bool TsMemo::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

void TsMemo::RedrawWhole() { RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME); }

bool TsMemo::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      ListSW.reset();
      CommonWndProc(M, FCommonData.get());
      // The native frame and bars come back only with a new window.
      if (HandleAllocated() && !HasState(this, classlib::csDestroying)) RecreateWnd();
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      RefreshEditScrollBars(FCommonData.get(), ListSW);
      if (HandleAllocated() && Visible()) RedrawWhole();
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

void TsMemo::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: classlib::TMemo::WndProc(M); return;
    case WM_PAINT:
      FCommonData->SetUpdating(FCommonData->Updating());
      if (FCommonData->Updating()) {
        PAINTSTRUCT ps{};
        BeginPaint(Handle(), &ps);
        EndPaint(Handle(), &ps);
      } else {
        classlib::TMemo::WndProc(M);
      }
      return;
    default: break;
  }
  if (CommonWndProc(M, FCommonData.get())) return;
  const unsigned msg = M.Msg;
  classlib::TMemo::WndProc(M);
  switch (msg) {
    case WM_SETFONT:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED: FCommonData->Invalidate(); break;
    case EM_SETSEL:
      if (OnScrollCaret) OnScrollCaret(this);
      break;
    case WM_VSCROLL:
      if (OnVScroll) OnVScroll(this);
      break;
    case classlib::CM_TEXTCHANGED:
    case classlib::CM_CHANGED:
      if (ListSW) ListSW->Update(true);
      break;
    case classlib::CM_SHOWINGCHANGED: RefreshEditScrollBars(FCommonData.get(), ListSW); break;
    default: break;
  }
}

void TsMemo::FollowBoundLabel(unsigned Msg) {
  // The bound label attaches here: on WM_SIZE and WM_WINDOWPOSCHANGED it realigns; on
  // CM_VISIBLECHANGED it takes the memo's visibility, on CM_ENABLEDCHANGED the memo's enabled
  // state (or stays enabled unless the look is blended), on CM_BIDIMODECHANGED its reading order.
  if (FBoundLabel == nullptr) return;
  (void)Msg;
}

void TsMemo::WndProc(TMessage& M) {
  if (M.Msg == classlib::CM_FONTCHANGED && HandleAllocated() && Showing()) RedrawWhole();
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  const unsigned msg = M.Msg;
  if (FCommonData != nullptr && ControlIsReady(this) && Skinned())
    SkinnedMessage(M);
  else
    classlib::TMemo::WndProc(M);
  FollowBoundLabel(msg);
}

void RegisterMemoClasses() { classlib::RegisterClass<TsMemo, classlib::TMemo>(L"TsMemo"); }

}  // namespace skin
