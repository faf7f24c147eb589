#pragma once
// The frame adapter: a component owned by a class-library frame that skins it. It takes the
// frame's window procedure, keeps the frame's skin state (section "GROUPBOX" unless told
// otherwise), paints the frame's background and border from the skin (through a cache when the
// section needs one), gives the frame skinned scroll bars, relays the skin commands to the frame's
// controls and hooks its popup menus. Freeing it gives the frame its procedure back. Win32 only;
// GUI thread only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Classes.h"
#include "classlib/Frames.h"
#include "classlib/WndMethod.h"
#include "skin/core/sCommonData.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

class TsFrameAdapter : public classlib::TComponent {
 public:
  // AOwner must be a frame: anything else raises EInvalidOperation.
  explicit TsFrameAdapter(classlib::TComponent* AOwner);
  ~TsFrameAdapter() override;
  std::wstring ClassName() const override { return L"TsFrameAdapter"; }
  // Published: SkinData.
  static void DeclareProperties(classlib::TClassDecl<TsFrameAdapter>& d);

  void AfterConstruction() override;
  void Loaded() override;

  TsCommonData* SkinData() const { return FCommonData.get(); }
  // The frame's window procedure while the adapter serves it.
  void NewWndProc(classlib::TMessage& Message);
  // WM_PAINT: the cached picture into DC (or the frame's paint DC).
  void AC_WMPaint(HDC DC);
  // The frame's background, border and windowless controls into DC.
  void OurPaintHandler(HDC DC);
  // The section rendered into the cache at the frame's place over its parent's background.
  void PrepareCache();

  classlib::TCustomFrame* Frame = nullptr;
  classlib::TWndMethod OldWndProc;
  THandler<TacScrollWnd> ListSW;

 private:
  bool Destroying() const;
  TsSkinManager* Manager() const { return FCommonData->GetSkinManager(); }
  bool ForOwnManager(const classlib::TMessage& Message) const;
  // The skin commands every state answers; true when the command is done.
  bool AnyStateCommand(classlib::TMessage& Message);
  void SkinnedCommand(classlib::TMessage& Message);
  void SkinnedMessage(classlib::TMessage& Message);
  void Broadcast(classlib::TMessage& Message);
  void RedrawAll();
  void HookPopupMenus();
  bool DependsOnPosition();
  TColor CommandColor();
  void PaintCached(HDC DC);
  void PaintUncached(HDC DC);

  std::unique_ptr<TsCommonData> FCommonData;
};

// The adapter of a frame the control adapter admits: the frame's own when it has one, else a new
// one owned by the frame with Section.
TsFrameAdapter* AttachFrameAdapter(classlib::TCustomFrame* Frame, const std::string& Section = "GROUPBOX");

// The adapter class in the class registry, for form descriptions.
void RegisterFrameAdapterClass();

}  // namespace skin
