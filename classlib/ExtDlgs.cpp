#include "classlib/ExtDlgs.h"

namespace classlib {

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner)
    : TOpenDialog(AOwner), FPicture(std::make_unique<TPicture>()) {
  Filter = DefaultFilter();
}

TOpenPictureDialog::~TOpenPictureDialog() = default;

}  // namespace classlib
