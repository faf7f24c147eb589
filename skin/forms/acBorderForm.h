#pragma once
// What the frame metrics and the region read of a form's extended-border window. The window
// itself (its layered frame, shadow and hit-testing) implements this; a form without extended
// borders has none. Win32 only.
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
};

}  // namespace skin
