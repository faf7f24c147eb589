#include "skin/core/acAnimationWait.h"

#include <atomic>
#include <thread>

namespace skin {

bool WaitWhileSet(bool& Flag, std::chrono::milliseconds Limit) {
  const std::atomic_ref<bool> flag(Flag);
  const auto deadline = std::chrono::steady_clock::now() + Limit;
  while (flag.load()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace skin
