#pragma once
// TIniFile: every call goes to the file through the Windows profile API (win32 only). The file
// name should be a full path; the profile API looks for a bare name in the Windows folder.
#include "classlib/IniFiles.h"

namespace classlib {

class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(const std::wstring& fileName) : TCustomIniFile(fileName) {}
  std::wstring ClassName() const override { return L"TIniFile"; }

  std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                          const std::wstring& fallback) const override;
  // EIniFileException "Unable to write to FILE" when the system refuses.
  void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) override;
  void ReadSection(const std::wstring& section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(const std::wstring& section, TStrings& values) const override;
  void EraseSection(const std::wstring& section) override;
  void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
  // Flushes the system's cache of the file.
  void UpdateFile() override;
};

}  // namespace classlib
