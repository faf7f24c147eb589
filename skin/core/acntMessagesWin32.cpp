#include "skin/core/acntMessagesWin32.h"

#include "classlib/Forms.h"
#include "skin/core/sMessageDlg.h"

namespace skin {

classlib::TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result) {
  classlib::TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  m.Result = Result;
  return m;
}

void Delay(int Ms) {
  const DWORD span = Ms > 0 ? static_cast<DWORD>(Ms) : 0;
  const DWORD start = GetTickCount();
  for (;;) {
    classlib::Application->ProcessMessages();
    // Unsigned difference: survives the tick counter's wrap-around after 49.7 days.
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= span) return;
    // Sleep instead of spinning; any input or posted message wakes us to handle it.
    MsgWaitForMultipleObjectsEx(0, nullptr, span - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void ShowWarning(const std::wstring& Text) { sMessageDlg(Text, mtWarning, {mbOK}, 0); }

void ShowError(const std::wstring& Text) { sMessageDlg(Text, mtError, {mbOK}, 0); }

void Alert() { ShowWarning(L"Alert"); }

void Alert(const std::wstring& Text) { ShowWarning(Text); }

void Alert(int Number) { ShowWarning(std::to_wstring(Number)); }

bool DeleteRequest() { return CustomRequest(L"Delete this item?"); }

bool CustomRequest(const std::wstring& Text) { return sMessageDlg(Text, mtConfirmation, {mbYes, mbNo}, 0) == IDYES; }

}  // namespace skin
