// The skinned page control's painting: the page area and tab strip in the cache, one tab into a
// bitmap of its own, the close buttons, and single tabs repainted on the window while hovering.
#include <algorithm>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TTabSheet;

namespace {

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

int W(const TRect& r) { return r.Right - r.Left; }
int H(const TRect& r) { return r.Bottom - r.Top; }
bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// The caption font turned to read from bottom to top; owned here and deleted with this object.
classlib::GdiObject<HFONT> RotatedFont(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  lf.lfEscapement = 900;
  lf.lfOrientation = 900;
  lf.lfWidth = 0;
  if (std::wstring(lf.lfFaceName) == L"MS Sans Serif") wcscpy_s(lf.lfFaceName, L"Arial");
  return classlib::GdiObject<HFONT>(CreateFontIndirectW(&lf));
}

}  // namespace

TRect TsPageControl::TabsRect() const {
  return skin::TabsRect(VisibleTabsCount() > 0, TabPosition(), Width(), Height(), DisplayRect());
}

TRect TsPageControl::PageRect() const {
  return skin::PageRect(VisibleTabsCount() > 0, TabPosition(), Width(), Height(), DisplayRect());
}

TRect TsPageControl::SkinTabRect(int TabIndex, bool Active) const {
  if (TabIndex < 0 || TabIndex >= PageCount()) return TRect{};
  return skin::SkinTabRect(TabRect(TabIndex), Active, Style());
}

TacTabData TsPageControl::InitTabContentData(classlib::TCanvas* Canvas, TTabSheet* Page, int State, const TRect& R) {
  auto* sheet = dynamic_cast<TsTabSheet*>(Page);
  TTabContentInput in;
  in.Position = TabPosition();
  in.Style = Style();
  in.RotateCaptions = FRotateCaptions;
  in.TabType = sheet != nullptr && Page->TabVisible() ? sheet->TabType() : ttTab;
  in.State = State;
  const std::wstring caption = Page->Caption();
  in.TextSize = acTextExtent(Canvas, caption);
  in.CaptionEmpty = caption.empty();
  in.ShowCloseBtn = FShowCloseBtns && (sheet == nullptr || sheet->UseCloseBtn());
  in.BtnWidth = BtnWidth;
  in.BtnHeight = BtnHeight;
  classlib::TCustomImageList* images = Images();
  in.HasGlyph = images != nullptr && Page->ImageIndex() >= 0 && Page->ImageIndex() < images->Count();
  if (in.HasGlyph) in.ImageSize = TSize{images->Width(), images->Height()};
  in.ShowFocus = FShowFocus;
  in.Focused = HandleAllocated() && Focused();
  in.SkinFocused = FCommonData->FFocused;
  return skin::InitTabContentData(in, R);
}

std::unique_ptr<classlib::TBitmap> TsPageControl::TabBitmap(TTabSheet* Page, const TRect& R) {
  auto bmp = NewBitmap32(W(R), H(R));
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->SetFont(Font());
  if (FActiveIsBold && Page == ActivePage()) {
    classlib::TFontStyles style = canvas->Font()->Style();
    style.Include(classlib::fsBold);
    canvas->Font()->SetStyle(style);
  }
  canvas->Brush()->SetStyle(classlib::bsClear);
  return bmp;
}

int StandardTabSection(TsSkinManager* Manager, classlib::TTabStyle Style, classlib::TTabPosition Position) {
  switch (Style) {
    case classlib::tsButtons: return Manager->GetSkinIndex("BUTTON");
    case classlib::tsFlatButtons: return Manager->GetSkinIndex("TOOLBUTTON");
    case classlib::tsTabs: break;
  }
  const TConstantSkinData& cd = Manager->Records().ConstData;
  switch (Position) {
    case classlib::tpTop: return cd.IndexTabTop;
    case classlib::tpBottom: return cd.IndexTabBottom;
    case classlib::tpLeft: return cd.IndexTabLeft;
    case classlib::tpRight: return cd.IndexTabRight;
  }
  return -1;
}

int TsPageControl::TabSection(int PageIndex, bool Special) const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  auto* sheet = dynamic_cast<TsTabSheet*>(Pages(PageIndex));
  const std::string own = sheet != nullptr ? sheet->TabSkin() : std::string();
  if (Special) {
    int index = sm->GetSkinIndex(own.empty() ? "MENUBTN" : own);
    if (index < 0) index = sm->GetSkinIndex(sheet->TabType() == ttMenu ? "MENUITEM" : "SPEEDBUTTON");
    return index;
  }
  if (!own.empty()) return sm->GetSkinIndex(own);
  return StandardTabSection(sm, Style(), TabPosition());
}

void TsPageControl::DrawSkinTab(int PageIndex, int State, HDC DC) {
  TTabSheet* page = PageAt(PageIndex);
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (page == nullptr || !page->TabVisible() || sm == nullptr) return;
  const bool special = IsSpecialTab(PageIndex, false);
  TRect r = SkinTabRect(page->TabIndex(), State == 2 && !special);
  if ((State == 1 && r.Left < 0) || sm->Records().ConstData.IndexTabTop < 0) return;
  const int section = TabSection(PageIndex, special);
  if (special) r = ShrinkSpecialTab(r, TabPosition());
  if (!sm->IsValidSkinIndex(section) || Empty(r)) return;
  const TsGeneralData& g = sm->Records().gd[std::size_t(section)];
  const int drawState = std::max(0, std::min(State, g.States - 1));
  const TColor fontColor = State > 0 ? g.HotFontColor.Color : g.FontColor.Color;

  auto bmp = TabBitmap(page, r);
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->Font()->SetColor(fontColor);

  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  ci.X += Left();
  ci.Y += Top();
  PaintItem(section, g.ClassName, ci, true, drawState, TRect{0, 0, W(r), H(r)}, TPoint{r.Left, r.Top}, bmp.get(), sm);

  if (OwnerDraw()) {
    if (!OnDrawTab) return;
    BitBlt(DC, r.Left, r.Top, W(r), H(r), canvas->Handle(), 0, 0, SRCCOPY);
    const int saved = SaveDC(DC);
    Canvas()->SetHandle(DC);
    const classlib::TScopeExit restore([&] {
      Canvas()->SetHandle(nullptr);
      RestoreDC(DC, saved);
    });
    OnDrawTab(this, page->TabIndex(), r, State != 0);
    return;
  }

  PaintTabContent(bmp.get(), page, State, fontColor, true);
  if (!page->Enabled() || !Enabled()) {
    // Blended with what the cache shows under the tab: the strip's background.
    classlib::TBitmap* cache = FCommonData->CacheBmp();
    const TRect src{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, cache->Width()),
                    std::min(r.Bottom, cache->Height())};
    if (!Empty(src))
      BlendTransRectangle(View32(bmp.get()), src.Left - r.Left, src.Top - r.Top, View32(cache),
                          TRect{src.Left, src.Top, src.Right - 1, src.Bottom - 1}, 0.4, clFuchsia);
  }
  BitBlt(DC, r.Left, r.Top, W(r), H(r), canvas->Handle(), 0, 0, SRCCOPY);
}

void TsPageControl::PaintTabContent(classlib::TBitmap* Bmp, TTabSheet* Page, int State, TColor FontColor,
                                    bool Skinned) {
  classlib::TCanvas* canvas = Bmp->Canvas();
  const int pageIndex = Page->PageIndex();
  const TacTabData d = InitTabContentData(canvas, Page, State, TRect{0, 0, Bmp->Width(), Bmp->Height()});
  if (!Empty(d.GlyphRect))
    Images()->Draw(canvas, d.GlyphRect.Left, d.GlyphRect.Top, Page->ImageIndex(),
                   Skinned || (Page->Enabled() && Enabled()));
  const std::wstring caption = Page->Caption();
  const HDC dc = canvas->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, classlib::ColorToRGB(FontColor));
  if (VerticalCaptions(TabPosition(), FRotateCaptions)) {
    const classlib::GdiObject<HFONT> font = RotatedFont(canvas->Font()->Handle());
    const HGDIOBJ previous = SelectObject(dc, font.get());
    const std::wstring text = CutText(canvas, caption, H(d.TextRect));
    RECT clip{d.TextRect.Left, d.TextRect.Top, d.TextRect.Right, d.TextRect.Bottom};
    ExtTextOutW(dc, d.TextPos.X, d.TextPos.Y, ETO_CLIPPED, &clip, text.c_str(), UINT(text.size()), nullptr);
    // The font made for this tab goes back out of the DC before it is deleted.
    SelectObject(dc, previous);
  } else {
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    if (Empty(d.ArrowRect)) flags |= DT_END_ELLIPSIS;
    TRect text = d.TextRect;
    acDrawText(dc, caption, text, flags);
  }
  if (!Empty(d.FocusRect)) detail::DrawFocusFrame(canvas, d.FocusRect);
  if (!Empty(d.BtnRect)) {
    const int state = (pageIndex == FHoveredBtnIndex ? 1 : 0) + (pageIndex == FPressedBtnIndex ? 1 : 0);
    if (Skinned)
      PaintButton(canvas->Handle(), d.BtnRect, state);
    else
      PaintPlainCloseButton(canvas->Handle(), d.BtnRect, state);
  }
  if (!Empty(d.ArrowRect)) DrawColorArrow(View32(Bmp), FontColor, d.ArrowRect, d.ArrowDirection);
}

void TsPageControl::DrawSkinTabs() {
  if (HasState(this, classlib::csDestroying)) return;
  classlib::TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  canvas->Lock();
  const classlib::TScopeExit unlock([canvas] { canvas->Unlock(); });
  const HDC dc = canvas->Handle();
  TTabSheet* active = ActivePage();
  const bool activeIsTab = active != nullptr && TabTypeOf(active->PageIndex()) == ttTab;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible() || (activeIsTab && Pages(i) == active)) continue;
    DrawSkinTab(i, i == DroppedDownItem ? 2 : (i == FCurItem ? 1 : 0), dc);
  }
  // Last, so that it lies over its neighbours.
  if (activeIsTab && active->TabVisible()) DrawSkinTab(active->PageIndex(), 2, dc);
}

void TsPageControl::RepaintTab(int PageIndex, int State, HDC DC) {
  const bool skinned = Skinned();
  if (PageIndex < 0 || PageIndex >= PageCount() || !HandleAllocated() || (!skinned && !PaintsPlain())) return;
  const HDC dc = DC != nullptr ? DC : GetDC(Handle());
  const int saved = SaveDC(dc);
  const classlib::TScopeExit release([&] {
    RestoreDC(dc, saved);
    if (DC == nullptr) ReleaseDC(Handle(), dc);
  });
  TTabSheet* active = ActivePage();
  if (active != nullptr && TabTypeOf(active->PageIndex()) == ttTab && Pages(PageIndex) != active) {
    const TRect own = TabRect(Pages(PageIndex)->TabIndex());
    IntersectClipRect(dc, own.Left, own.Top, own.Right, own.Bottom);
    TRect top = SkinTabRect(active->TabIndex(), true);
    if (!skinned) {
      const TRect plain = TabRect(active->TabIndex());
      top = TRect{plain.Left - 2, plain.Top - 2, plain.Right + 2, plain.Bottom + 2};
    }
    ExcludeClipRect(dc, top.Left, top.Top, top.Right, top.Bottom);
  }
  if (skinned)
    DrawSkinTab(PageIndex, PageIndex == DroppedDownItem ? 2 : State, dc);
  else
    DrawStdTab(PageIndex, PageIndex == DroppedDownItem ? 2 : State, dc);
}

void TsPageControl::FillStripFromParent(const TCacheInfo& CI) {
  const TRect t = TabsRect();
  if (Empty(t)) return;
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  if (CI.Ready && CI.Bmp != nullptr) {
    const int x = CI.X + Left() + t.Left;
    const int y = CI.Y + Top() + t.Top;
    const int w = std::min(W(t), CI.Bmp->Width() - x);
    const int h = std::min(H(t), CI.Bmp->Height() - y);
    if (w > 0 && h > 0)
      BitBlt(cache->Canvas()->Handle(), t.Left, t.Top, w, h, CI.Bmp->Canvas()->Handle(), x, y, SRCCOPY);
  } else {
    FillRect32(View32(cache), t, classlib::ColorToRGB(CI.FillColor));
  }
}

void TsPageControl::PaintPageArea(const TCacheInfo& CI) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const TacSkinRecords& rec = sm->Records();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const TRect r = PageRect();
  PaintItemBG(FCommonData.get(), CI, 0, r, TPoint{Left() + r.Left, Top() + r.Top}, cache);
  if (rec.IsValidSkinIndex(FCommonData->SkinIndex))
    PaintCornerImages(rec.gd[std::size_t(FCommonData->SkinIndex)], rec, 0, r, View32(cache));
  if (rec.IsValidImgIndex(FCommonData->BorderIndex)) {
    TCacheInfo moved = CI;
    moved.X += Left();
    moved.Y += Top();
    DrawSkinRect(cache, r, true, moved, rec.ma[std::size_t(FCommonData->BorderIndex)], 0, true);
  }
  TsTabSheet* sheet = ActiveSheet();
  if (sheet != nullptr && !HasState(sheet, classlib::csDestroying) && !sheet->SkinData()->SkinSection().empty()) {
    const std::string& name = sheet->SkinData()->SkinSection();
    const int index = sm->GetSkinIndex(name);
    if (index >= 0) {
      const TRect b = sheet->BoundsRect();
      PaintItem(index, name, MakeCacheInfo(cache), true, 0, b, TPoint{b.Left, b.Top}, cache, sm);
    }
  }
}

void TsPageControl::AcPaint(HDC DC) {
  if (Parent() == nullptr || HasState(Parent(), classlib::csDestroying) || HasState(this, classlib::csLoading)) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr) return;
  if (!FCommonData->Updating()) {
    const bool needRender =
        FCommonData->BGChanged || FCommonData->HalfVisible || GetBoolMsg(Parent(), ACMD_ISHALFVISIBLE);
    RECT clip{};
    GetClipBox(DC, &clip);
    FCommonData->HalfVisible = clip.right - clip.left != Width() || clip.bottom - clip.top != Height();
    if (needRender) {
      // The default section follows the tabs to the bottom, left or right when the skin has the
      // matching page-area section.
      const std::string& section = FCommonData->SkinSection();
      ChangedSkinSection = section;
      if (TabPosition() != classlib::tpTop && section == "PAGECONTROL") {
        static const char* const kBySide[] = {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT",
                                              "PAGECONTROLRIGHT"};
        const int index = sm->GetSkinIndex(kBySide[TabPosition()]);
        if (index >= 0) {
          ChangedSkinSection = kBySide[TabPosition()];
          FCommonData->SkinIndex = index;
        }
      }
      InitCacheBmp(FCommonData.get());
      TCacheInfo ci;
      GetParentCache(FCommonData.get(), ci);
      PaintPageArea(ci);
      FillStripFromParent(ci);
      if (VisibleTabsCount() > 0) DrawSkinTabs();
      FCommonData->BGChanged = false;
    }
    const TRect whole{0, 0, Width(), Height()};
    CopyWinControlCache(this, FCommonData.get(), whole, whole, DC, true);
    skin::PaintControls(DC, this, needRender, TPoint{0, 0});
  }
}

void TsPageControl::PaintButton(HDC DC, const TRect& R, int State) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (BtnIndex < 0 || sm == nullptr) return;
  auto bmp = NewBitmap32(BtnWidth, BtnHeight);
  const HDC bdc = bmp->Canvas()->Handle();
  BitBlt(bdc, 0, 0, BtnWidth, BtnHeight, DC, R.Left, R.Top, SRCCOPY);
  const TacSkinRecords& rec = sm->Records();
  if (!FCloseBtnSkin.empty()) {
    PaintItem(BtnIndex, FCloseBtnSkin, MakeCacheInfo(bmp.get()), true, State, TRect{0, 0, BtnWidth, BtnHeight},
              TPoint{0, 0}, bmp.get(), sm);
    const classlib::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, RGB(255, 0, 0)));
    const HGDIOBJ old = SelectObject(bdc, pen.get());
    MoveToEx(bdc, 4, 4, nullptr);
    LineTo(bdc, BtnWidth - 5, BtnHeight - 5);
    MoveToEx(bdc, 4, BtnHeight - 5, nullptr);
    LineTo(bdc, BtnWidth - 5, 4);
    SelectObject(bdc, old);
  } else if (rec.IsValidImgIndex(BtnIndex)) {
    const TsMaskData& md = rec.ma[std::size_t(BtnIndex)];
    DrawSkinGlyph(bmp.get(), TPoint{BtnWidth - WidthOfImage(md), 0}, State, 1, md, MakeCacheInfo(bmp.get()));
  }
  BitBlt(DC, R.Left, R.Top, BtnWidth, BtnHeight, bdc, 0, 0, SRCCOPY);
}

}  // namespace skin
