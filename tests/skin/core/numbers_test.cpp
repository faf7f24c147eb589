#include "skin/core/acntNumbers.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(Numbers, HexToInt) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"1fh", 31},
      {"FF", 255},
      {"ff", 255},
      {"G1", 0},
      {"H", 0},
      {"", 0},
      {"1G", 0},
      {"7FFFFFFF", 0x7FFFFFFF},
      {"100000000", 0x100000000},
      {"FFFFFFFFFFFFFFFF", -1},
      {"1hh", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(HexToInt(text), value) << text;
  // Only the low 8 bits of the length count: 256 digits read as none.
  EXPECT_EQ(HexToInt(std::string(256, '1')), 0);
  EXPECT_EQ(HexToInt(std::string(257, '1')), 1);
}

classlib::TFormatSettings Separators(wchar_t decimal, wchar_t thousands) {
  classlib::TFormatSettings settings;
  settings.DecimalSeparator = decimal;
  settings.ThousandSeparator = thousands;
  return settings;
}

TEST(Numbers, IsValidFloatFollowsTheDecimalSeparator) {
  const classlib::TFormatSettings point = Separators(L'.', L',');
  const classlib::TFormatSettings comma = Separators(L',', L'\xA0');
  struct Case {
    const wchar_t* text;
    const classlib::TFormatSettings& settings;
    bool valid;
    double value;
  };
  const Case cases[] = {
      {L"1e5", point, true, 1e5}, {L"1,5", comma, true, 1.5},   {L"1,5", point, false, 0}, {L" 1", point, false, 0},
      {L"", point, false, 0},     {L"-.5", point, true, -0.5},  {L"+2.", point, true, 2},  {L"1e", point, false, 0},
      {L"1.5", comma, false, 0},  {L"1E-2", point, true, 0.01}, {L"--1", point, false, 0}, {L"e5", point, false, 0},
  };
  for (const Case& c : cases) {
    double value = -123;
    EXPECT_EQ(IsValidFloat(c.text, value, c.settings), c.valid) << static_cast<int>(c.text[0]);
    if (c.valid) {
      EXPECT_DOUBLE_EQ(value, c.value);
    }
  }
}

TEST(Numbers, StringToFloatTakesCommaOrPointAndGivesZeroForText) {
  EXPECT_DOUBLE_EQ(StringToFloat(L" 1,25 "), 1.25);
  EXPECT_DOUBLE_EQ(StringToFloat(L"-3.5"), -3.5);
  EXPECT_DOUBLE_EQ(StringToFloat(L"abc"), 0);
  EXPECT_DOUBLE_EQ(StringToFloat(L""), 0);
}

TEST(Numbers, FormatFloatStrGroupsOnlyTheIntegerDigits) {
  const classlib::TFormatSettings en = Separators(L'.', L',');
  const classlib::TFormatSettings ru = Separators(L',', L'\xA0');
  EXPECT_EQ(FormatFloatStr("-1234567.89", true, en), "-1,234,567.89");
  EXPECT_EQ(FormatFloatStr("123", true, en), "123");
  EXPECT_EQ(FormatFloatStr("1234", false, en), "1234");
  EXPECT_EQ(FormatFloatStr("+1000", true, en), "+1,000");
  EXPECT_EQ(FormatFloatStr("1234567e5", true, en), "1,234,567e5");
  EXPECT_EQ(FormatFloatStr("", true, en), "");
  EXPECT_EQ(FormatFloatStr("1234,5", true, ru),
            "1\xA0"
            "234,5");  // no-break space of code page 1251
}

TEST(Numbers, RoundingGoesToTheEvenNeighbourOnHalves) {
  EXPECT_EQ(SumTrans(50, 50), 75);
  EXPECT_EQ(SumTrans(1, 50), 50);  // 50.5
  EXPECT_EQ(SumTrans(3, 50), 52);  // 51.5
  EXPECT_EQ(GetCents(3.125), 12);
  EXPECT_EQ(GetCents(0.375), 38);
  EXPECT_EQ(GetCents(-1.25), -25);
  EXPECT_DOUBLE_EQ(CurRound(1.005), 1.01);
  EXPECT_DOUBLE_EQ(CurRound(2.344), 2.34);
}

TEST(Numbers, SmallValueRoutines) {
  EXPECT_EQ(IntToByte(-5), 0);
  EXPECT_EQ(IntToByte(300), 255);
  EXPECT_EQ(IntToByte(77), 77);
  EXPECT_EQ(LimitIt(5, 10, 20), 10);
  EXPECT_EQ(LimitIt(25, 10, 20), 20);
  EXPECT_EQ(CheckLimits(15, 10, 20), 15);
  EXPECT_TRUE(Between(5, 10, 0));
  EXPECT_TRUE(Between(10, 10, 0));
  EXPECT_FALSE(Between(11, 0, 10));
  int a = 1, b = 2;
  Changei(a, b);
  EXPECT_EQ(a * 10 + b, 21);
  EXPECT_EQ(iff(false, L"a", L"b"), L"b");
  EXPECT_EQ(BoolToStr(true), L"TRUE");
  const TCacheInfo ci = MakeCacheInfo(nullptr, 3, 4);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.FillColor, clFuchsia);
  EXPECT_EQ(ci.X + ci.Y, 7);
}

}  // namespace
}  // namespace skin
