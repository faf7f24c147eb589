// The skinned check box and radio button on a form with our skin: looks printed against the
// section and the skin's global images drawn directly, the toggling by mouse and space bar, read-only
// and vetoed changes, radio groups, automatic size and the native state after the skin goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "skin/controls/sCheckBox.h"
#include "skin/controls/sRadioButton.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/sAlphaGraph.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// Near a colour: each channel within 2 (blending by alpha 255 may lose one step).
bool Near(std::uint32_t rgb, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    const int a = (rgb >> shift) & 0xFF, b = (expected >> shift) & 0xFF;
    if (a - b > 2 || b - a > 2) return false;
  }
  return true;
}

void Click(TWinControl* c, int x = 5, int y = 5) {
  SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void Space(TWinControl* c) {
  SendMessageW(c->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageW(c->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

struct Checks : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }
  template <class T>
  T* Box(const std::wstring& caption = L"") {
    T* c = Make<T>(20, 40, 60, 20, caption);
    c->SetAnimatEvents({});
    return c;
  }
  // The section for State with the global image Key's Cell at the glyph's place (left margin 2,
  // centred), for a control of the box's place and size.
  std::unique_ptr<TBitmap> Look(TControl* c, const char* section, int state, const char* key, int cell) {
    auto bmp = Direct(section, state, c->Width(), c->Height(), {c->Left(), c->Top()});
    const int image = manager->Records().GetMaskIndex(Section("GLOBALINFO"), "GLOBALINFO", key);
    EXPECT_GE(image, 0) << key;
    if (image >= 0)
      DrawSkinGlyph(bmp.get(), {2, (c->Height() - 16) / 2}, cell, 1,
                    manager->Records().ma[static_cast<std::size_t>(image)], MakeCacheInfo(bmp.get(), 0, 0));
    return bmp;
  }
};

TEST_F(Checks, CheckBoxLooksAreTheSectionAndTheGlobalImages) {
  struct Case {
    const char* what;
    std::function<void(TsCheckBox*)> make;
    int sectionState;
    const char* key;
    int cell;
  } cases[] = {
      {"unchecked", [](TsCheckBox*) {}, 0, "BOXUNCHECKED", 0},
      {"checked", [](TsCheckBox* b) { b->SetChecked(true); }, 0, "BOXCHECKED", 0},
      {"grayed", [](TsCheckBox* b) { b->SetState(cbGrayed); }, 0, "BOXGRAYED", 0},
      {"hot", [](TsCheckBox* b) { b->Perform(CM_MOUSEENTER); }, 1, "BOXUNCHECKED", 1},
      {"pressed (and focused)",
       [](TsCheckBox* b) { SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }, 1,
       "BOXUNCHECKED", 2},
      {"read-only under the mouse",
       [](TsCheckBox* b) {
         b->SetReadOnly(true);
         b->Perform(CM_MOUSEENTER);
       },
       0, "BOXUNCHECKED", 0},
  };
  for (const Case& c : cases) {
    auto* b = Box<TsCheckBox>();
    b->SetAutoSize(false);
    b->SetBounds(20, 40, 60, 20);
    c.make(b);
    auto printed = Print(b);
    EXPECT_EQ(DifferentPixels(printed.get(), Look(b, "CHECKBOX", c.sectionState, c.key, c.cell).get()), 0) << c.what;
    Free(b);
  }
}

TEST_F(Checks, DisabledCheckBoxIsBlendedWithTheParent) {
  auto* b = Box<TsCheckBox>();
  b->SetAutoSize(false);
  b->SetEnabled(false);
  auto expected = Look(b, "CHECKBOX", 0, "BOXUNCHECKED", 0);
  TCacheInfo32 ci;
  ci.FillColor = ColorToRGB(form->Color());
  BmpDisabledKind(View32(expected.get()), false, true, ci, {b->Left(), b->Top()}, ColorToRGB(form->Color()));
  EXPECT_EQ(DifferentPixels(Print(b).get(), expected.get()), 0);
}

TEST_F(Checks, ClicksCycleThroughTheStatesAndRunOnClickEachTime) {
  auto* b = Box<TsCheckBox>(L"Реле 1");
  b->SetAllowGrayed(true);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  const TCheckBoxState expected[] = {cbChecked, cbGrayed, cbUnchecked};
  for (TCheckBoxState s : expected) {
    Click(b);
    EXPECT_EQ(b->State(), s);
    // The native window is not told while skinned, yet its state is asked of it.
    EXPECT_EQ(SendMessageW(b->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(s));
  }
  EXPECT_EQ(clicks, 3);
  b->SetAllowGrayed(false);
  Space(b);
  EXPECT_EQ(b->State(), cbChecked);
  Space(b);
  EXPECT_EQ(b->State(), cbUnchecked);
  EXPECT_EQ(clicks, 5);
}

TEST_F(Checks, ReleaseOutsideAndReadOnlyChangeNothing) {
  auto* b = Box<TsCheckBox>(L"Вход");
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  b->Perform(CM_MOUSELEAVE);
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(b->Checked());
  b->SetReadOnly(true);
  Click(b);
  Space(b);
  EXPECT_FALSE(b->Checked());
  // Without a skin the native clicks are swallowed as well.
  manager->SetActive(false);
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(clicks, 0);
  b->SetReadOnly(false);
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(clicks, 1);
}

TEST_F(Checks, UserGlyphCellsFollowTheLook) {
  // Three cells: red normal, green hot, blue pressed.
  auto glyph = NewBitmap32(48, 16);
  const std::uint32_t cells[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) View32(glyph.get()).At(x, y).U = cells[x / 16];
  auto* b = Box<TsCheckBox>();
  b->SetAutoSize(false);
  b->SetGlyphUnChecked(glyph.get());
  EXPECT_EQ(b->GlyphWidth(), 16);
  const int x = 2 + 8, y = 10;
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0xFF0000u));
  b->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0x00FF00u));
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0x0000FFu));

  // A glyph narrower than high is one cell for every look.
  auto narrow = NewBitmap32(8, 16);
  for (int yy = 0; yy < 16; ++yy)
    for (int xx = 0; xx < 8; ++xx) View32(narrow.get()).At(xx, yy).U = 0xFF123456u;
  auto* n = Box<TsCheckBox>();
  n->SetAutoSize(false);
  n->SetGlyphUnChecked(narrow.get());
  SendMessageW(n->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(Near(Rgb(Print(n).get(), 2 + 4, 10), 0x123456u));
}

TEST_F(Checks, ImageListStripCellsFollowTheLook) {
  auto strip = NewBitmap32(48, 16);
  const std::uint32_t cells[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) View32(strip.get()).At(x, y).U = cells[x / 16];
  auto* images = Create<TImageList>(form.get(), 48, 16);
  images->Add(strip.get());
  auto* b = Box<TsCheckBox>();
  b->SetAutoSize(false);
  b->SetImages(images);
  b->SetImgChecked(0);
  b->SetImgUnchecked(0);
  EXPECT_EQ(b->GlyphWidth(), 16);
  const int x = 2 + 8, y = 10;
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0xFF0000u));
  b->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0x00FF00u));
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(Near(Rgb(Print(b).get(), x, y), 0x0000FFu));
  // Negative indexes leave the list out: the skin's image shows (hot, as the box has the focus).
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(b->Checked());
  b->SetImgChecked(-1);
  b->SetImgUnchecked(-1);
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(DifferentPixels(Print(b).get(), Look(b, "CHECKBOX", 1, "BOXCHECKED", 1).get()), 0);
}

TEST_F(Checks, FocusFrameOnlyWithShowFocus) {
  auto* r = Box<TsRadioButton>(L"X3");
  r->SetFocus();
  ASSERT_TRUE(r->Focused());
  auto framed = Print(r);
  r->SetShowFocus(false);
  auto plain = Print(r);
  // The frame is dotted in the button face colour and black around the caption.
  int black = 0;
  for (int y = 0; y < r->Height(); ++y)
    for (int x = 0; x < r->Width(); ++x)
      if (Rgb(framed.get(), x, y) != Rgb(plain.get(), x, y)) black += Rgb(framed.get(), x, y) == 0;
  EXPECT_GT(black, 4);
}

// The caption is measured in the control's own font: in a tall box it sits in the middle, as the
// system centres one line.
TEST_F(Checks, CaptionIsCentredByItsOwnFontsHeight) {
  for (bool radio : {false, true}) {
    TWinControl* c = radio ? static_cast<TWinControl*>(Box<TsRadioButton>(L"Вход")) : Box<TsCheckBox>(L"Вход");
    if (radio)
      static_cast<TsRadioButton*>(c)->SetAutoSize(false);
    else
      static_cast<TsCheckBox*>(c)->SetAutoSize(false);
    c->SetBounds(20, 40, 90, 40);
    const char* section = radio ? "RADIOBUTTON" : "CHECKBOX";
    const TColor font = manager->Records().gd[static_cast<std::size_t>(Section(section))].Props[0].FontColor.Color;
    const std::uint32_t rgb = (font & 0xFF) << 16 | (font & 0xFF00) | ((font >> 16) & 0xFF);
    const auto expected = CentredTextRows(c->Font(), L"Вход", 90, 40);
    ASSERT_GE(expected.first, 0);
    const auto rows = RowsOfColour(Print(c).get(), rgb, 2 + 16 + 2);  // right of the glyph
    EXPECT_NEAR(rows.first, expected.first, 1) << section;
    EXPECT_NEAR(rows.second, expected.second, 1) << section;
  }
}

TEST_F(Checks, AutoSizeFitsGlyphAndCaption) {
  auto* b = Box<TsCheckBox>(L"X8");
  auto* r = Box<TsRadioButton>(L"X8");
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, b->Font()->Handle());
  SIZE text{};
  GetTextExtentPoint32W(dc, L"X8", 2, &text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r->SetWordWrap(true);
  r->Invalidate();
  EXPECT_FALSE(r->WordWrap());  // a radio button that sizes itself keeps one line
  for (TWinControl* c : {static_cast<TWinControl*>(b), static_cast<TWinControl*>(r)}) {
    EXPECT_EQ(c->Width(), 16 + 4 + text.cx + 8) << c->ClassName();
    EXPECT_EQ(c->Height(), std::max<int>(text.cy + 4, 16) + 2) << c->ClassName();
  }
}

TEST_F(Checks, RemovingTheSkinGivesTheNativeWindowItsState) {
  auto* b = Box<TsCheckBox>(L"Вход");
  auto* r = Box<TsRadioButton>(L"X1");
  b->SetState(cbGrayed);
  r->SetChecked(true);
  ASSERT_EQ(b->SkinData()->GetSkinManager(), manager.get());
  ASSERT_EQ(SendMessageW(b->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  manager->SetActive(false);
  EXPECT_FALSE(b->SkinData()->Skinned(true));

  EXPECT_EQ(SendMessageW(b->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(SendMessageW(r->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Checks, RadioLookIsTheSectionAndTheGlobalImages) {
  auto* r = Box<TsRadioButton>();
  r->SetAutoSize(false);
  r->SetChecked(true);
  EXPECT_EQ(DifferentPixels(Print(r).get(), Look(r, "RADIOBUTTON", 0, "RADIOCHECKED", 0).get()), 0);
  r->SetChecked(false);
  EXPECT_EQ(DifferentPixels(Print(r).get(), Look(r, "RADIOBUTTON", 0, "RADIOUNCHECKED", 0).get()), 0);
}

TEST_F(Checks, CheckingOneRadioClearsItsSiblingsAndClicksOnce) {
  TsRadioButton* group[3];
  int clicks[3] = {};
  for (int i = 0; i < 3; ++i) {
    group[i] = Make<TsRadioButton>(20, 20 + 25 * i, 60, 20, L"X" + std::to_wstring(i + 1));
    group[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
  }
  group[0]->SetChecked(true);
  Click(group[1]);  // unfocused: taking the focus must not swallow the click
  EXPECT_FALSE(group[0]->Checked());
  EXPECT_TRUE(group[1]->Checked());
  EXPECT_FALSE(group[2]->Checked());
  EXPECT_EQ(clicks[1], 1);
  EXPECT_TRUE(group[1]->Focused());
  group[2]->SetFocus();
  Space(group[2]);
  EXPECT_TRUE(group[2]->Checked());
  EXPECT_FALSE(group[1]->Checked());
}

TEST_F(Checks, SetCheckMessageChecksARadioAndClearsItsSiblings) {
  auto* first = Make<TsRadioButton>(20, 20, 60, 20, L"X1");
  auto* second = Make<TsRadioButton>(20, 50, 60, 20, L"X2");
  first->SetChecked(true);
  int clicks = 0;
  second->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(second->Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(first->Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageW(second->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(first->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Checks, AClickHandlerMayFreeTheBox) {
  auto* b = Box<TsCheckBox>(L"Закрыть");
  const int before = form->ComponentCount();
  bool mouseUp = false;
  b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { mouseUp = true; };
  b->OnClick = [&](TObject*) { Free(b); };
  Click(b);
  EXPECT_EQ(form->ComponentCount(), before - 1);
  EXPECT_FALSE(mouseUp);  // nothing of the freed box runs after its handler
}

// A check box that shows its fade.
class TFadingBox : public TsCheckBox {
 public:
  using TsCheckBox::TsCheckBox;
  TsFadeTimer* Fade() const { return FadeTimer; }
};

TEST_F(Checks, HoverFadeEndsOnTheHotLookAndAFreedBoxStopsIt) {
  auto* b = Box<TFadingBox>();
  b->SetAutoSize(false);
  b->SkinData()->SetSkinSection("BUTTON");  // our skin fades buttons only
  b->SetAnimatEvents({TacAnimatEvent::aeMouseEnter});
  Print(b);
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  for (int i = 0; i < 50 && b->Fade() != nullptr; ++i) b->Fade()->Timer();
  EXPECT_EQ(b->Fade(), nullptr);
  EXPECT_EQ(DifferentPixels(Print(b).get(), Look(b, "BUTTON", 1, "BOXUNCHECKED", 1).get()), 0);
  b->Perform(CM_MOUSELEAVE);
  b->Perform(CM_MOUSEENTER);
  ASSERT_NE(b->Fade(), nullptr);
  const int before = form->ComponentCount();
  Free(b);
  EXPECT_EQ(form->ComponentCount(), before - 1);
  Pump();
}

// A radio button whose changes are vetoed.
class TLockedRadio : public TsRadioButton {
 public:
  using TsRadioButton::TsRadioButton;
  bool CanModify() override { return false; }
};

TEST_F(Checks, VetoedOrReadOnlyRadioStaysUnchecked) {
  auto* locked = Box<TLockedRadio>(L"X7");
  Click(locked);
  locked->SetFocus();
  Space(locked);  // the space bar asks as the mouse does
  EXPECT_FALSE(locked->Checked());
  auto* readOnly = Box<TsRadioButton>(L"X8");
  readOnly->SetReadOnly(true);
  Click(readOnly);
  Space(readOnly);
  EXPECT_FALSE(readOnly->Checked());
}

}  // namespace
}  // namespace skin
