#include "skin/core/acntIni.h"

#include <gtest/gtest.h>

#include <climits>

namespace skin {
namespace {

const char* const kSkinText =
    "; a comment\r\n"
    "orphan=before any section\r\n"
    "[GLOBALINFO]\r\n"
    "Color=0x1F\r\n"
    "\r\n"
    "NoEquals\r\n"
    "Bad=12abc\r\n"
    "[Button]\n"
    "Key=a=b\n"
    "[\n"
    "[Button]\n"
    "Key=second\n"
    "[]\n"
    "x=1";

TEST(Ini, TextSplitsIntoSectionsAndLines) {
  const TacLines lines = acTextToLines(kSkinText);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines.back(), "x=1");

  TacIniSections sections;
  GetIniSections(lines, sections);
  ASSERT_EQ(sections.Count(), 4);
  EXPECT_EQ(sections.Name(0), "GLOBALINFO");
  EXPECT_EQ(sections.Lines(0), (TacLines{"Color=0x1F", "NoEquals", "Bad=12abc"}));
  EXPECT_EQ(sections.Lines(1), (TacLines{"Key=a=b", "["}));  // a lone "[" is a plain line
  EXPECT_EQ(sections.Name(3), "");
  EXPECT_EQ(GetIniSection("globalinfo", sections), (TacLines{"Color", "Bad"}));

  // Parsing again starts from an empty list.
  GetIniSections(acTextToLines("[A]\nk=v"), sections);
  EXPECT_EQ(sections.Count(), 1);
}

TEST(Ini, ReadStringTakesTheFirstSectionAndKeyAsTheListCompares) {
  TacIniSections loose;
  GetIniSections(acTextToLines(kSkinText), loose);
  EXPECT_EQ(ReadIniString(loose, "BUTTON", "key", "-"), "a=b");
  EXPECT_EQ(ReadIniString(loose, "GLOBALINFO", "NoEquals", "-"), "-");
  EXPECT_EQ(ReadIniString(loose, "GLOBALINFO", "Missing", "-"), "-");
  EXPECT_EQ(ReadIniString(loose, "NOSECTION", "Key", "-"), "-");

  TacIniSections strict(true);
  GetIniSections(acTextToLines(kSkinText), strict);
  EXPECT_EQ(ReadIniString(strict, "Button", "Key", "-"), "a=b");
  EXPECT_EQ(ReadIniString(strict, "BUTTON", "Key", "-"), "-");
  EXPECT_EQ(ReadIniString(strict, "Button", "KEY", "-"), "-");
}

TEST(Ini, ReadIntegerAcceptsDecimalAndHexadecimalOnly) {
  const std::pair<const char*, int> cases[] = {
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x", -7},
      {"$1F", 31},
      {"12abc", -7},
      {"-12", -12},
      {" 42", 42},
      {"42 ", -7},
      {"", -7},
      {"$FFFFFFFF", -1},
      {"2147483647", INT_MAX},
      {"2147483648", -7},
      {"-2147483648", INT_MIN},
      {"$100000000", -7},
      {"+5", 5},
      {"-", -7},
      {"$", -7},
  };
  for (const auto& [value, expected] : cases) {
    TacIniSections sections;
    GetIniSections({"[S]", std::string("K=") + value}, sections);
    EXPECT_EQ(ReadIniInteger(sections, "S", "K", -7), expected) << '"' << value << '"';
  }
  TacIniSections none;
  EXPECT_EQ(ReadIniInteger(none, "S", "K", 99), 99);
}

}  // namespace
}  // namespace skin
