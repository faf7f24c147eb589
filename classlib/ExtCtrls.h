#pragma once
// Panels, radio groups, images and timers.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/Picture.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"

namespace classlib {

// A container window of the library's own class that draws its bevels and its caption.
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomPanel"; }
  static void DeclareProperties(TClassDecl<TCustomPanel>& d);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  // The panel lets its parent's background show instead of filling itself (csParentBackground).
  bool ParentBackground() const { return ControlStyle.Contains(csParentBackground); }
  void SetParentBackground(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  TRect AdjustClientRect() const override;
  void Dispatch(TMessage& Message) override;

 private:
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  std::wstring ClassName() const override { return L"TPanel"; }
};

// A group box holding one radio button per line of Items, placed column by column (1 to 16
// columns); ItemIndex names the checked button, -1 none, and never names a button that is gone.
class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  std::wstring ClassName() const override { return L"TCustomRadioGroup"; }
  static void DeclareProperties(TClassDecl<TCustomRadioGroup>& d);

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  // Clamped to -1..(count - 1); checking a button runs OnClick.
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int Index) const;

 protected:
  // Whether a click on a button may change the selection; descendants veto it here.
  virtual bool CanModify() { return true; }
  void Loaded() override;
  void Dispatch(TMessage& Message) override;

 private:
  class TGroupButton;
  bool Waiting() const;
  void ButtonClick(TObject* Sender);
  void ItemsChange();
  void UpdateButtons();
  void SetButtonCount(int Value);
  void ArrangeButtons();

  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  // The group itself checks a button: no click event.
  bool FUpdating = false;
  std::vector<TGroupButton*> FButtons;
};

class TRadioGroup : public TCustomRadioGroup {
 public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
  std::wstring ClassName() const override { return L"TRadioGroup"; }
};

// A windowless picture. With Transparent, the bitmap's transparent colour lets the parent show.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  std::wstring ClassName() const override { return L"TImage"; }
  static void DeclareProperties(TClassDecl<TImage>& d);

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // The rectangle the picture is drawn into.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> FPicture;
  bool FTransparent = false;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FAutoSize = false;
};

// A rectangle filled with its brush and outlined with its pen.
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  std::wstring ClassName() const override { return L"TShape"; }
  static void DeclareProperties(TClassDecl<TShape>& d);

  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
};

// Runs OnTimer every Interval milliseconds while Enabled, on the thread that created it.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  std::wstring ClassName() const override { return L"TTimer"; }
  static void DeclareProperties(TClassDecl<TTimer>& d);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  // The system's id of the running timer; 0 while none runs.
  UINT_PTR TimerId() const { return FId; }

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();
  void Loaded() override;

 private:
  void UpdateTimer();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};

}  // namespace classlib
