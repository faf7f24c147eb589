// Skinned labels painted into 32-bit bitmaps with our skin: the disabled colour, the shadow and its
// room, the skin's removal, and the font flags after a raising paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "skin/controls/sLabel.h"
#include "skin/core/acSkinRecords.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin::test {
namespace {

template <class T>
struct Painted : T {
  using T::T;
  // Paints the label into a new bitmap of its size, first filled with Background.
  std::unique_ptr<classlib::TBitmap> Render(TColor Background) {
    auto bmp = NewBitmap32(this->Width(), this->Height());
    HDC dc = bmp->Canvas()->Handle();
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(classlib::ColorToRGB(Background)));
    RECT all{0, 0, this->Width(), this->Height()};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    this->Canvas()->Lock();
    this->Canvas()->SetHandle(dc);
    this->Paint();
    this->Canvas()->SetHandle(nullptr);
    this->Canvas()->Unlock();
    GdiFlush();
    return bmp;
  }
};

int CountColour(classlib::TBitmap* b, TColor rgb) {
  int n = 0;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      const std::uint32_t p = Rgb(b, x, y);  // 0xRRGGBB in memory order B, G, R
      const std::uint32_t asColor = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
      n += asColor == static_cast<std::uint32_t>(rgb);
    }
  return n;
}

struct Labels : ControlsFixture {
  template <class T>
  Painted<T>* Label(const std::wstring& caption, int left = 10, int top = 10) {
    auto* l = classlib::Create<Painted<T>>(form.get());
    l->SetParent(form.get());
    l->SetBounds(left, top, 10, 10);
    l->Font()->SetName(L"Tahoma");
    l->Font()->SetSize(12);
    l->SetCaption(caption);
    return l;
  }
};

int Channel(TColor c, int shift) { return int((static_cast<std::uint32_t>(c) >> shift) & 0xFF); }

// A window description names the labels by class and sets their own properties by name.
TEST_F(Labels, LabelsAreRegisteredByNameWithTheirOwnProperties) {
  RegisterLabelClasses();
  for (const wchar_t* name : {L"TsLabel", L"TsLabelFX"}) {
    classlib::TComponent* c = classlib::CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), name);
    EXPECT_NE(dynamic_cast<TsCustomLabel*>(c), nullptr) << name;
    classlib::SetPropText(c, L"SkinSection", L"PANEL");
    EXPECT_EQ(static_cast<TsCustomLabel*>(c)->SkinSection(), L"PANEL");
    classlib::SetPropText(c, L"Caption", L"Введите пароль:");
    EXPECT_EQ(static_cast<TsCustomLabel*>(c)->Caption(), L"Введите пароль:");
  }
  classlib::TComponent* l = classlib::CreateComponent(L"TsLabel", form.get());
  EXPECT_EQ(classlib::GetOrdProp(l, L"UseSkinColor"), 1);
  classlib::SetPropText(l, L"UseSkinColor", L"False");
  EXPECT_FALSE(static_cast<TsLabel*>(l)->UseSkinColor());
}

TEST_F(Labels, DisabledLabelMixesFortyPercentFontIntoTheParentColourWithoutEmboss) {
  auto* label = Label<TsLabel>(L"Disabled");
  const TColor parent = classlib::ColorToRGB(GetControlColor(form.get()));
  label->Render(parent);
  const TColor font = classlib::ColorToRGB(label->Font()->Color());
  ASSERT_NE(font, parent);
  TColor mixed = 0;
  for (int s = 0; s < 24; s += 8) mixed |= TColor(std::lround(0.4 * Channel(font, s) + 0.6 * Channel(parent, s))) << s;
  label->SetEnabled(false);
  auto bmp = label->Render(parent);
  EXPECT_GT(CountColour(bmp.get(), mixed), 10);
  EXPECT_EQ(CountColour(bmp.get(), font), 0);
  EXPECT_EQ(CountColour(bmp.get(), classlib::ColorToRGB(classlib::clBtnHighlight)), 0);
}

TEST_F(Labels, SkinnedLabelTakesTheFontColourOfItsParentsSection) {
  auto* label = Label<TsLabel>(L"Colour");
  label->Font()->SetColor(0x123456);
  label->Render(0);
  const int index = GetFontIndex(label, -1, manager.get(), 0);
  const TColor want = index >= 0 ? manager->Records().gd[std::size_t(index)].Props[0].FontColor.Color
                                 : manager->Records().GetGlobalFontColor();
  EXPECT_EQ(label->Font()->Color(), want);
  EXPECT_NE(label->Font()->Color(), TColor(0x123456));
}

TEST_F(Labels, RemovingTheSkinGivesLabelsTheWindowTextColour) {
  auto* label = Label<TsLabel>(L"Colour");
  label->Render(0);
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(label->Font()->Color(), classlib::clWindowText);
}

TEST_F(Labels, ShadowlessLabelFXDrawsPlainText) {
  struct Case {
    int blur;
    TColor colour;
  };
  for (const Case c : {Case{0, classlib::clBlack}, Case{4, classlib::clNone}}) {
    auto* fx = Label<TsLabelFX>(L"Plain text");
    fx->Shadow()->SetMode(smCustom);
    fx->Shadow()->SetBlurCount(c.blur);
    fx->Shadow()->SetColor(c.colour);
    fx->Kind()->SetKindType(ktCustom);
    fx->Kind()->SetColor(0x0000FF);
    fx->SetCaption(L"Plain");
    auto* plain = Label<TsLabel>(L"Plain");
    plain->SetUseSkinColor(false);
    plain->Font()->SetColor(0x0000FF);
    ASSERT_EQ(fx->Width(), plain->Width());
    ASSERT_EQ(fx->Height(), plain->Height());
    auto a = fx->Render(0xFFFFFF), b = plain->Render(0xFFFFFF);
    EXPECT_EQ(DifferentPixels(a.get(), b.get()), 0) << "blur " << c.blur;
    EXPECT_GT(CountColour(a.get(), 0x0000FF), 10);
  }
}

TEST_F(Labels, ShadowGrowsTheLabelAndDarkensBesideTheGlyphs) {
  auto* plain = Label<TsLabelFX>(L"");
  plain->Shadow()->SetMode(smCustom);
  plain->Shadow()->SetBlurCount(0);
  plain->SetCaption(L"Shadow");
  auto* fx = Label<TsLabelFX>(L"");
  fx->Shadow()->SetMode(smCustom);
  fx->Shadow()->SetColor(classlib::clBlack);
  fx->Shadow()->SetBlurCount(4);
  fx->Shadow()->SetDistance(1);
  fx->Kind()->SetKindType(ktCustom);
  fx->Kind()->SetColor(0xFFFFFF);
  fx->SetCaption(L"Shadow");
  // Reach -3 up and left, 5 down and right: 8 more pixels each way.
  EXPECT_EQ(fx->Width(), plain->Width() + 8);
  EXPECT_EQ(fx->Height(), plain->Height() + 8);
  auto bmp = fx->Render(0xFFFFFF);
  // Text in white over a white background shows only through its shadow: greys around the glyphs.
  int grey = 0;
  for (int y = 0; y < bmp->Height(); ++y)
    for (int x = 0; x < bmp->Width(); ++x) grey += Rgb(bmp.get(), x, y) != 0xFFFFFF;
  EXPECT_GT(grey, 20);
  // The corner the shadow cannot reach stays background.
  EXPECT_EQ(Rgb(bmp.get(), 0, 0), 0xFFFFFFu);
}

struct RaisingLabel : TsLabel {
  using TsLabel::Paint;
  using TsLabel::TsLabel;
  classlib::TFont* GetCurrentFont() override { throw std::runtime_error("font"); }
};

TEST_F(Labels, FontFlagsAreClearedWhenAPaintRaises) {
  auto* label = classlib::Create<RaisingLabel>(form.get());
  label->SetParent(form.get());
  EXPECT_THROW(label->Paint(), std::runtime_error);
  EXPECT_FALSE(LabelFontUpdating);
  EXPECT_EQ(label->FSkinIndex, -1);
  // A later font change is handled again (not taken for the paint's own).
  label->SetAutoSize(true);
  label->SetCaption(L"x");
  const int w = label->Width();
  label->Font()->SetSize(30);
  EXPECT_GT(label->Width(), w);
  EXPECT_FALSE(LabelFontChanging);
}

}  // namespace
}  // namespace skin::test

namespace skin::test {
namespace {

TEST_F(Labels, RepeatedShadowPaintsReuseTheirBuffersAndLookTheSame) {
  auto* fx = Label<TsLabelFX>(L"");
  fx->Shadow()->SetMode(smCustom);
  fx->Shadow()->SetBlurCount(3);
  fx->SetCaption(L"Repeated");
  auto first = fx->Render(0xFFFFFF);
  const std::size_t allocated = fx->BlurGrid().Allocated();
  ASSERT_GT(allocated, 0u);
  for (int i = 0; i < 200; ++i) {
    auto again = fx->Render(0xFFFFFF);
    ASSERT_EQ(DifferentPixels(first.get(), again.get()), 0) << "paint " << i;
  }
  EXPECT_EQ(fx->BlurGrid().Allocated(), allocated);
}

}  // namespace
}  // namespace skin::test

namespace skin::test {
namespace {

// Every paint selects fonts and, for the shadowed label, a blurred mask into device contexts of its
// own: 200 paints of each, enabled and disabled, directly and through the form, leave the count
// of live GDI objects where it was.
TEST_F(Labels, TwoHundredPaintsLeaveNoGdiObjects) {
  auto* label = Label<TsLabel>(L"Готово", 10, 10);
  auto* fx = Label<TsLabelFX>(L"", 10, 60);
  fx->Shadow()->SetMode(smCustom);
  fx->Shadow()->SetBlurCount(4);
  fx->Shadow()->SetDistance(2);
  fx->SetCaption(L"Введите пароль:");
  auto target = NewBitmap32(form->Width(), form->Height());
  const WPARAM dc = reinterpret_cast<WPARAM>(target->Canvas()->Handle());
  auto paintBoth = [&](bool enabled) {
    label->SetEnabled(enabled);
    fx->SetEnabled(enabled);
    label->Render(0xFFFFFF);
    fx->Render(0xFFFFFF);
    RECT all{0, 0, target->Width(), target->Height()};
    FillRect(target->Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    form->Perform(WM_PAINT, dc, 0);  // the form's paint with the labels on it
  };
  paintBoth(true);
  paintBoth(false);
  Pump();
  // The form's paint draws the shadowed label: text and shadow differ from the background, which
  // the form either leaves white or fills with its colour.
  int darkened = 0;
  paintBoth(true);
  GdiFlush();
  for (int y = fx->Top(); y < fx->Top() + fx->Height(); ++y)
    for (int x = fx->Left(); x < fx->Left() + fx->Width(); ++x)
      darkened += Rgb(target.get(), x, y) != Rgb(target.get(), 0, 0);
  ASSERT_GT(darkened, 20) << "the form's paint must draw the shadowed label";
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 5) << "the count sees the form's and the labels' objects";
  for (int i = 0; i < 200; ++i) paintBoth(i % 4 != 3);
  paintBoth(true);
  Pump();
  EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
}  // namespace skin::test
