// The skinned panel on a form with our skin: its look printed against the section painted
// directly, the fill of a panel without its own cache for each transparency, the section following
// the outer bevel, and the background it offers its children.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
#include "classlib/StringList.h"
#include "skin/core/sMessages.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct Panels : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }
  TsPanel* NewPanel() { return Make<TsPanel>(20, 30, 120, 80); }
};

TEST_F(Panels, PrintsItsSectionOverTheForm) {
  TsPanel* p = NewPanel();
  ASSERT_TRUE(p->SkinData()->Skinned());
  auto printed = Print(p);
  auto expected = Direct("PANEL", 0, p->Width(), p->Height(), {p->Left(), p->Top()});
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
}

TEST_F(Panels, CaptionIsDrawnInsideTheFrame) {
  TsPanel* p = NewPanel();
  auto blank = Print(p);
  p->SetCaption(L"MMMM");
  p->SkinData()->BGChanged = true;
  auto captioned = Print(p);
  // The text lands in the middle and leaves the frame alone.
  int inside = 0, outside = 0;
  for (int y = 0; y < p->Height(); ++y)
    for (int x = 0; x < p->Width(); ++x) {
      if (Rgb(blank.get(), x, y) == Rgb(captioned.get(), x, y)) continue;
      const bool middle = x > 30 && x < 90 && y > 25 && y < 55;
      (middle ? inside : outside)++;
    }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

// A panel without its own cache fills itself with its colour, the form's, or both mixed.
TEST_F(Panels, DirectFillFollowsTheSectionsTransparency) {
  const TColor formColour = 0x204060;
  form->SetColor(formColour);
  const int index = Section("PANEL");
  ASSERT_GE(index, 0);
  TsGeneralData& g = manager->Records().gd[std::size_t(index)];
  const TColor sectionColour = 0xC08000;
  g.Color = g.Props[0].Color = sectionColour;
  // The DIB holds 0x00RRGGBB; the colours above are 0x00BBGGRR.
  struct Case {
    int transparency;
    std::uint32_t centre;
  };
  const Case cases[] = {
      {0, 0x0080C0},    // the section
      {100, 0x604020},  // the form
      {50, 0x306070},   // halfway: (0x60 + 0x00) / 2, (0x40 + 0x80) / 2, (0x20 + 0xC0) / 2
  };
  for (const Case& c : cases) {
    g.Transparency = g.Props[0].Transparency = c.transparency;
    TsPanel* p = NewPanel();
    p->SkinData()->CtrlSkinState |= kNoOwnCache;
    auto printed = Print(p);
    const std::uint32_t got = Rgb(printed.get(), p->Width() / 2, p->Height() / 2);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(int((got >> shift) & 0xFF), int((c.centre >> shift) & 0xFF), 1)
          << "transparency " << c.transparency << " shift " << shift;
    delete p;
  }
}

TEST_F(Panels, SectionFollowsTheOuterBevelUnlessChosen) {
  struct Step {
    TBevelCut bevel;
    const char* section;
  };
  TsPanel* p = NewPanel();
  const Step steps[] = {{bvLowered, "PANEL_LOW"}, {bvNone, "CHECKBOX"}, {bvSpace, "CHECKBOX"}, {bvRaised, "CHECKBOX"}};
  for (const Step& s : steps) {
    p->SetBevelOuter(s.bevel);
    EXPECT_EQ(p->SkinData()->SkinSection(), s.section) << int(s.bevel);
  }
  TsPanel* chosen = NewPanel();
  chosen->SkinData()->SetSkinSection("EDIT");
  chosen->SetBevelOuter(bvLowered);
  EXPECT_EQ(chosen->SkinData()->SkinSection(), "EDIT");
}

TEST_F(Panels, ChildrenGetThePanelsCacheAsBackground) {
  TsPanel* p = NewPanel();
  Print(p);
  // Our skin's panel is a plain colour: children are told to fill with it.
  const TColor sectionColour = manager->Records().gd[std::size_t(Section("PANEL"))].Props[0].Color;
  TacBGInfo info;
  SendMessageW(p->Handle(), SM_ALPHACMD, WPARAM(ACMD_GETBGINFO) << 16, reinterpret_cast<LPARAM>(&info));
  ASSERT_EQ(info.BgType, TacBGType::btFill);
  EXPECT_EQ(ColorToRGB(info.Color), ColorToRGB(sectionColour));

  // A child panel shows that colour where its own section lets the background through.
  p->SkinData()->BGChanged = true;
  p->SetColor(0x00FF00);  // unused while skinned: the section's colour rules
  TsPanel* child = Create<TsPanel>(form.get());
  child->SetParent(p);
  child->SetBounds(10, 10, 60, 40);
  child->Handle();
  auto printed = Print(child);
  auto expected = NewBitmap32(60, 40);
  TCacheInfo ci;
  ci.FillColor = ColorToRGB(sectionColour);
  PaintItem(Section("PANEL"), "PANEL", ci, true, 0, TRect{0, 0, 60, 40}, TPoint{10, 10}, expected.get(),
            manager.get());
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
}

struct ColorsPanels : Panels {
  TsColorsPanel* NewColors(std::initializer_list<const wchar_t*> lines) {
    TsColorsPanel* p = Make<TsColorsPanel>(10, 10, 140, 60);
    TStringList list;
    for (const wchar_t* l : lines) list.Add(l);
    p->SetColors(&list);
    p->OnChange = [this](TObject*) { ++changes; };
    return p;
  }
  int changes = 0;
};

TEST_F(ColorsPanels, CellsArePaintedWithTheirColoursAndTheSelectionFramed) {
  TsColorsPanel* p = NewColors({L"FF0000", L"ZZ"});
  EXPECT_EQ(p->Count(), 10);
  EXPECT_EQ(p->ColorValue(), clWhite);
  p->SetItemIndex(0);
  auto printed = Print(p);
  // Cell 0 is (6, 6)-(27, 27): red inside; a white ring at 5 and a black one at 4.
  EXPECT_EQ(Rgb(printed.get(), 16, 16), 0xFF0000u);
  EXPECT_EQ(Rgb(printed.get(), 5, 16), 0xFFFFFFu);
  EXPECT_EQ(Rgb(printed.get(), 4, 16), 0x000000u);
  EXPECT_EQ(Rgb(printed.get(), 16 + 27, 16), 0x000000u);       // "ZZ" reads as black
  EXPECT_EQ(Rgb(printed.get(), 16 + 2 * 27, 16), 0xFFFFFFu);   // padded with white
}

TEST_F(ColorsPanels, ClicksSelectCellsAndRepeatsChangeNothing) {
  TsColorsPanel* p = NewColors({L"00FF00"});
  SendMessageW(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
  SendMessageW(p->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(16, 16));
  EXPECT_EQ(p->ItemIndex(), 0);
  EXPECT_EQ(p->ColorValue(), TColor(0x00FF00));
  EXPECT_EQ(changes, 1);
  p->SetItemIndex(0);
  EXPECT_EQ(changes, 1);
  // Row 1, column 1 ((33, 33)-(54, 54)) is cell 6.
  SendMessageW(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  SendMessageW(p->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
  EXPECT_EQ(p->ItemIndex(), 6);
  EXPECT_EQ(p->OldSelected, 0);
  EXPECT_EQ(changes, 2);
}

// More lines than cells: an index among the extra lines names no cell and selects nothing.
TEST_F(ColorsPanels, IndexAmongExtraLinesSelectsNothing) {
  TsColorsPanel* p = NewColors({L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"A", L"B", L"C"});
  ASSERT_EQ(p->Count(), 12);
  p->SetItemIndex(11);
  EXPECT_EQ(p->ItemIndex(), -1);
  EXPECT_EQ(p->ColorValue(), clWhite);
  EXPECT_EQ(changes, 0);
  Print(p);
}

}  // namespace
}  // namespace skin
