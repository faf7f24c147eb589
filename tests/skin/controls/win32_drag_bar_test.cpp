// The panel's relatives on a form with our skin: the drag bar moving its form through the system's
// move loop, its caption colours following the application's activation, the grip's colour, the
// classes made by name from descriptions, and the GDI objects that repeated paints leave behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/TypInfo.h"
#include "skin/controls/sPanel.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/support/MoveCursor.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct PanelKinds : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
    Pump();
  }
};

TEST_F(PanelKinds, DraggingTheBarMovesItsForm) {
  auto* bar = Make<TsDragBar>(0, 0, 200, 20, L"Drag");
  ASSERT_EQ(bar->DraggedControl(), form.get());
  int clicks = 0, releases = 0;
  bar->OnClick = [&](TObject*) { ++clicks; };
  bar->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++releases; };
  RECT before{};
  GetWindowRect(form->Handle(), &before);
  POINT start{20, 10};
  ClientToScreen(bar->Handle(), &start);
  // The move loop measures from the position of the last message taken from the queue, and takes
  // each mouse message's position from where the cursor was when it was posted.
  Pump();
  ASSERT_TRUE(testsupport::MoveCursor(start.x, start.y));
  constexpr UINT kMark = WM_APP + 7;
  PostMessageW(bar->Handle(), kMark, 0, 0);
  MSG mark{};
  ASSERT_TRUE(PeekMessageW(&mark, bar->Handle(), kMark, kMark, PM_REMOVE));
  ASSERT_TRUE(testsupport::MoveCursor(start.x + 40, start.y + 25));
  PostMessageW(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 35));
  PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 35));
  SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  RECT after{};
  GetWindowRect(form->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 25);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(releases, 1);
  // The release was the move loop's: one arriving later is not taken for a second click.
  SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(clicks, 1);
}

TEST_F(PanelKinds, DragBarPrintsItsOwnSection) {
  auto* bar = Make<TsDragBar>(0, 0, 200, 20, L" ");
  EXPECT_EQ(bar->SkinData()->SkinSection(), "DRAGBAR");
  auto printed = Print(bar);
  auto expected = Direct("DRAGBAR", 0, bar->Width(), bar->Height(), {bar->Left(), bar->Top()});
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
}

// Active or not, the bar shows a caption colour pair whose text stands out from its face.
TEST_F(PanelKinds, DragBarFollowsTheApplicationsActivation) {
  auto* bar = Make<TsDragBar>(0, 0, 200, 20, L"Drag");
  bar->Perform(WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(bar->Color(), clInactiveCaption);
  EXPECT_EQ(bar->Font()->Color(), clInactiveCaptionText);
  bar->Perform(WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(bar->Color(), clActiveCaption);
  EXPECT_EQ(bar->Font()->Color(), clCaptionText);
  EXPECT_NE(ColorToRGB(bar->Color()), ColorToRGB(bar->Font()->Color()));
}

TEST_F(PanelKinds, GripShowsItsLinkedControlsBackgroundOrItsOwnColour) {
  auto* linked = Make<TsPanel>(10, 40, 120, 80);
  auto* grip = Make<TsGrip>(200, 40, 20, 20);
  grip->SetColor(0x3366CC);
  EXPECT_EQ(Rgb(Print(grip).get(), 10, 10), 0xCC6633u);
  grip->Transparent = true;
  grip->LinkedControl = linked;
  // Our skin's panel is a plain colour: that colour is what the grip shows.
  const TColor panel = manager->Records().gd[std::size_t(Section("PANEL"))].Props[0].Color;
  const std::uint32_t rgb = std::uint32_t(ColorToRGB(panel));
  const std::uint32_t want = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
  EXPECT_EQ(Rgb(Print(grip).get(), 10, 10), want);
}

TEST_F(PanelKinds, DescriptionsCreateThemByNameWithTheirDefaults) {
  RegisterSkinDataClasses();
  RegisterPanelClasses();
  Owned<TComponent> made(CreateComponent(L"TsDragBar", nullptr));
  auto* bar = dynamic_cast<TsDragBar*>(made.get());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->SkinData()->COC, 56);
  EXPECT_EQ(bar->Height(), 20);
  EXPECT_EQ(bar->Caption(), L" ");
  EXPECT_EQ(GetEnumProp(bar, L"Align"), L"alTop");
  EXPECT_TRUE(GetPropInfo(bar, L"Color")->IsDefault(bar));
  EXPECT_TRUE(GetPropInfo(bar, L"ParentBackground")->IsDefault(bar));
  for (const wchar_t* name : {L"TsContainer", L"TsGrip", L"TsStdColorsPanel", L"TsColorsPanel", L"TsPanel"}) {
    Owned<TComponent> c(CreateComponent(name, nullptr));
    ASSERT_NE(c.get(), nullptr) << name;
    EXPECT_EQ(c->ClassName(), name);
    EXPECT_NE(GetObjectProp(c.get(), L"SkinData"), nullptr) << name;
  }
  Owned<TComponent> colours(CreateComponent(L"TsStdColorsPanel", nullptr));
  auto* panel = dynamic_cast<TsStdColorsPanel*>(colours.get());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(GetOrdProp(panel, L"ItemIndex"), -1);
  SetOrdProp(panel, L"ColCount", 3);
  SetOrdProp(panel, L"RowCount", 1);
  EXPECT_EQ(panel->ColorsArray.size(), 3u);
  EXPECT_EQ(panel->Count(), 10);  // the ten lines of the first grid stay; only three have cells
  Owned<TComponent> grip(CreateComponent(L"TsGrip", nullptr));
  EXPECT_EQ(dynamic_cast<TsGrip*>(grip.get())->SkinData()->SkinSection(), "CHECKBOX");
}

TEST_F(PanelKinds, RepeatedPaintsLeaveNoGdiObjectsBehind) {
  auto* bar = Make<TsDragBar>(0, 0, 200, 20, L"Drag");
  auto* container = Make<TsContainer>(10, 40, 120, 80);
  auto* grip = Make<TsGrip>(200, 40, 20, 20);
  grip->Transparent = true;
  grip->LinkedControl = container;
  auto* colours = Make<TsStdColorsPanel>(10, 130, 140, 60);
  colours->SetItemIndex(2);
  TWinControl* all[] = {bar, container, grip, colours};
  for (TWinControl* c : all) Print(c);
  const int before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i)
    for (TWinControl* c : all) {
      if (auto* p = dynamic_cast<TsPanel*>(c)) p->SkinData()->BGChanged = true;
      Print(c);
    }
  EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
}  // namespace skin
