// A skinned form with the manager's extended borders: the border window's styles, its place and
// region against the form's own client area, following moves and sizes, going with minimise and
// hide and coming back, its hit zones, the click through the shadow, the border double-click, and
// no region left behind. Layered alpha never shows on an Xvfb screen: the window's state is tested.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acBorderWnd.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::LiveGdiObjects;
using test::ManagerWithOurSkin;
using test::Owned;

void Pump() {
  MSG msg;
  for (int i = 0; i < 10; ++i)
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
}

RECT WindowRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

LPARAM ScreenPos(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Puts the mouse pointer at (x, y) and waits (at most a second) until the system reports it there.
bool MoveCursorTo(int x, int y) {
  if (!SetCursorPos(x, y)) return false;
  for (int i = 0; i < 100; ++i) {
    POINT p{};
    GetCursorPos(&p);
    if (p.x == x && p.y == y) return true;
    Sleep(10);
  }
  return false;
}

// The region of a window, in its own coordinates; asks whether it holds a point.
struct WindowRegion {
  HRGN h = CreateRectRgn(0, 0, 0, 0);
  int type = ERROR;
  explicit WindowRegion(HWND w) { type = GetWindowRgn(w, h); }
  ~WindowRegion() { DeleteObject(h); }
  bool Has(int x, int y) const { return type == ERROR || PtInRegion(h, x, y) != FALSE; }
};

class BorderFormTest : public ::testing::Test {
 protected:
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;

  void SetUp() override {
    manager->SetExtendedBorders(true);
    ASSERT_TRUE(manager->ExtendedBorders());
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(120, 100, 320, 220);
    form->SetCaption(L"Bordered");
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    // A pointer resting on the shadow would cut holes of its own into the region.
    MoveCursorTo(0, 0);
    form->Show();
    Pump();
  }
  void TearDown() override { classlib::Free(provider); }

  HWND H() const { return form->Handle(); }
  TacBorderWnd* Border() const { return dynamic_cast<TacBorderWnd*>(provider->BorderForm.get()); }
  HWND BorderHandle() const { return Border() != nullptr ? Border()->Handle() : nullptr; }
  TRect Shadow() const { return manager->Records().FormShadowSize; }
  // The form's client area in screen coordinates.
  RECT ClientOnScreen() const {
    RECT c{};
    GetClientRect(H(), &c);
    MapWindowPoints(H(), nullptr, reinterpret_cast<POINT*>(&c), 2);
    return c;
  }
  // The border window's region holds the frame around the form's client area and not the area.
  void ExpectHoleOverClientArea() {
    const HWND b = BorderHandle();
    ASSERT_NE(b, nullptr);
    const RECT br = WindowRectOf(b);
    const RECT c = ClientOnScreen();
    const WindowRegion rgn(b);
    ASSERT_NE(rgn.type, ERROR);
    const int l = c.left - br.left, t = c.top - br.top, r = c.right - br.left, bt = c.bottom - br.top;
    EXPECT_FALSE(rgn.Has(l, t));
    EXPECT_FALSE(rgn.Has(r - 1, bt - 1));
    EXPECT_FALSE(rgn.Has((l + r) / 2, (t + bt) / 2));
    EXPECT_TRUE(rgn.Has(l - 1, t));
    EXPECT_TRUE(rgn.Has(l, t - 1));
    EXPECT_TRUE(rgn.Has(r, bt - 1));
    EXPECT_TRUE(rgn.Has(r - 1, bt));
  }
};

TEST_F(BorderFormTest, BorderWindowHasExactStylesAndLiesAroundTheForm) {
  ASSERT_NE(Border(), nullptr);
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(b, GWL_EXSTYLE), LONG_PTR{WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW});
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(b, GWLP_HWNDPARENT)), H());
  TWinControl* control = FindControl(b);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->Tag(), -98);
  EXPECT_TRUE(IsWindowVisible(b));
  // Larger than the form by the shadow on every side at least.
  const RECT br = WindowRectOf(b), fr = WindowRectOf(H());
  const TRect s = Shadow();
  EXPECT_GT(s.Left, 0);
  EXPECT_LE(br.left + s.Left, fr.left + 1);
  EXPECT_LE(br.top + s.Top, fr.top + 1);
  EXPECT_GE(br.right - s.Right, fr.right - 1);
  EXPECT_GE(br.bottom - s.Bottom, fr.bottom - 1);
  ExpectHoleOverClientArea();
}

TEST_F(BorderFormTest, FollowsMovesAndSizes) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  const RECT before = WindowRectOf(b);
  form->SetBounds(160, 130, 360, 260);
  Pump();
  ASSERT_EQ(BorderHandle(), b);
  const RECT after = WindowRectOf(b);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ((after.right - after.left) - (before.right - before.left), 40);
  EXPECT_EQ((after.bottom - after.top) - (before.bottom - before.top), 40);
  ExpectHoleOverClientArea();
}

TEST_F(BorderFormTest, GoesWithMinimiseAndHideAndComesBack) {
  ASSERT_NE(BorderHandle(), nullptr);
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  ASSERT_NE(Border(), nullptr);
  EXPECT_FALSE(Border()->HasWindow());
  SendMessageW(H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  ASSERT_NE(BorderHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(BorderHandle()));
  ExpectHoleOverClientArea();

  form->Hide();
  Pump();
  EXPECT_TRUE(BorderHandle() == nullptr || !IsWindowVisible(BorderHandle()));
  form->Show();
  Pump();
  ASSERT_NE(BorderHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(BorderHandle()));
  ExpectHoleOverClientArea();
}

TEST_F(BorderFormTest, HitZonesOfTheFrame) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  const RECT br = WindowRectOf(b);
  const TRect s = Shadow();
  const int midX = (br.left + br.right) / 2;
  const TacBorderWnd& w = *Border();
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(midX, br.top + s.Top + 2)), HTTOP);
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(midX, br.top + s.Top + 12)), HTCAPTION);
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(br.left + s.Left + 1, (br.top + br.bottom) / 2)), HTLEFT);
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(br.right - s.Right - 1, br.bottom - s.Bottom - 1)), HTBOTTOMRIGHT);
  const TRect close = provider->ButtonClose.Rect;
  ASSERT_GT(close.Right, close.Left);
  EXPECT_EQ(
      w.Ex_WMNCHitTest(ScreenPos(br.left + (close.Left + close.Right) / 2, br.top + (close.Top + close.Bottom) / 2)),
      HTCLOSE);
  // The window asks through its own hit test: the frame answers HTOBJECT, the shadow does not.
  EXPECT_EQ(SendMessageW(b, WM_NCHITTEST, 0, ScreenPos(midX, br.top + s.Top + 12)), HTOBJECT);
  EXPECT_NE(SendMessageW(b, WM_NCHITTEST, 0, ScreenPos(midX, br.top + 1)), HTOBJECT);
  // A disabled form answers nothing.
  EnableWindow(H(), FALSE);
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(midX, br.top + s.Top + 12)), -1);
  EnableWindow(H(), TRUE);
  // The form's own answer comes first where it gives one.
  const LPARAM title = ScreenPos(midX, br.top + s.Top + 12);
  provider->OnExtHitTest = [title](TMessage& m) {
    if (m.Msg == WM_NCHITTEST && m.LParam == title) m.Result = HTHELP;
  };
  EXPECT_EQ(w.Ex_WMNCHitTest(title), HTHELP);
  EXPECT_EQ(w.Ex_WMNCHitTest(ScreenPos(midX, br.top + s.Top + 2)), HTTOP);
  provider->OnExtHitTest = nullptr;
}

TEST_F(BorderFormTest, TitleButtonsActThroughTheBorderWindow) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  auto centre = [&](const TRect& r) {
    const RECT br = WindowRectOf(BorderHandle());
    return ScreenPos(br.left + (r.Left + r.Right) / 2, br.top + (r.Top + r.Bottom) / 2);
  };
  auto click = [&](LPARAM at) {
    const HWND w = BorderHandle();
    SendMessageW(w, WM_NCMOUSEMOVE, HTOBJECT, at);
    SendMessageW(w, WM_NCLBUTTONDOWN, HTOBJECT, at);
    SendMessageW(w, WM_NCLBUTTONUP, HTOBJECT, at);
    Pump();
  };
  const LPARAM min = centre(provider->ButtonMin.Rect);
  ASSERT_EQ(Border()->Ex_WMNCHitTest(min), HTMINBUTTON);
  click(min);
  EXPECT_TRUE(IsIconic(H()));
  SendMessageW(H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  ASSERT_FALSE(IsIconic(H()));
  ASSERT_NE(BorderHandle(), nullptr);
  const LPARAM close = centre(provider->ButtonClose.Rect);
  ASSERT_EQ(Border()->Ex_WMNCHitTest(close), HTCLOSE);
  click(close);
  EXPECT_FALSE(IsWindowVisible(H()));
}

TEST_F(BorderFormTest, DoubleClickOnTheTitleMaximisesToTheInnerRegion) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  const RECT br = WindowRectOf(b);
  const TRect s = Shadow();
  const LPARAM title = ScreenPos((br.left + br.right) / 2, br.top + s.Top + 12);
  ASSERT_EQ(Border()->Ex_WMNCHitTest(title), HTCAPTION);
  SendMessageW(b, WM_NCLBUTTONDBLCLK, HTOBJECT, title);
  Pump();
  ASSERT_TRUE(IsZoomed(H()));
  ASSERT_NE(BorderHandle(), nullptr);
  const RECT zr = WindowRectOf(BorderHandle());
  const int w = zr.right - zr.left, h = zr.bottom - zr.top;
  // Shadow, system frame and the skin's wider frame cut off on three sides, 4 pixels below the
  // shadow at the top; the client area is the hole.
  const int side = GetSystemMetrics(SM_CXFRAME) + DiffBorder(provider->BorderForm.get());
  const WindowRegion rgn(BorderHandle());
  ASSERT_NE(rgn.type, ERROR);
  EXPECT_FALSE(rgn.Has(s.Left + side - 1, s.Top + 5));
  EXPECT_TRUE(rgn.Has(s.Left + side, s.Top + 5));
  EXPECT_FALSE(rgn.Has(w / 2, s.Top + 3));
  EXPECT_TRUE(rgn.Has(w / 2, s.Top + 4));
  EXPECT_FALSE(rgn.Has(w - s.Right - side, s.Top + 5));
  EXPECT_TRUE(rgn.Has(w - s.Right - side - 1, s.Top + 5));
  EXPECT_FALSE(rgn.Has(w / 2, h - s.Bottom - side));
  {
    // The client area is the hole; its sides meet the cut-off frame.
    const RECT c = ClientOnScreen();
    EXPECT_FALSE(rgn.Has((c.left + c.right) / 2 - zr.left, (c.top + c.bottom) / 2 - zr.top));
    EXPECT_FALSE(rgn.Has(c.left - zr.left, c.top - zr.top));
    EXPECT_TRUE(rgn.Has(c.left - zr.left, c.top - zr.top - 1));
  }
  // No point of a maximised frame counts as shadow.
  TMessage m{WM_NCHITTEST, 0, ScreenPos(zr.left + 1, zr.top + 1), 0};
  EXPECT_FALSE(Border()->MouseAboveTheShadow(m));
}

TEST_F(BorderFormTest, ClickOnTheShadowPassesThroughOnceAndLeavesNoRegionBehind) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  const RECT br = WindowRectOf(b);
  const int y = (br.bottom - br.top) / 2;
  {
    const WindowRegion rgn(b);
    EXPECT_TRUE(rgn.Has(1, y));
  }
  const int regions = LiveGdiObjects(OBJ_REGION);
  for (int i = 0; i < 5; ++i) {
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    const WindowRegion holed(b);
    EXPECT_FALSE(holed.Has(1, y));
    EXPECT_TRUE(holed.Has(2, y));
    EXPECT_TRUE(Border()->ResetRgn);
    // The next mouse test over the window gives the whole region back.
    SendMessageW(b, WM_NCHITTEST, 0, ScreenPos(br.left + 1, br.top + y));
    const WindowRegion back(b);
    EXPECT_TRUE(back.Has(1, y));
    EXPECT_FALSE(Border()->ResetRgn);
  }
  EXPECT_EQ(LiveGdiObjects(OBJ_REGION), regions);
}

TEST_F(BorderFormTest, DoubleClickOnTheRightBorderStretchesToTheWorkAreaAndBack) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = form->Left(), width = form->Width();
  const int db = DiffBorder(provider->BorderForm.get());
  const RECT br = WindowRectOf(b);
  const TRect s = Shadow();
  const LPARAM right = ScreenPos(br.right - s.Right - 1, (br.top + br.bottom) / 2);
  ASSERT_EQ(Border()->Ex_WMNCHitTest(right), HTRIGHT);
  SendMessageW(b, WM_NCLBUTTONDBLCLK, HTOBJECT, right);
  Pump();
  EXPECT_EQ(form->Left(), work.left + db);
  EXPECT_EQ(form->Width(), work.right - work.left - 2 * db);
  EXPECT_NE(provider->FormState() & kFormStretchedH, 0u);
  const RECT br2 = WindowRectOf(BorderHandle());
  SendMessageW(BorderHandle(), WM_NCLBUTTONDBLCLK, HTOBJECT,
               ScreenPos(br2.right - s.Right - 1, (br2.top + br2.bottom) / 2));
  Pump();
  EXPECT_EQ(form->Left(), left);
  EXPECT_EQ(form->Width(), width);
  EXPECT_EQ(provider->FormState() & kFormStretchedH, 0u);
}

// Pictures pushed through UpdateLayeredWindow: window, constant alpha and size.
struct PushRecorder {
  struct Push {
    HWND wnd;
    int alpha, width, height;
  };
  static inline std::vector<Push> pushes;
  static BOOL WINAPI Record(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                            BLENDFUNCTION* blend, DWORD flags) {
    pushes.push_back({wnd, blend->SourceConstantAlpha, size->cx, size->cy});
    return UpdateLayeredWindow(wnd, dst, pos, size, src, srcPos, key, blend, flags);
  }
  PushRecorder() {
    pushes.clear();
    SetUpdateLayeredWindow(&Record);
  }
  ~PushRecorder() { SetUpdateLayeredWindow(nullptr); }
};

TEST_F(BorderFormTest, ResizePushesTheRenderedFrameAtItsNewSize) {
  const HWND b = BorderHandle();
  ASSERT_NE(b, nullptr);
  const RECT before = WindowRectOf(b);
  PushRecorder recorder;
  form->SetBounds(form->Left(), form->Top(), 300, 250);
  Pump();
  ASSERT_FALSE(recorder.pushes.empty());
  const PushRecorder::Push& last = recorder.pushes.back();
  EXPECT_EQ(last.wnd, b);
  EXPECT_EQ(last.alpha, 255);
  // The picture grows and shrinks with the form: 20 narrower, 30 higher.
  EXPECT_EQ(last.width, before.right - before.left - 20);
  EXPECT_EQ(last.height, before.bottom - before.top + 30);
  const classlib::TBitmap* cache = provider->SkinData()->CacheBmp();
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(last.width, cache->Width());
  EXPECT_EQ(last.height, cache->Height());
  const RECT after = WindowRectOf(b);
  EXPECT_EQ(after.right - after.left, last.width);
  EXPECT_EQ(after.bottom - after.top, last.height);
}

// Composition reported on, with the blur service recording the regions it is given.
struct BlurRecorder {
  static inline std::vector<HRGN> regions;
  static inline int liveWhenGiven = 0;
  static HRESULT WINAPI IsEnabled(BOOL* on) {
    *on = TRUE;
    return S_OK;
  }
  struct BlurBehind {
    DWORD flags;
    BOOL enable;
    HRGN region;
    BOOL transition;
  };
  static HRESULT WINAPI Blur(HWND, const BlurBehind* b) {
    if (b->enable && b->region != nullptr) {
      regions.push_back(b->region);
      liveWhenGiven += GetObjectType(b->region) == OBJ_REGION;
    }
    return S_OK;
  }
  static void* Resolve(const char* name) {
    const std::string n(name);
    if (n == "DwmIsCompositionEnabled") return reinterpret_cast<void*>(&IsEnabled);
    if (n == "DwmEnableBlurBehindWindow") return reinterpret_cast<void*>(&Blur);
    return nullptr;
  }
  static int Vista() { return 6; }
  BlurRecorder() {
    regions.clear();
    liveWhenGiven = 0;
    SetOsMajorVersion(&Vista);
    SetDwmResolver(&Resolve);
  }
  ~BlurRecorder() {
    SetDwmResolver(nullptr);
    SetOsMajorVersion(nullptr);
  }
};

TEST_F(BorderFormTest, BlurRegionGoesOnceTheBlurIsSet) {
  ASSERT_NE(Border(), nullptr);
  manager->Effects().SetAllowAeroBluring(true);
  manager->Records().SkinData.UseAeroBluring = true;
  BlurRecorder blur;
  const int regions = LiveGdiObjects(OBJ_REGION);
  for (int i = 0; i < 3; ++i) Border()->UpdateExBordersPos(true, 255);
  manager->Records().SkinData.UseAeroBluring = false;
  ASSERT_EQ(blur.regions.size(), 3u);
  EXPECT_EQ(blur.liveWhenGiven, 3);
  for (HRGN r : blur.regions) EXPECT_EQ(GetObjectType(r), 0u);
  EXPECT_EQ(LiveGdiObjects(OBJ_REGION), regions);
}

// Clicks the shadow of a modal form from inside its modal loop, then closes the form.
struct ModalProbe {
  static inline TsSkinProvider* provider = nullptr;
  static inline TForm* form = nullptr;
  static inline int regionsBefore = -1, regionsAfter = -1;
  static inline bool holeApplied = true, ran = false;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ran = true;
    auto* border = dynamic_cast<TacBorderWnd*>(provider->BorderForm.get());
    const HWND b = border != nullptr ? border->Handle() : nullptr;
    if (b != nullptr) {
      const RECT br = WindowRectOf(b);
      const int y = (br.bottom - br.top) / 2;
      regionsBefore = LiveGdiObjects(OBJ_REGION);
      for (int i = 0; i < 5; ++i) SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
      regionsAfter = LiveGdiObjects(OBJ_REGION);
      const WindowRegion rgn(b);
      holeApplied = !rgn.Has(1, y);
    }
    form->SetModalResult(mrOk);
  }
};

TEST_F(BorderFormTest, ShadowHoleOfAModalFormIsDroppedNotLeaked) {
  form->Hide();
  Pump();
  ModalProbe::provider = provider;
  ModalProbe::form = form.get();
  SetTimer(nullptr, 0, 50, &ModalProbe::Tick);
  form->ShowModal();
  ASSERT_TRUE(ModalProbe::ran);
  EXPECT_NE(ModalProbe::regionsBefore, -1);
  EXPECT_FALSE(ModalProbe::holeApplied);
  EXPECT_EQ(ModalProbe::regionsAfter, ModalProbe::regionsBefore);
}

TEST_F(BorderFormTest, ShadowMarginsOfTheFrameComeFromTheShadowTemplate) {
  ASSERT_NE(Border(), nullptr);
  provider->SkinData()->BGChanged = true;
  provider->PaintAll();
  const TBitmap32& active = manager->Records().ShdaTemplate;
  const TBitmap32& inactive = manager->Records().ShdiTemplate;
  ASSERT_FALSE(active.Empty());
  const TBitmap32& used = provider->FormActive ? active : inactive;
  EXPECT_EQ(Border()->ShadowTemplate, &used);
  classlib::TBitmap* cache = provider->SkinData()->CacheBmp();
  const TImage32View c = cache->Image32View();
  const int w = c.Width, h = c.Height, tw = used.Width(), th = used.Height();
  // The outer corners are the template's own, pixel for pixel; the sides' outermost row is the
  // template's stretched edge, the same along the whole side.
  struct Point {
    int cx, cy, tx, ty;
  };
  const Point points[] = {{0, 0, 0, 0},
                          {3, 2, 3, 2},
                          {w - 1, 0, tw - 1, 0},
                          {0, h - 1, 0, th - 1},
                          {w - 1, h - 1, tw - 1, th - 1},
                          {w - 4, h - 3, tw - 4, th - 3}};
  for (const Point& p : points) {
    SCOPED_TRACE(::testing::Message() << p.cx << "," << p.cy);
    EXPECT_EQ(c.At(p.cx, p.cy).U, used.At(p.tx, p.ty).U);
  }
  EXPECT_EQ(c.At(w / 2, 0).U, c.At(w / 2 + 10, 0).U);
  EXPECT_EQ(c.At(0, h / 2).U, c.At(0, h / 2 + 10).U);
}

TEST_F(BorderFormTest, FreedWithTheExtendedBorders) {
  ASSERT_NE(BorderHandle(), nullptr);
  const HWND b = BorderHandle();
  manager->SetExtendedBorders(false);
  provider->InitExBorders(manager->ExtendedBorders());
  Pump();
  EXPECT_EQ(provider->BorderForm, nullptr);
  EXPECT_FALSE(IsWindow(b));
}

}  // namespace
}  // namespace skin
