// The skinned edit on a form with our skin: its frame printed against the section painted directly
// for each state, the text in its cache (alignment, password bullets, the hint), the plain edit
// back when the skin goes, and no GDI object left behind by painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/TypInfo.h"
#include "skin/controls/sEdit.h"
#include "skin/core/sMessages.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

constexpr int kFrame = 2;  // the client edge of a bordered edit

// A COLORREF as a 32-bit DIB pixel holds it (0xRRGGBB).
std::uint32_t DibColour(COLORREF c) {
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

struct Edits : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
    Pump();
  }
  TsEdit* NewEdit(int w = 120, int h = 24) { return Make<TsEdit>(20, 30, w, h); }

  // Pixels of the frame ring (kFrame wide) that differ.
  static int FrameDifferences(TBitmap* a, TBitmap* b) {
    int n = 0;
    for (int y = 0; y < a->Height(); ++y)
      for (int x = 0; x < a->Width(); ++x) {
        const bool ring = x < kFrame || y < kFrame || x >= a->Width() - kFrame || y >= a->Height() - kFrame;
        if (ring) n += Rgb(a, x, y) != Rgb(b, x, y);
      }
    return n;
  }

  // The cache rendered afresh for the edit's current state, its corners taking the form's colour.
  static std::unique_ptr<TBitmap> Cache(TsEdit* e) {
    e->PrepareCache();
    UpdateCorners(e->SkinData(), 0);
    auto copy = NewBitmap32(e->Width(), e->Height());
    BitBlt(copy->Canvas()->Handle(), 0, 0, e->Width(), e->Height(), e->SkinData()->CacheBmp()->Canvas()->Handle(), 0, 0,
           SRCCOPY);
    return copy;
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

TEST_F(Edits, FrameMatchesTheSectionForTheNormalAndTheFocusedState) {
  TsEdit* e = NewEdit();
  ASSERT_TRUE(e->SkinData()->Skinned());
  ASSERT_EQ(e->SkinData()->SkinIndex, Section("EDIT"));
  auto normal = Print(e);
  EXPECT_EQ(FrameDifferences(normal.get(), Direct("EDIT", 0, e->Width(), e->Height(), {e->Left(), e->Top()}).get()), 0);

  e->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), e->Handle());
  ASSERT_TRUE(ControlIsActive(e->SkinData()));
  auto focused = Print(e);
  auto expected = Direct("EDIT", 1, e->Width(), e->Height(), {e->Left(), e->Top()});
  EXPECT_EQ(FrameDifferences(focused.get(), expected.get()), 0);
  EXPECT_GT(FrameDifferences(normal.get(), expected.get()), 0) << "our skin's two states look alike";
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

TEST_F(Edits, ScreenPaintOfAnInactiveEditIsItsCache) {
  TsEdit* e = NewEdit();
  e->SetText(L"abc");
  Pump();
  auto screen = OnScreen(e);
  EXPECT_EQ(FrameDifferences(screen.get(), Direct("EDIT", 0, e->Width(), e->Height(), {e->Left(), e->Top()}).get()), 0);
  EXPECT_EQ(DifferentPixels(screen.get(), Cache(e).get()), 0);
  // The frame's corners show the form.
  const std::uint32_t formColour = DibColour(COLORREF(ColorToRGB(form->Color())));
  for (const auto& [x, y] :
       {std::pair{0, 0}, {e->Width() - 1, 0}, {0, e->Height() - 1}, {e->Width() - 1, e->Height() - 1}})
    EXPECT_EQ(Rgb(screen.get(), x, y), formColour) << x << "," << y;
}

TEST_F(Edits, BorderlessEditKeepsTheSectionsBackgroundInItsCorners) {
  TsEdit* e = NewEdit();
  e->SetBorderStyle(bsNone);
  e->Handle();
  auto printed = Print(e);
  const std::uint32_t background =
      Rgb(Direct("EDIT", 0, e->Width(), e->Height(), {e->Left(), e->Top()}).get(), e->Width() / 2, e->Height() / 2);
  for (const auto& [x, y] :
       {std::pair{0, 0}, {e->Width() - 1, 0}, {0, e->Height() - 1}, {e->Width() - 1, e->Height() - 1}})
    EXPECT_EQ(Rgb(printed.get(), x, y), background) << x << "," << y;
}

TEST_F(Edits, DisabledFrameIsBlendedTowardsTheForm) {
  TsEdit* e = NewEdit();
  e->SetEnabled(false);
  auto printed = Print(e);
  auto normal = Direct("EDIT", 0, e->Width(), e->Height(), {e->Left(), e->Top()});
  const std::uint32_t formColour = DibColour(COLORREF(ColorToRGB(form->Color())));
  int moved = 0, strayed = 0;
  for (int x = 0; x < e->Width(); ++x) {
    const std::uint32_t was = Rgb(normal.get(), x, 0), now = Rgb(printed.get(), x, 0);
    if (was == formColour) continue;
    for (int shift : {0, 8, 16}) {
      const int w = int(was >> shift & 0xFF), n = int(now >> shift & 0xFF), f = int(formColour >> shift & 0xFF);
      if (w == f) continue;
      // Strictly between the section's pixel and the form's colour (or on the form's colour).
      if (n != w && std::abs(n - f) <= std::abs(w - f) && (n - w) * (f - w) > 0)
        ++moved;
      else
        ++strayed;
    }
  }
  EXPECT_GT(moved, 10);
  EXPECT_EQ(strayed, 0);
}

TEST_F(Edits, CachedTextFollowsTheAlignment) {
  struct Case {
    TAlignment alignment;
    bool rightHalf;
  };
  for (const Case c : {Case{taLeftJustify, false}, Case{taRightJustify, true}}) {
    TsEdit* e = NewEdit(200, 24);
    e->SetAlignment(c.alignment);
    e->Handle();
    auto blank = Cache(e);
    e->SetText(L"42");
    auto written = Cache(e);
    const auto [lo, hi] = ChangedColumns(blank.get(), written.get());
    ASSERT_GE(lo, 0) << int(c.alignment);
    if (c.rightHalf)
      EXPECT_GT(lo, e->Width() / 2);
    else
      EXPECT_LT(hi, e->Width() / 2);
    delete e;
  }
}

TEST_F(Edits, PasswordCharactersAreShownAsTheirMask) {
  struct Case {
    wchar_t passwordChar;
    const wchar_t* looksLike;
  };
  for (const Case c : {Case{L'*', L"\x25CF\x25CF\x25CF"}, Case{L'#', L"###"}}) {
    TsEdit* masked = NewEdit();
    masked->SetPasswordChar(c.passwordChar);
    masked->SetText(L"abc");
    TsEdit* plain = NewEdit();
    plain->SetText(c.looksLike);
    EXPECT_EQ(DifferentPixels(Cache(masked).get(), Cache(plain).get()), 0) << char(c.passwordChar);
    delete masked;
    delete plain;
  }
}

TEST_F(Edits, EmptyEditShowsItsHintInTheInactiveCaptionTextColour) {
  TsEdit* e = NewEdit(200, 24);
  auto blank = Cache(e);
  e->SetTextHint(L"Enter");
  auto hinted = Cache(e);
  const std::uint32_t hint = DibColour(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  int hintPixels = 0, otherChanges = 0;
  for (int y = 0; y < e->Height(); ++y)
    for (int x = 0; x < e->Width(); ++x) {
      if (Rgb(blank.get(), x, y) == Rgb(hinted.get(), x, y)) continue;
      (Rgb(hinted.get(), x, y) == hint ? hintPixels : otherChanges)++;
    }
  EXPECT_GT(hintPixels, 5);
  e->SetText(L"x");
  e->SetText(L"");
  EXPECT_EQ(DifferentPixels(Cache(e).get(), hinted.get()), 0);
  e->SetText(L"Enter");
  EXPECT_NE(DifferentPixels(Cache(e).get(), hinted.get()), 0) << "a text hides the hint";
}

TEST_F(Edits, WithoutASkinItPrintsAsThePlainEdit) {
  TsEdit* e = NewEdit();
  e->SetText(L"abc");
  TEdit* plain = Make<TEdit>(20, 70, 120, 24);
  plain->SetText(L"abc");
  auto skinned = Print(e);
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(e->SkinData()->Skinned());
  EXPECT_EQ(ColorToRGB(e->Color()), ColorToRGB(clWindow));
  auto bare = Print(e);
  EXPECT_EQ(DifferentPixels(bare.get(), Print(plain).get()), 0);
  EXPECT_GT(DifferentPixels(bare.get(), skinned.get()), 0);
}

TEST_F(Edits, AnswersTheSkinCommands) {
  TsEdit* e = NewEdit();
  auto ask = [&](unsigned command) { return SendMessageW(e->Handle(), SM_ALPHACMD, WPARAM(command) << 16, 0); };
  EXPECT_EQ(ask(ACMD_ISSKINNED), 1);
  EXPECT_EQ(ask(ACMD_GETAPPLICATION), reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)));
  manager->SetActive(false);
  e->SetColor(0x123456);
  EXPECT_EQ(ask(ACMD_GETCOLOR), 0x123456) << "unskinned, its own colour";
  // A refresh from another manager is not the edit's: it stays unskinned.
  Owned<TsSkinManager> other{skin::testing::NewManagerWithSkin()};
  SendMessageW(e->Handle(), SM_ALPHACMD, WPARAM(ACMD_REFRESH) << 16, reinterpret_cast<LPARAM>(other.get()));
  EXPECT_EQ(ColorToRGB(e->Color()), 0x123456);
}

TEST_F(Edits, PaintingLeavesNoGdiObjectsBehind) {
  TsEdit* e = NewEdit();
  e->SetText(L"abc");
  auto warm = Print(e);
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 10) << "the count sees the form's and the edit's objects";
  for (int i = 0; i < 200; ++i) {
    e->SkinData()->BGChanged = true;
    if (i % 2) e->Perform(WM_NCPAINT, 1, 0);
    Print(e);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(Edits, RegisteredByNameWithItsDefaults) {
  RegisterEditClasses();
  TComponent* c = CreateComponent(L"TsEdit", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsEdit");
  const TClassInfo& info = GetClass(L"TsEdit");
  int own = 0;
  for (const TPropInfo& p : info.Properties) {
    own += p.Name == L"SkinData" || p.Name == L"DisabledKind";
    if (p.HasDefault) {
      EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
    }
  }
  EXPECT_EQ(own, 2);
  EXPECT_EQ(dynamic_cast<TsEdit*>(c)->SkinData()->COC, kEditCoc);
}

}  // namespace
}  // namespace skin
