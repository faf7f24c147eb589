// A packed skin of a typical size (an options text of ~40 KB, 36 bitmaps, 10 PNG glyphs and 2
// JPEG textures; about 1.3 MB unpacked) unpacked by ExtractPackedData, against the limit: zlib
// inflating the same streams, whose offsets and sizes it is told, into buffers made beforehand.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acZLibEx.h"

namespace {

using namespace skin;

struct SkinFile {
  std::string Name;
  std::vector<std::uint8_t> Data;
};

std::uint32_t Next(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

std::vector<std::uint8_t> OptionsText() {
  std::string text;
  std::uint32_t seed = 11;
  const char* sections[] = {"GLOBALINFO", "FORM",     "BUTTON",     "EDIT",        "COMBOBOX",
                            "CHECKBOX",   "PANEL",    "TABTOP",     "SCROLLBAR1H", "MENUITEM",
                            "STATUSBAR",  "GROUPBOX", "TOOLBUTTON", "PAGECONTROL"};
  for (int s = 0; text.size() < 40000; ++s) {
    text += "[" + std::string(sections[s % 14]) + (s >= 14 ? std::to_string(s) : "") + "]\r\n";
    const char* keys[] = {"Color",        "HotColor",        "FontColor",    "HotFontColor",
                          "Transparency", "GradientPercent", "GradientData", "ImagePercent",
                          "BorderMask",   "Glyph",           "States",       "ParentClass"};
    for (const char* key : keys) text += std::string(key) + "=" + std::to_string(Next(seed) % 0xFFFFFF) + "\r\n";
  }
  return {text.begin(), text.end()};
}

// A 24-bit bitmap of gradients and flat key-colour areas with a little noise: compresses like
// the skins' border and glyph images.
std::vector<std::uint8_t> Bitmap(int width, int height, std::uint32_t seed) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<std::uint8_t> bmp(54 + static_cast<std::size_t>(stride) * height);
  bmp[0] = 'B';
  bmp[1] = 'M';
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bmp.data() + 54 + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const bool key = (x + y) % 17 < 3;
      const std::uint8_t noise = static_cast<std::uint8_t>(Next(seed) & 3);
      row[x * 3 + 0] = key ? 0xFF : static_cast<std::uint8_t>(x * 255 / width + noise);
      row[x * 3 + 1] = key ? 0x00 : static_cast<std::uint8_t>(y * 255 / height + noise);
      row[x * 3 + 2] = key ? 0xFF : static_cast<std::uint8_t>(128 + noise);
    }
  }
  return bmp;
}

// Already compressed image data (PNG, JPEG): deflate gains nothing on it.
std::vector<std::uint8_t> Compressed(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> data(size);
  for (auto& b : data) b = static_cast<std::uint8_t>(Next(seed));
  return data;
}

std::vector<SkinFile> TypicalSkin() {
  std::vector<SkinFile> files;
  files.push_back({"Options.dat", OptionsText()});
  for (int i = 0; i < 36; ++i) {
    const int width = 24 << (i % 4);      // 24..192
    const int height = 16 + 8 * (i % 7);  // 16..64
    files.push_back({"image" + std::to_string(i) + ".bmp", Bitmap(width * 3, height, 100u + i)});
  }
  for (int i = 0; i < 10; ++i)
    files.push_back({"glyph" + std::to_string(i) + ".png", Compressed(1500 + 700 * i, 7u + i)});
  files.push_back({"texture1.jpg", Compressed(60000, 3)});
  files.push_back({"texture2.jpg", Compressed(35000, 5)});
  return files;
}

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

struct Container {
  std::vector<std::uint8_t> Packed;
  struct Stream {
    std::size_t Offset, PackedSize, Size;
  };
  std::vector<Stream> Streams;
  std::size_t Unpacked = 0;
};

const Container& TheContainer() {
  static const Container container = [] {
    Container c;
    const std::vector<SkinFile> files = TypicalSkin();
    c.Packed = {'A', 'S', 'z', 'f'};
    Append32(c.Packed, static_cast<std::uint32_t>(files.size()));
    for (const SkinFile& file : files) {
      Append32(c.Packed, static_cast<std::uint32_t>(file.Name.size()));
      c.Packed.insert(c.Packed.end(), file.Name.begin(), file.Name.end());
      Append32(c.Packed, static_cast<std::uint32_t>(file.Data.size()));
      const std::vector<std::uint8_t> z = ZCompress(file.Data, TZCompressionLevel::zcDefault);
      c.Streams.push_back({c.Packed.size(), z.size(), file.Data.size()});
      c.Packed.insert(c.Packed.end(), z.begin(), z.end());
      c.Unpacked += file.Data.size();
    }
    return c;
  }();
  return container;
}

void Report(benchmark::State& state) {
  const Container& c = TheContainer();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.Unpacked));
  state.counters["entries"] = static_cast<double>(c.Streams.size());
  state.counters["unpacked_KiB"] = static_cast<double>(c.Unpacked) / 1024;
  state.counters["packed_KiB"] = static_cast<double>(c.Packed.size()) / 1024;
}

// The container as the skin manager unpacks it: checked, each entry into its own memory stream.
void BM_ExtractPackedData(benchmark::State& state) {
  const Container& c = TheContainer();
  for (auto _ : state) {
    auto convertor = std::make_unique<TacSkinConvertor>();
    convertor->PackedData = std::make_unique<classlib::TMemoryStream>();
    convertor->PackedData->WriteBuffer(c.Packed.data(), static_cast<std::int64_t>(c.Packed.size()));
    ExtractPackedData(convertor);
    benchmark::DoNotOptimize(convertor->Files.back().FileStream->Memory());
  }
  Report(state);
}
BENCHMARK(BM_ExtractPackedData)->Unit(benchmark::kMillisecond);

// The limit: zlib told where every stream starts and how large it unpacks, into buffers that
// exist already; no container parsing, no checks, no allocation.
void BM_PlainInflate(benchmark::State& state) {
  const Container& c = TheContainer();
  std::vector<std::vector<std::uint8_t>> outputs;
  for (const auto& s : c.Streams) outputs.emplace_back(s.Size);
  z_stream zs{};
  inflateInit(&zs);
  for (auto _ : state) {
    for (std::size_t i = 0; i < c.Streams.size(); ++i) {
      const auto& s = c.Streams[i];
      inflateReset(&zs);
      zs.next_in = const_cast<Bytef*>(c.Packed.data() + s.Offset);
      zs.avail_in = static_cast<uInt>(s.PackedSize);
      zs.next_out = outputs[i].data();
      zs.avail_out = static_cast<uInt>(s.Size);
      if (inflate(&zs, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate failed");
    }
    benchmark::DoNotOptimize(outputs.back().data());
  }
  inflateEnd(&zs);
  Report(state);
}
BENCHMARK(BM_PlainInflate)->Unit(benchmark::kMillisecond);

// The raw reader alone (the tool's and the unpacker's path): entries into vectors.
void BM_ReadPackedEntries(benchmark::State& state) {
  const Container& c = TheContainer();
  for (auto _ : state) {
    auto entries = ReadPackedEntries(c.Packed);
    benchmark::DoNotOptimize(entries.back().Data.data());
  }
  Report(state);
}
BENCHMARK(BM_ReadPackedEntries)->Unit(benchmark::kMillisecond);

}  // namespace
