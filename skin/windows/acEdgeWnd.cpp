#include "skin/windows/acEdgeWnd.h"

#include "classlib/ScopeExit.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

void TacEdgeWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  const TacGivenOrOwnDC dc(CtrlHandle, reinterpret_cast<HDC>(Message.WParam), true);
  if (dc.get() == nullptr) return;
  const int saved = SaveDC(dc.get());
  const classlib::TScopeExit restore([&] { RestoreDC(dc.get(), saved); });
  SkinData->BGChanged = true;
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  PrepareCache(SkinData, CtrlHandle, false);
  if (SkinData->BGChanged) return;  // the parent has not painted yet
  // The static writes its own text inside the frame; written into the cache too, it would only
  // leak into the frame where it reaches the edge.
  BitBltBorder(dc.get(), 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, 2);
}

void TacEdgeWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacStaticWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT:
      PassOn(Message);
      AC_WMPaint(Message);
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    default: break;
  }
  TacStaticWnd::acWndProc(Message);
}

}  // namespace skin
