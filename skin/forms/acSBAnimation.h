#pragma once
// The glow of a title button: its hot or pressed image (or the skin's glow picture for the close,
// maximise and minimise buttons) in a small click-through layered window above the frame, faded
// in over ten steps of 12 ms and out again. Forms and skinned dialogs use it alike. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

class TacDialogWnd;
class TacBorderForm;

class TacSBAnimation : public classlib::TTimer {
 public:
  explicit TacSBAnimation(classlib::TComponent* AOwner);
  ~TacSBAnimation() override;
  std::wstring ClassName() const override { return L"TacSBAnimation"; }

  // Alpha gained or lost per step.
  int Step() const;
  void StartAnimation(int NewState, bool ToUp);
  void ChangeState(int NewState, bool ToUp);
  // The cursor left the button: the fade stops and the form is told the mouse left.
  void CheckMouseLeave();
  // The glow margin of a hot close, maximise or minimise button while glowing is allowed; else 0.
  int Offset() const;
  // Screen bounds of the glow window.
  TRect GetFormBounds() const;
  void MakeForm();
  void MakeImg();
  void UpdateForm(int Blend);
  void OnAnimTimer(classlib::TObject* Sender);

  TacBorderForm* BorderForm = nullptr;
  TsCommonData* SkinData = nullptr;
  TsSkinProvider* SP = nullptr;  // nullptr for a dialog's button
  HWND FormHandle = nullptr;
  TsCaptionButton* PBtnData = nullptr;
  int CurrentLevel = 0;
  int CurrentState = 0;  // 0 normal, 1 hot, 2 pressed, -1 faded out
  bool Up = false;
  int MaxIterations = 0;
  TacAnimForm AForm;
  std::unique_ptr<classlib::TBitmap> ABmp;

 private:
  TsSkinManager* Manager() const;
  bool Glowing() const;
  // The skin's glow picture of the button ("<image>GLOW0" in GLOBALINFO); -1 without.
  int GlowImageIndex() const;
  int ImageIndex() const;
  void FreeForm();
};

// Starts or redirects the glow of one title button of SP's form, or, without SP, of Dlg's dialog.
void StartSBAnimation(TsCaptionButton& Btn, int State, int Iterations, bool Up, TsSkinProvider* SP, TacDialogWnd* Dlg);

}  // namespace skin
