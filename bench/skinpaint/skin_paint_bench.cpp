// Every control cache of the main window (the sizes and kinds of its description) painted with
// PaintItem from our skin over the form's background, against the same pixel work done as pixman
// composites: the parent's pixels copied under each control, the section colour blended over them
// by its transparency, and the border image's nine slices composited over that (corners once,
// edges and centre repeated). Read the ratio of the two, not the times.
#include <pixman.h>

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinRecords.h"
#include "skin/core/sSectionPaint.h"

namespace {

struct Control {
  const char* section;
  int width, height, count;
};

// The main window's controls by kind and size.
const std::vector<Control>& ControlMix() {
  static const std::vector<Control> mix = {
      {"BUTTON", 75, 23, 15},    {"BUTTON", 92, 23, 7},     {"BUTTON", 90, 23, 6},     {"BUTTON", 65, 23, 8},
      {"CHECKBOX", 30, 17, 64},  {"CHECKBOX", 116, 17, 12}, {"EDIT", 130, 21, 8},      {"EDIT", 120, 21, 5},
      {"EDIT", 28, 21, 21},      {"EDIT", 342, 21, 3},      {"COMBOBOX", 80, 21, 7},   {"RADIOBUTTON", 80, 17, 17},
      {"GROUPBOX", 290, 88, 12}, {"GROUPBOX", 532, 46, 4},  {"GROUPBOX", 671, 230, 2}, {"PAGECONTROL", 700, 445, 1},
  };
  return mix;
}

const skin::TacSkinRecords& OurSkin() {
  static const auto records = [] {
    std::ifstream in(TARVISEL_OUR_SKIN, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) throw std::runtime_error("cannot read " TARVISEL_OUR_SKIN);
    return skin::LoadSkinRecords(skin::TacPackedSkinFiles(bytes), {});
  }();
  return *records;
}

skin::TBitmap32& FormBackground() {
  static skin::TBitmap32 form(720, 520, 0xFFD4D0C8u);
  return form;
}

void BM_PaintItemCaches(benchmark::State& state) {
  const skin::TacSkinRecords& sm = OurSkin();
  skin::TCacheInfo32 ci;
  ci.Bmp = FormBackground().View();
  ci.X = ci.Y = 0;
  ci.Ready = true;
  std::vector<skin::TBitmap32> caches;
  for (const Control& c : ControlMix())
    for (int i = 0; i < c.count; ++i) caches.emplace_back(c.width, c.height);
  for (auto _ : state) {
    std::size_t k = 0;
    for (const Control& c : ControlMix()) {
      const int index = sm.GetSkinIndex(c.section);
      for (int i = 0; i < c.count; ++i, ++k)
        skin::PaintItem(index, c.section, ci, 0, {0, 0, c.width, c.height}, {8, 8}, caches[k].View(), &sm);
    }
    benchmark::DoNotOptimize(caches.data());
  }
}
BENCHMARK(BM_PaintItemCaches);

pixman_image_t* Wrap(const skin::TImage32View& v) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, v.Width, v.Height, reinterpret_cast<uint32_t*>(v.Bits),
                                  static_cast<int>(v.Stride));
}

void BM_PixmanCaches(benchmark::State& state) {
  const skin::TacSkinRecords& sm = OurSkin();
  pixman_image_t* form = Wrap(FormBackground().View());
  struct Prepared {
    const Control* control;
    const skin::TsGeneralData* section;
    const skin::TsMaskData* border;
    pixman_image_t* source;
  };
  std::vector<Prepared> prepared;
  for (const Control& c : ControlMix()) {
    const int index = sm.GetSkinIndex(c.section);
    const skin::TsGeneralData* g = sm.IsValidSkinIndex(index) ? &sm.gd[std::size_t(index)] : nullptr;
    const skin::TsMaskData* b =
        g != nullptr && sm.IsValidImgIndex(g->BorderIndex) ? &sm.ma[std::size_t(g->BorderIndex)] : nullptr;
    prepared.push_back({&c, g, b, b != nullptr ? Wrap(b->Source()) : nullptr});
  }
  std::vector<skin::TBitmap32> caches;
  std::vector<pixman_image_t*> images;
  for (const Control& c : ControlMix())
    for (int i = 0; i < c.count; ++i) {
      caches.emplace_back(c.width, c.height);
      images.push_back(Wrap(caches.back().View()));
    }
  for (auto _ : state) {
    std::size_t k = 0;
    for (const Prepared& p : prepared) {
      const Control& c = *p.control;
      const int t = p.section != nullptr ? p.section->Transparency : 0;
      const skin::TColor colour = p.section != nullptr ? p.section->Color : 0;
      const pixman_color_t fill{std::uint16_t((colour & 0xFF) * 257), std::uint16_t(((colour >> 8) & 0xFF) * 257),
                                std::uint16_t(((colour >> 16) & 0xFF) * 257), std::uint16_t((100 - t) * 65535 / 100)};
      pixman_image_t* solid = pixman_image_create_solid_fill(&fill);
      for (int i = 0; i < c.count; ++i, ++k) {
        pixman_image_t* dst = images[k];
        pixman_image_composite32(PIXMAN_OP_SRC, form, nullptr, dst, 8, 8, 0, 0, 0, 0, c.width, c.height);
        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dst, 0, 0, 0, 0, 0, 0, c.width, c.height);
        if (p.border == nullptr) continue;
        const skin::TsMaskData& b = *p.border;
        const int w = skin::WidthOfImage(b), h = skin::HeightOfImage(b);
        const int wl = b.WL, wt = b.WT, wr = b.WR, wb = b.WB, cw = w - wl - wr, ch = h - wt - wb;
        const int x0 = b.R.Left, y0 = b.R.Top;
        auto put = [&](int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
          if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
          for (int y = dy; y < dy + dh; y += sh)
            for (int x = dx; x < dx + dw; x += sw)
              pixman_image_composite32(PIXMAN_OP_OVER, p.source, nullptr, dst, sx, sy, 0, 0, x, y,
                                       std::min(sw, dx + dw - x), std::min(sh, dy + dh - y));
        };
        put(x0, y0, wl, wt, 0, 0, wl, wt);
        put(x0 + w - wr, y0, wr, wt, c.width - wr, 0, wr, wt);
        put(x0, y0 + h - wb, wl, wb, 0, c.height - wb, wl, wb);
        put(x0 + w - wr, y0 + h - wb, wr, wb, c.width - wr, c.height - wb, wr, wb);
        put(x0 + wl, y0, cw, wt, wl, 0, c.width - wl - wr, wt);
        put(x0 + wl, y0 + h - wb, cw, wb, wl, c.height - wb, c.width - wl - wr, wb);
        put(x0, y0 + wt, wl, ch, 0, wt, wl, c.height - wt - wb);
        put(x0 + w - wr, y0 + wt, wr, ch, c.width - wr, wt, wr, c.height - wt - wb);
      }
      pixman_image_unref(solid);
    }
    benchmark::DoNotOptimize(caches.data());
  }
  for (pixman_image_t* i : images) pixman_image_unref(i);
  for (const Prepared& p : prepared)
    if (p.source != nullptr) pixman_image_unref(p.source);
  pixman_image_unref(form);
}
BENCHMARK(BM_PixmanCaches);

}  // namespace
