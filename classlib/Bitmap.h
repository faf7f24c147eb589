#pragma once
// A bitmap over a DIB section: the pixels are directly addressable (ScanLine, Image32View) and
// drawable with GDI through the bitmap's canvas at the same time. pf32bit is the format of the
// skinning engine; the other formats exist for pictures loaded from files and resources.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/BmpFormat.h"
#include "classlib/EnumInfo.h"
#include "classlib/Graphics.h"
#include "classlib/Image32.h"

namespace classlib {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
template <>
inline const TEnumInfo& EnumInfo<TPixelFormat>() {
  static const TEnumInfo i{
      L"TPixelFormat",
      {L"pfDevice", L"pf1bit", L"pf4bit", L"pf8bit", L"pf15bit", L"pf16bit", L"pf24bit", L"pf32bit", L"pfCustom"}};
  return i;
}
enum TBitmapHandleType { bhDIB, bhDDB };
enum TTransparentMode { tmAuto, tmFixed };
// How Draw treats the fourth byte of 32-bit pixels.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, created on first use.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap);
  ~TBitmapCanvas() override;
  std::wstring ClassName() const override { return L"TBitmapCanvas"; }
  // Gives the DC back (the bitmap leaves it); the next drawing call makes a new one.
  void FreeContext();

 protected:
  friend void FreeMemoryContexts();
  void CreateHandle() override;

 private:
  void ReleaseContext();  // with the list of contexts locked

  TBitmap* bitmap_;
  HDC memoryDC_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
};

// Releases the memory DCs of every bitmap canvas not locked by a thread, as the application
// does when idle and as bitmap canvases do themselves when GDI runs out of DCs.
void FreeMemoryContexts();

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;
  std::wstring ClassName() const override { return L"TBitmap"; }
  // From another bitmap: a deep copy. From any other graphic: drawn onto this bitmap at its size.
  // Nothing (nullptr): the bitmap becomes empty.
  void Assign(const TPersistent* Source) override;

  bool Empty() const override { return width_ <= 0 || height_ <= 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int Value) override { SetSize(Value, height_); }
  void SetHeight(int Value) override { SetSize(width_, Value); }
  // Keeps the overlapping part of the picture; new pixels get the canvas brush colour.
  void SetSize(int AWidth, int AHeight) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  // Converts the picture; pfCustom is refused.
  void SetPixelFormat(TPixelFormat Value);
  // Every handle is a DIB section; bhDDB stands for the device's format (pfDevice).
  TBitmapHandleType HandleType() const { return pixelFormat_ == pfDevice ? bhDDB : bhDIB; }
  void SetHandleType(TBitmapHandleType Value);
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat Value);

  TCanvas* Canvas();
  // The DIB section; 0 for an empty bitmap. The bitmap owns it.
  HBITMAP Handle() const { return handle_.get(); }
  // Takes ownership of a bitmap: its picture is copied into a bottom-up DIB of the nearest
  // pixel format (every byte of 32-bit pixels kept) and the handle given is deleted.
  void SetHandle(HBITMAP Value);
  // Hands the handle over to the caller; the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

  // Row Row of the picture, row 0 at the top. The DIB is stored bottom-up, so addresses
  // decrease as Row grows: ScanLine(1) is ScanLine(0) minus the row stride. GDI drawing is
  // flushed first. An index outside 0..Height-1 raises EInvalidGraphicOperation.
  void* ScanLine(int Row);
  // The picture as the portable pixel routines take it (negative stride). pf32bit only;
  // an empty bitmap gives an empty view.
  TImage32View Image32View();
  // Bits per pixel of the DIB (pfDevice: the screen's).
  int BitCount() const { return bitCount_; }

  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set last.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode Value);

  // A bitmap resource (RT_BITMAP): a missing one raises EResNotFound, a malformed one
  // EInvalidGraphic.
  void LoadFromResourceName(HINSTANCE Instance, const std::wstring& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  void LoadFromBytes(std::span<const std::uint8_t> Data) override;
  std::vector<std::uint8_t> SaveToBytes() const override;
  // Reads one file image: up to the size its file header gives, so that pictures stored one
  // after another in a stream are read one at a time; without a usable size, to the end.
  void LoadFromStream(TStream& Stream) override;
  // A decoded picture in GDI's layout (what the file-format readers produce).
  void LoadFromDib(const bmp::Dib& dib);
  std::unique_ptr<TGraphic> Clone() const override;

  // The platform frees caches here; a DIB section has nothing to free.
  void Dormant() {}
  void FreeImage() {}

 protected:
  void Changed(TObject* Sender) override;

 public:
  struct Image;  // the DIB behind a bitmap; internal

 private:
  friend class TBitmapCanvas;
  // Replaces the picture (the old one is deselected from the canvas first).
  void Replace(Image&& image);
  Image Allocate(int width, int height, TPixelFormat format, const std::vector<std::uint32_t>* palette) const;
  void CopyPixelsTo(Image& target) const;
  TColor PixelColor(int x, int y) const;
  std::size_t Stride() const;
  std::vector<std::uint32_t> ReadPalette(HBITMAP bitmap) const;
  void LoadFromResource(HINSTANCE Instance, const wchar_t* Name, const std::wstring& Label);

  GdiObject<HBITMAP> handle_;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  std::vector<std::uint32_t> palette_;  // RGBQUADs of an indexed DIB
  TPixelFormat pixelFormat_ = pfDevice;
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

}  // namespace classlib
