// Images of a skin: the master bitmap and one image record for every key whose value names an
// image, in the order of the sections and of their keys.
#include <algorithm>
#include <string>

#include "classlib/Exception.h"
#include "skin/core/acImageValue.h"
#include "skin/core/acSkinBitmaps.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinNames.h"
#include "skin/core/acSkinRecords.h"

namespace skin {
namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr std::string_view kMasterBitmapKey = "MASTERBITMAP";

std::wstring Wide(std::string_view s) {
  std::wstring w;
  for (unsigned char c : s) w.push_back(c < 0x20 ? L'?' : static_cast<wchar_t>(c));
  return w;
}

// Whether a transparent (key) pixel lies in one of the four corner areas of the first cell.
// Area ends are exclusive and kept below the bitmap's last column and row. An image of no cells
// is one cell, as its border widths take it; cells of no height have no corners.
std::int16_t ComputeCornerType(const TsMaskData& md, const TImage32View& src) {
  if (md.ClassName == "BUTTON_HUGE" && md.PropertyName == "BORDERSMASK") return 2;
  if (src.Empty() || md.ImageCount < 0 || md.MaskType < 0) return 0;
  const TRect& r = md.R;
  const int cw = (r.Right - r.Left) / std::max<int>(md.ImageCount, 1);
  const int ch = (r.Bottom - r.Top) / (md.MaskType + 1);
  const auto scan = [&](int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, src.Width - 1);
    y1 = std::min(y1, src.Height - 1);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (src.At(x, y).U == kKeyPixel) return true;
    return false;
  };
  const int left = r.Left, top = r.Top;
  const bool found = scan(left, left + md.WL, top, top + md.WT) ||
                     scan(left + cw - md.WR, left + cw, top, top + md.WT) ||
                     scan(left, left + md.WL, top + ch - md.WB, top + ch) ||
                     scan(left + cw - md.WR, left + cw, top + ch - md.WB, top + ch);
  return found ? 1 : 0;
}

class TacMaskLoader {
 public:
  TacMaskLoader(TacSkinRecords& skin, const TacSkinFiles* files, const TacSkinLoadOptions& options)
      : skin_(skin), files_(files), options_(options) {}

  void LoadMaster(const std::string& name) {
    if (name.empty()) return;
    const auto bytes = Find(name);
    if (!bytes) {
      Notice(std::string(kGlobalInfo), std::string(kMasterBitmapKey), "master bitmap \"" + name + "\" not found");
      return;
    }
    skin_.MasterBitmap = Decode(*bytes, name, false);
  }

  // One key of the description. ImageKey: the engine reads this key as an image, so a value
  // that is meant as one but cannot be used is worth a notice; in any other key such a value is
  // ordinary text.
  void AddKey(const std::string& section, const std::string& key, const std::string& value) {
    if (value.empty() || IsSkinValueKey(key)) return;
    TacImageSpec image = ParseImageValue(value);
    if (image.Form == TacImageForm::None) return;
    const bool imageKey = IsSkinImageKey(key);
    if (image.Malformed()) {
      if (imageKey) Notice(section, key, image.Error);
      return;
    }
    Add(section, key, image, imageKey);
  }

  void Add(const std::string& section, const std::string& key, TacImageSpec& image, bool imageKey) {
    TsMaskData md;
    TImage32View source;
    if (image.WholeBitmap) {
      const auto bytes = Find(image.FileName);
      if (!bytes) {
        Notice(section, key, "image file \"" + image.FileName + "\" not found");
        return;
      }
      TBitmap32 bmp = Decode(*bytes, image.FileName, image.Png);
      if (bmp.Width() <= 0) return;
      md.Bmp = std::make_unique<TBitmap32>(std::move(bmp));
      source = md.Bmp->View();
    } else {
      source = skin_.MasterBitmap.View();
    }
    if (std::string why = FinishImageSpec(image, source.Width, source.Height, skin_.SkinData.Version); !why.empty()) {
      if (imageKey) Notice(section, key, why);
      return;
    }
    md.ClassName = image.UpperCaseNames ? SkinUpperCase(section) : section;
    md.PropertyName = image.UpperCaseNames ? SkinUpperCase(key) : key;
    md.R = image.R;
    md.ImageCount = static_cast<std::int16_t>(image.ImageCount);
    md.MaskType = static_cast<std::int16_t>(image.MaskType);
    md.BorderWidth = static_cast<std::int16_t>(image.BorderWidth);
    md.DrawMode = static_cast<std::int16_t>(image.DrawMode);
    md.ImgType = acImgTypes[static_cast<std::size_t>(std::clamp(image.ImgType, 0, 4))];
    md.Manager = &skin_;
    md.WL = static_cast<std::int16_t>(image.WL);
    md.WT = static_cast<std::int16_t>(image.WT);
    md.WR = static_cast<std::int16_t>(image.WR);
    md.WB = static_cast<std::int16_t>(image.WB);
    if (md.ImgType == TacImgType::itisaBorder) md.CornerType = ComputeCornerType(md, source);
    skin_.ma.push_back(std::move(md));
  }

  void Notice(std::string section, std::string key, std::string text) {
    skin_.Notices.push_back({std::move(section), std::move(key), std::move(text)});
  }

 private:
  std::optional<TacFileBytes> Find(const std::string& name) const { return files_ ? files_->Find(name) : std::nullopt; }

  TBitmap32 Decode(const TacFileBytes& file, const std::string& name, bool png) const {
    try {
      return png ? DecodeSkinPng(file.Bytes(), skin_.SkinData.Version >= 7.45, options_.MaxImagePixels)
                 : DecodeSkinBmp(file.Bytes(), options_.MaxImagePixels);
    } catch (const classlib::Exception& e) {
      throw EacSkinLoadError(L"Skin image \"" + Wide(name) + L"\": " + e.Message());
    }
  }

  TacSkinRecords& skin_;
  const TacSkinFiles* files_;
  const TacSkinLoadOptions& options_;
};

}  // namespace

void TacSkinRecords::FreeBitmaps() {
  while (!ma.empty()) ma.pop_back();
  MasterBitmap = TBitmap32();
}

void TacSkinRecords::LoadAllMasks(const TacSkinIni* SkinFile, const TacSkinFiles* Files,
                                  const TacSkinLoadOptions& Options) {
  FreeBitmaps();
  if (!SkinFile) return;
  TacMaskLoader loader(*this, Files, Options);
  SkinData.Version = SkinFile->ReadFloat(kGlobalInfo, "VERSION", 0);
  loader.LoadMaster(SkinFile->ReadString(kGlobalInfo, kMasterBitmapKey, ""));
  for (const TacIniSection& section : SkinFile->Sections())
    for (const TacIniKey& key : section.Keys) {
      if (section.Name == kGlobalInfo && key.Name == kMasterBitmapKey) continue;
      loader.AddKey(section.Name, key.Name, key.Value);
    }

  // The manager's common sections: old border bitmaps and old master rectangles only.
  if (!Options.CommonSections) return;
  for (const TacIniSection& section : Options.CommonSections->Sections()) {
    if (SkinUpperCase(section.Name) == kGlobalInfo) continue;
    for (const TacIniKey& key : section.Keys) {
      if (key.Value.empty() || IsSkinValueKey(key.Name)) continue;
      TacImageSpec image = ParseImageValue(key.Value);
      if (image.Form != TacImageForm::OldBitmap && image.Form != TacImageForm::OldRect) continue;
      if (image.Malformed()) {
        if (IsSkinImageKey(key.Name)) loader.Notice(section.Name, key.Name, image.Error);
        continue;
      }
      loader.Add(section.Name, key.Name, image, IsSkinImageKey(key.Name));
    }
  }
}

}  // namespace skin
