// The skinned masked edit on a form with our skin: its look printed against the section painted
// directly (unfocused, focused, disabled), the edit text with literals and blanks always drawn from
// the left, the mask still taking keystrokes, the plain look back without a skin, and painting
// that leaves no GDI object behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/TypInfo.h"
#include "skin/controls/sMaskEdit.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct MaskEdits : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
    Pump();
  }
  TsMaskEdit* NewEdit(int w = 120, int h = 24) { return Make<TsMaskEdit>(20, 30, w, h); }
  std::unique_ptr<TBitmap> Expected(TsMaskEdit* e, int state) {
    return Direct("EDIT", state, e->Width(), e->Height(), {e->Left(), e->Top()});
  }
  void Focus(TWinControl* c) {
    c->SetFocus();
    Pump();
    ASSERT_EQ(GetFocus(), c->Handle());
  }
  // Columns where two images differ: the leftmost and the rightmost (-1, -1 for none).
  static std::pair<int, int> ChangedColumns(TBitmap* a, TBitmap* b) {
    int lo = -1, hi = -1;
    for (int x = 0; x < a->Width(); ++x)
      for (int y = 0; y < a->Height(); ++y)
        if (Rgb(a, x, y) != Rgb(b, x, y)) {
          if (lo < 0) lo = x;
          hi = x;
        }
    return {lo, hi};
  }
};

TEST_F(MaskEdits, EmptyEditPrintsTheSectionOfItsFocusState) {
  TsMaskEdit* e = NewEdit();
  ASSERT_TRUE(e->SkinData()->Skinned());
  EXPECT_EQ(DifferentPixels(Print(e).get(), Expected(e, 0).get()), 0);
  Focus(e);
  e->SkinData()->BGChanged = true;
  EXPECT_EQ(DifferentPixels(Print(e).get(), Expected(e, 1).get()), 0);
  EXPECT_GT(DifferentPixels(Expected(e, 0).get(), Expected(e, 1).get()), 0) << "our skin's two states look alike";
}

// The window as painted on the screen (frame and client), read back from its window DC.
std::unique_ptr<TBitmap> OnScreen(TWinControl* c) {
  RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  auto bmp = NewBitmap32(c->Width(), c->Height());
  HDC dc = GetWindowDC(c->Handle());
  BitBlt(bmp->Canvas()->Handle(), 0, 0, c->Width(), c->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(c->Handle(), dc);
  return bmp;
}

TEST_F(MaskEdits, ScreenShowsThePrintedLookUnfocusedAndTheFocusedFrame) {
  TsMaskEdit* e = NewEdit();
  e->SetEditMask(L"00:00;1;_");
  e->SetText(L"12:34");
  Pump();
  EXPECT_EQ(DifferentPixels(OnScreen(e).get(), Print(e).get()), 0);
  Focus(e);
  auto screen = OnScreen(e);
  auto focused = Expected(e, 1);
  // The frame's outer two pixels come from the cache of the focused state.
  int frame = 0;
  for (int y = 0; y < e->Height(); ++y)
    for (int x = 0; x < e->Width(); ++x)
      if (x < 2 || y < 2 || x >= e->Width() - 2 || y >= e->Height() - 2)
        frame += Rgb(screen.get(), x, y) != Rgb(focused.get(), x, y);
  EXPECT_EQ(frame, 0);
}

TEST_F(MaskEdits, BorderlessEditShowsTheNormalBackgroundEvenFocused) {
  TsMaskEdit* e = NewEdit();
  e->SetBorderStyle(bsNone);
  e->Handle();
  EXPECT_EQ(e->BorderWidth(), 0);
  auto unfocused = Print(e);
  EXPECT_EQ(Rgb(unfocused.get(), 0, 0), Rgb(Expected(e, 0).get(), e->Width() / 2, e->Height() / 2))
      << "no border image: the section's background reaches the edge";
  Focus(e);
  e->SkinData()->BGChanged = true;
  EXPECT_EQ(DifferentPixels(Print(e).get(), unfocused.get()), 0);
}

TEST_F(MaskEdits, DisabledLookDiffersFromTheSectionOnlyByFading) {
  TsMaskEdit* e = NewEdit();
  e->SetEnabled(false);
  auto printed = Print(e);
  auto normal = Expected(e, 0);
  // Every pixel keeps its place between the section's and the form's colour.
  const COLORREF f = COLORREF(ColorToRGB(form->Color()));
  const std::uint32_t formColour = std::uint32_t(GetRValue(f)) << 16 | std::uint32_t(GetGValue(f)) << 8 | GetBValue(f);
  int moved = 0, strayed = 0;
  for (int y = 0; y < e->Height(); ++y)
    for (int x = 0; x < e->Width(); ++x)
      for (int shift : {0, 8, 16}) {
        const int w = int(Rgb(normal.get(), x, y) >> shift & 0xFF), n = int(Rgb(printed.get(), x, y) >> shift & 0xFF);
        const int c = int(formColour >> shift & 0xFF);
        if (w == c) continue;
        ((n != w && (n - w) * (c - w) > 0 && std::abs(n - c) <= std::abs(w - c)) ? moved : strayed)++;
      }
  EXPECT_GT(moved, 100);
  EXPECT_EQ(strayed, 0);
}

TEST_F(MaskEdits, UnfocusedTextShowsLiteralsAndBlanksFromTheLeftWhateverTheAlignment) {
  TsMaskEdit* masked = NewEdit(200, 24);
  masked->SetAlignment(taCenter);
  masked->SetEditMask(L"00:00;1;_");
  masked->Handle();
  EXPECT_EQ(masked->EditText(), L"__:__");
  TsMaskEdit* plain = NewEdit(200, 24);
  auto blank = Print(plain);
  plain->SetText(L"__:__");
  auto printed = Print(masked);
  EXPECT_EQ(DifferentPixels(printed.get(), Print(plain).get()), 0);
  const auto [lo, hi] = ChangedColumns(blank.get(), printed.get());
  ASSERT_GE(lo, 0);
  EXPECT_GE(lo, masked->BorderWidth());
  EXPECT_LT(hi, masked->Width() / 2);
}

TEST_F(MaskEdits, PasswordShowsOneMaskCharacterPerCharacter) {
  TsMaskEdit* secret = NewEdit();
  secret->SetPasswordChar(L'*');
  secret->SetText(L"abcd");
  TsMaskEdit* stars = NewEdit();
  stars->SetText(L"****");
  TsMaskEdit* blank = NewEdit();
  auto shown = Print(secret);
  EXPECT_GT(DifferentPixels(shown.get(), Print(blank).get()), 0);
  // Four stars, spanning the columns a plain text of four stars spans.
  const auto starsShown = Print(stars);
  const auto [lo1, hi1] = ChangedColumns(Print(blank).get(), shown.get());
  const auto [lo2, hi2] = ChangedColumns(Print(blank).get(), starsShown.get());
  EXPECT_EQ(lo1, lo2);
  EXPECT_EQ(hi1, hi2);
}

TEST_F(MaskEdits, KeystrokesFollowTheMask) {
  struct Case {
    const wchar_t* mask;
    const wchar_t* typed;
    const wchar_t* editText;
  };
  const Case cases[] = {
      {L"00:00;1;_", L"1a234", L"12:34"},
      {L"!CC;1;", L"3fZ", L"3f"},
      {L"00:00;1;_", L"9\b", L"__:__"},
  };
  for (const Case& c : cases) {
    TsMaskEdit* e = NewEdit();
    e->SetEditMask(c.mask);
    e->SetMaxLength(int(TEditMask(c.mask).Length()));
    Focus(e);
    SendMessageW(e->Handle(), EM_SETSEL, 0, 0);
    for (const wchar_t* p = c.typed; *p; ++p) PostMessageW(e->Handle(), WM_CHAR, *p, 1);
    Pump();
    EXPECT_EQ(e->EditText(), c.editText) << std::string(c.typed, c.typed + wcslen(c.typed));
    delete e;
  }
}

TEST_F(MaskEdits, WithoutASkinItPrintsAsThePlainMaskEdit) {
  TsMaskEdit* e = NewEdit();
  e->SetEditMask(L"00:00;1;_");
  e->SetText(L"12:34");
  TMaskEdit* plain = Make<TMaskEdit>(20, 70, 120, 24);
  plain->SetEditMask(L"00:00;1;_");
  plain->SetText(L"12:34");
  auto skinned = Print(e);
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(e->SkinData()->Skinned());
  EXPECT_EQ(ColorToRGB(e->Color()), ColorToRGB(clWindow));
  auto bare = Print(e);
  EXPECT_EQ(DifferentPixels(bare.get(), Print(plain).get()), 0);
  EXPECT_GT(DifferentPixels(bare.get(), skinned.get()), 0);
  EXPECT_EQ(e->EditText(), L"12:34");
}

TEST_F(MaskEdits, PaintingLeavesNoGdiObjectsBehind) {
  TsMaskEdit* e = NewEdit();
  e->SetText(L"ab");
  Print(e);
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 10);
  for (int i = 0; i < 200; ++i) {
    e->SkinData()->BGChanged = true;
    if (i % 2) e->Perform(WM_NCPAINT, 1, 0);
    Print(e);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(MaskEdits, RegisteredByNameWithItsDefaults) {
  RegisterMaskEditClasses();
  TComponent* c = CreateComponent(L"TsMaskEdit", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsMaskEdit");
  for (const TPropInfo& p : GetClass(L"TsMaskEdit").Properties) {
    if (p.HasDefault) {
      EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
    }
  }
  auto* e = dynamic_cast<TsMaskEdit*>(c);
  EXPECT_EQ(e->SkinData()->SkinSection(), "EDIT");
  EXPECT_EQ(e->BorderWidth(), 3);
}

}  // namespace
}  // namespace skin
