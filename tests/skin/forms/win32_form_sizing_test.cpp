// A skinned form moved, sized, maximized, minimised and closed: snapping, the maximized bounds,
// the cache and region following the size, the system commands, the outline drag of rmBorder and
// the restore after a vertical stretch. Expected values come from the system's own metrics.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/acAnimHide.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i)
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

RECT WindowRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

struct SizingForm {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  explicit SizingForm(TFormBorderStyle style = bsSizeable) {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBorderStyle(style);
    form->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    form->SetBounds(140, 140, 320, 220);
    form->SetCaption(L"Sizing");
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    form->Show();
    Pump();
  }
  HWND H() const { return form->Handle(); }
  // A position LPARAM: screen coordinates for the frame, client coordinates for the client area.
  LPARAM Screen(int x, int y) const { return MAKELPARAM(x, y); }
  LPARAM Client(int x, int y) const {
    POINT p{x, y};
    ScreenToClient(H(), &p);
    return MAKELPARAM(static_cast<short>(p.x), static_cast<short>(p.y));
  }
};

class FormSizingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag_, 0);
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  }
  void TearDown() override { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullDrag_, nullptr, 0); }

 private:
  BOOL fullDrag_ = TRUE;
};

TEST_F(FormSizingTest, SnapsToTheWorkAreaCloserThanTheBufferOnly) {
  SizingForm f;
  f.provider->SetScreenSnap(true);
  ASSERT_EQ(f.provider->SnapBuffer(), 10);
  const RECT wa = WorkArea();
  const int y = wa.top + 100;
  SetWindowPos(f.H(), nullptr, wa.left + 9, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(f.H()).left, wa.left);
  SetWindowPos(f.H(), nullptr, wa.left + 10, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(f.H()).left, wa.left + 10);
  const int w = f.form->Width();
  SetWindowPos(f.H(), nullptr, wa.right - w - 9, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(f.H()).right, wa.right);
  f.provider->SetScreenSnap(false);
  SetWindowPos(f.H(), nullptr, wa.left + 9, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(f.H()).left, wa.left + 9);
}

TEST_F(FormSizingTest, MaximizedBoundsLayTheFrameOutsideTheWorkArea) {
  const RECT wa = WorkArea();
  struct Case {
    TFormBorderStyle style;
    int frame;
  } const cases[] = {{bsSizeable, GetSystemMetrics(SM_CXFRAME)}, {bsSingle, GetSystemMetrics(SM_CXDLGFRAME)}};
  for (const Case& c : cases) {
    SizingForm f(c.style);
    MINMAXINFO info{};
    SendMessageW(f.H(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxPosition.x, -c.frame) << c.style;
    EXPECT_EQ(info.ptMaxPosition.y, -c.frame) << c.style;
    EXPECT_EQ(info.ptMaxSize.x, wa.right - wa.left + 2 * c.frame) << c.style;
    EXPECT_EQ(info.ptMaxSize.y, wa.bottom - wa.top + 2 * c.frame) << c.style;
  }
  // A provider that leaves the frame to the system leaves the bounds to it too.
  SizingForm f;
  f.provider->SetDrawNonClientArea(false);
  MINMAXINFO info{};
  SendMessageW(f.H(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxSize.x, 0);
}

TEST_F(FormSizingTest, SystemCommandsMinimiseMaximiseRestoreAndClose) {
  SizingForm f;
  const RECT normal = WindowRect(f.H());
  ASSERT_GT(f.provider->SkinData()->CacheBmp()->Width(), 0);
  SendMessageW(f.H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(f.H()));
  // Emptied, so that the next paint renders the frame afresh.
  EXPECT_EQ(f.provider->SkinData()->CacheBmp()->Width(), 0);
  Pump();
  SendMessageW(f.H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_FALSE(IsIconic(f.H()));
  EXPECT_TRUE(Same(normal, WindowRect(f.H())));

  SendMessageW(f.H(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Pump();
  EXPECT_TRUE(IsZoomed(f.H()));
  const RECT wa = WorkArea();
  const int frame = GetSystemMetrics(SM_CXFRAME);
  EXPECT_EQ(WindowRect(f.H()).right - WindowRect(f.H()).left, wa.right - wa.left + 2 * frame);
  EXPECT_EQ(f.provider->SkinData()->CacheBmp()->Width(), f.form->Width());
  SendMessageW(f.H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_FALSE(IsZoomed(f.H()));
  EXPECT_TRUE(Same(normal, WindowRect(f.H())));

  SendMessageW(f.H(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(f.H()));
}

// Ends a menu that the keys did not close, so that a failing test does not hang.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Alt+Space drops the skinned system menu; the keys waiting for it choose Close (the last item).
TEST_F(FormSizingTest, AltSpaceDropsTheSystemMenu) {
  SizingForm f;
  const HWND owner = Application->Handle();
  const auto altKey = [&](WPARAM key) {
    PostMessageW(owner, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
    const UINT_PTR safety = SetTimer(nullptr, 0, 3000, &EndStuckMenu);
    SendMessageW(f.H(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key));
    KillTimer(nullptr, safety);
    MSG msg;
    while (PeekMessageW(&msg, owner, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {}
    Pump();
  };
  altKey('F');
  EXPECT_TRUE(IsWindowVisible(f.H()));
  altKey(VK_SPACE);
  EXPECT_FALSE(IsWindowVisible(f.H()));
}

// After a resize the frame on screen is the cache rendered at the new size, and the window region
// is cut for the new size.
TEST_F(FormSizingTest, AResizeRendersTheFrameAndRegionAtTheNewSize) {
  SizingForm f;
  SetWindowPos(f.H(), nullptr, 0, 0, 410, 290, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  const int w = f.form->Width(), h = f.form->Height();
  ASSERT_EQ(w, 410);
  TBitmap* cache = f.provider->SkinData()->CacheBmp();
  ASSERT_EQ(cache->Width(), 410);
  ASSERT_EQ(cache->Height(), 290);
  auto shot = NewBitmap32(w, h);
  SendMessageW(f.H(), WM_PRINT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
  const int top = f.provider->OffsetY(), side = f.provider->OffsetX();
  const auto px = [](TBitmap* b, int x, int y) { return b->Image32View().At(x, y).U & 0x00FFFFFFu; };
  int differ = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((y < top || x < side || x >= w - side || y >= h - side) && px(shot.get(), x, y) != px(cache, x, y)) ++differ;
  EXPECT_EQ(differ, 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(f.H(), rgn), ERROR);
  RECT box{};
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  EXPECT_EQ(box.right, 410);
  EXPECT_EQ(box.bottom, 290);
}

// Children that tile the form's background along one direction hear of a change in that direction.
TEST_F(FormSizingTest, ChildrenHearOfASizeChangeAlongTheirBackgroundsDirection) {
  SizingForm f;
  auto* label = classlib::Create<TLabel>(f.form.get());
  label->SetParent(f.form.get());
  struct Counter {
    TWndMethod saved;
    int moved = 0;
    void Proc(TMessage& m) {
      if (m.Msg == SM_ALPHACMD && m.WParam == MAKEWPARAM(1, ACMD_MOVED)) ++moved;
      saved(m);
    }
  } counter{label->WindowProc};
  label->WindowProc = TWndMethod(&counter, &Counter::Proc);
  f.provider->SkinData()->BGType = 0x2;  // the background follows the height
  const RECT r = WindowRect(f.H());
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(f.H(), nullptr, 0, 0, w + 20, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(counter.moved, 0);
  SetWindowPos(f.H(), nullptr, 0, 0, w + 20, h + 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(counter.moved, 1);
  f.provider->SkinData()->BGType = 0x1;  // along the width
  SetWindowPos(f.H(), nullptr, 0, 0, w + 40, h + 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(counter.moved, 2);
  label->WindowProc = counter.saved;
}

// Stands in for the window animations: counts the images asked for.
struct FakeFormImage {
  static inline int taken = 0;
  static std::unique_ptr<TBitmap> Take(TsSkinProvider* SP, bool) {
    ++taken;
    return NewBitmap32(SP->Form->Width(), SP->Form->Height());
  }
};

// A form whose hide animation plays has its image taken as it hides, and paints nothing more until
// it shows again; without the animation, or with its time 0, nothing is taken.
TEST_F(FormSizingTest, HidingTakesTheFormsImageOnlyForAHideAnimation) {
  SizingForm f;
  const auto saved = acGetFormImage;
  acGetFormImage = &FakeFormImage::Take;
  FakeFormImage::taken = 0;
  TacFormHide& hide = f.manager->AnimEffects().FormHide();
  hide.SetActive(true);
  hide.SetTime(0);
  f.form->Hide();
  Pump();
  EXPECT_EQ(FakeFormImage::taken, 0);
  f.form->Show();
  Pump();
  hide.SetTime(120);
  f.form->Hide();
  Pump();
  EXPECT_EQ(FakeFormImage::taken, 1);
  // The hide took the image over, and its copy fades out on its timer.
  EXPECT_EQ(f.provider->HideImage, nullptr);
  for (const DWORD start = GetTickCount(); acHideTimer != nullptr && acHideTimer->Form != nullptr;) {
    ASSERT_LT(GetTickCount() - start, 3000u) << "the hide never ended";
    Pump();
    Sleep(1);
  }
  EXPECT_NE(f.provider->FormState() & kFormCapturing, 0u);
  f.form->Show();
  Pump();
  EXPECT_EQ(f.provider->FormState() & kFormCapturing, 0u);
  f.provider->SetAllowAnimation(false);
  f.form->Hide();
  Pump();
  EXPECT_EQ(FakeFormImage::taken, 1);
  acGetFormImage = saved;
}

TEST_F(FormSizingTest, AHundredResizesLeaveNoWindowBitmapOrRegionBehind) {
  // The count sees a region made here, or it could not see one left behind.
  const int regions = skin::test::LiveGdiObjects(OBJ_REGION);
  HRGN probe = CreateRectRgn(0, 0, 1, 1);
  ASSERT_EQ(skin::test::LiveGdiObjects(OBJ_REGION), regions + 1);
  DeleteObject(probe);

  SizingForm f;
  const auto resize = [&](int i) {
    SetWindowPos(f.H(), nullptr, 0, 0, 300 + i % 7 * 13, 200 + i % 5 * 11, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  };
  resize(0);
  const int windows = skin::test::ThreadWindowCount(), bitmaps = skin::test::LiveGdiObjects(OBJ_BITMAP), regionsBefore = skin::test::LiveGdiObjects(OBJ_REGION);
  for (int i = 1; i <= 100; ++i) resize(i);
  resize(0);
  EXPECT_EQ(skin::test::ThreadWindowCount(), windows);
  EXPECT_EQ(skin::test::LiveGdiObjects(OBJ_BITMAP), bitmaps);
  EXPECT_EQ(skin::test::LiveGdiObjects(OBJ_REGION), regionsBefore);
}

// A pixel of the screen.
COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

TEST_F(FormSizingTest, AnOutlineDragSizesTheFormByTheMouseMove) {
  SizingForm f;
  f.provider->SetResizeMode(rmBorder);
  const RECT r = WindowRect(f.H());
  const int x = r.right - 1, y = r.bottom - 1;
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, f.Screen(x, y));
  ASSERT_TRUE(f.provider->OutlineDragOf());
  EXPECT_EQ(GetCapture(), f.H());
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(x, y));
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(x + 30, y + 20));
  // Until the release the window keeps its size.
  EXPECT_EQ(WindowRect(f.H()).right, r.right);
  SendMessageW(f.H(), WM_LBUTTONUP, 0, f.Client(x + 30, y + 20));
  Pump();
  EXPECT_FALSE(f.provider->OutlineDragOf());
  EXPECT_EQ(GetCapture(), nullptr);
  const RECT after = WindowRect(f.H());
  EXPECT_EQ(after.left, r.left);
  EXPECT_EQ(after.top, r.top);
  EXPECT_EQ(after.right, r.right + 30);
  EXPECT_EQ(after.bottom, r.bottom + 20);

  // Pressed on the left edge and released without a move: the size stays.
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTLEFT, f.Screen(after.left, after.top + 50));
  SendMessageW(f.H(), WM_LBUTTONUP, 0, f.Client(after.left, after.top + 50));
  EXPECT_TRUE(Same(after, WindowRect(f.H())));
  // Dragged on the left edge: only the left edge follows.
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTLEFT, f.Screen(after.left, after.top + 50));
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(after.left, after.top + 50));
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(after.left - 25, after.top + 60));
  SendMessageW(f.H(), WM_LBUTTONUP, 0, f.Client(after.left - 25, after.top + 60));
  const RECT left = WindowRect(f.H());
  EXPECT_EQ(left.left, after.left - 25);
  EXPECT_EQ(left.top, after.top);
  EXPECT_EQ(left.right, after.right);
  EXPECT_EQ(left.bottom, after.bottom);
}

TEST_F(FormSizingTest, AnOutlineDragMovesTheFormFromTheCaption) {
  SizingForm f;
  f.provider->SetResizeMode(rmBorder);
  const RECT r = WindowRect(f.H());
  const int x = (r.left + r.right) / 2, y = r.top + f.provider->OffsetY() / 2;
  ASSERT_EQ(SendMessageW(f.H(), WM_NCHITTEST, 0, f.Screen(x, y)), HTCAPTION);
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTCAPTION, f.Screen(x, y));
  ASSERT_TRUE(f.provider->OutlineDragOf());
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(x + 25, y + 15));
  SendMessageW(f.H(), WM_LBUTTONUP, 0, f.Client(x + 25, y + 15));
  const RECT after = WindowRect(f.H());
  EXPECT_EQ(after.left, r.left + 25);
  EXPECT_EQ(after.top, r.top + 15);
  EXPECT_EQ(after.right - after.left, r.right - r.left);
}

// The outline drawn on the desktop is taken off again when the capture goes elsewhere, and the
// window keeps its size.
TEST_F(FormSizingTest, LosingTheCaptureEndsTheOutlineDragAndErasesTheOutline) {
  SizingForm f;
  f.provider->SetResizeMode(rmBorder);
  const RECT r = WindowRect(f.H());
  const int x = r.right - 1, y = r.bottom - 1;
  // A point on the outline's bottom edge, outside the window.
  const int px = r.right - 20, py = r.bottom + 40;
  const COLORREF before = ScreenPixel(px, py);
  SendMessageW(f.H(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, f.Screen(x, y));
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(x, y));
  SendMessageW(f.H(), WM_MOUSEMOVE, MK_LBUTTON, f.Client(x + 10, y + 40));
  ASSERT_TRUE(f.provider->OutlineDragOf());
  EXPECT_NE(ScreenPixel(px, py), before);
  ReleaseCapture();
  Pump();
  EXPECT_FALSE(f.provider->OutlineDragOf());
  EXPECT_FALSE(OutlineDrag.bInProcess);
  EXPECT_EQ(ScreenPixel(px, py), before);
  EXPECT_TRUE(Same(r, WindowRect(f.H())));
  // A late release does nothing more.
  SendMessageW(f.H(), WM_LBUTTONUP, 0, f.Client(x + 10, y + 40));
  EXPECT_TRUE(Same(r, WindowRect(f.H())));
}

TEST_F(FormSizingTest, DestroyingTheFormEndsItsOutlineDrag) {
  auto f = std::make_unique<SizingForm>();
  f->provider->SetResizeMode(rmBorder);
  const RECT r = WindowRect(f->H());
  SendMessageW(f->H(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, f->Screen(r.right - 1, r.bottom - 1));
  ASSERT_TRUE(OutlineDrag.bInProcess);
  f.reset();
  EXPECT_FALSE(OutlineDrag.bInProcess);
  EXPECT_EQ(OutlineDrag.Owner, nullptr);
}

// A form stretched over the work area's height gets its height back when it is dragged away, and
// keeps its bottom when only that was moved.
TEST_F(FormSizingTest, TheFirstMoveAfterAVerticalStretchRestoresTheHeight) {
  SizingForm f;
  const RECT wa = WorkArea();
  const int normalTop = 140, normalHeight = 220;
  SetWindowPos(f.H(), nullptr, 140, wa.top, 320, wa.bottom - wa.top, SWP_NOZORDER | SWP_NOACTIVATE);
  f.provider->NormalBounds = TRect{140, normalTop, 320, normalHeight};
  f.provider->SetFormState(kFormStretchedV, true);
  SetWindowPos(f.H(), nullptr, 200, wa.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r = WindowRect(f.H());
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, wa.top + 60);
  EXPECT_EQ(r.bottom - r.top, normalHeight);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(f.provider->FormState() & kFormStretchedV, 0u);

  SetWindowPos(f.H(), nullptr, 140, wa.top, 320, wa.bottom - wa.top, SWP_NOZORDER | SWP_NOACTIVATE);
  f.provider->SetFormState(kFormStretchedV | kFormStretchedH, true);
  // The bottom edge dragged up by 30: the top goes back, the bottom stays where it was put.
  SetWindowPos(f.H(), nullptr, 140, wa.top, 320, wa.bottom - wa.top - 30, SWP_NOZORDER | SWP_NOACTIVATE);
  r = WindowRect(f.H());
  EXPECT_EQ(r.top, normalTop);
  EXPECT_EQ(r.bottom, wa.bottom - 30);
  EXPECT_EQ(f.provider->FormState() & (kFormStretchedV | kFormStretchedH), 0u);

  // Dragged sideways only: the form takes back its top and height as well.
  SetWindowPos(f.H(), nullptr, 140, wa.top, 320, wa.bottom - wa.top, SWP_NOZORDER | SWP_NOACTIVATE);
  f.provider->SetFormState(kFormStretchedV, true);
  SetWindowPos(f.H(), nullptr, 90, wa.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  r = WindowRect(f.H());
  EXPECT_EQ(r.left, 90);
  EXPECT_EQ(r.top, normalTop);
  EXPECT_EQ(r.bottom - r.top, normalHeight);
}

}  // namespace
}  // namespace skin
