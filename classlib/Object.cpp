#include "classlib/Object.h"

#include "classlib/Exception.h"

namespace classlib {

void TPersistent::Assign(const TPersistent* Source) {
  throw EConvertError(L"Cannot assign a " + (Source ? Source->ClassName() : std::wstring(L"nil")) + L" to a " +
                      ClassName());
}

}  // namespace classlib
