// Skin descriptions from hostile sources: any text is read into sections and keys, and every
// value is taken through the image-value forms and checked against a bitmap size, without
// reading outside the text or failing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/core/acImageValue.h"
#include "skin/core/acSkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const skin::TacSkinIni ini(text);
  for (const skin::TacIniSection& section : ini.Sections()) {
    if (ini.Section(section.Name) != &section) std::abort();  // one record per name
    for (const skin::TacIniKey& key : section.Keys) {
      if (section.Find(key.Name) != &key.Value) std::abort();
      int i = 0;
      double f = 0;
      skin::ParseSkinInteger(key.Value, i);
      skin::ParseSkinFloat(key.Value, f);
      skin::TacImageSpec image = skin::ParseImageValue(key.Value);
      const std::string why = skin::FinishImageSpec(image, 200, 100, 7.0);
      if (why.empty() && image.Form != skin::TacImageForm::None) {
        // An accepted image lies inside the bitmap; its cells (none counting as one) are at
        // least one pixel wide and, unless it has cells of no height, one pixel high.
        const skin::TRect& r = image.R;
        if (r.Left < 0 || r.Top < 0 || r.Right > 200 || r.Bottom > 100 || r.Left >= r.Right || r.Top >= r.Bottom) std::abort();
        if (image.ImageCount < 0 || (r.Right - r.Left) / std::max(image.ImageCount, 1) < 1) std::abort();
        if (image.MaskType < -1 || (image.MaskType >= 0 && (r.Bottom - r.Top) / (image.MaskType + 1) < 1)) std::abort();
      }
    }
  }
  return 0;
}
