#pragma once
// Skinnable message boxes: the system's own box (MessageBoxIndirectW, through the component
// library's replaceable box function), so that the dialog skinning can catch and paint it. The
// wrappers only choose the caption, the icon and the buttons and hand over a wished position
// (DlgLeft, DlgTop), which is given back to the system's placement (-1) however the box ends.
#include <windows.h>

#include <initializer_list>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/Set.h"
#include "classlib/SysUtils.h"

namespace skin {

using classlib::TMsgDlgBtn;
using classlib::TMsgDlgButtons;
using classlib::TMsgDlgType;
using enum classlib::TMsgDlgType;
using enum classlib::TMsgDlgBtn;

// The caption of a box of this type when no title is given ("Warning", ..., empty for mtCustom).
const std::wstring& MsgDlgCaption(TMsgDlgType DlgType);
// MB_* icon and button style for this type and these buttons.
UINT MsgDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// The box's help callback: a help request with a context id opens the application's help there.
void CALLBACK MsgDlgHelpCallback(LPHELPINFO Info);

// The button the user chose (IDOK, IDYES...); 0 when the system could not show the box. X and Y
// place the box (-1: the system's placement); HelpCtx is the box's help context; the help file is
// the application's.
int sMessageDlgPosHelp(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                       int HelpCtx, int X, int Y, const std::wstring& HelpFileName);
int sMessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
int sMessageDlg(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                int HelpCtx);
int sMessageDlgPos(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
int sMessageDlgPos(const std::wstring& Title, const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   int HelpCtx, int X, int Y);

// The message with one OK button, no icon, and Title (or nothing) as caption.
void sShowMessage(const std::wstring& Msg);
void sShowMessage(const std::wstring& Title, const std::wstring& Msg);
void sShowMessagePos(const std::wstring& Msg, int X, int Y);
void sShowMessagePos(const std::wstring& Title, const std::wstring& Msg, int X, int Y);
// The message formatted with the library's Format first (an argument that does not fit raises
// EConvertError before any box shows).
void sShowMessageFmt(const std::wstring& Msg, std::initializer_list<classlib::TFormatArg> Params);
void sShowMessageFmt(const std::wstring& Title, const std::wstring& Msg,
                     std::initializer_list<classlib::TFormatArg> Params);

}  // namespace skin
