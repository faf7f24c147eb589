#pragma once
// Which level sensors drive which relay: for each of the eight outputs X1..X8 the unit keeps four
// 16-bit masks, one per level condition; bit k ties sensor k + 1 to that condition. In test mode
// four test words, written to every unit at once, stand for the sensors instead.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace app {

// The level conditions in the order the unit keeps an output's masks.
enum LevelCondition : int { LevelMax = 0, Level95 = 1, LevelMin = 2, LevelH2O = 3 };

inline constexpr int kLevelOutputs = 8;
inline constexpr int kLevelConditions = 4;
inline constexpr int kLevelSensors = 16;

// Output 0 Max, 95 %, Min, H2O, output 1 Max, ... output 7 H2O.
using LevelMaskTable = std::array<std::uint16_t, kLevelOutputs * kLevelConditions>;
// Max, 95 %, Min, H2O.
using LevelTestWords = std::array<std::uint16_t, kLevelConditions>;

// Output c's four masks live in register 48 + c; the test words in register 16.
inline constexpr std::uint16_t kLevelMaskRegister = 48;
inline constexpr std::uint16_t kLevelTestRegister = 16;

constexpr std::size_t LevelMaskIndex(int output, int condition) {
  return static_cast<std::size_t>(output * kLevelConditions + condition);
}

constexpr bool SensorBit(std::uint16_t word, int sensor) { return (word >> sensor) & 1u; }
constexpr void SetSensorBit(std::uint16_t& word, int sensor, bool on) {
  const auto bit = static_cast<std::uint16_t>(1u << sensor);
  word = on ? static_cast<std::uint16_t>(word | bit) : static_cast<std::uint16_t>(word & ~bit);
}

// How a series waits between two requests (the window sleeps; tests note the wait).
using SeriesPause = std::function<void(int milliseconds)>;

// Reads the masks of all eight outputs, 100 ms apart. An output whose read fails keeps the masks
// it had: the filler of a failed reply must never become a configuration that "Set Config" would
// then write into the unit. Returns the last failure of the series, or 0 when every read succeeded.
std::uint8_t ReadLevelMasks(std::uint8_t address, LevelMaskTable& masks, const SeriesPause& pause);

// Writes the masks of all eight outputs in register order, 250 ms apart. Returns the last
// non-zero result of the eight writes, or 0.
std::uint8_t WriteLevelMasks(std::uint8_t address, const LevelMaskTable& masks, const SeriesPause& pause);

// Writes the four test words (register 16).
std::uint8_t WriteLevelTestWords(std::uint8_t address, const LevelTestWords& words, unsigned timeoutSeconds);

// Time-out of a test-mode write from a box of this condition.
constexpr unsigned LevelTestTimeout(int condition) { return condition == LevelMax || condition == Level95 ? 1 : 3; }

}  // namespace app
