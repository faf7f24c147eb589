#pragma once
// Puts the mouse pointer somewhere and waits until the system says it is there. Under Wine the X
// server moves the pointer later than Windows would, more so on a busy machine; a test that reads
// the cursor right after SetCursorPos could see the old place.
#include <windows.h>

namespace testsupport {

// False when the pointer did not arrive within about three seconds.
inline bool MoveCursor(int x, int y) {
  SetCursorPos(x, y);
  for (int i = 0; i < 300; ++i) {
    POINT p{};
    if (GetCursorPos(&p) && p.x == x && p.y == y) return true;
    // Looking at the queue lets Wine take in the X server's news; nothing is dispatched, so the
    // windows under the pointer see no mouse messages while the test waits.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(10);
  }
  return false;
}

}  // namespace testsupport
