// The skinned memo on a form with our skin: its frame and background printed against the section
// painted directly, focused and not, its scroll bars drawn by the skin and following its text, the
// native window made again when the skin goes, its events, and painting that leaves no GDI object
// behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/TypInfo.h"
#include "skin/controls/sMemo.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

std::wstring ManyLines(int n) {
  std::wstring text;
  for (int i = 0; i < n; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
  return text;
}

// Pixels of the outer Width-pixel frame in which two images differ.
int FrameDifferences(TBitmap* a, TBitmap* b, int width) {
  int n = 0;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if (x < width || y < width || x >= a->Width() - width || y >= a->Height() - width)
        n += Rgb(a, x, y) != Rgb(b, x, y);
  return n;
}

// Pixels of a rectangle in which two images differ.
int AreaDifferences(TBitmap* a, TBitmap* b, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += Rgb(a, x, y) != Rgb(b, x, y);
  return n;
}

struct Memos : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    Ac_InstallScrollBarsLink();
    // The frame's corners show what the parent window answers for its background; a plain form
    // answers nothing and the skin's global colour stands there, as on a skinned form.
    form->SetColor(manager->GetGlobalColor());
    form->Show();
    Pump();
  }
  TsMemo* NewMemo(int w = 150, int h = 80) {
    TsMemo* m = Make<TsMemo>(20, 30, w, h);
    Pump();
    return m;
  }
  std::unique_ptr<TBitmap> Expected(TsMemo* m, int state) {
    return Direct("EDIT", state, m->Width(), m->Height(), {m->Left(), m->Top()});
  }
  // The vertical bar's strip inside the frame.
  static RECT VertBar(TWinControl* c) {
    return RECT{c->Width() - 2 - GetSystemMetrics(SM_CXVSCROLL), 2, c->Width() - 2, c->Height() - 2};
  }
};

TEST_F(Memos, EmptyMemoPrintsTheSectionOfItsFocusState) {
  TsMemo* m = NewMemo();
  ASSERT_TRUE(m->SkinData()->Skinned());
  ASSERT_NE(m->ListSW, nullptr) << "a skinned memo has the edit handler";
  EXPECT_EQ(ColorToRGB(m->Color()), ColorToRGB(GetBGColor(m->SkinData(), 0)));
  EXPECT_EQ(DifferentPixels(Print(m).get(), Expected(m, 0).get()), 0);
  m->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), m->Handle());
  EXPECT_EQ(FrameDifferences(Print(m).get(), Expected(m, 1).get(), 2), 0);
  EXPECT_GT(FrameDifferences(Expected(m, 0).get(), Expected(m, 1).get(), 2), 0) << "our skin's two frames look alike";
}

TEST_F(Memos, ScrollBarsAreTheSkinsAndFollowTheText) {
  TsMemo* m = NewMemo();
  m->SetScrollBars(ssVertical);
  Pump();
  TMemo* plain = Make<TMemo>(200, 30, 150, 80);
  plain->SetScrollBars(ssVertical);
  m->SetText(L"a");
  Pump();
  ASSERT_NE(m->ListSW, nullptr);
  EXPECT_TRUE(m->ListSW->HasVertBar());
  auto few = Print(m);
  m->SetText(ManyLines(60));
  plain->SetText(ManyLines(60));
  Pump();
  auto many = Print(m);
  EXPECT_EQ(FrameDifferences(many.get(), Expected(m, 0).get(), 2), 0) << "the frame stays the skin's";
  EXPECT_GT(AreaDifferences(few.get(), many.get(), VertBar(m)), 0) << "the bar shows the longer text";
  EXPECT_GT(AreaDifferences(many.get(), Print(plain).get(), VertBar(m)), 0) << "not the system's bar";
}

TEST_F(Memos, RemovingTheSkinMakesTheNativeWindowAgain) {
  TsMemo* m = NewMemo();
  m->SetScrollBars(ssVertical);
  m->SetText(ManyLines(30));
  TMemo* plain = Make<TMemo>(20, 150, 150, 80);
  plain->SetScrollBars(ssVertical);
  plain->SetText(ManyLines(30));
  Pump();
  const HWND before = m->Handle();
  ASSERT_NE(m->ListSW, nullptr);
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(m->ListSW, nullptr);
  EXPECT_NE(m->Handle(), before);
  EXPECT_EQ(ColorToRGB(m->Color()), ColorToRGB(clWindow));
  EXPECT_EQ(m->Text(), ManyLines(30));
  EXPECT_EQ(DifferentPixels(Print(m).get(), Print(plain).get()), 0);
}

TEST_F(Memos, ScrollAndCaretEventsFireAfterTheirMessages) {
  TsMemo* m = NewMemo();
  m->SetText(ManyLines(30));
  int vscrolls = 0, carets = 0;
  m->OnVScroll = [&](TObject* s) { vscrolls += s == m; };
  m->OnScrollCaret = [&](TObject* s) { carets += s == m; };
  SendMessageW(m->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(vscrolls, 1);
  EXPECT_EQ(SendMessageW(m->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  SendMessageW(m->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(vscrolls, 1);
  SendMessageW(m->Handle(), EM_SETSEL, 3, 5);
  EXPECT_EQ(carets, 1);
  EXPECT_EQ(m->SelStart(), 3);
}

TEST_F(Memos, PaintingLeavesNoGdiObjectsBehind) {
  TsMemo* m = NewMemo();
  m->SetScrollBars(ssVertical);
  m->SetText(ManyLines(40));
  Print(m);
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 10);
  for (int i = 0; i < 200; ++i) {
    if (i % 2)
      RedrawWindow(m->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    else
      Print(m);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(Memos, RegisteredByNameWithItsDefaults) {
  RegisterMemoClasses();
  TComponent* c = CreateComponent(L"TsMemo", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsMemo");
  for (const TPropInfo* p : GetClass(L"TsMemo").AllProperties())
    if (p->HasDefault && p->Kind != TPropKind::Object) {
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end());
    }
  auto* m = dynamic_cast<TsMemo*>(c);
  EXPECT_EQ(m->SkinData()->SkinSection(), "EDIT");
  EXPECT_EQ(m->SkinData()->COC, kMemoCoc);
  EXPECT_TRUE(m->WordWrap());
  EXPECT_EQ(m->ScrollBars(), ssNone);
}

}  // namespace
}  // namespace skin
