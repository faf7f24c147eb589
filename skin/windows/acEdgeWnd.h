#pragma once
// The sunken-edge static handler: a native "Static" with WS_EX_STATICEDGE paints itself, then gets a
// two-pixel frame from the skin data's section (the dialog hook gives it "EDIT") over its edge; the
// text stays the static's own.
// Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acStaticWnd.h"

namespace skin {

class TacEdgeWnd : public TacStaticWnd {
 public:
  using TacStaticWnd::TacStaticWnd;
  void acWndProc(classlib::TMessage& Message) override;
  // The frame onto the message's DC (laid like the window's), else onto the whole window's DC.
  void AC_WMPaint(classlib::TMessage& Message);
};

}  // namespace skin
