// HlDecodeReply over any answer: nothing written outside the decoded area, and the count it
// reports matches byte 0.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/link/Hlink01.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t Guard = 16;
  std::array<std::uint8_t, Guard + 250 + Guard> area;
  area.fill(0xA5);
  const std::size_t count = HlDecodeReply(std::span(data, size), std::span(area.data() + Guard, 250));
  if (count > 250) std::abort();
  if (area[Guard] != static_cast<std::uint8_t>(count - 1)) std::abort();
  for (std::size_t i = 0; i < Guard; ++i) {
    if (area[i] != 0xA5 || area[Guard + 250 + i] != 0xA5) std::abort();
  }
  // Decoding is bounded by the answer: every byte takes two characters after the "@".
  if (count > size / 2) std::abort();
  return 0;
}
