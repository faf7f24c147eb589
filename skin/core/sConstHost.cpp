// The portable build has no system metrics or string table: the built-in values stand.
#include "skin/core/sConstStartup.h"

namespace skin::detail {

void sConstPlatformStartup() {}
void sConstPlatformShutdown() {}

}  // namespace skin::detail
