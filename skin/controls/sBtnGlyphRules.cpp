#include "skin/controls/sBtnGlyphRules.h"

#include <algorithm>

#include "skin/controls/sSpeedButtonGeometry.h"

namespace skin {

namespace {

bool DisabledWith(const TacGlyphLook& look, TsDisabledGlyphKindValue kind) {
  return !look.Enabled && look.DisabledGlyphKind.Contains(kind);
}

}  // namespace

int GlyphCellIndex(int state, int numGlyphs) { return std::clamp(state, 0, GlyphCellCount(numGlyphs) - 1); }

bool GlyphTintedGrey(const TacGlyphLook& look) {
  return (look.State == 0 && look.Grayed) || DisabledWith(look, TsDisabledGlyphKindValue::dgGrayed);
}

int CacheGlyphBlend(const TacGlyphLook& look) { return look.State == 0 ? ClampBlend(look.Blend) : 0; }

int CanvasGlyphBlend(const TacGlyphLook& look) {
  if (look.State != 0) return 0;
  const int blend = ClampBlend(look.Blend);
  return DisabledWith(look, TsDisabledGlyphKindValue::dgBlended) ? std::max(blend, 50) : blend;
}

int AlphaListGlyphBlend(const TacGlyphLook& look) {
  return std::max(CacheGlyphBlend(look), DisabledWith(look, TsDisabledGlyphKindValue::dgBlended) ? 50 : 0);
}

bool HasOpaquePixel(const TImage32View& img) {
  if (img.Empty()) return false;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y).A == 255) return true;
  return false;
}

void ScaleAlpha(const TImage32View& img, int blend) {
  if (img.Empty()) return;
  const int keep = 100 - ClampBlend(blend);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      auto& p = img.At(x, y);
      p.A = static_cast<std::uint8_t>(p.A * keep / 100);
    }
}

}  // namespace skin
