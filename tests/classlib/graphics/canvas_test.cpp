// Canvas drawing into a 32-bit DIB section, and the lifetime of the GDI objects it selects.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Graphics.h"

using namespace classlib;

namespace {

// A top-down 32-bit DIB section selected into a memory DC, read back pixel by pixel.
class Surface {
 public:
  Surface(int w, int h) : w_(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_.get(), bmp_.get());
  }
  ~Surface() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }
  // 0x00RRGGBB as stored in the row.
  std::uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * w_ + x] & 0xFFFFFF;
  }

 private:
  int w_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bmp_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

TEST(Canvas, FillRectangleLineAndPixels) {
  Surface s(20, 20);
  TCanvas c;
  c.SetHandle(s.dc());
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 20, 20));
  c.Brush()->SetColor(clRed);
  c.Pen()->SetColor(clBlue);
  c.Rectangle(2, 2, 10, 10);
  c.Pen()->SetColor(clLime);
  c.MoveTo(0, 15);
  c.LineTo(20, 15);
  c.SetPixels(19, 0, clBlack);

  EXPECT_EQ(s.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s.At(2, 2), 0x0000FFu);  // pen: blue frame
  EXPECT_EQ(s.At(9, 5), 0x0000FFu);
  EXPECT_EQ(s.At(5, 5), 0xFF0000u);    // brush: red inside
  EXPECT_EQ(s.At(10, 10), 0xFFFFFFu);  // right/bottom exclusive
  EXPECT_EQ(s.At(7, 15), 0x00FF00u);
  EXPECT_EQ(s.At(19, 0), 0u);
  EXPECT_EQ(c.Pixels(5, 5), clRed);
  EXPECT_EQ(c.PenPos(), Point(20, 15));
}

TEST(Canvas, SystemColoursResolve) {
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  Surface s(4, 4);
  TCanvas c;
  c.SetHandle(s.dc());
  c.Brush()->SetColor(clWindowText);
  c.FillRect(Rect(0, 0, 4, 4));
  const COLORREF sys = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(s.At(1, 1), (GetRValue(sys) << 16) | (GetGValue(sys) << 8) | GetBValue(sys));
}

TEST(Canvas, FrameRectAndClearBrush) {
  Surface s(10, 10);
  TCanvas c;
  c.SetHandle(s.dc());
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 10, 10));
  c.Brush()->SetColor(clBlue);
  c.FrameRect(Rect(1, 1, 9, 9));
  c.Brush()->SetStyle(bsClear);
  c.Pen()->SetColor(clRed);
  c.Rectangle(3, 3, 7, 7);  // clear brush: inside untouched
  EXPECT_EQ(s.At(1, 1), 0x0000FFu);
  EXPECT_EQ(s.At(8, 4), 0x0000FFu);
  EXPECT_EQ(s.At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(s.At(3, 3), 0xFF0000u);
  EXPECT_EQ(s.At(5, 5), 0xFFFFFFu);
  // A colour on a clear brush makes it solid again.
  c.Brush()->SetColor(clLime);
  EXPECT_EQ(c.Brush()->Style(), bsSolid);
}

TEST(Canvas, TextDrawsInFontColourAndMeasures) {
  Surface s(120, 40);
  TCanvas c;
  c.SetHandle(s.dc());
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 120, 40));
  c.Font()->SetName(L"Tahoma");
  c.Font()->SetCharset(RUSSIAN_CHARSET);
  c.Font()->SetSize(14);
  c.Font()->SetColor(clRed);
  c.Brush()->SetStyle(bsClear);
  const std::wstring text = L"Пуск";
  const TSize ext = c.TextExtent(text);
  EXPECT_GT(ext.cx, 10);
  EXPECT_GT(ext.cy, 10);
  c.TextOut(2, 2, text);
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const auto px = s.At(x, y);
      if ((px >> 16) > 200 && ((px >> 8) & 0xFF) < 100 && (px & 0xFF) < 100) ++red;
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(s.At(119, 39), 0xFFFFFFu);  // clear brush: no background box
  EXPECT_EQ(c.PenPos(), Point(2 + ext.cx, 2));
  // Bold text is wider.
  c.Font()->SetStyle({fsBold});
  EXPECT_GE(c.TextWidth(text), ext.cx);
  EXPECT_EQ(c.TextHeight(L""), c.TextExtent(L"Wy").cy);
}

TEST(Canvas, TextRectClipsAndFillsWithSolidBrush) {
  Surface s(60, 20);
  TCanvas c;
  c.SetHandle(s.dc());
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 60, 20));
  c.Brush()->SetColor(clBlue);
  c.Font()->SetColor(clBlack);
  c.TextRect(Rect(10, 0, 30, 20), 0, 0, L"WWWWWWWWWWWW");
  EXPECT_EQ(s.At(5, 10), 0xFFFFFFu);   // left of the rectangle: clipped
  EXPECT_EQ(s.At(40, 10), 0xFFFFFFu);  // right of it too
  EXPECT_EQ(s.At(29, 19), 0x0000FFu);  // opaque background inside
}

TEST(Canvas, ChangedAndReleasedObjectsAreDeletedNotLeaked) {
  Surface s(8, 8);
  const HGDIOBJ dcFont = GetCurrentObject(s.dc(), OBJ_FONT);
  const HGDIOBJ dcBrush = GetCurrentObject(s.dc(), OBJ_BRUSH);
  HFONT first = nullptr;
  {
    TCanvas c;
    c.SetHandle(s.dc());
    c.TextWidth(L"x");
    first = c.Font()->Handle();
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), first);
    c.Font()->SetSize(20);  // the selected font leaves the DC, then dies
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), dcFont);
    c.TextWidth(L"x");
    EXPECT_NE(c.Font()->Handle(), first);
    c.FillRect(Rect(0, 0, 1, 1));
    c.SetHandle(nullptr);  // the DC gets its own objects back
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), dcFont);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BRUSH), dcBrush);
    c.SetHandle(s.dc());
    c.TextWidth(L"x");
    first = c.Font()->Handle();
  }
  EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_FONT), dcFont);  // destructor deselects
  EXPECT_EQ(GetObjectType(first), 0u);
}

TEST(Canvas, ColourChangeKeepsFontHandle) {
  TFont f;
  const HFONT h = f.Handle();
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetColor(clRed);
  EXPECT_EQ(f.Handle(), h);
  f.SetName(L"Arial");
  EXPECT_NE(f.Handle(), h);
  f.SetName(L"Arial");  // no change, no event
  EXPECT_EQ(changes, 2);
}

TEST(Font, DefaultsSizeHeightAndAssign) {
  TFont f;
  EXPECT_EQ(f.Name(), L"MS Sans Serif");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(f.Color(), clWindowText);
  f.SetPixelsPerInch(96);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);

  TFont g;
  g.SetName(L"Arial");
  g.SetStyle({fsItalic, fsUnderline});
  g.SetCharset(RUSSIAN_CHARSET);
  g.SetColor(clBlue);
  f.Assign(&g);
  EXPECT_EQ(f.Name(), L"Arial");
  EXPECT_TRUE(f.Style().Contains(fsItalic));
  EXPECT_FALSE(f.Style().Contains(fsBold));
  EXPECT_EQ(f.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(f.Color(), clBlue);
  const LOGFONTW lf = f.LogFont();
  EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && !lf.lfStrikeOut);
  EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
  TBrush b;
  EXPECT_THROW(f.Assign(&b), EConvertError);
}

TEST(Font, HandleRoundTrip) {
  TFont f;
  f.SetName(L"Arial");
  f.SetHeight(-20);
  f.SetStyle({fsBold, fsStrikeOut});
  f.SetCharset(RUSSIAN_CHARSET);
  TFont g;
  g.SetHandle(f.Handle());
  EXPECT_EQ(g.Name(), L"Arial");
  EXPECT_EQ(g.Height(), -20);
  EXPECT_EQ(g.Style(), (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_EQ(g.Charset(), RUSSIAN_CHARSET);
}

TEST(Canvas, NoDeviceContextIsAnException) {
  TCanvas c;
  EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, LockIsRecursive) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
}
