#include "skin/windows/acSBPaint.h"

#include <algorithm>
#include <string_view>

#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acScrollGeometry.h"

namespace skin {
namespace {

// The skin's indexes of one part of a bar.
struct TPartSkin {
  int section, mask, bg, bgHot, glyph;
  std::string_view name;
};

struct TBarSkin {
  TPartSkin track1, track2, thumb, first, second;
};

TBarSkin BarSkin(const TConstantSkinData& c, bool horz) {
  if (horz)
    return {{c.IndexScrollBar1H, c.MaskScrollBar1H, c.BGScrollBar1H, c.BGHotScrollBar1H, -1, "SCROLLBAR1H"},
            {c.IndexScrollBar2H, c.MaskScrollBar2H, c.BGScrollBar2H, c.BGHotScrollBar2H, -1, "SCROLLBAR2H"},
            {c.IndexSliderHorz, c.MaskSliderHorz, c.ScrollSliderBGHorz, c.ScrollSliderBGHotHorz, c.MaskSliderGlyphHorz,
             "SCROLLSLIDERH"},
            {c.IndexScrollLeft, c.MaskScrollLeft, c.IndexBGScrollLeft, c.IndexBGHotScrollLeft, c.MaskArrowLeft,
             "SCROLLBTNLEFT"},
            {c.IndexScrollRight, c.MaskScrollRight, c.IndexBGScrollRight, c.IndexBGHotScrollRight, c.MaskArrowRight,
             "SCROLLBTNRIGHT"}};
  return {
      {c.IndexScrollBar1V, c.MaskScrollBar1V, c.BGScrollBar1V, c.BGHotScrollBar1V, -1, "SCROLLBAR1V"},
      {c.IndexScrollBar2V, c.MaskScrollBar2V, c.BGScrollBar2V, c.BGHotScrollBar2V, -1, "SCROLLBAR2V"},
      {c.IndexSliderVert, c.MaskSliderVert, c.ScrollSliderBGVert, c.ScrollSliderBGHotVert, c.MaskSliderGlyphVert,
       "SCROLLSLIDERV"},
      {c.IndexScrollTop, c.MaskScrollTop, c.IndexBGScrollTop, c.IndexBGHotScrollTop, c.MaskArrowTop, "SCROLLBTNTOP"},
      {c.IndexScrollBottom, c.MaskScrollBottom, c.IndexBGScrollBottom, c.IndexBGHotScrollBottom, c.MaskArrowBottom,
       "SCROLLBTNBOTTOM"}};
}

// A span [a0, a1) along the bar as a rectangle of the bar's bitmap.
TRect Span(bool horz, int a0, int a1, int thick) { return horz ? TRect{a0, 0, a1, thick} : TRect{0, a0, thick, a1}; }

// One part: its section into a bitmap of its size over the bar painted so far, a glyph cell centred
// in GlyphArea (part coordinates), then copied into the bar.
void PaintPart(const TPartSkin& p, int state, const TRect& part, const TRect& glyphArea, classlib::TBitmap* bar,
               TsSkinManager* sm) {
  const int w = part.Right - part.Left, h = part.Bottom - part.Top;
  if (w <= 0 || h <= 0 || p.section < 0) return;
  auto bmp = NewBitmap32(w, h);
  const TCacheInfo ci = MakeCacheInfo(bar);
  PaintItemFast(p.section, p.mask, p.bg, p.bgHot, ci, true, state, TRect{0, 0, w, h}, TPoint{part.Left, part.Top},
                bmp.get(), sm);
  if (sm->IsValidImgIndex(p.glyph)) {
    const TsMaskData& md = sm->Records().ma[std::size_t(p.glyph)];
    const int cw = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
    const int chh = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
    const TPoint at{glyphArea.Left + (glyphArea.Right - glyphArea.Left - cw) / 2,
                    glyphArea.Top + (glyphArea.Bottom - glyphArea.Top - chh) / 2};
    DrawSkinGlyph(bmp.get(), at, state, 1, md, MakeCacheInfo(bmp.get()));
  }
  BitBlt(bar->Canvas()->Handle(), part.Left, part.Top, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The window's own background under R (window coordinates) as the bar's ground.
void FillGround(classlib::TBitmap* bar, HWND wnd, const TRect& r, TacBGInfo& bg) {
  GetBGInfo(bg, wnd, false);
  HDC dc = bar->Canvas()->Handle();
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
    BitBlt(dc, 0, 0, w, h, bg.Bmp->Canvas()->Handle(), r.Left + bg.Offset.X, r.Top + bg.Offset.Y, SRCCOPY);
    return;
  }
  const RECT all{0, 0, w, h};
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(bg.Color));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

}  // namespace

TacScrollState& ScrollState() {
  static TacScrollState state;
  return state;
}

void Ac_ForgetScrollWnd(HWND Wnd) {
  TacScrollState& s = ScrollState();
  if (Wnd == nullptr || s.CurScrollWnd != Wnd) return;
  if (IsWindow(Wnd)) {
    if (s.ScrollTimerId) KillTimer(Wnd, s.ScrollTimerId);
    if (s.HoverTimerId) KillTimer(Wnd, s.HoverTimerId);
    if (GetCapture() == Wnd) ReleaseCapture();
  }
  s = TacScrollState{};
}

std::unique_ptr<classlib::TBitmap> RenderScrollBar(TacScrollBar* Bar, HWND Wnd, const TRect& R, int ThumbPos,
                                                   int Pressed) {
  TacScrollWnd* sw = Bar != nullptr ? Bar->sw : nullptr;
  if (sw == nullptr || !Bar->fScrollVisible || Bar->nBarType > SB_VERT) return nullptr;
  const bool horz = Bar->nBarType == SB_HORZ;
  if (sw->fThumbTracking && ThumbPos == -1) return nullptr;
  if (!horz && sw->DontRepaint) return nullptr;
  TsSkinManager* sm = sw->SkinManager;
  if (sm == nullptr) return nullptr;
  const TBarSkin skin = BarSkin(sm->Records().ConstData, horz);
  const int len = horz ? R.Right - R.Left : R.Bottom - R.Top;
  const int thick = horz ? R.Bottom - R.Top : R.Right - R.Left;
  if (!sm->IsValidSkinIndex(skin.track1.section) || len <= 1 || thick <= 0) return nullptr;
  ReadScrollInfo(Wnd, Bar);
  const int B = GetScrollMetric(Bar, 0, true);
  classlib::TControl* owner = sw->SkinData != nullptr ? sw->SkinData->OwnerControl() : nullptr;
  const bool active = Ac_IsScrollbarActive(Bar) && (owner == nullptr || owner->Enabled());

  const TacScrollState& s = ScrollState();
  const bool current = Wnd == s.CurScrollWnd;
  if (!current) Pressed = -1;
  auto arrowState = [&](int portion) {
    if (!current) return 0;
    if (Pressed == portion) return 2;
    return s.HoverBar == Bar->nBarType && s.HoverPortion == portion && active ? 1 : 0;
  };

  const SCROLLINFO& si = Bar->ScrollInfo;
  const TacScrollRange range{si.nMin, si.nMax, si.nPage, si.nPos};
  TacThumb thumb = CalcThumb(range, 0, len, GetScrollMetric(Bar, 0, false), Bar->nMinThumbSize);
  if (ThumbPos != -1) thumb.Pos = ThumbPos;

  auto bmp = NewBitmap32(R.Right - R.Left, R.Bottom - R.Top);
  TacBGInfo bg;
  FillGround(bmp.get(), Wnd, R, bg);
  const int btn = acScrollBtnLength;
  if (2 * B < len) {
    const int split = thumb.Size > 0 ? thumb.Pos + thumb.Size / 2 : len / 2;
    PaintPart(skin.track1, Pressed == kPortionPageBefore ? 2 : 0, Span(horz, 0, split, thick), {}, bmp.get(), sm);
    PaintPart(skin.track2, Pressed == kPortionPageAfter ? 2 : 0, Span(horz, split, len, thick), {}, bmp.get(), sm);
    PaintPart(skin.first, arrowState(kPortionFirstArrow), Span(horz, 0, B, thick),
              Span(horz, 0, std::min(btn, B), thick), bmp.get(), sm);
    PaintPart(skin.second, arrowState(kPortionSecondArrow), Span(horz, len - B, len, thick),
              Span(horz, B - std::min(btn, B), B, thick), bmp.get(), sm);
    if (active && thumb.Size > 0 && thumb.Size <= len - 2 * B) {
      const int state = Pressed == kPortionThumb                                                    ? 2
                        : current && s.HoverBar == Bar->nBarType && s.HoverPortion == kPortionThumb ? 1
                                                                                                    : 0;
      const TRect part = Span(horz, thumb.Pos, thumb.Pos + thumb.Size, thick);
      PaintPart(skin.thumb, state, part, Span(horz, 0, thumb.Size, thick), bmp.get(), sm);
    }
  } else {
    // No room for a thumb: two half-length buttons over the two track halves.
    const int half = len / 2;
    PaintPart(skin.track1, 0, Span(horz, 0, half, thick), {}, bmp.get(), sm);
    PaintPart(skin.track2, 0, Span(horz, half, len, thick), {}, bmp.get(), sm);
    PaintPart(skin.first, arrowState(kPortionFirstArrow), Span(horz, 0, half, thick), Span(horz, 0, half, thick),
              bmp.get(), sm);
    PaintPart(skin.second, arrowState(kPortionSecondArrow), Span(horz, half, len, thick),
              Span(horz, 0, len - half, thick), bmp.get(), sm);
  }
  if (!active) {
    const TImage32View view = View32(bmp.get());
    if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
      const TRect src{R.Left + bg.Offset.X, R.Top + bg.Offset.Y, R.Right + bg.Offset.X - 1, R.Bottom + bg.Offset.Y - 1};
      BlendTransRectangle(view, 0, 0, View32(bg.Bmp), src, 0.4, clFuchsia);
    } else {
      TsColor c{};
      c.C = classlib::ColorToRGB(bg.Color);
      FadeBmp(view, TRect{0, 0, view.Width, view.Height}, 60, c, 0, 0);
    }
  }
  return bmp;
}

int Ac_NCDrawScrollbar(TacScrollBar* Bar, HWND Wnd, HDC DC, const TRect& R, int ThumbPos, int Pressed) {
  auto bmp = RenderScrollBar(Bar, Wnd, R, ThumbPos, Pressed);
  if (!bmp) return 0;
  BitBlt(DC, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  return 1;
}

int Ac_NCPaint(TacScrollWnd* SW, HWND Wnd, int, HDC DC, int ThumbPos, LPARAM) {
  if (SW == nullptr || !SW->sBarHorz || !SW->sBarVert) return 0;
  if (TsCommonData* data = SW->SkinData) {
    if (data->Updating()) return 0;
    classlib::TControl* owner = data->OwnerControl();
    if (owner != nullptr && owner->ControlState.Contains(classlib::csCreating)) return 0;
    if (!IsWindowVisible(Wnd)) return 0;
    if (data->BGChanged) SendMessageW(SW->CtrlHandle, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
  }
  const bool own = DC == nullptr;
  if (own) DC = GetWindowDC(Wnd);
  if (DC == nullptr) return 0;
  RECT wr{};
  GetWindowRect(Wnd, &wr);
  auto toWindow = [&](TRect r) {
    return TRect{r.Left - wr.left, r.Top - wr.top, r.Right - wr.left, r.Bottom - wr.top};
  };
  const TacScrollState& s = ScrollState();
  TRect h, v;
  AC_GetHScrollRect(SW, Wnd, h);
  AC_GetVScrollRect(SW, Wnd, v);
  int painted = 0;
  if (SW->sBarHorz->fScrollVisible)
    painted |= Ac_NCDrawScrollbar(SW->sBarHorz.get(), Wnd, DC, toWindow(h), s.CurScrollBar == SB_HORZ ? ThumbPos : -1,
                                  s.CurScrollBar == SB_HORZ ? s.HitPortion : -1);
  if (SW->sBarVert->fScrollVisible)
    painted |= Ac_NCDrawScrollbar(SW->sBarVert.get(), Wnd, DC, toWindow(v), s.CurScrollBar == SB_VERT ? ThumbPos : -1,
                                  s.CurScrollBar == SB_VERT ? s.HitPortion : -1);
  if (SW->sBarHorz->fScrollVisible && SW->sBarVert->fScrollVisible && SW->SkinManager != nullptr) {
    const TRect corner{v.Left, h.Top, v.Right, h.Bottom};
    const TRect square = toWindow(corner);
    const int w = square.Right - square.Left, ht = square.Bottom - square.Top;
    if (w > 0 && ht > 0) {
      auto bmp = NewBitmap32(w, ht);
      TacBGInfo bg;
      FillGround(bmp.get(), Wnd, square, bg);
      TsSkinManager* sm = SW->SkinManager;
      const int grip = sm->Records().ConstData.GripRightBottom;
      if (SizeGripVisible(SW, Wnd, corner) && sm->IsValidImgIndex(grip)) {
        const TsMaskData& md = sm->Records().ma[std::size_t(grip)];
        const int cw = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
        const int chh = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
        DrawSkinGlyph(bmp.get(), TPoint{w - cw, ht - chh}, 0, 1, md, MakeCacheInfo(bmp.get()));
      }
      BitBlt(DC, square.Left, square.Top, w, ht, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
      painted = 1;
    }
  }
  if (own) ReleaseDC(Wnd, DC);
  return painted;
}

}  // namespace skin
