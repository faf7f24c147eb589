#include "skin/controls/sColorBoxRules.h"

namespace skin {

namespace {

constexpr std::size_t kStandardCount = 16;
constexpr std::size_t kExtendedCount = 4;

bool IsUpper(wchar_t c) { return c >= L'A' && c <= L'Z'; }

}  // namespace

std::wstring PrettyColorName(std::wstring_view Ident) {
  if (Ident.starts_with(L"cl")) Ident.remove_prefix(2);
  std::wstring name;
  for (std::size_t i = 0; i < Ident.size(); ++i) {
    if (i > 0 && IsUpper(Ident[i]) && Ident[i - 1] != L'3') name += L' ';
    name += Ident[i];
  }
  return name;
}

std::vector<TNamedColor> StyleColors(TColorIdentTable Table, TsColorBoxStyle Style) {
  std::vector<TNamedColor> colors;
  for (std::size_t i = 0; i < Table.size(); ++i) {
    const auto& [ident, value] = Table[i];
    const auto color = static_cast<classlib::TColor>(value);
    bool keep;
    if (i < kStandardCount)
      keep = Style.Contains(cbStandardColors);
    else if (i < kStandardCount + kExtendedCount)
      keep = Style.Contains(cbExtendedColors);
    else if (color == classlib::clNone)
      keep = Style.Contains(cbIncludeNone);
    else if (color == classlib::clDefault)
      keep = Style.Contains(cbIncludeDefault);
    else
      keep = Style.Contains(cbSystemColors);
    if (keep) colors.push_back({Style.Contains(cbPrettyNames) ? PrettyColorName(ident) : ident, color});
  }
  return colors;
}

bool SavedColor(std::wstring_view Text, classlib::TColor& Color) {
  if (Text.size() != 6) return false;
  std::uint32_t rgb = 0;
  for (const wchar_t c : Text) {
    std::uint32_t digit;
    if (c >= L'0' && c <= L'9')
      digit = std::uint32_t(c - L'0');
    else if (c >= L'A' && c <= L'F')
      digit = std::uint32_t(c - L'A' + 10);
    else if (c >= L'a' && c <= L'f')
      digit = std::uint32_t(c - L'a' + 10);
    else
      return false;
    rgb = rgb << 4 | digit;
  }
  if (rgb == 0xFFFFFFu) return false;
  // Red, green, blue as written; a colour value keeps red in its low byte.
  Color = static_cast<classlib::TColor>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
  return true;
}

bool ColorBoxEnabled(TsColorBoxStyle Style) {
  return Style.Contains(cbStandardColors) || Style.Contains(cbExtendedColors) || Style.Contains(cbSystemColors) ||
         Style.Contains(cbCustomColor);
}

TColorSelection ColorSelection(std::span<const classlib::TColor> Colors, classlib::TColor C, bool CustomEntry) {
  TColorSelection s;
  for (std::size_t i = 0; i < Colors.size(); ++i)
    if (Colors[i] == C) {
      s.Index = static_cast<int>(i);
      break;
    }
  if (s.Index == -1 && CustomEntry && C != kNoColorSelected && !Colors.empty()) {
    s.CustomTakesColor = true;
    s.Index = 0;
  }
  if (C == classlib::clBlack && CustomEntry && s.Index == 0 && !s.CustomTakesColor) {
    // The custom entry holds black, but the list's own black is the one meant.
    for (std::size_t i = 1; i < Colors.size(); ++i)
      if (Colors[i] == classlib::clBlack) {
        s.Index = static_cast<int>(i);
        break;
      }
  }
  return s;
}

classlib::TColor SwatchFrameColor(classlib::TColor C, bool Selected) {
  const int r = C & 0xFF, g = C >> 8 & 0xFF, b = C >> 16 & 0xFF;
  if (r > 128 || g > 128 || b > 128) return 0x808080;
  return Selected ? classlib::clWhite : C;
}

}  // namespace skin
