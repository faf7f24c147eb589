// Look-ups of sections, images and patterns by name, image sizes and the colour queries.
#include <algorithm>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "classlib/Types.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/SysColors.h"

namespace skin {
namespace {

constexpr TColor kNoColor = -1;

bool Usable(TColor c) { return c != kNoColor && c != classlib::clFuchsia; }

}  // namespace

int TacSkinRecords::GetSkinIndex(std::string_view SkinSection) const {
  for (std::size_t i = 0; i < gd.size(); ++i)
    if (SameName(gd[i].ClassName, SkinSection)) return static_cast<int>(i);
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
// has come round in a circle and ends. Candidates(section) lists, in table order, the records
// that may belong to a section: every record when it answers no list.
template <typename Table, typename Match, typename Candidates>
int FindWithParents(const TacSkinRecords& skin, const Table& table, int skinIndex, std::string_view section,
                    std::string_view key, Match match, Candidates candidates) {
  for (std::size_t step = 0; step <= skin.gd.size(); ++step) {
    if (skinIndex < 0 || section.empty()) return -1;
    const std::optional<std::span<const int>> list = candidates(section);
    const std::size_t count = list ? list->size() : table.size();
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = list ? static_cast<std::size_t>((*list)[k]) : k;
      if (SameName(table[i].ClassName, section) && SameName(table[i].PropertyName, key) && match(table[i]))
        return static_cast<int>(i);
    }
    if (!skin.IsValidSkinIndex(skinIndex)) return -1;
    const std::string& parent = skin.gd[static_cast<std::size_t>(skinIndex)].ParentClass;
    if (parent.empty() || parent == section) return -1;
    section = parent;
    skinIndex = skin.GetSkinIndex(parent);
  }
  return -1;
}

std::optional<std::span<const int>> EveryRecord(std::string_view) { return std::nullopt; }

bool AnyImage(const TsMaskData&) { return true; }
bool IsTexture(const TsMaskData& m) { return m.ImgType == TacImgType::itisaTexture; }

// The images of every section, in image order: resolving the indexes of all sections at once
// would otherwise search every image for every section.
class TacImagesBySection {
 public:
  explicit TacImagesBySection(const TsMaskArray& ma) {
    entries_.reserve(ma.size());
    for (std::size_t i = 0; i < ma.size(); ++i) entries_.push_back({ma[i].ClassName, static_cast<int>(i)});
    std::sort(entries_.begin(), entries_.end());
    indexes_.reserve(entries_.size());
    for (const auto& e : entries_) indexes_.push_back(e.second);
  }
  std::span<const int> operator()(std::string_view section) const {
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), std::pair{section, -1});
    auto last = first;
    while (last != entries_.end() && last->first == section) ++last;
    return std::span<const int>(indexes_).subspan(static_cast<std::size_t>(first - entries_.begin()),
                                                  static_cast<std::size_t>(last - first));
  }

 private:
  std::vector<std::pair<std::string_view, int>> entries_;  // by section, then image order
  std::vector<int> indexes_;
};

}  // namespace

int TacSkinRecords::GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const {
  return FindWithParents(*this, ma, SkinIndex, SkinSection, Mask, AnyImage, EveryRecord);
}

int TacSkinRecords::GetMaskIndex(std::string_view SkinSection, std::string_view Mask) const {
  if (SkinSection.empty()) return -1;
  for (std::size_t i = 0; i < ma.size(); ++i)
    if (SameName(ma[i].ClassName, SkinSection) && SameName(ma[i].PropertyName, Mask)) return static_cast<int>(i);
  return -1;
}

int TacSkinRecords::GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
  if (ma.empty()) return -1;
  return FindWithParents(*this, ma, SkinIndex, SkinSection, PropName, IsTexture, EveryRecord);
}

int TacSkinRecords::GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
  if (pa.empty()) return -1;
  return FindWithParents(
      *this, pa, SkinIndex, SkinSection, PropName, [](const TsPatternData&) { return true; }, EveryRecord);
}

// The same answers as GetMaskIndex and GetTextureIndex for each section.
void TacSkinRecords::InitMaskIndexes() {
  const TacImagesBySection bySection(ma);
  for (std::size_t i = 0; i < gd.size(); ++i) {
    if (static_cast<int>(i) == ConstData.IndexGLobalInfo) continue;
    TsGeneralData& g = gd[i];
    const int index = static_cast<int>(i);
    // The section's own images are looked up once for all its keys.
    const std::span<const int> own = bySection(g.ClassName);
    const auto candidates = [&](std::string_view section) {
      return std::optional<std::span<const int>>(section == g.ClassName ? own : bySection(section));
    };
    const auto find = [&](std::string_view key, auto match) {
      return FindWithParents(*this, ma, index, g.ClassName, key, match, candidates);
    };
    g.BorderIndex = find("BORDERSMASK", AnyImage);
    g.ImgTL = find("IMGTOPLEFT", AnyImage);
    g.ImgTR = find("IMGTOPRIGHT", AnyImage);
    g.ImgBL = find("IMGBTMLEFT", AnyImage);
    g.ImgBR = find("IMGBTMRIGHT", AnyImage);
    g.TextureNormal = ma.empty() ? -1 : find("PATTERN", IsTexture);
  }
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
