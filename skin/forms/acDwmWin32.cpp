#include "skin/forms/acDwmWin32.h"

#include <cstring>

#include "classlib/Bitmap.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRegions.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sStretch.h"

namespace skin {
namespace {

HMODULE g_dwmApi = nullptr;

void* DefaultResolver(const char* Name) {
  InitDwmApi();
  if (g_dwmApi == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(g_dwmApi, Name));
}

int DefaultOsMajor() {
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  static const auto rtlGetVersion = reinterpret_cast<TRtlGetVersion>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion != nullptr && rtlGetVersion(&info) == 0) return static_cast<int>(info.dwMajorVersion);
  return LOBYTE(LOWORD(GetVersion()));
}

TacDwmResolver g_resolver = &DefaultResolver;
TacOsMajor g_osMajor = &DefaultOsMajor;

// One cell per function: empty while the function is missing, so that it is asked again.
template <class F>
F Resolve(F& Cell, const char* Name) {
  if (Cell == nullptr) Cell = reinterpret_cast<F>(g_resolver(Name));
  return Cell;
}

using TIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
using TSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using TSetIconicThumbnail = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
using TSetIconicLivePreviewBitmap = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
using TInvalidateIconicBitmaps = HRESULT(WINAPI*)(HWND);

struct TDwmCells {
  TIsCompositionEnabled IsCompositionEnabled = nullptr;
  TSetWindowAttribute SetWindowAttribute = nullptr;
  HRESULT(WINAPI* EnableBlurBehindWindow)(HWND, const void*) = nullptr;
  TSetIconicThumbnail SetIconicThumbnail = nullptr;
  TSetIconicLivePreviewBitmap SetIconicLivePreviewBitmap = nullptr;
  TInvalidateIconicBitmaps InvalidateIconicBitmaps = nullptr;
};
TDwmCells g_cells;

constexpr DWORD kTransitionsForceDisabled = 3;
constexpr DWORD kDisplayFrame = 1;
constexpr HRESULT kNotImplemented = static_cast<HRESULT>(0x80004001L);

// The image the taskbar gets: the provider's rendered frame.
classlib::TBitmap* ThumbSource(TsSkinProvider* Provider) {
  classlib::TBitmap* cache = Provider->SkinData()->CacheBmp();
  if (cache == nullptr || cache->Width() <= 0 || cache->Height() <= 0) return nullptr;
  return cache;
}

}  // namespace

void SetDwmResolver(TacDwmResolver Resolver) {
  g_resolver = Resolver != nullptr ? Resolver : &DefaultResolver;
  g_cells = {};
}

void SetOsMajorVersion(TacOsMajor Source) { g_osMajor = Source != nullptr ? Source : &DefaultOsMajor; }

int OsMajorVersion() { return g_osMajor(); }

void InitDwmApi() {
  if (g_dwmApi == nullptr) g_dwmApi = LoadLibraryW(L"DWMAPI.DLL");
}

HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size) {
  if (Resolve(g_cells.SetWindowAttribute, "DwmSetWindowAttribute") == nullptr) return kNotImplemented;
  Resolve(g_cells.EnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  return g_cells.SetWindowAttribute(Wnd, Attribute, Value, Size);
}

bool AeroIsEnabled() {
  if (g_osMajor() <= 5) return false;
  if (Resolve(g_cells.IsCompositionEnabled, "DwmIsCompositionEnabled") == nullptr) return false;
  BOOL enabled = FALSE;
  return g_cells.IsCompositionEnabled(&enabled) == S_OK && enabled != FALSE;
}

void InitDwm(HWND Wnd, bool DisableTransitions, bool) {
  if (!AeroIsEnabled()) return;
  const BOOL value = DisableTransitions ? TRUE : FALSE;
  DwmSetWindowAttribute(Wnd, kTransitionsForceDisabled, &value, sizeof value);
}

void DwmInvalidateIconicBitmaps(HWND Wnd) {
  // Asked while windows go away: never the first to load the library.
  if (g_osMajor() < 6 || (g_resolver == &DefaultResolver && g_dwmApi == nullptr)) return;
  if (Resolve(g_cells.InvalidateIconicBitmaps, "DwmInvalidateIconicBitmaps") != nullptr)
    g_cells.InvalidateIconicBitmaps(Wnd);
}

bool DwmEnableBlurBehind(HWND Wnd, bool Enable, HRGN Region) {
  if (!AeroIsEnabled() || Resolve(g_cells.EnableBlurBehindWindow, "DwmEnableBlurBehindWindow") == nullptr) return false;
  // DWM_BLURBEHIND: flags (enable, blur region), enable, region, transition on maximise.
  struct {
    DWORD Flags;
    BOOL Enable;
    HRGN Region;
    BOOL TransitionOnMaximized;
  } blur{Region != nullptr ? 3u : 1u, Enable ? TRUE : FALSE, Region, FALSE};
  return g_cells.EnableBlurBehindWindow(Wnd, &blur) == S_OK;
}

bool SetThumbIcon(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight) {
  if (g_osMajor() <= 5 || MaxWidth == 0 || MaxHeight == 0) return false;
  if (Resolve(g_cells.SetIconicThumbnail, "DwmSetIconicThumbnail") == nullptr) return false;
  classlib::TBitmap* source = ThumbSource(Provider);
  if (source == nullptr) return false;
  const TSize size = FitThumbSize({MaxWidth, MaxHeight}, {source->Width(), source->Height()});
  if (size.cx == 0 || size.cy == 0) return false;
  Provider->SetFormState(kFormThumbnail, true);
  classlib::TScopeExit busy([Provider] { Provider->SetFormState(kFormThumbnail, false); });
  TBitmap32 resampled;
  Stretch(source->Image32View(), resampled, size.cx, size.cy, TFilterType::ftTriangle);
  classlib::TBitmap thumb;
  thumb.SetPixelFormat(classlib::pf32bit);
  thumb.SetSize(size.cx, size.cy);
  const TImage32View from = resampled.View();
  const TImage32View to = thumb.Image32View();
  for (int y = 0; y < size.cy; ++y) std::memcpy(to.Row(y), from.Row(y), static_cast<std::size_t>(size.cx) * 4);
  return g_cells.SetIconicThumbnail(Wnd, thumb.Handle(), 0) == S_OK;
}

bool SetPreviewBmp(HWND Wnd, TsSkinProvider* Provider) {
  if (g_osMajor() < 6) return false;
  if (Resolve(g_cells.SetIconicLivePreviewBitmap, "DwmSetIconicLivePreviewBitmap") == nullptr) return false;
  classlib::TBitmap* source = ThumbSource(Provider);
  if (source == nullptr) return false;
  Provider->SetFormState(kFormThumbnail, true);
  classlib::TScopeExit busy([Provider] { Provider->SetFormState(kFormThumbnail, false); });
  POINT origin{0, 0};
  return g_cells.SetIconicLivePreviewBitmap(Wnd, source->Handle(), &origin, kDisplayFrame) == S_OK;
}

// ---- region ----

TAOR FrameRegionRuns(const TsSkinManager* Manager, int BorderIndex, int TitleIndex, std::string_view TitleSection,
                     int Width, int Height) {
  TAOR result;
  if (Manager == nullptr) return result;
  const TacSkinRecords& records = Manager->Records();
  // Each image on its own: its key pixels enclosed by its opaque ones show the layer below.
  const auto add = [&](const TAOR& runs) {
    const TAOR outer = OuterRuns(runs, Width, Height);
    result.insert(result.end(), outer.begin(), outer.end());
  };
  if (records.IsValidImgIndex(BorderIndex)) {
    const TsMaskData& md = records.ma[BorderIndex];
    TAOR runs;
    AddRgn(runs, Width, md, false, 0);
    AddRgn(runs, Width, md, true, Height - md.WB);
    add(runs);
  }
  if (Manager->IsValidSkinIndex(TitleIndex)) {
    const int mask = Manager->GetMaskIndex(TitleIndex, TitleSection, "BORDERSMASK");
    if (records.IsValidImgIndex(mask)) {
      TAOR runs;
      AddRgn(runs, Width, records.ma[mask], false, 0);
      add(runs);
    }
  }
  return result;
}

HRGN RegionWithoutRuns(const TAOR& Runs, int X, int Y, int Width, int Height) {
  HRGN rgn = CreateRectRgn(X, Y, X + Width, Y + Height);
  if (rgn == nullptr) return nullptr;
  if (X == 0 && Y == 0) {
    CutRuns(rgn, Runs);
    return rgn;
  }
  TAOR moved = Runs;
  for (TRect& r : moved) r = {r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y};
  CutRuns(rgn, moved);
  return rgn;
}

bool RegionOwnedElsewhere(HWND Wnd) {
  // A window that another painting engine owns answers the probe with its own mark.
  constexpr UINT kProbe = 0xBC4D;
  constexpr LRESULT kProbeMark = 0x41A2;
  return SendMessageW(Wnd, kProbe, kProbeMark, 0) == kProbeMark;
}

void FillArOR(TsSkinProvider* Provider) {
  Provider->ArOR =
      FrameRegionRuns(Provider->SkinManager(), Provider->SkinData()->BorderIndex, Provider->TitleSkinIndex(),
                      Provider->TitleSkinSection(), Provider->CaptionWidth(), Provider->Form->Height());
}

HRGN GetRgnFromArOR(TsSkinProvider* Provider, int X, int Y) {
  return RegionWithoutRuns(Provider->ArOR, X, Y, Provider->CaptionWidth(), Provider->Form->Height());
}

void UpdateRgn(TsSkinProvider* Provider, bool Repaint) {
  classlib::TCustomForm* form = Provider->Form;
  if (!Provider->DrawNonClientArea() || form == nullptr || !form->HandleAllocated() || Provider->InMenu) return;
  const HWND h = form->Handle();
  if (!HaveBorder(Provider) && !IsIconic(h) && !IsSizeable(h)) return;
  if (!Provider->FirstInitialized && RegionOwnedElsewhere(h)) return;
  Provider->RgnChanging = true;
  classlib::TScopeExit changing([Provider] { Provider->RgnChanging = false; });
  HRGN rgn;
  if (Provider->BorderForm != nullptr) {
    const int w = SysBorderWidth(h, Provider->BorderForm.get(), false);
    rgn = CreateRectRgn(w, w + SysCaptHeight(form), form->Width() - w, form->Height() - w);
  } else if (IsZoomed(h) && form->Constraints()->MaxWidth() == 0 && form->Constraints()->MaxHeight() == 0 &&
             form->FormStyle() != classlib::fsMDIChild) {
    // Only the part of a maximised window that lies on the screen.
    const int bw = SysBorderWidth(h, nullptr, false);
    const int bh = SysBorderHeight(h, nullptr, false);
    rgn = CreateRectRgn(bw, bh, form->Width() - bw, form->Height() - bh);
  } else {
    FillArOR(Provider);
    rgn = GetRgnFromArOR(Provider, 0, 0);
  }
  if (rgn == nullptr) return;
  Provider->RgnChanged = false;
  // The system owns a region it took; one it refused is still ours to delete.
  if (SetWindowRgn(h, rgn, Repaint ? TRUE : FALSE) == 0) DeleteObject(rgn);
}

}  // namespace skin
