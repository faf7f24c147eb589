#include "skin/core/sSkinManager.h"

namespace skin {

namespace {

TsSkinManager* g_defaultManager = nullptr;

}  // namespace

TsSkinManager::TsSkinManager(classlib::TComponent* AOwner)
    : classlib::TComponent(AOwner), records_(std::make_unique<TacSkinRecords>()) {
  if (g_defaultManager == nullptr) g_defaultManager = this;
}

TsSkinManager::~TsSkinManager() {
  if (g_defaultManager == this) g_defaultManager = nullptr;
}

void TsSkinManager::InstallRecords(std::unique_ptr<TacSkinRecords> Records) {
  records_ = Records ? std::move(Records) : std::make_unique<TacSkinRecords>();
}

TsSkinManager* DefaultManager() { return g_defaultManager; }

}  // namespace skin
