#include "app/Confsave.h"

#include <gtest/gtest.h>

#include "classlib/StringList.h"

using namespace app;
namespace {

SavedSettings Read(const std::wstring& text, SavedSettings start = {}) {
  classlib::TMemIniFile ini;
  classlib::TStringList lines;
  lines.SetText(text);
  ini.SetStrings(lines);
  ReadSettings(ini, start);
  return start;
}

TEST(Confsave, ReadsPortAndPage) {
  const SavedSettings s = Read(L"[CONNECT]\nCOM=3\n[COMMON]\nPageControl1=2\n");
  EXPECT_EQ(s.comNumber, 3);
  EXPECT_EQ(s.pageIndex, 2);
}

TEST(Confsave, MissingOrUnusableValuesKeepTheDefaults) {
  const struct {
    const wchar_t* text;
    int com, page;
  } cases[] = {
      {L"", 1, 0},
      {L"[CONNECT]\nCOM=0\n", 1, 0},
      {L"[CONNECT]\nCOM=-4\n", 1, 0},
      {L"[CONNECT]\nCOM=abc\n[COMMON]\nPageControl1=x\n", 1, 0},
      // Not a port that opens, but the number is kept; the port layer refuses it later.
      {L"[CONNECT]\nCOM=40\n", 40, 0},
      {L"[COMMON]\nPageControl1=7\n", 1, 7},
  };
  for (const auto& c : cases) {
    const SavedSettings s = Read(c.text);
    EXPECT_EQ(s.comNumber, c.com) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(s.pageIndex, c.page) << testing::PrintToString(std::wstring(c.text));
  }
  // A port number already chosen stays when the file gives none.
  EXPECT_EQ(Read(L"[CONNECT]\nCOM=0\n", {5, 0}).comNumber, 5);
}

TEST(Confsave, WritesBothKeysThatReadBack) {
  classlib::TMemIniFile ini;
  WriteSettings(ini, {5, 2});
  classlib::TStringList lines;
  ini.GetStrings(lines);
  const int connect = lines.IndexOf(L"[CONNECT]"), common = lines.IndexOf(L"[COMMON]");
  ASSERT_GE(connect, 0);
  EXPECT_EQ(lines.IndexOf(L"COM=5"), connect + 1);
  ASSERT_GT(common, connect);
  EXPECT_EQ(lines.IndexOf(L"PageControl1=2"), common + 1);
  SavedSettings back;
  ReadSettings(ini, back);
  EXPECT_EQ(back.comNumber, 5);
  EXPECT_EQ(back.pageIndex, 2);
}

}  // namespace
