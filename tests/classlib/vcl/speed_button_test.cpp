// Speed buttons on a form, driven by mouse messages to the form: clicks, presses released outside,
// and the exclusive groups.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Buttons.h"
#include "classlib/Forms.h"

using namespace classlib;

namespace {

struct FormFree {
  void operator()(TForm* f) const { Free(f); }
};

class SpeedButtons : public ::testing::Test {
 protected:
  std::unique_ptr<TForm, FormFree> form{new TForm(nullptr)};
  std::vector<std::wstring> clicks;

  TSpeedButton* Add(const wchar_t* name, int left, int group = 0) {
    auto* b = new TSpeedButton(form.get());
    b->SetName(name);
    b->SetBounds(left, 10, 30, 22);
    b->SetGroupIndex(group);
    b->SetParent(form.get());
    b->OnClick = [this, b](TObject*) { clicks.push_back(b->Name()); };
    return b;
  }
  void SetUp() override {
    form->SetBounds(0, 0, 300, 100);
    form->Handle();
  }
  LRESULT Mouse(UINT msg, int x, int y) {
    return SendMessageW(form->Handle(), msg,
                        msg == WM_MOUSEMOVE ? MK_LBUTTON : (msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0), MAKELPARAM(x, y));
  }
  void ClickAt(TSpeedButton* b) {
    Mouse(WM_LBUTTONDOWN, b->Left() + 5, b->Top() + 5);
    Mouse(WM_LBUTTONUP, b->Left() + 5, b->Top() + 5);
  }
};

TEST_F(SpeedButtons, PlainButtonClicksOnceAndComesUp) {
  TSpeedButton* b = Add(L"Plain", 10);
  Mouse(WM_LBUTTONDOWN, 15, 15);
  EXPECT_EQ(b->State(), bsDown);
  EXPECT_TRUE(clicks.empty());
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_EQ(clicks, std::vector<std::wstring>{L"Plain"});
  EXPECT_EQ(b->State(), bsUp);
  EXPECT_FALSE(b->Down()) << "a button without group never stays down";
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtons, PressDraggedOutsideAndReleasedThereDoesNotClick) {
  TSpeedButton* b = Add(L"Plain", 10);
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_MOUSEMOVE, 200, 60);
  EXPECT_EQ(b->State(), bsUp);
  Mouse(WM_MOUSEMOVE, 20, 15);
  EXPECT_EQ(b->State(), bsDown) << "back over the button it looks pressed again";
  Mouse(WM_MOUSEMOVE, 200, 60);
  Mouse(WM_LBUTTONUP, 200, 60);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(b->State(), bsUp);
}

TEST_F(SpeedButtons, DisabledButtonIgnoresTheMouse) {
  TSpeedButton* b = Add(L"Off", 10, 1);
  b->SetEnabled(false);
  EXPECT_EQ(b->State(), bsDisabled);
  ClickAt(b);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtons, OneButtonOfAGroupIsDown) {
  TSpeedButton* a = Add(L"A", 10, 1);
  TSpeedButton* b = Add(L"B", 50, 1);
  TSpeedButton* c = Add(L"C", 90, 1);
  TSpeedButton* other = Add(L"Other", 130, 2);
  other->SetDown(true);

  ClickAt(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_TRUE(other->Down()) << "another group is left alone";

  ClickAt(b);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
  EXPECT_EQ((std::vector<std::wstring>{L"A", L"B", L"B"}), clicks) << "each click still runs OnClick";

  c->SetDown(true);
  EXPECT_FALSE(b->Down());
  EXPECT_TRUE(c->Down());
}

TEST_F(SpeedButtons, AllowAllUpSpreadsToTheGroupAndLetsTheDownButtonUp) {
  TSpeedButton* a = Add(L"A", 10, 1);
  TSpeedButton* b = Add(L"B", 50, 1);
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp());
  ClickAt(b);
  EXPECT_TRUE(b->Down());
  ClickAt(b);
  EXPECT_FALSE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(b->State(), bsUp);
}

}  // namespace
