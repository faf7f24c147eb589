#pragma once
// PNG pictures as bitmaps of the component library: what the portable reader decodes becomes a
// DIB section of the same layout (palette bitmaps for grey and indexed images, 24-bit for RGB,
// 32-bit with straight alpha for RGB with alpha), so that the engine paints, converts and blends
// it like any bitmap. Also the "png" entry of the picture-format registry, the icon builders and
// the two passes that prepare 32-bit skin images. Win32 only.
#include <windows.h>

#include <memory>
#include <span>
#include <string>

#include "classlib/Bitmap.h"
#include "skin/graphics/PngReader.h"

namespace skin {

class TPNGGraphic : public classlib::TBitmap {
 public:
  TPNGGraphic() = default;
  std::wstring ClassName() const override { return L"TPNGGraphic"; }
  // From another PNG graphic its image properties too; then the bitmap's own assignment.
  void Assign(const classlib::TPersistent* Source) override;
  // 32-bit images are blended over what the canvas shows (stretched to Rect when their size
  // differs, reflected below when Reflected is set); other formats draw as bitmaps do.
  void Draw(classlib::TCanvas* ACanvas, const classlib::TRect& Rect) override;
  // Raises classlib::EInvalidGraphic (format), EReadError (data ends early), EGraphicCompression
  // or EColorConversionError; the bitmap then keeps what was built.
  void LoadFromBytes(std::span<const std::uint8_t> Data) override;
  // A PNG from the stream's position; the stream then stands after the IEND chunk's CRC, so
  // that whatever follows the picture can be read next.
  void LoadFromStream(classlib::TStream& Stream) override;
  std::unique_ptr<classlib::TGraphic> Clone() const override;

  // False while UseACPng is off; the file form opens the file for reading, writing denied.
  static bool CanLoad(const std::wstring& FileName);
  static bool CanLoad(std::span<const std::uint8_t> Data) { return TPngReader::CanLoad(Data); }
  bool ReadImageProperties(std::span<const std::uint8_t> Data);
  const TImageProperties& ImageProperties() const { return FImageProperties; }

  bool Reflected = false;

 private:
  std::size_t Load(std::span<const std::uint8_t> Data);  // the bytes the picture took
  void TakeImage(const TRasterImage& image);

  TPngReader FReader;  // owns the colour manager for as long as the graphic lives
  TImageProperties FImageProperties;
};

// Adds TPNGGraphic to the picture-format registry for "png" (unit start-up does it as well,
// whenever this unit is linked); Unregister takes it out again.
void RegisterPngFormat();
void UnregisterPngFormat();

// An icon from a bitmap: with Flag, or for a bitmap that is not 32-bit, the bitmap becomes
// 32-bit and its top-left colour transparent; otherwise the 32-bit alpha decides. The caller
// owns the icon.
HICON MakeIcon32(classlib::TBitmap* Bmp, bool Flag);
// An icon from a PNG graphic drawn over Color; alpha 0 is transparent. The caller owns it.
HICON MakeCompIcon(TPNGGraphic* Png, classlib::TColor Color);
// The passes of SkinImagePasses.h on a 32-bit bitmap; other formats are left alone.
void UpdateTransPixels(classlib::TBitmap* Bmp);
void UpdateAlpha(classlib::TBitmap* Bmp);

}  // namespace skin
