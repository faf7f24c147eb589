#include "skin/core/acImageValue.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "skin/core/acSkinIni.h"

namespace skin {
namespace {

constexpr int kFillModeCount = static_cast<int>(acFillModes.size());

std::vector<std::string_view> Words(std::string_view s, std::string_view delimiters) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && delimiters.find(s[i]) != std::string_view::npos) ++i;
    const std::size_t start = i;
    while (i < s.size() && delimiters.find(s[i]) == std::string_view::npos) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// Words that are not numbers count as 0.
int Lenient(const std::vector<std::string_view>& words, std::size_t n, int missing = 0) {
  if (n > words.size()) return missing;
  int v = 0;
  return ParseSkinInteger(words[n - 1], v) ? v : 0;
}

std::string Quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s.substr(0, 32)) out.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
  return out + (s.size() > 32 ? "...\"" : "\"");
}

// A fixed-width number field (column 1-based); false with the reason when it is not a number.
bool Column(std::string_view value, int column, int width, const char* what, int& out, std::string& error) {
  const std::size_t at = static_cast<std::size_t>(column - 1);
  const std::string_view field =
      at < value.size() ? value.substr(at, static_cast<std::size_t>(width)) : std::string_view{};
  if (!ParseSkinInteger(field, out)) {
    error = std::string(what) + " at column " + std::to_string(column) + " is " +
            (field.empty() ? std::string("missing") : Quoted(field) + ", not a number");
    return false;
  }
  return true;
}

void ParseOwnFile(std::string_view value, TacImageSpec& s) {
  const auto words = Words(value, "!");
  if (words.empty()) return;
  const std::string_view file = words[0];
  if (file.find(".BMP") != std::string_view::npos)
    s.Png = false;
  else if (file.find(".PNG") != std::string_view::npos)
    s.Png = true;
  else
    return;  // not an image of this form
  s.Form = TacImageForm::OwnFile;
  s.FileName = std::string(file);
  s.WholeBitmap = true;
  s.ImageCount = Lenient(words, 2);
  s.MaskType = Lenient(words, 3);
  s.ImgType = std::min(Lenient(words, 4), 4);
  if (words.size() < 5) {
    s.Margins = TacMarginRule::Derive;
  } else {
    s.Margins = TacMarginRule::Given;
    s.WL = Lenient(words, 5);
    s.WT = Lenient(words, 6);
    s.WR = Lenient(words, 7);
    s.WB = Lenient(words, 8);
  }
  s.DrawMode = words.size() < 9 ? 1 : Lenient(words, 9);
  if (s.ImgType < 0) s.Error = "image type " + std::to_string(s.ImgType) + " is below 0";
}

void ParseMasterRect(std::string_view value, TacImageSpec& s) {
  int l = 0, t = 0, r = 0, b = 0;
  std::string& e = s.Error;
  if (!Column(value, 2, 4, "left", l, e) || !Column(value, 7, 4, "top", t, e) || !Column(value, 12, 4, "right", r, e) ||
      !Column(value, 17, 4, "bottom", b, e))
    return;
  s.R = {l, t, r, b};
  switch (s.Form) {
    case TacImageForm::Glyph:
      s.ImgType = static_cast<int>(TacImgType::itisaGlyph);
      s.DrawMode = 0;
      Column(value, 22, 1, "image count", s.ImageCount, e) && Column(value, 24, 1, "mask type", s.MaskType, e);
      break;
    case TacImageForm::Border:
      s.ImgType = static_cast<int>(TacImgType::itisaBorder);
      s.Margins = TacMarginRule::GivenOrBorder;
      Column(value, 22, 4, "left margin", s.WL, e) && Column(value, 27, 4, "top margin", s.WT, e) &&
          Column(value, 32, 4, "right margin", s.WR, e) && Column(value, 37, 4, "bottom margin", s.WB, e) &&
          Column(value, 42, 1, "image count", s.ImageCount, e) && Column(value, 44, 1, "mask type", s.MaskType, e) &&
          Column(value, 46, 1, "draw mode", s.DrawMode, e) && Column(value, 48, 1, "border width", s.BorderWidth, e);
      break;
    case TacImageForm::Texture:
      s.ImgType = static_cast<int>(TacImgType::itisaTexture);
      s.ImageCount = 1;
      if (Column(value, 22, 2, "draw mode", s.DrawMode, e) && value.size() >= 25)
        Column(value, 25, 1, "mask type", s.MaskType, e);
      break;
    default: break;
  }
}

void ParseOldRect(std::string_view value, TacImageSpec& s) {
  s.Form = TacImageForm::OldRect;
  s.UpperCaseNames = true;
  s.ImgType = static_cast<int>(TacImgType::itisaBorder);
  s.Margins = TacMarginRule::BorderOrDerive;
  const auto groups = Words(value, " ()");
  const auto rect = groups.size() >= 2 ? Words(groups[1], " ,") : std::vector<std::string_view>{};
  const auto counts = groups.size() >= 3 ? Words(groups[2], " ,") : std::vector<std::string_view>{};
  s.R = {Lenient(rect, 1), Lenient(rect, 2), Lenient(rect, 3), Lenient(rect, 4)};
  s.ImageCount = std::max(Lenient(counts, 1), 1);
  s.MaskType = std::max(Lenient(counts, 2), 0);
  s.BorderWidth = 0;
  s.DrawMode = 1;
  if (counts.size() >= 3 && !ParseSkinInteger(counts[2], s.BorderWidth))
    s.Error = "border width " + Quoted(counts[2]) + " is not a number";
  else if (counts.size() >= 4 && !ParseSkinInteger(counts[3], s.DrawMode))
    s.Error = "draw mode " + Quoted(counts[3]) + " is not a number";
  s.BorderWidth = std::max(s.BorderWidth, 0);
}

std::string Num(int v) { return std::to_string(v); }

}  // namespace

TacImageSpec ParseImageValue(std::string_view value) {
  TacImageSpec s;
  if (value.empty()) return s;
  switch (value.front()) {
    case '!': ParseOwnFile(value, s); return s;
    case '@': s.Form = TacImageForm::Glyph; break;
    case '^': s.Form = TacImageForm::Border; break;
    case '~': s.Form = TacImageForm::Texture; break;
    default:
      if (value.find('#') == std::string_view::npos) {
        std::string upper = SkinUpperCase(value);
        if (upper.find(".BMP") == std::string::npos) return s;
        s.Form = TacImageForm::OldBitmap;
        s.FileName = std::move(upper);
        s.UpperCaseNames = true;
        s.WholeBitmap = true;
        s.ImageCount = 3;
        s.MaskType = 1;
        s.DrawMode = 0;
        s.ImgType = static_cast<int>(TacImgType::itisaBorder);
        s.Margins = TacMarginRule::Derive;
      } else if (value != "#") {
        ParseOldRect(value, s);
      }
      return s;
  }
  ParseMasterRect(value, s);
  return s;
}

std::string FinishImageSpec(TacImageSpec& s, int sourceWidth, int sourceHeight, double version) {
  if (s.Malformed()) return s.Error;
  if (s.WholeBitmap) s.R = {0, 0, sourceWidth, sourceHeight};
  const TRect& r = s.R;
  const auto fail = [&](std::string why) { return s.Error = std::move(why); };

  if (sourceWidth <= 0 || sourceHeight <= 0)
    return fail(s.WholeBitmap ? "the picture is empty" : "the skin has no master bitmap");
  if (r.Left < 0 || r.Top < 0 || r.Left >= r.Right || r.Top >= r.Bottom || r.Right > sourceWidth ||
      r.Bottom > sourceHeight)
    return fail("rectangle (" + Num(r.Left) + ", " + Num(r.Top) + ", " + Num(r.Right) + ", " + Num(r.Bottom) +
                ") does not lie within the master bitmap of " + Num(sourceWidth) + " x " + Num(sourceHeight));
  const int width = r.Right - r.Left;
  const int height = r.Bottom - r.Top;
  // An image of no cells counts as one cell (the border widths repair its count); mask type -1
  // gives cells of no height, whose margins are kept within the rectangle.
  if (s.ImageCount < 0) return fail("image count " + Num(s.ImageCount) + " is below 0");
  const int cells = std::max(s.ImageCount, 1);
  if (cells > width) return fail(Num(cells) + " cells do not fit side by side in " + Num(width) + " pixels");
  if (s.MaskType < -1) return fail("mask type " + Num(s.MaskType) + " is below -1");
  if (s.MaskType >= height)
    return fail("mask type " + Num(s.MaskType) + " leaves no rows for the cells of a picture " + Num(height) + " high");

  const int cellW = width / cells;
  const int cellH = s.MaskType < 0 ? height : height / (s.MaskType + 1);
  bool underived = false;  // margins that would be a third of no cells or of no rows
  const auto derive = [&] {
    if (s.ImageCount == 0 || s.MaskType < 0) {
      underived = true;
      return;
    }
    s.WL = s.WR = width / (s.ImageCount * 3);
    s.WT = s.WB = height / ((s.MaskType + 1) * 3);
  };
  switch (s.Margins) {
    case TacMarginRule::None:
    case TacMarginRule::Given: break;
    case TacMarginRule::Derive: derive(); break;
    case TacMarginRule::BorderOrDerive:
      if (s.BorderWidth != 0)
        s.WL = s.WT = s.WR = s.WB = s.BorderWidth;
      else
        derive();
      break;
    case TacMarginRule::GivenOrBorder:
      if (s.MaskType > 0 && version < 7.4) {
        // Old skins: a one-pixel centre is stretched only when it is one pixel both ways.
        const bool onePixelWide = cellW - s.WL - s.WR == 1;
        if (onePixelWide && cellH - s.WT - s.WB == 1)
          s.DrawMode |= 1;
        else
          s.DrawMode &= ~1;
      }
      if (static_cast<long long>(s.WL) + s.WT + s.WR + s.WB == 0) {
        if (s.BorderWidth != 0)
          s.WL = s.WT = s.WR = s.WB = s.BorderWidth;
        else
          derive();
      }
      break;
  }
  if (underived)
    return fail("margins cannot be derived from " +
                (s.ImageCount == 0 ? std::string("an image count of 0") : std::string("a mask type of -1")) +
                "; write them in the value");
  if (s.DrawMode < 0 || s.DrawMode >= kFillModeCount)
    return fail("draw mode " + Num(s.DrawMode) + " is not one of the modes 0.." + Num(kFillModeCount - 1));
  constexpr int kMax16 = std::numeric_limits<std::int16_t>::max();
  if (s.BorderWidth < 0 || s.BorderWidth > kMax16)
    return fail("border width " + Num(s.BorderWidth) + " is out of range");
  if (s.ImageCount > kMax16 || s.MaskType > kMax16) return fail("image count or mask type is out of range");
  if (s.WL < 0 || s.WR < 0 || s.WL > cellW || s.WR > cellW)
    return fail("side margins " + Num(s.WL) + " and " + Num(s.WR) + " do not fit in a cell " + Num(cellW) + " wide");
  if (s.WT < 0 || s.WB < 0 || s.WT > cellH || s.WB > cellH)
    return fail("top and bottom margins " + Num(s.WT) + " and " + Num(s.WB) + " do not fit in a cell " + Num(cellH) +
                " high");
  if (std::max({s.WL, s.WT, s.WR, s.WB}) > kMax16) return fail("margins are out of range");
  return {};
}

}  // namespace skin
