#include "skin/graphics/SkinImagePasses.h"

namespace skin {

void UpdateTransPixels(const TImage32View& Bmp) {
  if (Bmp.Empty()) return;
  for (int y = 0; y < Bmp.Height; ++y) {
    TsColor_* row = Bmp.Row(y);
    for (int x = 0; x < Bmp.Width; ++x)
      if (row[x].U == 0x00FFFFFFu) row[x].U = 0;
  }
}

void UpdateAlpha(const TImage32View& Bmp) {
  if (Bmp.Empty()) return;
  for (int y = 0; y < Bmp.Height; ++y) {
    TsColor_* row = Bmp.Row(y);
    for (int x = 0; x < Bmp.Width; ++x) {
      TsColor_& p = row[x];
      const unsigned a = p.A;
      // Opaque pixels keep their colours and clear ones become 0 whatever they held.
      if (a == 255) continue;
      if (a == 0) {
        p.U = 0;
        continue;
      }
      p.R = static_cast<std::uint8_t>(p.R * a / 255);
      p.G = static_cast<std::uint8_t>(p.G * a / 255);
      p.B = static_cast<std::uint8_t>(p.B * a / 255);
    }
  }
}

}  // namespace skin
