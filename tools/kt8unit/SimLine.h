#pragma once
// An in-memory byte line with the simulated unit on its far end, running on simulated time: a
// wait that nothing ends advances the clock by its limit at once, so tests of time-outs take no
// real time and never race. Optionally paced like the real line (9600 baud, 11 bits a character).
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "app/link/ByteLine.h"
#include "tools/kt8unit/Slave.h"

namespace kt8 {

// Time of one character on the line: 11 bits (start, 8 data, 2 stop) at 9600 baud by default.
Micros CharacterTime(unsigned baud = 9600, unsigned bitsPerCharacter = 11);

class SimLine : public app::link::ByteLine {
 public:
  explicit SimLine(Slave& slave, Micros characterTime = Micros{0});
  // Where the line's clock starts; a UnitModel on the same line is built with it.
  static app::link::LineClock::time_point Epoch() { return app::link::LineClock::time_point{} + std::chrono::hours(1); }

  bool Send(std::span<const std::uint8_t> bytes) override;
  app::link::LineWait WaitByte(std::uint8_t& out, app::link::Millis limit) override;
  void Flush() override {}
  app::link::LineClock::time_point Now() override { return now_; }

  // What a test looks at.
  const std::vector<std::uint8_t>& Sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }
  const std::vector<app::link::Millis>& Waits() const { return waits_; }
  void ClearWaits() { waits_.clear(); }
  // A dead port: sends fail and waits fail at once.
  void SetBroken(bool broken) { broken_ = broken; }
  // Bytes that arrive by themselves at a given time (noise, a late answer).
  void Inject(std::span<const std::uint8_t> bytes, Micros after);
  void Advance(Micros by) { now_ += by; }
  std::size_t Pending() const { return pending_.size(); }

 private:
  struct Arrival {
    app::link::LineClock::time_point at;
    std::uint8_t byte;
  };
  void Schedule(const Answer& answer, app::link::LineClock::time_point start);

  Slave& slave_;
  Micros characterTime_;
  app::link::LineClock::time_point now_{};
  std::deque<Arrival> pending_;
  std::vector<std::uint8_t> sent_;
  std::vector<app::link::Millis> waits_;
  bool broken_ = false;
};

}  // namespace kt8
