#pragma once
// What every end-to-end test needs: tarvisel.exe started in its own folder with COM1 on the
// simulated unit (tests/e2e/with-unit sets this up), its main window, screenshots, and the
// simulator's log of frames.
#include <functional>
#include <string>
#include <vector>

#include "tools/uidriver/UiDriver.h"

namespace e2e {

inline constexpr wchar_t kMainCaption[] = L"Конфигуратор KT.8 (ModBus RTU)";

std::wstring Env(const wchar_t* name);

class Tarvisel {
 public:
  // Starts the program and waits for its main window; the test fails if it does not appear.
  // `beforeMain` runs once the process has started, before the wait (to answer a message box
  // that start-up shows before the window).
  explicit Tarvisel(const std::function<void(DWORD pid)>& beforeMain = {});
  ~Tarvisel();
  HWND Main() const { return main_; }
  DWORD Pid() const { return process_.Id(); }
  uidriver::Process& Process() { return process_; }
  // Closes the main window as the user would and waits for the program to end.
  bool Close();
  // The folder beside the exe, where QRX.cfg lives.
  std::wstring Folder() const;

  // ---- the main window's parts ----
  HWND StatusBar() const;
  HWND Tabs() const;
  // Text of a status-bar panel: 0 connection image, 1 port, 2 result texts.
  std::wstring Status(int panel = 2) const;
  // A control inside the group box with this caption (n-th of its class, or with this text).
  HWND InGroup(const std::wstring& group, const std::wstring& className, const std::wstring& text = L"",
               int nth = 0) const;
  // Brings the page with this tab caption to the front; false when its tab is not shown.
  bool ShowPage(const std::wstring& caption);
  // Captions of the tabs now shown, left to right.
  std::vector<std::wstring> TabCaptions() const;
  // Screenshots of every page whose tab is shown, named "<name>-<n>-<caption>".
  void ShootPages(const std::wstring& name);
  // Presses a button and waits for its handler, then returns the result panel's text.
  std::wstring PressAndRead(HWND button);
  // Whether the connection image in the status bar shows the connected symbol.
  bool ConnectedImageShown() const;

 private:
  uidriver::Process process_;
  HWND main_ = nullptr;
};

// The folder the program is started from (beside tarvisel.exe).
std::wstring ProgramFolder();

// Saves the window as TARVISEL_SHOTS/<name>.bmp (the wrapper turns it into PNG).
void Screenshot(HWND wnd, const std::wstring& name);

// The simulator's frame log so far.
std::string SimulatorLog();
// Whether the simulator received this frame (hex bytes as the log writes them: "01 03 00 02").
bool SimulatorReceived(const std::string& frameStart);

// A message box of the process containing `part`, waited for up to `limit`; nullptr if none came.
HWND WaitForBox(DWORD pid, const std::wstring& part, std::chrono::milliseconds limit);

}  // namespace e2e
