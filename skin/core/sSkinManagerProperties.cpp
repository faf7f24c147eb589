// The skin manager's published properties, apart from its Win32 unit (whose headers name a
// RegisterClass of their own).
#include "skin/core/sSkinManager.h"

#include <string>
#include <vector>

#include "classlib/TypInfo.h"

namespace skin {

void TsStoredSkin::DeclareProperties(classlib::TClassDecl<TsStoredSkin>& d) {
  d.String(L"Name", &TsStoredSkin::Name, [](TsStoredSkin* s, const std::wstring& v) { s->Name = v; });
  d.Binary(L"Data", &TsStoredSkin::Data, [](TsStoredSkin* s, const std::vector<std::uint8_t>& v) { s->Data = v; });
}

void TsSkinManager::DeclareProperties(classlib::TClassDecl<TsSkinManager>& d) {
  d.Bool(L"ExtendedBorders", &TsSkinManager::ExtendedBorders, &TsSkinManager::SetExtendedBorders, false);
  d.Bool(
      L"SkinnedPopups", [](TsSkinManager* m) { return m->SkinnedPopups; },
      [](TsSkinManager* m, bool v) { m->SkinnedPopups = v; }, true);
  d.Bool(L"IsDefault", &TsSkinManager::IsDefault, &TsSkinManager::SetIsDefault, true);
  d.Bool(L"Active", &TsSkinManager::Active, &TsSkinManager::SetActive, true);
  d.Integer(L"Saturation", &TsSkinManager::Saturation, &TsSkinManager::SetSaturation, 0);
  d.Integer(L"HueOffset", &TsSkinManager::HueOffset, &TsSkinManager::SetHueOffset, 0);
  d.Collection(L"InternalSkins", [](TsSkinManager* m) { return &m->InternalSkins(); });
  d.String(L"SkinDirectory", &TsSkinManager::SkinDirectory, &TsSkinManager::SetSkinDirectory, L"c:\\Skins");
  d.String(L"SkinName", &TsSkinManager::SkinName, &TsSkinManager::SetSkinName);
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
  classlib::RegisterClass<TsStoredSkin, classlib::TCollectionItem>(L"TsStoredSkin");
  classlib::RegisterClass<TsSkinManager, classlib::TComponent>(L"TsSkinManager");
}

}  // namespace skin
