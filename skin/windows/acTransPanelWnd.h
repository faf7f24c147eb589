#pragma once
// The transparent-panel handler: a native container (a nested dialog page, a folder browser)
// whose background is its skin data's cache, rendered over its parent's background; its child
// windows are left out of the copy. Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacTransPanelWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;
  // Paints onto the message's DC (the erase DC), else onto the window DC.
  void AC_WMPaint(classlib::TMessage& Message);
};

}  // namespace skin
