#include "classlib/Registry.h"

#include <vector>

namespace classlib {
namespace {

// An open registry key, closed on every path.
class TKeyHandle {
 public:
  TKeyHandle() = default;
  ~TKeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  TKeyHandle(const TKeyHandle&) = delete;
  TKeyHandle& operator=(const TKeyHandle&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::wstring SystemReason(LSTATUS status) {
  wchar_t* text = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring reason = n && text ? std::wstring(text, n) : L"error " + std::to_wstring(status);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.'))
    reason.pop_back();
  return reason;
}

bool OpenForReading(HKEY root, const std::wstring& path, TKeyHandle& key) {
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

void CreateForWriting(HKEY root, const std::wstring& path, TKeyHandle& key) {
  const LSTATUS status =
      RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Out(), nullptr);
  if (status != ERROR_SUCCESS) throw ERegistryException(L"Failed to create key " + path + L": " + SystemReason(status));
}

void SetValue(HKEY key, const std::wstring& ident, DWORD type, const void* data, std::size_t size) {
  const LSTATUS status =
      RegSetValueExW(key, ident.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
  if (status != ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + ident + L"': " + SystemReason(status));
}

}  // namespace

std::wstring TRegIniFile::Path(const std::wstring& Section) const {
  if (fileName_.empty()) return Section;
  if (Section.empty()) return fileName_;
  return fileName_ + L"\\" + Section;
}

std::wstring TRegIniFile::ReadString(const std::wstring& Section, const std::wstring& Ident,
                                     const std::wstring& Default) const {
  TKeyHandle key;
  if (!OpenForReading(rootKey_, Path(Section), key)) return Default;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), Ident.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return Default;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return Default;
  // The value may grow between the two questions: ask until it fits.
  for (;;) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegQueryValueExW(key.Get(), Ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (status != ERROR_SUCCESS) return Default;
    // A stored string need not end in a zero; it ends at the first one or at its size.
    std::wstring value(buffer.data(), got / sizeof(wchar_t));
    const std::size_t zero = value.find(L'\0');
    if (zero != std::wstring::npos) value.resize(zero);
    return value;
  }
}

std::int32_t TRegIniFile::ReadInteger(const std::wstring& Section, const std::wstring& Ident,
                                      std::int32_t Default) const {
  TKeyHandle key;
  if (!OpenForReading(rootKey_, Path(Section), key)) return Default;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key.Get(), Ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return Default;
  return static_cast<std::int32_t>(value);
}

void TRegIniFile::WriteString(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value) {
  TKeyHandle key;
  CreateForWriting(rootKey_, Path(Section), key);
  SetValue(key.Get(), Ident, REG_SZ, Value.c_str(), (Value.size() + 1) * sizeof(wchar_t));
}

void TRegIniFile::WriteInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Value) {
  TKeyHandle key;
  CreateForWriting(rootKey_, Path(Section), key);
  const DWORD data = static_cast<DWORD>(Value);
  SetValue(key.Get(), Ident, REG_DWORD, &data, sizeof data);
}

void TRegIniFile::DeleteKey(const std::wstring& Section, const std::wstring& Ident) {
  TKeyHandle key;
  if (RegOpenKeyExW(rootKey_, Path(Section).c_str(), 0, KEY_SET_VALUE, key.Out()) != ERROR_SUCCESS) return;
  RegDeleteValueW(key.Get(), Ident.c_str());
}

}  // namespace classlib
