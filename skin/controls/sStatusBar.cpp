#include "skin/controls/sStatusBar.h"

#include <algorithm>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sStatusBarGeometry.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;
using classlib::TRect;
using classlib::TStatusPanel;

namespace {

constexpr int kStatusBarCoc = 151;
constexpr unsigned kSbSetTextA = 0x401, kSbSimple = 0x409, kSbGetRect = 0x40A, kSbSetTextW = 0x40B;

// Lends a canvas to a DC until it goes out of scope.
class TCanvasBinding {
 public:
  TCanvasBinding(classlib::TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~TCanvasBinding() { canvas_.SetHandle(nullptr); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

 private:
  classlib::TCanvas& canvas_;
};

}  // namespace

TsStatusBar::TsStatusBar(classlib::TComponent* AOwner) : classlib::TStatusBar(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kStatusBarCoc;
  ControlStyle += classlib::csAcceptsControls;
  ControlStyle += classlib::csOpaque;
}

TsStatusBar::~TsStatusBar() { FCommonData.reset(); }

void TsStatusBar::DeclareProperties(classlib::TClassDecl<TsStatusBar>& d) {
  d.Object(L"SkinData", &TsStatusBar::SkinData);
}

void TsStatusBar::AfterConstruction() {
  classlib::TStatusBar::AfterConstruction();
  FCommonData->Loaded();
}

void TsStatusBar::Loaded() {
  classlib::TStatusBar::Loaded();
  FCommonData->Loaded();
}

bool TsStatusBar::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

int TsStatusBar::PanelOffset(int Index) const {
  std::vector<int> widths;
  for (int i = 0; i < Panels()->Count(); ++i) widths.push_back(Panels()->Items(i)->Width());
  return skin::PanelOffset(widths, Index);
}

// ---- the cache ----

void TsStatusBar::PrepareCache() {
  const bool rebuild =
      FCommonData->BGChanged || FCommonData->HalfVisible || GetBoolMsg(Parent(), ACMD_ISHALFVISIBLE);
  // Flush with the parent's right or bottom edge counts as half visible.
  const TRect client = Parent()->ClientRect();
  const bool topLeftInside = Left() >= client.Left && Left() < client.Right && Top() >= client.Top && Top() < client.Bottom;
  const bool bottomRightInside = Left() + Width() >= client.Left && Left() + Width() < client.Right &&
                                 Top() + Height() >= client.Top && Top() + Height() < client.Bottom;
  FCommonData->HalfVisible = !(topLeftInside && bottomRightInside);
  if (!rebuild || FCommonData->UrgentPainting) return;
  TCacheInfo parentCache;
  GetParentCache(FCommonData.get(), parentCache);
  InitCacheBmp(FCommonData.get());
  PaintItem(FCommonData.get(), parentCache, false, 0, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()},
            FCommonData->CacheBmp(), false);
  PaintPanels();
  if (SizeGrip()) PaintGrip();
  FCommonData->BGChanged = false;
}

void TsStatusBar::PaintPanels() {
  const int count = Panels()->Count();
  if (SimplePanel() || count == 0) {
    InternalDrawPanel(nullptr, SimpleText(), StatusSimpleRect(Width(), Height(), SizeGrip()));
    return;
  }
  std::vector<int> widths;
  for (int i = 0; i < count; ++i) widths.push_back(Panels()->Items(i)->Width());
  for (int i = 0; i < count; ++i)
    DrawPanel(Panels()->Items(i), StatusPanelRect(widths, i, Width(), Height(), SizeGrip()));
}

void TsStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
  if (Skinned()) {
    InternalDrawPanel(Panel, L"", TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1});
  } else if (OnDrawPanel) {
    OnDrawPanel(this, Panel, Rect);
  }
}

void TsStatusBar::InternalDrawPanel(TStatusPanel* Panel, const std::wstring& Text, const TRect& R) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  if (sm != nullptr && sm->IsValidSkinIndex(FCommonData->SkinIndex)) {
    const int frame = sm->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), "STATUSPANELMASK");
    if (sm->IsValidImgIndex(frame)) {
      const TRect where = Panel == nullptr ? TRect{0, 0, Width(), Height()} : R;
      // The frame lies over the bar's own section: its key pixels keep that section showing.
      DrawSkinRect(cache, where, true, EmptyCI, sm->Records().ma[std::size_t(frame)], 0, false);
    } else if (Panel != nullptr && Panel->Index() < Panels()->Count() - 1) {
      DrawDivider(R);
    }
  }
  if (Panel != nullptr && Panel->Style() == classlib::psOwnerDraw && OnDrawPanel) {
    const HDC dc = cache->Canvas()->Handle();
    const classlib::SavedDC saved(dc);
    const TCanvasBinding bound(FCanvas, dc);
    OnDrawPanel(this, Panel, R);
    return;
  }
  const UINT flags =
      (Panel != nullptr ? GetStringFlags(this, Panel->Alignment()) : GetStringFlags(this, classlib::taLeftJustify)) |
      DT_END_ELLIPSIS;
  DoDrawText(Panel != nullptr ? Panel->Text() : Text, StatusTextRect(R), flags);
}

void TsStatusBar::DrawDivider(const TRect& R) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int section = sm->GetSkinIndex("DIVIDER");
  if (!sm->IsValidSkinIndex(section) || Height() <= 2) return;
  const int mask = sm->GetMaskIndex(section, "DIVIDER", "BORDERSMASK");
  if (!sm->IsValidImgIndex(mask)) return;
  const TsMaskData& md = sm->Records().ma[std::size_t(mask)];
  const int w = std::max(2, md.WL + md.WR);
  const int h = Height() - 2;
  const int x = StatusDividerLeft(R, w);
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  auto strip = NewBitmap32(w, h);
  PaintItem(section, "DIVIDER", MakeCacheInfo(cache), true, 0, TRect{0, 0, w, h}, TPoint{x, 1}, strip.get(), sm);
  BitBlt(cache->Canvas()->Handle(), x, 1, w, h, strip->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsStatusBar::DoDrawText(const std::wstring& Text, TRect R, UINT Flags) {
  Flags |= DT_SINGLELINE | DT_VCENTER;
  if (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) Flags |= DT_RIGHT;
  classlib::TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(canvas, Text, true, R, Flags, FCommonData.get(), ControlIsActive(FCommonData.get()));
}

void TsStatusBar::PaintGrip() {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr) return;
  const int grip = sm->Records().ConstData.GripRightBottom;
  if (!sm->IsValidImgIndex(grip)) return;
  const TsMaskData& md = sm->Records().ma[std::size_t(grip)];
  if (md.ImageCount <= 0) return;
  const int cellWidth = (md.R.Right - md.R.Left) / md.ImageCount;
  const int cellHeight = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  DrawSkinGlyph(cache, TPoint{Width() - cellWidth, Height() - cellHeight}, 0, 1, md, MakeCacheInfo(cache));
}

// ---- painting ----

void TsStatusBar::CopyCache(HDC DC) {
  const TRect whole{0, 0, Width(), Height()};
  CopyWinControlCache(this, FCommonData.get(), whole, whole, DC, true);
}

void TsStatusBar::OurPaintHandler(HDC DC) {
  const HWND wnd = Handle();
  PAINTSTRUCT ps{};
  // Only a paint of the window's own brackets it: a print must leave pending updates alone.
  const bool bracket = DC == nullptr;
  if (bracket) DC = BeginPaint(wnd, &ps);
  const classlib::TScopeExit done([&]() noexcept {
    if (bracket) EndPaint(wnd, &ps);
  });
  if (DC == nullptr) return;
  const classlib::SavedDC saved(DC);
  FCommonData->SetUpdating(FCommonData->Updating());
  if (FCommonData->Updating()) return;
  PrepareCache();
  const bool changed = FCommonData->BGChanged;
  CopyCache(DC);
  skin::PaintControls(DC, this, changed, TPoint{0, 0});
  SetParentUpdated(this);
  FCommonData->BGChanged = false;
}

// ---- messages ----

void TsStatusBar::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (ControlIsReady(this) && Skinned() && SkinnedMessage(M)) return;
  classlib::TStatusBar::WndProc(M);
}

bool TsStatusBar::SkinCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
    case ACMD_REFRESH:
      if (!own) return false;
      AlphaBroadCast(this, M);
      CommonWndProc(M, FCommonData.get());
      if (CommandOf(M.WParam) == ACMD_REFRESH && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      // The native bar paints itself again.
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      AlphaBroadCast(this, M);
      return true;
    case ACMD_PARENTUPDATED:
      if (!FCommonData->Updating()) return false;
      FCommonData->SetUpdating(false);
      if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsStatusBar::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_MOVE: {
      const TsGeneralData& g = FCommonData->GetSkinManager()->Records().gd[std::size_t(FCommonData->SkinIndex)];
      if (g.Props[0].Transparency > 0 || g.Props[1].Transparency > 0) FCommonData->BGChanged = true;
      break;
    }
    case WM_PAINT:
      if (InAnimationProcess) {
        ValidateRect(Handle(), nullptr);
        return true;
      }
      OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      M.Result = 0;
      return true;
    case WM_ERASEBKGND:
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating() && !FCommonData->BGChanged) {
        const HDC dc = reinterpret_cast<HDC>(M.WParam);
        CopyCache(dc);
        skin::PaintControls(dc, this, false, TPoint{0, 0});
      }
      M.Result = 1;
      return true;
    case WM_NCPAINT:
      // The bar has no frame of its own: the cache only gets ready.
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!InAnimationProcess && !FCommonData->Updating()) PrepareCache();
      return true;
    case WM_PRINT:
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating()) OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      return true;
    default: break;
  }
  if (CommonWndProc(M, FCommonData.get())) return true;
  const unsigned msg = M.Msg;
  classlib::TStatusBar::WndProc(M);
  if (msg == kSbSetTextA || msg == kSbSimple || msg == kSbGetRect || msg == kSbSetTextW) FCommonData->BGChanged = true;
  return true;
}

void RegisterStatusBarClasses() {
  classlib::RegisterClass<TsStatusBar, classlib::TStatusBar>(L"TsStatusBar");
}

}  // namespace skin
