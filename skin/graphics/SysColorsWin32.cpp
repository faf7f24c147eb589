#include <windows.h>

#include <cstdint>

#include "skin/graphics/SysColors.h"

namespace skin {

classlib::TColor ColorToRGB(classlib::TColor color) {
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) != 0xFF000000u) return color;
  const int index = static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
  if (index > COLOR_MENUBAR) return 0;
  return static_cast<classlib::TColor>(GetSysColor(index));
}

}  // namespace skin
