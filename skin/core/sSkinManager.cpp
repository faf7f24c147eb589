#include "skin/core/sSkinManager.h"

#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <system_error>

#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "classlib/ScopeExit.h"
#include "classlib/SysUtils.h"
#include "classlib/Utf8.h"
#include "skin/core/acGlow.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acntMessagesWin32.h"
#include "skin/core/acntPaths.h"
#include "skin/core/acntWords.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManagerStartup.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

namespace {

TsSkinManager* g_defaultManager = nullptr;
TacSkinableMenusFactory g_menusFactory = nullptr;

// A skin folder whose options text comes from a live preview.
class TacPreviewSkinFiles final : public TacSkinFiles {
 public:
  TacPreviewSkinFiles(std::filesystem::path Folder, std::string Options)
      : folder_(std::move(Folder)), options_(std::move(Options)) {}
  std::optional<std::string> Options() const override { return options_; }
  std::optional<TacFileBytes> Find(std::string_view name) const override { return folder_.Find(name); }

 private:
  TacFolderSkinFiles folder_;
  std::string options_;
};

}  // namespace

void SetSkinableMenusFactory(TacSkinableMenusFactory Factory) { g_menusFactory = Factory; }
TacSkinableMenusFactory SkinableMenusFactory() { return g_menusFactory; }

IacSkinableMenus* TsSkinManager::SkinableMenus() {
  if (!FSkinableMenus && g_menusFactory != nullptr) FSkinableMenus = g_menusFactory(this);
  return FSkinableMenus.get();
}

int TsStoredSkins::IndexOf(std::wstring_view Name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name == Name) return i;
  return -1;
}

TsSkinManager::TsSkinManager(classlib::TComponent* AOwner)
    : classlib::TComponent(AOwner),
      FEffects(std::make_unique<TacSkinEffects>(this)),
      FThirdParty(std::make_unique<ThirdPartyList>()),
      FAnimEffects(std::make_unique<TacAnimEffects>(this)),
      records_(std::make_unique<TacSkinRecords>()) {
  for (classlib::TStringList& list : ThirdLists) list.SetCaseSensitive(true);
  LoadThirdNames(*this, false);
  if (g_defaultManager == nullptr) {
    g_defaultManager = this;
    if (IsNT && !Designing())
      classlib::Application->HookMainWindow(this, [this](classlib::TMessage& m) { return MainWindowHook(m); });
  }
}

TsSkinManager::~TsSkinManager() {
  SetActive(false);
  FExtendedBorders = false;
  if (g_defaultManager == this) {
    UnInstallHook();
    if (classlib::TApplication* app = classlib::TApplication::Existing()) app->UnhookMainWindow(this);
    g_defaultManager = nullptr;
  }
}

void TsSkinManager::Loaded() {
  classlib::TComponent::Loaded();
  if (FSkinDirectory.empty()) FSkinDirectory = L"c:\\Skins";
  if (FMenuSupport->IcoLineSkin.empty()) FMenuSupport->IcoLineSkin = L"ICOLINE";
  LoadThirdNames(*this, false);
  // A description names the skin wherever it likes, the internal skins and the directory maybe
  // after it: the skin is looked for once all are there, and announced without a repaint, since
  // the forms are still being created.
  if (FActive && !FSkinName.empty()) ChangeSkin(FSkinName, false);
}

bool TsSkinManager::Reading() const {
  const auto state = ComponentState();
  return state.Contains(classlib::csLoading) || state.Contains(classlib::csReading);
}

void TsSkinManager::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (Value) {
    SetSkinName(FSkinName);
  } else if (!Reading()) {
    SendRemoveSkin();
  }
  UpdateCommonDlgs(*this);
}

void TsSkinManager::SetSkinningRules(TacSkinningRules Value) {
  FSkinningRules = Value;
  UpdateCommonDlgs(*this);
}

bool TsSkinManager::IsDefault() const { return g_defaultManager == this; }

void TsSkinManager::SetIsDefault(bool Value) {
  if (!Value && g_defaultManager != nullptr) return;
  g_defaultManager = this;
  if (Reading()) return;
  if (FActive) {
    SendNewSkin(true);
  } else {
    SendRemoveSkin();
  }
}

void TsSkinManager::SetSkinDirectory(const std::wstring& Value) {
  if (Value == FSkinDirectory) return;
  FSkinDirectory = Value;
  records_->SkinData.SkinPath = classlib::Utf8Encode(GetFullSkinDirectory());
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::SetSkinName(const std::wstring& Value) {
  if (!FActive || Reading()) {
    FSkinName = Value;
    return;
  }
  ChangeSkin(Value, true);
}

void TsSkinManager::ChangeSkin(const std::wstring& Value, bool Repaint) {
  const std::wstring oldName = FSkinName;
  FSkinName = Value;
  if (OnBeforeChange) OnBeforeChange(this);
  aSkinChanging = true;
  const classlib::TScopeExit changed([] { aSkinChanging = false; });
  const bool wasPacked = SkinIsPacked;
  const bool wasActive = records_->SkinData.Active;
  records_->SkinData.Active = false;
  FSkinName = CutPackedSuffix(Value);
  SkinIsPacked = !(UnPackedFirst && HasSkinFolder()) && classlib::FileExists(PackedFileName());
  try {
    if (SkinIsPacked) {
      ReloadPackedSkin();
    } else {
      ReloadSkin();
    }
  } catch (const classlib::Exception& e) {
    // The records in use were not touched: the skin that was there stays.
    FSkinName = oldName;
    SkinIsPacked = wasPacked;
    records_->SkinData.Active = wasActive;
    ShowError(e.Message());
  }
  if (!FActive) {
    SendRemoveSkin();
  } else if (!NonAutoUpdate) {
    SendNewSkin(Repaint);
  }
  aSkinChanging = false;
  if (OnAfterChange) OnAfterChange(this);
  UpdateCommonDlgs(*this);
}

bool TsSkinManager::ExtendedBorders() const { return FExtendedBorders && UpdateLayeredWindowProc() != nullptr; }

void TsSkinManager::SetExtendedBorders(bool Value) {
  if (Value == FExtendedBorders) return;
  FExtendedBorders = Value;
  if (records_->SkinData.Active) ReloadForSetting();
}

void TsSkinManager::SetHueOffset(int Value) {
  if (Value == FHueOffset) return;
  FHueOffset = Value;
  ReloadForSetting();
}

void TsSkinManager::SetCommonSections(const std::vector<std::wstring>& Value) {
  FCommonSections.clear();
  std::wstring text;
  for (std::wstring line : Value) {
    // Blanks inside keys and values are dropped so that "A = 1" and "A=1" read alike; comments stay.
    if (line.empty() || line.front() != L';') std::erase(line, L' ');
    text += line;
    text += L"\r\n";
    FCommonSections.push_back(std::move(line));
  }
  FCommonIni = FCommonSections.empty() ? nullptr : std::make_unique<TacSkinIni>(classlib::WideToCp1251(text));
  SetSkinName(FSkinName);
}

void TsSkinManager::SetSaturation(int Value) {
  if (Value == FSaturation) return;
  FSaturation = Value;
  ReloadForSetting();
}

void TsSkinManager::ReloadForSetting() {
  if (!FActive || Reading()) return;
  {
    aSkinChanging = true;
    const classlib::TScopeExit changed([] { aSkinChanging = false; });
    try {
      if (classlib::FileExists(PackedFileName())) {
        ReloadPackedSkin();
      } else {
        ReloadSkin();
      }
    } catch (const classlib::Exception& e) {
      ShowError(e.Message());
      return;
    }
  }
  if (!NonAutoUpdate) RepaintForms(true);
}

std::wstring TsSkinManager::SkinInfo() const {
  if (!FActive || !records_->SkinData.Active) return L"N/A";
  wchar_t text[32] = {};
  std::swprintf(text, 32, L"%g", records_->SkinData.Version);
  return text;
}

std::wstring TsSkinManager::SkinFolder() const { return NormalDir(GetFullSkinDirectory()) + FSkinName + L"\\"; }

bool TsSkinManager::HasSkinFolder() const {
  const std::wstring folder = SkinFolder();
  std::error_code error;
  return acMemSkinFile ? std::filesystem::is_directory(std::filesystem::path(folder), error)
                       : classlib::FileExists(folder + L"Options.dat");
}

std::wstring TsSkinManager::PackedFileName() const { return NormalDir(GetFullSkinDirectory()) + FSkinName + L".asz"; }

std::wstring TsSkinManager::GetFullSkinDirectory() const {
  return skin::GetFullSkinDirectory(FSkinDirectory, ProgramFolder());
}

TacSkinNameList TsSkinManager::GetSkinNames(TacSkinTypes SkinTypes) const {
  std::vector<std::wstring> internal;
  for (int i = 0; i < FInternalSkins.Count(); ++i) internal.push_back(FInternalSkins.Items(i)->Name);
  return CollectSkinNames(internal, std::filesystem::path(GetFullSkinDirectory()), SkinTypes);
}

TacSkinNameList TsSkinManager::GetExternalSkinNames(TacSkinTypes SkinTypes) const {
  return CollectSkinNames({}, std::filesystem::path(GetFullSkinDirectory()), SkinTypes);
}

std::wstring TsSkinManager::GetRandomSkin() const {
  const std::vector<std::wstring> names = GetSkinNames().Names;
  if (names.empty()) return {};
  std::mt19937 generator(static_cast<std::uint32_t>(GetTickCount64()));
  return names[std::uniform_int_distribution<std::size_t>(0, names.size() - 1)(generator)];
}

void TsSkinManager::ExtractInternalSkin(const std::wstring& NameOfSkin, const std::wstring& DestDir) {
  bool found = false;
  for (int i = 0; i < FInternalSkins.Count(); ++i) {
    if (FInternalSkins.Items(i)->Name != NameOfSkin) continue;
    found = true;
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::path(DestDir), error)) {
      ExtractByIndex(i, DestDir);
    } else {
      ShowError(L"Directory does not exists.");
    }
  }
  if (!found) ShowError(L"Skin does not exists.");
}

void TsSkinManager::ExtractByIndex(int Index, const std::wstring& DestDir) {
  const std::wstring folder = NormalDir(DestDir);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  if (error) {
    ShowError(L"Directory " + folder + L" creation error.");
    return;
  }
  const TsStoredSkin* skin = FInternalSkins.Items(Index);
  if (skin->Data.empty()) return;
  const std::wstring fileName = folder + skin->Name + L" extracted.asz";
  std::ofstream out(std::filesystem::path(fileName), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(skin->Data.data()), static_cast<std::streamsize>(skin->Data.size()));
  out.close();
  if (!out) ShowError(L"Cannot write " + fileName);
}

TacSkinLoadOptions TsSkinManager::LoadOptions(std::wstring_view SkinPath) const {
  TacSkinLoadOptions options;
  options.HueOffset = FHueOffset;
  options.Saturation = FSaturation;
  options.CommonSections = FCommonIni.get();
  options.SkinPath = classlib::Utf8Encode(SkinPath);
  options.SystemFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  options.ExtendedBorders = ExtendedBorders();
  if (!BuiltInShadowActive().Empty() && !BuiltInShadowInactive().Empty()) {
    options.BuiltInShadowActive = &BuiltInShadowActive();
    options.BuiltInShadowInactive = &BuiltInShadowInactive();
  }
  return options;
}

void TsSkinManager::LoadRecords(const TacSkinFiles& Files, std::wstring_view SkinPath) {
  std::unique_ptr<TacSkinRecords> fresh = LoadSkinRecords(Files, LoadOptions(SkinPath));
  fresh->SkinData.Active = records_->SkinData.Active;
  records_ = std::move(fresh);
  ShowVersionNotice();
}

void TsSkinManager::ReloadSkin() {
  if (!FActive) return;
  aSkinChanging = true;
  const classlib::TScopeExit changed([] { aSkinChanging = false; });
  const std::wstring folder = SkinFolder();
  if (acMemSkinFile && std::filesystem::is_directory(std::filesystem::path(folder))) {
    SkinIsPacked = false;
    LoadRecords(TacPreviewSkinFiles(std::filesystem::path(folder), *acMemSkinFile), folder);
    return;
  }
  if (classlib::FileExists(folder + L"Options.dat")) {
    SkinIsPacked = false;
    LoadRecords(TacFolderSkinFiles(std::filesystem::path(folder)), folder);
    return;
  }
  int index = FInternalSkins.IndexOf(FSkinName);
  if (index < 0) {
    if (FInternalSkins.Count() == 0) {
      FActive = false;
      return;
    }
    index = 0;
    FSkinName = FInternalSkins.Items(0)->Name;
  }
  const std::vector<std::uint8_t>& data = FInternalSkins.Items(index)->Data;
  if (data.empty()) {
    SkinIsPacked = false;
    InstallRecords(nullptr);
    return;
  }
  SkinIsPacked = true;
  LoadRecords(TacPackedSkinFiles(std::span<const std::uint8_t>(data)), L"");
}

void TsSkinManager::ReloadPackedSkin() {
  if (!FActive) return;
  aSkinChanging = true;
  const classlib::TScopeExit changed([] { aSkinChanging = false; });
  const std::wstring fileName = PackedFileName();
  std::unique_ptr<TacSkinConvertor> unpacked;
  LoadSkinFromFile(std::filesystem::path(fileName), unpacked, true);
  if (!unpacked) throw EacSkinLoadError(L"The skin file " + fileName + L" cannot be read");
  LoadRecords(TacPackedSkinFiles(std::move(unpacked)), NormalDir(GetFullSkinDirectory()));
}

void TsSkinManager::InstallRecords(std::unique_ptr<TacSkinRecords> Records) {
  records_ = Records ? std::move(Records) : std::make_unique<TacSkinRecords>();
}

void TsSkinManager::ShowVersionNotice() {
  const TacVersionNotice notice = CheckVersion(records_->SkinData.Version);
  if (notice == TacVersionNotice::NewerSkin) {
    classlib::ShowMessageBox(nullptr,
                             L"This version of the skin have not complete support by used DezuvEzizared package "
                             L"release.\r\nComponents must be updated up to latest version for using this skin.",
                             L"", MB_OK);
  } else if (notice == TacVersionNotice::OldSkin && CommandLineHas(L"/actest")) {
    classlib::ShowMessageBox(nullptr,
                             L"You are using an old version of the \"" + FSkinName +
                                 L"\" skin. Please, update a skins to latest or link with the DezuvEzizared support "
                                 L"for upgrading of existing skin.\r\n\r\nThis notification occurs in design-time only "
                                 L"for your information and will not occur in real-time.",
                             L"", MB_OK);
  }
}

void TsSkinManager::Broadcast(unsigned Command, std::intptr_t LParam) {
  classlib::TMessage message{SM_ALPHACMD, AlphaCmd(Command), LParam, 0};
  AppBroadCastS(message);
}

void TsSkinManager::SendNewSkin(bool Repaint) {
  if (Reading()) return;
  ClearGlows();  // they show the old skin's images
  if (FSkinableMenus) FSkinableMenus->SkinChanged();
  if (Repaint) LockForms(this);
  try {
    records_->SkinData.Active = false;
    {
      RestrictDrawing = true;
      const classlib::TScopeExit allowDrawing([] { RestrictDrawing = false; });
      records_->InitConstantIndexes(LoadOptions(L""));
      Broadcast(ACMD_NEWSKIN, reinterpret_cast<std::intptr_t>(this));
    }
    records_->SkinData.Active = true;
    if (FSkinableMenus) FSkinableMenus->UpdateMenus();
    if (IsDefault() && !GlobalHookInstalled) InstallHook();
  } catch (...) {
    // A receiver that raises must not leave the forms without redrawing.
    if (Repaint) UnLockForms(this, true);
    throw;
  }
  if (Repaint) RepaintForms(false);
}

void TsSkinManager::SendRemoveSkin() {
  ClearGlows();
  if (FSkinableMenus) FSkinableMenus->SkinChanged();
  UnInstallHook();
  records_->SkinData.Active = false;
  if (FSkinableMenus) FSkinableMenus->UpdateMenus();
  Broadcast(ACMD_REMOVESKIN, reinterpret_cast<std::intptr_t>(this));
  InstallRecords(nullptr);
}

void TsSkinManager::RepaintForms(bool DoLockForms) {
  Broadcast(ACMD_STOPFADE, reinterpret_cast<std::intptr_t>(this));
  if (Reading()) {
    Broadcast(ACMD_REFRESH, reinterpret_cast<std::intptr_t>(this));
    return;
  }
  if (DoLockForms) LockForms(this);
  // The unlock also ends the lock that SendNewSkin took.
  try {
    Broadcast(ACMD_REFRESH, reinterpret_cast<std::intptr_t>(this));
  } catch (...) {
    UnLockForms(this, true);
    throw;
  }
  UnLockForms(this, true);
}

void TsSkinManager::EndUpdate(bool Repaint) {
  NonAutoUpdate = false;
  UpdateSkin(Repaint);
}

void TsSkinManager::UpdateSkin(bool Repaint) {
  if (FActive) SendNewSkin(Repaint);
}

void TsSkinManager::UpdateSkinSection(const std::string& SectionName) {
  GlobalSectionName = acAnsiUpperCase(SectionName);
  Broadcast(ACMD_SECTIONCHANGED, 0);
}

TsSkinManager* DefaultManager() { return g_defaultManager; }

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

}  // namespace skin
