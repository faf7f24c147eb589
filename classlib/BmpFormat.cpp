#include "classlib/BmpFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>

#include "classlib/CheckedSize.h"
#include "classlib/GraphicsErrors.h"
#include "classlib/LittleEndian.h"

namespace classlib::bmp {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::uint32_t kBiAlphaBitFields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxHeaderSize = 1024;
constexpr std::uint32_t kMaxColourTable = 1u << 16;

[[noreturn]] void Fail(const wchar_t* what) { throw EInvalidGraphic(std::wstring(L"Invalid bitmap: ") + what); }

// Little-endian reads that are only made after the caller checked the range.
using le::Put16;
using le::Put32;
using le::U16;
using le::U32;

struct Header {
  std::size_t size = 0;  // of the bitmap header itself
  bool core = false;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t sizeImage = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t masks[4] = {};  // red, green, blue, alpha
  bool hasMasks = false;
};

// One bit-field channel scaled to 8 bits; narrow channels through a table.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  std::array<std::uint8_t, 128> table{};
  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = 32 - std::countl_zero(m) - shift;
    if (bits < 8) {
      const std::uint32_t max = (1u << bits) - 1;
      for (std::uint32_t v = 0; v <= max; ++v) table[v] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
  }
  std::uint8_t Get(std::uint32_t px) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (px & mask) >> shift;
    return bits >= 8 ? static_cast<std::uint8_t>(v >> (bits - 8)) : table[v];
  }
};

// Reads the bitmap header at `at` and returns it with `at` moved past it and past the masks
// that follow a plain info header.
Header ReadHeader(std::span<const std::uint8_t> data, std::size_t& at) {
  if (data.size() < at + 4) Fail(L"the header is truncated");
  Header h;
  h.size = U32(&data[at]);
  if (h.size != kCoreHeaderSize && (h.size < 16 || h.size > kMaxHeaderSize)) Fail(L"unknown header size");
  if (data.size() - at < h.size) Fail(L"the header is truncated");
  const std::uint8_t* p = &data[at];
  if (h.size == kCoreHeaderSize) {
    h.core = true;
    h.width = U16(p + 4);
    h.height = U16(p + 6);
    h.bitCount = U16(p + 10);
  } else {
    // OS/2 2.x headers shorter than 40 bytes end early; the missing fields are zero.
    std::uint8_t info[kInfoHeaderSize] = {};
    std::memcpy(info, p, std::min(h.size, kInfoHeaderSize));
    h.width = static_cast<std::int32_t>(U32(info + 4));
    h.height = static_cast<std::int32_t>(U32(info + 8));
    h.bitCount = U16(info + 14);
    h.compression = U32(info + 16);
    h.sizeImage = U32(info + 20);
    h.colorsUsed = U32(info + 32);
  }
  at += h.size;
  if (h.compression == kBiBitFields || h.compression == kBiAlphaBitFields) {
    const int count = h.compression == kBiAlphaBitFields ? 4 : 3;
    if (h.size >= kInfoHeaderSize + 4 * count) {
      for (int i = 0; i < 4 && kInfoHeaderSize + 4 * i + 4 <= h.size; ++i) h.masks[i] = U32(p + 40 + 4 * i);
    } else {
      if (data.size() - at < 4u * count) Fail(L"the colour masks are truncated");
      for (int i = 0; i < count; ++i) h.masks[i] = U32(&data[at + 4 * i]);
      at += 4u * count;
    }
    h.hasMasks = true;
  }
  return h;
}

void Validate(const Header& h) {
  if (h.width <= 0 || h.height == 0) Fail(L"empty or negative size");
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (!CheckedPixelCount(h.width, rows, kMaxPixels, kMaxDimension)) Fail(L"the picture is too large");
  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: Fail(L"unsupported number of bits per pixel");
  }
  switch (h.compression) {
    case kBiRgb: break;
    case kBiRle8:
      if (h.bitCount != 8 || h.height < 0) Fail(L"bad RLE8 header");
      break;
    case kBiRle4:
      if (h.bitCount != 4 || h.height < 0) Fail(L"bad RLE4 header");
      break;
    case kBiBitFields:
    case kBiAlphaBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) Fail(L"bit fields need 16 or 32 bits per pixel");
      break;
    default: Fail(L"unsupported compression");
  }
}

// Decodes RLE8 or RLE4 into bottom-up rows of indices; pixels outside the picture are dropped
// and a stream that ends early leaves the rest at index 0.
void DecodeRle(std::span<const std::uint8_t> src, Dib& dib, bool four) {
  const std::size_t stride = dib.Stride();
  auto put = [&](std::int64_t x, std::int64_t y, std::uint8_t index) {
    if (x < 0 || y < 0 || x >= dib.Width || y >= dib.Height) return;
    std::uint8_t* row = &dib.Bits[static_cast<std::size_t>(y) * stride];
    if (four) {
      std::uint8_t& b = row[x / 2];
      b = (x % 2) ? static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F))
                  : static_cast<std::uint8_t>((b & 0x0F) | (index << 4));
    } else {
      row[x] = index;
    }
  };
  std::int64_t x = 0, y = 0;
  std::size_t i = 0;
  while (i + 2 <= src.size() && y < dib.Height) {
    const std::uint8_t count = src[i], value = src[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k, ++x) put(x, y, four ? ((k % 2) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // move right and up
      if (i + 2 > src.size()) break;
      x += src[i];
      y += src[i + 1];
      i += 2;
    } else {  // literal run, padded to a 16-bit boundary
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (src.size() - i < bytes) break;
      for (int k = 0; k < value; ++k, ++x)
        put(x, y, four ? ((k % 2) ? src[i + k / 2] & 0x0F : src[i + k / 2] >> 4) : src[i + k]);
      i += bytes + (bytes & 1);
    }
  }
}

// A file's header, colour table and where its pixels begin, all checked.
struct Layout {
  Header h;
  int width = 0;
  int height = 0;
  bool topDown = false;
  std::vector<std::uint32_t> palette;  // 1 << bitCount entries for indexed pictures
  std::span<const std::uint8_t> pixels;

  bool Rle() const { return h.compression == kBiRle8 || h.compression == kBiRle4; }
  // Rows GDI takes as they are stored; 32-bit pixels keep their fourth byte as stored, which
  // 32-bit pictures with alpha rely on.
  bool RowsAsStored() const {
    if (Rle()) return false;
    if (h.bitCount <= 8 || h.bitCount == 24) return true;
    return h.bitCount == 32 && (!h.hasMasks || (h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF &&
                                                (h.masks[3] == 0 || h.masks[3] == 0xFF000000)));
  }
  std::size_t SourceStride() const { return Dib::StrideOf(width, h.bitCount); }
};

Layout ReadLayout(std::span<const std::uint8_t> data, std::size_t headerAt, std::size_t bitsAt, bool bitsAtKnown) {
  std::size_t at = headerAt;
  Layout l;
  l.h = ReadHeader(data, at);
  const Header& h = l.h;
  Validate(h);
  l.width = static_cast<int>(h.width);
  l.height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  l.topDown = h.height < 0;

  // Colour table: indexed pictures use it; others may carry one for palette devices, skipped.
  const std::size_t entry = h.core ? 3 : 4;
  std::uint32_t tableCount = h.colorsUsed;
  if (h.bitCount <= 8 && (tableCount == 0 || h.core)) tableCount = 1u << h.bitCount;
  if (tableCount > kMaxColourTable) Fail(L"the colour table is too large");
  if (data.size() - at < tableCount * entry) Fail(L"the colour table is truncated");
  if (h.bitCount <= 8) {
    l.palette.assign(std::size_t{1} << h.bitCount, 0);
    const std::uint32_t used = std::min<std::uint32_t>(tableCount, 1u << h.bitCount);
    for (std::uint32_t c = 0; c < used; ++c) {
      const std::uint8_t* q = &data[at + c * entry];
      l.palette[c] = static_cast<std::uint32_t>(q[0]) | (static_cast<std::uint32_t>(q[1]) << 8) |
                     (static_cast<std::uint32_t>(q[2]) << 16);
    }
  }
  at += tableCount * entry;
  if (!bitsAtKnown) bitsAt = at;
  if (bitsAt > data.size()) Fail(L"the pixel offset is past the end");
  l.pixels = data.subspan(bitsAt);
  if (!l.Rle() && l.pixels.size() / l.SourceStride() < static_cast<std::size_t>(l.height))
    Fail(L"the pixel data is truncated");
  return l;
}

DibView ViewOfLayout(Layout& l) {
  DibView v;
  v.Width = l.width;
  v.Height = l.height;
  v.BitCount = l.h.bitCount;
  v.Palette = std::move(l.palette);
  v.Bits = l.pixels.data();
  v.TopDown = l.topDown;
  return v;
}

Dib Decode(std::span<const std::uint8_t> data, std::size_t headerAt, std::size_t bitsAt, bool bitsAtKnown) {
  Layout l = ReadLayout(data, headerAt, bitsAt, bitsAtKnown);
  const Header& h = l.h;
  Dib dib;
  dib.Width = l.width;
  dib.Height = l.height;
  std::span<const std::uint8_t> pixels = l.pixels;

  if (l.Rle()) {
    dib.BitCount = h.bitCount;
    dib.Palette = std::move(l.palette);
    dib.Bits.assign(dib.Stride() * dib.Height, 0);
    if (h.sizeImage != 0 && h.sizeImage < pixels.size()) pixels = pixels.first(h.sizeImage);
    DecodeRle(pixels, dib, h.compression == kBiRle4);
    return dib;
  }

  const std::size_t srcStride = l.SourceStride();
  if (l.RowsAsStored()) {
    DibView view = ViewOfLayout(l);
    dib.BitCount = view.BitCount;
    dib.Palette = std::move(view.Palette);
    dib.Bits.resize(srcStride * dib.Height);
    // Dib rows run bottom-up.
    for (int y = 0; y < dib.Height; ++y)
      std::memcpy(&dib.Bits[(dib.Height - 1 - y) * srcStride], view.Row(y), srcStride);
    return dib;
  }
  const bool topDown = l.topDown;
  auto srcRow = [&](int bottomUpRow) {
    const int stored = topDown ? dib.Height - 1 - bottomUpRow : bottomUpRow;
    return &pixels[static_cast<std::size_t>(stored) * srcStride];
  };

  // 16-bit pictures become 24-bit; 32-bit ones with other masks become standard 32-bit.
  std::uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
  if (!h.hasMasks) {  // 16-bit plain RGB is 5-5-5
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
    masks[3] = 0;
  }
  const Channel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
  dib.BitCount = h.bitCount == 16 ? 24 : 32;
  const std::size_t stride = dib.Stride();
  dib.Bits.assign(stride * dib.Height, 0);
  for (int y = 0; y < dib.Height; ++y) {
    const std::uint8_t* s = srcRow(y);
    std::uint8_t* d = &dib.Bits[y * stride];
    for (int x = 0; x < dib.Width; ++x) {
      const std::uint32_t px = h.bitCount == 16 ? U16(s + 2 * x) : U32(s + 4 * x);
      *d++ = b.Get(px);
      *d++ = g.Get(px);
      *d++ = r.Get(px);
      if (dib.BitCount == 32) *d++ = a.Get(px);
    }
  }
  return dib;
}

}  // namespace

Dib ReadBmpFile(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') Fail(L"not a BMP file");
  const std::uint32_t offBits = U32(&file[10]);
  // A zero offset is written by some tools; the pixels then follow the colour table.
  return Decode(file, kFileHeaderSize, offBits, offBits != 0);
}

Dib ReadPackedDib(std::span<const std::uint8_t> dib) { return Decode(dib, 0, 0, false); }

std::optional<DibView> ViewBmpFile(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') Fail(L"not a BMP file");
  const std::uint32_t offBits = U32(&file[10]);
  Layout l = ReadLayout(file, kFileHeaderSize, offBits, offBits != 0);
  if (!l.RowsAsStored()) return std::nullopt;
  return ViewOfLayout(l);
}

DibView ViewOf(const Dib& dib) {
  DibView v;
  v.Width = dib.Width;
  v.Height = dib.Height;
  v.BitCount = dib.BitCount;
  v.Palette = dib.Palette;
  v.Bits = dib.Bits.data();
  return v;
}

std::vector<std::uint8_t> WriteBmpFile(const Dib& dib) {
  const bool indexed = dib.BitCount == 1 || dib.BitCount == 4 || dib.BitCount == 8;
  if (!indexed && dib.BitCount != 24 && dib.BitCount != 32) Fail(L"cannot write this pixel format");
  if (dib.Width <= 0 || dib.Height <= 0 || dib.Width > kMaxDimension || dib.Height > kMaxDimension)
    Fail(L"cannot write an empty picture");
  const std::size_t stride = dib.Stride();
  if (dib.Bits.size() != stride * dib.Height) Fail(L"the pixel buffer does not match the size");
  const std::size_t colours = indexed ? std::size_t{1} << dib.BitCount : 0;
  if (indexed && dib.Palette.size() > colours) Fail(L"the colour table is too large");
  const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + colours * 4;
  const std::size_t total = offBits + dib.Bits.size();
  if (total > 0xFFFFFFFFu) Fail(L"the picture is too large to write");

  std::vector<std::uint8_t> out;
  out.reserve(total);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(total));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(offBits));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(dib.Width));
  Put32(out, static_cast<std::uint32_t>(dib.Height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(dib.BitCount));
  Put32(out, kBiRgb);
  Put32(out, static_cast<std::uint32_t>(dib.Bits.size()));
  Put32(out, 3780);  // 96 dots per inch
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(colours));
  Put32(out, 0);
  for (std::size_t c = 0; c < colours; ++c) Put32(out, c < dib.Palette.size() ? dib.Palette[c] & 0xFFFFFF : 0);
  out.insert(out.end(), dib.Bits.begin(), dib.Bits.end());
  return out;
}

}  // namespace classlib::bmp
