// The local time on the host, through the C library's time zone.
#include <chrono>
#include <ctime>

#include "classlib/DateUtils.h"

namespace classlib {

TDateTime Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return ComposeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                         local.tm_sec > 59 ? 59 : local.tm_sec, static_cast<int>(ms < 0 ? ms + 1000 : ms));
}

}  // namespace classlib
