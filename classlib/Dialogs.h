#pragma once
// Message boxes and the file dialogs.
//
// Every message box of the library goes through one replaceable function (the system's
// MessageBoxW by default), so that tests can answer boxes and dialog skinning can catch them.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "classlib/Classes.h"
#include "classlib/EnumInfo.h"
#include "classlib/Graphics.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

namespace classlib {

using TMessageBoxFunction =
    std::function<int(HWND Owner, const std::wstring& Text, const std::wstring& Caption, UINT Flags)>;

// Installs Function (nullptr: the system's box again) and returns the one it replaces.
TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction Function);
int ShowMessageBox(HWND Owner, const std::wstring& Text, const std::wstring& Caption, UINT Flags);
// A box with the text and an OK button, captioned with the application's title.
void ShowMessage(const std::wstring& Text);
// The system's MessageBoxIndirectW (help button, help context, callback), or the installed box
// function with the owner, text, caption and style of Params.
int ShowMessageBoxIndirect(const MSGBOXPARAMSW& Params);

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
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
class TForm;

// Holds an object that has no owner and frees it (Free) when the holder goes.
struct TFreeObject {
  void operator()(TObject* Object) const { Free(Object); }
};
template <class T>
using TOwnerless = std::unique_ptr<T, TFreeObject>;

// The modal results of the message form's buttons beyond the system's box identifiers.
inline constexpr int mrAll = IDNO + 1;
inline constexpr int mrNoToAll = mrAll + 1;
inline constexpr int mrYesToAll = mrNoToAll + 1;
inline constexpr int mrClose = mrYesToAll + 1;

// The application's modal state for windows it does not make as forms (a system message box or
// dialog): they say when they start and end, and whoever follows that state listens to the two
// events (Sender: the application object when it exists).
struct TModalState {
  int Level = 0;
  TNotifyEvent OnBegin;
  TNotifyEvent OnEnd;
};
TModalState& ApplicationModalState();
void ModalStarted();
void ModalFinished();

// Help at a context of the application's help file. There is no help viewer of the library's
// own: the handler shows it and answers whether it did. Command is HELP_CONTEXT, Data the context.
using THelpEvent = std::function<bool(UINT Command, std::intptr_t Data)>;
THelpEvent& ApplicationHelpHandler();
bool HelpContext(int Context);

// A modal form asking for one line of text: true, with Value the text entered, when the user
// confirms; false, with Value untouched, otherwise. The form holds a label "Prompt", an edit
// "Value" and the buttons "OK" and "Cancel".
bool InputQuery(const std::wstring& ACaption, const std::wstring& APrompt, std::wstring& Value);
// ADefault, or the text entered when the user confirms.
std::wstring InputBox(const std::wstring& ACaption, const std::wstring& APrompt, const std::wstring& ADefault);
// A message form, not shown: captioned by the type (the application's title for mtCustom), a
// label "Message" and one button for each of Buttons in their order, named by it ("Yes", "OK"...)
// with its modal result; the first of OK and Yes is the default, Cancel (else No, else OK) the
// cancel button. The caller owns the form.
TOwnerless<TForm> CreateMessageDialog(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden,
};
template <>
inline const TEnumInfo& EnumInfo<TOpenOption>() {
  static const TEnumInfo i{
      L"TOpenOption",
      {L"ofReadOnly",         L"ofOverwritePrompt",    L"ofHideReadOnly",        L"ofNoChangeDir",
       L"ofShowHelp",         L"ofNoValidate",         L"ofAllowMultiSelect",    L"ofExtensionDifferent",
       L"ofPathMustExist",    L"ofFileMustExist",      L"ofCreatePrompt",        L"ofShareAware",
       L"ofNoReadOnlyReturn", L"ofNoTestFileCreate",   L"ofNoNetworkButton",     L"ofNoLongNames",
       L"ofOldStyleDialog",   L"ofNoDereferenceLinks", L"ofEnableIncludeNotify", L"ofEnableSizing",
       L"ofDontAddToRecent",  L"ofForceShowHidden"}};
  return i;
}
using TOpenOptions = TSet<TOpenOption>;

// Whether the file dialogs may take the system's newer (item-based) form where it has one. The
// skinning engine turns it off while it skins standard dialogs, since only the classic form is
// built of windows a CBT hook can subclass. The dialogs below are always of the classic form.
inline bool UseLatestCommonDialogs = true;

// The system's file-open dialog (explorer style).
class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  std::wstring ClassName() const override { return L"TOpenDialog"; }
  static void DeclareProperties(TClassDecl<TOpenDialog>& d);

  // True when the user chose a file; FileName then holds it.
  virtual bool Execute();
  // Filter "Text files|*.txt|All files|*.*": pairs of description and pattern.
  std::wstring Filter;
  int FilterIndex = 1;
  std::wstring FileName;
  std::wstring DefaultExt;
  std::wstring InitialDir;
  std::wstring Title;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};

  // For tests: replaces the system dialog (answer true and set FileName to choose a file).
  using TRunner = std::function<bool(TOpenDialog& Dialog, bool Save)>;
  static TRunner SetRunner(TRunner Runner);

 protected:
  bool Run(bool Save);
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  std::wstring ClassName() const override { return L"TSaveDialog"; }
  bool Execute() override { return Run(true); }
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
template <>
inline const TEnumInfo& EnumInfo<TColorDialogOption>() {
  static const TEnumInfo i{L"TColorDialogOption",
                           {L"cdFullOpen", L"cdPreventFullOpen", L"cdShowHelp", L"cdSolidColor", L"cdAnyColor"}};
  return i;
}
using TColorDialogOptions = TSet<TColorDialogOption>;

// The system's colour dialog. CustomColors holds up to 16 lines, each starting with six hexadecimal
// digits red, green, blue ("FF8000"); lines that are not such a text leave their slot white.
class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TColorDialog"; }
  static void DeclareProperties(TClassDecl<TColorDialog>& d);

  // True when the user chose a colour; Color then holds it. The custom colours come back either way.
  virtual bool Execute();
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TStrings* CustomColors() const { return FCustomColors.get(); }
  void SetCustomColors(const TStrings* Value) { FCustomColors->Assign(Value); }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions Value) { FOptions = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  // For tests: replaces the system dialog (answer true and set Color to choose one).
  using TRunner = std::function<bool(TColorDialog& Dialog)>;
  static TRunner SetRunner(TRunner Runner);

 protected:
  virtual void DoShow();
  virtual void DoClose();

 private:
  TColor FColor = clBlack;
  std::unique_ptr<TStringList> FCustomColors = std::make_unique<TStringList>();
  TColorDialogOptions FOptions;
  int FHelpContext = 0;
};

// The six-digit hexadecimal red-green-blue text of Color ("FF8000" for orange).
std::wstring ColorToRgbHex(TColor Color);

}  // namespace classlib
