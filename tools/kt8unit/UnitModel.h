#pragma once
// The simulated KT.8 unit's state: the register objects that functions 0x03 and 0x10 read and
// write, the running clock, the position counter and the density probes behind the 0x43/0x50
// tunnel. Every answer is an exception code (0 = done) so that the Modbus side only frames it.
//
// A register number addresses an object with its own register count; objects are listed in one
// table (DefineRegisterMap) so that more of the unit is added in one place.
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace kt8 {

using SimClock = std::chrono::steady_clock;

// Modbus exception codes and the unit's own error codes that the simulator answers with.
inline constexpr std::uint8_t ExIllegalFunction = 0x01;
inline constexpr std::uint8_t ExIllegalAddress = 0x02;
inline constexpr std::uint8_t ExIllegalValue = 0x03;
inline constexpr std::uint8_t ExProbeNotAnswering = 0x82;

// Hardware configuration flags (register 4, byte 1).
inline constexpr std::uint8_t HwOutputs = 0x01;
inline constexpr std::uint8_t HwInputs = 0x02;
inline constexpr std::uint8_t HwClock = 0x04;
inline constexpr std::uint8_t HwZigBee = 0x08;
inline constexpr std::uint8_t HwThermo = 0x10;
inline constexpr std::uint8_t HwProbes = 0x20;
inline constexpr std::uint8_t HwCounter = 0x40;

// Registers of the map (decimal, as the unit documents them).
namespace reg {
inline constexpr std::uint16_t Copyright = 0, DeviceCode = 1, Version = 2, VersionDate = 3, HwConfig = 4,
                               InputConfig = 5, Triggers = 6, IoBits = 7, OwnAddress = 8, LevelTest = 16,
                               InputToOutput = 32, LevelMasks = 48, ProbeTunnel = 64, ProbeTunnel2 = 65, Counter = 66,
                               Position = 67, Resolution = 68, Schedule = 80, DelayOn = 112, DelayOff = 113,
                               ClockDate = 128, ClockTime = 129, VersionText = 170, ProbeIds = 176;
}

struct CivilTime {
  int year = 2011, month = 12, day = 28, hour = 8, minute = 30, second = 0;
};

struct UnitOptions {
  std::uint8_t address = 1;
  std::uint8_t hwConfig = HwOutputs | HwInputs | HwClock;
  // Where the unit's clock starts; empty: the host's local time.
  std::optional<CivilTime> clockStart;
  // The position counter's start value and its resolution (position = counter × resolution).
  std::uint32_t counter = 0x00001234;
  float resolution = 0.125f;
};

struct ProbeAnswer {
  std::uint8_t code = 0;           // 0, or the exception the unit answers with
  std::vector<std::uint8_t> data;  // the probe's data bytes
};

class UnitModel {
 public:
  explicit UnitModel(const UnitOptions& options = {}, SimClock::time_point start = SimClock::now());

  std::uint8_t Address() const { return address_; }

  // 0x03: the first 2N bytes of the object at `start`.
  std::uint8_t Read(std::uint16_t start, std::uint8_t n, SimClock::time_point now, std::vector<std::uint8_t>& out);
  // 0x10: the whole object at `start` (N must be its register count).
  std::uint8_t Write(std::uint16_t start, std::uint8_t n, std::span<const std::uint8_t> data, SimClock::time_point now);
  // 0x43 and 0x50 through registers 64/65: data = channel, position (bit 7: all probes of the
  // channel), count of command bytes, command bytes, filler.
  ProbeAnswer ProbeQuery(std::uint16_t start, std::span<const std::uint8_t> data);
  std::uint8_t ProbeCommand(std::uint16_t start, std::span<const std::uint8_t> data);

  // Direct access for tests and tools (no checks, no clock refresh).
  std::vector<std::uint8_t>* Object(std::uint16_t start);
  CivilTime ClockAt(SimClock::time_point now) const;
  std::uint8_t WeekdayAt(SimClock::time_point now) const;
  std::uint32_t Counter() const { return counter_; }

 private:
  struct RegisterObject {
    std::uint8_t count = 1;
    bool writable = false;
    std::vector<std::uint8_t> bytes;
    // Refreshes the bytes before a read (clock, counter).
    std::function<void(SimClock::time_point, std::vector<std::uint8_t>&)> refresh;
    // Takes a write; returns an exception code or 0. Without it the bytes are stored as sent.
    std::function<std::uint8_t(SimClock::time_point, std::span<const std::uint8_t>)> store;
  };
  struct Probe {
    double density = 0, temperature = 0, densityAdd = 0;
    std::uint16_t adc1 = 0, adc2 = 0;
    double adc1Dispersion = 0;
    unsigned conversions = 0;
  };

  void DefineRegisterMap(const UnitOptions& options);
  RegisterObject& Define(std::uint16_t start, std::uint8_t count, bool writable, std::vector<std::uint8_t> bytes);
  bool ProbePresent(unsigned channel, unsigned position);
  void Convert(unsigned channel, unsigned position);
  void SetClock(const CivilTime& civil, std::uint8_t weekday, SimClock::time_point now);

  std::map<std::uint16_t, RegisterObject> objects_;
  std::array<Probe, 64> probes_{};
  std::uint8_t address_ = 1;
  std::uint32_t counter_;
  float resolution_;
  // The clock: the civil time set at `clockSetAt_`, running on from there.
  std::chrono::sys_seconds clockBase_{};
  SimClock::time_point clockSetAt_{};
  std::uint8_t weekdayBase_ = 1;
};

// Helpers shared with the tests.
std::uint8_t ToBcd(int value);
std::optional<int> FromBcd(std::uint8_t bcd);
std::uint8_t Crc8Maxim(std::span<const std::uint8_t> bytes);
// The 8-byte bus identifier of a probe from its printed serial number.
std::array<std::uint8_t, 8> ProbeIdFromSerial(std::uint32_t serial);

}  // namespace kt8
