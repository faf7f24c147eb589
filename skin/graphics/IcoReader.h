#pragma once
// Icon files (".ico") read into 32-bit pictures with straight alpha. The file is outside data:
// every directory entry, header, palette and row is bounds-checked before it is read, and a
// fault raises the component library's graphic errors. PNG-compressed entries go through the
// PNG reader. Portable.
#include <cstdint>
#include <span>

#include "skin/graphics/Image32.h"

namespace skin {

// An icon file starts with reserved 0 and type 1 (00 00 01 00).
bool IsIcoFile(std::span<const std::uint8_t> data);

// The entry of the file closest to Width x Height (an exact size first, else the largest picture,
// deeper colour breaking ties) decoded top-down with straight alpha: 32-bit entries keep their
// alpha (or take the AND mask when every alpha byte is 0), others are opaque where the AND mask
// is clear. Raises EInvalidGraphic for what is not an icon or uses a format icons do not have,
// EReadError for data that ends early.
TBitmap32 ReadIco(std::span<const std::uint8_t> data, int width, int height);

// The colour depth of the entry ReadIco would pick (32 for a PNG entry), without decoding it.
int IcoEntryBitCount(std::span<const std::uint8_t> data, int width, int height);

}  // namespace skin
