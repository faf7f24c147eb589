#pragma once
// A native window class whose procedure is DefWindowProcW and counts, per window, the messages the
// handler tests look for; commands 21 and 19 are answered with values set per window.
#include <windows.h>

#include <map>
#include <vector>

#include "skin/core/sMessages.h"

namespace skin::test {

inline constexpr UINT kProbe = WM_APP + 7;

// One WM_HSCROLL or WM_VSCROLL as the window got it.
struct ScrollMsg {
  UINT msg;
  int code, wordPos;
  LPARAM lp;
  friend bool operator==(const ScrollMsg&, const ScrollMsg&) = default;
};

struct Seen {
  int setText = 0, probes = 0, destroys = 0, styleChanged = 0, ncRightDown = 0;
  LRESULT colourAnswer = 0;
  LRESULT dependsAnswer = 0;        // to command 19
  bool takesFullPositions = false;  // answers command 51 with 1
  std::vector<ScrollMsg> scrolls;
};
inline std::map<HWND, Seen> g_seen;

inline LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Seen& s = g_seen[w];
  switch (msg) {
    case WM_SETTEXT: ++s.setText; break;
    case kProbe: return ++s.probes;
    case WM_DESTROY: ++s.destroys; break;
    case WM_STYLECHANGED: ++s.styleChanged; break;
    case WM_NCRBUTTONDOWN: ++s.ncRightDown; break;
    case SM_ALPHACMD:
      if (CommandOf(wp) == ACMD_GETCOLOR) return s.colourAnswer;
      if (CommandOf(wp) == ACMD_DEPENDSONPARENT) return s.dependsAnswer;
      if (CommandOf(wp) == ACMD_SCROLLBEGIN) return s.takesFullPositions ? 1 : 0;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL: s.scrolls.push_back({msg, LOWORD(wp), HIWORD(wp), lp}); return 0;
    default: break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

inline const wchar_t* TargetClass() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"AcHandlerTarget";
    return RegisterClassW(&wc);
  }();
  return atom ? L"AcHandlerTarget" : nullptr;
}

}  // namespace skin::test
