#include "skin/forms/acBorderGeometry.h"

#include <algorithm>

#include "skin/forms/acFormSizing.h"

namespace skin {

namespace {

constexpr int kHtCaption = 2;
constexpr int kHtSysMenu = 3;
constexpr int kHtMenu = 5;
constexpr int kHtMinButton = 8;
constexpr int kHtMaxButton = 9;
constexpr int kHtClose = 20;
constexpr int kHtHelp = 21;

bool Inside(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

bool Black(const classlib::TsColor_& C) { return C.B == 0 && C.G == 0 && C.R == 0; }

}  // namespace

bool AboveTheShadow(TRect Shadow, int Width, int Height, TPoint P, bool Maximized) {
  if (Maximized) return false;
  return P.X < Shadow.Left || P.X > Width - Shadow.Right || P.Y < Shadow.Top || P.Y > Height - Shadow.Bottom;
}

int SysTitleButtonCount(const TacTitleHitInput& In) {
  if (!In.SysMenu) return 0;
  return 1 + (In.VisibleMax ? 1 : 0) + (In.VisibleMin || In.Iconic ? 1 : 0) + (In.ContextHelp ? 1 : 0);
}

int SysTitleButtonHit(const TacTitleHitInput& In, int C) {
  if (C < 1 || C > SysTitleButtonCount(In)) return 0;
  const bool minShows = In.VisibleMin || In.Iconic;
  switch (C) {
    case 1: return In.CloseHidden ? 0 : kHtClose;
    case 2:
      if (In.VisibleMax) return In.EnabledMax || (In.EnabledRestore && !In.Iconic) ? kHtMaxButton : kHtCaption;
      if (minShows) return In.EnabledMin ? kHtMinButton : kHtCaption;
      return In.ContextHelp ? kHtHelp : 0;
    case 3:
      // Without a maximise button the third button is the help button, not a second minimise.
      if (In.VisibleMax && minShows) return In.Iconic || In.EnabledMin ? kHtMinButton : kHtCaption;
      return In.ContextHelp ? kHtHelp : 0;
    case 4: return In.ContextHelp && In.VisibleMax ? kHtHelp : 0;
    default: return 0;
  }
}

int BorderFrameHit(const TacBorderHitInput& In, TPoint P) {
  const TRect& s = In.Shadow;
  if (!In.Maximized && In.Sizeable) {
    int code = 0;
    if (P.Y >= s.Top && P.Y <= s.Top + 4)
      code = kHtTop;
    else if (P.Y >= In.Height - In.SysBorder - s.Bottom && P.Y <= In.Height - s.Bottom)
      code = kHtBottom;
    if (P.X >= s.Left && P.X <= s.Left + In.SysBorder)
      code = code == kHtTop ? kHtTopLeft : code == kHtBottom ? kHtBottomLeft : kHtLeft;
    else if (P.X >= In.Width - In.SysBorder - s.Right && P.X <= In.Width - s.Right)
      code = code == kHtTop ? kHtTopRight : code == kHtBottom ? kHtBottomRight : kHtRight;
    if (code != 0) return code;
  }
  const int titleBottom = In.SysBorderHeight + In.Caption + s.Top;
  if (P.Y >= 0 && P.Y <= titleBottom) return Inside(In.IconRect, P) ? kHtSysMenu : kHtCaption;
  // The menu line lies below the title, which is measured from the shadow's edge as well.
  if (P.Y >= 0 && P.Y <= titleBottom + In.Menu) return kHtMenu;
  return 0;
}

TacBorderRgnShape BorderRgnShape(const TacBorderRgnInput& In) {
  TacBorderRgnShape r;
  if (In.Maximized) {
    const int side = In.SysBorder + In.DiffBorder;
    r.HasBase = true;
    r.Base = TRect{In.Shadow.Left + side, In.Shadow.Top + 4, In.Width - side - In.Shadow.Right,
                   In.Height - side - In.Shadow.Bottom};
  }
  if (In.ShowsWholeImage) {
    r.Whole = !r.HasBase;
    return r;
  }
  r.HasHole = true;
  r.Hole = In.Hole;
  return r;
}

TRect BorderHole(const TacBorderHoleInput& In) {
  TRect r{In.Left, In.Top, 0, 0};
  if (!In.SizeChange) {
    r.Right = In.Left + In.ClientWidth + In.VScrollWidth;
    r.Bottom = In.Top + In.ClientHeight + In.HScrollHeight;
  } else {
    auto edge = [](int start, int client, int last, int next, int outer, int min) {
      if (last < client) return start + last;
      if (next != 0 && min < next) return start + client + next - outer;
      return start + client;
    };
    r.Right = edge(In.Left, In.ClientWidth, In.LastClientWidth, In.NewWidth, In.FormWidth, In.MinWidth);
    r.Bottom = edge(In.Top, In.ClientHeight, In.LastClientHeight, In.NewHeight, In.FormHeight, In.MinHeight);
  }
  r.Top -= In.MenuLines * In.MenuHeight;
  return r;
}

TRect BlurFrame(TRect Shadow, int Width, int Height) {
  return TRect{Shadow.Left - 1, Shadow.Top - 1, Width - Shadow.Right + 1, Height - Shadow.Bottom + 1};
}

std::vector<TRect> BlurRects(TRect Shadow, int Width, int Height, int ContentOffs, const TImage32View& Image) {
  const TRect c = BlurFrame(Shadow, Width, Height);
  std::vector<TRect> rects;
  if (c.Left >= c.Right || c.Top >= c.Bottom) return rects;
  const int side = std::max(ContentOffs, 0) + 1;
  const int topEnd = std::min(c.Top + side, c.Bottom);
  const int bottomStart = std::max(c.Bottom - side, topEnd);
  const int leftEnd = std::min(c.Left + side, c.Right);
  const int rightStart = std::max(c.Right - side, leftEnd);
  auto cut = [&](int x, int y) { return Image.Contains(x, y) && Black(Image.At(x, y)); };
  // One row of a corner band: the runs between black corner pixels.
  auto row = [&](int y) {
    int runStart = c.Left;
    for (int x = c.Left; x < c.Right; ++x) {
      const bool corner = x < leftEnd || x >= rightStart;
      if (corner && cut(x, y)) {
        if (x > runStart) rects.push_back(TRect{runStart, y, x, y + 1});
        runStart = x + 1;
      }
    }
    if (c.Right > runStart) rects.push_back(TRect{runStart, y, c.Right, y + 1});
  };
  for (int y = c.Top; y < topEnd; ++y) row(y);
  if (bottomStart > topEnd) rects.push_back(TRect{c.Left, topEnd, c.Right, bottomStart});
  for (int y = bottomStart; y < c.Bottom; ++y) row(y);
  return rects;
}

TPoint SnapBorderWindow(TPoint Pos, int Width, int Height, TRect WorkArea, TRect Shadow, int ShadowOffs, int Buffer) {
  TPoint p = Pos;
  p.X = SnapCoordinate(p.X, Width + ShadowOffs - Shadow.Right, WorkArea.Right, Buffer);
  p.Y = SnapCoordinate(p.Y, Height + ShadowOffs - Shadow.Bottom, WorkArea.Bottom, Buffer);
  p.X = SnapCoordinate(p.X, Shadow.Left - ShadowOffs, WorkArea.Left, Buffer);
  p.Y = SnapCoordinate(p.Y, Shadow.Top - ShadowOffs, WorkArea.Top, Buffer);
  return p;
}

}  // namespace skin
