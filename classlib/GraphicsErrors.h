#pragma once
// Errors of pictures and drawing; portable so that the file-format readers can raise them.
#include "classlib/Exception.h"

namespace classlib {

// A graphic that cannot be read (bad header, truncated data, unknown format).
class EInvalidGraphic : public Exception {
  using Exception::Exception;
};
// An operation the graphic cannot do in its state (a scan line out of range, an image index past the end).
class EInvalidGraphicOperation : public Exception {
  using Exception::Exception;
};
// GDI refused to create an object.
class EOutOfResources : public Exception {
  using Exception::Exception;
};

}  // namespace classlib
