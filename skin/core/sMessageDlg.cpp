#include "skin/core/sMessageDlg.h"

#include <array>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"

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

int sMessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return sMessageDlg(std::wstring(), Msg, DlgType, Buttons, HelpCtx);
}

int sMessageDlg(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                int /*HelpCtx*/) {
  // The application's main window owns the box, so that it stays modal to the program; the
  // application object is not created for a box alone.
  HWND owner = nullptr;
  if (classlib::TApplication* app = classlib::TApplication::Existing())
    if (classlib::TCustomForm* main = app->MainForm(); main && main->HandleAllocated()) owner = main->Handle();
  const std::wstring& caption = Title.empty() ? MsgDlgCaption(DlgType) : Title;
  return classlib::ShowMessageBox(owner, Msg, caption, MsgDlgFlags(DlgType, Buttons));
}

}  // namespace skin
