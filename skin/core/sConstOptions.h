#pragma once
// The skinning engine's option flags and shared state: mutable globals, read and written on the
// GUI thread only. The start-up in sConst.cpp sets the values that need the platform.
#include "skin/core/sConstTypes.h"

namespace skin {

inline TCacheInfo EmptyCI = kEmptyCacheInfo;  // the cache information of a window without parent
inline TsColor sFuchsia{clFuchsia};
inline int acScrollBtnLength = 16;  // the win32 start-up sets the system's scroll arrow width
inline bool FadingForbidden = false;
inline int acAnimCount = 0;
inline classlib::TForm* acMagnForm = nullptr;
inline bool ac_OptimizeMemory = true;
inline bool StdTransparency = false;
inline bool x64woAero = false;
inline bool ac_ChangeThumbPreviews = false;
inline int ac_DialogsLevel = 2;
// Where the next skinned standard dialog is put on the screen (-1 in both: where the system put it).
inline int DlgLeft = -1;
inline int DlgTop = -1;
inline bool ac_UseSysCharSet = true;
inline bool ac_KeepOwnFont = false;
inline bool DrawSkinnedMDIWall = true;
inline bool DrawSkinnedMDIScrolls = true;
inline bool acOldGlyphsOrder = false;
inline bool MouseForbidden = false;
inline bool fGlobalFlag = false;
inline bool ShowHintStored = false;
inline bool AppShowHint = false;
inline classlib::TControl* TempControl = nullptr;
inline TacWndHandle acPreviewHandle = nullptr;
inline bool acPreviewNeeded = false;
inline bool acSkinPreviewUpdating = false;

}  // namespace skin
