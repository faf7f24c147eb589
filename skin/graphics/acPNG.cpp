#include "skin/graphics/acPNG.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/Picture.h"
#include "classlib/Streams.h"
#include "skin/graphics/Dib32.h"
#include "skin/graphics/SkinImagePasses.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TRect;

void TPNGGraphic::Assign(const classlib::TPersistent* Source) {
  if (const auto* png = dynamic_cast<const TPNGGraphic*>(Source)) FImageProperties = png->FImageProperties;
  TBitmap::Assign(Source);
}

std::unique_ptr<classlib::TGraphic> TPNGGraphic::Clone() const {
  auto copy = std::make_unique<TPNGGraphic>();
  copy->Assign(this);
  copy->Reflected = Reflected;
  return copy;
}

bool TPNGGraphic::ReadImageProperties(std::span<const std::uint8_t> Data) {
  const bool usable = FReader.ReadImageProperties(Data);
  FImageProperties = FReader.ImageProperties();
  return usable;
}

void TPNGGraphic::LoadFromBytes(std::span<const std::uint8_t> Data) { Load(Data); }

void TPNGGraphic::LoadFromStream(classlib::TStream& Stream) {
  const std::int64_t position = Stream.Position();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<std::int64_t>(Stream.Size() - position, 0)));
  Stream.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  const std::size_t used = Load(data);
  Stream.SetPosition(position + static_cast<std::int64_t>(used));
}

std::size_t TPNGGraphic::Load(std::span<const std::uint8_t> Data) {
  TRasterImage image;
  std::size_t used;
  try {
    used = FReader.LoadFromMemory(Data, image);
  } catch (...) {
    FImageProperties = FReader.ImageProperties();
    TakeImage(image);
    throw;
  }
  FImageProperties = FReader.ImageProperties();
  TakeImage(image);
  return used;
}

void TPNGGraphic::TakeImage(const TRasterImage& image) {
  if (image.Empty()) {
    TBitmap::Assign(nullptr);
    return;
  }
  // The DIB takes its rows bottom-up.
  classlib::bmp::Dib dib;
  dib.Width = image.Width();
  dib.Height = image.Height();
  dib.BitCount = BitsOf(image.PixelFormat());
  for (const TPaletteEntry& e : image.Palette())
    dib.Palette.push_back((static_cast<std::uint32_t>(e.R) << 16) | (static_cast<std::uint32_t>(e.G) << 8) | e.B);
  const std::size_t stride = dib.Stride();
  dib.Bits.resize(stride * static_cast<std::size_t>(dib.Height));
  for (int y = 0; y < dib.Height; ++y)
    std::memcpy(&dib.Bits[stride * static_cast<std::size_t>(dib.Height - 1 - y)], image.ScanLine(y), stride);
  LoadFromDib(dib);
  if (image.Transparent()) {
    SetTransparentColor(image.TransparentColor);
    SetTransparent(true);
  } else {
    SetTransparent(false);
  }
}

void TPNGGraphic::Draw(classlib::TCanvas* ACanvas, const TRect& Rect) {
  if (PixelFormat() != classlib::pf32bit || Empty()) {
    TBitmap::Draw(ACanvas, Rect);
    return;
  }
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  if (ACanvas == nullptr || w <= 0 || h <= 0) return;
  // What the canvas shows there (and below it, for the reflection) is the ground to blend on.
  const int total = Reflected ? h + h / 2 : h;
  TDib32 ground(w, total);
  if (!ground.Valid()) return;
  HDC dc = ACanvas->Handle();
  BitBlt(ground.DC(), 0, 0, w, total, dc, Rect.Left, Rect.Top, SRCCOPY);
  const TRect whole{0, 0, w, h};
  if (w == Width() && h == Height()) {
    CopyBmp32(whole, whole, ground.View(), Image32View(), TCacheInfo32{}, false, classlib::clNone, 0, Reflected);
  } else {
    // Colours stretched pixel for pixel, alpha smoothed: edges stay soft at any size.
    TDib32 stretched(w, h), alphaSource(Width(), Height()), alphaStretched(w, h);
    if (!stretched.Valid() || !alphaSource.Valid() || !alphaStretched.Valid()) return;
    SetStretchBltMode(stretched.DC(), COLORONCOLOR);
    StretchBlt(stretched.DC(), 0, 0, w, h, Canvas()->Handle(), 0, 0, Width(), Height(), SRCCOPY);
    const TImage32View source = Image32View(), alphaIn = alphaSource.View();
    for (int y = 0; y < source.Height; ++y)
      for (int x = 0; x < source.Width; ++x) {
        const std::uint8_t a = source.At(x, y).A;
        alphaIn.At(x, y).U = a | (a << 8) | (a << 16);
      }
    SetStretchBltMode(alphaStretched.DC(), HALFTONE);
    SetBrushOrgEx(alphaStretched.DC(), 0, 0, nullptr);
    StretchBlt(alphaStretched.DC(), 0, 0, w, h, alphaSource.DC(), 0, 0, Width(), Height(), SRCCOPY);
    const TImage32View colours = stretched.View(), alphaOut = alphaStretched.View();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) colours.At(x, y).A = alphaOut.At(x, y).B;
    CopyBmp32(whole, whole, ground.View(), colours, TCacheInfo32{}, false, classlib::clNone, 0, false);
  }
  BitBlt(dc, Rect.Left, Rect.Top, w, total, ground.DC(), 0, 0, SRCCOPY);
}

bool TPNGGraphic::CanLoad(const std::wstring& FileName) {
  if (!UseACPng) return false;
  HANDLE file = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::uint8_t head[9];
  DWORD got = 0;
  const BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  return read && CanLoad(std::span<const std::uint8_t>(head, got));
}

void RegisterPngFormat() {
  classlib::TPicture::RegisterFileFormat(L"png", L"Portable network graphics (DezuvEzizared)",
                                         [] { return std::make_unique<TPNGGraphic>(); });
}

void UnregisterPngFormat() { classlib::TPicture::UnregisterFileFormat(L"png"); }

namespace {
struct TUnitRegistration {
  TUnitRegistration() { RegisterPngFormat(); }
  ~TUnitRegistration() { UnregisterPngFormat(); }
} unitRegistration;
}  // namespace

HICON MakeIcon32(TBitmap* Bmp, bool Flag) {
  if (Bmp == nullptr || Bmp->Empty()) return nullptr;
  const int w = Bmp->Width(), h = Bmp->Height();
  // A monochrome bitmap's rows are padded to 16 bits; a set bit is a transparent pixel.
  const int maskStride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * h, 0);
  if (Flag || Bmp->PixelFormat() != classlib::pf32bit) {
    Bmp->SetPixelFormat(classlib::pf32bit);
    const TImage32View view = Bmp->Image32View();
    const std::uint32_t key = view.At(0, 0).U;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (view.At(x, y).U == key) mask[static_cast<std::size_t>(y) * maskStride + x / 8] |= 0x80 >> (x % 8);
  }
  HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
  ICONINFO info{TRUE, 0, 0, maskBitmap, Bmp->Handle()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(maskBitmap);
  return icon;
}

HICON MakeCompIcon(TPNGGraphic* Png, classlib::TColor Color) {
  if (Png == nullptr || Png->Empty()) return nullptr;
  const int w = Png->Width(), h = Png->Height();
  TBitmap colour;
  colour.SetPixelFormat(classlib::pf32bit);
  colour.SetSize(w, h);
  colour.Canvas()->Brush()->SetColor(Color);
  colour.Canvas()->FillRect(TRect{0, 0, w, h});
  Png->Draw(colour.Canvas(), TRect{0, 0, w, h});
  if (Png->PixelFormat() != classlib::pf32bit) {
    // The key colour becomes the transparent part.
    Png->SetPixelFormat(classlib::pf32bit);
    const TImage32View view = Png->Image32View();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TsColor_& p = view.At(x, y);
        p.A = (p.U & 0x00FFFFFFu) == kKeyPixel ? 0 : 255;
      }
  }
  const int maskStride = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * h, 0);
  TacFast32 source, target;
  const TImage32View from = Png->Image32View(), to = colour.Image32View();
  if (source.Attach(from) && target.Attach(to)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        to.At(x, y) = from.At(x, y);
        if (from.At(x, y).A == 0) mask[static_cast<std::size_t>(y) * maskStride + x / 8] |= 0x80 >> (x % 8);
      }
  }
  HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
  ICONINFO info{TRUE, 0, 0, maskBitmap, colour.Handle()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(maskBitmap);
  return icon;
}

void UpdateTransPixels(TBitmap* Bmp) { UpdateTransPixels(View32(Bmp)); }
void UpdateAlpha(TBitmap* Bmp) { UpdateAlpha(View32(Bmp)); }

}  // namespace skin
