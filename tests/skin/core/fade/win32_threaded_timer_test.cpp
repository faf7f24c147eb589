// The threaded timer: ticks run on the GUI thread, none while disabled, and stopping ends the
// worker whether it is paused or waiting for the GUI thread to run its tick. Waits are bounded:
// a worker that does not end fails the test instead of hanging it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "classlib/Forms.h"
#include "skin/core/acThdTimer.h"

namespace skin {
namespace {

using namespace std::chrono_literals;

void PumpFor(
    std::chrono::milliseconds span, const std::function<bool()>& done = [] { return false; }) {
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end && !done()) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  }
}

// Runs Action on this thread; when it has not returned within Limit the test process fails.
void Bounded(std::chrono::seconds limit, const std::function<void()>& action, const char* what) {
  std::atomic<bool> finished{false};
  std::thread watchdog([&] {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!finished && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(10ms);
    if (!finished) {
      std::fprintf(stderr, "%s did not end within %lld s\n", what, static_cast<long long>(limit.count()));
      std::fflush(stderr);
      std::_Exit(3);
    }
  });
  action();
  finished = true;
  watchdog.join();
}

struct Counter {
  std::atomic<int> ticks{0};
  std::atomic<bool> offMainThread{false};
  DWORD main = GetCurrentThreadId();
  classlib::TNotifyEvent Handler() {
    return [this](classlib::TObject*) {
      if (GetCurrentThreadId() != main) offMainThread = true;
      ++ticks;
    };
  }
};

TEST(ThreadedTimer, TicksOnTheGuiThreadAndNotWhileDisabled) {
  classlib::Application->Handle();
  Counter counter;
  TacThreadedTimer timer(nullptr);
  EXPECT_TRUE(timer.HasWorker());
  timer.SetInterval(5);
  timer.SetOnTimer(counter.Handler());
  PumpFor(10s, [&] { return counter.ticks >= 3; });
  ASSERT_GE(counter.ticks, 3) << "no ticks within 10 s";
  EXPECT_FALSE(counter.offMainThread);
  timer.SetEnabled(false);
  PumpFor(50ms);
  const int paused = counter.ticks;
  PumpFor(200ms);
  EXPECT_EQ(counter.ticks, paused);
  timer.SetEnabled(true);
  PumpFor(10s, [&] { return counter.ticks > paused; });
  EXPECT_GT(counter.ticks, paused);
}

TEST(ThreadedTimer, WithoutHandlerOrIntervalTheWorkerWaits) {
  Counter counter;
  TacThreadedTimer timer(nullptr, true);  // the owned form: disabled, ticks go to TimeHandler
  EXPECT_FALSE(timer.Enabled());
  timer.SetInterval(0);
  timer.SetEnabled(true);
  PumpFor(100ms);
  struct Handled : TacThreadedTimer {
    using TacThreadedTimer::TacThreadedTimer;
    std::atomic<int> handled{0};
    void TimeHandler() override { ++handled; }
  } owned(nullptr, true);
  owned.SetInterval(5);
  owned.SetEnabled(true);
  PumpFor(10s, [&] { return owned.handled >= 2; });
  EXPECT_GE(owned.handled, 2);
}

TEST(ThreadedTimer, KillWhilePausedEnds) {
  TacThreadedTimer timer(nullptr);
  timer.SetEnabled(false);
  Bounded(
      20s, [&] { timer.KillTimer(); }, "KillTimer of a paused worker");
  EXPECT_FALSE(timer.HasWorker());
  timer.Reset();
  EXPECT_TRUE(timer.HasWorker());
}

TEST(ThreadedTimer, DestructionWhileATickWaitsForTheGuiThreadEndsWithoutTicking) {
  Counter counter;
  auto* timer = new TacThreadedTimer(nullptr);
  timer->SetInterval(1);
  timer->SetOnTimer(counter.Handler());
  Sleep(100);  // the worker has posted its tick and waits; nothing here runs it
  Bounded(
      20s, [&] { classlib::Free(timer); }, "destroying a timer with a pending tick");
  EXPECT_EQ(counter.ticks, 0);
}

}  // namespace
}  // namespace skin
