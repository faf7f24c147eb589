// The skinned push button on a form with our skin: each look printed against the skin's section
// painted directly, clicks by mouse, keyboard and dialog keys, the split button's menu, the window
// region of a corner-cut border and the fades.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Menus.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sRadioButton.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/sAlphaGraph.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// The button with the fields the tests look at.
class TProbeButton : public TsButton {
 public:
  using TsButton::TsButton;
  HRGN HeldRegion() const { return FRegion; }
  TsFadeTimer* Fade() const { return FadeTimer; }
  bool MenuDropped() const { return DroppedDown; }
};

// A menu that records where it was shown and runs a handler in place of the user's choice.
class TScriptMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  std::function<void()> chosen;
  TPoint at{-1, -1};
  int shown = 0;
  void Popup(int X, int Y) override {
    ++shown;
    at = {X, Y};
    if (chosen) chosen();
  }
};

struct Button : ControlsFixture {
  TProbeButton* Make(const std::wstring& caption = L"") {
    auto* b = ControlsFixture::Make<TProbeButton>(20, 20, 90, 28, caption);
    b->SetAnimatEvents({});  // looks change at once unless a test asks for fades
    return b;
  }
  std::unique_ptr<TBitmap> Expected(const char* section, int state, TControl* c) {
    return Direct(section, state, c->Width(), c->Height(), {c->Left(), c->Top()});
  }
};

TEST_F(Button, EachLookPrintsTheSectionForItsState) {
  ASSERT_GE(Section("BUTTON"), 0);
  // The three states of the section look different, so a wrong state shows.
  auto s0 = Direct("BUTTON", 0, 90, 28, {20, 20});
  auto s1 = Direct("BUTTON", 1, 90, 28, {20, 20});
  auto s2 = Direct("BUTTON", 2, 90, 28, {20, 20});
  ASSERT_GT(DifferentPixels(s0.get(), s1.get()), 0);
  ASSERT_GT(DifferentPixels(s1.get(), s2.get()), 0);

  struct Case {
    const char* what;
    std::function<void(TProbeButton*)> make;
    int state;
  } cases[] = {
      {"normal", [](TProbeButton*) {}, 0},
      {"hot", [](TProbeButton* b) { b->Perform(CM_MOUSEENTER); }, 1},
      {"pushed", [](TProbeButton* b) { SendMessageW(b->Handle(), BM_SETSTATE, TRUE, 0); }, 2},
      {"down", [](TProbeButton* b) { b->SetDown(true); }, 2},
      {"focused",
       [this](TProbeButton* b) {
         form->Show();
         b->SetFocus();
       },
       1},
      {"default", [](TProbeButton* b) { b->SetDefault(true); }, 1},
  };
  for (const Case& c : cases) {
    TProbeButton* b = Make();
    c.make(b);
    Pump();
    auto printed = Print(b);
    auto expected = Expected("BUTTON", c.state, b);
    EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0) << c.what;
    EXPECT_EQ(b->CurrentState(), c.state) << c.what;
    Free(b);
  }
}

TEST_F(Button, DisabledLookIsTheNormalOneBlendedWithTheParent) {
  TProbeButton* b = Make();
  b->SetEnabled(false);
  auto printed = Print(b);
  auto expected = Expected("BUTTON", 0, b);
  TCacheInfo32 ci;
  ci.FillColor = ColorToRGB(form->Color());
  BmpDisabledKind(View32(expected.get()), false, true, ci, {b->Left(), b->Top()}, ColorToRGB(form->Color()));
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
  auto normal = Expected("BUTTON", 0, b);
  EXPECT_GT(DifferentPixels(printed.get(), normal.get()), 0);
}

TEST_F(Button, StatesAreClampedToTheSection) {
  // CHECKBOX has two states: pressed paints as hot.
  TProbeButton* b = Make();
  b->SkinData()->SetSkinSection("CHECKBOX");
  b->SetDown(true);
  auto printed = Print(b);
  EXPECT_EQ(DifferentPixels(printed.get(), Expected("CHECKBOX", 1, b).get()), 0);
}

TEST_F(Button, CaptionIsWrittenInTheSectionsFontColour) {
  TProbeButton* b = Make(L"Запись");
  auto printed = Print(b);
  auto bare = Expected("BUTTON", 0, b);
  ASSERT_GT(DifferentPixels(printed.get(), bare.get()), 0);
  const TColor font = manager->Records().gd[static_cast<std::size_t>(Section("BUTTON"))].Props[0].FontColor.Color;
  const std::uint32_t rgb = (font & 0xFF) << 16 | (font & 0xFF00) | ((font >> 16) & 0xFF);
  int inFontColour = 0;
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < printed->Width(); ++x) inFontColour += Rgb(printed.get(), x, y) == rgb;
  EXPECT_GT(inFontColour, 5);
}

// The caption is measured in the button's own font: a caption that fits stays on one line, centred
// as the system centres it.
TEST_F(Button, CaptionThatFitsStaysOnOneCentredLine) {
  TProbeButton* b = ControlsFixture::Make<TProbeButton>(20, 20, 61, 23, L"Get Trigger");
  b->SetAnimatEvents({});
  const TColor font = manager->Records().gd[static_cast<std::size_t>(Section("BUTTON"))].Props[0].FontColor.Color;
  const std::uint32_t rgb = (font & 0xFF) << 16 | (font & 0xFF00) | ((font >> 16) & 0xFF);
  const auto expected = CentredTextRows(b->Font(), L"Get Trigger", 61, 23);
  ASSERT_GE(expected.first, 0);
  const auto rows = RowsOfColour(Print(b).get(), rgb);
  EXPECT_NEAR(rows.first, expected.first, 1);
  EXPECT_NEAR(rows.second, expected.second, 1);
}

TEST_F(Button, ClicksRunOnClickOnceAndSetTheModalResult) {
  TProbeButton* b = Make(L"OK");
  b->SetModalResult(mrOk);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);

  // The space bar pushes the button (the pressed look shows) and its release clicks it.
  form->Show();
  b->SetFocus();
  SendMessageW(b->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_EQ(b->CurrentState(), 2);
  SendMessageW(b->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
  Pump();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(b->CurrentState(), 1);
}

TEST_F(Button, DialogKeysClickTheDefaultAndTheCancelButton) {
  TProbeButton* ok = Make(L"OK");
  TProbeButton* cancel = Make(L"Отмена");
  ok->SetDefault(true);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  form->Show();
  form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 0);
  form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(form->ModalResult(), mrCancel);
  EXPECT_EQ(ok->CurrentState(), 1);  // the default button looks hot
}

TEST_F(Button, SplitStripDropsTheMenuBelowWithoutClicking) {
  TProbeButton* b = Make();
  b->SetStyle(bsSplitButton);
  auto* menu = Create<TScriptMenu>(form.get());
  b->SetDropDownMenu(menu);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  std::unique_ptr<TBitmap> whileOpen;
  menu->chosen = [&] { whileOpen = Print(b); };
  const LPARAM inStrip = MAKELPARAM(b->Width() - 5, 10);
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inStrip);
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, inStrip);
  Pump();
  EXPECT_EQ(menu->shown, 1);
  const TPoint corner = b->ClientToScreen({0, b->Height()});
  EXPECT_EQ(menu->at, corner);
  EXPECT_EQ(clicks, 0);
  ASSERT_TRUE(whileOpen);
  EXPECT_EQ(Rgb(whileOpen.get(), 3, 3), Rgb(Expected("BUTTON", 2, b).get(), 3, 3));
  EXPECT_FALSE(b->MenuDropped());

  // A press left of the strip is an ordinary click.
  const LPARAM outside = MAKELPARAM(10, 10);
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, outside);
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, outside);
  Pump();
  EXPECT_EQ(menu->shown, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Button, AMenuHandlerMayFreeTheButton) {
  TProbeButton* b = Make();
  b->SetStyle(bsSplitButton);
  auto* menu = Create<TScriptMenu>(form.get());
  b->SetDropDownMenu(menu);
  menu->chosen = [&] { Free(b); };
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(85, 10));
  Pump();
  EXPECT_EQ(menu->shown, 1);
  EXPECT_EQ(form->ComponentCount(), 1);  // the menu and no button
}

TEST_F(Button, SplitButtonDrawsItsStrip) {
  TProbeButton* b = Make();
  b->SetStyle(bsSplitButton);
  auto printed = Print(b);
  auto plain = Expected("BUTTON", 0, b);
  // The separator at Width - 15 from y 4 on; nothing else changes left of the strip.
  const TColor font = manager->Records().gd[static_cast<std::size_t>(Section("BUTTON"))].Props[0].FontColor.Color;
  const std::uint32_t rgb = (font & 0xFF) << 16 | (font & 0xFF00) | ((font >> 16) & 0xFF);
  EXPECT_EQ(Rgb(printed.get(), b->Width() - 15, 10), rgb);
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width() - 16; ++x)
      ASSERT_EQ(Rgb(printed.get(), x, y), Rgb(plain.get(), x, y)) << x << "," << y;
}

TEST_F(Button, CornerCutBorderGivesTheWindowARegionAndLeaksNone) {
  TProbeButton* b = Make();
  b->SkinData()->SetSkinSection("BUTTON_HUGE");
  Print(b);
  HRGN probe = CreateRectRgn(0, 0, 1, 1);
  EXPECT_NE(GetWindowRgn(b->Handle(), probe), ERROR);
  DeleteObject(probe);
  for (int i = 0; i < 200; ++i) {
    // A region prepared outside the paint (the first frame of a fade) is deleted by the next paint.
    b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
    const HRGN held = b->HeldRegion();
    ASSERT_NE(held, nullptr);
    ASSERT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_REGION));
    Print(b);
    ASSERT_EQ(GetObjectType(held), 0u) << "paint " << i;
  }
  b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
  const HRGN held = b->HeldRegion();
  ASSERT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_REGION));
  Free(b);
  EXPECT_EQ(GetObjectType(held), 0u);
}

TEST_F(Button, FadeEndsOnTheHotLookAndAFreedButtonTakesItsTimer) {
  TProbeButton* b = Make();
  b->SetAnimatEvents({TacAnimatEvent::aeMouseEnter});
  Print(b);
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  for (int i = 0; i < 50 && b->Fade() != nullptr; ++i) b->Fade()->Timer();
  EXPECT_EQ(b->Fade(), nullptr);
  EXPECT_EQ(DifferentPixels(Print(b).get(), Expected("BUTTON", 1, b).get()), 0);

  b->Perform(CM_MOUSELEAVE);
  b->SetAnimatEvents({TacAnimatEvent::aeMouseEnter});
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  const int before = form->ComponentCount();
  Free(b);
  EXPECT_EQ(form->ComponentCount(), before - 1);
  Pump();
}

TEST_F(Button, AThrowingEnterHandlerLeavesRedrawingOnAndFocusHandlingIntact) {
  TProbeButton* b = Make();
  form->Show();
  ASSERT_TRUE(IsWindowVisible(b->Handle()));
  b->OnEnter = [](TObject*) { throw Exception(L"enter failed"); };
  EXPECT_THROW(b->Perform(CM_ENTER), Exception);
  EXPECT_TRUE(IsWindowVisible(b->Handle()));  // WM_SETREDRAW is back on
  // The next focus gain is handled in full again: it marks the look changed.
  b->OnEnter = nullptr;
  b->SkinData()->BGChanged = false;
  b->Perform(CM_ENTER);
  EXPECT_TRUE(b->SkinData()->BGChanged);
}

TEST_F(Button, WithoutASkinItDrawsTheSystemsButton) {
  TProbeButton* b = Make(L"OK");
  auto skinned = Print(b);
  manager->SetActive(false);
  auto printed = Print(b);
  EXPECT_GT(DifferentPixels(printed.get(), skinned.get()), 0);
  // A face with an edge (themed or classic) and the caption on it.
  const std::uint32_t face = Rgb(printed.get(), 5, 5);
  EXPECT_NE(Rgb(printed.get(), b->Width() / 2, b->Height() - 1), face);
  int caption = 0;
  for (int x = 5; x < b->Width() - 5; ++x) caption += Rgb(printed.get(), x, b->Height() / 2) != face;
  EXPECT_GT(caption, 2);
}

// A 16 x 16 image of one opaque colour (0xRRGGBB).
std::unique_ptr<TBitmap> Solid(std::uint32_t rgb) {
  auto b = NewBitmap32(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) View32(b.get()).At(x, y).U = 0xFF000000u | rgb;
  return b;
}

bool Near(std::uint32_t rgb, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    const int a = (rgb >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
    if (a - b > 2 || b - a > 2) return false;
  }
  return true;
}

TEST_F(Button, ImageListGlyphFollowsTheStateAndTheAlignment) {
  auto* images = Create<TImageList>(form.get(), 16, 16);
  images->Add(Solid(0xFF0000).get());
  images->Add(Solid(0x00FF00).get());
  images->Add(Solid(0x0000FF).get());
  TProbeButton* b = Make(L"Пуск");
  b->SetImages(images);
  b->SetImageIndex(0);
  b->SetHotImageIndex(1);
  b->SetPressedImageIndex(2);
  b->SetDisabledImageIndex(7);  // outside the list: the normal image
  // Left-aligned: at (margin 0 + content margin 6, (28 - 16) / 2); the centre of the glyph.
  const int x = 6 + 8, y = 6 + 8;
  EXPECT_EQ(b->GlyphRect(), (TRect{6, 6, 22, 22}));
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0xFF0000));
  b->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0x00FF00));
  b->SetDown(true);  // pressed: the pressed image, one pixel down and right
  EXPECT_EQ(b->GlyphRect(), (TRect{7, 7, 23, 23}));
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x + 1, y + 1), 0x0000FF));
  b->SetDown(false);
  b->Perform(CM_MOUSELEAVE);
  b->SetEnabled(false);
  EXPECT_EQ(b->GlyphIndex(), 0);
  b->SetEnabled(true);
  b->SetImageAlignment(iaRight);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), b->Width() - 6 - 8, y), 0xFF0000));
}

TEST_F(Button, CommandLinkWritesItsNoteBelowTheCaption) {
  TProbeButton* b = ControlsFixture::Make<TProbeButton>(20, 20, 200, 70, L"Записать");
  b->SetAnimatEvents({});
  b->SetStyle(bsCommandLink);
  auto bare = Print(b);
  b->SetCommandLinkHint(L"в память блока");
  auto noted = Print(b);
  const TRect caption = b->CaptionRect();
  int belowChanged = 0, aboveChanged = 0;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      if (Rgb(bare.get(), x, y) == Rgb(noted.get(), x, y)) continue;
      (y >= caption.Bottom + 6 ? belowChanged : aboveChanged)++;
    }
  EXPECT_GT(belowChanged, 10);
  EXPECT_EQ(aboveChanged, 0);
}

TEST_F(Button, ControlsAreRegisteredByNameWithTheirConstructionValuesAsDefaults) {
  RegisterButtonClasses();
  RegisterCheckBoxClasses();
  RegisterRadioButtonClasses();
  for (const wchar_t* name : {L"TsButton", L"TsCheckBox", L"TsRadioButton"}) {
    TComponent* c = CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->ClassName(), name);
    const TClassInfo& info = GetClass(name);
    ASSERT_FALSE(info.Properties.empty()) << name;
    for (const TPropInfo& p : info.Properties) {
      if (!p.HasDefault) continue;
      EXPECT_TRUE(p.IsDefault(c)) << name << "." << std::string(p.Name.begin(), p.Name.end());
    }
  }
  TComponent* b = CreateComponent(L"TsButton", form.get());
  EXPECT_EQ(GetOrdProp(b, L"WordWrap"), 1);
  EXPECT_EQ(GetOrdProp(b, L"ContentMargin"), 6);
  EXPECT_EQ(GetOrdProp(b, L"FocusMargin"), 1);
  TComponent* box = CreateComponent(L"TsCheckBox", form.get());
  EXPECT_EQ(GetOrdProp(box, L"Margin"), 2);
  EXPECT_EQ(GetOrdProp(box, L"AutoSize"), 1);
}

}  // namespace
}  // namespace skin
