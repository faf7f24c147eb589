#pragma once
// The password dialog that guards writing the unit's hardware configuration (frmPassLock),
// and whether the password has been accepted in this run.
#include "app/PasswordRules.h"
#include "classlib/Buttons.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Mask.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sLabel.h"
#include "skin/graphics/acAlphaImageList.h"

using namespace classlib;

class TfrmPassLock : public TForm {
 public:
  explicit TfrmPassLock(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TfrmPassLock"; }

  skin::TsLabelFX* sLabelFX1 = nullptr;
  TMaskEdit* sMaskEdit_Pass = nullptr;
  skin::TsBitBtn* sBitBtn_OK = nullptr;
  skin::TsBitBtn* sBitBtn_Cansel = nullptr;
  skin::TsAlphaImageList* sAlphaImageList1 = nullptr;

  void FormShow(TObject* Sender);
  void sBitBtn_OKClick(TObject* Sender);
  void sMaskEdit_PassKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

 protected:
  void DeclareBindings(TFormBindings& b) override;

 private:
  void Attempt();
};

extern TfrmPassLock* frmPassLock;

// The run's password gate (unlocked flag and failed-attempt counter).
app::PasswordGate& PassGate();
bool PasswordAccepted();
