#pragma once
// POSIX pieces of the simulator and of the host tests that talk to it: a pseudo-terminal whose
// slave side stands in for a serial port, raw line settings, and a byte line over a tty descriptor.
#include <optional>
#include <string>

#include "app/link/ByteLine.h"

namespace kt8 {

// Raw 8-bit line, no flow control, no parity; stopBits 1 or 2; 9600 baud where the device cares.
bool MakeRaw(int fd, int stopBits, std::string& error);

// A pseudo-terminal: `master` is the unit's end; the slave side is kept open as well so that the
// master never sees a hang-up while programs open and close the slave between runs.
class Pty {
 public:
  static std::optional<Pty> Open(std::string& error);
  Pty(Pty&& other) noexcept;
  Pty& operator=(Pty&&) = delete;
  Pty(const Pty&) = delete;
  ~Pty();
  int Master() const { return master_; }
  const std::string& SlaveName() const { return slaveName_; }
  // Makes the slave side this process's controlling terminal when it can (in a session of its
  // own). A terminal belongs to one session only, so a daemon that opens the slave later (Wine's
  // server does) cannot take it over and then be hung up when the pseudo-terminal goes away.
  void ClaimAsControllingTerminal();

 private:
  Pty(int master, int slave, std::string name) : master_(master), slave_(slave), slaveName_(std::move(name)) {}
  int master_ = -1;
  int slave_ = -1;
  std::string slaveName_;
};

// The master's byte line over a tty (the slave side of a Pty, or a serial device): an input purge
// and a write per send, and waits that sleep in poll().
class FdLine : public app::link::ByteLine {
 public:
  // Opens the device raw; nullopt and a reason when it cannot.
  static std::optional<FdLine> Open(const std::string& path, int stopBits, std::string& error);
  FdLine(FdLine&& other) noexcept;
  FdLine& operator=(FdLine&&) = delete;
  FdLine(const FdLine&) = delete;
  ~FdLine() override;

  bool Send(std::span<const std::uint8_t> bytes) override;
  app::link::LineWait WaitByte(std::uint8_t& out, app::link::Millis limit) override;
  void Flush() override;

 private:
  explicit FdLine(int fd) : fd_(fd) {}
  int fd_ = -1;
  std::uint8_t buffer_[64] = {};
  std::size_t begin_ = 0, end_ = 0;
};

}  // namespace kt8
