// The skinned scroll bars of a 200 x 300 list box of 100 items (both bars, so the corner square is
// painted too) against a twin list box with the system's bars, side by side in one run:
//  - a whole non-client paint (WM_NCPAINT): the border and both bars;
//  - one frame of a thumb drag: a mouse move along the vertical bar with the thumb held, the list
//    scrolled to the new position and its client area repainted. The native frame is what a native
//    bar does for the same mouse move: its thumb drawn at the new position, the scroll message sent,
//    the list repainted.
// Prints the mean time of each and the skinned / native ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acSBUtils.h"
#include "skin/windows/acScrollGeometry.h"
#include "skin/windows/acWndRoutines.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace skin;

namespace {

constexpr int kWidth = 200, kHeight = 300, kItems = 100;
constexpr int kPaintRounds = 400;
constexpr int kDragSweeps = 4;

using bench::Seconds;


struct Window {
  HWND handle = nullptr;
  explicit Window(HWND h) : handle(h) {}
  ~Window() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  operator HWND() const { return handle; }
};

const wchar_t* HostClass() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"TarviselScrollBench";
    return RegisterClassW(&wc);
  }();
  return atom ? L"TarviselScrollBench" : nullptr;
}

HWND NewListBox(HWND parent, int x) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, x, 10, kWidth,
                              kHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < kItems; ++i) {
    const std::wstring text = L"Item " + std::to_wstring(i + 1) + L" of the list, wider than the box is";
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 2 * kWidth, 0);
  return list;
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

// Mean seconds of Rounds calls of F.
template <class F>
double MeanOf(int rounds, F&& f) {
  f();  // the first one builds caches on both sides
  GdiFlush();
  const double t0 = Seconds();
  for (int i = 0; i < rounds; ++i) f();
  GdiFlush();
  return (Seconds() - t0) / rounds;
}

// The thumb's pixel along the track for each frame: there and back over the free track, one pixel
// a frame.
std::vector<int> Sweep(int room) {
  std::vector<int> steps;
  for (int s = 0; s < kDragSweeps; ++s) {
    for (int d = 1; d <= room; ++d) steps.push_back(d);
    for (int d = room - 1; d >= 0; --d) steps.push_back(d);
  }
  return steps;
}

void Row(const char* what, double skinned, double native) {
  std::printf("  %-28s skinned %9.1f us   native %9.1f us   ratio %6.2f\n", what, skinned * 1e6, native * 1e6,
              skinned / native);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::uint8_t> skinBytes = skin::testing::ReadBytes(argc > 1 ? std::filesystem::path(argv[1]) : skin::testing::CommittedSkinFile(L"Tarvisel.asz"));
  if (skinBytes.empty()) {
    std::fprintf(stderr, "scrollbar_bench: the packed skin could not be read\n");
    return 1;
  }
  TsSkinManager* manager = skin::testing::NewManagerWithSkin(skinBytes);
  if (!manager->Active()) {
    std::fprintf(stderr, "scrollbar_bench: the skin did not load\n");
    classlib::Free(manager);
    return 1;
  }

  int result = 0;
  {
    Window host(CreateWindowExW(0, HostClass(), L"Scroll bars", WS_POPUP | WS_VISIBLE, 0, 0, 2 * kWidth + 30,
                                kHeight + 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    Window skinned(NewListBox(host, 10));
    Window native(NewListBox(host, kWidth + 20));
    THandler<TacScrollWnd> sw = TacMainWnd::Create<TacScrollWnd>(skinned, nullptr, manager, "EDIT", true);
    // The list box's handler renders its background before its bars are painted over it.
    PrepareCache(sw->SkinData, skinned, false);
    UpdateWindow(host);
    Pump();

    TRect bar;
    AC_GetVScrollRect(sw.get(), skinned, bar);
    const int arrow = GetScrollMetric(sw->sBarVert.get(), 0, false);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(skinned, SB_VERT, &si);
    const TacScrollRange range{si.nMin, si.nMax, si.nPage, si.nPos};
    const TacThumb thumb = CalcThumb(range, bar.Top, bar.Bottom - bar.Top, arrow, sw->sBarVert->nMinThumbSize);
    const int trackLen = bar.Bottom - bar.Top - 2 * arrow;
    const int room = trackLen - thumb.Size;
    if (thumb.Size <= 0 || room <= 0) {
      std::fprintf(stderr, "scrollbar_bench: the list box shows no thumb to drag\n");
      result = 1;
    } else {
      std::printf("scrollbar_bench: %d x %d list box, %d items, both bars; %d paints, %d drag frames\n", kWidth,
                  kHeight, kItems, kPaintRounds, 2 * room * kDragSweeps);
      const double ncSkinned = MeanOf(kPaintRounds, [&] { SendMessageW(skinned, WM_NCPAINT, 1, 0); });
      const double ncNative = MeanOf(kPaintRounds, [&] { SendMessageW(native, WM_NCPAINT, 1, 0); });
      Row("non-client paint", ncSkinned, ncNative);

      const std::vector<int> steps = Sweep(room);
      const int x = (bar.Left + bar.Right) / 2;
      auto client = [&](int y) {
        POINT p{x, y};
        ScreenToClient(skinned, &p);
        return MAKELPARAM(p.x, p.y);
      };
      const int grabY = thumb.Pos + thumb.Size / 2;
      SendMessageW(skinned, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, grabY));
      if (!sw->fThumbTracking) {
        std::fprintf(stderr, "scrollbar_bench: the press did not take the thumb\n");
        result = 1;
      }
      std::size_t frame = 0;
      // How many frames scrolled each list: both must follow the thumb for the times to compare.
      auto moves = [](HWND list, int& lastTop, int& count) {
        const int top = int(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        if (top != lastTop) ++count;
        lastTop = top;
      };
      int skinnedTop = -1, skinnedMoves = 0;
      const double dragSkinned = MeanOf(int(steps.size()), [&] {
        SendMessageW(skinned, WM_MOUSEMOVE, MK_LBUTTON, client(grabY + steps[frame++ % steps.size()]));
        UpdateWindow(skinned);
        moves(skinned, skinnedTop, skinnedMoves);
      });
      SendMessageW(skinned, WM_LBUTTONUP, 0, client(grabY));

      const int trackStart = bar.Top + arrow;
      std::int32_t last = -1;
      int nativeTop = -1, nativeMoves = 0;
      frame = 0;
      const double dragNative = MeanOf(int(steps.size()), [&] {
        const std::int32_t pos =
            ThumbTrackPosition(trackStart + steps[frame++ % steps.size()], trackStart, trackLen, thumb.Size, range);
        // A native bar draws its thumb where the mouse is and reports the position; the list box
        // reads it back as the bar's track position, which outside the system's own drag loop is the
        // bar's position.
        const SCROLLINFO moved{sizeof moved, SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(native, SB_VERT, &moved, TRUE);
        if (pos != last) SendMessageW(native, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        last = pos;
        moves(native, nativeTop, nativeMoves);
        UpdateWindow(native);
      });
      SendMessageW(native, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      Row("thumb-drag frame", dragSkinned, dragNative);
      std::printf("  %-28s skinned %9d      native %9d\n", "frames that scrolled the list", skinnedMoves, nativeMoves);

      const double render = MeanOf(kPaintRounds, [&] {
        RECT w{};
        GetWindowRect(skinned, &w);
        RenderScrollBar(sw->sBarVert.get(), skinned,
                        TRect{bar.Left - w.left, bar.Top - w.top, bar.Right - w.left, bar.Bottom - w.top}, -1, -1);
      });
      std::printf("  %-28s skinned %9.1f us   (off-screen, no copy to the window)\n", "vertical bar rendered",
                  render * 1e6);
    }
    sw.reset();
  }
  classlib::Free(manager);
  return result;
}
