#pragma once
// The fixture most handler tests start from: our skin in a manager of the test's own and a visible
// top-level parent whose background the skin gives as one plain colour, `background`, which the
// expected pictures are painted over.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/core/sCommonData.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin::test {

class SkinnedParent : public ::testing::Test {
 protected:
  explicit SkinnedParent(int Width = 400, int Height = 300)
      : parent{TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, Width, Height} {}

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    TacBGInfo bg;
    GetBGInfo(bg, HWND(parent), false);
    ASSERT_EQ(bg.BgType, TacBGType::btFill);
    background = bg.Color;
  }

  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  NativeWindow parent;
  classlib::TColor background = classlib::clFuchsia;
};

}  // namespace skin::test
