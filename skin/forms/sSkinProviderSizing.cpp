// The skinned form's moves, sizes and window commands: snapping to the work area, the frame,
// region and cache kept in step with the window's size, the maximized bounds, minimise, maximise,
// restore and close through the system commands, and the outline drag of ResizeMode rmBorder.
#include <windows.h>

#include <memory>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/acntSystemWin32.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/acFormSizing.h"
#include "skin/forms/acMinAnim.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace skin {

using classlib::TMessage;

TacOutlineDrag OutlineDrag;
std::unique_ptr<classlib::TBitmap> (*acGetFormImage)(TsSkinProvider* SP, bool FreeCache) = &GetFormImage;
bool (*acAnimHideForm)(TsSkinProvider* SP) = &AnimHideForm;

namespace {

// The desktop's window DC the outline is drawn on, in R2_NOT, with its state saved; one drag at a time.
std::unique_ptr<classlib::WindowDC> g_outlineDC;

bool IsDestroying(const classlib::TComponent* C) { return C->ComponentState().Contains(classlib::csDestroying); }

bool IsMainForm(const classlib::TCustomForm* Form) {
  return classlib::TApplication::Existing() != nullptr && classlib::Application->MainForm() == Form;
}

// The system's own minimise and restore animation switched off for the life of the object.
class TSysAnimationOff {
 public:
  TSysAnimationOff() : saved_(acGetAnimation()) {
    if (saved_) acSetAnimation(false);
  }
  ~TSysAnimationOff() {
    if (saved_) acSetAnimation(true);
  }
  TSysAnimationOff(const TSysAnimationOff&) = delete;
  TSysAnimationOff& operator=(const TSysAnimationOff&) = delete;

 private:
  bool saved_;
};

TPoint ClientToScreenPoint(HWND Wnd, LPARAM L) {
  POINT p{static_cast<short>(LOWORD(L)), static_cast<short>(HIWORD(L))};
  ClientToScreen(Wnd, &p);
  return {p.x, p.y};
}

// The form's hide animation is wanted and its manager allows it.
bool HideAnimationWanted(const TsSkinProvider* P) {
  const TsSkinManager* m = P->SkinManager();
  return m != nullptr && P->AllowAnimation() && m->AnimEffects().FormHide().Active() &&
         m->AnimEffects().FormHide().Time() > 0;
}

}  // namespace

// ---- moving and sizing ----

void TsSkinProvider::WMWindowPosChanging(TMessage& Message) {
  if (RgnChanging || Loading()) {
    OldWndProc(Message);
    return;
  }
  auto& wp = *reinterpret_cast<WINDOWPOS*>(Message.LParam);
  const HWND h = Form->Handle();
  if (!IsZoomed(h) && (wp.flags & SWP_NOMOVE) == 0 && (wp.x != 0 || wp.y != 0)) {
    if (FScreenSnap && FormShowing()) {
      const TsSkinData& sd = SkinManager()->Records().SkinData;
      TacSnapInput in;
      in.Pos = TPoint{wp.x, wp.y};
      in.Size = TSize{Form->Width(), Form->Height()};
      in.WorkArea = acWorkRect(Form);
      in.Margin = BorderForm != nullptr ? DiffBorder(BorderForm.get()) + sd.ExShadowOffs : 0;
      in.TopMargin = BorderForm != nullptr ? DiffTitle(BorderForm.get()) + sd.ExShadowOffs : 0;
      in.Buffer = FSnapBuffer;
      const TPoint snapped = SnapToWorkArea(in);
      wp.x = snapped.X;
      wp.y = snapped.Y;
    }
    if ((FFormState & (kFormStretchedV | kFormStretchedH)) != 0) {
      if ((FFormState & kFormStretchedV) != 0) {
        const bool sameTop = Form->Top() == wp.y;
        if (sameTop && (wp.flags & SWP_NOSIZE) == 0) {
          // The bottom edge was dragged: the top goes back, the bottom stays where it was put.
          wp.cy -= NormalBounds.Top - Form->Top();
          wp.y = NormalBounds.Top;
        } else {
          // Dragged away: the form gets back the height it had before it was stretched, and its
          // top too when the drag did not move it up or down.
          if (sameTop) wp.y = NormalBounds.Top;
          wp.cy = NormalBounds.Bottom;
          if ((wp.flags & SWP_NOSIZE) != 0) {
            wp.cx = Form->Width();
            wp.flags &= ~static_cast<UINT>(SWP_NOSIZE);
          }
        }
        FFormState &= ~kFormStretchedV;
      }
      FFormState &= ~kFormStretchedH;
      Message.Result = 0;
      return;
    }
  }
  if (SkinManager() != nullptr && FDrawNonClientArea && !SkipAnimation) {
    if ((wp.flags & SWP_HIDEWINDOW) != 0 && FCommonData->CacheBmp() != nullptr) {
      if (!IsIconic(h) && SkinManager()->ShowState != classlib::saMinimize && HideAnimationWanted(this) &&
          (FFormState & kFormCapturing) == 0 && Form->FormStyle() != classlib::fsMDIChild)
        CaptureHideImage();
    } else if (BorderForm != nullptr && BorderForm->HasWindow() && wp.cx != 0 && wp.cy != 0 &&
               (wp.flags & SWP_NOACTIVATE) != 0 && (wp.flags & (SWP_NOMOVE | SWP_NOSIZE)) == 0 &&
               (wp.cx < LastClientRect.Right || wp.cy < LastClientRect.Bottom) && !ScrollBarVisible()) {
      FFormState |= kFormBorderUpdating;
      const classlib::TScopeExit done([this] { FFormState &= ~kFormBorderUpdating; });
      BorderForm->MakeRgn(wp.cx, wp.cy);
      BorderForm->ShowInPlace(false);
    }
  }
  OldWndProc(Message);
}

bool TsSkinProvider::CaptureHideImage() {
  if (acGetFormImage == nullptr) return false;
  FFormState |= kFormCapturing;
  auto image = acGetFormImage(this, true);
  if (image == nullptr) {
    FFormState &= ~kFormCapturing;
    return false;
  }
  HideImage = std::move(image);
  if (BorderForm != nullptr) {
    BorderForm->ExBorderShowing = true;
    BorderForm->MakeRgn(0, 0);
    BorderForm->ShowInPlace(false);
  }
  return true;
}

bool TsSkinProvider::ScrollBarVisible() const {
  if (!ListSW) return false;
  return (ListSW->sBarHorz != nullptr && ListSW->sBarHorz->fScrollVisible) ||
         (ListSW->sBarVert != nullptr && ListSW->sBarVert->fScrollVisible);
}

void TsSkinProvider::WMWindowPosChanged(TMessage& Message) {
  if (SkinManager() == nullptr || !FDrawNonClientArea) {
    OldWndProc(Message);
    return;
  }
  const auto& wp = *reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  const HWND h = Form->Handle();
  if (BorderForm != nullptr) {
    const TsSkinData& sd = SkinManager()->Records().SkinData;
    FSysExHeight = IsZoomed(h) && SysCaptHeight(Form) + 4 > (sd.ExMaxHeight != 0 ? sd.ExMaxHeight : sd.ExTitleHeight);
  }
  if ((wp.flags & SWP_HIDEWINDOW) != 0 && !SkipAnimation && FCommonData->CacheBmp() != nullptr && !IsIconic(h)) {
    if (SkinManager()->ShowState == classlib::saMinimize) {
      if (IsMainForm(Form) && SkinManager()->AnimEffects().Minimizing().Active()) {
        OldWndProc(Message);
        fAnimating = false;
        return;
      }
      if (BorderForm != nullptr) BorderForm->FreeWindow();
    } else if (FAllowAnimation && acAnimHideForm != nullptr && SkinManager()->AnimEffects().FormHide().Active() &&
               Form->Parent() == nullptr && Form->FormStyle() != classlib::fsMDIChild) {
      const bool composition = AeroIsEnabled();
      if (composition) DoLayered(h, true);
      OldWndProc(Message);
      SkipAnimation = true;
      const classlib::TScopeExit done([this] { SkipAnimation = false; });
      if (!acAnimHideForm(this)) return;  // the application ends
      if (composition) DoLayered(h, false);
      return;
    }
  }
  OldWndProc(Message);
  if (InAnimationProcess || BorderForm == nullptr || !IsWindowVisible(h) || IsIconic(h) ||
      (wp.flags & (SWP_NOREDRAW | SWP_FRAMECHANGED)) != 0 || (FFormState & kFormBlending) != 0)
    return;
  if ((wp.flags & SWP_NOSIZE) != 0 && (wp.flags & SWP_NOMOVE) != 0 && BorderForm->HasWindow())
    BorderForm->ShowInPlace(AeroIsEnabled() && IsMainForm(Form) && GetActiveWindow() == h);
  else
    BorderForm->UpdateExBordersPos(false, 255);
}

void TsSkinProvider::WMSize(TMessage& Message) {
  if (FCommonData->Updating()) {
    FCommonData->BGChanged = true;
    OldWndProc(Message);
    return;
  }
  const HWND h = Form->Handle();
  const bool cached = IsCached(FCommonData.get());
  const int cw = GetClientWidth(h), ch = GetClientHeight(h);
  const TRect& last = LastClientRect;
  const bool lastEmpty = last.Right <= last.Left || last.Bottom <= last.Top;
  const bool grew = cw > last.Right || ch > last.Bottom;
  const bool shrank = cw < last.Right || ch < last.Bottom;
  const auto invalidate = [&](int Right, int Bottom, int W, int H) {
    const RECT r{Right - W, Bottom - H, Right, Bottom};
    InvalidateRect(h, &r, cached ? FALSE : TRUE);
  };
  TsSkinManager* m = SkinManager();
  if (IsGripVisible(this) && m->IsValidImgIndex(m->Records().ConstData.GripRightBottom)) {
    const TsMaskData& grip = m->Records().ma[m->Records().ConstData.GripRightBottom];
    const int gw = WidthOfImage(grip), gh = HeightOfImage(grip);
    if (grew && !cached && !lastEmpty) invalidate(last.Right, last.Bottom, gw, gh);
    if (shrank) invalidate(cw, ch, gw, gh);
  }
  if (shrank || lastEmpty) {
    for (const char* name : {"IMGTOPRIGHT", "IMGBTMRIGHT"}) {
      const int i = m->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), name);
      if (!m->IsValidImgIndex(i)) continue;
      const TsMaskData& md = m->Records().ma[i];
      invalidate(last.Right, last.Bottom, WidthOfImage(md), HeightOfImage(md));
    }
  }
  FGlow1.reset();
  FGlow2.reset();
  FLinesCount = -1;
  if (Form->Parent() == nullptr) {
    // The form's own realignment must not paint with the frame of the old size.
    FCommonData->SetUpdating(true);
    const classlib::TScopeExit notUpdating([this] { FCommonData->SetUpdating(false); });
    OldWndProc(Message);
  } else {
    OldWndProc(Message);
  }
  if (!InAnimationProcess) AfterSize(Message.WParam);
  LastClientRect = TRect{0, 0, GetClientWidth(h), GetClientHeight(h)};
}

void TsSkinProvider::AfterSize(WPARAM SizeType) {
  const HWND h = Form->Handle();
  if (!FormShowing()) FCommonData->BGChanged = true;
  if (!FormChanged() || (IsIconic(h) && InAero)) {
    if (Form->FormStyle() == classlib::fsMDIForm && FCommonData->CacheBmp() != nullptr) RepaintNC();
    if (SizeType == SIZE_MAXIMIZED && Form->FormStyle() == classlib::fsMDIChild && MDISkinProvider != nullptr) {
      MDISkinProvider->SkinData()->BGChanged = true;
      MDISkinProvider->MenuChanged = true;
      RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
    }
    return;
  }
  RgnChanged = true;
  FCommonData->BGChanged = true;
  const classlib::TBitmap* cache = FCommonData->CacheBmp();
  const bool shrink = IsCached(FCommonData.get()) && cache != nullptr &&
                      (cache->Width() > Form->Width() || cache->Height() > Form->Height());
  if (!FDrawNonClientArea) {
    if (shrink) InvalidateRect(h, nullptr, FALSE);
    return;
  }
  if (BorderForm != nullptr) {
    BorderForm->CreateWindowIfMissing();
    if (!ScrollBarVisible() && FResizeMode == rmStandard) {
      FFormState |= kFormBorderUpdating;
      const classlib::TScopeExit done([this] { FFormState &= ~kFormBorderUpdating; });
      BorderForm->UpdateExBordersPos(true, 255);
    }
    if (FCommonData->Updating()) {
      BorderForm->ExBorderShowing = true;
      BorderForm->ShowInPlace(false);
      UpdateRgn(this, true);
      FCommonData->SetUpdating(false);
    }
  } else {
    RepaintNC();
  }
  if (FCommonData->Updating()) return;
  // Children that tile the form's background along one direction follow a change in that direction.
  const int bgType = FCommonData->BGType;
  if (((bgType & 0x2) != 0 && GetClientHeight(h) != LastClientRect.Bottom) ||
      ((bgType & 0x1) != 0 && GetClientWidth(h) != LastClientRect.Right)) {
    TMessage moved{SM_ALPHACMD, MAKEWPARAM(1, ACMD_MOVED), 0, 0};
    AlphaBroadCast(Form, moved);
  }
  if (BorderForm == nullptr || ScrollBarVisible()) {
    RedrawWindow(h, nullptr, nullptr, RDW_NOFRAME | RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
  } else {
    BorderForm->CreateWindowIfMissing();
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
    BorderForm->ShowInPlace(false);
    BorderForm->MakeRgn(0, 0);
    BorderForm->ExBorderShowing = false;
  }
  SetParentUpdated(Form);
}

void TsSkinProvider::AC_WMGetMinMaxInfo(TMessage& Message) {
  const HWND h = Form->Handle();
  if (FDrawNonClientArea && Form->BorderStyle() != classlib::bsNone && Form->FormStyle() != classlib::fsMDIChild &&
      Form->Parent() == nullptr && Message.LParam != 0) {
    auto& info = *reinterpret_cast<MINMAXINFO*>(Message.LParam);
    const int w = SysBorderWidth(h, nullptr, false);
    int d = 0;
    if (BorderForm != nullptr && (GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
      const TsSkinData& sd = SkinManager()->Records().SkinData;
      FSysExHeight = IsZoomed(h) && SysCaptHeight(Form) + 4 > (sd.ExMaxHeight != 0 ? sd.ExMaxHeight : sd.ExTitleHeight);
      d = MaximizedTitleShift();
    }
    const TacMaxBounds b = MaximizedBoundsOf(acWorkRect(Form), w, d);
    info.ptMaxPosition = POINT{b.Position.X, b.Position.Y};
    info.ptMaxSize = POINT{b.Size.cx, b.Size.cy};
    Message.Result = 0;
  }
  OldWndProc(Message);
}

void TsSkinProvider::WMClose(TMessage& Message) {
  if (!HideAnimationWanted(this) || !FDrawNonClientArea || (FFormState & kFormCapturing) != 0) {
    OldWndProc(Message);
    return;
  }
  OldWndProc(Message);
  if (IsDestroying(Form)) return;
  if (CaptureHideImage()) {
    // Only the image was wanted: the form still shows and paints itself.
    FFormState &= ~kFormCapturing;
    FCommonData->BGChanged = false;
  }
}

void TsSkinProvider::SizingMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOVE:
      KillAnimations();
      ClearGlows(false);
      OldWndProc(Message);
      return;
    case WM_SIZING:
      OldWndProc(Message);
      if (BorderForm != nullptr) BorderForm->UpdateExBordersPos(false, 255);
      return;
    case WM_EXITSIZEMOVE:
      OldWndProc(Message);
      if (BorderForm != nullptr) {
        // Skinned dialogs move their own extended borders.
        TMessage redraw{SM_ALPHACMD, static_cast<WPARAM>(ACMD_REDRAW) << 16, 0, 0};
        SendToHooked(redraw);
      }
      return;
    case WM_STYLECHANGED: {
      OldWndProc(Message);
      const auto* ss = reinterpret_cast<const STYLESTRUCT*>(Message.LParam);
      if (Message.WParam == static_cast<WPARAM>(GWL_EXSTYLE) && ss != nullptr && BorderForm != nullptr &&
          (FFormState & (kFormBlending | kFormMinimizing | kFormRestoring)) == 0 &&
          ((ss->styleOld ^ ss->styleNew) & WS_EX_LAYERED) != 0)
        BorderForm->UpdateExBordersPos(true, 255);
      return;
    }
    case WM_ACTIVATEAPP:
      OldWndProc(Message);
      if (BorderForm != nullptr && (FFormState & kFormMinimizing) == 0) BorderForm->UpdateExBordersPos(false, 255);
      return;
    case WM_SETTINGCHANGE:
      FCommonData->BGChanged = true;
      if (Message.WParam == SPI_SETWORKAREA)
        if (auto* timer = dynamic_cast<TacMinTimer*>(FormTimer.get())) {
          // The taskbar moved: a minimised form's image waits at its new place.
          timer->UpdateDstRect();
          timer->Motion.SetCurrent(timer->Motion.RectTo);
        }
      OldWndProc(Message);
      return;
    default: OldWndProc(Message); return;
  }
}

// ---- system commands ----

void TsSkinProvider::WMSysCommand(TMessage& Message) {
  const HWND h = Form->Handle();
  const WPARAM c = Message.WParam;
  const unsigned low = LOWORD(c);
  const bool mdiChild = Form->FormStyle() == classlib::fsMDIChild;
  if (!mdiChild) {
    if (low == 0xF012) Form->Repaint();
    if (low == SC_RESTORE) {
      if ((FFormState & kFormCapturing) != 0) {
        FFormState &= ~kFormCapturing;
        if (BorderForm != nullptr) BorderForm->ExBorderShowing = false;
        const TSysAnimationOff off;
        OldWndProc(Message);
        return;
      }
      if (!IsMainForm(Form)) {
        const TSysAnimationOff off;
        OldWndProc(Message);
        return;
      }
      if (IsIconic(h) && Form->Parent() == nullptr && BorderForm == nullptr && AeroIsEnabled()) {
        OldWndProc(Message);
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        InvalidateRect(h, nullptr, TRUE);
        return;
      }
    }
  }
  if (startingOutline_ && FResizeMode == rmBorder && Form->Enabled() && !OutlineDrag.bInProcess) {
    const unsigned command = c & 0xFFF0;
    if (command == SC_MOVE || command == SC_SIZE) {
      SetCapture(h);
      OutlineDrag.bCapture = true;
      OutlineDrag.bMode = command == SC_MOVE;
      // The edge comes with the command as the system numbers it (SC_SIZE + 1 .. 8 for hit codes 10 .. 17).
      if (command == SC_SIZE) OutlineDrag.nDirection = (c & 0xF) != 0 ? 9 + static_cast<int>(c & 0xF) : 0;
      // The outline replaces the system's own move or size loop, which would run first otherwise.
      return;
    }
  }
  if (mdiChild) {
    MDIChildSysCommand(Message);
    return;
  }
  if (Form->FormStyle() == classlib::fsMDIForm) {
    OldWndProc(Message);
    if (c == SC_MINIMIZE || c == SC_MAXIMIZE || c == SC_RESTORE) {
      if (MDISkinProvider != nullptr) MDISkinProvider->SkinData()->BGChanged = true;
      FLinesCount = -1;
      SendMessageW(h, WM_NCPAINT, 0, 0);
      if (c == SC_MAXIMIZE && BorderForm != nullptr) BorderForm->UpdateExBordersPos(true, 255);
    }
    AfterMinimize(low);
    return;
  }
  // The main form (the one with the taskbar button) minimises and restores through its own
  // animation, with the system's switched off meanwhile.
  bool animated = false;
  if (c == SC_MINIMIZE && IsMainForm(Form) && !IsIconic(h) && Form->Parent() == nullptr &&
      SkinManager()->AnimEffects().Minimizing().Active()) {
    StartMinimizing(this);
    animated = true;
  } else if (low == SC_RESTORE && IsMainForm(Form) && IsIconic(h) && Form->Parent() == nullptr) {
    animated = StartRestoring(this);
  }
  if (animated) {
    const TSysAnimationOff off;
    OldWndProc(Message);
  } else {
    OldWndProc(Message);
  }
  // SC_CLOSE may have freed the form and this provider with it.
  if (c == SC_CLOSE) return;
  switch (c) {
    case SC_MINIMIZE:
      if (FCommonData->CacheBmp() != nullptr) FCommonData->CacheBmp()->SetSize(0, 0);
      break;
    case SC_MAXIMIZE:
    case SC_RESTORE:
      if (SystemMenu != nullptr && SystemMenu->VisibleMax()) {
        // The button under the mouse loses its hot look.
        CurrentHT = HTMAXBUTTON;
        SetHotHT(0, true);
      }
      if (c == SC_RESTORE) {
        FCommonData->BGChanged = true;
        RgnChanged = true;
        if (HaveBorder(this)) {
          RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
          if (BorderForm != nullptr) BorderForm->UpdateExBordersPos(true, 255);
        } else {
          SetWindowRgn(h, nullptr, TRUE);
        }
      }
      break;
    default:
      if ((c & 0xFFF0) == SC_KEYMENU && LOWORD(Message.LParam) == VK_SPACE && HaveSysMenu && HaveBorder(this)) {
        const int y = Form->Top() + BorderHeight(true) + IconHeight() - (IsIconic(h) ? 16 : 0);
        DropSysMenu(this, Form->Left() + SysBorderWidth(h, BorderForm.get(), true), y);
      }
      break;
  }
  AfterMinimize(low);
}

void TsSkinProvider::AfterMinimize(unsigned Command) {
  if (Command != SC_MINIMIZE) return;
  if (SkinManager()->AnimEffects().Minimizing().Active()) fAnimating = false;
  if (BorderForm != nullptr && BorderForm->HasWindow() && (FFormState & kFormMinimizing) == 0) {
    BorderForm->ExBorderShowing = true;
    BorderForm->FreeWindow();
    BorderForm->ExBorderShowing = false;
  }
}

void TsSkinProvider::MDIChildSysCommand(TMessage& Message) {
  const HWND h = Form->Handle();
  const WPARAM c = Message.WParam;
  // A maximized child's command changes the parent's menu line: the parent waits for it, and is let
  // go on every path, the child's own end included.
  TsCommonData* parentData =
      IsZoomed(h) && c != SC_MAXIMIZE && MDISkinProvider != nullptr ? MDISkinProvider->SkinData() : nullptr;
  if (parentData != nullptr) parentData->BeginUpdate();
  const classlib::TScopeExit parentDone([parentData] {
    if (parentData != nullptr) parentData->EndUpdate(false);
  });
  switch (c & 0xFFF0) {
    case SC_MINIMIZE:
      OldWndProc(Message);
      if (SystemMenu != nullptr) SystemMenu->UpdateItems(true);
      FCommonData->BGChanged = true;
      return;
    case SC_MAXIMIZE: {
      ActiveChildProvider = this;
      // Shown maximized at once, without an intermediate frame.
      const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
      SetWindowLongPtrW(h, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
      {
        const classlib::TScopeExit visible(
            [&] { SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | (style & WS_VISIBLE)); });
        OldWndProc(Message);
      }
      RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT);
      if (SystemMenu != nullptr) SystemMenu->UpdateItems(true);
      return;
    }
    case SC_CLOSE: {
      TsSkinProvider* parent = MDISkinProvider;
      if (parent != nullptr) parent->InMenu = true;
      // The child may be gone afterwards; only the parent is touched.
      const classlib::TScopeExit menuDone([parent] {
        if (parent != nullptr) parent->InMenu = false;
      });
      OldWndProc(Message);
      return;
    }
    case SC_RESTORE:
      OldWndProc(Message);
      FCommonData->BGChanged = true;
      if (FDrawNonClientArea)
        SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_SYSMENU));
      RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
      if (const HWND client = GetParent(h); client != nullptr)
        for (HWND child = GetWindow(client, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
          if (child != h && IsZoomed(child)) {
            ShowWindow(child, SW_SHOWNORMAL);
            RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT);
          }
      if (SystemMenu != nullptr) SystemMenu->UpdateItems(true);
      return;
    case SC_KEYMENU: return;  // the parent's menu line takes the keyboard
    default: OldWndProc(Message); return;
  }
}

// ---- the outline drag of rmBorder ----

void TsSkinProvider::StartMove(int X, int Y) {
  if (!Form->Enabled()) return;
  EndOutline(true);
  g_outlineDC = std::make_unique<classlib::WindowDC>(GetDesktopWindow(), true);
  if (g_outlineDC->get() == nullptr) {
    g_outlineDC.reset();
    return;
  }
  SetROP2(g_outlineDC->get(), R2_NOT);
  OutlineDrag.bInProcess = true;
  OutlineDrag.Owner = this;
  OutlineDrag.ntop = Form->Top();
  OutlineDrag.nleft = Form->Left();
  if (OutlineDrag.bMode) {
    OutlineDrag.nX = X;
    OutlineDrag.nY = Y;
  } else {
    OutlineDrag.nMinHeight = Form->Constraints()->MinHeight();
    OutlineDrag.nMinWidth = Form->Constraints()->MinWidth();
    OutlineDrag.nbottom = Form->Top() + Form->Height();
    OutlineDrag.nright = Form->Left() + Form->Width();
  }
  DrawFormBorder(OutlineDrag.nleft, OutlineDrag.ntop);
}

void TsSkinProvider::DrawFormBorder(int X, int Y) {
  if (g_outlineDC == nullptr) return;
  const TacOutlineDrag& d = OutlineDrag;
  const TRect r =
      d.bMode ? TRect{X, Y, X + Form->Width(), Y + Form->Height()} : TRect{d.nleft, d.ntop, d.nright, d.nbottom};
  const POINT points[5] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}};
  Polyline(g_outlineDC->get(), points, 5);
}

void TsSkinProvider::StopMove(int /*X*/, int /*Y*/) {
  if (!OutlineDrag.bInProcess || OutlineDrag.Owner != this) return;
  // The outline goes before the capture: losing the capture must find the drag already over.
  const bool apply = OutlineDrag.bMode || !OutlineDrag.bCapture;
  EndOutline(true);
  if (apply) {
    const TacOutlineDrag& d = OutlineDrag;
    if (d.bMode)
      SetWindowPos(Form->Handle(), nullptr, d.nleft, d.ntop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      SetWindowPos(Form->Handle(), nullptr, d.nleft, d.ntop, d.nright - d.nleft, d.nbottom - d.ntop,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  OutlineDrag.bCapture = false;
  if (GetCapture() == Form->Handle()) ReleaseCapture();
}

void TsSkinProvider::EndOutline(bool Erase) {
  // The outline is the one its own form drew, whichever form ends it.
  if (OutlineDrag.bInProcess && Erase && OutlineDrag.Owner != nullptr)
    OutlineDrag.Owner->DrawFormBorder(OutlineDrag.nleft, OutlineDrag.ntop);
  OutlineDrag.bInProcess = false;
  OutlineDrag.Owner = nullptr;
  g_outlineDC.reset();
}

bool TsSkinProvider::OutlineDragOf() const { return OutlineDrag.bInProcess && OutlineDrag.Owner == this; }

void TsSkinProvider::OutlineMouseMove(TMessage& Message) {
  OldWndProc(Message);
  if (TsSkinManager* def = DefaultManager(); def != nullptr && !def->ComponentState().Contains(classlib::csDesigning))
    def->SetActiveControl(nullptr);
  if (FResizeMode != rmBorder || !Form->Enabled()) return;
  const TPoint p = ClientToScreenPoint(Form->Handle(), Message.LParam);
  TacOutlineDrag& d = OutlineDrag;
  if (d.bMode) {
    d.bCapture = false;
    if (!OutlineDragOf()) return;
    DrawFormBorder(d.nleft, d.ntop);
    d.nleft += p.X - d.nX;
    d.ntop += p.Y - d.nY;
    d.nX = p.X;
    d.nY = p.Y;
    DrawFormBorder(d.nleft, d.ntop);
    return;
  }
  if (d.bCapture) {
    d.nX = p.X;
    d.nY = p.Y;
    d.bCapture = false;
  }
  if (!OutlineDragOf()) return;
  DrawFormBorder(0, 0);
  const TRect form{Form->Left(), Form->Top(), Form->Left() + Form->Width(), Form->Top() + Form->Height()};
  const TRect r = SizedOutline(form, d.nDirection, TPoint{p.X - d.nX, p.Y - d.nY}, d.nMinWidth, d.nMinHeight);
  d.nleft = r.Left;
  d.ntop = r.Top;
  d.nright = r.Right;
  d.nbottom = r.Bottom;
  DrawFormBorder(0, 0);
}

bool TsSkinProvider::EndOutlineDragAt(LPARAM ClientPos) {
  if (FResizeMode != rmBorder || !Form->Enabled() || IsZoomed(Form->Handle()) || !OutlineDragOf()) return false;
  const TPoint p = ClientToScreenPoint(Form->Handle(), ClientPos);
  StopMove(p.X, p.Y);
  bPressed = false;
  return true;
}

void TsSkinProvider::CancelOutlineDrag() {
  if (!OutlineDragOf()) return;
  EndOutline(true);
  OutlineDrag.bCapture = false;
}

}  // namespace skin
