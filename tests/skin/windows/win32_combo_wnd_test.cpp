// The combo-box handler on native combo boxes under Wine: the drop-down button in every state
// against the skin's button section painted directly, the button's place by style, the list
// hooked on its first colour question and given back with its plain border, and one brush for
// the list's colour questions.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acComboWnd.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using test::NativeWindow;

struct ComboHandler : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400};
  HWND combo = nullptr;
  THandler<TacComboBoxWnd> handler;

  void Make(DWORD style, DWORD exStyle = 0) {
    combo = CreateWindowExW(exStyle, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 20, 20, 160, 240,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < 32; ++i) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM((L"item " + std::to_wstring(i)).c_str()));
    handler = TacMainWnd::Create<TacComboBoxWnd>(combo, nullptr, manager.get(), "COMBOBOX", true);
  }
  void TearDown() override {
    acDlgMode = false;
    if (manager) manager->SetActiveControl(nullptr);
    handler.reset();
    if (IsWindow(combo)) DestroyWindow(combo);
  }
  HWND List() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info.hwndList;
  }
  TSize Size() {
    RECT r{};
    GetWindowRect(combo, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  static int Differing(classlib::TBitmap* a, TRect ra, classlib::TBitmap* b) {
    const TImage32View va = View32(a), vb = View32(b);
    int n = 0;
    for (int y = 0; y < ra.Bottom - ra.Top; ++y)
      for (int x = 0; x < ra.Right - ra.Left; ++x) {
        const TsColor_ p = va.At(ra.Left + x, ra.Top + y), q = vb.At(x, y);
        if (p.R != q.R || p.G != q.G || p.B != q.B) ++n;
      }
    return n;
  }
};

TEST_F(ComboHandler, ButtonPlaceByStyle) {
  const int bw = GetSystemMetrics(SM_CXVSCROLL);
  struct Case {
    DWORD style, exStyle;
    int left, width;  // left: -1 for "at the right edge"
  } const cases[] = {
      {CBS_DROPDOWNLIST, 0, -1, bw},
      {CBS_DROPDOWN, 0, -1, bw},
      {CBS_DROPDOWN, WS_EX_RTLREADING, 2, bw},
      {CBS_SIMPLE, 0, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    TearDown();
    Make(c.style, c.exStyle);
    const TSize s = Size();
    const TRect r = handler->ButtonRect();
    EXPECT_EQ(r.Left, c.left >= 0 ? c.left : s.cx - c.width - 2);
    EXPECT_EQ(r.Right - r.Left, c.width);
    EXPECT_EQ(r.Top, 2);
    EXPECT_EQ(r.Bottom, s.cy - 2);
  }
}

TEST_F(ComboHandler, ButtonShowsNormalHotAndPressedWhileDropped) {
  Make(CBS_DROPDOWNLIST);
  const TConstantSkinData& cd = manager->Records().ConstData;
  ASSERT_GE(cd.ComboBtnIndex, 0);
  ASSERT_TRUE(manager->IsValidImgIndex(cd.ComboGlyph));
  const TsMaskData& glyph = manager->Records().ma[std::size_t(cd.ComboGlyph)];
  const TSize s = Size();
  const int bw = GetSystemMetrics(SM_CXVSCROLL);
  const TRect button{s.cx - bw - 2, 2, s.cx - 2, s.cy - 2};
  const int cellW = (glyph.R.Right - glyph.R.Left) / std::max(1, int(glyph.ImageCount));
  const int cellH = (glyph.R.Bottom - glyph.R.Top) / (glyph.MaskType + 1);

  struct Case {
    const char* name;
    int state;
  } const cases[] = {{"normal", 0}, {"hot", 1}, {"dropped", 2}};
  std::unique_ptr<classlib::TBitmap> wanted[3];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->SetActiveControl(c.state == 1 ? combo : nullptr);
    if (c.state == 2) {
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      ASSERT_TRUE(IsWindowVisible(List()));
    }
    auto got = NewBitmap32(s.cx, s.cy);
    SendMessageW(combo, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT);
    if (c.state == 2) SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

    // The button section straight over the frame under it, the glyph's cell centred.
    classlib::TBitmap* frame = handler->SkinData->CacheBmp();
    ASSERT_EQ(frame->Width(), s.cx);
    auto want = NewBitmap32(button.Right - button.Left, button.Bottom - button.Top);
    ASSERT_EQ(PaintSection(want.get(), "COMBOBTN", "", c.state, manager.get(), TPoint{button.Left, button.Top}, 0,
                           frame->Canvas()->Handle()),
              cd.ComboBtnIndex);
    DrawSkinGlyph(want.get(), TPoint{(bw - cellW) / 2, (s.cy - cellH) / 2 - button.Top}, c.state, 1, glyph,
                  MakeCacheInfo(want.get()));
    EXPECT_EQ(Differing(got.get(), button, want.get()), 0);
    wanted[c.state] = std::move(want);
  }
  // The three looks differ, so that a wrong state shows.
  const TRect all{0, 0, button.Right - button.Left, button.Bottom - button.Top};
  EXPECT_GT(Differing(wanted[0].get(), all, wanted[1].get()), 0);
  EXPECT_GT(Differing(wanted[1].get(), all, wanted[2].get()), 0);
  EXPECT_GT(Differing(wanted[0].get(), all, wanted[2].get()), 0);
}

TEST_F(ComboHandler, SimpleComboFramesItsEditPartAndHasNoButton) {
  Make(CBS_SIMPLE);
  const TSize s = Size();
  const int height = int(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0)) + 8;
  ASSERT_LT(height, s.cy);
  auto got = NewBitmap32(s.cx, s.cy);
  SendMessageW(combo, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT);

  TacBGInfo bg;
  GetBGInfo(bg, HWND(parent), false);
  ASSERT_EQ(bg.BgType, TacBGType::btFill);
  auto want = NewBitmap32(s.cx, height);
  ASSERT_GE(PaintSection(want.get(), "COMBOBOX", "", 0, manager.get(), TPoint{0, 0}, bg.Color, nullptr), 0);
  // The whole edit part, corners aside: the section, and no button on it.
  const TImage32View g = View32(got.get()), e = View32(want.get());
  int differing = 0;
  const int corner = 6;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < s.cx; ++x) {
      if ((x < corner || x >= s.cx - corner) && (y < corner || y >= height - corner)) continue;
      const TsColor_ p = g.At(x, y), q = e.At(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) ++differing;
    }
  EXPECT_EQ(differing, 0);
}

TEST_F(ComboHandler, SimpleComboOfADialogIsOutlinedInTheBorderColourOnTheWindowColour) {
  acDlgMode = true;
  Make(CBS_SIMPLE);
  acDlgMode = false;
  ASSERT_TRUE(handler->DlgMode);
  const TColor border = manager->Records().SkinData.BorderColor;
  ASSERT_NE(border, clFuchsia);
  ASSERT_NE(classlib::ColorToRGB(border), classlib::ColorToRGB(classlib::clWindow));
  const TSize s = Size();
  const int height = int(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0)) + 8;
  auto got = NewBitmap32(s.cx, s.cy);
  SendMessageW(combo, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT);
  const TImage32View g = View32(got.get());
  auto rgb = [&](int x, int y) {
    const TsColor_ p = g.At(x, y);
    return RGB(p.R, p.G, p.B);
  };
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{s.cx / 2, 0}, std::pair{s.cx - 1, height / 2},
                             std::pair{s.cx / 2, height - 1}, std::pair{0, height / 2}})
    EXPECT_EQ(rgb(x, y), classlib::ColorToRGB(border)) << x << "," << y;
  EXPECT_EQ(rgb(s.cx - 4, height / 2), classlib::ColorToRGB(classlib::clWindow)) << "no button";
}

TEST_F(ComboHandler, ListHookedOnItsFirstColourQuestionAndGivenBackWithItsBorder) {
  Make(CBS_DROPDOWNLIST);
  HWND list = List();
  const LONG_PTR original = GetWindowLongPtrW(list, GWLP_WNDPROC);
  const std::size_t live = TacMainWnd::LiveCount();
  EXPECT_FALSE(handler->ListSW);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(list);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  ASSERT_TRUE(handler->ListSW);
  EXPECT_EQ(handler->FListHandle, list);
  EXPECT_EQ(Ac_GetHandlerFromHwnd(list), handler->ListSW.get());
  EXPECT_EQ(TacMainWnd::LiveCount(), live + 1);

  SendMessageW(combo, SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_FALSE(handler->ListSW);
  EXPECT_EQ(handler->FListHandle, nullptr);
  EXPECT_EQ(Ac_GetHandlerFromHwnd(list), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), original);
  EXPECT_EQ(TacMainWnd::LiveCount(), live);
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  EXPECT_NE(style & WS_BORDER, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
}

TEST_F(ComboHandler, FreeingTheComboGivesItsListBack) {
  Make(CBS_DROPDOWN);
  HWND list = List();
  const LONG_PTR original = GetWindowLongPtrW(list, GWLP_WNDPROC);
  const std::size_t before = TacMainWnd::LiveCount() - 1;
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(list);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  ASSERT_TRUE(handler->ListSW);
  handler.reset();
  EXPECT_EQ(TacMainWnd::LiveCount(), before);
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), original);
  EXPECT_EQ(GetPropW(list, kHandlerProp), nullptr);
  // The list still works on its own.
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(list);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 32);
}

TEST_F(ComboHandler, DestroyedComboTakesItsListsHandlerAlong) {
  Make(CBS_DROPDOWNLIST);
  const std::size_t before = TacMainWnd::LiveCount() - 1;
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(List());
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  ASSERT_TRUE(handler->ListSW);
  DestroyWindow(combo);
  EXPECT_TRUE(handler->Destroyed);
  handler.reset();
  EXPECT_EQ(TacMainWnd::LiveCount(), before);
}

TEST_F(ComboHandler, OneBrushForRepeatedQuestionsAndTheReplacedOneDeleted) {
  Make(CBS_DROPDOWNLIST);
  HWND list = List();
  HDC dc = GetDC(list);
  auto ask = [&] {
    return reinterpret_cast<HBRUSH>(SendMessageW(combo, WM_CTLCOLORLISTBOX, WPARAM(dc), LPARAM(list)));
  };
  HBRUSH first = ask();
  ASSERT_NE(first, nullptr);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(ask(), first);
  EXPECT_EQ(GetObjectType(first), DWORD(OBJ_BRUSH));
  LOGBRUSH lb{};
  GetObjectW(first, sizeof lb, &lb);
  const TsGeneralData& edit = manager->Records().gd[std::size_t(manager->GetSkinIndex("EDIT"))];
  EXPECT_EQ(lb.lbColor, classlib::ColorToRGB(edit.Color));

  // Another colour for the list: a new brush, the old one gone.
  ASSERT_TRUE(handler->ListSW);
  ASSERT_NE(manager->Records().gd[std::size_t(manager->GetSkinIndex("SELECTION"))].Color, edit.Color);
  handler->ListSW->SkinData->SetSkinSection("SELECTION");
  HBRUSH second = ask();
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(ask(), second);
  ReleaseDC(list, dc);
  handler.reset();
  EXPECT_EQ(GetObjectType(second), 0u);
}

}  // namespace
}  // namespace skin
