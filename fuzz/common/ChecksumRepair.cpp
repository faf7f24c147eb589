#include "fuzz/common/ChecksumRepair.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "skin/core/acSkinPack.h"

namespace fuzz {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Get32Be(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
void Put32Be(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}
std::uint32_t Get32Le(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
void Put32Le(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The deflate data after a two-byte zlib header, inflated as far as it decodes. `used` tells how
// many input bytes (header included) the stream took when it ended properly, else 0.
Bytes InflateLeniently(const std::uint8_t* data, std::size_t size, std::size_t limit, std::size_t& used) {
  used = 0;
  Bytes out;
  if (size < 2) return out;
  z_stream zs{};
  if (inflateInit2(&zs, -15) != Z_OK) return out;
  zs.next_in = const_cast<Bytef*>(data + 2);
  zs.avail_in = static_cast<uInt>(size - 2);
  std::uint8_t chunk[16384];
  for (;;) {
    zs.next_out = chunk;
    zs.avail_out = sizeof chunk;
    const int code = inflate(&zs, Z_NO_FLUSH);
    out.insert(out.end(), chunk, chunk + (sizeof chunk - zs.avail_out));
    if (code == Z_STREAM_END) {
      used = 2 + (size - 2 - zs.avail_in);
      break;
    }
    if (code != Z_OK || out.size() > limit) break;
  }
  inflateEnd(&zs);
  if (out.size() > limit) out.resize(limit);
  return out;
}

std::uint32_t Adler(const Bytes& data) {
  return static_cast<std::uint32_t>(adler32(adler32(0, nullptr, 0), data.data(), static_cast<uInt>(data.size())));
}

// A zlib header that zlib accepts (deflate, 32 KiB window, no preset dictionary).
void RepairZlibHeader(std::uint8_t& cmf, std::uint8_t& flg) {
  if ((cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (flg & 0x20) == 0 && (cmf * 256 + flg) % 31 == 0) return;
  cmf = 0x78;
  flg = 0x9C;
}

struct Chunk {
  std::size_t at;  // offset of its length field
  std::uint32_t length;
  bool imageData;
};

}  // namespace

void RepairPng(Bytes& png) {
  if (png.size() < 8 || !std::equal(kPngSignature, kPngSignature + 8, png.begin())) return;
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; png.size() - at >= 12;) {
    const std::uint32_t length = Get32Be(&png[at]);
    if (length > png.size() - at - 12) break;
    chunks.push_back({at, length, std::memcmp(&png[at + 4], "IDAT", 4) == 0});
    at += 12 + length;
  }
  // The image data is one zlib stream cut into IDAT chunks: its header and Adler-32 may lie in any.
  std::vector<std::uint8_t*> stream;
  for (const Chunk& c : chunks)
    if (c.imageData)
      for (std::uint32_t i = 0; i < c.length; ++i) stream.push_back(&png[c.at + 8 + i]);
  if (stream.size() >= 2) {
    RepairZlibHeader(*stream[0], *stream[1]);
    Bytes joined(stream.size());
    for (std::size_t i = 0; i < stream.size(); ++i) joined[i] = *stream[i];
    std::size_t used = 0;
    const Bytes pixels = InflateLeniently(joined.data(), joined.size(), std::size_t{64} << 20, used);
    if (used != 0 && stream.size() - used >= 4) {
      std::uint8_t check[4];
      Put32Be(check, Adler(pixels));
      for (int i = 0; i < 4; ++i) *stream[used + i] = check[i];
    }
  }
  for (const Chunk& c : chunks) {
    const auto crc = crc32(crc32(0, nullptr, 0), &png[c.at + 4], c.length + 4);
    Put32Be(&png[c.at + 8 + c.length], static_cast<std::uint32_t>(crc));
  }
}

Bytes RepackSkin(const Bytes& packed) {
  if (packed.size() < 8 || std::memcmp(packed.data(), skin::kPackedSkinMagic, 4) != 0) return packed;
  const std::uint32_t count = Get32Le(&packed[4]);
  std::vector<std::pair<Bytes, Bytes>> entries;  // name, contents
  std::size_t at = 8;
  for (std::uint32_t i = 0; i < count && i < 4096; ++i) {
    if (packed.size() - at < 4) break;
    const std::uint32_t nameLength = Get32Le(&packed[at]);
    if (nameLength == 0 || nameLength > 1024 || packed.size() - at - 4 < std::size_t{nameLength} + 4) break;
    Bytes name(packed.begin() + static_cast<std::ptrdiff_t>(at + 4),
               packed.begin() + static_cast<std::ptrdiff_t>(at + 4 + nameLength));
    at += 4 + nameLength + 4;  // the stated size is replaced by the real one
    std::size_t used = 0;
    Bytes contents = InflateLeniently(&packed[at], packed.size() - at, std::size_t{8} << 20, used);
    RepairPng(contents);
    entries.emplace_back(std::move(name), std::move(contents));
    // A stream that did not end takes the rest: there is no telling where the next entry starts.
    at = used ? at + used + 4 : packed.size();
    if (at > packed.size()) at = packed.size();
  }
  Bytes out(skin::kPackedSkinMagic, skin::kPackedSkinMagic + 4);
  Put32Le(out, static_cast<std::uint32_t>(entries.size()));
  for (const auto& [name, contents] : entries) {
    Put32Le(out, static_cast<std::uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    Put32Le(out, static_cast<std::uint32_t>(contents.size()));
    uLongf length = compressBound(static_cast<uLong>(contents.size()));
    Bytes deflated(length);
    if (compress2(deflated.data(), &length, contents.data(), static_cast<uLong>(contents.size()), Z_NO_COMPRESSION) !=
        Z_OK)
      return packed;
    out.insert(out.end(), deflated.begin(), deflated.begin() + static_cast<std::ptrdiff_t>(length));
  }
  return out;
}

}  // namespace fuzz
