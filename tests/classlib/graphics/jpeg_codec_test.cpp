// The JPEG codec over libjpeg: colours, scaling, CMYK, encoding, and damaged input that must
// come back as an exception or a picture, never as the end of the process.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "classlib/GraphicsErrors.h"
#include "classlib/JpegCodec.h"
#include "fixtures/jpeg_fixtures.h"

using namespace classlib;
using namespace classlib::jpeg;

namespace {

std::span<const std::uint8_t> Quadrants() { return {kQuadrantsJpeg, sizeof kQuadrantsJpeg}; }

struct Bgr {
  int b, g, r;
};
Bgr At(const Image& im, int x, int y) {
  const std::uint8_t* p = &im.Pixels[(static_cast<std::size_t>(y) * im.Width + x) * im.Channels];
  return {p[0], p[1], p[2]};
}
void ExpectNear(Bgr got, Bgr want, const char* where) {
  EXPECT_NEAR(got.b, want.b, 24) << where;
  EXPECT_NEAR(got.g, want.g, 24) << where;
  EXPECT_NEAR(got.r, want.r, 24) << where;
}
void ExpectQuadrants(const Image& im) {
  ASSERT_EQ(im.Channels, 3);
  const int q = im.Width / 4, f = im.Width * 3 / 4;
  ExpectNear(At(im, q, q), {0, 0, 255}, "red");
  ExpectNear(At(im, f, q), {0, 255, 0}, "lime");
  ExpectNear(At(im, q, f), {255, 0, 0}, "blue");
  ExpectNear(At(im, f, f), {255, 255, 255}, "white");
}

}  // namespace

TEST(JpegCodec, DecodesColoursInBlueGreenRedOrder) {
  const Header h = ReadHeader(Quadrants());
  EXPECT_EQ(h.Width, 16);
  EXPECT_EQ(h.Height, 16);
  EXPECT_EQ(h.Components, 3);
  const Image im = Decode(Quadrants());
  EXPECT_EQ(im.Width, 16);
  EXPECT_EQ(im.Height, 16);
  EXPECT_EQ(im.Pixels.size(), 16u * 16u * 3u);
  ExpectQuadrants(im);
}

TEST(JpegCodec, AdobeCmykIsConverted) {
  const Image im = Decode({kCmykQuadrantsJpeg, sizeof kCmykQuadrantsJpeg});
  EXPECT_EQ(ReadHeader({kCmykQuadrantsJpeg, sizeof kCmykQuadrantsJpeg}).Components, 4);
  ExpectQuadrants(im);
}

TEST(JpegCodec, ScaleGreyAndFastOptions) {
  for (int d : {2, 4, 8}) {
    const Image im = Decode(Quadrants(), {d, false, d == 4});
    EXPECT_EQ(im.Width, 16 / d);
    EXPECT_EQ(im.Height, 16 / d);
    if (d < 8) ExpectQuadrants(im);
  }
  const Image grey = Decode(Quadrants(), {1, true, false});
  EXPECT_EQ(grey.Channels, 1);
  EXPECT_EQ(grey.Pixels.size(), 256u);
  EXPECT_NEAR(grey.Pixels[4 * 16 + 4], 76, 12);  // red's luma
  EXPECT_THROW(Decode(Quadrants(), {3, false, false}), EInvalidGraphicOperation);
}

TEST(JpegCodec, EncodeThenDecode) {
  Image src;
  src.Width = 16;
  src.Height = 16;
  src.Channels = 3;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const Bgr c = y < 8 ? (x < 8 ? Bgr{0, 0, 255} : Bgr{0, 255, 0}) : (x < 8 ? Bgr{255, 0, 0} : Bgr{255, 255, 255});
      src.Pixels.insert(src.Pixels.end(), {static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                                           static_cast<std::uint8_t>(c.r)});
    }
  for (bool progressive : {false, true}) {
    const std::vector<std::uint8_t> file = Encode(src, 95, progressive);
    ASSERT_GT(file.size(), 100u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    ExpectQuadrants(Decode(file));
  }
  const std::size_t small = Encode(src, 5).size(), large = Encode(src, 100).size();
  EXPECT_LT(small, large);

  Image grey{8, 8, 1, std::vector<std::uint8_t>(64, 200)};
  const Image back = Decode(Encode(grey, 90));
  EXPECT_EQ(back.Channels, 1);
  EXPECT_NEAR(back.Pixels[27], 200, 3);

  Image wrong = grey;
  wrong.Pixels.pop_back();
  EXPECT_THROW(Encode(wrong, 90), EInvalidGraphicOperation);
  EXPECT_THROW(Encode(Image{}, 90), EInvalidGraphicOperation);
}

TEST(JpegCodec, DamagedInputIsAnExceptionOrAPicture) {
  EXPECT_THROW(Decode({}), EInvalidGraphic);
  const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  EXPECT_THROW(Decode(text), EInvalidGraphic);
  EXPECT_THROW(ReadHeader(text), EInvalidGraphic);
  try {
    Decode(text);
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find(L"JPEG"), std::wstring::npos);
  }

  // Every prefix: refused while the headers are incomplete, a 16x16 picture after them.
  const auto full = Quadrants();
  int refused = 0, decoded = 0;
  for (std::size_t n = 0; n < full.size(); ++n) {
    try {
      const Image im = Decode(full.first(n));
      EXPECT_EQ(im.Width, 16);
      EXPECT_EQ(im.Pixels.size(), 16u * 16u * 3u);
      ++decoded;
    } catch (const EInvalidGraphic&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 100);
  EXPECT_GT(decoded, 10);

  // Flipped bytes everywhere after the start-of-image marker.
  std::vector<std::uint8_t> bad(full.begin(), full.end());
  for (std::size_t i = 2; i < bad.size(); i += 7) {
    std::vector<std::uint8_t> copy = bad;
    copy[i] ^= 0x5A;
    try {
      Decode(copy);
    } catch (const EInvalidGraphic&) {}
  }

  // A huge declared size is refused before anything is allocated.
  std::vector<std::uint8_t> huge(full.begin(), full.end());
  for (std::size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // SOF0: length, precision, height, width
      huge[i + 5] = 0xFF, huge[i + 6] = 0xF0, huge[i + 7] = 0xFF, huge[i + 8] = 0xF0;
      break;
    }
  EXPECT_THROW(ReadHeader(huge), EInvalidGraphic);
}
