// A skinned form on screen: which messages reach the form's own procedure, the frame printed
// from the provider's cache, activation, the frame's hit zones and a title-button click.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

// Counts what reaches the procedure the provider wraps.
struct Spy {
  TWndMethod inner;
  UINT watched = 0;
  int seen = 0;
  void Proc(TMessage& m) {
    if (m.Msg == watched) ++seen;
    inner(m);
  }
};

struct ShownForm {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  Spy spy;
  explicit ShownForm(TFormBorderStyle style = bsSizeable,
                     TBorderIcons icons = TBorderIcons{biSystemMenu, biMinimize, biMaximize}) {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(40, 40, 320, 220);
    form->SetCaption(L"Skinned");
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    spy.inner = provider->OldWndProc;
    provider->OldWndProc = TWndMethod(&spy, &Spy::Proc);
  }
  ~ShownForm() { Unskin(); }
  void Unskin() {
    if (provider == nullptr) return;
    provider->OldWndProc = spy.inner;
    classlib::Free(provider);
    provider = nullptr;
  }
  void Show() {
    form->Show();
    Pump();
  }
  static void Pump() {
    MSG msg;
    for (int i = 0; i < 20; ++i)
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
  }
  HWND H() const { return form->Handle(); }
  // A screen position LPARAM for a point in window coordinates.
  LPARAM At(int x, int y) const {
    RECT r;
    GetWindowRect(H(), &r);
    return MAKELPARAM(r.left + x, r.top + y);
  }
  LRESULT HitTest(int x, int y) const { return SendMessageW(H(), WM_NCHITTEST, 0, At(x, y)); }
  static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
};

class FormWindowTest : public ::testing::Test {};

TEST_F(FormWindowTest, SkinCommandsStayWithASkinnedFormAndReachAnUnskinnedOne) {
  ShownForm f;
  f.spy.watched = SM_ALPHACMD;
  const WPARAM childPaints = static_cast<WPARAM>(ACMD_CHILDPAINTS) << 16;
  SendMessageW(f.H(), SM_ALPHACMD, childPaints, 0);
  EXPECT_EQ(f.spy.seen, 0);
  EXPECT_EQ(SendMessageW(f.H(), SM_ALPHACMD, static_cast<WPARAM>(ACMD_ISSKINNED) << 16, 0), 1);
  const LRESULT offset = SendMessageW(f.H(), SM_ALPHACMD, static_cast<WPARAM>(ACMD_GETOFFSET) << 16, 0);
  RECT window;
  GetWindowRect(f.H(), &window);
  POINT client{0, 0};
  ClientToScreen(f.H(), &client);
  EXPECT_EQ(LOWORD(offset), client.x - window.left);
  EXPECT_EQ(HIWORD(offset), client.y - window.top);

  f.manager->SetActive(false);
  SendMessageW(f.H(), SM_ALPHACMD, childPaints, 0);
  EXPECT_EQ(f.spy.seen, 1);
  EXPECT_NE(SendMessageW(f.H(), SM_ALPHACMD, static_cast<WPARAM>(ACMD_GETPROVIDER) << 16, 0), 0);
}

TEST_F(FormWindowTest, RedrawLocksNestAndNeverGoNegative) {
  ShownForm f;
  SendMessageW(f.H(), WM_SETREDRAW, 0, 0);
  SendMessageW(f.H(), WM_SETREDRAW, 0, 0);
  SendMessageW(f.H(), WM_SETREDRAW, 1, 0);
  EXPECT_EQ(f.provider->LockCount, 1);
  SendMessageW(f.H(), WM_SETREDRAW, 1, 0);
  SendMessageW(f.H(), WM_SETREDRAW, 1, 0);
  EXPECT_EQ(f.provider->LockCount, 0);
}

// The frame printed with the non-client area equals the provider's rendered cache, for the
// active and the inactive look, and the two looks differ in the title band.
TEST_F(FormWindowTest, PrintedFrameIsTheCacheInBothActivationStates) {
  ShownForm f;
  f.Show();
  const int w = f.form->Width(), h = f.form->Height();
  const int top = f.provider->OffsetY(), side = f.provider->OffsetX();
  std::uint32_t titleActive = 0;
  for (bool active : {true, false}) {
    SendMessageW(f.H(), WM_NCACTIVATE, active ? 1 : 0, 0);
    EXPECT_EQ(f.provider->FormActive, active);
    auto shot = NewBitmap32(w, h);
    SendMessageW(f.H(), WM_PRINT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
    // The reference is rendered afresh, apart from what the print painted.
    f.provider->SkinData()->BGChanged = true;
    f.provider->PaintAll();
    TBitmap* cache = f.provider->SkinData()->CacheBmp();
    ASSERT_EQ(cache->Width(), w);
    const auto px = [](TBitmap* b, int x, int y) { return b->Image32View().At(x, y).U & 0x00FFFFFFu; };
    int differ = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool frame = y < top || x < side || x >= w - side || y >= h - side;
        if (frame && px(shot.get(), x, y) != px(cache, x, y)) ++differ;
      }
    EXPECT_EQ(differ, 0) << (active ? "active" : "inactive");
    const std::uint32_t title = px(cache, w / 2, top / 2);
    if (active)
      titleActive = title;
    else
      EXPECT_NE(title, titleActive);
  }
}

// The title band as the screen shows it equals the cache's, after showing, after deactivation and
// after a new caption: the system's own caption never stays on top.
TEST_F(FormWindowTest, ScreenTitleBandIsTheSkinsThroughActivationAndNewCaption) {
  ShownForm f;
  f.Show();
  const int w = f.form->Width(), top = f.provider->OffsetY();
  const auto check = [&](const char* when) {
    ShownForm::Pump();
    auto shot = NewBitmap32(w, top);
    HDC dc = GetWindowDC(f.H());
    BitBlt(shot->Canvas()->Handle(), 0, 0, w, top, dc, 0, 0, SRCCOPY);
    ReleaseDC(f.H(), dc);
    TBitmap* cache = f.provider->SkinData()->CacheBmp();
    ASSERT_EQ(cache->Width(), w) << when;
    int differ = 0;
    // The corners may be cut by the window region; the band between them must match.
    for (int y = 0; y < top; ++y)
      for (int x = 8; x < w - 8; ++x)
        differ += (shot->Image32View().At(x, y).U & 0xFFFFFF) != (cache->Image32View().At(x, y).U & 0xFFFFFF) ? 1 : 0;
    EXPECT_EQ(differ, 0) << when;
  };
  check("shown");
  SendMessageW(f.H(), WM_NCACTIVATE, 0, 0);
  EXPECT_FALSE(f.provider->FormActive);
  check("inactive");
  SetWindowTextW(f.H(), L"Another caption, longer than the first");
  check("new caption");
  f.form->Hide();
  ShownForm::Pump();
  EXPECT_EQ(f.provider->SkinData()->CacheBmp()->Width(), 0);
  f.Show();
  check("shown again");
}

// The client area on screen is the FORM section painted for the form's state, with a label's text
// on it, the first time the form shows and after it was hidden (which empties the cache) and shown
// again.
TEST_F(FormWindowTest, ScreenClientAreaIsTheFormSectionWithItsLabelWhenShownAndShownAgain) {
  ShownForm f(bsSingle, TBorderIcons{biSystemMenu});
  auto* label = classlib::Create<TLabel>(f.form.get());
  label->SetParent(f.form.get());
  label->SetBounds(20, 20, 120, 16);
  label->SetCaption(L"WWWWWWWW");
  const auto check = [&](const char* when) {
    ShownForm::Pump();
    const int cw = f.form->ClientWidth(), ch = f.form->ClientHeight();
    auto ref = NewBitmap32(f.form->Width(), f.form->Height());
    TsSkinManager* m = f.manager.get();
    PaintItem(f.provider->SkinData()->SkinIndex, "FORM", EmptyCI, true, f.provider->FormActive ? 1 : 0,
              TRect{0, 0, ref->Width(), ref->Height()}, TPoint{}, ref.get(), m);
    auto shot = NewBitmap32(cw, ch);
    HDC dc = GetDC(f.H());
    BitBlt(shot->Canvas()->Handle(), 0, 0, cw, ch, dc, 0, 0, SRCCOPY);
    ReleaseDC(f.H(), dc);
    const TImage32View seen = shot->Image32View(), section = ref->Image32View();
    const int dx = f.provider->OffsetX(), dy = f.provider->OffsetY();
    int differ = 0, text = 0;
    for (int y = 8; y < ch - 8; ++y)
      for (int x = 8; x < cw - 8; ++x) {
        const bool background = (seen.At(x, y).U & 0xFFFFFF) == (section.At(x + dx, y + dy).U & 0xFFFFFF);
        const bool onLabel = x >= 20 && x < 140 && y >= 20 && y < 36;
        if (onLabel)
          text += background ? 0 : 1;
        else
          differ += background ? 0 : 1;
      }
    EXPECT_EQ(differ, 0) << when << ": the screen shows " << std::hex << (seen.At(cw / 2, ch / 2).U & 0xFFFFFF)
                         << " in the middle";
    EXPECT_GT(text, 0) << when << ": no text on the label";
  };
  f.Show();
  check("shown");
  f.form->Hide();
  ShownForm::Pump();
  f.Show();
  check("shown again");
}

TEST_F(FormWindowTest, ShowingAndHidingLeavesNoWindowBehind) {
  ShownForm f;
  f.Show();
  f.form->Hide();
  ShownForm::Pump();
  const int before = skin::test::ThreadWindowCount();
  for (int i = 0; i < 30; ++i) {
    f.Show();
    SendMessageW(f.H(), WM_NCACTIVATE, i % 2, 0);
    f.form->Hide();
    ShownForm::Pump();
  }
  EXPECT_EQ(skin::test::ThreadWindowCount(), before);
  EXPECT_EQ(f.provider->LockCount, 0);
}

TEST_F(FormWindowTest, OnlyTheFormAnnouncedToTheEditorLetsTheEditorCloseIt) {
  ShownForm f;
  f.Show();
  const auto saved = acPreviewHandle;
  acPreviewHandle = nullptr;
  SendMessageW(f.H(), 0xA400, 1, 0);
  ShownForm::Pump();
  EXPECT_TRUE(IsWindowVisible(f.H()));
  EXPECT_EQ(SendMessageW(f.H(), 0xA400, 4, 0), 1);
  acPreviewHandle = f.H();
  SendMessageW(f.H(), 0xA400, 1, 0);
  ShownForm::Pump();
  EXPECT_FALSE(IsWindowVisible(f.H()));
  acPreviewHandle = saved;
}

TEST_F(FormWindowTest, EndOfSessionDoesNotWaitForeverForAnimations) {
  ShownForm f;
  f.spy.watched = WM_QUERYENDSESSION;
  const int savedCount = acAnimCount;
  const bool savedFading = FadingForbidden;
  acAnimCount = 1;  // an animation that never ends
  SendMessageW(f.H(), WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(f.spy.seen, 1);
  EXPECT_TRUE(FadingForbidden);
  acAnimCount = savedCount;
  FadingForbidden = savedFading;
}

TEST_F(FormWindowTest, HitZonesOfASizeableForm) {
  ShownForm f;
  f.Show();
  const int w = f.form->Width(), h = f.form->Height();
  const TPoint close = ShownForm::Centre(f.provider->ButtonClose.Rect);
  const TPoint max = ShownForm::Centre(f.provider->ButtonMax.Rect);
  const TPoint min = ShownForm::Centre(f.provider->ButtonMin.Rect);
  ASSERT_GT(close.X, max.X);
  ASSERT_GT(max.X, min.X);
  struct Case {
    int x, y;
    LRESULT code;
  } cases[] = {
      {close.X, close.Y, HTCLOSE}, {max.X, max.Y, HTMAXBUTTON}, {min.X, min.Y, HTMINBUTTON},
      {w / 3, close.Y, HTCAPTION}, {0, 0, HTTOPLEFT},           {w - 1, h - 1, HTBOTTOMRIGHT},
      {w - 1, 0, HTTOPRIGHT},      {0, h - 1, HTBOTTOMLEFT},    {0, h / 2, HTLEFT},
      {w - 1, h / 2, HTRIGHT},     {w / 2, h - 1, HTBOTTOM},    {w / 2, h / 2, HTCLIENT},
  };
  for (const Case& c : cases) EXPECT_EQ(f.HitTest(c.x, c.y), c.code) << c.x << "," << c.y;

  ShowWindow(f.H(), SW_MAXIMIZE);
  ShownForm::Pump();
  ASSERT_TRUE(IsZoomed(f.H()));
  EXPECT_NE(f.HitTest(0, 0), HTTOPLEFT);
}

TEST_F(FormWindowTest, AUserTitleButtonAnswersItsOwnCode) {
  ShownForm f(bsSingle);
  auto* user = static_cast<TsTitleButton*>(f.provider->TitleButtons()->Add());
  f.provider->LoadInit();
  f.Show();
  f.provider->SkinData()->BGChanged = true;
  f.provider->PaintAll();
  const TPoint u = ShownForm::Centre(user->BtnData.Rect);
  ASSERT_LT(u.X, f.provider->ButtonMin.Rect.Left);
  EXPECT_EQ(f.HitTest(u.X, u.Y), 1000);
  user->SetEnabled(false);
  EXPECT_EQ(f.HitTest(u.X, u.Y), HTCAPTION);
}

TEST_F(FormWindowTest, CloseButtonActsOnlyOnReleaseOverItself) {
  ShownForm f;
  f.Show();
  const TPoint close = ShownForm::Centre(f.provider->ButtonClose.Rect);
  const LPARAM on = f.At(close.X, close.Y), off = f.At(f.form->Width() / 3, close.Y);
  // Pressed, left through the window's edge, released: nothing.
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTCLOSE, on);
  EXPECT_EQ(f.provider->ButtonClose.State, 2);
  SendMessageW(f.H(), WM_NCMOUSELEAVE, 0, 0);
  SendMessageW(f.H(), WM_NCLBUTTONUP, HTCLOSE, on);
  ShownForm::Pump();
  EXPECT_TRUE(IsWindowVisible(f.H()));
  // Pressed, moved onto the caption, back, released: the form closes; while held nothing else is hot.
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTCLOSE, on);
  SendMessageW(f.H(), WM_NCMOUSEMOVE, HTCAPTION, off);
  const TPoint min = ShownForm::Centre(f.provider->ButtonMin.Rect);
  SendMessageW(f.H(), WM_NCMOUSEMOVE, HTMINBUTTON, f.At(min.X, min.Y));
  EXPECT_EQ(f.provider->ButtonMin.State, 0);
  SendMessageW(f.H(), WM_NCMOUSEMOVE, HTCLOSE, on);
  SendMessageW(f.H(), WM_NCLBUTTONUP, HTCLOSE, on);
  ShownForm::Pump();
  EXPECT_FALSE(IsWindowVisible(f.H()));
}

// Real input in the virtual desktop: the system hands the provider's hit code back with the press
// and the release.
TEST_F(FormWindowTest, ARealClickOnTheCloseButtonClosesTheForm) {
  ShownForm f;
  f.Show();
  SetForegroundWindow(f.H());
  ShownForm::Pump();
  const TPoint close = ShownForm::Centre(f.provider->ButtonClose.Rect);
  const LPARAM at = f.At(close.X, close.Y);
  SetCursorPos(LOWORD(at), HIWORD(at));
  ShownForm::Pump();
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
  for (int i = 0; i < 50 && IsWindowVisible(f.H()); ++i) {
    ShownForm::Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_FALSE(IsWindowVisible(f.H()));
}

// The mouse came from the client area onto the button; the system tells of leaving the client area
// only after the press. The press stands and the release closes the form.
TEST_F(FormWindowTest, LeavingTheClientAreaLateKeepsTheTitleButtonsPress) {
  ShownForm f;
  f.Show();
  const TPoint close = ShownForm::Centre(f.provider->ButtonClose.Rect);
  const LPARAM on = f.At(close.X, close.Y);
  SetCursorPos(LOWORD(on), HIWORD(on));
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTCLOSE, on);
  SendMessageW(f.H(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(f.H(), WM_NCLBUTTONUP, HTCLOSE, on);
  ShownForm::Pump();
  EXPECT_FALSE(IsWindowVisible(f.H()));
}

TEST_F(FormWindowTest, ReleaseOverAnotherButtonDoesNotFireIt) {
  ShownForm f;
  f.Show();
  const TPoint min = ShownForm::Centre(f.provider->ButtonMin.Rect);
  const TPoint close = ShownForm::Centre(f.provider->ButtonClose.Rect);
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTMINBUTTON, f.At(min.X, min.Y));
  SendMessageW(f.H(), WM_NCLBUTTONUP, HTCLOSE, f.At(close.X, close.Y));
  ShownForm::Pump();
  EXPECT_TRUE(IsWindowVisible(f.H()));
}

TEST_F(FormWindowTest, RemovingTheProviderGivesTheSystemFrameBack) {
  ShownForm f;
  f.Show();
  EXPECT_EQ(GetWindowLongPtrW(f.H(), GWL_STYLE) & WS_SYSMENU, 0);
  f.Unskin();
  EXPECT_NE(GetWindowLongPtrW(f.H(), GWL_STYLE) & WS_SYSMENU, 0);
  RECT r;
  GetWindowRect(f.H(), &r);
  EXPECT_EQ(SendMessageW(f.H(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTOPLEFT);
}

}  // namespace
}  // namespace skin
