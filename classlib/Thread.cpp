#include "classlib/Thread.h"

#include "classlib/Exception.h"
#include "classlib/Forms.h"

namespace classlib {

TThread::TThread(bool CreateSuspended) : FDone(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!CreateSuspended) Start();
}

TThread::~TThread() {
  if (FStarted && !FFinished) {
    Terminate();
    WaitFor();
  }
  if (FThread.joinable()) FThread.join();
  if (FDone) CloseHandle(FDone);
}

void TThread::Start() {
  if (FStarted) throw EInvalidOperation(L"Thread already started");
  // The application object (and the window that carries cross-thread calls) must belong to the
  // starting, main thread, not be made on first use by the worker.
  Application->Handle();
  FStarted = true;
  FThread = std::thread([this] { Run(); });
}

void TThread::Run() {
  try {
    Execute();
  } catch (...) {
    FFatalException = std::current_exception();
  }
  FFinished = true;
  const bool freeing = FreeOnTerminate;
  try {
    Application->Synchronize([this] {
      if (FFatalException) {
        try {
          std::rethrow_exception(FFatalException);
        } catch (...) {
          Application->HandleException(this);
        }
      }
      if (OnTerminate) OnTerminate(this);
    });
  } catch (...) {
    // OnTerminate failed on the main thread; the application object has shown it already.
  }
  SetEvent(FDone);
  if (freeing) {
    // The thread object goes on the main thread, once this function has left it.
    std::thread self = std::move(FThread);
    self.detach();
    Application->Synchronize([this] { delete this; });
  }
}

int TThread::WaitFor() {
  if (!FStarted) return FReturnValue;
  TApplication* app = Application;
  while (true) {
    DWORD r = MsgWaitForMultipleObjects(1, &FDone, FALSE, INFINITE, QS_SENDMESSAGE | QS_POSTMESSAGE);
    if (r == WAIT_OBJECT_0) break;
    if (app) app->CheckSynchronize();
    MSG msg;
    // Sent messages are delivered by PeekMessage; posted cross-thread calls run above.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
  if (FThread.joinable()) FThread.join();
  return FReturnValue;
}

void TThread::Synchronize(const std::function<void()>& Work) { Application->Synchronize(Work); }

}  // namespace classlib
