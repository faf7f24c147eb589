#include "tools/uidriver/UiDriver.h"

#include <commctrl.h>

#include <thread>

namespace uidriver {
namespace {

// A block of memory inside the other process, for messages whose arguments are pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND wnd, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool Ok() const { return address_ != nullptr; }
  void* Address() const { return address_; }
  LPARAM Param(std::size_t offset = 0) const {
    return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
  }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0) {
    SIZE_T done = 0;
    return offset + size <= size_ &&
           WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
  }
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const {
    SIZE_T done = 0;
    return offset + size <= size_ &&
           ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

constexpr std::size_t kTextChars = 1024;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The handle itself when it names a window; NotFound otherwise. `use` tells what it was for.
HWND Existing(HWND wnd, const char* use) {
  if (!wnd || !IsWindow(wnd)) throw NotFound(std::string(use) + ": no such window (a control that was not found?)");
  return wnd;
}

LRESULT Send(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, std::chrono::milliseconds limit = 5000ms) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, static_cast<UINT>(limit.count()), &result)) return 0;
  return static_cast<LRESULT>(result);
}

std::wstring ClassName(HWND wnd) {
  wchar_t name[256] = {};
  GetClassNameW(wnd, name, 256);
  return name;
}

std::wstring WindowText(HWND wnd) {
  const LRESULT length = Send(wnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  Send(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// "the Button "Get" (match 2)" as a test failure names it.
std::string Described(const Query& q) {
  std::string text = q.className.empty() ? "a window" : "a " + Utf8(q.className);
  if (!q.text.empty()) text += " \"" + Utf8(q.text) + "\"";
  if (q.index > 0) text += " (match " + std::to_string(q.index + 1) + ")";
  return text;
}

std::string Where(HWND root) { return " in the " + Utf8(ClassName(root)) + " \"" + Utf8(WindowText(root)) + "\""; }

std::wstring ReadRemoteText(const RemoteBuffer& buffer, std::size_t offset) {
  std::wstring text(kTextChars, L'\0');
  if (!buffer.Read(text.data(), kTextChars * sizeof(wchar_t), offset)) return {};
  text.resize(wcsnlen(text.c_str(), kTextChars));
  return text;
}

struct TopSearch {
  DWORD pid;
  const std::wstring* text;
  const std::wstring* className;
  HWND found;
};

BOOL CALLBACK TopProc(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !IsWindowVisible(wnd)) return TRUE;
  if (!s->className->empty() && ClassName(wnd) != *s->className) return TRUE;
  if (!s->text->empty() && WindowText(wnd) != *s->text) return TRUE;
  s->found = wnd;
  return FALSE;
}

HWND FindTop(DWORD pid, const std::wstring& className, const std::wstring& text) {
  TopSearch s{pid, &text, &className, nullptr};
  EnumWindows(TopProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool Matches(HWND wnd, const Query& q) {
  return (q.className.empty() || _wcsicmp(ClassName(wnd).c_str(), q.className.c_str()) == 0) &&
         (q.text.empty() || WindowText(wnd) == q.text);
}

RECT ScreenRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

bool Inside(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

Process::Process(Process&& other) noexcept : process_(other.process_), pid_(other.pid_) {
  other.process_ = nullptr;
  other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    if (process_) CloseHandle(process_);
    process_ = other.process_;
    pid_ = other.pid_;
    other.process_ = nullptr;
    other.pid_ = 0;
  }
  return *this;
}

Process::~Process() {
  Kill();
  if (process_) CloseHandle(process_);
}

Process Process::Start(const std::wstring& exe, const std::wstring& args, const std::wstring& cwd) {
  std::wstring command = L"\"" + exe + L"\"";
  if (!args.empty()) command += L" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Process p;
  if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     cwd.empty() ? nullptr : cwd.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    p.process_ = pi.hProcess;
    p.pid_ = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 10000);
  }
  return p;
}

bool Process::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Process::Wait(std::chrono::milliseconds limit) {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  DWORD code = 0;
  if (!process_ || !GetExitCodeProcess(process_, &code) || code == STILL_ACTIVE) return std::nullopt;
  return code;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
}

bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(20ms);
  }
}

HWND WaitForTopWindow(DWORD pid, const std::wstring& text, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTop(pid, L"", text)) != nullptr; }, limit);
  return found;
}

namespace {

struct BoxSearch {
  DWORD pid;
  const std::wstring* part;
  HWND found;
};

BOOL CALLBACK BoxProc(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<BoxSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !IsWindowVisible(wnd) || ClassName(wnd) != L"#32770") return TRUE;
  if (!s->part->empty() && MessageBoxText(wnd).find(*s->part) == std::wstring::npos) return TRUE;
  s->found = wnd;
  return FALSE;
}

BOOL CALLBACK CollectProc(HWND wnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(wnd);
  return TRUE;
}

}  // namespace

HWND FindMessageBox(DWORD pid, const std::wstring& part) {
  BoxSearch s{pid, &part, nullptr};
  EnumWindows(BoxProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  for (HWND child : Children(box))
    if (ClassName(child) == L"Static") text += WindowText(child);
  return text;
}

bool AnswerMessageBox(HWND box, const std::wstring& button) {
  for (HWND child : Children(Existing(box, "AnswerMessageBox"))) {
    if (ClassName(child) != L"Button") continue;
    if (button.empty() || WindowText(child) == button) {
      PostMessageW(child, BM_CLICK, 0, 0);
      return true;
    }
  }
  return PostMessageW(box, WM_COMMAND, IDOK, 0) != 0;
}

std::wstring ClassOf(HWND wnd) { return ClassName(Existing(wnd, "ClassOf")); }

std::wstring TextOf(HWND wnd) { return WindowText(Existing(wnd, "TextOf")); }

std::vector<HWND> Children(HWND root) {
  std::vector<HWND> all;
  EnumChildWindows(Existing(root, "Children"), CollectProc, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND TryFind(HWND root, const Query& query) {
  int seen = 0;
  for (HWND wnd : Children(root))
    if (Matches(wnd, query) && seen++ == query.index) return wnd;
  return nullptr;
}

HWND Find(HWND root, const Query& query) {
  if (HWND wnd = TryFind(root, query)) return wnd;
  throw NotFound("not found: " + Described(query) + Where(root));
}

HWND FindInGroup(HWND root, const std::wstring& group, const Query& query) {
  if (!TryFind(root, {L"Button", group, 0}))
    throw NotFound("not found: the group box \"" + Utf8(group) + "\"" + Where(root));
  if (HWND wnd = TryFindInGroup(root, group, query)) return wnd;
  throw NotFound("not found: " + Described(query) + " in the group box \"" + Utf8(group) + "\"" + Where(root));
}

HWND TryFindInGroup(HWND root, const std::wstring& group, const Query& query) {
  HWND box = TryFind(root, {L"Button", group, 0});
  if (!box) return nullptr;
  const RECT area = ScreenRect(box);
  int seen = 0;
  for (HWND wnd : Children(root)) {
    if (wnd == box || !Matches(wnd, query)) continue;
    if (!IsChild(box, wnd) && !Inside(area, ScreenRect(wnd))) continue;
    if (seen++ == query.index) return wnd;
  }
  return nullptr;
}

void Click(HWND button) { PostMessageW(Existing(button, "Click"), BM_CLICK, 0, 0); }

bool Press(HWND button, std::chrono::milliseconds limit) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(Existing(button, "Press"), BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(limit.count()),
                             &result) != 0;
}

void ClickAt(HWND wnd, POINT p) {
  Existing(wnd, "ClickAt");
  const LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageW(wnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(wnd, WM_LBUTTONUP, 0, at);
}

void RightClickAt(HWND wnd, POINT p) {
  Existing(wnd, "RightClickAt");
  const LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageW(wnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(wnd, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(wnd, WM_RBUTTONUP, 0, at);
}

void SetText(HWND edit, const std::wstring& text) {
  Send(Existing(edit, "SetText"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The other program's message loop translates a key press into its character itself
// (TranslateMessage), so only the key messages are posted.
void PressKey(HWND wnd, UINT vk) {
  PostMessageW(Existing(wnd, "PressKey"), WM_KEYDOWN, vk, 1);
  PostMessageW(wnd, WM_KEYUP, vk, 0xC0000001);
}

void Type(HWND edit, const std::wstring& text) {
  Existing(edit, "Type");
  for (wchar_t c : text) {
    if (c == L'\r') {
      PressKey(edit, VK_RETURN);
      continue;
    }
    // A key that gives the character without Shift or another modifier is pressed, and the
    // program's own translation makes the character; any other character comes as itself.
    // The translation queues the character behind what is queued already, so each key waits
    // until the field has taken it (or refused it) before the next one goes.
    const std::wstring before = WindowText(edit);
    const SHORT vk = VkKeyScanW(c);
    if (vk != -1 && HIBYTE(vk) == 0) {
      PressKey(edit, LOBYTE(vk));
    } else {
      PostMessageW(edit, WM_CHAR, c, 1);
    }
    WaitUntil([&] { return WindowText(edit) != before; }, 500ms);
  }
}

void SelectComboItem(HWND combo, int index) {
  Send(Existing(combo, "SelectComboItem"), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

int ComboIndex(HWND combo) { return static_cast<int>(Send(Existing(combo, "ComboIndex"), CB_GETCURSEL, 0, 0)); }

bool IsChecked(HWND button) { return Send(Existing(button, "IsChecked"), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool IsEnabled(HWND wnd) { return IsWindowEnabled(Existing(wnd, "IsEnabled")) != FALSE; }
bool IsVisible(HWND wnd) { return IsWindowVisible(Existing(wnd, "IsVisible")) != FALSE; }

HWND FocusedWindow(HWND wnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(Existing(wnd, "FocusedWindow"), nullptr), &info) ? info.hwndFocus
                                                                                                    : nullptr;
}

std::wstring StatusText(HWND bar, int panel) {
  RemoteBuffer buffer(Existing(bar, "StatusText"), kTextChars * sizeof(wchar_t));
  if (!buffer.Ok()) return {};
  const LRESULT info = Send(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
  if (LOWORD(info) >= kTextChars) return {};
  Send(bar, SB_GETTEXTW, static_cast<WPARAM>(panel), buffer.Param());
  // Leading tabs only align the text (one centres it, two put it on the right).
  std::wstring text = ReadRemoteText(buffer, 0);
  text.erase(0, text.find_first_not_of(L'\t'));
  return text;
}

int ListViewCount(HWND list) { return static_cast<int>(Send(Existing(list, "ListViewCount"), LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewText(HWND list, int item, int subItem) {
  RemoteBuffer buffer(Existing(list, "ListViewText"), sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!buffer.Ok()) return {};
  LVITEMW lv{};
  lv.iSubItem = subItem;
  lv.cchTextMax = static_cast<int>(kTextChars);
  lv.pszText = reinterpret_cast<LPWSTR>(buffer.Param(sizeof(LVITEMW)));
  buffer.Write(&lv, sizeof lv);
  Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), buffer.Param());
  return ReadRemoteText(buffer, sizeof(LVITEMW));
}

int TabCount(HWND tabs) { return static_cast<int>(Send(Existing(tabs, "TabCount"), TCM_GETITEMCOUNT, 0, 0)); }
int TabIndex(HWND tabs) { return static_cast<int>(Send(Existing(tabs, "TabIndex"), TCM_GETCURSEL, 0, 0)); }

std::wstring TabText(HWND tabs, int index) {
  RemoteBuffer buffer(Existing(tabs, "TabText"), sizeof(TCITEMW) + kTextChars * sizeof(wchar_t));
  if (!buffer.Ok()) return {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.cchTextMax = static_cast<int>(kTextChars);
  item.pszText = reinterpret_cast<LPWSTR>(buffer.Param(sizeof(TCITEMW)));
  buffer.Write(&item, sizeof item);
  Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), buffer.Param());
  return ReadRemoteText(buffer, sizeof(TCITEMW));
}

bool SelectTab(HWND tabs, const std::wstring& text) {
  for (int i = 0; i < TabCount(tabs); ++i) {
    if (TabText(tabs, i) != text) continue;
    RemoteBuffer buffer(tabs, sizeof(RECT));
    RECT r{};
    if (!buffer.Ok() || !Send(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), buffer.Param()) ||
        !buffer.Read(&r, sizeof r))
      return false;
    ClickAt(tabs, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return true;
  }
  return false;
}

bool ChoosePopupItem(DWORD pid, int index) {
  HWND menuWnd = nullptr;
  if (!WaitUntil([&] { return (menuWnd = FindTop(pid, L"#32768", L"")) != nullptr; }, 3000ms)) return false;
  // The menu's modal loop reads the keyboard from its thread's queue: walk down to the item.
  for (int k = 0; k <= index; ++k) PostMessageW(menuWnd, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(menuWnd, WM_KEYDOWN, VK_RETURN, 1);
  return true;
}

LRESULT SendTimeout(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, std::chrono::milliseconds limit) {
  return Send(Existing(wnd, "SendTimeout"), msg, wp, lp, limit);
}

bool Answers(HWND wnd, std::chrono::milliseconds limit) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(Existing(wnd, "Answers"), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(limit.count()), &result) != 0;
}

}  // namespace uidriver
