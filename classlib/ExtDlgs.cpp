#include "classlib/ExtDlgs.h"

namespace classlib {

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner)
    : TOpenDialog(AOwner), FPicture(std::make_unique<TPicture>()) {
  Filter = DefaultFilter();
}

TOpenPictureDialog::~TOpenPictureDialog() = default;

void TOpenPictureDialog::DeclareProperties(TClassDecl<TOpenPictureDialog>& d) {
  // The default filter lists the graphic formats registered when the dialog is made, which no
  // fixed default can say: a description always carries the filter.
  d.String(L"Filter", &TOpenPictureDialog::Filter,
           [](TOpenPictureDialog* o, const std::wstring& v) { o->Filter = v; }, nullptr);
}

}  // namespace classlib
