#include "skin/graphics/PngReader.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngFilter.h"
#include "tests/skin/graphics/png/PngBuilder.h"
#include "tests/skin/graphics/png/PngExpectations.h"

namespace skin {
namespace {

using namespace png_test;

// The message of the error a load raises, or "ok".
std::string LoadError(const Bytes& file, TRasterImage* out = nullptr, TPngReader* reader = nullptr) {
  TPngReader own;
  TRasterImage image;
  try {
    (reader ? *reader : own).LoadFromMemory(file, out ? *out : image);
  } catch (const classlib::Exception& e) {
    return std::string(e.Message().begin(), e.Message().end());  // the texts are ASCII
  }
  return "ok";
}

TRasterImage Decode(const Bytes& file) {
  TPngReader reader;
  TRasterImage image;
  reader.LoadFromMemory(file, image);
  return image;
}

Bytes Gama(std::uint32_t value) {
  Bytes d;
  Put32(d, value);
  return Chunk("gAMA", d);
}

Bytes Plte(const std::vector<std::array<std::uint8_t, 3>>& colours) {
  Bytes d;
  for (const auto& c : colours) d.insert(d.end(), c.begin(), c.end());
  return Chunk("PLTE", d);
}

std::vector<std::array<std::uint8_t, 3>> SomeColours(int count) {
  std::vector<std::array<std::uint8_t, 3>> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back(
        {static_cast<std::uint8_t>(i * 7 + 3), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 13)});
  return colours;
}

struct Format {
  int colorType, depth;
};
constexpr Format kAllFormats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                  {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

TEST(PngReader, EveryColourTypeAndDepthInterlacedOrNot) {
  unsigned seed = 1;
  for (const Format f : kAllFormats)
    for (const bool adam7 : {false, true})
      for (const auto& size : {std::pair{13, 11}, std::pair{1, 1}, std::pair{1, 9}, std::pair{9, 1}, std::pair{3, 5}}) {
        const Picture p = RandomPicture(size.first, size.second, f.depth, f.colorType, seed++);
        FileFacts facts;
        Bytes extra;
        if (f.colorType == 3) {
          facts.plte = SomeColours(1 << f.depth);
          extra = Plte(facts.plte);
        }
        // Every filter type, in turn, including on the first row of each pass.
        const Bytes file = MakePng(p, adam7, extra, {0, 1, 2, 3, 4, 4, 3, 2, 1});
        TRasterImage image;
        ASSERT_EQ(LoadError(file, &image), "ok") << f.colorType << "/" << f.depth;
        EXPECT_TRUE(DecodedAsExpected(image, p, facts))
            << "type " << f.colorType << " depth " << f.depth << (adam7 ? " Adam7 " : " ") << size.first << "x"
            << size.second;
      }
}

TEST(PngReader, GammaTransparencyAndTheirInteraction) {
  for (const Format f : kAllFormats) {
    const Picture p = RandomPicture(6, 4, f.depth, f.colorType, 77);
    FileFacts facts;
    facts.gamma = 70000;
    Bytes extra = Gama(*facts.gamma);
    if (f.colorType == 3) {
      facts.plte = SomeColours(3);  // fewer colours than indexes: the rest are black
      Append(extra, Plte(facts.plte));
    }
    Bytes trns;
    if (f.colorType == 0 || f.colorType == 4) Put16(trns, p.At(0, 0, 0));
    if (f.colorType == 2 || f.colorType == 6)
      for (int c = 0; c < 3; ++c) Put16(trns, p.At(1, 0, c));
    if (f.colorType == 3) trns = {0, 0x80};
    if (f.colorType == 0) facts.trns = std::array<std::uint16_t, 3>{p.At(0, 0, 0), p.At(0, 0, 0), p.At(0, 0, 0)};
    if (f.colorType == 2) facts.trns = std::array<std::uint16_t, 3>{p.At(1, 0, 0), p.At(1, 0, 1), p.At(1, 0, 2)};
    Append(extra, Chunk("tRNS", trns));
    const TRasterImage image = Decode(MakePng(p, false, extra));
    EXPECT_TRUE(DecodedAsExpected(image, p, facts)) << "type " << f.colorType << " depth " << f.depth;
    // The transparent colour is exactly what the matching pixel shows.
    if (f.colorType == 0) {
      EXPECT_EQ(static_cast<std::uint32_t>(image.TransparentColor), image.PixelRGBA(0, 0));
    }
    if (f.colorType == 2) {
      EXPECT_EQ(static_cast<std::uint32_t>(image.TransparentColor), image.PixelRGBA(1, 0));
    }
  }
}

TEST(PngReader, ChunkTypesIgnoreLetterCaseAndSkippedChunksAreNotChecked) {
  const Picture p = RandomPicture(4, 4, 8, 2, 5);
  Bytes file = MakePng(p, false, Chunk("tEXt", {'a', 0, 'b'}, /*badCrc=*/true));
  // "IDAT" spelled "IdAt": still image data.
  const Bytes good = file;
  for (std::size_t i = 8; i + 8 <= file.size(); ++i)
    if (file[i] == 'I' && file[i + 1] == 'D' && file[i + 2] == 'A' && file[i + 3] == 'T') {
      file[i + 1] = 'd';
      file[i + 3] = 't';
      // The CRC covers the type: recompute it for the new spelling.
      const std::uint32_t length = (file[i - 4] << 24) | (file[i - 3] << 16) | (file[i - 2] << 8) | file[i - 1];
      const Bytes data(file.begin() + i + 4, file.begin() + i + 4 + length);
      const Bytes redone = Chunk("IdAt", data);
      std::copy(redone.begin(), redone.end(), file.begin() + i - 4);
      break;
    }
  ASSERT_NE(file, good);
  EXPECT_TRUE(DecodedAsExpected(Decode(file), p, {}));

  // A bad CRC in IDAT does stop the load.
  Bytes badIdat = Signature();
  Append(badIdat, IHDR(4, 4, 8, 2));
  Append(badIdat, Chunk("IDAT", Deflate(RawImageData(p, false)), true));
  Append(badIdat, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(badIdat), "Cannot load image. CRC error found in PNG file.");
}

TEST(PngReader, ImageDataInPiecesWithEmptyChunksBetween) {
  const Picture p = RandomPicture(16, 16, 8, 6, 9);
  const Bytes z = Deflate(RawImageData(p, true));
  Bytes file = Signature();
  Append(file, IHDR(16, 16, 8, 6, 1));
  for (std::size_t at = 0; at < z.size(); at += 7) {
    Append(file, Chunk("IDAT", {}));
    Append(file, Chunk("IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + 7))));
  }
  Append(file, Chunk("IDAT", {}));
  Append(file, Chunk("IEND", {}));
  TPngReader reader;
  TRasterImage image;
  EXPECT_EQ(reader.LoadFromMemory(file, image), file.size());
  EXPECT_TRUE(DecodedAsExpected(image, p, {}));
}

TEST(PngReader, UsesNoMoreThanThePicture) {
  const Picture p = RandomPicture(3, 3, 4, 0, 2);
  Bytes file = MakePng(p, false);
  const std::size_t length = file.size();
  Append(file, Bytes{'t', 'r', 'a', 'i', 'l'});
  TPngReader reader;
  TRasterImage image;
  EXPECT_EQ(reader.LoadFromMemory(file, image), length);
}

TEST(PngReader, AlphaOnlyForRgbWithAlpha) {
  // Grey with alpha: an 8-bit grey bitmap, no transparency; indexed with tRNS: opaque.
  const Picture ga = RandomPicture(4, 2, 8, 4, 3);
  const TRasterImage grey = Decode(MakePng(ga, false));
  EXPECT_EQ(grey.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_FALSE(grey.Transparent());

  const Picture indexed = RandomPicture(4, 2, 8, 3, 4);
  Bytes chunks = Plte(SomeColours(256));
  Append(chunks, Chunk("tRNS", Bytes(256, 0)));
  const TRasterImage opaque = Decode(MakePng(indexed, false, chunks));
  EXPECT_EQ(opaque.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_FALSE(opaque.Transparent());
}

TEST(PngReader, PaletteOfMoreThan256ColoursGives256) {
  const Picture p = RandomPicture(4, 4, 8, 3, 8);
  const auto colours = SomeColours(300);
  const TRasterImage image = Decode(MakePng(p, false, Plte(colours)));
  ASSERT_EQ(image.Palette().size(), 256u);
  EXPECT_EQ(image.Palette()[255].R, colours[255][0]);
}

TEST(PngReader, CanLoad) {
  const Bytes magic = Signature();
  EXPECT_FALSE(TPngReader::CanLoad(magic));  // exactly 8 bytes
  Bytes nine = magic;
  nine.push_back(0);
  EXPECT_TRUE(TPngReader::CanLoad(nine));
  nine[1] = 'p';
  EXPECT_FALSE(TPngReader::CanLoad(nine));
  nine[1] = 'P';
  UseACPng = false;
  EXPECT_FALSE(TPngReader::CanLoad(nine));
  UseACPng = true;
}

TEST(PngReader, ImageProperties) {
  const Picture p = RandomPicture(5, 7, 16, 6, 1);
  Bytes extra = Chunk("tEXt", {'k', 0, 'v'});
  Append(extra, Gama(45455));
  TPngReader reader;
  ASSERT_TRUE(reader.ReadImageProperties(MakePng(p, true, extra)));
  const TImageProperties& props = reader.ImageProperties();
  EXPECT_EQ(props.Width, 5u);
  EXPECT_EQ(props.Height, 7u);
  EXPECT_EQ(props.ColorScheme, TColorScheme::csRGBA);
  EXPECT_EQ(props.SamplesPerPixel, 4);
  EXPECT_EQ(props.BitsPerPixel, 64);
  EXPECT_EQ(props.Compression, TCompressionType::ctLZ77);
  EXPECT_TRUE(props.Interlaced);
  EXPECT_TRUE(props.HasAlpha);
  EXPECT_NEAR(props.FileGamma, 0.45455f, 1e-6);
  EXPECT_FALSE(reader.ReadImageProperties(Bytes{1, 2, 3}));
}

// ---- refusals and the mended faults ---------------------------------------------------------

Bytes WithIhdrData(const Bytes& ihdr) {
  Bytes file = Signature();
  Append(file, Chunk("IHDR", ihdr));
  Append(file, Chunk("IDAT", Deflate(Bytes(4, 0))));
  Append(file, Chunk("IEND", {}));
  return file;
}

TEST(PngReader, RefusesBrokenHeaders) {
  const std::string invalid = "Cannot load image. Invalid or unexpected PNG image format.";
  Bytes ihdr;
  Put32(ihdr, 1);
  Put32(ihdr, 1);
  ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
  EXPECT_EQ(LoadError(WithIhdrData(ihdr)), "ok");
  Bytes shortIhdr(ihdr.begin(), ihdr.end() - 1), longIhdr = ihdr;
  longIhdr.push_back(0);
  EXPECT_EQ(LoadError(WithIhdrData(shortIhdr)), invalid);
  EXPECT_EQ(LoadError(WithIhdrData(longIhdr)), invalid);

  struct Case {
    std::uint32_t width, height;
    int depth, colorType, compression;
    std::string message;
  };
  const Case cases[] = {
      {0, 1, 8, 0, 0, invalid},
      {1, 0, 8, 0, 0, invalid},
      {0x80000000u, 1, 8, 0, 0, invalid},
      {1, 1, 8, 0, 1, "Cannot load image. The compression scheme is not supported for PNG files."},
      {1, 1, 3, 0, 0, "Invalid color format in PNG file."},
      {1, 1, 8, 1, 0, "Invalid color format in PNG file."},
      {1, 1, 4, 2, 0, "Invalid color format in PNG file."},
      {1, 1, 16, 3, 0, "Invalid color format in PNG file."},
      {1, 1, 1, 6, 0, "Invalid color format in PNG file."},
      // Sizes whose bitmap would not fit are refused before anything is allocated.
      {100000, 100000, 8, 6, 0, "Cannot load image. The PNG image is too large."},
      {0x7FFFFFFF, 0x7FFFFFFF, 1, 0, 0, "Cannot load image. The PNG image is too large."},
      {0x7FFFFFFF, 1, 16, 6, 0, "Cannot load image. The PNG image is too large."},
  };
  for (const Case& c : cases) {
    Bytes d;
    Put32(d, c.width);
    Put32(d, c.height);
    d.insert(d.end(), {static_cast<std::uint8_t>(c.depth), static_cast<std::uint8_t>(c.colorType),
                       static_cast<std::uint8_t>(c.compression), 0, 0});
    EXPECT_EQ(LoadError(WithIhdrData(d)), c.message)
        << c.width << "x" << c.height << " " << c.depth << "/" << c.colorType;
  }

  Bytes notIhdr = Signature();
  Append(notIhdr, Chunk("IDAT", {}));
  EXPECT_EQ(LoadError(notIhdr), invalid);
  EXPECT_EQ(LoadError(Bytes{0x89, 'P', 'N', 'G'}), invalid);
}

TEST(PngReader, RefusesBrokenChunks) {
  const Picture p = RandomPicture(4, 4, 8, 2, 6);
  struct Case {
    Bytes extra;
    std::string message;
  };
  const Case cases[] = {
      {Chunk("PLTE", Bytes(7, 0)), "Cannot load image. Palette in PNG file is invalid."},
      {Chunk("cHRM", Bytes(32, 0), true), "ok"},  // skipped: never checked
      {Chunk("gAMA", Bytes(4, 0), true), "Cannot load image. CRC error found in PNG file."},
      {Chunk("ABCD", Bytes(1, 0)), "Cannot load PNG image. Unexpected but critical chunk detected."},
      {Chunk("aBCD", Bytes(1, 0)), "ok"},
      {Chunk("IHDR", Bytes(13, 0)), "Cannot load PNG image. Unexpected but critical chunk detected."},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadError(MakePng(p, false, c.extra)), c.message);

  // A length beyond the data, and a length of 2^31 or more.
  Bytes cut = MakePng(p, false);
  cut.resize(cut.size() - 20);
  EXPECT_EQ(LoadError(cut), "Stream read error");
  Bytes huge = Signature();
  Append(huge, IHDR(4, 4, 8, 2));
  Put32(huge, 0xFFFFFFF0u);
  huge.insert(huge.end(), {'I', 'D', 'A', 'T', 1, 2, 3});
  EXPECT_EQ(LoadError(huge), "Cannot load image. Invalid or unexpected PNG image format.");
  // Nothing after the header.
  Bytes headerOnly = Signature();
  Append(headerOnly, IHDR(4, 4, 8, 2));
  EXPECT_EQ(LoadError(headerOnly), "Stream read error");
}

TEST(PngReader, MissingOrShortImageDataIsAnError) {
  const std::string missing = "Cannot load image. Image data in PNG file is missing or incomplete.";
  const Picture p = RandomPicture(8, 8, 8, 6, 12);
  Bytes noData = Signature();
  Append(noData, IHDR(8, 8, 8, 6));
  Append(noData, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(noData), missing);

  // Three rows' worth of data for eight rows; the rest shows the bKGD colour.
  Bytes raw = RawImageData(p, false);
  raw.resize(3 * (8 * 4 + 1));
  Bytes shortData = Signature();
  Append(shortData, IHDR(8, 8, 8, 6));
  Bytes bkgd;
  for (int c : {10, 20, 30}) Put16(bkgd, c);
  Append(shortData, Chunk("bKGD", bkgd));
  // A zlib stream that stops mid-image without ending: flushed, not finished.
  z_stream z{};
  deflateInit(&z, 6);
  Bytes out(raw.size() + 64);
  z.next_in = raw.data();
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_SYNC_FLUSH);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  Append(shortData, Chunk("IDAT", out));
  Append(shortData, Chunk("IEND", {}));
  TRasterImage image;
  EXPECT_EQ(LoadError(shortData, &image), missing);
  ASSERT_EQ(image.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(image.ScanLine(2)[3], p.At(0, 2, 3));                    // a decoded row
  EXPECT_EQ(image.PixelRGBA(0, 3), 10u | (20u << 8) | (30u << 16));  // pre-filled, alpha 0
  EXPECT_EQ(image.PixelRGBA(7, 7), 10u | (20u << 8) | (30u << 16));

  // A complete stream that ends before the last row.
  Bytes ended = Signature();
  Append(ended, IHDR(8, 8, 8, 6));
  Append(ended, Chunk("IDAT", Deflate(raw)));
  Append(ended, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(ended), "Cannot load image. Extra compressed data found in PNG file.");

  // Data after the end of the stream inside the same chunk.
  Bytes trailing = Deflate(RawImageData(p, false));
  trailing.push_back(0);
  Bytes extra = Signature();
  Append(extra, IHDR(8, 8, 8, 6));
  Append(extra, Chunk("IDAT", trailing));
  Append(extra, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(extra), "Cannot load image. Extra compressed data found in PNG file.");

  // Garbage instead of a zlib stream.
  Bytes garbage = Signature();
  Append(garbage, IHDR(8, 8, 8, 6));
  Append(garbage, Chunk("IDAT", Bytes(40, 0xFF)));
  Append(garbage, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(garbage), "Cannot load image. Compression error found in PNG file.");

  // A second run of image data after another chunk.
  Bytes twice = MakePng(p, false);
  twice.resize(twice.size() - 12);
  Append(twice, Chunk("tEXt", {'a', 0}));
  Append(twice, Chunk("IDAT", Deflate(RawImageData(p, false))));
  Append(twice, Chunk("IEND", {}));
  EXPECT_EQ(LoadError(twice), "Cannot load image. Extra compressed data found in PNG file.");
}

TEST(PngReader, ShortAncillaryChunksAreIgnored) {
  // gAMA, bKGD and tRNS of the wrong length say nothing: the image decodes as without them.
  const Picture grey = RandomPicture(5, 5, 8, 0, 21);
  for (const Bytes& extra : {Chunk("gAMA", Bytes(3, 1)), Chunk("gAMA", Bytes(5, 1)), Chunk("tRNS", Bytes(1, 0)),
                             Chunk("tRNS", Bytes(3, 0)), Chunk("bKGD", Bytes(1, 0))}) {
    const TRasterImage image = Decode(MakePng(grey, false, extra));
    EXPECT_TRUE(DecodedAsExpected(image, grey, {}));
  }
  const Picture rgb = RandomPicture(5, 5, 8, 2, 22);
  for (const Bytes& extra : {Chunk("tRNS", Bytes(2, 0)), Chunk("tRNS", Bytes(5, 0)), Chunk("bKGD", Bytes(2, 0))})
    EXPECT_TRUE(DecodedAsExpected(Decode(MakePng(rgb, false, extra)), rgb, {}));
  // A tRNS sample beyond the bit depth matches no pixel.
  const Picture oneBit = RandomPicture(5, 5, 1, 0, 23);
  Bytes trns;
  Put16(trns, 2);
  EXPECT_FALSE(Decode(MakePng(oneBit, false, Chunk("tRNS", trns))).Transparent());
}

TEST(PngReader, EachLoadStartsFromAFreshColourManager) {
  // A reader that decoded a gamma-corrected 2-bit image must decode the next one exactly as a
  // new reader does.
  const Picture first = RandomPicture(7, 3, 2, 0, 31);
  const Picture second = RandomPicture(7, 3, 8, 2, 32);
  const Picture third = RandomPicture(7, 3, 4, 0, 33);
  TPngReader reader;
  TRasterImage image;
  reader.LoadFromMemory(MakePng(first, false, Gama(30000)), image);
  reader.LoadFromMemory(MakePng(second, false), image);
  EXPECT_TRUE(DecodedAsExpected(image, second, {}));
  reader.LoadFromMemory(MakePng(third, true), image);
  EXPECT_TRUE(DecodedAsExpected(image, third, {}));
}

TEST(PngReader, BackgroundColourFromBkgd) {
  struct Case {
    Picture p;
    Bytes bkgd;
    classlib::TColor expected;
  };
  auto samples = [](std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) Put16(b, static_cast<std::uint32_t>(v));
    return b;
  };
  const Case cases[] = {
      {RandomPicture(2, 2, 16, 2, 1), samples({0xFFFF, 0x0101, 0}), 0x0001FF},
      {RandomPicture(2, 2, 2, 0, 1), samples({3}), 15},
      {RandomPicture(2, 2, 16, 4, 1), samples({0x8080}), 0x80},
      {RandomPicture(2, 2, 1, 3, 1), Bytes{1}, 1},
  };
  for (const Case& c : cases) {
    Bytes extra;
    if (c.p.colorType == 3) extra = Plte(SomeColours(2));
    Append(extra, Chunk("bKGD", c.bkgd));
    TPngReader reader;
    TRasterImage image;
    reader.LoadFromMemory(MakePng(c.p, false, extra), image);
    EXPECT_EQ(reader.BackgroundColor(), c.expected);
  }
}

TEST(PngReader, FilterTypeAboveFourLeavesTheRow) {
  const Picture p = RandomPicture(4, 2, 8, 0, 41);
  Bytes raw = RawImageData(p, false);
  raw[0] = 7;
  Bytes file = Signature();
  Append(file, IHDR(4, 2, 8, 0));
  Append(file, Chunk("IDAT", Deflate(raw)));
  Append(file, Chunk("IEND", {}));
  EXPECT_TRUE(DecodedAsExpected(Decode(file), p, {}));
}

TEST(PngFilter, TwoRowsAtOnceEqualOneAfterTheOther) {
  std::uint32_t state = 777;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(state >> 24);
  };
  for (int bpp : {1, 3, 4, 8})
    for (std::uint8_t f1 : {1, 4})
      for (std::uint8_t f2 : {2, 4})
        for (std::size_t pixels : {1u, 2u, 17u}) {
          const std::size_t n = pixels * static_cast<std::size_t>(bpp);
          Bytes prev(n), first(n), second(n);
          for (auto* row : {&prev, &first, &second})
            for (auto& b : *row) b = next();
          Bytes fastFirst = first, fastSecond = second, slowFirst = first, slowSecond = second;
          ApplyFilterTwoRows(f1, fastFirst.data(), f2, fastSecond.data(), prev.data(), bpp, n);
          ApplyFilterScalar(f1, slowFirst.data(), prev.data(), slowFirst.data(), bpp, n);
          ApplyFilterScalar(f2, slowSecond.data(), slowFirst.data(), slowSecond.data(), bpp, n);
          EXPECT_EQ(fastFirst, slowFirst) << bpp << " " << int(f1) << int(f2) << " " << pixels;
          EXPECT_EQ(fastSecond, slowSecond) << bpp << " " << int(f1) << int(f2) << " " << pixels;
        }
}

TEST(PngFilter, VectorPathsEqualTheByteLoop) {
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(state >> 24);
  };
  for (int bpp : {1, 2, 3, 4, 6, 8})
    for (std::uint8_t filter = 0; filter <= 5; ++filter)
      for (std::size_t pixels : {1u, 2u, 5u, 33u}) {
        const std::size_t n = pixels * static_cast<std::size_t>(bpp);
        Bytes line(n), prev(n);
        for (auto& b : line) b = next();
        for (auto& b : prev) b = next();
        Bytes fast = line, slow = line;
        ApplyFilter(filter, fast.data(), prev.data(), fast.data(), bpp, n);
        ApplyFilterScalar(filter, slow.data(), prev.data(), slow.data(), bpp, n);
        EXPECT_EQ(fast, slow) << "bpp " << bpp << " filter " << int(filter) << " pixels " << pixels;
        // The byte loop itself against the defining formula.
        const Bytes refiltered = FilterRow(slow, prev, filter <= 4 ? filter : 0, bpp);
        if (filter <= 4) {
          EXPECT_EQ(Bytes(refiltered.begin() + 1, refiltered.end()), line);
        }
      }
}

}  // namespace
}  // namespace skin
