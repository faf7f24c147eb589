// Whatever comes back on the line, a transaction ends inside its buffers, and "done" or an
// exception code is reported only for a reply that passes the checks. The checks are judged here
// with the simulator's CRC and the frame rules written out again, not with the master's own
// functions: on a direct line on the bytes the line delivered, in host-link mode on the reply the
// envelope decoder gave (the decoder has its own target).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>
#include <vector>

#include "app/link/ByteLine.h"
#include "app/link/Hlink01.h"
#include "app/link/Modbus.h"
#include "tools/kt8unit/Slave.h"

namespace {

class FuzzLine : public app::link::ByteLine {
 public:
  explicit FuzzLine(std::span<const std::uint8_t> bytes) : incoming_(bytes.begin(), bytes.end()) {}
  bool Send(std::span<const std::uint8_t>) override { return true; }
  app::link::LineWait WaitByte(std::uint8_t& out, app::link::Millis limit) override {
    if (++waits_ > 10'000) std::abort();  // a quiet line must not make the master spin
    if (incoming_.empty()) {
      now_ += limit;
      return app::link::LineWait::TimedOut;
    }
    out = incoming_.front();
    incoming_.pop_front();
    return app::link::LineWait::Byte;
  }
  void Flush() override {}
  app::link::LineClock::time_point Now() override { return now_; }

 private:
  std::deque<std::uint8_t> incoming_;
  app::link::LineClock::time_point now_{};
  int waits_ = 0;
};

// The CRC of the frame's other bytes in its last two, high byte first as the unit sends it or low
// byte first as the Modbus standard has it.
bool CrcInEitherOrder(std::span<const std::uint8_t> frame) {
  if (kt8::UnitCrcMatches(frame)) return true;
  std::vector<std::uint8_t> swapped(frame.begin(), frame.end());
  if (swapped.size() >= 2) std::swap(swapped[swapped.size() - 2], swapped[swapped.size() - 1]);
  return kt8::UnitCrcMatches(swapped);
}

// A normal reply: the first `expect` bytes from the address with the function and their CRC.
bool NormalReply(std::span<const std::uint8_t> frame, std::uint8_t address, std::uint8_t fn, std::size_t expect) {
  return expect >= 4 && frame.size() >= expect && frame[0] == address && frame[1] == fn &&
         CrcInEitherOrder(frame.first(expect));
}

// An exception reply: address, the function with bit 7, a non-zero code, the CRC; five bytes.
bool ExceptionReply(std::span<const std::uint8_t> frame, std::uint8_t address, std::uint8_t fn, std::uint8_t code) {
  return frame.size() >= 5 && frame[0] == address && frame[1] == (fn | 0x80) && frame[2] == code && code != 0 &&
         CrcInEitherOrder(frame.first(5));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t address = data[0] % 32;
  const std::uint8_t which = data[1] % 4;
  const std::uint8_t n = data[2];
  const std::uint8_t hostLink = data[3] & 1;
  const std::span<const std::uint8_t> reply(data + 4, size - 4);

  FuzzLine line(reply);
  app::link::SetActiveLine(&line);
  MbSetHostLinkMode(hostLink);
  std::vector<std::uint8_t> out(2u * n + 8, 0);
  std::vector<std::uint8_t> payload(2u * n, 0);
  if (!payload.empty()) payload[payload.size() - 2] = data[2] / 2;
  std::uint8_t fn = 0;
  std::size_t expect = 0;
  std::uint8_t result = 0;
  switch (which) {
    case 0:
      fn = MbFnReadRegisters, expect = 2u * n + 5;
      result = MbReadRegisters(address, out, 1, n, 3);
      break;
    case 1:
      fn = MbFnWriteRegisters, expect = 8;
      result = MbWriteRegisters(address, payload, 1, n, 3);
      break;
    case 2:
      fn = MbFnProbeQuery, expect = n ? payload[payload.size() - 2] + 5u : 0;
      result = MbTunnelQuery(address, payload, 64, n, out, 3);
      break;
    default:
      fn = MbFnProbeCommand, expect = 8;
      result = MbTunnelCommand(address, payload, 65, n, 3);
      break;
  }
  app::link::SetActiveLine(nullptr);
  MbSetHostLinkMode(0);

  if (MbReplyLength() > MbBufferSize || MbRequestLength() > MbBufferSize) std::abort();
  const bool awaited = !(hostLink && (which == 1 || which == 3)) && !(address == 0 && (which == 1 || which == 3));
  if (result == MbNoAnswer || !awaited) return 0;
  // A reported outcome must stand on a reply that passes the checks.
  const std::span<const std::uint8_t> got =
      hostLink ? std::span<const std::uint8_t>(MbHostLinkDecoded.data() + 3, MbHostLinkDecoded.size() - 3) : reply;
  if (result == MbDone ? !NormalReply(got, address, fn, expect) : !ExceptionReply(got, address, fn, result))
    std::abort();
  // What the master keeps of a direct reply is what the line delivered.
  const std::size_t kept = MbReplyLength();
  if (!hostLink && (kept > reply.size() || !std::equal(MbReply.begin(), MbReply.begin() + kept, reply.begin())))
    std::abort();
  return 0;
}
