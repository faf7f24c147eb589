#pragma once
// Where a skinned page control's tab strip and page area lie, how large the active tab is drawn,
// and how one tab's content is laid out (glyph, caption, close button, menu arrow, focus frame).
// Pure arithmetic over rectangles; no window needed. Halving rounds towards zero throughout.
#include <span>

#include "classlib/TabTypes.h"
#include "classlib/Types.h"

namespace skin {

// The kinds of tab a page shows: a push-button tab, a tab that drops a menu down, or an ordinary
// page tab. The first two never become the active page.
enum TacTabType { ttButton, ttMenu, ttTab };

// One tab's layout in the tab bitmap's coordinates.
struct TacTabData {
  classlib::TRect GlyphRect;
  classlib::TRect TextRect;
  classlib::TRect BtnRect;
  classlib::TRect ArrowRect;
  classlib::TRect FocusRect;
  classlib::TSize TextSize;
  classlib::TPoint TextPos;
  // The arrow's direction for the arrow painter: 8 down, 4 right.
  int ArrowDirection = 0;
};

// The tab strip: empty without tabs, else the control cut along the display rectangle's edge.
classlib::TRect TabsRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height,
                         const classlib::TRect& Display);
// The page area: the rest of the control; the two split it along one line.
classlib::TRect PageRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height,
                         const classlib::TRect& Display);
// The tab at its drawn size: the common control's rectangle, 2 pixels larger on every side for the
// active tab of tsTabs so that it overlaps its neighbours and the page area.
classlib::TRect SkinTabRect(const classlib::TRect& CommonRect, bool Active, classlib::TTabStyle Style);
// A special tab's section is drawn inside the tab: 3 pixels in along the strip, 1 across it.
classlib::TRect ShrinkSpecialTab(const classlib::TRect& R, classlib::TTabPosition Position);

// Whether captions run from bottom to top: side tabs, or top and bottom tabs rotated.
bool VerticalCaptions(classlib::TTabPosition Position, bool RotateCaptions);

// What the layout of one tab depends on.
struct TTabContentInput {
  classlib::TTabPosition Position = classlib::tpTop;
  classlib::TTabStyle Style = classlib::tsTabs;
  bool RotateCaptions = false;
  TacTabType TabType = ttTab;
  // Drawing state: 0 normal, 1 hot, 2 active or pressed.
  int State = 0;
  classlib::TSize TextSize;  // the caption's extent in the tab's font
  bool CaptionEmpty = true;
  bool ShowCloseBtn = false;  // the control shows close buttons and the page wants one
  int BtnWidth = 15;
  int BtnHeight = 15;
  bool HasGlyph = false;  // the control has images and the page's index names one
  classlib::TSize ImageSize;
  // The focus frame: the control shows it and has the focus (its own, or for horizontal captions
  // also its skin state's focus flag).
  bool ShowFocus = true;
  bool Focused = false;
  bool SkinFocused = false;
};

// The layout of one tab inside R (the tab bitmap's rectangle).
TacTabData InitTabContentData(const TTabContentInput& In, classlib::TRect R);

// The close button's size: 15 by 15, or the skin's close glyph cell (at least 8 wide) when found.
classlib::TSize CloseButtonSize(bool GlyphFound, int GlyphWidth, int GlyphHeight);
// The horizontal tab padding the common control is given (its vertical padding is 3).
int HorizontalTabPadding(bool WithButtons, bool HasImages, int BtnWidth, int TabPadding);
inline constexpr int kVerticalTabPadding = 3;

// TabWidth and TabHeight once captions are rotated, from the first tab's rectangle (a 24 by 24
// one without pages): side tabs keep their width, top and bottom tabs take their height as
// width; the height is at least 140.
classlib::TSize RotatedTabSize(classlib::TTabPosition Position, const classlib::TRect& FirstTab);

// The page that becomes active for PageIndex: itself unless it is special (a visible tab that is
// not ttTab), else the first plain page after it, else the nearest before it, else itself.
int CheckActiveTabIndex(std::span<const bool> Special, int PageIndex);

// ---- the tab control ----
// The tab control measures from its display rectangle C (the common control's, its top moved 2
// down) and draws its tabs at sizes of its own.

// The strip: the control less the body, which starts 4 pixels above C for top tabs, and 2 below,
// 1 left or 1 right of C for bottom, left and right tabs. The whole control without tabs.
classlib::TRect TabControlTabsRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height,
                                   const classlib::TRect& C);
// The body: the control on the other side of the same line.
classlib::TRect TabControlPageRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height,
                                   const classlib::TRect& C);
// A tab at its drawn size. For tsTabs an inactive tab reaches under the body and ends a pixel short
// of its neighbour; the selected one grows over both. Button styles keep the common control's
// rectangle, and so does an empty one.
classlib::TRect TabControlSkinTabRect(const classlib::TRect& CommonRect, bool Active, classlib::TTabStyle Style,
                                      classlib::TTabPosition Position);
// The row (1 = farthest from the body) of a tab whose common-control
// rectangle is Tab, in a strip Tabs of Rows rows. A control of one row, or an empty tab, is row 1.
int TabControlTabRow(int Rows, classlib::TTabPosition Position, const classlib::TRect& Tab,
                     const classlib::TRect& Tabs);

}  // namespace skin
