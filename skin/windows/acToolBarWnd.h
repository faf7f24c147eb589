#pragma once
// The handler of native tool bars ("ToolbarWindow32" that no class-library control owns): the bar's
// section over its parent's background, then every button drawn from the skin from the bar's own
// answers (TB_GETBUTTON, TB_GETITEMRECT, TB_GETBUTTONTEXTW): separators as "DIVIDER" strips,
// buttons from "TOOLBUTTON" (hot under the cursor, pressed moved by a pixel, disabled ones faded
// over the bar), their images from the bar's image list, a drop-down arrow and the caption. The bar
// never paints itself while hooked. Win32 only; GUI thread only.
#include <windows.h>

#include <string>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacToolBarWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

  TRect ClientRect;
  // Half the difference between window and client height.
  int BorderWidth = 0;
  int HotBtn = -1;

  int Count() const;
  // TB_GETITEMRECT; an empty rectangle when the bar refuses.
  TRect ButtonRect(int Index) const;
  TRect GetButtonRect(int Index) const { return ButtonRect(Index); }
  // The caption of the button with command Id, read into a buffer of the length the bar reports.
  std::wstring ButtonText(int Id) const;

  void PrepareCache();
  void AC_WMNCPaint();
  void AC_WMPaint();
  // The client area with every button onto DC (nullptr: a DC of the window).
  void AC_WMPrint(HDC DC);
  void DrawButtons(classlib::TBitmap* Bmp);
  // Button Index at R of the bar's bitmap (window coordinates) onto DC.
  void DrawBtn(int Index, const TRect& R, HDC DC);

 private:
  bool Updating() const;
  void DrawCaption(classlib::TBitmap* B, const std::wstring& Text, int State, int Shift, int ImageHeight);
};

}  // namespace skin
