#include "skin/windows/acThemeWin32.h"

namespace skin {
namespace {

HMODULE LoadUxtheme() {
  static const HMODULE lib = LoadLibraryW(L"uxtheme.dll");
  return lib;
}

TSetWindowTheme Resolve() {
  HMODULE lib = LoadUxtheme();
  return lib ? reinterpret_cast<TSetWindowTheme>(reinterpret_cast<void*>(GetProcAddress(lib, "SetWindowTheme")))
             : nullptr;
}

}  // namespace

HMODULE UxthemeLib() { return LoadUxtheme(); }
TSetWindowTheme Ac_SetWindowTheme = Resolve();

}  // namespace skin
