#include "skin/windows/acMDIWnd.h"

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acSBPaint.h"

namespace skin {
namespace {

constexpr UINT kCalcChildScroll = 0x003F;  // the MDI client recomputes its scroll ranges
constexpr int kPixelsPerUnit = 8;
constexpr int kFrameWidth = 2;

TRect WindowRectOf(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TacMDIWnd::~TacMDIWnd() {
  MDISkinData = nullptr;
  SkinProvider = nullptr;
}

TRect TacMDIWnd::FormRect() const {
  TRect r = WindowRectOf(CtrlHandle);
  const TPoint origin = SkinProvider != nullptr ? SkinProvider->ImageOrigin() : TPoint{};
  r.Left -= origin.X;
  r.Right -= origin.X;
  r.Top -= origin.Y;
  r.Bottom -= origin.Y;
  return r;
}

int TacMDIWnd::Edge() const { return (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 ? 2 : 0; }

bool TacMDIWnd::MaximizedChildActive() const {
  BOOL maximized = FALSE;
  const auto active = reinterpret_cast<HWND>(SendMessageW(CtrlHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
  return active != nullptr && maximized != FALSE;
}

bool TacMDIWnd::SkinnedBranch() const {
  return MDISkinData != nullptr && SkinProvider != nullptr && MDISkinData->Skinned() && DrawSkinnedMDIWall &&
         DrawSkinnedMDIScrolls;
}

void TacMDIWnd::PaintMDIWall(HDC DC, bool IgnoreEdge) {
  if (SkinProvider == nullptr || SkinProvider->FrameAnimating() || DC == nullptr) return;
  const TRect window = WindowRectOf(CtrlHandle);
  const int w = window.Right - window.Left, h = window.Bottom - window.Top;
  TsSkinManager* sm = MDISkinData != nullptr ? MDISkinData->GetSkinManager() : nullptr;
  const int wall = sm != nullptr ? sm->GetSkinIndex("MDIAREA") : -1;
  if (!SkinProvider->FrameCached() && wall < 0) {
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(SkinProvider->FrameColor()));
    const RECT r{0, 0, w, h};
    FillRect(DC, &r, brush);
    DeleteObject(brush);
    return;
  }
  classlib::TBitmap* image = SkinProvider->FrameImage();
  if (image == nullptr) return;
  const TRect at = FormRect();
  const int e = IgnoreEdge ? 0 : Edge();
  BitBlt(DC, 0, 0, w, h, image->Canvas()->Handle(), at.Left + e, at.Top + e, SRCCOPY);
}

void TacMDIWnd::PaintMDIFrame(HDC DC) {
  classlib::TBitmap* cache = MDISkinData != nullptr ? MDISkinData->CacheBmp() : nullptr;
  if (cache == nullptr || cache->Width() == 0 || SkinProvider == nullptr) return;
  const TRect window = WindowRectOf(CtrlHandle);
  const int w = window.Right - window.Left, h = window.Bottom - window.Top;
  TsSkinManager* sm = MDISkinData->GetSkinManager();
  if (SkinProvider->FrameCached() || (sm != nullptr && sm->GetSkinIndex("MDIAREA") >= 0)) {
    const TRect at = FormRect();
    BitBltBorder(DC, 0, 0, w, h, cache->Canvas()->Handle(), at.Left, at.Top, kFrameWidth);
  } else {
    const int e = Edge();
    FillDCBorder(DC, TRect{0, 0, w, h}, e, e, e, e, SkinProvider->FrameColor());
  }
}

void TacMDIWnd::UpdateGraphControls() {
  if (FForm == nullptr || FForm->MDIChildCount() == 0 || !MaximizedChildActive()) return;
  for (int i = 0; i < FForm->ControlCount(); ++i) {
    classlib::TControl* c = FForm->Controls(i);
    // The skinned splitters live above this folder: they are known by their class name.
    if (c->ClassName() != L"TsSplitter") continue;
    TacBGInfo info;
    info.PleaseDraw = true;
    info.R = TRect{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    info.DrawDC = FForm->Canvas()->Handle();
    SendAMessage(FForm, ACMD_GETBGINFO, reinterpret_cast<LPARAM>(&info));
  }
}

void TacMDIWnd::ThumbDropped(classlib::TMessage& Message) {
  const int bar = Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  if (!GetScrollInfo(CtrlHandle, bar, &si)) return;
  // From the client's position to the dropped one (both absolute): a drop where the drag began
  // moves nothing.
  const int delta = (si.nPos - ScrollState().nLastSBPos) * kPixelsPerUnit;
  if (delta == 0) return;
  if (bar == SB_HORZ)
    ScrollWindow(CtrlHandle, delta, 0, nullptr, nullptr);
  else
    ScrollWindow(CtrlHandle, 0, delta, nullptr, nullptr);
}

void TacMDIWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_CHILDPAINTS:
        if (FForm != nullptr) Message.Result = SendAMessage(FForm, ACMD_CHILDPAINTS);
        return;
      case ACMD_SCROLLBEGIN: {
        const int code = LOWORD(Message.LParam);
        Message.Result = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? 1 : 0;
        return;
      }
      case ACMD_SCROLLEND: UpdateScrolls(this, true); return;
      default: TacBaseWnd::acWndProc(Message); return;
    }
  }
  if (Destroyed || !SkinnedBranch()) {
    TacBaseWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT:
      if (!InAnimationProcess) break;
      {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
      }
      return;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (dc == nullptr) break;
      Message.Result = 1;
      if (InAnimationProcess) return;
      if (MaximizedChildActive()) {
        UpdateGraphControls();
        return;
      }
      const int saved = SaveDC(dc);
      const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
      PaintMDIWall(dc, false);
      return;
    }
    case WM_WINDOWPOSCHANGING: SkinProvider->ClientMoving(); break;
    case WM_WINDOWPOSCHANGED:
      if (FForm != nullptr && FForm->HandleAllocated())
        RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      break;
    case WM_STYLECHANGED: PassOn(Message); return;
    case WM_NCPAINT: {
      Message.Result = 1;
      if (MaximizedChildActive() || InAnimationProcess) return;
      const classlib::WindowDC windowDC(CtrlHandle);
      if (windowDC.get() == nullptr) return;
      PaintMDIFrame(windowDC.get());
      Ac_NCPaint(this, CtrlHandle, int(Message.WParam), windowDC.get(), -1, 0);
      return;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) return;
      if (LOWORD(Message.WParam) != SB_THUMBPOSITION) break;
      ThumbDropped(Message);
      return;
    case WM_MDITILE:
    case WM_MDICASCADE:
      PassOn(Message);
      SkinProvider->ChildrenArranged();
      InvalidateRect(CtrlHandle, nullptr, TRUE);
      return;
    case WM_MDISETMENU:
      PassOn(Message);
      SkinProvider->MenuSet();
      return;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (dc == nullptr) break;
      Message.Result = 0;
      if (SkinProvider->HasExtendedBorders() || MaximizedChildActive()) return;
      const int saved = SaveDC(dc);
      const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
      PaintMDIWall(dc, true);
      Ac_NCPaint(this, CtrlHandle, 1, dc, -1, 0);
      return;
    }
    default: break;
  }
  TacBaseWnd::acWndProc(Message);
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_PARENTNOTIFY:
    case kCalcChildScroll: {
      const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
      if (sBarVert) sBarVert->fScrollVisible = (style & WS_VSCROLL) != 0;
      if (sBarHorz) sBarHorz->fScrollVisible = (style & WS_HSCROLL) != 0;
      UpdateScrolls(this, true);
      break;
    }
    case WM_MDIREFRESHMENU: SkinProvider->MenuRefreshed(); break;
    default: break;
  }
}

}  // namespace skin
