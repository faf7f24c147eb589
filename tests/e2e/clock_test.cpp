// The configuration page's writes against the simulated unit: the clock round trip in the forms
// the engineer types, "Load Clock" in the form that "Set" reads whatever the regional settings
// (this test also runs in a US-format prefix), relay delays, and fields that do not convert,
// which send nothing and say why.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kClock = L"Дата и время";

int Received(const std::string& frame) {
  const std::string log = e2e::SimulatorLog(), needle = "RX " + frame;
  int n = 0;
  for (auto at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1)) ++n;
  return n;
}

std::string Hex2(int bcd) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", bcd);
  return text;
}
int Bcd(int value) { return value / 10 * 16 + value % 10; }

std::wstring Trimmed(HWND edit) {
  std::wstring text = uidriver::TextOf(edit);
  text.erase(0, text.find_first_not_of(L' '));
  text.erase(text.find_last_not_of(L' ') + 1);
  return text;
}

class Writes : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(app.Main(), nullptr);
    // The unit's configuration enables the groups written to here.
    ASSERT_EQ(app.PressAndRead(app.InGroup(L"Конфигурация КТ.8", L"Button", L"Get")), L"Выполнено, OK");
  }
  HWND Field(const std::wstring& group, int nth = 0) { return app.InGroup(group, L"Edit", L"", nth); }
  HWND Press(const std::wstring& group, const wchar_t* caption) { return app.InGroup(group, L"Button", caption); }
  e2e::Tarvisel app;
};

TEST_F(Writes, ClockRoundTrip) {
  HWND date = Field(kClock, 0), time = Field(kClock, 1);
  HWND weekday = app.InGroup(kClock, L"ComboBox");
  uidriver::SetText(date, L"28.12.11");
  uidriver::SelectComboItem(weekday, 2);
  uidriver::SetText(time, L"09:05:07");
  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Set")), L"Выполнено, OK");
  EXPECT_EQ(Received("01 10 00 80 00 02 04 03 11 12 28"), 1);
  EXPECT_EQ(Received("01 10 00 81 00 02 04 00 09 05 07"), 1);

  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Get")), L"Выполнено, OK");
  EXPECT_EQ(uidriver::TextOf(date), L"28.12.11");
  EXPECT_EQ(uidriver::ComboIndex(weekday), 2);
  // The unit's clock runs on: a second or two may have passed.
  EXPECT_EQ(uidriver::TextOf(time).substr(0, 7), L"09:05:0");

  // One-digit day and hour, four-digit year.
  uidriver::SetText(date, L"5.03.2009");
  uidriver::SetText(time, L"8:05:00");
  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Set")), L"Выполнено, OK");
  EXPECT_EQ(Received("01 10 00 80 00 02 04 03 09 03 05"), 1);
  EXPECT_EQ(Received("01 10 00 81 00 02 04 00 08 05 00"), 1);

  // Texts the clock cannot take send nothing.
  uidriver::SetText(date, L"28-12-11");
  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Set")), L"Ошибка ввода: дата в формате ДД.ММ.ГГ или ДД.ММ.ГГГГ");
  uidriver::SetText(date, L"28.12.11");
  uidriver::SetText(time, L"9:0x:00");
  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Set")), L"Ошибка ввода: время в формате ЧЧ:ММ:СС");
  EXPECT_EQ(Received("01 10 00 80"), 2);
  e2e::Screenshot(app.Main(), L"clock");
}

TEST_F(Writes, LoadClockFillsTheFormsThatSetReads) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  ASSERT_TRUE(uidriver::Press(Press(kClock, L"Load Clock")));
  wchar_t expected[16];
  swprintf(expected, 16, L"%02u.%02u.%04u", now.wDay, now.wMonth, now.wYear);
  EXPECT_EQ(uidriver::TextOf(Field(kClock, 0)), expected);
  const std::wstring time = uidriver::TextOf(Field(kClock, 1));
  ASSERT_EQ(time.size(), 8u);
  EXPECT_EQ(time[2], L':');
  EXPECT_EQ(time[5], L':');

  EXPECT_EQ(app.PressAndRead(Press(kClock, L"Set")), L"Выполнено, OK");
  EXPECT_EQ(Received("01 10 00 80 00 02 04 01 " + Hex2(Bcd(now.wYear % 100)) + " " + Hex2(Bcd(now.wMonth)) + " " +
                     Hex2(Bcd(now.wDay))),
            1);

  // The default export name holds the same date and no further path separator.
  ASSERT_TRUE(app.ShowPage(L"Контроль по времени"));
  bool found = false;
  for (HWND edit : uidriver::Children(app.Main())) {
    if (uidriver::ClassOf(edit) != L"Edit") continue;
    const std::wstring text = uidriver::TextOf(edit);
    const auto slash = text.find_last_of(L"\\/");
    if (slash == std::wstring::npos || text.find(L"BU_cfgDB_") == std::wstring::npos) continue;
    found = true;
    EXPECT_EQ(text.substr(slash + 1), std::wstring(L"BU_cfgDB_") + expected + L".dbf");
    EXPECT_EQ(text.substr(0, slash), e2e::ProgramFolder());
  }
  EXPECT_TRUE(found) << "no export file name shown";
}

TEST_F(Writes, DelaysAndFieldsThatDoNotConvert) {
  const std::wstring delays = L"Задержка вкл/выкл";
  EXPECT_EQ(app.PressAndRead(Press(delays, L"Get Delay")), L"Выполнено, OK");
  EXPECT_EQ(Trimmed(Field(delays, 0)), L"300");
  EXPECT_EQ(Trimmed(Field(delays, 1)), L"30");

  uidriver::SetText(Field(delays, 0), L"12a ");
  EXPECT_EQ(app.PressAndRead(Press(delays, L"Set Delay")), L"Ошибка ввода: поле должно содержать десятичное число");
  EXPECT_EQ(Received("01 10 00 70"), 0);
  uidriver::SetText(Field(delays, 0), L"120 ");
  EXPECT_EQ(app.PressAndRead(Press(delays, L"Set Delay")), L"Выполнено, OK");
  EXPECT_EQ(Received("01 10 00 70 00 01 02 00 78"), 1);
  EXPECT_EQ(Received("01 10 00 71 00 01 02 00 1E"), 1);

  const std::wstring triggers = L"Триггеры";
  uidriver::SetText(Field(triggers), L"G1");
  EXPECT_EQ(app.PressAndRead(Press(triggers, L"Set Trigger")), L"Ошибка ввода: нужны две шестнадцатеричные цифры (0-9, A-F)");
  EXPECT_EQ(Received("01 10 00 06"), 0);
  uidriver::SetText(Field(triggers), L"a5");
  EXPECT_EQ(app.PressAndRead(Press(triggers, L"Set Trigger")), L"Выполнено, OK");
  EXPECT_EQ(Received("01 10 00 06 00 01 02 00 A5"), 1);

  // Inputs bound to outputs: eight reads, each reply shown as it comes.
  const std::wstring binding = L"Привязка входов к выходам";
  EXPECT_EQ(app.PressAndRead(Press(binding, L"Get")), L"Выполнено, OK");
  EXPECT_EQ(uidriver::TextOf(Field(binding, 2)), L"04");
  const std::wstring dump = uidriver::TextOf(app.InGroup(L"Тест", L"Edit"));
  EXPECT_EQ(dump.size(), 8u * 15u);
  EXPECT_EQ(dump.substr(0, 10), L"0103020001");
  e2e::Screenshot(app.Main(), L"writes");
}

// Register reads into hex fields: the input configuration as the unit starts, each field with its own
// byte, and triggers and input/output bits read back after a write.
TEST_F(Writes, InputConfigurationAsTheUnitStarts) {
  const std::wstring inputs = L"Конфигурация входов";
  EXPECT_EQ(app.PressAndRead(Press(inputs, L"Get In")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 03 00 05 00 02"));
  // The simulated unit starts with 05 00 00 FF: TriggerCnt, TriggerIn, InvIn, OnCtrlIn.
  const wchar_t* expected[] = {L"05", L"00", L"00", L"FF"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(uidriver::TextOf(Field(inputs, i)), expected[i]) << i;
  // The raw reply: address, function, count, the four bytes, two bytes of CRC.
  const std::wstring dump = uidriver::TextOf(app.InGroup(L"Тест", L"Edit"));
  EXPECT_EQ(dump.size(), 18u);
  EXPECT_EQ(dump.substr(0, 14), L"010304050000FF");
}

TEST_F(Writes, TriggersAndBitsReadBackWhatWasWritten) {
  const std::wstring triggers = L"Триггеры", bits = L"Входы / выходы";
  uidriver::SetText(Field(triggers), L"A5");
  EXPECT_EQ(app.PressAndRead(Press(triggers, L"Set Trigger")), L"Выполнено, OK");
  uidriver::SetText(Field(bits, 0), L"3C");
  uidriver::SetText(Field(bits, 1), L"C3");
  EXPECT_EQ(app.PressAndRead(Press(bits, L"Set Control")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 10 00 07 00 01 02 3C C3"));

  for (HWND field : {Field(triggers), Field(bits, 0), Field(bits, 1)}) uidriver::SetText(field, L"00");
  EXPECT_EQ(app.PressAndRead(Press(triggers, L"Get Trigger")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 03 00 06 00 01"));
  EXPECT_EQ(uidriver::TextOf(Field(triggers)), L"A5");
  EXPECT_EQ(app.PressAndRead(Press(bits, L"Get Control")), L"Выполнено, OK");
  EXPECT_TRUE(e2e::SimulatorReceived("01 03 00 07 00 01"));
  EXPECT_EQ(uidriver::TextOf(Field(bits, 0)), L"3C");
  EXPECT_EQ(uidriver::TextOf(Field(bits, 1)), L"C3");
}

}  // namespace
