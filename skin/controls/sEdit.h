#pragma once
// The skinned single-line edit. It follows the paint cycle of sButton.h with one difference: the
// native edit window keeps painting its client area (text, caret, selection) while the edit is
// enabled and active (focused or under the mouse), in the skin's colours that the skin state has
// put into Color and Font. Inactive or disabled, the whole window comes from the cache, text
// included; the non-client frame always does. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/StdCtrls.h"
#include "skin/controls/sEditBorders.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsBoundLabel;

class TsEdit : public classlib::TEdit {
 public:
  explicit TsEdit(classlib::TComponent* AOwner);
  ~TsEdit() override;
  std::wstring ClassName() const override { return L"TsEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsEdit>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  // The caption label bound to the edit; none until one is attached.
  TsBoundLabel* BoundLabel() const { return FBoundLabel; }

  // Renders the whole window (frame, background, text, disabled look) into the cache.
  virtual void PrepareCache();
  // The text (or the hint of an empty edit) into the cache.
  virtual void PaintText();
  // The whole window from the cache onto DC (nullptr: the window's own DC).
  void OurPaintHandler(HDC DC);
  // The non-client frame from the cache.
  void PaintBorder();

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  // The frame as the class library's edit draws it: a client edge when BorderStyle is bsSingle.
  TEditFrame Frame() const;
  // The string the cache shows for the text: the text itself or its mask characters.
  std::wstring ShownText() const;

 private:
  bool Skinned() const;
  // The parent's background in the border image's corners of the cache.
  void RepairCorners();
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void AfterInherited(unsigned Msg, const classlib::TMessage& Message);
  // Where the bound label follows the edit's size, visibility, enabled state and reading order.
  void FollowBoundLabel(unsigned Msg);
  void Print(HDC DC);
  void SendNcPaint();

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TsBoundLabel* FBoundLabel = nullptr;
};

// The control-kind code of the edits: section "EDIT" when none is named.
inline constexpr int kEditCoc = 3;

void RegisterEditClasses();

}  // namespace skin
