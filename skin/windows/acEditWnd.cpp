#include "skin/windows/acEditWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "classlib/TypInfo.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {
namespace {

constexpr UINT kSwallowedNotice = 0x2100;
constexpr wchar_t kFocusColor[] = L"FocusColor";

bool Visible(HWND wnd) { return IsWindowVisible(wnd) != FALSE; }

// A DC other than the print DC with nothing to paint in it.
bool NothingToPaint(HDC dc, HDC printDC) {
  if (dc == nullptr || dc == printDC) return false;
  RECT box{};
  return GetClipBox(dc, &box) == NULLREGION;
}

bool IsListBox(HWND wnd) {
  const std::wstring name = GetWndClassName(wnd);
  return CompareStringOrdinal(name.c_str(), -1, L"ListBox", -1, TRUE) == CSTR_EQUAL ||
         CompareStringOrdinal(name.c_str(), -1, L"ComboLBox", -1, TRUE) == CSTR_EQUAL;
}

bool OwnerDestroying(classlib::TControl* owner) {
  return owner == nullptr || owner->ComponentState().Contains(classlib::csDestroying);
}

}  // namespace

void TacBaseWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned(false)) {
    TacScrollWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_REFRESH:
        if (Message.LParam != reinterpret_cast<LPARAM>(SkinData->GetSkinManager())) break;
        TacScrollWnd::acWndProc(Message);
        if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
        return;
      case ACMD_PREPARECACHE: PrepareCache(SkinData, CtrlHandle, false); break;
      default: break;
    }
  }
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_EXITSIZEMOVE: SkinData->BGChanged = true; break;
    case kSwallowedNotice: return;
    default: break;
  }
  TacScrollWnd::acWndProc(Message);
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!DontRepaint) UpdateScrolls(this, true);
      break;
    case WM_ENABLE:
    case classlib::CM_ENABLEDCHANGED:
      if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      break;
    default: break;
  }
}

void TacEditWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("EDIT");
  TacBaseWnd::Hook(Repaint);
}

TRect TacEditWnd::ClientRect() {
  if (FClientRect.Top == -1) FClientRect = ACClientRect(CtrlHandle);
  return FClientRect;
}

bool TacEditWnd::OwnerPublishesFocusColor() const {
  classlib::TControl* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  return owner != nullptr && classlib::IsPublishedProp(owner, kFocusColor);
}

void TacEditWnd::SaveStdParams() {
  TacBaseWnd::SaveStdParams();
  classlib::TControl* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  if (owner == nullptr) return;
  StdColor = owner->Color();
  StdFontColor = owner->Font()->Color();
  if (OwnerPublishesFocusColor()) FocusColor = TColor(classlib::GetOrdProp(owner, kFocusColor));
}

void TacEditWnd::RestoreStdParams() {
  TacBaseWnd::RestoreStdParams();
  if (Visible(CtrlHandle))
    SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  classlib::TControl* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  if (OwnerDestroying(owner)) return;
  owner->SetColor(StdColor);
  owner->Font()->SetColor(StdFontColor);
  if (OwnerPublishesFocusColor()) classlib::SetOrdProp(owner, kFocusColor, FocusColor);
}

void TacEditWnd::SetSkinParams() {
  // The control's own colour change sends messages that come back here.
  if (bPreventStyleChange) return;
  bPreventStyleChange = true;
  const classlib::TScopeExit guard([this] { bPreventStyleChange = false; });
  SkinData->SetUpdating(true);
  TacBaseWnd::SetSkinParams();
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    FrameColor = 0;
    SkinData->SetUpdating(false);
    return;
  }
  const TsGeneralData& g = sm->Records().gd[std::size_t(SkinData->SkinIndex)];
  if (classlib::TControl* owner = SkinData->OwnerControl()) {
    const int active = ControlIsActive(SkinData) && g.States > 1 ? 1 : 0;
    if (!SkinData->CustomColor()) {
      const TColor colour = GetBGColor(SkinData, active);
      if (OwnerPublishesFocusColor()) {
        if (owner->Color() != colour) owner->SetColor(colour);
        classlib::SetOrdProp(owner, kFocusColor, colour);
      } else if (owner->Color() != colour) {
        owner->SetColor(colour);
      }
    }
    if (!SkinData->CustomFont()) {
      const TColor font = g.Props[std::size_t(active)].FontColor.Color;
      if (owner->Font()->Color() != font) owner->Font()->SetColor(font);
      if (Destroyed) return;
    }
  } else {
    Color = DlgMode ? classlib::clWindow : g.Color;
    FrameColor = 0;
  }
  SkinData->BGChanged = true;
  SkinData->SetUpdating(false);
}

void TacEditWnd::RenderCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  PrepareCache(SkinData, CtrlHandle, DlgMode);
  UpdateWndCorners(SkinData, 0, this);
}

void TacEditWnd::CopyFrame(HDC DC) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || cache->Width() <= 0 || cache->Height() <= 0) return;
  BitBltBorder(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, ClientRect().Top);
}

void TacEditWnd::ClipToClient(HDC DC) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const int width = cache != nullptr ? cache->Width() : WndSize.cx;
  const int height = cache != nullptr ? cache->Height() : WndSize.cy;
  const int vert = sBarVert && sBarVert->fScrollVisible ? GetScrollMetric(sBarVert.get(), 1, false) : 0;
  const int horz = sBarHorz && sBarHorz->fScrollVisible ? GetScrollMetric(sBarHorz.get(), 1, false) : 0;
  POINT origin{};
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.x - cxLeftEdge, origin.y - cxLeftEdge, nullptr);
  IntersectClipRect(DC, 0, 0, std::max(0, width - 2 * cxLeftEdge - vert), std::max(0, height - 2 * cxLeftEdge - horz));
}

void TacEditWnd::Print(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  // The native print may leave its clip in the DC: the frame goes over the whole window.
  const int native = dc != nullptr ? SaveDC(dc) : 0;
  PassOn(Message);
  if (dc != nullptr) RestoreDC(dc, native);
  if (Message.Result == 2 || dc == nullptr) return;
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  SkinData->SetUpdating(false);
  SkinData->BGChanged = true;
  if (!ParamsChanged) SetSkinParams();
  PrepareCache(SkinData, CtrlHandle, DlgMode);
  if (!DlgMode) UpdateWndCorners(SkinData, 0, this);
  CopyFrame(dc);
  Ac_NCPaint(this, CtrlHandle, 1, dc, -1, 0);
  const int saved = SaveDC(dc);
  ClipToClient(dc);
  SendMessageW(CtrlHandle, WM_ERASEBKGND, Message.WParam, 0);
  SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, 0);
  SendMessageW(CtrlHandle, WM_PRINTCLIENT, Message.WParam, PRF_CLIENT | PRF_OWNED);
  RestoreDC(dc, saved);
  // The native print already ran: printing again would cover the skinned frame with the native one.
}

void TacEditWnd::NonClientPaint(classlib::TMessage& Message) {
  Message.Result = 0;
  if (InAnimationProcess || SkinData->Updating()) return;
  const classlib::WindowDC windowDC(CtrlHandle);
  HDC dc = windowDC.get();
  if (dc == nullptr) return;
  RECT box{};
  if (dc != SkinData->PrintDC && GetClipBox(dc, &box) == NULLREGION) return;
  if (SkinData->BGChanged) {
    if (!ParamsChanged) SetSkinParams();
    RenderCache();
  }
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  Ac_NCPaint(this, CtrlHandle, int(Message.WParam), dc, -1, 0);
  CopyFrame(dc);
}

void TacEditWnd::Paint(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (NothingToPaint(dc, SkinData->PrintDC)) return;
  if (SkinData->Updating() || (InAnimationProcess && SkinData->PrintDC == nullptr)) {
    PAINTSTRUCT ps{};
    BeginPaint(CtrlHandle, &ps);
    EndPaint(CtrlHandle, &ps);
    return;
  }
  Ac_NCPaint(this, CtrlHandle, 1, nullptr, -1, 0);
  if (!ParamsChanged) SetSkinParams();
  TacBaseWnd::acWndProc(Message);
}

void TacEditWnd::EraseBackground(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (NothingToPaint(dc, SkinData->PrintDC)) return;
  if (SkinData->Updating()) return;
  if (!ParamsChanged) SetSkinParams();
  if (InAnimationProcess && dc != SkinData->PrintDC) {
    Message.Result = 1;
    return;
  }
  TacBaseWnd::acWndProc(Message);
}

void TacEditWnd::AfterBase(const classlib::TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      break;
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case classlib::CN_KEYDOWN:
    case classlib::CN_KEYUP:
      if (!DontRepaint) UpdateScrolls(this, true);
      break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX: UpdateScrolls(this, true); break;
    case WM_MOUSEMOVE:
      if (TsSkinManager* dm = DefaultManager();
          dm != nullptr && !dm->ComponentState().Contains(classlib::csDesigning) && IsWindowEnabled(CtrlHandle)) {
        if (dm->ActiveControl() != CtrlHandle) dm->SetActiveControl(CtrlHandle);
        if (SkinData != nullptr && !SkinData->Updating() && GetCapture() != nullptr) UpdateScrolls(this, true);
      }
      break;
    default: break;
  }
}

void TacEditWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned(false)) {
    TacBaseWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_REFRESH:
        TacBaseWnd::acWndProc(Message);
        if (Message.LParam == reinterpret_cast<LPARAM>(SkinData->GetSkinManager()) && !Destroyed) SetSkinParams();
        return;
      case ACMD_PARENTUPDATED:
        if (SkinData->Updating()) {
          SkinData->SetUpdating(false);
          if (!SkinData->Updating())
            RedrawWindow(CtrlHandle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        break;
      case ACMD_ISSKINNED: Message.Result = 1; return;
      case ACMD_PREPARECACHE: RenderCache(); return;
      case ACMD_GETSKININDEX:
        if (Message.LParam != 0) reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = SkinData->SkinIndex;
        return;
      case ACMD_SCROLLBEGIN:
        if ((GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) == 0) break;
        SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
        return;
      case ACMD_SCROLLEND:
        if ((GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) == 0) break;
        SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
        InvalidateRect(CtrlHandle, nullptr, TRUE);
        return;
      case ACMD_GETAPPLICATION:
        Message.Result =
            reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application.operator->()));
        return;
      default: break;
    }
    TacBaseWnd::acWndProc(Message);
    return;
  }
  const bool ownPaint = Visible(CtrlHandle) && !bPreventStyleChange;
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TacBaseWnd::acWndProc(Message);
      auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData != nullptr ? SkinData->OwnerControl() : nullptr);
      if (!Destroyed && MayBeHot(SkinData) && owner != nullptr && owner->CanFocus() && owner->TabStop()) {
        SkinData->BGChanged = true;
        SkinData->FFocused = Message.Msg == WM_SETFOCUS;
        SendMessageW(owner->Handle(), WM_NCPAINT, 1, 0);
      }
      return;
    }
    case WM_PAINT:
      if (!ownPaint) break;
      Paint(Message);
      return;
    case WM_ERASEBKGND:
      if (!ownPaint) break;
      EraseBackground(Message);
      return;
    case WM_NCPAINT:
      if (!ownPaint) break;
      NonClientPaint(Message);
      return;
    case WM_PRINT: Print(Message); return;
    case classlib::CM_FONTCHANGED:
      if (SkinData->Updating()) return;
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
      break;
    default: break;
  }
  TacBaseWnd::acWndProc(Message);
  if (Destroyed) return;
  AfterBase(Message);
  // An empty list answers "no top item", not the first one.
  if (Message.Msg == LB_GETTOPINDEX && Message.Result == 0 && IsListBox(CtrlHandle) &&
      SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) == 0)
    Message.Result = -1;
}

void TacTreeViewWnd::SetSkinParams() {
  ParamsChanged = true;
  TColor colour = classlib::clWindow;
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (!DlgMode && sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    const TsGeneralData& g = sm->Records().gd[std::size_t(SkinData->SkinIndex)];
    const bool hot = g.States > 1 && ControlIsActive(SkinData);
    colour = hot ? g.HotColor : g.Color;
    classlib::TControl* owner = SkinData->OwnerControl();
    if (owner != nullptr && !SkinData->CustomFont()) {
      const TColor font = hot ? g.HotFontColor.Color : g.FontColor.Color;
      if (owner->Font()->Color() != font) owner->Font()->SetColor(font);
    }
    if (owner != nullptr && (SkinData->CustomColor() || owner->Color() == colour)) return;
  }
  SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(classlib::ColorToRGB(colour)));
}

void TacTreeViewWnd::RestoreStdParams() {
  TacEditWnd::RestoreStdParams();
  if (Visible(CtrlHandle))
    SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(classlib::ColorToRGB(classlib::clWindow)));
}

void TacTreeViewWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || Destroyed) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) {
    TsSkinManager* sm = SkinData->GetSkinManager();
    if (sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex)) {
      PassOn(Message);
      return;
    }
    Message.Result = 0;
    if (SkinData->Updating()) return;
    if (SkinData->BGChanged) PrepareCache(SkinData, CtrlHandle, DlgMode);
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(CtrlHandle);
    if (dc == nullptr) return;
    const TColor colour = DlgMode ? classlib::clWindow : sm->Records().gd[std::size_t(SkinData->SkinIndex)].Color;
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(colour));
    const RECT all{0, 0, WndSize.cx, WndSize.cy};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (own) ReleaseDC(CtrlHandle, dc);
    return;
  }
  TacEditWnd::acWndProc(Message);
  if (Message.Msg == WM_LBUTTONUP) ReleaseCapture();
}

}  // namespace skin
