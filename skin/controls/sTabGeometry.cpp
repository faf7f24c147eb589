#include "skin/controls/sTabGeometry.h"

#include <algorithm>

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

namespace {

int W(const TRect& r) { return r.Right - r.Left; }
int H(const TRect& r) { return r.Bottom - r.Top; }

void Offset(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

TRect Square9(int left, int top) { return TRect{left, top, left + 9, top + 9}; }

bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool TopOrBottom(classlib::TTabPosition p) { return p == classlib::tpTop || p == classlib::tpBottom; }

bool FocusFrameShown(const TTabContentInput& in, bool focused) {
  return in.ShowFocus && focused && in.State == 2 && !in.CaptionEmpty && in.TabType == ttTab;
}

void HorizontalLayout(const TTabContentInput& in, TRect r, TacTabData& d) {
  const bool special = in.TabType != ttTab;
  const bool active = in.State == 2;
  const int cx = in.TextSize.cx;
  const int cy = in.TextSize.cy;
  if (in.Position == classlib::tpTop)
    r.Bottom -= 2;
  else
    r.Top += 2;
  if (!special) {
    if (in.Style != classlib::tsTabs) {
      Offset(r, 0, 1);
    } else if (in.Position == classlib::tpTop) {
      r.Top += 2;
      active ? Offset(r, -1, -2) : Offset(r, 0, 1);
    } else {
      active ? Offset(r, -1, -2) : Offset(r, 0, -2);
    }
  }
  d.TextRect = r;
  bool arrowBelow = false;
  if (special && in.TabType == ttMenu) {
    arrowBelow = TopOrBottom(in.Position) && H(r) - cy - 6 > 9;
    d.ArrowDirection = 8;
    if (!arrowBelow) {
      d.ArrowRect = Square9(d.TextRect.Right - 13, (H(d.TextRect) - 9) / 2 + d.TextRect.Top + 1);
      if (active) Offset(d.ArrowRect, 1, 1);
    }
  }
  const bool closeBtn = in.ShowCloseBtn && !special;
  if (closeBtn) {
    const int top = (H(r) - in.BtnHeight) / 2 + r.Top;
    d.BtnRect = TRect{r.Right - in.BtnWidth - 4, top, r.Right - 4, top + in.BtnHeight};
    d.TextRect.Right = d.BtnRect.Left;
    if (active) {
      Offset(r, 3, 0);
      if (in.Position == classlib::tpTop) Offset(d.BtnRect, 1, 1);
    }
  }
  if (in.HasGlyph) {
    const int w = in.ImageSize.cx;
    const int h = in.ImageSize.cy;
    const int left = closeBtn ? r.Left + 3 : std::max((W(d.TextRect) - (cx + w + 6)) / 2 + d.TextRect.Left, r.Left + 3);
    const int top = (H(r) - h) / 2 + r.Top;
    d.GlyphRect = TRect{left, top, left + w, top + h};
    d.TextRect.Left = d.GlyphRect.Right + 6;
    if (active) Offset(d.GlyphRect, 1, in.Style == classlib::tsTabs ? 1 : 0);
  } else {
    d.TextRect.Left = closeBtn || !Empty(d.ArrowRect) ? r.Left + 4 : (W(r) - cx) / 2 + r.Left;
  }
  const bool neither = Empty(d.ArrowRect) && !closeBtn;
  d.TextRect.Right = std::min(d.TextRect.Left + cx + 2, neither ? d.TextRect.Right - 3 : d.TextRect.Right);
  d.TextRect.Top = (H(d.TextRect) - cy) / 2 + d.TextRect.Top;
  d.TextRect.Bottom = d.TextRect.Top + cy;
  if (arrowBelow) {
    Offset(d.TextRect, 0, -4);
    d.ArrowRect = Square9((W(d.TextRect) - 9) / 2 + d.TextRect.Left, d.TextRect.Bottom);
    if (active) Offset(d.ArrowRect, 1, 1);
  }
  if (FocusFrameShown(in, in.Focused || in.SkinFocused))
    d.FocusRect = TRect{d.TextRect.Left - 3, d.TextRect.Top, d.TextRect.Right + 3, d.TextRect.Bottom + 3};
  d.TextPos = TPoint{d.TextRect.Left, d.TextRect.Top};
  if (active) Offset(d.TextRect, 1, 1);
}

void VerticalLayout(const TTabContentInput& in, TRect r, TacTabData& d) {
  const bool special = in.TabType != ttTab;
  const bool active = in.State == 2;
  const int cx = in.TextSize.cx;
  const int cy = in.TextSize.cy;
  if (active) special ? Offset(r, 1, 1) : Offset(r, -1, -1);
  d.TextRect = r;
  if (special && in.TabType == ttMenu) {
    d.ArrowRect = Square9((W(d.TextRect) - 9) / 2 + d.TextRect.Left, r.Top + 8);
    d.TextRect.Top = d.ArrowRect.Top + 11;
    d.ArrowDirection = 4;
    if (active) Offset(d.ArrowRect, 0, -1);
  }
  const bool closeBtn = in.ShowCloseBtn && !special;
  if (closeBtn) {
    const int left = (W(r) - in.BtnWidth) / 2 + r.Left;
    d.BtnRect = TRect{left, r.Top + 4, left + in.BtnWidth, r.Top + 4 + in.BtnHeight};
    d.TextRect.Top = d.BtnRect.Bottom + 2;
    if (active) {
      Offset(r, 3, 0);
      Offset(d.BtnRect, 0, 2);
    }
  }
  if (in.HasGlyph) {
    const int w = in.ImageSize.cx;
    const int h = in.ImageSize.cy;
    const int bottom = closeBtn ? r.Bottom - 3 : std::min(r.Bottom - (H(r) - (cx + h + 6)) / 2, r.Bottom - 3);
    const int left = (W(r) - w) / 2 + r.Left;
    d.GlyphRect = TRect{left, bottom - h, left + w, bottom};
    if (active) Offset(d.GlyphRect, special ? 0 : -3, -1);
    d.TextRect.Bottom = d.GlyphRect.Top - 6;
  } else {
    d.TextRect.Bottom = closeBtn ? r.Bottom - 5 : r.Bottom - (H(r) - cx) / 2;
  }
  d.TextRect.Top = std::max(d.TextRect.Top + 3, d.TextRect.Bottom - cx - 2);
  d.TextRect.Left = (W(d.TextRect) - cy) / 2 + d.TextRect.Left;
  d.TextRect.Right = d.TextRect.Left + cy + 2;
  if (FocusFrameShown(in, in.Focused))
    d.FocusRect = TRect{d.TextRect.Left - 1, d.TextRect.Top - 3, d.TextRect.Right + 3, d.TextRect.Bottom + 3};
  d.TextPos = TPoint{(W(d.TextRect) - cy) / 2 + d.TextRect.Left, d.TextRect.Bottom};
}

}  // namespace

TRect TabsRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height, const TRect& Display) {
  if (!HasTabs) return TRect{};
  TRect r{0, 0, Width, Height};
  switch (Position) {
    case classlib::tpTop: r.Bottom = Display.Top - 4; break;
    case classlib::tpBottom: r.Top = Display.Bottom + 2; break;
    case classlib::tpLeft: r.Right = Display.Left - 1; break;
    case classlib::tpRight: r.Left = Display.Right + 1; break;
  }
  return r;
}

TRect PageRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height, const TRect& Display) {
  TRect r{0, 0, Width, Height};
  if (!HasTabs) return r;
  switch (Position) {
    case classlib::tpTop: r.Top = Display.Top - 4; break;
    case classlib::tpBottom: r.Bottom = Display.Bottom + 2; break;
    case classlib::tpLeft: r.Left = Display.Left - 1; break;
    case classlib::tpRight: r.Right = Display.Right + 1; break;
  }
  return r;
}

TRect SkinTabRect(const TRect& CommonRect, bool Active, classlib::TTabStyle Style) {
  TRect r = CommonRect;
  if (Active && Style == classlib::tsTabs && !Empty(r)) r = TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
  return r;
}

TRect ShrinkSpecialTab(const TRect& R, classlib::TTabPosition Position) {
  const int dx = TopOrBottom(Position) ? 3 : 1;
  const int dy = TopOrBottom(Position) ? 1 : 3;
  return TRect{R.Left + dx, R.Top + dy, R.Right - dx, R.Bottom - dy};
}

bool VerticalCaptions(classlib::TTabPosition Position, bool RotateCaptions) {
  return RotateCaptions == TopOrBottom(Position);
}

TacTabData InitTabContentData(const TTabContentInput& In, TRect R) {
  TacTabData d;
  d.TextSize = In.TextSize;
  if (VerticalCaptions(In.Position, In.RotateCaptions))
    VerticalLayout(In, R, d);
  else
    HorizontalLayout(In, R, d);
  return d;
}

TSize CloseButtonSize(bool GlyphFound, int GlyphWidth, int GlyphHeight) {
  if (!GlyphFound) return TSize{15, 15};
  return TSize{std::max(GlyphWidth, 8), GlyphHeight};
}

int HorizontalTabPadding(bool WithButtons, bool HasImages, int BtnWidth, int TabPadding) {
  const int base = WithButtons ? BtnWidth / 2 + (HasImages ? 4 : 7) : (HasImages ? 4 : 6);
  return base + TabPadding;
}

TSize RotatedTabSize(classlib::TTabPosition Position, const TRect& FirstTab) {
  const int width = W(FirstTab);
  const int height = H(FirstTab);
  return TSize{TopOrBottom(Position) ? height : width, std::max(height, 140)};
}

int CheckActiveTabIndex(std::span<const bool> Special, int PageIndex) {
  const int count = static_cast<int>(Special.size());
  if (PageIndex < 0 || PageIndex >= count) return PageIndex;
  if (!Special[static_cast<std::size_t>(PageIndex)]) return PageIndex;
  for (int i = PageIndex; i < count; ++i)
    if (!Special[static_cast<std::size_t>(i)]) return i;
  for (int i = PageIndex; i >= 0; --i)
    if (!Special[static_cast<std::size_t>(i)]) return i;
  return PageIndex;
}

// ---- the tab control ----

TRect TabControlTabsRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height, const TRect& C) {
  TRect r{0, 0, Width, Height};
  if (!HasTabs) return r;
  switch (Position) {
    case classlib::tpTop: r.Bottom = C.Top - 4; break;
    case classlib::tpBottom: r.Top = C.Bottom + 2; break;
    case classlib::tpLeft: r.Right = C.Left - 1; break;
    case classlib::tpRight: r.Left = C.Right + 1; break;
  }
  return r;
}

TRect TabControlPageRect(bool HasTabs, classlib::TTabPosition Position, int Width, int Height, const TRect& C) {
  TRect r{0, 0, Width, Height};
  if (!HasTabs) return r;
  switch (Position) {
    case classlib::tpTop: r.Top = C.Top - 4; break;
    case classlib::tpBottom: r.Bottom = C.Bottom + 2; break;
    case classlib::tpLeft: r.Left = C.Left - 1; break;
    case classlib::tpRight: r.Right = C.Right + 1; break;
  }
  return r;
}

TRect TabControlSkinTabRect(const TRect& CommonRect, bool Active, classlib::TTabStyle Style,
                            classlib::TTabPosition Position) {
  TRect r = CommonRect;
  if (Style != classlib::tsTabs || Empty(r)) return r;
  const int a = Active ? 1 : 0;
  auto inflate = [&r](int dx, int dy) {
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
  };
  if (Active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  switch (Position) {
    case classlib::tpTop:
      inflate(2 * a, 2 * a);
      r.Bottom += 1;
      break;
    case classlib::tpBottom:
      inflate(2 * a, a);
      r.Top -= 2;
      r.Bottom += Active ? 1 : -3;
      break;
    case classlib::tpLeft:
      inflate(0, 1);
      r.Right += 2;
      if (Active) {
        inflate(1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case classlib::tpRight:
      inflate(1, 0);
      Offset(r, -1, -1);
      if (Active) {
        inflate(1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  return r;
}

int TabControlTabRow(int Rows, classlib::TTabPosition Position, const TRect& Tab, const TRect& Tabs) {
  const int w = W(Tab);
  const int h = H(Tab);
  // A tab the control could not measure has no size to divide by.
  if (Rows < 2 || w <= 0 || h <= 0) return 1;
  switch (Position) {
    case classlib::tpTop: return (Tab.Bottom + h / 2) / h;
    case classlib::tpLeft: return (Tab.Right + w / 2) / w;
    case classlib::tpRight: return Rows - (Tab.Right + w / 2 - Tabs.Left) / w + 1;
    case classlib::tpBottom: return Rows - (Tab.Bottom + h / 2 - Tabs.Top) / h + 1;
  }
  return 1;
}

}  // namespace skin
