#pragma once
// Waiting for a window animation that another party ends: the main form's animated hide at the
// program's end waits for InAnimationProcess to fall, but never longer than the animation's own
// time and one second more, so a hide that never clears the flag cannot keep the program alive.
#include <chrono>
#include <cstdint>

namespace skin {

inline std::chrono::milliseconds AnimatedHideWaitLimit(std::uint16_t Time) {
  return std::chrono::milliseconds(Time) + std::chrono::seconds(1);
}

// Polls Flag (which another thread may clear, through an atomic reference) until it is false or
// Limit has passed, without processing messages; true when it fell in time.
bool WaitWhileSet(bool& Flag, std::chrono::milliseconds Limit);

}  // namespace skin
