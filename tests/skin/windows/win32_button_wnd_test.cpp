// The push-button, check-box and group-box handlers on plain "Button" windows under Wine, printed
// into 32-bit bitmaps and compared with the skin's sections painted directly for the same state.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "classlib/Buttons.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acBtnWnd.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acStaticWnd.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::NativeWindow;

constexpr int kW = 90, kH = 30;

std::unique_ptr<TBitmap> Printed(HWND wnd, int w = kW, int h = kH) { return test::Printed(wnd, w, h); }
using test::Differing;
using test::Pixel;

struct ButtonHandlers : test::SkinnedParent {

  HWND Button(DWORD style, const wchar_t* text = L"", int w = kW, int h = kH, DWORD exStyle = 0) {
    HWND b = CreateWindowExW(exStyle, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 20, 30, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(b, nullptr);
    return b;
  }
  std::unique_ptr<TBitmap> Section(const char* name, int state, int w = kW, int h = kH) {
    auto bmp = NewBitmap32(w, h);
    EXPECT_GE(PaintSection(bmp.get(), name, "", state, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    return bmp;
  }
};

TEST_F(ButtonHandlers, PushButtonPrintsTheSectionOfItsState) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_PUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  ASSERT_EQ(handler->SkinData->SkinSection(), "BUTTON");
  SetFocus(other);
  ASSERT_NE(Differing(Section("BUTTON", 0).get(), Section("BUTTON", 1).get()), 0) << "normal and hot must differ";
  ASSERT_NE(Differing(Section("BUTTON", 0).get(), Section("BUTTON", 2).get()), 0) << "normal and pressed must differ";

  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 0).get()), 0) << "normal";
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 2).get()), 0) << "held down";
  SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
  SetFocus(wnd);
  ASSERT_EQ(GetFocus(), wnd);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 1).get()), 0) << "focused";
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, DefaultButtonIsHotWithoutFocus) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_DEFPUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  SetFocus(other);
  ASSERT_NE(GetFocus(), wnd);
  EXPECT_EQ(handler->CurrentState(), 1);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 1).get()), 0);
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, DisabledButtonShowsTheParentThroughAtSixtyPercent) {
  HWND wnd = Button(BS_PUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  EnableWindow(wnd, FALSE);
  auto got = Printed(wnd);
  auto section = Section("BUTTON", 0);
  const COLORREF bg = ColorToRGB(background);
  const auto mix = [](int parent, int own) { return int(std::lround(parent - (parent - own) * 0.4)); };
  int checked = 0;
  for (const auto& [x, y] : {std::pair{kW / 2, kH / 2}, std::pair{1, kH / 2}, std::pair{kW / 2, 1}}) {
    const COLORREF own = Pixel(section.get(), x, y), g = Pixel(got.get(), x, y);
    EXPECT_NEAR(GetRValue(g), mix(GetRValue(bg), GetRValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetGValue(g), mix(GetGValue(bg), GetGValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetBValue(g), mix(GetBValue(bg), GetBValue(own)), 1) << x << "," << y;
    ++checked;
  }
  ASSERT_NE(Pixel(section.get(), kW / 2, kH / 2), bg) << "the section must differ from the parent to show a blend";
  DestroyWindow(wnd);
}

// The caption's pixels: where the printed button differs from its bare section.
std::vector<std::pair<int, int>> TextPixels(TBitmap* printed, TBitmap* bare) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < printed->Width(); ++x)
      if (Pixel(printed, x, y) != Pixel(bare, x, y)) out.emplace_back(x, y);
  return out;
}

TEST_F(ButtonHandlers, HeldDownCaptionMovesOnePixelRightAndDown) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_PUSHBUTTON, L"Ok");
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  SetFocus(other);
  const auto up = TextPixels(Printed(wnd).get(), Section("BUTTON", 0).get());
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  const auto down = TextPixels(Printed(wnd).get(), Section("BUTTON", 2).get());
  ASSERT_GT(up.size(), 10u);
  ASSERT_EQ(up.size(), down.size());
  for (std::size_t i = 0; i < up.size(); ++i)
    EXPECT_EQ(down[i], (std::pair{up[i].first + 1, up[i].second + 1})) << i;
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, RepeatedPaintsKeepNoGdiObjects) {
  HWND wnd = Button(BS_PUSHBUTTON, L"Text");
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  auto bmp = NewBitmap32(kW, kH);
  for (int i = 0; i < 5; ++i) {
    SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_LE(test::LiveGdiObjects(), before);
  DestroyWindow(wnd);
}


// The check box's bare section with the glyph image drawn where the glyph belongs: at the left
// edge, or at the right one with the text on the left, centred vertically.
struct CheckCase {
  DWORD style;
  WPARAM check;
  const char* image;
  bool leftText;
};

TEST_F(ButtonHandlers, CheckBoxesAndRadioButtonsPrintTheGlyphOfTheirState) {
  const CheckCase cases[] = {
      {BS_AUTOCHECKBOX, BST_UNCHECKED, "BOXUNCHECKED", false},
      {BS_AUTOCHECKBOX, BST_CHECKED, "BOXCHECKED", false},
      {BS_AUTO3STATE, BST_INDETERMINATE, "BOXGRAYED", false},
      {BS_AUTORADIOBUTTON, BST_UNCHECKED, "RADIOUNCHECKED", false},
      {BS_AUTORADIOBUTTON, BST_CHECKED, "RADIOCHECKED", false},
      {BS_AUTOCHECKBOX | BS_LEFTTEXT, BST_CHECKED, "BOXCHECKED", true},
  };
  const int info = manager->Records().ConstData.IndexGLobalInfo;
  HWND other = Button(BS_PUSHBUTTON);
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.image);
    HWND wnd = Button(c.style);
    SendMessageW(wnd, BM_SETCHECK, c.check, 0);
    auto handler = TacMainWnd::Create<TacCheckBoxWnd>(wnd, nullptr, manager.get(), "");
    ASSERT_EQ(handler->SkinData->SkinSection(), "CHECKBOX");
    SetFocus(other);
    manager->SetActiveControl(nullptr);
    auto got = Printed(wnd);

    const int image = manager->GetMaskIndex(info, "GLOBALINFO", c.image);
    ASSERT_GE(image, 0);
    const TsMaskData& md = manager->Records().ma[std::size_t(image)];
    const int gw = md.Bmp ? md.Bmp->Width() / 3 : (md.R.Right - md.R.Left) / std::max<int>(md.ImageCount, 1);
    const int gh = md.Bmp ? md.Bmp->Height() / 2 : (md.R.Bottom - md.R.Top) / std::max(md.MaskType + 1, 1);
    ASSERT_GT(gw, 4);
    auto want = Section("CHECKBOX", 0);
    DrawSkinGlyph(want.get(), TPoint{c.leftText ? kW - gw : 0, (kH - gh) / 2}, 0, 1, md, MakeCacheInfo(want.get()));
    EXPECT_EQ(Differing(got.get(), want.get()), 0);
    EXPECT_NE(Differing(got.get(), Section("CHECKBOX", 0).get()), 0) << "the glyph must show";
    if (c.style == BS_AUTORADIOBUTTON) {
      EXPECT_EQ(handler->GlyphMaskIndex(2), manager->GetMaskIndex(info, "GLOBALINFO", "BOXGRAYED"))
          << "an indeterminate radio button takes the box's grey glyph";
    }
    handler.reset();
    DestroyWindow(wnd);
  }
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, DisabledCheckBoxShowsTheParentThroughAtSixtyPercent) {
  HWND wnd = Button(BS_AUTOCHECKBOX);
  auto handler = TacMainWnd::Create<TacCheckBoxWnd>(wnd, nullptr, manager.get(), "");
  EnableWindow(wnd, FALSE);
  auto got = Printed(wnd);
  // The enabled look: the (see-through) section with the unchecked glyph at the left edge.
  const int image = manager->GetMaskIndex(manager->Records().ConstData.IndexGLobalInfo, "GLOBALINFO", "BOXUNCHECKED");
  ASSERT_GE(image, 0);
  const TsMaskData& md = manager->Records().ma[std::size_t(image)];
  const int gh = md.Bmp ? md.Bmp->Height() / 2 : (md.R.Bottom - md.R.Top) / std::max(md.MaskType + 1, 1);
  auto enabled = Section("CHECKBOX", 0);
  DrawSkinGlyph(enabled.get(), TPoint{0, (kH - gh) / 2}, 0, 1, md, MakeCacheInfo(enabled.get()));
  const COLORREF bg = ColorToRGB(background);
  const auto mix = [](int parent, int own) { return int(std::lround(parent - (parent - own) * 0.4)); };
  int checked = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF own = Pixel(enabled.get(), x, y), g = Pixel(got.get(), x, y);
      if (own == bg) continue;
      ++checked;
      EXPECT_NEAR(GetRValue(g), mix(GetRValue(bg), GetRValue(own)), 1) << x << "," << y;
      EXPECT_NEAR(GetGValue(g), mix(GetGValue(bg), GetGValue(own)), 1) << x << "," << y;
      EXPECT_NEAR(GetBValue(g), mix(GetBValue(bg), GetBValue(own)), 1) << x << "," << y;
    }
  EXPECT_GT(checked, 20) << "the glyph must differ from the parent to show a blend";
  handler.reset();
  DestroyWindow(wnd);
}

TEST_F(ButtonHandlers, OwnerDrawnCheckBoxGetsOnlyTheParentsBackground) {
  HWND wnd = Button(BS_OWNERDRAW);
  auto handler = TacMainWnd::Create<TacCheckBoxWnd>(wnd, nullptr, manager.get(), "");
  ASSERT_TRUE(handler->OwnerDraw);
  auto got = NewBitmap32(kW, kH);
  HBRUSH mark = CreateSolidBrush(RGB(0x11, 0x22, 0x33));
  const RECT all{0, 0, kW, kH};
  FillRect(got->Canvas()->Handle(), &all, mark);
  DeleteObject(mark);
  auto before = NewBitmap32(kW, kH);
  BitBlt(before->Canvas()->Handle(), 0, 0, kW, kH, got->Canvas()->Handle(), 0, 0, SRCCOPY);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT);
  EXPECT_EQ(Differing(got.get(), before.get()), 0) << "the handler paints nothing of an owner-drawn button";
  SendMessageW(wnd, WM_ERASEBKGND, WPARAM(got->Canvas()->Handle()), 0);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{kW / 2, kH / 2}, std::pair{kW - 1, kH - 1}})
    EXPECT_EQ(Pixel(got.get(), x, y), COLORREF(ColorToRGB(background))) << x << "," << y;
  handler.reset();
  DestroyWindow(wnd);
}

TEST_F(ButtonHandlers, GroupBoxWithoutCaptionFramesFromHalfTheEmptyBand) {
  const int w = 160, h = 100;
  HWND wnd = Button(BS_GROUPBOX, L"", w, h);
  auto handler = TacMainWnd::Create<TacGroupBoxWnd>(wnd, nullptr, manager.get(), "");
  ASSERT_EQ(handler->SkinData->SkinSection(), "GROUPBOX");
  EXPECT_EQ(SendAMessage(wnd, ACMD_GETEXTRA), 6) << "the empty caption band is 6 pixels high";
  auto got = Printed(wnd, w, h);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < w; x += 7) EXPECT_EQ(Pixel(got.get(), x, y), COLORREF(ColorToRGB(background))) << x << "," << y;
  auto frame = Section("GROUPBOX", 0, w, h - 3);
  int differing = 0;
  for (int y = 3; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Pixel(got.get(), x, y) != Pixel(frame.get(), x, y - 3)) ++differing;
  EXPECT_EQ(differing, 0);
  handler.reset();
  DestroyWindow(wnd);
}

TEST_F(ButtonHandlers, GroupBoxCaptionSitsOnTheParentsBackgroundOverTheFrame) {
  const int w = 160, h = 100;
  HWND wnd = Button(BS_GROUPBOX, L"Group", w, h);
  auto handler = TacMainWnd::Create<TacGroupBoxWnd>(wnd, nullptr, manager.get(), "");
  const int band = int(SendAMessage(wnd, ACMD_GETEXTRA));
  ASSERT_GT(band, 8);
  auto got = Printed(wnd, w, h);
  auto frame = Section("GROUPBOX", 0, w, h - band / 2);
  // Left of the caption (6 pixels in) the frame runs along the band's middle.
  for (int x = 0; x < 6; ++x)
    EXPECT_EQ(Pixel(got.get(), x, band / 2), Pixel(frame.get(), x, 0)) << x;
  // The caption's text lies in the band, after the 6 pixels and off the frame's colours there.
  int text = 0;
  for (int y = 0; y < band; ++y)
    for (int x = 6; x < w / 2; ++x)
      if (Pixel(got.get(), x, y) != COLORREF(ColorToRGB(background))) ++text;
  EXPECT_GT(text, 10);
  handler.reset();
  DestroyWindow(wnd);
}

TEST_F(ButtonHandlers, DialogGroupBoxDrawsOnlyItsFrameAndBand) {
  const int w = 160, h = 100;
  HWND wnd = Button(BS_GROUPBOX, L"", w, h);
  acDlgMode = true;
  auto handler = TacMainWnd::Create<TacGroupBoxWnd>(wnd, nullptr, manager.get(), "");
  acDlgMode = false;
  ASSERT_TRUE(handler->DlgMode);
  ASSERT_TRUE(manager->IsValidImgIndex(handler->SkinData->BorderIndex));
  const int left = manager->Records().MaskWidthLeft(handler->SkinData->BorderIndex);
  ASSERT_GT(left, 0);
  auto got = NewBitmap32(w, h);
  HBRUSH mark = CreateSolidBrush(RGB(1, 2, 3));
  const RECT all{0, 0, w, h};
  FillRect(got->Canvas()->Handle(), &all, mark);
  DeleteObject(mark);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT);
  EXPECT_EQ(Pixel(got.get(), w / 2, h / 2), RGB(1, 2, 3)) << "the inside is the native control's";
  auto frame = Section("GROUPBOX", 0, w, h - 3);
  for (int x = 0; x < left; ++x) EXPECT_EQ(Pixel(got.get(), x, h / 2), Pixel(frame.get(), x, h / 2 - 3)) << x;
  EXPECT_EQ(Pixel(got.get(), w / 2, 1), COLORREF(ColorToRGB(background))) << "the band";
  handler.reset();
  DestroyWindow(wnd);
}

TEST_F(ButtonHandlers, RepeatedCheckAndGroupPaintsKeepNoGdiObjects) {
  HWND check = Button(BS_AUTOCHECKBOX, L"Check");
  HWND group = Button(BS_GROUPBOX, L"Group", 160, 100);
  auto a = TacMainWnd::Create<TacCheckBoxWnd>(check, nullptr, manager.get(), "");
  auto b = TacMainWnd::Create<TacGroupBoxWnd>(group, nullptr, manager.get(), "");
  auto bmp = NewBitmap32(160, 100);
  const auto paint = [&] {
    for (HWND wnd : {check, group}) {
      SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
  };
  for (int i = 0; i < 5; ++i) paint();
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) paint();
  EXPECT_LE(test::LiveGdiObjects(), before);
  a.reset();
  b.reset();
  DestroyWindow(check);
  DestroyWindow(group);
}

TEST_F(ButtonHandlers, NativeButtonBitmapShowsLeftOfTheCaptionWhichMovesAside) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND plain = Button(BS_PUSHBUTTON, L"Ok");
  HWND withImage = Button(BS_PUSHBUTTON | BS_BITMAP, L"Ok");
  // A solid 16 x 16 image whose size GetBitmapDimensionEx does not know (nobody recorded one).
  std::vector<DWORD> red(16 * 16, 0x00FF0000);
  HBITMAP image = CreateBitmap(16, 16, 1, 32, red.data());
  ASSERT_NE(image, nullptr);
  SendMessageW(withImage, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(image));
  auto a = TacMainWnd::Create<TacBtnWnd>(plain, nullptr, manager.get(), "");
  auto b = TacMainWnd::Create<TacBitBtnWnd>(withImage, nullptr, manager.get(), "");
  SetFocus(other);
  EXPECT_EQ(b->GlyphSize(), (TSize{16, 16}));
  auto bare = Section("BUTTON", 0);
  auto gotPlain = Printed(plain), gotImage = Printed(withImage);
  const auto text = TextPixels(gotPlain.get(), bare.get());
  ASSERT_GT(text.size(), 10u);
  // The caption moves right by half the glyph and one pixel: 9.
  for (const auto& [x, y] : text)
    EXPECT_NE(Pixel(gotImage.get(), x + 9, y), Pixel(bare.get(), x + 9, y)) << x + 9 << "," << y;
  int redPixels = 0, leftmostText = kW;
  for (const auto& [x, y] : text) leftmostText = std::min(leftmostText, x + 9);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (Pixel(gotImage.get(), x, y) == RGB(0xFF, 0, 0)) {
        ++redPixels;
        EXPECT_LT(x, leftmostText);
        EXPECT_GE(y, (kH - 16) / 2);
        EXPECT_LT(y, (kH - 16) / 2 + 16);
      }
  EXPECT_EQ(redPixels, 256);
  a.reset();
  b.reset();
  DestroyWindow(plain);
  DestroyWindow(withImage);
  DestroyWindow(other);
  DeleteObject(image);
}

TEST_F(ButtonHandlers, ClassLibraryBitmapButtonPlacesItsGlyphByItsLayout) {
  test::Owned<TForm> form{new TForm(nullptr)};
  form->SetBounds(0, 0, 300, 200);
  auto* button = new TBitBtn(form.get());
  button->SetParent(form.get());
  button->SetBounds(10, 10, 100, 40);
  button->SetCaption(L"");
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(16, 16);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect({0, 0, 16, 16});
  glyph.Canvas()->Brush()->SetColor(clWhite);
  glyph.Canvas()->FillRect({0, 15, 1, 16});  // the see-through colour
  button->SetGlyph(&glyph);
  button->SetNumGlyphs(1);
  button->SetLayout(blGlyphTop);
  TsCommonData data(button, true);
  data.SetSkinManager(manager.get());
  auto handler = TacMainWnd::Create<TacBitBtnWnd>(button->Handle(), &data, manager.get(), "");
  EXPECT_EQ(handler->GlyphSize(), (TSize{16, 16}));
  // Glyph on top without caption: X = (100 - 16) / 2 + 1 = 43, Y = (40 - 16) / 2 = 12.
  auto got = Printed(button->Handle(), 100, 40);
  EXPECT_EQ(Pixel(got.get(), 43, 12), RGB(0xFF, 0, 0));
  EXPECT_EQ(Pixel(got.get(), 58, 26), RGB(0xFF, 0, 0));
  EXPECT_NE(Pixel(got.get(), 42, 12), RGB(0xFF, 0, 0));
  EXPECT_NE(Pixel(got.get(), 43, 11), RGB(0xFF, 0, 0));
  handler.reset();
}

TEST_F(ButtonHandlers, ClassLibraryButtonShowsTheImageOfItsState) {
  test::Owned<TForm> form{new TForm(nullptr)};
  form->SetBounds(0, 0, 300, 200);
  auto* images = new TImageList(form.get());
  for (TColor c : {clRed, clLime, clBlue}) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(16, 16);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect({0, 0, 16, 16});
    images->Add(&b, nullptr);
  }
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetBounds(10, 10, 100, 40);
  button->SetImages(images);
  button->SetImageIndex(0);
  button->SetPressedImageIndex(2);
  button->SetDisabledImageIndex(7);  // outside the list: the normal image
  button->SetImageAlignment(iaLeft);
  TsCommonData data(button, true);
  data.SetSkinManager(manager.get());
  auto handler = TacMainWnd::Create<TacButtonWnd>(button->Handle(), &data, manager.get(), "");
  ASSERT_EQ(handler->Btn, button);
  // A 16 x 16 image 3 pixels in from the left edge, centred: (3, 12) to (19, 28).
  const auto colourAt = [&](int x, int y) { return Pixel(Printed(button->Handle(), 100, 40).get(), x, y); };
  EXPECT_EQ(colourAt(3, 12), COLORREF(ColorToRGB(clRed)));
  EXPECT_EQ(colourAt(18, 27), COLORREF(ColorToRGB(clRed)));
  SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(colourAt(19, 28), COLORREF(ColorToRGB(clBlue))) << "pressed: its image, moved by (1, 1)";
  EXPECT_NE(colourAt(3, 12), COLORREF(ColorToRGB(clBlue)));
  SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);
  button->SetEnabled(false);
  EXPECT_EQ(handler->GlyphIndex(), 0);
  handler.reset();
}

struct StaticHandler : ButtonHandlers {
  HWND Static(const wchar_t* text, DWORD style = 0, DWORD exStyle = 0) {
    HWND w = CreateWindowExW(exStyle, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 30, 200, 20, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    return w;
  }
  // The columns with text: pixels off the parent's colour.
  std::pair<int, int> InkColumns(TBitmap* bmp) {
    int first = bmp->Width(), last = -1;
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x)
        if (Pixel(bmp, x, y) != COLORREF(ColorToRGB(background))) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    return {first, last};
  }
};

TEST_F(StaticHandler, NoPrefixShowsTheAmpersandItself) {
  HWND literal = Static(L"A&B", SS_NOPREFIX), doubled = Static(L"A&&B"), prefixed = Static(L"A&B");
  auto a = TacMainWnd::Create<TacStaticWnd>(literal, nullptr, manager.get(), "");
  auto b = TacMainWnd::Create<TacStaticWnd>(doubled, nullptr, manager.get(), "");
  auto c = TacMainWnd::Create<TacStaticWnd>(prefixed, nullptr, manager.get(), "");
  auto gotLiteral = Printed(literal, 200, 20), gotDoubled = Printed(doubled, 200, 20);
  auto gotPrefixed = Printed(prefixed, 200, 20);
  EXPECT_EQ(Pixel(gotLiteral.get(), 199, 19), COLORREF(ColorToRGB(background))) << "the parent's background";
  EXPECT_GT(InkColumns(gotLiteral.get()).second, 0) << "text shows";
  EXPECT_EQ(Differing(gotLiteral.get(), gotDoubled.get()), 0) << "\"A&B\" drawn as it stands";
  EXPECT_NE(Differing(gotLiteral.get(), gotPrefixed.get()), 0) << "without the style & marks a prefix";
  for (HWND w : {literal, doubled, prefixed}) DestroyWindow(w);
}

TEST_F(StaticHandler, RightStaticPutsItsTextAtTheRight) {
  HWND left = Static(L"Ab"), right = Static(L"Ab", 0, WS_EX_RIGHT);
  auto a = TacMainWnd::Create<TacStaticWnd>(left, nullptr, manager.get(), "");
  auto b = TacMainWnd::Create<TacStaticWnd>(right, nullptr, manager.get(), "");
  const auto l = InkColumns(Printed(left, 200, 20).get()), r = InkColumns(Printed(right, 200, 20).get());
  EXPECT_LT(l.second, 100);
  EXPECT_GT(r.first, 100);
  DestroyWindow(left);
  DestroyWindow(right);
}

TEST_F(StaticHandler, EdgedOrFocusableStaticsKeepTheirNativeLook) {
  for (const auto& [style, ex] : {std::pair<DWORD, DWORD>{0, WS_EX_STATICEDGE}, std::pair<DWORD, DWORD>{WS_TABSTOP, 0}}) {
    HWND hooked = Static(L"Native", style, ex), twin = Static(L"Native", style, ex);
    auto h = TacMainWnd::Create<TacStaticWnd>(hooked, nullptr, manager.get(), "");
    EXPECT_TRUE(h->Native());
    auto fill = [](TBitmap* b) {
      HBRUSH mark = CreateSolidBrush(RGB(1, 2, 3));
      const RECT all{0, 0, b->Width(), b->Height()};
      FillRect(b->Canvas()->Handle(), &all, mark);
      DeleteObject(mark);
    };
    auto x = NewBitmap32(200, 20), y = NewBitmap32(200, 20);
    fill(x.get());
    fill(y.get());
    SendMessageW(hooked, WM_PRINT, WPARAM(x->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    SendMessageW(twin, WM_PRINT, WPARAM(y->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(Differing(x.get(), y.get()), 0) << style << "," << ex;
    h.reset();
    DestroyWindow(hooked);
    DestroyWindow(twin);
  }
}

}  // namespace
}  // namespace skin
