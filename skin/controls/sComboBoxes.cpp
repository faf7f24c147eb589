#include "skin/controls/sComboBoxes.h"

#include <algorithm>
#include <cstdint>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sColorDialog.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TMessage;
using classlib::TOwnerDrawState;

namespace {

constexpr UINT kExItemTextFlags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;
constexpr int kIndentStep = 10;

classlib::TOwnerless<TsColorDialog>& SharedDialog() {
  static classlib::TOwnerless<TsColorDialog> dialog;
  return dialog;
}

void FillRect(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(classlib::ColorToRGB(Color)));
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  ::FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void FrameRect(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(classlib::ColorToRGB(Color)));
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  ::FrameRect(DC, &r, brush);
  DeleteObject(brush);
}

void DrawPlainText(HDC DC, const std::wstring& Text, TRect R, UINT Flags, TColor Color) {
  SetTextColor(DC, COLORREF(classlib::ColorToRGB(Color)));
  SetBkMode(DC, TRANSPARENT);
  acDrawText(DC, Text, R, Flags);
}

}  // namespace

TsColorDialog* ColorBoxDialog() {
  if (!SharedDialog()) SharedDialog().reset(classlib::Create<TsColorDialog>(nullptr));
  return SharedDialog().get();
}

TsColorDialog* ExistingColorBoxDialog() { return SharedDialog().get(); }

// ---------------------------------------------------------------------------------------------
// Extended box

TsCustomComboBoxEx::TsCustomComboBoxEx(classlib::TComponent* AOwner) : TsCustomComboBox(AOwner) { SetDropDownCount(8); }

TsCustomComboBoxEx::~TsCustomComboBoxEx() { SetImages(nullptr); }

int TsCustomComboBoxEx::AddItem(const std::wstring& Caption, int ImageIndex, int SelectedImageIndex, int Indent) {
  const int index = Items()->Add(Caption);
  SetItemEx(index, TComboExItem{ImageIndex, SelectedImageIndex, Indent});
  return index;
}

TComboExItem TsCustomComboBoxEx::ItemEx(int Index) const {
  if (Index < 0 || Index >= Items()->Count() || std::size_t(Index) >= itemsEx_.size()) return {};
  return itemsEx_[std::size_t(Index)];
}

void TsCustomComboBoxEx::SetItemEx(int Index, const TComboExItem& Value) {
  if (Index < 0 || Index >= Items()->Count()) return;
  if (itemsEx_.size() < std::size_t(Items()->Count())) itemsEx_.resize(std::size_t(Items()->Count()));
  itemsEx_[std::size_t(Index)] = Value;
  SkinData()->Invalidate();
}

bool TsCustomComboBoxEx::GetSelectedItem(TComboExItem& Item) const {
  if (ItemIndex() < 0) return false;
  Item = ItemEx(ItemIndex());
  return true;
}

void TsCustomComboBoxEx::SetImages(classlib::TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  if (!ComponentState().Contains(classlib::csDestroying)) SkinData()->Invalidate();
}

void TsCustomComboBoxEx::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TsCustomComboBox::Notification(AComponent, Operation);
  if (Operation == classlib::opRemove && AComponent == FImages) FImages = nullptr;
}

void TsCustomComboBoxEx::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Skinned() && !OwnerDrawnWithEvent())
    DrawSkinItem(Index, Rect, Canvas()->Handle(), State);
  else
    TsCustomComboBox::DrawItem(Index, Rect, State);
}

bool TsCustomComboBoxEx::DrawSkinItem(int Index, const TRect& Rect, HDC DC, TOwnerDrawState State) {
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  TsSkinManager* sm = SkinData()->GetSkinManager();
  if (w <= 0 || h <= 0 || sm == nullptr || DC == nullptr) return true;
  const TacSkinRecords& records = sm->Records();
  const bool editPart = State.Contains(classlib::odComboBoxEdit);
  const bool selected = State.Contains(classlib::odSelected);
  classlib::TBitmap* cache = SkinData()->CacheBmp();
  const bool fromCache = editPart && cache != nullptr && cache->Width() > 0;
  const TColor back = records.GetActiveEditColor();
  const int selection = sm->GetSkinIndex("SELECTION");
  int section;
  if (selected)
    section = editPart && Style() != classlib::csDropDownList ? SkinData()->SkinIndex : selection;
  else
    section = editPart ? SkinData()->SkinIndex : sm->GetSkinIndex("EDIT");

  auto bmp = NewBitmap32(w, h);
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->SetFont(Font());
  const HDC bdc = canvas->Handle();
  TCacheInfo ci;
  if (fromCache)
    ci = MakeCacheInfo(cache, Rect.Left, Rect.Top);
  else
    ci.FillColor = back;

  int left = 0;
  const TComboExItem ex = ItemEx(Index);
  if (!editPart && Index >= 0 && ex.Indent >= 0) {
    left = ex.Indent * kIndentStep;
    FillRect(bdc, TRect{0, 0, std::min(left, w), h}, back);
    if (left >= w) {
      BitBlt(DC, Rect.Left, Rect.Top, w, h, bdc, 0, 0, SRCCOPY);
      return true;
    }
  }
  const std::wstring text = editPart && Style() == classlib::csDropDown
                                ? Text()
                                : (Index >= 0 && Index < Items()->Count() ? Items()->Strings(Index) : std::wstring());
  const int imageWidth = FImages != nullptr ? FImages->Width() : 0;
  const TColor highlight = records.GetHighLightColor(true);
  auto paintHighlight = [&](const TRect& r) {
    if (selection < 0)
      FillRect(bdc, r, highlight);
    else
      PaintItem(selection, "SELECTION", ci, true, 1, r, TPoint{0, 0}, bmp.get(), sm, -1, -1);
  };
  if (selected && Style() != classlib::csDropDown) {
    paintHighlight(TRect{left, 0, w, h});
  } else if (selected) {
    if (selection < 0) {
      FillRect(bdc, TRect{left, 0, w, h}, highlight);
    } else {
      FillRect(bdc, TRect{left, 0, w, h}, back);
      const int from = left + (FImages != nullptr ? imageWidth + 2 : 0);
      paintHighlight(TRect{from, 0, std::min(w, from + canvas->TextWidth(text) + 8), h});
    }
  } else if (fromCache) {
    BitBlt(bdc, left, 0, w - left, h, cache->Canvas()->Handle(), Rect.Left + left, Rect.Top, SRCCOPY);
  } else {
    FillRect(bdc, TRect{left, 0, w, h}, back);
  }

  if (FImages != nullptr) {
    const int image = editPart && ex.SelectedImageIndex >= 0 ? ex.SelectedImageIndex : ex.ImageIndex;
    if (image >= 0 && image < FImages->Count()) FImages->Draw(canvas, left, (h - FImages->Height()) / 2, image);
    left += imageWidth + 4;
  }
  TRect textRect{left + 2, 0, w - 2, h};
  if (editPart && Style() == classlib::csDropDown) {
    TRect r{left, 1, w, h - 1};
    acWriteTextEx(canvas, text, true, r, (kExItemTextFlags & ~UINT(DT_VCENTER)) | DT_BOTTOM, SkinData()->SkinIndex,
                  false, sm);
  } else if (Index >= 0 && Index < Items()->Count()) {
    if (section < 0)
      DrawPlainText(bdc, text, textRect, kExItemTextFlags,
                    selected ? records.GetHighLightFontColor(true) : records.GetActiveEditFontColor());
    else
      acWriteTextEx(canvas, text, true, textRect, kExItemTextFlags, section, true, sm);
  }
  BitBlt(DC, Rect.Left, Rect.Top, w, h, bdc, 0, 0, SRCCOPY);
  if (State.Contains(classlib::odFocused) && section < 0) {
    RECT focus{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    DrawFocusRect(DC, &focus);
  }
  return true;
}

bool TsCustomComboBoxEx::ReadOnlyRefuses(const TMessage& M, LRESULT& Answer) const {
  Answer = 0;
  if (!ReadOnly()) return false;
  if (M.Msg == WM_COMMAND || M.Msg == classlib::CN_COMMAND) {
    const WORD code = HIWORD(M.WParam);
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE || code == CBN_DROPDOWN) {
      Answer = 1;
      return true;
    }
    return false;
  }
  const bool keyDown = M.Msg == WM_KEYDOWN || M.Msg == WM_SYSKEYDOWN || M.Msg == classlib::CN_KEYDOWN ||
                       M.Msg == classlib::CN_SYSKEYDOWN;
  // The same keys as the plain box but F4, which the extended box leaves to the system.
  if (keyDown)
    return (M.WParam >= 0x20 && M.WParam <= 0x28) || M.WParam == 0x39 || (M.WParam >= 0x41 && M.WParam <= 0x5A);
  return M.Msg == WM_CHAR || M.Msg == classlib::CN_CHAR;
}

void TsCustomComboBoxEx::WndProc(TMessage& M) {
  // Focus changes redraw the box from its cache; a nested change while one runs (the list
  // closing as the focus leaves) must not start a second round.
  if (Skinned() &&
      (M.Msg == WM_SETFOCUS || M.Msg == WM_KILLFOCUS || M.Msg == classlib::CM_ENTER || M.Msg == classlib::CM_EXIT)) {
    constexpr std::uint16_t kFocusGuard = 0x1000;
    if ((SkinData()->CtrlSkinState & kFocusGuard) != 0) {
      classlib::TCustomComboBox::WndProc(M);
      return;
    }
    SkinData()->CtrlSkinState = std::uint16_t(SkinData()->CtrlSkinState | kFocusGuard);
    const classlib::TScopeExit clear(
        [this] { SkinData()->CtrlSkinState = std::uint16_t(SkinData()->CtrlSkinState & ~kFocusGuard); });
    TsCustomComboBox::WndProc(M);
    return;
  }
  if (M.Msg == WM_STYLECHANGED) SkinData()->BGChanged = true;
  TsCustomComboBox::WndProc(M);
}

// ---------------------------------------------------------------------------------------------
// Colour box

TsCustomColorBox::TsCustomColorBox(classlib::TComponent* AOwner) : TsCustomComboBoxEx(AOwner) {
  TsCustomComboBoxEx::SetStyle(classlib::csDropDownList);
  SkinData()->COC = kColorBoxCoc;
}

classlib::TObject* TsCustomColorBox::ColorObject(TColor Color) {
  // The item's object slot carries the colour value itself, never an object.
  return reinterpret_cast<classlib::TObject*>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(Color)));
}

TColor TsCustomColorBox::GetColor(int I) const {
  if (I < 0 || I >= Items()->Count()) return classlib::clNone;
  return static_cast<TColor>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Items()->Objects(I))));
}

std::wstring TsCustomColorBox::GetColorName(int I) const {
  return I >= 0 && I < Items()->Count() ? Items()->Strings(I) : std::wstring();
}

std::vector<TColor> TsCustomColorBox::Colors() const {
  std::vector<TColor> colors;
  for (int i = 0; i < Items()->Count(); ++i) colors.push_back(GetColor(i));
  return colors;
}

void TsCustomColorBox::Repaint() {
  SkinData()->BGChanged = true;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TsCustomColorBox::CreateWnd() {
  TsCustomComboBoxEx::CreateWnd();
  if (FNeedToPopulate) PopulateList();
}

void TsCustomColorBox::SetStyle(TsColorBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  SetEnabled(ColorBoxEnabled(FStyle));
  PopulateList();
  SkinData()->Invalidate();
}

void TsCustomColorBox::SetMargin(int Value) {
  const int margin = ClampedMargin(Value, Height());
  if (margin == FMargin) return;
  FMargin = margin;
  Invalidate();
}

void TsCustomColorBox::SetShowColorName(bool Value) {
  if (Value == FShowColorName) return;
  FShowColorName = Value;
  Invalidate();
}

void TsCustomColorBox::SetDefaultColorColor(TColor Value) {
  if (Value == FDefaultColorColor) return;
  FDefaultColorColor = Value;
  Invalidate();
}

void TsCustomColorBox::SetNoneColorColor(TColor Value) {
  if (Value == FNoneColorColor) return;
  FNoneColorColor = Value;
  Invalidate();
}

TColor TsCustomColorBox::Selected() const {
  if (!HandleAllocated()) return FSelectedColor;
  const int index = ItemIndex();
  return index < 0 ? kNoColorSelected : GetColor(index);
}

void TsCustomColorBox::SetSelected(TColor Value) {
  if (HandleAllocated()) {
    const TColorSelection s = ColorSelection(Colors(), Value, FStyle.Contains(cbCustomColor));
    if (s.CustomTakesColor) Items()->SetObjects(0, ColorObject(Value));
    SetItemIndex(s.Index);
    Repaint();
  }
  FSelectedColor = Value;
}

void TsCustomColorBox::PopulateList() {
  if (!HandleAllocated() || ComponentState().Contains(classlib::csDestroying)) {
    FNeedToPopulate = true;
    return;
  }
  FNeedToPopulate = false;
  classlib::TStrings* items = Items();
  items->BeginUpdate();
  const classlib::TScopeExit end([items] { items->EndUpdate(); });
  TColor custom = classlib::clBlack;
  if (FStyle.Contains(cbCustomColor) && items->Count() > 0) custom = GetColor(0);
  const TColor selected = Selected() == kNoColorSelected ? FSelectedColor : Selected();
  items->Clear();

  for (const TNamedColor& c : StyleColors(classlib::ColorIdents().Entries, FStyle)) {
    std::wstring name = c.Name;
    if (OnColorName) OnColorName(this, c.Color, name);
    items->AddObject(name, ColorObject(c.Color));
  }
  if (FStyle.Contains(cbSavedColors))
    if (TsColorDialog* dialog = ExistingColorBoxDialog())
      for (int i = 0; i < dialog->CustomColors()->Count(); ++i) {
        const std::wstring text = dialog->CustomColors()->Strings(i);
        TColor color = 0;
        if (SavedColor(text, color)) items->InsertObject(0, text, ColorObject(color));
      }
  if (FStyle.Contains(cbCustomColor)) items->InsertObject(0, kCustomColorCaption, ColorObject(custom));
  if (FStyle.Contains(cbCustomColors) && OnGetColors) OnGetColors(this, items);
  SetSelected(selected);
}

bool TsCustomColorBox::PickCustomColor() {
  TsColorDialog* dialog = ColorBoxDialog();
  dialog->SetColor(classlib::ColorToRGB(GetColor(0)));
  if (!dialog->Execute()) return false;
  {
    if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    const classlib::TScopeExit redraw([this] {
      if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    });
    // The new custom colour may be among the saved ones now.
    if (FStyle.Contains(cbSavedColors)) PopulateList();
    if (Items()->Count() > 0) Items()->SetObjects(0, ColorObject(dialog->Color()));
    SetSelected(dialog->Color());
    SetItemIndex(0);
  }
  Repaint();
  return true;
}

void TsCustomColorBox::CloseUp() { FListSelected = true; }

void TsCustomColorBox::KeyDown(WORD& Key, classlib::TShiftState Shift) {
  FListSelected = false;
  TsCustomComboBoxEx::KeyDown(Key, Shift);
}

void TsCustomColorBox::KeyPress(wchar_t& Key) {
  TsCustomComboBoxEx::KeyPress(Key);
  if (Key == L'\r' && FStyle.Contains(cbCustomColor) && ItemIndex() == 0) {
    PickCustomColor();
    Key = 0;
  }
}

void TsCustomColorBox::Select() {
  if (FListSelected) {
    FListSelected = false;
    if (FStyle.Contains(cbCustomColor) && ItemIndex() == 0 && !PickCustomColor()) return;
  }
  TsCustomComboBoxEx::Select();
}

void TsCustomColorBox::WndProc(TMessage& M) {
  if (M.Msg == classlib::CN_COMMAND && !ReadOnly()) {
    const WORD code = HIWORD(M.WParam);
    if (code == CBN_DROPDOWN && FStyle.Contains(cbSavedColors)) PopulateList();
    if (code == CBN_CLOSEUP) CloseUp();
  }
  TsCustomComboBoxEx::WndProc(M);
}

void TsCustomColorBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OwnerDrawnWithEvent())
    TsCustomComboBoxEx::DrawItem(Index, Rect, State);
  else
    DrawSkinItem(Index, Rect, Canvas()->Handle(), State);
}

bool TsCustomColorBox::DrawSkinItem(int Index, const TRect& Rect, HDC DC, TOwnerDrawState State) {
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  if (Index < 0 || w <= 0 || h <= 0 || DC == nullptr) return false;
  const bool skinned = Skinned();
  TsSkinManager* sm = skinned ? SkinData()->GetSkinManager() : nullptr;
  const bool editPart = State.Contains(classlib::odComboBoxEdit);
  const bool selected = State.Contains(classlib::odSelected);
  classlib::TBitmap* cache = SkinData()->CacheBmp();
  const bool fromCache = skinned && editPart && cache != nullptr && cache->Width() > 0;
  const int selection = sm != nullptr ? sm->GetSkinIndex("SELECTION") : -1;
  int section = -1;
  if (sm != nullptr) section = selected ? selection : (editPart ? SkinData()->SkinIndex : sm->GetSkinIndex("EDIT"));

  auto bmp = NewBitmap32(w, h);
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->SetFont(Font());
  const HDC bdc = canvas->Handle();
  TCacheInfo ci;
  if (fromCache)
    ci = MakeCacheInfo(cache, Rect.Left, Rect.Top);
  else
    ci.FillColor = Color();
  const TRect all{0, 0, w, h};
  if (!selected || (editPart && !FShowColorName)) {
    if (fromCache)
      BitBlt(bdc, 0, 0, w, h, cache->Canvas()->Handle(), Rect.Left, Rect.Top, SRCCOPY);
    else
      FillRect(bdc, all, Color());
  } else if (sm == nullptr) {
    FillRect(bdc, all, classlib::clHighlight);
  } else if (selection < 0) {
    FillRect(bdc, all, sm->Records().GetHighLightColor(true));
  } else {
    PaintItem(selection, "SELECTION", ci, true, 1, all, TPoint{0, 0}, bmp.get(), sm, -1, -1);
  }

  TColor c = GetColor(Index);
  if (c == classlib::clDefault) c = FDefaultColorColor;
  if (c == classlib::clNone) c = FNoneColorColor;
  c = classlib::ColorToRGB(c);
  const TColor frame = SwatchFrameColor(c, selected);
  if (editPart && !FShowColorName) {
    const int inset = FMargin + 1;
    const TRect swatch{inset, inset, w - inset, h - inset};
    if (selected) {
      FillRect(bdc, all, c);
      if (State.Contains(classlib::odFocused)) {
        RECT focus{0, 0, w, h};
        DrawFocusRect(bdc, &focus);
      }
    } else {
      FillRect(bdc, swatch, c);
      FrameRect(bdc, swatch, frame);
    }
  } else {
    const int inset = editPart ? FMargin + 1 : 1;
    const int side = h - 2 * inset;
    const TRect swatch{inset + 2, inset, inset + 2 + 2 * side, h - inset};
    FillRect(bdc, swatch, c);
    FrameRect(bdc, swatch, frame);
    TRect text{swatch.Right + 5, 0, w, h};
    const std::wstring name = GetColorName(Index);
    if (section >= 0) {
      acWriteTextEx(canvas, name, true, text, kExItemTextFlags, section, selected, sm);
    } else {
      TColor font = Font()->Color();
      if (selected) font = sm != nullptr ? sm->Records().GetHighLightFontColor(true) : classlib::clHighlightText;
      DrawPlainText(bdc, name, text, kExItemTextFlags, font);
      if (State.Contains(classlib::odFocused) && sm == nullptr) {
        RECT focus{text.Left - 2, 0, w, h};
        DrawFocusRect(bdc, &focus);
      }
    }
  }
  BitBlt(DC, Rect.Left, Rect.Top, w, h, bdc, 0, 0, SRCCOPY);
  return true;
}

void TsCustomColorBox::DeclareProperties(classlib::TClassDecl<TsCustomColorBox>& d) {
  d.Set(L"Style", &TsCustomColorBox::Style, &TsCustomColorBox::SetStyle, kDefaultColorBoxStyle);
  d.Integer(L"Margin", &TsCustomColorBox::Margin, &TsCustomColorBox::SetMargin, 0);
  d.Color(L"Selected", &TsCustomColorBox::Selected, &TsCustomColorBox::SetSelected, classlib::clBlack);
  d.Bool(L"ShowColorName", &TsCustomColorBox::ShowColorName, &TsCustomColorBox::SetShowColorName, true);
  d.Color(L"DefaultColorColor", &TsCustomColorBox::DefaultColorColor, &TsCustomColorBox::SetDefaultColorColor,
          classlib::clBlack);
  d.Color(L"NoneColorColor", &TsCustomColorBox::NoneColorColor, &TsCustomColorBox::SetNoneColorColor,
          classlib::clBlack);
}

void RegisterComboBoxesClasses() {
  RegisterComboBoxClasses();
  classlib::RegisterClass<TsCustomComboBoxEx, TsCustomComboBox>(L"TsCustomComboBoxEx");
  classlib::RegisterClass<TsComboBoxEx, TsCustomComboBoxEx>(L"TsComboBoxEx");
  classlib::RegisterClass<TsCustomColorBox, TsCustomComboBoxEx>(L"TsCustomColorBox");
  classlib::RegisterClass<TsColorBox, TsCustomColorBox>(L"TsColorBox");
}

}  // namespace skin
