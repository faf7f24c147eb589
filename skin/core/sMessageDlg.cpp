#include "skin/core/sMessageDlg.h"

#include <array>
#include <span>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"

namespace skin {

const std::wstring& MsgDlgCaption(TMsgDlgType DlgType) {
  static const std::array<std::wstring, 5> captions{L"Warning", L"Error", L"Information", L"Confirm", L""};
  const auto index = static_cast<std::size_t>(DlgType);
  return index < captions.size() ? captions[index] : captions[mtCustom];
}

UINT MsgDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  UINT flags = 0;
  switch (DlgType) {
    case mtWarning: flags = MB_ICONEXCLAMATION; break;
    case mtError: flags = MB_ICONHAND; break;
    case mtInformation: flags = MB_ICONASTERISK; break;
    case mtConfirmation: flags = MB_ICONQUESTION; break;
    case mtCustom: break;
  }
  const auto has = [&](TMsgDlgBtn b) { return Buttons.Contains(b); };
  if (has(mbOK))
    flags |= has(mbCancel) ? MB_OKCANCEL : MB_OK;
  else if (has(mbAbort) || has(mbIgnore))
    flags |= MB_ABORTRETRYIGNORE;
  else if (has(mbYes) || has(mbNo))
    flags |= has(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (has(mbRetry))
    flags |= MB_RETRYCANCEL;
  if (has(mbHelp)) flags |= MB_HELP;
  return flags;
}

void CALLBACK MsgDlgHelpCallback(LPHELPINFO Info) {
  if (Info == nullptr || Info->dwContextId == 0) return;
  classlib::HelpContext(static_cast<int>(Info->dwContextId));
}

int sMessageDlgPosHelp(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                       int HelpCtx, int X, int Y, const std::wstring& /*HelpFileName*/) {
  // The application's main window owns the box, so that it stays modal to the program; the
  // application object is not created for a box alone.
  classlib::TApplication* app = classlib::TApplication::Existing();
  HWND owner = nullptr;
  if (app)
    if (classlib::TCustomForm* main = app->MainForm(); main && main->HandleAllocated()) owner = main->Handle();
  const std::wstring& caption = Title.empty() ? MsgDlgCaption(DlgType) : Title;

  // The dialog skinning reads the wished place when it catches the box; a box that throws (a
  // test's replacement) must not leave the next, unrelated dialog placed there.
  DlgLeft = X;
  DlgTop = Y;
  const classlib::TScopeExit restorePlace([] {
    DlgLeft = -1;
    DlgTop = -1;
  });
  classlib::ModalStarted();
  const classlib::TScopeExit endModal([] { classlib::ModalFinished(); });

  MSGBOXPARAMSW params{};
  params.cbSize = sizeof params;
  params.hwndOwner = owner;
  params.hInstance = GetModuleHandleW(nullptr);
  params.lpszText = Msg.c_str();
  params.lpszCaption = caption.c_str();
  params.dwStyle = MsgDlgFlags(DlgType, Buttons);
  params.dwContextHelpId = static_cast<DWORD_PTR>(static_cast<unsigned>(HelpCtx));
  params.lpfnMsgBoxCallback = MsgDlgHelpCallback;
  params.dwLanguageId = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  return classlib::ShowMessageBoxIndirect(params);
}

int sMessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return sMessageDlgPosHelp(std::wstring(), Msg, DlgType, Buttons, HelpCtx, -1, -1, std::wstring());
}

int sMessageDlg(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                int HelpCtx) {
  return sMessageDlgPosHelp(Title, Msg, DlgType, Buttons, HelpCtx, -1, -1, std::wstring());
}

int sMessageDlgPos(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y) {
  return sMessageDlgPosHelp(std::wstring(), Msg, DlgType, Buttons, HelpCtx, X, Y, std::wstring());
}

int sMessageDlgPos(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   int HelpCtx, int X, int Y) {
  return sMessageDlgPosHelp(Title, Msg, DlgType, Buttons, HelpCtx, X, Y, std::wstring());
}

void sShowMessage(const std::wstring& Msg) { sShowMessagePos(std::wstring(), Msg, -1, -1); }

void sShowMessage(const std::wstring& Title, const std::wstring& Msg) { sShowMessagePos(Title, Msg, -1, -1); }

void sShowMessagePos(const std::wstring& Msg, int X, int Y) { sShowMessagePos(std::wstring(), Msg, X, Y); }

void sShowMessagePos(const std::wstring& Title, const std::wstring& Msg, int X, int Y) {
  sMessageDlgPos(Title, Msg, mtCustom, {mbOK}, 0, X, Y);
}

void sShowMessageFmt(const std::wstring& Msg, std::initializer_list<classlib::TFormatArg> Params) {
  sShowMessageFmt(std::wstring(), Msg, Params);
}

void sShowMessageFmt(const std::wstring& Title, const std::wstring& Msg,
                     std::initializer_list<classlib::TFormatArg> Params) {
  sShowMessage(Title, classlib::FormatArgs(Msg, std::span(Params.begin(), Params.size()), classlib::FormatSettings));
}

}  // namespace skin
