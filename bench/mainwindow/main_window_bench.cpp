// The configurator's main window read from the description the program carries, into a plain form
// without the program's handlers, with our skin and with the skin manager inactive (the same
// controls drawn as plain Windows controls): the window created, shown and painted; page 0 (nine
// group boxes rebuilt on every paint, their labels, buttons, check boxes and 28 fields) repainted
// with all its children; page 0's 28 fields alone, unfocused, each painted once with its cache
// rebuilt (the first paint) and once from its cache; and the password dialog's shadowed label painted beside a plain skinned
// label of the same text and font. The skin is loaded once, before any timing. Prints the mean time
// of each and the ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "classlib/ResourceStream.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sStatusBar.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acAlphaImageList.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

forms::ObjectNode Description(const wchar_t* resource) {
  TResourceStream stream(GetModuleHandleW(nullptr), resource);
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return forms::ReadForm(std::string_view(bytes, static_cast<std::size_t>(stream.Size())));
}

// The bench's form declares no handlers, and it shares the manager loaded once: event bindings and
// the description's own skin manager go.
void Strip(forms::ObjectNode& node) {
  std::erase_if(node.properties, [](const forms::Property& p) {
    return p.name.size() > 2 && p.name.starts_with(L"On") && std::iswupper(p.name[2]);
  });
  std::erase_if(node.children, [](const forms::ObjectNode& c) { return c.className == L"TsSkinManager"; });
  for (forms::ObjectNode& child : node.children) Strip(child);
}

const forms::ObjectNode* Find(const forms::ObjectNode& node, std::wstring_view name) {
  if (node.name == name) return &node;
  for (const forms::ObjectNode& child : node.children)
    if (const forms::ObjectNode* found = Find(child, name)) return found;
  return nullptr;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TForm* ShowMainWindow(const forms::ObjectNode& description) {
  TForm* form = Create<TForm>(nullptr);
  ApplyDescription(form, description, TFormBindings(form));
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  return form;
}

// The median of a handful of timings: under a loaded machine single rounds stray far both ways.
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Per mode (skinned, plain): each show (create to painted) and each batch of page-0 repaints.
struct Timings {
  std::vector<double> show, page, fieldsFirst, fieldsCached;
  int controls = 0, fields = 0;
};

// The skinned fields of a page (edits and masked edits), each with its skin state.
std::vector<std::pair<TWinControl*, TsCommonData*>> FieldsOn(TForm* form, TWinControl* page) {
  std::vector<std::pair<TWinControl*, TsCommonData*>> fields;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    TsCommonData* state = nullptr;
    if (auto* edit = dynamic_cast<TsEdit*>(c)) state = edit->SkinData();
    if (auto* mask = dynamic_cast<TsMaskEdit*>(c)) state = mask->SkinData();
    if (state == nullptr) continue;
    auto* field = static_cast<TWinControl*>(c);
    for (TWinControl* p = field->Parent(); p != nullptr; p = p->Parent())
      if (p == page) {
        fields.emplace_back(field, state);
        break;
      }
  }
  return fields;
}

// Every field repainted once; with Rebuild their caches are marked stale first, as after a
// change of size, state or skin.
void PaintFields(const std::vector<std::pair<TWinControl*, TsCommonData*>>& fields, bool Rebuild) {
  for (const auto& [field, state] : fields) {
    if (Rebuild) state->BGChanged = true;
    RedrawWindow(field->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
}

int ControlsOn(TForm* form, TWinControl* page) {
  int n = 0;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* c = dynamic_cast<TControl*>(form->Components(i)))
      for (TWinControl* p = c->Parent(); p != nullptr; p = p->Parent())
        if (p == page) {
          ++n;
          break;
        }
  return n;
}

void TimeMainWindow(const forms::ObjectNode& description, Timings& t) {
  constexpr int kBatches = 3, kRepaints = 10;
  // The first window after the skin came or went builds what the skin's switch emptied: untimed.
  Free(ShowMainWindow(description));
  Pump();
  TForm* form = nullptr;
  t.show.push_back(bench::MeanSeconds(1, [&] { form = ShowMainWindow(description); }));
  auto* page = dynamic_cast<TWinControl*>(form->FindComponent(L"TabSheet2"));
  if (page == nullptr || !IsWindowVisible(page->Handle())) {
    std::printf("page 0 (TabSheet2) is not showing\n");
    std::exit(1);
  }
  t.controls = ControlsOn(form, page);
  for (int b = 0; b < kBatches; ++b)
    t.page.push_back(bench::MeanSeconds(kRepaints, [&] {
      RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }));
  // The focus stays off the fields: the page control holds it.
  if (auto* pages = dynamic_cast<TWinControl*>(form->FindComponent(L"PageControl1")); pages != nullptr && pages->CanFocus())
    pages->SetFocus();
  const auto fields = FieldsOn(form, page);
  t.fields = static_cast<int>(fields.size());
  for (int b = 0; b < kBatches; ++b) {
    t.fieldsFirst.push_back(bench::MeanSeconds(kRepaints, [&] { PaintFields(fields, true); }));
    t.fieldsCached.push_back(bench::MeanSeconds(kRepaints, [&] { PaintFields(fields, false); }));
  }
  Free(form);
  Pump();
}

// A label painted into a bitmap of its size, as its parent's paint hands it a device context.
double TimeLabelPaint(TControl* label) {
  constexpr int kPaints = 100;
  auto bmp = NewBitmap32(label->Width(), label->Height());
  const WPARAM dc = reinterpret_cast<WPARAM>(bmp->Canvas()->Handle());
  return bench::MeanSeconds(kPaints, [&] {
    label->Perform(WM_PAINT, dc, 0);
    GdiFlush();
  });
}

// Per mode: batches of paints of the shadowed label and of a plain skinned label of the same text.
struct LabelTimings {
  std::vector<double> fx, plain;
};

void TimeLabels(const forms::ObjectNode& fxNode, LabelTimings& t) {
  TForm* form = Create<TForm>(nullptr);
  form->SetBounds(0, 0, 300, 200);
  form->Handle();
  forms::ObjectNode root;
  root.className = L"TForm";
  root.children.push_back(fxNode);
  forms::ObjectNode same = fxNode;
  same.name = L"sLabel1";
  same.className = L"TsLabel";
  std::erase_if(same.properties, [](const forms::Property& p) {
    return p.name.starts_with(L"Shadow") || p.name.starts_with(L"Kind") || p.name.starts_with(L"Angle");
  });
  root.children.push_back(same);
  ApplyDescription(form, root, TFormBindings(form));
  auto* fxLabel = dynamic_cast<TsLabelFX*>(form->FindComponent(fxNode.name));
  auto* plainLabel = dynamic_cast<TsLabel*>(form->FindComponent(L"sLabel1"));
  if (fxLabel == nullptr || plainLabel == nullptr) {
    std::printf("the labels were not made from the description\n");
    std::exit(1);
  }
  TimeLabelPaint(fxLabel);  // the shadow's buffers grow once
  t.fx.push_back(TimeLabelPaint(fxLabel));
  t.plain.push_back(TimeLabelPaint(plainLabel));
  Free(form);
}

}  // namespace

int main() {
  RegisterAlphaImageListClasses();
  RegisterButtonClasses();
  RegisterCheckBoxClasses();
  RegisterRadioButtonClasses();
  RegisterLabelClasses();
  RegisterPageControlClasses();
  RegisterStatusBarClasses();
  RegisterSkinProviderClasses();
  RegisterBitBtnClasses();
  RegisterGroupBoxClasses();
  RegisterEditClasses();
  RegisterMaskEditClasses();
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  forms::ObjectNode mainWindow = Description(L"TFORM1");
  Strip(mainWindow);
  forms::ObjectNode passwordDialog = Description(L"TFRMPASSLOCK");
  const forms::ObjectNode* fxNode = Find(passwordDialog, L"sLabelFX1");
  if (fxNode == nullptr) {
    std::printf("the password dialog has no sLabelFX1\n");
    return 1;
  }
  forms::ObjectNode fx = *fxNode;
  Strip(fx);

  // Skinned and plain rounds alternate, so that the machine's load and the process's growth fall
  // on both alike; the first round of each only warms (fonts, images, first allocations).
  constexpr int kRounds = 7;
  Timings windows[2];
  LabelTimings labels[2];
  for (int round = 0; round <= kRounds; ++round)
    for (int mode = 0; mode < 2; ++mode) {
      manager->SetActive(mode == 0);
      Pump();
      Timings w;
      LabelTimings l;
      TimeMainWindow(mainWindow, round == 0 ? w : windows[mode]);
      TimeLabels(fx, round == 0 ? l : labels[mode]);
    }
  const Timings& skinned = windows[0];
  const Timings& plain = windows[1];
  const double show[2] = {Median(skinned.show), Median(plain.show)};
  const double page[2] = {Median(skinned.page), Median(plain.page)};
  const double first[2] = {Median(skinned.fieldsFirst), Median(plain.fieldsFirst)};
  const double cached[2] = {Median(skinned.fieldsCached), Median(plain.fieldsCached)};
  const double fxPaint[2] = {Median(labels[0].fx), Median(labels[1].fx)};
  const double labelPaint[2] = {Median(labels[0].plain), Median(labels[1].plain)};
  std::printf("the main window from its description, skinned (our skin) and plain (manager inactive),\n");
  std::printf("medians of %d alternating rounds\n", kRounds);
  std::printf("  created, shown and painted:  skinned %9.1f us, plain %9.1f us, ratio %5.2f\n", show[0] * 1e6,
              show[1] * 1e6, show[0] / show[1]);
  std::printf("page 0 repainted with its %d controls (RedrawWindow, all children)\n", skinned.controls);
  std::printf("  repaint:                     skinned %9.1f us, plain %9.1f us, ratio %5.2f\n", page[0] * 1e6,
              page[1] * 1e6, page[0] / page[1]);
  std::printf("page 0's %d fields alone, unfocused, each repainted once (plain: the system's edits)\n", skinned.fields);
  std::printf("  first paint (cache rebuilt): skinned %9.1f us, plain %9.1f us, ratio %5.2f\n", first[0] * 1e6,
              first[1] * 1e6, first[0] / first[1]);
  std::printf("  from the cache:              skinned %9.1f us, plain %9.1f us, ratio %5.2f\n", cached[0] * 1e6,
              cached[1] * 1e6, cached[0] / cached[1]);
  std::printf("the password dialog's label sLabelFX1 (the skin's shadow) and a TsLabel of its text, one paint\n");
  std::printf("  skinned: TsLabelFX %9.1f us, TsLabel %9.1f us, ratio %5.2f\n", fxPaint[0] * 1e6, labelPaint[0] * 1e6,
              fxPaint[0] / labelPaint[0]);
  std::printf("  plain:   TsLabelFX %9.1f us, TsLabel %9.1f us, ratio %5.2f\n", fxPaint[1] * 1e6, labelPaint[1] * 1e6,
              fxPaint[1] / labelPaint[1]);
  std::printf("  TsLabelFX skinned / plain:   %5.2f\n", fxPaint[0] / fxPaint[1]);
  Free(manager);
  return 0;
}
