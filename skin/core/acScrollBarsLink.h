#pragma once
// What a skinned control asks of the skinned scroll-bar engine: the engine lives in skin/windows,
// which the controls may not include, so it installs its entry points here
// (Ac_InstallScrollBarsLink in skin/windows/acSBUtils.h). Without an engine installed a control
// keeps the system's bars. Win32 only; GUI thread only.
#include <windows.h>

#include <memory>

namespace skin {

class TsCommonData;
class TsSkinManager;

// The engine's handler on one control's window, owned by the control; freeing it gives the
// window its own procedure back.
class IacScrollBars {
 public:
  virtual ~IacScrollBars() = default;
  // Both bars read again from the window and, with Repaint (and no animation running), painted.
  virtual void Update(bool Repaint) = 0;
  // Both bars and their corner painted onto DC in window coordinates (nullptr: the window's DC).
  virtual void PaintNC(HDC DC) = 0;
  // The handler has its vertical bar (it is hooked and not yet given back).
  virtual bool HasVertBar() const = 0;
  // The window went away under the handler: its handle may already name another window.
  virtual bool WindowDestroyed() const = 0;
};

struct TacScrollBarsEngine {
  // Makes the handler while SkinData's owner is skinned (exactly one however often it is called)
  // and frees it when it is not; nothing while the owner is loading or being destroyed.
  void (*Refresh)(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars) = nullptr;
  // The same for a control that paints its own client area (edits, memos): the handler also
  // draws its frame from the skin and gives the control the skin's colours.
  void (*RefreshEdit)(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars) = nullptr;
  // The system's flat scroll bars put back on a window whose handler went.
  void (*InitializeFlatSB)(HWND Wnd) = nullptr;
  // The drop-down list of a combo box skinned with Manager's "EDIT" section (Simply: the list
  // under the edit of a simple box); nullptr when it cannot be hooked.
  std::unique_ptr<IacScrollBars> (*HookComboList)(HWND List, TsSkinManager* Manager, bool Simply) = nullptr;
};

void SetScrollBarsEngine(const TacScrollBarsEngine& Engine);
const TacScrollBarsEngine& ScrollBarsEngine();

// The engine's Refresh; without an engine nothing changes.
void RefreshScrollBars(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars);
// The engine's RefreshEdit; without an engine nothing changes.
void RefreshEditScrollBars(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars);
// The engine's handler on a combo box's list; nullptr without an engine.
std::unique_ptr<IacScrollBars> HookComboList(HWND List, TsSkinManager* Manager, bool Simply);
// Frees the handler, if there is one, and puts the system's flat bars back on Wnd.
void DropScrollBars(std::unique_ptr<IacScrollBars>& Bars, HWND Wnd);

}  // namespace skin
