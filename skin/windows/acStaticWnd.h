#pragma once
// The static-text handler: a native "Static" window drawn as its parent's background (under the
// skin data's section, when it has one) with its text on top in the skin's colours. Statics that
// take the focus (WS_TABSTOP) or have a sunken edge (WS_EX_STATICEDGE) keep their native look.
// Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacStaticWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

  // Paints onto the message's DC, else onto the window DC.
  void AC_WMPaint(classlib::TMessage& Message);
  // The content over the background in the cache; false: nothing to copy.
  virtual bool PaintText();
  // Whether the window stays native.
  bool Native() const;

 protected:
  // Invalidated, erased and painted at once.
  void Redraw();
};

}  // namespace skin
