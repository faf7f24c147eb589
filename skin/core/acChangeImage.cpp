#include "skin/core/acChangeImage.h"

#include <memory>
#include <string>

#include "skin/core/acJpegDecoder.h"
#include "skin/core/acSkinBitmaps.h"
#include "skin/core/acSkinIni.h"

namespace skin {
namespace {

template <class Records>
int FindRecord(const Records& records, const std::string& section, const std::string& prop) {
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i].PropertyName == prop && records[i].ClassName == section) return static_cast<int>(i);
  return -1;
}

// The last record moves whole into the removed one's place.
template <class Records>
bool RemoveRecord(Records& records, int index) {
  if (index < 0) return false;
  const auto i = static_cast<std::size_t>(index);
  if (i + 1 != records.size()) records[i] = std::move(records.back());
  records.pop_back();
  return true;
}

void TakeBitmap(TsMaskData& md, TBitmap32 bmp) {
  md.R = {0, 0, bmp.Width(), bmp.Height()};
  md.Bmp = std::make_unique<TBitmap32>(std::move(bmp));
}

std::unique_ptr<TacJpegImage> DecodePattern(std::span<const std::uint8_t> file, std::int64_t maxPixels) {
  TBitmap32 bmp;
  const TacJpegResult result = DecodeJpeg(file, bmp, maxPixels);
  if (!result.Ok) throw EacSkinLoadError(L"The texture cannot be read");
  auto img = std::make_unique<TacJpegImage>();
  img->Data.assign(file.begin(), file.end());
  img->Width = bmp.Width();
  img->Height = bmp.Height();
  return img;
}

}  // namespace

TacImageChange ChangeImageInRecords(TacSkinRecords& Skin, std::string_view Section, std::string_view PropName,
                                    std::string_view FileName, std::span<const std::uint8_t> File) {
  const std::string section = SkinUpperCase(Section);
  const std::string prop = SkinUpperCase(PropName);
  const bool texture = prop == "PATTERN" || prop == "HOTPATTERN";
  const bool bitmapFile = SkinUpperCase(FileName).find(".BMP") != std::string::npos;
  TacImageChange change;

  if (!texture) {
    if (FileName.find(".BMP") == std::string_view::npos) return change;
    const int index = FindRecord(Skin.ma, section, prop);
    if (index < 0) return change;
    TakeBitmap(Skin.ma[static_cast<std::size_t>(index)], DecodeSkinBmp(File));
    change.Changed = true;
    return change;
  }

  // The painters' decoded textures follow the pattern table from here on.
  Skin.DecodedPatterns.clear();
  if (!bitmapFile) {
    std::unique_ptr<TacJpegImage> img = DecodePattern(File, kMaxSkinImagePixels);
    const int index = FindRecord(Skin.pa, section, prop);
    if (index >= 0) {
      Skin.pa[static_cast<std::size_t>(index)].Img = std::move(img);
      change.Changed = true;
      return change;
    }
    if (img->Width < 1) return change;
    Skin.pa.push_back({std::move(img), section, prop});
    change.IndexesMoved = RemoveRecord(Skin.ma, FindRecord(Skin.ma, section, prop));
    return change;
  }

  TBitmap32 bmp = DecodeSkinBmp(File);
  const int index = FindRecord(Skin.ma, section, prop);
  if (index >= 0) {
    TakeBitmap(Skin.ma[static_cast<std::size_t>(index)], std::move(bmp));
    change.Changed = true;
    return change;
  }
  if (bmp.Width() < 1) return change;
  TsMaskData md;
  TakeBitmap(md, std::move(bmp));
  md.PropertyName = prop;
  md.ClassName = section;
  md.Manager = &Skin;
  md.ImageCount = 1;
  md.ImgType = TacImgType::itisaTexture;
  Skin.ma.push_back(std::move(md));
  change.Changed = true;
  change.IndexesMoved = RemoveRecord(Skin.pa, FindRecord(Skin.pa, section, prop));
  return change;
}

}  // namespace skin
