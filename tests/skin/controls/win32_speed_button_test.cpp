// Speed buttons driven by messages: hot tracking, the drop-down part and its menu, a menu handler
// that frees the button, fades that end and fades of a freed button.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/Menus.h"
#include "skin/core/sFade.h"
#include "skin/core/sMessages.h"
#include "tests/skin/controls/SpeedButtonFixture.h"

namespace skin::test {
namespace {

// A menu that records where it was asked to appear and runs Action instead of a menu loop.
class TRecordingMenu : public classlib::TPopupMenu {
 public:
  using classlib::TPopupMenu::TPopupMenu;
  std::vector<TPoint> shownAt;
  std::function<void()> action;
  void Popup(int X, int Y) override {
    shownAt.push_back({X, Y});
    if (action) action();
  }
};

struct Behaviour : SpeedButtonForm {
  TsSpeedButton* button = nullptr;
  std::vector<std::string> events;
  void SetUp() override {
    SpeedButtonForm::SetUp();
    FadingForbidden = true;
    button = Add(20, 30, 40, 24);
    button->OnClick = [this](classlib::TObject*) { events.push_back("click"); };
    button->OnMouseEnter = [this](classlib::TObject*) { events.push_back("enter"); };
    button->OnMouseLeave = [this](classlib::TObject*) { events.push_back("leave"); };
  }
  void Mouse(UINT msg, int x, int y) {
    SendMessageW(form->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
};

TEST_F(Behaviour, HotWhileTheMouseIsAbove) {
  button->Perform(classlib::CM_MOUSEENTER);
  EXPECT_TRUE(button->SkinData()->FMouseAbove);
  EXPECT_EQ(manager->ActiveGraphControl(), button);
  EXPECT_EQ(button->CurrentState(), 1);
  // The manager tells the button that the mouse went elsewhere.
  button->Perform(SM_ALPHACMD, AlphaCmd(ACMD_MOUSELEAVE));
  EXPECT_FALSE(button->SkinData()->FMouseAbove);
  EXPECT_EQ(button->CurrentState(), 0);
  button->Perform(SM_ALPHACMD, AlphaCmd(ACMD_MOUSELEAVE));
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"})) << "leaving twice fires once";
}

TEST_F(Behaviour, AButtonFreedWhileHotTellsNoOneTheMouseLeft) {
  button->Perform(classlib::CM_MOUSEENTER);
  ASSERT_EQ(manager->ActiveGraphControl(), button);
  classlib::Free(button);
  EXPECT_EQ(events, (std::vector<std::string>{"enter"}));
  EXPECT_EQ(manager->ActiveGraphControl(), nullptr);
}

TEST_F(Behaviour, PropertiesKeepTheirRanges) {
  EXPECT_EQ(button->GenMargin(), 0) << "Margin -1";
  button->SetMargin(2);
  EXPECT_EQ(button->GenMargin(), 5);
  button->SetBlend(150);
  EXPECT_EQ(button->Blend(), 100);
  button->SetBlend(-5);
  EXPECT_EQ(button->Blend(), 0);
  button->SetButtonStyle(classlib::tbsDropDown);
  EXPECT_EQ(button->Width(), 56);
  EXPECT_EQ(button->ArrowWidth(), 16);
  button->SetButtonStyle(classlib::tbsCheck);
  EXPECT_EQ(button->Width(), 40);
  TsTimerSpeedButton* timer = Add<TsTimerSpeedButton>(100, 10, 30, 20);
  EXPECT_TRUE(timer->AllowTimer());
  Owned<TsTimerSpeedButton> fresh(new TsTimerSpeedButton(nullptr));
  EXPECT_EQ(fresh->Width(), fresh->Height() - 4);
}

TEST_F(Behaviour, ADescriptionCreatesSpeedButtonsByName) {
  RegisterSkinDataClasses();
  RegisterSpeedButtonClasses();
  Owned<classlib::TComponent> made(classlib::CreateComponent(L"TsSpeedButton", nullptr));
  auto* b = dynamic_cast<TsSpeedButton*>(made.get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->ImageIndex(), -1);
  EXPECT_TRUE(b->ShowCaption());
  EXPECT_TRUE(b->DrawOverBorder());
  EXPECT_EQ(b->Margin(), -1);
  EXPECT_EQ(b->Spacing(), 4);
  EXPECT_EQ(b->SkinData()->COC, 92);
  EXPECT_EQ(classlib::GetEnumProp(b, L"ButtonStyle"), L"tbsButton");
  classlib::SetEnumProp(b, L"Alignment", L"taLeftJustify");
  EXPECT_EQ(b->Alignment(), classlib::taLeftJustify);
  EXPECT_EQ(classlib::GetOrdProp(b, L"DisabledGlyphKind"), kDefaultDisabledGlyphKind.Bits());
  b->SetDisabledKind(TsDisabledKind{TsDisabledKindValue::dkGrayed});
  Owned<classlib::TComponent> timer(classlib::CreateComponent(L"TsTimerSpeedButton", nullptr));
  EXPECT_NE(dynamic_cast<TsTimerSpeedButton*>(timer.get()), nullptr);
}

struct DropDown : Behaviour {
  TRecordingMenu* menu = nullptr;
  void SetUp() override {
    Behaviour::SetUp();
    menu = new TRecordingMenu(form.get());
    button->SetButtonStyle(classlib::tbsDropDown);  // 56 wide: the arrow part is x 40..55
    button->SetDropdownMenu(menu);
  }
};

TEST_F(DropDown, TheLeftPartClicksAndTheArrowOpensTheMenuBelow) {
  Mouse(WM_LBUTTONDOWN, 20 + 10, 30 + 10);
  Mouse(WM_LBUTTONUP, 20 + 10, 30 + 10);
  EXPECT_EQ(events, std::vector<std::string>{"click"});
  EXPECT_TRUE(menu->shownAt.empty());

  bool droppedWhileShown = false;
  menu->action = [&] { droppedWhileShown = button->IsDroppedDown() && menu->PopupComponent() == button; };
  Mouse(WM_LBUTTONDOWN, 20 + 48, 30 + 10);
  ASSERT_EQ(menu->shownAt.size(), 1u);
  POINT corner{20, 30 + 24 + 1};
  ClientToScreen(form->Handle(), &corner);
  EXPECT_EQ(menu->shownAt[0], (TPoint{corner.x, corner.y})) << "the button's bottom-left corner plus one pixel";
  EXPECT_TRUE(droppedWhileShown);
  EXPECT_FALSE(button->IsDroppedDown());
  Mouse(WM_LBUTTONUP, 20 + 48, 30 + 10);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 1) << "opening the menu is not a click";
}

TEST_F(DropDown, WithoutOnClickTheWholeButtonOpensTheMenuPressed) {
  button->OnClick = nullptr;
  int stateWhileShown = -1;
  menu->action = [&] { stateWhileShown = button->CurrentState(); };
  Mouse(WM_LBUTTONDOWN, 20 + 5, 30 + 5);
  EXPECT_EQ(menu->shownAt.size(), 1u);
  EXPECT_EQ(stateWhileShown, 2);
  EXPECT_EQ(button->State(), classlib::bsUp);
}

TEST_F(DropDown, AMenuHandlerThatFreesTheButtonLeavesHintsOnAndNothingDangling) {
  classlib::Application->SetShowHint(true);
  menu->action = [&] { classlib::Free(button); };
  Mouse(WM_LBUTTONDOWN, 20 + 48, 30 + 10);
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_TRUE(classlib::Application->ShowHint()) << "the release that gives hints back never comes";
  EXPECT_EQ(TempControl, nullptr);
  EXPECT_EQ(manager->ActiveGraphControl(), nullptr);
  Mouse(WM_LBUTTONUP, 20 + 48, 30 + 10);
  Mouse(WM_LBUTTONDOWN, 20 + 48, 30 + 10);  // the menu may open again for another button
}

TEST_F(DropDown, HintsAreBackAfterTheMenuCloses) {
  classlib::Application->SetShowHint(true);
  bool hintsWhileShown = true;
  menu->action = [&] { hintsWhileShown = classlib::Application->ShowHint(); };
  Mouse(WM_LBUTTONDOWN, 20 + 48, 30 + 10);
  EXPECT_FALSE(hintsWhileShown);
  EXPECT_TRUE(classlib::Application->ShowHint());
}

struct Fades : Behaviour {
  void SetUp() override {
    Behaviour::SetUp();
    FadingForbidden = false;
    Render();  // the first look is in the cache
  }
};

TEST_F(Fades, AFadeRunsItsStepsAndEnds) {
  button->Perform(classlib::CM_MOUSEENTER);
  TsAnimTimer* timer = button->FadeTimer();
  ASSERT_NE(timer, nullptr) << "our skin fades speed buttons";
  EXPECT_EQ(timer->Iterations, 4);
  for (int i = 0; i < 20 && button->FadeTimer() != nullptr; ++i) button->FadeTimer()->Timer();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  EXPECT_EQ(acAnimCount, 0);
}

TEST_F(Fades, AButtonFreedMidFadeLeavesNoTimer) {
  button->Perform(classlib::CM_MOUSEENTER);
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(acAnimCount, 1);
  classlib::Free(button);
  EXPECT_EQ(acAnimCount, 0);
  EXPECT_EQ(manager->ActiveGraphControl(), nullptr);
}

}  // namespace
}  // namespace skin::test
