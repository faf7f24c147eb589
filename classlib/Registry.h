#pragma once
// TRegIniFile: named values of the Windows registry in the INI manner (win32 only). The object
// stands for a key under RootKey (FileName, empty for RootKey itself); a "section" is a subkey of
// it and an "ident" a value of that subkey. Every call opens the subkey and closes it again.
#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/Exception.h"
#include "classlib/Object.h"

namespace classlib {

// A key that could not be created or opened for writing, or a value the system refused.
class ERegistryException : public Exception {
  using Exception::Exception;
};

class TRegIniFile : public TObject {
 public:
  explicit TRegIniFile(std::wstring FileName, HKEY RootKey = HKEY_CURRENT_USER)
      : fileName_(std::move(FileName)), rootKey_(RootKey) {}
  std::wstring ClassName() const override { return L"TRegIniFile"; }
  const std::wstring& FileName() const { return fileName_; }
  HKEY RootKey() const { return rootKey_; }

  // The string value; Default when the subkey or the value is missing or is no string.
  std::wstring ReadString(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Default) const;
  // The DWORD value; Default when missing or of another type.
  std::int32_t ReadInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Default) const;
  // Create the subkey when it is missing.
  void WriteString(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value);
  void WriteInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Value);
  // Removes the value; nothing when the subkey or the value is missing.
  void DeleteKey(const std::wstring& Section, const std::wstring& Ident);

 private:
  std::wstring Path(const std::wstring& Section) const;

  std::wstring fileName_;
  HKEY rootKey_;
};

}  // namespace classlib
