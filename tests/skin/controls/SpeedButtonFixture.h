#pragma once
// A skin manager with our skin, a form holding speed buttons, and renderings of the form into
// 32-bit bitmaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "tests/skin/core/OurSkinManager.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::test {

using skin::testing::ManagerWithOurSkin;
using skin::testing::Owned;


struct SpeedButtonForm : ::testing::Test {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<classlib::TForm> form{new classlib::TForm(nullptr)};
  bool savedFading = FadingForbidden;

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form->SetBounds(0, 0, 240, 120);
    form->Handle();
  }
  void TearDown() override { FadingForbidden = savedFading; }

  template <class T = TsSpeedButton>
  T* Add(int left, int top, int width, int height) {
    auto* b = new T(form.get());
    b->SetBounds(left, top, width, height);
    b->SetParent(form.get());
    return b;
  }
  // The form's client area with its windowless children, as its erase and paint draw it.
  std::unique_ptr<classlib::TBitmap> Render() {
    auto bmp = NewBitmap32(form->ClientWidth(), form->ClientHeight());
    const auto dc = reinterpret_cast<WPARAM>(bmp->Canvas()->Handle());
    form->Perform(WM_ERASEBKGND, dc, 0);
    form->Perform(WM_PAINT, dc, 0);
    return bmp;
  }
};

inline std::uint32_t Rgb(const classlib::TBitmap& bmp, int x, int y) {
  return const_cast<classlib::TBitmap&>(bmp).Image32View().At(x, y).U & 0xFFFFFF;
}

// Each channel of a pixel within Tolerance of Expected's (alpha ignored).
inline ::testing::AssertionResult NearColour(std::uint32_t pixel, std::uint32_t expected, int tolerance = 2) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = int(pixel >> shift & 0xFF), b = int(expected >> shift & 0xFF);
    if (a - b > tolerance || b - a > tolerance)
      return ::testing::AssertionFailure() << std::hex << pixel << " is not near " << expected;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace skin::test
