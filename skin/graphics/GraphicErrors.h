#pragma once
// Errors of the picture readers in the portable core. The Win32 graphic classes turn them into
// the component library's exceptions; the message is what the user sees.
#include <stdexcept>

namespace skin {

// The data is not a picture this reader can take (bad header, CRC, chunk, colour format).
class EInvalidGraphic : public std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The inflater could not be started or ended.
class EGraphicCompression : public std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The data ended before the picture did.
class EReadError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace skin
