#pragma once
// The number of live GDI objects of the process. Windows reports it through GetGuiResources;
// under Wine, which answers nothing useful there, every 16-bit handle index is probed instead:
// Wine accepts a handle whose high word is 0 for any generation of the entry at that index.
#include <windows.h>

#include <cstdint>

namespace skin::test {

inline int LiveGdiObjects() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const bool wine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  if (!wine) return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  int live = 0;
  for (std::uintptr_t index = 1; index < 0x10000; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  return live;
}

// Live GDI objects of one type (OBJ_FONT, OBJ_REGION, ...), by the same slot probe: Wine only.
inline int LiveGdiObjects(DWORD type) {
  int live = 0;
  for (std::uintptr_t index = 1; index < 0x10000; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) == type;
  return live;
}

inline BOOL CALLBACK CountThreadWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// Top-level windows this thread owns.
inline int ThreadWindowCount() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountThreadWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

}  // namespace skin::test
