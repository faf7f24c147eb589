// The system image list behind image lists and native controls: 32-bit images keep their
// alpha, masks and mask colours give transparency, and images added through the API directly
// count and read back like ours.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "classlib/SystemImageList.h"

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

std::uint32_t At(const SystemImageList& list, int index, int x, int y) {
  std::vector<std::uint32_t> px;
  EXPECT_TRUE(list.Pixels(index, px));
  return px.empty() ? 0xDEADBEEF : px[static_cast<std::size_t>(y) * list.Width() + x];
}

class SystemImageListTest : public ::testing::Test {
 protected:
  void SetUp() override { list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 4); }
  SystemImageList list;
};

}  // namespace

TEST_F(SystemImageListTest, AddSplitsAStripAndKeepsAlphaExactly) {
  TBitmap strip;
  Strip(strip);
  EXPECT_EQ(list.Add(&strip, nullptr), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 2);
  EXPECT_EQ(At(list, 0, 0, 0), 0x00000000u);
  EXPECT_EQ(At(list, 0, 1, 0), 0x80FFFFFFu);
  EXPECT_EQ(At(list, 0, 3, 3), 0xFFFF0000u);
  EXPECT_EQ(At(list, 1, 2, 2), 0xFF0000FFu);

  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(0, &out));
  EXPECT_EQ(out.PixelFormat(), pf32bit);
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(Px(out, 1, 0), 0x80FFFFFFu);
  EXPECT_FALSE(list.GetBitmap(2, &out));
  EXPECT_FALSE(list.GetBitmap(-1, &out));

  TBitmap narrow(2, 2);  // narrower than the list: one image, the rest transparent
  EXPECT_EQ(list.Add(&narrow, nullptr), 2);
  EXPECT_EQ(At(list, 2, 1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(At(list, 2, 3, 3) >> 24, 0u);
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

TEST_F(SystemImageListTest, MasksAndMaskColours) {
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(4, 4);
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, 4, 4));
  image.Canvas()->SetPixels(1, 1, clLime);
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(4, 4);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(0, 0, 4, 4));
  mask.Canvas()->SetPixels(0, 0, clWhite);  // white: transparent

  list.Add(&image, &mask);
  EXPECT_EQ(At(list, 0, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(list, 0, 1, 0), 0xFFFF00FFu);
  list.Add(&image, nullptr);
  EXPECT_EQ(At(list, 1, 0, 0), 0xFFFF00FFu);
  list.AddMasked(&image, clFuchsia);
  EXPECT_EQ(At(list, 2, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(list, 2, 1, 1), 0xFF00FF00u);
}

TEST_F(SystemImageListTest, DrawsAlphaNativelyAndGreyWhenDisabled) {
  TBitmap strip;
  Strip(strip);
  list.Add(&strip, nullptr);
  TBitmap t;
  Background(t, clBlack);
  list.Draw(t.Canvas()->Handle(), 1, 1, 0, ILD_TRANSPARENT, true);
  GdiFlush();
  EXPECT_EQ(Px(t, 1, 1) & 0xFFFFFF, 0u);
  EXPECT_NEAR(static_cast<int>(Px(t, 2, 1) & 0xFF), 128, 3);
  EXPECT_EQ(Px(t, 4, 4) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Px(t, 5, 5) & 0xFFFFFF, 0u);

  TBitmap g;
  Background(g, clBlack);
  list.Draw(g.Canvas()->Handle(), 1, 1, 1, ILD_TRANSPARENT, false);
  GdiFlush();
  const std::uint32_t px = Px(g, 3, 3);
  const int r = (px >> 16) & 0xFF, gr = (px >> 8) & 0xFF, b = px & 0xFF;
  EXPECT_EQ(r, gr);
  EXPECT_EQ(gr, b);
  EXPECT_GT(b, 0);
  EXPECT_LT(b, 29);                                                 // blue's grey (29) at half strength
  list.Draw(g.Canvas()->Handle(), 0, 0, 7, ILD_TRANSPARENT, true);  // no such image: nothing
}

TEST_F(SystemImageListTest, ReplaceDeleteMoveClear) {
  TBitmap strip;
  Strip(strip);
  list.Add(&strip, nullptr);
  list.Add(&strip, nullptr);  // red, blue, red, blue
  EXPECT_TRUE(list.Delete(0));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(At(list, 0, 0, 0), 0xFF0000FFu);
  EXPECT_TRUE(list.Move(0, 2));  // red, blue, blue
  EXPECT_EQ(At(list, 0, 1, 0), 0x80FFFFFFu);
  EXPECT_EQ(At(list, 2, 0, 0), 0xFF0000FFu);
  EXPECT_TRUE(list.Move(2, 0));  // blue, red, blue
  EXPECT_EQ(At(list, 1, 1, 0), 0x80FFFFFFu);
  TBitmap white(4, 4);
  EXPECT_TRUE(list.Replace(2, &white, nullptr));
  EXPECT_EQ(At(list, 2, 3, 3), 0xFFFFFFFFu);
  EXPECT_FALSE(list.Replace(3, &white, nullptr));
  EXPECT_FALSE(list.Delete(3));
  EXPECT_FALSE(list.Move(0, 3));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(SystemImageListTest, IconsAddedThroughTheApiCountAndReadBack) {
  SystemImageList big;
  big.Create(32, 32, ILC_COLOR32 | ILC_MASK, 4);
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(big.AddIcon(icon), 0);
  EXPECT_EQ(ImageList_ReplaceIcon(big.Handle(), -1, icon), 1);  // behind our back
  EXPECT_EQ(big.Count(), 2);
  std::vector<std::uint32_t> px;
  ASSERT_TRUE(big.Pixels(1, px));
  EXPECT_EQ(px.size(), 32u * 32u);
  const auto opaque = std::count_if(px.begin(), px.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  EXPECT_GT(opaque, 0);
  EXPECT_LT(opaque, 32 * 32);  // the icon has a transparent surround
  EXPECT_EQ(big.AddIcon(nullptr), -1);
}

TEST(SystemImageList, SharedListsAreNotDestroyed) {
  HIMAGELIST h = ImageList_Create(8, 8, ILC_COLOR32, 0, 4);
  {
    SystemImageList list;
    list.Adopt(h, true);
    EXPECT_EQ(list.Width(), 8);
    EXPECT_EQ(list.Count(), 0);
  }
  EXPECT_EQ(ImageList_GetImageCount(h), 0);  // still alive
  EXPECT_TRUE(ImageList_Destroy(h));
  SystemImageList none;
  EXPECT_EQ(none.Count(), 0);
  EXPECT_FALSE(none.GetBitmap(0, nullptr));
}
