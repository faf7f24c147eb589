// The skinned frames of the program's windows as a user meets them: the title band in the skin's
// colours on screen, and the title buttons answering real clicks. The screen is read and the mouse
// moved, so this test has a display of its own (with-unit --own-display).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

// The two ends of a section's vertical gradient as the committed skin's Options.dat lists them
// ("first;second;percent;..."), read here without the engine.
struct Gradient {
  COLORREF from = 0, to = 0;
};

std::optional<Gradient> SkinGradient(const std::string& section, const std::string& key) {
  std::wstring path = L"Z:" + std::filesystem::path(TARVISEL_SKIN_RESOURCES "/Tarvisel/Options.dat").wstring();
  std::replace(path.begin(), path.end(), L'/', L'\\');
  std::ifstream in{std::filesystem::path(path)};
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[" + section + "]";
      continue;
    }
    if (!inSection || line.rfind(key + "=", 0) != 0) continue;
    std::istringstream values(line.substr(key.size() + 1));
    std::string a, b;
    if (!std::getline(values, a, ';') || !std::getline(values, b, ';')) return std::nullopt;
    return Gradient{static_cast<COLORREF>(std::stoul(a)), static_cast<COLORREF>(std::stoul(b))};
  }
  return std::nullopt;
}

bool Between(COLORREF c, const Gradient& g) {
  const auto within = [](int v, int a, int b) { return v >= std::min(a, b) - 1 && v <= std::max(a, b) + 1; };
  return within(GetRValue(c), GetRValue(g.from), GetRValue(g.to)) &&
         within(GetGValue(c), GetGValue(g.from), GetGValue(g.to)) &&
         within(GetBValue(c), GetBValue(g.from), GetBValue(g.to));
}

// The middle row of the window's title band, in screen coordinates.
int TitleRow(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  POINT client{0, 0};
  ClientToScreen(wnd, &client);
  return (r.top + client.y) / 2;
}

LRESULT HitAt(HWND wnd, POINT screen) {
  return uidriver::SendTimeout(wnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// The middle of the stretch of the title row where the window answers `code`, found by asking the
// window itself from right to left; nothing when no point of the row gives it.
std::optional<POINT> TitleZone(HWND wnd, LRESULT code) {
  RECT r{};
  GetWindowRect(wnd, &r);
  const int y = TitleRow(wnd);
  int right = -1, left = -1;
  for (int x = r.right - 1; x >= r.left; --x) {
    const bool hit = HitAt(wnd, POINT{x, y}) == code;
    if (hit && right < 0) right = x;
    if (hit) left = x;
    if (!hit && right >= 0) break;
  }
  if (right < 0) return std::nullopt;
  return POINT{(left + right) / 2, y};
}

// A user's click at a screen point of a window, through the system's input queue: the mouse comes
// to rest over the point, then the left button goes down and up, each taken in by the window.
void RealClick(HWND wnd, POINT at) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  for (const DWORD flags : {DWORD{MOUSEEVENTF_MOVE}, DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65535 + w / 2) / (w - 1);
    input.mi.dy = (at.y * 65535 + h / 2) / (h - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    uidriver::Answers(wnd, 5s);
  }
}

TEST(Frame, TitleBandShowsTheSkinsTitleColoursNotTheSystemCaption) {
  const std::optional<Gradient> active = SkinGradient("FORMTITLE", "HOTGRADIENTDATA");
  ASSERT_TRUE(active.has_value());
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  SetForegroundWindow(app.Main());
  ASSERT_TRUE(uidriver::WaitUntil([&] { return GetForegroundWindow() == app.Main(); }, 5s));
  ASSERT_TRUE(uidriver::Answers(app.Main(), 5s));
  const COLORREF systemCaption = GetSysColor(COLOR_ACTIVECAPTION);
  ASSERT_FALSE(Between(systemCaption, *active)) << "the system's caption colour cannot tell the two apart";

  // A column of the empty stretch between the caption text and the buttons, below the top edge.
  const std::optional<POINT> close = TitleZone(app.Main(), HTCLOSE);
  ASSERT_TRUE(close.has_value());
  RECT r{};
  GetWindowRect(app.Main(), &r);
  POINT client{0, 0};
  ClientToScreen(app.Main(), &client);
  const int x = close->x - 80;
  ASSERT_EQ(HitAt(app.Main(), POINT{x, close->y}), HTCAPTION);
  HDC screen = GetDC(nullptr);
  std::vector<std::wstring> wrong;
  for (int y = r.top + 6; y < client.y - 4; ++y) {
    const COLORREF c = GetPixel(screen, x, y);
    if (!Between(c, *active)) wrong.push_back(std::to_wstring(y - r.top) + L":" + std::to_wstring(c));
  }
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " rows, first " << std::string(wrong[0].begin(), wrong[0].end());
  e2e::Screenshot(app.Main(), L"frame-title");
  EXPECT_TRUE(app.Close());
}

TEST(Frame, TheSkinnedMinimiseButtonIconifiesTheMainWindow) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  SetForegroundWindow(app.Main());
  ASSERT_TRUE(uidriver::Answers(app.Main(), 5s));
  const std::optional<POINT> minimise = TitleZone(app.Main(), HTMINBUTTON);
  ASSERT_TRUE(minimise.has_value());
  EXPECT_FALSE(IsIconic(app.Main()));
  RealClick(app.Main(), *minimise);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return IsIconic(app.Main()) != FALSE; }, 5s));
  // The minimise animation ends with the window itself no longer layered.
  const auto layered = [&] { return (GetWindowLongPtrW(app.Main(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !layered(); }, 5s));

  // Restored, it grows back and comes out opaque, visible and not layered, with no picture of
  // the animation left on the screen.
  PostMessageW(app.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsIconic(app.Main()) && IsWindowVisible(app.Main()); }, 5s));
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !layered(); }, 5s));
  ASSERT_TRUE(uidriver::Answers(app.Main(), 5s));
  struct Search {
    DWORD pid;
    HWND main;
    int layeredShown = 0;
    static BOOL CALLBACK Visit(HWND w, LPARAM l) {
      auto* s = reinterpret_cast<Search*>(l);
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == s->pid && w != s->main && IsWindowVisible(w) &&
          (GetWindowLongPtrW(w, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW)) == (WS_EX_LAYERED | WS_EX_TOOLWINDOW))
        ++s->layeredShown;
      return TRUE;
    }
  } search{app.Pid(), app.Main()};
  EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
  EXPECT_EQ(search.layeredShown, 0);
  e2e::Screenshot(app.Main(), L"frame-restored");
  EXPECT_TRUE(app.Close());
}

TEST(Frame, SkinnedCloseButtonsCancelThePasswordAndEndTheProgramWithItsSettings) {
  const std::filesystem::path settings = std::filesystem::path(e2e::ProgramFolder()) / L"QRX.cfg";
  std::filesystem::remove(settings);
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  uidriver::Click(app.InGroup(e2e::kConfigGroup, L"Button", L"Set"));
  HWND dialog = uidriver::WaitForTopWindow(app.Pid(), L"Ввод пароля", 5s);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(uidriver::Answers(dialog, 5s));
  e2e::Screenshot(dialog, L"frame-password");
  e2e::Screenshot(app.Main(), L"frame-main-inactive");
  const std::optional<POINT> dialogClose = TitleZone(dialog, HTCLOSE);
  ASSERT_TRUE(dialogClose.has_value());
  RealClick(dialog, *dialogClose);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s))
      << "hit " << HitAt(dialog, *dialogClose) << " foreground " << (GetForegroundWindow() == dialog);
  ASSERT_TRUE(uidriver::Answers(app.Main(), 5s));
  EXPECT_EQ(e2e::Received("01 10 00 04 00 02 04"), 0);

  const std::optional<POINT> mainClose = TitleZone(app.Main(), HTCLOSE);
  ASSERT_TRUE(mainClose.has_value());
  RealClick(app.Main(), *mainClose);
  ASSERT_TRUE(app.Process().Wait(10s));
  std::ifstream in(settings);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[CONNECT]"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("COM=1"), std::string::npos) << text.str();
}

}  // namespace
