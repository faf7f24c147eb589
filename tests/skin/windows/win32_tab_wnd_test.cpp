// The tab-control, page-control, page and sunken-edge handlers, and the unit's start-up and
// shutdown, on native windows under Wine: tab controls printed into 32-bit bitmaps and compared with
// the skin's tab and page sections painted directly, pages against their parent's background.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/windows/acEdgeWnd.h"
#include "skin/windows/acPageWnd.h"
#include "skin/windows/acWndUnit.h"
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

constexpr int kW = 240, kH = 120;

struct TabHandlers : test::SkinnedParent {

  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
  }
  void TearDown() override { acFreePageHandlers(); }
  // Tabs of 60 x 20 with the given captions, the second one selected.
  HWND Tabs(DWORD style, std::vector<std::wstring> captions) {
    HWND t = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TCS_FIXEDWIDTH | style,
                             20, 30, kW, kH, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(t, nullptr);
    SendMessageW(t, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    for (std::size_t i = 0; i < captions.size(); ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = captions[i].data();
      SendMessageW(t, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    SendMessageW(t, TCM_SETCURSEL, 1, 0);
    return t;
  }
  static std::unique_ptr<TBitmap> Print(HWND wnd, int w = kW, int h = kH) {
    auto bmp = NewBitmap32(w, h);
    SendMessageW(wnd, WM_PRINT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    return bmp;
  }
  static TRect ItemRect(HWND t, int i) {
    RECT r{};
    SendMessageW(t, TCM_GETITEMRECT, i, LPARAM(&r));
    return {r.left, r.top, r.right, r.bottom};
  }
  // Section drawn over the pixels of Under at R (or over the background colour), into Into at R.
  void SectionAt(TBitmap* into, const char* name, int state, const TRect& r, TBitmap* under) {
    auto part = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
    ASSERT_GE(PaintSection(part.get(), name, "", state, manager.get(), TPoint{r.Left, r.Top}, background,
                           under ? under->Canvas()->Handle() : nullptr),
              0);
    BitBlt(into->Canvas()->Handle(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, part->Canvas()->Handle(), 0, 0,
           SRCCOPY);
  }
};

TEST_F(TabHandlers, TopTabsPrintTheirSectionsInactiveFirstActiveLast) {
  HWND t = Tabs(0, {L"", L"", L""});
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  ASSERT_EQ(handler->SkinData->SkinSection(), "PAGECONTROL");
  auto got = Print(t);

  // By hand: tabs (2, 2, 62, 22), (62, 2, 122, 22), (122, 2, 182, 22) as the control reports them;
  // inactive tabs are drawn 1 narrower and 4 taller, the active one 2 larger on every side; the page frame starts 4
  // above the display area's top + 2.
  ASSERT_EQ(ItemRect(t, 0), (TRect{2, 2, 62, 22}));
  ASSERT_EQ(ItemRect(t, 1), (TRect{62, 2, 122, 22}));
  RECT display{0, 0, kW, kH};
  SendMessageW(t, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
  const int pageTop = display.top + 2 - 4;
  auto want = NewBitmap32(kW, kH);
  SectionAt(want.get(), "CHECKBOX", 0, {0, 0, kW, kH}, nullptr);  // the parent's background
  for (const TRect& r : {TRect{2, 2, 61, 26}, TRect{122, 2, 181, 26}}) {
    // An inactive tab stops at the page's top edge.
    SectionAt(want.get(), "TABTOP", 0, r, nullptr);
  }
  SectionAt(want.get(), "PAGECONTROL", 0, {0, pageTop, kW, kH}, nullptr);
  SectionAt(want.get(), "TABTOP", 2, {60, 0, 124, 24}, want.get());
  EXPECT_EQ(Differing(got.get(), want.get()), 0);
  DestroyWindow(t);
}

TEST_F(TabHandlers, WithoutTabsTheControlIsAPlainArea) {
  HWND t = Tabs(0, {});
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  auto want = NewBitmap32(kW, kH);
  SectionAt(want.get(), "CHECKBOX", 0, {0, 0, kW, kH}, nullptr);
  EXPECT_EQ(Differing(Print(t).get(), want.get()), 0);
  ASSERT_NE(Differing(want.get(), NewBitmap32(kW, kH).get()), 0) << "the area must show the background";
  DestroyWindow(t);
}

TEST_F(TabHandlers, TopTabImagesAreCentredInTheDrawnTab) {
  HWND t = Tabs(0, {L"", L""});
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  auto red = NewBitmap32(16, 16);
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  const RECT all{0, 0, 16, 16};
  FillRect(red->Canvas()->Handle(), &all, brush);
  DeleteObject(brush);
  ASSERT_EQ(ImageList_Add(images, red->Handle(), nullptr), 0);
  SendMessageW(t, TCM_SETIMAGELIST, 0, LPARAM(images));
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = 0;
    SendMessageW(t, TCM_SETITEMW, i, LPARAM(&item));
  }
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  auto got = Print(t);
  // No caption: the image is centred less 4 pixels: active tab (60, 0, 124, 24) puts it at (80, 4),
  // inactive tab (2, 2, 61, 26) at (19, 6).
  // The image list keeps its own colour depth: the image is told by its missing green.
  const auto isRed = [&](int x, int y) { return GetGValue(Pixel(got.get(), x, y)) < 60; };
  for (const auto& [x, y] : {std::pair{80, 4}, std::pair{95, 19}, std::pair{19, 6}, std::pair{34, 21}})
    EXPECT_TRUE(isRed(x, y)) << x << "," << y;
  for (const auto& [x, y] : {std::pair{79, 4}, std::pair{96, 19}, std::pair{80, 3}, std::pair{18, 6}, std::pair{35, 6}})
    EXPECT_FALSE(isRed(x, y)) << x << "," << y;
  DestroyWindow(t);
  ImageList_Destroy(images);
}

TEST_F(TabHandlers, SideTabsWriteCaptionsInATurnedFont) {
  LOGFONTW base{};
  base.lfHeight = -11;
  base.lfWeight = FW_BOLD;
  base.lfItalic = TRUE;
  base.lfCharSet = RUSSIAN_CHARSET;
  wcscpy(base.lfFaceName, L"MS Sans Serif");
  const LOGFONTW left = TacTabControlWnd::VerticalTabFont(base, tpLeft);
  EXPECT_STREQ(left.lfFaceName, L"Arial");
  EXPECT_EQ(left.lfEscapement, -2700);
  EXPECT_EQ(left.lfOrientation, -2700);
  EXPECT_EQ(left.lfHeight, -11);
  EXPECT_EQ(left.lfWeight, FW_NORMAL);
  EXPECT_EQ(left.lfItalic, TRUE);
  EXPECT_EQ(left.lfCharSet, RUSSIAN_CHARSET);
  wcscpy(base.lfFaceName, L"Tahoma");
  const LOGFONTW right = TacTabControlWnd::VerticalTabFont(base, tpRight);
  EXPECT_STREQ(right.lfFaceName, L"Tahoma");
  EXPECT_EQ(right.lfEscapement, -900);

  // On the screen: a caption on a left tab is taller than wide and stays inside its tab.
  HWND bare = Tabs(TCS_VERTICAL | TCS_MULTILINE, {L"", L"", L""});
  HWND text = Tabs(TCS_VERTICAL | TCS_MULTILINE, {L"", L"", L"Caption"});
  auto h1 = TacMainWnd::Create<TacPageControlWnd>(bare, nullptr, manager.get(), "");
  auto h2 = TacMainWnd::Create<TacPageControlWnd>(text, nullptr, manager.get(), "");
  auto a = Print(bare), b = Print(text);
  int left_ = kW, right_ = -1, top = kH, bottom = -1;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (Pixel(a.get(), x, y) != Pixel(b.get(), x, y)) {
        left_ = std::min(left_, x), right_ = std::max(right_, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_GE(right_, 0) << "the caption must show";
  const TRect tab = h2->SkinTabRect(2, false);
  EXPECT_GT(bottom - top, 2 * (right_ - left_)) << "a turned caption runs down the tab";
  EXPECT_GE(left_, tab.Left);
  EXPECT_LT(right_, tab.Right);
  EXPECT_GE(top, tab.Top);
  EXPECT_LT(bottom, tab.Bottom);
  DestroyWindow(bare);
  DestroyWindow(text);
}

TEST_F(TabHandlers, UpDownChildGetsAHandlerOfItsOwn) {
  HWND t = Tabs(0, {L"One", L"Two"});
  auto handler = TacMainWnd::Create<TacTabControlWnd>(t, nullptr, manager.get(), "PAGECONTROL");
  handler->CheckUpDown();
  EXPECT_EQ(handler->BtnSW, nullptr);
  HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 200, 2, 30, 20, t, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(upDown, nullptr);
  handler->CheckUpDown();
  ASSERT_NE(handler->BtnSW, nullptr);
  EXPECT_EQ(handler->BtnSW->CtrlHandle, upDown);
  EXPECT_EQ(handler->BtnSW->SkinData->SkinSection(), "UPDOWNBTN");
  const std::size_t live = TacMainWnd::LiveCount();
  handler->CheckUpDown();
  EXPECT_EQ(TacMainWnd::LiveCount(), live) << "made anew, the old one freed";
  EXPECT_EQ(Ac_GetHandlerFromHwnd(upDown), handler->BtnSW.get());
  DestroyWindow(upDown);
  handler->CheckUpDown();
  EXPECT_EQ(handler->BtnSW, nullptr);
  EXPECT_EQ(TacMainWnd::LiveCount(), live - 1);
  DestroyWindow(t);
}

struct PageWindows {
  HWND pages[2]{};
  PageWindows(HWND tab) {
    RECT display{0, 0, kW, kH};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
    for (HWND& p : pages)
      p = CreateWindowExW(0, test::TargetClass(), L"", WS_CHILD | WS_VISIBLE, display.left, display.top,
                          display.right - display.left, display.bottom - display.top, tab, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  }
};

TEST_F(TabHandlers, PagesShowTheirParentsBackgroundAndAreFreedWhenGone) {
  HWND t = Tabs(0, {L"", L""});
  PageWindows pages(t);
  const std::size_t before = acPageHandlerCount();
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  EXPECT_EQ(acPageHandlerCount(), before + 2);
  EXPECT_EQ(SendMessageW(pages.pages[0], SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);
  handler->InitPages();
  EXPECT_EQ(acPageHandlerCount(), before + 2) << "a skinned page is not hooked twice";

  // The page: the page frame's colour with the 3 rows along the tabs from the tab control's face.
  auto face = Print(t);
  RECT pr{};
  GetWindowRect(pages.pages[0], &pr);
  MapWindowPoints(nullptr, t, reinterpret_cast<POINT*>(&pr), 2);
  const int pw = pr.right - pr.left, ph = pr.bottom - pr.top;
  auto page = NewBitmap32(pw, ph);
  SendMessageW(pages.pages[0], WM_PRINT, WPARAM(page->Canvas()->Handle()), PRF_CLIENT);
  const TColor white = manager->Records().gd[std::size_t(manager->GetSkinIndex("PAGECONTROL"))].Color;
  int checked = 0;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < pw; ++x) {
      const COLORREF want = y < 3 ? Pixel(face.get(), pr.left + x, pr.top + y) : ColorToRGB(white);
      if (Pixel(page.get(), x, y) != want && ++checked < 5) ADD_FAILURE() << x << "," << y;
    }
  EXPECT_EQ(checked, 0);

  // A page destroyed: its handler goes at the control's next look at its pages.
  const std::size_t live = TacMainWnd::LiveCount();
  DestroyWindow(pages.pages[1]);
  SendMessageW(t, WM_NCPAINT, 1, 0);
  EXPECT_EQ(acPageHandlerCount(), before + 1);
  EXPECT_EQ(TacMainWnd::LiveCount(), live - 1);
  DestroyWindow(t);
}

TEST_F(TabHandlers, NativeTabChildrenBecomePagesOnlyWithAManager) {
  HWND t = Tabs(0, {L"", L""});
  PageWindows pages(t);
  const std::size_t before = acPageHandlerCount();
  {
    // A tab control whose handler has no manager answers command 27 with none.
    auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, nullptr, "PAGECONTROL");
    handler->InitPages();
    EXPECT_EQ(acPageHandlerCount(), before);
  }
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  EXPECT_EQ(acPageHandlerCount(), before + 2);
  DestroyWindow(t);
}

TEST_F(TabHandlers, ClassLibraryPagesGetHandlersNamingTheirSheets) {
  test::Owned<TForm> form{new TForm(nullptr)};
  form->SetBounds(0, 0, 400, 300);
  auto* pc = new TPageControl(form.get());
  pc->SetParent(form.get());
  pc->SetBounds(8, 8, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 3; ++i) {
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pc);
    sheet->SetCaption(L"Page " + std::to_wstring(i));
    sheet->Handle();
    sheets.push_back(sheet);
  }
  TsCommonData data(pc, true);
  data.SetSkinManager(manager.get());
  const std::size_t before = acPageHandlerCount();
  auto handler = TacMainWnd::Create<TacPageControlWnd>(pc->Handle(), &data, manager.get(), "PAGECONTROL");
  ASSERT_EQ(acPageHandlerCount(), before + 3);
  for (TTabSheet* sheet : sheets) {
    auto* page = dynamic_cast<TacPageWnd*>(Ac_GetHandlerFromHwnd(sheet->Handle()));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Page, sheet);
    EXPECT_EQ(page->SkinData->SkinSection(), "CHECKBOX");
  }
  handler->InitPages();
  EXPECT_EQ(acPageHandlerCount(), before + 3);
  acFreePageHandlers();
  handler.reset();
}

TEST_F(TabHandlers, RepeatedPaintsKeepNoGdiObjects) {
  HWND t = Tabs(TCS_VERTICAL | TCS_MULTILINE, {L"One", L"Two", L"Three"});
  auto handler = TacMainWnd::Create<TacPageControlWnd>(t, nullptr, manager.get(), "");
  auto bmp = NewBitmap32(kW, kH);
  for (int i = 0; i < 5; ++i) {
    SendMessageW(t, WM_PRINT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    SendMessageW(t, WM_PRINT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  EXPECT_LE(test::LiveGdiObjects(), before);
  DestroyWindow(t);
}

TEST_F(TabHandlers, SunkenEdgeGetsATwoPixelSkinnedFrame) {
  NativeWindow edge(L"STATIC", WS_CHILD | WS_VISIBLE, 120, 40, parent, WS_EX_STATICEDGE, L"Edge");
  auto handler = TacMainWnd::Create<TacEdgeWnd>(edge, nullptr, manager.get(), "EDIT");
  auto got = NewBitmap32(120, 40);
  SendMessageW(edge, WM_PAINT, WPARAM(got->Canvas()->Handle()), 0);
  auto want = NewBitmap32(120, 40);
  SectionAt(want.get(), "EDIT", 0, {0, 0, 120, 40}, nullptr);
  const auto frame = [](int x, int y) { return x < 2 || y < 2 || x >= 118 || y >= 38; };
  EXPECT_EQ(Differing(got.get(), want.get(), frame), 0);
  EXPECT_NE(Differing(got.get(), want.get(), [&](int x, int y) { return !frame(x, y); }), 0)
      << "inside the frame the static paints itself";
}

TEST(WndUnit, StartUpResolvesAndTheLastShutdownFreesEverything) {
  ASSERT_TRUE(acWndUnitStarted()) << "started with the process";
  EXPECT_NE(Ac_GetScrollBarInfo, nullptr);
  EXPECT_NE(Ac_InitializeFlatSB, nullptr);
  EXPECT_NE(Ac_UninitializeFlatSB, nullptr);
  std::vector<int> ran;
  acWndUnitStartup();
  acAddUnitShutdownStep([&] { ran.push_back(1); });
  acAddUnitShutdownStep([&] { ran.push_back(2); });
  acWndUnitShutdown();
  EXPECT_TRUE(ran.empty()) << "still started once";
  EXPECT_NE(Ac_InitializeFlatSB, nullptr);
  // The process's own start balanced too: everything goes.
  acWndUnitShutdown();
  EXPECT_EQ(ran, (std::vector<int>{2, 1}));
  EXPECT_FALSE(acWndUnitStarted());
  EXPECT_EQ(Ac_GetScrollBarInfo, nullptr);
  EXPECT_EQ(Ac_InitializeFlatSB, nullptr);
  acWndUnitShutdown();
  EXPECT_EQ(ran.size(), 2u) << "a shutdown more than started does nothing";
  acWndUnitStartup();
  EXPECT_NE(Ac_InitializeFlatSB, nullptr);
}

}  // namespace
}  // namespace skin
