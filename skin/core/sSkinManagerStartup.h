#pragma once
// What the skin manager's unit sets up when the program starts: the system's version, the
// program's own form shadows, and the "/acver" switch, which shows the engine's version once.
// Win32 only.
#include <windows.h>

#include <string_view>

#include "classlib/Image32.h"

namespace skin {

// The system's version as read at start-up, and whether the system is of the NT family.
extern OSVERSIONINFOW OSVersionInfo;
extern bool IsNT;

// The program's own form shadows, for skins that bring none: the RCDATA resources "acSHDA"
// (active form, 32 x 32) and "acSHDI" (inactive, 31 x 31). Empty when the program carries none.
const classlib::TBitmap32& BuiltInShadowActive();
const classlib::TBitmap32& BuiltInShadowInactive();

// Whether a command-line argument after the program's name equals Switch in any letter case.
bool CommandLineHas(std::wstring_view Switch);

}  // namespace skin
