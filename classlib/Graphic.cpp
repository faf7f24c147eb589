#include "classlib/Graphics.h"

namespace classlib {

namespace {
// Larger files are refused before reading: no picture of this program comes near it.
constexpr LONGLONG kMaxGraphicFile = 256ll << 20;

struct FileHandle {
  HANDLE h;
  explicit FileHandle(HANDLE handle) : h(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
}  // namespace

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) {
    Changed(this);
  } else {
    modified_ = false;
  }
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::wstring& FileName) {
  FileHandle file(CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.h == INVALID_HANDLE_VALUE) throw EInvalidGraphic(L"Cannot open file \"" + FileName + L"\"");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.h, &size) || size.QuadPart > kMaxGraphicFile)
    throw EInvalidGraphic(L"File \"" + FileName + L"\" is too large for a picture");
  std::vector<std::uint8_t> data(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!data.empty() && (!ReadFile(file.h, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
                        read != data.size()))
    throw EInvalidGraphic(L"Cannot read file \"" + FileName + L"\"");
  LoadFromBytes(data);
}

void TGraphic::SaveToFile(const std::wstring& FileName) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  FileHandle file(
      CreateFileW(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.h == INVALID_HANDLE_VALUE) throw EStreamError(L"Cannot create file \"" + FileName + L"\"");
  DWORD written = 0;
  if (!data.empty() && (!WriteFile(file.h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
                        written != data.size()))
    throw EStreamError(L"Cannot write file \"" + FileName + L"\"");
}

}  // namespace classlib
