#pragma once
// Mouse tracking of the skinned scroll bars: the hot part under the cursor (timer 0xFFF2),
// pressing an arrow or a page area with auto-repeat (0xFFFD, then 0xFFFE), and dragging the thumb.
// Input becomes the WM_HSCROLL/WM_VSCROLL messages native bars send. Win32 only; GUI thread only.
#include <windows.h>

#include <cstdint>

#include "skin/windows/acSBUtils.h"

namespace skin {

inline constexpr UINT_PTR kRepeatDelayTimer = 0xFFFD;  // 300 ms before auto-repeat
inline constexpr UINT_PTR kRepeatTimer = 0xFFFE;       // 55 ms auto-repeat
inline constexpr UINT_PTR kHoverTimer = 0xFFF2;        // 20 ms hot tracking

// Msg with Code and Pos to Wnd, between commands 51 and 52: a window that answers 51 with 1 gets
// the full 32-bit position in LParam; any other gets it clipped to 16 bits in WParam, and its own
// position set first for a track message.
void SendScrollMessage(HWND Wnd, UINT Msg, int Code, std::int32_t Pos);

// The message routines of a scroll handler; each returns the message result.
LRESULT Ac_NCMouseMove(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
LRESULT Ac_NCLButtonDown(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
LRESULT Ac_MouseMove(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
LRESULT Ac_LButtonUp(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam);
// True when the timer was one of the engine's.
bool Ac_Timer(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam, LRESULT& Result);

}  // namespace skin
