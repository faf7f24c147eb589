#include "skin/graphics/sBlockCopy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace skin {

namespace {

using i64 = long long;

}  // namespace

void BitBlt32(const TImage32View& dst, int dstX, int dstY, int width, int height, const TImage32View& src, int srcX,
              int srcY) {
  if (dst.Empty() || src.Empty() || width <= 0 || height <= 0) return;
  // Move both corners in by the larger overhang of the two images, at each edge.
  i64 dx = dstX, dy = dstY, sx = srcX, sy = srcY, w = width, h = height;
  const i64 cutLeft = std::max<i64>({0, -dx, -sx}), cutTop = std::max<i64>({0, -dy, -sy});
  dx += cutLeft, sx += cutLeft, w -= cutLeft;
  dy += cutTop, sy += cutTop, h -= cutTop;
  w = std::min({w, i64(dst.Width) - dx, i64(src.Width) - sx});
  h = std::min({h, i64(dst.Height) - dy, i64(src.Height) - sy});
  if (w <= 0 || h <= 0) return;
  const bool same = dst.SameImage(src);
  for (i64 j = 0; j < h; ++j) {
    // Copying inside one image: rows in the direction that never reads a row already written.
    const i64 row = same && dy > sy ? h - 1 - j : j;
    std::memmove(dst.Row(int(dy + row)) + dx, src.Row(int(sy + row)) + sx, std::size_t(w) * 4);
  }
}

void StretchBlt32(const TImage32View& dst, const TRect& dstRect, const TImage32View& src, const TRect& srcRect) {
  const i64 dw = i64(dstRect.Right) - dstRect.Left, dh = i64(dstRect.Bottom) - dstRect.Top;
  const i64 sw = i64(srcRect.Right) - srcRect.Left, sh = i64(srcRect.Bottom) - srcRect.Top;
  if (dst.Empty() || src.Empty() || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const TRect clip = dst.Clip(dstRect);
  if (clip.Right <= clip.Left) return;
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    const i64 sy = srcRect.Top + ((2 * (y - i64(dstRect.Top)) + 1) * sh) / (2 * dh);
    if (sy < 0 || sy >= src.Height) continue;
    const TsColor_* s = src.Row(int(sy));
    TsColor_* d = dst.Row(y);
    for (int x = clip.Left; x < clip.Right; ++x) {
      const i64 sx = srcRect.Left + ((2 * (x - i64(dstRect.Left)) + 1) * sw) / (2 * dw);
      if (sx >= 0 && sx < src.Width) d[x] = s[sx];
    }
  }
}

void TileBlt32(const TImage32View& dst, const TRect& r, const TImage32View& src, const TRect& tile) {
  const i64 tw = i64(tile.Right) - tile.Left, th = i64(tile.Bottom) - tile.Top;
  const TRect clip = dst.Clip(r);
  if (tw <= 0 || th <= 0 || clip.Right <= clip.Left) return;
  // Only the tiles that reach into the image, still anchored at R's corner.
  const i64 x0 = r.Left + (clip.Left - i64(r.Left)) / tw * tw, y0 = r.Top + (clip.Top - i64(r.Top)) / th * th;
  for (i64 y = y0; y < clip.Bottom; y += th)
    for (i64 x = x0; x < clip.Right; x += tw)
      BitBlt32(dst, int(x), int(y), int(std::min<i64>(tw, r.Right - x)), int(std::min<i64>(th, r.Bottom - y)), src,
               tile.Left, tile.Top);
}

}  // namespace skin
