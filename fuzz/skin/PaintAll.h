#pragma once
// Every section, image and texture of loaded records painted into a few image sizes, in every
// state and fill mode, over a parent background: hostile records must never make a painter touch
// memory outside its images or loop without end.
#include <algorithm>
#include <initializer_list>

#include "skin/core/Sborders.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sSkinRegions.h"
#include "skin/core/sTileTexture.h"
#include "skin/graphics/sBlend32.h"

namespace fuzzpaint {

// At most this many sections, images and patterns are painted per input, so that a description of
// thousands of records stays within the fuzzer's time per input.
inline constexpr int kMostRecords = 48;

inline void PaintAll(const skin::TacSkinRecords& s) {
  using namespace skin;
  const int sections = std::min(int(s.gd.size()), kMostRecords), images = std::min(int(s.ma.size()), kMostRecords);
  const int patterns = std::min(int(s.pa.size()), kMostRecords);
  TBitmap32 parent(80, 60, 0xFF336699u);
  TCacheInfo32 ready;
  ready.Bmp = parent.View();
  ready.X = 5, ready.Y = 4, ready.Ready = true;
  TCacheInfo32 colour;
  colour.FillColor = 0x00808080;
  for (TSize size : {TSize{1, 1}, TSize{2, 2}, TSize{7, 5}, TSize{64, 40}}) {
    TBitmap32 bmp(size.cx, size.cy, 0xFF000000u);
    const TImage32View v = bmp.View();
    const TRect all{0, 0, size.cx, size.cy};
    for (int i = 0; i < sections; ++i)
      for (int state : {0, 1, 5}) {
        const TCacheInfo32& ci = state == 1 ? colour : ready;
        PaintItem(i, s.gd[std::size_t(i)].ClassName, ci, state, all, {3, 2}, v, &s);
        PaintItemBGFast(i, s.gd[std::size_t(i)].TextureNormal, -1, ci, state, all, {-2, 1}, v, &s);
        PaintSmallItem(i, s.gd[std::size_t(i)].ClassName, ci, state, all, {0, 0}, v, &s);
        TacItemSkin item{i,  s.gd[std::size_t(i)].ClassName, s.gd[std::size_t(i)].BorderIndex, -1, -1, 0x123456, 40,
                         -30};
        PaintItem(item, &s, ci, state, all, {1, 1}, v, true);
      }
    for (int k = 0; k < images; ++k) {
      const TsMaskData& md = s.ma[std::size_t(k)];
      for (int state : {0, 2, 9}) {
        DrawSkinRect(v, all, ready, md, state, true);
        DrawSkinRect(v, {-3, -2, size.cx + 4, size.cy + 1}, colour, md, state, false);
        DrawSkinGlyph(v, {-1, -2}, state, 1, md, ready);
        DrawSkinGlyph(v, {size.cx - 1, 0}, state, 2, md, colour);
        DrawSmallSkinRect(v, all, ready, md, state);
        TAOR runs;
        PaintRgnBorder(v, &runs, true, md, state);
      }
      for (int mode = 0; mode < 16; ++mode) {
        TRect q = all;
        TileBitmap(v, q, TImage32View{}, md, static_cast<TacFillMode>(mode));
        TRect m = {-2, -1, size.cx + 3, size.cy};
        TileMasked(v, m, ready, md, static_cast<TacFillMode>(mode));
      }
      TAOR runs;
      AddRgn(runs, size.cx, md, false, 0);
      AddRgn(runs, size.cx, md, true, size.cy - 1);
      CopyMasterRect({-1, -1, size.cx + 2, size.cy + 2}, md.R, v, ready, md);
    }
    for (int i = 0; i < patterns; ++i)
      if (const TBitmap32* p = PatternBitmap(s, i)) TileBitmap(v, all, const_cast<TBitmap32*>(p)->View());
  }
}

}  // namespace fuzzpaint
