#include "skin/core/acScrollBarsLink.h"

namespace skin {

namespace {

TacScrollBarsEngine g_engine;

}  // namespace

void SetScrollBarsEngine(const TacScrollBarsEngine& Engine) { g_engine = Engine; }

const TacScrollBarsEngine& ScrollBarsEngine() { return g_engine; }

void RefreshScrollBars(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars) {
  if (g_engine.Refresh != nullptr) g_engine.Refresh(SkinData, Bars);
}

void RefreshEditScrollBars(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars) {
  if (g_engine.RefreshEdit != nullptr) g_engine.RefreshEdit(SkinData, Bars);
}

std::unique_ptr<IacScrollBars> HookComboList(HWND List, TsSkinManager* Manager, bool Simply) {
  if (g_engine.HookComboList == nullptr || List == nullptr) return nullptr;
  return g_engine.HookComboList(List, Manager, Simply);
}

void DropScrollBars(std::unique_ptr<IacScrollBars>& Bars, HWND Wnd) {
  if (!Bars) return;
  Bars.reset();
  if (Wnd != nullptr && g_engine.InitializeFlatSB != nullptr) g_engine.InitializeFlatSB(Wnd);
}

}  // namespace skin
