#include "skin/graphics/ColorManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace skin {
namespace {

using enum TColorScheme;
using Bytes = std::vector<std::uint8_t>;

TColorManager Layout(TColorScheme source, int sourceBits, TColorScheme target, int targetBits) {
  TColorManager m;
  m.SetSourceColorScheme(source);
  m.SetSourceBitsPerSample(sourceBits);
  m.SetTargetColorScheme(target);
  m.SetTargetBitsPerSample(targetBits);
  return m;
}

std::uint16_t Host16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

TEST(ColorManager, GreyTwoBitWidensToFourBitIndexes) {
  TColorManager m = Layout(csG, 2, csG, 4);
  const Bytes source{0b00'01'10'11};  // 0, 1, 2, 3
  Bytes target(2, 0);
  m.ConvertRow(source.data(), target.data(), 4, 0xFF);
  EXPECT_EQ(target, (Bytes{0x05, 0xAF}));  // 0, 5 | 10, 15
}

TEST(ColorManager, PaletteFollowsWidenedIndexes) {
  TColorManager m = Layout(csIndexed, 2, csIndexed, 4);
  const Bytes plte{10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
  const std::uint8_t* source = plte.data();
  const auto palette = m.CreateColorPalette(std::span(&source, 1), TRawPaletteFormat::pfInterlaced8Triple, 4, false);
  ASSERT_EQ(palette.size(), 16u);
  for (int k = 0; k < 16; ++k) {
    const int from = k * 3 / 15;
    EXPECT_EQ(palette[k].R, 10 * (from + 1)) << k;
    EXPECT_EQ(palette[k].B, 10 * (from + 1) + 2) << k;
  }
  // Index i * 5 always lands on colour i.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(palette[i * 5].R, 10 * (i + 1));
}

TEST(ColorManager, ReindexingNeverReadsPastTheGivenPalette) {
  TColorManager m = Layout(csIndexed, 2, csIndexed, 4);
  const Bytes plte{200, 201, 202};  // one colour for a 2-bit image
  const std::uint8_t* source = plte.data();
  const auto palette = m.CreateColorPalette(std::span(&source, 1), TRawPaletteFormat::pfInterlaced8Triple, 1, false);
  ASSERT_EQ(palette.size(), 16u);
  EXPECT_EQ(palette[0], (TPaletteEntry{200, 201, 202, 0}));
  for (int k = 5; k < 16; ++k) EXPECT_EQ(palette[k], TPaletteEntry{}) << k;
}

TEST(ColorManager, PaletteFormatsAndGamma) {
  TColorManager m = Layout(csIndexed, 8, csIndexed, 8);
  const Bytes quads{1, 2, 3, 99, 4, 5, 6, 99};
  const std::uint8_t* q = quads.data();
  auto palette = m.CreateColorPalette(std::span(&q, 1), TRawPaletteFormat::pfInterlaced8Quad, 2, true);
  ASSERT_EQ(palette.size(), 2u);
  EXPECT_EQ(palette[1], (TPaletteEntry{6, 5, 4, 0}));  // blue first, fourth sample skipped

  const Bytes r{1, 2}, g{3, 4}, b{5, 6};
  const std::uint8_t* planes[3] = {r.data(), g.data(), b.data()};
  palette = m.CreateColorPalette(planes, TRawPaletteFormat::pfPlane8Triple, 2, true);
  EXPECT_EQ(palette[1], (TPaletteEntry{2, 4, 6, 0}));  // planes stay red, green, blue

  const Bytes wide{0xFF, 0xFE, 0x01, 0x01, 0x00, 0xFF};  // big-endian 16-bit samples
  const std::uint8_t* w = wide.data();
  m.SourceOptions.Include(TConvertOption::coNeedByteSwap);
  palette = m.CreateColorPalette(std::span(&w, 1), TRawPaletteFormat::pfInterlaced16Triple, 1, false);
  EXPECT_EQ(palette[0], (TPaletteEntry{254, 1, 0, 0}));

  m.TargetOptions.Include(TConvertOption::coApplyGamma);  // default gamma 1 / 2.2
  const Bytes mid{128, 0, 255};
  const std::uint8_t* p = mid.data();
  palette = m.CreateColorPalette(std::span(&p, 1), TRawPaletteFormat::pfInterlaced8Triple, 1, false);
  EXPECT_EQ(palette[0], (TPaletteEntry{186, 0, 255, 0}));

  // More than 256 colours give 256.
  const Bytes many(300 * 3, 7);
  const std::uint8_t* all = many.data();
  EXPECT_EQ(m.CreateColorPalette(std::span(&all, 1), TRawPaletteFormat::pfInterlaced8Triple, 300, false).size(), 256u);
}

TEST(ColorManager, GammaTable) {
  TColorManager m;
  EXPECT_EQ(m.GammaTable()[0], 0);
  EXPECT_EQ(m.GammaTable()[128], 186);  // (128 / 255) ^ (1 / 2.2) * 255 = 186.4
  EXPECT_EQ(m.GammaTable()[255], 255);
  m.SetGamma(0, 0);
  EXPECT_FLOAT_EQ(m.MainGamma(), 1.0f);
  EXPECT_FLOAT_EQ(m.DisplayGamma(), 2.2f);
  m.SetGamma(1.0f / 2.2f, 2.2f);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(m.GammaTable()[i], i);
  // Small depths scale between their own ranges.
  m.SetSourceBitsPerSample(2);
  m.SetTargetBitsPerSample(4);
  m.SetGamma(1.0f, 1.0f);
  EXPECT_EQ(m.GammaTable()[1], 5);
  EXPECT_EQ(m.GammaTable()[3], 15);
}

TEST(ColorManager, GreyscalePalette) {
  TColorManager m = Layout(csG, 4, csG, 4);
  m.SetTargetSamplesPerPixel(1);
  auto ramp = m.CreateGrayscalePalette(false);
  ASSERT_EQ(ramp.size(), 16u);
  EXPECT_EQ(ramp[1], (TPaletteEntry{17, 17, 17, 0}));
  EXPECT_EQ(ramp[15], (TPaletteEntry{255, 255, 255, 0}));
  ramp = m.CreateGrayscalePalette(true);
  EXPECT_EQ(ramp[0].R, 255);
  EXPECT_EQ(ramp[15].R, 0);
  m.SetSourceBitsPerSample(8);
  m.SetTargetBitsPerSample(8);
  m.TargetOptions.Include(TConvertOption::coApplyGamma);
  m.SetGamma(1.0f, 2.2f);
  ramp = m.CreateGrayscalePalette(false);
  ASSERT_EQ(ramp.size(), 256u);
  EXPECT_EQ(ramp[128].G, 186);
}

TEST(ColorManager, MaskPicksPixelsAndConsumesOneSourcePixelEach) {
  struct Case {
    std::uint8_t mask;
    std::vector<int> written;
  };
  const Case cases[] = {{0x80, {0, 8}},
                        {0x08, {4, 12}},
                        {0x88, {0, 4, 8, 12}},
                        {0x22, {2, 6, 10, 14}},
                        {0xAA, {0, 2, 4, 6, 8, 10, 12, 14}},
                        {0x55, {1, 3, 5, 7, 9, 11, 13, 15}}};
  for (const Case& c : cases) {
    TColorManager m = Layout(csIndexed, 8, csIndexed, 8);
    const Bytes source{1, 2, 3, 4, 5, 6, 7, 8};
    Bytes target(16, 0xEE);
    m.ConvertRow(source.data(), target.data(), 16, c.mask);
    Bytes expected(16, 0xEE);
    for (std::size_t k = 0; k < c.written.size(); ++k) expected[c.written[k]] = source[k];
    EXPECT_EQ(target, expected) << int(c.mask);
  }
}

TEST(ColorManager, PackedMaskedWritesKeepTheOtherBits) {
  TColorManager m = Layout(csIndexed, 1, csIndexed, 1);
  const Bytes source{0b1100'0000};
  Bytes target{0b0101'0101};
  m.ConvertRow(source.data(), target.data(), 8, 0xAA);  // pixels 0, 2, 4, 6 get 1, 1, 0, 0
  EXPECT_EQ(target[0], 0b1111'0101);

  TColorManager four = Layout(csG, 2, csG, 4);
  const Bytes twoBit{0b11'01'0000};
  Bytes nibbles{0x12, 0x34};
  four.ConvertRow(twoBit.data(), nibbles.data(), 4, 0x55);  // pixels 1 and 3 get 15 and 5
  EXPECT_EQ(nibbles, (Bytes{0x1F, 0x35}));
}

TEST(ColorManager, SixteenBitSamplesReduceByTruncation) {
  TColorManager m = Layout(csRGB, 16, csBGR, 8);
  m.SourceOptions = {TConvertOption::coNeedByteSwap};
  const Bytes source{0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x01};  // R 0xFFFE, G 0xFFFF, B 0x0101
  Bytes target(3);
  m.ConvertRow(source.data(), target.data(), 1, 0xFF);
  EXPECT_EQ(target, (Bytes{1, 255, 254}));
}

TEST(ColorManager, RgbFamilyAlphaRules) {
  const Bytes rgba{10, 20, 30, 40, 50, 60, 70, 80};
  {  // both carry alpha: copied, never through gamma
    TColorManager m = Layout(csRGBA, 8, csBGRA, 8);
    m.TargetOptions.Include(TConvertOption::coApplyGamma);
    Bytes t(8);
    m.ConvertRow(rgba.data(), t.data(), 2, 0xFF);
    const auto& g = m.GammaTable();
    EXPECT_EQ(t, (Bytes{g[30], g[20], g[10], 40, g[70], g[60], g[50], 80}));
  }
  {  // only the source: its alpha is skipped
    TColorManager m = Layout(csRGBA, 8, csBGR, 8);
    Bytes t(6);
    m.ConvertRow(rgba.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{30, 20, 10, 70, 60, 50}));
  }
  {  // only the target: four samples wide, its alpha left alone
    TColorManager m = Layout(csRGB, 8, csBGRA, 8);
    const Bytes rgb{1, 2, 3, 4, 5, 6};
    Bytes t(8, 0x77);
    m.ConvertRow(rgb.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{3, 2, 1, 0x77, 6, 5, 4, 0x77}));
  }
  {  // same order, masked: the fast paths are not the only paths
    TColorManager m = Layout(csBGRA, 8, csBGRA, 8);
    Bytes t(8, 0);
    m.ConvertRow(rgba.data(), t.data(), 2, 0x40);
    EXPECT_EQ(t, (Bytes{0, 0, 0, 0, 10, 20, 30, 40}));
  }
  {  // planes
    TColorManager m = Layout(csRGB, 8, csBGR, 8);
    const Bytes r{1, 2}, g{3, 4}, b{5, 6};
    const std::uint8_t* planes[3] = {r.data(), g.data(), b.data()};
    Bytes t(6);
    m.ConvertRow(planes, t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{5, 3, 1, 6, 4, 2}));
  }
  {  // 8 to 16 bits: widened, then swapped as the source options say
    TColorManager m = Layout(csRGBA, 8, csRGBA, 16);
    m.SourceOptions = {TConvertOption::coNeedByteSwap};
    Bytes t(8);
    m.ConvertRow(rgba.data(), t.data(), 1, 0xFF);
    EXPECT_EQ(t, (Bytes{10, 10, 20, 20, 30, 30, 40, 40}));
  }
  {  // 16 to 16 bits: swapped into host order
    TColorManager m = Layout(csRGB, 16, csBGR, 16);
    m.SourceOptions = {TConvertOption::coNeedByteSwap};
    const Bytes big{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    Bytes t(6);
    m.ConvertRow(big.data(), t.data(), 1, 0xFF);
    EXPECT_EQ(Host16(&t[0]), 0x9ABC);
    EXPECT_EQ(Host16(&t[4]), 0x1234);
  }
}

TEST(ColorManager, GreyConverter) {
  {  // grey with alpha into an 8-bit index: alpha dropped
    TColorManager m = Layout(csGA, 8, csIndexed, 8);
    const Bytes ga{5, 200, 6, 201, 7, 202};
    Bytes t(3);
    m.ConvertRow(ga.data(), t.data(), 3, 0xFF);
    EXPECT_EQ(t, (Bytes{5, 6, 7}));
  }
  {  // 16-bit grey with alpha, big-endian
    TColorManager m = Layout(csGA, 16, csIndexed, 8);
    m.SourceOptions = {TConvertOption::coNeedByteSwap};
    const Bytes ga{0xFF, 0xFF, 0, 0, 0x80, 0x00, 0, 0};
    Bytes t(2);
    m.ConvertRow(ga.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{255, 127}));
  }
  {  // a gamma flag does not reach grey samples: the ramp carries it
    TColorManager m = Layout(csG, 16, csG, 8);
    m.SourceOptions = {TConvertOption::coNeedByteSwap};
    m.TargetOptions.Include(TConvertOption::coApplyGamma);
    const Bytes g16{0x80, 0x80};
    Bytes t(1);
    m.ConvertRow(g16.data(), t.data(), 1, 0xFF);
    EXPECT_EQ(t[0], 0x8080 / 257);
  }
}

TEST(ColorManager, ConverterChoiceAndErrors) {
  auto message = [](auto&& f) {
    try {
      f();
    } catch (const EColorConversionError& e) {
      return std::string(e.Message().begin(), e.Message().end());  // the texts are ASCII
    }
    return std::string("no error");
  };
  const Bytes px(8, 0);
  Bytes t(8);
  EXPECT_EQ(message([&] { Layout(csG, 8, csGA, 8).PrepareConversion(); }),
            "Conversion between indexed and non-indexed pixel formats is not supported.");
  EXPECT_EQ(message([&] { Layout(csRGB, 8, csIndexed, 8).PrepareConversion(); }),
            "Conversion between indexed and non-indexed pixel formats is not supported.");
  EXPECT_EQ(message([&] { Layout(csG, 8, csIndexed, 8).ConvertRow(px.data(), t.data(), 1, 0xFF); }), "no error");
  EXPECT_EQ(message([&] { Layout(csRGB, 8, csUnknown, 8).ConvertRow(px.data(), t.data(), 1, 0xFF); }),
            "Color conversion failed. Could not find a proper method.");
  EXPECT_EQ(message([&] { Layout(csCMY, 8, csRGB, 8).ConvertRow(px.data(), t.data(), 1, 0xFF); }),
            "Color conversion failed. Could not find a proper method.");
  EXPECT_EQ(message([&] { Layout(csG, 16, csG, 4).ConvertRow(px.data(), t.data(), 1, 0xFF); }),
            "Color conversion failed. Could not find a proper method.");
  TColorManager m;
  for (int bad : {0, 17})
    EXPECT_EQ(message([&] { m.SetSourceBitsPerSample(bad); }),
              "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  for (int bad : {0, 5})
    EXPECT_EQ(message([&] { m.SetTargetSamplesPerPixel(bad); }),
              "Sample count per pixel does not correspond to the given color scheme.");

  using M = TColorManager;
  struct Choice {
    TColorScheme source;
    int sourceBits;
    TColorScheme target;
    int targetBits;
    M::TConversionMethod method;
  };
  const Choice choices[] = {
      {csIndexed, 16, csIndexed, 16, &M::RowConvertIndexedBoth16},
      {csIndexed, 16, csIndexed, 8, &M::RowConvertIndexedSource16},
      {csIndexed, 4, csIndexed, 16, &M::RowConvertIndexedTarget16},
      {csG, 4, csIndexed, 8, &M::RowConvertIndexed8},
      {csG, 16, csG, 8, &M::RowConvertGray},
      {csGA, 8, csIndexed, 8, &M::RowConvertGray},
      {csRGBA, 8, csRGB, 8, &M::RowConvertRGB2RGB},
      {csBGR, 8, csRGBA, 8, &M::RowConvertBGR2RGB},
      {csBGRA, 16, csBGR, 8, &M::RowConvertBGR2BGR},
      {csCMYK, 8, csBGRA, 8, &M::RowConvertCMYK2BGR},
      {csCIELab, 8, csRGB, 8, &M::RowConvertCIELAB2RGB},
      {csYCbCr, 8, csBGR, 8, &M::RowConvertYCbCr2BGR},
      {csPhotoYCC, 8, csRGB, 8, &M::RowConvertPhotoYCC2RGB},
  };
  for (const Choice& c : choices) {
    TColorManager chosen = Layout(c.source, c.sourceBits, c.target, c.targetBits);
    chosen.PrepareConversion();
    EXPECT_TRUE(chosen.RowConversion() == c.method) << int(c.source) << "->" << int(c.target);
  }
}

TEST(ColorManager, OptionsFollowTheSchemes) {
  TColorManager m = Layout(csRGBA, 8, csBGR, 8);
  m.TargetOptions.Include(TConvertOption::coAlpha);
  m.PrepareConversion();
  EXPECT_TRUE(m.SourceOptions.Contains(TConvertOption::coAlpha));
  EXPECT_FALSE(m.TargetOptions.Contains(TConvertOption::coAlpha));
}

TEST(ColorManager, PixelFormats) {
  struct Case {
    int samples, bits;
    TPixelFormat format;
  };
  const Case cases[] = {{1, 1, TPixelFormat::pf1bit},   {1, 2, TPixelFormat::pf4bit},  {1, 4, TPixelFormat::pf4bit},
                        {1, 5, TPixelFormat::pfCustom}, {1, 8, TPixelFormat::pf8bit},  {1, 16, TPixelFormat::pf8bit},
                        {3, 5, TPixelFormat::pf15bit},  {3, 8, TPixelFormat::pf24bit}, {4, 8, TPixelFormat::pf32bit},
                        {4, 4, TPixelFormat::pfCustom}, {2, 8, TPixelFormat::pfCustom}};
  for (const Case& c : cases) {
    TColorManager m;
    m.SetTargetSamplesPerPixel(c.samples);
    m.SetTargetBitsPerSample(c.bits);
    m.SetSourceSamplesPerPixel(c.samples);
    m.SetSourceBitsPerSample(c.bits);
    EXPECT_EQ(m.GetPixelFormat(true), c.format) << c.samples << "x" << c.bits;
    EXPECT_EQ(m.GetPixelFormat(false), c.format) << c.samples << "x" << c.bits;
  }
}

TEST(ColorManager, IndexedSixteenBitConverters) {
  const Bytes big{0xFF, 0xFF, 0x80, 0x00};
  {
    TColorManager m = Layout(csIndexed, 16, csIndexed, 4);
    m.SourceOptions = {TConvertOption::coNeedByteSwap};
    Bytes t(1, 0);
    m.ConvertRow(big.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t[0], 0xF7);  // 15, 0x8000 * 15 / 65535 = 7
  }
  {
    TColorManager m = Layout(csIndexed, 2, csIndexed, 16);
    const Bytes packed{0b11'01'0000};
    Bytes t(4);
    m.ConvertRow(packed.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(Host16(&t[0]), 65535);
    EXPECT_EQ(Host16(&t[2]), 21845);
  }
}

TEST(ColorManager, OtherColourSpaces) {
  {  // CMYK, 8 bits
    TColorManager m = Layout(csCMYK, 8, csRGB, 8);
    const Bytes cmyk{0, 0, 0, 0, 255, 0, 0, 0, 100, 0, 0, 50, 0, 0, 0, 255};
    Bytes t(12);
    m.ConvertRow(cmyk.data(), t.data(), 4, 0xFF);
    EXPECT_EQ(t, (Bytes{255, 255, 255, 0, 255, 255, 124, 205, 205, 0, 0, 0}));
  }
  {  // CMYK, 16 to 8 bits, as planes
    TColorManager m = Layout(csCMYK, 16, csBGR, 8);
    const Bytes c{0, 0}, y{0, 0}, k{0, 0}, mag{0xFF, 0xFF};
    const std::uint8_t* planes[4] = {c.data(), mag.data(), y.data(), k.data()};
    Bytes t(3);
    m.ConvertRow(planes, t.data(), 1, 0xFF);
    EXPECT_EQ(t, (Bytes{255, 0, 255}));  // magenta: B, G, R
  }
  {  // YCbCr
    TColorManager m = Layout(csYCbCr, 8, csRGB, 8);
    const Bytes ycc{128, 128, 128, 0, 128, 255};
    Bytes t(6);
    m.ConvertRow(ycc.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{128, 128, 128, 178, 0, 0}));  // Cr 127 above centre: 1.402 * 127 = 178
  }
  {  // CIE L*a*b*, chroma offset: white and black
    TColorManager m = Layout(csCIELab, 8, csBGR, 8);
    m.SourceOptions = {TConvertOption::coLabChromaOffset};
    const Bytes lab{100, 128, 128, 0, 128, 128};
    Bytes t(6);
    m.ConvertRow(lab.data(), t.data(), 2, 0xFF);
    EXPECT_EQ(t, (Bytes{255, 255, 255, 0, 0, 0}));
  }
}

}  // namespace
}  // namespace skin
