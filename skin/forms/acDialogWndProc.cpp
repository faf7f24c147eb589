// The dialog frame handler's window procedure: the skin commands, the window messages it serves
// itself, and what follows every message it passes on.
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TBitmap;

namespace {

// The command to every direct child window, in z-order; their answers are dropped.
void SendToChildren(HWND Wnd, const classlib::TMessage& Message) {
  for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, Message.Msg, Message.WParam, Message.LParam);
}

// Sent by the common item dialogs when their layout changes.
constexpr UINT kDialogLayoutChanged = WM_USER + 302;
constexpr UINT kOwnerDrawnStatic = 5;  // ODT_STATIC

}  // namespace

void TacDialogWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || Destroyed || !Skinned()) {
    TacScrollWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    if (AlphaCommand(Message)) return;
  } else if (WindowMessage(Message)) {
    return;
  }
  TacScrollWnd::acWndProc(Message);
  CommonTail(Message);
}

bool TacDialogWnd::AlphaCommand(classlib::TMessage& Message) {
  const bool ownManager = Message.LParam == reinterpret_cast<LPARAM>(SkinManager);
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
      if (ownManager) {
        SkinData->UpdateIndexes();
        SkinData->BGChanged = true;
        RgnChanged = true;
        UpdateIconsIndexes();
        SendToChildren(CtrlHandle, Message);
      }
      return true;
    case ACMD_REFRESH:
      SkinData->UpdateIndexes();
      UpdateIconsIndexes();
      RgnChanged = true;
      // The skin state has no control of its own to invalidate: the dialog is redrawn here.
      SkinData->BGChanged = true;
      if (IsWindowVisible(CtrlHandle))
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return true;
    case ACMD_SETUPDATING:
      SkinData->SetUpdating(LOWORD(Message.WParam) == 1);
      if (SkinData->Updating()) SkinData->BGChanged = true;
      return false;
    case ACMD_ISBUSY: Message.Result = SkinData->Updating() ? 1 : 0; return true;
    case ACMD_DEPENDSONPARENT: {
      const TsGeneralData& gd = SkinManager->Records().gd[SkinData->SkinIndex];
      Message.Result = gd.GradientPercent + gd.ImagePercent > 0 ? 1 : 0;
      return true;
    }
    case ACMD_GETCOLOR: Message.Result = static_cast<LRESULT>(GetBGColor(SkinData, 0, CtrlHandle)); return true;
    case ACMD_RESCAN: Rescan(); return false;
    case ACMD_GETBGINFO: {
      auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
      if (info == nullptr) return true;
      if (info->PleaseDraw) {
        info->Offset.X += OffsetX();
        info->Offset.Y += OffsetY();
      }
      InitBGInfo(SkinData, *info, 0, CtrlHandle);
      if (info->BgType == TacBGType::btCache && !info->PleaseDraw) {
        if (info->Bmp == nullptr) {
          PaintAll();
          info->Bmp = SkinData->CacheBmp();
        }
        info->Offset = {OffsetX(), OffsetY()};
      }
      return true;
    }
    case ACMD_GETOFFSET: Message.Result = MAKELONG(OffsetX(), OffsetY()); return true;
    default: return false;
  }
}

bool TacDialogWnd::WindowMessage(classlib::TMessage& Message) {
  const bool visible = IsWindowVisible(CtrlHandle) != FALSE;
  switch (Message.Msg) {
    case WM_SIZE: SizeMessage(Message); return true;
    case WM_SETFOCUS:
      PassOn(Message);
      if (const HWND active = GetActiveWindow())
        RedrawWindow(active, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      return true;
    case WM_ENABLE:
      if (!visible) return false;
      PassOn(Message);
      SkinData->BGChanged = true;
      SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      return true;
    case WM_SETTEXT:
      PassOn(Message);
      Caption = GetWndText(CtrlHandle);
      if (visible) {
        SkinData->BGChanged = true;
        SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      }
      return true;
    case WM_PAINT:
      if (FWMPaintForbidden) {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
        Message.Result = 0;
        return true;
      }
      return false;
    case WM_ERASEBKGND: EraseBackground(Message); return true;
    case WM_SHOWWINDOW: {
      PassOn(Message);
      InitDwm(CtrlHandle, true, false);
      const TacFormAnimation& show = SkinManager->AnimEffects().DialogShow();
      if (Message.WParam != 0 && show.Active() && show.Time() != 0) {
        Caption = GetWndText(CtrlHandle);
        Rescan();
        AnimShowDlg(this, show.Time(), 255, show.Mode());
      }
      return true;
    }
    case WM_DRAWITEM:
      if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
          item != nullptr && item->CtlType == kOwnerDrawnStatic)
        SetBkMode(item->hDC, TRANSPARENT);
      return false;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      const bool hiding = pos != nullptr && (pos->flags & SWP_HIDEWINDOW) != 0;
      if (hiding) RgnChanged = true;
      PassOn(Message);
      if (hiding && HideAnimated()) {
        AnimHideDlg(this);
        DoLayered(CtrlHandle, false);
      }
      return true;
    }
    case WM_COMMAND:
      if ((Message.WParam == IDCANCEL || Message.WParam == IDYES) && HideAnimated()) {
        // The dialog's last look, client included, for the hide that the command may start.
        if (TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && !cache->Empty())
          PrindDlgClient(this, cache, true);
        CoverForm = MakeCoverForm(CtrlHandle);
        PassOn(Message);
        // A dialog that stays open keeps no cover over it.
        if (IsWindowVisible(CtrlHandle)) CoverForm.reset();
        return true;
      }
      return false;
    case WM_NCHITTEST: {
      Message.Result = 0;
      const int code = HTProcess(Message);
      if (code == HTNOWHERE || code == HTCAPTION) {
        PassOn(Message);
        SetHotHT(0);
      } else {
        Message.Result = code;
      }
      return true;
    }
    case WM_NCPAINT:
      if (!visible) return false;
      RefreshGeometry();
      Caption = GetWndText(CtrlHandle);
      Ac_WMNCPaint();
      Message.Result = 1;
      return true;
    case WM_NCACTIVATE: NCActivate(Message); return true;
    case WM_GETDLGCODE: Message.Result = 0; return true;
    case WM_NCLBUTTONDOWN: NCLButtonDown(Message); return true;
    case WM_NCLBUTTONUP: Ac_WMLButtonUp(Message); return true;
    case WM_LBUTTONUP:
      // Its word parameter holds the keys, not a hit code: a press in the frame ends without acting.
      if (DlgBtnPressed) SetHotHT(0);
      PassOn(Message);
      return true;
    case WM_NCLBUTTONDBLCLK: NCLButtonDblClk(Message); return true;
    case WM_NCRBUTTONDOWN:
      if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) return true;
      return false;
    case WM_NCRBUTTONUP:
      if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) {
        SetHotHT(0);
        POINT p{};
        GetCursorPos(&p);
        DropSysMenu(p.x, p.y);
        return true;
      }
      return false;
    case WM_CTLCOLORDLG: Message.Result = reinterpret_cast<LRESULT>(DialogBrush()); return true;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(CtrlHandle)) SkinManager->SetActiveControl(nullptr);
      return false;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE: SetHotHT(0); return false;
    case DM_SETDEFID:
      TacScrollWnd::acWndProc(Message);
      Rescan();
      return true;
    case kDialogLayoutChanged:
      PassOn(Message);
      Rescan();
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return true;
    default: return false;
  }
}

bool TacDialogWnd::HideAnimated() const {
  const TacFormAnimation& hide = SkinManager->AnimEffects().DialogHide();
  return hide.Active() && hide.Time() != 0 && UpdateLayeredWindowProc() != nullptr;
}

void TacDialogWnd::CommonTail(const classlib::TMessage& Message) {
  if (Message.Msg != WM_SYSCOMMAND || Destroyed || !IsWindow(CtrlHandle)) return;
  const WPARAM command = Message.WParam & 0xFFF0;
  if (Message.WParam == SC_MOVE + 2) {
    UpdateWindow(CtrlHandle);
  } else if (command == SC_MAXIMIZE || command == SC_RESTORE) {
    if (VisibleMax()) CurrentHT = HTMAXBUTTON;
    SetHotHT(0);
  }
}

void TacDialogWnd::SizeMessage(classlib::TMessage& Message) {
  SkinData->BGChanged = true;
  RgnChanged = true;
  PassOn(Message);
  if (!InAnimationProcess)
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT r{};
  GetClientRect(CtrlHandle, &r);
  LastClientRect = {r.left, r.top, r.right, r.bottom};
}

void TacDialogWnd::NCActivate(classlib::TMessage& Message) {
  FFormActive = LOWORD(Message.WParam) != 0;
  if (!IsWindowVisible(CtrlHandle)) {
    TacScrollWnd::acWndProc(Message);
    return;
  }
  // Hidden from the system while it handles the message, so that it draws no caption of its own.
  SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
  PassOn(Message);
  SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
  SkinData->BGChanged = true;
  RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TacDialogWnd::EraseBackground(classlib::TMessage& Message) {
  RefreshGeometry();
  if (!Initialized) {
    Initialized = true;
    Rescan();
  }
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const classlib::TBitmap* cache = SkinData->CacheBmp();
  if (dc != nullptr && (cache == nullptr || cache->Width() != WndSize.cx)) {
    RECT r{};
    GetClientRect(CtrlHandle, &r);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(classlib::ColorToRGB(GetBGColor(SkinData, 0, CtrlHandle))));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  Ac_WMPaint(dc);
  Message.Result = 1;
}

HBRUSH TacDialogWnd::DialogBrush() {
  const TColor color = classlib::ColorToRGB(SkinManager->GetGlobalColor());
  if (brush_ != nullptr && color == brushColor_) return brush_;
  if (brush_ != nullptr) DeleteObject(brush_);
  brush_ = CreateSolidBrush(static_cast<COLORREF>(color));
  brushColor_ = color;
  return brush_;
}

}  // namespace skin
