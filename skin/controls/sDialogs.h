#pragma once
// The skinnable dialog components and the input wrappers. The dialogs are the library's own (the
// dialog skinning catches and paints them); these add only a stored option and default filters.
// The message boxes are in skin/core/sMessageDlg.h. Win32 only.
#include <memory>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/EnumInfo.h"
#include "classlib/ExtDlgs.h"
#include "classlib/Forms.h"
#include "skin/core/sMessageDlg.h"

namespace skin {

// How a packed archive shows in an open dialog: as a folder to step into or as a file to choose.
enum TsZipShowing { zsAsFolder, zsAsFile };

class TsOpenDialog : public classlib::TOpenDialog {
 public:
  explicit TsOpenDialog(classlib::TComponent* AOwner) : classlib::TOpenDialog(AOwner) {}
  std::wstring ClassName() const override { return L"TsOpenDialog"; }
  static void DeclareProperties(classlib::TClassDecl<TsOpenDialog>& d);

  TsZipShowing ZipShowing() const { return FZipShowing; }
  void SetZipShowing(TsZipShowing Value) { FZipShowing = Value; }

 private:
  TsZipShowing FZipShowing = zsAsFolder;
};

class TsOpenPictureDialog : public classlib::TOpenPictureDialog {
 public:
  explicit TsOpenPictureDialog(classlib::TComponent* AOwner) : classlib::TOpenPictureDialog(AOwner) {}
  std::wstring ClassName() const override { return L"TsOpenPictureDialog"; }
};

class TsSavePictureDialog : public classlib::TSavePictureDialog {
 public:
  explicit TsSavePictureDialog(classlib::TComponent* AOwner) : classlib::TSavePictureDialog(AOwner) {}
  std::wstring ClassName() const override { return L"TsSavePictureDialog"; }
};

// The library's input query and input box.
bool sInputQuery(const std::wstring& ACaption, const std::wstring& APrompt, std::wstring& Value);
std::wstring sInputBox(const std::wstring& ACaption, const std::wstring& APrompt, const std::wstring& ADefault);
// The library's message form for Msg, DlgType and Buttons; Title has no influence on it.
classlib::TOwnerless<classlib::TForm> sCreateMessageDialog(const std::wstring& Title, const std::wstring& Msg,
                                                           TMsgDlgType DlgType, TMsgDlgButtons Buttons);

void RegisterDialogClasses();

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TsZipShowing>() {
  static const TEnumInfo i{L"TsZipShowing", {L"zsAsFolder", L"zsAsFile"}};
  return i;
}
}  // namespace classlib
