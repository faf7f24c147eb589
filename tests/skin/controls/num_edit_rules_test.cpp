// The numeric edits' text rules in a US and a Russian locale, and the calculator's keys.
#include <gtest/gtest.h>

#include <string>

#include "classlib/Exception.h"
#include "skin/controls/sCalcEngine.h"
#include "skin/controls/sNumEditRules.h"
#include "skin/controls/sPopupPlace.h"

namespace skin {
namespace {

classlib::TFormatSettings Us() { return classlib::TFormatSettings::Invariant(); }
classlib::TFormatSettings Ru() {
  classlib::TFormatSettings f;
  f.DecimalSeparator = L',';
  f.ThousandSeparator = L' ';
  return f;
}

TEST(NumEditRules, TextToValText) {
  struct Case {
    bool ru;
    const wchar_t* in;
    const wchar_t* out;
  };
  const Case cases[] = {
      {false, L" 1,234.5 ", L"1234.5"}, {false, L"", L"0"},     {false, L"-", L"-0"},
      {true, L"1 234,5", L"1234,5"},    {true, L"1.5", L"1,5"}, {true, L"  ", L"0"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToValText(c.in, c.ru ? Ru() : Us()), c.out) << c.in;
}

TEST(NumEditRules, CheckValueByRangeKind) {
  struct Case {
    long double x, min, max, want;
  };
  const Case cases[] = {
      {5, 0, 0, 5},       {-7, 3, 3, -7},  // equal bounds: no limit
      {150, 0, 100, 100}, {-5, 0, 100, 0},    {5, 10, 0, 10}, {50, 10, 0, 50},
      {5, 0, -10, -10},   {-20, 0, -10, -20}, {5, 20, 10, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<double>(CheckValue(c.x, c.min, c.max)), static_cast<double>(c.want))
        << double(c.x) << " in " << double(c.min) << ".." << double(c.max);
}

TEST(NumEditRules, TextToValueHoldsTheSignedValueInTheRange) {
  EXPECT_EQ(double(TextToValue(L"-50", 0, 100, Us())), 0.0);  // no negative value in 0..100
  EXPECT_EQ(double(TextToValue(L"-50", -100, 100, Us())), -50.0);
  EXPECT_EQ(double(TextToValue(L"-150", -100, 100, Us())), -100.0);
  EXPECT_EQ(double(TextToValue(L".5", 0, 0, Us())), 0.5);
  EXPECT_EQ(double(TextToValue(L"-.5", 0, 0, Us())), -0.5);
  EXPECT_EQ(double(TextToValue(L"1.5", 0, 0, Ru())), 1.5);
  EXPECT_EQ(double(TextToValue(L"1 234,25", 0, 0, Ru())), 1234.25);
  EXPECT_EQ(double(TextToValue(L"", 10, 0, Us())), 10.0);
  EXPECT_THROW(TextToValue(L"12a", 0, 0, Us()), classlib::EConvertError);
}

TEST(NumEditRules, TypedKeys) {
  EXPECT_EQ(TypedSeparator(L'.', Ru()), L',');
  EXPECT_EQ(TypedSeparator(L',', Us()), L',');  // the thousand separator stays itself
  EXPECT_EQ(TypedSeparator(L',', Ru()), L',');
  struct Case {
    bool ru;
    const wchar_t* text;
    int selStart, selLength;
    wchar_t key;
    unsigned decimals;
    double min, max;
    bool ok;
  };
  const Case cases[] = {
      {false, L"1.2", 3, 0, L'3', 2, 0, 0, true},
      {false, L"1.23", 4, 0, L'4', 2, 0, 0, false},   // a third decimal
      {false, L"1.E2", 2, 0, L'5', 2, 0, 0, true},    // "5E" after the separator
      {false, L"1.5E2", 3, 0, L'5', 2, 0, 0, false},  // "55E"
      {false, L"", 0, 0, L'-', 2, 0, 100, false},     // no negatives in 0..100
      {false, L"", 0, 0, L'-', 2, 0, 0, true},
      {false, L"12", 0, 0, L'-', 2, -5, 5, true},
      {false, L"12", 2, 0, L'a', 2, 0, 0, false},
      {false, L"123", 0, 3, L'7', 2, 0, 0, true},   // replaces the selection
      {false, L"1.5", 3, 0, L'.', 2, 0, 0, false},  // a second separator
      {true, L"1", 1, 0, L',', 2, 0, 0, true},
      {true, L"1,25", 4, 0, L'1', 2, 0, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsValidNumChar(c.text, c.selStart, c.selLength, c.key, c.decimals, c.min, c.max, c.ru ? Ru() : Us()),
              c.ok)
        << "'" << std::string(c.text, c.text + std::wcslen(c.text)) << "' + " << char(c.key);
}

TEST(NumEditRules, EditingAndDisplayForms) {
  EXPECT_EQ(EditingText(1234.5, 2, Us()), L"1234.5");
  EXPECT_EQ(EditingText(2, 2, Us()), L"2");
  EXPECT_EQ(EditingText(1.256, 2, Us()), L"1.26");
  EXPECT_EQ(EditingText(2.5, 0, Us()), L"3");
  EXPECT_EQ(EditingText(1.25, 2, Ru()), L"1,25");
  EXPECT_EQ(DisplayText(kDefaultDisplayFormat, 1234.5, Us()), L"1 234.50");
  EXPECT_EQ(DisplayText(kDefaultDisplayFormat, -1234567.891, Us()), L"-1 234 567.89");
  EXPECT_EQ(DisplayText(kDefaultDisplayFormat, 0.5, Us()), L"0.50");
  EXPECT_EQ(DisplayText(kDefaultDisplayFormat, 0, Us()), L"0");
  EXPECT_EQ(DisplayText(kDefaultDisplayFormat, 7.5, Ru()), L"7,50");
  EXPECT_EQ(DisplayText(L"", 2.5, Us()), L"2.5");
}

// Feeds keys to a calculator; the text after them.
std::wstring Keys(TsCalcEngine& c, std::wstring_view keys, bool editor = false) {
  for (wchar_t k : keys) c.CalcKey(k, editor);
  return c.Text();
}

TEST(CalcEngine, Sequences) {
  struct Case {
    const wchar_t* keys;
    const wchar_t* display;
  };
  const Case cases[] = {
      {L"5+3=", L"8"},    {L"50+10%", L"55"},  {L"50*10%", L"5"},
      {L"50-10%", L"45"}, {L"7/0=", L"Error"}, {L"7/2=", L"3.5"},
      {L"2*3+4=", L"10"}, {L"9q", L"3"},       {L"4_Q", L"Error"},
      {L"4r", L"0.25"},   {L"0R", L"Error"},   {L"7/0=5+", L"Error"},
      {L"7/0=C", L"0"},   {L"1.5.5", L"1.55"}, {L"12\b", L"1"},
      {L"1\b\b", L"0"},   {L"5_\b", L"0"},     {L"1/3=", L"0.3333333333333333"},
      {L"3=*=", L"3"},
  };
  for (const Case& c : cases) {
    TsCalcEngine e(Us());
    e.SetPrecision(16);
    EXPECT_EQ(Keys(e, c.keys), c.display) << std::string(c.keys, c.keys + std::wcslen(c.keys));
  }
}

TEST(CalcEngine, DigitsStopAtThePrecision) {
  TsCalcEngine e(Us());
  e.SetPrecision(16);
  e.SetBeepOnError(true);
  int beeps = 0;
  e.OnBeep = [&] { ++beeps; };
  EXPECT_EQ(Keys(e, L"1234567890123456789"), L"1234567890123456");
  EXPECT_EQ(beeps, 3);
  EXPECT_EQ(Keys(e, L"C1.23456789012345678"), L"1.23456789012345");
  TsCalcEngine quiet(Us());
  quiet.SetPrecision(16);
  int silent = 0;
  quiet.OnBeep = [&] { ++silent; };
  Keys(quiet, L"12345678901234567");
  EXPECT_EQ(silent, 0);
}

TEST(CalcEngine, RequestsOfTheWindow) {
  TsCalcEngine e(Us());
  e.SetPrecision(16);
  TsCalcRequest r = e.CalcKey(27, true);  // Escape on "0": back to the edit
  EXPECT_TRUE(r.Close && r.FocusEditor && !r.Transfer);
  Keys(e, L"5");
  r = e.CalcKey(27, true);  // Escape on a number clears it
  EXPECT_FALSE(r.Close);
  EXPECT_EQ(e.Text(), L"0");
  Keys(e, L"5+2");
  r = e.CalcKey(L'=', true);
  EXPECT_TRUE(r.Transfer && r.Close);
  EXPECT_EQ(e.Text(), L"7");
  r = e.CalcKey(13, true);  // Enter on a result hands it over
  EXPECT_TRUE(r.Transfer && r.Close);
  r = e.CalcKey(L'=', false);
  EXPECT_FALSE(r.Transfer || r.Close);
  Keys(e, L"7/0");
  r = e.CalcKey(L'=', true);  // "Error" is no value: nothing goes to the edit
  EXPECT_FALSE(r.Transfer || r.Close);
  EXPECT_EQ(e.Status(), csError);
  EXPECT_TRUE(e.CalcKey(3, true).Copy == false);  // every key but C is ignored in an error
  e.CalcKey(L'c', true);
  EXPECT_TRUE(e.CalcKey(3, true).Copy);
  EXPECT_TRUE(e.CalcKey(22, true).Paste);
}

TEST(CalcEngine, MemoryAndPaste) {
  TsCalcEngine e(Ru());
  e.SetPrecision(16);
  Keys(e, L"5");
  e.MemoryStore();
  EXPECT_EQ(e.MemoryLabel(), L"M");
  Keys(e, L"C2,5");
  e.MemoryAdd();
  Keys(e, L"C");
  e.MemoryRecall();
  EXPECT_EQ(e.Text(), L"7,5");
  EXPECT_EQ(e.Status(), csValid);
  EXPECT_EQ(Keys(e, L"*2="), L"15");
  e.MemoryClear();
  EXPECT_EQ(e.MemoryLabel(), L"");
  e.Paste(L" 12,5 р.", L"р.");
  EXPECT_EQ(e.Text(), L"12,5");
  e.Paste(L"abc", L"р.");
  EXPECT_EQ(e.Text(), L"0");
}

TEST(PopupPlace, OnTheVirtualScreen) {
  using classlib::TPoint;
  using classlib::TRect;
  const TRect primary{0, 0, 1024, 768};
  const TRect leftMonitor{-1280, 0, 1024, 768};  // a monitor left of the primary
  const TRect upperMonitor{0, -768, 1024, 768};  // one above it
  struct Case {
    const char* what;
    TRect edit;
    TPopupWindowAlign align;
    TRect screen;
    TPoint at;
  };
  const Case cases[] = {
      {"below, right edges", {100, 100, 221, 121}, TPopupWindowAlign::pwaRight, primary, {24, 121}},
      {"above near the bottom", {100, 740, 221, 761}, TPopupWindowAlign::pwaRight, primary, {24, 574}},
      {"left edges near the left edge", {10, 100, 131, 121}, TPopupWindowAlign::pwaRight, primary, {10, 121}},
      {"left-aligned", {100, 100, 221, 121}, TPopupWindowAlign::pwaLeft, primary, {100, 121}},
      {"left-aligned near the right edge", {900, 100, 1021, 121}, TPopupWindowAlign::pwaLeft, leftMonitor, {824, 121}},
      {"on the left monitor", {-1275, 100, -1154, 121}, TPopupWindowAlign::pwaRight, leftMonitor, {-1275, 121}},
      {"above near the bottom, monitor above",
       {100, 700, 221, 721},
       TPopupWindowAlign::pwaRight,
       upperMonitor,
       {24, 534}},
      {"kept inside the right edge", {1000, 100, 1100, 121}, TPopupWindowAlign::pwaRight, primary, {827, 121}},
      {"kept inside the left edge", {-1300, 100, -1290, 121}, TPopupWindowAlign::pwaLeft, leftMonitor, {-1280, 121}},
  };
  for (const Case& c : cases) EXPECT_EQ(PopupWindowPlace(c.edit, 197, 166, c.align, c.screen), c.at) << c.what;
}

}  // namespace
}  // namespace skin
