#pragma once
// The start-up and shutdown of the window handlers' unit: the optional system functions resolved
// once (missing ones stay nullptr), and at the last shutdown everything the unit keeps for the
// process freed: the page handlers, then the steps that units built on this one registered (their
// popup-menu handlers, the dialog hook's lists), then the libraries. Start-up runs on first use and
// when the process starts; shutdown when the process ends, or as often as it was started. Win32
// only; GUI thread only.
#include <windows.h>

#include <functional>

namespace skin {

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TFlatSBSwitch = BOOL(WINAPI*)(HWND);

// Resolved by start-up (user32's GetScrollBarInfo, comctl32's flat scroll-bar switches).
extern TGetScrollBarInfo Ac_GetScrollBarInfo;
extern TFlatSBSwitch Ac_InitializeFlatSB;
extern TFlatSBSwitch Ac_UninitializeFlatSB;

// Counted: the first call resolves, later ones only count.
void acWndUnitStartup();
// The call that balances the first start-up frees and releases everything; nothing when not started.
void acWndUnitShutdown();
// Whether the unit is started.
bool acWndUnitStarted();
// Runs at the last shutdown, before the libraries are released, latest registered first.
void acAddUnitShutdownStep(std::function<void()> Step);

}  // namespace skin
