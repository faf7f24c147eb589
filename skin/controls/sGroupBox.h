#pragma once
// The skinned group box and radio group. Win32 only.
//
// TsGroupBox stays a BUTTON window; with an active skin it rebuilds its cache on every paint and
// follows the paint cycle of sButton.h, except:
//  - The cache holds the parent's background behind the caption band, the section from the
//    band's middle down (from the top edge when CaptionYOffset is negative), and the caption on a
//    background of its own: CaptionSkin's section, else CHECKBOX. The caption is measured and
//    drawn with the box's font on the canvas it lands on, so it is never cut short.
//  - Skin commands 1 to 3 go on to the children; with a CaptionSkin the children's background is
//    the box's own cache.
// TsRadioGroup is a group box holding one TsGroupButton per line of Items, laid out column by
// column (sGroupBoxLayout.h); OnChanging may refuse a change made by mouse or keyboard.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"
#include "skin/controls/sGroupBoxLayout.h"
#include "skin/controls/sRadioButton.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsGroupBox;
class TsRadioGroup;

// The space around a group box's caption text.
class TsMargin : public classlib::TPersistent {
 public:
  explicit TsMargin(classlib::TControl* Control) : FControl(Control) {}
  std::wstring ClassName() const override { return L"TsMargin"; }
  static void DeclareProperties(classlib::TClassDecl<TsMargin>& d);
  void Assign(const classlib::TPersistent* Source) override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Right() const { return FRight; }
  int Bottom() const { return FBottom; }
  void SetLeft(int Value) { SetValue(FLeft, Value); }
  void SetTop(int Value) { SetValue(FTop, Value); }
  void SetRight(int Value) { SetValue(FRight, Value); }
  void SetBottom(int Value) { SetValue(FBottom, Value); }

 private:
  // Stores and repaints the owning box even when the value is unchanged.
  void SetValue(int& Field, int Value);

  classlib::TControl* FControl;
  int FLeft = 2;
  int FTop = 0;
  int FRight = 2;
  int FBottom = 0;
};

class TsGroupBox : public classlib::TGroupBox {
 public:
  explicit TsGroupBox(classlib::TComponent* AOwner);
  ~TsGroupBox() override;
  std::wstring ClassName() const override { return L"TsGroupBox"; }
  static void DeclareProperties(classlib::TClassDecl<TsGroupBox>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  group::TsCaptionLayout CaptionLayout() const { return FCaptionLayout; }
  void SetCaptionLayout(group::TsCaptionLayout Value);
  int CaptionYOffset() const { return FCaptionYOffset; }
  void SetCaptionYOffset(int Value);
  const std::wstring& CaptionSkin() const { return FCaptionSkin; }
  void SetCaptionSkin(const std::wstring& Value);
  TsMargin* CaptionMargin() const { return FCaptionMargin.get(); }
  int CaptionWidth() const { return FCaptionWidth; }
  void SetCaptionWidth(int Value);

  // The caption line's height on the cache's canvas: at least 4, plus 2.
  int TextHeight();
  // The caption band in box coordinates.
  TRect CaptionRect();
  virtual void PrepareCache();
  void PaintToDC(HDC DC);

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  TRect AdjustClientRect() const override;
  void WriteText(const TRect& R, const TCacheInfo& CI);
  bool Skinned() const;

 private:
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void PaintHandler(classlib::TMessage& Message);
  void FontToCache();

  group::TsCaptionLayout FCaptionLayout = group::clTopLeft;
  int FCaptionYOffset = 0;
  std::unique_ptr<TsCtrlSkinData> FCommonData;
  std::wstring FCaptionSkin;
  std::unique_ptr<TsMargin> FCaptionMargin;
  int FCaptionWidth = 0;
};

// Asked before a change of the selection: AllowChange := false refuses it.
using TacIndexChangingEvent = std::function<void(classlib::TObject* Sender, int NewIndex, bool& AllowChange)>;

// One radio button of a radio group; the group creates, places and frees it.
class TsGroupButton : public TsRadioButton {
 public:
  explicit TsGroupButton(TsRadioGroup* RadioGroup);
  ~TsGroupButton() override;
  std::wstring ClassName() const override { return L"TsGroupButton"; }
  bool CanModify() override;
  // Hands Backspace and Space to the group and drops them when the group refuses the change.
  void KeyPress(wchar_t& Key) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;

 protected:
  void WndProc(classlib::TMessage& Message) override;

 private:
  TsRadioGroup* Group() const;
  int OwnIndex() const;
  void ClickCommand(classlib::TMessage& Message);
  friend class TsRadioGroup;

  bool FInClick = false;
  bool FInModifying = false;
};

class TsRadioGroup : public TsGroupBox {
 public:
  explicit TsRadioGroup(classlib::TComponent* AOwner);
  ~TsRadioGroup() override;
  std::wstring ClassName() const override { return L"TsRadioGroup"; }
  static void DeclareProperties(classlib::TClassDecl<TsRadioGroup>& d);

  classlib::TStrings* Items() const { return FItems.get(); }
  void SetItems(const classlib::TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TsGroupButton* Buttons(int Index) const { return FButtons.at(std::size_t(Index)); }

  // True unless OnChanging refuses NewIndex.
  virtual bool CanModify(int NewIndex);
  // Places the buttons column by column in one deferred batch and shows them.
  void ArrangeButtons();

  TacIndexChangingEvent OnChanging;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  friend class TsGroupButton;

 private:
  bool Reading() const;
  void ButtonClick(classlib::TObject* Sender);
  void ItemsChange(classlib::TObject* Sender);
  void UpdateButtons();
  void SetButtonCount(int Value);

  std::unique_ptr<classlib::TStringList> FItems;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  int FItemIndex = -1;
  int FColumns = 1;
  // The group itself checks a button: no click event.
  bool FUpdating = false;
  std::vector<TsGroupButton*> FButtons;
};

void RegisterGroupBoxClasses();

}  // namespace skin
