// The native tool-bar handler under Wine: a tool bar printed into a 32-bit bitmap and compared with
// the skin's "TOOLBUTTON" and "DIVIDER" sections painted directly where the bar puts its buttons.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acToolBarWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"
#include "tests/support/MoveCursor.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::NativeWindow;
using test::Pixel;

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr int kImage = 16;

// A solid image list: image 0 red, image 1 green.
HIMAGELIST SolidImages() {
  HIMAGELIST list = ImageList_Create(kImage, kImage, ILC_COLOR24 | ILC_MASK, 2, 0);
  for (COLORREF c : {kRed, kGreen}) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, kImage, kImage);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH brush = CreateSolidBrush(c);
    const RECT all{0, 0, kImage, kImage};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(list, bmp, RGB(255, 0, 255));
    DeleteObject(bmp);
  }
  return list;
}

// The cursor at (X, Y) once the system reports it there (Wine takes a moment on a virtual display).
struct ToolBarHandlers : test::SkinnedParent {
  ToolBarHandlers() : SkinnedParent(500, 300) {}
  HIMAGELIST images = SolidImages();
  static constexpr int kWidth = 400, kHeight = 40;

  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    SkinnedParent::SetUp();
    if (HasFatalFailure()) return;
    testsupport::MoveCursorAndSettle(1000, 740);
  }
  void TearDown() override { ImageList_Destroy(images); }

  HWND Bar(const std::vector<TBBUTTON>& buttons, DWORD style = 0) {
    HWND t =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_FLAT | style,
                        0, 0, kWidth, kHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(t, nullptr);
    SendMessageW(t, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(t, TB_SETIMAGELIST, 0, LPARAM(images));
    SendMessageW(t, TB_ADDBUTTONSW, buttons.size(), LPARAM(buttons.data()));
    return t;
  }
  static TRect Item(HWND t, int i) {
    RECT r{};
    EXPECT_TRUE(SendMessageW(t, TB_GETITEMRECT, i, LPARAM(&r)));
    return {r.left, r.top, r.right, r.bottom};
  }
  int Section(const char* name) {
    const int i = manager->GetSkinIndex(name);
    EXPECT_GE(i, 0) << name;
    return i;
  }
  // The bar's section over the parent's colour.
  std::unique_ptr<TBitmap> Face() {
    auto bmp = NewBitmap32(kWidth, kHeight);
    EXPECT_GE(PaintSection(bmp.get(), "BAR", "", 0, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    return bmp;
  }
  // A button in State over the face at R, with image Image (-1: none) at (X, Y) of the button.
  // With Arrow, the drop-down arrow glyph at that place of the button.
  void PaintButton(TBitmap* face, const TRect& r, int state, int image, int x, int y, const TPoint* arrow = nullptr) {
    auto b = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
    PaintItem(Section("TOOLBUTTON"), "TOOLBUTTON", MakeCacheInfo(face), true, state,
              TRect{0, 0, b->Width(), b->Height()}, TPoint{r.Left, r.Top}, b.get(), manager.get());
    if (arrow != nullptr) DrawSkinGlyph(b.get(), *arrow, state, 1, Arrow(), MakeCacheInfo(b.get()));
    if (image >= 0) ImageList_Draw(images, image, b->Canvas()->Handle(), x, y, ILD_NORMAL);
    BitBlt(face->Canvas()->Handle(), r.Left, r.Top, b->Width(), b->Height(), b->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  const TsMaskData& Arrow() {
    const int i = manager->Records().ConstData.MaskArrowBottom;
    EXPECT_TRUE(manager->IsValidImgIndex(i));
    return manager->Records().ma[std::size_t(std::max(i, 0))];
  }
  // True when the 16 x 16 square at (X, Y) is all Colour and the pixels just outside are not.
  static bool SquareAt(TBitmap* bmp, int x, int y, COLORREF colour) {
    for (int dy = 0; dy < kImage; ++dy)
      for (int dx = 0; dx < kImage; ++dx)
        if (Pixel(bmp, x + dx, y + dy) != colour) return false;
    return Pixel(bmp, x - 1, y) != colour && Pixel(bmp, x + kImage, y) != colour && Pixel(bmp, x, y - 1) != colour &&
           Pixel(bmp, x, y + kImage) != colour;
  }
};

TBBUTTON Button(int image, int id, BYTE state = TBSTATE_ENABLED, BYTE style = BTNS_BUTTON) {
  TBBUTTON b{};
  b.iBitmap = image;
  b.idCommand = id;
  b.fsState = state;
  b.fsStyle = style;
  b.iString = -1;
  return b;
}

TEST_F(ToolBarHandlers, ButtonsInEveryStateMatchTheSkinsSections) {
  HWND t = Bar({Button(1, 100), Button(1, 101, TBSTATE_ENABLED | TBSTATE_PRESSED), Button(1, 102, 0),
                Button(0, 0, 0, BTNS_SEP), Button(0, 103), Button(1, 104)});
  auto handler = TacMainWnd::Create<TacToolBarWnd>(t, nullptr, manager.get(), "BAR");
  auto got = test::Printed(t, kWidth, kHeight);

  const TRect normal = Item(t, 0), pressed = Item(t, 1), disabled = Item(t, 2), sep = Item(t, 3), zero = Item(t, 4);
  const int bw = normal.Right - normal.Left;
  // Image centred, 4 pixels from the top; the pressed one a pixel right and down.
  const int ix = (bw - kImage) / 2;
  EXPECT_TRUE(SquareAt(got.get(), normal.Left + ix, normal.Top + 4, kGreen));
  EXPECT_TRUE(SquareAt(got.get(), pressed.Left + ix + 1, pressed.Top + 5, kGreen));
  EXPECT_FALSE(SquareAt(got.get(), zero.Left + ix, zero.Top + 4, kRed)) << "image 0 is not drawn";

  auto want = Face();
  PaintButton(want.get(), normal, 0, 1, ix, 4);
  PaintButton(want.get(), pressed, 2, 1, ix + 1, 5);
  PaintButton(want.get(), zero, 0, -1, 0, 0);
  PaintButton(want.get(), Item(t, 5), 0, 1, ix, 4);
  // The separator: a DIVIDER strip 4 wide in its middle, 2 pixels short of top and bottom.
  const int sw = sep.Right - sep.Left;
  const TRect strip{sep.Left + sw / 2 - 1, sep.Top + 2, sep.Left + sw / 2 + 3, sep.Bottom - 2};
  auto bar = Face();
  PaintItem(Section("DIVIDER"), "DIVIDER", MakeCacheInfo(bar.get()), true, 0, strip, TPoint{strip.Left, strip.Top},
            want.get(), manager.get());
  EXPECT_GT(
      Differing(want.get(), bar.get(),
                [&](int x, int y) { return x >= strip.Left && x < strip.Right && y >= strip.Top && y < strip.Bottom; }),
      0)
      << "the divider must show";
  // Disabled: the plain button kept at 40 % over the bar.
  auto plain = Face();
  PaintButton(plain.get(), disabled, 0, 1, ix, 4);
  EXPECT_EQ(Differing(got.get(), want.get(),
                      [&](int x, int y) {
                        return !(x >= disabled.Left && x < disabled.Right && y >= disabled.Top && y < disabled.Bottom);
                      }),
            0);
  auto face = Face();
  const auto mix = [](int bar, int own) { return int(std::lround(bar - (bar - own) * 0.4)); };
  int checked = 0;
  for (int y = disabled.Top; y < disabled.Bottom; ++y)
    for (int x = disabled.Left; x < disabled.Right; ++x) {
      const COLORREF own = Pixel(plain.get(), x, y), bar = Pixel(face.get(), x, y), g = Pixel(got.get(), x, y);
      ASSERT_NEAR(GetRValue(g), mix(GetRValue(bar), GetRValue(own)), 1) << x << "," << y;
      ASSERT_NEAR(GetGValue(g), mix(GetGValue(bar), GetGValue(own)), 1) << x << "," << y;
      ASSERT_NEAR(GetBValue(g), mix(GetBValue(bar), GetBValue(own)), 1) << x << "," << y;
      checked += own != bar;
    }
  EXPECT_GE(checked, kImage * kImage) << "the disabled button must differ from the bar";
  DestroyWindow(t);
}

TEST_F(ToolBarHandlers, ButtonUnderTheCursorIsHotAndWholeDropDownsShowTheArrow) {
  HWND t = Bar({Button(1, 100), Button(1, 101, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN)});
  auto handler = TacMainWnd::Create<TacToolBarWnd>(t, nullptr, manager.get(), "BAR");
  const TRect first = Item(t, 0), drop = Item(t, 1);
  POINT centre{(first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2};
  ClientToScreen(t, &centre);
  ASSERT_TRUE(testsupport::MoveCursorAndSettle(centre.x, centre.y));
  auto got = test::Printed(t, kWidth, kHeight);

  const int bw = first.Right - first.Left, dw = drop.Right - drop.Left, dh = drop.Bottom - drop.Top;
  const int gw = WidthOfImage(Arrow()), gh = HeightOfImage(Arrow());
  // The arrow 2 pixels from the right edge, vertically centred; the image centred in what is left.
  const TPoint arrowAt{dw - gw - 2, (dh - gh) / 2};
  const int dropImageX = (dw - kImage - gw) / 2;
  EXPECT_TRUE(SquareAt(got.get(), drop.Left + dropImageX, drop.Top + 4, kGreen));
  auto want = Face();
  PaintButton(want.get(), first, 1, 1, (bw - kImage) / 2, 4);
  PaintButton(want.get(), drop, 0, 1, dropImageX, 4, &arrowAt);
  EXPECT_EQ(Differing(got.get(), want.get(), [&](int x, int) { return x < first.Right; }), 0) << "first";
  EXPECT_EQ(Differing(got.get(), want.get(), [&](int x, int) { return x >= first.Right; }), 0) << "drop";

  // Away from the bar the first button is plain again.
  ASSERT_TRUE(testsupport::MoveCursorAndSettle(1000, 740));
  auto away = test::Printed(t, kWidth, kHeight);
  auto plain = Face();
  PaintButton(plain.get(), first, 0, 1, (bw - kImage) / 2, 4);
  EXPECT_EQ(Differing(away.get(), plain.get(), [&](int x, int) { return x < first.Right; }), 0);
  EXPECT_GT(Differing(away.get(), got.get(), [&](int x, int) { return x < first.Right; }), 0);
  DestroyWindow(t);
}

// The text questions a tool bar is asked: whether each came with a buffer.
std::vector<bool> g_textAsks;
LRESULT CALLBACK RecordTextAsks(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (m == TB_GETBUTTONTEXTW) g_textAsks.push_back(lp != 0);
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(ToolBarHandlers, ButtonTextOfAnyLengthIsReadWhole) {
  const std::wstring text(300, L'x');
  TBBUTTON b = Button(-2, 100);
  b.iString = INT_PTR(text.c_str());
  HWND t = Bar({b});
  ASSERT_TRUE(SetWindowSubclass(t, RecordTextAsks, 1, 0));
  auto handler = TacMainWnd::Create<TacToolBarWnd>(t, nullptr, manager.get(), "BAR");
  g_textAsks.clear();
  EXPECT_EQ(handler->ButtonText(100), text);
  // The length first, then the text into a buffer of that length.
  EXPECT_EQ(g_textAsks, (std::vector<bool>{false, true}));
  EXPECT_EQ(handler->ButtonText(999), L"") << "no such button";
  DestroyWindow(t);
}

// The rows of the button that hold the caption's ink: the first and the last.
std::pair<int, int> InkRows(TBitmap* got, TBitmap* blank, const TRect& r) {
  int first = -1, last = -1;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (Pixel(got, x, y) != Pixel(blank, x, y)) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

TEST_F(ToolBarHandlers, CaptionOfThreeWordsTakesTwoLines) {
  const wchar_t* captions[] = {L"Open file", L"Open the file"};
  int spans[2] = {};
  for (int i = 0; i < 2; ++i) {
    TBBUTTON b = Button(-2, 100);
    b.iString = INT_PTR(captions[i]);
    HWND t = Bar({b});
    SendMessageW(t, TB_SETBUTTONSIZE, 0, MAKELPARAM(120, 36));
    auto handler = TacMainWnd::Create<TacToolBarWnd>(t, nullptr, manager.get(), "BAR");
    auto got = test::Printed(t, kWidth, kHeight);
    const TRect r = Item(t, 0);
    auto blank = Face();
    PaintButton(blank.get(), r, 0, -1, 0, 0);
    const auto [first, last] = InkRows(got.get(), blank.get(), r);
    ASSERT_GE(first, 0) << "no caption drawn";
    spans[i] = last - first + 1;
    DestroyWindow(t);
  }
  TEXTMETRICW tm{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_LE(spans[0], tm.tmHeight) << "two words stay on one line";
  EXPECT_GT(spans[1], tm.tmHeight) << "three words take two lines";
}

}  // namespace
}  // namespace skin
