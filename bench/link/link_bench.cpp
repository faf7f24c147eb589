// Waiting on the line. The master's waits sleep in the system (here poll(), in the Windows
// program overlapped reads with events): a transaction that times out after 3 s should cost a
// few milliseconds of CPU where the old whole-second busy loop burnt a core for the whole wait.
// Against a simulated unit paced at 9600 baud, 11 bits a character, a transaction should take
// the wire time and less than 1 % more.
#include <benchmark/benchmark.h>
#include <sys/ioctl.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <thread>

#include "app/link/Modbus.h"
#include "tools/kt8unit/SimLine.h"
#include "tools/kt8unit/SimServer.h"
#include "tools/kt8unit/Tty.h"

namespace {

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// A pseudo-terminal with the master's line on its slave side; the unit's end is optional.
struct Bench {
  Bench() {
    std::string error;
    pty.emplace(*kt8::Pty::Open(error));
    line.emplace(*kt8::FdLine::Open(pty->SlaveName(), 2, error));
    app::link::SetActiveLine(&*line);
  }
  ~Bench() {
    stop = true;
    if (server.joinable()) server.join();
    app::link::SetActiveLine(nullptr);
  }
  void StartUnit(kt8::Micros characterTime) {
    slave.emplace(unit);
    server = std::thread([this, characterTime] {
      kt8::ServerOptions options;
      options.characterTime = characterTime;
      kt8::SimServer(pty->Master(), *slave, options).Run(stop);
    });
  }

  std::optional<kt8::Pty> pty;
  std::optional<kt8::FdLine> line;
  kt8::UnitModel unit;
  std::optional<kt8::Slave> slave;
  std::atomic<bool> stop{false};
  std::thread server;
};

void BM_ReadTimesOut_SystemWait(benchmark::State& state) {
  Bench bench;  // nobody answers
  double cpu = 0;
  for (auto _ : state) {
    const double before = ProcessCpuSeconds();
    std::uint8_t out[2];
    benchmark::DoNotOptimize(MbReadRegisters(1, out, 2, 1, 3));
    cpu += ProcessCpuSeconds() - before;
  }
  state.counters["process_cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}

// The old wait: poll the driver's input count and the whole-second calendar clock until it has
// moved on by 2, without sleeping.
void BM_ByteWait_BusyLoopReference(benchmark::State& state) {
  Bench bench;
  double cpu = 0;
  for (auto _ : state) {
    const double before = ProcessCpuSeconds();
    const std::time_t start = std::time(nullptr);
    int queued = 0;
    while (std::time(nullptr) - start < 2) {
      ioctl(bench.pty->Master(), FIONREAD, &queued);
      if (queued > 0) break;
    }
    cpu += ProcessCpuSeconds() - before;
  }
  state.counters["process_cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_ByteWait_SystemWait(benchmark::State& state) {
  Bench bench;
  double cpu = 0;
  for (auto _ : state) {
    const double before = ProcessCpuSeconds();
    std::uint8_t byte = 0;
    benchmark::DoNotOptimize(bench.line->WaitByte(byte, app::link::Millis{2000}));
    cpu += ProcessCpuSeconds() - before;
  }
  state.counters["process_cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}

// Transactions against the paced unit; arg 0: registers read (0: a one-register write).
void BM_PacedTransaction(benchmark::State& state) {
  Bench bench;
  const auto character = kt8::CharacterTime(9600, 11);
  bench.StartUnit(character);
  const int n = static_cast<int>(state.range(0));
  const std::uint16_t word[] = {300};
  std::uint8_t out[64];
  // Request and reply characters on the wire.
  const int characters = n == 0 ? 11 + 8 : 8 + 2 * n + 5;
  std::uint8_t result = 0;
  double wall = 0;
  for (auto _ : state) {
    const auto begun = std::chrono::steady_clock::now();
    result |= n == 0 ? MbWriteWords(1, word, 112, 1, 3) : MbReadRegisters(1, out, 0, static_cast<std::uint8_t>(n), 3);
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
  }
  if (result != MbDone) state.SkipWithError("transaction failed");
  const double wire = characters * std::chrono::duration<double>(character).count();
  const double perTransaction = wall / static_cast<double>(state.iterations());
  state.counters["wire_ms"] = wire * 1e3;
  state.counters["over_wire_ms"] = (perTransaction - wire) * 1e3;
  state.counters["over_wire_pct"] = (perTransaction - wire) / wire * 100;
}

}  // namespace

BENCHMARK(BM_ReadTimesOut_SystemWait)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteWait_SystemWait)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteWait_BusyLoopReference)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PacedTransaction)->Arg(1)->Arg(10)->Arg(0)->Iterations(100)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
