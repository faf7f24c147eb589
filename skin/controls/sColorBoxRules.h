#pragma once
// What the colour box decides without a window: which colours its list holds and how they are
// named, which item a colour selects, the saved custom colours, the swatch's frame and place.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/Set.h"
#include "classlib/Types.h"

namespace skin {

enum TsColorBoxStyleItem {
  cbStandardColors,
  cbExtendedColors,
  cbSystemColors,
  cbIncludeNone,
  cbIncludeDefault,
  cbCustomColor,
  cbPrettyNames,
  cbCustomColors,
  cbSavedColors
};
using TsColorBoxStyle = classlib::TSet<TsColorBoxStyleItem>;
inline constexpr TsColorBoxStyle kDefaultColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors};

// The colour a box shows as selected when no item is.
inline constexpr classlib::TColor kNoColorSelected = static_cast<classlib::TColor>(0xFF000000u);
inline constexpr const wchar_t* kCustomColorCaption = L"Custom...";

struct TNamedColor {
  std::wstring Name;
  classlib::TColor Color = 0;
  friend bool operator==(const TNamedColor&, const TNamedColor&) = default;
};
// The library's colour identifiers in its order: 16 standard colours, 4 extended ones, then
// clNone, clDefault and the system colours (in any order after the first twenty).
using TColorIdentTable = std::span<const std::pair<std::wstring, std::int64_t>>;

// "clMoneyGreen" -> "Money Green", "cl3DDkShadow" -> "3D Dk Shadow": without the leading "cl", a
// space before each capital that follows anything but a "3".
std::wstring PrettyColorName(std::wstring_view Ident);
// The table's colours that Style keeps, in the table's order, named by identifier or pretty name.
// Each colour goes by its group (standard, extended, none, default, system), so that clNone or
// clDefault asked for stays in a list without the system colours.
std::vector<TNamedColor> StyleColors(TColorIdentTable Table, TsColorBoxStyle Style);
// The colour a saved custom-colour text ("FF8000": red, green, blue) stands for; false for a text
// that is no six-digit hexadecimal number or is white (an unused slot).
bool SavedColor(std::wstring_view Text, classlib::TColor& Color);
// The box is usable when its style holds any colour group or the custom entry.
bool ColorBoxEnabled(TsColorBoxStyle Style);

struct TColorSelection {
  int Index = -1;
  // The custom entry (item 0) takes the colour being selected.
  bool CustomTakesColor = false;
};
// The item selecting C picks among Colors (the items' colours, the custom entry first when
// CustomEntry): the first item of that colour; a colour not listed goes into the custom entry; a
// black custom entry gives way to the list's own black.
TColorSelection ColorSelection(std::span<const classlib::TColor> Colors, classlib::TColor C, bool CustomEntry);

// The frame around a swatch of RGB colour C: grey on a light colour, else white when selected,
// else C itself.
classlib::TColor SwatchFrameColor(classlib::TColor C, bool Selected);
// The margin a box Height pixels high keeps: at most half the height.
inline int ClampedMargin(int Value, int Height) { return Value < Height / 2 ? Value : Height / 2; }

}  // namespace skin
