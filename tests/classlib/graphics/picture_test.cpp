// JPEG pictures as graphics, and pictures choosing their format by extension or signature.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Jpeg.h"
#include "classlib/Picture.h"
#include "fixtures/jpeg_fixtures.h"

using namespace classlib;

namespace {

std::span<const std::uint8_t> Quadrants() { return {kQuadrantsJpeg, sizeof kQuadrantsJpeg}; }

// Within a tolerance: JPEG is lossy.
bool Near(TColor got, TColor want) {
  for (int shift : {0, 8, 16})
    if (std::abs(((got >> shift) & 0xFF) - ((want >> shift) & 0xFF)) > 24) return false;
  return true;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

}  // namespace

TEST(JPEGImage, DecodesDrawsAndScales) {
  TJPEGImage j;
  j.LoadFromBytes(Quadrants());
  EXPECT_EQ(j.Width(), 16);
  EXPECT_EQ(j.Height(), 16);
  EXPECT_EQ(j.Bitmap()->PixelFormat(), pf24bit);
  EXPECT_TRUE(Near(j.Bitmap()->Canvas()->Pixels(3, 3), clRed));
  EXPECT_TRUE(Near(j.Bitmap()->Canvas()->Pixels(12, 12), clWhite));

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(20, 20);
  target.Canvas()->Draw(2, 2, &j);
  EXPECT_TRUE(Near(target.Canvas()->Pixels(5, 5), clRed));
  EXPECT_TRUE(Near(target.Canvas()->Pixels(5, 15), clBlue));
  EXPECT_TRUE(Near(target.Canvas()->Pixels(15, 5), clLime));

  j.SetScale(jsHalf);
  EXPECT_EQ(j.Width(), 8);
  EXPECT_EQ(j.Bitmap()->Width(), 8);
  EXPECT_TRUE(Near(j.Bitmap()->Canvas()->Pixels(6, 1), clLime));
  j.SetScale(jsFullSize);
  j.SetGrayscale(true);
  EXPECT_EQ(j.Bitmap()->PixelFormat(), pf8bit);
  const TColor grey = j.Bitmap()->Canvas()->Pixels(3, 3);
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_NEAR(grey & 0xFF, 76, 12);
  EXPECT_THROW(j.SetWidth(3), EInvalidGraphicOperation);
}

TEST(JPEGImage, CorruptDataRaisesAndKeepsThePicture) {
  TJPEGImage j;
  j.LoadFromBytes(Quadrants());
  std::vector<std::uint8_t> bad(Quadrants().begin(), Quadrants().begin() + 40);
  EXPECT_THROW(j.LoadFromBytes(bad), EInvalidGraphic);
  EXPECT_EQ(j.Width(), 16);
  EXPECT_TRUE(Near(j.Bitmap()->Canvas()->Pixels(3, 3), clRed));
  const std::vector<std::uint8_t> garbage(300, 0xAB);
  EXPECT_THROW(TJPEGImage().LoadFromBytes(garbage), EInvalidGraphic);
}

TEST(JPEGImage, FromAndToBitmaps) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(16, 8);
  b.Canvas()->Brush()->SetColor(clBlue);
  b.Canvas()->FillRect(Rect(0, 0, 8, 8));
  TJPEGImage j;
  j.Assign(&b);
  j.SetCompressionQuality(95);
  const std::vector<std::uint8_t> file = j.SaveToBytes();
  ASSERT_GT(file.size(), 2u);
  EXPECT_EQ(file[0], 0xFF);
  TJPEGImage back;
  back.LoadFromBytes(file);
  EXPECT_EQ(back.Width(), 16);
  EXPECT_EQ(back.Height(), 8);
  EXPECT_TRUE(Near(back.Bitmap()->Canvas()->Pixels(2, 2), clBlue));
  EXPECT_TRUE(Near(back.Bitmap()->Canvas()->Pixels(13, 2), clWhite));

  TBitmap again;
  again.Assign(&back);  // drawn at its size
  EXPECT_EQ(again.Width(), 16);
  EXPECT_TRUE(Near(again.Canvas()->Pixels(2, 6), clBlue));
  EXPECT_THROW(TJPEGImage().SaveToBytes(), EInvalidGraphicOperation);
}

TEST(Picture, FormatsByExtensionAndSignature) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(4, 4);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(0, 0, 4, 4));
  const std::wstring bmpPath = TempFile(L"tarvisel-picture-test.BMP");
  b.SaveToFile(bmpPath);
  const std::wstring jpgPath = TempFile(L"tarvisel-picture-test.jpeg");
  {
    TJPEGImage j;
    j.LoadFromBytes(Quadrants());
    j.SaveToFile(jpgPath);
  }

  TPicture p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.LoadFromFile(bmpPath);
  ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Bitmap()->Canvas()->Pixels(1, 1), clRed);
  p.LoadFromFile(jpgPath);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Width(), 16);
  EXPECT_GE(changes, 2);
  const int before = changes;
  p.Graphic()->SetTransparent(true);  // the graphic's changes reach the picture
  EXPECT_GT(changes, before);

  try {
    p.LoadFromFile(TempFile(L"x.tif"));
    ADD_FAILURE() << "an unknown extension was accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find(L".tif"), std::wstring::npos);
  }
  EXPECT_EQ(p.Width(), 16);  // the failed load left the picture alone

  p.LoadFromBytes(b.SaveToBytes());
  EXPECT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
  p.LoadFromBytes(Quadrants());
  EXPECT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr);
  EXPECT_THROW(p.LoadFromBytes(std::vector<std::uint8_t>{1, 2, 3, 4, 5}), EInvalidGraphic);

  // Asking for the bitmap of a JPEG picture replaces it with an empty bitmap.
  EXPECT_TRUE(p.Bitmap()->Empty());
  DeleteFileW(bmpPath.c_str());
  DeleteFileW(jpgPath.c_str());
}

TEST(Picture, RegistryAndCopies) {
  TPicture::RegisterFileFormat(L".DIBX", L"Test bitmaps", [] { return std::make_unique<TBitmap>(); });
  EXPECT_NE(TPicture::GraphicFilter().find(L"Test bitmaps (*.dibx)|*.dibx"), std::wstring::npos);
  EXPECT_NE(TPicture::GraphicFilter().find(L"*.bmp;"), std::wstring::npos);
  TBitmap b(3, 3);
  const std::wstring path = TempFile(L"tarvisel-picture-test.dibx");
  b.SaveToFile(path);
  TPicture p;
  p.LoadFromFile(path);
  EXPECT_EQ(p.Width(), 3);
  TPicture::UnregisterFileFormat(L"dibx");
  EXPECT_THROW(p.LoadFromFile(path), EInvalidGraphic);
  DeleteFileW(path.c_str());

  TPicture q;
  q.Assign(&p);
  ASSERT_NE(q.Graphic(), nullptr);
  EXPECT_NE(q.Graphic(), p.Graphic());  // a copy, not a share
  EXPECT_EQ(q.Width(), 3);
  q.Assign(nullptr);
  EXPECT_EQ(q.Graphic(), nullptr);
  TJPEGImage j;
  j.LoadFromBytes(Quadrants());
  q.SetGraphic(&j);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(q.Graphic()), nullptr);
  EXPECT_EQ(q.Height(), 16);
}

TEST(Picture, StreamsHoldPicturesOneAfterAnother) {
  TBitmap red, blue;
  for (auto [b, c] : {std::pair{&red, clRed}, std::pair{&blue, clBlue}}) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(3, 2);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, 3, 2));
  }
  TMemoryStream stream;
  red.SaveToStream(stream);
  const std::int64_t second = stream.Position();
  blue.SaveToStream(stream);
  TJPEGImage j;
  j.LoadFromBytes(Quadrants());
  const std::int64_t third = stream.Position();
  j.SaveToStream(stream);

  stream.SetPosition(0);
  TBitmap a, b;
  a.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), second);
  b.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), third);
  EXPECT_EQ(a.Canvas()->Pixels(2, 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clBlue);
  TPicture p;
  p.LoadFromStream(stream);  // the rest: the JPEG
  EXPECT_NE(dynamic_cast<TJPEGImage*>(p.Graphic()), nullptr);
  EXPECT_EQ(stream.Position(), stream.Size());

  // A file header whose size is wrong: the rest of the stream is tried.
  std::vector<std::uint8_t> file = red.SaveToBytes();
  file[2] = 20, file[3] = 0, file[4] = 0, file[5] = 0;
  TMemoryStream wrong;
  wrong.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
  wrong.SetPosition(0);
  TBitmap c;
  c.LoadFromStream(wrong);
  EXPECT_EQ(c.Canvas()->Pixels(0, 0), clRed);

  // Cut short: refused.
  TMemoryStream cut;
  cut.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size() - 4));
  cut.SetPosition(0);
  EXPECT_THROW(c.LoadFromStream(cut), EInvalidGraphic);
  EXPECT_EQ(c.Canvas()->Pixels(0, 0), clRed);
}
