#pragma once
// Ends the calling process at once, as a kill from outside would: no destructors, no exit
// handlers, no flushing of the C library's buffers.
#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#endif
#include <cstdlib>

namespace dbf_test {

// The exit code a killed child reports on Windows (on POSIX the child ends by SIGKILL).
inline constexpr unsigned kKilledExitCode = 137;

[[noreturn]] inline void KillSelf() {
#if defined(_WIN32)
  TerminateProcess(GetCurrentProcess(), kKilledExitCode);
#else
  std::raise(SIGKILL);
#endif
  std::_Exit(static_cast<int>(kKilledExitCode));
}

}  // namespace dbf_test
