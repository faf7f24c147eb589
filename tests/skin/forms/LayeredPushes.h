#pragma once
// Watching the layered pictures the window animations push: every UpdateLayeredWindow through the
// animations' seam recorded (its window, constant alpha, size and per-pixel alpha) and passed on,
// since alpha never reaches an Xvfb screen; and the animation windows still alive.
#include <windows.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Controls.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acAnimHide.h"

namespace skin::test {

// One picture pushed to a layered window: its constant alpha, size and per-pixel alpha.
struct Push {
  HWND wnd;
  int constantAlpha;
  int width, height;
  std::vector<std::uint8_t> alpha;  // row 0 at the top
  int earlierAlive = 0;             // windows pushed to before (other than this one) still alive
  int AlphaAt(int x, int y) const { return alpha[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

struct PushRecorder {
  static inline std::vector<Push> pushes;
  // The push of this number (counted from 1) throws instead; 0: none does.
  static inline std::size_t throwAt = 0;
  static BOOL WINAPI Record(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                            BLENDFUNCTION* blend, DWORD flags) {
    if (throwAt != 0 && pushes.size() + 1 == throwAt) throw std::runtime_error("push refused");
    Push p{wnd, blend->SourceConstantAlpha, size->cx, size->cy, {}, 0};
    std::set<HWND> earlier;
    for (const Push& q : pushes)
      if (q.wnd != wnd) earlier.insert(q.wnd);
    for (HWND w : earlier) p.earlierAlive += IsWindow(w) ? 1 : 0;
    DIBSECTION dib{};
    const HGDIOBJ bmp = GetCurrentObject(src, OBJ_BITMAP);
    if (GetObjectW(bmp, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBitsPixel == 32) {
      GdiFlush();
      const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
      const bool bottomUp = dib.dsBmih.biHeight > 0;
      for (int y = 0; y < p.height; ++y) {
        const int row = bottomUp ? dib.dsBm.bmHeight - 1 - y : y;
        for (int x = 0; x < p.width; ++x)
          p.alpha.push_back(bits[std::size_t(row) * std::size_t(dib.dsBm.bmWidthBytes) + std::size_t(x) * 4 + 3]);
      }
    }
    pushes.push_back(std::move(p));
    return UpdateLayeredWindow(wnd, dst, pos, size, src, srcPos, key, blend, flags);
  }
  PushRecorder() {
    pushes.clear();
    throwAt = 0;
    SetUpdateLayeredWindow(&Record);
  }
  ~PushRecorder() { SetUpdateLayeredWindow(nullptr); }
};

inline BOOL CALLBACK CollectWindow(HWND w, LPARAM l) {
  reinterpret_cast<std::set<HWND>*>(l)->insert(w);
  return TRUE;
}

inline std::set<HWND> ThreadWindows() {
  std::set<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Windows of the engine's animations still alive.
inline int AnimWindowsAlive() {
  int alive = 0;
  for (HWND w : ThreadWindows()) {
    classlib::TWinControl* control = classlib::FindControl(w);
    if (control != nullptr && control->Tag() == acAnimWindowTag) ++alive;
  }
  return alive;
}

inline void Pump() {
  MSG msg;
  for (int i = 0; i < 10; ++i)
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
}

// Pumps messages until the hide animation has let its copy go; false after Ms milliseconds.
inline bool WaitForHideEnd(DWORD Ms = 3000) {
  const DWORD start = GetTickCount();
  while (acHideTimer != nullptr && acHideTimer->Form != nullptr) {
    if (GetTickCount() - start > Ms) return false;
    Pump();
    Sleep(1);
  }
  return true;
}

}  // namespace skin::test
