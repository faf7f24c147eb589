#pragma once
// The size-grip handler: a native size-grip scroll bar drawn as its parent's background with the
// skin's grip image in its bottom-right corner; every hit test answers the bottom-right sizing
// corner. Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacSizerWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

 private:
  // Onto DC, else onto the window's own DC.
  void PaintGrip(HDC DC);
};

}  // namespace skin
