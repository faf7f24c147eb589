#include "tests/e2e/E2e.h"

#include <gtest/gtest.h>

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

Tarvisel::Tarvisel() {
  const std::wstring exe = Env(L"TARVISEL_EXE");
  EXPECT_FALSE(exe.empty()) << "TARVISEL_EXE is not set: run through tests/e2e/with-unit";
  process_ = uidriver::Process::Start(exe, L"", Folder());
  main_ = uidriver::WaitForTopWindow(process_.Id(), kMainCaption, 20s);
  EXPECT_NE(main_, nullptr) << "the main window did not appear";
}

Tarvisel::~Tarvisel() { process_.Kill(); }

bool Tarvisel::Close() {
  if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
  return process_.Wait(10s);
}

std::wstring Tarvisel::Folder() const {
  const std::wstring exe = Env(L"TARVISEL_EXE");
  return exe.substr(0, exe.find_last_of(L"\\/"));
}

void Screenshot(HWND wnd, const std::wstring& name) {
  const std::wstring folder = Env(L"TARVISEL_SHOTS");
  RECT r{};
  if (folder.empty() || !GetWindowRect(wnd, &r)) return;
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
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = size;
  std::ofstream out(std::filesystem::path(folder + L"\\" + name + L".bmp"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

std::string SimulatorLog() {
  std::ifstream in(std::filesystem::path(Env(L"TARVISEL_SIM_LOG")), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace e2e
