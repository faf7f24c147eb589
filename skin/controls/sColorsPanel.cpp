#include <windows.h>

#include "skin/controls/sPanel.h"

namespace skin {

TsColorsPanel::TsColorsPanel(classlib::TComponent* AOwner)
    : TsPanel(AOwner), FColors(std::make_unique<classlib::TStringList>()) {
  SetCaption(L" ");
  SetBounds(Left(), Top(), 140, 60);
}

void TsColorsPanel::DeclareProperties(classlib::TClassDecl<TsColorsPanel>& d) {
  d.StringList(
      L"Colors",
      [](TsColorsPanel* p) {
        std::vector<std::wstring> lines;
        for (int i = 0; i < p->Colors()->Count(); ++i) lines.push_back(p->Colors()->Strings(i));
        return lines;
      },
      [](TsColorsPanel* p, const std::vector<std::wstring>& lines) {
        classlib::TStringList list;
        for (const std::wstring& line : lines) list.Add(line);
        p->SetColors(&list);
      });
  d.Integer(L"ItemIndex", &TsColorsPanel::ItemIndex, &TsColorsPanel::SetItemIndex, -1);
  // Each grid measure is its own property; a change rebuilds the cells.
  const auto measure = [&d](const wchar_t* name, int TsColorsGridLayout::*field, int def) {
    d.Integer(
        name, [field](TsColorsPanel* p) { return p->Layout().*field; },
        [field](TsColorsPanel* p, int value) {
          if (p->Layout().*field == value) return;
          TsColorsGridLayout layout = p->Layout();
          layout.*field = value;
          p->SetLayout(layout);
        },
        def);
  };
  measure(L"ItemWidth", &TsColorsGridLayout::ItemWidth, 21);
  measure(L"ItemHeight", &TsColorsGridLayout::ItemHeight, 21);
  measure(L"ItemMargin", &TsColorsGridLayout::ItemMargin, 6);
  measure(L"ColCount", &TsColorsGridLayout::ColCount, 5);
  measure(L"RowCount", &TsColorsGridLayout::RowCount, 2);
  d.Event(L"OnChange", &TsColorsPanel::OnChange);
}

void TsColorsPanel::AfterConstruction() {
  TsPanel::AfterConstruction();
  GenerateColors();
}

void TsColorsPanel::Loaded() {
  TsPanel::Loaded();
  GenerateColors();
}

void TsColorsPanel::GenerateColors() {
  std::vector<std::wstring> lines;
  for (int i = 0; i < FColors->Count(); ++i) lines.push_back(FColors->Strings(i));
  const int before = int(lines.size());
  ColorsArray = GenerateColorCells(lines, FLayout, FItemIndex);
  for (std::size_t i = std::size_t(before); i < lines.size(); ++i) FColors->Add(lines[i]);
}

void TsColorsPanel::SetColors(const classlib::TStrings* Value) {
  FColors->Assign(Value);
  GenerateColors();
  SkinData()->Invalidate();
}

void TsColorsPanel::SetLayout(const TsColorsGridLayout& Value) {
  FLayout = Value;
  GenerateColors();
  SkinData()->Invalidate();
}

void TsColorsPanel::SetItemIndex(int Value) {
  // An index that names no cell (the lines may outnumber the cells) is no selection.
  FItemIndex = BoundedItemIndex(FItemIndex, ColorsArray.size());
  Value = BoundedItemIndex(Value, ColorsArray.size());
  if (Value == FItemIndex) return;
  if (FItemIndex >= 0) ColorsArray[std::size_t(FItemIndex)].Selected = false;
  OldSelected = FItemIndex;
  FItemIndex = Value;
  if (FItemIndex >= 0) ColorsArray[std::size_t(FItemIndex)].Selected = true;
  if (OnChange) OnChange(this);
  SkinData()->BGChanged = true;
  Repaint();
}

classlib::TColor TsColorsPanel::ColorValue() const {
  const int i = BoundedItemIndex(FItemIndex, ColorsArray.size());
  return i < 0 ? classlib::clWhite : ColorsArray[std::size_t(i)].Color;
}

void TsColorsPanel::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  TsPanel::MouseDown(Button, Shift, X, Y);
  if (CanFocus()) SetFocus();
  SetItemIndex(GetItemByCoord(TPoint{X, Y}));
}

void TsColorsPanel::PaintColors(HDC DC) const {
  for (const TsColInfo& cell : ColorsArray) {
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(cell.Color));
    RECT r{cell.R.Left, cell.R.Top, cell.R.Right, cell.R.Bottom};
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  }
}

void TsColorsPanel::PaintContent(HDC DC) {
  if (OnPaint) return;
  PaintColors(DC);
  const int i = BoundedItemIndex(FItemIndex, ColorsArray.size());
  if (i < 0) return;
  const TRect& c = ColorsArray[std::size_t(i)].R;
  auto frame = [DC](RECT r, int stock) { FrameRect(DC, &r, static_cast<HBRUSH>(GetStockObject(stock))); };
  frame(RECT{c.Left - 1, c.Top - 1, c.Right + 1, c.Bottom + 1}, WHITE_BRUSH);
  frame(RECT{c.Left - 2, c.Top - 2, c.Right + 2, c.Bottom + 2}, BLACK_BRUSH);
  if (Focused()) {
    RECT f{c.Left - 4, c.Top - 4, c.Right + 4, c.Bottom + 4};
    DrawFocusRect(DC, &f);
  }
}

}  // namespace skin
