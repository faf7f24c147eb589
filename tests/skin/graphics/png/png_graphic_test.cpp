// The PNG reader as a class-library bitmap (win32): layouts, transparency, the picture-format
// registry, drawing and the icon builders.
#include "skin/graphics/acPNG.h"

#include <gtest/gtest.h>

#include "classlib/Picture.h"
#include "classlib/Streams.h"
#include "skin/graphics/PixelMath.h"
#include "tests/skin/graphics/png/PngBuilder.h"

namespace skin {
namespace {

using namespace png_test;
using classlib::TBitmap;
using classlib::TColor;

Picture Pixels(int width, int height, int depth, int colorType, std::vector<std::uint16_t> samples) {
  return Picture{width, height, depth, colorType, std::move(samples)};
}

TEST(PngGraphic, RgbaBecomesA32BitBitmapWithStraightAlpha) {
  const Picture p = Pixels(3, 2, 8, 6, {255, 0, 0, 255, 0,  255, 0,  128, 0,   0,   255, 0,  //
                                        1,   2, 3, 4,   10, 20,  30, 40,  200, 100, 50,  255});
  TPNGGraphic png;
  png.LoadFromBytes(MakePng(p, false));
  ASSERT_EQ(png.PixelFormat(), classlib::pf32bit);
  ASSERT_EQ(png.Width(), 3);
  ASSERT_EQ(png.Height(), 2);
  const TImage32View view = png.Image32View();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const TsColor_& c = view.At(x, y);
      EXPECT_EQ(c.R, p.At(x, y, 0));
      EXPECT_EQ(c.G, p.At(x, y, 1));
      EXPECT_EQ(c.B, p.At(x, y, 2));
      EXPECT_EQ(c.A, p.At(x, y, 3));
    }
  EXPECT_EQ(png.ImageProperties().ColorScheme, TColorScheme::csRGBA);
}

TEST(PngGraphic, GreyAndIndexedBecomePaletteBitmaps) {
  TPNGGraphic grey;
  grey.LoadFromBytes(MakePng(Pixels(4, 1, 2, 0, {0, 1, 2, 3}), false));
  EXPECT_EQ(grey.PixelFormat(), classlib::pf4bit);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(grey.Canvas()->Pixels(x, 0), 0x555555 * x) << x;

  Bytes plte = Chunk("PLTE", {10, 20, 30, 40, 50, 60});
  TPNGGraphic indexed;
  indexed.LoadFromBytes(MakePng(Pixels(2, 1, 1, 3, {1, 0}), false, plte));
  EXPECT_EQ(indexed.PixelFormat(), classlib::pf1bit);
  EXPECT_EQ(indexed.Canvas()->Pixels(0, 0), 40 | (50 << 8) | (60 << 16));
  EXPECT_EQ(indexed.Canvas()->Pixels(1, 0), 10 | (20 << 8) | (30 << 16));
}

TEST(PngGraphic, TrnsColourMakesTheBitmapTransparent) {
  Bytes trns;
  for (int v : {7, 8, 9}) Put16(trns, static_cast<std::uint32_t>(v));
  TPNGGraphic png;
  png.LoadFromBytes(MakePng(Pixels(2, 1, 8, 2, {7, 8, 9, 1, 2, 3}), false, Chunk("tRNS", trns)));
  EXPECT_EQ(png.PixelFormat(), classlib::pf24bit);
  EXPECT_TRUE(png.Transparent());
  EXPECT_EQ(png.TransparentColor(), 7 | (8 << 8) | (9 << 16));

  TPNGGraphic plain;
  plain.LoadFromBytes(MakePng(Pixels(2, 1, 8, 2, {7, 8, 9, 1, 2, 3}), false));
  EXPECT_FALSE(plain.Transparent());
}

TEST(PngGraphic, ErrorsAreTheLibrarysAndNameTheFault) {
  TPNGGraphic png;
  Bytes bad = MakePng(Pixels(2, 1, 8, 2, {7, 8, 9, 1, 2, 3}), false);
  bad[30] ^= 0x40;  // inside the image data: its CRC no longer matches
  try {
    png.LoadFromBytes(bad);
    FAIL() << "accepted";
  } catch (const classlib::EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), L"Cannot load image. CRC error found in PNG file.");
  }
  EXPECT_THROW(png.LoadFromBytes(Bytes{1, 2, 3}), classlib::EInvalidGraphic);
}

TEST(PngGraphic, PicturesTakePngByExtensionAndSignature) {
  RegisterPngFormat();
  classlib::TPicture picture;
  picture.LoadFromBytes(MakePng(Pixels(2, 2, 8, 0, {1, 2, 3, 4}), false));
  EXPECT_NE(dynamic_cast<TPNGGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 2);
  bool listed = false;
  for (const classlib::TFileFormat& f : classlib::TPicture::FileFormats())
    if (f.Extension == L"png") listed = f.Description == L"Portable network graphics (DezuvEzizared)";
  EXPECT_TRUE(listed);
}

TEST(PngGraphic, StreamStandsAfterThePicture) {
  Bytes data = MakePng(Pixels(2, 1, 8, 0, {5, 6}), false);
  const std::size_t length = data.size();
  Append(data, Bytes{'n', 'e', 'x', 't'});
  classlib::TMemoryStream stream;
  stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  stream.SetPosition(0);
  TPNGGraphic png;
  png.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(length));
  EXPECT_EQ(png.Width(), 2);
}

TEST(PngGraphic, CanLoad) {
  const Bytes file = MakePng(Pixels(1, 1, 8, 0, {0}), false);
  EXPECT_TRUE(TPNGGraphic::CanLoad(file));
  EXPECT_FALSE(TPNGGraphic::CanLoad(std::span(file.data(), 8)));
  EXPECT_FALSE(TPNGGraphic::CanLoad(L"Z:\\no\\such\\file.png"));
}

// A white 32-bit canvas of the given size.
void WhiteCanvas(TBitmap& target, int w, int h) {
  target.SetPixelFormat(classlib::pf32bit);
  target.SetSize(w, h);
  target.Canvas()->Brush()->SetColor(classlib::clWhite);
  target.Canvas()->FillRect(classlib::TRect{0, 0, w, h});
}

TEST(PngGraphic, Draws32BitImagesBlendedOverTheCanvas) {
  const Picture p = Pixels(2, 2, 8, 6,
                           {255, 0, 0, 255, 0, 0, 0, 0,  //
                            0, 255, 0, 128, 0, 0, 255, 255});
  TPNGGraphic png;
  png.LoadFromBytes(MakePng(p, false));
  TBitmap target;
  WhiteCanvas(target, 2, 2);
  png.Draw(target.Canvas(), classlib::TRect{0, 0, 2, 2});
  const TImage32View v = target.Image32View();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      const int a = p.At(x, y, 3);
      EXPECT_EQ(v.At(x, y).R, Mix(255, p.At(x, y, 0), a)) << x << "," << y;
      EXPECT_EQ(v.At(x, y).G, Mix(255, p.At(x, y, 1), a)) << x << "," << y;
      EXPECT_EQ(v.At(x, y).B, Mix(255, p.At(x, y, 2), a)) << x << "," << y;
    }

  // Stretched: an opaque picture covers every pixel in its colour, a clear one none.
  TPNGGraphic opaque, clear;
  opaque.LoadFromBytes(
      MakePng(Pixels(2, 2, 8, 6, {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255}), false));
  clear.LoadFromBytes(MakePng(Pixels(2, 2, 8, 6, std::vector<std::uint16_t>(16, 0)), false));
  WhiteCanvas(target, 6, 6);
  opaque.Draw(target.Canvas(), classlib::TRect{0, 0, 5, 5});
  clear.Draw(target.Canvas(), classlib::TRect{0, 0, 6, 6});
  const TImage32View s = target.Image32View();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x < 5 && y < 5;
      EXPECT_EQ(s.At(x, y).B, inside ? Mix(255, 255, 255) : 255) << x << "," << y;
      EXPECT_EQ(s.At(x, y).R, inside ? Mix(255, 0, 255) : 255) << x << "," << y;
    }
}

TEST(PngGraphic, ReflectionFadesBelowTheImage) {
  TPNGGraphic png;
  png.LoadFromBytes(MakePng(Pixels(1, 4, 8, 6, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}), false));
  TBitmap plain, mirrored;
  WhiteCanvas(plain, 1, 8);
  WhiteCanvas(mirrored, 1, 8);
  png.Draw(plain.Canvas(), classlib::TRect{0, 0, 1, 4});
  png.Reflected = true;
  png.Draw(mirrored.Canvas(), classlib::TRect{0, 0, 1, 4});
  EXPECT_EQ(plain.Image32View().At(0, 5).R, 255);
  EXPECT_LT(mirrored.Image32View().At(0, 5).R, 255);
}

TEST(PngGraphic, IconsFromBitmaps) {
  TPNGGraphic png;
  png.LoadFromBytes(MakePng(Pixels(2, 2, 8, 6, {255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 255, 128}), false));
  HICON composed = MakeCompIcon(&png, classlib::clWhite);
  ASSERT_NE(composed, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(composed, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(composed);

  TPNGGraphic grey;
  grey.LoadFromBytes(MakePng(Pixels(2, 2, 8, 0, {1, 2, 1, 3}), false));
  HICON keyed = MakeIcon32(&grey, false);
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(grey.PixelFormat(), classlib::pf32bit);  // converted for the key comparison
  DestroyIcon(keyed);
}

TEST(PngGraphic, SkinPassesOnBitmaps) {
  TBitmap bmp;
  bmp.SetPixelFormat(classlib::pf32bit);
  bmp.SetSize(2, 1);
  TImage32View v = bmp.Image32View();
  v.At(0, 0).U = 0x00FFFFFFu;
  v.At(1, 0).U = 0x80C86432u;
  UpdateTransPixels(&bmp);
  UpdateAlpha(&bmp);
  v = bmp.Image32View();
  EXPECT_EQ(v.At(0, 0).U, 0u);
  EXPECT_EQ(v.At(1, 0).U, 0x80643219u);
  TBitmap palette;
  palette.SetPixelFormat(classlib::pf8bit);
  palette.SetSize(1, 1);
  UpdateAlpha(&palette);  // not 32-bit: left alone, no fault
}

}  // namespace
}  // namespace skin
