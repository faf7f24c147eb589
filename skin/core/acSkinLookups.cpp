// Look-ups of sections, images and patterns by name, image sizes and the colour queries.
#include "classlib/Types.h"
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SysColors.h"

namespace skin {
namespace {

constexpr TColor kNoColor = -1;

bool Usable(TColor c) { return c != kNoColor && c != classlib::clFuchsia; }

}  // namespace

int TacSkinRecords::GetSkinIndex(std::string_view SkinSection) const {
  for (std::size_t i = 0; i < gd.size(); ++i)
    if (gd[i].ClassName == SkinSection) return static_cast<int>(i);
  return -1;
}

int TacSkinRecords::ParentIndex(int SkinIndex) const {
  if (!IsValidSkinIndex(SkinIndex)) return -1;
  const TsGeneralData& g = gd[static_cast<std::size_t>(SkinIndex)];
  if (g.ParentClass.empty() || g.ParentClass == g.ClassName) return -1;
  return GetSkinIndex(g.ParentClass);
}

namespace {

// The first record of Table matching the section and key, else the same in the parent named by
// the section's "PARENTCLASS", and so on. A chain of parents longer than the number of sections
// has come round in a circle and ends.
template <typename Table, typename Match>
int FindWithParents(const TacSkinRecords& skin, const Table& table, int skinIndex, std::string_view section,
                    std::string_view key, Match match) {
  for (std::size_t step = 0; step <= skin.gd.size(); ++step) {
    if (skinIndex < 0 || section.empty()) return -1;
    for (std::size_t i = 0; i < table.size(); ++i)
      if (table[i].ClassName == section && table[i].PropertyName == key && match(table[i])) return static_cast<int>(i);
    if (!skin.IsValidSkinIndex(skinIndex)) return -1;
    const std::string& parent = skin.gd[static_cast<std::size_t>(skinIndex)].ParentClass;
    if (parent.empty() || parent == section) return -1;
    section = parent;
    skinIndex = skin.GetSkinIndex(parent);
  }
  return -1;
}

}  // namespace

int TacSkinRecords::GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const {
  return FindWithParents(*this, ma, SkinIndex, SkinSection, Mask, [](const TsMaskData&) { return true; });
}

int TacSkinRecords::GetMaskIndex(std::string_view SkinSection, std::string_view Mask) const {
  if (SkinSection.empty()) return -1;
  for (std::size_t i = 0; i < ma.size(); ++i)
    if (ma[i].ClassName == SkinSection && ma[i].PropertyName == Mask) return static_cast<int>(i);
  return -1;
}

int TacSkinRecords::GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
  if (ma.empty()) return -1;
  return FindWithParents(*this, ma, SkinIndex, SkinSection, PropName,
                         [](const TsMaskData& m) { return m.ImgType == TacImgType::itisaTexture; });
}

int TacSkinRecords::GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
  if (pa.empty()) return -1;
  return FindWithParents(*this, pa, SkinIndex, SkinSection, PropName, [](const TsPatternData&) { return true; });
}

std::vector<std::string> TacSkinRecords::GetSkinSections() const {
  std::vector<std::string> names;
  if (!SkinData.Active) return names;
  for (const TsGeneralData& g : gd) names.push_back(g.ClassName);
  return names;
}

int TacSkinRecords::MaskWidthLeft(int MaskIndex) {
  if (!IsValidImgIndex(MaskIndex)) return 0;
  TsMaskData& m = ma[static_cast<std::size_t>(MaskIndex)];
  if (m.ImageCount == 0) m.ImageCount = 1;
  if (m.WL >= 1) return m.WL;
  return m.BorderWidth >= 1 ? m.BorderWidth : WidthOfImage(m);
}

int TacSkinRecords::MaskWidthTop(int MaskIndex) const {
  if (!IsValidImgIndex(MaskIndex)) return 0;
  const TsMaskData& m = ma[static_cast<std::size_t>(MaskIndex)];
  if (m.WT >= 1) return m.WT;
  return m.BorderWidth >= 1 ? m.BorderWidth : HeightOfImage(m);
}

int TacSkinRecords::MaskWidthRight(int MaskIndex) const {
  if (!IsValidImgIndex(MaskIndex)) return 0;
  const TsMaskData& m = ma[static_cast<std::size_t>(MaskIndex)];
  if (m.WR >= 1) return m.WR;
  return m.BorderWidth >= 1 ? m.BorderWidth : WidthOfImage(m);
}

int TacSkinRecords::MaskWidthBottom(int MaskIndex) const {
  if (!IsValidImgIndex(MaskIndex)) return 0;
  const TsMaskData& m = ma[static_cast<std::size_t>(MaskIndex)];
  if (m.WB >= 1) return m.WB;
  return m.BorderWidth >= 1 ? m.BorderWidth : HeightOfImage(m);
}

TColor TacSkinRecords::GetGlobalColor() const {
  const int i = GetSkinIndex("GLOBALINFO");
  return i >= 0 ? ColorToRGB(gd[static_cast<std::size_t>(i)].Color) : ColorToRGB(classlib::clBtnFace);
}

TColor TacSkinRecords::GetGlobalFontColor() const {
  const int i = GetSkinIndex("GLOBALINFO");
  return i >= 0 ? ColorToRGB(gd[static_cast<std::size_t>(i)].FontColor.Color) : classlib::clFuchsia;
}

TColor TacSkinRecords::GetActiveEditColor() const {
  const int i = GetSkinIndex("GLOBALINFO");
  return i >= 0 ? ColorToRGB(gd[static_cast<std::size_t>(i)].HotColor) : ColorToRGB(classlib::clWindow);
}

TColor TacSkinRecords::GetActiveEditFontColor() const {
  const int i = GetSkinIndex("EDIT");
  return i >= 0 ? ColorToRGB(gd[static_cast<std::size_t>(i)].Props[0].FontColor.Color) : classlib::clWindowText;
}

TColor TacSkinRecords::GetHighLightColor(bool Focused) const {
  const int sel = GetSkinIndex("SELECTION");
  if (sel >= 0) {
    const TsGeneralData& g = gd[static_cast<std::size_t>(sel)];
    const TColor c = g.Props[Focused && g.States > 1 ? 1 : 0].Color;
    if (Usable(c)) return ColorToRGB(c);
  }
  const int item = GetSkinIndex("MENUITEM");
  if (item >= 0) {
    const TColor c = gd[static_cast<std::size_t>(item)].HotColor;
    if (Usable(c) && c != classlib::clWhite) return ColorToRGB(c);
  }
  return classlib::clHighlight;
}

TColor TacSkinRecords::GetHighLightFontColor(bool Focused) const {
  const int sel = GetSkinIndex("SELECTION");
  if (sel >= 0) {
    const TsGeneralData& g = gd[static_cast<std::size_t>(sel)];
    const TColor c = g.Props[Focused && g.States > 1 ? 1 : 0].FontColor.Color;
    if (Usable(c)) return c;
  }
  const int item = GetSkinIndex("MENUITEM");
  if (item >= 0) {
    const TColor c = gd[static_cast<std::size_t>(item)].HotFontColor.Color;
    if (Usable(c)) return ColorToRGB(c);
  }
  return classlib::clHighlightText;
}

}  // namespace skin
