#pragma once
// A byte line for tests without a unit behind it: records what is sent, hands out the bytes a
// test queued, and runs on its own clock that a wait with nothing to deliver moves on by its limit.
#include <cstdint>
#include <deque>
#include <vector>

#include "app/link/ByteLine.h"

class ScriptedLine : public devlink::ByteLine {
 public:
  bool Send(std::span<const std::uint8_t> bytes) override {
    writes.emplace_back(bytes.begin(), bytes.end());
    sent.insert(sent.end(), bytes.begin(), bytes.end());
    if (purgeOnSend) incoming.clear();
    return true;
  }
  devlink::LineWait WaitByte(std::uint8_t& out, devlink::Millis limit) override {
    waits.push_back(limit);
    if (incoming.empty()) {
      now += limit;
      return devlink::LineWait::TimedOut;
    }
    out = incoming.front();
    incoming.pop_front();
    return devlink::LineWait::Byte;
  }
  void Flush() override { ++flushes; }
  devlink::LineClock::time_point Now() override { return now; }

  void Queue(std::initializer_list<std::uint8_t> bytes) { incoming.insert(incoming.end(), bytes); }
  void Queue(const std::vector<std::uint8_t>& bytes) { incoming.insert(incoming.end(), bytes.begin(), bytes.end()); }

  std::vector<std::vector<std::uint8_t>> writes;
  std::vector<std::uint8_t> sent;
  std::deque<std::uint8_t> incoming;
  std::vector<devlink::Millis> waits;
  int flushes = 0;
  bool purgeOnSend = false;
  devlink::LineClock::time_point now{};
};

// Makes a line the active one for the lifetime of a test and restores the master's defaults.
class ActiveLineScope {
 public:
  explicit ActiveLineScope(devlink::ByteLine& line);
  ~ActiveLineScope();
  ActiveLineScope(const ActiveLineScope&) = delete;
  ActiveLineScope& operator=(const ActiveLineScope&) = delete;
};
