#pragma once
// One loaded skin as the skin manager keeps it: the skin-wide values, the section, image and
// pattern records, the master bitmap, the table of constant indexes and the form-shadow
// templates, with the look-ups that painters use to find their records by name.
//
// The manager owns one of these and replaces it as a whole: a skin is loaded into fresh records
// (LoadSkinRecords) and only a load that succeeds takes the place of the old ones, so a failing
// load never leaves half-built records in use.
//
// Names are compared exactly (case-sensitive), by linear search from the first record; painters
// resolve their indexes once per skin change and keep them.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/Exception.h"
#include "skin/core/sMaskData.h"

namespace skin {

class TacSkinIni;
class TacSkinFiles;

// The skin-wide values of section "GLOBALINFO".
struct TsSkinData {
  std::string SkinPath;  // folder of the skin's files with a trailing separator; empty for internal skins
  bool Active = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  std::int16_t Shadow1Offset = 0;
  std::int16_t Shadow1Blur = -1;
  std::int16_t Shadow1Transparency = 0;
  std::int16_t ExBorderWidth = 4;
  std::int16_t ExTitleHeight = 30;
  std::int16_t ExMaxHeight = 0;
  std::int16_t ExContentOffs = 0;
  std::int16_t ExShadowOffs = 0;
  std::int16_t ExCenterOffs = 0;
  std::int16_t ExDrawMode = 0;
  TColor FXColor = 0;
  TColor BorderColor = 0;
  std::int16_t BISpacing = 0;
  std::int16_t BIVAlign = 0;
  std::int16_t BIRightMargin = 0;
  std::int16_t BILeftMargin = 0;
  std::int16_t BITopMargin = 0;
  std::int16_t BIKeepHUE = 0;
  std::int16_t BICloseGlow = 0;
  std::int16_t BICloseGlowMargin = 0;
  std::int16_t BIMaxGlow = 0;
  std::int16_t BIMaxGlowMargin = 0;
  std::int16_t BIMinGlow = 0;
  std::int16_t BIMinGlowMargin = 0;
  bool UseAeroBluring = false;
  TColor ExtShadowColor = 0;
};

// Indexes of the sections and images that the scroll bars, tabs, check boxes and combo boxes
// read without a look-up; -1 where the skin has none.
struct TConstantSkinData {
  std::int16_t IndexGLobalInfo = -1;
  std::int16_t ExBorder = -1;
  std::int16_t IndexTabTop = -1, IndexTabBottom = -1, IndexTabLeft = -1, IndexTabRight = -1;
  std::int16_t MaskTabTop = -1, MaskTabBottom = -1, MaskTabLeft = -1, MaskTabRight = -1;
  std::int16_t IndexScrollTop = -1, IndexScrollBottom = -1, IndexScrollLeft = -1, IndexScrollRight = -1;
  std::int16_t MaskScrollTop = -1, MaskScrollBottom = -1, MaskScrollLeft = -1, MaskScrollRight = -1;
  std::int16_t IndexBGScrollTop = -1, IndexBGScrollBottom = -1, IndexBGScrollLeft = -1, IndexBGScrollRight = -1;
  std::int16_t IndexBGHotScrollTop = -1, IndexBGHotScrollBottom = -1, IndexBGHotScrollLeft = -1,
               IndexBGHotScrollRight = -1;
  std::int16_t MaskArrowTop = -1, MaskArrowBottom = -1, MaskArrowLeft = -1, MaskArrowRight = -1;
  std::int16_t IndexSliderVert = -1, IndexSliderHorz = -1;
  std::int16_t MaskSliderVert = -1, MaskSliderHorz = -1;
  std::int16_t MaskSliderGlyphVert = -1, MaskSliderGlyphHorz = -1;
  std::int16_t ScrollSliderBGHorz = -1, ScrollSliderBGHotHorz = -1;
  std::int16_t ScrollSliderBGVert = -1, ScrollSliderBGHotVert = -1;
  std::int16_t IndexScrollBar1H = -1, IndexScrollBar1V = -1, IndexScrollBar2H = -1, IndexScrollBar2V = -1;
  std::int16_t MaskScrollBar1H = -1, MaskScrollBar1V = -1, MaskScrollBar2H = -1, MaskScrollBar2V = -1;
  std::int16_t BGScrollBar1H = -1, BGScrollBar1V = -1, BGScrollBar2H = -1, BGScrollBar2V = -1;
  std::int16_t BGHotScrollBar1H = -1, BGHotScrollBar1V = -1, BGHotScrollBar2H = -1, BGHotScrollBar2V = -1;
  std::int16_t CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
  std::int16_t RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
  std::int16_t SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
  std::int32_t ComboBtnIndex = -1;
  std::int32_t ComboBtnBorder = -1;
  std::int32_t ComboBtnBG = -1, ComboBtnBGHot = -1;
  std::int32_t ComboGlyph = -1;
  std::int32_t GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;
  std::int32_t IndexWebBtn = -1;
};

// Every entry of the table by name, in the table's order (the dumper and the tests read it).
std::vector<std::pair<std::string_view, int>> ConstantEntries(const TConstantSkinData& cd);

// Something a load refused or could not find, with the section and key it concerns. The load
// goes on without it.
struct TacSkinNotice {
  std::string Section;
  std::string Key;
  std::string Text;
};

// A load that cannot produce a skin: the description is missing, a value that must be a number
// is not, an image file is not a valid image. The message names the section, key or file.
class EacSkinLoadError : public classlib::Exception {
 public:
  using classlib::Exception::Exception;
};

// What a load takes from the skin manager.
struct TacSkinLoadOptions {
  int HueOffset = 0;
  int Saturation = 0;
  // The manager's common sections: a second description whose sections the skin lacks are
  // added, and whose images are loaded from the skin's files; nullptr or empty for none.
  const TacSkinIni* CommonSections = nullptr;
  std::string SkinPath;                              // goes into SkinData.SkinPath
  int SystemFrameWidth = 4;                          // default of "FORMOFFSET" (the system's sizing frame)
  bool ExtendedBorders = false;                      // the manager draws extended form borders
  const TBitmap32* BuiltInShadowActive = nullptr;    // the program's own form shadows, used
  const TBitmap32* BuiltInShadowInactive = nullptr;  // when a skin has no "EXBORDER" image
  std::int64_t MaxImagePixels = std::int64_t{1} << 24;
};

class TacSkinRecords {
 public:
  TacSkinRecords() = default;
  TacSkinRecords(const TacSkinRecords&) = delete;
  TacSkinRecords& operator=(const TacSkinRecords&) = delete;

  TsSkinData SkinData;
  TsGeneralDataArray gd;
  TsMaskArray ma;
  TsPatternArray pa;
  TBitmap32 MasterBitmap;
  TConstantSkinData ConstData;
  TRect FormShadowSize;
  TBitmap32 ShdaTemplate;  // shadow of an active form
  TBitmap32 ShdiTemplate;  // shadow of an inactive form
  std::vector<TacSkinNotice> Notices;
  // The painters' decoded JPEG patterns, by the index in pa, made on first use (PatternBitmap).
  mutable std::vector<std::unique_ptr<TBitmap32>> DecodedPatterns;

  // Loading, in the order a load runs them. SkinFile null: the tables are only freed (the
  // common sections are still added).
  void LoadAllMasks(const TacSkinIni* SkinFile, const TacSkinFiles* Files, const TacSkinLoadOptions& Options);
  void LoadAllPatterns(const TacSkinIni* SkinFile, const TacSkinFiles* Files, const TacSkinLoadOptions& Options);
  void LoadAllGeneralData(const TacSkinIni* SkinFile, const TacSkinLoadOptions& Options);
  void FreeBitmaps();
  void FreeJpegs();

  // Look-ups; -1 when nothing matches.
  int GetSkinIndex(std::string_view SkinSection) const;
  // The image of that key in the section, else in its parent sections.
  int GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const;
  int GetMaskIndex(std::string_view SkinSection, std::string_view Mask) const;
  int GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const;
  int GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const;
  bool IsValidSkinIndex(int SkinIndex) const { return SkinIndex >= 0 && SkinIndex < static_cast<int>(gd.size()); }
  bool IsValidImgIndex(int ImageIndex) const { return ImageIndex >= 0 && ImageIndex < static_cast<int>(ma.size()); }
  std::vector<std::string> GetSkinSections() const;

  // Effective border widths of an image: its own margin, else BorderWidth, else a cell size.
  int MaskWidthLeft(int MaskIndex);
  int MaskWidthTop(int MaskIndex) const;
  int MaskWidthRight(int MaskIndex) const;
  int MaskWidthBottom(int MaskIndex) const;

  // Colour queries, RGB unless said otherwise.
  TColor GetGlobalColor() const;
  TColor GetGlobalFontColor() const;
  TColor GetActiveEditColor() const;
  TColor GetActiveEditFontColor() const;
  TColor GetHighLightColor(bool Focused) const;
  TColor GetHighLightFontColor(bool Focused) const;

  void InitMaskIndexes();
  void InitConstantIndexes(const TacSkinLoadOptions& Options);
  void CheckShadows(const TacSkinLoadOptions& Options);

  // The records' own section-parent walk: the parent of a section, or -1 at the end of the chain.
  int ParentIndex(int SkinIndex) const;
};

// Recolouring of loaded records (the manager's HueOffset and Saturation).
void ChangeSkinHue(TacSkinRecords& Skin, int Value);
void ChangeSkinSaturation(TacSkinRecords& Skin, int Value);
void ChangeSkinBrightness(TacSkinRecords& Skin, int Value);

// A whole load into fresh records: images, textures, sections, constant indexes. Raises
// EacSkinLoadError (or the container's EacSkinPackError) and then nothing was changed.
std::unique_ptr<TacSkinRecords> LoadSkinRecords(const TacSkinIni& SkinFile, const TacSkinFiles* Files,
                                                const TacSkinLoadOptions& Options);
std::unique_ptr<TacSkinRecords> LoadSkinRecords(const TacSkinFiles& Files, const TacSkinLoadOptions& Options);
// Loads into fresh records and only then puts them in Current; on failure Current keeps the
// skin it had and the error passes on.
void ReplaceSkinRecords(std::unique_ptr<TacSkinRecords>& Current, const TacSkinFiles& Files,
                        const TacSkinLoadOptions& Options);

// What the manager tells the user about a skin's VERSION.
enum class TacVersionNotice { None, OldSkin, NewerSkin };
TacVersionNotice CheckVersion(double Version);

}  // namespace skin
