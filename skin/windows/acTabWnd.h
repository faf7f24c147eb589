#pragma once
// A bare handler for a native tab control: the control paints nothing itself; in a dialog its
// frame around the display area (the band above it and the strip left of it) comes from the
// skin. Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacTabWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

 private:
  void AC_WMNCPaint();
};

}  // namespace skin
