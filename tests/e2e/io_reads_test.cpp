// The configuration page's register reads into hex fields, against the simulated unit: the
// input configuration as the unit starts, and triggers and input/output bits read back after a
// write, each field with its own byte.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

class IoReads : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(app.Main(), nullptr);
    // The unit's configuration enables the groups read here.
    ASSERT_EQ(app.PressAndRead(app.InGroup(L"Конфигурация КТ.8", L"Button", L"Get")), L"Выполнено, OK");
  }
  HWND Field(const std::wstring& group, int nth = 0) { return app.InGroup(group, L"Edit", L"", nth); }
  HWND Press(const std::wstring& group, const wchar_t* caption) { return app.InGroup(group, L"Button", caption); }
  e2e::Tarvisel app;
};

TEST_F(IoReads, InputConfigurationAsTheUnitStarts) {
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

TEST_F(IoReads, TriggersAndBitsReadBackWhatWasWritten) {
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
