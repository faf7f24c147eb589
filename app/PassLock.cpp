#include "app/PassLock.h"

#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/forms/sSkinProvider.h"

TfrmPassLock* frmPassLock = nullptr;

app::PasswordGate& PassGate() {
  static app::PasswordGate gate;
  return gate;
}

bool PasswordAccepted() { return PassGate().Unlocked(); }

TfrmPassLock::TfrmPassLock(TComponent* AOwner) : TForm(AOwner) {
  skin::RegisterAlphaImageListClasses();
  skin::RegisterLabelClasses();
  skin::RegisterSkinProviderClasses();
  skin::RegisterBitBtnClasses();
  skin::RegisterMaskEditClasses();
  InitDescription();
}

void TfrmPassLock::DeclareBindings(TFormBindings& b) {
  b.Field(L"sLabelFX1", sLabelFX1)
      .Field(L"sMaskEdit_Pass", sMaskEdit_Pass)
      .Field(L"sBitBtn_OK", sBitBtn_OK)
      .Field(L"sBitBtn_Cansel", sBitBtn_Cansel)
      .Field(L"sAlphaImageList1", sAlphaImageList1);
  b.Handler(L"FormShow", &TfrmPassLock::FormShow)
      .Handler(L"sBitBtn_OKClick", &TfrmPassLock::sBitBtn_OKClick)
      .Handler(L"sMaskEdit_PassKeyDown", &TfrmPassLock::sMaskEdit_PassKeyDown);
}

void TfrmPassLock::FormShow(TObject*) {
  sMaskEdit_Pass->SetText(L"");
  // Whatever was pressed last time, typing goes into the password field.
  SetActiveControl(sMaskEdit_Pass);
}

void TfrmPassLock::Attempt() {
  const app::AttemptOutcome outcome = PassGate().Attempt(WideToCp1251(sMaskEdit_Pass->Text()));
  if (outcome.showWrongPasswordMessage) ShowMessage(L"Неправильный пароль! Попробуйте еще раз.");
  if (outcome.closeDialog) Close();
}

void TfrmPassLock::sBitBtn_OKClick(TObject*) { Attempt(); }

void TfrmPassLock::sMaskEdit_PassKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_RETURN) Attempt();
  if (PassGate().CloseAfterKey()) Close();
}
