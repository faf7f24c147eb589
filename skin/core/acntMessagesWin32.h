#pragma once
// Messages and user interaction of the toolbox (win32 build only).
#include <windows.h>

#include <string>

#include "classlib/Messages.h"

namespace skin {

classlib::TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result);

// Keeps the program's windows answering for Ms milliseconds: the application's pending
// messages are handled at least once, and between passes the thread sleeps until a message
// arrives or the time is up.
void Delay(int Ms);

void ShowWarning(const std::wstring& Text);
void ShowError(const std::wstring& Text);
void Alert();
void Alert(const std::wstring& Text);
void Alert(int Number);
// Yes/No confirmations; true for Yes.
bool DeleteRequest();
bool CustomRequest(const std::wstring& Text);

}  // namespace skin
