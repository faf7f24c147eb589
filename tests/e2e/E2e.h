#pragma once
// What every end-to-end test needs: tarvisel.exe started in its own folder with COM1 on the
// simulated unit (tests/e2e/with-unit sets this up), its main window, screenshots, and the
// simulator's log of frames.
#include <string>

#include "tools/uidriver/UiDriver.h"

namespace e2e {

inline constexpr wchar_t kMainCaption[] = L"Конфигуратор KT.8 (ModBus RTU)";

std::wstring Env(const wchar_t* name);

class Tarvisel {
 public:
  // Starts the program and waits for its main window; the test fails if it does not appear.
  Tarvisel();
  ~Tarvisel();
  HWND Main() const { return main_; }
  DWORD Pid() const { return process_.Id(); }
  uidriver::Process& Process() { return process_; }
  // Closes the main window as the user would and waits for the program to end.
  bool Close();
  // The folder beside the exe, where QRX.cfg lives.
  std::wstring Folder() const;

 private:
  uidriver::Process process_;
  HWND main_ = nullptr;
};

// Saves the window as TARVISEL_SHOTS/<name>.bmp (the wrapper turns it into PNG).
void Screenshot(HWND wnd, const std::wstring& name);

// The simulator's frame log so far.
std::string SimulatorLog();

}  // namespace e2e
