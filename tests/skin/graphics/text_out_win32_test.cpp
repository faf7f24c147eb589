// Captions on real DIB sections under Wine: shortening, the fitted rectangle, embossed disabled
// text and the glow mask, each against the same text drawn directly with the API as the reference.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/graphics/sTextOutWin32.h"

namespace skin {
namespace {

using classlib::TBitmap;

// A white 32-bit bitmap whose canvas writes in a non-antialiased 12-pixel font, so that pixels of
// two drawings of the same text compare exactly.
std::unique_ptr<TBitmap> Sheet(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(classlib::pf32bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(classlib::clWhite);
  b->Canvas()->FillRect({0, 0, w, h});
  b->Canvas()->Font()->SetName(L"Tahoma");
  b->Canvas()->Font()->SetHeight(-12);
  b->Canvas()->Font()->SetQuality(classlib::fqNonAntialiased);
  b->Canvas()->Font()->SetColor(classlib::clBlack);
  return b;
}

SIZE Extent(TBitmap* b, const std::wstring& text) {
  SIZE s{};
  GetTextExtentPoint32W(b->Canvas()->TextHandle(), text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

// The reference: Text with ExtTextOut at (X, Y) in Color on the sheet's font.
void Put(TBitmap* b, const std::wstring& text, int x, int y, COLORREF color) {
  HDC dc = b->Canvas()->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

// Empty when the two sheets are equal, else the first differing point and both pixels.
std::string FirstDifference(TBitmap* a, TBitmap* b) {
  const TImage32View va = a->Image32View(), vb = b->Image32View();
  for (int y = 0; y < va.Height; ++y)
    for (int x = 0; x < va.Width; ++x)
      if ((va.At(x, y).U ^ vb.At(x, y).U) & 0x00FFFFFFu)
        return std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(va.At(x, y).U & 0xFFFFFF) + " vs " +
               std::to_string(vb.At(x, y).U & 0xFFFFFF);
  return {};
}

std::vector<std::uint8_t> Bytes(const TImage8View& v) {
  std::vector<std::uint8_t> p;
  for (int y = 0; y < v.Height; ++y) p.insert(p.end(), v.Row(y), v.Row(y) + v.Width);
  return p;
}

TEST(CaptionText, CutTextDropsCharactersUntilTheEllipsisFits) {
  auto b = Sheet(10, 10);
  const int whole = Extent(b.get(), L"Pressure gauge").cx;
  const int word = Extent(b.get(), L"Pressure...").cx;
  const int two = Extent(b.get(), L"Pr...").cx;
  const int one = Extent(b.get(), L"P...").cx;
  struct Case {
    std::wstring text;
    int maxWidth;
    std::wstring expected;
  } cases[] = {
      {L"Pressure gauge", whole, L"Pressure gauge"},  // fits whole
      {L"Pressure gauge", word, L"Pressure..."},      // "Pressure ..." is a space too wide
      {L"Pressure gauge", two, L"Pr..."},
      {L"Pressure gauge", one - 1, L""},  // not even one character with the ellipsis
      {L"P", 0, L""},                     // no width at all
      {L"", 50, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutText(b->Canvas(), c.text, c.maxWidth), c.expected) << c.maxWidth;
}

TEST(CaptionText, WriteTextFitsTheRectangleToTheText) {
  auto b = Sheet(140, 40), ref = Sheet(140, 40);
  const std::wstring text = L"Load";
  const SIZE e = Extent(b.get(), text);
  ASSERT_LT(e.cy, 20);
  TRect r{10, 10, 110, 30};  // left-aligned on 100 x 20
  WriteText(b->Canvas(), text, true, r, DT_SINGLELINE);
  const int top = 10 + (20 - e.cy) / 2;  // the text's height centred on R's
  EXPECT_EQ(r.Left, 9);
  EXPECT_EQ(r.Top, top - 1);
  EXPECT_EQ(r.Right, 10 + e.cx + 1);
  EXPECT_EQ(r.Bottom, top + e.cy + 1);
  Put(ref.get(), text, 10, top, RGB(0, 0, 0));
  EXPECT_EQ(FirstDifference(b.get(), ref.get()), "");

  TRect right{10, 10, 110, 30};
  auto rb = Sheet(140, 40), rref = Sheet(140, 40);
  WriteText(rb->Canvas(), text, true, right, DT_SINGLELINE | DT_RIGHT);
  EXPECT_EQ(right.Left, 110 - e.cx - 1);
  Put(rref.get(), text, 110 - e.cx, top, RGB(0, 0, 0));
  EXPECT_EQ(FirstDifference(rb.get(), rref.get()), "");
}

TEST(CaptionText, DisabledTextIsEmbossed) {
  auto b = Sheet(80, 30), ref = Sheet(80, 30);
  TRect r{5, 5, 75, 25};
  WriteText(b->Canvas(), L"Off", false, r, DT_SINGLELINE);
  const int top = 5 + (20 - Extent(b.get(), L"Off").cy) / 2;
  Put(ref.get(), L"Off", 6, top + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  Put(ref.get(), L"Off", 5, top, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(FirstDifference(b.get(), ref.get()), "");
  EXPECT_EQ(b->Canvas()->Font()->Color(), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));

  // On a DC both copies take the DC's own colour.
  auto d = Sheet(80, 30), dref = Sheet(80, 30);
  HDC dc = d->Canvas()->TextHandle();
  SetTextColor(dc, RGB(200, 0, 0));
  TRect rd{5, 5, 75, 25};
  WriteTextOnDC(dc, L"Off", false, rd, DT_SINGLELINE);
  Put(dref.get(), L"Off", 6, top + 1, RGB(200, 0, 0));
  Put(dref.get(), L"Off", 5, top, RGB(200, 0, 0));
  EXPECT_EQ(FirstDifference(d.get(), dref.get()), "");
  EXPECT_EQ(rd.Left, 4);
}

// The mask a glow of size 0 (no blur) leaves: the text once, or once more for each side.
std::vector<std::uint8_t> ReferenceMask(TBitmap* font, const std::wstring& text, const TRect& r, int d,
                                        std::initializer_list<POINT> shifts) {
  TDib8 m(r.Right - r.Left + 2 * d, r.Bottom - r.Top + 2 * d);
  PatBlt(m.DC(), 0, 0, m.Width(), m.Height(), WHITENESS);
  SelectObject(m.DC(), font->Canvas()->Font()->Handle());
  SetBkMode(m.DC(), TRANSPARENT);
  SetTextColor(m.DC(), RGB(0, 0, 0));
  for (POINT s : shifts) {
    RECT t{d + s.x, d + s.y, d + s.x + (r.Right - r.Left), d + s.y + (r.Bottom - r.Top)};
    DrawTextW(m.DC(), text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE);
  }
  const std::vector<std::uint8_t> bytes = Bytes(m.View());
  SelectObject(m.DC(), GetStockObject(SYSTEM_FONT));
  return bytes;
}

TEST(CaptionText, GlowMaskHoldsTheTextAndItsSideCopiesAndIsReused) {
  auto b = Sheet(60, 30);
  const TRect r{10, 8, 50, 22};
  std::unique_ptr<TDib8> mask;
  acDrawGlowForText(b.get(), L"Hi", r, DT_SINGLELINE, 0, 0, 0x0000FF, mask);
  ASSERT_TRUE(mask && mask->Valid());
  EXPECT_EQ(mask->Width(), 40 + 8);
  EXPECT_EQ(Bytes(mask->View()), ReferenceMask(b.get(), L"Hi", r, 4, {{0, 0}}));
  // Under full text the glow colour replaces the white sheet, opaque.
  const std::vector<std::uint8_t> m = Bytes(mask->View());
  const auto dark = std::find(m.begin(), m.end(), 0);
  ASSERT_NE(dark, m.end());
  const int mx = static_cast<int>(dark - m.begin()) % mask->Width(),
            my = static_cast<int>(dark - m.begin()) / mask->Width();
  EXPECT_EQ(b->Image32View().At(r.Left + mx - 4, r.Top + my - 4).U, 0xFFFF0000u);
  EXPECT_EQ(b->Image32View().At(0, 0).U & 0x00FFFFFFu, 0x00FFFFFFu);

  mask.reset();
  acDrawGlowForText(b.get(), L"Hi", r, DT_SINGLELINE, kGlowAllSides, 0, 0x0000FF, mask);
  const std::vector<std::uint8_t> five =
      ReferenceMask(b.get(), L"Hi", r, 4, {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {0, 0}});
  EXPECT_EQ(Bytes(mask->View()), five);

  // Same size, another text: the mask stays as it is.
  const TDib8* kept = mask.get();
  acDrawGlowForText(b.get(), L"Other", r, DT_SINGLELINE, 0, 0, 0x0000FF, mask);
  EXPECT_EQ(mask.get(), kept);
  EXPECT_EQ(Bytes(mask->View()), five);

  // A glow size beyond any skin's sense is capped, not sized by.
  std::unique_ptr<TDib8> huge;
  acDrawGlowForText(b.get(), L"Hi", r, DT_SINGLELINE, 0, 1000000, 0x0000FF, huge);
  ASSERT_TRUE(huge && huge->Valid());
  EXPECT_EQ(huge->Width(), 40 + 2 * kMaxGlowMargin);
}

TEST(CaptionText, Blur8OnBitmapsOnlyTouches8Bit) {
  TBitmap rgb;
  rgb.SetPixelFormat(classlib::pf24bit);
  rgb.SetSize(9, 9);
  rgb.Canvas()->Brush()->SetColor(classlib::clWhite);
  rgb.Canvas()->FillRect({0, 0, 9, 9});
  rgb.Canvas()->SetPixels(4, 4, classlib::clBlack);
  Blur8(&rgb, 2.0);
  EXPECT_EQ(rgb.Canvas()->Pixels(4, 4), classlib::clBlack);
  EXPECT_EQ(rgb.Canvas()->Pixels(3, 4), classlib::clWhite);

  TBitmap grey;
  grey.SetPixelFormat(classlib::pf8bit);
  grey.SetSize(9, 3);
  for (int y = 0; y < 3; ++y) std::fill_n(static_cast<std::uint8_t*>(grey.ScanLine(y)), 9, std::uint8_t{255});
  static_cast<std::uint8_t*>(grey.ScanLine(1))[4] = 0;
  Blur8(&grey, 1.0);
  // The same blur as on the portable view of the same bytes.
  std::vector<std::uint8_t> raw(9 * 3, 255);
  raw[9 + 4] = 0;
  Blur8(TImage8View{raw.data(), 9, 3, 9}, 1.0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(static_cast<std::uint8_t*>(grey.ScanLine(y))[x], raw[y * 9 + x]) << x << "," << y;
  EXPECT_NE(raw[9 + 4], 0);
}

}  // namespace
}  // namespace skin
