#pragma once
// Where the tab-control handler draws a native tab control's parts, free of any window: the tab
// strip and the page frame around the display area, each tab's row, a tab's drawn rectangle, and
// the places of a side tab's image and rotated caption. Halving rounds towards zero.
#include "classlib/TabTypes.h"
#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;
using classlib::TTabPosition;
using classlib::TTabStyle;

// From the tab control's window style.
TTabPosition TabPositionOfStyle(unsigned Style);
TTabStyle TabStyleOfStyle(unsigned Style);

// The page frame: the whole control, with tabs moved to the display area (Client) on the tab side.
TRect TabPageRect(TSize Size, const TRect& Client, bool HasTabs, TTabPosition Position);
// The tab strip: the whole control less the page frame on the tab side.
TRect TabStripRect(TSize Size, const TRect& Client, TTabPosition Position);

// The 1-based row of the tab at Tab among Rows rows, row 1 the farthest from the page.
int TabRowOf(const TRect& Tab, const TRect& Strip, int Rows, TTabPosition Position);

// A tab as it is drawn: the control's rectangle (empty for an empty one) enlarged toward the page and
// its neighbours when active; button styles keep it.
TRect DrawnTabRect(const TRect& Tab, bool Active, TTabStyle Style, TTabPosition Position);

// A side tab's image and caption: the caption's start (the rotated text's reference point) and the
// image's top-left corner, for a text of Length along the tab and Thickness across it.
struct TSideTabPlace {
  TPoint Text;
  TPoint Image;
};
TSideTabPlace SideTabPlace(TRect R, TTabPosition Position, bool Active, int Length, int Thickness, bool HasImage,
                           TSize ImageSize);

}  // namespace skin
