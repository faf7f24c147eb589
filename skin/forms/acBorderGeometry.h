#pragma once
// The arithmetic of a form's extended-border window, free of any window: which frame zone a point
// of the border window is over, where the shadow lies, the window region's outer rectangle and
// the hole the real window shows through, the blur region, and snapping the border window to the
// work area. Border-window coordinates: (0, 0) is the top-left of the shadow, the border window is
// exactly as large as the owner's frame image.
#include <vector>

#include "classlib/Image32.h"
#include "classlib/Types.h"

namespace skin {

using classlib::TImage32View;
using classlib::TPoint;
using classlib::TRect;

// The point lies on the shadow around the frame: outside [S.Left, Width - S.Right] x [S.Top,
// Height - S.Bottom]. A maximised owner has no shadow to pass the mouse through.
bool AboveTheShadow(TRect Shadow, int Width, int Height, TPoint P, bool Maximized);

// What the title buttons of the owner are, in the order they stand from the right.
struct TacTitleHitInput {
  bool SysMenu = true;       // the owner draws the system buttons
  bool CloseHidden = false;  // the system menu hides Close
  bool VisibleMax = false, EnabledMax = false, EnabledRestore = false;
  bool VisibleMin = false, EnabledMin = false;
  bool Iconic = false;
  bool ContextHelp = false;  // WS_EX_CONTEXTHELP
};
// How many system title buttons stand in the title.
int SysTitleButtonCount(const TacTitleHitInput& In);
// The hit code of system title button C (1 the rightmost); 0 when C names none or it does not act.
// A disabled minimise or restore button answers HTCAPTION so that the title still drags.
int SysTitleButtonHit(const TacTitleHitInput& In, int C);

struct TacBorderHitInput {
  TRect Shadow;               // S
  int Width = 0, Height = 0;  // the border window
  int SysBorder = 0;          // the system's frame width (BW)
  int SysBorderHeight = 0;    // the system's frame height above the title (0 with extended borders)
  int Caption = 0;            // the title's height
  int Menu = 0;               // the menu line's height (0 for none)
  bool Maximized = false;
  bool Sizeable = false;  // WS_THICKFRAME
  TRect IconRect;         // the title icon, in border-window coordinates
};
// The frame zone under P once the title buttons missed: a sizing band (10 .. 17) of a sizeable,
// not maximised owner, the title (2, 3 over the icon), the menu line (5); 0 for none of them. The
// top band spans 4 pixels below the shadow whatever the system's frame width.
int BorderFrameHit(const TacBorderHitInput& In, TPoint P);

// The window region as two rectangles: Base (or the whole window when HasBase is false) with the
// Hole cut out when HasHole. None at all (Whole) lets the whole window take the mouse.
struct TacBorderRgnShape {
  bool Whole = false;
  bool HasBase = false;
  TRect Base;
  bool HasHole = false;
  TRect Hole;
};
struct TacBorderRgnInput {
  TRect Shadow;
  int Width = 0, Height = 0;  // the border window
  int SysBorder = 0;          // BW
  int DiffBorder = 0;         // the skin's frame width less the system's
  bool Maximized = false;
  // The window shows a picture of its own (minimising, hiding, moving blended, skin change): no
  // hole, the picture covers the form.
  bool ShowsWholeImage = false;
  TRect Hole;  // the owner's client area in border-window coordinates
};
TacBorderRgnShape BorderRgnShape(const TacBorderRgnInput& In);

// The owner's client area inside the border window, for a form.
struct TacBorderHoleInput {
  int Left = 0, Top = 0;                  // OffsetX, OffsetY
  int ClientWidth = 0, ClientHeight = 0;  // now
  int VScrollWidth = 0, HScrollHeight = 0;
  // A size change is applied: the hole follows the smaller of the last and the present client
  // area, or the new outer size NewWidth x NewHeight when given (0: not given).
  bool SizeChange = false;
  int LastClientWidth = 0, LastClientHeight = 0;
  int NewWidth = 0, NewHeight = 0;
  int FormWidth = 0, FormHeight = 0;
  int MinWidth = 0, MinHeight = 0;    // the form's constraints
  int MenuLines = 0, MenuHeight = 0;  // the menu lines above the client area, inside the hole
};
TRect BorderHole(const TacBorderHoleInput& In);

// The area blurred behind the border window: the frame rectangle grown by one pixel, less the
// black (B, G, R all 0) pixels of Image inside its four corner squares, ContentOffs + 1 pixels a
// side. Rectangles of the blurred area, one pixel high where corners are cut.
std::vector<TRect> BlurRects(TRect Shadow, int Width, int Height, int ContentOffs, const TImage32View& Image);
// The frame rectangle of the blur (the shadow less one pixel on each side).
TRect BlurFrame(TRect Shadow, int Width, int Height);

// The border window's new position Pos snapped so that the visible frame meets an edge of the
// work area when closer than Buffer: right, bottom, left, top in this order.
TPoint SnapBorderWindow(TPoint Pos, int Width, int Height, TRect WorkArea, TRect Shadow, int ShadowOffs, int Buffer);

}  // namespace skin
