// linkbench COM [ROUNDS]: how the serial port waits (ROUNDS 0: the quiet waits only). Prints, for a byte wait and a
// transaction that nobody answers, the wall time against the process's CPU time, and for transactions against a unit
// paced at 9600 baud (kt8sim --pace) the time per transaction against the time its characters take on the wire (11 bits
// each).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/link/Modbus.h"
#include "app/link/Serialport.h"

namespace {

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <typename F>
void Quiet(const char* what, F run) {
  const double cpu = ProcessCpuMs(), wall = NowMs();
  const int result = run();
  std::printf("%-44s wall %8.1f ms   cpu %6.1f ms   (result %02X)\n", what, NowMs() - wall, ProcessCpuMs() - cpu,
              result);
}

template <typename F>
void Paced(const char* what, int characters, int rounds, F run) {
  const double wire = characters * 11.0 / 9600.0 * 1e3;
  int failures = 0;
  const double cpu = ProcessCpuMs(), wall = NowMs();
  for (int i = 0; i < rounds; ++i) failures += run() != MbDone;
  const double per = (NowMs() - wall) / rounds;
  std::printf("%-44s %6.2f ms  wire %6.2f ms  over %+6.2f ms (%+5.1f %%)  cpu %5.2f ms  failed %d\n", what, per, wire,
              per - wire, (per - wire) / wire * 100, (ProcessCpuMs() - cpu) / rounds, failures);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: linkbench COM [ROUNDS]\n");
    return 2;
  }
  const int com = std::atoi(argv[1]);
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 50;
  ComSetMessageBox([](const wchar_t*, const wchar_t*) { std::fprintf(stderr, "linkbench: the port does not open\n"); });
  if (!ComOpen(static_cast<std::uint8_t>(com))) return 1;
  app::link::SetActiveLine(&ComLine());

  std::uint8_t out[64];
  Quiet("ComReadByte with nothing coming (2 s)", [] { return ComReadByte(); });
  Quiet("read nobody answers, time-out 3 s", [&] { return MbReadRegisters(9, out, 2, 1, 3); });
  Quiet("write nobody answers, time-out 2 s", [&] {
    const std::uint16_t w[] = {1};
    return MbWriteWords(9, w, 112, 1, 2);
  });
  if (rounds <= 0) {
    ComClose();
    return 0;
  }
  Paced("read 1 register (8 + 7 characters)", 15, rounds, [&] { return MbReadRegisters(1, out, 2, 1, 3); });
  Paced("read 10 registers (8 + 25 characters)", 33, rounds, [&] { return MbReadRegisters(1, out, 0, 10, 3); });
  Paced("write 1 register (11 + 8 characters)", 19, rounds, [&] {
    const std::uint16_t w[] = {300};
    return MbWriteWords(1, w, 112, 1, 3);
  });
  ComClose();
  return 0;
}
