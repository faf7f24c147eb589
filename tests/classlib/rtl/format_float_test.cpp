#include <gtest/gtest.h>

#include <cmath>

#include "classlib/SysUtils.h"

using namespace classlib;

namespace {

struct Case {
  const wchar_t* format;
  double value;
  const wchar_t* text;
};

}  // namespace

TEST(FormatFloat, PicturesOfTheConfigurator) {
  const TFormatSettings en;
  const Case cases[] = {
      {L"#,##", 1234567, L"1,234,567"},
      {L"#,##", 12, L"12"},
      {L"#,##", 0, L""},  // hence the callers' "0 when zero"
      {L"#,##", 0.4, L""},
      {L"#,##", 999.5, L"1,000"},
      {L"#,##", -1234, L"-1,234"},
      {L"#,#0.0", 0, L"0.0"},
      {L"#,#0.0", 1234.56, L"1,234.6"},
      {L"#,#0.0", 2.25, L"2.3"},  // half away from zero, 2.25 is exact
      {L"#,#0.0", -2.25, L"-2.3"},
      {L"#,#0.0", -0.04, L"0.0"},  // rounded to zero: no sign
      {L"#,#0.00", 1234567.891, L"1,234,567.89"},
      {L"#,#0.00", 0.125, L"0.13"},
      {L"#,#0.00", 1.005, L"1.00"},  // the double is 1.00499999...
      {L"#,#0.00", static_cast<float>(12.35), L"12.35"},
      {L"#,#0.000", 12.3456, L"12.346"},
      {L"#,#0.000", 1000, L"1,000.000"},
      {L"0.00", -2.5, L"-2.50"},
      {L"0.00", 1e20, L"100000000000000000000.00"},
      {L"0", 2.5, L"3"},
      {L"0", -2.5, L"-3"},
      {L"0", 0.49, L"0"},
      {L"0.##", 1, L"1"},
      {L"0.##", 1.5, L"1.5"},
      {L"0.##", 1.256, L"1.26"},
      {L"0.0#", 1, L"1.0"},
      {L"000", 7, L"007"},
      {L"#", 123456, L"123456"},
      {L"0", 123456789012345678901234567890.0, L"123456789012345678000000000000"},  // 18 digits kept
      {L"'$'#,##0.00", 1234.5, L"$1,234.50"},
      {L"0.0 \"kg\"", 2, L"2.0 kg"},
      {L"0.00;(0.00);'zero'", -5, L"(5.00)"},
      {L"0.00;(0.00);'zero'", 0, L"zero"},
      {L"0.00;(0.00);'zero'", -0.001, L"zero"},
      {L"0.00;(0.00);'zero'", 5, L"5.00"},
      {L"0.00;;'zero'", -5, L"-5.00"},
      {L"0.00E+00", 1234.5, L"1.23E+03"},
      {L"0.0E-0", 0.00012, L"1.2E-4"},
      {L"00.0E+0", 0, L"00.0E+0"},
      {L"", 1.5, L"1.5"},
      {L"#,##", std::nan(""), L"NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.format, c.value, en), c.text) << c.format << " " << c.value;
}

TEST(FormatFloat, UsesTheSettingsSeparators) {
  TFormatSettings ru;
  ru.DecimalSeparator = L',';
  ru.ThousandSeparator = L'\xA0';
  EXPECT_EQ(FormatFloat(L"#,#0.00", 1234567.891, ru),
            L"1\xA0"
            L"234\xA0"
            L"567,89");
  EXPECT_EQ(FormatFloat(L"#,##", 1234, ru),
            L"1\xA0"
            L"234");
  TFormatSettings none;
  none.ThousandSeparator = 0;
  EXPECT_EQ(FormatFloat(L"#,##", 1234, none), L"1234");
}

TEST(FormatFloat, HugeAndOddPicturesStayWellFormed) {
  const TFormatSettings en;
  const std::wstring big = FormatFloat(L"#,##", 1e300, en);
  EXPECT_EQ(big.size(), 301u + 100u);
  EXPECT_EQ(big.substr(0, 5), L"1,000");
  EXPECT_EQ(FormatFloat(L"'unclosed", 5, en), L"unclosed");
  EXPECT_EQ(FormatFloat(L";;;", 5, en), L"5");           // an empty section shows the plain number
  EXPECT_EQ(FormatFloat(L"E+", 5, en), L"E+");           // no placeholder: text only
  EXPECT_EQ(FormatFloat(L"0.0.0", 1.25, en), L"1.2.5");  // a second point is text
}
