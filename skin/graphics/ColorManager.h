#pragma once
// Row conversion between pixel layouts (colour scheme, bits per sample, samples per pixel,
// options), and the palettes and gamma table that go with them. The PNG reader owns one and
// sends every decoded row, its PLTE palette and its grey ramps through it.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "classlib/Exception.h"
#include "skin/graphics/PixelMath.h"  // ClampByte
#include "skin/graphics/RasterImage.h"

namespace skin {

// clang-format off
enum class TColorScheme : std::uint8_t {
  csUnknown, csIndexed, csG, csGA, csRGB, csRGBA, csBGR, csBGRA, csCMY, csCMYK, csCIELab, csYCbCr, csPhotoYCC
};
// clang-format on

enum class TConvertOption : std::uint8_t {
  coAlpha,            // the layout carries an alpha sample
  coApplyGamma,       // colour samples pass through the gamma table
  coNeedByteSwap,     // 16-bit samples are big-endian
  coLabByteRange,     // L* is stored as 0..255 and means value / 2.55
  coLabChromaOffset,  // a* and b* are stored with an offset of 128
};

class TConvertOptions {
 public:
  constexpr TConvertOptions() = default;
  constexpr TConvertOptions(std::initializer_list<TConvertOption> items) {
    for (TConvertOption o : items) Include(o);
  }
  constexpr bool Contains(TConvertOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr void Include(TConvertOption o) { bits_ = static_cast<std::uint8_t>(bits_ | Bit(o)); }
  constexpr void Exclude(TConvertOption o) { bits_ = static_cast<std::uint8_t>(bits_ & ~Bit(o)); }
  friend constexpr bool operator==(TConvertOptions, TConvertOptions) = default;

 private:
  static constexpr std::uint8_t Bit(TConvertOption o) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(o));
  }
  std::uint8_t bits_ = 0;
};

// Layouts of raw palette data: one buffer of 3 or 4 samples per colour, or one buffer per
// channel; 8- or 16-bit samples.
enum class TRawPaletteFormat : std::uint8_t {
  pfInterlaced8Triple,
  pfInterlaced8Quad,
  pfPlane8Triple,
  pfPlane8Quad,
  pfInterlaced16Triple,
  pfInterlaced16Quad,
  pfPlane16Triple,
  pfPlane16Quad
};

class EColorConversionError : public classlib::Exception {
  using classlib::Exception::Exception;
};

// (A * B) div C on 16-bit values with a 32-bit product.
constexpr std::uint16_t MulDiv16(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  return static_cast<std::uint16_t>(a * b / c);
}

class TColorManager {
 public:
  // Source is one pointer for interleaved samples or one per plane; Target the first target
  // pixel; Count target pixels; Mask picks pixels (bit 7 = the first of each group of 8).
  using TConversionMethod = void (TColorManager::*)(std::span<const std::uint8_t* const> Source, std::uint8_t* Target,
                                                    int Count, std::uint8_t Mask);

  TColorManager();

  int SourceBitsPerSample() const { return FSourceBPS; }
  int TargetBitsPerSample() const { return FTargetBPS; }
  int SourceSamplesPerPixel() const { return FSourceSPP; }
  int TargetSamplesPerPixel() const { return FTargetSPP; }
  TColorScheme SourceColorScheme() const { return FSourceScheme; }
  TColorScheme TargetColorScheme() const { return FTargetScheme; }
  float MainGamma() const { return FMainGamma; }
  float DisplayGamma() const { return FDisplayGamma; }
  const std::array<std::uint8_t, 256>& GammaTable() const { return FGammaTable; }

  void SetSourceBitsPerSample(int Value);
  void SetTargetBitsPerSample(int Value);
  void SetSourceSamplesPerPixel(int Value);
  void SetTargetSamplesPerPixel(int Value);
  void SetSourceColorScheme(TColorScheme Value);
  void SetTargetColorScheme(TColorScheme Value);

  // Written directly by the owner.
  TConvertOptions SourceOptions;
  TConvertOptions TargetOptions;

  void ConvertRow(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask);
  void ConvertRow(const std::uint8_t* Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
    ConvertRow(std::span<const std::uint8_t* const>(&Source, 1), Target, Count, Mask);
  }
  void PrepareConversion();
  void SetGamma(float MainGamma, float DisplayGamma);

  // Source holds one buffer for the interleaved formats, three (or four) for the plane formats.
  std::vector<TPaletteEntry> CreateColorPalette(std::span<const std::uint8_t* const> Source, TRawPaletteFormat Format,
                                                int ColorCount, bool BlueFirst);
  std::vector<TPaletteEntry> CreateGrayscalePalette(bool WhiteFirst) const;
  TPixelFormat GetPixelFormat(bool ForTarget) const;

  [[noreturn]] static void Error(const std::wstring& Message);

  // Single-component conversions.
  std::uint16_t ComponentNoConvert8(std::uint16_t Value) const { return Value; }
  std::uint16_t ComponentNoConvert16(std::uint16_t Value) const { return Value; }
  std::uint16_t ComponentGammaConvert(std::uint16_t Value) const { return FGammaTable[Value & 0xFF]; }
  std::uint16_t ComponentScaleConvert(std::uint16_t Value) const { return static_cast<std::uint16_t>(Value / 257u); }
  std::uint16_t ComponentScaleGammaConvert(std::uint16_t Value) const { return FGammaTable[Value / 257u]; }
  std::uint16_t ComponentSwapConvert(std::uint16_t Value) const {
    return static_cast<std::uint16_t>((Value >> 8) | (Value << 8));
  }
  std::uint16_t ComponentSwapScaleConvert(std::uint16_t Value) const {
    return ComponentScaleConvert(ComponentSwapConvert(Value));
  }
  std::uint16_t ComponentSwapScaleGammaConvert(std::uint16_t Value) const {
    return ComponentScaleGammaConvert(ComponentSwapConvert(Value));
  }

  // The row converters; ConvertRow calls the chosen one.
  void RowConvertIndexed8(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                          std::uint8_t Mask);
  void RowConvertIndexedBoth16(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                               std::uint8_t Mask);
  void RowConvertIndexedSource16(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                                 std::uint8_t Mask);
  void RowConvertIndexedTarget16(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                                 std::uint8_t Mask);
  void RowConvertGray(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask);
  void RowConvertRGB2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                         std::uint8_t Mask);
  void RowConvertRGB2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                         std::uint8_t Mask);
  void RowConvertBGR2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                         std::uint8_t Mask);
  void RowConvertBGR2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                         std::uint8_t Mask);
  void RowConvertCMYK2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                          std::uint8_t Mask);
  void RowConvertCMYK2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                          std::uint8_t Mask);
  void RowConvertCIELAB2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                            std::uint8_t Mask);
  void RowConvertCIELAB2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                            std::uint8_t Mask);
  void RowConvertYCbCr2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                           std::uint8_t Mask);
  void RowConvertYCbCr2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                           std::uint8_t Mask);
  void RowConvertPhotoYCC2RGB(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                              std::uint8_t Mask);
  void RowConvertPhotoYCC2BGR(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                              std::uint8_t Mask);

  TConversionMethod RowConversion() const { return FRowConversion; }

 private:
  void ConvertRGBFamily(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask,
                        bool SwapRedBlue);
  void ConvertCMYK(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask,
                   bool TargetBGR);
  void ConvertCIELab(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask,
                     bool TargetBGR);
  void ConvertYCbCr(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count, std::uint8_t Mask,
                    bool TargetBGR);
  void CreateYCbCrLookups();
  void BuildGammaTable();

  bool FChanged = true;
  std::uint8_t FSourceBPS = 8, FTargetBPS = 8;
  std::uint8_t FSourceSPP = 3, FTargetSPP = 3;
  float FMainGamma = 1.0f, FDisplayGamma = 2.2f;
  std::array<std::uint8_t, 256> FGammaTable{};
  std::array<float, 3> FYCbCrCoefficients{0.299f, 0.587f, 0.114f};
  std::array<std::int32_t, 256> FCrToRedTable{}, FCbToBlueTable{}, FCrToGreenTable{}, FCbToGreenTable{};
  TColorScheme FSourceScheme = TColorScheme::csRGB, FTargetScheme = TColorScheme::csBGR;
  TConversionMethod FRowConversion = nullptr;
};

}  // namespace skin
