#pragma once
// The pieces the window animations share: 32-bit pictures, the borderless animation window, the
// push through the replaceable UpdateLayeredWindow and the frames of a show fade. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "skin/core/sConstTypes.h"
#include "skin/forms/acAnimForms.h"

namespace skin::detail {

// SetWindowPos flags of a window moved without anyone noticing.
inline constexpr UINT kQuietPos =
    SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

std::unique_ptr<classlib::TBitmap> NewBitmap32(int Width, int Height);
// A copy of Bmp as a 32-bit picture, its alpha kept.
std::unique_ptr<classlib::TBitmap> CopyBitmap32(const classlib::TBitmap& Bmp);
// Every pixel of Bmp made opaque.
void MakeOpaque(classlib::TBitmap& Bmp);
// Opaque over R only.
void MakeOpaque(classlib::TBitmap& Bmp, const RECT& R);
void AddExStyle(HWND Wnd, LONG_PTR Bits);
// Pushes Bmp to the layered Wnd with constant alpha Alpha; Pos nullptr keeps the window's place.
void PushLayered(HWND Wnd, classlib::TBitmap& Bmp, int Alpha, const POINT* Pos);
// A borderless window the engine leaves alone, never activated and kept off the taskbar.
TacAnimForm NewAnimForm(const RECT& Bounds);
// The window Wnd goes behind: topmost for a topmost window, else the one in front of it.
HWND InsertAfterFor(HWND Wnd);

// Plays the show frames onto Wnd: Frames + 1 pushes with the alpha rising by MaxTransparency /
// StepDivisor up to MaxTransparency; atAero grows the picture from three quarters of its size.
// Frames must be above 0.
void PlayShowFrames(HWND Wnd, classlib::TBitmap& Image, int Frames, int StepDivisor, int MaxTransparency,
                    TacAnimType Mode);

}  // namespace skin::detail
