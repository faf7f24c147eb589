#include "skin/graphics/sAlphaGraphWin32.h"

#include "skin/graphics/Dib32.h"
#include "skin/graphics/SysColors.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {
namespace {

// One pass: black text on a white DIB of R's size, its darkness mixed into Bmp in the colour.
void TextPass(const TImage32View& bmp, const std::wstring& text, HFONT font, const TRect& r, UINT flags, TColor color) {
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  TDib32 temp(w, h);
  if (!temp.Valid()) return;
  const HDC dc = temp.DC();
  PatBlt(dc, 0, 0, w, h, WHITENESS);
  const HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT rc{0, 0, w, h};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
  if (old != nullptr) SelectObject(dc, old);
  ApplyTextCoverage32(bmp, r, temp.View(), ColorToRGB(color));
}

TRect Moved(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

}  // namespace

void WriteText32(const TImage32View& bmp, const std::wstring& text, HFONT font, bool outlined, const TRect& r,
                 UINT flags, const TTextColors32& colors) {
  if (text.empty() || bmp.Empty()) return;
  if (outlined) {
    if (colors.Left != -1) TextPass(bmp, text, font, Moved(r, -1, 0), flags, colors.Left);
    if (colors.Top != -1) TextPass(bmp, text, font, Moved(r, 0, -1), flags, colors.Top);
    if (colors.Right != -1) TextPass(bmp, text, font, Moved(r, 1, 0), flags, colors.Right);
    if (colors.Bottom != -1) TextPass(bmp, text, font, Moved(r, 0, 1), flags, colors.Bottom);
  }
  TextPass(bmp, text, font, r, flags, colors.Color);
}

}  // namespace skin
