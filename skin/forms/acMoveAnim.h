#pragma once
// Blending while moving: while the user drags a skinned form by its caption the form is layered
// and fades, step by step every 12 ms, to the manager's BlendOnMoving value; when the drag ends
// it is opaque again. Win32 only.
#include <windows.h>

#include <cstdint>

#include "skin/core/acThdTimer.h"

namespace skin {

class TsSkinProvider;
class TacBorderForm;
class TacDialogWnd;

class TacMoveTimer : public TacThreadedTimer {
 public:
  TacMoveTimer(classlib::TComponent* AOwner, bool ChangeEvent) : TacThreadedTimer(AOwner, ChangeEvent) {}
  ~TacMoveTimer() override { KillTimer(); }
  std::wstring ClassName() const override { return L"TacMoveTimer"; }
  // Shows the current alpha, then moves it one step towards BlendValue.
  void TimeHandler() override;

  std::uint8_t BlendValue = 255;
  std::uint8_t CurrentBlendValue = 255;
  std::uint8_t BlendStep = 0;
  TsSkinProvider* SP = nullptr;
  TacBorderForm* BorderForm = nullptr;
  HWND FormHandle = nullptr;
};

// The alpha step of a fade from 255 to BlendValue over Time milliseconds: all at once below 13.
std::uint8_t MoveBlendStep(std::uint8_t BlendValue, int Time);

// The system's move loop on Wnd, started by the caption; tests put their own in place (nullptr
// gives the system's back).
using TacMoveLoop = void (*)(HWND Wnd);
void SetMoveLoop(TacMoveLoop Loop);

// Runs a whole caption drag of SP's form with blending and returns when it ended.
void StartBlendOnMoving(TsSkinProvider* SP);
// Ends blending: the form opaque and not layered, the move timer gone.
void FinishBlendOnMoving(TsSkinProvider* SP);
// The same for a skinned dialog's caption drag: the fade goes a thirtieth of the way per step.
void StartBlendOnMovingDlg(TacDialogWnd* Dlg);

}  // namespace skin
