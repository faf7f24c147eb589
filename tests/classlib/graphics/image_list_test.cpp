// 32-bit images with alpha: kept exactly, blended when drawn by us and by the system image list
// that native controls draw from.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "classlib/AlphaImageList.h"

using namespace classlib;

namespace {

std::uint32_t& Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x]; }

// Two 4x4 images side by side: the first opaque red with a transparent top-left pixel and a
// half-transparent white one beside it; the second opaque blue.
void Strip(TBitmap& b) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) Px(b, x, y) = x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
  Px(b, 0, 0) = 0x00000000;
  Px(b, 1, 0) = 0x80FFFFFF;
}

void Background(TBitmap& t, TColor c) {
  t.SetPixelFormat(pf32bit);
  t.SetSize(6, 6);
  t.Canvas()->Brush()->SetColor(c);
  t.Canvas()->FillRect(Rect(0, 0, 6, 6));
}

}  // namespace

TEST(AlphaImageList, AddSplitsAStripAndKeepsAlpha) {
  AlphaImageList list(4, 4);
  TBitmap strip;
  Strip(strip);
  EXPECT_EQ(list.Add(&strip, nullptr), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Pixel(0, 0, 0), 0x00000000u);
  EXPECT_EQ(list.Pixel(0, 1, 0), 0x80FFFFFFu);
  EXPECT_EQ(list.Pixel(0, 3, 3), 0xFFFF0000u);
  EXPECT_EQ(list.Pixel(1, 2, 2), 0xFF0000FFu);

  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(0, &out));
  EXPECT_EQ(out.PixelFormat(), pf32bit);
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(Px(out, 1, 0), 0x80FFFFFFu);
  EXPECT_FALSE(list.GetBitmap(2, &out));
  EXPECT_THROW(list.Pixel(5, 0, 0), EInvalidGraphicOperation);
}

TEST(AlphaImageList, MasksAndMaskColours) {
  AlphaImageList list(2, 2);
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(2, 2);
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, 2, 2));
  image.Canvas()->SetPixels(1, 1, clLime);
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(2, 2);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(0, 0, 2, 2));
  mask.Canvas()->SetPixels(0, 0, clWhite);  // white: transparent

  list.Add(&image, &mask);
  EXPECT_EQ(list.Pixel(0, 0, 0) >> 24, 0u);
  EXPECT_EQ(list.Pixel(0, 1, 0), 0xFFFF00FFu);
  list.Add(&image, nullptr);  // no mask: all opaque
  EXPECT_EQ(list.Pixel(1, 0, 0), 0xFFFF00FFu);
  list.AddMasked(&image, clFuchsia);
  EXPECT_EQ(list.Pixel(2, 0, 0) >> 24, 0u);
  EXPECT_EQ(list.Pixel(2, 1, 1), 0xFF00FF00u);
  EXPECT_THROW(list.Add(nullptr, nullptr), EInvalidGraphicOperation);
}

TEST(AlphaImageList, DrawBlendsAndGreysWhenDisabled) {
  AlphaImageList list(4, 4);
  TBitmap strip;
  Strip(strip);
  list.Add(&strip, nullptr);
  TBitmap t;
  Background(t, clBlack);
  list.Draw(t.Canvas(), 1, 1, 0, true);
  EXPECT_EQ(Px(t, 1, 1) & 0xFFFFFF, 0u);                 // transparent pixel
  EXPECT_NEAR(static_cast<int>(Px(t, 2, 1) & 0xFF), 128, 2);  // half white over black
  EXPECT_EQ(Px(t, 4, 4) & 0xFFFFFF, 0xFF0000u);          // opaque red
  EXPECT_EQ(Px(t, 5, 5) & 0xFFFFFF, 0u);                  // outside the image

  TBitmap g;
  Background(g, clBlack);
  list.Draw(g.Canvas(), 1, 1, 1, false);
  const std::uint32_t px = Px(g, 3, 3);
  const int r = (px >> 16) & 0xFF, gr = (px >> 8) & 0xFF, b = px & 0xFF;
  EXPECT_EQ(r, gr);
  EXPECT_EQ(gr, b);
  EXPECT_GT(b, 0);
  EXPECT_LT(b, 29);  // blue's grey (29) at half strength
  list.Draw(g.Canvas(), 0, 0, 7, true);  // no such image: nothing drawn, no exception
}

TEST(AlphaImageList, SystemImageListFollowsAndDrawsAlpha) {
  AlphaImageList list(4, 4);
  TBitmap strip;
  Strip(strip);
  list.Add(&strip, nullptr);
  const HIMAGELIST h = list.Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(h), 2);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(h, &cx, &cy);
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 4);

  TBitmap t;
  Background(t, clBlack);
  ASSERT_TRUE(ImageList_Draw(h, 0, t.Canvas()->Handle(), 1, 1, ILD_TRANSPARENT));
  GdiFlush();
  EXPECT_EQ(Px(t, 1, 1) & 0xFFFFFF, 0u);
  EXPECT_NEAR(static_cast<int>(Px(t, 2, 1) & 0xFF), 128, 3);
  EXPECT_EQ(Px(t, 4, 4) & 0xFFFFFF, 0xFF0000u);

  list.Add(&strip, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(h), 4);
  list.Delete(0);
  EXPECT_EQ(ImageList_GetImageCount(h), 3);
  EXPECT_EQ(list.Pixel(0, 0, 0), 0xFF0000FFu);
  list.Move(0, 2);
  EXPECT_EQ(list.Pixel(2, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(list.Pixel(0, 0, 0), 0x00000000u);
  EXPECT_EQ(list.Handle(), h);  // the same list: controls keep their handle
  TBitmap b;
  Background(b, clBlack);
  ImageList_Draw(h, 2, b.Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  EXPECT_EQ(Px(b, 0, 0) & 0xFFFFFF, 0x0000FFu);
  list.Clear();
  EXPECT_EQ(ImageList_GetImageCount(h), 0);
  list.SetSize(8, 8);
  ImageList_GetIconSize(h, &cx, &cy);
  EXPECT_EQ(cx, 8);
}

TEST(AlphaImageList, IconsAndChangeNotices) {
  AlphaImageList list(16, 16);
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(list.AddIcon(icon), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(list.AddIcon(nullptr), EInvalidGraphic);
  TBitmap small(8, 8);
  list.Replace(0, &small, nullptr);  // a smaller image: the rest is transparent
  EXPECT_EQ(list.Pixel(0, 12, 12) >> 24, 0u);
  EXPECT_EQ(list.Pixel(0, 2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(changes, 2);
}
