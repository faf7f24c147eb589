#pragma once
// The records of a loaded skin: one section record per section of the description, one image
// record per skin image, one pattern record per large JPEG texture, and the sizes derived from
// an image record.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/acJpegDecoder.h"
#include "skin/core/sConstTypes.h"
#include "skin/graphics/Image32.h"

namespace skin {

class TacSkinRecords;

// A text colour and the colours of a one-pixel outline on each side; -1 means no outline there.
struct TsFontColor {
  TColor Color = 0;
  TColor Left = -1;
  TColor Top = -1;
  TColor Right = -1;
  TColor Bottom = -1;
  friend bool operator==(const TsFontColor&, const TsFontColor&) = default;
};

// The look of a section in one state. GradientArray is the section's own array object, shared.
struct TsGenState {
  TColor Color = 0;
  TsFontColor FontColor;
  std::int32_t GradientPercent = 0;
  std::string GradientData;
  std::shared_ptr<TsGradArray> GradientArray;
  std::int32_t ImagePercent = 0;
  TColor GlowColor = 0;
  std::uint8_t GlowSize = 0;
  std::int32_t Transparency = 0;
};
using TsProps = std::array<TsGenState, 2>;  // normal, hot

// One skin section.
struct TsGeneralData {
  std::string ParentClass;
  std::string ClassName;
  std::int32_t States = 4;
  TsProps Props;
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  bool ShowFocus = false;
  std::int32_t GlowCount = 0;
  std::int32_t GlowMargin = 0;
  std::int32_t BorderIndex = -1;
  std::int32_t ImgTL = -1;
  std::int32_t ImgTR = -1;
  std::int32_t ImgBL = -1;
  std::int32_t ImgBR = -1;
  std::int32_t TextureNormal = -1;
  TColor Color = 0xFFFFFF;
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  std::string GradientData = " ";
  std::shared_ptr<TsGradArray> GradientArray = std::make_shared<TsGradArray>();
  std::int32_t ImagePercent = 0;
  TsFontColor FontColor;
  TColor HotColor = 0;
  std::int32_t HotTransparency = 0;
  std::int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  std::shared_ptr<TsGradArray> HotGradientArray = std::make_shared<TsGradArray>();
  std::int32_t HotImagePercent = 0;
  TsFontColor HotFontColor{0, 0, 0, 0, 0};
  bool FadingEnabled = false;
  std::int32_t FadingIterations = 5;
  TColor HotGlowColor = 0;
  TColor GlowColor = 0xFFFFFF;
  std::uint8_t HotGlowSize = 0;
  std::uint8_t GlowSize = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// One skin image: state cells side by side in R, inside Bmp or, when Bmp is null, inside the
// master bitmap of the skin records that Manager points to.
struct TsMaskData {
  std::unique_ptr<TBitmap32> Bmp;
  std::string ClassName;
  std::string PropertyName;
  TRect R;
  std::int16_t ImageCount = 0;
  std::int16_t MaskType = 0;  // 0 none; n > 0: n + 1 equal bands, cells in the top one; -1 no height
  std::int16_t BorderWidth = 0;
  std::int16_t DrawMode = 0;  // textures: a TacFillMode; borders: 1 stretch, 2 no state 0, 4 centre
  TacImgType ImgType = TacImgType::itisaBorder;
  const TacSkinRecords* Manager = nullptr;
  std::int16_t WL = 0;
  std::int16_t WT = 0;
  std::int16_t WR = 0;
  std::int16_t WB = 0;
  std::int16_t CornerType = 0;  // 0 opaque corners, 1 corners with key pixels, 2 region of BUTTON_HUGE

  // The bitmap that R refers to: Bmp, or the master bitmap; empty when there is neither.
  TImage32View Source() const;
};
using TsMaskArray = std::vector<TsMaskData>;

// A JPEG texture kept compressed.
struct TsPatternData {
  std::unique_ptr<TacJpegImage> Img;
  std::string ClassName;
  std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// Width of one cell: 0 without cells, the whole width for one.
int WidthOfImage(const TsMaskData& md);
// Height of one cell by MaskType: 0 the whole height, 1 half, -1 none, n the (n + 1)th part.
int HeightOfImage(const TsMaskData& md);

}  // namespace skin
