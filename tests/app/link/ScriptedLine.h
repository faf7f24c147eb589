#pragma once
// A byte line for tests without a unit behind it: records what is sent, hands out the bytes a
// test queued, and runs on its own clock that a wait with nothing to deliver moves on by its limit.
#include <cstdint>
#include <deque>
#include <vector>

#include "app/link/ByteLine.h"

class ScriptedLine : public app::link::ByteLine {
 public:
  bool Send(std::span<const std::uint8_t> bytes) override {
    writes.emplace_back(bytes.begin(), bytes.end());
    sent.insert(sent.end(), bytes.begin(), bytes.end());
    if (purgeOnSend) incoming.clear();
    return true;
  }
  app::link::LineWait WaitByte(std::uint8_t& out, app::link::Millis limit) override {
    waits.push_back(limit);
    if (incoming.empty()) {
      now += limit;
      return app::link::LineWait::TimedOut;
    }
    out = incoming.front();
    incoming.pop_front();
    return app::link::LineWait::Byte;
  }
  void Flush() override { ++flushes; }
  app::link::LineClock::time_point Now() override { return now; }

  void Queue(std::initializer_list<std::uint8_t> bytes) { incoming.insert(incoming.end(), bytes); }
  void Queue(const std::vector<std::uint8_t>& bytes) { incoming.insert(incoming.end(), bytes.begin(), bytes.end()); }

  std::vector<std::vector<std::uint8_t>> writes;
  std::vector<std::uint8_t> sent;
  std::deque<std::uint8_t> incoming;
  std::vector<app::link::Millis> waits;
  int flushes = 0;
  bool purgeOnSend = false;
  app::link::LineClock::time_point now{};
};

// Makes a line the active one for the lifetime of a test and restores the master's defaults.
class ActiveLineScope {
 public:
  explicit ActiveLineScope(app::link::ByteLine& line);
  ~ActiveLineScope();
  ActiveLineScope(const ActiveLineScope&) = delete;
  ActiveLineScope& operator=(const ActiveLineScope&) = delete;
};
