#include "skin/graphics/SysColors.h"

#include <array>
#include <cstdint>

namespace skin {
namespace {

constexpr classlib::TColor Rgb(std::uint32_t rgb) {
  return static_cast<classlib::TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// Indexes 0..30 of the system colour table, in the standard scheme of Windows 7.
constexpr std::array<classlib::TColor, 31> kStandardScheme = {
    Rgb(0xC8C8C8), Rgb(0x000000), Rgb(0x99B4D1), Rgb(0xBFCDDB), Rgb(0xF0F0F0), Rgb(0xFFFFFF), Rgb(0x646464),
    Rgb(0x000000), Rgb(0x000000), Rgb(0x000000), Rgb(0xB4B4B4), Rgb(0xF4F7FC), Rgb(0xABABAB), Rgb(0x3399FF),
    Rgb(0xFFFFFF), Rgb(0xF0F0F0), Rgb(0xA0A0A0), Rgb(0x6D6D6D), Rgb(0x000000), Rgb(0x434E54), Rgb(0xFFFFFF),
    Rgb(0x696969), Rgb(0xE3E3E3), Rgb(0x000000), Rgb(0xFFFFE1), Rgb(0x000000), Rgb(0x0066CC), Rgb(0xB9D1EA),
    Rgb(0xD7E4F2), Rgb(0x3399FF), Rgb(0xF0F0F0)};

}  // namespace

classlib::TColor ColorToRGB(classlib::TColor color) {
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) != 0xFF000000u) return color;
  const unsigned index = static_cast<std::uint32_t>(color) & 0xFFu;
  return index < kStandardScheme.size() ? kStandardScheme[index] : 0;
}

}  // namespace skin
