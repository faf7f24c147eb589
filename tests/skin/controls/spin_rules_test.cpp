// The spin edits' and the time picker's rules without a window: bounds, saturated steps, the
// characters each field takes, and the time text with its steps and digit rules.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "skin/controls/sSpinRules.h"

namespace skin {
namespace {

std::string Narrow(std::wstring_view w) { return std::string(w.begin(), w.end()); }

TEST(SpinRules, IntegerBounds) {
  struct Case {
    int v, min, max, expected;
  };
  const Case cases[] = {
      {-5, 0, 10, 0}, {15, 0, 10, 10},        {7, 0, 10, 7},  // both bounds
      {-5, 0, 0, -5}, {123456, 0, 0, 123456},                 // both 0: no bound
      {-5, 1, 0, 1},  {500, 1, 0, 500},                       // only a minimum
      {-5, 0, 3, 0},  {4, 0, 3, 3},                           // MinValue 0 differs from MaxValue
      {2, 5, 5, 5},   {9, 5, 5, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpinCheckValue(c.v, c.min, c.max), c.expected) << c.v << " in " << c.min << ".." << c.max;
}

TEST(SpinRules, StepsSaturateAtTheIntegerRange) {
  EXPECT_EQ(SaturatedAdd(5, 3), 8);
  EXPECT_EQ(SaturatedAdd(INT_MAX - 1, 5), INT_MAX);
  EXPECT_EQ(SaturatedAdd(INT_MIN + 1, -5), INT_MIN);
  EXPECT_EQ(SaturatedAdd(0, std::int64_t(INT_MAX) * 3), INT_MAX);
  EXPECT_EQ(SaturatedAdd(INT_MAX, std::int64_t(INT_MIN) * 4), INT_MIN);
  EXPECT_EQ(WheelSteps(120), 1);
  EXPECT_EQ(WheelSteps(60), 0);
  EXPECT_EQ(WheelSteps(-240), -2);
}

TEST(SpinRules, IntegerEditCharacters) {
  struct Case {
    wchar_t c;
    const wchar_t* text;
    int selStart, selLength, min;
    bool editor;
    bool taken;
  };
  const Case cases[] = {
      {L'5', L"12", 2, 0, 0, true, true},   {L'a', L"12", 2, 0, 0, true, false},
      {L'.', L"12", 2, 0, 0, true, false},  {L'\r', L"12", 2, 0, 0, true, false},
      {L'\b', L"12", 2, 0, 0, true, true},  {L'\x1b', L"12", 2, 0, 0, true, true},
      {L'-', L"12", 0, 0, 0, true, true},   {L'-', L"12", 1, 0, 0, true, false},
      {L'-', L"12", 0, 0, 1, true, false},  // a minimum above 0 takes no sign
      {L'-', L"-12", 0, 0, 0, true, false}, {L'-', L"-12", 0, 2, 0, true, true},
      {L'5', L"12", 2, 0, 0, false, false}, {L'\b', L"12", 2, 0, 0, false, false},
  };
  for (const Case& c : cases) {
    const wchar_t got = SpinEditValidChar(c.c, {c.text, c.selStart, c.selLength, c.editor}, c.min);
    EXPECT_EQ(got != 0, c.taken) << int(c.c) << " into " << Narrow(c.text) << " at " << c.selStart;
  }
}

TEST(SpinRules, DecimalBoundsAndCharacters) {
  EXPECT_EQ(DecimalCheckValue(-5, 0, 10), -5) << "a minimum of 0 is no bound";
  EXPECT_EQ(DecimalCheckValue(15, 0, 10), 10);
  EXPECT_EQ(DecimalBoundValue(-5, 0, 10), 0) << "a value set is kept in the range";
  EXPECT_EQ(DecimalBoundValue(-5, 0, 0), -5);
  EXPECT_EQ(DecimalBoundValue(12.5, 3, 1), 12.5);
  struct Case {
    wchar_t c;
    const wchar_t* text;
    int selStart, selLength, places;
    bool system;
    bool taken;
  };
  const Case cases[] = {
      {L',', L"12", 2, 0, 2, true, true},   {L'.', L"12", 2, 0, 2, true, false},  // system separator ','
      {L',', L"1,2", 3, 0, 2, true, false}, {L',', L"12", 2, 0, 0, true, false}, {L',', L"1.2", 3, 0, 2, false, false},
      {L'.', L"12", 2, 0, 2, false, true},  {L',', L"1,2", 0, 3, 2, true, true}, {L',', L"-12", 0, 0, 2, true, false},
      {L'-', L"12", 0, 0, 2, true, true},   {L'+', L"12", 1, 0, 2, true, false}, {L'-', L"-12", 0, 0, 2, true, false},
      {L'-', L"-12", 0, 3, 2, true, true},  {L'7', L"12", 2, 0, 2, true, true},  {L'x', L"12", 2, 0, 2, true, false},
      {L'\r', L"12", 2, 0, 2, true, false},
  };
  for (const Case& c : cases) {
    const wchar_t got = DecimalSpinValidChar(c.c, {c.text, c.selStart, c.selLength, true}, c.places, L',', c.system);
    EXPECT_EQ(got != 0, c.taken) << char(c.c) << " into " << Narrow(c.text) << " at " << c.selStart;
  }
  EXPECT_EQ(DecimalSpinValidChar(L'7', {L"12", 2, 0, false}, 2, L',', true), 0);
  EXPECT_EQ(DecimalText(3.14159, 2, L','), L"3,14");
  EXPECT_EQ(DecimalText(-2, 3, L'.'), L"-2.000");
}

TEST(SpinRules, TimeTextDecodesOnlyDigits) {
  TTimeFields t;
  ASSERT_TRUE(DecodeTimeText(L"12:34:56", true, t));
  EXPECT_EQ(t.Hour, 12);
  EXPECT_EQ(t.Min, 34);
  EXPECT_EQ(t.Sec, 56);
  ASSERT_TRUE(DecodeTimeText(L"07:05", false, t));
  EXPECT_EQ(t.Sec, 0);
  t = {1, 2, 3};
  EXPECT_FALSE(DecodeTimeText(L"1a:00:00", true, t));
  EXPECT_FALSE(DecodeTimeText(L"12:3", false, t));
  EXPECT_EQ(t.Hour, 1) << "nothing read from a bad text";
  EXPECT_EQ(TimeText({9, 5, 7}, true), L"09:05:07");
  EXPECT_EQ(TimeText({23, 59, 0}, false), L"23:59");
}

TEST(SpinRules, TimeStepsCarryAndWrap) {
  struct Case {
    TTimeFields from;
    TacTimePortion portion;
    int delta, maxHour;
    TTimeFields to;
  };
  using P = TacTimePortion;
  const Case cases[] = {
      {{23, 59, 59}, P::tvSeconds, 1, 24, {0, 0, 0}},
      {{0, 0, 0}, P::tvMinutes, -1, 24, {23, 59, 0}},
      {{0, 0, 0}, P::tvSeconds, -1, 24, {23, 59, 59}},
      {{11, 0, 0}, P::tvHours, 1, 12, {0, 0, 0}},
      {{0, 0, 0}, P::tvHours, -1, 12, {11, 0, 0}},
      {{10, 59, 0}, P::tvMinutes, 1, 24, {11, 0, 0}},
      // An hour past the 12-hour range (typed as 23) comes into it, not to 12.
      {{23, 0, 0}, P::tvHours, 1, 12, {0, 0, 0}},
      {{23, 0, 0}, P::tvHours, -1, 12, {10, 0, 0}},
  };
  for (const Case& c : cases) {
    TTimeFields t = c.from;
    StepTime(t, c.portion, c.delta, c.maxHour);
    EXPECT_EQ(TimeText(t, true), TimeText(c.to, true)) << TimeText(c.from, true).size() << int(c.portion);
  }
  EXPECT_EQ(PortionAt(0), P::tvHours);
  EXPECT_EQ(PortionAt(2), P::tvHours);
  EXPECT_EQ(PortionAt(3), P::tvMinutes);
  EXPECT_EQ(PortionAt(5), P::tvMinutes);
  EXPECT_EQ(PortionAt(6), P::tvSeconds);
}

TEST(SpinRules, TimeDigits) {
  struct Case {
    const wchar_t* text;
    int pos;
    wchar_t digit;
    bool accepted, hour23;
  };
  const Case cases[] = {
      {L"10:15:00", 1, L'7', false, false},                                        // an hour never starts with 3..9
      {L"10:15:00", 1, L'2', true, false},  {L"10:15:00", 4, L'9', false, false},  // 95 minutes
      {L"10:15:00", 4, L'5', true, false},  {L"10:15:00", 8, L'9', true, false},  {L"10:15:00", 7, L'6', false, false},
      {L"20:15:00", 2, L'5', true, true},   {L"09:15:00", 1, L'2', true, true},   {L"10:15:00", 2, L'x', false, false},
  };
  for (const Case& c : cases) {
    const TTimeDigit d = TimeDigitAt(c.text, c.pos, c.digit);
    EXPECT_EQ(d.Accepted, c.accepted) << Narrow(c.text) << " " << c.pos << " " << char(c.digit);
    EXPECT_EQ(d.Hour23, c.hour23) << Narrow(c.text) << " " << c.pos << " " << char(c.digit);
  }
}

}  // namespace
}  // namespace skin
