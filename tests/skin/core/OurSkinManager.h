#pragma once
// A skin manager whose one skin is a packed skin given as bytes (our committed skin unless told
// otherwise), loaded as its internal copy from a skin directory that holds nothing, so that no
// skin lying on the machine takes its place.
#include <cstdint>
#include <utility>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "tests/skin/core/OurSkinFile.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin::testing {

// The caller owns the manager; Active() tells whether the skin loaded.
inline TsSkinManager* NewManagerWithSkin(std::vector<std::uint8_t> packed = OurSkin()) {
  auto* manager = new TsSkinManager(nullptr);
  manager->SetSkinDirectory(L".\\no-skins-here");
  TsStoredSkin* internal = manager->InternalSkins().Add();
  internal->Name = L"Tarvisel (internal)";
  internal->Data = std::move(packed);
  manager->SetSkinName(L"Tarvisel (internal)");
  return manager;
}

inline Owned<TsSkinManager> ManagerWithOurSkin() { return Owned<TsSkinManager>(NewManagerWithSkin()); }

}  // namespace skin::testing
