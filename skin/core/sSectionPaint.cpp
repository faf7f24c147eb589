#include "skin/core/sSectionPaint.h"

#include <algorithm>
#include <span>

#include "skin/core/acJpegDecoder.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sTileTexture.h"
#include "skin/graphics/PixelMath.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sBlockCopy.h"
#include "skin/graphics/sGradient.h"

namespace skin {

namespace {

// The look of a section in one state.
struct Look {
  TColor C = 0;
  int T = 0;   // weight of the parent's background, percent
  int IP = 0;  // texture share, percent
  int GP = 0;  // gradient share, percent
  const TsGradArray* Gradient = nullptr;
  bool GradientText = false;  // the gradient's text has at least one character
  int Tex = -1;
  bool IsJpeg = false;
};

bool Inside(const TRect& r, const TImage32View& bmp) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width && r.Bottom <= bmp.Height;
}

int LimitState(int state, const TsGeneralData& g) { return std::max(0, std::min(state, g.States - 1)); }

TacFillMode FillModeOf(const TsMaskData& md) {
  // A draw mode outside the table fills by no band: the caller's colour covers the rectangle.
  return md.DrawMode >= 0 && md.DrawMode < int(acFillModes.size()) ? acFillModes[std::size_t(md.DrawMode)]
                                                                   : static_cast<TacFillMode>(255);
}

TCacheInfo32 Moved(TCacheInfo32 ci, TPoint p) {
  ci.X += p.X;
  ci.Y += p.Y;
  return ci;
}

// R's pixels from the parent's bitmap under it (a source copy).
void CopyParent(const TImage32View& bmp, const TRect& r, const TCacheInfo32& ci, TPoint pP) {
  BitBlt32(bmp, r.Left, r.Top, std::max(r.Right - r.Left, 0), std::max(r.Bottom - r.Top, 0), ci.Bmp, ci.X + pP.X,
           ci.Y + pP.Y);
}

// What the painted look leaves to the section colour: P less what the texture covered.
void FillColourShare(const TImage32View& b, const TRect& p, int share, TColor c) {
  if (share == 0)
    FillRect32(b, p, c);
  else if (share > 0 && share < 100)
    BlendColorRect(b, {p.Left, p.Top, p.Right - 1, p.Bottom - 1}, share, c);  // inclusive corners
}

void PaintTexture(const TImage32View& b, TRect& q, const Look& lk, const TCacheInfo32& ci, const TacSkinRecords& sm,
                  bool& textured) {
  if (lk.IsJpeg) {
    if (lk.Tex >= 0 && lk.Tex < int(sm.pa.size())) {
      const TBitmap32* picture = PatternBitmap(sm, lk.Tex);
      if (picture != nullptr) {
        TileBitmap(b, q, const_cast<TBitmap32*>(picture)->View());
        q = kNothingLeft;
      }
      textured = true;
    }
  } else if (lk.Tex >= 0 && lk.Tex < int(sm.ma.size())) {
    const TsMaskData& md = sm.ma[std::size_t(lk.Tex)];
    if (md.MaskType != 0)
      TileMasked(b, q, ci, md, FillModeOf(md));
    else
      TileBitmap(b, q, md.Bmp ? md.Bmp->View() : TImage32View{}, md, FillModeOf(md));
    textured = true;
  }
}

// The look into P of B. Fast: no one-pass texture gradient, no JPEG, the texture weight kept as
// its low byte, and a fully transparent look over no parent filled with the parent's colour.
void PaintLook(const TImage32View& b, const TRect& p, const Look& lk, const TCacheInfo32& ci, const TacSkinRecords& sm,
               bool fast) {
  const int w = p.Right - p.Left, h = p.Bottom - p.Top;
  if (w <= 0 || h <= 0) return;
  const TsGradArray empty;
  const TsGradArray& grad = lk.Gradient ? *lk.Gradient : empty;
  if (!fast && lk.IP + lk.GP == 100 && lk.GP > 0 && lk.GP < 100 && !grad.empty() && grad[0].Mode1 < 2 && !lk.IsJpeg &&
      sm.IsValidImgIndex(lk.Tex) && sm.ma[std::size_t(lk.Tex)].DrawMode == 0) {
    const TsMaskData& md = sm.ma[std::size_t(lk.Tex)];
    PaintGradTxt(b, p, grad, md.Source(), md.R, lk.IP * 255 / 100);
    return;
  }
  bool textured = false;
  if (lk.IP > 0) {
    TRect q = p;
    PaintTexture(b, q, lk, ci, sm, textured);
    if (q.Right != -1) FillRect32(b, q, lk.C);
  }
  if (lk.GP > 0) {
    if (textured) {
      TBitmap32 g = CreateBmp32(w, h);
      if (lk.GradientText)
        PaintGrad(g.View(), {0, 0, w, h}, grad, 0, 0);
      else
        FillRect32(g.View(), {0, 0, w, h}, lk.C);
      const int weight = lk.IP * 255 / 100;
      SumBmpRect(b, g.View(), static_cast<std::uint8_t>(fast ? weight & 0xFF : ClampByte(weight)), {0, 0, w, h},
                 {p.Left, p.Top});
    } else if (lk.GradientText) {
      PaintGrad(b, p, grad, 0, 0);
    } else {
      FillRect32(b, p, lk.C);
    }
  }
  const int share = lk.IP + lk.GP;
  if (fast && (share <= 0 || share > 100)) {
    FillRect32(b, p, !ci.Ready && lk.T == 100 ? ci.FillColor : lk.C);
    return;
  }
  FillColourShare(b, p, share, lk.C);
}

void SetGradient(Look& lk, const std::shared_ptr<TsGradArray>& arr, const std::string& text) {
  lk.Gradient = arr.get();
  lk.GradientText = !text.empty();
}

}  // namespace

const TBitmap32* PatternBitmap(const TacSkinRecords& sm, int index) {
  if (index < 0 || index >= int(sm.pa.size()) || !sm.pa[std::size_t(index)].Img) return nullptr;
  if (sm.DecodedPatterns.size() != sm.pa.size()) {
    sm.DecodedPatterns.clear();
    sm.DecodedPatterns.resize(sm.pa.size());
  }
  std::unique_ptr<TBitmap32>& slot = sm.DecodedPatterns[std::size_t(index)];
  if (!slot) {
    // Decoded once; a pattern that does not decode keeps an empty picture and paints nothing.
    slot = std::make_unique<TBitmap32>();
    const TacJpegImage& img = *sm.pa[std::size_t(index)].Img;
    if (!DecodeJpeg(img.Data, *slot, std::int64_t{1} << 26).Ok) *slot = TBitmap32();
  }
  return slot->Empty() ? nullptr : slot.get();
}

void PaintItemBG(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r, TPoint pP,
                 const TImage32View& bmp, const TacSkinRecords* sm, int textureIndex, int hotTextureIndex,
                 TColor customColor) {
  if (sm == nullptr || !sm->IsValidSkinIndex(skinIndex) || bmp.Empty()) return;
  const TsGeneralData& g = sm->gd[std::size_t(skinIndex)];
  state = LimitState(state, g);
  Look lk;
  // A texture index given by the caller counts only for an unmasked image.
  auto given = [&](int index) {
    return sm->IsValidImgIndex(index) && sm->ma[std::size_t(index)].MaskType != 0 ? -1 : index;
  };
  auto findTexture = [&](int index, bool lookUp, std::string_view key) {
    lk.Tex = lookUp ? sm->GetMaskIndex(skinIndex, section, key) : given(index);
    if (!sm->IsValidImgIndex(lk.Tex)) {
      lk.Tex = sm->GetPatternIndex(skinIndex, section, key);
      lk.IsJpeg = lk.Tex >= 0;
    }
  };
  if (customColor != clFuchsia) {
    lk.C = customColor;
  } else if (state >= 1) {
    lk.C = g.HotColor;
    lk.T = g.HotTransparency;
    if (lk.T != 100) lk.IP = g.HotImagePercent, lk.GP = g.HotGradientPercent;
    if (lk.IP > 0) findTexture(hotTextureIndex, hotTextureIndex == -1, "HOTPATTERN");
    if (lk.GP != 0) SetGradient(lk, g.HotGradientArray, g.HotGradientData);
  } else {
    lk.C = g.Color;
    lk.T = g.Transparency;
    if (lk.T != 100) lk.IP = g.ImagePercent, lk.GP = g.GradientPercent;
    if (lk.IP > 0) {
      if (textureIndex < 0) textureIndex = g.TextureNormal;
      findTexture(textureIndex, textureIndex < 0, "PATTERN");
    }
    if (lk.GP != 0) SetGradient(lk, g.GradientArray, g.GradientData);
  }

  const bool parentReady = ci.Ready && !ci.Bmp.Empty();
  const bool intoParent = parentReady && bmp.SameImage(ci.Bmp);
  const int w = std::max(r.Right - r.Left, 0), h = std::max(r.Bottom - r.Top, 0);
  if ((!parentReady && ci.FillColor == clFuchsia) || lk.T == 0) {
    PaintLook(bmp, r, lk, ci, *sm, false);
  } else if (lk.T == 100) {
    if (!parentReady)
      FillRect32(bmp, r, ci.FillColor);
    else if (!intoParent)
      CopyParent(bmp, r, ci, pP);
  } else if (parentReady || lk.IP + lk.GP != 0) {
    TBitmap32 tmp = CreateBmp32(w, h);
    PaintLook(tmp.View(), {0, 0, w, h}, lk, ci, *sm, false);
    if (!parentReady)
      FillRect32(bmp, r, ci.FillColor);
    else if (!intoParent)
      CopyParent(bmp, r, ci, pP);
    SumBmpRect(bmp, tmp.View(), static_cast<std::uint8_t>(ClampByte(lk.T * 255 / 100)), {0, 0, w, h}, {r.Left, r.Top});
  } else {
    FillRect32(bmp, r, MixColors(ci.FillColor, lk.C, lk.T / 100.0));
  }

  // A masked texture with discontinuous tiling goes over the result, parent pixels in its gaps.
  if (state == 0) {
    const int k = textureIndex != -1 ? textureIndex : hotTextureIndex;
    if (k != -1 && sm->IsValidImgIndex(k)) {
      const TsMaskData& md = sm->ma[std::size_t(k)];
      if (md.MaskType > 0 && md.DrawMode == 10) {
        TRect q = r;
        TileMasked(bmp, q, Moved(ci, pP), md, TacFillMode::fmDisTiled);
      }
    }
  }
}

void PaintItemBG(const TacItemSkin& item, const TacSkinRecords* sm, const TCacheInfo32& ci, int state, const TRect& r,
                 TPoint pP, const TImage32View& bmp) {
  if (sm == nullptr || !sm->IsValidSkinIndex(item.SkinIndex)) return;
  state = LimitState(state, sm->gd[std::size_t(item.SkinIndex)]);
  PaintItemBG(item.SkinIndex, item.Section, ci, state, r, pP, bmp, sm, item.Texture, item.HotTexture, item.CustomColor);
}

void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, const TCacheInfo32& ci, int state,
                     const TRect& r, TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm) {
  if (sm == nullptr || !sm->IsValidSkinIndex(skinIndex) || bmp.Empty()) return;
  const TsGeneralData& g = sm->gd[std::size_t(skinIndex)];
  Look lk;
  if (state >= 1) {
    lk = {g.HotColor, g.HotTransparency, g.HotImagePercent, g.HotGradientPercent, nullptr, false, hotTextureIndex};
    if (lk.GP != 0) SetGradient(lk, g.HotGradientArray, g.HotGradientData);
  } else {
    lk = {g.Color, g.Transparency, g.ImagePercent, g.GradientPercent, nullptr, false, textureIndex};
    if (lk.GP != 0) SetGradient(lk, g.GradientArray, g.GradientData);
  }
  const bool parentReady = ci.Ready && !ci.Bmp.Empty();
  const bool intoParent = parentReady && bmp.SameImage(ci.Bmp);
  if (!ci.Ready || lk.T != 100) {
    if (!ci.Ready || lk.T == 0) {
      PaintLook(bmp, r, lk, ci, *sm, true);
    } else if (lk.T > 0) {
      const int w = std::max(r.Right - r.Left, 0), h = std::max(r.Bottom - r.Top, 0);
      TBitmap32 tmp = CreateBmp32(w, h);
      PaintLook(tmp.View(), {0, 0, w, h}, lk, ci, *sm, true);
      if (parentReady && !intoParent) CopyParent(bmp, r, ci, pP);
      SumBmpRect(bmp, tmp.View(), static_cast<std::uint8_t>(ClampByte(lk.T * 255 / 100)), {0, 0, w, h},
                 {r.Left, r.Top});
    }
  } else if (parentReady && !intoParent) {
    CopyParent(bmp, r, ci, pP);
  }
}

void PaintCornerImages(const TsGeneralData& g, const TacSkinRecords& sm, int state, const TRect& r,
                       const TImage32View& bmp) {
  TCacheInfo32 self;
  self.Bmp = bmp;
  self.X = self.Y = 0;
  self.Ready = true;
  auto draw = [&](int index, bool right, bool bottom) {
    if (!sm.IsValidImgIndex(index)) return;
    const TsMaskData& md = sm.ma[std::size_t(index)];
    const TPoint p{right ? r.Right - WidthOfImage(md) : r.Left, bottom ? r.Bottom - HeightOfImage(md) : r.Top};
    DrawSkinGlyph(bmp, p, state, 1, md, self);
  };
  draw(g.ImgTL, false, false);
  draw(g.ImgTR, true, false);
  draw(g.ImgBL, false, true);
  draw(g.ImgBR, true, true);
}

void PaintItem(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r, TPoint pP,
               const TImage32View& bmp, const TacSkinRecords* sm, int textureIndex, int hotTextureIndex) {
  if (bmp.Empty() || r.Left >= r.Right || r.Top >= r.Bottom || sm == nullptr || !sm->IsValidSkinIndex(skinIndex) ||
      !Inside(r, bmp))
    return;
  const TsGeneralData& g = sm->gd[std::size_t(skinIndex)];
  state = LimitState(state, g);
  PaintItemBG(skinIndex, section, ci, state, r, pP, bmp, sm, textureIndex, hotTextureIndex, clFuchsia);
  PaintCornerImages(g, *sm, state, r, bmp);
  if (sm->IsValidImgIndex(g.BorderIndex))
    DrawSkinRect(bmp, r, Moved(ci, pP), sm->ma[std::size_t(g.BorderIndex)], state, true);
}

void PaintItem(const TacItemSkin& item, const TacSkinRecords* sm, const TCacheInfo32& ci, int state, const TRect& r,
               TPoint pP, const TImage32View& bmp, bool updateCorners) {
  if (bmp.Empty() || sm == nullptr || !sm->IsValidSkinIndex(item.SkinIndex) || !Inside(r, bmp)) return;
  const TsGeneralData& g = sm->gd[std::size_t(item.SkinIndex)];
  state = LimitState(state, g);
  PaintItemBG(item, sm, ci, state, r, pP, bmp);
  PaintCornerImages(g, *sm, state, r, bmp);
  bool recolour;
  if (sm->IsValidImgIndex(item.BorderIndex) &&
      !(state == 0 && (sm->ma[std::size_t(item.BorderIndex)].DrawMode & 2) != 0)) {
    DrawSkinRect(bmp, r, Moved(ci, pP), sm->ma[std::size_t(item.BorderIndex)], state, updateCorners);
    recolour = true;
  } else {
    recolour = g.Props[state == 0 ? 0 : 1].Transparency == 0;
  }
  if (!recolour) return;
  if (item.HUEOffset != 0) ChangeBmpHUE(bmp, item.HUEOffset);
  if (item.Saturation != 0) ChangeBmpSaturation(bmp, item.Saturation);
}

void PaintItemFast(int skinIndex, int maskIndex, int textureIndex, int hotTextureIndex, const TCacheInfo32& ci,
                   int state, const TRect& r, TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm) {
  if (bmp.Empty() || sm == nullptr || !sm->IsValidSkinIndex(skinIndex) || !Inside(r, bmp)) return;
  state = LimitState(state, sm->gd[std::size_t(skinIndex)]);
  PaintItemBGFast(skinIndex, textureIndex, hotTextureIndex, ci, state, r, pP, bmp, sm);
  if (sm->IsValidImgIndex(maskIndex)) DrawSkinRect(bmp, r, Moved(ci, pP), sm->ma[std::size_t(maskIndex)], state, true);
}

void PaintSmallItem(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r,
                    TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm) {
  if (bmp.Empty() || sm == nullptr || !sm->IsValidSkinIndex(skinIndex) || !Inside(r, bmp)) return;
  PaintItemBG(skinIndex, section, ci, state, r, pP, bmp, sm, -1, -1, clFuchsia);
  const int border = sm->GetMaskIndex(skinIndex, section, "BORDERSMASK");
  if (sm->IsValidImgIndex(border)) DrawSmallSkinRect(bmp, r, Moved(ci, pP), sm->ma[std::size_t(border)], state);
}

}  // namespace skin
