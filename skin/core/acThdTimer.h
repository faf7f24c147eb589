#pragma once
// A timer whose period is kept by a worker thread instead of the window timer: the worker waits
// on its events and hands every tick to the GUI thread (Synchronize), so OnTimer always runs
// there. A paused worker waits on an event, never suspended, so it cannot be stopped while it
// holds a lock; stopping signals the worker and waits for its end (the wait keeps running the
// worker's pending tick request, which then does nothing). Win32 only.
#include <windows.h>

#include <atomic>
#include <memory>

#include "classlib/Classes.h"
#include "classlib/Thread.h"

namespace skin {

class TacThreadedTimer;

class TacTimerThread : public classlib::TThread {
 public:
  explicit TacTimerThread(TacThreadedTimer* Owner, unsigned Interval);
  ~TacTimerThread() override;
  std::wstring ClassName() const override { return L"TacTimerThread"; }

  // Ends the wait at once; the worker leaves its loop.
  void Stop();
  // Paused: no ticks until resumed. The interval counts anew from the resume.
  void SetPaused(bool Paused);
  void SetInterval(unsigned Value) { interval_ = Value; }

 protected:
  void Execute() override;

 private:
  // Runs on the GUI thread.
  void DoTimer();
  TacThreadedTimer* OwnerTimer;
  std::atomic<unsigned> interval_;
  std::atomic<bool> stopping_{false};
  HANDLE stopEvent_ = nullptr;  // manual reset: stays signalled until the worker has left
  HANDLE runEvent_ = nullptr;   // manual reset: signalled while ticks are wanted
};

class TacThreadedTimer : public classlib::TComponent {
 public:
  // Starts a worker right away (none while the application terminates).
  explicit TacThreadedTimer(classlib::TComponent* AOwner);
  // The animation timers' form: disabled, and with ChangeEvent every tick calls TimeHandler.
  TacThreadedTimer(classlib::TComponent* AOwner, bool ChangeEvent);
  ~TacThreadedTimer() override;
  std::wstring ClassName() const override { return L"TacThreadedTimer"; }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const classlib::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(classlib::TNotifyEvent Value);
  bool HasWorker() const { return FTimerThread != nullptr; }

  // A fresh worker that counts a whole interval from now.
  void Reset();
  void StartTimer();
  // Stops the worker (paused or not) and waits for its end.
  void KillTimer();
  // The worker ticks only with an interval, enabled and with a handler.
  void UpdateTimer();
  // Calls TimeHandler (the handler CreateOwned installs with ChangeEvent).
  void TimeEvent(classlib::TObject* Sender);
  virtual void TimeHandler() {}
  // One tick on the GUI thread: OnTimer.
  virtual void Timer();

 protected:
  classlib::TComponent* FOwner = nullptr;
  bool InHandler = false;

 private:
  bool FEnabled = false;
  unsigned FInterval = 0;
  classlib::TNotifyEvent FOnTimer;
  std::unique_ptr<TacTimerThread> FTimerThread;
};

}  // namespace skin
