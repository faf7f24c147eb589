#include "app/link/Serialport.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cwchar>
#include <utility>

namespace {

constexpr wchar_t PortUnavailableText[] = L"ПОРТ НЕДОСТУПЕН";
constexpr wchar_t PortUnavailableCaption[] = L"ВНИМАНИЕ";
constexpr DWORD PurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr DWORD PurgeInput = PURGE_RXABORT | PURGE_RXCLEAR;
constexpr DWORD WriteWaitMs = 500;
constexpr DWORD ReadWaitMs = 5000;
constexpr unsigned ReadByteLimitSeconds = 2;

// Owns one kernel handle.
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.h_, nullptr));
    return *this;
  }
  ~Handle() { Reset(); }
  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(HANDLE h = nullptr) {
    if (h_) CloseHandle(h_);
    h_ = h;
  }
  HANDLE Release() { return std::exchange(h_, nullptr); }

 private:
  HANDLE h_ = nullptr;
};

void ShowMessageBox(const wchar_t* text, const wchar_t* caption) {
  MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
}

// Module state: one port for the process.
Handle port;
Handle byteEvent;   // manual-reset, for the single-byte waits of the open port
Handle writeEvent;  // auto-reset, for the writes of the open port
DCB lineSettings{};
DWORD lastError = 0;
COMSTAT comStatus{};
DWORD eventMask = 0;
ComMessageBoxFn showMessage = ShowMessageBox;

// Bytes the driver had already queued, fetched in one read and handed out one at a time.
std::array<std::uint8_t, 64> readAhead{};
std::size_t readAheadBegin = 0;
std::size_t readAheadEnd = 0;

void DropReadAhead() { readAheadBegin = readAheadEnd = 0; }
bool HaveReadAhead() { return readAheadBegin < readAheadEnd; }

// The unit's line: the whole record is written, so nothing another program left in the driver
// (XON/XOFF, hardware handshake, parity checking, null stripping, error replacement, abort on
// error) can swallow or alter bytes of a binary frame.
void ApplyUnitLineSettings(DCB& dcb) {
  const WORD xonLimit = dcb.XonLim;
  const WORD xoffLimit = dcb.XoffLim;
  dcb = DCB{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = CBR_9600;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fAbortOnError = FALSE;
  // Buffer thresholds mean nothing without flow control, but drivers check them against their
  // buffer sizes: keep what the driver had.
  dcb.XonLim = xonLimit;
  dcb.XoffLim = xoffLimit;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = TWOSTOPBITS;
  dcb.XonChar = 0x11;  // must differ from XoffChar even when unused
  dcb.XoffChar = 0x13;
  dcb.ErrorChar = 0;
  dcb.EofChar = 0;
  dcb.EvtChar = 0;
}

struct TransferResult {
  DWORD done = 0;
  bool failed = false;     // the port refused the request or reported an error
  bool cancelled = false;  // the wait ended first and the request was cancelled
};

// One overlapped transfer awaited at most waitMs. A request still pending then is cancelled and
// its completion awaited before returning, so it can never complete into the caller's released
// buffer or OVERLAPPED.
TransferResult Transfer(bool write, void* buffer, DWORD count, HANDLE event, DWORD waitMs) {
  TransferResult result;
  OVERLAPPED overlapped{};
  overlapped.hEvent = event;
  const BOOL started = write ? WriteFile(port.Get(), buffer, count, nullptr, &overlapped)
                             : ReadFile(port.Get(), buffer, count, nullptr, &overlapped);
  if (!started && GetLastError() != ERROR_IO_PENDING) {
    result.failed = true;
    return result;
  }
  if (WaitForSingleObject(event, waitMs) != WAIT_OBJECT_0) {
    CancelIoEx(port.Get(), &overlapped);
    result.cancelled = true;
  }
  if (!GetOverlappedResult(port.Get(), &overlapped, &result.done, TRUE) && GetLastError() != ERROR_OPERATION_ABORTED) {
    result.failed = true;
  }
  return result;
}

bool QueuedInput(DWORD& queued) {
  DWORD errors = 0;
  if (!ClearCommError(port.Get(), &errors, &comStatus)) return false;
  queued = comStatus.cbInQue;
  return true;
}

class SerialLine : public app::link::ByteLine {
 public:
  bool Send(std::span<const std::uint8_t> bytes) override { return ComWrite(bytes); }
  app::link::LineWait WaitByte(std::uint8_t& out, app::link::Millis limit) override {
    return ComWaitByteFor(out, limit);
  }
  void Flush() override { ComFlush(); }
};

}  // namespace

ComMessageBoxFn ComSetMessageBox(ComMessageBoxFn show) {
  return std::exchange(showMessage, show ? show : ShowMessageBox);
}

bool ComIsOpen() { return static_cast<bool>(port); }

bool ComOpen(std::uint8_t number) {
  if (number == 0 || number > 32) return false;
  wchar_t name[16];
  std::swprintf(name, 16, L"\\\\.\\COM%d", number);
  if (port && !ComClose()) return false;

  Handle opened(
      CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
  Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  Handle written(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!opened || !event || !written) {
    showMessage(PortUnavailableText, PortUnavailableCaption);
    return false;
  }
  PurgeComm(opened.Get(), PurgeAll);
  lineSettings = DCB{};
  lineSettings.DCBlength = sizeof(DCB);
  GetCommState(opened.Get(), &lineSettings);
  ApplyUnitLineSettings(lineSettings);
  SetCommState(opened.Get(), &lineSettings);

  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 3000;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 3000;
  if (!SetCommTimeouts(opened.Get(), &timeouts)) {
    opened.Reset();
    showMessage(PortUnavailableText, PortUnavailableCaption);
    return false;
  }
  SetCommMask(opened.Get(), EV_RXCHAR | EV_TXEMPTY);
  GetCommMask(opened.Get(), &eventMask);

  port = std::move(opened);
  byteEvent = std::move(event);
  writeEvent = std::move(written);
  DropReadAhead();
  Sleep(60);
  return true;
}

bool ComClose() {
  if (!port) return true;
  DWORD errors = 0;
  ClearCommError(port.Get(), &errors, &comStatus);
  lastError = errors;
  if (!CloseHandle(port.Get())) {
    lastError = GetLastError();
    return false;
  }
  port.Release();
  byteEvent.Reset();
  writeEvent.Reset();
  DropReadAhead();
  return true;
}

bool ComWrite(std::span<const std::uint8_t> bytes) {
  // Every write starts from clean input: whatever has queued up belongs to nothing now. The output
  // side is left alone: a frame that awaits no answer (a broadcast, a host-link write, a character
  // of an envelope) may still be leaving the port, and clearing the transmit queue would cut it.
  if (port) PurgeComm(port.Get(), PurgeInput);
  DropReadAhead();
  if (!port) return false;
  if (bytes.empty()) return true;
  const DWORD count = static_cast<DWORD>(bytes.size());
  const TransferResult r =
      Transfer(true, const_cast<std::uint8_t*>(bytes.data()), count, writeEvent.Get(), WriteWaitMs);
  return !r.failed && r.done == count;
}

std::size_t ComRead(std::span<std::uint8_t> buffer) {
  std::size_t n = 0;
  while (n < buffer.size() && HaveReadAhead()) buffer[n++] = readAhead[readAheadBegin++];
  if (n == buffer.size() || !port) return n;
  Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) return n;
  const DWORD rest = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - n, MAXDWORD));
  return n + Transfer(false, buffer.data() + n, rest, event.Get(), ReadWaitMs).done;
}

bool ComHasInput() {
  if (HaveReadAhead()) return true;
  DWORD queued = 0;
  return port && QueuedInput(queued) && queued > 0;
}

app::link::LineWait ComWaitByteFor(std::uint8_t& out, app::link::Millis limit) {
  out = 0xFF;
  if (HaveReadAhead()) {
    out = readAhead[readAheadBegin++];
    return app::link::LineWait::Byte;
  }
  if (!port) return app::link::LineWait::Failed;
  DropReadAhead();
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + limit;
  for (;;) {
    DWORD queued = 0;
    if (!QueuedInput(queued)) return app::link::LineWait::Failed;
    // What is queued already comes in one read; otherwise a one-byte read that the system
    // completes when the byte arrives, while this thread sleeps in the wait.
    const DWORD want = std::clamp<DWORD>(queued, 1, readAhead.size());
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const auto begun = Clock::now();
    const TransferResult r = Transfer(false, readAhead.data(), want, byteEvent.Get(),
                                      static_cast<DWORD>(std::clamp<long long>(left, 0, 86'400'000)));
    if (r.done > 0) {
      readAheadBegin = 1;
      readAheadEnd = r.done;
      out = readAhead[0];
      return app::link::LineWait::Byte;
    }
    if (r.failed) return app::link::LineWait::Failed;
    if (r.cancelled || Clock::now() >= deadline) return app::link::LineWait::TimedOut;
    // The driver's own read time-out (3 s) ended an empty read before our limit: read again. A
    // driver that ends empty reads at once would make this spin, so it counts as a dead port.
    if (Clock::now() - begun < std::chrono::milliseconds(100)) return app::link::LineWait::Failed;
  }
}

bool ComWaitByte(std::uint8_t& out, unsigned limitSeconds) {
  return ComWaitByteFor(out, app::link::Millis{1000LL * limitSeconds}) == app::link::LineWait::Byte;
}

std::uint8_t ComReadByte() {
  std::uint8_t byte = 0xFF;
  ComWaitByte(byte, ReadByteLimitSeconds);
  return byte;
}

void ComFlush() {
  if (port) FlushFileBuffers(port.Get());
}

DCB& ComLineSettings() { return lineSettings; }

bool ComReadLineSettings() {
  lineSettings.DCBlength = sizeof(DCB);
  return port && GetCommState(port.Get(), &lineSettings);
}

bool ComWriteLineSettings() { return port && SetCommState(port.Get(), &lineSettings); }

bool ComSetStopBits(BYTE stopBits) {
  ComReadLineSettings();
  lineSettings.StopBits = stopBits;
  lineSettings.Parity = NOPARITY;
  return ComWriteLineSettings();
}

DWORD ComLastError() { return lastError; }

app::link::ByteLine& ComLine() {
  static SerialLine line;
  return line;
}
