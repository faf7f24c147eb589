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

// Mean wall-clock seconds of one call of Work over Rounds calls.
template <class Work>
double MeanSeconds(int rounds, Work&& work) {
  const double t0 = Seconds();
  for (int i = 0; i < rounds; ++i) work();
  return (Seconds() - t0) / rounds;
}

}  // namespace bench
