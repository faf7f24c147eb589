// The bound label of an edit: made on the edit's parent, placed by its layout, and freed by
// either side first without the other reading or freeing it again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sLabel.h"
#include "skin/core/sCommonData.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/Poisoned.h"

namespace skin::test {
namespace {

using classlib::TComponent;
using classlib::TCustomLabel;

// An edit carrying a bound label, as the skinned edits will.
struct BoundEdit : classlib::TEdit {
  explicit BoundEdit(TComponent* AOwner) : TEdit(AOwner) {}
  TsCommonData data{this, false};
  TsBoundLabel bound{this, &data};
};

IacBoundLabelControl* PoisonedEditLabel(TComponent* AOwner, TsBoundLabel* Bound) {
  return classlib::Create<Poisoned<TsEditLabel>>(AOwner, Bound);
}
IacBoundLabelControl* PlainEditLabel(TComponent* AOwner, TsBoundLabel* Bound) {
  return classlib::Create<TsEditLabel>(AOwner, Bound);
}

struct BoundLabels : ControlsFixture {
  void TearDown() override { SetBoundLabelFactory(PlainEditLabel); }

  BoundEdit* Edit(classlib::TWinControl* parent, const wchar_t* name) {
    auto* e = classlib::Create<BoundEdit>(form.get());
    e->SetName(name);
    e->SetParent(parent);
    e->SetBounds(100, 50, 120, 21);
    return e;
  }
  static TCustomLabel* LabelOf(BoundEdit* e) { return e->bound.TheLabel()->LabelControl(); }
};

TEST_F(BoundLabels, ActiveMakesTheLabelBesideTheEditAndTheSettersMoveIt) {
  BoundEdit* edit = Edit(form.get(), L"Edit1");
  edit->bound.SetActive(true);
  ASSERT_NE(edit->bound.TheLabel(), nullptr);
  TCustomLabel* label = LabelOf(edit);
  EXPECT_EQ(label->ClassName(), L"TsEditLabel");
  EXPECT_EQ(label->Name(), L"Edit1Label");
  EXPECT_EQ(label->Caption(), L"Edit1");
  EXPECT_EQ(edit->bound.Caption(), L"Edit1");
  EXPECT_EQ(label->Owner(), edit);
  EXPECT_EQ(label->Parent(), form.get());
  EXPECT_EQ(label->FocusControl(), edit);
  EXPECT_TRUE(label->Visible());
  EXPECT_EQ(label->Alignment(), classlib::taRightJustify);
  const int w = label->Width(), h = label->Height();
  ASSERT_GT(w, 0);
  EXPECT_EQ(label->Left(), 100 - w - 4);
  EXPECT_EQ(label->Top(), 50 + (21 - h) / 2 - 1);

  edit->bound.SetLayout(TsCaptionLayout::sclBottomLeft);
  EXPECT_EQ(label->Alignment(), classlib::taLeftJustify);
  EXPECT_EQ(label->Left(), 100);
  EXPECT_EQ(label->Top(), 71);
  edit->bound.SetIndent(5);
  EXPECT_EQ(label->Top(), 76);
  edit->bound.SetLayout(TsCaptionLayout::sclTopCenter);
  EXPECT_EQ(label->Alignment(), classlib::taCenter);
  EXPECT_EQ(label->Left(), 100 + (120 - w) / 2);
  EXPECT_EQ(label->Top(), 50 - h - 5);

  edit->bound.SetCaption(L"A much longer caption");
  EXPECT_EQ(label->Caption(), L"A much longer caption");
  EXPECT_GT(label->Width(), w);
  edit->bound.SetMaxWidth(60);
  EXPECT_EQ(label->Width(), 60);
  EXPECT_TRUE(label->WordWrap());
  EXPECT_GE(label->Height(), 21);

  edit->bound.SetActive(false);
  EXPECT_EQ(edit->bound.TheLabel(), nullptr);
  for (int i = 0; i < form->ControlCount(); ++i) EXPECT_NE(form->Controls(i)->ClassName(), L"TsEditLabel");
}

TEST_F(BoundLabels, ALabelFreedByOthersIsForgottenByItsRecord) {
  SetBoundLabelFactory(PoisonedEditLabel);
  BoundEdit* edit = Edit(form.get(), L"Edit1");
  edit->bound.SetActive(true);
  // The parent frees its children whoever owns them: here the label goes alone.
  classlib::Free(LabelOf(edit));
  EXPECT_EQ(edit->bound.TheLabel(), nullptr);
  EXPECT_FALSE(edit->bound.Active());
  // Nothing below reads the freed label.
  edit->bound.AlignLabel();
  edit->bound.SetCaption(L"Again");
  edit->bound.SetIndent(3);
  EXPECT_TRUE(edit->bound.UseSkinColor());
  edit->bound.SetActive(true);
  ASSERT_NE(edit->bound.TheLabel(), nullptr);
  EXPECT_EQ(LabelOf(edit)->Caption(), L"Again");
}

TEST_F(BoundLabels, EitherFreeingOrderLeavesNoDoubleFree) {
  SetBoundLabelFactory(PoisonedEditLabel);
  // The parent frees the label (its last child) first, then the edit whose record held it.
  auto* panel = classlib::Create<classlib::TPanel>(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 300, 200);
  BoundEdit* first = Edit(panel, L"First");
  first->bound.SetActive(true);
  ASSERT_EQ(LabelOf(first)->Parent(), panel);
  ASSERT_EQ(panel->Controls(panel->ControlCount() - 1), LabelOf(first));
  classlib::Free(panel);
  // The edit goes first: its record frees the label, whose farewell finds nothing to clear.
  BoundEdit* second = Edit(form.get(), L"Second");
  second->bound.SetActive(true);
  const int before = form->ControlCount();
  classlib::Free(second);
  EXPECT_EQ(form->ControlCount(), before - 2);
}

TEST_F(BoundLabels, FontAndSkinColourGoToTheLabelAndAreLostWithoutOne) {
  BoundEdit* edit = Edit(form.get(), L"Edit1");
  classlib::TFont big;
  big.SetSize(20);
  edit->bound.SetFont(&big);
  EXPECT_NE(edit->bound.Font()->Size(), 20);
  edit->bound.SetActive(true);
  EXPECT_NE(LabelOf(edit)->Font()->Size(), 20);
  const int h = LabelOf(edit)->Height();
  edit->bound.SetFont(&big);
  EXPECT_EQ(LabelOf(edit)->Font()->Size(), 20);
  EXPECT_EQ(edit->bound.Font(), LabelOf(edit)->Font());
  EXPECT_GT(LabelOf(edit)->Height(), h);
  EXPECT_EQ(LabelOf(edit)->Top(), 50 + (21 - LabelOf(edit)->Height()) / 2 - 1);
  edit->bound.SetUseSkinColor(false);
  EXPECT_FALSE(edit->bound.UseSkinColor());
  EXPECT_FALSE(dynamic_cast<TsLabel*>(LabelOf(edit))->UseSkinColor());
}

TEST_F(BoundLabels, RecordIsRegisteredWithItsDefaults) {
  RegisterSkinDataClasses();
  BoundEdit* edit = Edit(form.get(), L"Edit1");
  const classlib::TClassInfo& info = classlib::GetClass(L"TsBoundLabel");
  ASSERT_EQ(info.Properties.size(), 7u);
  for (const classlib::TPropInfo& p : info.Properties) {
    if (!p.HasDefault) continue;
    EXPECT_TRUE(p.IsDefault(&edit->bound)) << std::string(p.Name.begin(), p.Name.end());
  }
  classlib::SetPropText(&edit->bound, L"Layout", L"sclTopRight");
  EXPECT_EQ(edit->bound.Layout(), TsCaptionLayout::sclTopRight);
  classlib::SetPropText(&edit->bound, L"Active", L"True");
  EXPECT_NE(edit->bound.TheLabel(), nullptr);
}

}  // namespace
}  // namespace skin::test
