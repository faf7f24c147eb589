#include "skin/core/acntPaths.h"
#include "skin/core/acntWords.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(Words, ScanningSkipsRunsOfDelimiters) {
  const TacCharSet bang{'!'};
  EXPECT_EQ(ExtractWord(2, "a!!b!c", bang), "b");
  EXPECT_EQ(ExtractWord(3, "a!b", bang), "");
  EXPECT_EQ(ExtractWord(0, "a!b", bang), "");
  EXPECT_EQ(ExtractWord(1, "!!abc!", bang), "abc");
  EXPECT_EQ(WordCount("!a!!b!", bang), 2);
  EXPECT_EQ(WordCount("", bang), 0);
  EXPECT_EQ(WordCount("!!!", bang), 0);
  EXPECT_EQ(WordPosition(2, "a!!b!c", bang), 4);
  EXPECT_EQ(WordPosition(1, "!!a", bang), 3);
  EXPECT_EQ(WordPosition(4, "a!!b!c", bang), 0);
  // A skin image value, split at '!': file name, count, mask type, margins.
  const std::string value = "BTN.BMP!3!1!4!4!4!4!0";
  EXPECT_EQ(WordCount(value, bang), 8);
  EXPECT_EQ(ExtractWord(1, value, bang), "BTN.BMP");
  EXPECT_EQ(ExtractWord(8, value, bang), "0");
  EXPECT_EQ(ExtractWord(2, std::wstring_view(L"Кнопка!3"), bang), L"3");
}

TEST(Words, WideFormsTestTheLowByteOfCharactersUpToU044F) {
  const TacCharSet bang{'!'};
  // U+0421 has 0x21 ('!') as its low byte and is below U+0450: a delimiter for the ac forms only.
  EXPECT_EQ(acWordCount(L"a\u0421b", bang), 2);
  EXPECT_EQ(WordCount(std::wstring_view(L"a\u0421b"), bang), 1);
  // U+0521 is above U+044F: never a delimiter.
  EXPECT_EQ(acWordCount(L"a\u0521b", bang), 1);
  EXPECT_EQ(acWordPosition(2, L"!!x!!yy", bang), 6);
  EXPECT_EQ(acWordPosition(3, L"!!x!!yy", bang), 0);
}

TEST(Words, FindingWords) {
  const TacCharSet space{' '};
  EXPECT_EQ(GetWordNumber(L"cd", L"ab cd cd", space), 2);
  EXPECT_EQ(GetWordNumber(L"c", L"ab cd", space), -1);
  EXPECT_TRUE(IsWordPresent(L"ab", L"  ab", space));
  int pos = 1;
  const TacCharSet comma{','};
  EXPECT_EQ(ExtractSubStr(L"ab,,cd", pos, comma), L"ab");
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(ExtractSubStr(L"ab,,cd", pos, comma), L"");
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(ExtractSubStr(L"ab,,cd", pos, comma), L"cd");
  EXPECT_EQ(pos, 7);
  EXPECT_TRUE(IsEmptyStr(L"", space));
  EXPECT_TRUE(IsEmptyStr(L" \t ", TacCharSet{' ', '\t'}));
  EXPECT_FALSE(IsEmptyStr(L" x", space));
}

TEST(Words, StringEdits) {
  EXPECT_EQ(ReplaceStr(std::wstring_view(L"aaa"), L"aa", L"a"), L"aa");  // no rescanning
  EXPECT_EQ(ReplaceStr(std::wstring_view(L"xax"), L"x", L"xx"), L"xxaxx");
  EXPECT_EQ(ReplaceStr(std::wstring_view(L"abc"), L"", L"z"), L"abc");
  EXPECT_EQ(DelChars(std::wstring_view(L"a-b-c"), L'-'), L"abc");
  EXPECT_EQ(DelBSpace(std::wstring_view(L"  a b  ")), L"a b  ");
  EXPECT_EQ(DelESpace(std::wstring_view(L"  a b  ")), L"  a b");
  EXPECT_EQ(DelRSpace(std::wstring_view(L"\t a \t")), L"\t a \t");  // only the character 32
  EXPECT_EQ(CorrectString(L" it's\r\n\u040E "), L"it`s  I");
  EXPECT_EQ(AnsiProperCase(L"hELLO wORLD-foo", TacCharSet{' ', '-'}), L"Hello World-Foo");
  EXPECT_EQ(AnsiProperCase(L"пРИВЕТ мир", TacCharSet{' '}), L"Привет Мир");
  EXPECT_TRUE(SubStrInclude(L"ИР", L"мир", true));
  EXPECT_FALSE(SubStrInclude(L"ИР", L"мир", false));
  EXPECT_EQ(MakeStr('x', 3), "xxx");
  EXPECT_EQ(MakeStr('x', -1), "");
  std::wstring filled = L"old";
  acFillString(filled, 2, L'ж');
  EXPECT_EQ(filled, L"жж");
  EXPECT_EQ(acMakeString(L'y', 0), L"");
  EXPECT_EQ(AddChar(L'0', L"7", 3), L"007");
  EXPECT_EQ(AddCharR(L'0', L"7", 3), L"700");
  EXPECT_EQ(AddChar(L'0', L"1234", 3), L"1234");
}

TEST(Words, SameTextIgnoresCaseOfLatinAndCyrillicLetters) {
  EXPECT_TRUE(acSameText(std::string_view("OPTIONS.DAT"), std::string_view("options.dat")));
  EXPECT_TRUE(acSameText(std::string_view("\xC0\xA8"), std::string_view("\xE0\xB8")));  // "АЁ", "аё" in 1251
  EXPECT_FALSE(acSameText(std::string_view("options.da"), std::string_view("options.dat")));
  EXPECT_TRUE(acSameText(std::wstring_view(L"Ёлка"), std::wstring_view(L"ёЛКА")));
  EXPECT_FALSE(acSameText(std::wstring_view(L"a"), std::wstring_view(L"b")));
}

TEST(Paths, NormalDirAndValidFileName) {
  EXPECT_EQ(NormalDir(L"C"), L"C:\\");
  EXPECT_EQ(NormalDir(L"C:\\x/"), L"C:\\x\\");
  EXPECT_EQ(NormalDir(L""), L"");
  EXPECT_EQ(NormalDir(L"C:\\Skins"), L"C:\\Skins\\");
  EXPECT_EQ(NormalDir(L"C:\\Skins\\"), L"C:\\Skins\\");
  EXPECT_TRUE(ValidFileName(L"Options.dat"));
  for (const wchar_t* bad : {L"", L"a<b", L"a>b", L"a\"b", L"a|b", L"a*", L"a?", L"a/b"})
    EXPECT_FALSE(ValidFileName(bad));
}

}  // namespace
}  // namespace skin
