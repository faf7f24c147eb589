#include "classlib/Jpeg.h"

#include <cstring>

#include "classlib/JpegCodec.h"

namespace classlib {

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::ScaleDenominator() const { return 1 << static_cast<int>(scale_); }

bool TJPEGImage::Empty() const { return data_.empty() && (!bitmap_ || bitmap_->Empty()); }

int TJPEGImage::Width() const {
  if (bitmap_) return bitmap_->Width();
  const int d = ScaleDenominator();
  return (dataWidth_ + d - 1) / d;
}

int TJPEGImage::Height() const {
  if (bitmap_) return bitmap_->Height();
  const int d = ScaleDenominator();
  return (dataHeight_ + d - 1) / d;
}

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image"); }

void TJPEGImage::DropBitmap() {
  // Without data the bitmap is the only copy of the picture and stays.
  if (!data_.empty()) bitmap_.reset();
}

void TJPEGImage::Decode() {
  jpeg::DecodeOptions options;
  options.ScaleDenominator = ScaleDenominator();
  options.Grayscale = grayscale_ || pixelFormat_ == jf8Bit;
  options.Fast = performance_ == jpBestSpeed;
  const jpeg::Image im = jpeg::Decode(data_, options);

  auto bmp = std::make_unique<TBitmap>();
  const std::size_t rowBytes = static_cast<std::size_t>(im.Width) * im.Channels;
  if (im.Channels == 1) {
    // An 8-bit picture whose palette is the grey ramp: index = grey level.
    bmp::Dib dib;
    dib.Width = im.Width;
    dib.Height = im.Height;
    dib.BitCount = 8;
    for (std::uint32_t g = 0; g < 256; ++g) dib.Palette.push_back(g << 16 | g << 8 | g);
    dib.Bits.resize(dib.Stride() * im.Height);
    for (int y = 0; y < im.Height; ++y)
      std::memcpy(&dib.Bits[dib.Stride() * (im.Height - 1 - y)], &im.Pixels[rowBytes * y], rowBytes);
    bmp->LoadFromDib(dib);
  } else {
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(im.Width, im.Height);
    for (int y = 0; y < im.Height; ++y) std::memcpy(bmp->ScanLine(y), &im.Pixels[rowBytes * y], rowBytes);
  }
  bmp->SetTransparent(Transparent());
  bitmap_ = std::move(bmp);
}

void TJPEGImage::DIBNeeded() {
  if (!bitmap_ && !data_.empty()) Decode();
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TJPEGImage::JPEGNeeded() {
  if (!data_.empty() || !bitmap_ || bitmap_->Empty()) return;
  TBitmap& b = *bitmap_;
  const bool grey = grayscale_ || pixelFormat_ == jf8Bit;
  jpeg::Image im;
  im.Width = b.Width();
  im.Height = b.Height();
  im.Channels = grey ? 1 : 3;
  im.Pixels.reserve(static_cast<std::size_t>(im.Width) * im.Height * im.Channels);
  // Through a 24-bit copy: the bitmap may be in any format.
  TBitmap rgb;
  rgb.Assign(&b);
  rgb.SetPixelFormat(pf24bit);
  for (int y = 0; y < im.Height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(rgb.ScanLine(y));
    for (int x = 0; x < im.Width; ++x, row += 3) {
      if (grey) {
        im.Pixels.push_back(static_cast<std::uint8_t>((row[0] * 29 + row[1] * 150 + row[2] * 77 + 128) >> 8));
      } else {
        im.Pixels.insert(im.Pixels.end(), row, row + 3);
      }
    }
  }
  data_ = jpeg::Encode(im, quality_, progressive_);
  dataWidth_ = im.Width;
  dataHeight_ = im.Height;
  scale_ = jsFullSize;
}

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> Data) {
  const jpeg::Header h = jpeg::ReadHeader(Data);
  std::vector<std::uint8_t> saved = std::move(data_);
  std::unique_ptr<TBitmap> savedBitmap = std::move(bitmap_);
  const int savedW = dataWidth_, savedH = dataHeight_;
  data_.assign(Data.begin(), Data.end());
  dataWidth_ = h.Width;
  dataHeight_ = h.Height;
  try {
    Decode();
  } catch (...) {
    data_ = std::move(saved);
    bitmap_ = std::move(savedBitmap);
    dataWidth_ = savedW;
    dataHeight_ = savedH;
    throw;
  }
  Changed(this);
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() const {
  const_cast<TJPEGImage*>(this)->JPEGNeeded();
  if (data_.empty()) throw EInvalidGraphicOperation(L"Cannot save an empty JPEG image");
  return data_;
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(this);
  return copy;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty()) return;
  Bitmap()->SetTransparent(Transparent());
  ACanvas->StretchDraw(Rect, Bitmap());
}

void TJPEGImage::Assign(const TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    data_.clear();
    bitmap_.reset();
    dataWidth_ = dataHeight_ = 0;
    Changed(this);
    return;
  }
  if (auto* j = dynamic_cast<const TJPEGImage*>(Source)) {
    data_ = j->data_;
    dataWidth_ = j->dataWidth_;
    dataHeight_ = j->dataHeight_;
    scale_ = j->scale_;
    grayscale_ = j->grayscale_;
    pixelFormat_ = j->pixelFormat_;
    performance_ = j->performance_;
    quality_ = j->quality_;
    progressive_ = j->progressive_;
    bitmap_.reset();
    if (j->bitmap_) {
      bitmap_ = std::make_unique<TBitmap>();
      bitmap_->Assign(j->bitmap_.get());
    }
    SetTransparent(j->Transparent());
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
    data_.clear();
    dataWidth_ = dataHeight_ = 0;
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->Assign(b);
    Changed(this);
    return;
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::SetScale(TJPEGScale Value) {
  if (Value == scale_) return;
  scale_ = Value;
  DropBitmap();
  Changed(this);
}

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == grayscale_) return;
  grayscale_ = Value;
  DropBitmap();
  Changed(this);
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value) {
  if (Value == pixelFormat_) return;
  pixelFormat_ = Value;
  DropBitmap();
  Changed(this);
}

void TJPEGImage::SetPerformance(TJPEGPerformance Value) {
  if (Value == performance_) return;
  performance_ = Value;
  DropBitmap();
  Changed(this);
}

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value) {
  quality_ = Value < 1 ? 1 : Value > 100 ? 100 : Value;
}

}  // namespace classlib
