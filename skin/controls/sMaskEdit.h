#pragma once
// The skinned masked edit, also the base of the skinned combo edits. Unfocused, its whole window
// (section "EDIT", frame, background and the edit text with its literals and blanks, always
// left-aligned) comes from the cache; focused, the native edit paints the client area inside the
// cached frame. Without a skin it still paints its unfocused text itself, in its own colours.
// Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Mask.h"
#include "skin/controls/sEditBorders.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsBoundLabel;

class TsMaskEdit : public classlib::TMaskEdit {
 public:
  explicit TsMaskEdit(classlib::TComponent* AOwner);
  ~TsMaskEdit() override;
  std::wstring ClassName() const override { return L"TsMaskEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsMaskEdit>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  TsBoundLabel* BoundLabel() const { return FBoundLabel; }

  // Focused: the only state with its own look.
  virtual bool IsActive() const { return Focused(); }
  // The text's inset: 0 without a border, else 3 (2 with a flat border).
  int BorderWidth() const { return MaskEditBorderWidth(Frame()); }
  // Room for a descendant's button; nothing here.
  virtual void SetEditRect() {}
  void PrepareCache();
  virtual void PaintText();
  // The 2-pixel frame strips from the cache onto DC (nullptr: the window's own DC).
  virtual void PaintBorder(HDC DC);
  // The whole window from the cache onto DC (nullptr: the window's own DC).
  virtual void OurPaintHandler(HDC DC);

 protected:
  void Loaded() override;
  void Change() override;
  void WndProc(classlib::TMessage& Message) override;
  TEditFrame Frame() const;

 private:
  bool Skinned() const;
  // The parent's background in the border image's corners of the cache.
  void RepairCorners();
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void UnskinnedPaint();
  // Where the bound label follows the edit's size, visibility, enabled state and reading order.
  void FollowBoundLabel(unsigned Msg);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TsBoundLabel* FBoundLabel = nullptr;
};

void RegisterMaskEditClasses();

}  // namespace skin
