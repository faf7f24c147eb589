// TBitmap over DIB sections: row addressing, formats, files, resources, drawing and handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "classlib/Bitmap.h"

using namespace classlib;

namespace {

std::uint32_t& Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x]; }

// A 32-bit bitmap whose every pixel differs, alpha included.
void Pattern(TBitmap& b, int w, int h) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      Px(b, x, y) = static_cast<std::uint32_t>(0x01000000 * (x + 7 * y) + 0x00102030 * (x + 1) + y);
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

}  // namespace

TEST(Bitmap, ScanLineRowZeroIsTheTopAndAddressesDecrease) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(5, 4);
  const auto* r0 = static_cast<std::uint8_t*>(b.ScanLine(0));
  const auto* r1 = static_cast<std::uint8_t*>(b.ScanLine(1));
  EXPECT_EQ(r0 - r1, 20);
  // GDI and the scan lines see the same pixels in the same places.
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(0, 0, 5, 1));
  EXPECT_EQ(Px(b, 2, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Px(b, 2, 1) & 0xFFFFFF, 0xFFFFFFu);  // a new bitmap is white
  Px(b, 4, 3) = 0x000000FF;
  EXPECT_EQ(b.Canvas()->Pixels(4, 3), clBlue);
  const TImage32View v = b.Image32View();
  EXPECT_EQ(v.Width, 5);
  EXPECT_EQ(v.Height, 4);
  EXPECT_EQ(v.Stride, -20);
  EXPECT_EQ(v.At(4, 3).B, 0xFF);
  EXPECT_EQ(v.Row(0), b.ScanLine(0));
  EXPECT_THROW(b.ScanLine(4), EInvalidGraphicOperation);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
  b.SetPixelFormat(pf24bit);
  EXPECT_THROW(b.Image32View(), EInvalidGraphicOperation);
  EXPECT_TRUE(TBitmap().Image32View().Empty());
}

TEST(Bitmap, ResizeKeepsThePictureAndAlpha) {
  TBitmap b;
  Pattern(b, 6, 5);
  const std::uint32_t corner = Px(b, 3, 2);
  b.Canvas()->Brush()->SetColor(clLime);
  b.SetSize(9, 3);
  EXPECT_EQ(Px(b, 3, 2), corner);
  EXPECT_EQ(Px(b, 0, 0), 0x00102030u);
  EXPECT_EQ(Px(b, 7, 1) & 0xFFFFFF, 0x00FF00u);  // the new part has the brush colour
  b.SetWidth(0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Height(), 3);
}

TEST(Bitmap, SubBytePixelsSurviveResizing) {
  TBitmap b;
  b.SetPixelFormat(pf1bit);
  b.SetSize(11, 2);
  auto* row = static_cast<std::uint8_t*>(b.ScanLine(0));
  row[0] = 0xA5;
  row[1] = 0xC0;  // pixels 8 and 9 set, 10 clear
  b.Canvas()->Brush()->SetColor(clBlack);
  b.SetSize(13, 2);
  row = static_cast<std::uint8_t*>(b.ScanLine(0));
  EXPECT_EQ(row[0], 0xA5);
  EXPECT_EQ(row[1] & 0xE0, 0xC0);
  EXPECT_EQ(row[1] & 0x18, 0x00);  // new pixels 11 and 12: black, index 0
}

TEST(Bitmap, PixelFormatConversions) {
  TBitmap b;
  b.SetSize(4, 4);
  b.SetPixelFormat(pf32bit);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(0, 0, 2, 4));
  for (TPixelFormat pf : {pf24bit, pf16bit, pf15bit, pf8bit, pf4bit, pf32bit, pfDevice}) {
    b.SetPixelFormat(pf);
    EXPECT_EQ(b.PixelFormat(), pf);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed) << pf;
    EXPECT_EQ(b.Canvas()->Pixels(3, 3), clWhite) << pf;
  }
  b.SetPixelFormat(pf1bit);
  EXPECT_EQ(b.Canvas()->Pixels(3, 3), clWhite);
  EXPECT_THROW(b.SetPixelFormat(pfCustom), EInvalidGraphicOperation);
  EXPECT_EQ(b.HandleType(), bhDIB);
  b.SetHandleType(bhDDB);
  EXPECT_EQ(b.PixelFormat(), pfDevice);
}

TEST(Bitmap, BmpRoundTripKeepsEveryByte) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    TBitmap a;
    Pattern(a, 7, 3);
    a.SetPixelFormat(pf);
    if (pf == pf32bit) Pattern(a, 7, 3);
    const std::vector<std::uint8_t> file = a.SaveToBytes();
    TBitmap b;
    b.LoadFromBytes(file);
    EXPECT_EQ(b.PixelFormat(), pf);
    ASSERT_EQ(b.Width(), 7);
    ASSERT_EQ(b.Height(), 3);
    const std::size_t rowBytes = (7 * b.BitCount() + 7) / 8;
    for (int y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(a.ScanLine(y), b.ScanLine(y), rowBytes), 0) << pf << " row " << y;
    for (int x = 0; x < 7; ++x) EXPECT_EQ(a.Canvas()->Pixels(x, 1), b.Canvas()->Pixels(x, 1)) << pf;
  }
  TBitmap wide;
  wide.SetPixelFormat(pf16bit);
  wide.SetSize(2, 2);
  wide.Canvas()->Brush()->SetColor(clBlue);
  wide.Canvas()->FillRect(Rect(0, 0, 2, 2));
  TBitmap back;
  back.LoadFromBytes(wide.SaveToBytes());  // 16-bit pictures are written as 24-bit
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_EQ(back.Canvas()->Pixels(1, 1), clBlue);
  EXPECT_THROW(TBitmap().SaveToBytes(), EInvalidGraphicOperation);
}

TEST(Bitmap, FilesAndMalformedData) {
  TBitmap a;
  Pattern(a, 3, 3);
  const std::wstring path = TempFile(L"tarvisel-bitmap-test.bmp");
  a.SaveToFile(path);
  TBitmap b;
  b.LoadFromFile(path);
  EXPECT_EQ(Px(b, 2, 2), Px(a, 2, 2));
  DeleteFileW(path.c_str());

  std::vector<std::uint8_t> file = a.SaveToBytes();
  file.resize(file.size() - 1);
  EXPECT_THROW(b.LoadFromBytes(file), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 3);  // a refused file leaves the bitmap as it was
  EXPECT_EQ(Px(b, 2, 2), Px(a, 2, 2));
  EXPECT_THROW(b.LoadFromFile(TempFile(L"tarvisel-no-such-file.bmp")), EFOpenError);

  // Saving an empty bitmap fails before the file is touched.
  a.SaveToFile(path);
  EXPECT_THROW(TBitmap().SaveToFile(path), EInvalidGraphicOperation);
  TBitmap kept;
  kept.LoadFromFile(path);
  EXPECT_EQ(kept.Width(), 3);
  DeleteFileW(path.c_str());
}

TEST(Bitmap, ResourceByNameIsAPackedDib) {
  TBitmap b;
  b.LoadFromResourceName(GetModuleHandleW(nullptr), L"TINY");
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clBlue);  // bottom row
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleW(nullptr), L"MISSING"), EResNotFound);
  EXPECT_THROW(b.LoadFromResourceID(GetModuleHandleW(nullptr), 999), EResNotFound);
}

TEST(Bitmap, TransparentColourAndTransparentDrawing) {
  TBitmap sprite;
  sprite.SetPixelFormat(pf24bit);
  sprite.SetSize(4, 4);
  sprite.Canvas()->Brush()->SetColor(clFuchsia);
  sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
  sprite.Canvas()->Brush()->SetColor(clBlue);
  sprite.Canvas()->FillRect(Rect(1, 1, 3, 3));
  EXPECT_EQ(sprite.TransparentMode(), tmAuto);
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);  // the bottom-left pixel
  sprite.SetTransparent(true);

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(6, 6);
  target.Canvas()->Brush()->SetColor(clLime);
  target.Canvas()->FillRect(Rect(0, 0, 6, 6));
  target.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clLime);
  EXPECT_EQ(target.Canvas()->Pixels(2, 2), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(4, 4), clLime);

  sprite.SetTransparentColor(clBlue);
  EXPECT_EQ(sprite.TransparentMode(), tmFixed);
  target.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(target.Canvas()->Pixels(2, 2), clBlue);     // left from before
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clFuchsia);  // now drawn
  sprite.SetTransparentMode(tmAuto);
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
}

TEST(Bitmap, AlphaFormatsBlendOverTheTarget) {
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(2, 1);
  target.Canvas()->Brush()->SetColor(clBlack);
  target.Canvas()->FillRect(Rect(0, 0, 2, 1));

  TBitmap src;
  src.SetPixelFormat(pf32bit);
  src.SetSize(2, 1);
  Px(src, 0, 0) = 0x80FFFFFF;  // straight: white at half
  Px(src, 1, 0) = 0x00FFFFFF;  // fully transparent
  src.SetAlphaFormat(afDefined);
  target.Canvas()->Draw(0, 0, &src);
  const std::uint32_t half = Px(target, 0, 0) & 0xFF;
  EXPECT_NEAR(static_cast<int>(half), 128, 2);
  EXPECT_EQ(Px(target, 1, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(Px(src, 0, 0), 0x80FFFFFFu);  // drawing leaves the source untouched

  Px(src, 0, 0) = 0x40404040;  // premultiplied quarter white
  src.SetAlphaFormat(afPremultiplied);
  target.Canvas()->Brush()->SetColor(clBlack);
  target.Canvas()->FillRect(Rect(0, 0, 2, 1));
  target.Canvas()->Draw(0, 0, &src);
  EXPECT_NEAR(static_cast<int>(Px(target, 0, 0) & 0xFF), 0x40, 2);
}

TEST(Bitmap, StretchDrawScales) {
  TBitmap src;
  src.SetPixelFormat(pf24bit);
  src.SetSize(2, 1);
  src.Canvas()->SetPixels(0, 0, clRed);
  src.Canvas()->SetPixels(1, 0, clBlue);
  TBitmap dst;
  dst.SetPixelFormat(pf32bit);
  dst.SetSize(8, 2);
  dst.Canvas()->StretchDraw(Rect(0, 0, 8, 2), &src);
  EXPECT_EQ(dst.Canvas()->Pixels(0, 1), clRed);
  EXPECT_EQ(dst.Canvas()->Pixels(3, 0), clRed);
  EXPECT_EQ(dst.Canvas()->Pixels(4, 0), clBlue);
  EXPECT_EQ(dst.Canvas()->Pixels(7, 1), clBlue);
}

TEST(Bitmap, AssignIsADeepCopy) {
  TBitmap a;
  Pattern(a, 4, 3);
  a.SetTransparentColor(clRed);
  a.SetTransparent(true);
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(Px(b, 3, 2), Px(a, 3, 2));
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clRed);
  Px(a, 3, 2) = 0;
  EXPECT_NE(Px(b, 3, 2), 0u);
  EXPECT_NE(a.Handle(), b.Handle());
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  TFont font;
  EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Bitmap, HandlesAreOwnedAndFreed) {
  HBITMAP h = nullptr;
  {
    TBitmap b;
    b.SetSize(3, 3);
    b.Canvas()->FillRect(Rect(0, 0, 3, 3));  // selected into the canvas DC
    h = b.Handle();
    EXPECT_NE(GetObjectType(h), 0u);
  }
  EXPECT_EQ(GetObjectType(h), 0u);  // deselected, then deleted

  // A top-down DIB handed over is stored bottom-up with every byte.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP topDown = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<std::uint32_t*>(bits);
  px[0] = 0x11223344;  // top-left
  px[3] = 0x55667788;  // bottom-right
  TBitmap b;
  b.SetHandle(topDown);
  EXPECT_EQ(GetObjectType(topDown), 0u);  // copied and freed
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(Px(b, 0, 0), 0x11223344u);
  EXPECT_EQ(Px(b, 1, 1), 0x55667788u);

  // A device-dependent bitmap becomes a DIB.
  ScreenDC screen;
  HBITMAP ddb = CreateCompatibleBitmap(screen.get(), 3, 2);
  b.SetHandle(ddb);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_NO_THROW(b.ScanLine(1));

  HBITMAP released = b.ReleaseHandle();
  EXPECT_TRUE(b.Empty());
  EXPECT_NE(GetObjectType(released), 0u);
  DeleteObject(released);
}

TEST(Bitmap, IdleMemoryContextsAreReleased) {
  std::vector<std::unique_ptr<TBitmap>> many;
  for (int i = 0; i < 50; ++i) {
    many.push_back(std::make_unique<TBitmap>(2, 2));
    many.back()->Canvas()->FillRect(Rect(0, 0, 1, 1));
  }
  many[7]->Canvas()->Lock();
  const HDC kept = many[7]->Canvas()->Handle();
  FreeMemoryContexts();
  EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(many[7]->Canvas()->Handle(), kept);
  many[7]->Canvas()->Unlock();
  // A released canvas draws again on demand.
  many[3]->Canvas()->Brush()->SetColor(clRed);
  many[3]->Canvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(many[3]->Canvas()->Pixels(1, 1), clRed);
}
