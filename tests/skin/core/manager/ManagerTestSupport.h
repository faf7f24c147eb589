#pragma once
// What the Wine tests of the skin manager share: the committed skin read from the build machine,
// freeing library objects when a test ends, and a form that counts the skin commands it receives.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sMessages.h"

namespace skintest {

// A file of resources/skin/ (TARVISEL_SKIN_RESOURCES) through Wine's mapping of the build
// machine's root.
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

struct FreeObject {
  void operator()(classlib::TObject* o) const { classlib::Free(o); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

// A form of the application that counts the skin commands it receives.
class TCountingForm : public classlib::TForm {
 public:
  using classlib::TForm::TForm;
  std::vector<unsigned> commands;
  int Count(unsigned command) const { return static_cast<int>(std::count(commands.begin(), commands.end(), command)); }

 protected:
  void WndProc(classlib::TMessage& m) override {
    if (m.Msg == skin::SM_ALPHACMD) {
      commands.push_back(skin::CommandOf(m.WParam));
      return;
    }
    classlib::TForm::WndProc(m);
  }
};

}  // namespace skintest
