#include "skin/windows/acSizerWnd.h"

#include <algorithm>

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

void TacSizerWnd::PaintGrip(HDC DC) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  TsSkinManager* sm = SkinData->GetSkinManager();
  const int grip = sm->Records().ConstData.GripRightBottom;
  if (!sm->IsValidImgIndex(grip) || WndSize.cx <= 0 || WndSize.cy <= 0) return;
  auto bmp = NewBitmap32(WndSize.cx, WndSize.cy);
  const TRect all{0, 0, WndSize.cx, WndSize.cy};
  if (ParentWnd != nullptr) DrawParentBackground(bmp->Canvas()->Handle(), ParentWnd, WndPos, all);
  const TsMaskData& md = sm->Records().ma[std::size_t(grip)];
  const int cellWidth = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
  const int cellHeight = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
  DrawSkinGlyph(bmp.get(), TPoint{std::max(0, WndSize.cx - cellWidth), std::max(0, WndSize.cy - cellHeight)}, 0, 1, md,
                MakeCacheInfo(bmp.get()));
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() != nullptr) BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacSizerWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      const classlib::TScopeExit end([&] { EndPaint(CtrlHandle, &ps); });
      PaintGrip(nullptr);
      return;
    }
    // A printed dialog shows the grip as the screen does.
    case WM_PRINTCLIENT: PaintGrip(reinterpret_cast<HDC>(Message.WParam)); return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    case WM_NCHITTEST:
      TacMainWnd::acWndProc(Message);
      if (IsWindowEnabled(CtrlHandle))
        if (TsSkinManager* dm = DefaultManager()) dm->SetActiveControl(nullptr);
      Message.Result = HTBOTTOMRIGHT;
      return;
    default: TacMainWnd::acWndProc(Message);
  }
}

}  // namespace skin
