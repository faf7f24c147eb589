#pragma once
// The handler of an MDI parent form's client window while the form's provider is skinned: the
// wall behind the children from the form's rendered image, the client's frame, skinned scroll
// bars that move the children 8 pixels a scroll unit when the thumb is dropped, and the form's
// caption, menu line and system menu kept up to date when the children are arranged or their menu
// changes. What it needs of the form's provider it asks through IacMDIFrame (the provider lives
// above this folder). Win32 only; GUI thread only.
#include <windows.h>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

// What the client handler asks of the MDI form's skin provider.
class IacMDIFrame {
 public:
  // The form is being animated: nothing is painted meanwhile.
  virtual bool FrameAnimating() = 0;
  // The provider keeps its picture of the form in a cache.
  virtual bool FrameCached() = 0;
  // The picture of the whole form, rendered first when it is missing or out of date; nullptr for
  // none.
  virtual classlib::TBitmap* FrameImage() = 0;
  // The form's client colour in the skin.
  virtual TColor FrameColor() = 0;
  // The screen point that the picture's top-left pixel stands for.
  virtual TPoint ImageOrigin() = 0;
  virtual bool HasExtendedBorders() = 0;
  // The client is moved or sized: the picture is out of date.
  virtual void ClientMoving() = 0;
  // The children were tiled or cascaded: the caption, the menu line and the system menu follow.
  virtual void ChildrenArranged() = 0;
  // The frame's menu was replaced.
  virtual void MenuSet() = 0;
  // The frame's menu was refreshed: the caption repaints.
  virtual void MenuRefreshed() = 0;

 protected:
  ~IacMDIFrame() = default;
};

class TacMDIWnd : public TacBaseWnd {
 public:
  using TacBaseWnd::TacBaseWnd;
  ~TacMDIWnd() override;
  void acWndProc(classlib::TMessage& Message) override;
  // With a maximized child: the form paints its background under its skinned splitters.
  void UpdateGraphControls();

  // The wall: R_client of DC from the form's picture (or its colour), the edge left out unless
  // IgnoreEdge.
  void PaintMDIWall(HDC DC, bool IgnoreEdge);
  // The client's two-pixel frame onto DC.
  void PaintMDIFrame(HDC DC);

  classlib::TCustomForm* FForm = nullptr;
  TsCommonData* MDISkinData = nullptr;  // the provider's, not owned
  IacMDIFrame* SkinProvider = nullptr;  // not owned

 private:
  // The client window's rectangle inside the form's picture.
  TRect FormRect() const;
  int Edge() const;
  bool MaximizedChildActive() const;
  bool SkinnedBranch() const;
  void ThumbDropped(classlib::TMessage& Message);
};

}  // namespace skin
