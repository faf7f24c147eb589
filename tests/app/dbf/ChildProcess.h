#pragma once
// Runs a helper program that lies beside the running test program and waits for it to end.
#include <filesystem>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

#include "tests/app/dbf/KillSelf.h"

namespace dbf_test {

struct ChildEnd {
  bool killed = false;  // ended by a kill, not by returning
  int code = -1;        // exit code when not killed; -1 when it could not be started
  unsigned startError = 0;  // the system's error code when it could not be started
};

inline std::filesystem::path ProgramFolder() {
#if defined(_WIN32)
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
#else
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

// The program `name` (".exe" added on Windows) from the test program's folder, with `args`.
inline ChildEnd RunBesideUs(const std::string& name, const std::vector<std::string>& args) {
#if defined(_WIN32)
  const std::filesystem::path program = ProgramFolder() / (name + ".exe");
  std::wstring line = L"\"" + program.wstring() + L"\"";
  for (const auto& arg : args) line += L" \"" + std::wstring(arg.begin(), arg.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Wine now and then fails a start with ERROR_INTERNAL_ERROR while the crash test starts hundreds
  // of short-lived children; a start that fails that way is tried again, any other failure is told.
  for (int attempt = 0;; ++attempt) {
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      break;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 4) return {.startError = error};
    Sleep(100);
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return {code == kKilledExitCode, static_cast<int>(code)};
#else
  const std::string program = (ProgramFolder() / name).string();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return {};
  if (pid == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return {};
  if (WIFSIGNALED(status)) return {WTERMSIG(status) == SIGKILL, -1};
  return {false, WEXITSTATUS(status)};
#endif
}

}  // namespace dbf_test
