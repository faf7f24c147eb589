#pragma once
// What the skinned controls ask of the window animations (a page change): the animations live in
// skin/forms, which the control folders may not include, so they install their entry points here
// (with the provider's classes, RegisterSkinProviderClasses). Without a link the controls change
// without animation. Win32 only; GUI thread only.
#include <cstdint>

#include "skin/core/sConstTypes.h"

namespace classlib {
class TWinControl;
}

namespace skin {

struct TacControlAnimLink {
  // The screen under Control kept and a cover put over it, before it changes.
  void (*Prepare)(classlib::TWinControl* Control) = nullptr;
  // Control cross-faded from the covered old look to its new one; the cover goes.
  void (*Show)(classlib::TWinControl* Control, std::uint16_t Time, int MaxTransparency, TacAnimType Mode) = nullptr;
  // A cover is up.
  bool (*CoverUp)() = nullptr;
  // The cover goes without animation.
  void (*FreeCover)() = nullptr;
};

void SetControlAnimLink(const TacControlAnimLink& Link);
// Every entry set, or none.
const TacControlAnimLink& ControlAnimLink();

}  // namespace skin
