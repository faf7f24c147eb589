// MDI forms with our skin under Wine: the client handler put on the MDI client while the
// provider is skinned and taken away with the skin, the wall and frame from the form's picture,
// children scrolled 8 pixels a unit when a thumb is dropped, and the form's frame brought up to date
// when the children are arranged or the menu changes.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acSBPaint.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Owned;

TRect ScreenRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.left, r.top, r.right, r.bottom};
}

struct MDIForm : ::testing::Test {
  Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  std::vector<Owned<TForm>> children;

  void SetUp() override {
    RegisterSkinProviderClasses();
    form.reset(Create<TForm>(nullptr));
    form->SetFormStyle(fsMDIForm);
    form->SetBounds(40, 40, 420, 320);
    form->HandleNeeded();
    form->Show();
    ASSERT_NE(form->ClientHandle(), nullptr);
    provider = Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    ASSERT_NE(provider->MDIForm, nullptr);
  }
  void TearDown() override {
    children.clear();
    ScrollState().nLastSBPos = -1;
  }
  TForm* NewChild(int x, int y) {
    auto* child = Create<TForm>(form.get());
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(x, y, 120, 90);
    child->HandleNeeded();
    children.emplace_back(child);
    return child;
  }
  TacMDIWnd* Handler() { return dynamic_cast<TacMDIWnd*>(Ac_GetHandlerFromHwnd(form->ClientHandle())); }
  // A child's place in its client.
  POINT Place(TForm* child) {
    POINT p{ScreenRect(child->Handle()).Left, ScreenRect(child->Handle()).Top};
    ScreenToClient(form->ClientHandle(), &p);
    return p;
  }
};

TEST_F(MDIForm, ClientHandlerComesWithTheSkinAndGoesWithIt) {
  TacMDIWnd* h = Handler();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h, provider->MDIForm->ListSW.get());
  EXPECT_EQ(h->FForm, form.get());
  EXPECT_EQ(h->MDISkinData, provider->SkinData());
  EXPECT_EQ(h->SkinProvider, provider->MDIForm.get());
  EXPECT_EQ(h->SkinData->SkinSection(), "CHECKBOX");
  // Once only.
  provider->MDIForm->ConnectToClient();
  EXPECT_EQ(Handler(), h);
  // The skin goes: the removal command of the provider's own manager (none named: the default one).
  manager->SetActive(false);
  form->Perform(SM_ALPHACMD, WPARAM(ACMD_REMOVESKIN) << 16,
                reinterpret_cast<LPARAM>(provider->SkinData()->SkinManager()));
  EXPECT_EQ(Handler(), nullptr);
  provider->MDIForm->RefreshMDIScrolls();
  EXPECT_EQ(Handler(), nullptr);
}

TEST_F(MDIForm, WallAndFrameAreTheFormsPictureUnderTheClient) {
  TacMDIWnd* h = Handler();
  ASSERT_NE(h, nullptr);
  const HWND client = form->ClientHandle();
  ASSERT_TRUE(GetWindowLongPtrW(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const TRect c = ScreenRect(client), f = ScreenRect(form->Handle());
  const int w = c.Right - c.Left, hgt = c.Bottom - c.Top;
  const int x = c.Left - f.Left, y = c.Top - f.Top;  // the client inside the form's picture

  auto erased = NewBitmap32(w, hgt);
  EXPECT_EQ(SendMessageW(client, WM_ERASEBKGND, WPARAM(erased->Canvas()->Handle()), 0), 1);
  TBitmap* picture = provider->SkinData()->CacheBmp();
  ASSERT_GT(picture->Width(), x + w);
  // Erasing paints client pixel (0, 0) from the picture's pixel under the client area, past the edge.
  auto wall = NewBitmap32(w, hgt);
  BitBlt(wall->Canvas()->Handle(), 0, 0, w, hgt, picture->Canvas()->Handle(), x + 2, y + 2, SRCCOPY);
  EXPECT_EQ(test::Differing(erased.get(), wall.get()), 0);

  // Printing takes the window's own pixel under (0, 0).
  auto printed = NewBitmap32(w, hgt);
  SendMessageW(client, WM_PRINT, WPARAM(printed->Canvas()->Handle()), PRF_CLIENT | PRF_NONCLIENT);
  BitBlt(wall->Canvas()->Handle(), 0, 0, w, hgt, picture->Canvas()->Handle(), x, y, SRCCOPY);
  EXPECT_EQ(test::Differing(printed.get(), wall.get(), [&](int px, int py) { return px < w - 30 && py < hgt - 30; }),
            0);

  // The frame: two pixels of the picture around the client.
  auto frame = NewBitmap32(w, hgt);
  h->PaintMDIFrame(frame->Canvas()->Handle());
  auto inBand = [&](int px, int py) { return px < 2 || py < 2 || px >= w - 2 || py >= hgt - 2; };
  EXPECT_EQ(test::Differing(frame.get(), wall.get(), inBand), 0);
  EXPECT_EQ(test::Differing(frame.get(), NewBitmap32(w, hgt).get(), [&](int px, int py) { return !inBand(px, py); }),
            0);
}

TEST_F(MDIForm, WithTheWallOptionOffTheClientErasesItself) {
  const HWND client = form->ClientHandle();
  const TRect c = ScreenRect(client);
  DrawSkinnedMDIWall = false;
  auto erased = NewBitmap32(c.Right - c.Left, c.Bottom - c.Top);
  SendMessageW(client, WM_ERASEBKGND, WPARAM(erased->Canvas()->Handle()), 0);
  DrawSkinnedMDIWall = true;
  const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
  EXPECT_EQ(test::Pixel(erased.get(), 10, 10), workspace);
}

TEST_F(MDIForm, ThumbDropMovesTheChildrenEightPixelsAUnit) {
  TForm* child = NewChild(30, 40);
  const HWND client = form->ClientHandle();
  const POINT start = Place(child);
  struct Case {
    UINT msg;
    int bar, pos, last, dx, dy;
  };
  // (position − dropped position) × 8 pixels; a drop where the drag began moves nothing.
  for (const Case k : {Case{WM_VSCROLL, SB_VERT, 10, 13, 0, -24}, Case{WM_HSCROLL, SB_HORZ, 5, 3, 16, 0},
                       Case{WM_VSCROLL, SB_VERT, 7, 7, 0, 0}}) {
    SCOPED_TRACE(k.pos * 100 + k.last);
    const POINT before = Place(child);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, k.pos, 0};
    SetScrollInfo(client, k.bar, &si, FALSE);
    ScrollState().nLastSBPos = k.last;
    // The track is left to the drop.
    SendMessageW(client, k.msg, MAKEWPARAM(SB_THUMBTRACK, k.last), 0);
    EXPECT_EQ(Place(child).x, before.x);
    EXPECT_EQ(Place(child).y, before.y);
    SendMessageW(client, k.msg, MAKEWPARAM(SB_THUMBPOSITION, k.last), 0);
    EXPECT_EQ(Place(child).x, before.x + k.dx);
    EXPECT_EQ(Place(child).y, before.y + k.dy);
  }
  EXPECT_EQ(Place(child).x, start.x + 16);
  EXPECT_EQ(Place(child).y, start.y - 24);
}

TEST_F(MDIForm, ArrangingAndNewMenusRenewTheFormsFrame) {
  TForm* child = NewChild(10, 10);
  child->Show();
  ASSERT_EQ(form->ActiveMDIChild(), child);
  provider->PaintAll();
  TBitmap* picture = provider->SkinData()->CacheBmp();
  ASSERT_GT(picture->Width(), 10);
  for (const bool tile : {false, true}) {
    SCOPED_TRACE(tile);
    // A mark in the form's picture: rendering the frame anew paints over it.
    SetPixel(picture->Canvas()->Handle(), 8, 3, RGB(1, 2, 3));
    provider->SkinData()->BGChanged = false;
    provider->FLinesCount = 3;
    if (tile)
      form->Tile();
    else
      form->Cascade();
    EXPECT_NE(test::Pixel(picture, 8, 3), RGB(1, 2, 3));
    EXPECT_EQ(provider->FLinesCount, -1);
  }
  provider->SkinData()->BGChanged = false;
  provider->MenuChanged = false;
  provider->FLinesCount = 3;
  SendMessageW(form->ClientHandle(), WM_MDISETMENU, 0, 0);
  EXPECT_TRUE(provider->SkinData()->BGChanged);
  EXPECT_TRUE(provider->MenuChanged);
  EXPECT_EQ(provider->FLinesCount, -1);
}

TEST_F(MDIForm, ChildButtonsActOnTheActiveChild) {
  TForm* child = NewChild(10, 10);
  child->Show();
  ASSERT_EQ(form->ActiveMDIChild(), child);
  provider->MDIForm->MinClick(nullptr);
  EXPECT_TRUE(IsIconic(child->Handle()));
  provider->MDIForm->RestoreClick(nullptr);
  EXPECT_FALSE(IsIconic(child->Handle()));
}

}  // namespace
}  // namespace skin
