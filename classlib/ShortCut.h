#pragma once
// Key shortcuts as one number: the virtual-key code in the low byte, the modifiers above it
// (Alt+Down is scAlt + VK_DOWN = 32808).
#include <windows.h>

#include <string>

#include "classlib/Controls.h"

namespace classlib {

using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// 0 for a Key beyond one byte.
inline TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0) return 0;
  TShortCut s = Key;
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

// "Ctrl+Shift+S", "Alt+F4", "Del"; empty for 0 or a key without a name (Menus.cpp).
std::wstring ShortCutToText(TShortCut ShortCut);

}  // namespace classlib
