// The handler window program started as a user would start it and looked at from outside: every
// control is there, hooked (its window names a handler), and shows skinned scroll bars on the
// screen (the page area below the thumb as our skin paints it); the drop-down list of the
// combo box is hooked, shown and skinned; then the window is closed and the program ends cleanly. The
// screen is saved as screenshots/handlers.bmp in the build tree (made PNG by the test's wrapper).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/windows/WindowsFixture.h"
#include "tools/uidriver/UiDriver.h"

namespace skin {
namespace {

using namespace std::chrono_literals;

std::wstring WinePath(const std::string& unixPath) {
  std::wstring path = L"Z:" + std::filesystem::path(unixPath).wstring();
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = wchar_t(towlower(c));
  return s;
}

std::wstring ClassOf(HWND wnd) {
  wchar_t name[128] = {};
  GetClassNameW(wnd, name, 128);
  return Lower(name);
}

// The screen's pixels of R (screen coordinates), top row first.
struct ScreenGrab {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
  explicit ScreenGrab(RECT r) : width(r.right - r.left), height(r.bottom - r.top) {
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + std::size_t(width) * std::size_t(height));
    for (auto& px : pixels) px &= 0x00FFFFFFu;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
  }
  std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
  void SaveBmp(const std::filesystem::path& path) const {
    const DWORD size = DWORD(pixels.size() * 4);
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof file + sizeof header + size), 0, 0, DWORD(sizeof file + sizeof header)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(size));
  }
};

// The window's vertical bar, screen coordinates: right of the client area, as high as it, as wide
// as the system's bars.
RECT VerticalBar(HWND wnd) {
  RECT client{};
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  const int left = origin.x + client.right;
  return {left, origin.y, left + GetSystemMetrics(SM_CXVSCROLL), origin.y + client.bottom};
}

// A row from the middle of the skin's page area below a thumb, Width pixels across: the section
// painted on its own over a tall strip of the window's colour, away from the strip's ends.
std::vector<std::uint32_t> TrackRow(TsSkinManager* manager, int width, TColor windowColour) {
  const TConstantSkinData& cd = manager->Records().ConstData;
  constexpr int kStrip = 200;
  auto ground = NewBitmap32(width, kStrip);
  const RECT all{0, 0, width, kStrip};
  HBRUSH brush = CreateSolidBrush(windowColour);
  FillRect(ground->Canvas()->Handle(), &all, brush);
  DeleteObject(brush);
  auto part = NewBitmap32(width, kStrip);
  PaintItemFast(cd.IndexScrollBar2V, cd.MaskScrollBar2V, cd.BGScrollBar2V, cd.BGHotScrollBar2V,
                MakeCacheInfo(ground.get()), true, 0, TRect{0, 0, width, kStrip}, TPoint{0, 0}, part.get(), manager);
  const TImage32View view = View32(part.get());
  std::vector<std::uint32_t> row;
  for (int x = 0; x < width; ++x) {
    const TsColor_ p = view.At(x, kStrip / 2);
    row.push_back(std::uint32_t(p.R) << 16 | std::uint32_t(p.G) << 8 | p.B);
  }
  return row;
}

// Pixels of the middle rows of the bar that differ from the skin's page area. The thumb stands at
// the top (every list starts at its first row) and covers far less than half the bar, so the
// middle is page area below it.
// Rows at `depth` (a fraction of the bar's height) must lie in the page area below the thumb.
int OffTrackPixels(HWND wnd, const std::vector<std::uint32_t>& track, double depth = 0.5) {
  const RECT bar = VerticalBar(wnd);
  const int mid = bar.top + int((bar.bottom - bar.top) * depth);
  const ScreenGrab grab({bar.left, mid - 2, bar.right, mid + 3});
  if (grab.width != int(track.size())) return -1;
  int off = 0;
  for (int y = 0; y < grab.height; ++y)
    for (int x = 0; x < grab.width; ++x) off += grab.At(x, y) != track[std::size_t(x)];
  return off;
}

struct ProcessWindows {
  DWORD pid;
  std::wstring cls;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<ProcessWindows*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid == s->pid && ClassOf(wnd) == s->cls) s->found.push_back(wnd);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<ProcessWindows*>(lp);
  if (ClassOf(wnd) == s->cls) s->found.push_back(wnd);
  return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND root, const std::wstring& cls) {
  ProcessWindows s{0, cls, {}};
  EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

TEST(HandlerWindow, EveryControlShowsSkinnedBarsAndTheWindowClosesCleanly) {
  // The page area as our skin paints it, over the colour of the section the windows are skinned with.
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  const int edit = manager->GetSkinIndex("EDIT");
  ASSERT_GE(edit, 0);
  ASSERT_GE(manager->Records().ConstData.IndexScrollBar2V, 0);
  const std::vector<std::uint32_t> track =
      TrackRow(manager.get(), GetSystemMetrics(SM_CXVSCROLL), manager->Records().gd[std::size_t(edit)].Props[0].Color);

  SetCursorPos(0, 0);  // no bar is hot
  uidriver::Process program = uidriver::Process::Start(WinePath(TARVISEL_HANDLER_WINDOW));
  HWND main = uidriver::WaitForTopWindow(program.Id(), L"Tarvisel handlers", 30s);
  ASSERT_NE(main, nullptr) << "the handler window did not appear";

  struct Control {
    const char* name;
    std::wstring cls;
    std::size_t count;
  };
  std::vector<std::pair<const char*, HWND>> scrolled;
  for (const Control& c : {Control{"list box", L"listbox", 1}, Control{"edit", L"edit", 1},
                           Control{"combo box", L"combobox", 1}, Control{"list views", L"syslistview32", 2}}) {
    const std::vector<HWND> found = ChildrenOfClass(main, c.cls);
    ASSERT_EQ(found.size(), c.count) << c.name;
    for (HWND w : found) scrolled.emplace_back(c.name, w);
  }
  for (const auto& [name, wnd] : scrolled) {
    SCOPED_TRACE(name);
    EXPECT_NE(GetPropW(wnd, L"ACSBSC"), nullptr) << "the window names its handler";
    if (std::string(name) == "combo box") continue;  // no bar of its own
    EXPECT_TRUE(uidriver::WaitUntil([&] { return OffTrackPixels(wnd, track) == 0; }, 10s))
        << OffTrackPixels(wnd, track) << " pixels of the bar's page area differ from the skin's";
  }

  HWND combo = ChildrenOfClass(main, L"combobox").front();
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ProcessWindows lists{program.Id(), L"combolbox", {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&lists));
  ASSERT_EQ(lists.found.size(), 1u) << "the combo box's drop-down list";
  HWND list = lists.found.front();
  EXPECT_TRUE(uidriver::WaitUntil([&] { return IsWindowVisible(list) != FALSE; }, 10s));
  EXPECT_TRUE(uidriver::WaitUntil([&] { return GetPropW(list, L"ACSBSC") != nullptr; }, 10s))
      << "the combo box's handler hooks its list when the list first asks for its colours";
  // Half of its 32 items show, so the thumb reaches down to the bar's middle: look lower.
  EXPECT_TRUE(uidriver::WaitUntil([&] { return OffTrackPixels(list, track, 0.75) == 0; }, 10s))
      << OffTrackPixels(list, track, 0.75) << " pixels of the dropped list's bar differ from the skin's";

  RECT shot{};
  GetWindowRect(main, &shot);
  std::filesystem::create_directories(WinePath(TARVISEL_SCREENSHOTS));
  ScreenGrab(shot).SaveBmp(std::filesystem::path(WinePath(TARVISEL_SCREENSHOTS)) / L"handlers.bmp");

  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.Wait(20s)) << "the program did not end after its window was closed";
  EXPECT_EQ(program.ExitCode(), std::optional<DWORD>(0)) << "1: a handler was left alive";
}

}  // namespace
}  // namespace skin
