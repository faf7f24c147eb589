#pragma once
// The byte line that the Modbus master and the host-link envelope talk through: the serial port
// in the Windows program (Serialport's ComLine), an in-memory line in tests, a tty elsewhere.
// The line also owns the clock its deadlines are measured on, so that a simulated line can run
// on simulated time.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace app::link {

using LineClock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

enum class LineWait {
  Byte,      // a byte arrived
  TimedOut,  // the limit passed with nothing on the line
  Failed,    // no port, or the port reported an error: waiting longer would not help
};

class ByteLine {
 public:
  virtual ~ByteLine() = default;
  // Discards whatever input has queued up, then sends the bytes. True when all of them went out.
  // Output is never discarded: the tail of an earlier frame may still be leaving the port.
  virtual bool Send(std::span<const std::uint8_t> bytes) = 0;
  // Waits at most `limit` for the next byte, without burning the processor while the line is quiet.
  virtual LineWait WaitByte(std::uint8_t& out, Millis limit) = 0;
  // Returns once everything sent has left the port.
  virtual void Flush() = 0;
  // A monotonic clock: deadlines of the protocol layers are measured on it.
  virtual LineClock::time_point Now() { return LineClock::now(); }
};

// The line that Modbus transactions and host-link frames use; nullptr (the start state) means
// no line, and every transaction then ends at once with "no answer".
ByteLine* ActiveLine();
void SetActiveLine(ByteLine* line);

}  // namespace app::link
