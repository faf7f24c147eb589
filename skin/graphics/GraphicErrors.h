#pragma once
// Errors of the picture readers in the portable core. Format errors and data that ends early
// are the component library's own (EInvalidGraphic, EReadError); the message is what the user
// sees.
#include "classlib/Exception.h"
#include "classlib/GraphicsErrors.h"

namespace skin {

using classlib::EInvalidGraphic;
using classlib::EReadError;

// The inflater could not be started or ended.
class EGraphicCompression : public classlib::Exception {
  using classlib::Exception::Exception;
};

}  // namespace skin
