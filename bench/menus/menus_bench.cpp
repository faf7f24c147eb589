// The first paint of a 32-item pop-up: each item measured, then drawn into a pop-up window as the
// system asks for it, with the background cache emptied before every round (a pop-up opened
// afresh). Skinned items against plain owner-drawn ones (a filled row and the caption); prints the
// mean time of a whole pop-up and the ratio. Every round paints into the same window, so the pop-up
// region is set in the first round only (setting it on a new window is the system's cost).
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <string>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

constexpr int kItems = 32;

TPopupMenu* NewMenu() {
  auto* menu = Create<TPopupMenu>(nullptr);
  for (int i = 0; i < kItems; ++i) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(i % 8 == 7 ? L"-" : L"Порт COM" + std::to_wstring(i + 1));
    menu->Items()->Add(item);
  }
  return menu;
}

void PlainDraw(TObject* sender, TCanvas* canvas, TRect r, UINT state) {
  canvas->Brush()->SetColor((state & ODS_SELECTED) ? clHighlight : (clSystemColor | COLOR_MENU));
  canvas->FillRect(r);
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextOut(r.Left + 20, r.Top + 2, static_cast<TMenuItem*>(sender)->Caption());
}

// A canvas over a device context lent for one paint.
class TLentCanvas : public TCanvas {
 public:
  explicit TLentCanvas(HDC dc) { SetHandle(dc); }
  ~TLentCanvas() override { SetHandle(nullptr); }
};

// Measures every item, then draws them one under another into the pop-up window's client area,
// as the system does when the pop-up opens.
void FirstPaint(TPopupMenu* menu, HWND wnd) {
  HDC dc = GetDC(wnd);
  {
    TLentCanvas canvas(dc);
    int top = 0;
    for (int i = 0; i < kItems; ++i) {
      TMenuItem* item = menu->Items()->Items(i);
      int w = 200, h = 20;
      item->MeasureItem(&canvas, w, h);
      item->DrawItem(&canvas, TRect{0, top, 220, top + h}, i == 3 ? ODS_SELECTED : 0);
      top += h;
    }
  }
  ReleaseDC(wnd, dc);
}

}  // namespace

int main() {
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  TsSkinableMenus* menus = SkinableMenusOf(manager);
  TPopupMenu* skinned = NewMenu();
  menus->HookPopupMenu(skinned, true);
  TPopupMenu* plain = NewMenu();
  for (int i = 0; i < kItems; ++i) plain->Items()->Items(i)->OnAdvancedDrawItem = &PlainDraw;
  // A bordered pop-up window standing in for the system's menu window.
  HWND wnd = CreateWindowExW(WS_EX_DLGMODALFRAME, L"STATIC", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 50, 226,
                             kItems * 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  constexpr int kRounds = 200;
  const double skinnedTime = bench::MeanSeconds(kRounds, [&] {
    menus->ClearCache();
    FirstPaint(skinned, wnd);
  });
  // The same items again over the background already made: what a pop-up costs after its first paint.
  const double cachedTime = bench::MeanSeconds(kRounds, [&] { FirstPaint(skinned, wnd); });
  const double plainTime = bench::MeanSeconds(kRounds, [&] { FirstPaint(plain, wnd); });
  std::printf("first paint of a %d-item pop-up: skinned %.1f us, plain owner-drawn %.1f us, ratio %.2f\n", kItems,
              skinnedTime * 1e6, plainTime * 1e6, skinnedTime / plainTime);
  std::printf("with the background cached: skinned %.1f us, ratio %.2f\n", cachedTime * 1e6, cachedTime / plainTime);
  DestroyWindow(wnd);
  Free(skinned);
  Free(plain);
  Free(manager);
  return 0;
}
