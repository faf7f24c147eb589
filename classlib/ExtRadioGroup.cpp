// The radio group: a group box of radio buttons made from a list of strings.
#include <algorithm>

#include "classlib/ExtCtrls.h"
#include "classlib/RadioGroupLayout.h"
#include "classlib/ScopeExit.h"

namespace classlib {

namespace {

int FontHeight(TFont* font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

// One button of the group: created, placed and freed by it; a click asks the group first.
class TCustomRadioGroup::TGroupButton : public TRadioButton {
 public:
  explicit TGroupButton(TCustomRadioGroup* Group) : TRadioButton(Group), group_(Group) {
    SetVisible(false);
    SetEnabled(Group->Enabled());
    SetParentShowHint(false);
    SetTabStop(false);
    OnClick = [Group](TObject* Sender) { Group->ButtonClick(Sender); };
    SetParent(Group);
    Group->FButtons.push_back(this);
  }
  ~TGroupButton() override { std::erase(group_->FButtons, this); }

 protected:
  void Dispatch(TMessage& M) override {
    if (M.Msg == CN_COMMAND && HIWORD(M.WParam) == BN_CLICKED && !group_->CanModify()) {
      M.Result = 0;
      return;
    }
    TRadioButton::Dispatch(M);
  }

 private:
  TCustomRadioGroup* group_;
};

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner) {
  // Holds only its own buttons.
  ControlStyle = {csSetCaption, csDoubleClicks};
  FItems = std::make_unique<TStringList>();
  FItems->OnChange = [this](TObject*) { ItemsChange(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  SetButtonCount(0);
  FItems->OnChange = nullptr;
}

void TCustomRadioGroup::DeclareProperties(TClassDecl<TCustomRadioGroup>& d) {
  d.StringList(
      L"Items",
      [](TCustomRadioGroup* g) {
        std::vector<std::wstring> items;
        for (int i = 0; i < g->Items()->Count(); ++i) items.push_back(g->Items()->Strings(i));
        return items;
      },
      [](TCustomRadioGroup* g, const std::vector<std::wstring>& items) {
        TStringList list;
        for (const std::wstring& s : items) list.Add(s);
        g->SetItems(&list);
      });
  d.Integer(L"ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex, -1);
  d.Integer(L"Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns, 1);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const { return FButtons.at(std::size_t(Index)); }

// While a description is read the buttons wait: Loaded makes them.
bool TCustomRadioGroup::Waiting() const {
  return ComponentState().Contains(csReading) || ComponentState().Contains(csLoading);
}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = ClampRadioColumns(Value);
  if (FColumns == Value) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (Waiting()) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (FItemIndex == Value) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[std::size_t(FItemIndex)]->SetChecked(false);
  FItemIndex = Value;
  if (FItemIndex >= 0) FButtons[std::size_t(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  const auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
  Changed();
  Click();
}

void TCustomRadioGroup::ItemsChange() {
  if (Waiting()) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  if (Waiting()) return;
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) FButtons[std::size_t(i)]->SetCaption(FItems->Strings(i));
  FItemIndex = std::clamp(FItemIndex, -1, ButtonCount() - 1);
  if (FItemIndex >= 0) {
    FUpdating = true;
    const TScopeExit done([this]() noexcept { FUpdating = false; });
    FButtons[std::size_t(FItemIndex)]->SetChecked(true);
  }
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetButtonCount(int Value) {
  while (ButtonCount() < Value) {
    auto* b = new TGroupButton(this);
    try {
      b->AfterConstruction();
    } catch (...) {
      Free(b);
      throw;
    }
  }
  while (ButtonCount() > std::max(Value, 0)) Free(FButtons.back());
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || Waiting()) return;
  const std::vector<TRect> cells = RadioButtonCells(ButtonCount(), FColumns, Width(), Height(), FontHeight(Font()));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const TRect& c = cells[i];
    FButtons[i]->SetBounds(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top);
    FButtons[i]->SetVisible(true);
  }
}

void TCustomRadioGroup::Dispatch(TMessage& M) {
  TCustomGroupBox::Dispatch(M);
  switch (M.Msg) {
    case WM_SIZE:
    case CM_FONTCHANGED: ArrangeButtons(); break;
    case CM_ENABLEDCHANGED:
      for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
      break;
    default: break;
  }
}

}  // namespace classlib
