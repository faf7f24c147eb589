// winwait TITLE SECONDS: waits until a visible top-level window with exactly this text exists on
// the desktop, polling every 100 ms. Exit code 0 when it appeared, 1 when it did not in time,
// 2 on a wrong call. Run in the same Wine prefix (and so the same desktop) as the program.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

struct Search {
  const std::wstring* title;
  bool found;
};

BOOL CALLBACK Visit(HWND wnd, LPARAM lp) {
  auto* search = reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(wnd)) return TRUE;
  const int length = GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(wnd, text.data(), length + 1)));
  if (text != *search->title) return TRUE;
  search->found = true;
  return FALSE;
}

bool WindowExists(const std::wstring& title) {
  Search search{&title, false};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const std::wstring title = argv[1];
  wchar_t* end = nullptr;
  const long seconds = std::wcstol(argv[2], &end, 10);
  if (title.empty() || *end != L'\0' || seconds < 0) return 2;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    if (WindowExists(title)) return 0;
    if (GetTickCount64() >= deadline) return 1;
    Sleep(100);
  }
}
