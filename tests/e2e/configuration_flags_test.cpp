// Reading the unit's hardware configuration enables exactly the groups and pages that its flags
// allow. The same test runs against units started with different flags (--hw-config); it reads
// which ones from the field the configuration is shown in. Every page shown is photographed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kConfig = L"Конфигурация КТ.8";

struct Expectations {
  bool io, inputs, clock;
  std::vector<std::wstring> tabs;
  std::vector<std::wstring> checked;
};

Expectations For(unsigned flags) {
  Expectations e;
  e.io = flags & 0x03;
  e.inputs = flags & 0x02;
  e.clock = flags & 0x04;
  e.tabs = {L"Конфигурация", L"Контроль уровней"};
  if (flags & 0x04) e.tabs.push_back(L"Контроль по времени");
  if (flags & 0x20) e.tabs.push_back(L"Тест ДП");
  if (flags & 0x40) e.tabs.push_back(L"Тест CNT");
  // ML clears the flags before it, Cnt all the others.
  if (flags & 0x40) {
    e.checked = {L"Cnt"};
  } else if (flags & 0x20) {
    e.checked = {L"ML (ДП)"};
  } else {
    const wchar_t* names[] = {L"Outs (реле)", L"Inputs", L"RTC (часы)", L"ZigBee", L"DS (Term)"};
    for (int bit = 0; bit < 5; ++bit)
      if (flags & (1u << bit)) e.checked.push_back(names[bit]);
  }
  return e;
}

TEST(ConfigurationFlags, ReadingEnablesWhatTheFlagsAllow) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  HWND group = uidriver::Find(app.Main(), {L"Button", L"Дата и время"});
  EXPECT_FALSE(uidriver::IsEnabled(group));

  EXPECT_EQ(app.PressAndRead(app.InGroup(kConfig, L"Button", L"Get")), L"Выполнено, OK");
  const std::wstring shown = uidriver::TextOf(app.InGroup(kConfig, L"Edit", L"", 0));
  const unsigned flags = std::stoul(shown, nullptr, 16);
  SCOPED_TRACE("configuration " + std::string(shown.begin(), shown.end()));
  const Expectations e = For(flags);

  auto enabled = [&](const wchar_t* group, const wchar_t* button = nullptr) {
    HWND box = uidriver::Find(app.Main(), {L"Button", group});
    const bool on = uidriver::IsEnabled(box);
    if (button) EXPECT_EQ(uidriver::IsEnabled(app.InGroup(group, L"Button", button)), on) << button;
    return on;
  };
  EXPECT_EQ(enabled(L"Входы / выходы", L"Get Control"), e.io);
  EXPECT_EQ(enabled(L"Конфигурация входов", L"Get In"), e.inputs);
  EXPECT_EQ(enabled(L"Привязка входов к выходам"), e.inputs);
  EXPECT_EQ(enabled(L"Триггеры", L"Get Trigger"), e.inputs);
  EXPECT_EQ(enabled(L"Задержка вкл/выкл", L"Get Delay"), e.inputs);
  EXPECT_EQ(enabled(L"Дата и время", L"Load Clock"), e.clock);
  EXPECT_EQ(app.TabCaptions(), e.tabs);
  for (const wchar_t* f : {L"Outs (реле)", L"Inputs", L"RTC (часы)", L"ZigBee", L"DS (Term)", L"ML (ДП)", L"Cnt"}) {
    const bool expected = std::find(e.checked.begin(), e.checked.end(), f) != e.checked.end();
    EXPECT_EQ(uidriver::IsChecked(app.InGroup(kConfig, L"Button", f)), expected) << std::wstring(f);
  }
  EXPECT_TRUE(e2e::SimulatorReceived("01 03 00 04 00 02"));
  app.ShootPages(L"config-" + shown);

  if (flags & 0x60) {
    // With ML or Cnt set no other flag may be checked: the box says so and stays unchecked.
    ASSERT_TRUE(app.ShowPage(L"Конфигурация"));
    HWND inputs = app.InGroup(kConfig, L"Button", L"Inputs");
    uidriver::Click(inputs);
    HWND box = e2e::WaitForBox(app.Pid(), L"Нельзя установить флаг, т.к. CNT или ML флаг установлен!", 5s);
    ASSERT_NE(box, nullptr);
    uidriver::AnswerMessageBox(box);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !uidriver::IsChecked(inputs); }, 3s));
  }
  EXPECT_TRUE(app.Close());
}

}  // namespace
