// The link label's opener and hover font, the labels' published properties, and the font-change
// flag after a raising handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/TypInfo.h"
#include "skin/controls/sLabel.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin::test {
namespace {

using classlib::TComponent;

struct Opened {
  std::wstring url;
  TsWindowShowMode mode;
};

struct WebLabels : ControlsFixture {
  std::vector<Opened> opened;
  void SetUp() override {
    ControlsFixture::SetUp();
    SetUrlOpener([this](const std::wstring& url, TsWindowShowMode mode) { opened.push_back({url, mode}); });
  }
  void TearDown() override { SetUrlOpener(nullptr); }

  template <class T>
  T* Make(const wchar_t* caption) {
    auto* l = classlib::Create<T>(form.get());
    l->SetParent(form.get());
    l->SetBounds(10, 10, 10, 10);
    l->SetCaption(caption);
    return l;
  }
  static void Click(classlib::TControl* c) {
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
};

TEST_F(WebLabels, AClickOpensTheURLWithItsShowModeAndAnEmptyOneNothing) {
  auto* web = Make<TsWebLabel>(L"Link");
  EXPECT_EQ(web->ShowMode(), TsWindowShowMode::soDefault);
  EXPECT_EQ(web->Cursor(), classlib::crHandPoint);
  Click(web);
  EXPECT_TRUE(opened.empty());
  web->SetURL(L"https://example.org/kt8");
  web->SetShowMode(TsWindowShowMode::soMaximize);
  Click(web);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].url, L"https://example.org/kt8");
  EXPECT_EQ(opened[0].mode, TsWindowShowMode::soMaximize);
}

TEST_F(WebLabels, HoverPaintsWithTheHoverFontInTheSkinsColourOrPureRed) {
  auto* web = Make<TsWebLabel>(L"Link");
  classlib::TFont normal, hover;
  normal.SetSize(9);
  normal.SetColor(0x102030);
  hover.SetSize(14);
  hover.SetStyle({classlib::fsUnderline});
  hover.SetColor(0x405060);
  web->SetNormalFont(&normal);
  web->SetHoverFont(&hover);
  web->SetAutoSize(true);
  // A plain form lends no section, and our skin's GLOBALINFO gives neither a link colour nor a
  // hover colour (-1): the link keeps its own colour, and turns pure red when hovered.
  ASSERT_LT(GetFontIndex(web, -1, manager.get(), 0), 0);
  const int global = manager->GetSkinIndex("GLOBALINFO");
  ASSERT_GE(global, 0);
  ASSERT_EQ(manager->Records().gd[std::size_t(global)].Props[0].FontColor.Bottom, -1);
  ASSERT_EQ(manager->Records().gd[std::size_t(global)].Props[0].FontColor.Top, -1);
  EXPECT_EQ(web->GetCurrentFont(), web->NormalFont());
  EXPECT_EQ(web->NormalFont()->Color(), TColor(0x102030));
  const int width = web->Width();
  web->Perform(classlib::CM_MOUSEENTER);
  Pump();
  EXPECT_TRUE(web->MouseAbove);
  EXPECT_EQ(web->GetCurrentFont(), web->HoverFont());
  EXPECT_EQ(web->Font()->Size(), 14);
  EXPECT_TRUE(web->Font()->Style().Contains(classlib::fsUnderline));
  EXPECT_EQ(web->Font()->Color(), classlib::clRed);
  EXPECT_GT(web->Width(), width);
  // Without the skin's colour the hover font keeps its own.
  web->SetUseSkinColor(false);
  web->SetNormalFont(&normal);
  web->SetHoverFont(&hover);
  EXPECT_EQ(web->GetCurrentFont()->Color(), TColor(0x405060));
  web->Perform(classlib::CM_MOUSELEAVE);
  Pump();
  EXPECT_FALSE(web->MouseAbove);
  EXPECT_EQ(web->Font()->Size(), 9);
  EXPECT_EQ(web->Font()->Color(), TColor(0x102030));
}

TEST_F(WebLabels, EveryLabelClassIsRegisteredWithItsConstructionValuesAsDefaults) {
  RegisterLabelClasses();
  using classlib::GetClass;
  using classlib::GetPropText;
  using classlib::SetPropText;
  for (const wchar_t* name :
       {L"TsCustomLabel", L"TsLabel", L"TsEditLabel", L"TsWebLabel", L"TsStickyLabel", L"TsLabelFX"}) {
    TComponent* c = classlib::CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), name);
    for (const classlib::TPropInfo* p : GetClass(name).AllProperties()) {
      if (!p->HasDefault || p->Kind == classlib::TPropKind::Event || p->Kind == classlib::TPropKind::Component)
        continue;
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end()) << " of "
                                   << std::string(name, name + wcslen(name));
    }
  }
  auto* fx = Make<TsLabelFX>(L"FX");
  for (const char* sub : {"TsShadow", "TsKind"}) {
    const std::wstring name(sub, sub + std::strlen(sub));
    classlib::TObject* o = name == L"TsShadow" ? static_cast<classlib::TObject*>(fx->Shadow()) : fx->Kind();
    EXPECT_EQ(classlib::ClassInfoOf(o), &GetClass(name));
    for (const classlib::TPropInfo& p : GetClass(name).Properties) EXPECT_TRUE(p.IsDefault(o)) << sub;
  }
  EXPECT_EQ(GetPropText(fx, L"Shadow.Mode"), L"smSkin1");
  SetPropText(fx, L"Shadow.Distance", L"3");
  SetPropText(fx, L"Kind.KindType", L"ktCustom");
  EXPECT_EQ(fx->Shadow()->Distance(), 3);
  EXPECT_EQ(fx->Kind()->KindType(), ktCustom);

  auto* web = Make<TsWebLabel>(L"Link");
  EXPECT_EQ(GetPropText(web, L"Cursor"), L"crHandPoint");
  SetPropText(web, L"ShowMode", L"soShowNoActivate");
  SetPropText(web, L"Font.Size", L"15");
  SetPropText(web, L"HoverFont.Size", L"16");
  EXPECT_EQ(web->ShowMode(), TsWindowShowMode::soShowNoActivate);
  EXPECT_EQ(web->NormalFont()->Size(), 15);
  EXPECT_EQ(web->HoverFont()->Size(), 16);

  auto* sticky = Make<TsStickyLabel>(L"Sticky");
  SetPropText(sticky, L"AlignTo", L"altBottom");
  SetPropText(sticky, L"Gap", L"7");
  EXPECT_EQ(sticky->AlignTo(), altBottom);
  EXPECT_EQ(sticky->Gap(), 7);
  classlib::SetObjectProp(sticky, L"AttachTo", web);
  EXPECT_EQ(sticky->AttachTo(), web);
  EXPECT_EQ(sticky->Top(), web->Top() + web->Height() + 7);
}

struct RaisingInvalidate : TsLabel {
  using TsLabel::TsLabel;
  bool raise = false;
  void Invalidate() override {
    if (raise) throw std::runtime_error("invalidate");
    TsLabel::Invalidate();
  }
};

TEST_F(WebLabels, FontChangingIsClearedWhenTheChangeHandlerRaises) {
  auto* label = Make<RaisingInvalidate>(L"Raising");
  label->raise = true;
  EXPECT_THROW(label->Font()->SetSize(25), std::runtime_error);
  EXPECT_FALSE(LabelFontChanging);
  EXPECT_FALSE(LabelFontUpdating);
  // The next change is handled again: the label grows to the new size.
  label->raise = false;
  const int h = label->Height();
  label->Font()->SetSize(30);
  EXPECT_GT(label->Height(), h);
}

}  // namespace
}  // namespace skin::test
