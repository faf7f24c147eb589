// The published properties of the skin manager and of its effect and foreign-class settings,
// apart from their Win32 units (whose headers name a RegisterClass of their own).
#include "skin/core/sSkinManager.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "classlib/TypInfo.h"

namespace skin {
namespace {

// Published in the order a description lists them (not the order of the kinds).
constexpr std::array<std::pair<const wchar_t*, TacThirdPartyTypes>, kThirdPartyKinds> kThirdProperties{{
    {L"ThirdEdits", tpEdit},
    {L"ThirdButtons", tpButton},
    {L"ThirdBitBtns", tpBitBtn},
    {L"ThirdCheckBoxes", tpCheckBox},
    {L"ThirdGroupBoxes", tpGroupBox},
    {L"ThirdListViews", tpListView},
    {L"ThirdPanels", tpPanel},
    {L"ThirdGrids", tpGrid},
    {L"ThirdTreeViews", tpTreeView},
    {L"ThirdComboBoxes", tpComboBox},
    {L"ThirdWWEdits", tpwwEdit},
    {L"ThirdVirtualTrees", tpVirtualTree},
    {L"ThirdGridEh", tpGridEh},
    {L"ThirdPageControl", tpPageControl},
    {L"ThirdTabControl", tpTabControl},
    {L"ThirdToolBar", tpToolBar},
    {L"ThirdStatusBar", tpStatusBar},
    {L"ThirdSpeedButton", tpSpeedButton},
    {L"ThirdScrollControl", tpScrollControl},
    {L"ThirdUpDown", tpUpDownBtn},
}};

// The settings every animation has, with the defaults of its kind.
template <class T>
void DeclareAnimation(classlib::TClassDecl<T>& d, bool Active, std::uint16_t Time) {
  d.Bool(L"Active", &T::Active, &T::SetActive, Active);
  d.Integer(L"Time", &T::Time, &T::SetTime, Time);
}
template <class T>
void DeclareAnimation(classlib::TClassDecl<T>& d, bool Active, std::uint16_t Time, TacAnimType Mode) {
  DeclareAnimation(d, Active, Time);
  d.Enum(L"Mode", &T::Mode, &T::SetMode, Mode);
}

}  // namespace

void ThirdPartyList::DeclareProperties(classlib::TClassDecl<ThirdPartyList>& d) {
  for (const auto& [name, kind] : kThirdProperties) {
    d.String(
        name, [kind](ThirdPartyList* l) { return l->GetString(kind); },
        [kind](ThirdPartyList* l, const std::wstring& v) { l->SetString(kind, v); }, nullptr);
  }
}

void TacSkinEffects::DeclareProperties(classlib::TClassDecl<TacSkinEffects>& d) {
  d.Bool(L"AllowGlowing", &TacSkinEffects::StoredAllowGlowing, &TacSkinEffects::SetAllowGlowing, true);
  d.Bool(L"AllowAeroBluring", &TacSkinEffects::AllowAeroBluring, &TacSkinEffects::SetAllowAeroBluring, true);
}

void TacBlendOnMoving::DeclareProperties(classlib::TClassDecl<TacBlendOnMoving>& d) {
  DeclareAnimation(d, false, 1000);
  d.Integer(L"BlendValue", &TacBlendOnMoving::BlendValue, &TacBlendOnMoving::SetBlendValue, 170);
}
void TacDialogShow::DeclareProperties(classlib::TClassDecl<TacDialogShow>& d) {
  DeclareAnimation(d, true, 0, TacAnimType::atAero);
}
void TacFormShow::DeclareProperties(classlib::TClassDecl<TacFormShow>& d) {
  DeclareAnimation(d, true, 0, TacAnimType::atAero);
}
void TacFormHide::DeclareProperties(classlib::TClassDecl<TacFormHide>& d) {
  DeclareAnimation(d, true, 0, TacAnimType::atAero);
}
void TacMinimizing::DeclareProperties(classlib::TClassDecl<TacMinimizing>& d) { DeclareAnimation(d, true, 200); }
void TacPageChange::DeclareProperties(classlib::TClassDecl<TacPageChange>& d) { DeclareAnimation(d, true, 0); }
void TacSkinChanging::DeclareProperties(classlib::TClassDecl<TacSkinChanging>& d) {
  DeclareAnimation(d, true, 100, TacAnimType::atFading);
}

void TacBtnEffects::DeclareProperties(classlib::TClassDecl<TacBtnEffects>& d) {
  d.Set(L"Events", &TacBtnEffects::Events, &TacBtnEffects::SetEvents,
        TacBtnEvents{TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave, TacBtnEvent::beMouseDown,
                     TacBtnEvent::beMouseUp});
}

void TacAnimEffects::DeclareProperties(classlib::TClassDecl<TacAnimEffects>& d) {
  d.Object(L"BlendOnMoving", [](TacAnimEffects* a) { return &a->BlendOnMoving(); });
  d.Object(L"Buttons", [](TacAnimEffects* a) { return &a->Buttons(); });
  d.Object(L"DialogShow", [](TacAnimEffects* a) { return &a->DialogShow(); });
  d.Object(L"FormShow", [](TacAnimEffects* a) { return &a->FormShow(); });
  d.Object(L"FormHide", [](TacAnimEffects* a) { return &a->FormHide(); });
  d.Object(L"DialogHide", [](TacAnimEffects* a) { return &a->DialogHide(); });
  d.Object(L"Minimizing", [](TacAnimEffects* a) { return &a->Minimizing(); });
  d.Object(L"PageChange", [](TacAnimEffects* a) { return &a->PageChange(); });
  d.Object(L"SkinChanging", [](TacAnimEffects* a) { return &a->SkinChanging(); });
}

void RegisterSkinManagerEffectClasses() {
  using classlib::RegisterClass;
  using classlib::TPersistent;
  RegisterClass<ThirdPartyList, TPersistent>(L"ThirdPartyList");
  RegisterClass<TacSkinEffects, TPersistent>(L"TacSkinEffects");
  RegisterClass<TacFormAnimation, TPersistent>(L"TacFormAnimation");
  RegisterClass<TacBlendOnMoving, TacFormAnimation>(L"TacBlendOnMoving");
  RegisterClass<TacDialogShow, TacFormAnimation>(L"TacDialogShow");
  RegisterClass<TacFormShow, TacFormAnimation>(L"TacFormShow");
  RegisterClass<TacFormHide, TacFormAnimation>(L"TacFormHide");
  RegisterClass<TacMinimizing, TacFormAnimation>(L"TacMinimizing");
  RegisterClass<TacPageChange, TacFormAnimation>(L"TacPageChange");
  RegisterClass<TacSkinChanging, TacFormAnimation>(L"TacSkinChanging");
  RegisterClass<TacBtnEffects, TPersistent>(L"TacBtnEffects");
  RegisterClass<TacAnimEffects, TPersistent>(L"TacAnimEffects");
}

void TsStoredSkin::DeclareProperties(classlib::TClassDecl<TsStoredSkin>& d) {
  d.String(L"Name", &TsStoredSkin::Name, [](TsStoredSkin* s, const std::wstring& v) { s->Name = v; });
  d.Binary(L"Data", &TsStoredSkin::Data, [](TsStoredSkin* s, const std::vector<std::uint8_t>& v) { s->Data = v; });
}

void TsSkinManager::DeclareProperties(classlib::TClassDecl<TsSkinManager>& d) {
  d.Object(L"Effects", [](TsSkinManager* m) { return &m->Effects(); });
  d.Object(L"AnimEffects", [](TsSkinManager* m) { return &m->AnimEffects(); });
  d.Bool(L"ExtendedBorders", &TsSkinManager::ExtendedBorders, &TsSkinManager::SetExtendedBorders, false);
  d.Bool(
      L"SkinnedPopups", [](TsSkinManager* m) { return m->SkinnedPopups; },
      [](TsSkinManager* m, bool v) {
        const bool changed = m->SkinnedPopups != v;
        m->SkinnedPopups = v;
        if (IacSkinableMenus* menus = m->SkinableMenus(); changed && menus != nullptr) menus->UpdateMenus();
      },
      true);
  d.Bool(L"IsDefault", &TsSkinManager::IsDefault, &TsSkinManager::SetIsDefault, true);
  d.Bool(L"Active", &TsSkinManager::Active, &TsSkinManager::SetActive, true);
  d.Integer(L"Saturation", &TsSkinManager::Saturation, &TsSkinManager::SetSaturation, 0);
  d.Integer(L"HueOffset", &TsSkinManager::HueOffset, &TsSkinManager::SetHueOffset, 0);
  d.StringList(L"CommonSections", &TsSkinManager::CommonSections, &TsSkinManager::SetCommonSections);
  d.Collection(L"InternalSkins", [](TsSkinManager* m) { return &m->InternalSkins(); });
  d.String(L"SkinDirectory", &TsSkinManager::SkinDirectory, &TsSkinManager::SetSkinDirectory, L"c:\\Skins");
  d.String(L"SkinName", &TsSkinManager::SkinName, &TsSkinManager::SetSkinName);
  d.Set(L"SkinningRules", &TsSkinManager::SkinningRules, &TsSkinManager::SetSkinningRules, kDefaultSkinningRules);
  d.Object(L"ThirdParty", [](TsSkinManager* m) { return &m->ThirdParty(); });
  d.String(
      L"SkinInfo", &TsSkinManager::SkinInfo, [](TsSkinManager*, const std::wstring&) {}, nullptr);
  d.String(
      L"Version", [](TsSkinManager*) { return TsSkinManager::Version(); }, [](TsSkinManager*, const std::wstring&) {},
      nullptr);
  d.Event(L"OnAfterChange", &TsSkinManager::OnAfterChange);
  d.Event(L"OnBeforeChange", &TsSkinManager::OnBeforeChange);
  d.Event(L"OnSkinListChanged", &TsSkinManager::OnSkinListChanged);
}

void RegisterSkinManagerClasses() {
  RegisterSkinManagerEffectClasses();
  classlib::RegisterClass<TsStoredSkin, classlib::TCollectionItem>(L"TsStoredSkin");
  classlib::RegisterClass<TsSkinManager, classlib::TComponent>(L"TsSkinManager");
}

}  // namespace skin
