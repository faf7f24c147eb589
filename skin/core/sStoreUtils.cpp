#include "skin/core/sStoreUtils.h"

#include <algorithm>
#include <memory>

#include "classlib/Cp1251.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"
#include "skin/core/acntWords.h"

namespace skin {
namespace {

std::wstring ItemKey(const std::wstring& Ident, int Index) { return Ident + L"Item" + std::to_wstring(Index); }

// Runs Fill between BeginUpdate and EndUpdate; EndUpdate may fire change events, so it runs on
// the normal path and again before a failure of Fill goes on.
template <typename F>
void InUpdate(classlib::TStrings& Strings, F Fill) {
  Strings.BeginUpdate();
  try {
    Fill();
  } catch (...) {
    Strings.EndUpdate();
    throw;
  }
  Strings.EndUpdate();
}

}  // namespace

std::wstring ReadIniString(const std::wstring& Section, const std::wstring& Ident,
                           const classlib::TCustomIniFile* IniFile) {
  return IniFile ? IniFile->ReadString(Section, Ident, std::wstring()) : std::wstring();
}

std::int32_t ReadIniInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Default,
                            const classlib::TCustomIniFile* IniFile) {
  if (!IniFile) return 0;
  const std::wstring text = IniFile->ReadString(Section, Ident, std::wstring());
  if (text.empty()) return Default;
  std::int32_t value = 0;
  return classlib::TryStrToInt(text, value) ? value : -1;
}

void WriteIniStr(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value,
                 classlib::TCustomIniFile* IniFile) {
  if (IniFile) IniFile->WriteString(Section, Ident, Value);
}

void ReadIniStrings(classlib::TStrings& Strings, const std::wstring& Section, const std::wstring& Ident,
                    const classlib::TCustomIniFile* IniFile) {
  const std::int32_t count = ReadIniInteger(Section, Ident + L"Count", 0, IniFile);
  if (count == 0) return;
  classlib::TStringList keys;
  IniFile->ReadSection(Section, keys);
  const int lines = std::min(count, keys.Count());
  InUpdate(Strings, [&] {
    Strings.Clear();
    for (int i = 0; i < lines; ++i) Strings.Add(IniFile->ReadString(Section, ItemKey(Ident, i), std::wstring()));
  });
}

void ReadIniStrings(classlib::TStrings& Strings, const std::wstring& Section, const std::wstring& Ident,
                    const std::wstring& FileName) {
  const classlib::TMemIniFile ini(FileName);
  ReadIniStrings(Strings, Section, Ident, &ini);
}

void WriteIniStrings(const std::wstring& Section, const std::wstring& Ident, const classlib::TStrings& Strings,
                     classlib::TCustomIniFile* IniFile) {
  if (!IniFile) return;
  IniFile->WriteString(Section, Ident + L"Count", std::to_wstring(Strings.Count()));
  for (int i = 0; i < Strings.Count(); ++i) IniFile->WriteString(Section, ItemKey(Ident, i), Strings[i]);
}

void WriteIniStrings(const std::wstring& Section, const std::wstring& Ident, const std::wstring& FileName,
                     const classlib::TStrings& Strings) {
  classlib::TMemIniFile ini(FileName);
  WriteIniStrings(Section, Ident, Strings, &ini);
  ini.UpdateFile();
}

void ReadSection(const classlib::TStringList& Source, classlib::TStringList& Dest, const std::wstring& Section) {
  InUpdate(Dest, [&] {
    Dest.Clear();
    const std::wstring header = L"[" + Section + L"]";
    int i = 0;
    while (i < Source.Count() && Source[i] != header) ++i;
    for (++i; i < Source.Count(); ++i) {
      const std::wstring line = Source[i];
      if (line.empty() || line.front() == L'[') break;
      Dest.Add(line);
    }
  });
}

std::wstring ReadValue(const classlib::TStringList& List, const std::wstring& Section, const std::wstring& Name) {
  const std::wstring header = classlib::AnsiUpperCase(L"[" + Section + L"]");
  int i = 0;
  while (i < List.Count() && List[i] != header) ++i;
  if (i == List.Count()) return {};
  const std::string name = classlib::WideToCp1251(Name);
  for (++i; i < List.Count(); ++i) {
    const std::string line = classlib::WideToCp1251(List[i]);
    if (line.empty()) continue;
    if (ExtractWord(1, line, TacCharSet{' ', '='}) == name)
      return classlib::Cp1251ToWide(ExtractWord(2, line, TacCharSet{'='}));
  }
  return {};
}

}  // namespace skin
