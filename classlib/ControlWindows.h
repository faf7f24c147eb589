#pragma once
// Window plumbing shared by the units of TControl and TWinControl; not for use outside classlib.
#include <windows.h>

namespace classlib {

class TControl;

namespace detail {

// The windowless control that holds the mouse capture through its parent's window, or none.
extern TControl* g_captureControl;
// Registers the common-control window classes once.
void EnsureCommonControls();

}  // namespace detail
}  // namespace classlib
