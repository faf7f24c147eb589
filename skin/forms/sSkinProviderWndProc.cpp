// The skinned form's window procedure: the skin commands, the frame painted from the provider's
// cache instead of the system's, activation, and the form's own client background.
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinPreviewWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acCtrlAdapter.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace skin {

using classlib::TMessage;

namespace {

// The signed screen position packed into a mouse message's LParam.
int XOf(LPARAM L) { return static_cast<short>(LOWORD(L)); }
int YOf(LPARAM L) { return static_cast<short>(HIWORD(L)); }

// The probe by which another painting engine claims a window; the provider answers 0 to it.
constexpr UINT kRegionProbe = 0xBC4D;
constexpr UINT kEditorLink = 0xA400;
constexpr UINT kTaskbarSysMenu = 0x0313;
// A menu change waits in this skin-state bit until the update ends.
constexpr std::uint16_t kMenuChangePending = 0x0400;

// How long the end of the session waits for running animations to let go.
constexpr auto kEndSessionWait = std::chrono::seconds(2);

bool IsDestroying(const classlib::TComponent* C) { return C->ComponentState().Contains(classlib::csDestroying); }

// Switches a window's drawing off and back on when it goes out of scope, so that the system's
// own caption painting inside the wrapped call never reaches the screen.
class TRedrawOff {
 public:
  explicit TRedrawOff(classlib::TCustomForm* Form) : form_(Form) { form_->Perform(WM_SETREDRAW, 0, 0); }
  ~TRedrawOff() { form_->Perform(WM_SETREDRAW, 1, 0); }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

 private:
  classlib::TCustomForm* form_;
};

}  // namespace

bool TsSkinProvider::FormShowing() const {
  return Form != nullptr && Form->HandleAllocated() && Form->Showing() && IsWindowVisible(Form->Handle());
}

void TsSkinProvider::NewWndProc(TMessage& Message) {
  if (Message.Msg == kRegionProbe) {
    Message.Result = 0;
    return;
  }
  if (Message.Msg == SM_ALPHACMD && AlwaysHandledCommand(Message)) return;
  if (Form == nullptr || IsDestroying(Form) || !Skinned()) {
    UnskinnedWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    SkinnedCommand(Message);
    return;
  }
  SkinnedMessage(Message);
}

// ---- commands ----

bool TsSkinProvider::AlwaysHandledCommand(TMessage& Message) {
  // The manager the skin comes from: the default one when the provider names none.
  TsSkinManager* manager = FCommonData ? FCommonData->GetSkinManager() : nullptr;
  const bool fromOurManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == manager;
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
      if (Form != nullptr && !IsDestroying(Form) && fromOurManager && SystemMenu == nullptr) PrepareForm();
      return false;
    case ACMD_REMOVESKIN:
      if (!fromOurManager) return true;
      KillAnimations();
      RemoveSkin();
      return true;
    case ACMD_ISSKINNED: Message.Result = 1; return true;
    case ACMD_ENDUPDATE:
      if ((FCommonData->CtrlSkinState & kMenuChangePending) != 0) {
        FCommonData->CtrlSkinState &= static_cast<std::uint16_t>(~kMenuChangePending);
        if (Form != nullptr && Form->HandleAllocated()) Form->Perform(classlib::CM_MENUCHANGED, 0, 0);
      }
      return false;
    case ACMD_GETBGINFO: {
      if (Message.LParam == 0 || Form == nullptr || !Form->HandleAllocated()) return false;
      auto& info = *reinterpret_cast<TacBGInfo*>(Message.LParam);
      info.Offset = TPoint{};
      if (FCommonData->BGChanged && !FCommonData->Updating()) PaintAll();
      const int ox = OffsetX(), oy = OffsetY();
      if (info.PleaseDraw) info.R = TRect{info.R.Left + ox, info.R.Top + oy, info.R.Right + ox, info.R.Bottom + oy};
      const int states = FCommonData->SkinIndex >= 0 && SkinManager() != nullptr &&
                                 SkinManager()->IsValidSkinIndex(FCommonData->SkinIndex)
                             ? SkinManager()->Records().gd[FCommonData->SkinIndex].States
                             : 1;
      InitBGInfo(FCommonData.get(), info, states > 0 ? std::min(FormActive ? 1 : 0, states - 1) : 0, Form->Handle());
      if (info.BgType == TacBGType::btCache && !info.PleaseDraw && info.Bmp == nullptr) {
        PaintAll();
        info.Bmp = FCommonData->CacheBmp();
      }
      info.Offset = TPoint{info.Offset.X + ox, info.Offset.Y + oy};
      return true;
    }
    case ACMD_SKINSTATE: Message.Result = FCommonData->CtrlSkinState; return true;
    case ACMD_GETAPPLICATION:
      Message.Result = reinterpret_cast<LRESULT>(classlib::TApplication::Existing());
      return true;
    case ACMD_GETOFFSET: Message.Result = MAKELONG(OffsetX(), OffsetY()); return true;
    default: return false;
  }
}

void TsSkinProvider::RemoveSkin() {
  ListSW.reset();
  if (MDIForm) MDIForm->DestroyScrolls();
  if (Form != nullptr && Form->HandleAllocated()) InitDwm(Form->Handle(), false, false);
  TMessage m{SM_ALPHACMD, static_cast<WPARAM>(ACMD_REMOVESKIN) << 16, 0, 0};
  CommonMessage(m, FCommonData.get());
  AdapterRemove();
  FLinesCount = -1;
  FTitleSkinIndex = -1;
  FCaptionSkinIndex = -1;
  if (Form == nullptr || IsDestroying(Form)) return;
  InitMenuItems(false);
  CheckSysMenu(false);
  if (Form->HandleAllocated()) {
    const HWND h = Form->Handle();
    if (HaveBorder(this) || IsSizeable(h)) SetWindowRgn(h, nullptr, TRUE);
    InitExBorders(false);
    // The system's own frame comes back at once.
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  // The plain labels the adapter recoloured get the system's text colour back.
  for (int i = 0; i < Form->ControlCount(); ++i) {
    if (auto* label = dynamic_cast<classlib::TLabel*>(Form->Controls(i))) {
      label->Font()->SetColor(classlib::clWindowText);
      if (!label->Transparent()) label->ControlStyle.Include(classlib::csOpaque);
    }
  }
  if (FUseGlobalColor && !FCommonData->CustomColor()) Form->SetColor(classlib::clBtnFace);
  if (FCommonData->CacheBmp() != nullptr) FCommonData->CacheBmp()->SetSize(0, 0);
}

void TsSkinProvider::UnskinnedWndProc(TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD) {
    const unsigned command = CommandOf(Message.WParam);
    if (command == ACMD_NEWSKIN && Form != nullptr && !IsDestroying(Form) && FCommonData != nullptr) {
      if (reinterpret_cast<TsSkinManager*>(Message.LParam) != FCommonData->SkinManager()) return;
      FCommonData->UpdateIndexes();
      FTitleSkinIndex = -1;
      TitleSkinIndex();
      if (SkinManager() != nullptr) {
        FCaptionSkinIndex = SkinManager()->GetSkinIndex("CAPTION");
        CheckSysMenu(true);
        UpdateIconsIndexes();
        FCommonData->BGChanged = true;
        FLinesCount = -1;
        if (Form->HandleAllocated()) {
          InitDwm(Form->Handle(), FDrawNonClientArea, false);
          SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
      if (FAdapter != nullptr)
        FAdapter->AddAllItems();
      else
        AdapterCreate();
      return;
    }
    if (command == ACMD_GETPROVIDER) {
      Message.Result = reinterpret_cast<LRESULT>(static_cast<IacSkinProvider*>(this));
      return;
    }
  }
  OldWndProc(Message);
}

void TsSkinProvider::SkinnedCommand(TMessage& Message) {
  TsSkinManager* manager = SkinManager();
  const bool fromOurManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == manager;
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
      if (!fromOurManager) return;
      // Glow pictures of the old skin go.
      KillAnimations();
      FCommonData->UpdateIndexes();
      FTitleSkinIndex = -1;
      TitleSkinIndex();
      FCaptionSkinIndex = manager->GetSkinIndex("CAPTION");
      UpdateIconsIndexes();
      CheckSysMenu(FDrawNonClientArea);
      if (!manager->ComponentState().Contains(classlib::csLoading)) InitMenuItems(true);
      FCommonData->BGChanged = true;
      FLinesCount = -1;
      RepaintNC();
      return;
    case ACMD_REFRESH:
      if (!fromOurManager) return;
      if (FAdapter != nullptr)
        FAdapter->AddAllItems();
      else
        AdapterCreate();
      if (FDrawNonClientArea) AttachFormScrollHandler(this);
      if (!manager->ComponentState().Contains(classlib::csLoading)) InitMenuItems(Skinned());
      FLinesCount = -1;
      if (HaveBorder(this)) RgnChanged = true;
      if (FormShowing()) {
        FCommonData->BGChanged = true;
        if (!InAnimationProcess)
          RedrawWindow(Form->Handle(), nullptr, nullptr,
                       RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        FCommonData->SetUpdating(false);
      }
      SendToAdapter(Message);
      return;
    case ACMD_ADDTOADAPTER:
      if (FAdapter == nullptr || Loading()) return;
      if (auto* control = reinterpret_cast<classlib::TWinControl*>(Message.LParam); control != nullptr) {
        if (FAdapter->IsControlSupported(control)) FAdapter->AddNewItem(control);
        FAdapter->AddAllItems(control);
      } else {
        FAdapter->AddAllItems(Form);
      }
      return;
    case ACMD_GETPROVIDER: Message.Result = reinterpret_cast<LRESULT>(static_cast<IacSkinProvider*>(this)); return;
    case ACMD_PARENTUPDATED:
      if (FCommonData->Updating()) {
        FCommonData->SetUpdating(false);
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      }
      return;
    case ACMD_SETUPDATING:
      FCommonData->SetUpdating(LOWORD(Message.WParam) == 1);
      if (FCommonData->Updating()) FCommonData->BGChanged = true;
      return;
    case ACMD_SETURGENT:
      CommonWndProc(Message, FCommonData.get());
      if (FCommonData->UrgentPainting) PaintAll();
      return;
    case ACMD_ISBUSY:
      Message.Result = !InAnimationProcess && IsCached(FCommonData.get()) && FCommonData->Updating() ? 1 : 0;
      return;
    case ACMD_BGCHANGED: FCommonData->BGChanged = true; return;
    case ACMD_DEPENDSONPARENT: {
      const auto& gd = manager->Records().gd;
      const int i = FCommonData->SkinIndex;
      const bool depends = manager->IsValidSkinIndex(i) && gd[i].GradientPercent + gd[i].ImagePercent > 0;
      Message.LParam = depends ? 1 : 0;
      Message.Result = depends ? 1 : 0;
      return;
    }
    case ACMD_GETCOLOR:
      Message.Result = static_cast<LRESULT>(GetBGColor(FCommonData.get(), FormActive ? 1 : 0, Form->Handle()));
      return;
    case ACMD_MOUSELEAVE:
      SetHotHT(0, true);
      bPressed = false;
      return;
    case ACMD_SCROLLBEGIN:
      if (FCommonData->RepaintIfMoved()) Form->Perform(WM_SETREDRAW, 0, 0);
      return;
    case ACMD_SCROLLEND:
      if (FCommonData->RepaintIfMoved()) {
        Form->Perform(WM_SETREDRAW, 1, 0);
        RedrawWindow(Form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
      }
      return;
    default: return;  // a skinned form keeps the skin's commands to itself
  }
}

// ---- window messages ----

void TsSkinProvider::SkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCREATE:
    case WM_CREATE:
      OldWndProc(Message);
      if (Form->FormStyle() != classlib::fsMDIChild) PrepareForm();
      return;
    case WM_SETREDRAW:
      if (Message.WParam == 1)
        LockCount = std::max(0, LockCount - 1);
      else
        ++LockCount;
      OldWndProc(Message);
      return;
    case WM_SETTEXT:
      if (!FormShowing() || !FDrawNonClientArea) {
        OldWndProc(Message);
        return;
      }
      FGlow1.reset();
      FGlow2.reset();
      FCommonData->BGChanged = true;
      {
        const TRedrawOff off(Form);
        OldWndProc(Message);
      }
      UpdateSkinCaption();
      return;
    case WM_SETICON:
      if (Loading() || Message.LParam == 0 || InAnimationProcess || !FormShowing()) {
        OldWndProc(Message);
        return;
      }
      {
        const TRedrawOff off(Form);
        OldWndProc(Message);
      }
      UpdateSkinCaption();
      return;
    case WM_QUERYENDSESSION: {
      FadingForbidden = true;
      // Animations finish on this thread's timers; a count that never falls must not hold the session.
      const auto until = std::chrono::steady_clock::now() + kEndSessionWait;
      while (acAnimCount > 0 && std::chrono::steady_clock::now() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&msg);
          DispatchMessageW(&msg);
        }
        if (acAnimCount > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      }
      OldWndProc(Message);
      return;
    }
    case WM_COPYDATA:
      OldWndProc(Message);
      if (Message.Result != 0 || acPreviewHandle == nullptr || Form->Handle() != acPreviewHandle ||
          acSkinPreviewUpdating)
        return;
      acSkinPreviewUpdating = true;
      {
        const classlib::TScopeExit done([] { acSkinPreviewUpdating = false; });
        if (Message.LParam != 0) ReceiveData(Message, SkinManager());
      }
      return;
    case WM_INITMENUPOPUP:
      if (!SkinManager()->SkinnedPopups) return;
      if (HIWORD(Message.LParam) != 0)
        EnableMenuItem(reinterpret_cast<HMENU>(Message.WParam), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
      OldWndProc(Message);
      return;
    case WM_SYSCOLORCHANGE:
    case WM_CHILDACTIVATE: OldWndProc(Message); return;
    case classlib::CM_MOUSEENTER:
      OldWndProc(Message);
      SkinManager()->SetActiveControl(Form->Handle());
      return;
    case classlib::CM_MENUCHANGED:
      if (Form->FormState().Contains(classlib::fsCreating) || !Form->Visible() || InAnimationProcess) {
        OldWndProc(Message);
        return;
      }
      if ((FCommonData->CtrlSkinState & kInUpdate) == 0) {
        FLinesCount = -1;
        MenuChanged = true;
        FCommonData->BGChanged = true;
      }
      OldWndProc(Message);
      return;
    case WM_ENTERIDLE:
    case 0xB04C: Message.Result = 0; return;
    case WM_PRINTCLIENT: return;
    case WM_DWMSENDICONICTHUMBNAIL:
      if (HIWORD(Message.LParam) != 0 && LOWORD(Message.LParam) != 0)
        Message.Result = SetThumbIcon(Form->Handle(), this, HIWORD(Message.LParam), LOWORD(Message.LParam)) ? 1 : 0;
      return;
    case WM_DWMSENDICONICLIVEPREVIEWBITMAP: Message.Result = SetPreviewBmp(Form->Handle(), this) ? 1 : 0; return;
    case kEditorLink: EditorRequest(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PAINT: WMPaint(Message); return;
    case WM_PRINT: WMPrint(Message); return;
    case WM_ACTIVATE:
      OldWndProc(Message);
      if (!Form->Showing()) return;
      if (!ListSW && FDrawNonClientArea) AttachFormScrollHandler(this);
      if (Form->FormState().Contains(classlib::fsCreating)) return;
      FLinesCount = -1;
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        InitMenuItems(Skinned());
        if (SystemMenu != nullptr) SystemMenu->UpdateItems(false);
      }
      return;
    case WM_NCACTIVATE: WMNCActivate(Message); return;
    case classlib::CM_VISIBLECHANGED:
      if (RTInit && Message.WParam == 1) {
        RTInit = false;
        LoadInit();
      }
      OldWndProc(Message);
      if (Message.WParam == 0 && !IsDestroying(Form) && FCommonData->CacheBmp() != nullptr)
        FCommonData->CacheBmp()->SetSize(0, 0);
      return;
    case classlib::CM_ENABLEDCHANGED:
      OldWndProc(Message);
      if (FDrawNonClientArea) {
        FCommonData->BGChanged = true;
        SendMessageW(Form->Handle(), WM_NCPAINT, 1, 0);
      }
      return;
    case classlib::CM_SHOWINGCHANGED: ShowingChanged(Message); return;
    case WM_SHOWWINDOW:
      if (Form->FormStyle() == classlib::fsMDIChild) {
        OldWndProc(Message);
        return;
      }
      if (Message.WParam != 0) {
        FFormState &= kFormRestoring;
        if (AeroIsEnabled() && !InAnimationProcess &&
            (GetWindowLongPtrW(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) == 0)
          RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
      }
      if (Message.LParam == SW_PARENTCLOSING && ShowAction != classlib::saIgnore) {
        const HWND h = Form->Handle();
        ShowAction = IsIconic(h) ? classlib::saMinimize : IsZoomed(h) ? classlib::saMaximize : classlib::saRestore;
      }
      OldWndProc(Message);
      if (Message.WParam != 0 && Form->Parent() != nullptr) {
        FCommonData->CtrlSkinState &= static_cast<std::uint16_t>(~kNoOwnCache);
        FCommonData->BGChanged = true;
      }
      return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_GETMINMAXINFO: AC_WMGetMinMaxInfo(Message); return;
    case WM_CLOSE: WMClose(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case WM_MOVE:
    case WM_SIZING:
    case WM_EXITSIZEMOVE:
    case WM_STYLECHANGED:
    case WM_ACTIVATEAPP:
    case WM_SETTINGCHANGE: SizingMessage(Message); return;
    case WM_MOUSEMOVE: OutlineMouseMove(Message); return;
    case WM_CAPTURECHANGED:
      // Whatever took the mouse away ends the outline drag; the window stays where it was.
      if (reinterpret_cast<HWND>(Message.LParam) != Form->Handle()) CancelOutlineDrag();
      OldWndProc(Message);
      return;
    case WM_DESTROY:
      CancelOutlineDrag();
      OldWndProc(Message);
      return;
    case WM_NCMOUSEMOVE: NCMouseMove(Message); return;
    case WM_MOUSELEAVE:
    case classlib::CM_MOUSELEAVE:
      // Leaving the client area for the frame keeps a title button's press: the system may tell of
      // that leave only after the press on the button (Wine watches the mouse on a timer).
      if (CursorOnOwnFrame()) {
        OldWndProc(Message);
        return;
      }
      [[fallthrough]];
    case WM_NCMOUSELEAVE:
      SetHotHT(0, true);
      bPressed = false;
      OldWndProc(Message);
      return;
    case WM_NCLBUTTONDOWN: NCLButtonDown(Message); return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: NCLButtonUp(Message); return;
    case WM_NCLBUTTONDBLCLK: NCLButtonDblClk(Message); return;
    case WM_NCRBUTTONDOWN:
      if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) return;
      OldWndProc(Message);
      return;
    case WM_NCRBUTTONUP:
      if (!HaveBorder(this)) {
        OldWndProc(Message);
        return;
      }
      if (const int ht = HTProcess(Message); ht == HTCAPTION || ht == HTSYSMENU) {
        SetHotHT(0, true);
        bPressed = false;
        DropSysMenu(this, XOf(Message.LParam), YOf(Message.LParam));
      }
      return;
    case kTaskbarSysMenu: {
      POINT p{};
      GetCursorPos(&p);
      DropSysMenu(this, p.x, p.y);
      return;
    }
    default: OldWndProc(Message); return;
  }
}

void TsSkinProvider::ShowingChanged(TMessage& Message) {
  const HWND h = Form->Handle();
  if (!FDrawNonClientArea) {
    const bool composition = AeroIsEnabled();
    if (composition) Form->Perform(WM_SETREDRAW, 1, 0);
    OldWndProc(Message);
    FCommonData->SetUpdating(false);
    if (composition) RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
    return;
  }
  if (!Form->Showing()) {
    KillAnimations();
    // Nothing animates the hide yet: the extended border goes with the form.
    InitExBorders(false);
    OldWndProc(Message);
    return;
  }
  if (Form->FormStyle() == classlib::fsMDIChild) {
    OldWndProc(Message);
    return;
  }
  FFormState &= ~kFormCapturing;
  SendHandleToEditor(h);
  InitMenuItems(Skinned());
  if (FAdapter != nullptr) FAdapter->AddAllItems(Form);
  const TacFormAnimation& show = SkinManager()->AnimEffects().FormShow();
  fAnimating = FAllowAnimation && Form->Parent() == nullptr && show.Active() && h != acPreviewHandle;
  // The class library's forms have no translucency of their own: the fade always ends opaque.
  constexpr int alpha = 255;
  bool madeLayered = false;
  if (fAnimating) {
    FCommonData->SetUpdating(true);
    FInAnimation = true;
    madeLayered = DoLayered(h, true);
    if (madeLayered) {
      UpdateRgn(this, false);
      RgnChanging = false;
    }
    SetChildrenRedraw(false);
  } else {
    FCommonData->SetUpdating(false);
  }
  InitExBorders(SkinManager()->ExtendedBorders());
  OldWndProc(Message);
  if (!Skinned()) {
    if (fAnimating) {
      fAnimating = false;
      FInAnimation = false;
      SetChildrenRedraw(true);
      SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
      RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      RgnChanging = false;
    }
    return;
  }
  AttachFormScrollHandler(this);
  if (!fAnimating) {
    RedrawWindow(h, nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE);
    if (BorderForm != nullptr) BorderForm->UpdateExBordersPos(true, 255);
    return;
  }
  SetChildrenRedraw(true);
  // The form leaves the screen (WS_VISIBLE taken without a paint) while its copy fades in.
  if (madeLayered) DoLayered(h, false);
  fAnimating = false;
  AnimShowForm(this, show.Time(), alpha, show.Mode());
  RgnChanging = false;
  // The frame and shadow come with the form once it stands where its copy faded in.
  if (BorderForm != nullptr) BorderForm->UpdateExBordersPos(true, 255);
}

void TsSkinProvider::SetChildrenRedraw(bool On) {
  for (int i = 0; i < Form->ControlCount(); ++i) {
    auto* child = dynamic_cast<classlib::TWinControl*>(Form->Controls(i));
    if (child != nullptr && child->HandleAllocated() && child->Visible() && child->ClassName() != L"TCoolBar")
      SendMessageW(child->Handle(), WM_SETREDRAW, On ? 1 : 0, 0);
  }
}

void TsSkinProvider::EditorRequest(TMessage& Message) {
  switch (Message.WParam) {
    case 1:
      // Only the form announced to the editor lets the editor close it.
      if (acPreviewHandle != nullptr && Form->Handle() == acPreviewHandle) Form->Close();
      return;
    case 3: OldWndProc(Message); return;
    case 4: Message.Result = 1; return;
    default: return;
  }
}

}  // namespace skin
