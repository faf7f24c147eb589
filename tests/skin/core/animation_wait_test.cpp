// The bounded wait for a window animation to end.
#include "skin/core/acAnimationWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace skin {
namespace {

TEST(AnimationWait, EndsWhenTheFlagFallsOrAtItsLimit) {
  EXPECT_EQ(AnimatedHideWaitLimit(0), std::chrono::milliseconds(1000));
  EXPECT_EQ(AnimatedHideWaitLimit(250), std::chrono::milliseconds(1250));

  bool flag = false;
  EXPECT_TRUE(WaitWhileSet(flag, std::chrono::milliseconds(0)));

  // Never cleared: the wait gives up instead of hanging.
  flag = true;
  EXPECT_FALSE(WaitWhileSet(flag, std::chrono::milliseconds(30)));
  EXPECT_TRUE(flag);

  // Cleared by another thread well within the limit.
  std::thread clearer([&flag] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::atomic_ref<bool>(flag).store(false);
  });
  EXPECT_TRUE(WaitWhileSet(flag, std::chrono::seconds(60)));
  clearer.join();
}

}  // namespace
}  // namespace skin
