// The settings routines that go to the system: INI files through the profile API, fonts in INI
// text, the registry and the placement of a form; run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/skin/core/OwnedObject.h"

#include <memory>
#include <string>

#include "TempDir.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/IniFiles.h"
#include "classlib/Registry.h"
#include "classlib/StringList.h"
#include "skin/core/sStoreUtilsWin32.h"

namespace skin {
namespace {

using namespace classlib;
using skin::testing::Owned;

TEST(StoreUtilsWin32, ValuesInAnIniFile) {
  testing::TempDir dir;
  const std::wstring file = (dir / "values.ini").wstring();
  WriteIniStr(L"Port", L"Name", L"COM3", file);
  WriteIniStr(L"Port", L"Speed", L"9600", file);
  WriteIniStr(L"Port", L"Bad", L"96x", file);
  const std::string text = testing::ReadFile(dir / "values.ini");
  EXPECT_NE(text.find("[Port]"), std::string::npos);
  EXPECT_NE(text.find("Name=COM3"), std::string::npos);

  EXPECT_EQ(ReadIniString(L"Port", L"Name", file), L"COM3");
  EXPECT_EQ(ReadIniString(L"Port", L"Missing", file), L"");
  EXPECT_EQ(ReadIniInteger(L"Port", L"Speed", 1, file), 9600);
  EXPECT_EQ(ReadIniInteger(L"Port", L"Bad", 1, file), -1);
  EXPECT_EQ(ReadIniInteger(L"Port", L"Missing", 1, file), 1);
  EXPECT_EQ(ReadIniInteger(L"Port", L"Speed", 1, (dir / "missing.ini").wstring()), 1);
}

TEST(StoreUtilsWin32, FontsInIniText) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(11);
  font.SetColor(-16777201);  // a system colour: negative
  font.SetStyle(TFontStyles{fsBold, fsStrikeOut});
  TMemIniFile ini;
  WriteIniFont(L"Fonts", L"Title", font, &ini);
  TStringList values;
  ini.ReadSectionValues(L"Fonts", values);
  EXPECT_EQ(values.Text(),
            L"Title_Color=-16777201\r\nTitle_Name=Tahoma\r\nTitle_Size=11\r\nTitle_Bold=1\r\nTitle_Italic=0\r\n"
            L"Title_Underline=0\r\nTitle_StrikeOut=1\r\n");

  TFont read;
  read.SetStyle(TFontStyles{fsItalic});
  ReadIniFont(L"Fonts", L"Title", read, &ini);
  EXPECT_EQ(read.Name(), L"Tahoma");
  EXPECT_EQ(read.Size(), 11);
  EXPECT_EQ(read.Color(), -16777201);
  EXPECT_EQ(read.Style(), (TFontStyles{fsBold, fsItalic, fsStrikeOut}));  // a style already set stays

  // Absent keys give colour 0 and size 8; a colour that is no number reads as -1.
  ini.WriteString(L"Other", L"X_Color", L"red");
  TFont other;
  other.SetSize(20);
  ReadIniFont(L"Other", L"X", other, &ini);
  EXPECT_EQ(other.Color(), -1);
  EXPECT_EQ(other.Size(), 8);
  EXPECT_TRUE(other.Style().Empty());
}

// A key of its own under HKEY_CURRENT_USER, removed with everything in it.
class RegistryKey : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }
  const std::wstring key_ = L"Software\\TarviselTest\\Store" + std::to_wstring(GetCurrentProcessId());
};

TEST_F(RegistryKey, StringsAndIntegers) {
  const std::wstring sub = key_ + L"\\Skins";
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sub, L"Dir"), L"");
  WriteRegString(HKEY_CURRENT_USER, sub, L"Dir", L"c:\\Скины");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sub, L"Dir"), L"c:\\Скины");

  // Read back by the system's own reader.
  wchar_t buffer[64] = {};
  DWORD size = sizeof buffer;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, sub.c_str(), L"Dir", RRF_RT_REG_SZ, nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, L"c:\\Скины");

  WriteRegInteger(sub, L"Count", -2);
  DWORD value = 0;
  size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, sub.c_str(), L"Count", RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 0xFFFFFFFEu);
  // An integer value is no string.
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sub, L"Count"), L"");

  DeleteRegParam(HKEY_CURRENT_USER, sub, L"Dir");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, sub, L"Dir"), L"");
  EXPECT_NO_THROW(DeleteRegParam(HKEY_CURRENT_USER, sub, L"Dir"));
  EXPECT_NO_THROW(DeleteRegParam(HKEY_CURRENT_USER, key_ + L"\\Missing", L"Dir"));
}

TEST_F(RegistryKey, AKeyThatCannotBeCreatedRaises) {
  // A key name is at most 255 characters long.
  EXPECT_THROW(WriteRegString(HKEY_CURRENT_USER, key_ + L"\\" + std::wstring(300, L'k'), L"Dir", L"x"),
               ERegistryException);
  EXPECT_THROW(WriteRegInteger(key_ + L"\\" + std::wstring(300, L'k'), L"Dir", 1), ERegistryException);
}

class FormPlacement : public ::testing::Test {
 protected:
  Owned<TForm> NewForm() {
    Owned<TForm> form{Create<TForm>(nullptr)};
    form->SetName(L"PlacedForm");
    form->SetBounds(40, 30, 320, 240);
    return form;
  }
  std::wstring StoredValue(const wchar_t* key) const {
    return TMemIniFile(file_).ReadString(L"PlacedForm", key, L"absent");
  }
  testing::TempDir dir_;
  const std::wstring file_ = (dir_ / "placement.ini").wstring();
};

TEST_F(FormPlacement, NormalFormRoundTrips) {
  Owned<TForm> form = NewForm();
  form->SetBounds(15, 25, 410, 290);
  SaveFormPlacement(*form, file_);
  EXPECT_EQ(StoredValue(L"Left"), L"15");
  EXPECT_EQ(StoredValue(L"Top"), L"25");
  EXPECT_EQ(StoredValue(L"Width"), L"410");
  EXPECT_EQ(StoredValue(L"Height"), L"290");
  EXPECT_EQ(StoredValue(L"State"), L"0");

  Owned<TForm> restored = NewForm();
  RestoreFormPlacement(*restored, file_);
  EXPECT_EQ(restored->WindowState(), wsNormal);
  EXPECT_EQ(restored->Left(), 15);
  EXPECT_EQ(restored->Top(), 25);
  EXPECT_EQ(restored->Width(), 410);
  EXPECT_EQ(restored->Height(), 290);
}

TEST_F(FormPlacement, MaximisedFormKeepsItsOwnBounds) {
  WriteIniStr(L"PlacedForm", L"State", L"2", file_);
  WriteIniStr(L"PlacedForm", L"Left", L"5", file_);
  WriteIniStr(L"PlacedForm", L"Width", L"999", file_);
  Owned<TForm> form = NewForm();
  RestoreFormPlacement(*form, file_);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  form->SetWindowState(wsNormal);
  EXPECT_EQ(form->Left(), 40);
  EXPECT_EQ(form->Width(), 320);

  // Saving a maximised form writes its state only.
  testing::TempDir other;
  const std::wstring otherFile = (other / "p.ini").wstring();
  form->SetWindowState(wsMaximized);
  SaveFormPlacement(*form, otherFile);
  const TMemIniFile stored(otherFile);
  EXPECT_EQ(stored.ReadString(L"PlacedForm", L"State", L""), L"2");
  EXPECT_FALSE(stored.ValueExists(L"PlacedForm", L"Left"));
}

TEST_F(FormPlacement, UnknownStatesAndMissingValuesChangeNothing) {
  struct Case {
    const wchar_t* state;  // nullptr: no state stored
    const wchar_t* left;
  };
  for (const Case& c : {Case{nullptr, L"5"}, Case{L"7", L"5"}, Case{L"-3", L"5"}, Case{L"max", L"5"}}) {
    testing::TempDir dir;
    const std::wstring file = (dir / "p.ini").wstring();
    if (c.state) WriteIniStr(L"PlacedForm", L"State", c.state, file);
    WriteIniStr(L"PlacedForm", L"Left", c.left, file);
    Owned<TForm> form = NewForm();
    RestoreFormPlacement(*form, file);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->Left(), 40);
  }
  // In the normal state only the stored values apply; "-1" counts as not stored.
  WriteIniStr(L"PlacedForm", L"State", L"0", file_);
  WriteIniStr(L"PlacedForm", L"Top", L"77", file_);
  WriteIniStr(L"PlacedForm", L"Width", L"-1", file_);
  Owned<TForm> form = NewForm();
  RestoreFormPlacement(*form, file_);
  EXPECT_EQ(form->Left(), 40);
  EXPECT_EQ(form->Top(), 77);
  EXPECT_EQ(form->Width(), 320);
  EXPECT_EQ(form->Height(), 240);
}

}  // namespace
}  // namespace skin
