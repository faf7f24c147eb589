#include "classlib/FormatSettings.h"

namespace classlib {

// Filled before main from the user's settings; code that runs during static initialisation of
// other units must not rely on it.
TFormatSettings FormatSettings = TFormatSettings::Create();

}  // namespace classlib
