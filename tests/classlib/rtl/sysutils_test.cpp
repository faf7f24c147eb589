#include "classlib/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/Exception.h"

using namespace classlib;

namespace {

TFormatSettings Russian() {
  TFormatSettings s;
  s.DecimalSeparator = L',';
  s.ThousandSeparator = L'\xA0';
  return s;
}

std::wstring ConvertMessage(auto&& action) {
  try {
    action();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return L"no error";
}

}  // namespace

TEST(IntConversion, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(0), L"0");
  EXPECT_EQ(IntToStr(-42), L"-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
  EXPECT_EQ(IntToHex(0xBE, 2), L"BE");
  EXPECT_EQ(IntToHex(5, 2), L"05");
  EXPECT_EQ(IntToHex(static_cast<unsigned char>(0x0A), 1), L"A");
  EXPECT_EQ(IntToHex(0x1234, 2), L"1234");  // never cut
  EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t{-1}, 4), L"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), L"0");
}

TEST(IntConversion, StrToIntAcceptsDecimalAndHexOnly) {
  struct Case {
    const wchar_t* text;
    std::int32_t value;
  } good[] = {{L"0", 0},
              {L"  17", 17},
              {L"-17", -17},
              {L"+8", 8},
              {L"$FF", 255},
              {L"$ff", 255},
              {L"0x1F", 31},
              {L"x10", 16},
              {L"-$10", -16},
              {L"2147483647", 2147483647},
              {L"-2147483648", std::numeric_limits<std::int32_t>::min()},
              {L"$FFFFFFFF", -1},
              {L"$80000000", std::numeric_limits<std::int32_t>::min()}};
  for (const auto& c : good) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  for (const wchar_t* bad : {L"", L" ", L"12 ", L"1.5", L"abc", L"$", L"-", L"0x", L"2147483648", L"-2147483649",
                             L"$100000000", L"1e3", L"١٢"}) {
    std::int32_t v = 7;
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_EQ(v, 7);
    EXPECT_EQ(StrToIntDef(bad, -5), -5);
  }
  EXPECT_EQ(ConvertMessage([] { StrToInt(L"12a"); }), L"'12a' is not a valid integer value");
  EXPECT_EQ(StrToInt64(L"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(StrToInt64(L"$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_THROW(StrToInt64(L"9223372036854775808"), EConvertError);
}

TEST(FloatConversion, StrToFloatUsesTheDecimalSeparator) {
  const TFormatSettings ru = Russian();
  EXPECT_DOUBLE_EQ(StrToFloat(L"1,5", ru), 1.5);
  EXPECT_DOUBLE_EQ(StrToFloat(L" -0,25 ", ru), -0.25);
  EXPECT_DOUBLE_EQ(StrToFloat(L"1,5E3", ru), 1500);
  EXPECT_DOUBLE_EQ(StrToFloat(L"2e-2", ru), 0.02);
  EXPECT_DOUBLE_EQ(StrToFloat(L",5", ru), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat(L"7,", ru), 7);
  EXPECT_DOUBLE_EQ(StrToFloat(L"1e-400", ru), 0);
  for (const wchar_t* bad :
       {L"1.5", L"", L",", L"1,5,", L"1 000", L"e5", L"1e", L"1e+", L"--1", L"1e400", L"inf", L"nan"}) {
    double v = 9;
    EXPECT_FALSE(TryStrToFloat(bad, v, ru)) << bad;
    EXPECT_EQ(v, 9);
  }
  EXPECT_EQ(ConvertMessage([&] { StrToFloat(L"1.5", ru); }), L"'1.5' is not a valid floating point value");
  EXPECT_DOUBLE_EQ(StrToFloat(L"1.5", TFormatSettings::Invariant()), 1.5);
}

TEST(FloatConversion, FloatToStrGivesTheShortestFifteenDigitText) {
  const TFormatSettings en;
  struct Case {
    double value;
    const wchar_t* text;
  } cases[] = {{0, L"0"},
               {-0.0, L"0"},
               {1.5, L"1.5"},
               {-2.25, L"-2.25"},
               {0.1, L"0.1"},
               {0.1 + 0.2, L"0.3"},
               {1.0 / 3, L"0.333333333333333"},
               {123456789012345.0, L"123456789012345"},
               {1e15, L"1E15"},
               {1e20, L"1E20"},
               {0.0001, L"0.0001"},
               {0.00001, L"1E-5"},
               {1.5e-7, L"1.5E-7"},
               {2.0 / 3 * 1e-10, L"6.66666666666667E-11"},
               {std::numeric_limits<double>::infinity(), L"INF"},
               {-std::numeric_limits<double>::infinity(), L"-INF"},
               {std::nan(""), L"NAN"}};
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, en), c.text) << c.value;
  EXPECT_EQ(FloatToStr(-1.5, Russian()), L"-1,5");
}

TEST(FloatConversion, FloatToStrFFixedAndNumberRoundHalfAwayFromZero) {
  const TFormatSettings en;
  EXPECT_EQ(FloatToStrF(2.5, ffFixed, 15, 0, en), L"3");
  EXPECT_EQ(FloatToStrF(-2.5, ffFixed, 15, 0, en), L"-3");
  EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2, en), L"0.13");
  EXPECT_EQ(FloatToStrF(1.005, ffFixed, 15, 2, en), L"1.00");  // 1.00499999999999989...
  EXPECT_EQ(FloatToStrF(12.3456, ffFixed, 7, 1, en), L"12.3");
  EXPECT_EQ(FloatToStrF(12345.678, ffFixed, 7, 1, en), L"12345.7");
  EXPECT_EQ(FloatToStrF(1234567.89, ffFixed, 7, 1, en), L"1234568.0");  // precision wins over decimals
  EXPECT_EQ(FloatToStrF(123456789.0, ffFixed, 7, 1, en), L"1.234568E8");
  EXPECT_EQ(FloatToStrF(9.96, ffFixed, 15, 1, en), L"10.0");
  EXPECT_EQ(FloatToStrF(-0.004, ffFixed, 15, 2, en), L"0.00");
  EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2, en), L"1,234,567.89");
  EXPECT_EQ(FloatToStrF(-999.5, ffNumber, 15, 0, en), L"-1,000");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1, Russian()),
            L"1\xA0"
            L"234,5");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2, en), L"1.235E+03");
  EXPECT_EQ(FloatToStrF(0.0, ffExponent, 3, 2, en), L"0.00E+00");
  EXPECT_EQ(FloatToStrF(-1.5e-7, ffExponent, 2, 0, en), L"-1.5E-7");
}

TEST(TextRoutines, TrimCaseAndCompare) {
  EXPECT_EQ(Trim(L"\t  a b \r\n"), L"a b");
  EXPECT_EQ(TrimLeft(L"  a "), L"a ");
  EXPECT_EQ(TrimRight(L"  a "), L"  a");
  EXPECT_EQ(Trim(L"   "), L"");
  EXPECT_EQ(UpperCase(L"abcЖ"), L"ABCЖ");
  EXPECT_EQ(AnsiUpperCase(L"abc жук ёлка äöü"), L"ABC ЖУК ЁЛКА ÄÖÜ");
  EXPECT_EQ(AnsiLowerCase(L"ЁЛКА ÄÖÜ Ÿ"), L"ёлка äöü ÿ");
  EXPECT_TRUE(SameText(L"Выполнено", L"ВЫПОЛНЕНО"));
  EXPECT_FALSE(SameText(L"a", L"ab"));
  EXPECT_LT(CompareText(L"apple", L"BANANA"), 0);
  EXPECT_GT(CompareStr(L"apple", L"BANANA"), 0);
  EXPECT_EQ(CompareStr(L"ab", L"ab"), 0);
  EXPECT_EQ(QuotedStr(L"it's"), L"'it''s'");
}

TEST(FormatRoutine, TypesWidthsAndPrecisions) {
  const TFormatSettings en;
  EXPECT_EQ(Format(en, L"BU-№%d", 7), L"BU-№7");
  EXPECT_EQ(Format(en, L"\\\\.\\COM%d", 12), L"\\\\.\\COM12");
  EXPECT_EQ(Format(en, L"%.2d:%.2d:%.2d", 8, 5, 0), L"08:05:00");
  EXPECT_EQ(Format(en, L"%02d.%02d", 3, -4), L"03.-4");
  EXPECT_EQ(Format(en, L"[%4d|%-4d]", 5, 5), L"[   5|5   ]");
  EXPECT_EQ(Format(en, L"%x %.4x %X", 255, 10, -1), L"FF 000A FFFFFFFF");
  EXPECT_EQ(Format(en, L"%u", -1), L"4294967295");
  EXPECT_EQ(Format(en, L"%s and %s", L"this", std::wstring(L"that")), L"this and that");
  EXPECT_EQ(Format(en, L"%.3s|%5s|%-5s|", L"abcdef", L"ab", L"ab"), L"abc|   ab|ab   |");
  EXPECT_EQ(Format(en, L"%1:s %0:s %s", L"a", L"b"), L"b a b");
  EXPECT_EQ(Format(en, L"%*d", 5, 42), L"   42");
  EXPECT_EQ(Format(en, L"%f %.1f %.0f", 2.5, 0.25, 2.5), L"2.50 0.3 3");
  EXPECT_EQ(Format(en, L"%n", 1234567.891), L"1,234,567.89");
  EXPECT_EQ(Format(en, L"%e", 1.0), L"1.00000000000000E+000");
  EXPECT_EQ(Format(en, L"%g", 0.5), L"0.5");
  EXPECT_EQ(Format(en, L"100%%"), L"100%");
  EXPECT_EQ(Format(en, L"%s%s", L'x', L'y'), L"xy");
  EXPECT_EQ(Format(Russian(), L"%.1f", 1.25), L"1,3");
}

TEST(FormatRoutine, BadFormatsRaise) {
  EXPECT_EQ(ConvertMessage([] { Format(L"%d", 1.5); }), L"Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(ConvertMessage([] { Format(L"%d %d", 1); }), L"No argument for format '%d %d'");
  EXPECT_THROW(Format(L"%f", 1), EConvertError);
  EXPECT_THROW(Format(L"%s", 1), EConvertError);
  EXPECT_THROW(Format(L"%q", 1), EConvertError);
  EXPECT_THROW(Format(L"abc %"), EConvertError);
  EXPECT_THROW(Format(L"%5:s", L"a"), EConvertError);
}
