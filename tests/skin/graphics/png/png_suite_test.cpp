// The public PNG test suite: every valid image decodes to what libpng's reading of the same file
// becomes under our output rules; interlaced images equal their non-interlaced twins; every
// corrupt image (x*) is refused.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngReader.h"
#include "tests/skin/graphics/png/PngExpectations.h"

namespace {

using namespace png_test;
namespace fs = std::filesystem;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> SuiteFiles() {
  const fs::path dir = TARVISEL_PNGSUITE_DIR;
  std::vector<fs::path> files;
  if (fs::is_directory(dir))
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".png") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// libpng's reading of a file: plain samples plus the chunks the output rules use.
struct Reference {
  Picture picture;
  FileFacts facts;
  std::optional<classlib::TColor> background;
};

struct MemorySource {
  const Bytes* data;
  std::size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (source->at + length > source->data->size()) png_error(png, "read past the end");
  std::copy_n(source->data->data() + source->at, length, out);
  source->at += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}

bool ReadWithLibpng(const Bytes& file, Reference& ref) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  png_infop info = png_create_info_struct(png);
  MemorySource source{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &source, ReadFromMemory);
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);  // raw samples, Adam7 undone

  Picture& p = ref.picture;
  p.width = static_cast<int>(png_get_image_width(png, info));
  p.height = static_cast<int>(png_get_image_height(png, info));
  p.depth = png_get_bit_depth(png, info);
  p.colorType = png_get_color_type(png, info);
  const int channels = Channels(p.colorType);
  p.samples.resize(static_cast<std::size_t>(p.width) * p.height * channels);
  png_bytepp rows = png_get_rows(png, info);
  for (int y = 0; y < p.height; ++y) {
    const png_bytep row = rows[y];
    for (int x = 0; x < p.width; ++x)
      for (int c = 0; c < channels; ++c) {
        const int k = x * channels + c;
        unsigned v;
        if (p.depth == 16) {
          v = (row[2 * k] << 8) | row[2 * k + 1];
        } else if (p.depth == 8) {
          v = row[k];
        } else {
          const int bit = k * p.depth;
          v = (row[bit / 8] >> (8 - p.depth - bit % 8)) & ((1u << p.depth) - 1);
        }
        p.At(x, y, c) = static_cast<std::uint16_t>(v);
      }
  }

  png_colorp plte;
  int count;
  if (p.colorType == 3 && png_get_PLTE(png, info, &plte, &count))
    for (int i = 0; i < count; ++i) ref.facts.plte.push_back({plte[i].red, plte[i].green, plte[i].blue});
  png_fixed_point gamma;
  if (png_get_gAMA_fixed(png, info, &gamma)) ref.facts.gamma = static_cast<std::uint32_t>(gamma);
  png_bytep alphas;
  int alphaCount;
  png_color_16p trans;
  if (png_get_tRNS(png, info, &alphas, &alphaCount, &trans)) {
    if (p.colorType == 0) ref.facts.trns = std::array<std::uint16_t, 3>{trans->gray, trans->gray, trans->gray};
    if (p.colorType == 2) ref.facts.trns = std::array<std::uint16_t, 3>{trans->red, trans->green, trans->blue};
  }
  png_color_16p bkgd;
  if (png_get_bKGD(png, info, &bkgd)) {
    auto level = [&](int s) { return p.depth == 16 ? s / 257 : p.depth == 2 && p.colorType == 0 ? s * 5 : s; };
    if (p.colorType == 2 || p.colorType == 6)
      ref.background = level(bkgd->red) | (level(bkgd->green) << 8) | (level(bkgd->blue) << 16);
    else if (p.colorType == 3)
      ref.background = bkgd->index;
    else
      ref.background = level(bkgd->gray);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

::testing::AssertionResult SameImage(const skin::TRasterImage& a, const skin::TRasterImage& b) {
  if (a.PixelFormat() != b.PixelFormat() || a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "layouts differ";
  if (a.Palette() != b.Palette()) return ::testing::AssertionFailure() << "palettes differ";
  if (a.TransparentColor != b.TransparentColor) return ::testing::AssertionFailure() << "transparent colours differ";
  const bool indexed = skin::BitsOf(a.PixelFormat()) <= 8;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelRGBA(x, y) != b.PixelRGBA(x, y) || (indexed && a.PixelIndex(x, y) != b.PixelIndex(x, y)))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
  return ::testing::AssertionSuccess();
}

TEST(PngSuite, IsPresent) {
  // scripts/setup puts the suite into the build cache; without it this whole file proves nothing.
  ASSERT_TRUE(fs::is_directory(TARVISEL_PNGSUITE_DIR))
      << "the PNG test suite is missing: " << TARVISEL_PNGSUITE_DIR << " (run scripts/setup)";
  ASSERT_GE(SuiteFiles().size(), 170u) << "the PNG test suite in " << TARVISEL_PNGSUITE_DIR << " is incomplete";
}

TEST(PngSuite, ValidImagesDecodeAsLibpngReadsThem) {
  int decoded = 0;
  for (const fs::path& path : SuiteFiles()) {
    const std::string name = path.filename().string();
    if (name[0] == 'x') continue;
    SCOPED_TRACE(name);
    const Bytes file = ReadFile(path);
    Reference ref;
    ASSERT_TRUE(ReadWithLibpng(file, ref)) << "libpng refuses a valid suite image";
    skin::TPngReader reader;
    skin::TRasterImage image;
    try {
      EXPECT_EQ(reader.LoadFromMemory(file, image), file.size());
    } catch (const classlib::Exception& e) {
      ADD_FAILURE() << "refused: " << std::string(e.Message().begin(), e.Message().end());
      continue;
    }
    EXPECT_TRUE(DecodedAsExpected(image, ref.picture, ref.facts));
    EXPECT_EQ(reader.BackgroundColor(), ref.background.value_or(0xFFFFFF));
    ++decoded;
  }
  EXPECT_GE(decoded, 150);
}

TEST(PngSuite, InterlacedImagesEqualTheirTwins) {
  std::map<std::string, skin::TRasterImage> images;
  for (const fs::path& path : SuiteFiles()) {
    const std::string name = path.filename().string();
    if (name[0] == 'x') continue;
    skin::TPngReader reader;
    try {
      reader.LoadFromMemory(ReadFile(path), images[name]);
    } catch (const classlib::Exception&) {
      images.erase(name);  // reported by the test above
    }
  }
  int twins = 0;
  for (const auto& [name, image] : images) {
    if (name.size() < 4 || name[3] != 'i') continue;
    std::string twin = name;
    twin[3] = 'n';
    const auto found = images.find(twin);
    if (found == images.end()) continue;
    EXPECT_TRUE(SameImage(image, found->second)) << name << " and " << twin;
    ++twins;
  }
  EXPECT_GE(twins, 30);
}

TEST(PngSuite, CorruptImagesAreRefused) {
  int refused = 0;
  for (const fs::path& path : SuiteFiles()) {
    const std::string name = path.filename().string();
    if (name[0] != 'x') continue;
    skin::TPngReader reader;
    skin::TRasterImage image;
    try {
      reader.LoadFromMemory(ReadFile(path), image);
      ADD_FAILURE() << name << " was accepted";
    } catch (const skin::EInvalidGraphic&) {
      ++refused;
    } catch (const skin::EReadError&) {
      ++refused;
    }
  }
  EXPECT_GE(refused, 14);
}

}  // namespace
