#include "skin/core/sSkinPaintWin32.h"

#include "classlib/Graphics.h"
#include "classlib/ScopeExit.h"
#include "classlib/StdCtrls.h"
#include "skin/core/Sborders.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sSkinRegions.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

namespace {

const TacSkinRecords* RecordsOf(TsSkinManager* sm) {
  if (sm == nullptr) sm = DefaultManager();
  return sm != nullptr ? &sm->Records() : nullptr;
}

}  // namespace

std::unique_ptr<classlib::TBitmap> NewBitmap32(int width, int height) {
  auto bmp = std::make_unique<classlib::TBitmap>();
  bmp->SetPixelFormat(classlib::pf32bit);
  bmp->SetSize(std::max(width, 0), std::max(height, 0));
  return bmp;
}

TCacheInfo32 CacheInfo32(const TCacheInfo& ci) {
  TCacheInfo32 r;
  r.Bmp = View32(ci.Bmp);
  r.X = ci.X;
  r.Y = ci.Y;
  r.FillColor = ci.FillColor;
  r.Ready = ci.Ready && !r.Bmp.Empty();
  return r;
}

void PaintItemBG(int skinIndex, std::string_view section, const TCacheInfo& ci, int state, const TRect& r, TPoint pP,
                 classlib::TBitmap* bmp, TsSkinManager* sm, int textureIndex, int hotTextureIndex, TColor customColor) {
  PaintItemBG(skinIndex, section, CacheInfo32(ci), state, r, pP, View32(bmp), RecordsOf(sm), textureIndex,
              hotTextureIndex, customColor);
}

void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, const TCacheInfo& ci, int state,
                     const TRect& r, TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm) {
  PaintItemBGFast(skinIndex, textureIndex, hotTextureIndex, CacheInfo32(ci), state, r, pP, View32(bmp), RecordsOf(sm));
}

void PaintItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool, int state, const TRect& r,
               TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm, int textureIndex, int hotTextureIndex) {
  PaintItem(skinIndex, section, CacheInfo32(ci), state, r, pP, View32(bmp), RecordsOf(sm), textureIndex,
            hotTextureIndex);
}

void PaintItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool filling, int state, const TRect& r,
               TPoint pP, HDC dc, TsSkinManager* sm) {
  const TacSkinRecords* records = RecordsOf(sm);
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (records == nullptr || !records->IsValidSkinIndex(skinIndex) || r.Left < 0 || r.Top < 0 || w < 1 || h < 1 ||
      dc == nullptr)
    return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  auto tmp = NewBitmap32(w, h);
  PaintItem(skinIndex, section, CacheInfo32(ci), state, {0, 0, w, h}, pP, View32(tmp.get()), records);
  BitBlt(dc, r.Left, r.Top, w, h, tmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  (void)filling;
}

void PaintItemFast(int skinIndex, int maskIndex, int textureIndex, int hotTextureIndex, const TCacheInfo& ci, bool,
                   int state, const TRect& r, TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm) {
  PaintItemFast(skinIndex, maskIndex, textureIndex, hotTextureIndex, CacheInfo32(ci), state, r, pP, View32(bmp),
                RecordsOf(sm));
}

void PaintSmallItem(int skinIndex, std::string_view section, const TCacheInfo& ci, bool, int state, const TRect& r,
                    TPoint pP, classlib::TBitmap* bmp, TsSkinManager* sm) {
  PaintSmallItem(skinIndex, section, CacheInfo32(ci), state, r, pP, View32(bmp), RecordsOf(sm));
}

int PaintSection(classlib::TBitmap* bmp, std::string_view section, std::string_view secondSection, int state,
                 TsSkinManager* sm, TPoint parentOffset, TColor bgColor, HDC parentDC) {
  const TacSkinRecords* records = RecordsOf(sm);
  if (records == nullptr || bmp == nullptr) return -1;
  int index = records->GetSkinIndex(section);
  std::string_view name = section;
  if (!records->IsValidSkinIndex(index)) {
    index = records->GetSkinIndex(secondSection);
    name = secondSection;
  }
  if (!records->IsValidSkinIndex(index)) return -1;
  TCacheInfo ci{nullptr, 0, 0, bgColor, false};
  if (parentDC != nullptr) {
    BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), parentDC, parentOffset.X, parentOffset.Y,
           SRCCOPY);
    ci.Bmp = bmp;
    ci.Ready = true;
  }
  PaintItem(index, name, CacheInfo32(ci), state, {0, 0, bmp->Width(), bmp->Height()}, {0, 0}, View32(bmp), records);
  return index;
}

void DrawSkinRect(classlib::TBitmap* bmp, const TRect& r, bool, const TCacheInfo& ci, const TsMaskData& md, int state,
                  bool updateCorners) {
  DrawSkinRect(View32(bmp), r, CacheInfo32(ci), md, state, updateCorners);
}

void DrawSkinGlyph(classlib::TBitmap* bmp, TPoint p, int state, int mode, const TsMaskData& md, const TCacheInfo& ci) {
  DrawSkinGlyph(View32(bmp), p, state, mode, md, CacheInfo32(ci));
}

namespace {

// The paint fallback of a background question: the asker's device context gets the picture.
template <class Send>
void PaintInto(TacBGInfo& bg, Send&& send) {
  HDC dc = bg.DrawDC;
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  OffsetViewportOrgEx(dc, -bg.Offset.X, -bg.Offset.Y, nullptr);
  bg.R = {bg.R.Left + bg.Offset.X, bg.R.Top + bg.Offset.Y, bg.R.Right + bg.Offset.X, bg.R.Bottom + bg.Offset.Y};
  IntersectClipRect(dc, bg.R.Left, bg.R.Top, bg.R.Right, bg.R.Bottom);
  send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  send(WM_PAINT, reinterpret_cast<WPARAM>(dc));
}

}  // namespace

bool GetBGInfo(TacBGInfo& bg, classlib::TControl* control, bool pleaseDraw) {
  const bool saved = bg.PleaseDraw;
  bg.BgType = TacBGType::btUnknown;
  bg.PleaseDraw = pleaseDraw;
  if (control == nullptr) {
    bg.BgType = TacBGType::btFill;
    bg.Color = classlib::clBtnFace;
    return false;
  }
  auto* win = dynamic_cast<classlib::TWinControl*>(control);
  const LPARAM record = reinterpret_cast<LPARAM>(&bg);
  if (win != nullptr && win->HandleAllocated())
    SendMessageW(win->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), record);
  else
    control->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), record);
  if (bg.BgType != TacBGType::btUnknown) return true;
  if (saved) {
    PaintInto(bg, [&](UINT msg, WPARAM w) { control->Perform(msg, w, 0); });
    return false;
  }
  bg.BgType = TacBGType::btFill;
  const LRESULT answer = control->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETCOLOR), 0);
  bg.Color = answer == 0 ? classlib::ColorToRGB(control->Color()) : static_cast<TColor>(answer);
  if (bg.PleaseDraw && bg.Bmp != nullptr && bg.DrawDC != nullptr) FillDC(bg.DrawDC, bg.R, bg.Color);
  return false;
}

bool GetBGInfo(TacBGInfo& bg, HWND wnd, bool pleaseDraw) {
  const bool saved = bg.PleaseDraw;
  bg.BgType = TacBGType::btUnknown;
  bg.PleaseDraw = pleaseDraw;
  if (wnd != nullptr) SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), reinterpret_cast<LPARAM>(&bg));
  if (bg.BgType != TacBGType::btUnknown) return true;
  if (saved && wnd != nullptr) {
    PaintInto(bg, [&](UINT msg, WPARAM w) { SendMessageW(wnd, msg, w, 0); });
    return false;
  }
  bg.BgType = TacBGType::btFill;
  bg.Color = DefaultManager() != nullptr ? DefaultManager()->GetGlobalColor() : classlib::clBtnFace;
  return false;
}

TCacheInfo BGInfoToCI(const TacBGInfo& bg) {
  if (bg.BgType == TacBGType::btCache) return MakeCacheInfo(bg.Bmp, bg.Offset.X, bg.Offset.Y);
  return {nullptr, bg.Offset.X, bg.Offset.Y, classlib::ColorToRGB(bg.Color), false};
}

void CutRuns(HRGN rgn, const TAOR& runs) {
  if (rgn == nullptr) return;
  for (const TRect& r : runs) {
    HRGN run = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(rgn, rgn, run, RGN_DIFF);
    DeleteObject(run);
  }
}

void GetRgnFromBmp(HRGN& rgn, classlib::TBitmap* bmp, TColor transColor) {
  const TImage32View view = View32(bmp);
  TAOR runs;
  AddRgnBmp(runs, view, transColor);
  rgn = CreateRectRgn(0, 0, bmp != nullptr ? bmp->Width() : 0, bmp != nullptr ? bmp->Height() : 0);
  CutRuns(rgn, runs);
}

HRGN GetRgnForMask(int maskIndex, int width, int height, TsSkinManager* sm) {
  const TacSkinRecords* records = RecordsOf(sm);
  if (records == nullptr) return nullptr;
  const TAOR runs = CornerRuns(*records, maskIndex, width, height);
  if (runs.empty()) return nullptr;
  HRGN rgn = CreateRectRgn(0, 0, width, height);
  CutRuns(rgn, runs);
  return rgn;
}

void PaintRgnBorder(classlib::TBitmap* bmp, HRGN rgn, bool filling, const TsMaskData& md, int state) {
  TAOR runs;
  PaintRgnBorder(View32(bmp), rgn != nullptr ? &runs : nullptr, filling, md, state);
  CutRuns(rgn, runs);
}

void ExcludeControls(HDC dc, classlib::TWinControl* container, TacCtrlType, int offsetX, int offsetY) {
  if (StdTransparency || container == nullptr) return;
  for (int i = 0; i < container->ControlCount(); ++i) {
    classlib::TControl* c = container->Controls(i);
    if (c == nullptr || !c->Visible() || dynamic_cast<classlib::TWinControl*>(c) != nullptr ||
        c->ClassName() == L"TsSplitter")
      continue;
    ExcludeClipRect(dc, c->Left() + offsetX, c->Top() + offsetY, c->Left() + c->Width() + offsetX,
                    c->Top() + c->Height() + offsetY);
  }
}

namespace {

const TsMaskData* SmallCheck(TsSkinManager* sm, int index) {
  if (sm == nullptr || !sm->Active() || !sm->IsValidImgIndex(index)) return nullptr;
  return &sm->Records().ma[std::size_t(index)];
}

}  // namespace

int CheckWidth(TsSkinManager* sm) {
  const TsMaskData* md = SmallCheck(sm, sm != nullptr ? sm->Records().ConstData.SmallCheckBoxChecked : -1);
  return md != nullptr ? WidthOfImage(*md) + 2 : SystemCheckWidth();
}

int CheckHeight(TsSkinManager* sm) {
  const TsMaskData* md = SmallCheck(sm, sm != nullptr ? sm->Records().ConstData.SmallCheckBoxChecked : -1);
  return md != nullptr ? HeightOfImage(*md) : SystemCheckHeight();
}

void acDrawCheck(const TRect& r, int state, bool enabled, classlib::TBitmap* bmp, const TCacheInfo& ci,
                 TsSkinManager* sm) {
  if (sm == nullptr || bmp == nullptr) return;
  const TConstantSkinData& cd = sm->Records().ConstData;
  const int index = state == classlib::cbChecked  ? cd.SmallCheckBoxChecked
                    : state == classlib::cbGrayed ? cd.SmallCheckBoxGrayed
                                                  : cd.SmallCheckBoxUnChecked;
  const int w = r.Right - r.Left, h = r.Bottom - r.Top, cw = CheckWidth(sm), chh = CheckHeight(sm);
  if (const TsMaskData* md = SmallCheck(sm, index)) {
    DrawSkinGlyph(View32(bmp), {r.Left + (w - cw) / 2, (h - chh) / 2}, 0, enabled ? 1 : 2, *md, CacheInfo32(ci));
    return;
  }
  HDC dc = bmp->Canvas()->Handle();
  if (ci.Ready && ci.Bmp != nullptr)
    BitBlt(dc, 0, 0, cw + 2, h, ci.Bmp->Canvas()->Handle(), ci.X + r.Left + 1, ci.Y + r.Top + 1, SRCCOPY);
  else
    FillDC(dc, {0, 0, cw + 2, h}, ci.FillColor);
  RECT cell{(w - cw) / 2, (h - chh) / 2, (w - cw) / 2 + cw, (h - chh) / 2 + chh};
  UINT flags = DFCS_BUTTONCHECK;
  if (state == classlib::cbChecked) flags |= DFCS_CHECKED;
  if (state == classlib::cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
  if (!enabled) flags |= DFCS_INACTIVE;
  DrawFrameControl(dc, &cell, DFC_BUTTON, flags);
}

namespace {

std::unique_ptr<classlib::TBitmap> Copy32(classlib::TBitmap* glyph) {
  auto copy = std::make_unique<classlib::TBitmap>();
  copy->Assign(glyph);
  copy->SetPixelFormat(classlib::pf32bit);
  return copy;
}

TColor CanvasPixel(classlib::TBitmap* bmp, int x, int y) {
  return static_cast<TColor>(GetPixel(bmp->Canvas()->Handle(), x, y));
}

}  // namespace

void DrawGlyphEx(classlib::TBitmap* glyph, classlib::TBitmap* dst, const TRect& r, int numGlyphs, bool enabled,
                 TsDisabledGlyphKind disabledKind, int state, int blend, int down) {
  const TImage32View out = View32(dst);
  if (glyph == nullptr || glyph->Empty() || out.Empty() || numGlyphs < 1) return;
  auto g = Copy32(glyph);
  const int h = g->Height();
  const TRect whole{0, 0, std::max(r.Right - r.Left, 0), std::max(r.Bottom - r.Top, 0)};
  if (numGlyphs == 1) {
    auto g1 = Copy32(g.get());
    TsColor trans;
    trans.C = CanvasPixel(g1.get(), 0, h - 1);
    if (enabled) {
      if (state == 0 && blend > 0)
        BlendTransRectangle(out, r.Left, r.Top, View32(g1.get()), whole, blend / 100.0, clFuchsia);
      else
        CopyTransBitmaps(out, View32(g1.get()), r.Left, r.Top, trans);
      return;
    }
    if (disabledKind.Contains(TsDisabledGlyphKindValue::dgGrayed)) {
      GrayScale(View32(g1.get()));
      trans.C = CanvasPixel(g1.get(), 0, h - 1);
    }
    if (disabledKind.Contains(TsDisabledGlyphKindValue::dgBlended))
      BlendTransRectangle(out, r.Left, r.Top, View32(g1.get()), whole, 0.5, trans.C);
    else
      CopyTransBitmaps(out, View32(g1.get()), r.Left, r.Top, trans);
    return;
  }
  const bool oldOrder = glyph->PixelFormat() == classlib::pf4bit || acOldGlyphsOrder;
  int n = 0;
  if (enabled && state == 1)
    n = oldOrder ? 0 : 1;
  else if (enabled && state == 2)
    n = down + 2 < numGlyphs ? down + 2 : (oldOrder ? 0 : std::min(1, numGlyphs - 1));
  const int cw = g->Width() / numGlyphs;
  const TRect cell{n * cw, 0, (n + 1) * cw - 1, h - 1};
  if (enabled)
    CopyTransRectA(out, View32(g.get()), r.Left, r.Top, cell, CanvasPixel(g.get(), n * cw, h - 1));
  else if (state == 0 && blend > 0)
    BlendTransRectangle(out, r.Left, r.Top, View32(g.get()), cell, blend / 100.0, clFuchsia);
  else
    CopyTransRectA(out, View32(g.get()), r.Left, r.Top, cell, CanvasPixel(g.get(), 0, h - 1));
}

void CopyImage(classlib::TBitmap* bmp, classlib::TCustomImageList* imageList, int index) {
  if (bmp == nullptr || imageList == nullptr) return;
  bmp->SetSize(imageList->Width(), imageList->Height());
  const TColor back = imageList->BkColor() == classlib::clNone ? clFuchsia : imageList->BkColor();
  FillDC(bmp->Canvas()->Handle(), {0, 0, bmp->Width(), bmp->Height()}, back);
  imageList->Draw(bmp->Canvas(), 0, 0, index, classlib::dsTransparent, classlib::itImage, true);
}

}  // namespace skin
