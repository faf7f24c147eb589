#pragma once
// Layered-window pictures of a skinned form: the form's image, a topmost snapshot cover, a
// bitmap shown with constant alpha, and the fade (or fade and zoom) that shows a form.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinProvider;

// A window of the animations, freed the way its owner would free it.
struct TacFormFree {
  void operator()(classlib::TForm* Form) const { classlib::Free(Form); }
};
using TacAnimForm = std::unique_ptr<classlib::TForm, TacFormFree>;

// The window tag that keeps the engine's hands off its own animation windows.
inline constexpr int acAnimWindowTag = -98;
// Every animation step lasts this many milliseconds.
inline constexpr int acAnimInterval = 12;
// The number of frames an animation of Time milliseconds plays besides its first.
constexpr int AnimFrames(int Time) { return Time / acAnimInterval; }

// Every push of a layered picture goes through here; tests put their own in place (nullptr gives
// the system's back).
using TacUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
void SetUpdateLayeredWindow(TacUpdateLayeredWindow Fn);

// Shows Bmp (32-bit, premultiplied alpha) as Wnd's layered picture with constant alpha Value, at
// Pos or where the window stands; nullptr Bmp shows a fully transparent picture of the window's size.
void SetFormBlendValue(HWND Wnd, classlib::TBitmap* Bmp, int Value, const POINT* Pos = nullptr);
// A hidden-to-the-engine topmost snapshot of Wnd (frame included), shown in its place without
// activation.
TacAnimForm MakeCoverForm(HWND Wnd);
// The form rendered into a 32-bit bitmap of the cache's size (opaque without extended borders);
// nullptr without a cache. FreeCache empties the provider's cache afterwards.
std::unique_ptr<classlib::TBitmap> GetFormImage(TsSkinProvider* SP, bool FreeCache);
// Shows SP's form through a layered copy that fades in over wTime milliseconds up to
// MaxTransparency (zooming from three quarters of the size with atAero). The caller has taken the
// form's redraw (and so WS_VISIBLE) away; every way out gives it back, redraws the form and clears
// the animation flags.
void AnimShowForm(TsSkinProvider* SP, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode);
// The hide of SP's form: plays no frames yet, so the image taken for it is let go at once. False
// when the application ended meanwhile.
bool AnimHideForm(TsSkinProvider* SP);

}  // namespace skin
