#pragma once
// A skin section turned into pixels: its background for a state (colour, transparency towards the
// parent's background, texture, gradient), its corner images and its border image, painted into a
// rectangle of a 32-bit image. State 0 is the normal look; every state of 1 or more takes the
// section's hot look, and the border and corner images take the cell of the state.
//
// CI describes the parent's background; pP is R's top-left corner in the coordinates CI refers
// to: the parent pixel under R's top-left corner is (CI.X + pP.X, CI.Y + pP.Y) of CI.Bmp. Texture
// indexes of -1 let the painter look the section's "PATTERN" and "HOTPATTERN" images up.
// Nothing is drawn without records, for an invalid section index, or (PaintItem and its kin) when
// R does not lie inside the image.
#include <string_view>

#include "skin/core/acSkinRecords.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

// What the painters read of a control's skin state.
struct TacItemSkin {
  int SkinIndex = -1;
  std::string_view Section;
  int BorderIndex = -1;
  int Texture = -1;
  int HotTexture = -1;
  TColor CustomColor = clFuchsia;  // the control's own colour replacing the look; clFuchsia: none
  int HUEOffset = 0;
  int Saturation = 0;
};

// The background of a section. CustomColor (clFuchsia: none) replaces the whole look, opaque.
void PaintItemBG(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r, TPoint pP,
                 const TImage32View& bmp, const TacSkinRecords* sm, int textureIndex, int hotTextureIndex,
                 TColor customColor);
void PaintItemBG(const TacItemSkin& item, const TacSkinRecords* sm, const TCacheInfo32& ci, int state, const TRect& r,
                 TPoint pP, const TImage32View& bmp);
// The leaner background for callers with resolved textures: State used as given, no look-ups, no
// JPEG patterns, no custom colour.
void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, const TCacheInfo32& ci, int state,
                     const TRect& r, TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm);
// Background, corner images, border image (its corner key pixels from CI).
void PaintItem(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r, TPoint pP,
               const TImage32View& bmp, const TacSkinRecords* sm, int textureIndex = -1, int hotTextureIndex = -1);
// The same for a control: its border index, custom colour and colour changes (hue and saturation of
// the whole image, after a border, or without one when the state's look is opaque).
void PaintItem(const TacItemSkin& item, const TacSkinRecords* sm, const TCacheInfo32& ci, int state, const TRect& r,
               TPoint pP, const TImage32View& bmp, bool updateCorners);
// The fast background and the border image MaskIndex (no corner images).
void PaintItemFast(int skinIndex, int maskIndex, int textureIndex, int hotTextureIndex, const TCacheInfo32& ci,
                   int state, const TRect& r, TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm);
// The background and the section's "BORDERSMASK" image drawn as a margin-less nine-slice.
void PaintSmallItem(int skinIndex, std::string_view section, const TCacheInfo32& ci, int state, const TRect& r,
                    TPoint pP, const TImage32View& bmp, const TacSkinRecords* sm);

// The section's four corner images, each in its cell for the state, at the corners of R.
void PaintCornerImages(const TsGeneralData& g, const TacSkinRecords& sm, int state, const TRect& r,
                       const TImage32View& bmp);

// The picture of JPEG pattern Index, decoded on first use and kept with the records; nullptr when
// the index is invalid or the pattern does not decode.
const TBitmap32* PatternBitmap(const TacSkinRecords& sm, int index);

}  // namespace skin
