#pragma once
// Probes of the running system (win32 build only).
#include <windows.h>

namespace skin {

// Height (lfHeight) of the system caption font; 0 when the system does not answer.
int GetCaptionFontSize();
// A new font made from the system caption font, owned by the caller; 0 when that fails.
HFONT acGetTitleFont();
// The system's minimise and restore animation; false when the system does not answer.
bool acGetAnimation();
// Sets it for this session, without writing it to the user profile.
void acSetAnimation(bool Value);

bool IsNTFamily();
// A debugger is attached; true when kernel32 has no way to tell.
bool IsIDERunning();
// A 32-bit process on 64-bit Windows; false when kernel32 cannot tell.
bool IsWOW64Proc();
// Windows itself is 64-bit: a 64-bit process, or a 32-bit one under WOW64.
bool IsWindows64();

namespace detail {
// Start-up of the toolbox: sets x64woAero on 64-bit Windows without desktop composition.
void acntSystemStartup();
}  // namespace detail

}  // namespace skin
