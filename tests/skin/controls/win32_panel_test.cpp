// The skinned panel on a form with our skin: its look printed against the section painted
// directly, the fill of a panel without its own cache for each transparency, the section following
// the outer bevel, and the background it offers its children.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/sPanel.h"
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

}  // namespace
}  // namespace skin
