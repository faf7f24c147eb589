#include "skin/core/sSkinTextWin32.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/Dib32.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

namespace {

void DrawAt(HDC dc, const std::wstring& text, const TRect& r, int dx, int dy, UINT flags) {
  RECT rc{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
  DrawTextW(dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &rc, flags);
}

// Left, top, right, bottom, each where its colour is not -1, then the text; Shift maps each colour
// (a control's hue and saturation).
template <class F>
void DrawOutlined(HDC dc, const std::wstring& text, const TRect& r, UINT flags, const TsFontColor& fc, F shift,
                  UINT textFlags) {
  const struct {
    TColor color;
    int dx, dy;
  } sides[] = {{fc.Left, -1, 0}, {fc.Top, 0, -1}, {fc.Right, 1, 0}, {fc.Bottom, 0, 1}};
  for (const auto& side : sides) {
    if (side.color == -1) continue;
    SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(shift(side.color))));
    DrawAt(dc, text, r, side.dx, side.dy, flags);
  }
  SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(shift(fc.Color))));
  DrawAt(dc, text, r, 0, 0, textFlags);
}

constexpr double kDisabledTextShare = 0.4;

}  // namespace

void WriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags, int SkinIndex,
                 bool Hot, TsSkinManager* Manager) {
  if (Manager == nullptr) Manager = DefaultManager();
  if (Canvas == nullptr || Manager == nullptr || !Manager->IsValidSkinIndex(SkinIndex) || Text.empty()) return;
  const TsGeneralData& section = Manager->Records().gd[static_cast<std::size_t>(SkinIndex)];
  HDC dc = Canvas->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  if (Enabled) {
    DrawOutlined(
        dc, Text, R, Flags, section.Props[Hot ? 1 : 0].FontColor, [](TColor c) { return c; }, Flags);
    return;
  }
  const TColor mixed = MixColors(section.Props[0].FontColor.Color, section.Color, kDisabledTextShare);
  SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(mixed)));
  DrawAt(dc, Text, R, 0, 0, Flags);
}

void WriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags,
                 TsCommonData* SkinData, bool Hot) {
  if (Canvas == nullptr || SkinData == nullptr || Text.empty()) return;
  TsSkinManager* manager = SkinData->GetSkinManager();
  if (Hot && manager != nullptr && SkinData->SkinIndex >= 0 &&
      SkinData->SkinIndex == manager->Records().ConstData.IndexWebBtn)
    Canvas->Font()->SetStyle(Canvas->Font()->Style().Include(classlib::fsUnderline));  // stays on the canvas font

  HDC dc = Canvas->TextHandle();
  const int saved = SaveDC(dc);
  classlib::TScopeExit restore([dc, saved] { RestoreDC(dc, saved); });
  IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
  Canvas->Brush()->SetStyle(classlib::bsClear);
  SetBkMode(dc, TRANSPARENT);

  if (manager == nullptr || !SkinData->Skinned() || SkinData->CustomFont()) {
    if (!Enabled) {
      SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(classlib::clBtnHighlight)));
      DrawAt(dc, Text, R, 1, 1, Flags);
      SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(classlib::clBtnShadow)));
    }
    DrawAt(dc, Text, R, 0, 0, Flags);
    return;
  }
  const int s = Hot ? 1 : 0;
  const int font = SkinData->SkinIndex;
  if (!manager->IsValidSkinIndex(font)) {
    DrawAt(dc, Text, R, 0, 0, Flags);
    return;
  }
  const TsGeneralData& section = manager->Records().gd[static_cast<std::size_t>(font)];
  const int hue = SkinData->HUEOffset(), saturation = SkinData->Saturation();
  auto shift = [hue, saturation](TColor c) {
    if (hue != 0) c = ChangeHue(hue, c);
    if (saturation != 0) c = ChangeSaturation(c, saturation);
    return c;
  };
  const TsGenState& props = section.Props[s];
  if (SkinData->CacheBmp() != nullptr && props.GlowSize != 0) {
    std::unique_ptr<TDib8> mask;  // made for this caption alone
    acDrawGlowForText(SkinData->CacheBmp(), Text, R, Flags, kGlowAllSides, props.GlowSize, shift(props.GlowColor),
                      mask);
    dc = Canvas->TextHandle();
  }
  if (!Enabled) {
    const TColor mixed = MixColors(section.Props[0].FontColor.Color, manager->GetGlobalColor(), kDisabledTextShare);
    SetTextColor(dc, static_cast<COLORREF>(classlib::ColorToRGB(shift(mixed))));
    DrawAt(dc, Text, R, 0, 0, Flags);
    return;
  }
  DrawOutlined(dc, Text, R, Flags, props.FontColor, shift, Flags | DT_NOCLIP);
}

}  // namespace skin
