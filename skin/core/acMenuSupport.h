#pragma once
// The skin manager's menu options (MenuSupport) and what it asks of the skinned menus that it
// owns (SkinableMenus). The menus are drawn by skin/forms, which this folder may not include: the
// forms install a factory here, and the manager makes its menus object with it on first use.
// Win32 only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"

namespace classlib {
class TMenuItem;
}

namespace skin {

class TsSkinManager;

class TacMenuSupport {
 public:
  TacMenuSupport() : ExtraLineFont(std::make_unique<classlib::TFont>()) {}
  void SetExtraLineFont(const classlib::TFont* Value) { ExtraLineFont->Assign(Value); }

  std::wstring IcoLineSkin = L"ICOLINE";  // section of the icon column of popup menus
  bool UseExtraLine = false;              // popups get a vertical strip at their left edge
  int ExtraLineWidth = 32;
  std::unique_ptr<classlib::TFont> ExtraLineFont;
  BYTE AlphaBlend = 255;  // opacity of popup windows; 255: not layered
};

// Asked once per popup, before its extra line is drawn: the strip's section, caption, glyph (the
// menus take it and free it) and whether the strip is shown at all.
using TacGetExtraLineData =
    std::function<void(classlib::TMenuItem* FirstItem, std::wstring& SkinSection, std::wstring& Caption,
                       std::unique_ptr<classlib::TBitmap>& Glyph, bool& LineVisible)>;

class IacSkinableMenus {
 public:
  virtual ~IacSkinableMenus() = default;
  // Menus hooked or unhooked as the manager's skin is active or not.
  virtual void UpdateMenus() = 0;
  // The cached popup backgrounds dropped.
  virtual void ClearCache() = 0;
  // A new skin or none: cached backgrounds and measured border width dropped.
  virtual void SkinChanged() = 0;
  // The skinned border drawn on the pop-up menu window Wnd from the background made for the
  // pop-up that holds Item (Item nullptr: the background made for Wnd); nothing without one.
  virtual void DrawMenuWindowBorder(classlib::TMenuItem* Item, HWND Wnd) = 0;
};

using TacSkinableMenusFactory = std::unique_ptr<IacSkinableMenus> (*)(TsSkinManager* Manager);
void SetSkinableMenusFactory(TacSkinableMenusFactory Factory);
TacSkinableMenusFactory SkinableMenusFactory();

}  // namespace skin
