#pragma once
// The simulated unit's side of the line: cuts the incoming byte stream into RTU frames (or
// host-link envelopes), checks them as the unit does (its own address or broadcast, the CRC in
// the unit's byte order), lets the UnitModel act on them and frames the answer, with the faults
// a test asks for. It knows nothing of ports or clocks beyond the time stamps it is handed.
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tools/kt8unit/UnitModel.h"

namespace kt8 {

using Micros = std::chrono::microseconds;

// Faults applied to the answers (never to what the unit does with a request).
struct Faults {
  bool silent = false;            // act, but never answer
  Micros delay{0};                // answer this much later
  int truncateTo = -1;            // send only this many bytes of the answer (on the line)
  bool badCrc = false;            // corrupt the CRC of the RTU answer
  int noise = 0;                  // this many noise bytes before the answer
  std::uint8_t exception = 0;     // answer every request addressed to us with this exception code
  bool wrongAddress = false;      // answer as another unit
  bool standardCrcOrder = false;  // CRC low byte first, as the Modbus standard has it
  int count = -1;                 // apply to this many answers, then behave (-1: always)
  bool Any() const {
    return silent || delay.count() || truncateTo >= 0 || badCrc || noise || exception || wrongAddress ||
           standardCrcOrder;
  }
};

struct Answer {
  std::vector<std::uint8_t> bytes;  // as they go on the line
  Micros delay{0};                  // after the request has been received
};

class Slave {
 public:
  using Log = std::function<void(const std::string&)>;

  explicit Slave(UnitModel& unit, bool hostLink = false);

  void SetFaults(const Faults& faults) { faults_ = faults; }
  const Faults& GetFaults() const { return faults_; }
  void SetLog(Log log) { log_ = std::move(log); }
  bool HostLink() const { return hostLink_; }
  UnitModel& Unit() { return unit_; }

  // Bytes as they arrive; returns the answers to the frames they complete.
  std::vector<Answer> Receive(std::span<const std::uint8_t> bytes, SimClock::time_point now);
  // The line has been quiet since `quietSince`: a pending partial frame is complete or garbage.
  std::vector<Answer> Silence(SimClock::time_point now);
  bool HasPartialFrame() const { return !pending_.empty(); }

  // One whole RTU request; the RTU answer, empty when the unit stays silent.
  std::vector<std::uint8_t> HandleRtu(std::span<const std::uint8_t> frame, SimClock::time_point now);

  // Frames counted since start, for tests and the log.
  unsigned FramesReceived() const { return framesReceived_; }
  unsigned AnswersSent() const { return answersSent_; }

 private:
  void ReceiveRtu(std::vector<Answer>& answers, SimClock::time_point now);
  void ReceiveHostLink(std::vector<Answer>& answers, SimClock::time_point now);
  void HandleEnvelope(std::span<const std::uint8_t> chars, std::vector<Answer>& answers, SimClock::time_point now);
  std::vector<std::uint8_t> Respond(std::span<const std::uint8_t> frame, SimClock::time_point now);
  Answer Finish(std::vector<std::uint8_t> rtu, std::uint8_t header, std::uint8_t unitByte);
  static void Keep(Answer answer, std::vector<Answer>& answers);
  void Note(const std::string& text) const;

  UnitModel& unit_;
  bool hostLink_;
  Faults faults_;
  Log log_;
  std::vector<std::uint8_t> pending_;
  unsigned framesReceived_ = 0;
  unsigned answersSent_ = 0;
};

// Modbus CRC in the unit's byte order appended to a frame.
void AppendUnitCrc(std::vector<std::uint8_t>& frame);
bool UnitCrcMatches(std::span<const std::uint8_t> frame);
std::string Hex(std::span<const std::uint8_t> bytes);

}  // namespace kt8
