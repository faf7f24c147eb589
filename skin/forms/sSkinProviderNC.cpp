// The skinned form's frame on screen: the non-client paint from the provider's cache, the client
// background, printing, activation, hit-testing and the title buttons under the mouse.
#include <windows.h>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/acMoveAnim.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace skin {

using classlib::TBitmap;
using classlib::TMessage;

namespace {

// The signed screen position packed into a mouse message's LParam.
int XOf(LPARAM L) { return static_cast<short>(LOWORD(L)); }
int YOf(LPARAM L) { return static_cast<short>(HIWORD(L)); }

constexpr std::uint16_t kUpdateBlocked = 0x0400;

bool IsDestroying(const classlib::TComponent* C) { return C->ComponentState().Contains(classlib::csDestroying); }

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

bool IsButtonCode(int HT) {
  return HT == HTMINBUTTON || HT == HTMAXBUTTON || HT == HTCLOSE || HT == HTHELP || (HT >= 101 && HT <= 103);
}

}  // namespace

// ---- painting ----

void TsSkinProvider::WMNCPaint(TMessage& Message) {
  if (SystemMenu == nullptr) PrepareForm();
  if (FDrawNonClientArea &&
      ((FCommonData->CtrlSkinState & (kInUpdate | kUpdateBlocked)) != 0 || (FFormState & kFormCapturing) != 0))
    return;
  if (RTInit) {
    RTInit = false;
    LoadInit();
  }
  if (!ListSW && FDrawNonClientArea) AttachFormScrollHandler(this);
  if (!FDrawNonClientArea) {
    OldWndProc(Message);
    return;
  }
  const HWND h = Form->Handle();
  if (IsIconic(h)) FCommonData->BGChanged = true;
  if (fAnimating || !Form->Showing() || Loading() || SystemMenu == nullptr) return;
  AdapterCreate();
  if (FCommonData->CacheBmp() == nullptr || FCommonData->CacheBmp()->Width() == 0)
    InitExBorders(SkinManager()->ExtendedBorders());
  AC_WMNCPaint();
  Message.Result = 0;
}

void TsSkinProvider::AC_WMNCPaint() {
  const HWND h = Form->Handle();
  // A composed desktop shows windows dragged whole; the outline would only flicker over them.
  if (FResizeMode == rmBorder && AeroIsEnabled()) FResizeMode = rmStandard;
  if (!RgnChanging && RgnChanged) {
    if (HaveBorder(this) || IsSizeable(h) || IsIconic(h)) {
      if (IsIconic(h) && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0) return;
      if (BorderForm == nullptr) FillArOR(this);
      RgnChanged = false;
      if (Form->FormState().Contains(classlib::fsShowing) && !IsZoomed(h)) {
        // Shown for the first time: the region goes in without a second paint.
        UpdateRgn(this, false);
      } else {
        UpdateRgn(this, !InAnimationProcess);
        return;
      }
    } else {
      SetWindowRgn(h, nullptr, TRUE);
    }
  }
  FCommonData->SetUpdating(false);
  if (FCommonData->CacheBmp() == nullptr || FCommonData->CacheBmp()->Width() == 0) FCommonData->BGChanged = true;
  const classlib::WindowDC dc(h, true);
  if (dc.get() == nullptr) return;
  const classlib::TScopeExit regionDone([&] { RgnChanging = false; });
  if (!HaveBorder(this) && IsSizeable(h) && !IsIconic(h))
    PaintFrameStrips(dc.get(), BorderWidth(true) + 3);
  else
    PaintCaption(dc.get());
}

void TsSkinProvider::PaintFrameStrips(HDC DC, int M) {
  if (FCommonData->BGChanged) PaintAll();
  TBitmap* cache = FCommonData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0) return;
  const HDC src = cache->Canvas()->Handle();
  const int w = Form->Width(), hgt = Form->Height(), cw = cache->Width(), ch = cache->Height();
  BitBlt(DC, 0, 0, w, M, src, 0, 0, SRCCOPY);
  BitBlt(DC, 0, M, M, ch, src, 0, M, SRCCOPY);
  BitBlt(DC, M, hgt - M, w - M, M, src, M, hgt - M, SRCCOPY);
  BitBlt(DC, cw - M, M, M, ch, src, cw - M, M, SRCCOPY);
}

void TsSkinProvider::WMEraseBkgnd(TMessage& Message) {
  if (!Form->Showing()) {
    OldWndProc(Message);
    return;
  }
  if ((FCommonData->CtrlSkinState & kInUpdate) != 0 || FCommonData->Updating()) {
    Message.Result = 0;
    return;
  }
  const HWND h = Form->Handle();
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  Message.Result = 1;
  if (!Form->ControlState.Contains(classlib::csPaintCopy) && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
    if (IsCached(FCommonData.get())) {
      TBitmap* cache = FCommonData->CacheBmp();
      if (!FCommonData->Updating() && cache != nullptr && cache->Width() > 0 && !FCommonData->BGChanged &&
          dc != nullptr) {
        const int cw = GetClientWidth(h), ch = GetClientHeight(h);
        CopyWinControlCache(Form, FCommonData.get(), TRect{OffsetX(), OffsetY(), OffsetX() + cw, OffsetY() + ch},
                            TRect{0, 0, cw, ch}, dc, false);
      }
      SetParentUpdated(Form);
      return;
    }
    AC_WMEraseBkGnd(dc);
    ErasedInPaint = true;
    return;
  }
  if (dc == nullptr || FCommonData->BGChanged) return;
  if (IsCached(FCommonData.get())) {
    TBitmap* cache = FCommonData->CacheBmp();
    if (cache != nullptr && cache->Width() > 0)
      BitBlt(dc, 0, 0, Form->Width(), Form->Height(), cache->Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetBGColor(FCommonData.get(), FormActive ? 1 : 0, h)));
    const RECT r{0, 0, Form->Width(), Form->Height()};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
}

void TsSkinProvider::AC_WMEraseBkGnd(HDC DC) {
  const HWND h = Form->Handle();
  HDC own = nullptr;
  if (DC == nullptr || (FCommonData->PrintDC != nullptr && FCommonData->PrintDC != DC)) DC = own = GetDC(h);
  const classlib::TScopeExit release([&] {
    if (own != nullptr) ReleaseDC(h, own);
  });
  FCommonData->SetUpdating(false);
  if (fAnimating || IsDestroying(Form) || DC == nullptr) return;
  const int saved = SaveDC(DC);
  const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
  PaintForm(DC);
  if (IsGripVisible(this)) {
    OffsetWindowOrgEx(DC, OffsetX(), OffsetY(), nullptr);
    PaintGrip(DC);
  }
}

void TsSkinProvider::WMPaint(TMessage& Message) {
  if (Form->ControlState.Contains(classlib::csPaintCopy)) return;
  const HWND h = Form->Handle();
  if (!Form->Showing()) {
    OldWndProc(Message);
    return;
  }
  if (IsCached(FCommonData.get())) {
    OurPaintHandler(Message);
  } else {
    if (!IsDestroying(this) && FCommonData->BGChanged) InvalidateRect(h, nullptr, TRUE);
    PAINTSTRUCT ps;
    ErasedInPaint = false;
    const HDC dc = BeginPaint(h, &ps);
    // Redraw switched off and on (as activation does) validates the window and drops the erase a
    // show had asked for; what is then invalidated again arrives here without one.
    if (!ErasedInPaint && dc != nullptr && !fAnimating && !InAnimationProcess && !IsDestroying(Form)) {
      const int saved = SaveDC(dc);
      PaintForm(dc);
      RestoreDC(dc, saved);
    }
    EndPaint(h, &ps);
  }
  Message.Result = 0;
}

void TsSkinProvider::OurPaintHandler(TMessage& Message) {
  const HWND h = Form->Handle();
  PAINTSTRUCT ps{};
  if (fAnimating || (InAnimationProcess && Message.WParam == 0) || IsDestroying(Form)) {
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    return;
  }
  const bool ownPaint = !InAnimationProcess;
  HDC dc = ownPaint ? BeginPaint(h, &ps) : reinterpret_cast<HDC>(Message.WParam);
  const classlib::TScopeExit end([&] {
    if (ownPaint) EndPaint(h, &ps);
  });
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  FCommonData->SetUpdating(false);
  PaintForm(dc);
}

void TsSkinProvider::WMPrint(TMessage& Message) {
  if (Loading() || Form->FormState().Contains(classlib::fsCreating) || IsDestroying(Form)) return;
  const HWND h = Form->Handle();
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc == nullptr) return;
  InitDwm(h, true, false);
  FCommonData->PrintDC = dc;
  FCommonData->SetUpdating(false);
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] {
    RestoreDC(dc, saved);
    FCommonData->PrintDC = nullptr;
  });
  if (FDrawNonClientArea) {
    // Forms of the class library have no inner border of their own: the strips are 3 deep.
    if (!HaveBorder(this) && IsSizeable(h))
      PaintFrameStrips(dc, 3);
    else
      PaintCaption(dc);
  }
  OffsetViewportOrgEx(dc, OffsetX(), OffsetY(), nullptr);
  IntersectClipRect(dc, 0, 0, GetClientWidth(h), GetClientHeight(h));
  PaintForm(dc);
}

// ---- activation ----

void TsSkinProvider::WMNCActivate(TMessage& Message) {
  if (IsDestroying(this) || !FDrawNonClientArea || !Form->HandleAllocated()) {
    OldWndProc(Message);
    return;
  }
  if (SystemMenu == nullptr) PrepareForm();
  FFormState |= kFormInNcActivate;
  const classlib::TScopeExit done([this] { FFormState &= ~kFormInNcActivate; });
  const bool wasActive = FormActive;
  if ((FFormState & kFormBlending) == 0) FormActive = Message.WParam != 0;
  if (FormActive || ShowAction != classlib::saMaximize) {
    if (ShowAction == classlib::saMaximize) {
      FCommonData->SetUpdating(BorderForm == nullptr);
    } else {
      FCommonData->BGChanged = true;
      FCommonData->SetUpdating(false);
    }
  } else {
    ShowAction = classlib::saIgnore;
  }
  if (FormShowing()) {
    if (FormActive != wasActive) FCommonData->BGChanged = true;
    // The system would paint its own caption for the new state; it must not reach the screen.
    Form->Perform(WM_SETREDRAW, 0, 0);
    const classlib::TScopeExit redraw([this] { Form->Perform(WM_SETREDRAW, 1, 0); });
    OldWndProc(Message);
  } else {
    OldWndProc(Message);
  }
  if (Form->FormState().Contains(classlib::fsCreating)) return;
  FFormState &= ~kFormInNcActivate;
  RepaintNC();
}

// ---- hit-testing ----

int TsSkinProvider::HTProcess(const TMessage& Message) {
  const HWND h = Form->Handle();
  const TPoint p = CursorToPoint(XOf(Message.LParam), YOf(Message.LParam));
  const bool iconic = IsIconic(h) != 0;
  const bool help = Form->BorderIcons().Contains(classlib::biHelp);
  if (SystemMenu == nullptr && BorderForm == nullptr) PrepareForm();
  // The ordinal of the title button under the mouse, counted from the close button leftwards.
  int k = 0;
  if (BorderForm == nullptr && SystemMenu != nullptr) {
    int i = 0;
    if (HaveSysMenu) {
      i = 1;
      if (Contains(ButtonClose.Rect, p)) k = 1;
      if (k == 0 && SystemMenu->VisibleMax() && (++i, Contains(ButtonMax.Rect, p))) k = i;
      if (k == 0 && SystemMenu->VisibleMin() && (++i, Contains(ButtonMin.Rect, p))) k = i;
      if (k == 0 && help && (++i, Contains(ButtonHelp.Rect, p))) k = i;
    }
    for (int u = 0; k == 0 && u < FTitleButtons->Count(); ++u) {
      ++i;
      const TsTitleButton* b = FTitleButtons->Items(u);
      if (b->Visible() && Contains(b->BtnData.Rect, p)) k = i;
    }
  }
  if (k > 0) {
    int result = HTCLIENT;
    int n = 0;
    if (HaveSysMenu)
      n = 1 + (SystemMenu->VisibleMax() ? 1 : 0) + (SystemMenu->VisibleMin() || iconic ? 1 : 0) + (help ? 1 : 0);
    if (k <= n) {
      const bool vMax = SystemMenu->VisibleMax(), vMin = SystemMenu->VisibleMin() || iconic;
      switch (k) {
        case 1: result = HTCLOSE; break;
        case 2:
          if (vMax)
            result = SystemMenu->EnabledMax() || (SystemMenu->EnabledRestore() && !iconic) ? HTMAXBUTTON : HTCAPTION;
          else if (vMin)
            result = SystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION;
          else if (help)
            result = HTHELP;
          break;
        case 3:
          if (vMin)
            result = iconic || SystemMenu->EnabledMin() ? HTMINBUTTON : HTCAPTION;
          else if (help)
            result = HTHELP;
          break;
        case 4:
          if (help && vMax) result = HTHELP;
          break;
        default: break;
      }
    } else if (k <= n + FTitleButtons->Count()) {
      const int u = k - n - 1;
      if (FTitleButtons->Items(u)->Enabled()) result = 1000 + u;
    }
    if (result != HTCLIENT) return result;
  }
  const int formW = Form->Width(), formH = Form->Height();
  if (!IsZoomed(h) && (GetWindowLongPtrW(h, GWL_STYLE) & WS_THICKFRAME) != 0 && BorderForm == nullptr) {
    const int w = SysBorderWidth(h, BorderForm.get(), true);
    int result = HTCLIENT;
    if (p.Y < SysBorderHeight(h, BorderForm.get(), false))
      result = HTTOP;
    else if (p.Y > formH - w)
      result = HTBOTTOM;
    if (p.X < w)
      result = result == HTTOP ? HTTOPLEFT : result == HTBOTTOM ? HTBOTTOMLEFT : HTLEFT;
    else if (p.X > formW - w)
      result = result == HTTOP ? HTTOPRIGHT : result == HTBOTTOM ? HTBOTTOMRIGHT : HTRIGHT;
    if (result != HTCLIENT) return result;
  }
  const int sysCapt = SysCaptHeight(Form);
  const int bFalse = SysBorderHeight(h, BorderForm.get(), false);
  const int c = sysCapt + SysBorderHeight(h, BorderForm.get(), true);
  if (p.Y >= 0 && p.Y <= c) {
    if (MenuHeight() > 0 && GetLinesCount() > 0 && p.Y >= bFalse + sysCapt &&
        p.Y <= bFalse + CaptionHeight(false) + MenuHeight())
      return HTMENU;
    if (IconVisible() && Contains(IconRect(), p)) return HTSYSMENU;
    return HTCAPTION;
  }
  if (p.Y > c + GetLinesCount() * MenuHeight()) {
    if (!IsGripVisible(this)) return HTCLIENT;
    TsSkinManager* m = SkinManager();
    const int grip = m->Records().ConstData.GripRightBottom;
    if (!m->IsValidImgIndex(grip)) return HTCLIENT;
    const TPoint g = RBGripPoint(grip);
    return p.Y > g.Y && p.X > g.X ? HTBOTTOMRIGHT : HTCLIENT;
  }
  return HTMENU;
}

void TsSkinProvider::WMNCHitTest(TMessage& Message) {
  if (RTInit) {
    RTInit = false;
    LoadInit();
  }
  if (CaptionHeight(true) == 0 || !FDrawNonClientArea) {
    OldWndProc(Message);
    return;
  }
  const int ht = HTProcess(Message);
  Message.Result = ht;
  if (FResizeMode == rmBorder && OutlineDrag.nDirection == 0 && Form->Enabled() &&
      (ht == HTCAPTION || (ht >= HTLEFT && ht <= HTBOTTOMRIGHT)))
    OutlineDrag.nDirection = ht;
  if (ht != 0 && ht != HTCLIENT && ht != HTCAPTION && ht != HTMENU) return;
  OldWndProc(Message);
  // A maximized frame is not for sizing, whatever the system's own procedure thinks of its edges.
  if (IsZoomed(Form->Handle()) && Message.Result >= HTLEFT && Message.Result <= HTBOTTOMRIGHT) Message.Result = ht;
}

// ---- the mouse on the frame ----

void TsSkinProvider::NCMouseMove(TMessage& Message) {
  SkinManager()->SetActiveControl(Form->Handle());
  const int ht = HTProcess(Message);
  Message.WParam = static_cast<WPARAM>(ht);
  if (IsButtonCode(ht) || (ht >= 1000 && ht <= 1100)) {
    SetHotHT(ht, true);
    // Leaving the window through the frame must take the hot look away too.
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, Form->Handle(), 0};
    TrackMouseEvent(&track);
    return;
  }
  SetHotHT(0, true);
  OldWndProc(Message);
}

void TsSkinProvider::NCLButtonDown(TMessage& Message) {
  if (!FDrawNonClientArea) {
    OldWndProc(Message);
    return;
  }
  const int ht = static_cast<int>(Message.WParam);
  const HWND h = Form->Handle();
  if (IsButtonCode(ht)) {
    SetPressedHT(ht);
    PressedHT = bPressed ? ht : 0;
    return;
  }
  if (ht == HTSYSMENU) {
    Message.Result = 0;
    OldWndProc(Message);
    if (Message.Result != 0) return;
    SetHotHT(0, true);
    bPressed = false;
    DropSysMenu(this, Form->Left() + SysBorderWidth(h, BorderForm.get(), false),
                Form->Top() + BorderHeight(true) + IconHeight() + SysBorderHeight(h, BorderForm.get(), false));
    return;
  }
  if (ht == HTMENU) {
    OldWndProc(Message);
    return;
  }
  if (ht >= 1000 && ht < 1000 + FTitleButtons->Count()) {
    SetPressedHT(ht);
    PressedHT = bPressed ? ht : 0;
    TsTitleButton* b = FTitleButtons->Items(ht - 1000);
    if (b->OnMouseDown) b->OnMouseDown(b);
    return;
  }
  if (IsIconic(h)) {
    Form->Perform(WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  SetHotHT(0, true);
  BOOL fullDrag = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  if (fullDrag && FResizeMode == rmBorder && Form->Enabled() && ht != HTMENU && !IsZoomed(h)) {
    // The outline stands in for the system's own move or size loop, which must not run as well.
    const bool sizing = ht >= HTLEFT && ht <= HTBOTTOMRIGHT;
    OutlineDrag.bMode = !sizing;
    startingOutline_ = true;
    {
      const classlib::TScopeExit started([this] { startingOutline_ = false; });
      Form->Perform(WM_SYSCOMMAND, sizing ? SC_SIZE + (ht - HTLEFT + WMSZ_LEFT) : SC_MOVE, 0);
    }
    StartMove(XOf(Message.LParam), YOf(Message.LParam));
    if (!OutlineDragOf() && GetCapture() == h) ReleaseCapture();
    return;
  }
  if (fullDrag && ht == HTCAPTION && Form->FormStyle() != classlib::fsMDIChild && !IsZoomed(h) &&
      BlendOnMovingWanted()) {
    if (!FormActive) {
      FormActive = true;
      FCommonData->BGChanged = true;
    }
    SetFocus(h);
    StartBlendOnMoving(this);
    return;
  }
  OldWndProc(Message);
}

bool TsSkinProvider::BlendOnMovingWanted() const {
  const TsSkinManager* m = SkinManager();
  if (m == nullptr || !FAllowBlendOnMoving || IsIconic(Form->Handle())) return false;
  const TacBlendOnMoving& blend = m->AnimEffects().BlendOnMoving();
  return blend.Active() && blend.BlendValue() != 255;
}

void TsSkinProvider::NCLButtonUp(TMessage& Message) {
  if (!FDrawNonClientArea) {
    OldWndProc(Message);
    return;
  }
  const HWND h = Form->Handle();
  const int ht = static_cast<int>(Message.WParam);
  // Only a release over the very button that was pressed acts.
  const bool held = bPressed && PressedHT == ht;
  const classlib::TScopeExit clear([] { bPressed = false; });
  PressedHT = 0;
  if (ht == HTMINBUTTON) {
    if (!held) {
      SetHotHT(0, true);
      OldWndProc(Message);
      return;
    }
    // The button's rectangle is in the frame image, which the border window shows when there is one.
    TPoint p = CursorToPoint(XOf(Message.LParam), YOf(Message.LParam));
    if (BorderForm != nullptr && BorderForm->Handle() != nullptr) {
      RECT image{};
      GetWindowRect(BorderForm->Handle(), &image);
      p = TPoint{XOf(Message.LParam) - image.left, YOf(Message.LParam) - image.top};
    }
    if (!Contains(ButtonMin.Rect, p)) {
      OldWndProc(Message);
      return;
    }
    SetHotHT(0, true);
    if (IsIconic(h)) {
      Form->Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (classlib::Application != nullptr && classlib::Application->MainForm() == Form) {
      // The main form's minimise plays its animation; only the hide picture is skipped.
      SkipAnimation = true;
      const classlib::TScopeExit minimised([this] { SkipAnimation = false; });
      Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
      FFormState |= kFormMinimizing;
      const classlib::TScopeExit minimised([this] { FFormState &= ~kFormMinimizing; });
      Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    FCommonData->BGChanged = true;
    RgnChanged = true;
    return;
  }
  if (ht == HTMAXBUTTON) {
    const bool zoomed = IsZoomed(h) != 0;
    if (SystemMenu == nullptr || !(SystemMenu->EnabledMax() || (zoomed && SystemMenu->EnabledRestore()))) return;
    SetHotHT(0, true);
    if (!held) {
      OldWndProc(Message);
      return;
    }
    Form->Perform(WM_SYSCOMMAND, zoomed ? SC_RESTORE : SC_MAXIMIZE, 0);
    SystemMenu->UpdateItems(false);
    return;
  }
  if (ht == HTCLOSE) {
    ButtonClose.State = 0;
    SetHotHT(0, false);
    // The command may free the form and this provider with it: nothing follows it.
    if (held) Form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (ht == HTHELP) {
    SetHotHT(0, true);
    if (!held) return;
    Form->Perform(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    if (SystemMenu != nullptr) SystemMenu->UpdateItems(false);
    Form->Perform(WM_NCPAINT, 1, 0);
    return;
  }
  if (ht >= 1000 && ht < 1000 + FTitleButtons->Count()) {
    TsTitleButton* b = FTitleButtons->Items(ht - 1000);
    bPressed = false;
    SetHotHT(0, true);
    if (held && b->OnMouseUp) b->OnMouseUp(b);
    return;
  }
  if (!IsIconic(h) && EndOutlineDragAt(Message.LParam)) return;
  OldWndProc(Message);
}

void TsSkinProvider::NCLButtonDblClk(TMessage& Message) {
  const HWND h = Form->Handle();
  if (OutlineDragOf()) StopMove(XOf(Message.LParam), YOf(Message.LParam));
  OutlineDrag.DoStartMove = false;
  if (Message.WParam == HTCAPTION && SystemMenu != nullptr) {
    const bool iconic = IsIconic(h) != 0, zoomed = IsZoomed(h) != 0;
    if ((HaveSysMenu && (SystemMenu->EnabledMax() || SystemMenu->EnabledRestore())) || (!HaveBorder(this) && iconic)) {
      Form->Perform(WM_SYSCOMMAND, zoomed || iconic ? SC_RESTORE : SC_MAXIMIZE, 0);
      SystemMenu->UpdateItems(false);
    } else if (iconic) {
      Form->Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
      SystemMenu->UpdateItems(false);
    }
    return;
  }
  if (Message.WParam == HTSYSMENU) {
    if (!SkinManager()->SkinnedPopups) {
      FCommonData->SetUpdating(true);
      Form->Close();
    }
    return;
  }
  OldWndProc(Message);
}

}  // namespace skin
