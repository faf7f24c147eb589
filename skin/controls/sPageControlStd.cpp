// The page control without a skin and without visual styles: classic edges for the page area and
// the tabs, special tabs and close buttons in system colours. With visual styles the common
// control draws its own themed tabs.
#include <windows.h>

#include <uxtheme.h>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sSkinPaintWin32.h"

namespace skin {

using classlib::TTabSheet;

namespace {

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

void Fill(HDC dc, const TRect& r, COLORREF colour) {
  const classlib::GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(dc, &rc, brush.get());
}

void Edge(HDC dc, const TRect& r, UINT edge, UINT flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawEdge(dc, &rc, edge, flags);
}

// A one-pixel frame: light on the top and left, dark on the bottom and right (raised), or swapped.
void Frame3D(HDC dc, const TRect& r, bool raised) {
  const COLORREF light = RGB(255, 255, 255), dark = GetSysColor(COLOR_BTNSHADOW);
  Fill(dc, TRect{r.Left, r.Top, r.Right, r.Top + 1}, raised ? light : dark);
  Fill(dc, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, raised ? light : dark);
  Fill(dc, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, raised ? dark : light);
  Fill(dc, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, raised ? dark : light);
}

UINT TabSides(classlib::TTabPosition p) {
  switch (p) {
    case classlib::tpTop: return BF_LEFT | BF_TOP | BF_RIGHT;
    case classlib::tpBottom: return BF_LEFT | BF_RIGHT | BF_BOTTOM;
    case classlib::tpLeft: return BF_LEFT | BF_TOP | BF_BOTTOM;
    case classlib::tpRight: return BF_TOP | BF_RIGHT | BF_BOTTOM;
  }
  return BF_RECT;
}

}  // namespace

bool TsPageControl::PaintsPlain() {
  if (!HandleAllocated()) return false;
  HTHEME theme = IsAppThemed() ? OpenThemeData(Handle(), L"TAB") : nullptr;
  if (theme == nullptr) return true;
  CloseThemeData(theme);
  return false;
}

void TsPageControl::StdPaint(HDC DC) {
  if (Parent() == nullptr || HasState(Parent(), classlib::csDestroying) || HasState(this, classlib::csLoading)) return;
  Fill(DC, TRect{0, 0, Width(), Height()}, classlib::ColorToRGB(Color()));
  if (Style() == classlib::tsTabs) Edge(DC, PageRect(), EDGE_RAISED, BF_RECT);
  DrawStdTabs(DC);
}

void TsPageControl::DrawStdTabs(HDC DC) {
  TTabSheet* active = ActivePage();
  const bool activeIsTab = active != nullptr && TabTypeOf(active->PageIndex()) == ttTab;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Pages(i)->TabVisible() || (activeIsTab && Pages(i) == active)) continue;
    DrawStdTab(i, i == DroppedDownItem ? 2 : (i == CurItem() ? 1 : 0), DC);
  }
  if (activeIsTab && active->TabVisible()) DrawStdTab(active->PageIndex(), 2, DC);
}

void TsPageControl::DrawStdTab(int PageIndex, int State, HDC DC) {
  TTabSheet* page = PageIndex >= 0 && PageIndex < PageCount() ? Pages(PageIndex) : nullptr;
  if (page == nullptr || !page->TabVisible()) return;
  TRect r = TabRect(page->TabIndex());
  if (State == 1 && r.Left < 0) return;
  const bool special = IsSpecialTab(PageIndex, false);
  if (special)
    r = ShrinkSpecialTab(r, TabPosition());
  else if (State == 2 && Style() == classlib::tsTabs)
    r = TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  auto bmp = TabBitmap(page, r);
  const HDC dc = bmp->Canvas()->Handle();
  const TRect all{0, 0, r.Right - r.Left, r.Bottom - r.Top};
  Fill(dc, all, classlib::ColorToRGB(Color()));
  TColor fontColour = classlib::ColorToRGB(Font()->Color());
  if (special) {
    if (TabTypeOf(PageIndex) == ttMenu) {
      if (State > 0) {
        Fill(dc, TRect{1, 1, all.Right - 1, all.Bottom - 1}, GetSysColor(COLOR_MENUHILIGHT));
        fontColour = TColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      }
    } else if (State > 0) {
      Frame3D(dc, all, State == 1);
    }
  } else {
    switch (Style()) {
      case classlib::tsButtons: Edge(dc, all, State == 2 ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT); break;
      case classlib::tsFlatButtons:
        if (r.Left > 6) Edge(DC, TRect{r.Left - 6, r.Top, r.Left, r.Bottom}, EDGE_ETCHED, BF_LEFT);
        if (State == 1) Frame3D(dc, all, true);
        if (State == 2) {
          Fill(dc, all, GetSysColor(COLOR_3DLIGHT));
          Edge(dc, all, EDGE_SUNKEN, BF_RECT);
        }
        break;
      case classlib::tsTabs: Edge(dc, all, EDGE_RAISED, TabSides(TabPosition())); break;
    }
  }
  if (!OwnerDraw()) {
    if (!page->Enabled() || !Enabled()) fontColour = TColor(GetSysColor(COLOR_GRAYTEXT));
    PaintTabContent(bmp.get(), page, State, fontColour, false);
  } else if (OnDrawTab) {
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, -r.Left, -r.Top, nullptr);
    Canvas()->SetHandle(dc);
    const classlib::TScopeExit restore([&] {
      Canvas()->SetHandle(nullptr);
      RestoreDC(dc, saved);
    });
    OnDrawTab(this, page->TabIndex(), r, State != 0);
  }
  BitBlt(DC, r.Left, r.Top, all.Right, all.Bottom, dc, 0, 0, SRCCOPY);
}

void TsPageControl::PaintPlainCloseButton(HDC DC, const TRect& R, int State) {
  Fill(DC, R, RGB(255, 255, 255));
  const TRect in{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  const COLORREF face = State == 0 ? RGB(171, 88, 88) : State == 1 ? RGB(255, 0, 0) : RGB(128, 0, 0);
  Fill(DC, in, face);
  const classlib::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
  const HGDIOBJ old = SelectObject(DC, pen.get());
  MoveToEx(DC, in.Left + 3, in.Top + 3, nullptr);
  LineTo(DC, in.Right - 4, in.Bottom - 4);
  MoveToEx(DC, in.Left + 3, in.Bottom - 4, nullptr);
  LineTo(DC, in.Right - 4, in.Top + 3);
  SelectObject(DC, old);
}

}  // namespace skin
