// Layout settings, converter choice, gamma table and palettes of the colour manager; the row
// converters themselves live in ColorConverters.cpp.
#include "skin/graphics/ColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

namespace {

bool IsIndexedSource(TColorScheme s) {
  return s == TColorScheme::csIndexed || s == TColorScheme::csG || s == TColorScheme::csGA;
}
bool IsIndexedTarget(TColorScheme s) { return s == TColorScheme::csIndexed || s == TColorScheme::csG; }
bool HasAlphaSample(TColorScheme s) {
  return s == TColorScheme::csGA || s == TColorScheme::csRGBA || s == TColorScheme::csBGRA;
}
bool IsRGBKind(TColorScheme s) { return s == TColorScheme::csRGB || s == TColorScheme::csRGBA; }
bool IsBGRKind(TColorScheme s) { return s == TColorScheme::csBGR || s == TColorScheme::csBGRA; }

}  // namespace

TColorManager::TColorManager() { SetGamma(1.0f, 2.2f); }

void TColorManager::Error(const std::wstring& Message) { throw EColorConversionError(Message); }

void TColorManager::SetSourceBitsPerSample(int Value) {
  if (Value <= 0 || Value > 16) Error(L"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  if (FSourceBPS != Value) {
    FSourceBPS = static_cast<std::uint8_t>(Value);
    FChanged = true;
  }
}

void TColorManager::SetTargetBitsPerSample(int Value) {
  if (Value <= 0 || Value > 16) Error(L"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
  if (FTargetBPS != Value) {
    FTargetBPS = static_cast<std::uint8_t>(Value);
    FChanged = true;
  }
}

void TColorManager::SetSourceSamplesPerPixel(int Value) {
  if (Value <= 0 || Value > 4) Error(L"Sample count per pixel does not correspond to the given color scheme.");
  if (FSourceSPP != Value) {
    FSourceSPP = static_cast<std::uint8_t>(Value);
    FChanged = true;
  }
}

void TColorManager::SetTargetSamplesPerPixel(int Value) {
  if (Value <= 0 || Value > 4) Error(L"Sample count per pixel does not correspond to the given color scheme.");
  if (FTargetSPP != Value) {
    FTargetSPP = static_cast<std::uint8_t>(Value);
    FChanged = true;
  }
}

void TColorManager::SetSourceColorScheme(TColorScheme Value) {
  if (FSourceScheme != Value) {
    FSourceScheme = Value;
    FChanged = true;
  }
}

void TColorManager::SetTargetColorScheme(TColorScheme Value) {
  if (FTargetScheme != Value) {
    FTargetScheme = Value;
    FChanged = true;
  }
}

void TColorManager::ConvertRow(std::span<const std::uint8_t* const> Source, std::uint8_t* Target, int Count,
                               std::uint8_t Mask) {
  if (FChanged) PrepareConversion();
  if (FRowConversion == nullptr) Error(L"Color conversion failed. Could not find a proper method.");
  if (Count <= 0 || Source.empty()) return;
  (this->*FRowConversion)(Source, Target, Count, Mask);
}

void TColorManager::PrepareConversion() {
  using enum TColorScheme;
  FRowConversion = nullptr;
  if (IsIndexedSource(FSourceScheme) != IsIndexedTarget(FTargetScheme))
    Error(L"Conversion between indexed and non-indexed pixel formats is not supported.");

  if (HasAlphaSample(FSourceScheme))
    SourceOptions.Include(TConvertOption::coAlpha);
  else
    SourceOptions.Exclude(TConvertOption::coAlpha);
  if (HasAlphaSample(FTargetScheme))
    TargetOptions.Include(TConvertOption::coAlpha);
  else
    TargetOptions.Exclude(TConvertOption::coAlpha);

  const bool source16 = FSourceBPS == 16, target16 = FTargetBPS == 16;
  const bool rgbTarget = IsRGBKind(FTargetScheme), bgrTarget = IsBGRKind(FTargetScheme);
  switch (FSourceScheme) {
    case csIndexed:
      if (source16 && target16)
        FRowConversion = &TColorManager::RowConvertIndexedBoth16;
      else if (source16)
        FRowConversion = &TColorManager::RowConvertIndexedSource16;
      else if (target16)
        FRowConversion = &TColorManager::RowConvertIndexedTarget16;
      else
        FRowConversion = &TColorManager::RowConvertIndexed8;
      break;
    case csG:
      if (!source16 && !target16)
        FRowConversion = &TColorManager::RowConvertIndexed8;
      else if (FSourceBPS >= 8 && FTargetBPS >= 8)
        FRowConversion = &TColorManager::RowConvertGray;
      break;
    case csGA:
      if ((FSourceBPS == 8 || source16) && (FTargetBPS == 8 || target16))
        FRowConversion = &TColorManager::RowConvertGray;
      break;
    case csRGB:
    case csRGBA:
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertRGB2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertRGB2BGR;
      break;
    case csBGR:
    case csBGRA:
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertBGR2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertBGR2BGR;
      break;
    case csCMYK:
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertCMYK2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertCMYK2BGR;
      break;
    case csCIELab:
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertCIELAB2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertCIELAB2BGR;
      break;
    case csYCbCr:
      CreateYCbCrLookups();
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertYCbCr2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertYCbCr2BGR;
      break;
    case csPhotoYCC:
      CreateYCbCrLookups();
      if (rgbTarget) FRowConversion = &TColorManager::RowConvertPhotoYCC2RGB;
      if (bgrTarget) FRowConversion = &TColorManager::RowConvertPhotoYCC2BGR;
      break;
    default: break;
  }
  FChanged = false;
}

void TColorManager::SetGamma(float MainGamma, float DisplayGamma) {
  FMainGamma = MainGamma > 0 ? MainGamma : 1.0f;
  FDisplayGamma = DisplayGamma > 0 ? DisplayGamma : 2.2f;
  BuildGammaTable();
}

void TColorManager::BuildGammaTable() {
  const double exponent = 1.0 / (static_cast<double>(FMainGamma) * static_cast<double>(FDisplayGamma));
  const int highIn = FSourceBPS >= 8 ? 255 : (1 << FSourceBPS) - 1;
  const int highOut = FTargetBPS >= 8 ? 255 : (1 << FTargetBPS) - 1;
  // Every reader builds the same default table, and a skin's images mostly share a gamma or
  // two: the tables made last on this thread are kept rather than 256 powers taken again.
  struct TCachedTable {
    double exponent = 0;
    int highIn = 0, highOut = 0;
    std::array<std::uint8_t, 256> table{};
  };
  thread_local std::array<TCachedTable, 4> cache;
  thread_local std::size_t nextSlot = 0;
  TCachedTable* found = nullptr;
  for (TCachedTable& entry : cache)
    if (entry.exponent == exponent && entry.highIn == highIn && entry.highOut == highOut) found = &entry;
  if (found == nullptr) {
    found = &cache[nextSlot];
    nextSlot = (nextSlot + 1) % cache.size();
    for (int i = 0; i <= highIn; ++i)
      found->table[static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(RoundToInt(std::pow(static_cast<double>(i) / highIn, exponent) * highOut));
    found->exponent = exponent;
    found->highIn = highIn;
    found->highOut = highOut;
  }
  std::copy_n(found->table.begin(), highIn + 1, FGammaTable.begin());
}

void TColorManager::CreateYCbCrLookups() {
  const float kr = FYCbCrCoefficients[0], kg = FYCbCrCoefficients[1], kb = FYCbCrCoefficients[2];
  const bool photo = FSourceScheme == TColorScheme::csPhotoYCC;
  const int offsetRed = photo ? 137 : 128, offsetBlue = photo ? 156 : 128;
  const float redFactor = 2.0f - 2.0f * kr;
  const float blueFactor = 2.0f - 2.0f * kb;
  const float greenFromRed = kr * redFactor / kg;
  const float greenFromBlue = kb * blueFactor / kg;
  for (int i = 0; i < 256; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const float r = static_cast<float>(i - offsetRed), b = static_cast<float>(i - offsetBlue);
    FCrToRedTable[k] = RoundToInt(redFactor * r);
    FCbToBlueTable[k] = RoundToInt(blueFactor * b);
    FCrToGreenTable[k] = -RoundToInt(greenFromRed * r);
    FCbToGreenTable[k] = -RoundToInt(greenFromBlue * b);
  }
}

std::vector<TPaletteEntry> TColorManager::CreateColorPalette(std::span<const std::uint8_t* const> Source,
                                                             TRawPaletteFormat Format, int ColorCount, bool BlueFirst) {
  using enum TRawPaletteFormat;
  const bool planes =
      Format == pfPlane8Triple || Format == pfPlane8Quad || Format == pfPlane16Triple || Format == pfPlane16Quad;
  const bool wide = Format == pfInterlaced16Triple || Format == pfInterlaced16Quad || Format == pfPlane16Triple ||
                    Format == pfPlane16Quad;
  const bool quad = Format == pfInterlaced8Quad || Format == pfInterlaced16Quad;
  const int count = std::clamp(ColorCount, 0, 256);
  if (Source.size() < (planes ? 3u : 1u)) return {};

  const bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  auto sample = [&](const std::uint8_t* p, int index) -> std::uint8_t {
    if (!wide) return gamma ? FGammaTable[p[index]] : p[index];
    std::uint16_t v;
    std::memcpy(&v, p + 2 * index, 2);
    if (swap) v = ComponentSwapConvert(v);
    v = ComponentScaleConvert(v);
    return gamma ? FGammaTable[v] : static_cast<std::uint8_t>(v);
  };

  std::vector<TPaletteEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    TPaletteEntry& e = entries[static_cast<std::size_t>(i)];
    if (planes) {
      e.R = sample(Source[0], i);
      e.G = sample(Source[1], i);
      e.B = sample(Source[2], i);
    } else {
      const int base = i * (quad ? 4 : 3);
      const std::uint8_t first = sample(Source[0], base), second = sample(Source[0], base + 1),
                         third = sample(Source[0], base + 2);
      e.R = BlueFirst ? third : first;
      e.G = second;
      e.B = BlueFirst ? first : third;
    }
  }

  // Indexes widened or narrowed by RowConvertIndexed8 must still find their colour; entries
  // beyond what the caller gave are black rather than read from outside it.
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if (targetBits <= 8 && sourceBits != targetBits) {
    const std::uint32_t sourceHigh = (1u << sourceBits) - 1, targetHigh = (1u << targetBits) - 1;
    std::vector<TPaletteEntry> reindexed(targetHigh + 1);
    for (std::uint32_t i = 0; i <= targetHigh; ++i) {
      const std::uint32_t from = MulDiv16(i, sourceHigh, targetHigh);
      if (from < entries.size()) reindexed[i] = entries[from];
    }
    return reindexed;
  }
  return entries;
}

std::vector<TPaletteEntry> TColorManager::CreateGrayscalePalette(bool WhiteFirst) const {
  const int bits = std::min(FTargetBPS * FTargetSPP, 8);
  const int count = 1 << bits;
  const int step = 255 / (count - 1);
  const bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
  std::vector<TPaletteEntry> entries(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int level = i * step;
    const std::uint8_t g = gamma ? FGammaTable[static_cast<std::size_t>(level)] : static_cast<std::uint8_t>(level);
    TPaletteEntry& e = entries[static_cast<std::size_t>(WhiteFirst ? count - 1 - i : i)];
    e.R = e.G = e.B = g;
  }
  return entries;
}

TPixelFormat TColorManager::GetPixelFormat(bool ForTarget) const {
  const int samples = ForTarget ? FTargetSPP : FSourceSPP;
  const int bits = ForTarget ? FTargetBPS : FSourceBPS;
  switch (samples) {
    case 1:
      if (bits == 1) return TPixelFormat::pf1bit;
      if (bits >= 2 && bits <= 4) return TPixelFormat::pf4bit;
      if (bits >= 8 && bits <= 16) return TPixelFormat::pf8bit;
      break;
    case 3: return bits >= 1 && bits <= 5 ? TPixelFormat::pf15bit : TPixelFormat::pf24bit;
    case 4:
      if (bits > 7) return TPixelFormat::pf32bit;
      break;
    default: break;
  }
  return TPixelFormat::pfCustom;
}

}  // namespace skin
