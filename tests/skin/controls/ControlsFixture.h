#pragma once
// What the skinned-control tests share: a manager with our skin, a form holding the controls, the
// message queue pumped, a control printed into a 32-bit bitmap, and the skin's sections painted
// directly for comparison.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/core/OurSkinManager.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::test {

using skin::testing::Owned;

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The low 24 bits of a pixel.
inline std::uint32_t Rgb(classlib::TBitmap* b, int x, int y) { return View32(b).At(x, y).U & 0xFFFFFFu; }

// The number of pixels in which two bitmaps of one size differ (low 24 bits); -1 for other sizes.
inline int DifferentPixels(classlib::TBitmap* a, classlib::TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return -1;
  int n = 0;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x) n += Rgb(a, x, y) != Rgb(b, x, y);
  return n;
}

// A window printed (WM_PRINT, client area) into a new 32-bit bitmap of its size.
inline std::unique_ptr<classlib::TBitmap> Print(classlib::TWinControl* c) {
  auto bmp = NewBitmap32(c->Width(), c->Height());
  SendMessageW(c->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT);
  return bmp;
}

// The first and last row holding a pixel of colour Rgb (0xRRGGBB) from column FromX on; {-1, -1}
// when none does.
inline std::pair<int, int> RowsOfColour(classlib::TBitmap* b, std::uint32_t rgb, int FromX = 0) {
  std::pair<int, int> rows{-1, -1};
  for (int y = 0; y < b->Height(); ++y)
    for (int x = FromX; x < b->Width(); ++x)
      if (Rgb(b, x, y) == rgb) {
        if (rows.first < 0) rows.first = y;
        rows.second = y;
      }
  return rows;
}

// Where the plain system call puts the ink of Text drawn in Font, one line centred in a Width x
// Height box: its first and last row.
inline std::pair<int, int> CentredTextRows(classlib::TFont* Font, const std::wstring& Text, int Width, int Height) {
  auto bmp = NewBitmap32(Width, Height);
  HDC dc = bmp->Canvas()->Handle();
  RECT all{0, 0, Width, Height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const HGDIOBJ old = SelectObject(dc, Font->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  return RowsOfColour(bmp.get(), 0);
}

struct ControlsFixture : ::testing::Test {
  Owned<TsSkinManager> manager{skin::testing::NewManagerWithSkin()};
  // Owned by the application, so that the manager's announcements reach it.
  Owned<classlib::TForm> form{classlib::Create<classlib::TForm>(classlib::Application)};

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form->SetBounds(30, 30, 400, 300);
    form->Handle();
  }

  template <class T>
  T* Make(int l, int t, int w, int h, const std::wstring& caption = L"") {
    T* c = classlib::Create<T>(form.get());
    c->SetParent(form.get());
    c->SetBounds(l, t, w, h);
    c->SetCaption(caption);
    c->Handle();
    return c;
  }

  int Section(const char* name) const { return manager->GetSkinIndex(name); }

  // Section painted directly over the form's colour for State: the look a control of that section
  // and size must print.
  std::unique_ptr<classlib::TBitmap> Direct(const char* section, int state, int w, int h, TPoint at) {
    auto bmp = NewBitmap32(w, h);
    TCacheInfo ci;
    ci.FillColor = classlib::ColorToRGB(form->Color());
    PaintItem(Section(section), section, ci, true, state, TRect{0, 0, w, h}, at, bmp.get(), manager.get());
    return bmp;
  }
};

}  // namespace skin::test
