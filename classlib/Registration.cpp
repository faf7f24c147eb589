// The library's own classes, registered on the first use of the class registry.
#include "classlib/TypInfo.h"

namespace classlib {

void RegisterLibraryClasses() {}

}  // namespace classlib
