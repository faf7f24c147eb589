#include "skin/windows/acIconWnd.h"

#include <algorithm>

namespace skin {

TacIconWnd::TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacStaticWnd(AHandle, ASkinData, ASkinManager),
      IsBmp((GetWindowLongW(AHandle, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {}

bool TacIconWnd::PaintText() {
  HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
  if (!IsBmp) {
    // Without an icon (a message box without one keeps its icon static) the background shows.
    const auto icon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, STM_GETICON, 0, 0));
    if (icon == nullptr) return true;
    DrawIconEx(cache, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return true;
  }
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(CtrlHandle, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (bitmap == nullptr) return true;
  // A metafile static answers with something that is no bitmap: nothing to copy.
  if (GetObjectType(bitmap) != OBJ_BITMAP) return false;
  if (!FBmp || bitmap != copiedFrom_) {
    HANDLE copy = CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (copy == nullptr) return false;
    FBmp = std::make_unique<classlib::TBitmap>();
    FBmp->SetHandle(static_cast<HBITMAP>(copy));
    copiedFrom_ = bitmap;
  }
  if (FBmp->Empty()) return false;
  BitBlt(cache, 0, 0, std::min(FBmp->Width(), WndSize.cx), std::min(FBmp->Height(), WndSize.cy),
         FBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  return true;
}

}  // namespace skin
