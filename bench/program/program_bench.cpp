// Times tarvisel.exe as a user meets it, skinned and with skinning off ("/noskin"), in alternating
// rounds so that both modes share the machine's state. A window counts as painted when neither it
// nor any of its child windows has an update region left: the program has answered every paint the
// change caused. Prints the median of each measure per mode and the ratio skinned ÷ plain.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Win32Clock.h"
#include "tools/uidriver/UiDriver.h"

namespace {

constexpr wchar_t kMainCaption[] = L"Конфигуратор KT.8 (ModBus RTU)";
constexpr DWORD kLimitMs = 60000;

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[2048];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
  return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

BOOL CALLBACK AnyUpdate(HWND wnd, LPARAM found) {
  if (IsWindowVisible(wnd) && GetUpdateRect(wnd, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool Painted(HWND main) {
  if (!IsWindowVisible(main) || GetUpdateRect(main, nullptr, FALSE)) return false;
  bool pending = false;
  EnumChildWindows(main, AnyUpdate, reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

// Waits until `main` is painted and its thread answers; false on the time-out.
bool WaitPainted(HWND main) {
  const DWORD start = GetTickCount();
  while (!Painted(main)) {
    if (GetTickCount() - start > kLimitMs) return false;
    Sleep(0);
  }
  DWORD_PTR ignored;
  return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_BLOCK, kLimitMs, &ignored) != 0;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Wine keeps no processor times of other processes (it answers 0): there the program's Linux
// process is read instead, through the drive that maps the root (fields 14 and 15 of
// /proc/PID/stat, in ticks of 1/100 s). Negative when neither answers.
double LinuxCpuSeconds() {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double seconds = -1;
  do {
    const std::wstring pid = found.cFileName;
    if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    std::FILE* cmd = _wfopen((L"Z:\\proc\\" + pid + L"\\cmdline").c_str(), L"rb");
    if (cmd == nullptr) continue;
    char line[4096] = {};
    const std::size_t n = std::fread(line, 1, sizeof line - 1, cmd);
    std::fclose(cmd);
    std::string text(line, n);
    std::replace(text.begin(), text.end(), '\0', ' ');
    if (text.find("tarvisel.exe") == std::string::npos) continue;
    std::FILE* stat = _wfopen((L"Z:\\proc\\" + pid + L"\\stat").c_str(), L"rb");
    if (stat == nullptr) continue;
    char buf[1024] = {};
    const std::size_t m = std::fread(buf, 1, sizeof buf - 1, stat);
    std::fclose(stat);
    const std::string fields(buf, m);
    // The command name in parentheses may hold spaces: count fields after its closing bracket.
    std::size_t at = fields.rfind(')');
    if (at == std::string::npos) continue;
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(fields.c_str() + at + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) == 2)
      seconds = std::max(seconds, 0.0) + static_cast<double>(utime + stime) / 100.0;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return seconds;
}

struct Samples {
  std::vector<double> start, repaint, pages, idle;
};

bool Fail(const char* what) {
  std::fprintf(stderr, "program_bench: %s\n", what);
  return false;
}

// One run of the program: each measure once (the repaint several times).
bool Round(bool skinned, bool measureIdle, Samples& out) {
  const std::wstring exe = Env(L"TARVISEL_EXE");
  if (exe.empty()) return Fail("TARVISEL_EXE is not set: run through tests/e2e/with-unit");
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  const double t0 = bench::Seconds();
  uidriver::Process process = uidriver::Process::Start(exe, skinned ? L"" : L"/noskin", folder);
  HWND main = uidriver::WaitForTopWindow(process.Id(), kMainCaption, std::chrono::milliseconds(kLimitMs));
  if (main == nullptr) return Fail("the main window did not appear");
  if (!WaitPainted(main)) return Fail("the main window was not painted in time");
  out.start.push_back(bench::Seconds() - t0);

  constexpr int kRepaints = 10;
  const double r0 = bench::Seconds();
  for (int i = 0; i < kRepaints; ++i) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!WaitPainted(main)) return Fail("a repaint did not end in time");
  }
  out.repaint.push_back((bench::Seconds() - r0) / kRepaints);

  HWND tabs = uidriver::Find(main, uidriver::Query{L"SysTabControl32", L""});
  const int count = uidriver::TabCount(tabs);
  const double p0 = bench::Seconds();
  for (int k = 1; k <= count; ++k) {
    const int page = k % count;  // every page once, ending on the first
    if (!uidriver::SelectTab(tabs, uidriver::TabText(tabs, page))) return Fail("a tab could not be clicked");
    const DWORD start = GetTickCount();
    while (uidriver::TabIndex(tabs) != page)
      if (GetTickCount() - start > kLimitMs) return Fail("a page did not come to the front");
    if (!WaitPainted(main)) return Fail("a page was not painted in time");
  }
  out.pages.push_back(bench::Seconds() - p0);

  if (measureIdle) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.Id());
    // A program that has started and painted has used processor time: none means nobody counts it.
    const bool windowsCounts = CpuSeconds(handle) > 0;
    auto cpu = [&] { return windowsCounts ? CpuSeconds(handle) : LinuxCpuSeconds(); };
    const double c0 = cpu(), w0 = bench::Seconds();
    Sleep(10000);
    const double c1 = cpu();
    if (c0 >= 0 && c1 >= 0) out.idle.push_back((c1 - c0) / (bench::Seconds() - w0) * 100.0);
    else std::fprintf(stderr, "program_bench: the program's processor time cannot be read\n");
    CloseHandle(handle);
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!process.Wait(std::chrono::seconds(10))) process.Kill();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  Samples skinned, plain;
  // A first start of each mode warms Wine's caches and is not counted.
  Samples warmup;
  if (!Round(true, false, warmup) || !Round(false, false, warmup)) return 1;
  for (int i = 0; i < rounds; ++i) {
    const bool idle = i == 0;
    if (!Round(true, idle, skinned) || !Round(false, idle, plain)) return 1;
  }
  auto line = [](const char* what, double s, double p, const char* unit, double scale) {
    std::printf("%-38s skinned %9.2f %s   plain %9.2f %s   ratio %.2f\n", what, s * scale, unit, p * scale, unit,
                p > 0 ? s / p : 0.0);
  };
  std::printf("tarvisel.exe, medians of %d rounds per mode\n", rounds);
  line("start to first painted main window", Median(skinned.start), Median(plain.start), "ms", 1000);
  line("full repaint (all children)", Median(skinned.repaint), Median(plain.repaint), "ms", 1000);
  line("through every page", Median(skinned.pages), Median(plain.pages), "ms", 1000);
  line("idle 10 s, % of one core", Median(skinned.idle), Median(plain.idle), "% ", 1);
  return 0;
}
