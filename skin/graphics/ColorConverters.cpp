// The colour manager's row converters. Each walks Count target pixels with a mask bit that
// starts at 0x80 and rotates right per pixel; a pixel is written only when Mask holds the bit,
// and the source advances only for written pixels (an interlaced pass row holds only its own).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/graphics/ColorManager.h"

namespace skin {

namespace {

using Sources = std::span<const std::uint8_t* const>;

template <class Write>
inline void WalkMask(int count, std::uint8_t mask, Write&& write) {
  if (mask == 0xFF) {
    for (int i = 0; i < count; ++i) write(i);
    return;
  }
  std::uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i) {
    if (mask & bit) write(i);
    bit = bit == 1 ? 0x80 : static_cast<std::uint8_t>(bit >> 1);
  }
}

inline std::uint16_t Load16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Store16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }
inline std::uint16_t Swap16(std::uint16_t v) { return static_cast<std::uint16_t>((v >> 8) | (v << 8)); }

// Packed values of 1 to 8 bits, most significant first; a value may straddle two bytes.
inline unsigned ReadPacked(const std::uint8_t* row, std::size_t index, unsigned bits) {
  const std::size_t bit = index * bits;
  const std::size_t byte = bit >> 3;
  const unsigned offset = static_cast<unsigned>(bit & 7);
  const unsigned mask = (1u << bits) - 1;
  if (offset + bits <= 8) return (row[byte] >> (8 - offset - bits)) & mask;
  const unsigned pair = (static_cast<unsigned>(row[byte]) << 8) | row[byte + 1];
  return (pair >> (16 - offset - bits)) & mask;
}

inline void WritePacked(std::uint8_t* row, std::size_t index, unsigned bits, unsigned value) {
  const std::size_t bit = index * bits;
  const std::size_t byte = bit >> 3;
  const unsigned offset = static_cast<unsigned>(bit & 7);
  const unsigned mask = (1u << bits) - 1;
  value &= mask;
  if (offset + bits <= 8) {
    const unsigned shift = 8 - offset - bits;
    row[byte] = static_cast<std::uint8_t>((row[byte] & ~(mask << shift)) | (value << shift));
    return;
  }
  const unsigned shift = 16 - offset - bits;
  unsigned pair = (static_cast<unsigned>(row[byte]) << 8) | row[byte + 1];
  pair = (pair & ~(mask << shift)) | (value << shift);
  row[byte] = static_cast<std::uint8_t>(pair >> 8);
  row[byte + 1] = static_cast<std::uint8_t>(pair);
}

// Where the channels of a source pixel are: one pointer per channel and the distance from one
// pixel to the next, for interleaved samples as for planes.
struct ChannelCursor {
  const std::uint8_t* channel[4] = {};
  std::ptrdiff_t step = 0;

  ChannelCursor(Sources source, int channels, int bytesPerSample) {
    if (source.size() > 1) {
      for (int c = 0; c < channels; ++c)
        channel[c] = static_cast<std::size_t>(c) < source.size() ? source[static_cast<std::size_t>(c)] : nullptr;
      step = bytesPerSample;
    } else {
      for (int c = 0; c < channels; ++c) channel[c] = source[0] + c * bytesPerSample;
      step = static_cast<std::ptrdiff_t>(channels) * bytesPerSample;
    }
  }
  const std::uint8_t* At(int c, int pixel) const { return channel[c] + step * pixel; }
};

// 32-bit R, G, B, A to B, G, R, A, four bytes per pixel: swap bytes 0 and 2 of every word.
void SwapRedBlue32(const std::uint8_t* source, std::uint8_t* target, int count) {
  for (int i = 0; i < count; ++i) {
    std::uint32_t v;
    std::memcpy(&v, source + 4 * i, 4);
    v = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
    std::memcpy(target + 4 * i, &v, 4);
  }
}

void SwapRedBlue24(const std::uint8_t* source, std::uint8_t* target, int count) {
  for (int i = 0; i < count; ++i) {
    const std::uint8_t r = source[0], g = source[1], b = source[2];
    target[0] = b;
    target[1] = g;
    target[2] = r;
    source += 3;
    target += 3;
  }
}

}  // namespace

// ---- indexed and grey ---------------------------------------------------------------------

void TColorManager::RowConvertIndexed8(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  const unsigned sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if (sourceBits < 1 || sourceBits > 8 || targetBits < 1 || targetBits > 8) return;
  const std::uint8_t* source = Source[0];
  if (sourceBits == targetBits && Mask == 0xFF) {
    std::memcpy(Target, source, (static_cast<std::size_t>(Count) * sourceBits + 7) / 8);
    return;
  }
  std::uint8_t scale[256];
  const unsigned sourceHigh = (1u << sourceBits) - 1, targetHigh = (1u << targetBits) - 1;
  for (unsigned v = 0; v <= sourceHigh; ++v) scale[v] = static_cast<std::uint8_t>(MulDiv16(v, targetHigh, sourceHigh));
  std::size_t next = 0;
  if (sourceBits == 8 && targetBits == 8) {
    WalkMask(Count, Mask, [&](int i) { Target[i] = source[next++]; });
    return;
  }
  WalkMask(Count, Mask, [&](int i) {
    WritePacked(Target, static_cast<std::size_t>(i), targetBits, scale[ReadPacked(source, next++, sourceBits)]);
  });
}

void TColorManager::RowConvertIndexedBoth16(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  const std::uint8_t* source = Source[0];
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  std::size_t next = 0;
  WalkMask(Count, Mask, [&](int i) {
    const std::uint16_t v = Load16(source + 2 * next++);
    Store16(Target + 2 * i, swap ? Swap16(v) : v);
  });
}

void TColorManager::RowConvertIndexedSource16(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  const unsigned targetBits = FTargetBPS;
  if (targetBits < 1 || targetBits > 8) return;
  const std::uint8_t* source = Source[0];
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const unsigned targetHigh = (1u << targetBits) - 1;
  std::size_t next = 0;
  WalkMask(Count, Mask, [&](int i) {
    std::uint16_t v = Load16(source + 2 * next++);
    if (swap) v = Swap16(v);
    WritePacked(Target, static_cast<std::size_t>(i), targetBits, MulDiv16(v, targetHigh, 65535));
  });
}

void TColorManager::RowConvertIndexedTarget16(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  const unsigned sourceBits = FSourceBPS;
  if (sourceBits < 1 || sourceBits > 8) return;
  const std::uint8_t* source = Source[0];
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const unsigned sourceHigh = (1u << sourceBits) - 1;
  std::size_t next = 0;
  WalkMask(Count, Mask, [&](int i) {
    const std::uint16_t v = MulDiv16(ReadPacked(source, next++, sourceBits), 65535, sourceHigh);
    Store16(Target + 2 * i, swap ? Swap16(v) : v);
  });
}

void TColorManager::RowConvertGray(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const int sourceBytes = sourceBits / 8;
  const int samples = SourceOptions.Contains(TConvertOption::coAlpha) ? 2 : 1;
  const std::uint8_t* grey = Source[0];
  const std::ptrdiff_t step = Source.size() > 1 ? sourceBytes : samples * sourceBytes;
  int next = 0;
  if (sourceBits == 8 && targetBits == 8) {
    WalkMask(Count, Mask, [&](int i) { Target[i] = grey[step * next++]; });
  } else if (sourceBits == 8) {
    WalkMask(Count, Mask,
             [&](int i) { Store16(Target + 2 * i, static_cast<std::uint16_t>(grey[step * next++] * 257)); });
  } else if (targetBits == 8) {
    WalkMask(Count, Mask, [&](int i) {
      std::uint16_t v = Load16(grey + step * next++);
      Target[i] = static_cast<std::uint8_t>(ComponentScaleConvert(swap ? Swap16(v) : v));
    });
  } else {
    WalkMask(Count, Mask, [&](int i) {
      const std::uint16_t v = Load16(grey + step * next++);
      Store16(Target + 2 * i, swap ? Swap16(v) : v);
    });
  }
}

// ---- RGB and BGR --------------------------------------------------------------------------

void TColorManager::ConvertRGBFamily(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask,
                                     bool SwapRedBlue) {
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool sourceAlpha = SourceOptions.Contains(TConvertOption::coAlpha);
  const bool targetAlpha = TargetOptions.Contains(TConvertOption::coAlpha);
  const bool gamma = TargetOptions.Contains(TConvertOption::coApplyGamma);
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const int sourceBytes = sourceBits / 8, targetBytes = targetBits / 8;
  const int sourceChannels = sourceAlpha ? 4 : 3;
  const ChannelCursor cursor(Source, sourceChannels, sourceBytes);
  const bool copyAlpha = sourceAlpha && targetAlpha && cursor.channel[3] != nullptr;
  if (cursor.channel[0] == nullptr || cursor.channel[1] == nullptr || cursor.channel[2] == nullptr) return;
  const int targetPixel = (targetAlpha ? 4 : 3) * targetBytes;

  // The common rows of a PNG: whole rows of 8-bit samples, no gamma.
  if (sourceBits == 8 && targetBits == 8 && !gamma && Mask == 0xFF && Source.size() == 1) {
    if (sourceAlpha && targetAlpha) {
      if (SwapRedBlue)
        SwapRedBlue32(Source[0], Target, Count);
      else
        std::memcpy(Target, Source[0], static_cast<std::size_t>(Count) * 4);
      return;
    }
    if (!sourceAlpha && !targetAlpha) {
      if (SwapRedBlue)
        SwapRedBlue24(Source[0], Target, Count);
      else
        std::memcpy(Target, Source[0], static_cast<std::size_t>(Count) * 3);
      return;
    }
  }

  // Target position of source channel c.
  const int order[3] = {SwapRedBlue ? 2 : 0, 1, SwapRedBlue ? 0 : 2};
  int next = 0;
  if (sourceBits == 8 && targetBits == 8) {
    WalkMask(Count, Mask, [&](int i) {
      std::uint8_t* t = Target + static_cast<std::ptrdiff_t>(targetPixel) * i;
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t v = *cursor.At(c, next);
        t[order[c]] = gamma ? FGammaTable[v] : v;
      }
      if (copyAlpha) t[3] = *cursor.At(3, next);
      ++next;
    });
  } else if (sourceBits == 8) {
    auto widen = [&](std::uint8_t v) {
      const auto w = static_cast<std::uint16_t>(v * 257);
      return swap ? Swap16(w) : w;
    };
    WalkMask(Count, Mask, [&](int i) {
      std::uint8_t* t = Target + static_cast<std::ptrdiff_t>(targetPixel) * i;
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t v = *cursor.At(c, next);
        Store16(t + 2 * order[c], widen(gamma ? FGammaTable[v] : v));
      }
      if (copyAlpha) Store16(t + 6, widen(*cursor.At(3, next)));
      ++next;
    });
  } else if (targetBits == 8) {
    auto reduce = [&](const std::uint8_t* p) {
      const std::uint16_t v = Load16(p);
      return static_cast<std::uint8_t>(ComponentScaleConvert(swap ? Swap16(v) : v));
    };
    WalkMask(Count, Mask, [&](int i) {
      std::uint8_t* t = Target + static_cast<std::ptrdiff_t>(targetPixel) * i;
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t v = reduce(cursor.At(c, next));
        t[order[c]] = gamma ? FGammaTable[v] : v;
      }
      if (copyAlpha) t[3] = reduce(cursor.At(3, next));
      ++next;
    });
  } else {
    auto copy = [&](const std::uint8_t* p) {
      const std::uint16_t v = Load16(p);
      return swap ? Swap16(v) : v;
    };
    WalkMask(Count, Mask, [&](int i) {
      std::uint8_t* t = Target + static_cast<std::ptrdiff_t>(targetPixel) * i;
      for (int c = 0; c < 3; ++c) Store16(t + 2 * order[c], copy(cursor.At(c, next)));
      if (copyAlpha) Store16(t + 6, copy(cursor.At(3, next)));
      ++next;
    });
  }
}

void TColorManager::RowConvertRGB2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertRGBFamily(Source, Target, Count, Mask, false);
}
void TColorManager::RowConvertRGB2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertRGBFamily(Source, Target, Count, Mask, true);
}
void TColorManager::RowConvertBGR2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertRGBFamily(Source, Target, Count, Mask, true);
}
void TColorManager::RowConvertBGR2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertRGBFamily(Source, Target, Count, Mask, false);
}

// ---- colour spaces the PNG reader never selects -------------------------------------------
// Values computed from 16-bit samples are stored as computed; values widened from 8 bits are
// swapped like the RGB family's, following the source's coNeedByteSwap.

namespace {

struct TargetWriter {
  std::uint8_t* target;
  int targetBits;
  bool targetAlpha;
  bool swap;
  bool bgr;

  std::uint8_t* Pixel(int i) const {
    return target + static_cast<std::ptrdiff_t>(i) * (targetAlpha ? 4 : 3) * (targetBits / 8);
  }
  // r, g, b as 8-bit values; a 16-bit target gets them widened.
  void Put8(int i, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
    std::uint8_t* t = Pixel(i);
    const std::uint8_t first = bgr ? b : r, last = bgr ? r : b;
    if (targetBits == 8) {
      t[0] = first;
      t[1] = g;
      t[2] = last;
      return;
    }
    auto widen = [&](std::uint8_t v) {
      const auto w = static_cast<std::uint16_t>(v * 257);
      return swap ? Swap16(w) : w;
    };
    Store16(t, widen(first));
    Store16(t + 2, widen(g));
    Store16(t + 4, widen(last));
  }
  void Put16(int i, std::uint16_t r, std::uint16_t g, std::uint16_t b) const {
    std::uint8_t* t = Pixel(i);
    Store16(t, bgr ? b : r);
    Store16(t + 2, g);
    Store16(t + 4, bgr ? r : b);
  }
};

std::uint16_t Clamp16(double v) { return static_cast<std::uint16_t>(std::clamp(std::nearbyint(v), 0.0, 65535.0)); }

std::uint8_t RoundClampByte(float v) {
  if (!(v > -1.0f)) return 0;  // also NaN
  if (v > 256.0f) return 255;
  return ClampByte(static_cast<int>(std::nearbyint(v)));
}

}  // namespace

void TColorManager::ConvertCMYK(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask, bool TargetBGR) {
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  if (Source.size() > 1 && Source.size() != 4) return;
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const ChannelCursor cursor(Source, 4, sourceBits / 8);
  const TargetWriter out{Target, targetBits, TargetOptions.Contains(TConvertOption::coAlpha), swap, TargetBGR};
  auto sample16 = [&](int c, int pixel) {
    const std::uint16_t v = Load16(cursor.At(c, pixel));
    return static_cast<std::uint32_t>(swap ? Swap16(v) : v);
  };
  int next = 0;
  WalkMask(Count, Mask, [&](int i) {
    if (sourceBits == 8) {
      const int k = *cursor.At(3, next);
      std::uint8_t rgb[3];
      for (int c = 0; c < 3; ++c) {
        const int x = *cursor.At(c, next);
        rgb[c] = ClampByte(255 - x - k + MulDiv16(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(k), 255));
      }
      out.Put8(i, rgb[0], rgb[1], rgb[2]);
    } else {
      const std::uint32_t k = sample16(3, next);
      std::uint32_t x[3];
      for (int c = 0; c < 3; ++c) x[c] = sample16(c, next);
      if (targetBits == 8) {
        std::uint8_t rgb[3];
        for (int c = 0; c < 3; ++c) rgb[c] = ClampByte(255 - MulDiv16(x[c] + k - MulDiv16(x[c], k, 65535), 255, 65535));
        out.Put8(i, rgb[0], rgb[1], rgb[2]);
      } else {
        std::uint16_t rgb[3];
        for (int c = 0; c < 3; ++c) rgb[c] = static_cast<std::uint16_t>(65535 - x[c] - k + MulDiv16(x[c], k, 65535));
        out.Put16(i, rgb[0], rgb[1], rgb[2]);
      }
    }
    ++next;
  });
}

void TColorManager::ConvertCIELab(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask, bool TargetBGR) {
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const bool byteRange = SourceOptions.Contains(TConvertOption::coLabByteRange);
  const bool chromaOffset = SourceOptions.Contains(TConvertOption::coLabChromaOffset);
  const ChannelCursor cursor(Source, 3, sourceBits / 8);
  if (cursor.channel[2] == nullptr) return;
  const TargetWriter out{Target, targetBits, TargetOptions.Contains(TConvertOption::coAlpha), swap, TargetBGR};
  int next = 0;
  WalkMask(Count, Mask, [&](int i) {
    // Of a 16-bit sample only its first byte counts.
    const std::uint8_t l = *cursor.At(0, next), a = *cursor.At(1, next), b = *cursor.At(2, next);
    ++next;
    const float lightness = byteRange ? l / 2.55f : l;
    const float aStar = chromaOffset ? a - 128.0f : static_cast<std::int8_t>(a);
    const float bStar = chromaOffset ? b - 128.0f : static_cast<std::int8_t>(b);
    float x, y, z;
    if (lightness < 7.9996f) {
      y = lightness / 903.3f;
      x = y + aStar / 3893.5f;
      z = y - bStar / 1557.4f;
    } else {
      const float f = (lightness + 16.0f) / 116.0f;
      const float fx = f + aStar / 500.0f, fz = f - bStar / 200.0f;
      x = fx * fx * fx;
      y = f * f * f;
      z = fz * fz * fz;
    }
    const std::uint8_t red = RoundClampByte((2.998f * x - 1.458f * y - 0.541f * z) * 255.0f);
    const std::uint8_t green = RoundClampByte((-0.952f * x + 1.893f * y + 0.059f * z) * 255.0f);
    const std::uint8_t blue = RoundClampByte((0.099f * x - 0.198f * y + 1.099f * z) * 255.0f);
    if (targetBits == 16 && sourceBits == 16)
      out.Put16(i, red, green, blue);
    else
      out.Put8(i, red, green, blue);
  });
}

void TColorManager::ConvertYCbCr(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask, bool TargetBGR) {
  const int sourceBits = FSourceBPS, targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool swap = SourceOptions.Contains(TConvertOption::coNeedByteSwap);
  const ChannelCursor cursor(Source, 3, sourceBits / 8);
  if (cursor.channel[2] == nullptr) return;
  const TargetWriter out{Target, targetBits, TargetOptions.Contains(TConvertOption::coAlpha), swap, TargetBGR};
  auto sample16 = [&](int c, int pixel) {
    const std::uint16_t v = Load16(cursor.At(c, pixel));
    return swap ? Swap16(v) : v;
  };
  int next = 0;
  WalkMask(Count, Mask, [&](int i) {
    if (sourceBits == 16 && targetBits == 16) {
      const double y = 1.3584 * sample16(0, next);
      const double cb = sample16(1, next) - 40092.0, cr = sample16(2, next) - 35209.0;
      out.Put16(i, Clamp16(y + 1.8215 * cr), Clamp16(y - 0.9271435 * cr - 0.4302726 * cb), Clamp16(y + 2.2179 * cb));
    } else {
      int y, cb, cr;
      if (sourceBits == 8) {
        y = *cursor.At(0, next);
        cb = *cursor.At(1, next);
        cr = *cursor.At(2, next);
      } else {
        y = ComponentScaleConvert(sample16(0, next));
        cb = ComponentScaleConvert(sample16(1, next));
        cr = ComponentScaleConvert(sample16(2, next));
      }
      const auto ucb = static_cast<std::size_t>(cb), ucr = static_cast<std::size_t>(cr);
      out.Put8(i, ClampByte(y + FCrToRedTable[ucr]), ClampByte(y + FCbToGreenTable[ucb] + FCrToGreenTable[ucr]),
               ClampByte(y + FCbToBlueTable[ucb]));
    }
    ++next;
  });
}

void TColorManager::RowConvertCMYK2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertCMYK(Source, Target, Count, Mask, false);
}
void TColorManager::RowConvertCMYK2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertCMYK(Source, Target, Count, Mask, true);
}
void TColorManager::RowConvertCIELAB2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertCIELab(Source, Target, Count, Mask, false);
}
void TColorManager::RowConvertCIELAB2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertCIELab(Source, Target, Count, Mask, true);
}
void TColorManager::RowConvertYCbCr2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertYCbCr(Source, Target, Count, Mask, false);
}
void TColorManager::RowConvertYCbCr2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertYCbCr(Source, Target, Count, Mask, true);
}
void TColorManager::RowConvertPhotoYCC2RGB(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertYCbCr(Source, Target, Count, Mask, false);
}
void TColorManager::RowConvertPhotoYCC2BGR(Sources Source, std::uint8_t* Target, int Count, std::uint8_t Mask) {
  ConvertYCbCr(Source, Target, Count, Mask, true);
}

}  // namespace skin
