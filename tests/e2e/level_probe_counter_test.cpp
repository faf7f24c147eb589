// The level-control, probe-test and counter-test pages against one simulated unit whose
// configuration shows both test pages (ML and Cnt) and whose counter reads 1 at a resolution of 1.
// Each test starts the program afresh, so that none depends on what another one left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::wstring kMax = L"Max (максимальный уровень НП)";
const std::wstring kMin = L"Min (минимальный уровень НП)";
const std::wstring kH2O = L"H2O (максимальный уровень H2O)";
const std::wstring kAddress = L"Адрес КТ.8";

std::wstring DecimalSeparator() {
  wchar_t text[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
  return text;
}

class Pages : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<e2e::Tarvisel>();
    ASSERT_NE(app->Main(), nullptr);
    // The unit's configuration reveals the probe and counter pages.
    ASSERT_EQ(app->PressAndRead(app->InGroup(e2e::kConfigGroup, L"Button", L"Get")), L"Выполнено, OK");
  }
  void TearDown() override {
    if (app->Process().Running()) {
      EXPECT_TRUE(app->Close());
    }
  }

  // A window of a page found from a group that only that page has.
  HWND Sheet(const std::wstring& groupOnIt) { return GetParent(uidriver::Find(app->Main(), {L"Button", groupOnIt})); }
  // A screenshot once the window has painted what the last handler changed.
  void Shot(const std::wstring& name) {
    uidriver::SendTimeout(app->Main(), WM_NULL, 0, 0);
    Sleep(200);
    e2e::Screenshot(app->Main(), name);
  }

  std::unique_ptr<e2e::Tarvisel> app;
};

// The address list drops down over the page (its 32 entries in the skinned list) and closes again
// with the unit chosen before.
TEST_F(Pages, AddressListDropsDownAndClosesKeepingTheUnit) {
  ASSERT_TRUE(app->ShowPage(L"Контроль уровней"));
  HWND address = app->InGroup(kAddress, L"ComboBox");
  const int before = uidriver::ComboIndex(address);
  EXPECT_EQ(uidriver::SendTimeout(address, CB_GETCOUNT, 0, 0), 32) << "the broadcast entry and 31 units";
  uidriver::SendTimeout(address, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return uidriver::SendTimeout(address, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3s));
  Shot(L"address-list-dropped");
  uidriver::SendTimeout(address, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(uidriver::SendTimeout(address, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(uidriver::ComboIndex(address), before);
}

TEST_F(Pages, LevelTestModeWritesToAllUnitsAndEndsWhenThePageChanges) {
  ASSERT_TRUE(app->ShowPage(L"Контроль уровней"));
  HWND test = app->InGroup(L"Вкл. режим тест", L"Button", L"Test BU");
  HWND address = app->InGroup(kAddress, L"ComboBox");
  ASSERT_EQ(uidriver::ComboIndex(address), 1);

  ASSERT_TRUE(uidriver::Press(test));
  EXPECT_TRUE(uidriver::IsChecked(test));
  EXPECT_EQ(uidriver::ComboIndex(address), 0);
  // Every unit is in test: no single unit may be chosen until the mode ends.
  EXPECT_FALSE(uidriver::IsEnabled(address));
  EXPECT_FALSE(uidriver::IsEnabled(uidriver::Find(app->Main(), {L"Button", L"№ выхода (реле)"})));
  EXPECT_FALSE(uidriver::IsEnabled(uidriver::Find(app->Main(), {L"Button", L"Get Config"})));

  std::size_t mark = e2e::LogMark();
  ASSERT_TRUE(uidriver::Press(app->InGroup(kMax, L"Button", L"1")));
  EXPECT_TRUE(e2e::Arrives("00 10 00 10 00 04 08 00 01 00 00 00 00 00 00", mark));
  mark = e2e::LogMark();
  ASSERT_TRUE(uidriver::Press(app->InGroup(kH2O, L"Button", L"16")));
  EXPECT_TRUE(e2e::Arrives("00 10 00 10 00 04 08 00 01 00 00 00 00 80 00", mark));
  Shot(L"level-test-mode");

  // Another page ends the mode: zero test words to all units, the unit chosen before back.
  mark = e2e::LogMark();
  ASSERT_TRUE(app->ShowPage(L"Конфигурация"));
  EXPECT_TRUE(e2e::Arrives("00 10 00 10 00 04 08 00 00 00 00 00 00 00 00", mark));
  EXPECT_FALSE(uidriver::IsChecked(test));
  EXPECT_EQ(uidriver::ComboIndex(address), 1);
  EXPECT_TRUE(uidriver::IsEnabled(address));
  mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(app->InGroup(L"Версия и копирайт", L"Button", L"Get Rev")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 03 00 02 00 01", mark));
}

TEST_F(Pages, LevelMasksAreReadEditedAndWritten) {
  ASSERT_TRUE(app->ShowPage(L"Контроль уровней"));
  const std::wstring outputs = L"№ выхода (реле)";
  HWND x5 = app->InGroup(outputs, L"Button", L"X5");
  ASSERT_TRUE(uidriver::Press(x5));
  std::size_t mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(uidriver::Find(app->Main(), {L"Button", L"Get Config"})), L"Выполнено, OK");
  for (int c = 0; c < 8; ++c) {
    char frame[32];
    std::snprintf(frame, sizeof frame, "01 03 00 %02X 00 04", 48 + c);
    EXPECT_TRUE(e2e::Arrives(frame, mark)) << frame;
  }
  // X1 is selected and shows output 0's masks: the simulated unit ties sensor 1 to Max and Min.
  EXPECT_FALSE(uidriver::IsChecked(x5));
  EXPECT_TRUE(uidriver::IsChecked(app->InGroup(kMax, L"Button", L"1")));
  EXPECT_FALSE(uidriver::IsChecked(app->InGroup(kMax, L"Button", L"2")));
  EXPECT_FALSE(uidriver::IsChecked(app->InGroup(kH2O, L"Button", L"1")));

  // X3 shows output 2's masks (sensor 3); box 5 of Min edits only them and sends nothing.
  ASSERT_TRUE(uidriver::Press(app->InGroup(outputs, L"Button", L"X3")));
  EXPECT_TRUE(uidriver::IsChecked(app->InGroup(kMin, L"Button", L"3")));
  EXPECT_FALSE(uidriver::IsChecked(app->InGroup(kMin, L"Button", L"1")));
  ASSERT_TRUE(uidriver::Press(app->InGroup(kMin, L"Button", L"5")));
  Shot(L"level-masks");
  mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(uidriver::Find(app->Main(), {L"Button", L"Set Config"})), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 10 00 30 00 04 08 00 01 00 00 00 01 00 00", mark));
  EXPECT_TRUE(e2e::Arrives("01 10 00 32 00 04 08 00 04 00 00 00 14 00 00", mark));
  EXPECT_TRUE(e2e::Arrives("01 10 00 37 00 04 08 00 80 00 00 00 80 00 00", mark));
  EXPECT_EQ(e2e::Received("01 10 00 3", mark), 8);
}

TEST_F(Pages, ProbeIdentifiers) {
  ASSERT_TRUE(app->ShowPage(L"Тест ДП"));
  HWND channel = app->InGroup(L"№ канала", L"ComboBox");
  HWND position = app->InGroup(L"№ ДП", L"ComboBox");
  HWND id = app->InGroup(L"ID плотномера", L"Edit");

  // A serial number and Enter give the identifier: prefix, number, CRC-8.
  uidriver::SetText(id, L"123");
  uidriver::PressKey(id, VK_RETURN);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return uidriver::TextOf(id) == L"3A5C7E9100012368"; }, 3s))
      << testing::PrintToString(uidriver::TextOf(id));

  uidriver::SelectComboItem(channel, 2);   // X3
  uidriver::SelectComboItem(position, 4);  // DS-5
  std::size_t mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(uidriver::Find(app->Main(), {L"Button", L"Get ID"})), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 03 00 C4 00 04", mark));  // register 196
  EXPECT_EQ(uidriver::TextOf(id), L"FFFFFFFFFFFFFFFF");

  // "Set ID" sends only a whole identifier.
  uidriver::SetText(id, L"3A5C7E91000123");
  mark = e2e::LogMark();
  const std::wstring refused = app->PressAndRead(uidriver::Find(app->Main(), {L"Button", L"Set ID"}));
  EXPECT_NE(refused.find(L"Ошибка ввода"), std::wstring::npos) << testing::PrintToString(refused);

  HWND list = uidriver::Find(app->Main(), {L"SysListView32"});
  EXPECT_EQ(app->PressAndRead(uidriver::Find(app->Main(), {L"Button", L"Get All ID"})), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 03 00 EF 00 04", mark));  // the last identifier, register 239
  EXPECT_EQ(e2e::Received("01 10", mark), 0);            // and no write before it
  ASSERT_EQ(uidriver::ListViewCount(list), 64);
  EXPECT_EQ(uidriver::ListViewText(list, 0, 0), L"1");
  EXPECT_EQ(uidriver::ListViewText(list, 0, 1), L"01");
  EXPECT_EQ(uidriver::ListViewText(list, 0, 2), L"01");
  EXPECT_EQ(uidriver::ListViewText(list, 0, 3), L"3A5C7E91000123");
  EXPECT_EQ(uidriver::ListViewText(list, 0, 4), L"68");
  EXPECT_EQ(uidriver::ListViewText(list, 63, 0), L"64");
  EXPECT_EQ(uidriver::ListViewText(list, 63, 1), L"08");
  EXPECT_EQ(uidriver::ListViewText(list, 63, 2), L"08");
  Shot(L"probe-identifiers");
}

TEST_F(Pages, ProbeMeasurements) {
  ASSERT_TRUE(app->ShowPage(L"Тест ДП"));
  HWND sheet = Sheet(L"Dens Add");
  uidriver::SelectComboItem(app->InGroup(L"№ канала", L"ComboBox"), 0);  // X1
  uidriver::SelectComboItem(app->InGroup(L"№ ДП", L"ComboBox"), 1);      // DS-2
  HWND all = uidriver::FindInGroup(sheet, L"Тест", {L"Button", L"All"});
  HWND dens = uidriver::FindInGroup(sheet, L"Тест", {L"Button", L"Dens"});
  ASSERT_TRUE(uidriver::Press(all));
  ASSERT_TRUE(uidriver::IsChecked(all));

  std::size_t mark = e2e::LogMark();
  const auto converted = Clock::now();
  EXPECT_EQ(app->PressAndRead(uidriver::FindInGroup(sheet, L"Тест", {L"Button", L"Conv"})), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 50 00 40 00 02 04 00 81 01 43", mark));
  // The probes convert: their buttons wait, and all that time the window goes on answering (a
  // window that stops for two seconds has hung, whatever the machine's speed).
  EXPECT_FALSE(uidriver::IsEnabled(dens));
  bool answering = true;
  EXPECT_TRUE(uidriver::WaitUntil(
      [&] {
        answering = answering && uidriver::Answers(app->Main(), 2000ms);
        return !answering || uidriver::IsEnabled(dens);
      },
      6s));
  EXPECT_TRUE(answering) << "the window stopped answering while the probes converted";
  EXPECT_TRUE(uidriver::IsEnabled(dens));
  EXPECT_GE(Clock::now() - converted, 2000ms);

  ASSERT_TRUE(uidriver::Press(all));
  uidriver::SelectComboItem(app->InGroup(L"№ ДП", L"ComboBox"), 0);  // DS-1
  mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(dens), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 43 00 40 00 03 06 00 00 02 49 04 00", mark));
  EXPECT_EQ(uidriver::TextOf(uidriver::FindInGroup(sheet, L"Тест", {L"Edit", L"", 3})),
            L"500" + DecimalSeparator() + L"7");

  // Dens Add: a value that is not a number sends nothing; a number goes out and reads back.
  HWND add = uidriver::FindInGroup(sheet, L"Dens Add", {L"Edit"});
  uidriver::SetText(add, L"abc");
  mark = e2e::LogMark();
  const std::wstring refused = app->PressAndRead(uidriver::FindInGroup(sheet, L"Dens Add", {L"Button", L"Set"}));
  EXPECT_NE(refused.find(L"Ошибка ввода"), std::wstring::npos) << testing::PrintToString(refused);
  const std::wstring value = L"1" + DecimalSeparator() + L"5";
  uidriver::SetText(add, value);
  EXPECT_EQ(app->PressAndRead(uidriver::FindInGroup(sheet, L"Dens Add", {L"Button", L"Set"})), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 50 00 41 00 05 0A 00 00 07 4E 05 05 00 00 C0 3F", mark));
  EXPECT_EQ(e2e::Received("01 50", mark), 1);  // the refused "Set" sent nothing
  uidriver::SetText(add, L"");
  EXPECT_EQ(app->PressAndRead(uidriver::FindInGroup(sheet, L"Dens Add", {L"Button", L"Get"})), L"Выполнено, OK");
  EXPECT_EQ(uidriver::TextOf(add), value);
  Shot(L"probe-measurements");
}

TEST_F(Pages, CounterRegistersAndTheirByteOrders) {
  ASSERT_TRUE(app->ShowPage(L"Тест CNT"));
  const std::wstring group = L"Тест счетчика";
  const std::wstring sep = DecimalSeparator();
  const struct {
    const wchar_t* button;
    int field;
    std::wstring shown;
    const char* request;
  } cases[] = {
      {L"CNT", 0, L"00000001", "01 03 00 42 00 02"},
      {L"Position", 1, L"1" + sep + L"00", "01 03 00 43 00 02"},     // reply data 00 00 80 3F
      {L"Resolution", 2, L"1" + sep + L"000", "01 03 00 44 00 02"},  // reply data 3F 80 00 00
  };
  for (const auto& c : cases) {
    const std::size_t mark = e2e::LogMark();
    EXPECT_EQ(app->PressAndRead(app->InGroup(group, L"Button", c.button)), L"Выполнено, OK");
    EXPECT_TRUE(e2e::Arrives(c.request, mark)) << c.request;
    EXPECT_EQ(uidriver::TextOf(app->InGroup(group, L"Edit", L"", c.field)), c.shown);
  }
  const std::size_t mark = e2e::LogMark();
  EXPECT_EQ(app->PressAndRead(app->InGroup(group, L"Button", L">0<")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::Arrives("01 10 00 42 00 02 04 00 00 00 00", mark));
  EXPECT_EQ(uidriver::TextOf(app->InGroup(group, L"Edit", L"", 0)), L"00000000");
  EXPECT_EQ(uidriver::TextOf(app->InGroup(group, L"Edit", L"", 1)), L"-");
  Shot(L"counter");
}

TEST_F(Pages, ClosingTheProgramInTestModeTakesEveryUnitOutOfTest) {
  ASSERT_TRUE(app->ShowPage(L"Контроль уровней"));
  ASSERT_TRUE(uidriver::Press(app->InGroup(L"Вкл. режим тест", L"Button", L"Test BU")));
  std::size_t mark = e2e::LogMark();
  ASSERT_TRUE(uidriver::Press(app->InGroup(kMax, L"Button", L"3")));
  EXPECT_TRUE(e2e::Arrives("00 10 00 10 00 04 08 00 04 00 00 00 00 00 00", mark));
  mark = e2e::LogMark();
  ASSERT_TRUE(app->Close());
  EXPECT_TRUE(e2e::Arrives("00 10 00 10 00 04 08 00 00 00 00 00 00 00 00", mark));
}

}  // namespace
