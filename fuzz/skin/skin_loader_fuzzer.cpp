// Whole skins from hostile sources: a packed container goes through unpacking, the
// description, image decoding (BMP, PNG, JPEG) and the loaders into records. A load either
// fails with the skin errors or gives records whose indexes all point into their tables. The
// container is packed again from what its entries inflate to, with the PNG checksums inside put
// right, so that mutations reach the description and image decoders instead of stopping at a
// zlib or chunk check (the container's own parsing has its own target).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/common/ChecksumRepair.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acSkinRecords.h"
#include "skin/core/acZLibEx.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const fuzz::Bytes packed = fuzz::RepackSkin(fuzz::Bytes(data, data + size));
    const skin::TacPackedSkinFiles files{std::span<const std::uint8_t>(packed)};
    skin::TacSkinLoadOptions options;
    options.MaxImagePixels = 1 << 18;  // claimed sizes cost time, not coverage
    options.HueOffset = size % 3 == 0 ? 40 : 0;
    options.Saturation = size % 5 == 0 ? -30 : 0;
    const auto skin = skin::LoadSkinRecords(files, options);
    const auto validImage = [&](int i) { return i == -1 || skin->IsValidImgIndex(i); };
    for (const skin::TsGeneralData& g : skin->gd) {
      Check(validImage(g.BorderIndex) && validImage(g.ImgTL) && validImage(g.TextureNormal));
      Check(g.GradientArray && g.Props[0].GradientArray && g.Props[1].GradientArray);
    }
    for (std::size_t i = 0; i < skin->ma.size(); ++i) {
      const skin::TsMaskData& m = skin->ma[i];
      const skin::TImage32View src = m.Source();
      Check(m.ImageCount >= 0 && (m.ImageCount == 0 || skin::WidthOfImage(m) >= 1));
      Check(m.MaskType >= -1 && (m.MaskType == -1 || skin::HeightOfImage(m) >= 1));
      Check(m.R.Left >= 0 && m.R.Top >= 0 && m.R.Right <= src.Width && m.R.Bottom <= src.Height);
      // The border widths of any image, images of no cells or of no height included.
      const int index = static_cast<int>(i);
      Check(skin->MaskWidthLeft(index) >= 0 && skin->MaskWidthTop(index) >= 0 && skin->MaskWidthRight(index) >= 0 &&
            skin->MaskWidthBottom(index) >= 0);
    }
    for (const auto& [name, value] : skin::ConstantEntries(skin->ConstData)) {
      const bool section = (name.starts_with("Index") && !name.starts_with("IndexBG")) || name == "ComboBtnIndex";
      Check(value == -1 || (section ? skin->IsValidSkinIndex(value) : skin->IsValidImgIndex(value)));
    }
  } catch (const skin::EacSkinLoadError&) {
  } catch (const skin::EacSkinPackError&) {
  } catch (const skin::EZLibError&) {
  }
  return 0;
}
