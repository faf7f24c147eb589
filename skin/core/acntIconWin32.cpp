#include "skin/core/acntIconWin32.h"

namespace skin {

TacIcon::~TacIcon() {
  if (handle_) DestroyIcon(handle_);
}

HICON TacIcon::ReleaseHandle() {
  HICON h = handle_;
  handle_ = nullptr;
  return h;
}

SIZE TacIcon::Size() const {
  ICONINFO info{};
  if (!handle_ || !GetIconInfo(handle_, &info)) return {0, 0};
  SIZE size{0, 0};
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
    size = {bm.bmWidth, bm.bmHeight};
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bm, &bm)) {
    // A monochrome icon keeps its AND and XOR masks one above the other.
    size = {bm.bmWidth, bm.bmHeight / 2};
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

int TacIcon::Width() const { return Size().cx; }
int TacIcon::Height() const { return Size().cy; }

std::unique_ptr<TacIcon> GetIconForFile(const std::wstring& Name, UINT Flags) {
  const DWORD attributes = Name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(Name.c_str(), 0, &info, sizeof info, Flags | SHGFI_ICON) || !info.hIcon) return nullptr;
  return std::make_unique<TacIcon>(info.hIcon);
}

}  // namespace skin
