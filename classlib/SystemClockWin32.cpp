// The local time as the system keeps it.
#include <windows.h>

#include "classlib/DateUtils.h"

namespace classlib {

TDateTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return ComposeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

}  // namespace classlib
