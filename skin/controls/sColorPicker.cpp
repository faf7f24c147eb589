// The colour dialog's screen picker: a snapshot of the monitor that holds the form, shown full
// size on a borderless form that the skinning leaves alone (Tag -98), with a preview of the colour
// under the mouse where the selected-colour box is.
#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sColorDialog.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sSkinPaintWin32.h"

namespace skin {

namespace {

constexpr classlib::TCursor kCrossCursor = -3;

// The monitor holding Window, copied from the screen.
std::unique_ptr<classlib::TBitmap> SnapshotMonitorOf(HWND Window, RECT& Area) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &info);
  Area = info.rcMonitor;
  auto bmp = NewBitmap32(Area.right - Area.left, Area.bottom - Area.top);
  HDC screen = GetDC(nullptr);
  if (!screen) return bmp;
  const auto release = classlib::TScopeExit([&] { ReleaseDC(nullptr, screen); });
  BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), screen, Area.left, Area.top, SRCCOPY);
  return bmp;
}

}  // namespace

std::unique_ptr<classlib::TBitmap> ScreenPickerGlyph() {
  constexpr int kSize = 16;
  auto bmp = std::make_unique<classlib::TBitmap>();
  bmp->SetPixelFormat(classlib::pf24bit);
  bmp->SetSize(kSize, kSize);
  HDC dc = bmp->Canvas()->Handle();
  const COLORREF transparent = RGB(255, 0, 255);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) SetPixelV(dc, x, y, transparent);
  // The pipette: a dark diagonal shaft from the bottom left to a bulb at the top right.
  const COLORREF ink = RGB(32, 32, 32);
  for (int i = 1; i <= 10; ++i) {
    SetPixelV(dc, i, kSize - 1 - i, ink);
    SetPixelV(dc, i + 1, kSize - 1 - i, ink);
  }
  for (int y = 1; y <= 4; ++y)
    for (int x = 11; x <= 14; ++x) SetPixelV(dc, x, y, ink);
  // The drawn colour: a small red drop at the tip.
  SetPixelV(dc, 1, kSize - 2, RGB(220, 0, 0));
  SetPixelV(dc, 2, kSize - 2, RGB(220, 0, 0));
  SetPixelV(dc, 1, kSize - 3, RGB(220, 0, 0));
  SetPixelV(dc, 0, kSize - 1, transparent);
  return bmp;
}

bool TsColorDialogForm::RunScreenPicker() {
  RECT area{};
  std::unique_ptr<classlib::TBitmap> b = SnapshotMonitorOf(Handle(), area);
  struct FreeObject {
    void operator()(classlib::TObject* o) const { classlib::Free(o); }
  };
  std::unique_ptr<classlib::TForm, FreeObject> picker(classlib::Create<classlib::TForm>(nullptr));
  picker->SetTag(ac_NoSkinTag);
  picker->SetBorderStyle(classlib::bsNone);
  picker->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
  picker->SetCursor(kCrossCursor);
  picker->SetKeyPreview(true);

  classlib::TPanel* preview = classlib::Create<classlib::TPanel>(picker.get());
  preview->SetParent(picker.get());
  const TPoint at = SelectedPanel->ClientToScreen({0, 0});
  preview->SetBounds(at.X - area.left, at.Y - area.top, SelectedPanel->Width(), SelectedPanel->Height());
  preview->SetColor(SelectedColor());
  preview->SetCursor(kCrossCursor);
  PickPanel = preview;
  const auto forget = classlib::TScopeExit([this] { PickPanel = nullptr; });

  classlib::TBitmap* shot = b.get();
  const auto pixel = [shot](int X, int Y) -> classlib::TColor {
    if (X < 0 || Y < 0 || X >= shot->Width() || Y >= shot->Height()) return 0;
    return static_cast<classlib::TColor>(GetPixel(shot->Canvas()->Handle(), X, Y) & 0xFFFFFF);
  };
  bool picked = false;
  picker->OnPaint = [&](classlib::TObject*) { picker->Canvas()->Draw(0, 0, shot); };
  picker->OnMouseMove = [&](classlib::TObject*, classlib::TShiftState, int X, int Y) {
    PickColor = pixel(X, Y);
    preview->SetColor(PickColor);
  };
  picker->OnMouseDown = [&](classlib::TObject*, classlib::TMouseButton, classlib::TShiftState, int X, int Y) {
    PickColor = pixel(X, Y);
    picked = true;
    picker->SetModalResult(classlib::mrOk);
  };
  picker->OnKeyDown = [&](classlib::TObject*, WORD& Key, classlib::TShiftState) {
    if (Key == VK_ESCAPE) picker->SetModalResult(classlib::mrCancel);
  };
  picker->ShowModal();
  return picked;
}

}  // namespace skin
