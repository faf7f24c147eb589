#pragma once
// Wall-clock time for the Win32 timing programs, which run under Wine where Google Benchmark's
// CPU clock counts the Wine server's work on another process as nobody's.
#include <windows.h>

namespace bench {

inline double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
