#pragma once
// TThread: a worker thread that runs Execute. What escapes Execute is caught in the thread and
// handed to the application object on the main thread (no exception crosses the thread's entry);
// the worker reaches the main thread through Synchronize.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "classlib/Object.h"

namespace classlib {

class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;
  std::wstring ClassName() const override { return L"TThread"; }

  void Start();
  // Asks Execute to stop (it looks at Terminated).
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  // Waits for the end of Execute; on the main thread cross-thread calls keep running meanwhile.
  int WaitFor();
  int ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, if one did.
  std::exception_ptr FatalException() const { return FFatalException; }
  // Freed by the main thread after OnTerminate (the owner must not keep the pointer).
  bool FreeOnTerminate = false;
  // Runs on the main thread after Execute.
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  // Runs Work on the main thread and waits for it.
  void Synchronize(const std::function<void()>& Work);
  void SetReturnValue(int Value) { FReturnValue = Value; }

 private:
  void Run();
  std::thread FThread;
  HANDLE FDone = nullptr;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FStarted = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

}  // namespace classlib
