// The frame handler of a skinned standard dialog on real dialogs made on the test's thread, with
// our skin and a fake host: the cache against the sections and title-button cells painted
// directly, the button images a dialog's styles choose, the region's corners, the close button's
// press and release, the dialog brush and the icon copies.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acMoveAnim.h"
#include "skin/forms/acSBAnimation.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using classlib::TBitmap;
using test::ManagerWithOurSkin;
using test::Owned;

struct FakeHost : IacDialogHost {
  int rescans = 0;
  void RescanControls() override { ++rescans; }
  void PrintControls(HDC) override {}
};

int g_closeCommands = 0;

INT_PTR CALLBACK CountingDlgProc(HWND, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
    ++g_closeCommands;
    return TRUE;  // the dialog stays
  }
  return FALSE;
}

// A dialog from a template in memory: no controls, the system font.
HWND MakeDialog(DWORD style, const wchar_t* title, short cx = 180, short cy = 90) {
  alignas(4) WORD buffer[128] = {};
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
  t->style = style;
  t->x = 10;
  t->y = 10;
  t->cx = cx;
  t->cy = cy;
  WORD* p = reinterpret_cast<WORD*>(t + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the dialog class
  for (const wchar_t* c = title; *c != 0; ++c) *p++ = static_cast<WORD>(*c);
  *p++ = 0;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, nullptr, CountingDlgProc, 0);
}

constexpr DWORD kMessageBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

struct Dialog {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  FakeHost host;
  HWND h = nullptr;
  THandler<TacDialogWnd> wnd;
  explicit Dialog(DWORD style = kMessageBoxStyle, const wchar_t* title = L"Tarvisel", DWORD exStyle = 0) {
    h = MakeDialog(style, title);
    if (h == nullptr) return;
    if (exStyle != 0) SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | exStyle);
    wnd = TacMainWnd::Create<TacDialogWnd>(h, nullptr, manager.get(), "DIALOG", false, &host);
    wnd->InitParams();
    SendMessageW(h, SM_ALPHACMD, AlphaCmd(ACMD_NEWSKIN), reinterpret_cast<LPARAM>(manager.get()));
  }
  ~Dialog() {
    wnd.reset();
    if (IsWindow(h)) DestroyWindow(h);
  }
  RECT Window() const {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  int Width() const { return Window().right - Window().left; }
  int Height() const { return Window().bottom - Window().top; }
  // Where the client area starts inside the window, read from the system.
  POINT ClientOrigin() const {
    POINT p{0, 0};
    ClientToScreen(h, &p);
    return {p.x - Window().left, p.y - Window().top};
  }
  TBitmap* Render() {
    wnd->SkinData->BGChanged = true;
    wnd->PaintAll();
    return wnd->SkinData->CacheBmp();
  }
  int Mask(const char* name) const {
    return manager->GetMaskIndex(manager->GetSkinIndex("GLOBALINFO"), "GLOBALINFO", name);
  }
};

std::uint32_t Px(TBitmap* b, int x, int y) { return b->Image32View().At(x, y).U & 0x00FFFFFFu; }

int Differences(TBitmap* a, TBitmap* b, const TRect& r) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += Px(a, x, y) != Px(b, x, y) ? 1 : 0;
  return n;
}

// "DIALOG" over the whole window, "DIALOGTITLE" over the band above the client area.
std::unique_ptr<TBitmap> Reference(Dialog& d, int state, int titleBottom) {
  auto ref = NewBitmap32(d.Width(), d.Height());
  TsSkinManager* m = d.manager.get();
  PaintItem(m->GetSkinIndex("DIALOG"), "DIALOG", EmptyCI, true, state, TRect{0, 0, ref->Width(), ref->Height()},
            TPoint{}, ref.get(), m);
  PaintItem(m->GetSkinIndex("DIALOGTITLE"), "DIALOGTITLE", MakeCacheInfo(ref.get()), true, state,
            TRect{0, 0, ref->Width(), titleBottom}, TPoint{}, ref.get(), m);
  return ref;
}

class DialogWndTest : public ::testing::Test {
 protected:
  void SetUp() override { g_closeCommands = 0; }
};

TEST_F(DialogWndTest, CacheHoldsTheTitleAndTheCloseCellOfEachState) {
  // Our skin's "SICONCLOSE": three cells of 24 x 18 pixels.
  constexpr int kCellWidth = 24, kCellHeight = 18;
  for (bool active : {true, false})
    for (int state : {0, 1, 2}) {
      const std::string name = std::string(active ? "active" : "inactive") + ", close state " + std::to_string(state);
      Dialog d;
      ASSERT_NE(d.h, nullptr);
      ShowWindow(d.h, SW_SHOW);
      SendMessageW(d.h, WM_NCACTIVATE, active ? TRUE : FALSE, 0);
      ASSERT_EQ(d.wnd->FormActive(), active) << name;
      d.wnd->ButtonClose.State = state;
      TBitmap* cache = d.Render();
      ASSERT_EQ(cache->Width(), d.Width()) << name;
      ASSERT_EQ(cache->Height(), d.Height()) << name;
      const POINT client = d.ClientOrigin();
      const int border = client.x;
      auto ref = Reference(d, active ? 1 : 0, client.y);
      const TRect cell{d.Width() - border - kCellWidth, (client.y - kCellHeight) / 2, d.Width() - border,
                       (client.y - kCellHeight) / 2 + kCellHeight};
      EXPECT_EQ(d.wnd->ButtonClose.Rect, cell) << name;
      // The band between the caption text and the button, the frame around the client area.
      EXPECT_EQ(Differences(cache, ref.get(), TRect{cell.Left - 6, 0, cell.Left, client.y}), 0) << name;
      EXPECT_EQ(Differences(cache, ref.get(), TRect{0, client.y, border, d.Height()}), 0) << name;
      EXPECT_EQ(Differences(cache, ref.get(), TRect{0, d.Height() - border, d.Width(), d.Height()}), 0) << name;
      // The caption text is there.
      EXPECT_GT(Differences(cache, ref.get(), TRect{border + 24, 0, border + 60, client.y}), 0) << name;
      // The close cell of the state, faded on an inactive dialog.
      DrawSkinGlyph(ref.get(), TPoint{cell.Left, cell.Top}, state, active ? 1 : 2,
                    d.manager->Records().ma[d.Mask("SICONCLOSE")], MakeCacheInfo(ref.get()));
      EXPECT_EQ(Differences(cache, ref.get(), cell), 0) << name;
    }
}

TEST_F(DialogWndTest, StylesChooseTheTitleButtonImages) {
  struct Case {
    const char* name;
    DWORD style;
    TacBorderStyle border;
    const char* close;
  };
  const Case cases[] = {
      {"message box", kMessageBoxStyle, acbsDialog, "SICONCLOSE"},
      {"sizeable, close alone", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, acbsSizeable, "BICLOSEALONE"},
      {"sizeable with min and max",
       WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, acbsSizeable,
       "BICONCLOSE"},
  };
  for (const Case& c : cases) {
    Dialog d(c.style);
    ASSERT_NE(d.h, nullptr) << c.name;
    EXPECT_EQ(d.wnd->BorderStyle, c.border) << c.name;
    EXPECT_EQ(d.wnd->ButtonClose.ImageIndex, d.Mask(c.close)) << c.name;
    EXPECT_EQ(d.wnd->TitleSection, "DIALOGTITLE") << c.name;
    // The system draws no buttons of its own; the handler still shows its close button.
    EXPECT_EQ(GetWindowLongPtrW(d.h, GWL_STYLE) & WS_SYSMENU, 0) << c.name;
    EXPECT_TRUE(d.wnd->VisibleClose()) << c.name;
  }
}

TEST_F(DialogWndTest, MissingImagesFallBack) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  // A skin without small title-button images: the big ones, aligned like big buttons.
  auto& masks = d.manager->Records().ma;
  masks[d.Mask("SICONCLOSE")].PropertyName = "GONE";
  d.wnd->UpdateIconsIndexes();
  EXPECT_EQ(d.wnd->ButtonClose.ImageIndex, d.Mask("BICLOSEALONE"));
  EXPECT_TRUE(d.wnd->ButtonClose.HaveAlignment);
  // No images at all: 21-pixel buttons, nothing drawn, nothing hit but the caption.
  for (TsCaptionButton* b : {&d.wnd->ButtonClose, &d.wnd->ButtonMin, &d.wnd->ButtonMax, &d.wnd->ButtonHelp})
    b->ImageIndex = -1;
  EXPECT_EQ(d.wnd->SysButtonWidth(d.wnd->ButtonClose), 21);
  EXPECT_EQ(d.wnd->ButtonHeight(d.wnd->ButtonClose.ImageIndex), 21);
  EXPECT_EQ(d.wnd->TitleBtnsWidth(), 21);
  d.wnd->ButtonClose.Rect = {};
  TBitmap* cache = d.Render();
  auto ref = Reference(d, 1, d.ClientOrigin().y);
  const int right = d.Width() - d.ClientOrigin().x;
  EXPECT_EQ(Differences(cache, ref.get(), TRect{right - 21, 0, right, d.ClientOrigin().y}), 0);
}

// The leftmost and rightmost column of R where A differs from B; -1 when none.
std::pair<int, int> DifferingColumns(TBitmap* a, TBitmap* b, const TRect& r) {
  int first = -1, last = -1;
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (Px(a, x, y) != Px(b, x, y)) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

TEST_F(DialogWndTest, CaptionTextStaysBetweenIconAndButtonsRightAlignedWhenReadRightToLeft) {
  struct Case {
    const char* name;
    const wchar_t* title;
    DWORD exStyle;
  };
  const Case cases[] = {
      {"short", L"Tarvisel", 0},
      {"short, right to left", L"Tarvisel", WS_EX_RTLREADING},
      {"too long", L"Tarvisel Tarvisel Tarvisel Tarvisel Tarvisel Tarvisel Tarvisel Tarvisel", 0},
  };
  for (const Case& c : cases) {
    Dialog d(kMessageBoxStyle, c.title, c.exStyle);
    ASSERT_NE(d.h, nullptr) << c.name;
    TBitmap* cache = d.Render();
    const POINT client = d.ClientOrigin();
    auto ref = Reference(d, 1, client.y);
    // Text from 4 pixels right of the small icon to 6 pixels left of the width of the one title
    // button (a 24-pixel "SICONCLOSE" cell) from the window's right edge.
    const int left = client.x + GetSystemMetrics(SM_CXSMICON) + 4;
    const int right = d.Width() - 24 - 6;
    ASSERT_LT(right, d.wnd->ButtonClose.Rect.Left) << c.name;
    const auto [first, last] = DifferingColumns(cache, ref.get(), TRect{left - 2, 0, right + 6, client.y});
    ASSERT_GE(first, 0) << c.name;
    EXPECT_GE(first, left) << c.name;
    EXPECT_LT(last, right) << c.name;
    const int width = last - first;
    if (c.exStyle != 0) {
      EXPECT_GT(last, right - 6) << c.name;
      EXPECT_GT(first, left + 20) << c.name;
    } else {
      EXPECT_LT(first, left + 4) << c.name;
      if (std::wstring(c.title).size() > 20)
        EXPECT_GT(width, right - left - 12) << c.name;
      else
        EXPECT_LT(width, (right - left) / 2) << c.name;
    }
  }
}

TEST_F(DialogWndTest, ClientAreaAndChildrenGetTheCacheUnderTheFrame) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  RECT c{};
  GetClientRect(d.h, &c);
  const POINT client = d.ClientOrigin();
  // A child asking for its background gets the section's plain colour (FORM's COLOR=16184563, which
  // DIALOG inherits), and where the client area starts in the cache.
  TacBGInfo info;
  SendMessageW(d.h, SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.BgType, TacBGType::btFill);
  EXPECT_EQ(info.Color, static_cast<TColor>(16184563));
  EXPECT_EQ(SendMessageW(d.h, SM_ALPHACMD, AlphaCmd(ACMD_GETOFFSET), 0), MAKELONG(client.x, client.y));
  // Erasing paints the client area from the cache; the first erase asks the host for the children.
  d.Render();
  d.wnd->SkinData->CacheBmp()->Image32View().At(client.x + 5, client.y + 3).U = 0xFF102030u;
  auto printed = NewBitmap32(c.right, c.bottom);
  const int rescans = d.host.rescans;
  EXPECT_EQ(SendMessageW(d.h, WM_ERASEBKGND, WPARAM(printed->Canvas()->Handle()), 0), 1);
  EXPECT_EQ(d.host.rescans, rescans + 1);
  auto ref = Reference(d, 1, client.y);
  ref->Image32View().At(client.x + 5, client.y + 3).U = 0xFF102030u;
  int differ = 0;
  for (int y = 0; y < c.bottom; ++y)
    for (int x = 0; x < c.right; ++x) differ += Px(printed.get(), x, y) != Px(ref.get(), x + client.x, y + client.y);
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(Px(printed.get(), 5, 3), 0x102030u);
}

TEST_F(DialogWndTest, ClientPaintLeavesChildrenAloneButGroupBoxes) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  const auto child = [&](const wchar_t* cls, DWORD style, int x) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, 10, 40, 20, d.h, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  ASSERT_NE(child(L"STATIC", SS_LEFT, 10), nullptr);
  ASSERT_NE(child(L"BUTTON", BS_GROUPBOX, 60), nullptr);
  ShowWindow(d.h, SW_SHOW);
  UpdateWindow(d.h);
  d.Render();
  RECT c{};
  GetClientRect(d.h, &c);
  // The dialog's own window: its DC reaches under the children (a dialog clips none).
  HDC dc = GetDC(d.h);
  HBRUSH marker = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
  FillRect(dc, &c, marker);
  DeleteObject(marker);
  SendMessageW(d.h, WM_ERASEBKGND, WPARAM(dc), 0);
  const COLORREF dialog = RGB(0xF3, 0xF4, 0xF6);  // FORM's COLOR=16184563, inherited by DIALOG
  EXPECT_EQ(GetPixel(dc, 5, 5), dialog);
  EXPECT_EQ(GetPixel(dc, 25, 20), RGB(0x10, 0x20, 0x30)) << "under the static: left to it";
  EXPECT_EQ(GetPixel(dc, 75, 20), dialog) << "under the group box: the dialog shows through";
  ReleaseDC(d.h, dc);
}

TEST_F(DialogWndTest, AChildErasingThroughTheDialogGetsTheDialogUnderItself) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 40, 20, d.h, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  d.Render();
  // A picture of the child, whose background is asked of the dialog with the origin moved to the
  // child's place, as a transparent tool bar or a themed control asks for it.
  auto printed = NewBitmap32(40, 20);
  HDC dc = printed->Canvas()->Handle();
  HBRUSH marker = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
  const RECT all{0, 0, 40, 20};
  FillRect(dc, &all, marker);
  DeleteObject(marker);
  SetWindowOrgEx(dc, 10, 10, nullptr);
  SendMessageW(d.h, WM_ERASEBKGND, WPARAM(dc), 0);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  const std::uint32_t dialog = 0xF3F4F6u;
  EXPECT_EQ(Px(printed.get(), 0, 0), dialog);
  EXPECT_EQ(Px(printed.get(), 39, 19), dialog);
}

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

TEST_F(DialogWndTest, ScreenShowsTheCacheInFrameAndClientArea) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  SetWindowPos(d.h, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(d.h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  // Marks in the cache, one in each part, show where each part of it lands on the screen.
  const RECT w = d.Window();
  const POINT client = d.ClientOrigin();
  TBitmap* cache = d.wnd->SkinData->CacheBmp();
  ASSERT_FALSE(d.wnd->SkinData->BGChanged);
  const int right = w.right - w.left - 1, bottom = w.bottom - w.top - 1;
  for (const auto& [x, y] : {std::pair{5, 2},
                             {client.x + 5, client.y + 3},
                             {client.x - 1, client.y + 7},
                             {right, client.y + 9},
                             {client.x + 11, bottom}})
    cache->Image32View().At(x, y).U = 0xFF102030u;
  RedrawWindow(d.h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  const int width = w.right - w.left, height = w.bottom - w.top;
  auto screen = NewBitmap32(width, height);
  const HDC desktop = GetDC(nullptr);
  BitBlt(screen->Canvas()->Handle(), 0, 0, width, height, desktop, w.left, w.top, SRCCOPY);
  ReleaseDC(nullptr, desktop);
  ASSERT_EQ(cache->Width(), width);
  ASSERT_EQ(cache->Height(), height);
  EXPECT_EQ(Differences(screen.get(), cache, TRect{0, 0, width, client.y}), 0) << "title band";
  EXPECT_EQ(Differences(screen.get(), cache, TRect{0, client.y, client.x, height}), 0) << "left";
  EXPECT_EQ(Differences(screen.get(), cache, TRect{width - client.x, client.y, width, height}), 0) << "right";
  EXPECT_EQ(Differences(screen.get(), cache, TRect{0, height - client.x, width, height}), 0) << "bottom";
  EXPECT_EQ(Differences(screen.get(), cache, TRect{client.x, client.y, width - client.x, height - client.x}), 0)
      << "client area";
}

TEST_F(DialogWndTest, DoubleClicks) {
  {
    Dialog d;  // a message box cannot be maximized
    ASSERT_NE(d.h, nullptr);
    ShowWindow(d.h, SW_SHOW);
    SendMessageW(d.h, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_FALSE(IsZoomed(d.h));
    SendMessageW(d.h, WM_NCLBUTTONDBLCLK, HTSYSMENU, 0);
    EXPECT_EQ(g_closeCommands, 1);
  }
  Dialog d(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX);
  ASSERT_NE(d.h, nullptr);
  ShowWindow(d.h, SW_SHOW);
  SendMessageW(d.h, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_TRUE(IsZoomed(d.h));
  SendMessageW(d.h, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_FALSE(IsZoomed(d.h));
}

// The region's pixels: which of the window's pixels it keeps.
std::vector<bool> RegionPixels(HWND h, int w, int hgt) {
  std::vector<bool> in(static_cast<std::size_t>(w) * hgt);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(h, rgn);
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x) in[static_cast<std::size_t>(y) * w + x] = kind == ERROR || PtInRegion(rgn, x, y);
  DeleteObject(rgn);
  return in;
}

TEST_F(DialogWndTest, RegionCutsTheKeyCornersOfTheFrameImage) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  const int border = d.wnd->SkinData->BorderIndex;
  ASSERT_TRUE(d.manager->IsValidImgIndex(border));
  // The fixture: three key pixels in each corner of the frame image's first cell.
  const TsMaskData& md = d.manager->Records().ma[border];
  const TImage32View src = md.Source();
  const int cw = (md.R.Right - md.R.Left) / md.ImageCount;
  const int ch = HeightOfImage(md);
  const auto key = [&](int x, int y) { src.At(md.R.Left + x, md.R.Top + y).U = classlib::kKeyPixel; };
  for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
    key(x, y);
    key(cw - 1 - x, y);
    key(x, ch - 1 - y);
    key(cw - 1 - x, ch - 1 - y);
  }
  ShowWindow(d.h, SW_SHOW);
  d.wnd->RgnChanged = true;
  SendMessageW(d.h, WM_NCPAINT, 1, 0);
  EXPECT_FALSE(d.wnd->RgnChanged);
  EXPECT_FALSE(DlgRgnUpdating);
  const int w = d.Width(), h = d.Height();
  const std::vector<bool> in = RegionPixels(d.h, w, h);
  int cut = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
      const bool corner = dx + dy <= 1;  // (0, 0), (1, 0), (0, 1) mirrored into each corner
      EXPECT_EQ(in[static_cast<std::size_t>(y) * w + x], !corner) << x << "," << y;
      cut += corner ? 1 : 0;
    }
  EXPECT_EQ(cut, 12);
  // Freed while the dialog stays: the system's frame again, its buttons and no region.
  d.wnd.reset();
  EXPECT_NE(GetWindowLongPtrW(d.h, GWL_STYLE) & WS_SYSMENU, 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(d.h, rgn), ERROR);
  DeleteObject(rgn);
}

TEST_F(DialogWndTest, HotTitleButtonGlowsInALayeredWindowThatGoesWithTheHandler) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  ASSERT_TRUE(d.manager->GetAllowGlowing());
  ShowWindow(d.h, SW_SHOW);
  d.Render();
  const RECT w = d.Window();
  const TRect& b = d.wnd->ButtonClose.Rect;
  const LPARAM overClose = MAKELPARAM(w.left + (b.Left + b.Right) / 2, w.top + (b.Top + b.Bottom) / 2);
  ASSERT_EQ(SendMessageW(d.h, WM_NCHITTEST, 0, overClose), HTCLOSE);
  TacSBAnimation* glow = d.wnd->ButtonClose.Timer;
  ASSERT_NE(glow, nullptr);
  ASSERT_TRUE(glow->AForm);
  const HWND glowWnd = glow->AForm->Handle();
  RECT g{};
  GetWindowRect(glowWnd, &g);
  // Our skin has no glow picture: the window is the button, where the button is.
  EXPECT_EQ((TRect{g.left, g.top, g.right, g.bottom}),
            (TRect{w.left + b.Left, w.top + b.Top, w.left + b.Right, w.top + b.Bottom}));
  EXPECT_NE(GetWindowLongPtrW(glowWnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_TRUE(IsWindowVisible(glowWnd));
  d.wnd.reset();
  EXPECT_FALSE(IsWindow(glowWnd));
}

struct DialogMoveSpy {
  static inline TacDialogWnd* wnd = nullptr;
  static inline bool blending = false;
  static inline int alpha = -1;
  static void Loop(HWND h) {
    blending = (wnd->FormState & kFormBlending) != 0;
    BYTE a = 0;
    DWORD flags = 0;
    if ((GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0 && GetLayeredWindowAttributes(h, nullptr, &a, &flags))
      alpha = a;
  }
};

TEST_F(DialogWndTest, CaptionDragRunsLayeredAndEndsOpaque) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  ShowWindow(d.h, SW_SHOW);
  d.Render();
  TacBlendOnMoving& blend = d.manager->AnimEffects().BlendOnMoving();
  blend.SetActive(true);
  DialogMoveSpy::wnd = d.wnd.get();
  SetMoveLoop(&DialogMoveSpy::Loop);
  const RECT w = d.Window();
  const TRect& b = d.wnd->ButtonClose.Rect;
  const LPARAM overCaption = MAKELPARAM(w.left + 40, w.top + (b.Top + b.Bottom) / 2);
  ASSERT_EQ(SendMessageW(d.h, WM_NCHITTEST, 0, overCaption), HTCAPTION);
  SendMessageW(d.h, WM_NCLBUTTONDOWN, HTCAPTION, overCaption);
  SetMoveLoop(nullptr);
  EXPECT_TRUE(DialogMoveSpy::blending);
  EXPECT_EQ(DialogMoveSpy::alpha, 255);
  EXPECT_EQ(GetWindowLongPtrW(d.h, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(d.wnd->FormState & kFormBlending, 0u);
}

TEST_F(DialogWndTest, CloseActsOnlyWhenReleasedOverTheButtonItWentDownOn) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  // The button's looks are painted into the frame itself: no glow window takes them over.
  d.manager->SetAllowGlowing(false);
  ShowWindow(d.h, SW_SHOW);
  d.Render();
  const RECT w = d.Window();
  const TRect& b = d.wnd->ButtonClose.Rect;
  ASSERT_GT(b.Right, b.Left);
  const LPARAM overClose = MAKELPARAM(w.left + (b.Left + b.Right) / 2, w.top + (b.Top + b.Bottom) / 2);
  const LPARAM overCaption = MAKELPARAM(w.left + 40, w.top + (b.Top + b.Bottom) / 2);
  const auto press = [&] {
    EXPECT_EQ(SendMessageW(d.h, WM_NCHITTEST, 0, overClose), HTCLOSE);
    EXPECT_EQ(d.wnd->ButtonClose.State, 1);
    SendMessageW(d.h, WM_NCLBUTTONDOWN, HTCLOSE, overClose);
    EXPECT_EQ(d.wnd->ButtonClose.State, 2);
  };
  const int iconX = w.left + d.ClientOrigin().x + 4;
  EXPECT_EQ(SendMessageW(d.h, WM_NCHITTEST, 0, MAKELPARAM(iconX, w.top + (b.Top + b.Bottom) / 2)), HTSYSMENU);
  // The pressed cell is in the cache at once.
  press();
  {
    const POINT client = d.ClientOrigin();
    auto ref = Reference(d, 1, client.y);
    DrawSkinGlyph(ref.get(), TPoint{b.Left, b.Top}, 2, 1, d.manager->Records().ma[d.Mask("SICONCLOSE")],
                  MakeCacheInfo(ref.get()));
    EXPECT_EQ(Differences(d.wnd->SkinData->CacheBmp(), ref.get(), b), 0);
  }
  // Moved to the caption and released there.
  EXPECT_EQ(SendMessageW(d.h, WM_NCHITTEST, 0, overCaption), HTCAPTION);
  EXPECT_EQ(d.wnd->ButtonClose.State, 0);
  SendMessageW(d.h, WM_NCLBUTTONUP, HTCAPTION, overCaption);
  EXPECT_EQ(g_closeCommands, 0);
  // A client release carries key flags, not a hit code (20 = shift and middle button).
  press();
  SendMessageW(d.h, WM_LBUTTONUP, 20, MAKELPARAM(10, 10));
  SendMessageW(d.h, WM_NCLBUTTONUP, HTCLOSE, overClose);
  EXPECT_EQ(g_closeCommands, 0);
  // Released over the button.
  press();
  SendMessageW(d.h, WM_NCLBUTTONUP, HTCLOSE, overClose);
  EXPECT_EQ(g_closeCommands, 1);
  EXPECT_EQ(d.wnd->ButtonClose.State, 0);
  EXPECT_FALSE(DlgBtnPressed);
  // Leaving the window through the frame clears a press.
  press();
  SendMessageW(d.h, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(d.wnd->ButtonClose.State, 0);
  EXPECT_FALSE(DlgBtnPressed);
  SendMessageW(d.h, WM_NCLBUTTONUP, HTCLOSE, overClose);
  EXPECT_EQ(g_closeCommands, 1);
}

TEST_F(DialogWndTest, OneBrushPerColourTheReplacedOneDeleted) {
  Dialog d;
  ASSERT_NE(d.h, nullptr);
  const HDC dc = GetDC(d.h);
  const auto ask = [&] { return reinterpret_cast<HBRUSH>(SendMessageW(d.h, WM_CTLCOLORDLG, WPARAM(dc), LPARAM(d.h))); };
  const HBRUSH first = ask();
  EXPECT_EQ(ask(), first);
  ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
  LOGBRUSH lb{};
  GetObjectW(first, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(0xF3, 0xF4, 0xF6));  // our skin's GLOBALINFO COLOR=16184563
  // Another global colour: a new brush, the old one gone.
  d.manager->Records().gd[d.manager->GetSkinIndex("GLOBALINFO")].Color = RGB(10, 20, 30);
  const HBRUSH second = ask();
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0u);
  GetObjectW(second, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));
  ReleaseDC(d.h, dc);
  // The last one goes with the handler.
  d.wnd.reset();
  EXPECT_EQ(GetObjectType(second), 0u);
}

std::vector<HICON> g_copies;
HICON RecordingCopier(HICON icon, int w, int h) {
  HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
  g_copies.push_back(copy);
  return copy;
}

bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return true;
}

TEST_F(DialogWndTest, IconCopiesGoAfterDrawingTheDialogsIconStays) {
  // A 32 x 32 icon of the dialog's own: a white square with a black cross.
  std::vector<BYTE> andBits(32 * 4, 0x00), xorBits(32 * 4, 0xFF);
  for (int i = 0; i < 32; ++i)
    xorBits[static_cast<std::size_t>(i) * 4 + i / 8] &= static_cast<BYTE>(~(0x80 >> (i % 8)));
  HICON own = CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andBits.data(), xorBits.data());
  ASSERT_NE(own, nullptr);
  g_copies.clear();
  SetDialogIconCopier(&RecordingCopier);
  {
    Dialog d;
    ASSERT_NE(d.h, nullptr);
    SendMessageW(d.h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    d.wnd->InitParams();
    EXPECT_EQ(d.wnd->TitleIcon, own);
    for (int i = 0; i < 100; ++i) d.Render();
    // The icon is in the title.
    const TRect r = d.wnd->IconRect();
    auto ref = Reference(d, 1, d.ClientOrigin().y);
    EXPECT_GT(Differences(d.wnd->SkinData->CacheBmp(), ref.get(), r), 0);
  }
  SetDialogIconCopier(nullptr);
  ASSERT_GE(g_copies.size(), 101u);  // the glyph and one per paint
  int alive = 0;
  for (HICON copy : g_copies) alive += copy != nullptr && IconAlive(copy) ? 1 : 0;
  EXPECT_EQ(alive, 0);
  EXPECT_TRUE(IconAlive(own));
  DestroyIcon(own);
}

}  // namespace
}  // namespace skin
