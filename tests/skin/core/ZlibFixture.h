#pragma once
// zlib streams made with zlib itself, so that tests do not check the code with its own output.
#include <zlib.h>

#include "classlib/Streams.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin::testing {

inline std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

inline std::vector<std::uint8_t> ZlibOf(std::string_view data, int level = Z_DEFAULT_COMPRESSION) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                level) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.resize(size);
  return out;
}

// A zlib stream that needs a preset dictionary to be read.
inline std::vector<std::uint8_t> ZlibWithDictionary(std::string_view data, std::string_view dictionary) {
  z_stream zs{};
  deflateInit(&zs, Z_DEFAULT_COMPRESSION);
  deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
  std::vector<std::uint8_t> out(deflateBound(&zs, static_cast<uLong>(data.size())));
  zs.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

inline std::string Unzlib(const std::vector<std::uint8_t>& packed, std::size_t size) {
  std::string out(size, '\0');
  uLongf outSize = static_cast<uLongf>(size);
  if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize, packed.data(), static_cast<uLong>(packed.size())) !=
      Z_OK)
    throw std::runtime_error("uncompress failed");
  out.resize(outSize);
  return out;
}

// Data that deflate cannot shrink much (a linear congruential sequence).
inline std::string NoiseOf(std::size_t size, std::uint32_t seed = 1) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return out;
}

// A memory stream holding `bytes`, positioned at its start.
inline void Fill(classlib::TMemoryStream& stream, const std::vector<std::uint8_t>& bytes) {
  stream.Clear();
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
}

inline std::vector<std::uint8_t> Contents(const classlib::TMemoryStream& stream) {
  const std::uint8_t* data = stream.Memory();
  return std::vector<std::uint8_t>(data, data + const_cast<classlib::TMemoryStream&>(stream).Size());
}

}  // namespace skin::testing
