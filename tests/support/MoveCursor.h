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

// Puts the pointer at (x, y) and handles this thread's messages until the system has reported it
// there three times in a row (asking again now and then), so that the windows under it have seen it
// arrive. False when it did not settle within about two seconds.
inline bool MoveCursorAndSettle(int x, int y) {
  SetCursorPos(x, y);
  int settled = 0;
  for (int i = 0; i < 200 && settled < 3; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
    POINT now{};
    GetCursorPos(&now);
    settled = now.x == x && now.y == y ? settled + 1 : 0;
    if (settled == 0 && i % 20 == 19) SetCursorPos(x, y);
  }
  return settled == 3;
}

}  // namespace testsupport
