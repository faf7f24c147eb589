// The bound label of an edit-type control: its label made on the control's parent, placed by the
// caption layout, and freed by whichever side goes first.
#include <algorithm>

#include "classlib/Exception.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sBoundLabelPlace.h"
#include "skin/core/sCommonData.h"

namespace skin {

using classlib::TControl;
using classlib::TCustomLabel;

namespace {

// Constant-initialised, so that the labels' unit may set it from its own static initialiser.
TacBoundLabelFactory g_boundLabelFactory = nullptr;

}  // namespace

void SetBoundLabelFactory(TacBoundLabelFactory Factory) { g_boundLabelFactory = Factory; }

TsBoundLabel::TsBoundLabel(classlib::TComponent* AOwner, TsCommonData* CommonData)
    : FFont(std::make_unique<classlib::TFont>()), FCommonData(CommonData), FOwner(AOwner) {}

TsBoundLabel::~TsBoundLabel() { FreeLabel(); }

void TsBoundLabel::DeclareProperties(classlib::TClassDecl<TsBoundLabel>& d) {
  d.Bool(L"Active", &TsBoundLabel::Active, &TsBoundLabel::SetActive, false);
  d.String(L"Caption", &TsBoundLabel::Caption, &TsBoundLabel::SetCaption);
  d.Integer(L"Indent", &TsBoundLabel::Indent, &TsBoundLabel::SetIndent, 0);
  d.Object(L"Font", &TsBoundLabel::Font);
  d.Enum(L"Layout", &TsBoundLabel::Layout, &TsBoundLabel::SetLayout, TsCaptionLayout::sclLeft);
  d.Integer(L"MaxWidth", &TsBoundLabel::MaxWidth, &TsBoundLabel::SetMaxWidth, 0);
  d.Bool(L"UseSkinColor", &TsBoundLabel::UseSkinColor, &TsBoundLabel::SetUseSkinColor, true);
}

TControl* TsBoundLabel::BoundControl() const {
  if (FCommonData != nullptr && FCommonData->OwnerControl() != nullptr) return FCommonData->OwnerControl();
  return dynamic_cast<TControl*>(FOwner);
}

TCustomLabel* TsBoundLabel::LabelCtl() const { return FTheLabel != nullptr ? FTheLabel->LabelControl() : nullptr; }

void TsBoundLabel::LabelFreed(IacBoundLabelControl* Label) {
  if (Label != FTheLabel) return;
  FTheLabel = nullptr;
  FActive = false;
}

void TsBoundLabel::FreeLabel() {
  // Forgotten before it goes, so that its own farewell finds nothing left to clear.
  TCustomLabel* label = LabelCtl();
  FTheLabel = nullptr;
  classlib::Free(label);
}

void TsBoundLabel::SetActive(bool Value) {
  if (!Value) {
    FreeLabel();
    FActive = false;
    return;
  }
  TControl* control = BoundControl();
  if (control == nullptr) throw classlib::EInvalidOperation(L"A bound label needs the control it belongs to");
  if (FTheLabel == nullptr) {
    if (g_boundLabelFactory == nullptr)
      throw classlib::EInvalidOperation(L"No label class is registered for bound labels");
    FTheLabel = g_boundLabelFactory(control, this);
  }
  FActive = true;
  TCustomLabel* label = LabelCtl();
  label->SetVisible(false);
  label->SetParent(control->Parent());
  label->SetFocusControl(dynamic_cast<classlib::TWinControl*>(control));
  UpdateAlignment();
  label->SetName(control->Name() + L"Label");
  if (FText.empty()) FText = control->Name();
  label->SetCaption(FText);
  label->SetVisible(control->Visible() || control->ComponentState().Contains(classlib::csDesigning));
  label->SetEnabled(control->Enabled());
  AlignLabel();
}

void TsBoundLabel::UpdateAlignment() {
  TCustomLabel* label = LabelCtl();
  if (label == nullptr) return;
  switch (FLayout) {
    case TsCaptionLayout::sclLeft:
    case TsCaptionLayout::sclTopRight:
    case TsCaptionLayout::sclBottomRight: label->SetAlignment(classlib::taRightJustify); break;
    case TsCaptionLayout::sclTopCenter:
    case TsCaptionLayout::sclBottomCenter: label->SetAlignment(classlib::taCenter); break;
    default: label->SetAlignment(classlib::taLeftJustify); break;
  }
}

void TsBoundLabel::AlignLabel() {
  TCustomLabel* label = LabelCtl();
  TControl* control = BoundControl();
  if (label == nullptr || !label->Visible() || control == nullptr) return;
  label->SetAutoSize(true);
  const TPoint at = BoundLabelPlace(FLayout, control->BoundsRect(), TSize{label->Width(), label->Height()}, FIndent);
  label->SetBounds(at.X, at.Y, label->Width(), label->Height());
  label->SetParent(control->Parent());
  if (FMaxWidth != 0) {
    label->SetAutoSize(false);
    label->SetWidth(FMaxWidth);
    label->SetWordWrap(true);
    label->SetHeight(std::max(label->Height(), control->Height()));
  }
}

void TsBoundLabel::SetCaption(const std::wstring& Value) {
  if (FText == Value) return;
  FText = Value;
  if (!FActive || LabelCtl() == nullptr) return;
  LabelCtl()->SetCaption(FText);
  AlignLabel();
}

void TsBoundLabel::SetIndent(int Value) {
  if (FIndent == Value) return;
  FIndent = Value;
  if (FActive) AlignLabel();
}

void TsBoundLabel::SetMaxWidth(int Value) {
  if (FMaxWidth == Value) return;
  FMaxWidth = Value;
  if (FActive) AlignLabel();
}

void TsBoundLabel::SetLayout(TsCaptionLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  UpdateAlignment();
  if (FActive) AlignLabel();
}

classlib::TFont* TsBoundLabel::Font() const {
  TCustomLabel* label = LabelCtl();
  return label != nullptr ? label->Font() : FFont.get();
}

void TsBoundLabel::SetFont(const classlib::TFont* Value) {
  TCustomLabel* label = LabelCtl();
  if (label == nullptr) return;
  label->SetFont(Value);
  if (TControl* control = BoundControl()) label->SetParent(control->Parent());
  AlignLabel();
}

bool TsBoundLabel::UseSkinColor() const { return FTheLabel != nullptr ? FTheLabel->UseSkinColor() : true; }

void TsBoundLabel::SetUseSkinColor(bool Value) {
  if (FTheLabel != nullptr) FTheLabel->SetUseSkinColor(Value);
}

}  // namespace skin
