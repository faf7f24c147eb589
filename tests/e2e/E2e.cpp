#include "tests/e2e/E2e.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[2048];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

bool Plain() { return Env(L"TARVISEL_E2E_PLAIN") == L"1"; }

Tarvisel::Tarvisel(const std::function<void(DWORD pid)>& beforeMain, const std::wstring& args) {
  const std::wstring exe = Env(L"TARVISEL_EXE");
  EXPECT_FALSE(exe.empty()) << "TARVISEL_EXE is not set: run through tests/e2e/with-unit";
  process_ = uidriver::Process::Start(exe, Plain() ? args + L" /noskin" : args, Folder());
  if (beforeMain) beforeMain(process_.Id());
  main_ = uidriver::WaitForTopWindow(process_.Id(), kMainCaption, kStartLimit);
  EXPECT_NE(main_, nullptr) << "the main window did not appear";
}

Tarvisel::~Tarvisel() { process_.Kill(); }

bool Tarvisel::Close() {
  if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
  return process_.Wait(10s);
}

std::wstring Tarvisel::Folder() const { return ProgramFolder(); }

std::wstring ProgramFolder() {
  const std::wstring exe = Env(L"TARVISEL_EXE");
  return exe.substr(0, exe.find_last_of(L"\\/"));
}

void Screenshot(HWND wnd, const std::wstring& name) {
  const std::wstring folder = Env(L"TARVISEL_SHOTS");
  RECT r{};
  if (folder.empty() || !GetWindowRect(wnd, &r)) return;
  const std::wstring path = folder + L"\\" + (Plain() ? L"plain-" : L"") + name + L".bmp";
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  const DWORD stride = ((w * 3 + 3) & ~3u), size = stride * h;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = size;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

namespace {

std::string WholeLog() {
  std::ifstream in(std::filesystem::path(Env(L"TARVISEL_SIM_LOG")), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t logStart = 0;  // the log's size when the running test began

// Every test starts afresh whatever ran before it in the same program: it sees only the frames
// logged from its start, and no settings file that an earlier run of the program wrote on exit.
class FreshStart : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    logStart = WholeLog().size();
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(ProgramFolder()) / L"QRX.cfg", ignored);
  }
};
[[maybe_unused]] const bool freshStartListens = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);  // the listener list owns it
  return true;
}();

}  // namespace

std::string SimulatorLog() {
  const std::string log = WholeLog();
  return log.size() >= logStart ? log.substr(logStart) : std::string();
}

std::size_t LogMark() { return SimulatorLog().size(); }

int Received(const std::string& frameStart, std::size_t since) {
  const std::string log = SimulatorLog(), line = "RX " + frameStart;
  int count = 0;
  for (auto at = log.find(line, since); at != std::string::npos; at = log.find(line, at + 1)) ++count;
  return count;
}

bool Arrives(const std::string& frameStart, std::size_t since, std::chrono::milliseconds limit) {
  return uidriver::WaitUntil([&] { return Received(frameStart, since) > 0; }, limit);
}

std::string SimulatorOption(const std::string& option) {
  const std::wstring wide = Env(L"TARVISEL_SIM_ARGS");
  std::istringstream args(std::string(wide.begin(), wide.end()));
  for (std::string word; args >> word;)
    if (word == option && args >> word) return word;
  return {};
}

std::string FrameWithCrc(const std::vector<std::uint8_t>& bytes) {
  unsigned crc = 0xFFFF;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  std::vector<std::uint8_t> frame = bytes;
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  std::string text;
  char hex[4];
  for (std::size_t i = 0; i < frame.size(); ++i) {
    std::snprintf(hex, sizeof hex, i ? " %02X" : "%02X", frame[i]);
    text += hex;
  }
  return text;
}

}  // namespace e2e

namespace e2e {

HWND Tarvisel::StatusBar() const { return uidriver::Find(main_, {L"msctls_statusbar32"}); }

HWND Tarvisel::Tabs() const { return uidriver::Find(main_, {L"SysTabControl32"}); }

std::wstring Tarvisel::Status(int panel) const { return uidriver::StatusText(StatusBar(), panel); }

HWND Tarvisel::InGroup(const std::wstring& group, const std::wstring& className, const std::wstring& text,
                       int nth) const {
  return uidriver::FindInGroup(main_, group, {className, text, nth});
}

std::vector<std::wstring> Tarvisel::TabCaptions() const {
  std::vector<std::wstring> captions;
  HWND tabs = Tabs();
  for (int i = 0; i < uidriver::TabCount(tabs); ++i) captions.push_back(uidriver::TabText(tabs, i));
  return captions;
}

bool Tarvisel::ShowPage(const std::wstring& caption) {
  HWND tabs = Tabs();
  if (!uidriver::SelectTab(tabs, caption)) return false;
  const bool shown =
      uidriver::WaitUntil([&] { return uidriver::TabText(tabs, uidriver::TabIndex(tabs)) == caption; }, 3s);
  // Let the page paint before anyone looks at it.
  uidriver::SendTimeout(main_, WM_NULL, 0, 0);
  Sleep(200);
  return shown;
}

void Tarvisel::ShootPages(const std::wstring& name) {
  const auto captions = TabCaptions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!ShowPage(captions[i])) continue;
    Screenshot(main_, name + L"-" + std::to_wstring(i) + L"-" + captions[i]);
  }
}

std::wstring Tarvisel::PressAndRead(HWND button) {
  EXPECT_TRUE(uidriver::Press(button)) << "the handler did not return";
  return Status();
}

std::optional<bool> Tarvisel::ConnectionImage() const {
  HWND bar = StatusBar();
  POINT origin{22, 3};
  ClientToScreen(bar, &origin);
  HDC screen = GetDC(nullptr);
  int green = 0, red = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const COLORREF c = GetPixel(screen, origin.x + x, origin.y + y);
      const int r = GetRValue(c), g = GetGValue(c);
      if (g > r + 60) ++green;
      if (r > g + 60) ++red;
    }
  ReleaseDC(nullptr, screen);
  if (green == red) return std::nullopt;
  return green > red;
}

bool Tarvisel::ConnectionImageBecomes(bool connected, std::chrono::milliseconds limit) const {
  return uidriver::WaitUntil([&] { return ConnectionImage() == connected; }, limit);
}

std::string Tarvisel::ConfigurationFrameFromFields() const {
  std::uint8_t flags = 0;
  for (int bit = 0; bit < 7; ++bit)
    if (uidriver::IsChecked(InGroup(kConfigGroup, L"Button", kFlagBoxes[bit]))) flags |= 1u << bit;
  const auto mask = [&](int field) {
    return static_cast<std::uint8_t>(
        std::stoul(uidriver::TextOf(InGroup(kConfigGroup, L"Edit", L"", field)), nullptr, 16));
  };
  return FrameWithCrc({0x01, 0x10, 0x00, 0x04, 0x00, 0x02, 0x04, 0x00, flags, mask(1), mask(2)});
}

bool SimulatorReceived(const std::string& frameStart) { return Received(frameStart) > 0; }

HWND WaitForBox(DWORD pid, const std::wstring& part, std::chrono::milliseconds limit) {
  HWND box = nullptr;
  uidriver::WaitUntil([&] { return (box = uidriver::FindMessageBox(pid, part)) != nullptr; }, limit);
  return box;
}

}  // namespace e2e
