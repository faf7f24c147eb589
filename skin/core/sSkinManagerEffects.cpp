#include "skin/core/sSkinManagerEffects.h"

#include "classlib/Dialogs.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {
namespace {

bool IsKind(int Kind) { return Kind >= 0 && static_cast<std::size_t>(Kind) < kThirdPartyKinds; }

}  // namespace

std::wstring ThirdPartyList::GetString(int Kind) const {
  return IsKind(Kind) ? strings_[static_cast<std::size_t>(Kind)] : std::wstring();
}

void ThirdPartyList::SetString(int Kind, const std::wstring& Value) {
  if (IsKind(Kind)) strings_[static_cast<std::size_t>(Kind)] = Value;
}

bool TacSkinEffects::AllowGlowing() const {
  const bool designing = Manager && Manager->ComponentState().Contains(classlib::csDesigning);
  return FAllowGlowing && (acLayered() || designing) && !x64woAero;
}

TacAnimEffects::TacAnimEffects(TsSkinManager* AManager)
    : Manager(AManager),
      FBlendOnMoving(std::make_unique<TacBlendOnMoving>()),
      FButtons(std::make_unique<TacBtnEffects>(AManager)),
      FDialogShow(std::make_unique<TacDialogShow>()),
      FFormShow(std::make_unique<TacFormShow>()),
      FFormHide(std::make_unique<TacFormHide>()),
      FDialogHide(std::make_unique<TacFormHide>()),
      FMinimizing(std::make_unique<TacMinimizing>()),
      FPageChange(std::make_unique<TacPageChange>()),
      FSkinChanging(std::make_unique<TacSkinChanging>()) {}

TacAnimEffects::~TacAnimEffects() = default;

void LoadThirdNames(TsSkinManager& Manager, bool Reset) {
  ThirdPartyList& third = Manager.ThirdParty();
  for (std::size_t kind = 0; kind < kThirdPartyKinds; ++kind) {
    const int k = static_cast<int>(kind);
    if (Reset || third.GetString(k).empty()) third.SetString(k, acThirdNames[kind]);
  }
  UpdateThirdNames(Manager);
}

void UpdateThirdNames(TsSkinManager& Manager) {
  for (std::size_t kind = 0; kind < kThirdPartyKinds; ++kind)
    Manager.ThirdLists[kind].SetText(Manager.ThirdParty().GetString(static_cast<int>(kind)));
}

void UpdateCommonDlgs(const TsSkinManager& Manager) {
  if (!Manager.IsDefault()) return;
  classlib::UseLatestCommonDialogs =
      !(Manager.Active() && Manager.SkinningRules().Contains(TacSkinningRule::srStdDialogs));
}

}  // namespace skin
