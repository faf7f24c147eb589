// Reading the unit's hardware configuration shows it and enables exactly the groups and pages that
// its flags allow; "Set" writes back exactly what the fields hold. The same test runs against units
// started with different flags (--hw-config): what it expects follows from that option, never from
// what the program shows. Every page shown is photographed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kConfig = e2e::kConfigGroup;

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
    for (int bit = 0; bit < 5; ++bit)
      if (flags & (1u << bit)) e.checked.push_back(e2e::kFlagBoxes[bit]);
  }
  return e;
}

// The flags the simulated unit was started with (its register 4 holds 00, flags, FF, 0F).
unsigned ConfiguredFlags() {
  const std::string option = e2e::SimulatorOption("--hw-config");
  return option.empty() ? 0x07 : std::stoul(option, nullptr, 16);
}

std::wstring Hex2(unsigned value) {
  wchar_t text[4];
  swprintf(text, 4, L"%02X", value);
  return text;
}

TEST(ConfigurationFlags, ReadingShowsTheUnitsFlagsAndSetWritesTheFields) {
  const unsigned flags = ConfiguredFlags();
  SCOPED_TRACE("unit started with --hw-config " + e2e::SimulatorOption("--hw-config"));
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  HWND group = uidriver::Find(app.Main(), {L"Button", L"Дата и время"});
  EXPECT_FALSE(uidriver::IsEnabled(group));

  EXPECT_EQ(app.PressAndRead(app.InGroup(kConfig, L"Button", L"Get")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 03 00 04 00 02"));
  EXPECT_EQ(uidriver::TextOf(app.InGroup(kConfig, L"Edit", L"", 0)), Hex2(flags));
  EXPECT_EQ(uidriver::TextOf(app.InGroup(kConfig, L"Edit", L"", 1)), L"FF");
  EXPECT_EQ(uidriver::TextOf(app.InGroup(kConfig, L"Edit", L"", 2)), L"0F");
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
  for (const wchar_t* f : e2e::kFlagBoxes) {
    const bool expected = std::find(e.checked.begin(), e.checked.end(), f) != e.checked.end();
    EXPECT_EQ(uidriver::IsChecked(app.InGroup(kConfig, L"Button", f)), expected) << std::wstring(f);
  }
  app.ShootPages(L"config-" + Hex2(flags));

  // "Set" sends what the fields hold: the flags as read, and masks typed over the read ones.
  ASSERT_TRUE(app.ShowPage(L"Конфигурация"));
  uidriver::SetText(app.InGroup(kConfig, L"Edit", L"", 1), L"3C");
  uidriver::SetText(app.InGroup(kConfig, L"Edit", L"", 2), L"A5");
  const std::string frame = app.ConfigurationFrameFromFields();
  const std::size_t mark = e2e::LogMark();
  uidriver::Click(app.InGroup(kConfig, L"Button", L"Set"));
  HWND password = uidriver::WaitForTopWindow(app.Pid(), L"Ввод пароля", 5s);
  ASSERT_NE(password, nullptr);
  uidriver::Type(uidriver::Find(password, {L"Edit"}), L"wexo\r");
  EXPECT_TRUE(e2e::Arrives(frame, mark, 5s)) << frame << "\n" << e2e::SimulatorLog();
  EXPECT_TRUE(uidriver::WaitUntil([&] { return app.Status() == L"Выполнено, OK"; }, 5s));
  EXPECT_EQ(e2e::Received("01 10 00 04", mark), 1);

  if (flags & 0x60) {
    // With ML or Cnt set no other flag may be checked: the box says so and stays unchecked.
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
