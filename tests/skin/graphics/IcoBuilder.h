#pragma once
// Builds icon files for tests: a directory of entries, each a DIB (header, palette, colour rows and
// AND mask, bottom-up) or a whole PNG file.
#include <cstdint>
#include <vector>

namespace ico_test {

using Bytes = std::vector<std::uint8_t>;

inline void Le16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Le32(Bytes& out, std::uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}

struct Entry {
  int width = 0, height = 0, bitCount = 32;
  Bytes data;  // what the directory entry points at
};

// A DIB entry: Colors one value per pixel, top row first (BGRA for 32 bits, BGR in the low three
// bytes for 24, palette indexes below); Mask one bit per pixel (1: transparent), top row first.
inline Entry Dib(int width, int height, int bitCount, const std::vector<std::uint32_t>& colors,
                 const std::vector<std::uint32_t>& palette = {}, const std::vector<int>& mask = {},
                 bool withMask = true) {
  Entry e{width, height, bitCount, {}};
  Bytes& d = e.data;
  Le32(d, 40);
  Le32(d, static_cast<std::uint32_t>(width));
  Le32(d, static_cast<std::uint32_t>(height * 2));
  Le16(d, 1);
  Le16(d, static_cast<std::uint32_t>(bitCount));
  for (int i = 0; i < 4; ++i) Le32(d, 0);  // compression, image size, resolution
  Le32(d, static_cast<std::uint32_t>(palette.size()));
  Le32(d, 0);
  for (std::uint32_t c : palette) Le32(d, c);
  const int stride = (width * bitCount + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colors[static_cast<std::size_t>(y) * width + x];
      switch (bitCount) {
        case 32:
          for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<std::uint8_t>(c >> (8 * k));
          break;
        case 24:
          for (int k = 0; k < 3; ++k) row[3 * x + k] = static_cast<std::uint8_t>(c >> (8 * k));
          break;
        case 8: row[x] = static_cast<std::uint8_t>(c); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>(c << (x % 2 == 0 ? 4 : 0)); break;
        default: row[x / 8] |= static_cast<std::uint8_t>((c & 1) << (7 - x % 8)); break;
      }
    }
    d.insert(d.end(), row.begin(), row.end());
  }
  if (!withMask) return e;
  const int maskStride = (width + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < width; ++x)
      if (!mask.empty() && mask[static_cast<std::size_t>(y) * width + x]) row[x / 8] |= 1 << (7 - x % 8);
    d.insert(d.end(), row.begin(), row.end());
  }
  return e;
}

inline Entry PngEntry(int width, int height, Bytes png) { return Entry{width, height, 32, std::move(png)}; }

inline Bytes Ico(const std::vector<Entry>& entries) {
  Bytes out;
  Le16(out, 0);
  Le16(out, 1);
  Le16(out, static_cast<std::uint32_t>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const Entry& e : entries) {
    out.push_back(static_cast<std::uint8_t>(e.width >= 256 ? 0 : e.width));
    out.push_back(static_cast<std::uint8_t>(e.height >= 256 ? 0 : e.height));
    out.push_back(0);
    out.push_back(0);
    Le16(out, 1);
    Le16(out, static_cast<std::uint32_t>(e.bitCount));
    Le32(out, static_cast<std::uint32_t>(e.data.size()));
    Le32(out, offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const Entry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

}  // namespace ico_test
