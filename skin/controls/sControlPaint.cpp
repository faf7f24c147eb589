#include "skin/controls/sControlPaint.h"

#include <algorithm>
#include <memory>

#include "classlib/ScopeExit.h"

#include "skin/core/acntRects.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin::detail {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TControl;

const TsGeneralData* Section(const TsCommonData* Data) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  if (sm == nullptr || !sm->IsValidSkinIndex(Data->SkinIndex)) return nullptr;
  return &sm->Records().gd[static_cast<std::size_t>(Data->SkinIndex)];
}

int LastState(const TsCommonData* Data) {
  const TsGeneralData* g = Section(Data);
  return g != nullptr ? std::max(g->States, 1) - 1 : 0;
}

TLinkFont::TLinkFont(TCanvas* Canvas, bool Link) : canvas_(Canvas), link_(Link) {
  if (!link_) return;
  classlib::TFont* font = canvas_->Font();
  style_ = font->Style();
  size_ = font->Size();
  font->SetStyle(style_ + classlib::TFontStyles{classlib::fsBold});
  font->SetSize(size_ + 2);
}

TLinkFont::~TLinkFont() {
  if (!link_) return;
  classlib::TFont* font = canvas_->Font();
  font->SetStyle(style_);
  font->SetSize(size_);
}

void WriteCaption(TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags, TsCommonData* Data,
                  bool Hot) {
  if (Text.empty()) return;
  acWriteTextEx(Canvas, Text, Enabled, R, Flags, Data, Hot);
}

void DrawFocusFrame(TCanvas* Canvas, const TRect& R) {
  FocusRect(Canvas->Handle(), R, classlib::ColorToRGB(classlib::clBtnFace), classlib::clBlack);
}

void DrawSplitStrip(TBitmap* Cache, TColor Colour) {
  const int w = Cache->Width(), h = Cache->Height();
  TCanvas* canvas = Cache->Canvas();
  canvas->Pen()->SetColor(Colour);
  canvas->Pen()->SetWidth(1);
  canvas->MoveTo(w - 15, 4);
  canvas->LineTo(w - 15, h - 4);
  DrawColorArrow(View32(Cache), Colour, TRect{w - 16, 0, w, h}, 8);
}

void ApplyDisabledKind(TControl* Control, TBitmap* Cache, TsDisabledKind Kind, const TCacheInfo& CI) {
  const TColor parentColour =
      Control->Parent() != nullptr ? GetControlColor(static_cast<TControl*>(Control->Parent())) : clFuchsia;
  BmpDisabledKind(View32(Cache), Kind.Contains(TsDisabledKindValue::dkGrayed),
                  Kind.Contains(TsDisabledKindValue::dkBlended), CacheInfo32(CI), {Control->Left(), Control->Top()},
                  parentColour);
}

TCacheInfo ParentBackground(TControl* Control, TBitmap* Cache) {
  TacBGInfo bg;
  bg.R = {0, 0, Control->Width(), Control->Height()};
  bg.Offset = {Control->Left(), Control->Top()};
  if (Control->Parent() != nullptr) {
    Cache->Canvas()->Lock();
    const classlib::TScopeExit unlock([&]() noexcept { Cache->Canvas()->Unlock(); });
    GetBGInfo(bg, Control->Parent(), false);
  }
  if (bg.BgType == TacBGType::btUnknown) return MakeCacheInfo(Cache, -Control->Left(), -Control->Top());
  return BGInfoToCI(bg);
}

void CopyBorderCorners(HDC DC, TBitmap* Cache, const TsMaskData& Border) {
  const int w = Cache->Width(), h = Cache->Height();
  const HDC src = Cache->Canvas()->Handle();
  BitBlt(DC, 0, 0, Border.WL, Border.WT, src, 0, 0, SRCCOPY);
  BitBlt(DC, w - Border.WR, 0, Border.WR, Border.WT, src, w - Border.WR, 0, SRCCOPY);
  BitBlt(DC, 0, h - Border.WB, w, Border.WB, src, 0, h - Border.WB, SRCCOPY);
}

void InvalidateOldCorners(TControl* Control, TsCommonData* Data, const TRect& Last, const TRect& Now,
                          const TsMaskData& Border) {
  const bool narrower = Now.Right - Now.Left < Last.Right - Last.Left;
  const bool lower = Now.Bottom - Now.Top < Last.Bottom - Last.Top;
  classlib::TWinControl* parent = Control->Parent();
  if ((!narrower && !lower) || parent == nullptr || !parent->HandleAllocated()) return;
  TCacheInfo ci;
  GetParentCache(Data, ci);
  if (ci.Ready) return;
  const RECT corners[] = {{Last.Right - Border.WR, Last.Top, Last.Right, Last.Top + Border.WT},
                          {Last.Right - Border.WR, Last.Bottom - Border.WB, Last.Right, Last.Bottom},
                          {Last.Left, Last.Bottom - Border.WB, Last.Left + Border.WL, Last.Bottom}};
  for (const RECT& r : corners) InvalidateRect(parent->Handle(), &r, TRUE);
}

void SetVisualStyle(HWND Wnd, bool On) {
  using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const TSetWindowTheme setTheme = [] {
    const HMODULE lib = LoadLibraryW(L"uxtheme.dll");
    return lib != nullptr
               ? reinterpret_cast<TSetWindowTheme>(reinterpret_cast<void*>(GetProcAddress(lib, "SetWindowTheme")))
               : nullptr;
  }();
  if (setTheme == nullptr || Wnd == nullptr) return;
  if (On)
    setTheme(Wnd, nullptr, nullptr);
  else
    setTheme(Wnd, L" ", L" ");
}

namespace {

// The visual-style functions, looked up once; all null where the library is missing.
struct TThemeApi {
  using TIsAppThemed = BOOL(WINAPI*)();
  using TOpenThemeData = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using TCloseThemeData = HRESULT(WINAPI*)(HANDLE);
  using TDrawThemeBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using TGetContentRect = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
  using TDrawParentBackground = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
  TIsAppThemed IsAppThemed = nullptr;
  TOpenThemeData Open = nullptr;
  TCloseThemeData Close = nullptr;
  TDrawThemeBackground Draw = nullptr;
  TGetContentRect Content = nullptr;
  TDrawParentBackground Parent = nullptr;

  TThemeApi() {
    const HMODULE lib = LoadLibraryW(L"uxtheme.dll");
    if (lib == nullptr) return;
    Load(lib, "IsAppThemed", IsAppThemed);
    Load(lib, "OpenThemeData", Open);
    Load(lib, "CloseThemeData", Close);
    Load(lib, "DrawThemeBackground", Draw);
    Load(lib, "GetThemeBackgroundContentRect", Content);
    Load(lib, "DrawThemeParentBackground", Parent);
  }
  bool Complete() const { return IsAppThemed && Open && Close && Draw && Content && Parent; }

 private:
  template <class F>
  static void Load(HMODULE lib, const char* name, F& f) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
  }
};

const TThemeApi& ThemeApi() {
  static const TThemeApi api;
  return api;
}

}  // namespace

bool DrawThemedButton(HWND Wnd, HDC DC, const TRect& R, int State, TRect& Content) {
  const TThemeApi& api = ThemeApi();
  if (!api.Complete() || !api.IsAppThemed()) return false;
  const HANDLE theme = api.Open(Wnd, L"BUTTON");
  if (theme == nullptr) return false;
  constexpr int kPushButton = 1;
  const auto* rect = reinterpret_cast<const RECT*>(&R);
  api.Parent(Wnd, DC, rect);
  api.Draw(theme, DC, kPushButton, State, rect, nullptr);
  RECT content = *rect;
  api.Content(theme, DC, kPushButton, State, rect, &content);
  Content = {content.left, content.top, content.right, content.bottom};
  api.Close(theme);
  return true;
}

void DeleteHeldRegion(HRGN& Region) {
  if (Region != nullptr && Region != kFirstPaintRegion) DeleteObject(Region);
  Region = nullptr;
}

void PaintButtonFromCache(HDC DC, const TButtonPaint& P) {
  TsCommonData* data = P.Data;
  if (InAnimationProcess && (DC == nullptr || DC != data->PrintDC)) return;
  classlib::TWinControl* control = P.Control;
  const HWND wnd = control->Handle();
  const HDC target = DC != nullptr ? DC : GetDC(wnd);
  PAINTSTRUCT ps{};
  const bool bracket = !InAnimationProcess;
  if (bracket) BeginPaint(wnd, &ps);
  const classlib::TScopeExit done([&]() noexcept {
    if (bracket) EndPaint(wnd, &ps);
    if (DC == nullptr) ReleaseDC(wnd, target);
  });
  data->SetUpdating(data->Updating());
  if (data->Updating() || P.Fading) return;
  TControl* parent = control->Parent();
  data->BGChanged = data->BGChanged || data->HalfVisible || GetBoolMsg(parent, ACMD_ISHALFVISIBLE);
  const TRect client = parent->ClientRect();
  data->HalfVisible = control->Left() < client.Left || control->Top() < client.Top ||
                      control->Left() + control->Width() > client.Right ||
                      control->Top() + control->Height() > client.Bottom;
  HRGN& region = *P.Region;
  const bool redraw = region == kFirstPaintRegion || aSkinChanging;
  // A region prepared outside this path (a fade's first frame, an urgent paint, a print) is not the
  // window's yet: deleting it here keeps it from leaking.
  DeleteHeldRegion(region);
  const TsMaskData* md = P.Border;
  if (P.RegionChanged && md != nullptr && md->CornerType == 2 && !P.Designing) {
    P.Prepare();
    UpdateCorners(data, P.State());
    CopyBorderCorners(target, data->CacheBmp(), *md);
    if (target != data->PrintDC && !control->ControlState.Contains(classlib::csAlignmentNeeded) && region != nullptr) {
      SetWindowRgn(wnd, region, redraw ? TRUE : FALSE);
      region = nullptr;  // the window owns it now
      const TRect bounds = control->BoundsRect();
      InvalidateOldCorners(control, data, *P.LastRect, bounds, *md);
      *P.LastRect = bounds;
    }
    DeleteHeldRegion(region);
  } else if (data->BGChanged || P.Designing) {
    P.Prepare();
  }
  TBitmap* cache = data->CacheBmp();
  const int saved = SaveDC(target);
  BitBlt(target, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(target, saved);
}

TRedrawOff::TRedrawOff(classlib::TWinControl* Control, bool* Flag)
    : wnd_(Control->HandleAllocated() ? Control->Handle() : nullptr), flag_(Flag) {
  if (wnd_ != nullptr) {
    pending_ = CreateRectRgn(0, 0, 0, 0);
    if (pending_ != nullptr && GetUpdateRgn(wnd_, pending_, FALSE) <= NULLREGION) {
      DeleteObject(pending_);
      pending_ = nullptr;
    }
    SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
  }
  if (flag_ != nullptr) *flag_ = true;
}

TRedrawOff::~TRedrawOff() {
  if (wnd_ != nullptr && IsWindow(wnd_)) {
    SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    if (pending_ != nullptr) RedrawWindow(wnd_, nullptr, pending_, RDW_INVALIDATE | RDW_ERASE);
  }
  if (pending_ != nullptr) DeleteObject(pending_);
  if (flag_ != nullptr) *flag_ = false;
}

void PaintEditWith(classlib::TWinControl* Control, TsCommonData* Data, HDC DC, const std::function<void(HDC)>& Draw) {
  const HWND wnd = Control->Handle();
  PAINTSTRUCT ps{};
  const bool ownPaint = DC == nullptr && !InAnimationProcess;
  if (ownPaint) BeginPaint(wnd, &ps);
  {
    std::unique_ptr<TWindowDC> windowDC;
    if (DC == nullptr) {
      windowDC = std::make_unique<TWindowDC>(wnd);
      DC = windowDC->get();
    }
    Data->SetUpdating(Data->Updating());
    if (DC != nullptr && !Data->Updating()) {
      classlib::TWinControl* parent = Control->Parent();
      Data->BGChanged = Data->BGChanged || Data->HalfVisible ||
                        (parent != nullptr && GetBoolMsg(parent, ACMD_ISHALFVISIBLE));
      Data->HalfVisible = parent != nullptr && !RectInRect(parent->ClientRect(), Control->BoundsRect());
      Draw(DC);
    }
  }
  if (ownPaint) EndPaint(wnd, &ps);
}

}  // namespace skin::detail
