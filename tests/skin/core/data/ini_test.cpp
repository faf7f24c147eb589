#include <gtest/gtest.h>

#include "skin/core/acSkinIni.h"

namespace skin {
namespace {

TEST(SkinIni, SectionsKeysAndLineRules) {
  const TacSkinIni ini(
      "ignored=before any section\r\n"
      "; a comment\n"
      "  [GLOBALINFO]  \r"
      "VERSION = 7.5\r\n"
      "  AUTHOR=  Студия \t\n"
      "no equals sign\n"
      "=no name\n"
      "[BUTTON]\n"
      "COLOR=1\n"
      "COLOR=2\n"
      "[ EDIT ]\n"
      "[BUTTON]\n"
      "STATES=3\n");
  ASSERT_EQ(ini.SectionCount(), 3);
  EXPECT_EQ(ini.Sections()[0].Name, "GLOBALINFO");
  EXPECT_EQ(ini.Sections()[1].Name, "BUTTON");
  EXPECT_EQ(ini.Sections()[2].Name, "EDIT");
  EXPECT_EQ(ini.ReadString("GLOBALINFO", "VERSION", ""), "7.5");
  EXPECT_EQ(ini.ReadString("GLOBALINFO", "AUTHOR", ""), "Студия");
  EXPECT_EQ(ini.Sections()[0].Keys.size(), 2u);
  // The first of two equal keys counts; a repeated header continues the first section.
  EXPECT_EQ(ini.ReadInteger("BUTTON", "COLOR", 0), 1);
  EXPECT_EQ(ini.ReadInteger("BUTTON", "STATES", 0), 3);
  EXPECT_EQ(ini.Find("GLOBALINFO", "ignored"), nullptr);
}

TEST(SkinIni, NamesAreCaseSensitive) {
  const TacSkinIni ini("[BUTTON]\nCOLOR=5\n");
  EXPECT_TRUE(ini.SectionExists("BUTTON"));
  EXPECT_FALSE(ini.SectionExists("button"));
  EXPECT_EQ(ini.ReadInteger("BUTTON", "color", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Button", "COLOR", -1), -1);
}

TEST(SkinIni, IntegerForms) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"42", true, 42},
      {" -7 ", true, -7},
      {"+3", true, 3},
      {"$1F", true, 31},
      {"0x1f", true, 31},
      {"0XFF", true, 255},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"$100000000", false, 0},
      {"", false, 0},
      {"12a", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"1 2", false, 0},
      {"--1", false, 0},
      {"1.5", false, 0},
  };
  for (const Case& c : cases) {
    int v = 12345;
    EXPECT_EQ(ParseSkinInteger(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : 12345) << c.text;
  }
  const TacSkinIni ini("[S]\nA=abc\nB=$10\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", 9), 9);
  EXPECT_EQ(ini.ReadInteger("S", "B", 9), 16);
  EXPECT_EQ(ini.ReadInteger("S", "C", 9), 9);
}

TEST(SkinIni, BooleansAndReals) {
  const TacSkinIni ini("[S]\nT1=1\nT2=true\nT3=TRUE\nF1=yes\nF2=0\nF3=2\nV1=7.45\nV2=7,45\nV3=8\nV4=-1e1\nV5=inf\n");
  for (const char* key : {"T1", "T2", "T3"}) EXPECT_TRUE(ini.ReadBool("S", key, false)) << key;
  for (const char* key : {"F1", "F2", "F3"}) EXPECT_FALSE(ini.ReadBool("S", key, true)) << key;
  EXPECT_TRUE(ini.ReadBool("S", "MISSING", true));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "V1", 0), 7.45);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "V2", 0), 0);  // the decimal separator is always '.'
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "V3", 0), 8);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "V4", 0), -10);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "V5", 1), 1);
}

TEST(SkinIni, UpperCaseOfCyrillicText) {
  EXPECT_EQ(SkinUpperCase("master.bmp"), "MASTER.BMP");
  // "ёжик" in code page 1251 -> "ЁЖИК".
  EXPECT_EQ(SkinUpperCase("\xB8\xE6\xE8\xEA"), "\xA8\xC6\xC8\xCA");
}

}  // namespace
}  // namespace skin
