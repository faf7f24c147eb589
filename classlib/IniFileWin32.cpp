#include <windows.h>

#include <vector>

#include "classlib/Exception.h"
#include "classlib/IniFile.h"
#include "classlib/StringList.h"

namespace classlib {
namespace {

// The profile API truncates silently and then reports size - 1 (size - 2 for name lists): the
// buffer grows until the answer fits.
std::wstring Profile(const wchar_t* section, const wchar_t* key, const wchar_t* fallback, const std::wstring& file,
                     bool list) {
  std::vector<wchar_t> buffer(1024);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n = GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, file.c_str());
    if (n < size - (list ? 2 : 1) || buffer.size() >= (1u << 24)) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 4);
  }
}

// Splits a list of zero-terminated names.
void AddNames(const std::wstring& list, TStrings& out) {
  out.BeginUpdate();
  try {
    out.Clear();
    std::size_t start = 0;
    while (start < list.size()) {
      const std::size_t end = list.find(L'\0', start);
      const std::size_t stop = end == std::wstring::npos ? list.size() : end;
      if (stop > start) out.Add(list.substr(start, stop - start));
      start = stop + 1;
    }
  } catch (...) {
    out.EndUpdate();
    throw;
  }
  out.EndUpdate();
}

}  // namespace

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                  const std::wstring& fallback) const {
  return Profile(section.c_str(), ident.c_str(), fallback.c_str(), FileName(), false);
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), FileName().c_str()))
    throw EIniFileException(L"Unable to write to " + FileName());
}

void TIniFile::ReadSection(const std::wstring& section, TStrings& keys) const {
  AddNames(Profile(section.c_str(), nullptr, L"", FileName(), true), keys);
}

void TIniFile::ReadSections(TStrings& sections) const {
  AddNames(Profile(nullptr, nullptr, L"", FileName(), true), sections);
}

void TIniFile::ReadSectionValues(const std::wstring& section, TStrings& values) const {
  TStringList keys;
  ReadSection(section, keys);
  values.BeginUpdate();
  try {
    values.Clear();
    for (int i = 0; i < keys.Count(); ++i) values.Add(keys[i] + L"=" + ReadString(section, keys[i], L""));
  } catch (...) {
    values.EndUpdate();
    throw;
  }
  values.EndUpdate();
}

void TIniFile::EraseSection(const std::wstring& section) {
  if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, FileName().c_str()) &&
      GetLastError() != ERROR_FILE_NOT_FOUND)
    throw EIniFileException(L"Unable to write to " + FileName());
}

void TIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
  WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, FileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName().c_str()); }

}  // namespace classlib
