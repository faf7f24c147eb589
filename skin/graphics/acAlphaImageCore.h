#pragma once
// The arithmetic of the alpha image list that needs no window: which file format a stored image
// is, which state cell of a glyph strip to draw, and the opacity fix of 32-bit pictures that
// carry no alpha at all. Portable.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "skin/graphics/Image32.h"

namespace skin {

enum TsImageFormat { ifPNG, ifICO };

// PNG when the file holds more than the 8 signature bytes and starts with them; ICO when it
// starts with 00 00 and its name ends in ".ico" (any case). Head is the start of the file (at
// least 8 bytes where the file has them), FileSize its full size.
std::optional<TsImageFormat> DetectImageFormat(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                                               std::wstring_view fileName);
// The file holds more than Count bytes and its first Count (at most 8) equal Magic.
bool HaveMagic(std::span<const std::uint8_t> head, std::uint64_t fileSize, std::span<const std::uint8_t> magic);

// One state cell of a strip of NumGlyphs cells across a list image of Width x Height. NumGlyphs
// below 1 counts as 1 and State is clamped into 0..NumGlyphs - 1, so any caller's values give a
// cell inside the image.
struct TGlyphCell {
  TRect Source;  // inside the image
  TSize Size;    // the cell's width and the image's height
};
TGlyphCell GlyphCell(int width, int height, int state, int numGlyphs);

// A 32-bit picture whose every alpha byte is 0 was made without alpha: the colour of its
// bottom-left pixel is the background, and every pixel of another colour becomes opaque.
// Pictures with any alpha are left alone.
void FixOpacity(const TImage32View& img);

}  // namespace skin
