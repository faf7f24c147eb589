// Skin descriptions from hostile sources loaded into records with a fixed set of image files
// (a master bitmap, an 8-bit bitmap, an RGBA PNG, a JPEG): every value form, inheritance,
// gradients and the colour changes run on mutated text. The load fails only with the skin's
// load error, and accepted images never reach outside their bitmaps.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/BmpFormat.h"
#include "classlib/JpegCodec.h"
#include "fuzz/skin/PaintAll.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

std::vector<std::uint8_t> Png(int w, int h) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x)
      raw.insert(raw.end(), {static_cast<std::uint8_t>(x * 9), 90, 200, static_cast<std::uint8_t>(y * 20)});
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> z(size);
  compress(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  z.resize(size);
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, ihdr;
  Put32(ihdr, static_cast<std::uint32_t>(w));
  Put32(ihdr, static_cast<std::uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> Bmp(int w, int h, int bits) {
  classlib::bmp::Dib dib;
  dib.Width = w;
  dib.Height = h;
  dib.BitCount = bits;
  if (bits == 8) {
    dib.Palette.assign(256, 0);
    dib.Palette[1] = 0xFF00FF;
    dib.Palette[2] = 0x3366CC;
  }
  dib.Bits.resize(dib.Stride() * static_cast<std::size_t>(h));
  for (std::size_t i = 0; i < dib.Bits.size(); ++i) dib.Bits[i] = static_cast<std::uint8_t>(bits == 8 ? i % 3 : i * 31);
  return classlib::bmp::WriteBmpFile(dib);
}

const skin::TacMemorySkinFiles& Files() {
  static const skin::TacMemorySkinFiles files = [] {
    skin::TacMemorySkinFiles f;
    f.Files["M.BMP"] = Bmp(120, 60, 24);
    f.Files["P.BMP"] = Bmp(30, 20, 8);
    f.Files["G.PNG"] = Png(24, 12);
    classlib::jpeg::Image img{16, 16, 3, std::vector<std::uint8_t>(16 * 16 * 3, 120)};
    f.Files["T.JPG"] = classlib::jpeg::Encode(img, 70);
    return f;
  }();
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const skin::TacSkinIni ini(std::string_view(reinterpret_cast<const char*>(data), size));
  skin::TacSkinLoadOptions options;
  options.HueOffset = size % 3 == 0 ? 30 : 0;
  options.Saturation = size % 7 == 0 ? 120 : 0;
  options.ExtendedBorders = size % 2 == 0;
  try {
    const auto skin = skin::LoadSkinRecords(ini, &Files(), options);
    for (const skin::TsMaskData& m : skin->ma) {
      const skin::TImage32View src = m.Source();
      if (m.ImageCount < 0 || m.MaskType < -1 || m.R.Left < 0 || m.R.Top < 0 || m.R.Right > src.Width ||
          m.R.Bottom > src.Height)
        std::abort();
    }
    fuzzpaint::PaintAll(*skin);
    if (!skin->gd.empty()) {
      skin::TacSkinRecords& s = *skin;
      s.MaskWidthLeft(0);
      skin::ChangeSkinBrightness(s, 20);
    }
  } catch (const skin::EacSkinLoadError&) {}
  return 0;
}
