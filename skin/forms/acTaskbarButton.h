#pragma once
// Where the taskbar shows a window's button: the shell's window chain "Shell_TrayWnd" >
// "ReBarWindow32" > "MSTaskSwWClass" > "ToolbarWindow32" and, in the tool bar, the button whose
// data names the window. The tool bar lives in the shell's process, so its answers are written into
// a buffer there and read back. Win32 only.
#include <windows.h>

#include "classlib/Types.h"

namespace skin {

// The shell's taskbar window; nullptr when there is none. Tests put their own finder in place
// (nullptr gives the system's back).
using TacShellTrayFinder = HWND (*)();
void SetShellTrayFinder(TacShellTrayFinder Finder);
HWND ShellTrayWnd();

// The screen rectangle of Target's button on the taskbar Tray; the empty rectangle when the chain,
// the button or access to the shell's process is missing.
classlib::TRect TaskbarButtonRect(HWND Tray, HWND Target);

}  // namespace skin
