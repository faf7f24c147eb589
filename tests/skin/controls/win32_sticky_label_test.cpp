// The sticky label: following its control (a window or a windowless one), moving it, and freeing
// either side in any order with other hooks on the same control.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "classlib/StdCtrls.h"
#include "skin/controls/sLabel.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/Poisoned.h"

namespace skin::test {
namespace {

using classlib::TControl;
using classlib::TMessage;
using classlib::TWndMethod;

// A window handler that saves the control's WindowProc, installs its own and puts the saved one
// back blindly when it goes.
struct OtherHook {
  explicit OtherHook(TControl* c) : control(c), saved(c->WindowProc) {
    c->WindowProc = TWndMethod(this, &OtherHook::Proc);
  }
  ~OtherHook() { control->WindowProc = saved; }
  void Proc(TMessage& m) {
    ++seen;
    saved(m);
  }
  TControl* control;
  TWndMethod saved;
  int seen = 0;
};

struct StickyLabels : ControlsFixture {
  TControl* Control(bool windowed) {
    TControl* c = windowed ? static_cast<TControl*>(classlib::Create<classlib::TEdit>(form.get()))
                           : classlib::Create<classlib::TGraphicControl>(form.get());
    c->SetParent(form.get());
    c->SetBounds(100, 50, 120, 21);
    if (auto* w = dynamic_cast<classlib::TWinControl*>(c)) w->Handle();
    return c;
  }
  template <class T = TsStickyLabel>
  T* Sticky(const wchar_t* caption = L"Sticky:") {
    auto* l = classlib::Create<T>(form.get());
    l->SetParent(form.get());
    l->SetCaption(caption);
    return l;
  }
  static TWndMethod Own(TControl* c) { return TWndMethod(c, &TControl::WndProc); }
};

TEST_F(StickyLabels, LabelAndControlFollowEachOther) {
  for (const bool windowed : {true, false}) {
    SCOPED_TRACE(windowed ? "window" : "windowless");
    TControl* control = Control(windowed);
    TsStickyLabel* label = Sticky();
    label->SetAttachTo(control);
    const int w = label->Width(), h = label->Height();
    ASSERT_GT(w, 0);
    // Left of the control, two pixels away, centred.
    EXPECT_EQ(label->Left(), 100 - w - 2);
    EXPECT_EQ(label->Top(), 50 + (21 - h) / 2);
    control->SetBounds(200, 120, 120, 21);
    EXPECT_EQ(label->Left(), 200 - w - 2);
    EXPECT_EQ(label->Top(), 120 + (21 - h) / 2);
    // Moving the label moves the control to its right.
    label->SetBounds(10, 10, w, h);
    EXPECT_EQ(control->Left(), 10 + w + 2);
    EXPECT_EQ(control->Top(), 10 + (h - 21) / 2);
    EXPECT_EQ(label->Left(), 10);
    label->SetAlignTo(altBottom);
    EXPECT_EQ(label->Left(), control->Left());
    EXPECT_EQ(label->Top(), control->Top() + 21 + 2);
    label->SetGap(6);
    EXPECT_EQ(label->Top(), control->Top() + 21 + 6);
    control->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    control->SetVisible(true);
    EXPECT_TRUE(label->Visible());
    control->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    classlib::Free(label);
    EXPECT_TRUE(control->WindowProc == Own(control));
  }
}

TEST_F(StickyLabels, LettingGoOfTheControlKeepsHearingOfItAsTheFocusControl) {
  auto* edit = static_cast<classlib::TEdit*>(Control(true));
  TsStickyLabel* label = Sticky();
  label->SetFocusControl(edit);
  label->SetAttachTo(edit);
  label->SetAttachTo(nullptr);
  EXPECT_TRUE(edit->WindowProc == Own(edit));
  classlib::Free(edit);
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(StickyLabels, AControlGrowingKeepsItsSideAgainstTheLabel) {
  TControl* control = Control(true);
  TsStickyLabel* label = Sticky();
  label->SetAlignTo(altRight);
  label->SetAttachTo(control);
  EXPECT_EQ(label->Left(), 222);
  const int left = label->Left(), top = label->Top();
  // Wider in place: the control is put back against the label, which stays.
  control->SetBounds(100, 50, 150, 21);
  EXPECT_EQ(label->Left(), left);
  EXPECT_EQ(label->Top(), top);
  EXPECT_EQ(control->Left(), left - 2 - 150);
}

TEST_F(StickyLabels, FreeingTheLabelOrTheControlFirstLeavesNoCallToAFreedLabel) {
  for (const bool windowed : {true, false}) {
    SCOPED_TRACE(windowed ? "window" : "windowless");
    // The label first: the control gets its own procedure back and moves on its own.
    TControl* control = Control(windowed);
    auto* label = Sticky<Poisoned<TsStickyLabel>>();
    label->SetAttachTo(control);
    classlib::Free(label);
    EXPECT_TRUE(control->WindowProc == Own(control));
    control->SetBounds(30, 30, 100, 20);
    control->SetVisible(false);
    // The control first: the label lets go of it.
    TControl* other = Control(windowed);
    auto* survivor = Sticky<Poisoned<TsStickyLabel>>();
    survivor->SetAttachTo(other);
    classlib::Free(other);
    EXPECT_EQ(survivor->AttachTo(), nullptr);
    survivor->SetBounds(5, 5, survivor->Width(), survivor->Height());
    classlib::Free(survivor);
  }
}

TEST_F(StickyLabels, TwoLabelsOnOneControlGoInEitherOrder) {
  for (const bool firstGoesFirst : {true, false}) {
    SCOPED_TRACE(firstGoesFirst ? "first label freed first" : "second label freed first");
    TControl* control = Control(true);
    auto* first = Sticky<Poisoned<TsStickyLabel>>(L"First");
    auto* second = Sticky<Poisoned<TsStickyLabel>>(L"Second");
    first->SetAttachTo(control);
    second->SetAlignTo(altTop);
    second->SetAttachTo(control);
    TsStickyLabel* gone = firstGoesFirst ? first : second;
    TsStickyLabel* kept = firstGoesFirst ? second : first;
    classlib::Free(gone);
    control->SetBounds(150, 90, 120, 21);
    EXPECT_EQ(kept->Left(), firstGoesFirst ? 150 : 150 - kept->Width() - 2);
    classlib::Free(kept);
    control->SetBounds(160, 100, 120, 21);
    // Both gone in the order they came: the control's own procedure is back.
    if (!firstGoesFirst) {
      EXPECT_TRUE(control->WindowProc == Own(control));
    }
    classlib::Free(control);
  }
}

TEST_F(StickyLabels, AnotherHookAfterTheLabelStillReachesTheControl) {
  TControl* control = Control(true);
  auto* label = Sticky<Poisoned<TsStickyLabel>>();
  label->SetAttachTo(control);
  {
    OtherHook hook(control);
    classlib::Free(label);
    control->SetBounds(40, 40, 120, 21);
    EXPECT_GT(hook.seen, 0);
    EXPECT_EQ(control->Left(), 40);
  }
  // The hook put back what it saved: the label's link, which now only passes messages on.
  control->SetBounds(60, 60, 120, 21);
  EXPECT_EQ(control->Left(), 60);
  classlib::Free(control);
}

TEST_F(StickyLabels, ALabelFreedWhileItsControlHandlesAMessageIsNotCalledAfterwards) {
  auto* button = classlib::Create<classlib::TButton>(form.get());
  button->SetParent(form.get());
  button->SetBounds(100, 50, 80, 25);
  auto* label = Sticky<Poisoned<TsStickyLabel>>();
  label->SetAttachTo(button);
  button->OnClick = [&](classlib::TObject*) { classlib::Free(label); };
  button->Perform(classlib::CN_COMMAND, MAKEWPARAM(0, BN_CLICKED));
  EXPECT_TRUE(button->WindowProc == Own(button));
  button->SetBounds(10, 10, 80, 25);
}

}  // namespace
}  // namespace skin::test
