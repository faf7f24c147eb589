#include "app/LevelMasks.h"

#include <algorithm>

#include "app/link/Modbus.h"

namespace app {
namespace {

constexpr unsigned kMaskTimeout = 3;
constexpr int kReadPause = 100;
constexpr int kWritePause = 250;

std::uint16_t MaskRegister(int output) { return static_cast<std::uint16_t>(kLevelMaskRegister + output); }

}  // namespace

std::uint8_t ReadLevelMasks(std::uint8_t address, LevelMaskTable& masks, const SeriesPause& pause) {
  std::uint8_t lastFailure = 0;
  for (int output = 0; output < kLevelOutputs; ++output) {
    if (output > 0 && pause) pause(kReadPause);
    std::array<std::uint16_t, kLevelConditions> words{};
    const std::uint8_t result = MbReadWords(address, words, MaskRegister(output), kLevelConditions, kMaskTimeout);
    if (result != 0) {
      lastFailure = result;
      continue;
    }
    std::copy(words.begin(), words.end(), masks.begin() + LevelMaskIndex(output, 0));
  }
  return lastFailure;
}

std::uint8_t WriteLevelMasks(std::uint8_t address, const LevelMaskTable& masks, const SeriesPause& pause) {
  std::uint8_t lastFailure = 0;
  for (int output = 0; output < kLevelOutputs; ++output) {
    if (output > 0 && pause) pause(kWritePause);
    const std::span<const std::uint16_t> words(masks.data() + LevelMaskIndex(output, 0), kLevelConditions);
    const std::uint8_t result = MbWriteWords(address, words, MaskRegister(output), kLevelConditions, kMaskTimeout);
    if (result != 0) lastFailure = result;
  }
  return lastFailure;
}

std::uint8_t WriteLevelTestWords(std::uint8_t address, const LevelTestWords& words, unsigned timeoutSeconds) {
  return MbWriteWords(address, words, kLevelTestRegister, kLevelConditions, timeoutSeconds);
}

}  // namespace app
