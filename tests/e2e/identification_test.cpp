// The identification buttons of the configuration page against the simulated unit: each shows the
// unit's value, the raw reply exactly as the unit sent it, and "Выполнено, OK".
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "skin/core/sMessages.h"
#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kGroup = L"Версия и копирайт";

// The last answer in the simulator's log, as the raw-reply field shows it (hex without blanks).
std::wstring LastAnswerHex() {
  const std::string log = e2e::SimulatorLog();
  const auto tx = log.rfind("TX ");
  if (tx == std::string::npos) return {};
  std::string line = log.substr(tx + 3, log.find('\n', tx) - tx - 3);
  line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
  return std::wstring(line.begin(), line.end());
}

TEST(Identification, EachButtonShowsTheUnitsValueAndItsRawReply) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  const struct {
    const wchar_t* button;
    int field;
    const wchar_t* value;
    const char* request;
  } cases[] = {
      {L"Get Rev", 0, L"Rev 2.05", "01 03 00 02 00 01"},
      {L"Get CopyR", 1, L"(C) 2011 KT.8 unit", "01 03 00 00 00 0A"},
      // The year byte counts from 2000 and shows with four digits.
      {L"Get Rev Date", 2, L"28.12.2011", "01 03 00 03 00 02"},
      {L"Get Dev Code", 3, L"8-1", "01 03 00 01 00 01"},
      {L"Get Rev ASCII", 4, L"KT.8 v2.05", "01 03 00 AA 00 05"},
  };
  HWND dump = app.InGroup(L"Тест", L"Edit");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.button)));
    HWND button = app.InGroup(kGroup, L"Button", c.button);
    EXPECT_EQ(app.PressAndRead(button), L"Выполнено, OK");
    EXPECT_EQ(uidriver::TextOf(app.InGroup(kGroup, L"Edit", L"", c.field)), c.value);
    EXPECT_TRUE(e2e::SimulatorReceived(c.request));
    EXPECT_EQ(uidriver::TextOf(dump), LastAnswerHex());
  }
  e2e::Screenshot(app.Main(), L"identification");
  EXPECT_TRUE(app.Close());
}

TEST(Help, ButtonAndF1SayWhenTheHelpFileIsMissing) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  HWND help = uidriver::Find(app.StatusBar(), {L"Button"});
  uidriver::Click(help);
  HWND box = e2e::WaitForBox(app.Pid(), L"Не найден файл справки Tarvisel.chm", 10s);
  ASSERT_NE(box, nullptr);
  // The box is skinned through the skin manager's hook: its button answers the engine's question;
  // with skinning off it is the system's own.
  HWND ok = FindWindowExW(box, nullptr, L"Button", nullptr);
  ASSERT_NE(ok, nullptr);
  DWORD_PTR skinned = 0;
  SendMessageTimeoutW(ok, skin::SM_ALPHACMD, skin::AlphaCmd(skin::ACMD_ISSKINNED), 0, SMTO_ABORTIFHUNG, 2000, &skinned);
  EXPECT_EQ(skinned, e2e::Plain() ? 0u : 1u);
  // The box's controls paint themselves after the box has shown.
  Sleep(500);
  e2e::Screenshot(box, L"message-box");
  uidriver::AnswerMessageBox(box);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return uidriver::FindMessageBox(app.Pid()) == nullptr; }, 5s));
  uidriver::PressKey(uidriver::Find(app.Main(), {L"Button", L"Get Rev"}), VK_F1);
  box = e2e::WaitForBox(app.Pid(), L"Не найден файл справки Tarvisel.chm", 10s);
  ASSERT_NE(box, nullptr);
  uidriver::AnswerMessageBox(box);
  EXPECT_TRUE(app.Close());
}

}  // namespace

namespace {

// The address list picks the unit every request goes to: item k is unit k, "All BU" the
// broadcast address, which no unit answers. "Set Addr" never gives a unit the broadcast address.
TEST(Address, TheListPicksTheUnitRequestsGoTo) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  ASSERT_TRUE(app.ShowPage(L"Контроль уровней"));
  HWND address = app.InGroup(L"Адрес КТ.8", L"ComboBox");
  EXPECT_EQ(uidriver::ComboIndex(address), 1);
  HWND newAddress = app.InGroup(L"Сменить адрес", L"ComboBox");
  uidriver::SelectComboItem(newAddress, 0);
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Сменить адрес", L"Button", L"Set Addr")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 10 00 08 00 01 02 01 00"));

  uidriver::SelectComboItem(address, 7);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return uidriver::ComboIndex(address) == 7; }, 3s));
  uidriver::SendTimeout(app.Main(), WM_NULL, 0, 0);
  ASSERT_TRUE(app.ShowPage(L"Конфигурация"));
  HWND rev = app.InGroup(kGroup, L"Button", L"Get Rev");
  EXPECT_EQ(app.PressAndRead(rev), L"Нет ответа ведомого!");
  EXPECT_TRUE(e2e::SimulatorReceived("07 03 00 02 00 01"));

  ASSERT_TRUE(app.ShowPage(L"Контроль уровней"));
  uidriver::SelectComboItem(address, 0);
  ASSERT_TRUE(app.ShowPage(L"Конфигурация"));
  EXPECT_EQ(app.PressAndRead(rev), L"Нет ответа ведомого!");
  EXPECT_TRUE(e2e::SimulatorReceived("00 03 00 02 00 01"));
  EXPECT_TRUE(app.Close());
}

}  // namespace
