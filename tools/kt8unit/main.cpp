// kt8sim: a simulated KT.8 unit on a pseudo-terminal or a serial device, for tests and for
// running the configurator without the hardware.
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "tools/kt8unit/SimLine.h"
#include "tools/kt8unit/SimServer.h"
#include "tools/kt8unit/Tty.h"

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);
void OnSignal(int) { stopRequested = true; }

constexpr const char* Usage = R"(usage: kt8sim [options]
  --link PATH        open a pseudo-terminal and make PATH a symbolic link to it
  --device PATH      answer on a serial device instead of a pseudo-terminal
  --address N        the unit's Modbus address (default 1)
  --hostlink         frames travel inside the ВЕМ-Д.5 host-link envelope (1 stop bit)
  --hw-config HEX    hardware configuration flags of register 4 (default 07)
  --counter HEX      the position counter's start value (default 1234)
  --resolution X     the counter's resolution, position = counter × resolution (default 0.125)
  --log FILE         log every frame received and sent
  --pace             answer at the line's speed: 9600 baud, 11 bits a character (10 with --hostlink)
faults, applied to the answers:
  --no-reply         act on requests but never answer
  --delay MS         answer MS milliseconds late
  --truncate N       send only the first N bytes of each answer
  --bad-crc          corrupt the CRC of each answer
  --noise N          N bytes of noise before each answer
  --exception CODE   answer every request with exception CODE (hex)
  --wrong-address    answer as another unit
  --standard-crc     send the CRC low byte first
  --fault-count N    apply the faults to the first N answers only
)";

struct Options {
  std::string link, device, log;
  bool hostLink = false, pace = false;
  kt8::UnitOptions unit;
  kt8::Faults faults;
};

std::optional<long> Number(const char* text, int base) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, base);
  if (errno || end == text || *end) return std::nullopt;
  return value;
}

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const auto number = [&](int base, long lo, long hi) -> std::optional<long> {
      const char* v = value();
      if (!v) return std::nullopt;
      const auto n = Number(v, base);
      if (!n || *n < lo || *n > hi) return std::nullopt;
      return n;
    };
    std::optional<long> n;
    if (arg == "--link" || arg == "--device" || arg == "--log") {
      const char* v = value();
      if (!v) return false;
      (arg == "--link" ? o.link : arg == "--device" ? o.device : o.log) = v;
    } else if (arg == "--address") {
      if (!(n = number(10, 1, 247))) return false;
      o.unit.address = static_cast<std::uint8_t>(*n);
    } else if (arg == "--hw-config") {
      if (!(n = number(16, 0, 255))) return false;
      o.unit.hwConfig = static_cast<std::uint8_t>(*n);
    } else if (arg == "--counter") {
      const char* v = value();
      char* end = nullptr;
      errno = 0;
      const unsigned long long c = v ? std::strtoull(v, &end, 16) : 0;
      if (!v || errno || end == v || *end || c > 0xFFFFFFFFull) return false;
      o.unit.counter = static_cast<std::uint32_t>(c);
    } else if (arg == "--resolution") {
      const char* v = value();
      char* end = nullptr;
      const float r = v ? std::strtof(v, &end) : 0;
      if (!v || end == v || *end || !std::isfinite(r)) return false;
      o.unit.resolution = r;
    } else if (arg == "--hostlink") {
      o.hostLink = true;
    } else if (arg == "--pace") {
      o.pace = true;
    } else if (arg == "--no-reply") {
      o.faults.silent = true;
    } else if (arg == "--delay") {
      if (!(n = number(10, 0, 600'000))) return false;
      o.faults.delay = std::chrono::milliseconds(*n);
    } else if (arg == "--truncate") {
      if (!(n = number(10, 0, 1000))) return false;
      o.faults.truncateTo = static_cast<int>(*n);
    } else if (arg == "--bad-crc") {
      o.faults.badCrc = true;
    } else if (arg == "--noise") {
      if (!(n = number(10, 0, 1000))) return false;
      o.faults.noise = static_cast<int>(*n);
    } else if (arg == "--exception") {
      if (!(n = number(16, 1, 255))) return false;
      o.faults.exception = static_cast<std::uint8_t>(*n);
    } else if (arg == "--wrong-address") {
      o.faults.wrongAddress = true;
    } else if (arg == "--standard-crc") {
      o.faults.standardCrcOrder = true;
    } else if (arg == "--fault-count") {
      if (!(n = number(10, 0, 1'000'000))) return false;
      o.faults.count = static_cast<int>(*n);
    } else {
      return false;
    }
  }
  return o.link.empty() || o.device.empty();
}

std::string Stamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms));
  return buf;
}

// Points `link` at `target` atomically; an existing file that is not a symbolic link is left alone.
bool MakeLink(const std::string& link, const std::string& target, std::string& error) {
  struct stat st {};
  if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    error = link + " exists and is not a symbolic link";
    return false;
  }
  const std::string temporary = link + ".kt8sim-" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0 || rename(temporary.c_str(), link.c_str()) != 0) {
    error = "cannot link " + link + ": " + std::strerror(errno);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

void RemoveLinkIfOurs(const std::string& link, const std::string& target) {
  char buf[256] = {};
  const ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
  if (n > 0 && target == std::string(buf, static_cast<std::size_t>(n))) unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!Parse(argc, argv, o)) {
    std::cerr << Usage;
    return 2;
  }
  // Test equipment: it goes when whatever started it goes, even if that was killed outright.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGHUP, OnSignal);
  std::signal(SIGPIPE, SIG_IGN);

  std::unique_ptr<std::ofstream> logFile;
  if (!o.log.empty()) {
    logFile = std::make_unique<std::ofstream>(o.log, std::ios::app);
    if (!*logFile) {
      std::cerr << "kt8sim: cannot write " << o.log << "\n";
      return 1;
    }
  }

  std::string error;
  int deviceFd = -1;
  std::string where;
  std::optional<kt8::Pty> pty = o.device.empty() ? kt8::Pty::Open(error) : std::nullopt;
  if (!o.device.empty()) {
    deviceFd = open(o.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (deviceFd < 0 || !kt8::MakeRaw(deviceFd, o.hostLink ? 1 : 2, error)) {
      std::cerr << "kt8sim: " << o.device << ": " << (error.empty() ? std::strerror(errno) : error) << "\n";
      return 1;
    }
    where = o.device;
  } else {
    if (!pty) {
      std::cerr << "kt8sim: " << error << "\n";
      return 1;
    }
    where = pty->SlaveName();
    pty->ClaimAsControllingTerminal();
  }
  const int fd = pty ? pty->Master() : deviceFd;

  kt8::UnitModel unit(o.unit);
  kt8::Slave slave(unit, o.hostLink);
  slave.SetFaults(o.faults);
  if (logFile) {
    slave.SetLog([&](const std::string& line) { *logFile << Stamp() << ' ' << line << std::endl; });
    *logFile << Stamp() << " kt8sim: unit " << int{o.unit.address} << " on " << where
             << (o.hostLink ? " (host-link envelope)" : "") << (o.pace ? ", paced" : "") << std::endl;
  }

  kt8::ServerOptions server;
  if (o.pace) server.characterTime = kt8::CharacterTime(9600, o.hostLink ? 10 : 11);

  if (!o.link.empty() && !MakeLink(o.link, where, error)) {
    std::cerr << "kt8sim: " << error << "\n";
    return 1;
  }
  std::cout << "kt8sim: unit " << int{o.unit.address} << " on " << where << (o.link.empty() ? "" : " (" + o.link + ")")
            << std::endl;

  const int rc = kt8::SimServer(fd, slave, server).Run(stopRequested);
  if (!o.link.empty()) RemoveLinkIfOurs(o.link, where);
  if (deviceFd >= 0) close(deviceFd);
  return rc;
}
