// The skinning engine's command-line switches: "/acver" shows the engine's version once before the
// main window, "/actest" tells about a skin older than version 7 in the skin directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// What a message box of the process says when one comes within `limit`, else "".
std::wstring AnswerBox(DWORD pid, const std::wstring& part, std::chrono::milliseconds limit) {
  HWND box = e2e::WaitForBox(pid, part, limit);
  if (box == nullptr) return {};
  const std::wstring text = uidriver::MessageBoxText(box);
  uidriver::AnswerMessageBox(box);
  return text;
}

TEST(Switches, VersionSwitchInAnyCaseShowsTheVersionOnceThenTheMainWindow) {
  std::wstring shown;
  e2e::Tarvisel app([&](DWORD pid) { shown = AnswerBox(pid, L"", e2e::kStartLimit); }, L"/ACVER /acver");
  EXPECT_EQ(shown, L"DezuvEzizared v7.56");
  ASSERT_NE(app.Main(), nullptr) << "a second box would hold the main window back";
  EXPECT_EQ(uidriver::FindMessageBox(app.Pid()), nullptr);
  EXPECT_TRUE(app.Close());
}

// Our skin as a folder c:\Skins\Tarvisel of the test prefix, written as version 6; removed again
// with whatever the test made.
class OldSkinFolder {
 public:
  OldSkinFolder() {
    const bool skinsExisted = fs::exists(kSkins);
    EXPECT_FALSE(fs::exists(kSkins / L"Tarvisel")) << "c:\\Skins\\Tarvisel is left over in the test prefix";
    createdSkins_ = !skinsExisted;
    const fs::path folder = kSkins / L"Tarvisel";
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(Committed())) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      if (entry.path().filename() == L"Options.dat") {
        const auto at = bytes.find("VERSION=7.56");
        EXPECT_NE(at, std::string::npos) << "the committed skin names no version 7.56";
        if (at != std::string::npos) bytes.replace(at, 12, "VERSION=6");
      }
      std::ofstream(folder / entry.path().filename(), std::ios::binary) << bytes;
    }
  }
  ~OldSkinFolder() {
    std::error_code ignored;
    fs::remove_all(createdSkins_ ? kSkins : kSkins / L"Tarvisel", ignored);
  }

 private:
  // The committed skin folder, through Wine's mapping of the build machine's root.
  static fs::path Committed() {
    std::wstring path = L"Z:" + fs::path(TARVISEL_SKIN_RESOURCES "/Tarvisel").wstring();
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    return path;
  }
  inline static const fs::path kSkins = L"c:\\Skins";
  bool createdSkins_ = false;
};

TEST(Switches, TestSwitchTellsAboutAnOldSkinInTheSkinDirectory) {
  const OldSkinFolder folder;
  std::wstring shown;
  e2e::Tarvisel app([&](DWORD pid) { shown = AnswerBox(pid, L"", e2e::kStartLimit); }, L"/actest");
  EXPECT_NE(shown.find(L"You are using an old version of the \"Tarvisel\" skin."), std::wstring::npos) << shown;
  ASSERT_NE(app.Main(), nullptr);
  EXPECT_TRUE(app.Close());
}

TEST(Switches, WithoutTheSwitchOrWithoutAnOldSkinNothingIsTold) {
  {
    const OldSkinFolder folder;
    e2e::Tarvisel app;
    ASSERT_NE(app.Main(), nullptr) << "a box held the main window back";
    EXPECT_EQ(uidriver::FindMessageBox(app.Pid()), nullptr);
    EXPECT_TRUE(app.Close());
  }
  e2e::Tarvisel app({}, L"/actest");
  ASSERT_NE(app.Main(), nullptr) << "a box held the main window back";
  EXPECT_EQ(uidriver::FindMessageBox(app.Pid()), nullptr);
  EXPECT_TRUE(app.Close());
}

}  // namespace
