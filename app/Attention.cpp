#include "app/Attention.h"

#include "skin/forms/sSkinProvider.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {
  skin::RegisterButtonClasses();
  skin::RegisterLabelClasses();
  skin::RegisterSkinProviderClasses();
  InitDescription();
}

void TForm2::DeclareBindings(TFormBindings& b) {
  b.Field(L"lblAttention", lblAttention)
      .Field(L"Label1", Label1)
      .Field(L"Label2", Label2)
      .Field(L"btnOK", btnOK)
      .Field(L"btnAbort", btnAbort);
  b.Handler(L"btnOKClick", &TForm2::btnOKClick).Handler(L"btnAbortClick", &TForm2::btnAbortClick);
}

// The buttons' own modal results (1 and 3) are applied first; these replace them.
void TForm2::btnOKClick(TObject*) { SetModalResult(kYes); }
void TForm2::btnAbortClick(TObject*) { SetModalResult(kNo); }
