#pragma once
// Skinnable message boxes: the system's own box (through the component library's replaceable
// message-box function), so that the dialog skinning can catch and paint it. The wrappers only
// choose the caption, the icon and the buttons.
#include <windows.h>

#include <string>

#include "classlib/Set.h"

namespace skin {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp,
  mbClose
};
using TMsgDlgButtons = classlib::TSet<TMsgDlgBtn>;

// The caption of a box of this type when no title is given ("Warning", ..., empty for mtCustom).
const std::wstring& MsgDlgCaption(TMsgDlgType DlgType);
// MB_* icon and button style for this type and these buttons.
UINT MsgDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// The button the user chose (IDOK, IDYES...); 0 when the system could not show the box.
int sMessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
int sMessageDlg(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                int HelpCtx);

}  // namespace skin
