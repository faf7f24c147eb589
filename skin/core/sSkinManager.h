#pragma once
// The skin manager component: it owns the records of the loaded skin and answers the look-ups of
// the painters. It loads the skin named by SkinName from a folder or a packed ".asz" file in the
// skin directory, else from its internal skins, and announces every change to the forms and
// controls with skin commands. The first manager created is the default manager, which serves
// every control that names none; the default is nil again once that manager is freed. Win32 only.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Forms.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"
#include "skin/core/acMenuSupport.h"
#include "skin/core/acSkinDirectory.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"
#include "skin/core/sSkinManagerEffects.h"

namespace skin {

// A skin kept inside the program: its name and its packed container.
class TsStoredSkin : public classlib::TCollectionItem {
 public:
  using classlib::TCollectionItem::TCollectionItem;
  std::wstring ClassName() const override { return L"TsStoredSkin"; }
  static void DeclareProperties(classlib::TClassDecl<TsStoredSkin>& d);

  std::wstring Name;
  std::vector<std::uint8_t> Data;
};

// The manager's internal skins. Assigning another collection does nothing: the skins come from
// the description the manager is read from.
class TsStoredSkins : public classlib::TCollectionOf<TsStoredSkin> {
 public:
  using classlib::TCollectionOf<TsStoredSkin>::TCollectionOf;
  std::wstring ClassName() const override { return L"TsStoredSkins"; }
  void Assign(const classlib::TPersistent*) override {}
  // The index of the skin of exactly that name; -1 when there is none.
  int IndexOf(std::wstring_view Name) const;
};

class TsSkinManager : public classlib::TComponent {
 public:
  explicit TsSkinManager(classlib::TComponent* AOwner);
  ~TsSkinManager() override;
  std::wstring ClassName() const override { return L"TsSkinManager"; }
  // While a description is read, SkinName is only kept: the skin loads in Loaded, with the
  // internal skins and the directory the description gives, in whatever order it gives them.
  static void DeclareProperties(classlib::TClassDecl<TsSkinManager>& d);
  void Loaded() override;
  // Forgets the windowless control under the mouse when it goes.
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Whether this manager is the default one; setting it true makes it so and announces its state.
  bool IsDefault() const;
  void SetIsDefault(bool Value);
  const std::wstring& SkinName() const { return FSkinName; }
  // Loads the skin of that name and announces it; a failed load keeps the skin in use.
  void SetSkinName(const std::wstring& Value);
  const std::wstring& SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const std::wstring& Value);
  // Layered extended form borders with shadows; on only where the system has layered windows.
  bool ExtendedBorders() const;
  // Reloads the skin in use for the new borders and repaints, without a new-skin command.
  void SetExtendedBorders(bool Value);
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int Value);
  // Extra description sections added to every skin that lacks them (their images come from the
  // skin's files); setting them reloads the skin.
  const std::vector<std::wstring>& CommonSections() const { return FCommonSections; }
  void SetCommonSections(const std::vector<std::wstring>& Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  TsStoredSkins& InternalSkins() { return FInternalSkins; }
  const TsStoredSkins& InternalSkins() const { return FInternalSkins; }
  // "N/A" without an active skin, else the skin's version with a point.
  std::wstring SkinInfo() const;
  static std::wstring Version() { return L"7.56"; }

  classlib::TNotifyEvent OnAfterChange;
  classlib::TNotifyEvent OnBeforeChange;
  classlib::TNotifyEvent OnSkinListChanged;

  // Changes made between these are announced once, by EndUpdate.
  void BeginUpdate() { NonAutoUpdate = true; }
  void EndUpdate(bool Repaint = false);
  void UpdateSkin(bool Repaint = false);
  // Controls of that section repaint; the skin is not reloaded.
  void UpdateSkinSection(const std::string& SectionName);

  // Announcements to every form and control.
  void SendNewSkin(bool Repaint = true);
  void SendRemoveSkin();
  void RepaintForms(bool DoLockForms = true);

  // Loads SkinName again from its folder or the internal skins, or from its packed file.
  void ReloadSkin();
  void ReloadPackedSkin();

  // The skin directory made absolute against the program's folder.
  std::wstring GetFullSkinDirectory() const;
  TacSkinNameList GetSkinNames(TacSkinTypes SkinTypes = TacSkinTypes::stAllSkins) const;
  TacSkinNameList GetExternalSkinNames(TacSkinTypes SkinTypes = TacSkinTypes::stAllSkins) const;
  // A name of GetSkinNames picked at random; empty when there is none.
  std::wstring GetRandomSkin() const;

  // Writes the internal skins of exactly that name into DestDir as "<name> extracted.asz";
  // what is missing (the skin, the folder) is told in a message box.
  void ExtractInternalSkin(const std::wstring& NameOfSkin, const std::wstring& DestDir);
  void ExtractByIndex(int Index, const std::wstring& DestDir);

  // The records of the skin in use; empty records while none is loaded.
  const TacSkinRecords& Records() const { return *records_; }
  TacSkinRecords& Records() { return *records_; }
  // Takes a loaded skin's records in place of the old ones (nullptr: back to none).
  void InstallRecords(std::unique_ptr<TacSkinRecords> Records);
  bool HasSections() const { return !records_->gd.empty(); }

  // Look-ups, forwarded to the records.
  int GetSkinIndex(std::string_view SkinSection) const { return records_->GetSkinIndex(SkinSection); }
  int GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const {
    return records_->GetMaskIndex(SkinIndex, SkinSection, Mask);
  }
  int GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
    return records_->GetTextureIndex(SkinIndex, SkinSection, PropName);
  }
  int GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view PropName) const {
    return records_->GetPatternIndex(SkinIndex, SkinSection, PropName);
  }
  bool IsValidSkinIndex(int SkinIndex) const { return records_->IsValidSkinIndex(SkinIndex); }
  bool IsValidImgIndex(int ImageIndex) const { return records_->IsValidImgIndex(ImageIndex); }
  TColor GetGlobalColor() const { return records_->GetGlobalColor(); }

  // Foreign controls, effects, animations and what may be skinned (sSkinManagerEffects.h).
  ThirdPartyList& ThirdParty() const { return *FThirdParty; }
  TacSkinEffects& Effects() const { return *FEffects; }
  TacAnimEffects& AnimEffects() const { return *FAnimEffects; }
  bool GetAllowGlowing() const { return FEffects->AllowGlowing(); }
  void SetAllowGlowing(bool Value) { FEffects->SetAllowGlowing(Value); }
  TacSkinningRules SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(TacSkinningRules Value);
  // The names of ThirdParty as lists, one for each kind, matched with their case.
  std::array<classlib::TStringList, kThirdPartyKinds> ThirdLists;
  // The default manager's CBT hook, put on with the first skin it announces and taken off with the
  // skin; the other managers put on none.
  void InstallHook();
  void UnInstallHook();
  HHOOK CbtHook() const { return cbtHook_; }
  // Sees the application window's messages while this is the default manager; true when it has
  // handled one.
  bool MainWindowHook(classlib::TMessage& Message);

  // The menu options, and the skinned menus made on first use by the menu engine's factory
  // (acMenuSupport.h); nullptr while no engine is linked.
  TacMenuSupport& MenuSupport() const { return *FMenuSupport; }
  IacSkinableMenus* SkinableMenus();
  TacGetExtraLineData OnGetMenuExtraLineData;

  // The window and the windowless control under the mouse, as the skinned controls report them:
  // the one the mouse leaves gets command 30, a window it enters command 29. A windowless control
  // that says the mouse is still above it keeps its place.
  void SetActiveControl(HWND Wnd);
  void SetActiveGraphControl(classlib::TControl* Control);
  HWND ActiveControl() const { return FActiveControl; }
  classlib::TControl* ActiveGraphControl() const { return FActiveGraphControl; }

  bool NonAutoUpdate = false;  // changes are not announced
  bool GlobalHookInstalled = false;
  bool SkinnedPopups = true;                             // popup menus are skinned
  classlib::TShowAction ShowState = classlib::saIgnore;  // the last minimise or restore request
  bool SkinIsPacked = false;                             // the skin in use came from a container

 private:
  bool Reading() const;
  bool Designing() const { return ComponentState().Contains(classlib::csDesigning); }
  // Loads the skin of that name and announces it, with a repaint when asked.
  void ChangeSkin(const std::wstring& Value, bool Repaint);
  TacSkinLoadOptions LoadOptions(std::wstring_view SkinPath) const;
  // Loads from Files into fresh records that take the place of the old ones only when whole.
  void LoadRecords(const TacSkinFiles& Files, std::wstring_view SkinPath);
  std::wstring PackedFileName() const;
  // The folder of the skin named SkinName, with its separator; whether it holds a skin.
  std::wstring SkinFolder() const;
  bool HasSkinFolder() const;
  // Reloads the current skin for a changed colour setting and repaints without a new-skin command.
  void ReloadForSetting();
  void Broadcast(unsigned Command, std::intptr_t LParam);
  void ShowVersionNotice();

  bool FActive = true;
  bool FExtendedBorders = false;
  std::wstring FSkinName;
  std::wstring FSkinDirectory = L"c:\\Skins";
  int FHueOffset = 0;
  std::vector<std::wstring> FCommonSections;
  std::unique_ptr<TacSkinIni> FCommonIni;  // FCommonSections parsed; nullptr when empty
  int FSaturation = 0;
  TsStoredSkins FInternalSkins{this};
  std::unique_ptr<TacSkinEffects> FEffects;
  std::unique_ptr<ThirdPartyList> FThirdParty;
  std::unique_ptr<TacAnimEffects> FAnimEffects;
  TacSkinningRules FSkinningRules = kDefaultSkinningRules;
  std::unique_ptr<TacSkinRecords> records_;
  std::unique_ptr<TacMenuSupport> FMenuSupport = std::make_unique<TacMenuSupport>();
  std::unique_ptr<IacSkinableMenus> FSkinableMenus;
  HHOOK cbtHook_ = nullptr;
  void (*linkedHook_)(HHOOK) = nullptr;  // the dialog skinning told of the hook it serves
  HWND FActiveControl = nullptr;
  classlib::TControl* FActiveGraphControl = nullptr;
};

// Live preview (sSkinPreviewWin32.h). Once an editor has sent a preview, a skin folder is
// preferred to a packed file of the same name; while a preview loads, its options text (code
// page 1251) stands in for the folder's "Options.dat".
inline bool UnPackedFirst = false;
inline const std::string* acMemSkinFile = nullptr;

// Makes the manager and its stored skins known to window descriptions.
void RegisterSkinManagerClasses();

// The first manager created; nullptr when there is none or it has been freed.
TsSkinManager* DefaultManager();

// The program's folder with its trailing separator.
std::wstring ProgramFolder();

}  // namespace skin
