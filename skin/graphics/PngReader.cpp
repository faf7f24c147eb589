#include "skin/graphics/PngReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "classlib/CheckedSize.h"
#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/Lz77Decoder.h"
#include "skin/graphics/PngFilter.h"
#include "skin/graphics/PngMessages.h"

namespace skin {

namespace msg = png_messages;

namespace {

struct TAdam7Pass {
  int StartRow, StartColumn, RowStep, ColumnStep;
  std::uint8_t Mask;  // the target columns of the pass within each group of 8
};
constexpr TAdam7Pass kAdam7[7] = {
    {0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
    {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF},
};

constexpr std::uint32_t kMaxDimension = 0x7FFFFFFFu;
// Raw image data inflated per call: enough for zlib's fast loop, small enough for the cache.
constexpr std::size_t kBatchBytes = 32 * 1024;

// Bits per pixel of the bitmap a colour type and depth decode into; 0 for pairs we refuse.
int TargetBitsPerPixel(int colorType, int depth) {
  switch (colorType) {
    case 0:
      switch (depth) {
        case 1: return 1;
        case 2:
        case 4: return 4;
        case 8:
        case 16: return 8;
        default: return 0;
      }
    case 2: return depth == 8 || depth == 16 ? 24 : 0;
    case 3:
      switch (depth) {
        case 1: return 1;
        case 2:
        case 4: return 4;
        case 8: return 8;
        default: return 0;
      }
    case 4: return depth == 8 || depth == 16 ? 8 : 0;
    case 6: return depth == 8 || depth == 16 ? 32 : 0;
    default: return 0;
  }
}

// The grey level that sample s of a depth shows through the grey ramp.
int GreyLevel(std::uint32_t sample, int depth) {
  if (depth == 16) return static_cast<int>(sample / 257);
  if (depth == 8) return static_cast<int>(sample);
  return static_cast<int>(sample * 255 / ((1u << depth) - 1));
}

classlib::TColor RGBColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace

TPngReader::TPngReader() = default;
TPngReader::~TPngReader() = default;

bool TPngReader::CanLoad(std::span<const std::uint8_t> Data) {
  if (!UseACPng || Data.size() <= PNGMagic.size()) return false;
  return std::equal(PNGMagic.begin(), PNGMagic.end(), Data.begin());
}

std::optional<TPngReader::THeader> TPngReader::ParseHeader(std::span<const std::uint8_t> data) {
  if (data.size() != 13) return std::nullopt;
  THeader h;
  h.Width = ReadBigEndian32(data.data());
  h.Height = ReadBigEndian32(data.data() + 4);
  h.BitDepth = data[8];
  h.ColorType = data[9];
  h.Compression = data[10];
  h.Filter = data[11];
  h.Interlace = data[12];
  return h;
}

bool TPngReader::ReadImageProperties(std::span<const std::uint8_t> Data) {
  FImageProperties = TImageProperties{};
  if (Data.size() < PNGMagic.size() || !std::equal(PNGMagic.begin(), PNGMagic.end(), Data.begin())) return false;
  TChunkReader chunks(Data, PNGMagic.size());
  auto headerFits = [&] {
    return chunks.Remaining() >= 8 && ReadBigEndian32(Data.data() + chunks.Position()) <= kMaxDimension;
  };
  if (!headerFits()) return false;
  chunks.ReadHeader();
  if (!chunks.IsChunk(kIHDR) || chunks.Header().Length != 13 || chunks.Remaining() < 13 + 4) return false;
  FImageProperties.BigEndian = true;
  const std::optional<THeader> header = ParseHeader(chunks.ReadDataAndCheckCRC());
  if (header->Width == 0 || header->Height == 0 || header->Width > kMaxDimension || header->Height > kMaxDimension)
    return false;

  TImageProperties& p = FImageProperties;
  p.Width = header->Width;
  p.Height = header->Height;
  p.Compression = header->Compression == 0 ? TCompressionType::ctLZ77 : TCompressionType::ctUnknown;
  p.BitsPerSample = header->BitDepth;
  p.SamplesPerPixel = 1;
  switch (header->ColorType) {
    case 0: p.ColorScheme = TColorScheme::csG; break;
    case 2:
      p.ColorScheme = TColorScheme::csRGB;
      p.SamplesPerPixel = 3;
      break;
    case 3: p.ColorScheme = TColorScheme::csIndexed; break;
    case 4: p.ColorScheme = TColorScheme::csGA; break;
    case 6:
      p.ColorScheme = TColorScheme::csRGBA;
      p.SamplesPerPixel = 4;
      break;
    default: p.ColorScheme = TColorScheme::csUnknown; break;
  }
  p.BitsPerPixel = static_cast<std::uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  p.FilterMode = header->Filter;
  p.Interlaced = header->Interlace != 0;
  p.HasAlpha = p.ColorScheme == TColorScheme::csGA || p.ColorScheme == TColorScheme::csRGBA ||
               p.ColorScheme == TColorScheme::csBGRA;

  // The file gamma, if a gAMA comes before the end; a cut-off tail is the load's business.
  while (headerFits()) {
    chunks.ReadHeader();
    if (chunks.IsChunk(kgAMA)) {
      if (chunks.Header().Length == 4 && chunks.Remaining() >= 8) {
        const std::span<const std::uint8_t> data = chunks.ReadDataAndCheckCRC();
        p.FileGamma = static_cast<float>(ReadBigEndian32(data.data()) / 100000.0);
      }
      break;
    }
    if (chunks.IsChunk(kIEND)) break;
    chunks.SkipData();
  }
  return true;
}

void TPngReader::CheckImageSize(const THeader& header) const {
  const int bits = TargetBitsPerPixel(header.ColorType, header.BitDepth);
  if (bits == 0) return;  // the colour format is refused when it is set up
  const std::uint64_t width = header.Width, height = header.Height;
  const std::optional<std::uint64_t> stride = classlib::CheckedDibStride(static_cast<std::int64_t>(width), bits);
  const std::uint64_t limit = MaxImageBytes;
  const std::optional<std::uint64_t> bytes = stride ? classlib::CheckedMul(*stride, height, limit) : std::nullopt;
  // The two row buffers hold up to 8 bytes per pixel before conversion.
  const std::uint64_t rawRow = (width * header.BitDepth + 7) / 8 * 4 + 1;
  if (!bytes || rawRow > limit / 2 || *bytes + 2 * rawRow > limit) throw EInvalidGraphic(msg::kImageTooLarge);
}

int TPngReader::SetupColorDepth(int ColorType, int BitDepth) {
  TColorScheme source, target;
  int samples, targetBits, sourceBPP;
  bool greyRamp = false;
  switch (ColorType) {
    case 0:
      if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && BitDepth != 8 && BitDepth != 16)
        throw EInvalidGraphic(msg::kInvalidColorFormat);
      source = target = TColorScheme::csG;
      samples = 1;
      targetBits = BitDepth == 2 ? 4 : BitDepth == 16 ? 8 : BitDepth;
      greyRamp = true;
      sourceBPP = (BitDepth + 7) / 8;
      break;
    case 2:
      if (BitDepth != 8 && BitDepth != 16) throw EInvalidGraphic(msg::kInvalidColorFormat);
      source = TColorScheme::csRGB;
      target = TColorScheme::csBGR;
      samples = 3;
      targetBits = 8;
      sourceBPP = BitDepth * 3 / 8;
      break;
    case 3:
      if (BitDepth != 1 && BitDepth != 2 && BitDepth != 4 && BitDepth != 8)
        throw EInvalidGraphic(msg::kInvalidColorFormat);
      source = target = TColorScheme::csIndexed;
      samples = 1;
      targetBits = BitDepth == 2 ? 4 : BitDepth;
      sourceBPP = 1;
      break;
    case 4:
      if (BitDepth != 8 && BitDepth != 16) throw EInvalidGraphic(msg::kInvalidColorFormat);
      source = TColorScheme::csGA;
      target = TColorScheme::csIndexed;
      samples = 1;
      targetBits = 8;
      greyRamp = true;
      sourceBPP = BitDepth * 2 / 8;
      break;
    case 6:
      if (BitDepth != 8 && BitDepth != 16) throw EInvalidGraphic(msg::kInvalidColorFormat);
      source = TColorScheme::csRGBA;
      target = TColorScheme::csBGRA;
      samples = 4;
      targetBits = 8;
      sourceBPP = BitDepth * 4 / 8;
      break;
    default: throw EInvalidGraphic(msg::kInvalidColorFormat);
  }
  FColorManager.SetSourceColorScheme(source);
  FColorManager.SetTargetColorScheme(target);
  FColorManager.SetSourceBitsPerSample(BitDepth);
  FColorManager.SetTargetBitsPerSample(targetBits);
  FColorManager.SetSourceSamplesPerPixel(samples);
  FColorManager.SetTargetSamplesPerPixel(samples);
  FPixelFormat = FColorManager.GetPixelFormat(true);
  if (greyRamp) FPalette = FColorManager.CreateGrayscalePalette(false);
  FColorDepthSet = true;
  return sourceBPP;
}

std::size_t TPngReader::LoadFromMemory(std::span<const std::uint8_t> Data, TRasterImage& Image) {
  Image.Clear();
  // Nothing of an earlier load may leak into this one: options, depths, gamma table.
  FColorManager = TColorManager();
  FIdatPending = false;
  FCurrentSource = nullptr;
  FIDATSize = 0;
  FSourceBPP = 0;
  FColorDepthSet = false;
  FPixelFormat = TPixelFormat::pfDevice;
  FPalette.clear();
  FBackgroundColor = 0xFFFFFF;
  FBackgroundFromFile = false;
  FTransparentSamples.reset();

  if (!ReadImageProperties(Data)) throw EInvalidGraphic(msg::kInvalidFormat);

  TChunkReader chunks(Data, PNGMagic.size());
  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  FChunks = &chunks;
  FDecoder = &decoder;
  struct TLoadScope {
    TPngReader& reader;
    ~TLoadScope() {
      reader.FChunks = nullptr;
      reader.FDecoder = nullptr;
      reader.FCurrentSource = nullptr;
    }
  } scope{*this};

  try {
    chunks.ReadHeader();
    FColorManager.SourceOptions = {TConvertOption::coNeedByteSwap};
    const THeader header = *ParseHeader(chunks.ReadDataAndCheckCRC());
    if (header.Compression != 0) throw EInvalidGraphic(msg::kCompressionScheme);
    CheckImageSize(header);
    decoder.DecodeInit();

    bool imageLoaded = false;
    for (;;) {
      chunks.ReadHeader();
      if (chunks.IsChunk(kIDAT)) {
        // A second run of image data after other chunks: the image is already complete.
        if (imageLoaded) throw EInvalidGraphic(msg::kExtraCompressedData);
        FIdatPending = true;
        LoadIDAT(header, Image);
        imageLoaded = true;
        // The chunk after the image data is now current and takes the path of any other.
      } else if (chunks.IsChunk(kPLTE)) {
        if (chunks.Header().Length % 3 != 0) throw EInvalidGraphic(msg::kInvalidPalette);
        const std::span<const std::uint8_t> data = chunks.ReadDataAndCheckCRC();
        if (header.ColorType == 3) {
          FSourceBPP = SetupColorDepth(3, header.BitDepth);
          const std::uint8_t* source = data.data();
          FPalette = FColorManager.CreateColorPalette(std::span<const std::uint8_t* const>(&source, 1),
                                                      TRawPaletteFormat::pfInterlaced8Triple,
                                                      static_cast<int>(data.size() / 3), false);
        }
        continue;
      } else if (chunks.IsChunk(kgAMA)) {
        const std::span<const std::uint8_t> data = chunks.ReadDataAndCheckCRC();
        if (data.size() == 4) {
          FColorManager.SetGamma(static_cast<float>(ReadBigEndian32(data.data()) / 100000.0), 2.2f);
          FColorManager.TargetOptions.Include(TConvertOption::coApplyGamma);
          FImageProperties.UseGamma = true;
        }
        continue;
      } else if (chunks.IsChunk(kbKGD)) {
        LoadBackgroundColor(header, chunks.ReadDataAndCheckCRC());
        continue;
      } else if (chunks.IsChunk(ktRNS)) {
        LoadTransparency(header, chunks.ReadDataAndCheckCRC());
        continue;
      }

      if (chunks.IsChunk(kIEND)) {
        chunks.SkipData();
        break;
      }
      if (IsCritical(chunks.Header().ChunkType)) throw EInvalidGraphic(msg::kUnknownCriticalChunk);
      chunks.SkipData();
    }
    if (!imageLoaded) throw EInvalidGraphic(msg::kImageDataMissing);
    decoder.DecodeEnd();
  } catch (const std::bad_alloc&) {
    throw EInvalidGraphic(msg::kImageTooLarge);
  }
  return chunks.Position();
}

void TPngReader::LoadIDAT(const THeader& Header, TRasterImage& Image) {
  if (!FColorDepthSet) FSourceBPP = SetupColorDepth(Header.ColorType, Header.BitDepth);
  const int width = static_cast<int>(Header.Width), height = static_cast<int>(Header.Height);
  Image.SetFormat(FPixelFormat, width, height);
  if (!FPalette.empty()) Image.SetPalette(FPalette);
  ApplyTransparentColor(Header, Image);

  const std::size_t samplesPerPixel = static_cast<std::size_t>(Header.BitDepth == 16 ? FSourceBPP / 2 : FSourceBPP);
  auto rowBytes = [&](std::uint32_t pixels) {
    return (static_cast<std::size_t>(pixels) * Header.BitDepth + 7) / 8 * samplesPerPixel;
  };
  // Rows are inflated a batch at a time and unfiltered where they lie, each against the row
  // above it; one row per inflate call would keep zlib on its slow path for small rows.
  const std::size_t fullRow = rowBytes(Header.Width) + 1;
  const std::size_t batchRows = std::clamp<std::size_t>(kBatchBytes / fullRow, 1, static_cast<std::size_t>(height));
  std::vector<std::uint8_t> buffer((batchRows + 1) * fullRow, 0);

  if (Header.Interlace == 1) {
    // Passes fill the image a few pixels at a time: whatever they never reach shows bKGD.
    FillBackground(Image, 0);
    for (const TAdam7Pass& pass : kAdam7) {
      if (static_cast<std::uint32_t>(pass.StartColumn) >= Header.Width || pass.StartRow >= height) continue;
      const std::uint32_t pixels = (Header.Width + pass.ColumnStep - pass.StartColumn - 1) / pass.ColumnStep;
      const int rows = (height - pass.StartRow + pass.RowStep - 1) / pass.RowStep;
      DecodeRows(Image, buffer, rowBytes(pixels) + 1, pass.StartRow, pass.RowStep, rows, pass.Mask);
    }
  } else {
    DecodeRows(Image, buffer, fullRow, 0, 1, height, 0xFF);
  }

  // Image data the rows did not need: checked, not inflated.
  while (FChunks->IsChunk(kIDAT)) {
    if (FIdatPending) {
      FChunks->ReadDataAndCheckCRC();
      FIdatPending = false;
    }
    FChunks->ReadHeader();
    FIdatPending = FChunks->IsChunk(kIDAT);
  }
}

void TPngReader::DecodeRows(TRasterImage& Image, std::vector<std::uint8_t>& Buffer, std::size_t RowSize, int FirstRow,
                            int RowStep, int RowCount, std::uint8_t Mask) {
  // Buffer holds the row above the batch (all zero at the start of a pass), then the batch.
  const std::size_t batchRows = Buffer.size() / RowSize - 1;
  const std::size_t dataBytes = RowSize - 1;
  std::fill_n(Buffer.begin(), RowSize, 0);
  const int width = Image.Width();
  int done = 0;
  auto finish = [&](int count) {
    for (int k = 0; k < count;) {
      std::uint8_t* row = Buffer.data() + (static_cast<std::size_t>(k) + 1) * RowSize;
      if (k + 1 < count) {
        std::uint8_t* next = row + RowSize;
        ApplyFilterTwoRows(row[0], row + 1, next[0], next + 1, row + 1 - RowSize, FSourceBPP, dataBytes);
        FColorManager.ConvertRow(row + 1, Image.ScanLine(FirstRow + (done + k) * RowStep), width, Mask);
        FColorManager.ConvertRow(next + 1, Image.ScanLine(FirstRow + (done + k + 1) * RowStep), width, Mask);
        k += 2;
      } else {
        ApplyFilter(row[0], row + 1, row + 1 - RowSize, row + 1, FSourceBPP, dataBytes);
        FColorManager.ConvertRow(row + 1, Image.ScanLine(FirstRow + (done + k) * RowStep), width, Mask);
        k += 1;
      }
    }
  };
  while (done < RowCount) {
    const int count = static_cast<int>(std::min<std::size_t>(batchRows, static_cast<std::size_t>(RowCount - done)));
    std::size_t filled = 0;
    try {
      ReadRow(Buffer.data() + RowSize, static_cast<std::size_t>(count) * RowSize, filled);
    } catch (...) {
      // The rows that arrived whole are the picture's; a non-interlaced image shows bKGD below.
      const int whole = static_cast<int>(filled / RowSize);
      finish(whole);
      if (Mask == 0xFF && RowStep == 1) FillBackground(Image, FirstRow + done + whole);
      throw;
    }
    finish(count);
    done += count;
    std::memcpy(Buffer.data(), Buffer.data() + static_cast<std::size_t>(count) * RowSize, RowSize);
  }
}

bool TPngReader::NextImageData() {
  for (;;) {
    if (!FIdatPending) {
      FChunks->ReadHeader();
      if (!FChunks->IsChunk(kIDAT)) return false;
    }
    FIdatPending = false;
    const std::span<const std::uint8_t> data = FChunks->ReadDataAndCheckCRC();
    FCurrentSource = data.data();
    FIDATSize = static_cast<std::uint32_t>(data.size());
    if (FIDATSize > 0) return true;
  }
}

void TPngReader::ReadRow(std::uint8_t* Row, std::size_t Size, std::size_t& Filled) {
  std::uint8_t* dest = Row;
  std::uint8_t* const end = Row + Size;
  while (dest < end) {
    Filled = static_cast<std::size_t>(dest - Row);
    if (FDecoder->ZLibResult() == Z_STREAM_END) throw EInvalidGraphic(msg::kExtraCompressedData);
    if (FIDATSize == 0) {
      if (!NextImageData()) throw EInvalidGraphic(msg::kImageDataMissing);
      continue;
    }
    const std::uint8_t* source = FCurrentSource;
    FDecoder->Decode(source, dest, FIDATSize, static_cast<std::uint32_t>(end - dest));
    FIDATSize -= static_cast<std::uint32_t>(source - FCurrentSource);
    FCurrentSource = source;
    Filled = static_cast<std::size_t>(dest - Row);
    const int result = FDecoder->ZLibResult();
    if (result == Z_STREAM_END) {
      if (dest < end || FIDATSize > 0) throw EInvalidGraphic(msg::kExtraCompressedData);
      return;
    }
    if (result != Z_OK) throw EInvalidGraphic(msg::kCompressionError);
  }
  Filled = Size;
}

void TPngReader::LoadBackgroundColor(const THeader& Header, std::span<const std::uint8_t> data) {
  // A chunk of the wrong length or with samples beyond the bit depth says nothing usable.
  const int depth = Header.BitDepth;
  const std::uint32_t highest = depth >= 16 ? 0xFFFFu : (1u << depth) - 1;
  switch (Header.ColorType) {
    case 2:
    case 6: {
      if (data.size() != 6) return;
      int rgb[3];
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t s = ReadBigEndian16(data.data() + 2 * c);
        if (s > highest) return;
        rgb[c] = depth == 16 ? static_cast<int>(s / 257) : static_cast<int>(s);
      }
      FBackgroundColor = RGBColor(rgb[0], rgb[1], rgb[2]);
      break;
    }
    case 0:
    case 4: {
      if (data.size() != 2) return;
      const std::uint32_t s = ReadBigEndian16(data.data());
      if (s > highest) return;
      FBackgroundColor = static_cast<classlib::TColor>(depth == 16 ? s / 257 : depth == 2 ? s * 5 : s);
      break;
    }
    case 3:
      if (data.size() != 1) return;
      FBackgroundColor = data[0];
      break;
    default: return;
  }
  FBackgroundFromFile = true;
}

void TPngReader::LoadTransparency(const THeader& Header, std::span<const std::uint8_t> data) {
  // Grey and RGB images name one colour; images with alpha have their channel, and indexed
  // images decode opaque.
  if (Header.ColorType == 0 && data.size() == 2) {
    const std::uint16_t s = ReadBigEndian16(data.data());
    FTransparentSamples = std::array<std::uint16_t, 3>{s, s, s};
  } else if (Header.ColorType == 2 && data.size() == 6) {
    FTransparentSamples = std::array<std::uint16_t, 3>{ReadBigEndian16(data.data()), ReadBigEndian16(data.data() + 2),
                                                       ReadBigEndian16(data.data() + 4)};
  }
}

void TPngReader::ApplyTransparentColor(const THeader& Header, TRasterImage& Image) const {
  if (!FTransparentSamples || (Header.ColorType != 0 && Header.ColorType != 2)) return;
  const int depth = Header.BitDepth;
  const std::uint32_t highest = depth >= 16 ? 0xFFFFu : (1u << depth) - 1;
  // The colour the matching pixels are drawn in: through the grey ramp or the RGB rows, and
  // through the gamma table whenever the pixels go through it.
  const bool gamma = FColorManager.TargetOptions.Contains(TConvertOption::coApplyGamma);
  int rgb[3];
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t s = (*FTransparentSamples)[static_cast<std::size_t>(c)];
    if (s > highest) return;  // no pixel can have it
    const int level = GreyLevel(s, depth);
    rgb[c] = gamma ? FColorManager.GammaTable()[static_cast<std::size_t>(level)] : level;
  }
  Image.TransparentColor = RGBColor(rgb[0], rgb[1], rgb[2]);
}

void TPngReader::FillBackground(TRasterImage& Image, int FromRow) const {
  if (Image.Empty() || FromRow >= Image.Height()) return;
  const auto r = static_cast<std::uint8_t>(FBackgroundColor & 0xFF);
  const auto g = static_cast<std::uint8_t>((FBackgroundColor >> 8) & 0xFF);
  const auto b = static_cast<std::uint8_t>((FBackgroundColor >> 16) & 0xFF);
  const int width = Image.Width();
  const auto rowBytes = static_cast<std::size_t>(Image.Stride());
  for (int y = FromRow; y < Image.Height(); ++y) {
    std::uint8_t* row = Image.ScanLine(y);
    switch (Image.PixelFormat()) {
      case TPixelFormat::pf32bit:
        // As a brush fill of a 32-bit bitmap leaves it: colour with alpha 0.
        for (int x = 0; x < width; ++x) {
          row[4 * x] = b;
          row[4 * x + 1] = g;
          row[4 * x + 2] = r;
          row[4 * x + 3] = 0;
        }
        break;
      case TPixelFormat::pf24bit:
        for (int x = 0; x < width; ++x) {
          row[3 * x] = b;
          row[3 * x + 1] = g;
          row[3 * x + 2] = r;
        }
        break;
      default: {
        const int bits = BitsOf(Image.PixelFormat());
        const int highest = (1 << bits) - 1;
        int index;
        if (FBackgroundFromFile) {
          index = std::min(static_cast<int>(FBackgroundColor), highest);
        } else {
          // The palette entry nearest the colour, as a brush on a palette bitmap picks it.
          index = 0;
          int best = 1 << 30;
          const std::vector<TPaletteEntry>& palette = Image.Palette();
          for (int i = 0; i <= highest; ++i) {
            const TPaletteEntry& e = palette[static_cast<std::size_t>(i)];
            const int d = (e.R - r) * (e.R - r) + (e.G - g) * (e.G - g) + (e.B - b) * (e.B - b);
            if (d < best) {
              best = d;
              index = i;
            }
          }
        }
        std::uint8_t fill = static_cast<std::uint8_t>(index);
        if (bits == 4) fill = static_cast<std::uint8_t>(index * 0x11);
        if (bits == 1) fill = index ? 0xFF : 0x00;
        std::memset(row, fill, rowBytes);
        break;
      }
    }
  }
}

}  // namespace skin
