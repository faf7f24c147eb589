#pragma once
// A JPEG picture: the compressed data as read or written, and the bitmap decoded from it on
// demand at the chosen scale.
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/Bitmap.h"

namespace classlib {

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
using TJPEGQualityRange = int;  // 1..100

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  std::wstring ClassName() const override { return L"TJPEGImage"; }
  // From a JPEG: its data and settings. From a bitmap: its picture, compressed when saved.
  // Nothing (nullptr): empty.
  void Assign(const TPersistent* Source) override;

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // A JPEG has the size of its data: changing it raises EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  // Checks the headers and decodes the picture at once, so damage shows when it is loaded.
  void LoadFromBytes(std::span<const std::uint8_t> Data) override;
  std::vector<std::uint8_t> SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;

  // The decoded picture (pf24bit, or pf8bit with a grey palette for Grayscale / jf8Bit).
  TBitmap* Bitmap();
  void DIBNeeded();
  void JPEGNeeded();
  void Compress() { JPEGNeeded(); }

  TJPEGScale Scale() const { return scale_; }
  void SetScale(TJPEGScale Value);
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool Value);
  TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TJPEGPixelFormat Value);
  TJPEGPerformance Performance() const { return performance_; }
  void SetPerformance(TJPEGPerformance Value);
  TJPEGQualityRange CompressionQuality() const { return quality_; }
  void SetCompressionQuality(TJPEGQualityRange Value);
  bool ProgressiveEncoding() const { return progressive_; }
  void SetProgressiveEncoding(bool Value) { progressive_ = Value; }

 private:
  void DropBitmap();
  int ScaleDenominator() const;
  void Decode();

  std::vector<std::uint8_t> data_;
  int dataWidth_ = 0;  // of the data at full size
  int dataHeight_ = 0;
  std::unique_ptr<TBitmap> bitmap_;
  TJPEGScale scale_ = jsFullSize;
  bool grayscale_ = false;
  TJPEGPixelFormat pixelFormat_ = jf24Bit;
  TJPEGPerformance performance_ = jpBestQuality;
  TJPEGQualityRange quality_ = 90;
  bool progressive_ = false;
};

}  // namespace classlib
