#pragma once
// The standard controls over the system's window classes: push buttons, check boxes and radio
// buttons (BUTTON), group boxes (BUTTON, group style), edits (EDIT), combo boxes (COMBOBOX), and
// the windowless label.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "classlib/StringList.h"
#include "classlib/SystemImageList.h"
#include "classlib/WindowHook.h"

namespace classlib {

class TPopupMenu;

// The control's text contains Char as an accelerator ("&Save" and 's').
bool IsAccel(wchar_t Char, const std::wstring& Caption);

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TButtonControl"; }
  static void DeclareProperties(TClassDecl<TButtonControl>& d);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool Value) {}
  // Set while a description is read: checking from the description runs no handler.
  bool ClicksDisabled() const { return FClicksDisabled || ComponentState().Contains(csLoading); }
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
  void CreateParams(TCreateParams& Params) override;
  bool FWordWrap = false;

 private:
  bool FClicksDisabled = false;
};

enum TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };
template <>
inline const TEnumInfo& EnumInfo<TImageAlignment>() {
  static const TEnumInfo i{L"TImageAlignment", {L"iaLeft", L"iaRight", L"iaTop", L"iaBottom", L"iaCenter"}};
  return i;
}

// Space around a button's image, in pixels.
class TImageMargins : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TImageMargins"; }
  static void DeclareProperties(TClassDecl<TImageMargins>& d);
  void Assign(const TPersistent* Source) override;
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Right() const { return FRight; }
  int Bottom() const { return FBottom; }
  void SetLeft(int Value) { Set(FLeft, Value); }
  void SetTop(int Value) { Set(FTop, Value); }
  void SetRight(int Value) { Set(FRight, Value); }
  void SetBottom(int Value) { Set(FBottom, Value); }
  TNotifyEvent OnChange;

 private:
  void Set(int& field, int value);
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;
  std::wstring ClassName() const override { return L"TButton"; }
  static void DeclareProperties(TClassDecl<TButton>& d);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // The parent form's ModalResult takes the button's before OnClick runs.
  void Click() override;

  // The button's image: ImageIndex of Images, with optional images for the hot, pressed,
  // focused (selected) and disabled states (-1: the normal one).
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int HotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int Value);
  int PressedImageIndex() const { return FPressedImageIndex; }
  void SetPressedImageIndex(int Value);
  int SelectedImageIndex() const { return FSelectedImageIndex; }
  void SetSelectedImageIndex(int Value);
  int DisabledImageIndex() const { return FDisabledImageIndex; }
  void SetDisabledImageIndex(int Value);
  TImageAlignment ImageAlignment() const { return FImageAlignment; }
  void SetImageAlignment(TImageAlignment Value);
  TImageMargins* ImageMargins() const { return FImageMargins.get(); }
  void SetImageMargins(const TImageMargins* Value) { FImageMargins->Assign(Value); }
  const std::wstring& CommandLinkHint() const { return FCommandLinkHint; }
  void SetCommandLinkHint(const std::wstring& Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Shows the button as the one Enter presses (or not).
  virtual void SetButtonStyle(bool ADefault);
  // Images changed (another list, or its images changed).
  virtual void UpdateImageList();
  // An index, the alignment or the margins changed. The plain button hands the images to the
  // system button (one per state); owner-drawn descendants repaint instead.
  virtual void UpdateImages();
  bool FActive = false;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  int FImageIndex = -1;
  int FHotImageIndex = -1;
  int FPressedImageIndex = -1;
  int FSelectedImageIndex = -1;
  int FDisabledImageIndex = -1;
  TImageAlignment FImageAlignment = iaLeft;
  std::unique_ptr<TImageMargins> FImageMargins;
  std::wstring FCommandLinkHint;
  TPopupMenu* FDropDownMenu = nullptr;
  SystemImageList FStateImages;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
template <>
inline const TEnumInfo& EnumInfo<TCheckBoxState>() {
  static const TEnumInfo i{L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"}};
  return i;
}

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomCheckBox"; }
  static void DeclareProperties(TClassDecl<TCustomCheckBox>& d);

  bool Checked() const { return GetChecked(); }
  // A change runs OnClick, also from code and also from inside another click handler.
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // Caption on the right (taRightJustify, the default) or on the left (taLeftJustify).
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Checked -> unchecked -> (grayed when allowed) -> checked.
  virtual void Toggle();

 protected:
  bool GetChecked() const override { return FState == cbChecked; }
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
  std::wstring ClassName() const override { return L"TCheckBox"; }
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TRadioButton"; }
  static void DeclareProperties(TClassDecl<TRadioButton>& d);

  bool Checked() const { return FChecked; }
  // Checking unchecks the other radio buttons of the same parent and runs OnClick.
  void SetChecked(bool Value) override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  bool GetChecked() const override { return FChecked; }
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomGroupBox : public TWinControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomGroupBox"; }
  static void DeclareProperties(TClassDecl<TCustomGroupBox>& d);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  TRect AdjustClientRect() const override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
  std::wstring ClassName() const override { return L"TGroupBox"; }
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
template <>
inline const TEnumInfo& EnumInfo<TEditCharCase>() {
  static const TEnumInfo i{L"TEditCharCase", {L"ecNormal", L"ecUpperCase", L"ecLowerCase"}};
  return i;
}

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomEdit"; }
  static void DeclareProperties(TClassDecl<TCustomEdit>& d);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  wchar_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(wchar_t Value);
  int MaxLength() const { return FMaxLength; }
  virtual void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Shown greyed in the empty edit.
  const std::wstring& TextHint() const { return FTextHint; }
  void SetTextHint(const std::wstring& Value);
  bool Modified() const;
  void SetModified(bool Value);

  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  std::wstring SelText() const;
  void SetSelText(const std::wstring& Value);
  void SelectAll();
  void Clear() { SetText(L""); }

  TNotifyEvent OnChange;

 protected:
  // The text changed (typing, SetText); runs OnChange except while a description is read.
  virtual void Change();
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void SaveWindowState() override;
  void Dispatch(TMessage& Message) override;
  bool FModified = false;

 private:
  TAlignment FAlignment = taLeftJustify;
  TBorderStyle FBorderStyle = bsSingle;
  wchar_t FPasswordChar = 0;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TEditCharCase FCharCase = ecNormal;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  std::wstring FTextHint;
  int FSelStart = 0;
  int FSelLength = 0;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  std::wstring ClassName() const override { return L"TEdit"; }
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
template <>
inline const TEnumInfo& EnumInfo<TScrollStyle>() {
  static const TEnumInfo i{L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"}};
  return i;
}

class TCustomMemo;

// A memo's lines: its text cut at the line breaks that the text holds (wrapping adds none).
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Owner) : owner_(Owner) {}
  std::wstring ClassName() const override { return L"TMemoStrings"; }
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;
  void SetText(std::wstring_view text) override;

 protected:
  std::wstring Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const std::wstring& text) override;

 private:
  std::vector<std::wstring> Split() const;
  void Join(const std::vector<std::wstring>& lines);
  void Check(int index, int count) const;
  TCustomMemo* owner_;
};

// The multi-line edit: an EDIT window with ES_MULTILINE. Without WantReturns Enter goes to the
// form (its default button) and Ctrl+Enter makes a new line; without WantTabs Tab moves the focus.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  std::wstring ClassName() const override { return L"TCustomMemo"; }
  static void DeclareProperties(TClassDecl<TCustomMemo>& d);

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(const TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(wchar_t& Key) override;
  void Dispatch(TMessage& Message) override;

 private:
  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  std::wstring ClassName() const override { return L"TMemo"; }
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
template <>
inline const TEnumInfo& EnumInfo<TComboBoxStyle>() {
  static const TEnumInfo i{
      L"TComboBoxStyle", {L"csDropDown", L"csSimple", L"csDropDownList", L"csOwnerDrawFixed", L"csOwnerDrawVariable"}};
  return i;
}

// The state of an owner-drawn item; each value's place is the bit of the system's ODS_ flag.
enum TOwnerDrawStateItem {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// The owner-draw state of the system's item-state flags (DRAWITEMSTRUCT::itemState).
constexpr TOwnerDrawState OwnerDrawStateOf(UINT ItemState) { return TOwnerDrawState::FromBits(ItemState & 0x13FFu); }
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox;

// The items of a combo box: kept here and mirrored into the window while it exists.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox* Owner) : owner_(Owner) {}
  std::wstring ClassName() const override { return L"TComboBoxStrings"; }
  int Add(const std::wstring& text) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(const std::wstring& text) const override;
  // Puts every item into the window (after it was created).
  void Upload();

 protected:
  std::wstring Get(int index) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void PutObject(int index, TObject* object) override;

 private:
  struct Item {
    std::wstring text;
    TObject* object = nullptr;
  };
  void Check(int index) const;
  HWND Window() const;
  TCustomComboBox* owner_;
  std::vector<Item> items_;
};

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  std::wstring ClassName() const override { return L"TCustomComboBox"; }
  static void DeclareProperties(TClassDecl<TCustomComboBox>& d);

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* Value) { FItems->Assign(Value); }
  // -1 when nothing is selected; a value outside the items selects nothing.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  void Clear();
  // The canvas owner-drawn items are painted on (the item's DC while CN_DRAWITEM runs).
  TCanvas* Canvas() { return FCanvas.get(); }
  // The edit field of a drop-down or simple box, nullptr for the others or before the window.
  HWND EditHandle() const { return editHook_.Hooked() ? editHook_.Handle() : nullptr; }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  virtual void Change();
  virtual void Select();
  // Paints item Index (-1: the empty selection field) into Rect of Canvas: OnDrawItem when
  // assigned, else the item's text on the system's colours.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // The height of item Index (-1: the selection field) of an owner-drawn box.
  virtual void MeasureItem(int Index, int& Height);
  // Every message of the box's edit field passes here; the default hands it to the field.
  virtual void ComboWndProc(TMessage& Message, HWND ChildWnd);
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void InitializeWindow() override;
  void SaveWindowState() override;
  void Dispatch(TMessage& Message) override;
  std::wstring GetText() const override;
  void StoreText(const std::wstring& Value) override;

  friend class TComboBoxStrings;
  std::unique_ptr<TComboBoxStrings> FItems;
  int FItemIndex = -1;

 private:
  void HookEditField();
  std::unique_ptr<TCanvas> FCanvas;
  TWindowHook editHook_;
  // The procedures below the edit field's hook while one of its messages is handled.
  const TWindowHook::TNext* editNext_ = nullptr;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  bool FSorted = false;
  int FMaxLength = 0;
  int FItemHeight = 16;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  std::wstring ClassName() const override { return L"TComboBox"; }
};

enum TTextLayout { tlTop, tlCenter, tlBottom };
template <>
inline const TEnumInfo& EnumInfo<TTextLayout>() {
  static const TEnumInfo i{L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"}};
  return i;
}

// A windowless text, painted by its parent; transparent unless told otherwise.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomLabel"; }
  static void DeclareProperties(TClassDecl<TCustomLabel>& d);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

 protected:
  void Paint() override;
  // Draws (or, with DT_CALCRECT, measures) the caption into Rect.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  virtual std::wstring GetLabelText() const { return Caption(); }
  void AdjustBounds();
  void Dispatch(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  std::wstring ClassName() const override { return L"TLabel"; }
};

}  // namespace classlib
