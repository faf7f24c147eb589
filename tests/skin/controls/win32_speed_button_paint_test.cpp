// Speed buttons painted through their form with our skin: each look against the section painted
// directly, the glyph's state cells, the disabled look, and list images blended by their alpha.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/ImgList.h"
#include "skin/graphics/sAlphaGraph.h"
#include "tests/skin/controls/SpeedButtonFixture.h"

namespace skin::test {
namespace {

using classlib::TBitmap;

// Compares the button's place in the rendered form with Expected, pixel by pixel (alpha ignored).
::testing::AssertionResult SameArea(const TBitmap& form, const TRect& place, const TBitmap& expected) {
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      if (Rgb(form, place.Left + x, place.Top + y) != Rgb(expected, x, y))
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << "): " << std::hex << Rgb(form, place.Left + x, place.Top + y)
               << " instead of " << Rgb(expected, x, y);
  return ::testing::AssertionSuccess();
}

// The part R of Bmp.
std::unique_ptr<TBitmap> Crop(TBitmap& bmp, const TRect& r) {
  auto out = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
  BitBlt(out->Canvas()->Handle(), 0, 0, out->Width(), out->Height(), bmp.Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
  return out;
}

struct Looks : SpeedButtonForm {
  TsSpeedButton* button = nullptr;
  std::unique_ptr<TBitmap> background;
  void SetUp() override {
    SpeedButtonForm::SetUp();
    FadingForbidden = true;
    button = Add(20, 30, 60, 26);
    button->SetVisible(false);
    background = Render();
    button->SetVisible(true);
  }
  // Section SPEEDBUTTON for State over the form's own pixels under the button.
  std::unique_ptr<TBitmap> Section(int state) {
    auto bmp = NewBitmap32(button->Width(), button->Height());
    const int index = manager->GetSkinIndex("SPEEDBUTTON");
    EXPECT_GE(index, 0);
    PaintItem(index, "SPEEDBUTTON", MakeCacheInfo(background.get()), true, state,
              {0, 0, button->Width(), button->Height()}, {button->Left(), button->Top()}, bmp.get(), manager.get());
    return bmp;
  }
};

TEST_F(Looks, EachStateShowsTheSectionOfThatState) {
  EXPECT_EQ(button->SkinData()->SkinSection(), "SPEEDBUTTON");
  EXPECT_TRUE(SameArea(*Render(), button->BoundsRect(), *Section(0))) << "normal";

  button->Perform(classlib::CM_MOUSEENTER);
  EXPECT_EQ(button->CurrentState(), 1);
  const auto hot = Section(1);
  EXPECT_FALSE(SameArea(*background, button->BoundsRect(), *hot)) << "the hot look must differ from the form";
  EXPECT_TRUE(SameArea(*Render(), button->BoundsRect(), *hot)) << "hot";

  button->Perform(classlib::CM_MOUSELEAVE);
  button->SetGroupIndex(1);
  button->SetDown(true);
  EXPECT_EQ(button->CurrentState(), 2);
  EXPECT_TRUE(SameArea(*Render(), button->BoundsRect(), *Section(2))) << "down";

  button->SetDown(false);
  button->SetEnabled(false);
  auto disabled = Section(0);
  // A plain form offers its colour as the background.
  const TCacheInfo formColour{nullptr, 0, 0, classlib::ColorToRGB(form->Color()), false};
  BmpDisabledKind(disabled->Image32View(), false, true, CacheInfo32(formColour), {button->Left(), button->Top()},
                  form->Color());
  EXPECT_TRUE(SameArea(*Render(), button->BoundsRect(), *disabled)) << "disabled";
}

TEST_F(Looks, ASeparatorIsTheBackgroundAndNeverHot) {
  button->SetButtonStyle(classlib::tbsSeparator);
  button->Perform(classlib::CM_MOUSEENTER);
  EXPECT_FALSE(button->SkinData()->FMouseAbove);
  EXPECT_EQ(button->CurrentState(), 0);
  EXPECT_TRUE(SameArea(*Render(), button->BoundsRect(), *Crop(*background, button->BoundsRect())))
      << "nothing but the form";
}

// A 32-bit glyph of three cells, red, green and blue, on a bottom row of fuchsia (the key colour of
// a glyph drawn without alpha).
std::unique_ptr<TBitmap> ThreeCells(std::uint8_t alpha) {
  auto glyph = NewBitmap32(48, 16);
  const std::uint32_t colours[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x)
      glyph->Image32View().At(x, y).U = (y == 15 ? 0x00FF00FF : colours[x / 16]) | (std::uint32_t(alpha) << 24);
  return glyph;
}

struct Glyphs : Looks {
  void SetUp() override {
    Looks::SetUp();
    button->SetBounds(20, 30, 40, 30);
  }
};

TEST_F(Glyphs, EachStateDrawsItsCell) {
  button->SetNumGlyphs(3);
  button->SetGlyph(ThreeCells(255).get());
  // 16 x 16 centred in 40 x 30: (12, 7) to (28, 23); pressed one pixel further.
  EXPECT_EQ(button->ImgRect(), (TRect{12, 7, 28, 23}));
  const int x = 20 + 20, y = 30 + 15;
  EXPECT_TRUE(NearColour(Rgb(*Render(), x, y), 0xFF0000u)) << "normal: first cell";
  button->Perform(classlib::CM_MOUSEENTER);
  EXPECT_TRUE(NearColour(Rgb(*Render(), x, y), 0x00FF00u)) << "hot: second cell";
  button->Perform(classlib::CM_MOUSELEAVE);
  button->SetGroupIndex(1);
  button->SetDown(true);
  EXPECT_EQ(button->ImgRect(), (TRect{13, 8, 29, 24}));
  const auto down = Render();
  EXPECT_TRUE(NearColour(Rgb(*down, 20 + 28, 30 + 22), 0x0000FFu)) << "pressed: third cell, moved by (1, 1)";
  EXPECT_FALSE(NearColour(Rgb(*down, 20 + 12, 30 + 7), 0x0000FFu));
}

TEST_F(Glyphs, AGlyphWithoutOpaquePixelsOfADisabledButtonStillShows) {
  button->SetGlyph(ThreeCells(0).get());
  button->SetNumGlyphs(3);
  button->SetEnabled(false);
  const std::uint32_t shown = Rgb(*Render(), 20 + 20, 30 + 15);
  const std::uint32_t form = Rgb(*background, 20 + 20, 30 + 15);
  // Drawn as a 24-bit picture, half blended: its red is clearly there.
  EXPECT_GT(int(shown >> 16 & 0xFF) - int(shown >> 8 & 0xFF), 40) << std::hex << shown << " over " << form;
  EXPECT_EQ(button->Glyph()->PixelFormat(), classlib::pf32bit) << "the button's own bitmap is left as it was";
}

TEST_F(Glyphs, ImagesOfAPlainListBlendByTheirAlpha) {
  Owned<classlib::TImageList> list(new classlib::TImageList(nullptr));
  list->SetSize(16, 16);
  auto image = NewBitmap32(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image->Image32View().At(x, y).U = (x < 8) ? 0x00FF00FF : 0x80FF0000;
  list->Add(image.get(), nullptr);
  const auto plain = Render();
  button->SetImages(list.get());
  button->SetImageIndex(0);
  const auto shown = Render();
  const TRect img = button->ImgRect();
  const int left = 20 + img.Left, top = 30 + img.Top;
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(Rgb(*shown, left + x, top + 8), Rgb(*plain, left + x, top + 8))
        << "a transparent pixel leaves no key colour, x " << x;
  // Half-transparent red over the section's pixel.
  const std::uint32_t bg = Rgb(*plain, left + 12, top + 8);
  const std::uint32_t px = Rgb(*shown, left + 12, top + 8);
  const int r = int(px >> 16 & 0xFF), g = int(px >> 8 & 0xFF);
  EXPECT_NEAR(r, (255 * 128 + int(bg >> 16 & 0xFF) * 127) / 255, 3) << std::hex << px;
  EXPECT_NEAR(g, (int(bg >> 8 & 0xFF) * 127) / 255, 3) << std::hex << px;
}

TEST_F(Glyphs, WithoutASkinTheGlyphIsDrawnOnTheFaceAndHalfBlendedWhenDisabled) {
  button->SkinData()->SetSkinSection("NO SUCH SECTION");
  ASSERT_FALSE(button->SkinData()->Skinned());
  button->SetGlyph(ThreeCells(255).get());
  button->SetNumGlyphs(3);
  const int x = 20 + 20, y = 30 + 15;
  EXPECT_TRUE(NearColour(Rgb(*Render(), x, y), 0xFF0000u)) << "normal: first cell";
  button->SetEnabled(false);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t px = Rgb(*Render(), x, y);
  // Half of the red over the face the frame painted.
  EXPECT_NEAR(int(px >> 16 & 0xFF), (255 * 127 + int(GetRValue(face)) * 128) / 255, 3) << std::hex << px;
  EXPECT_NEAR(int(px >> 8 & 0xFF), int(GetGValue(face)) * 128 / 255, 3) << std::hex << px;
}

// A windowless red square.
class TRedSquare : public classlib::TGraphicControl {
 public:
  using classlib::TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(classlib::clRed);
    Canvas()->FillRect(ClientRect());
  }
};

TEST_F(Looks, AWindowlessSiblingOverTheButtonStaysInItsCache) {
  auto* square = new TRedSquare(form.get());
  square->SetBounds(button->Left() + button->Width() - 10, button->Top() + 5, 30, 10);
  square->SetParent(form.get());
  button->Perform(classlib::CM_MOUSEENTER);  // repaints from the cache without invalidating
  TBitmap* cache = button->SkinData()->CacheBmp();
  EXPECT_EQ(Rgb(*cache, button->Width() - 5, 10), 0xFF0000u) << "the square's corner over the button";
  EXPECT_NE(Rgb(*cache, button->Width() - 15, 10), 0xFF0000u);
}

}  // namespace
}  // namespace skin::test
