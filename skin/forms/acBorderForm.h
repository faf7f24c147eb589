#pragma once
// What the frame metrics, the region and the form's moves and sizes ask of a form's extended-border
// window. The window itself (its layered frame, shadow and hit-testing) implements this; a form
// without extended borders has none. What a border window without a window of its own does with a
// request is nothing, which the defaults say. Win32 only.
#include <windows.h>

#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinManager;

class TacBorderForm {
 public:
  virtual ~TacBorderForm() = default;
  // The skinned form's window.
  virtual HWND OwnerHandle() const = 0;
  virtual TsSkinManager* SkinManager() const = 0;
  // Height of the border window's title with the skin's values, or without them.
  virtual int CaptionHeight(bool CheckSkin) const = 0;
  // The shadow frame drawn around the form, active or inactive (nullptr: none).
  const TBitmap32* ShadowTemplate = nullptr;

  // The border window has a window (with its handle allocated).
  virtual bool HasWindow() const { return false; }
  // The border window's own window (nullptr without one); its top-left is the frame image's origin.
  virtual HWND Handle() const { return nullptr; }
  // Makes the window when it is missing.
  virtual void CreateWindowIfMissing() {}
  // Frees the window (the form is minimised or hidden).
  virtual void FreeWindow() {}
  // Follows the form's place and size; Redraw renders the frame again, Blend is its alpha.
  virtual void UpdateExBordersPos(bool /*Redraw*/ = true, int /*Blend*/ = 255) {}
  // The window's region for a form Width x Height (0 x 0: the form's current size).
  virtual void MakeRgn(int /*Width*/, int /*Height*/) {}
  // Shown where it is, directly behind the form or, with Topmost, above everything.
  virtual void ShowInPlace(bool /*Topmost*/) {}
  // The window shows an image of its own (the form hides, moves or restores behind it).
  bool ExBorderShowing = false;
};

}  // namespace skin
