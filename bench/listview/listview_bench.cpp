// The skinned list view of the probe page's size (64 report rows, two columns, check boxes, grid
// lines, a selected row) against the same list as a plain list view, side by side in one run:
//  - a whole repaint: frame, header and every visible row;
//  - a page scroll: the list moved down one page (LVM_SCROLL) and painted, then back.
// Prints the mean time of each and the skinned / plain ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "skin/controls/sListView.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;

namespace {

constexpr int kRows = 64;
constexpr int kRepaints = 200;
constexpr int kScrolls = 100;

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

template <class T>
T* NewList(TForm* form, int left) {
  auto* l = Create<T>(form);
  l->SetParent(form);
  l->SetBounds(left, 10, 300, 200);
  l->SetViewStyle(vsReport);
  l->SetRowSelect(true);
  l->SetGridLines(true);
  l->SetCheckboxes(true);
  for (const wchar_t* caption : {L"Channel", L"Value"}) {
    TListColumn* c = l->Columns()->Add();
    c->SetCaption(caption);
    c->SetWidth(120);
  }
  for (int i = 0; i < kRows; ++i) {
    TListItem* item = l->Items()->Add();
    item->SetCaption(L"Probe " + std::to_wstring(i + 1));
    item->SubItems()->Add(std::to_wstring(1000 + 37 * i));
  }
  l->Items()->Items(3)->SetSelected(true);
  l->Handle();
  return l;
}

template <class F>
double MeanOf(int rounds, F&& f) {
  f();  // the first builds caches on both sides
  GdiFlush();
  const double t0 = bench::Seconds();
  for (int i = 0; i < rounds; ++i) f();
  GdiFlush();
  return (bench::Seconds() - t0) / rounds;
}

void Repaint(HWND h) {
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// One page down and painted, then one page up and painted.
void ScrollPage(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  const int page = r.bottom - r.top - 30;
  SendMessageW(h, LVM_SCROLL, 0, page);
  UpdateWindow(h);
  SendMessageW(h, LVM_SCROLL, 0, -page);
  UpdateWindow(h);
}

void Row(const char* what, double skinned, double plain) {
  std::printf("  %-24s skinned %9.1f us   plain %9.1f us   ratio %6.2f\n", what, skinned * 1e6, plain * 1e6,
              skinned / plain);
}

}  // namespace

int wmain() {
  skin::TsSkinManager* manager = skin::testing::NewManagerWithSkin();
  if (manager == nullptr || !manager->Active()) {
    std::fprintf(stderr, "listview_bench: the skin did not load\n");
    return 1;
  }
  skin::RegisterListViewClasses();
  skin::Ac_InstallScrollBarsLink();
  int result = 0;
  {
    TForm* form = Create<TForm>(Application);
    form->SetBounds(0, 0, 660, 260);
    auto* skinned = NewList<skin::TsListView>(form, 10);
    auto* plain = NewList<TListView>(form, 330);
    form->Show();
    Pump();
    if (!skinned->SkinData()->Skinned()) {
      std::fprintf(stderr, "listview_bench: the list is not skinned\n");
      result = 1;
    } else {
      std::printf("listview_bench: %d rows, 300 x 200, report view; %d repaints, %d page scrolls down and up\n", kRows,
                  kRepaints, kScrolls);
      const double paintSkinned = MeanOf(kRepaints, [&] { Repaint(skinned->Handle()); });
      const double paintPlain = MeanOf(kRepaints, [&] { Repaint(plain->Handle()); });
      Row("whole repaint", paintSkinned, paintPlain);
      const double scrollSkinned = MeanOf(kScrolls, [&] { ScrollPage(skinned->Handle()); });
      const double scrollPlain = MeanOf(kScrolls, [&] { ScrollPage(plain->Handle()); });
      Row("page scroll down and up", scrollSkinned, scrollPlain);
    }
    Free(form);
  }
  classlib::Free(manager);
  return result;
}
