// The form skin provider on real forms under Wine: what it takes from the form and gives back,
// the frame metrics against the system's own frame, the window region from our skin and the
// composition services through seams in place of DWMAPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinRegions.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

Owned<TForm> MakeForm(TFormBorderStyle Style, int Width = 300, int Height = 200) {
  Owned<TForm> form(classlib::Create<TForm>(nullptr));
  form->SetBorderStyle(Style);
  form->SetBounds(40, 40, Width, Height);
  form->SetCaption(L"Provider test");
  form->HandleNeeded();
  return form;
}

// Wraps a form's WindowProc the way a later handler would, and can step aside.
struct LaterWrapper {
  TCustomForm* form;
  TWndMethod saved;
  int seen = 0;
  explicit LaterWrapper(TCustomForm* f) : form(f), saved(f->WindowProc) {
    f->WindowProc = TWndMethod(this, &LaterWrapper::Proc);
  }
  void Proc(TMessage& m) {
    ++seen;
    saved(m);
  }
};

class ProviderTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterSkinProviderClasses(); }
};

TEST_F(ProviderTest, RefusesAnOwnerThatIsNotAForm) {
  Owned<TComponent> owner(new TComponent(nullptr));
  try {
    new TsSkinProvider(owner.get());
    FAIL() << "no exception";
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), L"TsSkinProvider component may be used with forms only!");
  }
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(ProviderTest, TakesWindowProcAndGivesTheSameOneBack) {
  Owned<TForm> form = MakeForm(bsSizeable);
  const TWndMethod original = form->WindowProc;
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_FALSE(form->WindowProc == original);
  // The form answers who serves it.
  EXPECT_EQ(form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0),
            reinterpret_cast<LRESULT>(static_cast<IacSkinProvider*>(provider)));
  classlib::Free(provider);
  EXPECT_TRUE(form->WindowProc == original);
  EXPECT_EQ(form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0), 0);
}

TEST_F(ProviderTest, WindowProcRestoredExactlyAfterALaterWrapper) {
  Owned<TForm> form = MakeForm(bsSizeable);
  const TWndMethod original = form->WindowProc;
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  LaterWrapper later(form.get());
  classlib::Free(provider);
  EXPECT_TRUE(form->WindowProc == original);
}

TEST_F(ProviderTest, SecondProviderStaysEmptyOrReplacesARunTimeOne) {
  Owned<TForm> form = MakeForm(bsSizeable);
  const TWndMethod original = form->WindowProc;
  auto* first = classlib::Create<TsSkinProvider>(form.get());
  const TWndMethod firstProc = form->WindowProc;
  auto* second = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_TRUE(second->RTEmpty);
  EXPECT_TRUE(form->WindowProc == firstProc);
  classlib::Free(second);
  EXPECT_TRUE(form->WindowProc == firstProc);
  classlib::Free(first);
  EXPECT_TRUE(form->WindowProc == original);

  TsSkinProvider* runTime = TsSkinProvider::CreateRT(form.get());
  EXPECT_TRUE(runTime->RTInit);
  const int components = form->ComponentCount();
  auto* stored = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_FALSE(stored->RTEmpty);
  EXPECT_EQ(form->ComponentCount(), components);  // the run-time one is gone, this one took its place
  EXPECT_EQ(form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0),
            reinterpret_cast<LRESULT>(static_cast<IacSkinProvider*>(stored)));
  classlib::Free(stored);
  EXPECT_TRUE(form->WindowProc == original);
}

TEST_F(ProviderTest, FreeingWithAScrollHandlerLeavesNothingCallingTheProvider) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable);
  const TWndMethod original = form->WindowProc;
  const std::size_t handlers = TacMainWnd::LiveCount();
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->ListSW = TacMainWnd::Create<TacScrollWnd>(form->Handle(), provider->SkinData(), manager.get(), "FORM");
  EXPECT_FALSE(form->WindowProc == original);
  classlib::Free(provider);
  EXPECT_TRUE(form->WindowProc == original);
  EXPECT_EQ(TacMainWnd::LiveCount(), handlers);
  // Messages still reach the form's own procedure.
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after")), TRUE);
  EXPECT_EQ(form->Caption(), L"after");
}

// A skinned AutoScroll form gets one scroll handler on its window however often it is asked, a
// form without AutoScroll none, and the handler goes with the skin.
TEST_F(ProviderTest, AutoScrollFormGetsOneScrollHandlerWhileSkinned) {
  auto manager = ManagerWithOurSkin();
  for (bool autoScroll : {false, true}) {
    Owned<TForm> form = MakeForm(bsSizeable);
    form->SetAutoScroll(autoScroll);
    SetWindowLongPtrW(form->Handle(), GWL_STYLE, GetWindowLongPtrW(form->Handle(), GWL_STYLE) | WS_VSCROLL);
    const std::size_t handlers = TacMainWnd::LiveCount();
    auto* provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    AttachFormScrollHandler(provider);
    TacScrollWnd* first = provider->ListSW.get();
    AttachFormScrollHandler(provider);
    EXPECT_EQ(provider->ListSW.get(), first) << autoScroll;
    EXPECT_EQ(first != nullptr, autoScroll);
    EXPECT_EQ(GetPropW(form->Handle(), kHandlerProp) != nullptr, autoScroll);
    EXPECT_EQ(TacMainWnd::LiveCount(), handlers + (autoScroll ? 1 : 0));
    EXPECT_EQ(provider->FormState() & kFormScrollAttaching, 0u);
    if (autoScroll) {
      manager->SetActive(false);
      AttachFormScrollHandler(provider);
      EXPECT_EQ(provider->ListSW, nullptr);
      EXPECT_EQ(GetPropW(form->Handle(), kHandlerProp), nullptr);
      manager->SetActive(true);
    }
    classlib::Free(provider);
    EXPECT_EQ(TacMainWnd::LiveCount(), handlers);
  }
}

TEST_F(ProviderTest, DefaultsAndDescriptionSettings) {
  Owned<TForm> form = MakeForm(bsSizeable);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_TRUE(provider->AllowAnimation());
  EXPECT_TRUE(provider->AllowExtBorders());
  EXPECT_TRUE(provider->AllowBlendOnMoving());
  EXPECT_EQ(provider->CaptionAlignment(), taLeftJustify);
  EXPECT_TRUE(provider->DrawNonClientArea());
  EXPECT_EQ(provider->SkinData()->SkinSection(), "FORM");
  EXPECT_EQ(provider->SkinData()->COC, 224);
  EXPECT_EQ(provider->GripMode(), gmNone);
  EXPECT_FALSE(provider->MakeSkinMenu());
  EXPECT_EQ(provider->ResizeMode(), rmStandard);
  EXPECT_FALSE(provider->ScreenSnap());
  EXPECT_EQ(provider->SnapBuffer(), 10);
  EXPECT_TRUE(provider->ShowAppIcon());
  EXPECT_TRUE(provider->UseGlobalColor());
  EXPECT_TRUE(provider->AddedTitle()->ShowMainCaption());
  EXPECT_EQ(provider->TitleIcon()->Width(), 0);
  EXPECT_EQ(provider->TitleSkinSection(), "FORMTITLE");
  // What a description sets, by property name.
  SetPropText(provider, L"CaptionAlignment", L"taCenter");
  SetPropText(provider, L"SnapBuffer", L"25");
  SetPropText(provider, L"GripMode", L"gmRightBottom");
  SetPropText(provider, L"AddedTitle.Text", L"v1.0");
  SetPropText(provider, L"SkinData.SkinSection", L"DIALOG");
  EXPECT_EQ(provider->CaptionAlignment(), taCenter);
  EXPECT_EQ(provider->SnapBuffer(), 25);
  EXPECT_EQ(provider->GripMode(), gmRightBottom);
  EXPECT_EQ(provider->AddedTitle()->Text(), L"v1.0");
  EXPECT_EQ(provider->SkinData()->SkinSection(), "DIALOG");
}

TEST_F(ProviderTest, SystemMenuStyleFollowsWhoDrawsTheFrame) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSingle);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  const auto sysMenu = [&] { return (GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_SYSMENU) != 0; };
  EXPECT_TRUE(provider->HaveSysMenu);
  EXPECT_FALSE(sysMenu());  // the system draws no caption buttons under ours
  provider->SetDrawNonClientArea(false);
  EXPECT_TRUE(sysMenu());
  provider->SetDrawNonClientArea(true);
  EXPECT_FALSE(sysMenu());
  provider->CheckSysMenu(false);
  EXPECT_TRUE(sysMenu());
  EXPECT_FALSE(provider->HaveSysMenu);
  classlib::Free(provider);
}

TEST_F(ProviderTest, DoLayered) {
  test::NativeWindow w(L"STATIC", WS_POPUP | WS_VISIBLE, 50, 50);
  EXPECT_TRUE(DoLayered(w, true));
  EXPECT_NE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_FALSE(DoLayered(w, true));
  EXPECT_FALSE(DoLayered(w, false));
  EXPECT_EQ(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE, 0);
}

// The client area's origin inside the window, as the system placed it.
POINT ClientOrigin(HWND h) {
  RECT window{};
  GetWindowRect(h, &window);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  return {origin.x - window.left, origin.y - window.top};
}

TEST_F(ProviderTest, ClientOriginMatchesTheSystemFrame) {
  auto manager = ManagerWithOurSkin();
  const TFormBorderStyle styles[] = {bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin};
  for (bool withMenu : {false, true}) {
    for (TFormBorderStyle style : styles) {
      Owned<TForm> form = MakeForm(style);
      Owned<TMainMenu> menu;
      if (withMenu) {
        menu.reset(classlib::Create<TMainMenu>(form.get()));
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(L"&File");
        menu->Items()->Add(item);
        form->SetMenu(menu.release());
      }
      auto* provider = classlib::Create<TsSkinProvider>(form.get());
      provider->SkinData()->SetSkinManager(manager.get());
      const POINT origin = ClientOrigin(form->Handle());
      const std::string name = std::to_string(static_cast<int>(style)) + (withMenu ? " with menu" : "");
      EXPECT_EQ(provider->OffsetX(), origin.x) << name;
      EXPECT_EQ(provider->OffsetY(), origin.y) << name;
      EXPECT_EQ(provider->HeaderHeight(), origin.y) << name;
      if (style == bsNone) EXPECT_EQ(provider->CaptionHeight(true), 0) << name;
      classlib::Free(provider);
    }
  }
}

TEST_F(ProviderTest, FailedMenuLineCountIsNotKept) {
  Owned<TForm> form = MakeForm(bsSizeable);
  auto* menu = classlib::Create<TMainMenu>(form.get());
  form->SetMenu(menu);  // a menu without items has no first item rectangle
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_EQ(provider->GetLinesCount(), 0);
  EXPECT_EQ(provider->FLinesCount, -1);
  auto* item = new TMenuItem(menu);
  item->SetCaption(L"&File");
  menu->Items()->Add(item);
  form->SetMenu(nullptr);
  form->SetMenu(menu);
  EXPECT_EQ(provider->GetLinesCount(), 1);
  EXPECT_EQ(provider->FLinesCount, 1);
  classlib::Free(provider);
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

TEST_F(ProviderTest, RegionOfOurSkinIsTheWholeWindow) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable, 220, 140);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  ASSERT_GE(provider->SkinData()->SkinIndex, 0);
  UpdateRgn(provider, false);
  EXPECT_FALSE(provider->RgnChanged);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(form->Handle(), rgn), SIMPLEREGION);
  RECT box{};
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 220);
  EXPECT_EQ(box.bottom, 140);
  // The title image's enclosed key pixels only let the form's border show through.
  EXPECT_TRUE(provider->ArOR.empty());
  classlib::Free(provider);
}

TEST_F(ProviderTest, RegionCutsTheKeyCornersOfTheFrameImage) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable, 220, 140);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  const int border = provider->SkinData()->BorderIndex;
  ASSERT_TRUE(manager->IsValidImgIndex(border));
  // The fixture: three key pixels in each corner of the border image's first cell.
  const TsMaskData& md = manager->Records().ma[border];
  const TImage32View src = md.Source();
  const int cw = (md.R.Right - md.R.Left) / md.ImageCount;
  const int ch = HeightOfImage(md);
  const auto key = [&](int x, int y) { src.At(md.R.Left + x, md.R.Top + y).U = classlib::kKeyPixel; };
  for (const auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
    key(x, y);
    key(cw - 1 - x, y);
    key(x, ch - 1 - y);
    key(cw - 1 - x, ch - 1 - y);
  }
  UpdateRgn(provider, false);
  const int w = 220, h = 140;
  const std::vector<bool> in = RegionPixels(form->Handle(), w, h);
  int cut = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
      const bool corner = dx + dy <= 1;  // (0, 0), (1, 0), (0, 1) mirrored into each corner
      EXPECT_EQ(in[static_cast<std::size_t>(y) * w + x], !corner) << x << "," << y;
      cut += corner ? 1 : 0;
    }
  EXPECT_EQ(cut, 12);
  classlib::Free(provider);
}

TEST_F(ProviderTest, RegionOfAZoomedFormIsItsOnScreenPart) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable, 220, 140);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
  ASSERT_TRUE(IsZoomed(form->Handle()));
  UpdateRgn(provider, false);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), rgn), ERROR);
  RECT box{};
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  const int frame = GetSystemMetrics(SM_CXFRAME);
  EXPECT_EQ(box.left, frame);
  EXPECT_EQ(box.top, frame);
  EXPECT_EQ(box.right, form->Width() - frame);
  EXPECT_EQ(box.bottom, form->Height() - frame);
  ShowWindow(form->Handle(), SW_HIDE);
  classlib::Free(provider);
}

TEST_F(ProviderTest, ZoomedFormWithAMaximumWidthKeepsItsCornerRegion) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable, 220, 140);
  SetPropText(form.get(), L"Constraints.MaxWidth", L"300");
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
  ASSERT_TRUE(IsZoomed(form->Handle()));
  EXPECT_LE(form->Width(), 300);  // the constraint holds the maximised size
  UpdateRgn(provider, false);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), rgn), ERROR);
  RECT box{};
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  // The whole window (our frame images have no outer key corners), not the on-screen part.
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, form->Width());
  EXPECT_EQ(box.bottom, form->Height());
  ShowWindow(form->Handle(), SW_HIDE);
  classlib::Free(provider);
}

TEST_F(ProviderTest, RegionLeavesAWindowOfAnotherEngineAlone) {
  auto manager = ManagerWithOurSkin();
  Owned<TForm> form = MakeForm(bsSizeable, 220, 140);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  provider->SkinData()->SetSkinManager(manager.get());
  provider->PrepareForm();
  struct Claim {
    TWndMethod saved;
    void Proc(TMessage& m) {
      if (m.Msg == 0xBC4D && m.WParam == 0x41A2) {
        m.Result = 0x41A2;
        return;
      }
      saved(m);
    }
  } claim{form->WindowProc};
  form->WindowProc = TWndMethod(&claim, &Claim::Proc);
  UpdateRgn(provider, false);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form->Handle(), rgn), ERROR);  // no region set
  DeleteObject(rgn);
  EXPECT_TRUE(provider->RgnChanged);
  form->WindowProc = claim.saved;
  classlib::Free(provider);
}

// ---- composition services through seams ----

struct FakeDwm {
  static inline int thumbW = 0, thumbH = 0;
  static inline HBITMAP thumb = nullptr;
  static inline HRESULT answer = S_OK;
  static HRESULT WINAPI SetIconicThumbnail(HWND, HBITMAP bmp, DWORD) {
    BITMAP info{};
    GetObjectW(bmp, sizeof info, &info);
    thumbW = info.bmWidth;
    thumbH = info.bmHeight;
    thumb = bmp;
    return answer;
  }
  static HRESULT WINAPI IsCompositionEnabled(BOOL* on) {
    *on = TRUE;
    return S_OK;
  }
  static void* Resolve(const char* name) {
    if (std::string(name) == "DwmSetIconicThumbnail") return reinterpret_cast<void*>(&SetIconicThumbnail);
    if (std::string(name) == "DwmIsCompositionEnabled") return reinterpret_cast<void*>(&IsCompositionEnabled);
    return nullptr;
  }
  static void* Nothing(const char*) { return nullptr; }
  static int Vista() { return 6; }
};

class DwmTest : public ProviderTest {
 protected:
  void SetUp() override {
    ProviderTest::SetUp();
    SetOsMajorVersion(&FakeDwm::Vista);
  }
  void TearDown() override {
    SetDwmResolver(nullptr);
    SetOsMajorVersion(nullptr);
  }
};

TEST_F(DwmTest, MissingEntriesAnswerNegatively) {
  SetDwmResolver(&FakeDwm::Nothing);
  EXPECT_FALSE(AeroIsEnabled());
  BOOL value = TRUE;
  EXPECT_EQ(DwmSetWindowAttribute(nullptr, 3, &value, sizeof value), static_cast<HRESULT>(0x80004001L));
  Owned<TForm> form = MakeForm(bsSizeable, 400, 400);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  EXPECT_FALSE(SetThumbIcon(form->Handle(), provider, 200, 100));
  EXPECT_FALSE(SetPreviewBmp(form->Handle(), provider));
  classlib::Free(provider);
}

TEST_F(DwmTest, ThumbnailFitsAndAFailureLeavesNothing) {
  SetDwmResolver(&FakeDwm::Resolve);
  EXPECT_TRUE(AeroIsEnabled());
  Owned<TForm> form = MakeForm(bsSizeable, 400, 400);
  auto* provider = classlib::Create<TsSkinProvider>(form.get());
  classlib::TBitmap* cache = provider->SkinData()->CacheBmp();
  ASSERT_NE(cache, nullptr);
  cache->SetPixelFormat(pf32bit);
  cache->SetSize(400, 400);
  FakeDwm::answer = S_OK;
  EXPECT_TRUE(SetThumbIcon(form->Handle(), provider, 200, 100));
  EXPECT_EQ(FakeDwm::thumbW, 100);
  EXPECT_EQ(FakeDwm::thumbH, 100);
  EXPECT_EQ(GetObjectType(FakeDwm::thumb), 0u);  // freed after the call
  EXPECT_EQ(provider->FormState() & kFormThumbnail, 0u);
  FakeDwm::answer = E_FAIL;
  EXPECT_FALSE(SetThumbIcon(form->Handle(), provider, 200, 100));
  EXPECT_EQ(GetObjectType(FakeDwm::thumb), 0u);
  EXPECT_EQ(provider->FormState() & kFormThumbnail, 0u);
  EXPECT_FALSE(SetThumbIcon(form->Handle(), provider, 0, 100));
  classlib::Free(provider);
}

}  // namespace
}  // namespace skin
