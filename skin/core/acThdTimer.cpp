#include "skin/core/acThdTimer.h"

#include "classlib/Forms.h"

namespace skin {

namespace {

bool AppTerminated() { return classlib::Application != nullptr && classlib::Application->Terminated(); }

}  // namespace

TacTimerThread::TacTimerThread(TacThreadedTimer* Owner, unsigned Interval)
    : classlib::TThread(true),
      OwnerTimer(Owner),
      interval_(Interval),
      stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      runEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TacTimerThread::~TacTimerThread() {
  Stop();
  if (!Finished()) WaitFor();
  if (stopEvent_ != nullptr) CloseHandle(stopEvent_);
  if (runEvent_ != nullptr) CloseHandle(runEvent_);
}

void TacTimerThread::Stop() {
  stopping_ = true;
  Terminate();
  if (stopEvent_ != nullptr) SetEvent(stopEvent_);
}

void TacTimerThread::SetPaused(bool Paused) {
  if (runEvent_ == nullptr) return;
  if (Paused)
    ResetEvent(runEvent_);
  else
    SetEvent(runEvent_);
}

void TacTimerThread::Execute() {
  if (stopEvent_ == nullptr || runEvent_ == nullptr) return;
  while (!Terminated() && !AppTerminated()) {
    const HANDLE waitRun[2] = {stopEvent_, runEvent_};
    if (WaitForMultipleObjects(2, waitRun, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    if (WaitForSingleObject(stopEvent_, interval_) != WAIT_TIMEOUT) return;
    // Paused during the wait: that interval does not count.
    if (WaitForSingleObject(runEvent_, 0) != WAIT_OBJECT_0) continue;
    Synchronize([this] { DoTimer(); });
  }
}

void TacTimerThread::DoTimer() {
  // A stop that waits for this worker runs its last request too: that one ticks no more.
  // A tick posted just before the timer was paused is dropped too: no tick while disabled.
  if (stopping_ || AppTerminated() || !OwnerTimer->Enabled()) return;
  OwnerTimer->Timer();
}

TacThreadedTimer::TacThreadedTimer(classlib::TComponent* AOwner) : classlib::TComponent(AOwner) {
  if (AppTerminated()) return;
  FEnabled = true;
  FInterval = 1000;
  StartTimer();
}

TacThreadedTimer::TacThreadedTimer(classlib::TComponent* AOwner, bool ChangeEvent) : TacThreadedTimer(AOwner) {
  SetEnabled(false);
  FOwner = AOwner;
  if (ChangeEvent) SetOnTimer([this](classlib::TObject* Sender) { TimeEvent(Sender); });
}

TacThreadedTimer::~TacThreadedTimer() { KillTimer(); }

void TacThreadedTimer::StartTimer() {
  FTimerThread = std::make_unique<TacTimerThread>(this, FInterval);
  FTimerThread->Start();
  UpdateTimer();
}

void TacThreadedTimer::KillTimer() {
  if (!FTimerThread) return;
  FTimerThread->Stop();
  FTimerThread->WaitFor();
  FTimerThread.reset();
}

void TacThreadedTimer::UpdateTimer() {
  if (FTimerThread) FTimerThread->SetPaused(!(FInterval != 0 && FEnabled && FOnTimer));
}

void TacThreadedTimer::Reset() {
  KillTimer();
  StartTimer();
}

void TacThreadedTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TacThreadedTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  if (FTimerThread) FTimerThread->SetInterval(Value);
  UpdateTimer();
}

void TacThreadedTimer::SetOnTimer(classlib::TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TacThreadedTimer::TimeEvent(classlib::TObject*) { TimeHandler(); }

void TacThreadedTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

}  // namespace skin
