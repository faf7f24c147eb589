#include "skin/core/sStoreUtilsWin32.h"

#include <array>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/IniFile.h"
#include "classlib/Registry.h"

namespace skin {
namespace {

struct TStyleKey {
  const wchar_t* Suffix;
  classlib::TFontStyle Style;
};
constexpr std::array<TStyleKey, 4> kStyleKeys{{{L"_Bold", classlib::fsBold},
                                               {L"_Italic", classlib::fsItalic},
                                               {L"_Underline", classlib::fsUnderline},
                                               {L"_StrikeOut", classlib::fsStrikeOut}}};

constexpr std::array<const wchar_t*, 4> kBoundsKeys{L"Left", L"Top", L"Width", L"Height"};

}  // namespace

std::wstring ReadIniString(const std::wstring& Section, const std::wstring& Ident, const std::wstring& FileName) {
  const classlib::TIniFile ini(FileName);
  return ReadIniString(Section, Ident, &ini);
}

std::int32_t ReadIniInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Default,
                            const std::wstring& FileName) {
  const classlib::TIniFile ini(FileName);
  return ReadIniInteger(Section, Ident, Default, &ini);
}

void WriteIniStr(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value,
                 const std::wstring& FileName) {
  classlib::TIniFile ini(FileName);
  WriteIniStr(Section, Ident, Value, &ini);
}

void WriteIniFont(const std::wstring& Section, const std::wstring& Prefix, const classlib::TFont& Font,
                  classlib::TCustomIniFile* IniFile) {
  if (!IniFile) return;
  IniFile->WriteString(Section, Prefix + L"_Color", std::to_wstring(static_cast<std::int32_t>(Font.Color())));
  IniFile->WriteString(Section, Prefix + L"_Name", Font.Name());
  IniFile->WriteString(Section, Prefix + L"_Size", std::to_wstring(Font.Size()));
  for (const TStyleKey& key : kStyleKeys)
    IniFile->WriteString(Section, Prefix + key.Suffix, Font.Style().Contains(key.Style) ? L"1" : L"0");
}

void ReadIniFont(const std::wstring& Section, const std::wstring& Prefix, classlib::TFont& Font,
                 const classlib::TCustomIniFile* IniFile) {
  if (!IniFile) return;
  Font.SetColor(static_cast<classlib::TColor>(ReadIniInteger(Section, Prefix + L"_Color", 0, IniFile)));
  Font.SetName(ReadIniString(Section, Prefix + L"_Name", IniFile));
  Font.SetSize(ReadIniInteger(Section, Prefix + L"_Size", 8, IniFile));
  classlib::TFontStyles styles = Font.Style();
  for (const TStyleKey& key : kStyleKeys)
    if (ReadIniInteger(Section, Prefix + key.Suffix, 0, IniFile) == 1) styles.Include(key.Style);
  Font.SetStyle(styles);
}

std::wstring ReadRegString(HKEY RootKey, const std::wstring& Section, const std::wstring& Ident) {
  return classlib::TRegIniFile(std::wstring(), RootKey).ReadString(Section, Ident, std::wstring());
}

void WriteRegString(HKEY RootKey, const std::wstring& Key, const std::wstring& Ident, const std::wstring& Value) {
  classlib::TRegIniFile(std::wstring(), RootKey).WriteString(Key, Ident, Value);
}

void DeleteRegParam(HKEY RootKey, const std::wstring& Section, const std::wstring& Ident) {
  classlib::TRegIniFile(std::wstring(), RootKey).DeleteKey(Section, Ident);
}

void WriteRegInteger(const std::wstring& Key, const std::wstring& Ident, std::int32_t Value) {
  classlib::TRegIniFile(std::wstring(), HKEY_CURRENT_USER).WriteInteger(Key, Ident, Value);
}

void SaveFormPlacement(const classlib::TCustomForm& Form, const std::wstring& FileName) {
  classlib::TIniFile ini(FileName);
  const std::wstring& section = Form.Name();
  const classlib::TWindowState state = Form.WindowState();
  if (state == classlib::wsNormal) {
    const std::array<int, 4> bounds{Form.Left(), Form.Top(), Form.Width(), Form.Height()};
    for (std::size_t i = 0; i < bounds.size(); ++i)
      ini.WriteString(section, kBoundsKeys[i], std::to_wstring(bounds[i]));
  }
  ini.WriteString(section, L"State", std::to_wstring(static_cast<int>(state)));
}

void RestoreFormPlacement(classlib::TCustomForm& Form, const std::wstring& FileName) {
  const classlib::TIniFile ini(FileName);
  const std::wstring& section = Form.Name();
  const std::int32_t state = ReadIniInteger(section, L"State", -1, &ini);
  if (state < classlib::wsNormal || state > classlib::wsMaximized) return;
  Form.SetWindowState(static_cast<classlib::TWindowState>(state));
  if (state != classlib::wsNormal) return;
  std::array<int, 4> bounds{Form.Left(), Form.Top(), Form.Width(), Form.Height()};
  for (std::size_t i = 0; i < bounds.size(); ++i) {
    const std::int32_t stored = ReadIniInteger(section, kBoundsKeys[i], -1, &ini);
    if (stored != -1) bounds[i] = stored;
  }
  Form.SetBounds(bounds[0], bounds[1], bounds[2], bounds[3]);
}

}  // namespace skin
