// The skinned up-down on a form with our skin: its buttons against the scroll-button sections and
// arrows painted directly, the disabled look and no hot look for the button at its limit, and the
// looks through a click that reaches the limit.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/sUpDown.h"
#include "skin/core/sCommonData.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct UpDown : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }
  // 17 x 30: two buttons 17 x 15.
  TsUpDown* NewUpDown(int position) {
    auto* u = Make<TsUpDown>(20, 20, 17, 30);
    u->SetPosition(position);
    control = u;
    return u;
  }
  TsUpDown* control = nullptr;
  // One button at At in the form: the section over the form's painted background for State, with
  // the arrow's 9 x 9 cell at (4, 3).
  std::unique_ptr<TBitmap> Button(const char* section, int state, TPoint at) {
    auto bmp = NewBitmap32(17, 15);
    TCacheInfo behind;
    GetParentCacheHwnd(control->Handle(), behind);
    PaintItem(Section(section), section, behind, true, state, TRect{0, 0, 17, 15}, at, bmp.get(), manager.get());
    const int arrow = manager->GetMaskIndex(Section(section), section, "GLYPHMASK");
    EXPECT_GE(arrow, 0);
    DrawSkinGlyph(bmp.get(), {4, 3}, state, 1, manager->Records().ma[std::size_t(arrow)], MakeCacheInfo(bmp.get()));
    return bmp;
  }
  static std::unique_ptr<TBitmap> Half(TBitmap* whole, int top) {
    auto half = NewBitmap32(17, 15);
    BitBlt(half->Canvas()->Handle(), 0, 0, 17, 15, whole->Canvas()->Handle(), 0, top, SRCCOPY);
    return half;
  }
  static void HitTest(TsUpDown* u, int x, int y) {
    POINT p{x, y};
    ClientToScreen(u->Handle(), &p);
    SendMessageW(u->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  }
};

TEST_F(UpDown, ButtonsArePaintedFromTheScrollButtonSections) {
  TsUpDown* u = NewUpDown(50);
  auto printed = Print(u);
  EXPECT_EQ(DifferentPixels(Half(printed.get(), 0).get(), Button("SCROLLBTNTOP", 0, {20, 20}).get()), 0);
  EXPECT_EQ(DifferentPixels(Half(printed.get(), 15).get(), Button("SCROLLBTNBOTTOM", 0, {20, 35}).get()), 0);
  // The hot top button.
  HitTest(u, 8, 5);
  EXPECT_EQ(u->DrawingState(), dsPrevUp);
  printed = Print(u);
  EXPECT_EQ(DifferentPixels(Half(printed.get(), 0).get(), Button("SCROLLBTNTOP", 1, {20, 20}).get()), 0);
  HitTest(u, 8, 25);
  EXPECT_EQ(u->DrawingState(), dsNextUp);
}

TEST_F(UpDown, TheButtonAtItsLimitLooksDisabledAndIsNeverHot) {
  TsUpDown* u = NewUpDown(100);
  auto printed = Print(u);
  // The increasing (top) button is faded towards the form, the other one is untouched.
  EXPECT_GT(DifferentPixels(Half(printed.get(), 0).get(), Button("SCROLLBTNTOP", 0, {20, 20}).get()), 20);
  EXPECT_EQ(DifferentPixels(Half(printed.get(), 15).get(), Button("SCROLLBTNBOTTOM", 0, {20, 35}).get()), 0);
  HitTest(u, 8, 5);
  EXPECT_EQ(u->DrawingState(), dsDefault);
  // Without ShowInaccessibility it is an ordinary button.
  u->SetShowInaccessibility(false);
  HitTest(u, 8, 5);
  EXPECT_EQ(u->DrawingState(), dsPrevUp);
  printed = Print(u);
  EXPECT_EQ(DifferentPixels(Half(printed.get(), 0).get(), Button("SCROLLBTNTOP", 1, {20, 20}).get()), 0);
}

TEST_F(UpDown, AClickThatReachesTheLimitLeavesTheButtonPlain) {
  TsUpDown* u = NewUpDown(99);
  int clicks = 0;
  u->OnClick = [&](TObject*, TUDBtnType) { ++clicks; };
  HitTest(u, 8, 5);
  EXPECT_EQ(u->DrawingState(), dsPrevUp);
  // The press steps to the limit at once: the button shows neither pressed nor hot.
  SendMessageW(u->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  EXPECT_EQ(u->Position(), 100);
  EXPECT_EQ(u->DrawingState(), dsDefault);
  SendMessageW(u->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(u->DrawingState(), dsDefault);
  // The other button steps back and stays hot.
  HitTest(u, 8, 25);
  SendMessageW(u->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 25));
  EXPECT_EQ(u->DrawingState(), dsNextDown);
  SendMessageW(u->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 25));
  EXPECT_EQ(u->Position(), 99);
  EXPECT_EQ(u->DrawingState(), dsNextUp);
}

TEST_F(UpDown, IsRegisteredByNameWithItsDefaults) {
  RegisterUpDownClasses();
  TComponent* c = CreateComponent(L"TsUpDown", form.get());
  ASSERT_NE(c, nullptr);
  for (const TPropInfo* p : GetClass(L"TsUpDown").AllProperties())
    if (p->HasDefault) {
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end());
    }
  EXPECT_EQ(GetOrdProp(c, L"Max"), 100);
  EXPECT_EQ(GetOrdProp(c, L"ShowInaccessibility"), 1);
}

}  // namespace
}  // namespace skin
