#include "skin/controls/sCurrencyEdit.h"

namespace skin {

TsCurrencyEdit::TsCurrencyEdit(classlib::TComponent* AOwner) : TsCustomNumEdit(AOwner) {
  SkinData()->COC = 41;
  SetWidth(80);
  if (TsEditButton* b = Button()) {
    // No button: it stays in the edit with no width.
    ControlState += classlib::csCreating;
    b->SetParent(nullptr);
    b->SetWidth(0);
    b->SetParent(this);
    ControlState -= classlib::csCreating;
  }
}

void TsCurrencyEdit::DeclareProperties(classlib::TClassDecl<TsCurrencyEdit>& d) {}

void TsCurrencyEdit::CreateParams(classlib::TCreateParams& Params) {
  TsCustomNumEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(ES_MULTILINE);
}

void RegisterCurrencyEditClasses() {
  RegisterNumEditClasses();
  classlib::RegisterClass<TsCurrencyEdit, TsCustomNumEdit>(L"TsCurrencyEdit");
}

}  // namespace skin
