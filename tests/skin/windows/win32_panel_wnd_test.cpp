// The panel handler on class-library panels under Wine: the whole panel printed into a 32-bit
// bitmap and compared with the skin section its bevels call for, painted directly over the form's
// colour; a panel that takes no children is left to its own painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acPanelWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::Owned;

// What the form shows behind the panels: a colour no section of our skin has.
constexpr TColor kFormColour = 0x3C14DC;  // RGB(220, 20, 60)

struct PanelCase {
  TBevelCut outer, inner;
  TBorderStyle border;
  const char* section;  // as the panel's look calls for it
};

const PanelCase kPanelCases[] = {
    {bvLowered, bvNone, bsNone, "PANEL_LOW"}, {bvLowered, bvRaised, bsNone, "GROUPBOX"},
    {bvRaised, bvNone, bsNone, "PANEL"},      {bvRaised, bvLowered, bsNone, "GROUPBOX"},
    {bvNone, bvNone, bsNone, "CHECKBOX"},     {bvSpace, bvRaised, bsNone, "CHECKBOX"},
    {bvNone, bvNone, bsSingle, "PANEL_LOW"},  {bvLowered, bvSpace, bsSingle, "PANEL_LOW"},
};

class PanelWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBounds(30, 30, 400, 300);
    form->SetColor(kFormColour);
    form->HandleNeeded();
  }
  TPanel* NewPanel(const PanelCase& c) {
    auto* p = classlib::Create<TPanel>(form.get());
    p->SetParent(form.get());
    p->SetBounds(kLeft, kTop, kWidth, kHeight);
    p->SetBevelOuter(c.outer);
    p->SetBevelInner(c.inner);
    p->SetBorderStyle(c.border);
    p->SetCaption(L"");
    p->HandleNeeded();
    return p;
  }
  THandler<TacPanelWnd> Hook(TPanel* p, const std::string& Section = "") {
    data = std::make_unique<TsCommonData>(p, true);
    return TacMainWnd::Create<TacPanelWnd>(p->Handle(), data.get(), manager.get(), Section, true);
  }
  // The whole window as WM_PRINT gives it.
  static std::unique_ptr<TBitmap> PrintedWhole(TWinControl* c) {
    auto bmp = NewBitmap32(c->Width(), c->Height());
    SendMessageW(c->Handle(), WM_PRINT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    return bmp;
  }
  std::unique_ptr<TBitmap> SectionOverForm(const char* section) {
    auto bmp = NewBitmap32(kWidth, kHeight);
    EXPECT_GE(PaintSection(bmp.get(), section, "", 0, manager.get(), TPoint{kLeft, kTop}, kFormColour, nullptr), 0)
        << section;
    return bmp;
  }

  static constexpr int kLeft = 20, kTop = 16, kWidth = 120, kHeight = 70;
  Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  Owned<TForm> form;
  std::unique_ptr<TsCommonData> data;
};

TEST_F(PanelWndTest, TheSectionsOfTheTableAreDistinctInOurSkin) {
  // Otherwise the pixel comparisons below could not tell a wrong section from the right one.
  const char* names[] = {"PANEL", "PANEL_LOW", "GROUPBOX", "CHECKBOX"};
  for (const char* a : names)
    for (const char* b : names)
      if (std::string(a) < b) {
        EXPECT_GT(Differing(SectionOverForm(a).get(), SectionOverForm(b).get()), 0) << a << b;
      }
}

TEST_F(PanelWndTest, PaintsTheWholePanelFromTheSectionItsBevelsCallFor) {
  for (const PanelCase& c : kPanelCases) {
    SCOPED_TRACE(std::string(c.section) + " outer " + std::to_string(c.outer) + " inner " + std::to_string(c.inner) +
                 " border " + std::to_string(c.border));
    TPanel* p = NewPanel(c);
    auto h = Hook(p);
    EXPECT_EQ(h->SkinData->SkinSection(), c.section);
    EXPECT_EQ(h->Panel, p);
    auto printed = PrintedWhole(p);
    EXPECT_EQ(Differing(printed.get(), SectionOverForm(c.section).get()), 0);
    h.reset();
    classlib::Free(p);
  }
}

TEST_F(PanelWndTest, SectionGivenByTheCreatorWinsOverTheBevels) {
  TPanel* p = NewPanel({bvRaised, bvNone, bsNone, "PANEL"});
  auto h = Hook(p, "GROUPBOX");
  EXPECT_EQ(h->SkinData->SkinSection(), "GROUPBOX");
  EXPECT_EQ(Differing(PrintedWhole(p).get(), SectionOverForm("GROUPBOX").get()), 0);
}

TEST_F(PanelWndTest, CaptionIsWrittenOverTheFace) {
  TPanel* p = NewPanel({bvRaised, bvNone, bsNone, "PANEL"});
  p->SetCaption(L"WWWW");
  auto h = Hook(p);
  auto printed = PrintedWhole(p);
  auto face = SectionOverForm("PANEL");
  // Only a band around the middle row carries the text.
  const int changed = Differing(printed.get(), face.get());
  EXPECT_GT(changed, 0);
  EXPECT_EQ(
      Differing(printed.get(), face.get(), [](int, int y) { return y < kHeight / 2 - 12 || y > kHeight / 2 + 12; }), 0);
}

TEST_F(PanelWndTest, APanelThatTakesNoChildrenKeepsItsOwnPainting) {
  TPanel* p = NewPanel({bvRaised, bvNone, bsNone, "PANEL"});
  p->ControlStyle.Exclude(csAcceptsControls);
  auto h = Hook(p);
  EXPECT_EQ(h->SkinData->SkinSection(), "PANEL");
  // The panel draws itself: most of its face is not the section's.
  EXPECT_GT(Differing(PrintedWhole(p).get(), SectionOverForm("PANEL").get()), kWidth * kHeight / 2);
}

TEST_F(PanelWndTest, RemovingTheSkinLetsTheParentShowAgain) {
  TPanel* p = NewPanel({bvRaised, bvNone, bsNone, "PANEL"});
  auto h = Hook(p);
  EXPECT_TRUE(p->ControlStyle.Contains(csOpaque));
  SendMessageW(p->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_FALSE(p->ControlStyle.Contains(csOpaque));
  EXPECT_EQ(h->SkinData->SkinIndex, -1);
}

// The dialog panel handler finds its control among the application's components.
TEST_F(PanelWndTest, DialogPanelFindsItsControlAndTakesTheSectionByItsClass) {
  Owned<TForm> appForm(classlib::Create<TForm>(classlib::Application.operator->()));
  appForm->SetBounds(30, 30, 400, 300);
  appForm->SetColor(kFormColour);
  auto* p = classlib::Create<TPanel>(appForm.get());
  p->SetParent(appForm.get());
  p->SetBounds(kLeft, kTop, kWidth, kHeight);
  p->SetBevelOuter(bvNone);
  p->SetColor(clBtnFace);
  auto* box = classlib::Create<TGroupBox>(appForm.get());
  box->SetParent(appForm.get());
  box->SetBounds(200, 10, 100, 60);
  appForm->HandleNeeded();
  p->HandleNeeded();
  box->HandleNeeded();

  auto panelHandler = TacMainWnd::Create<TacDlgPanelWnd>(p->Handle(), nullptr, manager.get(), "");
  EXPECT_EQ(panelHandler->Panel, p);
  EXPECT_EQ(panelHandler->SkinData->SkinSection(), "CHECKBOX");
  EXPECT_EQ(p->Color(), manager->GetGlobalColor());
  // Printed whole: the face and the band around it are the section over the form.
  EXPECT_EQ(Differing(PrintedWhole(p).get(), SectionOverForm("CHECKBOX").get()), 0);

  auto boxHandler = TacMainWnd::Create<TacDlgPanelWnd>(box->Handle(), nullptr, manager.get(), "");
  EXPECT_EQ(boxHandler->Panel, box);
  EXPECT_EQ(boxHandler->SkinData->SkinSection(), "GROUPBOX");

  // A window the application's components do not hold.
  test::NativeWindow lone(L"STATIC", WS_CHILD, 50, 20, appForm->Handle());
  auto loneHandler = TacMainWnd::Create<TacDlgPanelWnd>(lone, nullptr, manager.get(), "");
  EXPECT_EQ(loneHandler->Panel, nullptr);
  EXPECT_EQ(loneHandler->SkinData->SkinSection(), "GROUPBOX");
}

}  // namespace
}  // namespace skin
