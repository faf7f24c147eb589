#pragma once
// The arithmetic of a skinned form's frame, free of any window: caption height, where the client
// area starts inside the window and inside the provider's cache, the width kept for the title
// buttons, the title icon's place, the number of menu lines, the caption text's rectangle and the
// clipped copies under the title buttons. The provider fills the inputs from the window, the
// system metrics and the skin; these routines only compute.
#include <span>
#include <vector>

#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

// Width and height of a title button whose skin image is missing.
inline constexpr int kTitleButtonFallback = 21;
// The same for the buttons of a maximised MDI child in the menu line.
inline constexpr int kSmallButtonFallback = 16;

// Border styles, numbered as the class library's TFormBorderStyle.
inline constexpr int kBsNone = 0;
inline constexpr int kBsSingle = 1;
inline constexpr int kBsSizeable = 2;
inline constexpr int kBsDialog = 3;
inline constexpr int kBsToolWindow = 4;
inline constexpr int kBsSizeToolWin = 5;

inline constexpr bool IsToolWindowStyle(int BorderStyle) {
  return BorderStyle == kBsToolWindow || BorderStyle == kBsSizeToolWin;
}
// The big title-button images and the skin's button spacing apply to these styles only.
inline constexpr bool BigButtonsStyle(int BorderStyle) {
  return BorderStyle == kBsSingle || BorderStyle == kBsSizeable;
}

// Side of the default title icon for a title H high.
int DefIconSize(int H);

struct TacCaptionInput {
  bool HaveBorder = true;    // a border style, a child window or an MDI child
  bool CaptionStyle = true;  // the window has WS_CAPTION
  bool Iconic = false;
  bool ToolWindow = false;   // bsToolWindow or bsSizeToolWin
  int SkinTitleHeight = 0;   // the extended borders' title height; 0 without them or unchecked
  int SysCaption = 0;        // SM_CYCAPTION
  int SysSmCaption = 0;      // SM_CYSMCAPTION
  bool SysExHeight = false;  // maximised with extended borders whose title is lower than the system's
};
int CaptionHeightOf(const TacCaptionInput& In);

// What the client origin and the header are computed from. B and H are the frame's side widths
// with the skin (True) and without it (False); FormBorderWidth is the form's own BorderWidth.
struct TacFrameInput {
  int WindowWidth = 0, WindowHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;
  int BTrue = 0, BFalse = 0, HTrue = 0, HFalse = 0;
  int FormBorderWidth = 0;
  int Caption = 0;  // CaptionHeight(true)
  bool BorderForm = false;
  bool WsBorder = false;
  bool Iconic = false;
  int HScrollHeight = 0;  // the visible horizontal skinned scroll bar, else 0
  int VScrollWidth = 0;   // the visible vertical skinned scroll bar, else 0
  int LinesCount = 0;
  int MenuHeight = 0;
  TRect Shadow;
};
int HeaderHeightOf(const TacFrameInput& In);
int OffsetXOf(const TacFrameInput& In);
int OffsetYOf(const TacFrameInput& In);

// Menu lines of a menu bar whose first item ends at FirstItemBottom (screen) above a client area
// starting at ClientTop; CyMenu is SM_CYMENU.
int MenuLinesOf(int FirstItemBottom, int ClientTop, int CyMenu);

struct TacTitleButtonsInput {
  int BIRightMargin = 0;
  int BISpacing = 0;
  bool BigButtons = false;
  bool SystemButtons = false;  // a system menu that the provider draws buttons for
  int CloseWidth = 0;
  bool Max = false, Min = false, Help = false;
  int MaxWidth = 0, MinWidth = 0, HelpWidth = 0;
  std::span<const int> UserWidths;  // every user title button, visible or not
};
int TitleBtnsWidthOf(const TacTitleButtonsInput& In);

struct TacIconInput {
  int BTrue = 0, BFalse = 0, HFalse = 0;
  int Caption = 0;
  int BILeftMargin = 0;
  int IconWidth = 0, IconHeight = 0;
  TRect Shadow;
  bool BorderForm = false;
  int ExCenterOffs = 0;
  bool Maximized = false;
  int ExTitleHeight = 0, ExMaxHeight = 0;
};
TRect IconRectOf(const TacIconInput& In);

// How far a maximised title moves its buttons.
int MaximizedTitleShiftOf(int ExDrawMode, int ExTitleHeight, int ExMaxHeight, int BITopMargin, int Caption,
                          int SysCaption);

// Caption alignment as the class library numbers it.
inline constexpr int kTaLeftJustify = 0;
inline constexpr int kTaRightJustify = 1;
inline constexpr int kTaCenter = 2;
// The caption text's rectangle inside T for a main caption MainWidth wide followed by an added
// title AddedWidth wide; right-to-left forms swap left and right. Never starts left of T.
TRect AlignCaptionRect(TRect T, int MainWidth, int AddedWidth, int Alignment, bool RightToLeft);

// A copy of Size pixels from SrcAt of a bitmap SrcSize to DstAt of a bitmap DstSize, cut to the
// part that lies inside both. Empty (Size 0 x 0) when nothing remains.
struct TacCopyArea {
  TPoint Src;
  TPoint Dst;
  TSize Size;
  bool Empty() const { return Size.cx <= 0 || Size.cy <= 0; }
};
TacCopyArea ClipCopyArea(TSize SrcSize, TPoint SrcAt, TSize DstSize, TPoint DstAt, TSize Size);

// Of the one-pixel-high runs of transparent corner pixels of one frame image, those that reach the
// edge of a window Width x Height, directly or through neighbouring runs. Key pixels enclosed by opaque ones only
// let a lower layer of the frame show through when painting; cutting them would punch holes.
std::vector<TRect> OuterRuns(const std::vector<TRect>& Runs, int Width, int Height);

// The thumbnail size of a Source image fitted into Max keeping its aspect; 0 x 0 when it cannot.
TSize FitThumbSize(TSize Max, TSize Source);

}  // namespace skin
