#include "app/ConfigTexts.h"

#include <gtest/gtest.h>

#include <array>

using namespace app;
namespace {

TEST(ConfigTexts, IdentificationOfTheUnit) {
  EXPECT_EQ(RevText(2, 5), L"Rev 2.05");
  EXPECT_EQ(RevText(16, 2), L"16.2");
  // The year byte counts from 2000 and is shown whole, never as "209".
  EXPECT_EQ(RevDateText(9, 3, 5), L"5.3.2009");
  EXPECT_EQ(RevDateText(11, 12, 28), L"28.12.2011");
  EXPECT_EQ(DevCodeText(8, 1), L"8-1");
}

TEST(ConfigTexts, UnitTextEndsAtTheFirstZeroAndReadsCodePage1251) {
  const std::array<std::uint8_t, 10> text{'K', 'T', '.', '8', 0xC0, 0xFF, 0, 'x', 'y', 'z'};
  EXPECT_EQ(UnitText(text), L"KT.8Ая");
  const std::array<std::uint8_t, 3> full{'a', 'b', 'c'};
  EXPECT_EQ(UnitText(full), L"abc");
}

TEST(ConfigTexts, DelayFieldsGiveANumberOrNothing) {
  const struct {
    const wchar_t* text;
    std::optional<std::uint16_t> value;
  } cases[] = {
      {L"0300", 300},
      {L"300 ", 300},
      {L" 30 ", 30},
      {L"9999", 9999},
      {L"0000", 0},
      {L"", std::nullopt},
      {L"    ", std::nullopt},
      {L"12a ", std::nullopt},
      {L"1 2 ", std::nullopt},
      {L"-1  ", std::nullopt},
      {L"+5  ", std::nullopt},
      {L"12345", std::nullopt},
      {L"+   ", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseDelayText(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST(ConfigTexts, ExportNameHoldsTheDateWithoutPathSeparators) {
  EXPECT_EQ(ScheduleFileName(L"C:\\QRX\\", 2026, 12, 10), L"C:\\QRX\\BU_cfgDB_10.12.2026.dbf");
  EXPECT_EQ(ScheduleFileName(L"", 2011, 1, 5), L"BU_cfgDB_05.01.2011.dbf");
}

}  // namespace
