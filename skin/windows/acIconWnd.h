#pragma once
// The image-static handler: a native "Static" window with SS_ICON or SS_BITMAP drawn as its
// parent's background with its picture at the top-left corner. Win32 only; GUI thread only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "skin/windows/acStaticWnd.h"

namespace skin {

class TacIconWnd : public TacStaticWnd {
 public:
  TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  bool PaintText() override;

  // Not an icon static: its picture is a bitmap.
  bool IsBmp;

 private:
  // Our copy of the static's bitmap: the static keeps its own handle, which it (or its owner)
  // frees, and the copy is taken again only when the static is given another bitmap.
  std::unique_ptr<classlib::TBitmap> FBmp;
  HBITMAP copiedFrom_ = nullptr;
};

}  // namespace skin
