#pragma once
// What the window-handler tests share: a top-level test window with native children, a skin
// manager with our skin, and the visual-style calls recorded in place of the real switch.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acThemeWin32.h"
#include "tests/skin/core/OurSkinFile.h"
#include "tests/skin/core/OurSkinManager.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::test {

using skin::testing::FreeObject;
using skin::testing::ManagerWithOurSkin;
using skin::testing::OurSkin;
using skin::testing::Owned;


// A window of a class whose procedure is DefWindowProcW, owned by the test.
struct NativeWindow {
  HWND handle = nullptr;
  NativeWindow(const wchar_t* cls, DWORD style, int w, int h, HWND parent = nullptr, DWORD exStyle = 0,
               const wchar_t* text = L"") {
    handle =
        CreateWindowExW(exStyle, cls, text, style, 10, 10, w, h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~NativeWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;
  operator HWND() const { return handle; }
};

// Every call of the visual-style switch while it lives: window and sub-application name
// (nullptr is told as "<null>").
struct ThemeRecorder {
  struct Call {
    HWND wnd;
    std::wstring subApp, idList;
    friend bool operator==(const Call&, const Call&) = default;
  };
  static inline std::vector<Call> calls;
  TSetWindowTheme saved = Ac_SetWindowTheme;
  static HRESULT WINAPI Record(HWND w, LPCWSTR a, LPCWSTR b) {
    calls.push_back({w, a ? a : L"<null>", b ? b : L"<null>"});
    return S_OK;
  }
  ThemeRecorder() {
    calls.clear();
    Ac_SetWindowTheme = &Record;
  }
  ~ThemeRecorder() { Ac_SetWindowTheme = saved; }
};

}  // namespace skin::test
