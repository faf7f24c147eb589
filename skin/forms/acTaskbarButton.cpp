#include "skin/forms/acTaskbarButton.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace skin {

namespace {

HWND SystemShellTray() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

TacShellTrayFinder g_trayFinder = &SystemShellTray;

struct HandleClose {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using ProcessHandle = std::unique_ptr<void, HandleClose>;

// A buffer in another process, released with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE Process, SIZE_T Size)
      : process_(Process), data_(VirtualAllocEx(Process, nullptr, Size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (data_ != nullptr) VirtualFreeEx(process_, data_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  void* get() const { return data_; }
  bool Read(void* To, SIZE_T Size) const { return ReadFrom(reinterpret_cast<std::uintptr_t>(data_), To, Size); }
  bool ReadFrom(std::uint64_t Address, void* To, SIZE_T Size) const {
    // An address this process cannot name (a 64-bit shell seen from 32 bits) is not read.
    if (Address == 0 || Address > UINTPTR_MAX) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(Address)), To, Size,
                             &done) &&
           done == Size;
  }

 private:
  HANDLE process_;
  void* data_;
};

// The button record as the shell's tool bar writes it: 20 bytes in a 32-bit shell, 32 in a 64-bit
// one (the reserved bytes pad the data pointer to its size).
struct ShellButton {
  std::uint8_t State = 0;
  std::uint8_t Style = 0;
  std::uint64_t Data = 0;
};

bool ProcessIs64Bit(HANDLE Process) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(Process, &wow64)) return sizeof(void*) == 8;
  if (wow64) return false;
  // Not under WOW64: as wide as the system, which a 32-bit process sees from WOW64 itself.
  BOOL selfWow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &selfWow64);
  return sizeof(void*) == 8 || selfWow64;
}

bool ReadButton(const RemoteBuffer& Buffer, bool Shell64, ShellButton& Button) {
  std::uint8_t raw[32] = {};
  const SIZE_T size = Shell64 ? 32 : 20;
  if (!Buffer.Read(raw, size)) return false;
  Button.State = raw[8];
  Button.Style = raw[9];
  if (Shell64) {
    std::memcpy(&Button.Data, raw + 16, 8);
  } else {
    std::uint32_t data = 0;
    std::memcpy(&data, raw + 12, 4);
    Button.Data = data;
  }
  return true;
}

constexpr std::uint8_t kSkippedStyles = 0x01 | 0x04 | 0x08;  // separator, group, drop-down
constexpr std::uint8_t kHiddenState = 0x08;

}  // namespace

void SetShellTrayFinder(TacShellTrayFinder Finder) { g_trayFinder = Finder != nullptr ? Finder : &SystemShellTray; }

HWND ShellTrayWnd() { return g_trayFinder(); }

classlib::TRect TaskbarButtonRect(HWND Tray, HWND Target) {
  const classlib::TRect none{};
  if (Tray == nullptr || Target == nullptr) return none;
  HWND w = Tray;
  for (const wchar_t* cls : {L"ReBarWindow32", L"MSTaskSwWClass", L"ToolbarWindow32"}) {
    w = FindWindowExW(w, nullptr, cls, nullptr);
    if (w == nullptr) return none;
  }
  const HWND toolBar = w;
  const LRESULT count = SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0);
  if (count < 1) return none;
  DWORD pid = 0;
  if (GetWindowThreadProcessId(toolBar, &pid) == 0 || pid == 0) return none;
  // Reading the shell's answers and managing one buffer there is all that is needed.
  const ProcessHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return none;
  const RemoteBuffer buffer(process.get(), 4096);
  if (buffer.get() == nullptr) return none;
  const bool shell64 = ProcessIs64Bit(process.get());
  for (LRESULT i = 0; i < count; ++i) {
    if (!SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.get()))) continue;
    ShellButton button;
    if (!ReadButton(buffer, shell64, button)) continue;
    if ((button.Style & kSkippedStyles) != 0 || (button.State & kHiddenState) != 0) continue;
    // The button's data starts with the window it stands for; window handles fit 32 bits.
    std::uint32_t wnd = 0;
    if (!buffer.ReadFrom(button.Data, &wnd, sizeof wnd)) continue;
    if (wnd != static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Target))) continue;
    if (!SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.get())))
      return none;
    RECT r{};
    if (!buffer.Read(&r, sizeof r)) return none;
    RECT bar{};
    GetWindowRect(toolBar, &bar);
    return {r.left + bar.left, r.top + bar.top, r.right + bar.left, r.bottom + bar.top};
  }
  return none;
}

}  // namespace skin
