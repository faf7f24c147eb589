// JPEG textures of a skin. Small ones become 32-bit images once, so that painting never decodes
// JPEG; large ones stay compressed as patterns.
#include <string>

#include "skin/core/acJpegDecoder.h"
#include "skin/core/acSkinBitmaps.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinNames.h"
#include "skin/core/acSkinRecords.h"

namespace skin {
namespace {

// Textures of this many pixels or more stay compressed.
constexpr std::int64_t kPatternPixels = 900000;

bool NamesJpeg(const std::string& upper) {
  return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

std::wstring Wide(std::string_view s) {
  std::wstring w;
  for (unsigned char c : s) w.push_back(c < 0x20 ? L'?' : static_cast<wchar_t>(c));
  return w;
}

class TacPatternLoader {
 public:
  TacPatternLoader(TacSkinRecords& skin, const TacSkinFiles* files, const TacSkinLoadOptions& options)
      : skin_(skin), files_(files), options_(options) {}

  void AddKey(const std::string& section, const std::string& key, const std::string& value, bool alwaysPattern) {
    if (IsSkinValueKey(key)) return;
    const std::string name = SkinUpperCase(value);
    if (!NamesJpeg(name)) return;
    const auto file = files_ ? files_->Find(name) : std::nullopt;
    if (!file) {
      skin_.Notices.push_back({section, key, "texture file \"" + name + "\" not found"});
      return;
    }
    TBitmap32 bmp;
    const TacJpegResult result = DecodeJpeg(file->Bytes(), bmp, options_.MaxImagePixels);
    if (!result.Ok) throw EacSkinLoadError(L"Skin texture \"" + Wide(name) + L"\": " + Wide(result.Error));
    if (bmp.Width() <= 0) return;
    const std::int64_t pixels = static_cast<std::int64_t>(bmp.Width()) * bmp.Height();
    if (alwaysPattern || pixels >= kPatternPixels) {
      auto img = std::make_unique<TacJpegImage>();
      const auto bytes = file->Bytes();
      img->Data.assign(bytes.begin(), bytes.end());
      img->Width = bmp.Width();
      img->Height = bmp.Height();
      skin_.pa.push_back({std::move(img), SkinUpperCase(section), SkinUpperCase(key)});
      return;
    }
    TsMaskData md;
    MakeOpaqueExceptKey(bmp);
    md.R = {0, 0, bmp.Width(), bmp.Height()};
    md.Bmp = std::make_unique<TBitmap32>(std::move(bmp));
    md.ClassName = SkinUpperCase(section);
    md.PropertyName = SkinUpperCase(key);
    md.ImgType = TacImgType::itisaTexture;
    md.ImageCount = 1;
    md.Manager = &skin_;
    skin_.ma.push_back(std::move(md));
  }

 private:
  TacSkinRecords& skin_;
  const TacSkinFiles* files_;
  const TacSkinLoadOptions& options_;
};

}  // namespace

void TacSkinRecords::FreeJpegs() {
  while (!pa.empty()) pa.pop_back();
}

void TacSkinRecords::LoadAllPatterns(const TacSkinIni* SkinFile, const TacSkinFiles* Files,
                                     const TacSkinLoadOptions& Options) {
  FreeJpegs();
  if (!SkinFile) return;
  TacPatternLoader loader(*this, Files, Options);
  for (const TacIniSection& section : SkinFile->Sections())
    for (const TacIniKey& key : section.Keys) loader.AddKey(section.Name, key.Name, key.Value, false);
  if (Options.CommonSections)
    for (const TacIniSection& section : Options.CommonSections->Sections())
      for (const TacIniKey& key : section.Keys) loader.AddKey(section.Name, key.Name, key.Value, true);
}

}  // namespace skin
