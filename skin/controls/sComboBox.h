#pragma once
// The skinned combo box. It follows the paint cycle of sButton.h with these differences: the
// drop-down and drop-down-list styles are made owner-drawn (keeping the items' strings in the
// window, so CB_GETLBTEXT still answers), so every item and the closed box's selected item go
// through DrawItem, "SELECTION" marking the selected one; the cache holds the frame ("COMBOBOX"),
// the selected item and the drop-down button ("COMBOBTN" with the skin's combo glyph, pressed while
// the list is down); the focused edit field of a drop-down box keeps painting itself. A list with
// more items than DropDownCount gets the skinned scroll bars when the engine is installed
// (skin/core/acScrollBarsLink.h). A read-only box takes the focus and double clicks but refuses
// every key and click that would change or drop down its selection. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/StdCtrls.h"
#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsCustomComboBox : public classlib::TCustomComboBox {
 public:
  explicit TsCustomComboBox(classlib::TComponent* AOwner);
  ~TsCustomComboBox() override;
  std::wstring ClassName() const override { return L"TsCustomComboBox"; }
  static void DeclareProperties(classlib::TClassDecl<TsCustomComboBox>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool Value);
  // The window reads right to left (WS_EX_RTLREADING or WS_EX_RIGHT): the button on the left,
  // the text right-aligned.
  bool RightToLeft() const;

  // The box's edit field or list has the focus, or the skin state says so.
  bool Focused() const;
  void Invalidate() override;
  // The first item equal to S (case-sensitive), else -1.
  int IndexOf(const std::wstring& S) const;
  // The drop-down button in window coordinates; empty for a simple box or without ShowButton.
  TRect ButtonRect() const;
  // The height of the skin's combo glyph, else 16.
  int ButtonHeight() const;
  // The drop-down list is skinned (its handler is alive).
  bool ListSkinned() const { return ListSW != nullptr; }
  HWND ListHandle() const { return lboxhandle; }
  bool DroppedFlag() const { return FDropDown; }

  // Frame, selected item and button into the cache.
  void PrepareCache();
  // The button in its state over the cache.
  void PaintButton();
  // The cache onto DC (nullptr: a DC of the box), the parts the native control does not paint.
  void OurPaintHandler(HDC DC);

 protected:
  void WndProc(classlib::TMessage& Message) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void CreateWnd() override;
  void DrawItem(int Index, const TRect& Rect, classlib::TOwnerDrawState State) override;
  void ComboWndProc(classlib::TMessage& Message, HWND ChildWnd) override;
  // The drop-down button's width when it shows.
  virtual int ButtonWidth() const { return GetSystemMetrics(SM_CXVSCROLL) + 1; }
  // The drop-down list is skinned whatever its length, not only past DropDownCount.
  virtual bool ListSkinnedAtOnce() const { return false; }
  // A key or command that would change the selection of a read-only box; Answer is its result.
  virtual bool ReadOnlyRefuses(const classlib::TMessage& Message, LRESULT& Answer) const;
  bool Skinned() const;
  bool Destroying() const;
  // OnDrawItem decides the items' look.
  bool OwnerDrawnWithEvent() const;

 private:
  bool Loading() const;
  // The cache's height: the edit line of a simple box, else the whole box.
  int CacheHeight() const;
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void AfterInherited(const classlib::TMessage& Message);
  void MouseHover(classlib::TMessage& Message);
  // The list handler made for a list longer than DropDownCount (once; again for a new list).
  void SkinList(HWND List);
  // The list handler freed, the list given its plain border back when it still lives.
  void ReleaseList();
  void DrawItemSkinned(int Index, const TRect& Rect, classlib::TOwnerDrawState State);
  void DrawItemPlain(int Index, const TRect& Rect, classlib::TOwnerDrawState State);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  classlib::TAlignment FAlignment = classlib::taLeftJustify;
  bool FReadOnly = false;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  bool FShowButton = true;
  HWND lboxhandle = nullptr;
  std::unique_ptr<IacScrollBars> ListSW;
  bool FDropDown = false;
};

class TsComboBox : public TsCustomComboBox {
 public:
  explicit TsComboBox(classlib::TComponent* AOwner) : TsCustomComboBox(AOwner) {}
  std::wstring ClassName() const override { return L"TsComboBox"; }
};

// The control-kind code of the combo boxes.
inline constexpr int kComboBoxCoc = 3;
// How many items a skinned box shows before its list scrolls.
inline constexpr int kComboDropDownCount = 16;

void RegisterComboBoxClasses();

}  // namespace skin
