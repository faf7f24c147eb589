// The settings routines over INI text held in memory and over string lists of INI text.
#include "skin/core/sStoreUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"

namespace skin {
namespace {

using classlib::TMemIniFile;
using classlib::TStringList;

// An INI object holding the text.
struct TextIni : TMemIniFile {
  explicit TextIni(std::wstring_view text) {
    TStringList lines;
    lines.SetText(text);
    SetStrings(lines);
  }
};

std::vector<std::wstring> LinesOf(const classlib::TStrings& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

// A string list holding the lines of the text.
struct TextList : TStringList {
  explicit TextList(std::wstring_view text) { SetText(text); }
};

TEST(StoreUtils, IntegerValues) {
  const TextIni ini(L"[S]\nDec=-42\nHex=$1F\nHex0x=0x10\nText=12abc\nEmpty=\nBlank= 7\n");
  struct Case {
    const wchar_t* ident;
    std::int32_t expected;
  };
  for (const Case& c : std::vector<Case>{
           {L"Dec", -42}, {L"Hex", 31}, {L"Hex0x", 16}, {L"Text", -1}, {L"Empty", 5}, {L"Missing", 5}, {L"Blank", 7}}) {
    SCOPED_TRACE(::testing::Message() << c.ident);
    EXPECT_EQ(ReadIniInteger(L"S", c.ident, 5, &ini), c.expected);
  }
  EXPECT_EQ(ReadIniInteger(L"S", L"Dec", 5, nullptr), 0);
  EXPECT_EQ(ReadIniString(L"S", L"Dec", &ini), L"-42");
  EXPECT_EQ(ReadIniString(L"S", L"Missing", &ini), L"");
  EXPECT_EQ(ReadIniString(L"S", L"Dec", nullptr), L"");
}

TEST(StoreUtils, ListsWrittenAsCountAndItems) {
  TMemIniFile ini;
  const TextList three(L"one\n\nthree");
  WriteIniStrings(L"Lists", L"Recent", three, &ini);
  TStringList stored;
  ini.ReadSectionValues(L"Lists", stored);
  EXPECT_EQ(LinesOf(stored),
            (std::vector<std::wstring>{L"RecentCount=3", L"RecentItem0=one", L"RecentItem1=", L"RecentItem2=three"}));

  TextList read(L"old");
  ReadIniStrings(read, L"Lists", L"Recent", &ini);
  EXPECT_EQ(LinesOf(read), (std::vector<std::wstring>{L"one", L"", L"three"}));

  // A shorter list leaves the items of the longer one beyond its count.
  WriteIniStrings(L"Lists", L"Recent", TextList(L"new"), &ini);
  EXPECT_EQ(ReadIniString(L"Lists", L"RecentItem2", &ini), L"three");
  ReadIniStrings(read, L"Lists", L"Recent", &ini);
  EXPECT_EQ(LinesOf(read), (std::vector<std::wstring>{L"new"}));

  // An empty list stores a count of 0, which leaves the target as it is.
  WriteIniStrings(L"Lists", L"Recent", TStringList(), &ini);
  EXPECT_EQ(ReadIniString(L"Lists", L"RecentCount", &ini), L"0");
  ReadIniStrings(read, L"Lists", L"Recent", &ini);
  EXPECT_EQ(LinesOf(read), (std::vector<std::wstring>{L"new"}));
}

TEST(StoreUtils, DamagedCountsNeverOutgrowTheSection) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> expected;
  };
  const std::vector<Case> cases{
      // Count 2000000000 with two items: at most as many lines as the section has keys (3).
      {L"[L]\nXCount=2000000000\nXItem0=a\nXItem1=b\n", {L"a", L"b", L""}},
      {L"[L]\nXCount=-5\nXItem0=a\n", {}},
      {L"[L]\nXCount=abc\nXItem0=a\n", {}},
      // A missing item reads as an empty line.
      {L"[L]\nXCount=2\nXItem1=b\n", {L"", L"b"}},
  };
  for (const Case& c : cases) {
    TextIni ini(c.text);
    TextList read(L"previous");
    ReadIniStrings(read, L"L", L"X", &ini);
    EXPECT_EQ(LinesOf(read), c.expected);
  }
}

TEST(StoreUtils, ListsInAFile) {
  testing::TempDir dir;
  const std::wstring file = (dir / "lists.ini").wstring();
  testing::WriteFile(dir / "lists.ini", "[Other]\r\nKey=kept\r\n");
  WriteIniStrings(L"Lists", L"Files", file, TextList(L"c:\\a.txt\nd:\\b.txt"));
  const std::string text = testing::ReadFile(dir / "lists.ini");
  EXPECT_NE(text.find("Key=kept"), std::string::npos);
  EXPECT_NE(text.find("FilesItem1=d:\\b.txt"), std::string::npos);

  TStringList read;
  ReadIniStrings(read, L"Lists", L"Files", file);
  EXPECT_EQ(LinesOf(read), (std::vector<std::wstring>{L"c:\\a.txt", L"d:\\b.txt"}));
  // A file that is not there reads as no list.
  ReadIniStrings(read, L"Lists", L"Files", (dir / "missing.ini").wstring());
  EXPECT_EQ(read.Count(), 2);
}

TEST(StoreUtils, SectionOfAStringList) {
  const TextList source(L"[A]\na=1\n[B]\nb=1\nb=2\n\nb=3\n[C]\nc=1\n[B]\nb=4");
  TextList dest(L"stale");
  ReadSection(source, dest, L"B");
  EXPECT_EQ(LinesOf(dest), (std::vector<std::wstring>{L"b=1", L"b=2"}));  // stops at the empty line
  ReadSection(source, dest, L"C");
  EXPECT_EQ(LinesOf(dest), (std::vector<std::wstring>{L"c=1"}));  // stops at the next header
  ReadSection(source, dest, L"b");
  EXPECT_EQ(dest.Count(), 0);  // headers match with their case
  ReadSection(source, dest, L"Z");
  EXPECT_EQ(dest.Count(), 0);
}

TEST(StoreUtils, ValueOfAStringList) {
  const TextList list(L"[main]\n[MAIN]\n\nwidth = 10\nheight=20=30\n[OTHER]\nlater=x\nname\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* name;
    const wchar_t* expected;
  };
  for (const Case& c : std::vector<Case>{{L"Main", L"width", L" 10"},    // the blank after "=" stays
                                         {L"main", L"height", L"20"},    // ends at a further "="
                                         {L"MAIN", L"later", L"x"},      // the search runs past the next header
                                         {L"main", L"Width", L""},       // names match with their case
                                         {L"main", L"name", L""},        // a line without a value
                                         {L"OTHER", L"width", L""},      // only lines after the header count
                                         {L"absent", L"width", L""}}) {  // no header
    EXPECT_EQ(ReadValue(list, c.section, c.name), c.expected);
  }
}

}  // namespace
}  // namespace skin
