// TIniFile goes to the file through the profile API at every call.
#include "classlib/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/Exception.h"
#include "classlib/StringList.h"

using namespace classlib;

TEST(IniFile, WritesAndReadsThroughTheProfileApi) {
  const auto dir = std::filesystem::temp_directory_path() / "tarvisel-rtl-inifile";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::wstring name = (dir / L"QRX.cfg").wstring();
  {
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger(L"CONNECT", L"COM", 1), 1);  // no file: the default
    ini.WriteInteger(L"CONNECT", L"COM", 3);
    ini.WriteInteger(L"COMMON", L"PageControl1", 2);
    ini.WriteString(L"COMMON", L"Text", std::wstring(3000, L'x'));
    ini.UpdateFile();
  }
  std::string bytes;
  {
    std::ifstream in(dir / "QRX.cfg", std::ios::binary);  // closed before the folder is removed
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(bytes.substr(0, 44), "[CONNECT]\r\nCOM=3\r\n[COMMON]\r\nPageControl1=2\r\n");

  TIniFile ini(name);
  EXPECT_EQ(ini.ReadInteger(L"CONNECT", L"COM", 1), 3);
  EXPECT_EQ(ini.ReadInteger(L"common", L"pagecontrol1", 0), 2);      // the profile API ignores case
  EXPECT_EQ(ini.ReadString(L"COMMON", L"Text", L"").size(), 3000u);  // longer than the first buffer
  EXPECT_EQ(ini.ReadString(L"COMMON", L"Missing", L"dflt"), L"dflt");
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.CommaText(), L"CONNECT,COMMON");
  ini.ReadSection(L"COMMON", list);
  EXPECT_EQ(list.CommaText(), L"PageControl1,Text");
  EXPECT_TRUE(ini.ValueExists(L"CONNECT", L"COM"));
  EXPECT_TRUE(ini.SectionExists(L"CONNECT"));
  ini.WriteString(L"CONNECT", L"COM", L"0x10");
  EXPECT_EQ(ini.ReadInteger(L"CONNECT", L"COM", 1), 16);
  ini.WriteString(L"CONNECT", L"COM", L"junk");
  EXPECT_EQ(ini.ReadInteger(L"CONNECT", L"COM", 1), 1);
  ini.DeleteKey(L"COMMON", L"Text");
  ini.EraseSection(L"CONNECT");
  ini.ReadSectionValues(L"COMMON", list);
  EXPECT_EQ(list.CommaText(), L"PageControl1=2");
  EXPECT_FALSE(ini.SectionExists(L"CONNECT"));

  TIniFile nowhere((dir / L"no" / L"such" / L"folder.ini").wstring());
  EXPECT_THROW(nowhere.WriteString(L"A", L"b", L"c"), EIniFileException);
  std::filesystem::remove_all(dir);
}
