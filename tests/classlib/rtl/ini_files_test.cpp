#include "classlib/IniFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

using namespace classlib;

namespace {

std::unique_ptr<TMemIniFile> FromText(const std::wstring& text, bool caseSensitive = false) {
  auto ini = std::make_unique<TMemIniFile>();
  ini->SetCaseSensitive(caseSensitive);
  TStringList lines;
  lines.SetText(text);
  ini->SetStrings(lines);
  return ini;
}

std::wstring Listed(void (TMemIniFile::*read)(const std::wstring&, TStrings&) const, const TMemIniFile& ini,
                    const std::wstring& section) {
  TStringList out;
  (ini.*read)(section, out);
  return out.CommaText();
}

}  // namespace

TEST(MemIniFile, ReadsTheTextAsTheSkinFilesWriteIt) {
  const auto holder = FromText(
      L"stray=before any section\r\n"
      L"[GLOBALINFO]\r\n"
      L"  VERSION = 7.5  \r\n"
      L"; a comment\r\n"
      L"\r\n"
      L"NAME=Тёмная=тема\r\n"
      L"FLAG\r\n"
      L"EMPTY=\r\n"
      L"[BUTTON]\r\n"
      L"COLOR=$00FF00\r\n"
      L"[GLOBALINFO]\r\n"
      L"LATE=1\r\n");
  TMemIniFile& ini = *holder;
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"VERSION", L"-"), L"7.5");
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"NAME", L"-"), L"Тёмная=тема");
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"EMPTY", L"-"), L"");
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"FLAG", L"-"), L"-");  // a line without '=' is no key
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"stray", L"-"), L"-");
  EXPECT_EQ(ini.ReadString(L"GLOBALINFO", L"LATE", L"-"), L"1");  // the repeated section continues
  EXPECT_EQ(ini.ReadString(L"globalinfo", L"version", L"-"), L"7.5");
  EXPECT_EQ(Listed(&TMemIniFile::ReadSection, ini, L"GLOBALINFO"), L"VERSION,NAME,EMPTY,LATE");
  EXPECT_EQ(Listed(&TMemIniFile::ReadSectionValues, ini, L"GLOBALINFO"),
            L"VERSION=7.5,NAME=Тёмная=тема,FLAG,EMPTY=,LATE=1");
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections.CommaText(), L"GLOBALINFO,BUTTON");
  EXPECT_TRUE(ini.ValueExists(L"BUTTON", L"COLOR"));
  EXPECT_FALSE(ini.ValueExists(L"BUTTON", L"FLAG"));
  EXPECT_FALSE(ini.SectionExists(L"EDIT"));
}

TEST(MemIniFile, CaseSensitivityKeepsLookAlikeNamesApart) {
  const auto holder = FromText(L"[FORM]\nCOLOR=1\nColor=2\n[Form]\nCOLOR=3\n", true);
  TMemIniFile& ini = *holder;
  EXPECT_EQ(ini.ReadString(L"FORM", L"COLOR", L""), L"1");
  EXPECT_EQ(ini.ReadString(L"FORM", L"Color", L""), L"2");
  EXPECT_EQ(ini.ReadString(L"Form", L"COLOR", L""), L"3");
  EXPECT_EQ(ini.ReadString(L"form", L"COLOR", L"none"), L"none");
  const auto foldedHolder = FromText(L"[FORM]\nCOLOR=1\nColor=2\n[Form]\nCOLOR=3\n");
  const TMemIniFile& folded = *foldedHolder;
  EXPECT_EQ(folded.ReadString(L"form", L"color", L""), L"1");
  TStringList sections;
  folded.ReadSections(sections);
  EXPECT_EQ(sections.Count(), 1);
}

TEST(MemIniFile, TypedValues) {
  const auto holder = FromText(L"[V]\nhex=$FF\nc=0x1F\nneg=-5\nbad=12a\nempty=\nbig=99999999999\nf=2.5\nfbad=2,5\n");
  TMemIniFile& ini = *holder;
  EXPECT_EQ(ini.ReadInteger(L"V", L"hex", 0), 255);
  EXPECT_EQ(ini.ReadInteger(L"V", L"c", 0), 31);
  EXPECT_EQ(ini.ReadInteger(L"V", L"neg", 0), -5);
  EXPECT_EQ(ini.ReadInteger(L"V", L"bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"V", L"empty", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"V", L"big", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"V", L"missing", 7), 7);
  EXPECT_TRUE(ini.ReadBool(L"V", L"neg", false));
  EXPECT_FALSE(ini.ReadBool(L"X", L"missing", false));
  EXPECT_TRUE(ini.ReadBool(L"V", L"bad", true));
  TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::Invariant();
  EXPECT_EQ(ini.ReadFloat(L"V", L"f", 0), 2.5);
  EXPECT_EQ(ini.ReadFloat(L"V", L"fbad", -1), -1);
  ini.WriteFloat(L"V", L"w", 0.25);
  ini.WriteBool(L"V", L"b", true);
  ini.WriteInteger(L"V", L"i", -42);
  FormatSettings = saved;
  EXPECT_EQ(ini.ReadString(L"V", L"w", L""), L"0.25");
  EXPECT_EQ(ini.ReadString(L"V", L"b", L""), L"1");
  EXPECT_EQ(ini.ReadString(L"V", L"i", L""), L"-42");
}

TEST(MemIniFile, EditsAndWritesTheFileBack) {
  const auto dir = std::filesystem::temp_directory_path() / "tarvisel-rtl-ini";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::wstring name = dir.wstring() + L"/QRX.cfg";
  {
    TMemIniFile ini(name);  // no file yet
    EXPECT_FALSE(ini.SectionExists(L"CONNECT"));
    ini.WriteInteger(L"CONNECT", L"COM", 3);
    ini.WriteInteger(L"COMMON", L"PageControl1", 2);
    ini.WriteString(L"COMMON", L"Note", L"Порт");
    ini.WriteInteger(L"connect", L"com", 5);  // the same key, ignoring case
    ini.UpdateFile();
  }
  std::string bytes;
  {
    std::ifstream in(dir / "QRX.cfg", std::ios::binary);  // closed before the folder is removed
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(bytes, "[CONNECT]\r\nCOM=5\r\n\r\n[COMMON]\r\nPageControl1=2\r\nNote=\xCF\xEE\xF0\xF2\r\n\r\n");

  TMemIniFile again(name);
  EXPECT_EQ(again.ReadInteger(L"CONNECT", L"COM", 1), 5);
  EXPECT_EQ(again.ReadString(L"COMMON", L"Note", L""), L"Порт");
  again.DeleteKey(L"COMMON", L"Note");
  again.EraseSection(L"CONNECT");
  EXPECT_FALSE(again.ValueExists(L"COMMON", L"Note"));
  EXPECT_FALSE(again.SectionExists(L"CONNECT"));
  again.WriteString(L"EMPTY", L"k", L"v");
  again.DeleteKey(L"EMPTY", L"k");
  EXPECT_TRUE(again.SectionExists(L"EMPTY"));  // the header stays
  TStringList lines;
  again.GetStrings(lines);
  EXPECT_EQ(lines.CommaText(), L"[COMMON],PageControl1=2,,[EMPTY],");

  again.Rename(dir.wstring() + L"/missing.ini", true);
  EXPECT_FALSE(again.SectionExists(L"COMMON"));
  // Without a name there is nowhere to write: nothing appears on the disk, the values stay.
  const auto listing = [] {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path());
    std::sort(names.begin(), names.end());
    return names;
  };
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  const auto before = listing();
  TMemIniFile nameless;
  nameless.WriteString(L"A", L"b", L"c");
  nameless.UpdateFile();
  EXPECT_EQ(listing(), before);
  std::filesystem::current_path(cwd);
  EXPECT_EQ(nameless.ReadString(L"A", L"b", L""), L"c");
  TMemIniFile unwritable(dir.wstring() + L"/no/such/folder.ini");
  unwritable.WriteString(L"A", L"b", L"c");
  EXPECT_THROW(unwritable.UpdateFile(), EFCreateError);
  std::filesystem::remove_all(dir);
}
