#include "skin/graphics/acAlphaImageCore.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "skin/graphics/PngChunks.h"

namespace skin {

bool HaveMagic(std::span<const std::uint8_t> head, std::uint64_t fileSize, std::span<const std::uint8_t> magic) {
  const std::size_t count = std::min<std::size_t>(magic.size(), 8);
  if (fileSize <= count || head.size() < count) return false;
  return std::memcmp(head.data(), magic.data(), count) == 0;
}

std::optional<TsImageFormat> DetectImageFormat(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                                               std::wstring_view fileName) {
  if (HaveMagic(head, fileSize, PNGMagic)) return ifPNG;
  static constexpr std::uint8_t kIcoMagic[] = {0, 0};
  const std::size_t dot = fileName.rfind(L'.');
  std::wstring ext;
  if (dot != std::wstring_view::npos)
    for (wchar_t c : fileName.substr(dot + 1)) ext += static_cast<wchar_t>(std::towlower(c));
  if (ext == L"ico" && HaveMagic(head, fileSize, kIcoMagic)) return ifICO;
  return std::nullopt;
}

TGlyphCell GlyphCell(int width, int height, int state, int numGlyphs) {
  numGlyphs = std::max(numGlyphs, 1);
  state = std::clamp(state, 0, numGlyphs - 1);
  const int cw = std::max(width, 0) / numGlyphs;
  const int h = std::max(height, 0);
  return {TRect{state * cw, 0, state * cw + cw, h}, TSize{cw, h}};
}

void FixOpacity(const TImage32View& img) {
  if (img.Empty()) return;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y).A != 0) return;
  const TsColor_ bg = img.At(0, img.Height - 1);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      TsColor_& p = img.At(x, y);
      if (p.B != bg.B || p.G != bg.G || p.R != bg.R) p.A = 255;
    }
}

}  // namespace skin
