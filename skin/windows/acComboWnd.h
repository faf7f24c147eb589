#pragma once
// The handlers of combo boxes that the program does not draw itself and of their drop-down
// lists: the combo's frame and drop-down button from the skin (the button pressed exactly while
// the list shows), and the list (a window of the system class ComboLBox) skinned as soon as the
// combo first asks for its colours, with a plain or skinned frame and skinned scroll bars.
// Win32 only; GUI thread only.
#include <windows.h>

#include <memory>
#include <string>

#include "skin/windows/acEditWnd.h"

namespace skin {

class TacComboListWnd : public TacEditWnd {
 public:
  TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, bool Simply, bool Repaint);
  // The handler of a combo's list; a list under the edit of a simple combo keeps its size, any
  // other is made one pixel wider so that the system lays out its frame again through the handler.
  // nullptr for no window.
  static THandler<TacComboListWnd> CreateEx(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                            const std::string& SkinSection, bool Repaint, bool Simply);
  void acWndProc(classlib::TMessage& Message) override;

  bool Showed = false;     // dropped down, between the list's start and end of tracking
  bool SimplyBox = false;  // under the edit of a CBS_SIMPLE combo, always shown

 protected:
  // A list hooked while its combo is still empty keeps its visual style.
  bool KeepsVisualStyle() const override { return !repaint_; }

 private:
  // The frame's image: a simple list asks its edit handler for it; any other list is filled with
  // its colour and outlined.
  void PrepareFrame();
  void NonClientPaint(classlib::TMessage& Message);
  // The strip of the simple combo below its list in the background of the combo's parent.
  void PaintStripUnderList();
  void ButtonUp(classlib::TMessage& Message);
  void Print(classlib::TMessage& Message);

  bool repaint_ = true;
};

class TacComboBoxWnd : public TacEditWnd {
 public:
  TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  ~TacComboBoxWnd() override;
  void acWndProc(classlib::TMessage& Message) override;

  // Window coordinates of the drop-down button (empty for a simple combo).
  virtual TRect ButtonRect();
  int ButtonHeight();
  // Whether some combo's list is dropped down.
  static bool DroppedDown();
  void Invalidate();
  // The button over a copy of the cache, in its state, onto DC.
  void PaintButton(HDC DC);
  // The selected item's text (or the window text) into the cache.
  void PaintText();
  // The cache of a simple combo: its edit part alone is framed.
  void PrepareSimple();
  void RepaintButton();
  // The brush the handler answers its list's colour question with (nullptr before the first).
  HBRUSH ListBrush() const { return listBrush_; }

  HWND FListHandle = nullptr;
  std::unique_ptr<TsCommonData> LBSkinData;
  THandler<TacComboListWnd> ListSW;
  bool LBoxOpening = false;

 protected:
  void Release() override;

 private:
  bool Simple() const;
  bool HasDropDownBit() const;
  // The list's handler freed with the list's plain border back.
  void ReleaseList();
  void ListColours(classlib::TMessage& Message);
  void Paint(classlib::TMessage& Message);
  void Print(classlib::TMessage& Message);
  void DropNotice(WPARAM WParam, bool Reflected);
  // The cache and its frame for the current size.
  void RenderFrame();

  HBRUSH listBrush_ = nullptr;
  TColor listBrushColour_ = 0;
};

}  // namespace skin
