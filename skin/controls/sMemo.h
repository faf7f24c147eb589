#pragma once
// The skinned memo. The native multi-line edit keeps painting its client area, in the skin's
// colours; the frame and the scroll bars are the skinned scroll-bar engine's edit handler, which
// the memo makes while it is skinned and frees when the skin goes (then the window is made again,
// with its native frame and bars). Without the engine installed (Ac_InstallScrollBarsLink) it
// keeps the system's frame and bars. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/StdCtrls.h"
#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsBoundLabel;

class TsMemo : public classlib::TMemo {
 public:
  explicit TsMemo(classlib::TComponent* AOwner);
  ~TsMemo() override;
  std::wstring ClassName() const override { return L"TsMemo"; }
  static void DeclareProperties(classlib::TClassDecl<TsMemo>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  TsBoundLabel* BoundLabel() const { return FBoundLabel; }

  // After a selection was set (the caret may have scrolled the text).
  classlib::TNotifyEvent OnScrollCaret;
  // After the text scrolled vertically.
  classlib::TNotifyEvent OnVScroll;

  // The handler that skins frame and scroll bars; none while unskinned.
  std::unique_ptr<IacScrollBars> ListSW;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool Skinned() const;
  bool SkinCommand(classlib::TMessage& Message);
  void SkinnedMessage(classlib::TMessage& Message);
  void RedrawWhole();
  // Where the bound label follows the memo's size, visibility, enabled state and reading order.
  void FollowBoundLabel(unsigned Msg);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TsBoundLabel* FBoundLabel = nullptr;
};

// The control-kind code of the memo (an edit-type control).
inline constexpr int kMemoCoc = 7;

void RegisterMemoClasses();

}  // namespace skin
