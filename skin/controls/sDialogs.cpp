#include "skin/controls/sDialogs.h"

#include "classlib/TypInfo.h"

namespace skin {

void TsOpenDialog::DeclareProperties(classlib::TClassDecl<TsOpenDialog>& d) {
  d.Enum(L"ZipShowing", &TsOpenDialog::ZipShowing, &TsOpenDialog::SetZipShowing, zsAsFolder);
}

bool sInputQuery(const std::wstring& ACaption, const std::wstring& APrompt, std::wstring& Value) {
  return classlib::InputQuery(ACaption, APrompt, Value);
}

std::wstring sInputBox(const std::wstring& ACaption, const std::wstring& APrompt, const std::wstring& ADefault) {
  return classlib::InputBox(ACaption, APrompt, ADefault);
}

classlib::TOwnerless<classlib::TForm> sCreateMessageDialog(const std::wstring& /*Title*/, const std::wstring& Msg,
                                                           TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  return classlib::CreateMessageDialog(Msg, DlgType, Buttons);
}

void RegisterDialogClasses() {
  classlib::RegisterClass<TsOpenDialog, classlib::TOpenDialog>(L"TsOpenDialog");
  classlib::RegisterClass<TsOpenPictureDialog, classlib::TOpenPictureDialog>(L"TsOpenPictureDialog");
  classlib::RegisterClass<TsSavePictureDialog, classlib::TSavePictureDialog>(L"TsSavePictureDialog");
}

}  // namespace skin
