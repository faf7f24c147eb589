// The per-section image indexes, the table of constant indexes and the form-shadow templates,
// computed once after every load.
#include <algorithm>

#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SkinImagePasses.h"

namespace skin {
namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

// A 32-bit copy of W x H pixels of Src from (X, Y); pixels outside Src stay 0.
TBitmap32 CopyCell(const TImage32View& src, int x, int y, int w, int h) {
  TBitmap32 out(std::max(w, 0), std::max(h, 0));
  for (int j = 0; j < out.Height(); ++j)
    for (int i = 0; i < out.Width(); ++i)
      if (src.Contains(x + i, y + j)) out.At(i, j) = src.At(x + i, y + j);
  return out;
}

TBitmap32 Copy(const TBitmap32& src) { return src; }

}  // namespace

std::vector<std::pair<std::string_view, int>> ConstantEntries(const TConstantSkinData& c) {
  return {
      {"IndexGLobalInfo", c.IndexGLobalInfo},
      {"ExBorder", c.ExBorder},
      {"IndexTabTop", c.IndexTabTop},
      {"IndexTabBottom", c.IndexTabBottom},
      {"IndexTabLeft", c.IndexTabLeft},
      {"IndexTabRight", c.IndexTabRight},
      {"MaskTabTop", c.MaskTabTop},
      {"MaskTabBottom", c.MaskTabBottom},
      {"MaskTabLeft", c.MaskTabLeft},
      {"MaskTabRight", c.MaskTabRight},
      {"IndexScrollTop", c.IndexScrollTop},
      {"IndexScrollBottom", c.IndexScrollBottom},
      {"IndexScrollLeft", c.IndexScrollLeft},
      {"IndexScrollRight", c.IndexScrollRight},
      {"MaskScrollTop", c.MaskScrollTop},
      {"MaskScrollBottom", c.MaskScrollBottom},
      {"MaskScrollLeft", c.MaskScrollLeft},
      {"MaskScrollRight", c.MaskScrollRight},
      {"IndexBGScrollTop", c.IndexBGScrollTop},
      {"IndexBGScrollBottom", c.IndexBGScrollBottom},
      {"IndexBGScrollLeft", c.IndexBGScrollLeft},
      {"IndexBGScrollRight", c.IndexBGScrollRight},
      {"IndexBGHotScrollTop", c.IndexBGHotScrollTop},
      {"IndexBGHotScrollBottom", c.IndexBGHotScrollBottom},
      {"IndexBGHotScrollLeft", c.IndexBGHotScrollLeft},
      {"IndexBGHotScrollRight", c.IndexBGHotScrollRight},
      {"MaskArrowTop", c.MaskArrowTop},
      {"MaskArrowBottom", c.MaskArrowBottom},
      {"MaskArrowLeft", c.MaskArrowLeft},
      {"MaskArrowRight", c.MaskArrowRight},
      {"IndexSliderVert", c.IndexSliderVert},
      {"IndexSliderHorz", c.IndexSliderHorz},
      {"MaskSliderVert", c.MaskSliderVert},
      {"MaskSliderHorz", c.MaskSliderHorz},
      {"MaskSliderGlyphVert", c.MaskSliderGlyphVert},
      {"MaskSliderGlyphHorz", c.MaskSliderGlyphHorz},
      {"ScrollSliderBGHorz", c.ScrollSliderBGHorz},
      {"ScrollSliderBGHotHorz", c.ScrollSliderBGHotHorz},
      {"ScrollSliderBGVert", c.ScrollSliderBGVert},
      {"ScrollSliderBGHotVert", c.ScrollSliderBGHotVert},
      {"IndexScrollBar1H", c.IndexScrollBar1H},
      {"IndexScrollBar1V", c.IndexScrollBar1V},
      {"IndexScrollBar2H", c.IndexScrollBar2H},
      {"IndexScrollBar2V", c.IndexScrollBar2V},
      {"MaskScrollBar1H", c.MaskScrollBar1H},
      {"MaskScrollBar1V", c.MaskScrollBar1V},
      {"MaskScrollBar2H", c.MaskScrollBar2H},
      {"MaskScrollBar2V", c.MaskScrollBar2V},
      {"BGScrollBar1H", c.BGScrollBar1H},
      {"BGScrollBar1V", c.BGScrollBar1V},
      {"BGScrollBar2H", c.BGScrollBar2H},
      {"BGScrollBar2V", c.BGScrollBar2V},
      {"BGHotScrollBar1H", c.BGHotScrollBar1H},
      {"BGHotScrollBar1V", c.BGHotScrollBar1V},
      {"BGHotScrollBar2H", c.BGHotScrollBar2H},
      {"BGHotScrollBar2V", c.BGHotScrollBar2V},
      {"CheckBoxChecked", c.CheckBoxChecked},
      {"CheckBoxUnChecked", c.CheckBoxUnChecked},
      {"CheckBoxGrayed", c.CheckBoxGrayed},
      {"RadioButtonChecked", c.RadioButtonChecked},
      {"RadioButtonUnChecked", c.RadioButtonUnChecked},
      {"RadioButtonGrayed", c.RadioButtonGrayed},
      {"SmallCheckBoxChecked", c.SmallCheckBoxChecked},
      {"SmallCheckBoxUnChecked", c.SmallCheckBoxUnChecked},
      {"SmallCheckBoxGrayed", c.SmallCheckBoxGrayed},
      {"ComboBtnIndex", c.ComboBtnIndex},
      {"ComboBtnBorder", c.ComboBtnBorder},
      {"ComboBtnBG", c.ComboBtnBG},
      {"ComboBtnBGHot", c.ComboBtnBGHot},
      {"ComboGlyph", c.ComboGlyph},
      {"GripRightBottom", c.GripRightBottom},
      {"GripHorizontal", c.GripHorizontal},
      {"GripVertical", c.GripVertical},
      {"IndexWebBtn", c.IndexWebBtn},
  };
}

void TacSkinRecords::InitConstantIndexes(const TacSkinLoadOptions& Options) {
  TConstantSkinData& c = ConstData;
  const auto mask = [&](int section, std::string_view name, std::string_view key) {
    return I16(GetMaskIndex(section, name, key));
  };

  c.IndexGLobalInfo = I16(GetSkinIndex("GLOBALINFO"));
  const int gi = c.IndexGLobalInfo;
  const auto global = [&](std::string_view key) { return gi < 0 ? std::int16_t{-1} : mask(gi, "GLOBALINFO", key); };
  c.CheckBoxChecked = global("BOXCHECKED");
  c.CheckBoxUnChecked = global("BOXUNCHECKED");
  c.CheckBoxGrayed = global("BOXGRAYED");
  c.RadioButtonChecked = global("RADIOCHECKED");
  c.RadioButtonUnChecked = global("RADIOUNCHECKED");
  c.RadioButtonGrayed = global("RADIOGRAYED");
  c.SmallCheckBoxChecked = global("SMALLCHECKED");
  c.SmallCheckBoxUnChecked = global("SMALLUNCHECKED");
  c.SmallCheckBoxGrayed = global("SMALLGRAYED");
  c.ExBorder = global("EXBORDER");
  c.GripRightBottom = global("GRIPIMAGE");
  c.GripHorizontal = global("GRIPHORZ");
  c.GripVertical = global("GRIPVERT");

  c.ComboBtnIndex = GetSkinIndex("COMBOBTN");
  c.ComboBtnBorder = GetMaskIndex("COMBOBTN", "BORDERSMASK");
  c.ComboBtnBG = GetTextureIndex(c.ComboBtnIndex, "COMBOBTN", "PATTERN");
  c.ComboBtnBGHot = GetTextureIndex(c.ComboBtnIndex, "COMBOBTN", "HOTPATTERN");
  c.ComboGlyph = GetMaskIndex("COMBOBOX", "GLYPHMASK");

  c.IndexTabTop = I16(GetSkinIndex("TABTOP"));
  c.IndexTabBottom = I16(GetSkinIndex("TABBOTTOM"));
  c.IndexTabLeft = I16(GetSkinIndex("TABLEFT"));
  c.IndexTabRight = I16(GetSkinIndex("TABRIGHT"));
  c.MaskTabTop = mask(c.IndexTabTop, "TABTOP", "BORDERSMASK");
  c.MaskTabBottom = mask(c.IndexTabBottom, "TABBOTTOM", "BORDERSMASK");
  c.MaskTabLeft = mask(c.IndexTabLeft, "TABLEFT", "BORDERSMASK");
  c.MaskTabRight = mask(c.IndexTabRight, "TABRIGHT", "BORDERSMASK");

  c.IndexScrollTop = I16(GetSkinIndex("SCROLLBTNTOP"));
  c.IndexScrollBottom = I16(GetSkinIndex("SCROLLBTNBOTTOM"));
  c.IndexScrollLeft = I16(GetSkinIndex("SCROLLBTNLEFT"));
  c.IndexScrollRight = I16(GetSkinIndex("SCROLLBTNRIGHT"));
  c.IndexSliderVert = I16(GetSkinIndex("SCROLLSLIDERV"));
  c.IndexSliderHorz = I16(GetSkinIndex("SCROLLSLIDERH"));
  c.MaskScrollTop = mask(c.IndexScrollTop, "SCROLLBTNTOP", "BORDERSMASK");
  c.MaskArrowTop = mask(c.IndexScrollTop, "SCROLLBTNTOP", "GLYPHMASK");
  c.MaskScrollBottom = mask(c.IndexScrollBottom, "SCROLLBTNBOTTOM", "BORDERSMASK");
  c.MaskArrowBottom = mask(c.IndexScrollBottom, "SCROLLBTNBOTTOM", "GLYPHMASK");
  c.MaskScrollLeft = mask(c.IndexScrollLeft, "SCROLLBTNLEFT", "BORDERSMASK");
  c.MaskArrowLeft = mask(c.IndexScrollLeft, "SCROLLBTNLEFT", "GLYPHMASK");
  c.MaskScrollRight = mask(c.IndexScrollRight, "SCROLLBTNRIGHT", "BORDERSMASK");
  c.MaskArrowRight = mask(c.IndexScrollRight, "SCROLLBTNRIGHT", "GLYPHMASK");
  c.MaskSliderVert = mask(c.IndexSliderVert, "SCROLLSLIDERV", "BORDERSMASK");
  c.MaskSliderGlyphVert = mask(c.IndexSliderVert, "SCROLLSLIDERV", "GLYPHMASK");
  c.MaskSliderHorz = mask(c.IndexSliderHorz, "SCROLLSLIDERH", "BORDERSMASK");
  c.MaskSliderGlyphHorz = mask(c.IndexSliderHorz, "SCROLLSLIDERH", "GLYPHMASK");

  c.IndexBGScrollTop = mask(c.IndexScrollTop, "SCROLLBTNTOP", "PATTERN");
  c.IndexBGHotScrollTop = mask(c.IndexScrollTop, "SCROLLBTNTOP", "HOTPATTERN");
  c.IndexBGScrollBottom = mask(c.IndexScrollBottom, "SCROLLBTNBOTTOM", "PATTERN");
  c.IndexBGHotScrollBottom = mask(c.IndexScrollBottom, "SCROLLBTNBOTTOM", "HOTPATTERN");
  c.IndexBGScrollLeft = mask(c.IndexScrollLeft, "SCROLLBTNLEFT", "PATTERN");
  c.IndexBGHotScrollLeft = mask(c.IndexScrollLeft, "SCROLLBTNLEFT", "HOTPATTERN");
  c.IndexBGScrollRight = mask(c.IndexScrollRight, "SCROLLBTNRIGHT", "PATTERN");
  c.IndexBGHotScrollRight = mask(c.IndexScrollRight, "SCROLLBTNRIGHT", "HOTPATTERN");
  c.ScrollSliderBGHorz = mask(c.IndexSliderHorz, "SCROLLSLIDERH", "PATTERN");
  c.ScrollSliderBGHotHorz = mask(c.IndexSliderHorz, "SCROLLSLIDERH", "HOTPATTERN");
  c.ScrollSliderBGVert = mask(c.IndexSliderVert, "SCROLLSLIDERV", "PATTERN");
  c.ScrollSliderBGHotVert = mask(c.IndexSliderVert, "SCROLLSLIDERV", "HOTPATTERN");

  c.IndexScrollBar1H = I16(GetSkinIndex("SCROLLBAR1H"));
  c.IndexScrollBar1V = I16(GetSkinIndex("SCROLLBAR1V"));
  c.IndexScrollBar2H = I16(GetSkinIndex("SCROLLBAR2H"));
  c.IndexScrollBar2V = I16(GetSkinIndex("SCROLLBAR2V"));
  c.MaskScrollBar1H = mask(c.IndexScrollBar1H, "SCROLLBAR1H", "BORDERSMASK");
  c.MaskScrollBar1V = mask(c.IndexScrollBar1V, "SCROLLBAR1V", "BORDERSMASK");
  c.MaskScrollBar2H = mask(c.IndexScrollBar2H, "SCROLLBAR2H", "BORDERSMASK");
  c.MaskScrollBar2V = mask(c.IndexScrollBar2V, "SCROLLBAR2V", "BORDERSMASK");
  c.BGScrollBar1H = mask(c.IndexScrollBar1H, "SCROLLBAR1H", "PATTERN");
  c.BGScrollBar1V = mask(c.IndexScrollBar1V, "SCROLLBAR1V", "PATTERN");
  c.BGScrollBar2H = mask(c.IndexScrollBar2H, "SCROLLBAR2H", "PATTERN");
  c.BGScrollBar2V = mask(c.IndexScrollBar2V, "SCROLLBAR2V", "PATTERN");
  c.BGHotScrollBar1H = mask(c.IndexScrollBar1H, "SCROLLBAR1H", "HOTPATTERN");
  c.BGHotScrollBar1V = mask(c.IndexScrollBar1V, "SCROLLBAR1V", "HOTPATTERN");
  c.BGHotScrollBar2H = mask(c.IndexScrollBar2H, "SCROLLBAR2H", "HOTPATTERN");
  c.BGHotScrollBar2V = mask(c.IndexScrollBar2V, "SCROLLBAR2V", "HOTPATTERN");

  c.IndexWebBtn = GetSkinIndex("WEBBUTTON");
  InitMaskIndexes();
  CheckShadows(Options);
}

void TacSkinRecords::CheckShadows(const TacSkinLoadOptions& Options) {
  if (!Options.ExtendedBorders) {
    FormShadowSize = {};
    return;
  }
  ShdaTemplate = TBitmap32();
  ShdiTemplate = TBitmap32();
  if (!IsValidImgIndex(ConstData.ExBorder)) {
    if (Options.BuiltInShadowActive && Options.BuiltInShadowInactive) {
      ShdaTemplate = Copy(*Options.BuiltInShadowActive);
      ShdiTemplate = Copy(*Options.BuiltInShadowInactive);
      FormShadowSize = {9, 9, 9, 9};
    }
  } else {
    const TsMaskData& e = ma[static_cast<std::size_t>(ConstData.ExBorder)];
    const int offs = SkinData.ExContentOffs;
    if (SkinData.ExDrawMode != 0)
      FormShadowSize = {offs, offs, offs, offs};
    else
      FormShadowSize = {e.WL - offs, e.WT - offs, e.WR - offs, e.WB - offs};
    const TImage32View src = e.Source();
    const int w = WidthOfImage(e);
    const int h = HeightOfImage(e);
    ShdiTemplate = CopyCell(src, e.R.Left, e.R.Top, w, h);
    ShdaTemplate = e.ImageCount == 1 ? ShdiTemplate : CopyCell(src, e.R.Left + w, e.R.Top, w, h);
  }
  UpdateTransPixels(ShdaTemplate.View());
  UpdateTransPixels(ShdiTemplate.View());
}

}  // namespace skin
