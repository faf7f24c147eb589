#pragma once
// The simulator's event loop on a tty descriptor: feeds what arrives to the Slave, ends partial
// frames at a silence, and writes the answers when they are due, optionally one character at a
// time at the line's real speed.
#include <atomic>
#include <deque>
#include <vector>

#include "tools/kt8unit/Slave.h"

namespace kt8 {

struct ServerOptions {
  Micros characterTime{0};  // pacing; 0 writes each answer at once
  Micros silence{20'000};   // a quiet line for this long ends a partial frame
};

class SimServer {
 public:
  SimServer(int fd, Slave& slave, ServerOptions options);
  // Runs until `stop` becomes true (from a signal handler or another thread); returns an exit code.
  int Run(const std::atomic<bool>& stop);

 private:
  struct Due {
    SimClock::time_point at;
    std::vector<std::uint8_t> bytes;
  };
  void Schedule(const std::vector<Answer>& answers, SimClock::time_point received);
  bool WriteDue(SimClock::time_point now);

  int fd_;
  Slave& slave_;
  ServerOptions options_;
  std::deque<Due> due_;
  SimClock::time_point lastByte_{};
  SimClock::time_point lineBusyUntil_{};
};

}  // namespace kt8
