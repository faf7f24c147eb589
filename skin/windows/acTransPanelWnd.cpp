#include "skin/windows/acTransPanelWnd.h"

#include "skin/core/sMessages.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

void TacTransPanelWnd::AC_WMPaint(classlib::TMessage& Message) {
  RECT wr{};
  GetWindowRect(CtrlHandle, &wr);
  WndRect = TRect{wr.left, wr.top, wr.right, wr.bottom};
  WndSize = TSize{wr.right - wr.left, wr.bottom - wr.top};
  const TacGivenOrOwnDC dc(CtrlHandle, reinterpret_cast<HDC>(Message.WParam), true);
  if (dc.get() == nullptr) return;
  SkinData->BGChanged = true;
  SendMessageW(CtrlHandle, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
  if (SkinData->BGChanged) return;  // the parent has not painted yet
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (!sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    // Without a section of its own the panel is its parent's background.
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
    if (ParentWnd != nullptr)
      DrawParentBackground(SkinData->CacheBmp()->Canvas()->Handle(), ParentWnd, WndPos,
                           TRect{0, 0, WndSize.cx, WndSize.cy});
  }
  CopyHwndCache(CtrlHandle, SkinData, TRect{}, TRect{0, 0, WndSize.cx, WndSize.cy}, dc.get(), false);
}

void TacTransPanelWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      AC_WMPaint(Message);
      Message.Result = 1;
      return;
    case WM_NCPAINT: Message.Result = 0; return;
    default: TacMainWnd::acWndProc(Message);
  }
}

}  // namespace skin
