#pragma once
// Live preview of a skin that a skin editor sends, and the taskbar thumbnail switch of a window
// (win32 only).
#include <windows.h>

#include <cstdint>

#include "classlib/Messages.h"

namespace skin {

class TsSkinManager;

// WM_COPYDATA with WParam 7 whose copy-data record holds a whole live-preview block with the
// right magic: the manager loads the skin of that name from that folder, with the block's text
// in place of the folder's "Options.dat", announces it and repaints; Message.Result becomes 1.
// Any other message, a shorter block or another magic leaves everything, the result too, alone.
// From then on a skin folder is preferred to a packed file of the same name. A nil manager
// means the default one.
void ReceiveData(classlib::TMessage& Message, TsSkinManager* Manager);

// The DWM functions the thumbnail switch calls (missing ones are nil).
struct TacDwmThumbnailApi {
  HRESULT(WINAPI* SetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
  HRESULT(WINAPI* InvalidateIconicBitmaps)(HWND) = nullptr;
};
// Those of the system's dwmapi.dll, looked up once.
const TacDwmThumbnailApi& SystemDwmApi();

// Only while ac_ChangeThumbPreviews is on: the window's "has iconic bitmap" attribute takes
// Flag, and only when that succeeded its "force iconic representation" attribute too; then its
// iconic bitmaps are invalidated.
void UpdatePreview(HWND Handle, bool Flag, const TacDwmThumbnailApi& Api = SystemDwmApi());

}  // namespace skin
