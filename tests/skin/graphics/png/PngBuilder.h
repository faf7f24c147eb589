#pragma once
// Builds PNG files for tests: chunks with correct or deliberately wrong CRCs, and image data
// from plain samples (any colour type and depth, Adam7 or not, a chosen filter per row).
#include <zlib.h>

#include <algorithm>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace png_test {

using Bytes = std::vector<std::uint8_t>;

inline void Put32(Bytes& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}
inline void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

inline Bytes Signature() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

// One chunk: length, type, data, CRC (spoiled when asked).
inline Bytes Chunk(const std::string& type, const Bytes& data, bool badCrc = false) {
  Bytes out;
  Put32(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
  Put32(out, static_cast<std::uint32_t>(crc) ^ (badCrc ? 1u : 0u));
  return out;
}

inline Bytes IHDR(std::uint32_t width, std::uint32_t height, int depth, int colorType, int interlace = 0,
                  int compression = 0) {
  Bytes d;
  Put32(d, width);
  Put32(d, height);
  d.push_back(static_cast<std::uint8_t>(depth));
  d.push_back(static_cast<std::uint8_t>(colorType));
  d.push_back(static_cast<std::uint8_t>(compression));
  d.push_back(0);
  d.push_back(static_cast<std::uint8_t>(interlace));
  return Chunk("IHDR", d);
}

inline Bytes Deflate(const Bytes& raw, int level = 6) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level) != Z_OK) std::abort();
  out.resize(size);
  return out;
}

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

inline int Channels(int colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

// An image as plain samples: Channels(colorType) values per pixel, row by row.
struct Picture {
  int width = 0, height = 0, depth = 8, colorType = 0;
  std::vector<std::uint16_t> samples;
  std::uint16_t& At(int x, int y, int c) {
    return samples[(static_cast<std::size_t>(y) * width + x) * Channels(colorType) + c];
  }
  std::uint16_t At(int x, int y, int c) const {
    return samples[(static_cast<std::size_t>(y) * width + x) * Channels(colorType) + c];
  }
};

// Deterministic pseudo-random samples within the depth.
inline Picture RandomPicture(int width, int height, int depth, int colorType, unsigned seed) {
  Picture p{width, height, depth, colorType, {}};
  p.samples.resize(static_cast<std::size_t>(width) * height * Channels(colorType));
  std::uint32_t state = seed * 2654435761u + 1;
  const std::uint32_t highest = depth == 16 ? 0xFFFF : (1u << depth) - 1;
  for (auto& s : p.samples) {
    state = state * 1664525u + 1013904223u;
    s = static_cast<std::uint16_t>((state >> 8) % (highest + 1));
  }
  return p;
}

// Packs the pixels [x0, x0 + step, ...) of row y into PNG row bytes (no filter byte).
inline Bytes PackRow(const Picture& p, int y, int x0, int step) {
  Bytes row;
  const int channels = Channels(p.colorType);
  unsigned acc = 0, bits = 0;
  for (int x = x0; x < p.width; x += step) {
    for (int c = 0; c < channels; ++c) {
      const unsigned v = p.At(x, y, c);
      if (p.depth == 16) {
        Put16(row, v);
      } else if (p.depth == 8) {
        row.push_back(static_cast<std::uint8_t>(v));
      } else {
        acc = (acc << p.depth) | v;
        bits += static_cast<unsigned>(p.depth);
        if (bits == 8) {
          row.push_back(static_cast<std::uint8_t>(acc));
          acc = bits = 0;
        }
      }
    }
  }
  if (bits > 0) row.push_back(static_cast<std::uint8_t>(acc << (8 - bits)));
  return row;
}

inline int PaethPredict(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  if (pa <= pb && pa <= pc) return a;
  if (pb <= pc) return b;
  return c;
}

// The filter byte and filtered bytes of one row.
inline Bytes FilterRow(const Bytes& row, const Bytes& prev, int filter, int bpp) {
  Bytes out{static_cast<std::uint8_t>(filter)};
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int a = i >= static_cast<std::size_t>(bpp) ? row[i - bpp] : 0;
    const int b = prev.empty() ? 0 : prev[i];
    const int c = (i >= static_cast<std::size_t>(bpp) && !prev.empty()) ? prev[i - bpp] : 0;
    int pred = 0;
    switch (filter) {
      case 1: pred = a; break;
      case 2: pred = b; break;
      case 3: pred = (a + b) / 2; break;
      case 4: pred = PaethPredict(a, b, c); break;
      default: break;
    }
    out.push_back(static_cast<std::uint8_t>(row[i] - pred));
  }
  return out;
}

// The uncompressed image data: rows with filters taken in turn from `filters`.
inline Bytes RawImageData(const Picture& p, bool adam7, const std::vector<int>& filters = {0}) {
  const int bpp = std::max(1, Channels(p.colorType) * p.depth / 8);
  Bytes raw;
  std::size_t n = 0;
  auto emitPass = [&](int y0, int x0, int dy, int dx) {
    Bytes prev;
    for (int y = y0; y < p.height; y += dy) {
      const Bytes row = PackRow(p, y, x0, dx);
      if (row.empty()) return;
      Append(raw, FilterRow(row, prev, filters[n++ % filters.size()], bpp));
      prev = row;
    }
  };
  if (!adam7) {
    emitPass(0, 0, 1, 1);
  } else {
    const int passes[7][4] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                              {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    for (const auto& q : passes) emitPass(q[0], q[1], q[2], q[3]);
  }
  return raw;
}

// A whole file: IHDR, the extra chunks given before the image data, IDAT (split into pieces of
// `idatPiece` bytes when not 0), IEND.
inline Bytes MakePng(const Picture& p, bool adam7, const Bytes& beforeData = {}, const std::vector<int>& filters = {0},
                     std::size_t idatPiece = 0) {
  Bytes file = Signature();
  Append(file, IHDR(static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height), p.depth, p.colorType,
                    adam7 ? 1 : 0));
  Append(file, beforeData);
  const Bytes z = Deflate(RawImageData(p, adam7, filters));
  if (idatPiece == 0) idatPiece = z.size();
  for (std::size_t at = 0; at < z.size(); at += idatPiece)
    Append(file, Chunk("IDAT", Bytes(z.begin() + static_cast<std::ptrdiff_t>(at),
                                     z.begin() + static_cast<std::ptrdiff_t>(std::min(z.size(), at + idatPiece)))));
  Append(file, Chunk("IEND", {}));
  return file;
}

}  // namespace png_test
