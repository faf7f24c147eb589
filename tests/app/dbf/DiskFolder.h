#pragma once
// A temporary folder for one test and the few looks at the disk that the dBASE tests take.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/skin/core/TempDir.h"

namespace dbf_test {

// A fresh folder for one test, removed with everything in it at the end.
class DiskFolder : public skin::testing::TempDir {
 public:
  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The path as the program holds it. Linux paths are UTF-8 bytes, and the library converts wide
// ones through the C locale, which knows no Cyrillic in a test run: decode them here.
// A template, so that only the branch of this build's path type is compiled.
template <typename Path = std::filesystem::path>
std::wstring Wide(const Path& path) {
  if constexpr (std::is_same_v<typename Path::value_type, wchar_t>) {
    return path.native();
  } else {
    const std::string& s = path.native();
    std::wstring out;
    for (std::size_t i = 0; i < s.size();) {
      const unsigned char c = static_cast<unsigned char>(s[i]);
      const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
      char32_t code = extra == 0 ? c : c & (0x3F >> extra);
      for (int k = 1; k <= extra && i + k < s.size(); ++k) code = code << 6 | (s[i + k] & 0x3F);
      out += static_cast<wchar_t>(code);
      i += 1 + extra;
    }
    return out;
  }
}

}  // namespace dbf_test
