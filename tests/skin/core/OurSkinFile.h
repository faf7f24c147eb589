#pragma once
// Our committed skin (resources/skin/, TARVISEL_SKIN_RESOURCES) as Windows tests read it: through
// Wine's mapping of the build machine's root.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace skin::testing {

inline std::filesystem::path CommittedSkinFile(const std::filesystem::path& name) {
  std::wstring path = L"Z:" + (std::filesystem::path(TARVISEL_SKIN_RESOURCES) / name).wstring();
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// A whole file's bytes; none when it cannot be read.
inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The committed packed skin, resources/skin/Tarvisel.asz.
inline std::vector<std::uint8_t> OurSkin() { return ReadBytes(CommittedSkinFile(L"Tarvisel.asz")); }

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace skin::testing
