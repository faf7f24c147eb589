#pragma once
// The handler of up-down controls ("msctls_updown32", also the scroll arrows of tab and page
// controls): two buttons of the skin data's section ("BUTTON" when the skin lacks it) over the
// parent's background, each with the skin's arrow glyph; the button under the cursor is hot, and
// pressed while the left button is held. For odd sizes both halves are one pixel longer than half,
// sharing the middle row (column). The control never paints itself while hooked. Win32 only; GUI
// thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacSpinWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;
  // Without UDS_HORZ.
  virtual bool IsVertical() const;

  // Pixels at the left of a vertical up-down that are not painted.
  int lOffset = 0;
  bool bMousePressed = false;
  int Btn1State = 0;
  int Btn2State = 0;

  // The first (top or left) and second button in window coordinates.
  TRect FirstRect() const;
  TRect SecondRect() const;
  // Both buttons in their states into the skin data's cache.
  void PrepareCache();
  // The states from the cursor, then the cache onto the given DC, else the window's.
  void AC_WMPaint(HDC Given);

 private:
  void Redraw();
};

}  // namespace skin
