#pragma once
// Records, enumerations and constant tables shared by the units of the skinning engine: types
// only, no state. Nothing here needs a window.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/EnumInfo.h"
#include "classlib/Types.h"
#include "skin/core/acSets.h"
#include "skin/graphics/Image32.h"
#include "skin/graphics/sGradient.h"

// Handles of the platform, declared the way its headers declare them, so that records holding
// them need no <windows.h> and take the real handles unconverted in the win32 build.
struct HDC__;
struct HWND__;

namespace classlib {
class TObject;
class TBitmap;
class TCanvas;
class TControl;
class TForm;
}  // namespace classlib

namespace skin {

using TacDCHandle = ::HDC__*;
using TacWndHandle = ::HWND__*;

// Scan lines addressed through a pointer; a row holds at most 100,001 pixels.
inline constexpr int kMaxScanLinePixels = 100001;
using TRGBArray = TsRGB[kMaxScanLinePixels];
using TRGBAArray = TsRGBA[kMaxScanLinePixels];
using PRGBArray = TsRGB*;
using PRGBAArray = TsRGBA*;

using TPoints = std::vector<TPoint>;
using TAOR = std::vector<TRect>;
using TacRoot = std::wstring;

// OnPaint of panels (a canvas) and of bitmap and speed buttons (the finished cache bitmap).
using TPaintEvent = std::function<void(classlib::TObject* Sender, classlib::TCanvas* Canvas)>;
using TBmpPaintEvent = std::function<void(classlib::TObject* Sender, classlib::TBitmap* Bmp)>;

// Kind of a background answer: nothing known, a plain colour, a bitmap at an offset, not ready.
enum class TacBGType : std::uint8_t { btUnknown, btFill, btCache, btNotReady };

// Where a control finds the already painted background of its parent.
struct TCacheInfo {
  classlib::TBitmap* Bmp = nullptr;  // not owned
  std::int32_t X = 0;
  std::int32_t Y = 0;
  TColor FillColor = clFuchsia;  // clFuchsia: none
  bool Ready = false;
  friend bool operator==(const TCacheInfo&, const TCacheInfo&) = default;
};

// {Bmp, X, Y, no fill colour, ready}.
constexpr TCacheInfo MakeCacheInfo(classlib::TBitmap* Bmp, int X = 0, int Y = 0) {
  return {Bmp, X, Y, clFuchsia, true};
}

// A background request sent to a parent and filled in by it.
struct TacBGInfo {
  classlib::TBitmap* Bmp = nullptr;  // not owned
  TColor Color = 0;
  TPoint Offset;
  TRect R;
  TacBGType BgType = TacBGType::btUnknown;
  bool PleaseDraw = false;
  TacDCHandle DrawDC = nullptr;
};

// How a texture image fills a rectangle; a skin image's DrawMode 0..14 selects the same number.
// clang-format off
enum class TacFillMode : std::uint8_t {
  fmTiled, fmStretched, fmTiledHorz, fmTiledVert, fmStretchHorz, fmStretchVert, fmTileHorBtm,
  fmTileVertRight, fmStretchHorBtm, fmStretchVertRight, fmDisTiled, fmDiscHorTop, fmDiscVertLeft,
  fmDiscHorBottom, fmDiscVertRight
};
// clang-format on
enum class TacImgType : std::uint8_t { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };
enum class TFadeDirection : std::uint8_t { fdNone, fdUp, fdDown };
enum class TacAnimType : std::uint8_t { atFading, atAero };

enum class TacBtnEvent : std::uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = TacSet<TacBtnEvent>;

// A control's own animated events; aeGlobalDef defers to the manager's button events.
enum class TacAnimatEvent : std::uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = TacSet<TacAnimatEvent>;
inline constexpr TacAnimatEvents kDefaultAnimatEvents{TacAnimatEvent::aeGlobalDef};

enum class TacCtrlType : std::uint8_t { actGraphic };

enum class TsDisabledKindValue : std::uint8_t { dkBlended, dkGrayed };
using TsDisabledKind = TacSet<TsDisabledKindValue>;
inline constexpr TsDisabledKind kDefaultDisabledKind{TsDisabledKindValue::dkBlended};

enum class TsDisabledGlyphKindValue : std::uint8_t { dgBlended, dgGrayed };
using TsDisabledGlyphKind = TacSet<TsDisabledGlyphKindValue>;
inline constexpr TsDisabledGlyphKind kDefaultDisabledGlyphKind{TsDisabledGlyphKindValue::dgBlended};

// Place of a bound label relative to its control. (The group box has a type of the same name in
// its own unit; the two are distinct.)
// clang-format off
enum class TsCaptionLayout : std::uint8_t {
  sclLeft, sclTopLeft, sclTopCenter, sclTopRight, sclLeftTop, sclBottomLeft, sclBottomCenter, sclBottomRight
};
// clang-format on
enum class TGradientTypes : std::uint8_t { gtTopBottom, gtLeftRight, gtAsBorder };
enum class TsHintStyle : std::uint8_t { hsSimply, hsComics, hsEllipse, hsBalloon, hsStandard, hsNone };
// clang-format off
enum class TsHintsPredefinitions : std::uint8_t {
  shSimply, shGradient, shTransparent, shEllipse, shBalloon, shComicsGradient, shComicsTransparent,
  shStandard, shNone, shCustom
};
// clang-format on
enum class TsShadowingShape : std::uint8_t { ssRectangle, ssEllipse };
// In the order of the system's show commands 0..10.
// clang-format off
enum class TsWindowShowMode : std::uint8_t {
  soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow, soMinimize, soShowMinNoActive,
  soShowNA, soRestore, soDefault
};
// clang-format on
enum class TDateOrder : std::uint8_t { doMDY, doDMY, doYMD };
enum class TPopupWindowAlign : std::uint8_t { pwaRight, pwaLeft };
enum class TDayOfWeek : std::uint8_t { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
using TDaysOfWeek = TacSet<TDayOfWeek>;

// Constant tables.
inline constexpr std::array<TacImgType, 5> acImgTypes = {TacImgType::itisaBorder, TacImgType::itisaTexture,
                                                         TacImgType::itisaGlyph, TacImgType::itisaGlow,
                                                         TacImgType::itisaPngGlyph};

inline constexpr std::array<TacFillMode, 15> acFillModes = [] {
  std::array<TacFillMode, 15> modes{};
  for (std::size_t i = 0; i < modes.size(); ++i) modes[i] = static_cast<TacFillMode>(i);
  return modes;
}();

inline constexpr std::array<int, 9> aScrollCodes = {0, 1, 2, 3, 4, 5, 6, 7, 8};

inline constexpr std::array<TsHintStyle, 6> aHintStyles = {TsHintStyle::hsSimply,   TsHintStyle::hsComics,
                                                           TsHintStyle::hsEllipse,  TsHintStyle::hsBalloon,
                                                           TsHintStyle::hsStandard, TsHintStyle::hsNone};

// For each TacAnimatEvent the button event that the manager's settings answer for it.
inline constexpr std::array<TacBtnEvent, 5> acBtnEvents = {TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave,
                                                           TacBtnEvent::beMouseDown, TacBtnEvent::beMouseUp,
                                                           TacBtnEvent::beMouseUp};
constexpr TacBtnEvent BtnEventOf(TacAnimatEvent e) { return acBtnEvents[static_cast<std::size_t>(e)]; }

inline constexpr std::array<std::wstring_view, 2> sBoolArray = {L"FALSE", L"TRUE"};

// Control kind codes (the COC of a control's skin state).
// Edit-type controls: take the section's colours as their own, redraw the frame on focus and hover.
inline constexpr TacCodeSet sEditCtrls{{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}};
// Controls that never count as under the mouse.
inline constexpr TacCodeSet sForbidMouse{{19, 19}, {51, 74}, {110, 110}, {141, 161}};
// Controls that get no glow when the mouse enters.
inline constexpr TacCodeSet sCanNotBeHot{{51, 52},   {54, 54},   {56, 60},   {68, 68},   {73, 74},  {110, 110},
                                         {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}};

// The tag of windows that the engine makes for itself and never skins.
inline constexpr int ac_NoSkinTag = -98;

// The cache information of a window without a parent.
inline constexpr TCacheInfo kEmptyCacheInfo{nullptr, -99, -99, clFuchsia, false};

}  // namespace skin

// The controls publish these sets and enumerations: descriptions name their items.
namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TacAnimatEvent>() {
  static const TEnumInfo i{L"TacAnimatEvent",
                           {L"aeMouseEnter", L"aeMouseLeave", L"aeMouseDown", L"aeMouseUp", L"aeGlobalDef"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsDisabledKindValue>() {
  static const TEnumInfo i{L"TsDisabledKind", {L"dkBlended", L"dkGrayed"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsDisabledGlyphKindValue>() {
  static const TEnumInfo i{L"TsDisabledGlyphKind", {L"dgBlended", L"dgGrayed"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsCaptionLayout>() {
  static const TEnumInfo i{L"TsCaptionLayout",
                           {L"sclLeft", L"sclTopLeft", L"sclTopCenter", L"sclTopRight", L"sclLeftTop", L"sclBottomLeft",
                            L"sclBottomCenter", L"sclBottomRight"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsWindowShowMode>() {
  static const TEnumInfo i{L"TsWindowShowMode",
                           {L"soHide", L"soNormal", L"soShowMinimized", L"soMaximize", L"soShowNoActivate", L"soShow",
                            L"soMinimize", L"soShowMinNoActive", L"soShowNA", L"soRestore", L"soDefault"}};
  return i;
}
}  // namespace classlib
