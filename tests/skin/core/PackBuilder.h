#pragma once
// Packed skin containers built byte by byte, including damaged ones.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ZlibFixture.h"

namespace skin::testing {

class PackBuilder {
 public:
  explicit PackBuilder(std::int32_t count) {
    Raw("ASzf");
    Int32(count);
  }
  PackBuilder& Int32(std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes_.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
    return *this;
  }
  PackBuilder& Raw(std::string_view raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    return *this;
  }
  PackBuilder& Raw(const std::vector<std::uint8_t>& raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    return *this;
  }
  // A well-formed entry.
  PackBuilder& Entry(std::string_view name, std::string_view data) {
    return Entry(name, static_cast<std::int32_t>(data.size()), ZlibOf(data));
  }
  // An entry with a stated size and zlib bytes of the caller's choice.
  PackBuilder& Entry(std::string_view name, std::int32_t statedSize, const std::vector<std::uint8_t>& zlib) {
    Int32(static_cast<std::int32_t>(name.size())).Raw(name).Int32(statedSize).Raw(zlib);
    return *this;
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace skin::testing
