#pragma once
// What every end-to-end test needs: tarvisel.exe started in its own folder with COM1 on the
// simulated unit (tests/e2e/with-unit sets this up), its main window, screenshots, and the
// simulator's log of frames.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/uidriver/UiDriver.h"

namespace e2e {

// How long the program may take to show its first window (a box or the main window): a first start
// in a fresh Wine prefix on a busy machine can take tens of seconds.
inline constexpr std::chrono::seconds kStartLimit{60};

inline constexpr wchar_t kMainCaption[] = L"Конфигуратор KT.8 (ModBus RTU)";
inline constexpr wchar_t kConfigGroup[] = L"Конфигурация КТ.8";
// The configuration flags' boxes, bit 0 first.
inline constexpr const wchar_t* kFlagBoxes[] = {L"Outs (реле)", L"Inputs",  L"RTC (часы)", L"ZigBee",
                                                L"DS (Term)",   L"ML (ДП)", L"Cnt"};

std::wstring Env(const wchar_t* name);
// The suite's second pass: the program runs with skinning off ("/noskin") and its screenshots are
// named "plain-<name>".
bool Plain();

class Tarvisel {
 public:
  // Starts the program and waits for its main window; the test fails if it does not appear.
  // `beforeMain` runs once the process has started, before the wait (to answer a message box
  // that start-up shows before the window). `args` is the program's command line after its name.
  explicit Tarvisel(const std::function<void(DWORD pid)>& beforeMain = {}, const std::wstring& args = L"");
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
  // Whether the connection image in the status bar shows the connected symbol (true) or the
  // disconnected one (false), read from the screen; nothing while neither is to be seen.
  std::optional<bool> ConnectionImage() const;
  // Waits until the connection image shows `connected`; false when it did not within `limit`.
  bool ConnectionImageBecomes(bool connected, std::chrono::milliseconds limit = std::chrono::seconds(5)) const;
  // The frame that "Set" of the configuration group must send for what its fields hold now:
  // register 4, two registers, then 00, the flags of the checked boxes, the input and the output
  // mask, and the CRC.
  std::string ConfigurationFrameFromFields() const;

 private:
  uidriver::Process process_;
  HWND main_ = nullptr;
};

// The folder the program is started from (beside tarvisel.exe).
std::wstring ProgramFolder();

// Saves the window as TARVISEL_SHOTS/<name>.bmp (the wrapper turns it into PNG).
void Screenshot(HWND wnd, const std::wstring& name);

// The simulator's frame log since the running test began: the tests of one program talk to the
// same simulator, and none may pass on a frame that another one sent.
std::string SimulatorLog();
// A position in that log, to look only at what comes after it.
std::size_t LogMark();
// How many frames starting so (hex bytes as the log writes them: "01 03 00 02") the simulator
// received after `since`.
int Received(const std::string& frameStart, std::size_t since = 0);
// Whether the simulator received this frame in the running test.
bool SimulatorReceived(const std::string& frameStart);
// Whether such a frame arrives after `since` within `limit`: a broadcast is not answered, so the
// program is done with it before the simulator has logged it.
bool Arrives(const std::string& frameStart, std::size_t since,
             std::chrono::milliseconds limit = std::chrono::seconds(3));
// The simulator's command-line value of `option` ("--hw-config" gives "05"), as with-unit started
// it; empty when it was not given.
std::string SimulatorOption(const std::string& option);
// The frame as the simulator logs it: the bytes and their Modbus CRC (high byte first, as the unit
// sends it), computed here bit by bit.
std::string FrameWithCrc(const std::vector<std::uint8_t>& bytes);

// A message box of the process containing `part`, waited for up to `limit`; nullptr if none came.
HWND WaitForBox(DWORD pid, const std::wstring& part, std::chrono::milliseconds limit);

}  // namespace e2e
