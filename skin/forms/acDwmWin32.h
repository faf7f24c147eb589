#pragma once
// The form's window region from the skin's corner masks, and the desktop-composition services
// (composition state, window attributes, taskbar thumbnails and live previews) reached through
// functions resolved from DWMAPI.DLL at run time. Every composition service degrades to a plain
// negative answer when the library, a function or the system version is missing. Win32 only.
#include <windows.h>

#include <string_view>

#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinManager;
class TsSkinProvider;

// Looks up one DWMAPI function by name (nullptr when missing). The default loads the library on
// the first request; tests put their own in place (nullptr restores the default).
using TacDwmResolver = void* (*)(const char* Name);
void SetDwmResolver(TacDwmResolver Resolver);
// The system's major version, as the composition services see it; tests may pretend another.
using TacOsMajor = int (*)();
void SetOsMajorVersion(TacOsMajor Source);
// The system's major version through that source.
int OsMajorVersion();

// Loads "DWMAPI.DLL" once.
void InitDwmApi();
HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size);
bool AeroIsEnabled();
inline bool ForbidSysAnimating() { return !AeroIsEnabled(); }
// With composition on, switches the window's transitions off (DisableTransitions) or on.
void InitDwm(HWND Wnd, bool DisableTransitions, bool Unused = false);
void DwmInvalidateIconicBitmaps(HWND Wnd);
// With composition on, blurs what lies behind Region of Wnd (the caller keeps and frees Region), or
// switches the blur off with Enable false. False when the service is missing or refuses.
bool DwmEnableBlurBehind(HWND Wnd, bool Enable, HRGN Region);
// The provider's rendered form as the taskbar's thumbnail, fitted into MaxWidth x MaxHeight.
bool SetThumbIcon(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight);
bool SetPreviewBmp(HWND Wnd, TsSkinProvider* Provider);
inline HWND TopZOrder() { return HWND_TOPMOST; }

// Of the transparent corner pixels of a frame Width x Height, the runs that reach its edge: those of
// the frame image BorderIndex along the top and bottom edges, and those of the top corners of the
// title section's "BORDERSMASK" image.
TAOR FrameRegionRuns(const TsSkinManager* Manager, int BorderIndex, int TitleIndex, std::string_view TitleSection,
                     int Width, int Height);
// The rectangle Width x Height at (X, Y) without the runs (moved by X, Y); the caller owns it.
HRGN RegionWithoutRuns(const TAOR& Runs, int X, int Y, int Width, int Height);
// The window answers the region probe with the mark of another painting engine, which then owns
// its region.
bool RegionOwnedElsewhere(HWND Wnd);

// Rebuilds the provider's runs of transparent corner pixels from its frame images.
void FillArOR(TsSkinProvider* Provider);
// The window rectangle at (X, Y) without the runs; the caller owns the region.
HRGN GetRgnFromArOR(TsSkinProvider* Provider, int X, int Y);
// Sets the form's window region from the skin.
void UpdateRgn(TsSkinProvider* Provider, bool Repaint);

}  // namespace skin
