#pragma once
// The picture dialogs: file dialogs whose filter defaults to every registered graphic format.
#include <memory>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/Picture.h"

namespace classlib {

class TOpenPictureDialog : public TOpenDialog {
 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
  ~TOpenPictureDialog() override;
  std::wstring ClassName() const override { return L"TOpenPictureDialog"; }

  // The filter of every graphic format registered now ("All (*.bmp;...)|*.bmp;...|...").
  static std::wstring DefaultFilter() { return TPicture::GraphicFilter(); }
  // Filter is stored in a description only when it differs from the default.
  bool IsFilterStored() const { return Filter != DefaultFilter(); }
  static void DeclareProperties(TClassDecl<TOpenPictureDialog>& d);
  // The picture the dialog shows as a preview of the selected file.
  TPicture* Picture() const { return FPicture.get(); }

 private:
  std::unique_ptr<TPicture> FPicture;
};

class TSavePictureDialog : public TOpenPictureDialog {
 public:
  explicit TSavePictureDialog(TComponent* AOwner) : TOpenPictureDialog(AOwner) {}
  std::wstring ClassName() const override { return L"TSavePictureDialog"; }
  bool Execute() override { return Run(true); }
};

}  // namespace classlib
