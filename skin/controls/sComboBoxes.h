#pragma once
// The extended combo box (items with images, selected images and indents) and the colour box
// built on it. Both are the skinned combo box of sComboBox.h with these differences: items are
// painted by DrawSkinItem (image, indent, swatch), the button is the scroll bar's width, the
// drop-down list is skinned whatever its length, and a read-only box also swallows the list's
// selection and edit notifications. The colour box lists named colours (each item's object is
// its colour) and may lead with a "Custom..." entry that picks a colour through one colour
// dialog shared by every box. Win32 only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "skin/controls/sColorBoxRules.h"
#include "skin/controls/sComboBox.h"

namespace skin {

class TsColorDialog;

// What an extended item has beyond its text; -1 is none.
struct TComboExItem {
  int ImageIndex = -1;
  int SelectedImageIndex = -1;
  int Indent = -1;
};

class TsCustomComboBoxEx : public TsCustomComboBox {
 public:
  explicit TsCustomComboBoxEx(classlib::TComponent* AOwner);
  ~TsCustomComboBoxEx() override;
  std::wstring ClassName() const override { return L"TsCustomComboBoxEx"; }

  // The window the items live in.
  HWND ExHandle() { return HandleAllocated() ? Handle() : nullptr; }
  // An item with its image, selected image and indent (in steps of 10 pixels).
  int AddItem(const std::wstring& Caption, int ImageIndex = -1, int SelectedImageIndex = -1, int Indent = -1);
  // The extras of item Index (none for an item added through Items()).
  TComboExItem ItemEx(int Index) const;
  void SetItemEx(int Index, const TComboExItem& Value);
  // The extras of the item at ItemIndex; false when none is selected.
  bool GetSelectedItem(TComboExItem& Item) const;
  classlib::TCustomImageList* Images() const { return FImages; }
  void SetImages(classlib::TCustomImageList* Value);

  // Paints item Index (the edit part with odComboBoxEdit) into Rect of DC; true when painted.
  virtual bool DrawSkinItem(int Index, const TRect& Rect, HDC DC, classlib::TOwnerDrawState State);

 protected:
  void DrawItem(int Index, const TRect& Rect, classlib::TOwnerDrawState State) override;
  int ButtonWidth() const override { return GetSystemMetrics(SM_CXVSCROLL); }
  bool ListSkinnedAtOnce() const override { return true; }
  bool ReadOnlyRefuses(const classlib::TMessage& Message, LRESULT& Answer) const override;
  void WndProc(classlib::TMessage& Message) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

 private:
  std::vector<TComboExItem> itemsEx_;
  classlib::TCustomImageList* FImages = nullptr;
};

class TsComboBoxEx : public TsCustomComboBoxEx {
 public:
  explicit TsComboBoxEx(classlib::TComponent* AOwner) : TsCustomComboBoxEx(AOwner) {}
  std::wstring ClassName() const override { return L"TsComboBoxEx"; }
};

using TGetColorsEvent = std::function<void(classlib::TObject* Sender, classlib::TStrings* Items)>;
using TOnColorName = std::function<void(classlib::TObject* Sender, TColor Color, std::wstring& ColorName)>;

class TsCustomColorBox : public TsCustomComboBoxEx {
 public:
  explicit TsCustomColorBox(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCustomColorBox"; }
  static void DeclareProperties(classlib::TClassDecl<TsCustomColorBox>& d);

  TsColorBoxStyle Style() const { return FStyle; }
  void SetStyle(TsColorBoxStyle Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  // The selected colour: the remembered one without a window, kNoColorSelected with no item.
  TColor Selected() const;
  void SetSelected(TColor Value);
  bool ShowColorName() const { return FShowColorName; }
  void SetShowColorName(bool Value);
  TColor DefaultColorColor() const { return FDefaultColorColor; }
  void SetDefaultColorColor(TColor Value);
  TColor NoneColorColor() const { return FNoneColorColor; }
  void SetNoneColorColor(TColor Value);
  // Item I's colour (clNone below 0) and name.
  TColor GetColor(int I) const;
  std::wstring GetColorName(int I) const;
  // An item's object holding a colour, for OnGetColors: Items->AddObject(name, ColorObject(c)).
  static classlib::TObject* ColorObject(TColor Color);

  // Builds the list from Style (later, when the box has no window yet).
  void PopulateList();
  // The custom entry takes a colour from the shared dialog; false when the user cancels.
  virtual bool PickCustomColor();

  TGetColorsEvent OnGetColors;
  TOnColorName OnColorName;

  bool DrawSkinItem(int Index, const TRect& Rect, HDC DC, classlib::TOwnerDrawState State) override;

 protected:
  void CreateWnd() override;
  void WndProc(classlib::TMessage& Message) override;
  void DrawItem(int Index, const TRect& Rect, classlib::TOwnerDrawState State) override;
  void Select() override;
  virtual void CloseUp();
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;

 private:
  void Repaint();
  std::vector<TColor> Colors() const;

  TsColorBoxStyle FStyle = kDefaultColorBoxStyle;
  bool FNeedToPopulate = true;
  bool FListSelected = false;
  TColor FDefaultColorColor = classlib::clBlack;
  TColor FNoneColorColor = classlib::clBlack;
  TColor FSelectedColor = classlib::clBlack;
  bool FShowColorName = true;
  int FMargin = 0;
};

class TsColorBox : public TsCustomColorBox {
 public:
  explicit TsColorBox(classlib::TComponent* AOwner) : TsCustomColorBox(AOwner) {}
  std::wstring ClassName() const override { return L"TsColorBox"; }
};

// The colour dialog every colour box's custom entry shares: made on first use, without owner.
TsColorDialog* ColorBoxDialog();
// The shared dialog if it has been made.
TsColorDialog* ExistingColorBoxDialog();

inline constexpr int kColorBoxCoc = 9;

void RegisterComboBoxesClasses();

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TsColorBoxStyleItem>() {
  static const TEnumInfo i{
      L"TsColorBoxStyleItem",
      {L"cbStandardColors", L"cbExtendedColors", L"cbSystemColors", L"cbIncludeNone", L"cbIncludeDefault",
       L"cbCustomColor", L"cbPrettyNames", L"cbCustomColors", L"cbSavedColors"}};
  return i;
}
}  // namespace classlib
