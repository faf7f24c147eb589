#pragma once
// The few parameters from which the whole skin is drawn. Everything else (hot, pressed and
// disabled tints, border shades) is derived from them, so that restyling the skin means
// changing these and running the generator again.
#include <cstdint>

#include "tools/skingen/SkinCanvas.h"

namespace skingen {

struct SkinStyle {
  std::uint32_t Accent = 0x1770C7;     // the program's blue: selection, focus, checks, progress
  std::uint32_t Face = 0xF3F4F6;       // forms, panels, tool and status bars
  std::uint32_t Window = 0xFFFFFF;     // edits, lists, pages, menus, buttons
  std::uint32_t Text = 0x1E2329;       // captions and values
  std::uint32_t MutedText = 0x5F6B7A;  // inactive titles, tabs in the background
  std::uint32_t Line = 0xC3CAD2;       // borders of controls
  std::uint32_t Close = 0xE81123;      // the close button under the mouse
  int Radius = 4;                      // corner radius of buttons, edits and panels
  double Gradient = 0.35;              // 0 flat; 1 clearly shaded title, bars and progress

  // Derived shades.
  std::uint32_t Tint(double amount) const { return ToHex(Mix(Hex(Window), Hex(Accent), amount)); }
  std::uint32_t Shade(std::uint32_t rgb, double towardText) const {
    return ToHex(Mix(Hex(rgb), Hex(Text), towardText));
  }
  std::uint32_t HotFill() const { return Tint(0.10); }
  std::uint32_t PressedFill() const { return Tint(0.22); }
  std::uint32_t HotLine() const { return Tint(0.65); }
  std::uint32_t LightLine() const { return ToHex(Mix(Hex(Line), Hex(Window), 0.45)); }
  std::uint32_t Track() const { return ToHex(Mix(Hex(Face), Hex(Line), 0.25)); }
  // A colour shaded toward Darker by Gradient x Amount: the far end of a gradient.
  std::uint32_t GradientEnd(std::uint32_t rgb, std::uint32_t darker, double amount) const {
    return ToHex(Mix(Hex(rgb), Hex(darker), Gradient * amount));
  }
};

}  // namespace skingen
