// The image-static, link, size-grip, tab-control and transparent-panel handlers on plain native
// windows under Wine, printed into 32-bit bitmaps and compared with what they should show: the
// skin's section over the parent's background with the content drawn directly on top.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/windows/acIconWnd.h"
#include "skin/windows/acLinkWnd.h"
#include "skin/windows/acSizerWnd.h"
#include "skin/windows/acTabWnd.h"
#include "skin/windows/acTransPanelWnd.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::NativeWindow;
using test::Pixel;
using test::Printed;

constexpr COLORREF kMarker = RGB(1, 2, 3);

void Fill(TBitmap* b, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT all{0, 0, b->Width(), b->Height()};
  FillRect(b->Canvas()->Handle(), &all, brush);
  DeleteObject(brush);
}

TSize ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return TSize{r.right, r.bottom};
}

struct StaticKinds : test::SkinnedParent {

  HWND Child(const wchar_t* cls, DWORD style, const wchar_t* text, int w, int h, DWORD exStyle = 0) {
    HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 20, 30, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(c, nullptr);
    return c;
  }
  // The dialog section these windows get, painted directly over the parent's colour.
  std::unique_ptr<TBitmap> Section(int w, int h) {
    auto bmp = NewBitmap32(w, h);
    EXPECT_GE(PaintSection(bmp.get(), "CHECKBOX", "", 0, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    return bmp;
  }
};

TEST_F(StaticKinds, IconStaticShowsItsIconOverTheParentAndTheParentAloneWithoutOne) {
  HWND wnd = Child(L"STATIC", SS_ICON, L"", 40, 40);
  HICON icon = LoadIconW(nullptr, IDI_WARNING);
  ASSERT_NE(icon, nullptr);
  SendMessageW(wnd, STM_SETICON, WPARAM(icon), 0);
  auto handler = TacMainWnd::Create<TacIconWnd>(wnd, nullptr, manager.get(), "CHECKBOX");
  EXPECT_FALSE(handler->IsBmp);
  const TSize size = ClientSize(wnd);
  auto expected = Section(size.cx, size.cy);
  DrawIconEx(expected->Canvas()->Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  auto got = Printed(wnd, size.cx, size.cy);
  EXPECT_EQ(Differing(got.get(), expected.get()), 0);
  ASSERT_NE(Differing(got.get(), Section(size.cx, size.cy).get()), 0) << "the icon must show";

  // Without an icon the place shows what lies behind it (a message box keeps such a static).
  SendMessageW(wnd, STM_SETICON, 0, 0);
  auto empty = NewBitmap32(size.cx, size.cy);
  Fill(empty.get(), kMarker);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(empty->Canvas()->Handle()), PRF_CLIENT);
  EXPECT_EQ(Differing(empty.get(), Section(size.cx, size.cy).get()), 0);
  DestroyWindow(wnd);
}

// A bitmap of two colour bands: red above, blue below.
HBITMAP Banded(int w, int h) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  HBRUSH red = CreateSolidBrush(RGB(200, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 200));
  const RECT top{0, 0, w, h / 2}, bottom{0, h / 2, w, h};
  FillRect(dc, &top, red);
  FillRect(dc, &bottom, blue);
  DeleteObject(red);
  DeleteObject(blue);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

TEST_F(StaticKinds, BitmapStaticShowsItsBitmapAndLeavesItToTheStatic) {
  HWND wnd = Child(L"STATIC", SS_BITMAP, L"", 60, 40);
  HBITMAP first = Banded(12, 8), second = Banded(20, 10);
  // The static takes its bitmap's size; it is given room beside it again.
  const auto setImage = [&](HBITMAP b) {
    SendMessageW(wnd, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(b));
    SetWindowPos(wnd, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  setImage(first);
  auto handler = TacMainWnd::Create<TacIconWnd>(wnd, nullptr, manager.get(), "CHECKBOX");
  EXPECT_TRUE(handler->IsBmp);
  TSize size = ClientSize(wnd);
  auto got = Printed(wnd, size.cx, size.cy);
  EXPECT_EQ(Pixel(got.get(), 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(Pixel(got.get(), 11, 7), RGB(0, 0, 200));
  EXPECT_EQ(Pixel(got.get(), 0, 3), RGB(200, 0, 0));
  EXPECT_EQ(Pixel(got.get(), 0, 4), RGB(0, 0, 200));
  ASSERT_EQ(size.cx, 60);
  EXPECT_EQ(Pixel(got.get(), 12, 0), Pixel(Section(size.cx, size.cy).get(), 12, 0)) << "beside it";

  // A new picture is shown, not the first one read.
  setImage(second);
  size = ClientSize(wnd);
  got = Printed(wnd, size.cx, size.cy);
  EXPECT_EQ(Pixel(got.get(), 19, 9), RGB(0, 0, 200));
  EXPECT_EQ(Pixel(got.get(), 20, 0), Pixel(Section(size.cx, size.cy).get(), 20, 0));

  handler.reset();
  EXPECT_EQ(GetObjectType(first), DWORD(OBJ_BITMAP)) << "the static's bitmaps stay alive";
  EXPECT_EQ(GetObjectType(second), DWORD(OBJ_BITMAP));
  DestroyWindow(wnd);
  DeleteObject(first);
  DeleteObject(second);
}

TEST(LinkText, MarkupIsRemoved) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"<A>Help</A>", L"Help"},
      {L"See <a>help</a> or <a href=\"x\">more</a>.", L"See help or more."},
      {L"a<b>c</A>", L"a<b>c"},
      {L"<about>", L"<about>"},
      {L"broken <a href", L"broken <a href"},
      {L"", L""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(LinkTextWithoutMarkup(in), out) << std::wstring(in).size();
}

TEST_F(StaticKinds, LinkShowsItsTextUnderlinedInTheMessageFontWithoutMarkers) {
  constexpr int w = 160, h = 24;
  HWND marked = Child(L"STATIC", 0, L"<A>Help me</A>", w, h), plain = Child(L"STATIC", 0, L"Help me", w, h);
  auto a = TacMainWnd::Create<TacLinkWnd>(marked, nullptr, manager.get(), "CHECKBOX");
  auto b = TacMainWnd::Create<TacLinkWnd>(plain, nullptr, manager.get(), "CHECKBOX");
  auto got = Printed(marked, w, h);
  EXPECT_EQ(Differing(got.get(), Printed(plain, w, h).get()), 0) << "the markers are not shown";

  // The same text drawn directly in the ink colour the handler used.
  auto bare = Section(w, h);
  COLORREF ink = CLR_INVALID;
  for (int y = 0; y < h && ink == CLR_INVALID; ++y)
    for (int x = 0; x < w && ink == CLR_INVALID; ++x)
      if (Pixel(got.get(), x, y) != Pixel(bare.get(), x, y)) ink = Pixel(got.get(), x, y);
  ASSERT_NE(ink, CLR_INVALID) << "text shows";
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  metrics.lfMessageFont.lfUnderline = TRUE;
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC dc = bare->Canvas()->Handle();
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  RECT r{0, 0, w + 4, h};
  DrawTextW(dc, L"Help me", -1, &r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP);
  SelectObject(dc, old);
  DeleteObject(font);
  EXPECT_EQ(Differing(got.get(), bare.get()), 0);

  // On screen the link paints while its background is erased.
  auto erased = NewBitmap32(w, h);
  Fill(erased.get(), kMarker);
  SendMessageW(marked, WM_PRINT, WPARAM(erased->Canvas()->Handle()), PRF_ERASEBKGND);
  EXPECT_EQ(Differing(erased.get(), got.get()), 0);

  SetWindowTextW(marked, L"<A>Other</A>");
  SetWindowTextW(plain, L"Other");
  EXPECT_EQ(Differing(Printed(marked, w, h).get(), Printed(plain, w, h).get()), 0);
  EXPECT_NE(Differing(Printed(marked, w, h).get(), got.get()), 0) << "the new text shows";
  DestroyWindow(marked);
  DestroyWindow(plain);
}

TEST_F(StaticKinds, SizeGripShowsTheSkinsGripOverTheParentAndAlwaysSizesFromTheCorner) {
  constexpr int w = 24, h = 24;
  HWND wnd = Child(L"SCROLLBAR", SBS_SIZEGRIP, L"", w, h);
  auto handler = TacMainWnd::Create<TacSizerWnd>(wnd, nullptr, manager.get(), "CHECKBOX");
  const int grip = manager->Records().ConstData.GripRightBottom;
  ASSERT_TRUE(manager->IsValidImgIndex(grip)) << "our skin has a grip image";
  const TsMaskData& md = manager->Records().ma[std::size_t(grip)];
  const int cw = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
  const int ch = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
  auto expected = NewBitmap32(w, h);
  Fill(expected.get(), ColorToRGB(background));
  DrawSkinGlyph(expected.get(), TPoint{std::max(0, w - cw), std::max(0, h - ch)}, 0, 1, md,
                MakeCacheInfo(expected.get()));
  auto got = Printed(wnd, w, h);
  EXPECT_EQ(Differing(got.get(), expected.get()), 0);
  EXPECT_EQ(Pixel(got.get(), 0, 0), COLORREF(ColorToRGB(background)));

  ASSERT_EQ(DefaultManager(), manager.get());
  manager->SetActiveControl(parent);
  ASSERT_EQ(manager->ActiveControl(), HWND(parent));
  RECT wr{};
  GetWindowRect(wnd, &wr);
  for (const POINT p :
       {POINT{wr.left, wr.top}, POINT{wr.left + w / 2, wr.top + h / 2}, POINT{wr.right - 1, wr.bottom - 1}})
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTBOTTOMRIGHT) << p.x << "," << p.y;
  EXPECT_EQ(manager->ActiveControl(), nullptr) << "the grip is no skinned control to hover";
  DestroyWindow(wnd);
}

TEST_F(StaticKinds, TransparentPanelShowsTheParentAroundItsChildren) {
  constexpr int w = 120, h = 80;
  HWND panel = Child(test::TargetClass(), 0, L"", w, h);
  HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, panel, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(inner, nullptr);
  auto handler = TacMainWnd::Create<TacTransPanelWnd>(panel, nullptr, manager.get(), "CHECKBOX");
  auto got = NewBitmap32(w, h);
  Fill(got.get(), kMarker);
  SendMessageW(panel, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_ERASEBKGND);
  auto section = Section(w, h);
  const auto outsideChild = [](int x, int y) { return x < 10 || x >= 40 || y < 10 || y >= 30; };
  EXPECT_EQ(Differing(got.get(), section.get(), outsideChild), 0);
  EXPECT_EQ(Pixel(got.get(), 20, 15), kMarker) << "the child's place is left to the child";
  EXPECT_EQ(SendMessageW(panel, WM_NCPAINT, 1, 0), 0);
  DestroyWindow(panel);
}

TEST_F(StaticKinds, TabControlPaintsNothingOfItsOwn) {
  constexpr int w = 150, h = 100;
  HWND tab = Child(WC_TABCONTROLW, 0, L"", w, h);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Page");
  SendMessageW(tab, TCM_INSERTITEMW, 0, LPARAM(&item));
  auto handler = TacMainWnd::Create<TacTabWnd>(tab, nullptr, manager.get(), "CHECKBOX");
  auto got = NewBitmap32(w, h);
  Fill(got.get(), kMarker);
  SendMessageW(tab, WM_PRINTCLIENT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT);
  auto untouched = NewBitmap32(w, h);
  Fill(untouched.get(), kMarker);
  EXPECT_EQ(Differing(got.get(), untouched.get()), 0);
  EXPECT_EQ(handler->SkinData->CacheBmp()->Width(), w) << "the cache follows the window";
  DestroyWindow(tab);
}

// In a dialog the band above the display area and the strip left of it are the skin's: read from
// the screen after a frame paint.
TEST_F(StaticKinds, DialogTabControlFramesItsDisplayAreaFromTheSkin) {
  constexpr int w = 150, h = 100;
  HWND tab = Child(WC_TABCONTROLW, 0, L"", w, h);
  acDlgMode = true;
  auto handler = TacMainWnd::Create<TacTabWnd>(tab, nullptr, manager.get(), "CHECKBOX");
  acDlgMode = false;
  ASSERT_TRUE(handler->DlgMode);
  SetWindowPos(parent, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(parent);
  // Something else on screen first, so that the strips must come from the handler.
  HDC windowDC = GetWindowDC(tab);
  HBRUSH mark = CreateSolidBrush(kMarker);
  const RECT all{0, 0, w, h};
  FillRect(windowDC, &all, mark);
  DeleteObject(mark);
  SendMessageW(tab, WM_NCPAINT, 1, 0);
  auto screen = NewBitmap32(w, h);
  BitBlt(screen->Canvas()->Handle(), 0, 0, w, h, windowDC, 0, 0, SRCCOPY);
  ReleaseDC(tab, windowDC);
  RECT display{0, 0, w, h};
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
  const int band = display.top + 2;
  ASSERT_GT(band, 2);
  ASSERT_GT(display.left, 0);
  auto section = Section(w, h);
  const auto inStrips = [&](int x, int y) { return y < band || x < display.left; };
  EXPECT_EQ(Differing(screen.get(), section.get(), inStrips), 0);
  EXPECT_EQ(Pixel(screen.get(), w / 2, h / 2), kMarker) << "the display area is left alone";
  DestroyWindow(tab);
}

TEST_F(StaticKinds, RepeatedPaintsKeepNoGdiObjects) {
  HWND icon = Child(L"STATIC", SS_ICON, L"", 40, 40);
  SendMessageW(icon, STM_SETICON, WPARAM(LoadIconW(nullptr, IDI_WARNING)), 0);
  HWND picture = Child(L"STATIC", SS_BITMAP, L"", 40, 40);
  HBITMAP bmp = Banded(12, 8);
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bmp));
  HWND link = Child(L"STATIC", 0, L"<A>Link</A>", 100, 20);
  HWND grip = Child(L"SCROLLBAR", SBS_SIZEGRIP, L"", 20, 20);
  HWND panel = Child(test::TargetClass(), 0, L"", 60, 60);
  auto h1 = TacMainWnd::Create<TacIconWnd>(icon, nullptr, manager.get(), "CHECKBOX");
  auto h2 = TacMainWnd::Create<TacIconWnd>(picture, nullptr, manager.get(), "CHECKBOX");
  auto h3 = TacMainWnd::Create<TacLinkWnd>(link, nullptr, manager.get(), "CHECKBOX");
  auto h4 = TacMainWnd::Create<TacSizerWnd>(grip, nullptr, manager.get(), "CHECKBOX");
  auto h5 = TacMainWnd::Create<TacTransPanelWnd>(panel, nullptr, manager.get(), "CHECKBOX");
  auto target = NewBitmap32(100, 60);
  const auto paintAll = [&] {
    for (HWND w : {icon, picture, link, grip, panel}) {
      SendMessageW(w, WM_PRINTCLIENT, WPARAM(target->Canvas()->Handle()), PRF_CLIENT);
      SendMessageW(w, WM_PRINT, WPARAM(target->Canvas()->Handle()), PRF_ERASEBKGND);
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
  };
  for (int i = 0; i < 5; ++i) paintAll();
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 200; ++i) paintAll();
  EXPECT_LE(test::LiveGdiObjects(), before);
  for (HWND w : {icon, picture, link, grip, panel}) DestroyWindow(w);
  DeleteObject(bmp);
}

}  // namespace
}  // namespace skin
