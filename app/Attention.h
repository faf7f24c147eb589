#pragma once
// The confirmation dialog asked before the QRX device's schedule database is erased (Form2).
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"

using namespace classlib;

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TForm2"; }

  // What a modal showing returns for each answer.
  static constexpr TModalResult kYes = 101;
  static constexpr TModalResult kNo = 102;

  skin::TsLabel* lblAttention = nullptr;
  skin::TsLabel* Label1 = nullptr;
  skin::TsLabel* Label2 = nullptr;
  skin::TsButton* btnOK = nullptr;
  skin::TsButton* btnAbort = nullptr;

  void btnOKClick(TObject* Sender);
  void btnAbortClick(TObject* Sender);

 protected:
  void DeclareBindings(TFormBindings& b) override;
};

extern TForm2* Form2;
