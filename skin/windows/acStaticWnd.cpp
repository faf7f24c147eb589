#include "skin/windows/acStaticWnd.h"

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

bool TacStaticWnd::Native() const {
  return (GetWindowLongW(CtrlHandle, GWL_STYLE) & WS_TABSTOP) != 0 ||
         (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0;
}

bool TacStaticWnd::PaintText() {
  if (Caption.empty()) return true;
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  canvas->Brush()->SetStyle(classlib::bsClear);
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
  UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
  if ((GetWindowLongW(CtrlHandle, GWL_STYLE) & SS_NOPREFIX) != 0) flags |= DT_NOPREFIX;
  if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0) flags |= DT_RIGHT;
  // The class library has no application-wide reading order: the process's layout and the window's
  // own reading order tell it.
  DWORD layout = 0;
  if ((GetProcessDefaultLayout(&layout) && (layout & LAYOUT_RTL) != 0) ||
      (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0)
    flags |= DT_RTLREADING;
  TRect r{0, 0, WndSize.cx, WndSize.cy};
  acWriteTextEx(canvas, Caption, true, r, flags, SkinData, false);
  return true;
}

void TacStaticWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  const TacGivenOrOwnDC dc(CtrlHandle, reinterpret_cast<HDC>(Message.WParam), true);
  if (dc.get() == nullptr) return;
  const int saved = SaveDC(dc.get());
  const classlib::TScopeExit restore([&] { RestoreDC(dc.get(), saved); });
  SkinData->BGChanged = true;
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    // Without a section of its own a static is its parent's background.
    if (ParentWnd != nullptr)
      DrawParentBackground(cache->Canvas()->Handle(), ParentWnd, WndPos, TRect{0, 0, WndSize.cx, WndSize.cy});
    SkinData->BGChanged = false;
  } else {
    PrepareCache(SkinData, CtrlHandle, false);
  }
  if (SkinData->BGChanged) return;  // the parent has not painted yet
  if (PaintText()) BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacStaticWnd::Redraw() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void TacStaticWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || Native()) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_ENABLE:
      if (!visible) break;
      SkinData->BGChanged = true;
      PassOn(Message);
      Redraw();
      return;
    case WM_SETTEXT:
      if (!visible) break;
      SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
      PassOn(Message);
      Caption = GetWndText(CtrlHandle);
      SkinData->BGChanged = true;
      SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
      Redraw();
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      const classlib::TScopeExit end([&] { EndPaint(CtrlHandle, &ps); });
      if (visible) AC_WMPaint(Message);
      return;
    }
    case WM_ERASEBKGND:
      if (!visible) break;
      Message.Result = 1;
      return;
    case WM_NCPAINT: return;
    case WM_PRINTCLIENT: AC_WMPaint(Message); return;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
