// Recolouring a loaded skin as a whole: hue, saturation and brightness of its images and of the
// colours of its sections.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "skin/core/acSkinRecords.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {
namespace {

using TColorChange = std::function<TColor(TColor)>;

constexpr TColor kNoColor = -1;

int GradientWordCount(const std::string& text) {
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ';') ++i;
    if (i < text.size()) ++count;
    while (i < text.size() && text[i] != ';') ++i;
  }
  return count;
}

void ChangeUnlessNone(TColor& c, const TColorChange& change) {
  if (c != kNoColor) c = change(c);
}

void ChangeFont(TsFontColor& f, const TColorChange& change) {
  for (TColor* c : {&f.Color, &f.Left, &f.Top, &f.Right, &f.Bottom}) ChangeUnlessNone(*c, change);
}

void ChangeSegments(TsGradArray& arr, std::size_t count, const TColorChange& change) {
  count = std::min(count, arr.size());
  for (std::size_t i = 0; i < count; ++i) {
    arr[i].Color1 = change(arr[i].Color1);
    arr[i].Color2 = change(arr[i].Color2);
  }
}

// The section and skin colours; the state copies and the skin-wide colours only when WithStates
// (brightness leaves them).
void ChangeColors(TacSkinRecords& skin, const TColorChange& change, bool withStates) {
  for (TsGeneralData& g : skin.gd) {
    for (TColor* c : {&g.Color, &g.HotColor, &g.GlowColor, &g.HotGlowColor}) *c = change(*c);
    ChangeFont(g.FontColor, change);
    ChangeFont(g.HotFontColor, change);
    if (withStates)
      for (TsGenState& p : g.Props) {
        ChangeUnlessNone(p.Color, change);
        ChangeUnlessNone(p.GlowColor, change);
        ChangeFont(p.FontColor, change);
      }
    ChangeSegments(*g.GradientArray, static_cast<std::size_t>(GradientWordCount(g.GradientData) / 5), change);
    ChangeSegments(*g.HotGradientArray, g.HotGradientArray->size(), change);
  }
  if (withStates) {
    skin.SkinData.Shadow1Color = change(skin.SkinData.Shadow1Color);
    skin.SkinData.BorderColor = change(skin.SkinData.BorderColor);
  }
}

template <typename Pixels>
void ForEachOwnBitmap(TacSkinRecords& skin, const std::vector<int>& except, Pixels pixels) {
  for (std::size_t i = 0; i < skin.ma.size(); ++i) {
    if (!skin.ma[i].Bmp) continue;
    if (std::find(except.begin(), except.end(), static_cast<int>(i)) != except.end()) continue;
    pixels(skin.ma[i].Bmp->View());
  }
}

}  // namespace

void ChangeSkinHue(TacSkinRecords& Skin, int Value) {
  if (Value == 0) return;
  // Title-button glyphs that keep their colours: master-bitmap pieces are saved and put back,
  // images of their own are left out.
  struct TSavedPiece {
    TRect R;
    TBitmap32 Pixels;
  };
  std::vector<TSavedPiece> saved;
  std::vector<int> excluded;
  const int keep = Skin.SkinData.BIKeepHUE;
  if (keep != 0) {
    std::vector<std::string> keys = {"BICONCLOSE", "SICONCLOSE"};
    if (keep == 1)
      keys.insert(keys.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN", "SICONNORM"});
    const TImage32View master = Skin.MasterBitmap.View();
    for (const std::string& key : keys) {
      const int i = Skin.GetMaskIndex("GLOBALINFO", key);
      if (Skin.IsValidImgIndex(i) && !Skin.ma[static_cast<std::size_t>(i)].Bmp) {
        const TRect r = master.Clip(Skin.ma[static_cast<std::size_t>(i)].R);
        TBitmap32 piece(r.Right - r.Left, r.Bottom - r.Top);
        for (int y = 0; y < piece.Height(); ++y)
          for (int x = 0; x < piece.Width(); ++x) piece.At(x, y) = master.At(r.Left + x, r.Top + y);
        saved.push_back({r, std::move(piece)});
      } else {
        excluded.push_back(i);
      }
      const int glow = Skin.GetMaskIndex("GLOBALINFO", key + "GLOW0");
      if (Skin.IsValidImgIndex(glow) && Skin.ma[static_cast<std::size_t>(glow)].Bmp) excluded.push_back(glow);
    }
  }
  ChangeBmpHUE(Skin.MasterBitmap.View(), Value);
  const TImage32View master = Skin.MasterBitmap.View();
  for (TSavedPiece& piece : saved)
    for (int y = 0; y < piece.Pixels.Height(); ++y)
      for (int x = 0; x < piece.Pixels.Width(); ++x)
        master.At(piece.R.Left + x, piece.R.Top + y) = piece.Pixels.At(x, y);
  ForEachOwnBitmap(Skin, excluded, [&](const TImage32View& v) { ChangeBmpHUE(v, Value); });
  ChangeColors(
      Skin, [Value](TColor c) { return ChangeHue(Value, c); }, true);
}

void ChangeSkinSaturation(TacSkinRecords& Skin, int Value) {
  if (Value == 0) return;
  const int amount = Value % 101;
  ChangeBmpSaturation(Skin.MasterBitmap.View(), amount);
  ForEachOwnBitmap(Skin, {}, [&](const TImage32View& v) { ChangeBmpSaturation(v, amount); });
  ChangeColors(
      Skin, [amount](TColor c) { return ChangeSaturation(c, amount); }, true);
}

void ChangeSkinBrightness(TacSkinRecords& Skin, int Value) {
  if (Value == 0) return;
  const auto pixels = [Value](const TImage32View& v) {
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x) {
        TsColor_& p = v.At(x, y);
        if (p.U != kKeyPixel) p.I = ChangeBrightness(p.I, Value);
      }
  };
  pixels(Skin.MasterBitmap.View());
  ForEachOwnBitmap(Skin, {}, pixels);
  ChangeColors(
      Skin, [Value](TColor c) { return ChangeBrightness(c, Value); }, false);
}

}  // namespace skin
