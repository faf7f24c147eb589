// The skinned bitmap button on a form with our skin: each look printed against the skin's section
// painted directly with the glyph cell of that look put where the layout rules place it, the image
// list's glyph winning over the bitmap, kinds, layout changes, the held region and focus handling.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "skin/controls/sBitBtn.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/sAlphaGraph.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

class TProbeBitBtn : public TsBitBtn {
 public:
  using TsBitBtn::TsBitBtn;
  HRGN HeldRegion() const { return FRegion; }
  TsFadeTimer* Fade() const { return FadeTimer; }
  void LoadedNow() { Loaded(); }
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;

// Opaque 16 x 16 cells side by side, one colour (0xRRGGBB) each.
std::unique_ptr<TBitmap> Cells(std::initializer_list<std::uint32_t> colours) {
  auto b = NewBitmap32(16 * static_cast<int>(colours.size()), 16);
  int cell = 0;
  for (std::uint32_t rgb : colours) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) View32(b.get()).At(cell * 16 + x, y).U = 0xFF000000u | rgb;
    ++cell;
  }
  return b;
}

bool Near(std::uint32_t rgb, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    const int a = (rgb >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
    if (a - b > 2 || b - a > 2) return false;
  }
  return true;
}

// Pixels that differ: exactly outside R, by more than rounding inside it.
int Mismatches(TBitmap* printed, TBitmap* expected, const TRect& r) {
  if (printed->Width() != expected->Width() || printed->Height() != expected->Height()) return -1;
  int n = 0;
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < printed->Width(); ++x) {
      const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      const std::uint32_t a = Rgb(printed, x, y), b = Rgb(expected, x, y);
      n += inside ? !Near(a, b) : a != b;
    }
  return n;
}

struct BitBtn : ControlsFixture {
  static constexpr int kW = 90, kH = 28;
  // A captionless 90 x 28 button centres a 16 x 16 glyph: margin (90 - 16 + 1) / 2 = 37 against
  // (90 - 16) / 2 = 37, height (28 - 16 + 1) / 2 = 6; pressed one pixel down and right.
  static constexpr TRect kGlyph{37, 6, 53, 22}, kPressedGlyph{38, 7, 54, 23};

  TProbeBitBtn* Make(const std::wstring& caption = L"") {
    auto* b = ControlsFixture::Make<TProbeBitBtn>(20, 20, kW, kH, caption);
    b->SetAnimatEvents({});  // looks change at once
    return b;
  }
  // The section for State with a glyph cell of Colour at R, Opacity percent of it over the section,
  // the disabled look over all when asked.
  std::unique_ptr<TBitmap> Expected(int state, std::uint32_t colour, const TRect& r, bool disabled = false,
                                    int opacity = 100) {
    auto bmp = Direct("BUTTON", state, kW, kH, {20, 20});
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const std::uint32_t under = Rgb(bmp.get(), x, y);
        std::uint32_t mixed = 0;
        for (int shift : {0, 8, 16}) {
          const std::uint32_t c = (colour >> shift) & 0xFF, u = (under >> shift) & 0xFF;
          mixed |= ((c * opacity + u * (100 - opacity)) / 100) << shift;
        }
        View32(bmp.get()).At(x, y).U = 0xFF000000u | mixed;
      }
    if (disabled) {
      TCacheInfo32 ci;
      ci.FillColor = ColorToRGB(form->Color());
      BmpDisabledKind(View32(bmp.get()), false, true, ci, {20, 20}, ColorToRGB(form->Color()));
    }
    return bmp;
  }
};

struct Look {
  const char* what;
  std::function<void(TProbeBitBtn*)> make;
  int state;
  bool disabled;
};

const Look kLooks[] = {
    {"normal", [](TProbeBitBtn*) {}, 0, false},
    {"hot", [](TProbeBitBtn* b) { b->Perform(CM_MOUSEENTER); }, 1, false},
    {"pressed", [](TProbeBitBtn* b) { SendMessageW(b->Handle(), BM_SETSTATE, TRUE, 0); }, 2, false},
    {"down", [](TProbeBitBtn* b) { b->SetDown(true); }, 2, false},
    {"disabled", [](TProbeBitBtn* b) { b->SetEnabled(false); }, 0, true},
};

TEST_F(BitBtn, EachLookDrawsTheSectionAndTheBitmapsCellForIt) {
  ASSERT_GE(Section("BUTTON"), 0);
  const std::uint32_t cellOf[] = {kRed, kGreen, kBlue};
  for (const Look& l : kLooks) {
    TProbeBitBtn* b = Make();
    b->SetNumGlyphs(3);
    b->SetGlyph(Cells({kRed, kGreen, kBlue}).get());
    l.make(b);
    Pump();
    const TRect at = l.state == 2 ? kPressedGlyph : kGlyph;
    auto printed = Print(b);
    EXPECT_EQ(b->ImgRect(), at) << l.what;  // from the layout of that paint
    EXPECT_EQ(Mismatches(printed.get(), Expected(l.state, cellOf[l.state], at, l.disabled).get(), at), 0) << l.what;
    Free(b);
  }
}

TEST_F(BitBtn, AnImageListGlyphWinsOverTheBitmapInEveryLook) {
  auto* images = Create<TImageList>(form.get(), 16, 16);
  images->Add(Cells({kRed}).get());
  images->Add(Cells({kGreen}).get());
  for (const Look& l : kLooks) {
    TProbeBitBtn* b = Make();
    b->SetGlyph(Cells({kYellow}).get());
    b->SetImages(images);
    b->SetImageIndex(0);
    l.make(b);
    Pump();
    const TRect at = l.state == 2 ? kPressedGlyph : kGlyph;
    auto printed = Print(b);
    // A disabled list image is drawn half transparent (the default DisabledGlyphKind blends it)
    // before the whole button gets its disabled look.
    auto expected = Expected(l.state, kRed, at, l.disabled, l.disabled ? 50 : 100);
    EXPECT_EQ(Mismatches(printed.get(), expected.get(), at), 0) << l.what;
    Free(b);
  }

  // The configuration lock switches the image at run time: the next paint shows it.
  TProbeBitBtn* b = Make();
  b->SetImages(images);
  b->SetImageIndex(0);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), 45, 14), kRed));
  b->SetImageIndex(1);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), 45, 14), kGreen));
  // An index outside the list falls back to the bitmap; a freed list is dropped.
  b->SetGlyph(Cells({kYellow}).get());
  b->SetImageIndex(5);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), 45, 14), kYellow));
  b->SetImageIndex(1);
  Free(images);
  EXPECT_EQ(b->Images(), nullptr);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), 45, 14), kYellow));
}

TEST_F(BitBtn, LoadingWithAValidListImageEmptiesTheGlyphBitmap) {
  auto* images = Create<TImageList>(form.get(), 16, 16);
  images->Add(Cells({kRed}).get());
  TProbeBitBtn* kept = Make();
  kept->SetGlyph(Cells({kYellow}).get());
  kept->SetImages(images);
  kept->SetImageIndex(3);  // outside the list
  kept->LoadedNow();
  EXPECT_FALSE(kept->Glyph()->Empty());

  TProbeBitBtn* emptied = Make();
  emptied->SetGlyph(Cells({kYellow}).get());
  emptied->SetImages(images);
  emptied->SetImageIndex(0);
  emptied->LoadedNow();
  EXPECT_TRUE(emptied->Glyph()->Empty());
}

TEST_F(BitBtn, ChangedLayoutSpacingAndMarginRenderAnew) {
  struct Case {
    const char* what;
    std::function<void(TsBitBtn*)> change;
  } cases[] = {
      {"spacing", [](TsBitBtn* b) { b->SetSpacing(20); }},
      {"layout", [](TsBitBtn* b) { b->SetLayout(blGlyphRight); }},
      // Centred, the block keeps at least Margin from the left edge: 30 is more than the centring gives.
      {"margin", [](TsBitBtn* b) { b->SetMargin(30); }},
  };
  for (const Case& c : cases) {
    TProbeBitBtn* b = Make(L"Set");
    b->SetGlyph(Cells({kRed}).get());
    auto before = Print(b);
    c.change(b);
    auto after = Print(b);
    // A button given the property before its first paint is the look to expect.
    TProbeBitBtn* fresh = Make(L"Set");
    fresh->SetGlyph(Cells({kRed}).get());
    c.change(fresh);
    auto expected = Print(fresh);
    EXPECT_GT(DifferentPixels(before.get(), expected.get()), 0) << c.what;
    EXPECT_EQ(DifferentPixels(after.get(), expected.get()), 0) << c.what;
    Free(b);
    Free(fresh);
  }
}

TEST_F(BitBtn, RightToLeftReadingPutsALeftGlyphRightOfTheCaption) {
  TProbeBitBtn* b = Make(L"Set");
  b->SetGlyph(Cells({kRed}).get());
  Print(b);
  EXPECT_LT(b->ImgRect().Right, b->CaptionRect().Left);
  SetWindowLongPtrW(b->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(b->Handle(), GWL_EXSTYLE) | WS_EX_RTLREADING);
  b->SkinData()->Invalidate();
  Print(b);
  EXPECT_GT(b->ImgRect().Left, b->CaptionRect().Right);
}

TEST_F(BitBtn, KindGivesCaptionAndModalResult) {
  TProbeBitBtn* ok = Make();
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->Caption(), L"OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(ok->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);

  TProbeBitBtn* cancel = Make();
  cancel->SetKind(bkCancel);
  EXPECT_EQ(cancel->ModalResult(), mrCancel);
  EXPECT_TRUE(cancel->Cancel());
  form->SetModalResult(mrNone);
  form->Show();
  form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(BitBtn, TheSpaceBarPressesAndItsReleaseClicks) {
  TProbeBitBtn* b = Make(L"OK");
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  b->SetFocus();
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_EQ(b->CurrentState(), 2);
  SendMessageW(b->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b->CurrentState(), 1);  // focused
}

TEST_F(BitBtn, FadeEndsOnTheHotLookAndAFreedButtonTakesItsTimer) {
  TProbeBitBtn* b = Make();
  b->SetAnimatEvents({TacAnimatEvent::aeMouseEnter});
  Print(b);
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  for (int i = 0; i < 50 && b->Fade() != nullptr; ++i) b->Fade()->Timer();
  EXPECT_EQ(b->Fade(), nullptr);
  EXPECT_EQ(DifferentPixels(Print(b).get(), Direct("BUTTON", 1, kW, kH, {20, 20}).get()), 0);

  b->Perform(CM_MOUSELEAVE);
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  const int before = form->ComponentCount();
  Free(b);
  EXPECT_EQ(form->ComponentCount(), before - 1);
  Pump();
}

TEST_F(BitBtn, HeldRegionsAreDeletedNotDropped) {
  for (bool overBorder : {true, false}) {
    TProbeBitBtn* b = Make();
    b->SkinData()->SetSkinSection("BUTTON_HUGE");
    b->SetDrawOverBorder(overBorder);
    Print(b);
    // The corner-cut border cuts the window whether it is drawn before or after the glyph.
    HRGN probe = CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(GetWindowRgn(b->Handle(), probe), ERROR) << overBorder;
    DeleteObject(probe);
    for (int i = 0; i < 200; ++i) {
      // A region prepared outside the paint is deleted by the next paint.
      b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
      const HRGN held = b->HeldRegion();
      ASSERT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_REGION));
      Print(b);
      ASSERT_EQ(GetObjectType(held), 0u) << "paint " << i;
    }
    b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
    const HRGN held = b->HeldRegion();
    ASSERT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_REGION));
    Free(b);
    EXPECT_EQ(GetObjectType(held), 0u);  // the destructor deletes it
  }
}

TEST_F(BitBtn, AThrowingEnterHandlerLeavesRedrawingOn) {
  TProbeBitBtn* b = Make(L"OK");
  form->Show();
  ASSERT_TRUE(IsWindowVisible(b->Handle()));
  b->OnEnter = [](TObject*) { throw Exception(L"enter failed"); };
  EXPECT_THROW(b->Perform(CM_ENTER), Exception);
  EXPECT_TRUE(IsWindowVisible(b->Handle()));  // WM_SETREDRAW is back on
  // The focus-gain flag is down again: the next gain is handled in full and marks the look.
  b->OnEnter = nullptr;
  b->SkinData()->BGChanged = false;
  b->Perform(CM_ENTER);
  EXPECT_TRUE(b->SkinData()->BGChanged);
}

TEST_F(BitBtn, ANewCaptionIsPaintedOnceTheNativeTextIsSet) {
  TProbeBitBtn* b = Make(L"OK");
  form->Show();
  Pump();
  ASSERT_FALSE(GetUpdateRect(b->Handle(), nullptr, FALSE));
  auto before = Print(b);
  b->SetCaption(L"Отмена");
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
  EXPECT_TRUE(GetUpdateRect(b->Handle(), nullptr, FALSE));
  EXPECT_GT(DifferentPixels(Print(b).get(), before.get()), 0);
}

TEST_F(BitBtn, BlendIsClampedAndTextOffsetRepaintsWithoutMovingTheCaption) {
  TProbeBitBtn* b = Make(L"OK");
  b->SetBlend(150);
  EXPECT_EQ(b->Blend(), 100);
  b->SetBlend(-5);
  EXPECT_EQ(b->Blend(), 0);
  auto before = Print(b);
  b->SkinData()->BGChanged = false;
  b->SetOffset(5);
  EXPECT_TRUE(b->SkinData()->BGChanged);
  EXPECT_EQ(DifferentPixels(Print(b).get(), before.get()), 0);
}

TEST_F(BitBtn, WithoutDrawOverBorderTheBorderFramesTheGlyph) {
  // Margin 0 at the left puts the glyph on the border's left edge.
  TProbeBitBtn* b = Make();
  b->SetGlyph(Cells({kRed}).get());
  b->SetAlignment(taLeftJustify);
  b->SetMargin(0);
  auto under = Print(b);
  EXPECT_EQ(b->ImgRect(), (TRect{0, 6, 16, 22}));
  EXPECT_TRUE(Near(Rgb(under.get(), 0, 14), kRed));
  b->SetDrawOverBorder(false);
  auto over = Print(b);
  EXPECT_FALSE(Near(Rgb(over.get(), 0, 14), kRed));
  EXPECT_TRUE(Near(Rgb(over.get(), 8, 14), kRed));  // framed, not covered by the image's centre
}

TEST_F(BitBtn, PaintHandlerCanDrawOverTheFinishedLook) {
  TProbeBitBtn* b = Make();
  b->OnPaint = [](TObject*, TBitmap* bmp) { View32(bmp).At(2, 2).U = 0xFF123456u; };
  EXPECT_EQ(Rgb(Print(b).get(), 2, 2), 0x123456u);
}

TEST_F(BitBtn, AFocusChangeKeepsAPendingPaint) {
  TProbeBitBtn* b = Make(L"Set");
  form->Show();
  Pump();
  RECT pending{};
  ASSERT_FALSE(GetUpdateRect(b->Handle(), &pending, FALSE));
  InvalidateRect(b->Handle(), nullptr, FALSE);
  // Every control hears of a focus change; a skinned button waits for it with redrawing off.
  b->Perform(CM_FOCUSCHANGED, 0, 0);
  ASSERT_TRUE(GetUpdateRect(b->Handle(), &pending, FALSE));
  EXPECT_EQ(pending.right - pending.left, kW);
  EXPECT_EQ(pending.bottom - pending.top, kH);
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
}

TEST_F(BitBtn, WithoutASkinItDrawsASystemButtonWithItsGlyph) {
  TProbeBitBtn* b = Make();
  b->SetGlyph(Cells({kRed}).get());
  manager->SetActive(false);
  auto printed = Print(b);
  EXPECT_TRUE(Near(Rgb(printed.get(), 45, 14), kRed));
  EXPECT_NE(Rgb(printed.get(), 5, 5), kRed);
}

TEST_F(BitBtn, RegisteredByNameWithItsConstructionValuesAsDefaults) {
  RegisterBitBtnClasses();
  TComponent* c = CreateComponent(L"TsBitBtn", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsBitBtn");
  const TClassInfo& info = GetClass(L"TsBitBtn");
  int withDefault = 0;
  for (const TPropInfo& p : info.Properties) {
    if (!p.HasDefault) continue;
    ++withDefault;
    EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
  }
  EXPECT_GT(withDefault, 15);
  EXPECT_EQ(GetOrdProp(c, L"WordWrap"), 1);
  EXPECT_EQ(GetOrdProp(c, L"ImageIndex"), -1);
  EXPECT_EQ(GetOrdProp(c, L"Spacing"), 4);
  EXPECT_EQ(GetOrdProp(c, L"DrawOverBorder"), 1);
}

}  // namespace
}  // namespace skin
