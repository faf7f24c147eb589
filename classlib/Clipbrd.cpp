#include "classlib/Clipbrd.h"

#include <windows.h>

#include <cstring>

#include "classlib/ScopeExit.h"

namespace classlib {

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  const TScopeExit close([]() noexcept { CloseClipboard(); });
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  const auto* p = static_cast<const wchar_t*>(GlobalLock(data));
  if (p == nullptr) return {};
  // The block may be larger than its text, never trusted to hold a terminator within it.
  const std::size_t cap = GlobalSize(data) / sizeof(wchar_t);
  std::size_t n = 0;
  while (n < cap && p[n] != 0) ++n;
  std::wstring text(p, n);
  GlobalUnlock(data);
  return text;
}

bool SetClipboardText(const std::wstring& Text) {
  if (!OpenClipboard(nullptr)) return false;
  const TScopeExit close([]() noexcept { CloseClipboard(); });
  EmptyClipboard();
  const std::size_t bytes = (Text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block == nullptr) return false;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(p, Text.c_str(), bytes);
  GlobalUnlock(block);
  if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
    GlobalFree(block);
    return false;
  }
  return true;
}

}  // namespace classlib
