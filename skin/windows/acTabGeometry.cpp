#include "skin/windows/acTabGeometry.h"

namespace skin {
namespace {

// Native tab-control styles (commctrl.h), kept here so that the arithmetic needs no system headers.
constexpr unsigned kTcsBottom = 0x0002, kTcsRight = 0x0002, kTcsVertical = 0x0080;
constexpr unsigned kTcsButtons = 0x0100, kTcsFlatButtons = 0x0008;

void Inflate(TRect& R, int dx, int dy) {
  R.Left -= dx;
  R.Right += dx;
  R.Top -= dy;
  R.Bottom += dy;
}

}  // namespace

TTabPosition TabPositionOfStyle(unsigned Style) {
  if ((Style & kTcsVertical) != 0) return (Style & kTcsRight) != 0 ? classlib::tpRight : classlib::tpLeft;
  return (Style & kTcsBottom) != 0 ? classlib::tpBottom : classlib::tpTop;
}

TTabStyle TabStyleOfStyle(unsigned Style) {
  if ((Style & kTcsFlatButtons) != 0) return classlib::tsFlatButtons;
  if ((Style & kTcsButtons) != 0) return classlib::tsButtons;
  return classlib::tsTabs;
}

TRect TabPageRect(TSize Size, const TRect& Client, bool HasTabs, TTabPosition Position) {
  TRect r{0, 0, Size.cx, Size.cy};
  if (!HasTabs) return r;
  switch (Position) {
    case classlib::tpTop: r.Top = Client.Top - 4; break;
    case classlib::tpBottom: r.Bottom = Client.Bottom + 2; break;
    case classlib::tpLeft: r.Left = Client.Left - 1; break;
    case classlib::tpRight: r.Right = Client.Right + 1; break;
  }
  return r;
}

TRect TabStripRect(TSize Size, const TRect& Client, TTabPosition Position) {
  TRect r{0, 0, Size.cx, Size.cy};
  switch (Position) {
    case classlib::tpTop: r.Bottom = Client.Top - 4; break;
    case classlib::tpBottom: r.Top = Client.Bottom + 2; break;
    case classlib::tpLeft: r.Right = Client.Left - 1; break;
    case classlib::tpRight: r.Left = Client.Right + 1; break;
  }
  return r;
}

int TabRowOf(const TRect& Tab, const TRect& Strip, int Rows, TTabPosition Position) {
  if (Rows < 2) return 1;
  const int h = Tab.Bottom - Tab.Top, w = Tab.Right - Tab.Left;
  // An empty tab has no row of its own: it counts in the first.
  if (h <= 0 || w <= 0) return 1;
  switch (Position) {
    case classlib::tpTop: return (Tab.Bottom + h / 2) / h;
    case classlib::tpLeft: return (Tab.Right + w / 2) / w;
    case classlib::tpRight: return Rows - (Tab.Right - Strip.Left + w / 2) / w + 1;
    case classlib::tpBottom: return Rows - (Tab.Bottom - Strip.Top + h / 2) / h + 1;
  }
  return 1;
}

TRect DrawnTabRect(const TRect& Tab, bool Active, TTabStyle Style, TTabPosition Position) {
  TRect r = Tab;
  if (Style != classlib::tsTabs || r.Right <= r.Left || r.Bottom <= r.Top) return r;
  if (Active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  const int a = Active ? 1 : 0;
  switch (Position) {
    case classlib::tpTop:
      Inflate(r, 2 * a, 2 * a);
      r.Bottom += 1;
      break;
    case classlib::tpBottom:
      Inflate(r, 2 * a, a);
      r.Top -= 2;
      r.Bottom += Active ? 1 : -3;
      break;
    case classlib::tpLeft:
      Inflate(r, 0, 1);
      r.Right += 2;
      if (Active) {
        Inflate(r, 1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case classlib::tpRight:
      Inflate(r, 1, 0);
      r.Left -= 1;
      r.Right -= 1;
      r.Top -= 1;
      r.Bottom -= 1;
      if (Active) {
        Inflate(r, 1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  return r;
}

TSideTabPlace SideTabPlace(TRect R, TTabPosition Position, bool Active, int Length, int Thickness, bool HasImage,
                           TSize ImageSize) {
  TSideTabPlace p;
  if (Position == classlib::tpRight) {
    R.Left -= 2;
    R.Right -= 2;
    R.Top -= 1;
    R.Bottom -= 1;
  }
  if (Active && HasImage) {
    R.Left += 2;
    R.Right += 2;
  }
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  const int textX = R.Left + (w - Thickness) / 2;
  if (Position == classlib::tpRight) {
    if (HasImage) {
      p.Image = {R.Left + (w - ImageSize.cx) / 2, R.Top + (h - (ImageSize.cy + Length + 4)) / 2};
      p.Text = {textX + Thickness, p.Image.Y + ImageSize.cy + 4};
    } else {
      p.Text = {textX + Thickness, R.Top + (h - Length) / 2};
    }
    return p;
  }
  if (HasImage) {
    p.Image = {R.Left + (w - ImageSize.cx) / 2, R.Bottom - ImageSize.cy - (h - (ImageSize.cy + Length + 4)) / 2};
    p.Text = {textX, p.Image.Y - 4};
  } else {
    p.Text = {textX, R.Bottom - (h - Length) / 2};
  }
  return p;
}

}  // namespace skin
