// The radio group and its buttons (unit sGroupBox).
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlTypes.h"
#include "skin/controls/sGroupBox.h"
#include "skin/core/sMessages.h"

namespace skin {

using classlib::TMessage;

namespace {

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

int FontHeight(classlib::TFont* font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

// ---- TsGroupButton ----

TsGroupButton::TsGroupButton(TsRadioGroup* RadioGroup) : TsRadioButton(RadioGroup) {
  SkinData()->SetSkinManager(RadioGroup->SkinData()->SkinManager());
  SkinData()->SetSkinSection("RADIOBUTTON");
  SetShowFocus(true);
  // The group gives every button its cell; the caption does not size it.
  SetAutoSize(false);
  SetVisible(false);
  SetEnabled(RadioGroup->Enabled());
  SetParentShowHint(false);
  OnClick = [RadioGroup](classlib::TObject* Sender) { RadioGroup->ButtonClick(Sender); };
  SetTabStop(false);
  SkinData()->SetCustomFont(RadioGroup->SkinData()->CustomFont());
  SetAnimatEvents(RadioGroup->AnimatEvents());
  SetParent(RadioGroup);
  RadioGroup->FButtons.push_back(this);
}

TsGroupButton::~TsGroupButton() {
  if (TsRadioGroup* g = Group()) std::erase(g->FButtons, this);
}

TsRadioGroup* TsGroupButton::Group() const { return dynamic_cast<TsRadioGroup*>(Owner()); }

int TsGroupButton::OwnIndex() const {
  const TsRadioGroup* g = Group();
  if (g == nullptr) return -1;
  const auto it = std::find(g->FButtons.begin(), g->FButtons.end(), this);
  return it == g->FButtons.end() ? -1 : static_cast<int>(it - g->FButtons.begin());
}

bool TsGroupButton::CanModify() {
  TsRadioGroup* g = Group();
  if (g == nullptr) return true;
  FInModifying = true;
  const classlib::TScopeExit done([this]() noexcept { FInModifying = false; });
  return g->CanModify(OwnIndex());
}

void TsGroupButton::KeyPress(wchar_t& Key) {
  TsRadioButton::KeyPress(Key);
  TsRadioGroup* g = Group();
  if (g == nullptr) return;
  g->KeyPress(Key);
  if ((Key == L'\b' || Key == L' ') && !g->CanModify(OwnIndex())) Key = 0;
}

void TsGroupButton::KeyDown(WORD& Key, classlib::TShiftState Shift) {
  TsRadioButton::KeyDown(Key, Shift);
  if (TsRadioGroup* g = Group()) g->KeyDown(Key, Shift);
}

void TsGroupButton::WndProc(TMessage& M) {
  if (M.Msg == classlib::CN_COMMAND) return ClickCommand(M);
  TsRadioButton::WndProc(M);
}

void TsGroupButton::ClickCommand(TMessage& M) {
  M.Result = 0;
  if (FInClick || FInModifying || HasState(this, classlib::csLoading)) return;
  FInClick = true;
  const classlib::TScopeExit done([this]() noexcept { FInClick = false; });
  const WORD code = HIWORD(M.WParam);
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
  try {
    TsRadioGroup* g = Group();
    if (g == nullptr || g->CanModify(OwnIndex())) TsRadioButton::WndProc(M);
  } catch (...) {
    classlib::HandleCallbackException(this);
  }
}

// ---- TsRadioGroup ----

TsRadioGroup::TsRadioGroup(classlib::TComponent* AOwner) : TsGroupBox(AOwner) {
  // Holds only its own buttons, and is not opaque.
  ControlStyle = {classlib::csSetCaption, classlib::csDoubleClicks};
  FItems = std::make_unique<classlib::TStringList>();
  FItems->OnChange = [this](classlib::TObject* Sender) { ItemsChange(Sender); };
}

TsRadioGroup::~TsRadioGroup() {
  SetButtonCount(0);
  FItems->OnChange = nullptr;
  FItems.reset();
}

void TsRadioGroup::DeclareProperties(classlib::TClassDecl<TsRadioGroup>& d) {
  d.StringList(
      L"Items",
      [](TsRadioGroup* g) {
        std::vector<std::wstring> items;
        for (int i = 0; i < g->Items()->Count(); ++i) items.push_back(g->Items()->Strings(i));
        return items;
      },
      [](TsRadioGroup* g, const std::vector<std::wstring>& items) {
        classlib::TStringList list;
        for (const std::wstring& s : items) list.Add(s);
        g->SetItems(&list);
      });
  d.Set(L"AnimatEvents", &TsRadioGroup::AnimatEvents, &TsRadioGroup::SetAnimatEvents, kDefaultAnimatEvents);
  d.Integer(L"ItemIndex", &TsRadioGroup::ItemIndex, &TsRadioGroup::SetItemIndex, -1);
  d.Integer(L"Columns", &TsRadioGroup::Columns, &TsRadioGroup::SetColumns, 1);
  d.Event(L"OnChanging", &TsRadioGroup::OnChanging);
}

bool TsRadioGroup::Reading() const { return HasState(this, classlib::csReading); }

void TsRadioGroup::SetItems(const classlib::TStrings* Value) { FItems->Assign(Value); }

void TsRadioGroup::SetColumns(int Value) {
  Value = ClampRadioColumns(Value);
  if (FColumns == Value) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TsRadioGroup::SetItemIndex(int Value) {
  if (Reading()) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, ButtonCount() - 1);
  if (FItemIndex == Value) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[std::size_t(FItemIndex)]->SetChecked(false);
  FItemIndex = Value;
  if (FItemIndex >= 0) FButtons[std::size_t(FItemIndex)]->SetChecked(true);
}

bool TsRadioGroup::CanModify(int NewIndex) {
  bool allow = true;
  if (OnChanging) OnChanging(this, NewIndex, allow);
  return allow;
}

void TsRadioGroup::ButtonClick(classlib::TObject* Sender) {
  if (FUpdating) return;
  const auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
  Changed();
  Click();
}

void TsRadioGroup::ItemsChange(classlib::TObject*) {
  if (!Reading() && !HasState(this, classlib::csLoading)) {
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
  }
  for (TsGroupButton* b : FButtons) b->Loaded();
}

void TsRadioGroup::UpdateButtons() {
  if (Reading() || HasState(this, classlib::csLoading)) return;
  SetButtonCount(FItems->Count());
  for (int i = 0; i < ButtonCount(); ++i) FButtons[std::size_t(i)]->SetCaption(FItems->Strings(i));
  // The button ItemIndex names shows checked, also when it took the place of a deleted one.
  FItemIndex = std::clamp(FItemIndex, -1, ButtonCount() - 1);
  if (FItemIndex >= 0) {
    FUpdating = true;
    const classlib::TScopeExit done([this]() noexcept { FUpdating = false; });
    FButtons[std::size_t(FItemIndex)]->SetChecked(true);
  }
  ArrangeButtons();
  Invalidate();
}

void TsRadioGroup::SetButtonCount(int Value) {
  while (ButtonCount() < Value) {
    auto* b = new TsGroupButton(this);
    try {
      b->AfterConstruction();
    } catch (...) {
      classlib::Free(b);
      throw;
    }
  }
  while (ButtonCount() > std::max(Value, 0)) classlib::Free(FButtons.back());
}

void TsRadioGroup::Loaded() {
  TsGroupBox::Loaded();
  UpdateButtons();
}

void TsRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || Reading() || HasState(this, classlib::csLoading)) return;
  const std::vector<TRect> cells = RadioButtonCells(ButtonCount(), FColumns, Width(), Height(), FontHeight(Font()));
  HDWP batch = HandleAllocated() ? BeginDeferWindowPos(ButtonCount()) : nullptr;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    TsGroupButton* b = FButtons[i];
    b->SkinData()->SetSkinManager(SkinData()->SkinManager());
    const TRect& c = cells[i];
    if (batch != nullptr)
      batch = DeferWindowPos(batch, b->Handle(), nullptr, c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    else
      b->SetBounds(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top);
    b->SetVisible(true);
  }
  if (batch != nullptr) EndDeferWindowPos(batch);
}

void TsRadioGroup::WndProc(TMessage& M) {
  const UINT msg = M.Msg;
  if (msg == SM_ALPHACMD && CommandOf(M.WParam) == ACMD_REFRESH &&
      M.LParam == reinterpret_cast<LPARAM>(SkinData()->GetSkinManager()))
    ArrangeButtons();
  TsGroupBox::WndProc(M);
  switch (msg) {
    case classlib::CM_ENABLEDCHANGED:
      for (TsGroupButton* b : FButtons) {
        b->SetEnabled(Enabled());
        b->SkinData()->BGChanged = true;
      }
      break;
    case classlib::CM_FONTCHANGED:
    case WM_SIZE: ArrangeButtons(); break;
    default: break;
  }
}

}  // namespace skin
