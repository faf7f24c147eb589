#include "tools/kt8unit/SimLine.h"

#include <algorithm>

namespace kt8 {

Micros CharacterTime(unsigned baud, unsigned bitsPerCharacter) {
  return Micros{(1'000'000LL * bitsPerCharacter + baud / 2) / baud};
}

SimLine::SimLine(Slave& slave, Micros characterTime) : slave_(slave), characterTime_(characterTime), now_(Epoch()) {}

bool SimLine::Send(std::span<const std::uint8_t> bytes) {
  if (broken_) return false;
  // The purge. Whatever is still queued belongs to an earlier exchange; on a real line it would
  // have arrived while the master was busy between two requests, and been purged with the rest.
  pending_.clear();
  sent_.insert(sent_.end(), bytes.begin(), bytes.end());
  // The unit has the request once its last character is through.
  const auto received = now_ + characterTime_ * static_cast<long>(bytes.size());
  for (const Answer& answer : slave_.Receive(bytes, received)) Schedule(answer, received);
  return true;
}

void SimLine::Schedule(const Answer& answer, app::link::LineClock::time_point start) {
  auto at = std::max(start, pending_.empty() ? start : pending_.back().at) + answer.delay;
  for (std::uint8_t byte : answer.bytes) {
    at += std::max(characterTime_, Micros{1});
    pending_.push_back({at, byte});
  }
}

void SimLine::Inject(std::span<const std::uint8_t> bytes, Micros after) {
  Schedule(Answer{{bytes.begin(), bytes.end()}, Micros{0}}, now_ + after);
}

app::link::LineWait SimLine::WaitByte(std::uint8_t& out, app::link::Millis limit) {
  waits_.push_back(limit);
  if (broken_) return app::link::LineWait::Failed;
  if (!pending_.empty() && pending_.front().at <= now_ + limit) {
    now_ = std::max(now_, pending_.front().at);
    out = pending_.front().byte;
    pending_.pop_front();
    return app::link::LineWait::Byte;
  }
  now_ += limit;
  return app::link::LineWait::TimedOut;
}

}  // namespace kt8
