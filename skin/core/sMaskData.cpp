#include "skin/core/sMaskData.h"

#include "skin/core/acJpegDecoder.h"
#include "skin/core/acSkinRecords.h"

namespace skin {

TImage32View TsMaskData::Source() const {
  if (Bmp) return Bmp->View();
  if (Manager) return const_cast<TBitmap32&>(Manager->MasterBitmap).View();
  return {};
}

int WidthOfImage(const TsMaskData& md) {
  const int w = md.R.Right - md.R.Left;
  if (md.ImageCount <= 0) return 0;
  return md.ImageCount == 1 ? w : w / md.ImageCount;
}

int HeightOfImage(const TsMaskData& md) {
  const int h = md.R.Bottom - md.R.Top;
  if (md.MaskType == 0) return h;
  if (md.MaskType == 1) return h / 2;
  if (md.MaskType < 0) return 0;
  return h / (md.MaskType + 1);
}

}  // namespace skin
