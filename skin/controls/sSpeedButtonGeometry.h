#pragma once
// Where a speed button puts its caption and its glyph: pure arithmetic over the button's size, the
// measured caption and the glyph's size, shared by the painting code and its tests. Divisions
// truncate towards zero.
#include "skin/graphics/Image32.h"

namespace skin {

// The class library's glyph layouts and alignments, in their order.
enum class TacGlyphLayout { Left, Right, Top, Bottom };
enum class TacBlockAlignment { LeftJustify, RightJustify, Center };

// A drop-down button keeps this many pixels at its right for the arrow.
inline constexpr int kDropDownArrowWidth = 16;

// The margin the layout uses: none for a negative Margin (centred), else Margin + 3.
constexpr int GenMargin(int margin) { return margin < 0 ? 0 : margin + 3; }
// Blend is a percentage.
constexpr int ClampBlend(int blend) { return blend < 0 ? 0 : (blend > 100 ? 100 : blend); }

struct TacSpeedButtonLayout {
  int Width = 0, Height = 0;
  int TextWidth = 0, TextHeight = 0;  // the measured caption (0 x 0 without one)
  int GlyphWidth = 0, GlyphHeight = 0;
  int ArrowWidth = 0;  // kDropDownArrowWidth for drop-down buttons
  int Margin = -1;
  int Spacing = 4;
  int TextOffset = 0;
  TacGlyphLayout Layout = TacGlyphLayout::Left;
  TacBlockAlignment Alignment = TacBlockAlignment::Center;
  bool HasCaption = false;  // a caption that is shown and not empty
  bool Pressed = false;
  bool Reflected = false;
};

// The widest the caption may be before it wraps: the button less the margins, the arrow and, when
// glyph and caption sit side by side, the glyph and the spacing.
int CaptionMaxWidth(const TacSpeedButtonLayout& l);

struct TacCaptionPlace {
  TRect Rect;
  int TextLayout = 0;  // 0 glyph left, 2 glyph right, 1 glyph above or below
};
TacCaptionPlace SpeedCaptionRect(const TacSpeedButtonLayout& l);
TRect SpeedImgRect(const TacSpeedButtonLayout& l);

}  // namespace skin
