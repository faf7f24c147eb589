#pragma once
// Where a combo edit's popup goes on the virtual screen: below the edit, or above it when it would
// leave the screen's bottom; its right (or left) edge on the edit's, kept inside the screen's
// left and right edges. The virtual screen may start left of or above the primary monitor.
// Portable.
#include "classlib/EnumInfo.h"
#include "classlib/Types.h"
#include "skin/core/sConstTypes.h"

namespace skin {

// Edit: the edit's rectangle in screen coordinates; Screen: the virtual screen's.
classlib::TPoint PopupWindowPlace(const classlib::TRect& Edit, int PopupWidth, int PopupHeight, TPopupWindowAlign Align,
                                  const classlib::TRect& Screen);

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TPopupWindowAlign>() {
  static const TEnumInfo i{L"TPopupWindowAlign", {L"pwaRight", L"pwaLeft"}};
  return i;
}
}  // namespace classlib
