#pragma once
// The visual-style switch of hooked windows: SetWindowTheme of uxtheme, resolved when first
// needed and absent (nullptr) where the library is missing. Tests put a recorder in its place.
#include <windows.h>

namespace skin {

using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
// Visual styles loaded: the library's handle (nullptr when it is not there).
HMODULE UxthemeLib();
// The function itself (nullptr without the library); replaceable.
extern TSetWindowTheme Ac_SetWindowTheme;

}  // namespace skin
