#pragma once
// The skin provider's companion for an MDI parent form: it puts the client handler (TacMDIWnd) on
// the form's MDI client window while the provider is skinned, answers what that handler asks of
// the provider, and offers the actions of the active child's buttons in the menu line. Win32 only;
// GUI thread only.
#include <windows.h>

#include "classlib/Classes.h"
#include "classlib/Forms.h"
#include "skin/windows/acMDIWnd.h"

namespace skin {

class TsSkinProvider;

class TsMDIForm : public classlib::TPersistent, public IacMDIFrame {
 public:
  // Provider: the provider of an MDI parent form; the form's window is made at once.
  explicit TsMDIForm(TsSkinProvider* Provider);
  ~TsMDIForm() override;
  std::wstring ClassName() const override { return L"TsMDIForm"; }

  // The client handler put on once (nothing when it is there).
  void ConnectToClient();
  // The client handler made anew while the provider is skinned, else taken away.
  void RefreshMDIScrolls();
  void DestroyScrolls();
  // The menu line, where the active child's icon and buttons are, painted again.
  void UpdateMDIIconItem();
  classlib::TMenuItem* MakeChildIconItem() { return nullptr; }
  // The active child closed, minimised, restored.
  void CloseClick(classlib::TObject* Sender);
  void MinClick(classlib::TObject* Sender);
  void RestoreClick(classlib::TObject* Sender);

  // IacMDIFrame
  bool FrameAnimating() override;
  bool FrameCached() override;
  classlib::TBitmap* FrameImage() override;
  TColor FrameColor() override;
  TPoint ImageOrigin() override;
  bool HasExtendedBorders() override;
  void ClientMoving() override;
  void ChildrenArranged() override;
  void MenuSet() override;
  void MenuRefreshed() override;

  classlib::TCustomForm* FForm = nullptr;
  THandler<TacMDIWnd> ListSW;
  TsSkinProvider* SkinProvider = nullptr;

 private:
  void ChildCommand(WPARAM Command);
};

}  // namespace skin
