#include "tools/kt8unit/SimServer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace kt8 {

SimServer::SimServer(int fd, Slave& slave, ServerOptions options) : fd_(fd), slave_(slave), options_(options) {}

void SimServer::Schedule(const std::vector<Answer>& answers, SimClock::time_point received) {
  for (const Answer& answer : answers) {
    auto at = std::max(received, due_.empty() ? received : due_.back().at) + answer.delay;
    if (options_.characterTime.count() == 0) {
      due_.push_back({at, answer.bytes});
      continue;
    }
    // A character is there once its last bit is through.
    for (std::uint8_t byte : answer.bytes) {
      at += options_.characterTime;
      due_.push_back({at, {byte}});
    }
  }
}

bool SimServer::WriteDue(SimClock::time_point now) {
  while (!due_.empty() && due_.front().at <= now) {
    const auto& bytes = due_.front().bytes;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = write(fd_, bytes.data() + sent, bytes.size() - sent);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EAGAIN) {
        pollfd p{fd_, POLLOUT, 0};
        poll(&p, 1, 100);
      } else if (n < 0 && errno != EINTR) {
        return false;
      }
    }
    due_.pop_front();
  }
  return true;
}

int SimServer::Run(const std::atomic<bool>& stop) {
  std::vector<std::uint8_t> buffer(4096);
  while (!stop) {
    const auto now = SimClock::now();
    if (!WriteDue(now)) return 1;

    SimClock::time_point wake = now + std::chrono::milliseconds(200);
    if (!due_.empty()) wake = std::min(wake, due_.front().at);
    if (slave_.HasPartialFrame()) wake = std::min(wake, lastByte_ + options_.silence);
    const auto wait = std::max(SimClock::duration::zero(), wake - now);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    const timespec timeout{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    pollfd p{fd_, POLLIN, 0};
    const int ready = ppoll(&p, 1, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    const auto after = SimClock::now();
    if (ready > 0 && (p.revents & POLLIN)) {
      const ssize_t n = read(fd_, buffer.data(), buffer.size());
      if (n > 0) {
        lastByte_ = after;
        // Paced, the request is on the wire for as long as its characters take.
        lineBusyUntil_ = std::max(lineBusyUntil_, after) + options_.characterTime * n;
        Schedule(slave_.Receive(std::span(buffer.data(), static_cast<std::size_t>(n)), after), lineBusyUntil_);
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        // A real device can report line errors; do not spin on them.
        poll(nullptr, 0, 100);
      }
    } else if (ready > 0 && (p.revents & (POLLHUP | POLLERR))) {
      poll(nullptr, 0, 50);  // nobody on the other side yet
    }
    if (slave_.HasPartialFrame() && after - lastByte_ >= options_.silence) {
      Schedule(slave_.Silence(after), after);
    }
  }
  return 0;
}

}  // namespace kt8
