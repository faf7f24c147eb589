#pragma once
// Layered-window pictures of a skinned form: the form's image, a topmost snapshot cover, a
// bitmap shown with constant alpha, the fades (or fades and zooms) that show and hide forms and
// dialogs, and the cross-fade of a control from its old look to its new one.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinProvider;
class TacDialogWnd;

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
// The hide of SP's form: the image taken as it began to hide (HideImage) fades out over the
// manager's FormHide time in a topmost copy, played on after the call returns. False when the
// application ended meanwhile.
bool AnimHideForm(TsSkinProvider* SP);

// A skinned standard dialog shown through a layered copy (cache and printed children) fading in
// over wTime milliseconds; every way out switches the dialog's redraw on and redraws it.
void AnimShowDlg(TacDialogWnd* Dlg, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode);
// The dialog's cache faded out over the manager's DialogHide time; the dialog's cover (taken over)
// or a new one shows it.
void AnimHideDlg(TacDialogWnd* Dlg);
// The dialog's client area put into Bmp (its cache's size) at the client's place, opaque there:
// as it shows on screen (FromWindow) or printed from the child windows.
void PrindDlgClient(TacDialogWnd* Dlg, classlib::TBitmap* Bmp, bool FromWindow);

// Before a control changes (a page change): the screen under it kept, and a cover window put over
// it that shows the old look until AnimShowControl ends.
void PrepareForAnimation(classlib::TWinControl* Control);
// Cross-fades Control from its old look to the new one over wTime milliseconds up to
// MaxTransparency: a skinned form through a layered copy of its new look, anything else through
// the cover of PrepareForAnimation (taken here when missing).
void AnimShowControl(classlib::TWinControl* Control, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode);
// The cover window of a control animation, nullptr when none is up; freeing it ends the cover.
classlib::TWinControl* AnimCoverWindow();
void FreeAnimCoverWindow();
// Gives the skinned controls (their page changes) the control animation.
void InstallControlAnimLink();

}  // namespace skin
