// The skinned status bar on a form with our skin: panel frames or dividers against the sections
// painted directly, the grip, new panel texts reaching the screen and the native window, texts
// kept inside their panels, owner-drawn panels, and no GDI object left behind by repeated paints.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "classlib/Menus.h"
#include "skin/controls/sStatusBar.h"
#include "skin/core/sConstOptions.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// A pop-up menu that records where it would open.
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  int shown = 0;
  void Popup(int, int) override { ++shown; }
};

// A windowless child that fills itself red.
class TRedBlock : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(TRect{0, 0, Width(), Height()});
  }
};

struct StatusBar : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }
  // A bar that stays where it is put, wholly inside the form, with panels of these widths.
  TsStatusBar* NewBar(std::initializer_list<int> widths, bool grip = false, int w = 300, int h = 22) {
    auto* bar = classlib::Create<TsStatusBar>(form.get());
    bar->SetAlign(alNone);
    bar->SetSizeGrip(grip);
    for (int width : widths) bar->Panels()->Add()->SetWidth(width);
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, w, h);
    bar->Handle();
    return bar;
  }
  const TsMaskData& Image(const char* section, const char* key) {
    const int i = manager->GetMaskIndex(Section(section), section, key);
    EXPECT_GE(i, 0) << section << "." << key;
    return manager->Records().ma[std::size_t(i)];
  }
  std::unique_ptr<TBitmap> Background(TsStatusBar* bar) {
    return Direct("STATUSBAR", 0, bar->Width(), bar->Height(), {bar->Left(), bar->Top()});
  }
  // Pixels that differ inside and outside the columns [from, to).
  static std::pair<int, int> Changes(TBitmap* a, TBitmap* b, int from, int to) {
    int inside = 0, outside = 0;
    for (int y = 0; y < a->Height(); ++y)
      for (int x = 0; x < a->Width(); ++x)
        if (Rgb(a, x, y) != Rgb(b, x, y)) (x >= from && x < to ? inside : outside)++;
    return {inside, outside};
  }
};

TEST_F(StatusBar, PanelsAreFramedByTheSectionsPanelImage) {
  TsStatusBar* bar = NewBar({60, 80});
  ASSERT_TRUE(bar->SkinData()->Skinned());
  auto printed = Print(bar);
  auto expected = Background(bar);
  // Each panel's rectangle one pixel in; the last one reaches the bar's right edge.
  const TsMaskData& frame = Image("STATUSBAR", "STATUSPANELMASK");
  for (TRect r : {TRect{1, 1, 59, 21}, TRect{61, 1, 299, 21}})
    DrawSkinRect(expected.get(), r, true, EmptyCI, frame, 0, false);
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
  // The frame's key pixels (the skin's transparent colour) leave the section beneath showing.
  int keyPixels = 0;
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < printed->Width(); ++x) keyPixels += Rgb(printed.get(), x, y) == 0xFF00FFu;
  EXPECT_EQ(keyPixels, 0);
}

TEST_F(StatusBar, WithoutAPanelImageEveryPanelButTheLastGetsADivider) {
  TsMaskData& frame = const_cast<TsMaskData&>(Image("STATUSBAR", "STATUSPANELMASK"));
  frame.PropertyName = "UNUSEDMASK";
  TsStatusBar* bar = NewBar({60, 80, 50});
  auto printed = Print(bar);
  auto expected = Background(bar);
  // The divider's image is 1 + 1 wide; strips at 59 - 1 - 1 and 139 - 1 - 1, from y 1, 20 high.
  for (int x : {57, 137}) {
    auto strip = NewBitmap32(2, 20);
    PaintItem(Section("DIVIDER"), "DIVIDER", MakeCacheInfo(expected.get()), true, 0, TRect{0, 0, 2, 20}, {x, 1},
              strip.get(), manager.get());
    BitBlt(expected->Canvas()->Handle(), x, 1, 2, 20, strip->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  EXPECT_GT(DifferentPixels(Background(bar).get(), expected.get()), 0);  // the dividers show
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
  frame.PropertyName = "STATUSPANELMASK";
}

// The last panel ends 18 pixels short of the edge; the grip image's 12 x 12 cell sits in the corner.
TEST_F(StatusBar, GripTakesTheCornerAndShortensTheLastPanel) {
  TsStatusBar* bar = NewBar({60, 80}, true);
  auto printed = Print(bar);
  auto expected = Background(bar);
  const TsMaskData& frame = Image("STATUSBAR", "STATUSPANELMASK");
  for (TRect r : {TRect{1, 1, 59, 21}, TRect{61, 1, 281, 21}})
    DrawSkinRect(expected.get(), r, true, EmptyCI, frame, 0, false);
  const int grip = manager->Records().ConstData.GripRightBottom;
  ASSERT_GE(grip, 0);
  DrawSkinGlyph(expected.get(), {300 - 12, 22 - 12}, 0, 1, manager->Records().ma[std::size_t(grip)],
                MakeCacheInfo(expected.get()));
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
}

TEST_F(StatusBar, ANewPanelTextIsShownAndAnsweredByTheWindow) {
  TsStatusBar* bar = NewBar({60, 80, 50});
  auto before = Print(bar);
  Print(bar);  // the bar now lies wholly inside the form: only a change renders its cache again
  bar->Panels()->Items(1)->SetText(L"MMMM");
  wchar_t text[32]{};
  SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"MMMM");
  auto after = Print(bar);
  // The text changed the second panel's text area only.
  auto [inside, outside] = Changes(before.get(), after.get(), 63, 135);
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

// Printing the bar must not swallow a repaint the window is waiting for.
TEST_F(StatusBar, APrintLeavesAPendingRepaintPending) {
  TsStatusBar* bar = NewBar({60, 80});
  Print(bar);
  InvalidateRect(bar->Handle(), nullptr, FALSE);
  Print(bar);
  EXPECT_TRUE(GetUpdateRect(bar->Handle(), nullptr, FALSE));
  UpdateWindow(bar->Handle());
  EXPECT_FALSE(GetUpdateRect(bar->Handle(), nullptr, FALSE));
}

TEST_F(StatusBar, TextsStayInsideTheirPanelsAndFollowTheirAlignment) {
  TsStatusBar* bar = NewBar({60, 120, 50});
  auto blank = Print(bar);
  // Far too long for its panel: cut short before the text area's right edge (63 + 2 ... 175).
  bar->Panels()->Items(1)->SetText(std::wstring(80, L'W'));
  auto [inside, outside] = Changes(blank.get(), Print(bar).get(), 63, 175);
  EXPECT_GT(inside, 50);
  EXPECT_EQ(outside, 0);
  bar->Panels()->Items(1)->SetText(L"");
  // A right-aligned text ends at the right of its panel: nothing in the panel's left half.
  bar->Panels()->Items(1)->SetAlignment(taRightJustify);
  bar->Panels()->Items(1)->SetText(L"II");
  auto right = Changes(blank.get(), Print(bar).get(), 120, 175);
  EXPECT_GT(right.first, 5);
  EXPECT_EQ(right.second, 0);
}

TEST_F(StatusBar, OwnerDrawnPanelIsDrawnByItsHandlerOnTheCache) {
  TsStatusBar* bar = NewBar({60, 80});
  TStatusPanel* panel = bar->Panels()->Items(0);
  panel->SetText(L"not drawn");
  panel->SetStyle(psOwnerDraw);
  TRect seen{};
  bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* p, const TRect& r) {
    EXPECT_EQ(p, panel);
    seen = r;
    TCanvas* c = static_cast<TsStatusBar*>(sender)->Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(r);
  };
  bar->SkinData()->BGChanged = true;
  auto printed = Print(bar);
  EXPECT_EQ(seen, (TRect{1, 1, 59, 21}));
  EXPECT_EQ(Rgb(printed.get(), 30, 11), 0xFF0000u);
  EXPECT_EQ(Rgb(printed.get(), 1, 1), 0xFF0000u);
}

TEST_F(StatusBar, RepeatedPaintsLeaveNoGdiObjectBehind) {
  TsMaskData& frame = const_cast<TsMaskData&>(Image("STATUSBAR", "STATUSPANELMASK"));
  frame.PropertyName = "UNUSEDMASK";  // the divider path makes a bitmap per divider
  TsStatusBar* bar = NewBar({60, 80, 50}, true);
  std::set<HGDIOBJ> seen;
  for (int i = 0; i < 200; ++i) {
    bar->Panels()->Items(i % 3)->SetText(L"text " + std::to_wstring(i));
    Print(bar);
    const HDC cache = bar->SkinData()->CacheBmp()->Canvas()->Handle();
    for (UINT type : {OBJ_FONT, OBJ_BRUSH, OBJ_PEN, OBJ_BITMAP}) seen.insert(GetCurrentObject(cache, type));
  }
  frame.PropertyName = "STATUSPANELMASK";
  int alive = 0;
  for (HGDIOBJ h : seen) alive += GetObjectType(h) != 0;
  // The ones selected now, and stock objects, may live on; nothing piles up.
  EXPECT_LE(alive, 8);
}

TEST_F(StatusBar, WindowlessChildrenArePaintedOverThePanels) {
  TsStatusBar* bar = NewBar({60, 80});
  auto* block = classlib::Create<TRedBlock>(form.get());
  block->SetParent(bar);
  block->SetBounds(100, 4, 10, 10);
  auto printed = Print(bar);
  EXPECT_EQ(Rgb(printed.get(), 105, 8), 0xFF0000u);
  EXPECT_NE(Rgb(printed.get(), 95, 8), 0xFF0000u);
}

TEST_F(StatusBar, ARightClickStillOpensTheBarsMenu) {
  TsStatusBar* bar = NewBar({60, 80});
  auto* menu = classlib::Create<TRecordingMenu>(form.get());
  bar->SetPopupMenu(menu);
  SendMessageW(bar->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 10));
  SendMessageW(bar->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(30, 10));
  Pump();
  EXPECT_EQ(menu->shown, 1);
}

TEST_F(StatusBar, IsRegisteredByNameWithItsDefaults) {
  RegisterStatusBarClasses();
  TComponent* c = CreateComponent(L"TsStatusBar", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsStatusBar");
  const TClassInfo& info = GetClass(L"TsStatusBar");
  bool hasSkinData = false;
  for (const TPropInfo& p : info.Properties) {
    hasSkinData = hasSkinData || p.Name == L"SkinData";
    if (p.HasDefault) {
      EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
    }
  }
  EXPECT_TRUE(hasSkinData);
  // Without a section of its own the bar shows the status bar's.
  auto* bar = static_cast<TsStatusBar*>(c);
  bar->SetParent(form.get());
  bar->Handle();
  EXPECT_EQ(bar->SkinData()->SkinSection(), "STATUSBAR");
  EXPECT_EQ(bar->SkinData()->SkinIndex, Section("STATUSBAR"));
}

}  // namespace
}  // namespace skin
