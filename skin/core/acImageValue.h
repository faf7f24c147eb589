#pragma once
// The image values of a skin description. A key's value names an image in one of six forms:
//   !FILE.PNG!count!mask!type!wl!wt!wr!wb!mode    an image file of its own ('!' words)
//   @LLLL@TTTT@RRRR@BBBB@c@m                      a glyph rectangle of the master bitmap
//   ^LLLL^TTTT^RRRR^BBBB^wl..^wt..^wr..^wb..^c^m^d^w   a border rectangle of the master bitmap
//   ~LLLL~TTTT~RRRR~BBBB~dd~m                     a texture rectangle of the master bitmap
//   FILE.BMP                                      an old border bitmap of three masked cells
//   #(l,t,r,b)(count,mask,width,mode)             an old border rectangle of the master bitmap
// (the separators of the fixed-column forms may be any character). Parsing never reads outside
// the value. A value that is no image at all is told apart from one that is meant as an image
// but malformed; the second carries the reason, so that the loader can refuse it clearly
// instead of dividing by zero or reading outside a bitmap later.
#include <string>
#include <string_view>

#include "skin/core/sConstTypes.h"

namespace skin {

enum class TacImageForm : std::uint8_t { None, OwnFile, Glyph, Border, Texture, OldBitmap, OldRect };

// How the margins of a border image come about.
enum class TacMarginRule : std::uint8_t {
  None,            // glyphs and textures have none
  Given,           // written in the value
  Derive,          // a third of a cell's width and height
  BorderOrDerive,  // BorderWidth on every side when not 0, else derived
  GivenOrBorder    // as written; all four 0: BorderWidth when not 0, else derived
};

struct TacImageSpec {
  TacImageForm Form = TacImageForm::None;
  std::string FileName;      // OwnFile (as written), OldBitmap (upper-cased)
  bool Png = false;          // OwnFile: a PNG file, else a BMP file
  bool WholeBitmap = false;  // R is the whole of the image's own bitmap
  TRect R;
  int ImageCount = 1;
  int MaskType = 0;
  int BorderWidth = 0;
  int DrawMode = 0;
  int ImgType = 0;  // a TacImgType number; 4 and above mean a PNG glyph
  int WL = 0, WT = 0, WR = 0, WB = 0;
  TacMarginRule Margins = TacMarginRule::None;
  bool UpperCaseNames = false;  // the record keeps its section and key upper-cased
  std::string Error;            // a malformed value: why
  bool Malformed() const { return !Error.empty(); }
};

// The form of a value and its numbers.
TacImageSpec ParseImageValue(std::string_view value);

// With the size of the bitmap that R refers to (the own bitmap, or the master bitmap; 0 x 0 for
// none): R is set for whole-bitmap forms, the rules that need the cell size are applied and the
// image is checked. Version is the skin's VERSION: old '^' borders with a one-pixel centre are
// stretched differently below 7.4. Answers the reason why the image cannot be used, empty when it can.
std::string FinishImageSpec(TacImageSpec& image, int sourceWidth, int sourceHeight, double version);

}  // namespace skin
