#include "skin/windows/acTabWnd.h"

#include <commctrl.h>

#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

void TacTabWnd::AC_WMNCPaint() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (SkinData->Updating()) return;
  // The strips come from the cache: it is rendered first, else they would show whatever it held.
  SkinData->BGChanged = true;
  PrepareCache(SkinData, CtrlHandle, false);
  if (SkinData->BGChanged) return;  // the parent has not painted yet
  RECT display{};
  GetClientRect(CtrlHandle, &display);
  SendMessageW(CtrlHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  display.top += 2;
  const TacGivenOrOwnDC dc(CtrlHandle, nullptr, true);
  if (dc.get() == nullptr) return;
  HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
  BitBlt(dc.get(), 0, 0, WndSize.cx, display.top, cache, 0, 0, SRCCOPY);
  BitBlt(dc.get(), 0, display.top, display.left, WndSize.cy - display.top, cache, 0, display.top, SRCCOPY);
}

void TacTabWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY ||
      (Message.Msg == SM_ALPHACMD && CommandOf(Message.WParam) == ACMD_CHILDPAINTS)) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      const classlib::TScopeExit end([&] { EndPaint(CtrlHandle, &ps); });
      if (IsWindowVisible(CtrlHandle)) {
        InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
        InitCacheBmp(SkinData);
        SkinData->CacheBmp()->SetSize(WndSize.cx, WndSize.cy);
      }
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND: return;
    case WM_NCPAINT:
      if (!DlgMode) break;
      AC_WMNCPaint();
      return;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
