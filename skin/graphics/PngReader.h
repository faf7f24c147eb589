#pragma once
// The skin engine's PNG reader: every colour type and bit depth of the standard, Adam7 or not,
// decoded into the layouts of a device-independent bitmap (palette images of 1, 4 or 8 bits
// for grey and indexed images, 24-bit B, G, R for RGB, 32-bit B, G, R, A with straight alpha
// for RGB with alpha). gAMA drives a gamma table, a tRNS colour of a grey or RGB image becomes
// the transparent colour and bKGD the colour behind rows that never arrived.
//
// Input is hostile: every length is checked against the bytes present, sizes are bounded,
// and image data that is missing or ends early is an error, never a half-filled picture
// passed off as a good one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "skin/graphics/ColorManager.h"
#include "skin/graphics/PngChunks.h"
#include "skin/graphics/RasterImage.h"

namespace skin {

class TLZ77Decoder;

enum class TImageOption : std::uint8_t { ioBigEndian, ioUseGamma };
enum class TCompressionType : std::uint8_t { ctUnknown, ctNone, ctLZ77 };

struct TImageProperties {
  bool BigEndian = false;  // ioBigEndian
  bool UseGamma = false;   // ioUseGamma
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  TColorScheme ColorScheme = TColorScheme::csUnknown;
  std::uint8_t BitsPerSample = 0;
  std::uint8_t SamplesPerPixel = 0;
  std::uint8_t BitsPerPixel = 0;
  TCompressionType Compression = TCompressionType::ctUnknown;
  float FileGamma = 1.0f;
  bool Interlaced = false;
  bool HasAlpha = false;
  std::uint8_t FilterMode = 0;
};

// A public switch: while false, CanLoad refuses every stream.
inline bool UseACPng = true;

class TPngReader {
 public:
  TPngReader();
  ~TPngReader();
  TPngReader(const TPngReader&) = delete;
  TPngReader& operator=(const TPngReader&) = delete;

  // True when UseACPng is on and more than 8 bytes start with the PNG signature.
  static bool CanLoad(std::span<const std::uint8_t> Data);

  // Fills ImageProperties() from the signature, IHDR and a gAMA before the image data; true
  // when the header is usable. A CRC mismatch in a chunk it reads raises EInvalidGraphic.
  bool ReadImageProperties(std::span<const std::uint8_t> Data);

  // Decodes the PNG at the start of Data into Image and returns the bytes used (up to and
  // including IEND's CRC). Raises EInvalidGraphic, EReadError, EGraphicCompression or
  // EColorConversionError; Image then keeps what was built, with the bKGD colour where no row
  // arrived.
  std::size_t LoadFromMemory(std::span<const std::uint8_t> Data, TRasterImage& Image);

  const TImageProperties& ImageProperties() const { return FImageProperties; }
  const TColorManager& ColorManager() const { return FColorManager; }
  // The pre-fill colour: white unless bKGD gives one (RGB kinds: R, G, B; grey and indexed: the
  // sample or palette index itself).
  classlib::TColor BackgroundColor() const { return FBackgroundColor; }

  // Pictures whose bitmap would need more bytes are refused before anything is allocated.
  std::size_t MaxImageBytes = std::size_t{256} << 20;

 private:
  struct THeader {
    std::uint32_t Width = 0, Height = 0;
    std::uint8_t BitDepth = 0, ColorType = 0, Compression = 0, Filter = 0, Interlace = 0;
  };

  static std::optional<THeader> ParseHeader(std::span<const std::uint8_t> data);
  void CheckImageSize(const THeader& header) const;
  int SetupColorDepth(int ColorType, int BitDepth);
  void LoadIDAT(const THeader& Header, TRasterImage& Image);
  void DecodeRows(TRasterImage& Image, std::vector<std::uint8_t>& Buffer, std::size_t RowSize, int FirstRow,
                  int RowStep, int RowCount, std::uint8_t Mask);
  // Fills Size bytes of inflated image data; Filled tells how far it got, also when it raises.
  void ReadRow(std::uint8_t* Row, std::size_t Size, std::size_t& Filled);
  bool NextImageData();
  void LoadBackgroundColor(const THeader& Header, std::span<const std::uint8_t> data);
  void LoadTransparency(const THeader& Header, std::span<const std::uint8_t> data);
  void ApplyTransparentColor(const THeader& Header, TRasterImage& Image) const;
  void FillBackground(TRasterImage& Image, int FromRow) const;

  TColorManager FColorManager;
  TImageProperties FImageProperties;

  // State of one load.
  TChunkReader* FChunks = nullptr;
  TLZ77Decoder* FDecoder = nullptr;
  bool FIdatPending = false;  // the current chunk is IDAT and its data is still unread
  const std::uint8_t* FCurrentSource = nullptr;
  std::uint32_t FIDATSize = 0;  // bytes of the current IDAT not yet inflated
  int FSourceBPP = 0;
  bool FColorDepthSet = false;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  std::vector<TPaletteEntry> FPalette;
  classlib::TColor FBackgroundColor = 0xFFFFFF;
  bool FBackgroundFromFile = false;
  std::optional<std::array<std::uint16_t, 3>> FTransparentSamples;  // from tRNS, as stored
};

}  // namespace skin
