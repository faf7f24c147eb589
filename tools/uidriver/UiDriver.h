#pragma once
// Drives another program's windows the way a user would, for end-to-end tests: finds controls by
// window class, text and parent, clicks, types, selects, and reads texts back, including the
// texts of status bars, list views and tab controls that live in the other process's memory.
// A control that cannot be found, or a window that is gone, fails loudly (NotFound naming what
// was looked for) instead of answering false, "" or nothing, so that an assertion such as
// "disabled", "unchecked" or "empty" can never pass on a control that is not there.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace uidriver {

using namespace std::chrono_literals;

// A query that found nothing, or a window handle that names no window (any more).
class NotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A started program; the destructor ends it if it is still running.
class Process {
 public:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();

  static Process Start(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& cwd = L"");
  bool Running() const;
  DWORD Id() const { return pid_; }
  // Waits for the process to end; true when it did within the limit.
  bool Wait(std::chrono::milliseconds limit);
  std::optional<DWORD> ExitCode() const;
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Polls `ready` every 20 ms until it holds or the limit passes.
bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit);

// Top-level visible window of the process with this window text (empty: any text).
HWND WaitForTopWindow(DWORD pid, const std::wstring& text, std::chrono::milliseconds limit);
// The system's message box (class "#32770") of the process whose static text contains `part`;
// nullptr when there is none (a probe: tests wait for a box or check that none came).
HWND FindMessageBox(DWORD pid, const std::wstring& part = L"");
std::wstring MessageBoxText(HWND box);
// Presses the box's button with the given caption (or its default button when empty).
bool AnswerMessageBox(HWND box, const std::wstring& button = L"");

// Every function from here on that takes a window throws NotFound for a handle that names none.
std::wstring ClassOf(HWND wnd);
std::wstring TextOf(HWND wnd);

struct Query {
  Query(std::wstring cls = L"", std::wstring caption = L"", int nth = 0)
      : className(std::move(cls)), text(std::move(caption)), index(nth) {}
  std::wstring className;  // empty: any class
  std::wstring text;       // empty: any text
  int index;               // the n-th match in window order
};
// Searches all descendants of `root`; NotFound, naming the query, when none matches.
HWND Find(HWND root, const Query& query);
// A group box (class "Button", BS_GROUPBOX) with this caption, then the n-th control of a class
// inside it. Windows inside a group box may be its children or its siblings lying within its
// rectangle; both are searched. NotFound, naming the group and the query, when either is missing.
HWND FindInGroup(HWND root, const std::wstring& group, const Query& query);
// The same searches answering nullptr: only for waiting until a control appears or checking
// that it is not there.
HWND TryFind(HWND root, const Query& query);
HWND TryFindInGroup(HWND root, const std::wstring& group, const Query& query);
std::vector<HWND> Children(HWND root);

// Clicks a button without waiting for its handler (which may show a modal box).
void Click(HWND button);
// Clicks a button and waits until its handler has returned; false when it did not within the
// limit (a modal box it opened is still waiting for an answer, say).
bool Press(HWND button, std::chrono::milliseconds limit = 15000ms);
// Left click at a client point of a window, through the message queue.
void ClickAt(HWND wnd, POINT client);
void RightClickAt(HWND wnd, POINT client);
void SetText(HWND edit, const std::wstring& text);
// Types characters: unshifted ones as key presses (the program turns them into characters, and
// its key handlers see them), others as WM_CHAR; "\r" is Enter.
void Type(HWND edit, const std::wstring& text);
void PressKey(HWND wnd, UINT vk);
// Selects an item of a combo box and tells its parent, as a user's choice would.
void SelectComboItem(HWND combo, int index);
int ComboIndex(HWND combo);
bool IsChecked(HWND button);
bool IsEnabled(HWND wnd);
bool IsVisible(HWND wnd);
// The window that has the keyboard focus in the thread that owns `wnd` (nullptr: none).
HWND FocusedWindow(HWND wnd);

// Texts that live in the other process.
// A status-bar panel's text as shown (without the tabs that align it).
std::wstring StatusText(HWND statusBar, int panel);
int ListViewCount(HWND list);
std::wstring ListViewText(HWND list, int item, int subItem);
int TabCount(HWND tabs);
int TabIndex(HWND tabs);
std::wstring TabText(HWND tabs, int index);
// Clicks the tab with this text; false when no such tab is shown.
bool SelectTab(HWND tabs, const std::wstring& text);
// Chooses the item at this position of the process's open pop-up menu with the keyboard, as a
// user would. By position, because another process's menu texts cannot be read under Wine.
bool ChoosePopupItem(DWORD pid, int index);

// Sends a message and waits at most `limit` for the other window to answer (0 when it did not).
LRESULT SendTimeout(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, std::chrono::milliseconds limit = 5000ms);
// Whether the window's thread takes and answers a message within `limit`.
bool Answers(HWND wnd, std::chrono::milliseconds limit);

}  // namespace uidriver
