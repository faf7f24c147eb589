// The skinned menus with our skin: item measuring, the hooking rules, items drawn into 32-bit
// bitmaps against the skin's sections, and real pop-ups under Wine with the menu window handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/acMnuWnd.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acMainWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;
using test::Pixel;

TMenuItem* AddItem(TMenuItem* parent, const std::wstring& caption) {
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

struct Menus : ::testing::Test {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  TsSkinableMenus* menus = nullptr;
  std::unique_ptr<TPopupMenu, void (*)(TPopupMenu*)> popup{Create<TPopupMenu>(nullptr), [](TPopupMenu* m) { Free(m); }};
  std::unique_ptr<TBitmap> canvasBmp = NewBitmap32(8, 8);
  void SetUp() override {
    ASSERT_TRUE(manager->Records().SkinData.Active);
    menus = SkinableMenusOf(manager.get());
    ASSERT_NE(menus, nullptr);
    menus->ClearCache();
  }
  void TearDown() override {
    CustomMenuFont.reset();
    SysLocaleMiddleEast = false;
    if (menus) menus->ClearCache();
  }
  TCanvas* C() { return canvasBmp->Canvas(); }
};

// Text height of "W" in a font, read straight from GDI.
int GdiTextHeight(const wchar_t* face, int height) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE s{};
  GetTextExtentPoint32W(dc, L"W", 1, &s);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return s.cy;
}

TEST(MenuItemHeight, TextCellIsAQuarterMoreRoundedHalvesToEven) {
  // 16.25 -> 16, 17.5 -> 18, 22.5 -> 22, 12.5 -> 12, 7.5 -> 8.
  const std::map<int, int> table{{13, 16}, {14, 18}, {18, 22}, {10, 12}, {6, 8}, {0, 0}};
  for (const auto& [text, cell] : table) EXPECT_EQ(MenuTextCellHeight(text), cell) << text;
}

TEST_F(Menus, ItemHeightIsTheTextCellOrTheGlyphPlusMargins) {
  // Text height -> 1.25 x, halves to even, worked by hand for the heights this machine's fonts give.
  const std::map<int, int> cells{{9, 11},  {10, 12}, {11, 14}, {12, 15}, {13, 16}, {14, 18},
                                 {15, 19}, {16, 20}, {17, 21}, {18, 22}, {19, 24}, {20, 25}};
  TMenuItem* item = AddItem(popup->Items(), L"Open");
  TMenuItem* caption = AddItem(popup->Items(), L"-Tools-");
  int tried = 0;
  for (int h = -8; h >= -18; --h) {
    const int text = GdiTextHeight(L"Tahoma", h);
    ASSERT_TRUE(cells.count(text)) << "text height " << text << " is not in the table";
    CustomMenuFont = std::make_unique<TFont>();
    CustomMenuFont->SetName(L"Tahoma");
    CustomMenuFont->SetHeight(h);
    const int cell = cells.at(text);
    EXPECT_EQ(menus->GetItemHeight(C(), item), std::max(cell, 16) + 2 * 2) << "text height " << text;
    EXPECT_EQ(menus->GetItemHeight(C(), caption), cell + 2 * 2) << "text height " << text;
    ++tried;
  }
  EXPECT_EQ(tried, 11);
}

TEST_F(Menus, MeasuresDividersCaptionsShortcutsAndTheExtraLine) {
  CustomMenuFont = std::make_unique<TFont>();
  CustomMenuFont->SetName(L"Tahoma");
  CustomMenuFont->SetHeight(-11);
  const int textH = GdiTextHeight(L"Tahoma", -11);
  const int cell = static_cast<int>(std::nearbyint(1.25 * textH));
  TMenuItem* first = AddItem(popup->Items(), L"Save");
  first->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
  TMenuItem* divider = AddItem(popup->Items(), L"-");
  TMenuItem* caption = AddItem(popup->Items(), L"-Tools-");
  TMenuItem* second = AddItem(popup->Items(), L"Save");
  second->SetBreak(true);
  menus->HookPopupMenu(popup.get(), true);

  auto measure = [&](TMenuItem* item) {
    int w = 0, h = 0;
    item->MeasureItem(C(), w, h);
    return std::pair{w, h};
  };
  auto textWidth = [&](const std::wstring& s) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 1, 0};
    DrawTextW(dc, s.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(r.right - r.left);
  };
  // 2 x 16 glyph + text + 3 x margin 2 + spacing 8.
  EXPECT_EQ(measure(first), std::pair(46 + textWidth(L"SaveCtrl+S"), std::max(cell, 16) + 4));
  EXPECT_EQ(measure(divider).second, 2);
  EXPECT_EQ(measure(caption), std::pair(46 + textWidth(L"--Tools--"), cell + 4));

  manager->MenuSupport().UseExtraLine = true;
  EXPECT_EQ(measure(first).first, 46 + textWidth(L"SaveCtrl+S") + 32);
  EXPECT_EQ(measure(second).first, 46 + textWidth(L"Save")) << "second column: no extra line";
  bool asked = false;
  manager->OnGetMenuExtraLineData = [&](TMenuItem*, std::wstring&, std::wstring&, std::unique_ptr<TBitmap>&,
                                        bool& visible) {
    asked = true;
    visible = false;
  };
  EXPECT_EQ(measure(first).first, 46 + textWidth(L"SaveCtrl+S"));
  EXPECT_TRUE(asked);
  manager->OnGetMenuExtraLineData = nullptr;
  first->SetName(L"SkinSelectItem");
  EXPECT_EQ(measure(first).first, 46 + textWidth(L"SaveCtrl+S"));
  first->SetName(L"");
  manager->MenuSupport().UseExtraLine = false;
  manager->OnGetMenuExtraLineData = [&](TMenuItem*, std::wstring&, std::wstring&, std::unique_ptr<TBitmap>&,
                                        bool& visible) { visible = true; };
  EXPECT_EQ(measure(first).first, 46 + textWidth(L"SaveCtrl+S"));
}

TEST_F(Menus, HookingKeepsAnItemsOwnHandlersAndRemovesOnlyItsOwn) {
  TMenuItem* plain = AddItem(popup->Items(), L"-");
  TMenuItem* own = AddItem(popup->Items(), L"-");
  TMenuItem* nested = AddItem(AddItem(popup->Items(), L"More"), L"-");
  int ownCalls = 0;
  own->OnMeasureItem = [&](TObject*, TCanvas*, int&, int& h) {
    ++ownCalls;
    h = 99;
  };
  auto height = [&](TMenuItem* item) {
    int w = 0, h = 50;
    item->MeasureItem(C(), w, h);
    return h;
  };
  menus->HookPopupMenu(popup.get(), true);
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(popup->TrackFlags() & TPM_NOANIMATION);
  EXPECT_EQ(height(plain), 2);
  EXPECT_EQ(height(nested), 2);
  EXPECT_EQ(height(own), 99);
  EXPECT_TRUE(own->OnAdvancedDrawItem) << "the drawing handler it lacked is given";

  menus->HookPopupMenu(popup.get(), false);
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(popup->TrackFlags() & TPM_NOANIMATION);
  EXPECT_EQ(height(plain), 50);
  EXPECT_FALSE(plain->OnAdvancedDrawItem);
  EXPECT_EQ(height(own), 99);
  EXPECT_EQ(ownCalls, 2);

  manager->SkinnedPopups = false;
  menus->HookPopupMenu(popup.get(), true);
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_EQ(height(plain), 50);
}

TEST_F(Menus, MainMenuTopItemsGetLineHandlersOnlyWhilePopupsAreSkinned) {
  std::unique_ptr<TMainMenu, void (*)(TMainMenu*)> main{Create<TMainMenu>(nullptr), [](TMainMenu* m) { Free(m); }};
  TMenuItem* top = AddItem(main->Items(), L"&File");
  TMenuItem* sub = AddItem(top, L"-");
  int ownDraws = 0;
  top->OnAdvancedDrawItem = [&](TObject*, TCanvas*, TRect, UINT) { ++ownDraws; };

  manager->SkinnedPopups = false;
  menus->InitMenuLine(main.get(), true);
  EXPECT_FALSE(main->OwnerDraw());
  top->DrawItem(C(), TRect{0, 0, 10, 10}, 0);
  EXPECT_EQ(ownDraws, 1) << "the main menu is left exactly as it was";

  manager->SkinnedPopups = true;
  menus->InitMenuLine(main.get(), true);
  menus->HookItem(top, true);
  EXPECT_TRUE(main->OwnerDraw());
  top->DrawItem(C(), TRect{0, 0, 10, 10}, 0);
  EXPECT_EQ(ownDraws, 1) << "a top item's own handler is replaced";
  int w = 0, h = 0;
  top->MeasureItem(C(), w, h);
  EXPECT_EQ(h, GetSystemMetrics(SM_CYMENU) - 1);
  h = 0;
  sub->MeasureItem(C(), w, h);
  EXPECT_EQ(h, 2) << "items below the line get the pop-up handlers";

  menus->InitMenuLine(main.get(), false);
  EXPECT_FALSE(main->OwnerDraw());
  EXPECT_FALSE(top->OnAdvancedDrawItem);
}

// A skinned form hooks the menus it owns (its main menu's line and items, its pop-up menus) and
// gives them back when the skin goes.
TEST_F(Menus, AFormsProviderHooksTheMenusTheFormOwns) {
  RegisterSkinProviderClasses();
  Owned<TForm> form(Create<TForm>(nullptr));
  form->HandleNeeded();
  auto* main = Create<TMainMenu>(form.get());
  TMenuItem* top = AddItem(main->Items(), L"&File");
  TMenuItem* sub = AddItem(top, L"-");
  auto* popup = Create<TPopupMenu>(form.get());
  TMenuItem* item = AddItem(popup->Items(), L"-");
  auto* provider = Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  const auto height = [&](TMenuItem* i) {
    int w = 0, h = 50;
    i->MeasureItem(C(), w, h);
    return h;
  };
  provider->InitMenuItems(true);
  EXPECT_TRUE(main->OwnerDraw());
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_EQ(height(item), 2);
  EXPECT_EQ(height(sub), 2);
  provider->InitMenuItems(false);
  EXPECT_FALSE(main->OwnerDraw());
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_EQ(height(item), 50);
}

TEST_F(Menus, TheApplicationsMenusFollowTheSkinOnAndOff) {
  auto* owner = Create<TComponent>(Application);
  auto* menu = Create<TPopupMenu>(owner);
  TMenuItem* item = AddItem(menu->Items(), L"-");
  menus->UpdateMenus();
  EXPECT_TRUE(menu->OwnerDraw());
  int w = 0, h = 50;
  item->MeasureItem(C(), w, h);
  EXPECT_EQ(h, 2);
  manager->SetActive(false);
  EXPECT_FALSE(menu->OwnerDraw());
  EXPECT_FALSE(item->OnMeasureItem);
  Free(owner);
}

TEST(MenusOfAFreedManager, LeaveTheItemsTheyHookedAlone) {
  std::unique_ptr<TPopupMenu, void (*)(TPopupMenu*)> popup{Create<TPopupMenu>(nullptr), [](TPopupMenu* m) { Free(m); }};
  TMenuItem* item = AddItem(popup->Items(), L"-");
  {
    Owned<TsSkinManager> manager = ManagerWithOurSkin();
    SkinableMenusOf(manager.get())->HookPopupMenu(popup.get(), true);
  }
  auto bmp = NewBitmap32(8, 8);
  int w = 0, h = 50;
  item->MeasureItem(bmp->Canvas(), w, h);
  EXPECT_EQ(h, 50);
  item->DrawItem(bmp->Canvas(), TRect{0, 0, 8, 8}, 0);
}

// ---- item painting ----

struct ItemPaint : Menus {
  TMenuItem* item = nullptr;
  TRect r;
  int W = 0, H = 0;
  void SetUp() override {
    Menus::SetUp();
    CustomMenuFont = std::make_unique<TFont>();
    CustomMenuFont->SetName(L"Tahoma");
    CustomMenuFont->SetHeight(-11);
    item = AddItem(popup->Items(), L"Port");
    AddItem(popup->Items(), L"Other");
    menus->HookPopupMenu(popup.get(), true);
    int w = 0, h = 0;
    item->MeasureItem(C(), w, h);
    r = TRect{0, 0, w, h};
    W = w;
    H = h;
  }
  // The item drawn alone into a fresh bitmap of its size.
  std::unique_ptr<TBitmap> Draw(UINT state) {
    menus->ClearCache();
    auto bmp = NewBitmap32(W, H);
    item->DrawItem(bmp->Canvas(), r, state);
    return bmp;
  }
  TBitmap* Background() { return menus->GetMenuInfo(item, 0, 0, nullptr).Bmp; }
  // The background under the item with MENUITEM painted straight over it in State.
  std::unique_ptr<TBitmap> Expected(int state) {
    TBitmap* bg = Background();
    auto e = NewBitmap32(W, H);
    BitBlt(e->Canvas()->Handle(), 0, 0, W, H, bg->Canvas()->Handle(), 3, 3, SRCCOPY);
    PaintItem(manager->GetSkinIndex("MENUITEM"), "MENUITEM", MakeCacheInfo(e.get()), true, state, TRect{0, 0, W, H},
              TPoint{}, e.get(), manager.get());
    return e;
  }
  static bool IsTextColour(COLORREF c) { return c == RGB(0x1E, 0x23, 0x29); }
  int TextPixels(TBitmap* b, int x0, int x1) {
    int n = 0;
    for (int y = 0; y < b->Height(); ++y)
      for (int x = x0; x < x1; ++x) n += IsTextColour(Pixel(b, x, y));
    return n;
  }
};

TEST_F(ItemPaint, NormalAndSelectedItemsAreTheMenuItemSectionOverTheBackground) {
  // FONTCOLOR 2695966 of MENUITEM is 0x29231E.
  for (UINT state : {0u, unsigned(ODS_SELECTED)}) {
    auto drawn = Draw(state);
    ASSERT_NE(Background(), nullptr);
    auto expected = Expected(state ? 1 : 0);
    const int textLeft = 16 + 2 * 2 + 8;
    EXPECT_EQ(test::Differing(drawn.get(), expected.get(), [&](int x, int) { return x < textLeft; }), 0)
        << "state " << state;
    EXPECT_EQ(test::Differing(drawn.get(), expected.get(), [&](int x, int) { return x > W - 20; }), 0);
    EXPECT_GT(TextPixels(drawn.get(), textLeft, W), 10);
  }
  EXPECT_GT(test::Differing(Draw(0).get(), Draw(ODS_SELECTED).get()), 0);
}

TEST_F(ItemPaint, DisabledItemIsFortyPercentItemOverSixtyPercentBackground) {
  auto normal = Draw(0);
  auto disabled = Draw(ODS_DISABLED | ODS_GRAYED);
  TBitmap* bg = Background();
  int checked = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const COLORREF n = Pixel(normal.get(), x, y), b = Pixel(bg, x + 3, y + 3), d = Pixel(disabled.get(), x, y);
      auto mix = [](int item, int back) { return static_cast<int>(std::lround(back - (back - item) * 0.4)); };
      EXPECT_NEAR(GetRValue(d), mix(GetRValue(n), GetRValue(b)), 1);
      EXPECT_NEAR(GetGValue(d), mix(GetGValue(n), GetGValue(b)), 1);
      EXPECT_NEAR(GetBValue(d), mix(GetBValue(n), GetBValue(b)), 1);
      ++checked;
      if (HasFailure()) return;
    }
  EXPECT_GT(checked, 0);
}

TEST_F(ItemPaint, CheckedItemShowsTheSkinCheckGlyphAtTheMarginAndRightToLeftMirrorsIt) {
  const auto& sd = manager->Records();
  const int mask = manager->GetMaskIndex(sd.ConstData.IndexGLobalInfo, "GLOBALINFO", "CHECK");
  ASSERT_TRUE(manager->IsValidImgIndex(mask));
  const TsMaskData& md = sd.ma[static_cast<std::size_t>(mask)];
  const int gw = WidthOfImage(md), gh = HeightOfImage(md);
  auto withGlyph = [&](int x) {
    auto e = Expected(0);
    DrawSkinGlyph(e.get(), TPoint{x, (H - gh) / 2}, 0, 1, md, MakeCacheInfo(e.get()));
    return e;
  };
  auto checkedItem = Draw(ODS_CHECKED);
  auto expected = withGlyph(2);
  EXPECT_EQ(test::Differing(checkedItem.get(), expected.get(), [&](int x, int) { return x < 2 + gw; }), 0);
  EXPECT_GT(test::Differing(checkedItem.get(), Draw(0).get()), 0);

  // The caption moves from after the glyph column to before it, right aligned.
  const int indent = 16 + 2 * 2 + 8;
  auto textColumns = [&](TBitmap* b) {
    int first = W, last = -1;
    for (int x = 0; x < W; ++x)
      if (TextPixels(b, x, x + 1) > 0) {
        first = std::min(first, x);
        last = x;
      }
    return std::pair{first, last};
  };
  const auto [ltrFirst, ltrLast] = textColumns(Draw(0).get());
  SysLocaleMiddleEast = true;
  popup->SetBiDiMode(bdRightToLeft);
  auto rtl = Draw(ODS_CHECKED);
  // The background is mirrored too: compare the glyph's pixels only where it is opaque.
  auto plainRtl = Draw(0);
  int glyphPixelsRight = 0, glyphPixelsLeft = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (Pixel(rtl.get(), x, y) == Pixel(plainRtl.get(), x, y)) continue;
      (x >= W - 2 - gw + 2 ? glyphPixelsRight : glyphPixelsLeft)++;
    }
  EXPECT_GT(glyphPixelsRight, 0);
  EXPECT_EQ(glyphPixelsLeft, 0);
  EXPECT_NEAR(ltrFirst, indent, 2);
  const auto [rtlFirst, rtlLast] = textColumns(plainRtl.get());
  EXPECT_NEAR(rtlLast, W - indent - 1, 2);
  EXPECT_EQ(rtlLast - rtlFirst, ltrLast - ltrFirst);
}

// ---- the pop-up window ----

HHOOK g_testHook = nullptr;
bool g_attach = true;
LRESULT CALLBACK AttachOnMenuWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_attach) {
    wchar_t cls[16]{};
    GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 16);
    if (std::wstring(cls) == L"#32768") AttachMenuWindowHandler(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(g_testHook, code, wParam, lParam);
}

struct OpenMenu {
  bool attached = false, layered = false, regionBoundsMatch = false, cornerCut = false, nextIn = false,
       centreIn = false;
  BYTE alpha = 0;
  int answeredRgn = -1;
};
OpenMenu g_seen;
TsSkinManager* g_manager = nullptr;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND wnd = FindWindowW(L"#32768", nullptr);
  if (wnd != nullptr && IsWindowVisible(wnd)) {
    g_seen.attached = dynamic_cast<TacMnuWnd*>(Ac_GetHandlerFromHwnd(wnd)) != nullptr;
    g_seen.layered = (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (g_seen.layered) GetLayeredWindowAttributes(wnd, &key, &g_seen.alpha, &flags);
    RECT wr{};
    GetWindowRect(wnd, &wr);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(wnd, rgn) != ERROR) {
      RECT box{};
      GetRgnBox(rgn, &box);
      g_seen.regionBoundsMatch = box.right == wr.right - wr.left && box.bottom == wr.bottom - wr.top;
      g_seen.cornerCut = !PtInRegion(rgn, 0, 0);
      g_seen.nextIn = PtInRegion(rgn, 1, 0) && PtInRegion(rgn, 0, 1);
      g_seen.centreIn = PtInRegion(rgn, (wr.right - wr.left) / 2, (wr.bottom - wr.top) / 2);
    }
    DeleteObject(rgn);
    g_seen.answeredRgn = static_cast<int>(SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_SETUPDATING), 0));
  }
  EndMenu();
}

struct PopupWindow : Menus {
  void SetUp() override {
    Menus::SetUp();
    ASSERT_TRUE(manager->IsDefault());
    for (const wchar_t* c : {L"COM1", L"COM2", L"-", L"COM3"}) AddItem(popup->Items(), c);
    menus->HookPopupMenu(popup.get(), true);
    g_testHook = SetWindowsHookExW(WH_CBT, &AttachOnMenuWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_testHook, nullptr);
    g_manager = manager.get();
    const int mask = manager->GetMaskIndex(manager->GetSkinIndex("MAINMENU"), "MAINMENU", "BORDERSMASK");
    ASSERT_TRUE(manager->IsValidImgIndex(mask));
    const TsMaskData& md = manager->Records().ma[static_cast<std::size_t>(mask)];
    // Our skin's menu border has no key-colour corner pixels: nothing but the one pixel at (0, 0)
    // is cut from the pop-up's region.
    int keys = 0;
    for (int y = 0; y < md.WT; ++y)
      for (int x = 0; x < md.WL; ++x) {
        const TsColor_ p = md.Source().At(md.R.Left + x, md.R.Top + y);
        keys += p.R == 255 && p.G == 0 && p.B == 255;
      }
    ASSERT_EQ(keys, 0);
  }
  void TearDown() override {
    g_attach = true;
    UnhookWindowsHookEx(g_testHook);
    ClearMenuHandlers();
    Menus::TearDown();
  }
  OpenMenu Open() {
    g_seen = {};
    SetTimer(nullptr, 0, 400, &LookAtMenu);
    popup->Popup(200, 200);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    return g_seen;
  }
};

TEST_F(PopupWindow, OpensSkinnedWithItsRegionAndComesOnScreenAtTheMenuOpacity) {
  const std::size_t handlersBefore = TacMainWnd::LiveCount();
  for (BYTE alpha : {BYTE(255), BYTE(200)}) {
    manager->MenuSupport().AlphaBlend = alpha;
    const OpenMenu seen = Open();
    EXPECT_TRUE(seen.attached) << "alpha " << int(alpha);
    EXPECT_TRUE(seen.regionBoundsMatch);
    EXPECT_TRUE(seen.centreIn);
    EXPECT_TRUE(seen.cornerCut);
    EXPECT_TRUE(seen.nextIn);
    EXPECT_EQ(seen.answeredRgn, 1) << "the region is set once for this showing";
    EXPECT_EQ(seen.layered, alpha != 255);
    if (alpha != 255) {
      EXPECT_EQ(seen.alpha, alpha);
    }
  }
  // Each closed window's handler waits to be freed; the next menu window frees it.
  EXPECT_EQ(MenuHandlerCount(), 1u);
  FreeDeadMenuHandlers();
  EXPECT_EQ(MenuHandlerCount(), 0u);
  EXPECT_EQ(TacMainWnd::LiveCount(), handlersBefore);
}

TEST_F(PopupWindow, EveryOpeningGetsItsRegionAlsoWithoutTheWindowHandler) {
  g_attach = false;
  for (int round = 0; round < 2; ++round) {
    const OpenMenu seen = Open();
    EXPECT_FALSE(seen.attached);
    EXPECT_TRUE(seen.cornerCut) << "opening " << round;
    EXPECT_TRUE(seen.nextIn) << "opening " << round;
    EXPECT_TRUE(seen.regionBoundsMatch) << "opening " << round;
  }
}

TEST_F(PopupWindow, ARegionQueryAnswersOneAfterTheRegionChangeWhileVisible) {
  test::NativeWindow wnd(L"STATIC", WS_POPUP | WS_VISIBLE, 100, 80);
  ASSERT_TRUE(wnd.handle);
  // A stand-in pop-up: our handler on a plain visible window.
  acCanHookMenu = true;
  TacMnuWnd* h = AttachMenuWindowHandler(wnd);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);
  EXPECT_EQ(AttachMenuWindowHandler(wnd), nullptr) << "a window is attached once";
  EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_SETUPDATING), 0), 0);
  SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_MENURGNCHANGED), 0);
  EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_SETUPDATING), 0), 1);
  auto dc = NewBitmap32(100, 80);
  SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc->Canvas()->Handle()), 0);
  EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_SETUPDATING), 0), 0);
  DestroyWindow(wnd);
  EXPECT_TRUE(h->Destroyed);
  EXPECT_FALSE(acCanHookMenu);
  EXPECT_EQ(MenuHandlerCount(), 1u) << "not freed inside its own window procedure";
  FreeDeadMenuHandlers();
  EXPECT_EQ(MenuHandlerCount(), 0u);
}

// What the application's window hook does with a pop-up's request for its border.
struct BorderRequest {
  bool open = false, answered = false, drawnForItem = false, drawnForWindow = false, otherMenuLeftAlone = false,
       freedItemAnswered = false;
};
BorderRequest g_border;
TMenuItem* g_borderItem = nullptr;
TMenuItem* g_closedMenuItem = nullptr;

// Paints a marker over the pop-up window's frame (top and left strips) through its window DC.
void MarkFrame(HWND wnd) {
  RECT wr{};
  GetWindowRect(wnd, &wr);
  HDC dc = GetWindowDC(wnd);
  HBRUSH marker = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
  const RECT top{0, 0, wr.right - wr.left, 3}, left{0, 0, 3, wr.bottom - wr.top};
  FillRect(dc, &top, marker);
  FillRect(dc, &left, marker);
  DeleteObject(marker);
  ReleaseDC(wnd, dc);
}

// The frame pixels on the window equal those of the pop-up's background at the same places.
bool FrameFromBackground(HWND wnd, TBitmap* bg) {
  if (bg == nullptr) return false;
  HDC dc = GetWindowDC(wnd);
  bool same = true;
  for (POINT p : {POINT{bg->Width() / 2, 1}, POINT{1, bg->Height() / 2}}) {
    same = same && GetPixel(dc, p.x, p.y) == Pixel(bg, p.x, p.y);
  }
  ReleaseDC(wnd, dc);
  return same;
}

bool FrameMarked(HWND wnd) {
  HDC dc = GetWindowDC(wnd);
  const bool marked = GetPixel(dc, 1, 1) == RGB(0x10, 0x20, 0x30);
  ReleaseDC(wnd, dc);
  return marked;
}

void CALLBACK AskForBorder(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND wnd = FindWindowW(L"#32768", nullptr);
  g_border.open = wnd != nullptr && IsWindowVisible(wnd);
  if (g_border.open) {
    TBitmap* bg = SkinableMenusOf(g_manager)->GetMenuInfo(g_borderItem, 0, 0, nullptr).Bmp;
    // An item of a menu that is not open: nothing is drawn.
    MarkFrame(wnd);
    TMessage other{0xBCB3, 0, reinterpret_cast<LPARAM>(g_closedMenuItem), 0};
    g_border.otherMenuLeftAlone = g_manager->MainWindowHook(other) && FrameMarked(wnd);
    TMessage ask{0xBCB3, 0, reinterpret_cast<LPARAM>(g_borderItem), 0};
    g_border.answered = g_manager->MainWindowHook(ask);
    g_border.drawnForItem = !FrameMarked(wnd) && FrameFromBackground(wnd, bg);
    MarkFrame(wnd);
    TMessage byWindow{0xBCB4, 0, reinterpret_cast<LPARAM>(wnd), 0};
    g_border.drawnForWindow = g_manager->MainWindowHook(byWindow) && !FrameMarked(wnd) && FrameFromBackground(wnd, bg);
    // An item freed after its request was posted.
    auto* gone = new TMenuItem(nullptr);
    Free(gone);
    TMessage stale{0xBCB3, 0, reinterpret_cast<LPARAM>(gone), 0};
    g_border.freedItemAnswered = g_manager->MainWindowHook(stale);
  }
  EndMenu();
}

TEST_F(PopupWindow, TheApplicationHookDrawsTheBorderOfThePopUpThatAnItemAsksFor) {
  g_attach = false;  // only the request draws the border
  Owned<TPopupMenu> closed{Create<TPopupMenu>(nullptr)};
  g_closedMenuItem = AddItem(closed->Items(), L"COM9");
  g_borderItem = popup->Items()->Items(2);
  g_border = {};
  SetTimer(nullptr, 0, 400, &AskForBorder);
  popup->Popup(200, 200);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  ASSERT_TRUE(g_border.open);
  EXPECT_TRUE(g_border.answered);
  EXPECT_TRUE(g_border.drawnForItem);
  EXPECT_TRUE(g_border.drawnForWindow);
  EXPECT_TRUE(g_border.otherMenuLeftAlone);
  EXPECT_TRUE(g_border.freedItemAnswered);
  manager->SkinnedPopups = false;
  TMessage off{0xBCB3, 0, reinterpret_cast<LPARAM>(g_borderItem), 0};
  EXPECT_FALSE(manager->MainWindowHook(off)) << "not skinned pop-ups: not handled";
}

}  // namespace
}  // namespace skin
