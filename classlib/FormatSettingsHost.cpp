#include "classlib/FormatSettings.h"

namespace classlib {

// The host has no regional settings of the program's kind: the neutral ones stand in.
TFormatSettings TFormatSettings::Create() { return Invariant(); }

}  // namespace classlib
