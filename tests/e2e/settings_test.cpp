// QRX.cfg: the port and the page are restored on start and written on exit; a port chosen in the
// status bar's menu shows the connection image that matches the outcome. The image is read from
// the screen, so this test has a display of its own (with-unit --own-display).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

std::filesystem::path SettingsFile() { return std::filesystem::path(e2e::ProgramFolder()) / L"QRX.cfg"; }

std::string ReadSettings() {
  std::ifstream in(SettingsFile());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Settings, RestoredOnStartWrittenOnExit) {
  {
    std::ofstream out(SettingsFile());
    out << "[CONNECT]\r\nCOM=2\r\n[COMMON]\r\nPageControl1=1\r\n";
  }
  {
    // COM2 is not there: start-up says so once, and the window comes up disconnected on COM2.
    bool told = false;
    e2e::Tarvisel app([&](DWORD pid) {
      HWND box = e2e::WaitForBox(pid, L"ПОРТ НЕДОСТУПЕН", e2e::kStartLimit);
      told = box != nullptr;
      if (box) uidriver::AnswerMessageBox(box);
    });
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_TRUE(told);
    EXPECT_EQ(app.Status(1), L"COM2");
    EXPECT_EQ(uidriver::TabIndex(app.Tabs()), 1);
    EXPECT_TRUE(app.ConnectionImageBecomes(false));
    e2e::Screenshot(app.Main(), L"settings-com2");

    // COM1 from the status bar's menu (the only port there is): connected, and the image says so.
    HWND bar = app.StatusBar();
    uidriver::RightClickAt(bar, POINT{300, 8});
    HWND menu = nullptr;
    if (uidriver::WaitUntil(
            [&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 3s)) {
      std::this_thread::sleep_for(300ms);  // its items drawn
      e2e::Screenshot(menu, L"settings-port-menu");
    }
    ASSERT_TRUE(uidriver::ChoosePopupItem(app.Pid(), 0));
    ASSERT_TRUE(uidriver::WaitUntil([&] { return app.Status(1) == L"COM1"; }, 5s));
    EXPECT_TRUE(app.ConnectionImageBecomes(true));
    EXPECT_EQ(app.PressAndRead(app.InGroup(L"Сменить адрес", L"Button", L"Set Addr")), L"Выполнено, OK");

    // A left click disconnects, another connects again.
    uidriver::ClickAt(bar, POINT{300, 8});
    EXPECT_TRUE(app.ConnectionImageBecomes(false));
    uidriver::ClickAt(bar, POINT{300, 8});
    EXPECT_TRUE(app.ConnectionImageBecomes(true));
    ASSERT_TRUE(app.Close());
  }
  const std::string written = ReadSettings();
  EXPECT_NE(written.find("[CONNECT]"), std::string::npos) << written;
  EXPECT_NE(written.find("COM=1"), std::string::npos) << written;
  EXPECT_NE(written.find("[COMMON]"), std::string::npos) << written;
  EXPECT_NE(written.find("PageControl1=1"), std::string::npos) << written;
  {
    e2e::Tarvisel app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_EQ(uidriver::FindMessageBox(app.Pid()), nullptr);
    EXPECT_EQ(app.Status(1), L"COM1");
    EXPECT_EQ(uidriver::TabIndex(app.Tabs()), 1);
    EXPECT_TRUE(app.ConnectionImageBecomes(true));
    ASSERT_TRUE(app.Close());
  }
}

}  // namespace
