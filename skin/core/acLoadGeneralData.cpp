// Sections of a skin: the skin-wide values of GLOBALINFO and one record per section, with values
// that a section leaves out taken from the sections named by its "PARENTCLASS" chain.
#include <algorithm>
#include <string>
#include <vector>

#include "classlib/Exception.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SysColors.h"
#include "skin/graphics/sGradient.h"

namespace skin {
namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr std::string_view kParentClass = "PARENTCLASS";

std::wstring Wide(std::string_view s) { return std::wstring(s.begin(), s.end()); }

// Reads of one section with inheritance through "PARENTCLASS". A chain that comes back to a
// section it has passed ends there: it can hold no value that was not found already.
class TacInheritedReader {
 public:
  TacInheritedReader(const TacSkinIni& ini, const std::string& section) {
    // The chain of sections named by "PARENTCLASS", resolved once for all keys of the section.
    std::string current = section;
    const int limit = ini.SectionCount() + 1;
    for (int step = 0; step < limit; ++step) {
      const TacIniSection* s = ini.Section(current);
      if (!s) break;
      chain_.push_back(s);
      const std::string* parent = s->Find(kParentClass);
      if (!parent || parent->empty() || *parent == "?" || *parent == current) break;
      current = *parent;
    }
  }

  // The integer, -1 when neither the section nor a parent has it (or writes -1). A value found
  // in a parent comes as RGB.
  int Integer(std::string_view key) const {
    for (std::size_t i = 0; i < chain_.size(); ++i) {
      int value = -1;
      const std::string* text = chain_[i]->Find(key);
      if (!text || !ParseSkinInteger(*text, value)) value = -1;
      if (value != -1) return i > 0 ? ColorToRGB(value) : value;
    }
    return -1;
  }
  int Integer(std::string_view key, int def) const {
    const int v = Integer(key);
    return v == -1 ? def : v;
  }
  std::string String(std::string_view key, std::string_view def) const {
    for (const TacIniSection* s : chain_)
      if (const std::string* text = s->Find(key); text && *text != "?") return *text;
    return std::string(def);
  }
  bool Boolean(std::string_view key) const {
    const std::string up = SkinUpperCase(String(key, "0"));
    return up == "1" || up == "TRUE";
  }

 private:
  std::vector<const TacIniSection*> chain_;
};

std::int16_t Low16(int v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }

// A value that the description must write as a number when it writes it at all.
std::int16_t StrictInt(const TacSkinIni& ini, std::string_view key, std::string_view def) {
  const std::string text = ini.ReadString(kGlobalInfo, key, def);
  int v = 0;
  if (!ParseSkinInteger(text, v))
    throw EacSkinLoadError(L"Skin section GLOBALINFO, key " + Wide(key) + L": \"" + Wide(text) +
                           L"\" is not a valid integer value");
  return Low16(v);
}

void ParseGradient(const std::string& section, std::string_view key, const std::string& text, TsGradArray& arr) {
  try {
    PrepareGradArray(text, arr);
  } catch (const classlib::Exception& e) {
    throw EacSkinLoadError(L"Skin section " + Wide(section) + L", key " + Wide(key) + L": " + e.Message());
  }
}

void FillNormalProps(TsGeneralData& g) {
  TsGenState& p = g.Props[0];
  p.Color = g.Color;
  p.FontColor = g.FontColor;
  p.GlowColor = g.GlowColor;
  p.GlowSize = g.GlowSize;
  p.GradientPercent = g.GradientPercent;
  p.GradientData = g.GradientData;
  p.GradientArray = g.GradientArray;
  p.ImagePercent = g.ImagePercent;
  p.Transparency = g.Transparency;
}

void FillHotProps(TsGeneralData& g) {
  TsGenState& p = g.Props[1];
  p.Color = g.HotColor;
  p.FontColor = g.HotFontColor;
  p.GlowColor = g.HotGlowColor;
  p.GlowSize = g.HotGlowSize;
  p.GradientPercent = g.HotGradientPercent;
  p.GradientData = g.HotGradientData;
  p.GradientArray = g.HotGradientArray;
  p.ImagePercent = g.HotImagePercent;
  p.Transparency = g.HotTransparency;
}

void ReadSkinData(const TacSkinIni& ini, const TacSkinLoadOptions& options, TsSkinData& sd) {
  sd.Version = ini.ReadFloat(kGlobalInfo, "VERSION", 0);
  sd.Author = ini.ReadString(kGlobalInfo, "AUTHOR", "");
  sd.Description = ini.ReadString(kGlobalInfo, "DESCRIPTION", "");
  const auto i16 = [&](std::string_view key, int def) { return Low16(ini.ReadInteger(kGlobalInfo, key, def)); };
  sd.ExBorderWidth = i16("BORDERWIDTH", 4);
  sd.ExTitleHeight = i16("TITLEHEIGHT", 30);
  sd.ExMaxHeight = i16("MAXHEIGHT", 0);
  if (sd.ExMaxHeight == 0) sd.ExMaxHeight = sd.ExTitleHeight;
  sd.ExContentOffs = i16("FORMOFFSET", options.SystemFrameWidth);
  sd.ExShadowOffs = i16("ALIGNOFFSET", 0);
  sd.ExCenterOffs = i16("CENTEROFFSET", 0);
  sd.ExDrawMode = i16("BORDERMODE", 0);
  sd.BorderColor = ini.ReadInteger(kGlobalInfo, "BORDERCOLOR", 0);
  sd.Shadow1Color = ini.ReadInteger(kGlobalInfo, "SHADOW1COLOR", 0);
  sd.Shadow1Offset = StrictInt(ini, "SHADOW1OFFSET", "0");
  sd.Shadow1Blur = StrictInt(ini, "SHADOW1BLUR", "-1");
  sd.Shadow1Transparency = StrictInt(ini, "SHADOW1TRANSPARENCY", "0");
  sd.BISpacing = i16("BISPACE", 0);
  sd.BIVAlign = i16("BIVALIGN", 0);
  sd.BIRightMargin = i16("BIRIGHT", 0);
  sd.BILeftMargin = i16("BILEFT", 0);
  sd.BITopMargin = i16("BITOP", 0);
  sd.BIKeepHUE = i16("BIKEEPHUE", 0);
  sd.BICloseGlow = StrictInt(ini, "BICONCLOSEGLOW", "0");
  sd.BICloseGlowMargin = StrictInt(ini, "BICONCLOSEGLOWMARGIN", "0");
  sd.BIMaxGlow = StrictInt(ini, "BICONMAXGLOW", "0");
  sd.BIMaxGlowMargin = StrictInt(ini, "BICONMAXGLOWMARGIN", "0");
  sd.BIMinGlow = StrictInt(ini, "BICONMINGLOW", "0");
  sd.BIMinGlowMargin = StrictInt(ini, "BICONMINGLOWMARGIN", "0");
  sd.UseAeroBluring = ini.ReadInteger(kGlobalInfo, "AEROBLUR", 0) != 0;
  sd.ExtShadowColor = ini.ReadInteger(kGlobalInfo, "EXTSHADOW", 0);
}

TsGeneralData ReadSection(const TacSkinIni& ini, const std::string& name) {
  const TacInheritedReader r(ini, name);
  TsGeneralData g;
  g.ClassName = name;
  g.ParentClass = ini.ReadString(name, kParentClass, "");
  g.Color = ColorToRGB(r.Integer("COLOR", 0xFFFFFF));
  g.ReservedBoolean = r.Boolean("RESERVEDBOOLEAN");
  g.GiveOwnFont = r.Boolean("GIVEOWNFONT");
  g.GlowCount = r.Integer("GLOW", 0);
  g.GlowMargin = r.Integer("GLOWMARGIN", 0);
  g.ImgTL = g.ImgTR = g.ImgBL = g.ImgBR = -1;
  g.FontColor = {r.Integer("FONTCOLOR", 0), r.Integer("TCLEFT"), r.Integer("TCTOP"), r.Integer("TCRIGHT"),
                 r.Integer("TCBOTTOM")};
  g.Transparency = r.Integer("TRANSPARENCY", 0);
  g.GradientPercent = r.Integer("GRADIENTPERCENT", 0);
  g.ImagePercent = r.Integer("IMAGEPERCENT", 0);
  g.GradientData = r.String("GRADIENTDATA", " ");
  g.ShowFocus = r.Boolean("SHOWFOCUS");
  g.FadingEnabled = r.Boolean("FADINGENABLED");
  g.FadingIterations = r.Integer("FADINGITERATIONS", 5);
  g.GlowColor = ColorToRGB(r.Integer("GCOL", 0xFFFFFF));
  g.GlowSize = static_cast<std::uint8_t>(r.Integer("GSIZE", 0));
  if (g.GradientData.size() < 2)
    g.GradientPercent = 0;
  else
    ParseGradient(name, "GRADIENTDATA", g.GradientData, *g.GradientArray);
  FillNormalProps(g);

  g.States = r.Integer("STATES", 4);
  if (g.States < 2) {
    g.Props[1] = g.Props[0];
    return g;
  }
  g.HotFontColor = {r.Integer("HOTFONTCOLOR", 0), r.Integer("HOTTCLEFT"), r.Integer("HOTTCTOP"),
                    r.Integer("HOTTCRIGHT"), r.Integer("HOTTCBOTTOM")};
  g.HotGlowColor = ColorToRGB(r.Integer("HGCOL", 0xFFFFFF));
  g.HotGlowSize = static_cast<std::uint8_t>(r.Integer("HGSIZE", 0));
  g.HotColor = r.Integer("HOTCOLOR", 0xFFFFFF);
  g.HotTransparency = r.Integer("HOTTRANSPARENCY", 0);
  g.HotGradientPercent = r.Integer("HOTGRADIENTPERCENT", 0);
  g.HotGradientData = r.String("HOTGRADIENTDATA", "");
  if (g.HotGradientData.size() < 2)
    g.HotGradientPercent = 0;
  else
    ParseGradient(name, "HOTGRADIENTDATA", g.HotGradientData, *g.HotGradientArray);
  g.HotImagePercent = r.Integer("HOTIMAGEPERCENT", 0);
  FillHotProps(g);
  return g;
}

// A section of the manager's common sections that the skin lacks. Its values come from the
// common text; what that leaves out, from the parent record it names, else from the defaults.
TsGeneralData ReadCommonSection(const TacSkinIni& common, const TacIniSection& section, const TsGeneralDataArray& gd) {
  const std::string& name = section.Name;
  TsGeneralData base;  // defaults
  base.States = 3;
  base.HotColor = 0xFFFFFF;
  base.HotGlowColor = 0xFFFFFF;
  base.HotFontColor = {0, -1, -1, -1, -1};
  const std::string parentName = SkinUpperCase(common.ReadString(name, kParentClass, "-1"));
  for (const TsGeneralData& g : gd)
    if (SkinUpperCase(g.ClassName) == parentName) {
      base = g;
      // The parent's gradient arrays are its own; this section gets copies.
      base.GradientArray = std::make_shared<TsGradArray>(*g.GradientArray);
      base.HotGradientArray = std::make_shared<TsGradArray>(*g.HotGradientArray);
      break;
    }
  const auto integer = [&](std::string_view key, int def) { return common.ReadInteger(name, key, def); };
  const auto boolean = [&](std::string_view key, bool def) { return common.ReadBool(name, key, def); };
  const auto text = [&](std::string_view key, const std::string& def) { return common.ReadString(name, key, def); };

  TsGeneralData g = base;
  g.ClassName = name;
  g.ParentClass = parentName;
  g.BorderIndex = g.ImgTL = g.ImgTR = g.ImgBL = g.ImgBR = g.TextureNormal = -1;
  g.Color = ColorToRGB(integer("COLOR", base.Color));
  g.ReservedBoolean = boolean("RESERVEDBOOLEAN", base.ReservedBoolean);
  g.GiveOwnFont = boolean("GIVEOWNFONT", base.GiveOwnFont);
  g.GlowCount = integer("GLOW", base.GlowCount);
  g.GlowMargin = integer("GLOWMARGIN", base.GlowMargin);
  g.FontColor = {integer("FONTCOLOR", base.FontColor.Color), integer("TCLEFT", base.FontColor.Left),
                 integer("TCTOP", base.FontColor.Top), integer("TCRIGHT", base.FontColor.Right),
                 integer("TCBOTTOM", base.FontColor.Bottom)};
  g.Transparency = integer("TRANSPARENCY", base.Transparency);
  g.GradientPercent = integer("GRADIENTPERCENT", base.GradientPercent);
  g.ImagePercent = integer("IMAGEPERCENT", base.ImagePercent);
  g.GradientData = text("GRADIENTDATA", base.GradientData);
  g.ShowFocus = boolean("SHOWFOCUS", base.ShowFocus);
  g.FadingEnabled = boolean("FADINGENABLED", base.FadingEnabled);
  g.FadingIterations = integer("FADINGITERATIONS", base.FadingIterations);
  g.GlowColor = ColorToRGB(integer("GCOL", base.GlowColor));
  g.GlowSize = static_cast<std::uint8_t>(integer("GSIZE", base.GlowSize));
  if (g.GradientData != base.GradientData) {
    g.GradientArray = std::make_shared<TsGradArray>();
    if (g.GradientData.size() < 2)
      g.GradientPercent = 0;
    else
      ParseGradient(name, "GRADIENTDATA", g.GradientData, *g.GradientArray);
  }
  FillNormalProps(g);

  g.States = integer("STATES", base.States);
  g.HotFontColor = {integer("HOTFONTCOLOR", base.HotFontColor.Color), integer("HOTTCLEFT", base.HotFontColor.Left),
                    integer("HOTTCTOP", base.HotFontColor.Top), integer("HOTTCRIGHT", base.HotFontColor.Right),
                    integer("HOTTCBOTTOM", base.HotFontColor.Bottom)};
  g.HotGlowColor = ColorToRGB(integer("HGCOL", base.HotGlowColor));
  g.HotGlowSize = static_cast<std::uint8_t>(integer("HGSIZE", base.HotGlowSize));
  g.HotColor = integer("HOTCOLOR", base.HotColor);
  g.HotTransparency = integer("HOTTRANSPARENCY", base.HotTransparency);
  g.HotGradientPercent = integer("HOTGRADIENTPERCENT", base.HotGradientPercent);
  g.HotGradientData = text("HOTGRADIENTDATA", base.HotGradientData);
  if (g.HotGradientData != base.HotGradientData) {
    g.HotGradientArray = std::make_shared<TsGradArray>();
    if (g.HotGradientData.size() < 2)
      g.HotGradientPercent = 0;
    else
      ParseGradient(name, "HOTGRADIENTDATA", g.HotGradientData, *g.HotGradientArray);
  }
  g.HotImagePercent = integer("HOTIMAGEPERCENT", base.HotImagePercent);
  if (g.States < 2)
    g.Props[1] = g.Props[0];
  else
    FillHotProps(g);
  return g;
}

}  // namespace

void TacSkinRecords::LoadAllGeneralData(const TacSkinIni* SkinFile, const TacSkinLoadOptions& Options) {
  if (SkinFile) {
    ReadSkinData(*SkinFile, Options, SkinData);
    gd.clear();
    gd.reserve(SkinFile->Sections().size());
    for (const TacIniSection& section : SkinFile->Sections()) gd.push_back(ReadSection(*SkinFile, section.Name));
  }
  if (Options.CommonSections) {
    for (const TacIniSection& section : Options.CommonSections->Sections())
      if (GetSkinIndex(section.Name) < 0) gd.push_back(ReadCommonSection(*Options.CommonSections, section, gd));
  }
  InitMaskIndexes();
  ChangeSkinHue(*this, Options.HueOffset);
  ChangeSkinSaturation(*this, Options.Saturation);
}

TacVersionNotice CheckVersion(double Version) {
  if (Version >= 7.99) return TacVersionNotice::NewerSkin;
  if (Version < 7) return TacVersionNotice::OldSkin;
  return TacVersionNotice::None;
}

}  // namespace skin
