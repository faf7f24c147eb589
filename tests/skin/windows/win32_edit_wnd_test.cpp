// The edit handler on real windows under Wine: the skin's colours pushed into a class-library
// control and given back, the printed frame against the section painted directly, the empty list's
// top index, and no frame painted while a form animation runs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acEditWnd.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::NativeWindow;

// An edit of another library that publishes the colour it shows while focused.
class TFocusColorEdit : public TEdit {
 public:
  using TEdit::TEdit;
  std::wstring ClassName() const override { return L"TFocusColorEdit"; }
  TColor FocusColor() const { return focus_; }
  void SetFocusColor(TColor c) { focus_ = c; }
  static void DeclareProperties(TClassDecl<TFocusColorEdit>& d) {
    d.Color(L"FocusColor", &TFocusColorEdit::FocusColor, &TFocusColorEdit::SetFocusColor, clWindow);
  }

 private:
  TColor focus_ = clWindow;
};

struct EditHandler : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  int edit = manager->GetSkinIndex("EDIT");
  void SetUp() override { ASSERT_TRUE(manager->IsValidSkinIndex(edit)); }
  const TsGeneralData& Section() { return manager->Records().gd[std::size_t(edit)]; }
};

TEST_F(EditHandler, SkinColoursGoIntoTheControlAndComeBack) {
  RegisterClass<TFocusColorEdit, TEdit>(L"TFocusColorEdit");
  // The section is opaque: its colour is the background the control must take.
  ASSERT_EQ(Section().Transparency, 0);
  const TColor skinColour = Section().Color, skinFont = Section().Props[0].FontColor.Color;
  const TColor ownColour = 0x123456, ownFont = 0x654321, ownFocus = 0x0A0B0C;
  ASSERT_NE(skinColour, ownColour);
  ASSERT_NE(skinFont, ownFont);

  test::Owned<TForm> form{new TForm(nullptr)};
  auto* withFocus = new TFocusColorEdit(form.get());
  auto* plain = new TEdit(form.get());
  for (TEdit* e : {static_cast<TEdit*>(withFocus), plain}) {
    e->SetParent(form.get());
    e->SetColor(ownColour);
    e->Font()->SetColor(ownFont);
  }
  withFocus->SetFocusColor(ownFocus);
  TsCommonData focusData(withFocus, true), plainData(plain, true);
  focusData.SetSkinManager(manager.get());
  plainData.SetSkinManager(manager.get());

  {
    auto a = TacMainWnd::Create<TacEditWnd>(withFocus->Handle(), &focusData, manager.get(), "EDIT", false);
    auto b = TacMainWnd::Create<TacEditWnd>(plain->Handle(), &plainData, manager.get(), "EDIT", false);
    a->SetSkinParams();
    b->SetSkinParams();
    EXPECT_EQ(withFocus->Color(), skinColour);
    EXPECT_EQ(withFocus->FocusColor(), skinColour);
    EXPECT_EQ(withFocus->Font()->Color(), skinFont);
    EXPECT_EQ(plain->Color(), skinColour);
    EXPECT_EQ(plain->Font()->Color(), skinFont);
  }
  EXPECT_EQ(withFocus->Color(), ownColour);
  EXPECT_EQ(withFocus->FocusColor(), ownFocus);
  EXPECT_EQ(withFocus->Font()->Color(), ownFont);
  EXPECT_EQ(plain->Color(), ownColour);
  EXPECT_EQ(plain->Font()->Color(), ownFont);
}

TEST_F(EditHandler, PrintedFrameIsTheSectionOverTheParentsBackground) {
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300};
  const int w = 180, h = 120;
  HWND wnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"text", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 20,
                             30, w, h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  auto handler = TacMainWnd::Create<TacEditWnd>(wnd, nullptr, manager.get(), "", true);
  ASSERT_EQ(handler->SkinData->SkinIndex, edit) << "an unnamed section is the edit's";
  const int border = handler->ClientRect().Top;
  ASSERT_EQ(border, GetSystemMetrics(SM_CYEDGE));

  auto got = NewBitmap32(w, h);
  SendMessageW(wnd, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);

  TacBGInfo bg;
  GetBGInfo(bg, HWND(parent), false);
  ASSERT_EQ(bg.BgType, TacBGType::btFill);
  auto want = NewBitmap32(w, h);
  ASSERT_EQ(PaintSection(want.get(), "EDIT", "", 0, manager.get(), TPoint{0, 0}, bg.Color, nullptr), edit);

  // The border ring, less the corners (they take the parent's pixels where the border image is
  // see-through).
  const TImage32View g = View32(got.get()), e = View32(want.get());
  int differing = 0, compared = 0;
  const int corner = 6;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool ring = x < border || y < border || x >= w - border || y >= h - border;
      const bool nearCorner = (x < corner || x >= w - corner) && (y < corner || y >= h - corner);
      if (!ring || nearCorner) continue;
      ++compared;
      const TsColor_ p = g.At(x, y), q = e.At(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) ++differing;
    }
  EXPECT_GT(compared, 2 * (w + h));
  EXPECT_EQ(differing, 0);
  DestroyWindow(wnd);
}

TEST_F(EditHandler, DialogEditHasTheWindowColourInsideAOnePixelBorderLine) {
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300};
  NativeWindow wnd{L"EDIT", WS_CHILD | WS_VISIBLE, 120, 30, parent, WS_EX_CLIENTEDGE};
  acDlgMode = true;
  auto handler = TacMainWnd::Create<TacEditWnd>(wnd, nullptr, manager.get(), "EDIT", true);
  acDlgMode = false;
  handler->SetSkinParams();
  EXPECT_EQ(handler->Color, clWindow);
  const TColor border = manager->Records().SkinData.BorderColor;
  ASSERT_NE(border, clFuchsia);
  auto got = NewBitmap32(120, 30);
  SendMessageW(wnd, WM_PRINT, WPARAM(got->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
  const TImage32View g = View32(got.get());
  const COLORREF line = ColorToRGB(border);
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{60, 0}, std::pair{119, 15}, std::pair{60, 29}, std::pair{0, 15}}) {
    const TsColor_ p = g.At(x, y);
    EXPECT_EQ(RGB(p.R, p.G, p.B), line) << x << "," << y;
  }
  const TsColor_ inside = g.At(1, 15);
  EXPECT_EQ(RGB(inside.R, inside.G, inside.B), ColorToRGB(clWindow));
}

TEST_F(EditHandler, EmptyListHasNoTopItem) {
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300};
  NativeWindow list{L"LISTBOX", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 120, 100, parent};
  auto handler = TacMainWnd::Create<TacEditWnd>(list, nullptr, manager.get(), "EDIT", true);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), -1);
  for (int i = 0; i < 30; ++i) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"item"));
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  SendMessageW(list, LB_SETTOPINDEX, 5, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 5);
}

TEST_F(EditHandler, EditLikeControlsGetOneEditHandlerWhileSkinned) {
  test::Owned<TForm> form{new TForm(nullptr)};
  auto* memo = new TEdit(form.get());
  memo->SetParent(form.get());
  memo->SetColor(0x123456);
  TsCommonData data(memo, true);
  data.SetSkinManager(manager.get());
  data.SetSkinSection("EDIT");
  THandler<TacScrollWnd> sw;
  RefreshEditScrolls(&data, sw);
  ASSERT_NE(dynamic_cast<TacEditWnd*>(sw.get()), nullptr);
  TacScrollWnd* first = sw.get();
  RefreshEditScrolls(&data, sw);
  EXPECT_EQ(sw.get(), first);
  sw->SetSkinParams();
  EXPECT_EQ(memo->Color(), Section().Color);
  data.SetSkinSection("");
  RefreshEditScrolls(&data, sw);
  EXPECT_FALSE(sw);
  EXPECT_EQ(memo->Color(), 0x123456);
}

TEST_F(EditHandler, TreeViewTakesTheSectionsBackgroundAndGetsTheWindowsBack) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300};
  NativeWindow tree{WC_TREEVIEWW, WS_CHILD | WS_VISIBLE | WS_BORDER, 150, 150, parent};
  ASSERT_TRUE(manager->IsValidSkinIndex(manager->GetSkinIndex("PANEL_LOW")));
  auto handler = TacMainWnd::Create<TacTreeViewWnd>(tree, nullptr, manager.get(), "PANEL_LOW", false);
  handler->SetSkinParams();
  const TsGeneralData& g = manager->Records().gd[std::size_t(manager->GetSkinIndex("PANEL_LOW"))];
  EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), ColorToRGB(g.Color));
  handler.reset();
  EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), ColorToRGB(clWindow));
}

// The procedure the handler replaces: counts the frame paints that reach it.
WNDPROC g_targetProc = nullptr;
int g_ncPaints = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCPAINT) ++g_ncPaints;
  return CallWindowProcW(g_targetProc, w, msg, wp, lp);
}

TEST_F(EditHandler, FramePaintsNothingDuringAnAnimationAndIsNeverPassedOn) {
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300};
  NativeWindow wnd{test::TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 120, 100, parent};
  g_targetProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  auto handler = TacMainWnd::Create<TacEditWnd>(wnd, nullptr, manager.get(), "EDIT", false);
  g_ncPaints = 0;
  handler->SkinData->BGChanged = true;
  InAnimationProcess = true;
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  InAnimationProcess = false;
  EXPECT_TRUE(handler->SkinData->BGChanged) << "no cache rendered during the animation";
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  EXPECT_FALSE(handler->SkinData->BGChanged);
  EXPECT_EQ(handler->SkinData->CacheBmp()->Width(), 120);
  EXPECT_EQ(g_ncPaints, 0);
  handler.reset();
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_targetProc));
}

}  // namespace
}  // namespace skin
