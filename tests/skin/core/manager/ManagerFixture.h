#pragma once
// Shared ground of the skin manager's window tests: our committed skin, a skin directory beside
// the test program, a form that counts the skin commands it receives, recorded message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/core/OurSkinFile.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::testing {

using namespace classlib;
namespace fs = std::filesystem;

// A skin directory beside the test program, so that a relative SkinDirectory names it.
struct SkinFolder {
  std::wstring relative = L".\\manager-test-skins";
  fs::path path = fs::path(ProgramFolder()) / L"manager-test-skins";
  SkinFolder() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~SkinFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

// A form of the application that counts the skin commands it receives.
class TCountingForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<unsigned> commands;
  int Count(unsigned command) const { return static_cast<int>(std::count(commands.begin(), commands.end(), command)); }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      commands.push_back(CommandOf(m.WParam));
      return;
    }
    TForm::WndProc(m);
  }
};

// Message boxes are recorded, not shown.
struct BoxRecorder {
  std::vector<std::wstring> texts;
  TMessageBoxFunction previous;
  BoxRecorder() {
    previous = SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      texts.push_back(text);
      return IDOK;
    });
  }
  ~BoxRecorder() { SetMessageBoxFunction(previous); }
};

// A form of the application that counts skin commands, and a manager whose skin directory is a
// fresh folder beside the test program.
struct ManagerOnAForm : ::testing::Test {
  SkinFolder folder;
  BoxRecorder boxes;
  Owned<TCountingForm> form{Create<TCountingForm>(Application)};
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  void SetUp() override {
    form->SetBounds(40, 40, 200, 100);
    form->Handle();
    manager->SetSkinDirectory(folder.relative);
  }
};

}  // namespace skin::testing
