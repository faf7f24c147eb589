#include "skin/controls/sPanel.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/Messages.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr int kPanelCoc = 51;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

// A canvas lent to a DC for one paint; the DC is given back when it goes.
class TDCCanvas {
 public:
  TDCCanvas(HDC dc, const classlib::TFont* font) {
    canvas_.SetHandle(dc);
    canvas_.SetFont(font);
    canvas_.Brush()->SetStyle(classlib::bsClear);
  }
  ~TDCCanvas() { canvas_.SetHandle(nullptr); }
  TDCCanvas(const TDCCanvas&) = delete;
  TDCCanvas& operator=(const TDCCanvas&) = delete;
  classlib::TCanvas* get() { return &canvas_; }

 private:
  classlib::TCanvas canvas_;
};

void FillDC(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

}  // namespace

const char* PanelSectionForBevel(classlib::TBevelCut Bevel) {
  switch (Bevel) {
    case classlib::bvNone: return "CHECKBOX";
    case classlib::bvLowered: return "PANEL_LOW";
    default: return "PANEL";
  }
}

TsPanel::TsPanel(classlib::TComponent* AOwner) : classlib::TPanel(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kPanelCoc;
}

TsPanel::~TsPanel() { FCommonData.reset(); }

void TsPanel::AfterConstruction() {
  classlib::TPanel::AfterConstruction();
  FCommonData->Loaded();
}

void TsPanel::Loaded() {
  classlib::TPanel::Loaded();
  FCommonData->Loaded();
  FOldBevel = BevelOuter();
}

void TsPanel::Invalidate() {
  FollowBevel();
  classlib::TPanel::Invalidate();
}

int TsPanel::InnerWidth() const {
  const int bevels = (BevelInner() != classlib::bvNone ? 1 : 0) + (BevelOuter() != classlib::bvNone ? 1 : 0);
  return BorderWidth() + BevelWidth() * bevels;
}

bool TsPanel::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

bool TsPanel::KeepsOwnCache() { return IsCached(FCommonData.get()) && !FCommonData->CustomColor(); }

void TsPanel::FollowBevel() {
  if (FCommonData == nullptr || BevelOuter() == FOldBevel) return;
  const std::string& current = FCommonData->SkinSection();
  const bool wasDefault =
      current == PanelSectionForBevel(FOldBevel) || (current.empty() && FOldBevel == classlib::bvRaised);
  if (wasDefault && BevelOuter() != classlib::bvSpace) FCommonData->SetSkinSection(PanelSectionForBevel(BevelOuter()));
  FOldBevel = BevelOuter();
}

void TsPanel::Paint() {
  classlib::TPanel::Paint();
  PaintContent(Canvas()->Handle());
  if (OnPaint && Showing()) OnPaint(this, Canvas());
}

void TsPanel::PaintWindow(HDC DC) {
  if (ControlState.Contains(classlib::csPaintCopy) && Skinned())
    OurPaint(DC, true);
  else
    classlib::TPanel::PaintWindow(DC);
}

void TsPanel::WriteText(const TRect& R, classlib::TCanvas* aCanvas, HDC aDC) {
  if (!ShowCaption()) return;
  std::unique_ptr<TDCCanvas> temporary;
  if (aCanvas == nullptr) {
    if (aDC == nullptr) return;
    temporary = std::make_unique<TDCCanvas>(aDC, Font());
    aCanvas = temporary->get();
  }
  UINT flags = DT_SINGLELINE | DT_EXPANDTABS;
  switch (Alignment()) {
    case classlib::taLeftJustify: flags |= DT_LEFT; break;
    case classlib::taRightJustify: flags |= DT_RIGHT; break;
    default: flags |= DT_CENTER; break;
  }
  if (VerticalAlignment() == classlib::taAlignBottom) flags |= DT_BOTTOM;
  if (VerticalAlignment() == classlib::taVerticalCenter) flags |= DT_VCENTER;
  aCanvas->SetFont(Font());
  aCanvas->Brush()->SetStyle(classlib::bsClear);
  TRect r = R;
  acWriteTextEx(aCanvas, Caption(), Enabled(), r, flags, FCommonData.get(), false);
}

void TsPanel::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  PaintSkinControl(FCommonData.get(), Parent(), true, 0, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()}, cache,
                   true);
  const int w = InnerWidth();
  WriteText(TRect{w, w, ClientWidth() - w, ClientHeight() - w}, cache->Canvas());
  PaintContent(cache->Canvas()->Handle());
  if (OnPaint) OnPaint(this, cache->Canvas());
  FCommonData->BGChanged = false;
}

void TsPanel::OurPaint(HDC DC, bool SendUpdated) {
  if (!Showing() || FCommonData == nullptr || !Skinned()) return;
  if (DC == nullptr) DC = Canvas()->Handle();
  if (KeepsOwnCache()) {
    if (FCommonData->Updating()) return;
    const bool needRender = FCommonData->HalfVisible || FCommonData->BGChanged;
    RECT clip{};
    GetClipBox(DC, &clip);
    FCommonData->HalfVisible =
        FCommonData->RepaintIfMoved() && (clip.right - clip.left != Width() || clip.bottom - clip.top != Height());
    if (needRender && !FCommonData->UrgentPainting) PrepareCache();
    const TRect whole{0, 0, Width(), Height()};
    CopyWinControlCache(this, FCommonData.get(), whole, whole, DC, false);
    skin::PaintControls(DC, this, needRender && FCommonData->RepaintIfMoved(), TPoint{0, 0});
  } else {
    FCommonData->SetUpdating(false);
    PaintDirect(DC);
  }
  if (SendUpdated && !ControlState.Contains(classlib::csPaintCopy)) SetParentUpdated(this);
}

void TsPanel::PaintDirect(HDC DC) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(FCommonData->SkinIndex)) return;
  const TsGeneralData& g = sm->Records().gd[std::size_t(FCommonData->SkinIndex)];
  const int transparency = std::clamp(g.Props[0].Transparency, 0, 100);
  const int b = SkinBorderMaxWidth(FCommonData.get());
  const TRect r{0, 0, Width(), Height()};
  {
    const classlib::SavedDC saved(DC);
    TacBGInfo bg;
    if (FCommonData->CustomColor()) {
      bg.BgType = TacBGType::btFill;
      bg.Color = Color();
    } else {
      GetBGInfo(bg, Parent(), false);
    }
    classlib::TBitmap* cache = FCommonData->CacheBmp();
    if (cache->Width() == 0 || cache->Height() == 0) cache->SetSize(1, 1);
    if (transparency == 100 && bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
      const int inset = b > 0 ? b : 0;
      if (b > 0) {
        InitCacheBmp(FCommonData.get());
        PaintBorderFast(DC, r, b, FCommonData.get(), 0);
      }
      BitBlt(DC, inset, inset, Width() - 2 * inset, Height() - 2 * inset, bg.Bmp->Canvas()->Handle(),
             bg.Offset.X + inset, bg.Offset.Y + inset, SRCCOPY);
    } else {
      const TColor own = FCommonData->CustomColor() ? Color() : g.Props[0].Color;
      const TColor behind = classlib::ColorToRGB(bg.Color);
      TColor fill = own;
      if (transparency == 100)
        fill = behind;
      else if (transparency > 0)
        fill = MixColors(behind, classlib::ColorToRGB(own), transparency / 100.0);
      TRect inside = r;
      if (b > 0) {
        InitCacheBmp(FCommonData.get());
        inside = PaintBorderFast(DC, r, b, FCommonData.get(), 0);
      }
      FillDC(DC, inside, fill);
    }
    const int w = InnerWidth();
    TDCCanvas canvas(DC, Font());
    WriteText(TRect{w, w, ClientWidth() - w, ClientHeight() - w}, canvas.get());
    PaintContent(DC);
    if (OnPaint) OnPaint(this, canvas.get());
    FCommonData->BGChanged = false;
  }
  skin::PaintControls(DC, this, true, TPoint{0, 0});
}

// ---- messages ----

void TsPanel::WndProc(TMessage& M) {
  if (M.Msg == classlib::CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
  if (M.Msg == classlib::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (ControlIsReady(this) && Skinned()) {
    if (SkinnedMessage(M)) return;
  } else if (M.Msg == WM_PRINT) {
    if (OnPaint) {
      OnPaint(this, Canvas());
      BitBlt(reinterpret_cast<HDC>(M.WParam), 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    return;
  } else if (M.Msg == WM_ERASEBKGND && OnPaint) {
    M.Result = 1;
    return;
  }
  classlib::TPanel::WndProc(M);
}

bool TsPanel::SkinCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      ControlStyle -= classlib::csOpaque;
      AlphaBroadCast(this, M);
      if (own) CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      ControlStyle -= classlib::csOpaque;
      if (own) {
        CommonWndProc(M, FCommonData.get());
        classlib::TPanel::Invalidate();
      }
      AlphaBroadCast(this, M);
      return true;
    case ACMD_REFRESH:
      if (own) {
        CommonWndProc(M, FCommonData.get());
        if (HandleAllocated() && Visible() && !HasState(this, classlib::csLoading)) {
          RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
          AlphaBroadCast(this, M);
        }
      } else {
        AlphaBroadCast(this, M);
      }
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETBGINFO: {
      if (sm == nullptr || !sm->IsValidSkinIndex(FCommonData->SkinIndex) || M.LParam == 0) return false;
      auto& info = *reinterpret_cast<TacBGInfo*>(M.LParam);
      const bool pleaseDraw = info.PleaseDraw;
      InitBGInfo(FCommonData.get(), info, 0);
      // The children sit in the client area: their background starts where it starts in the cache.
      if (HandleAllocated() && info.BgType == TacBGType::btCache && !pleaseDraw) {
        RECT wr{};
        GetWindowRect(Handle(), &wr);
        POINT origin{0, 0};
        ::ClientToScreen(Handle(), &origin);
        info.Offset.X += origin.x - wr.left;
        info.Offset.Y += origin.y - wr.top;
      }
      return true;
    }
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsPanel::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_PARENTUPDATED:
          if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            if (!FCommonData->Updating() && HandleAllocated())
              RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
          }
          SetParentUpdated(this);
          return true;
        case ACMD_ISBUSY: {
          const classlib::TBitmap* cache = FCommonData->CacheBmp();
          M.Result = FCommonData->Updating() || (KeepsOwnCache() && cache != nullptr &&
                                                 (cache->Width() != Width() || cache->Height() != Height()));
          return true;
        }
        default: return CommonMessage(M, FCommonData.get());
      }
    case WM_SIZE:
    case classlib::CM_VISIBLECHANGED:
      FCommonData->BGChanged = true;
      if (M.Msg == classlib::CM_VISIBLECHANGED) FCommonData->SetUpdating(false);
      return false;
    case WM_WINDOWPOSCHANGING: {
      TsSkinManager* sm = FCommonData->GetSkinManager();
      if (sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0].Transparency != 0)
        FCommonData->BGChanged = true;
      return false;
    }
    case classlib::CM_COLORCHANGED:
      if (FCommonData->CustomColor()) FCommonData->BGChanged = true;
      return false;
    case WM_PAINT:
      if (!Visible()) return false;
      PaintHandler();
      M.Result = 0;
      return true;
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      if (M.LParam == 0 || M.WParam != static_cast<WPARAM>(M.LParam)) {
        if (!KeepsOwnCache() && !FCommonData->Updating()) OurPaint(dc, true);
      } else {
        if (FCommonData->BGChanged) PrepareCache();
        if (!FCommonData->BGChanged && KeepsOwnCache())
          BitBlt(dc, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
        else if (!KeepsOwnCache())
          FillDC(dc, TRect{0, 0, Width(), Height()}, GetControlColor(this));
      }
      M.Result = 1;
      return true;
    }
    case WM_PRINT: {
      FCommonData->SetUpdating(false);
      classlib::TBitmap* cache = FCommonData->CacheBmp();
      if (!KeepsOwnCache() && (cache->Width() == 0 || cache->Height() == 0)) cache->SetSize(1, 1);
      if (KeepsOwnCache()) PrepareCache();
      OurPaint(reinterpret_cast<HDC>(M.WParam), false);
      return true;
    }
    case classlib::CM_TEXTCHANGED:
      if (Parent() != nullptr) FCommonData->Invalidate();
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: classlib::TPanel::WndProc(M); return true;
    default: break;
  }
  if (CommonWndProc(M, FCommonData.get())) return true;
  const unsigned msg = M.Msg;
  const bool hasCaption = msg == WM_SETFONT && !Caption().empty();
  classlib::TPanel::WndProc(M);
  if (msg == WM_SETFONT && hasCaption) {
    FCommonData->BGChanged = true;
    classlib::TPanel::Invalidate();
  } else if (msg == classlib::CM_ENABLEDCHANGED) {
    FCommonData->Invalidate();
  }
  return true;
}

void TsPanel::PaintHandler() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(Handle(), &ps);
  if (dc != nullptr && !FCommonData->Updating()) {
    const classlib::SavedDC saved(dc);
    OurPaint(dc, true);
  }
  EndPaint(Handle(), &ps);
}

void TsPanel::DeclareProperties(classlib::TClassDecl<TsPanel>& d) {
  d.Object(L"SkinData", &TsPanel::SkinData);
  d.Event(L"OnPaint", &TsPanel::OnPaint);
}

void RegisterPanelClasses() {
  classlib::RegisterClass<TsPanel, classlib::TPanel>(L"TsPanel");
  classlib::RegisterClass<TsColorsPanel, TsPanel>(L"TsColorsPanel");
  classlib::RegisterClass<TsStdColorsPanel, TsColorsPanel>(L"TsStdColorsPanel");
  classlib::RegisterClass<TsContainer, TsPanel>(L"TsContainer");
  classlib::RegisterClass<TsDragBar, TsPanel>(L"TsDragBar");
  classlib::RegisterClass<TsGrip, TsPanel>(L"TsGrip");
}

}  // namespace skin
