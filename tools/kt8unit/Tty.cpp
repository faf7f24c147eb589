#include "tools/kt8unit/Tty.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

namespace kt8 {

bool MakeRaw(int fd, int stopBits, std::string& error) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) {
    error = std::string("tcgetattr: ") + std::strerror(errno);
    return false;
  }
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK | ISTRIP);
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | CRTSCTS | CSTOPB | CSIZE);
  t.c_cflag |= CS8 | CLOCAL | CREAD | (stopBits == 2 ? CSTOPB : 0);
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  cfsetispeed(&t, B9600);
  cfsetospeed(&t, B9600);
  if (tcsetattr(fd, TCSANOW, &t) != 0) {
    error = std::string("tcsetattr: ") + std::strerror(errno);
    return false;
  }
  return true;
}

std::optional<Pty> Pty::Open(std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    if (master >= 0) close(master);
    return std::nullopt;
  }
  char name[128] = {};
  if (ptsname_r(master, name, sizeof name) != 0) {
    error = std::string("ptsname: ") + std::strerror(errno);
    close(master);
    return std::nullopt;
  }
  const int slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave < 0) {
    error = std::string("cannot open ") + name + ": " + std::strerror(errno);
    close(master);
    return std::nullopt;
  }
  Pty pty(master, slave, name);
  if (!MakeRaw(slave, 2, error)) return std::nullopt;
  return pty;
}

void Pty::ClaimAsControllingTerminal() {
  if (setsid() >= 0) ioctl(slave_, TIOCSCTTY, 0);
}

Pty::Pty(Pty&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      slave_(std::exchange(other.slave_, -1)),
      slaveName_(std::move(other.slaveName_)) {}

Pty::~Pty() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

std::optional<FdLine> FdLine::Open(const std::string& path, int stopBits, std::string& error) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  FdLine line(fd);
  if (!MakeRaw(fd, stopBits, error)) return std::nullopt;
  return line;
}

FdLine::FdLine(FdLine&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FdLine::~FdLine() {
  if (fd_ >= 0) close(fd_);
}

bool FdLine::Send(std::span<const std::uint8_t> bytes) {
  // Input only: on a pseudo-terminal an output flush would discard what the far end has not read yet.
  tcflush(fd_, TCIFLUSH);
  begin_ = end_ = 0;
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = write(fd_, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd p{fd_, POLLOUT, 0};
    if (poll(&p, 1, 500) <= 0) return false;
  }
  return true;
}

app::link::LineWait FdLine::WaitByte(std::uint8_t& out, app::link::Millis limit) {
  out = 0xFF;
  if (begin_ < end_) {
    out = buffer_[begin_++];
    return app::link::LineWait::Byte;
  }
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + limit;
  for (;;) {
    const ssize_t n = read(fd_, buffer_, sizeof buffer_);
    if (n > 0) {
      begin_ = 1;
      end_ = static_cast<std::size_t>(n);
      out = buffer_[0];
      return app::link::LineWait::Byte;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) return app::link::LineWait::Failed;
    const auto left = std::chrono::ceil<app::link::Millis>(deadline - Clock::now()).count();
    if (left <= 0) return app::link::LineWait::TimedOut;
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) return app::link::LineWait::Failed;
    if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLIN)) {
      return app::link::LineWait::Failed;
    }
  }
}

void FdLine::Flush() { tcdrain(fd_); }

}  // namespace kt8
