#include "skin/controls/sRadioButton.h"

#include "skin/core/sSkinManager.h"

namespace skin {

using classlib::TMessage;

TsRadioButton::TsRadioButton(classlib::TComponent* AOwner) : TacCheckControl(AOwner) { SkinData()->COC = 33; }

void TsRadioButton::DeclareProperties(classlib::TClassDecl<TsRadioButton>& d) {
  DeclareCheckControlProperties(d);
  d.Bool(L"ReadOnly", &TsRadioButton::ReadOnly, &TsRadioButton::SetReadOnly, false);
  d.Bool(L"ShowFocus", &TsRadioButton::ShowFocus, &TsRadioButton::SetShowFocus, true);
  d.Integer(L"TextIndent", &TsRadioButton::TextIndent, &TsRadioButton::SetTextIndent, 0);
  d.Bool(L"WordWrap", &TsRadioButton::WordWrap, &TsRadioButton::SetWordWrap, false);
  d.Bool(L"AutoSize", &TsRadioButton::AutoSize, &TsRadioButton::SetAutoSize, true);
}

void RegisterRadioButtonClasses() { classlib::RegisterClass<TsRadioButton, classlib::TRadioButton>(L"TsRadioButton"); }

void TsRadioButton::Invalidate() {
  TacCheckControl::Invalidate();
  if (AutoSize()) FWordWrap = false;
}

int TsRadioButton::GlyphMaskIndex(bool IsChecked) const {
  TsSkinManager* sm = SkinData()->GetSkinManager();
  if (sm == nullptr) return -1;
  const TConstantSkinData& c = sm->Records().ConstData;
  return IsChecked ? c.RadioButtonChecked : c.RadioButtonUnChecked;
}

// The space bar's release asks as the mouse's does.
void TsRadioButton::Release() {
  if (CanModify()) SetChecked(true);
}

bool TsRadioButton::SkinnedSetCheck(TMessage& M) {
  DefaultHandler(M);
  SkinData()->BGChanged = true;
  if (FadeTimer != nullptr && FadeTimer->FadeLevel < FadeTimer->Iterations) {
    FadeTimer->SetEnabled(false);
    RepaintNow();
  }
  if (M.WParam == BST_UNCHECKED)
    SetChecked(false);
  else if (M.WParam == BST_CHECKED)
    SetChecked(true);
  if (ComponentState().Contains(classlib::csDesigning))
    SkinData()->Invalidate();
  else
    DoChangePaint(FadeTimer, SkinData(), true,
                  EventEnabled(TacAnimatEvent::aeMouseUp, AnimatEvents(), SkinData()->GetSkinManager()),
                  TFadeDirection::fdUp);
  return true;
}

bool TsRadioButton::SwallowsClick(const TMessage& M) const {
  return M.Msg == classlib::CN_COMMAND && HIWORD(M.WParam) == BN_CLICKED && ReadOnly();
}

}  // namespace skin
