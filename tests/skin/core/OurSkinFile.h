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

// The committed packed skin, resources/skin/Tarvisel.asz.
inline std::vector<std::uint8_t> OurSkin() {
  std::ifstream in(CommittedSkinFile(L"Tarvisel.asz"), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace skin::testing
