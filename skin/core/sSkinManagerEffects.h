#pragma once
// What the skin manager carries besides the skin itself: the class names of foreign controls that
// the form providers skin (ThirdParty, and ThirdLists for matching), the glow and blur switches
// (Effects), the animation settings (AnimEffects) and what the engine may skin besides its own
// controls (SkinningRules). A description sets them as sub-objects of the manager. Win32 only.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "classlib/Object.h"
#include "classlib/TypInfo.h"
#include "skin/core/acSets.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sDefaults.h"

namespace skin {

class TsSkinManager;

enum class TacSkinningRule : std::uint8_t { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = TacSet<TacSkinningRule>;
inline constexpr TacSkinningRules kDefaultSkinningRules{TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs,
                                                        TacSkinningRule::srThirdParty};

// Class names of foreign controls, one text of names (one a line) for each TacThirdPartyTypes kind.
class ThirdPartyList : public classlib::TPersistent {
 public:
  std::wstring ClassName() const override { return L"ThirdPartyList"; }
  static void DeclareProperties(classlib::TClassDecl<ThirdPartyList>& d);
  // The text of a kind; empty for a number that is no kind.
  std::wstring GetString(int Kind) const;
  // Ignored for a number that is no kind.
  void SetString(int Kind, const std::wstring& Value);

 private:
  std::array<std::wstring, kThirdPartyKinds> strings_;
};

class TacSkinEffects : public classlib::TPersistent {
 public:
  explicit TacSkinEffects(TsSkinManager* AManager = nullptr) : Manager(AManager) {}
  std::wstring ClassName() const override { return L"TacSkinEffects"; }
  static void DeclareProperties(classlib::TClassDecl<TacSkinEffects>& d);

  // True only when allowed, layered windows can be drawn (or the manager is being designed) and
  // the system is not 64-bit Windows without desktop composition.
  bool AllowGlowing() const;
  bool StoredAllowGlowing() const { return FAllowGlowing; }
  void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
  bool AllowAeroBluring() const { return FAllowAeroBluring; }
  void SetAllowAeroBluring(bool Value) { FAllowAeroBluring = Value; }

  TsSkinManager* Manager;

 private:
  bool FAllowGlowing = true;
  bool FAllowAeroBluring = true;
};

// One kind of animation: whether it plays, for how long (milliseconds) and in which manner.
class TacFormAnimation : public classlib::TPersistent {
 public:
  std::wstring ClassName() const override { return L"TacFormAnimation"; }
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  std::uint16_t Time() const { return FTime; }
  void SetTime(std::uint16_t Value) { FTime = Value; }
  TacAnimType Mode() const { return FMode; }
  void SetMode(TacAnimType Value) { FMode = Value; }

 protected:
  TacFormAnimation(bool AActive, std::uint16_t ATime, TacAnimType AMode)
      : FTime(ATime), FActive(AActive), FMode(AMode) {}

 private:
  std::uint16_t FTime;
  bool FActive;
  TacAnimType FMode;
};

// A form made translucent while it is dragged.
class TacBlendOnMoving : public TacFormAnimation {
 public:
  TacBlendOnMoving() : TacFormAnimation(false, 1000, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacBlendOnMoving"; }
  static void DeclareProperties(classlib::TClassDecl<TacBlendOnMoving>& d);
  std::uint8_t BlendValue() const { return FBlendValue; }
  void SetBlendValue(std::uint8_t Value) { FBlendValue = Value; }

 private:
  std::uint8_t FBlendValue = 170;
};

class TacDialogShow : public TacFormAnimation {
 public:
  TacDialogShow() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacDialogShow"; }
  static void DeclareProperties(classlib::TClassDecl<TacDialogShow>& d);
};

class TacFormShow : public TacFormAnimation {
 public:
  TacFormShow() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacFormShow"; }
  static void DeclareProperties(classlib::TClassDecl<TacFormShow>& d);
};

class TacFormHide : public TacFormAnimation {
 public:
  TacFormHide() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacFormHide"; }
  static void DeclareProperties(classlib::TClassDecl<TacFormHide>& d);
};

class TacMinimizing : public TacFormAnimation {
 public:
  TacMinimizing() : TacFormAnimation(true, 200, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacMinimizing"; }
  static void DeclareProperties(classlib::TClassDecl<TacMinimizing>& d);
};

class TacPageChange : public TacFormAnimation {
 public:
  TacPageChange() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
  std::wstring ClassName() const override { return L"TacPageChange"; }
  static void DeclareProperties(classlib::TClassDecl<TacPageChange>& d);
};

class TacSkinChanging : public TacFormAnimation {
 public:
  TacSkinChanging() : TacFormAnimation(true, 100, TacAnimType::atFading) {}
  std::wstring ClassName() const override { return L"TacSkinChanging"; }
  static void DeclareProperties(classlib::TClassDecl<TacSkinChanging>& d);
};

// The button events that animate where a control defers to the manager.
class TacBtnEffects : public classlib::TPersistent {
 public:
  explicit TacBtnEffects(TsSkinManager* AManager = nullptr) : Manager(AManager) {}
  std::wstring ClassName() const override { return L"TacBtnEffects"; }
  static void DeclareProperties(classlib::TClassDecl<TacBtnEffects>& d);
  TacBtnEvents Events() const { return FEvents; }
  void SetEvents(TacBtnEvents Value) { FEvents = Value; }

  TsSkinManager* Manager;

 private:
  TacBtnEvents FEvents{TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave, TacBtnEvent::beMouseDown,
                       TacBtnEvent::beMouseUp};
};

class TacAnimEffects : public classlib::TPersistent {
 public:
  explicit TacAnimEffects(TsSkinManager* AManager = nullptr);
  ~TacAnimEffects() override;
  std::wstring ClassName() const override { return L"TacAnimEffects"; }
  static void DeclareProperties(classlib::TClassDecl<TacAnimEffects>& d);

  TacBlendOnMoving& BlendOnMoving() const { return *FBlendOnMoving; }
  TacBtnEffects& Buttons() const { return *FButtons; }
  TacDialogShow& DialogShow() const { return *FDialogShow; }
  TacFormShow& FormShow() const { return *FFormShow; }
  TacFormHide& FormHide() const { return *FFormHide; }
  TacFormHide& DialogHide() const { return *FDialogHide; }
  TacMinimizing& Minimizing() const { return *FMinimizing; }
  TacPageChange& PageChange() const { return *FPageChange; }
  TacSkinChanging& SkinChanging() const { return *FSkinChanging; }

  TsSkinManager* Manager;

 private:
  std::unique_ptr<TacBlendOnMoving> FBlendOnMoving;
  std::unique_ptr<TacBtnEffects> FButtons;
  std::unique_ptr<TacDialogShow> FDialogShow;
  std::unique_ptr<TacFormShow> FFormShow;
  std::unique_ptr<TacFormHide> FFormHide;
  std::unique_ptr<TacFormHide> FDialogHide;
  std::unique_ptr<TacMinimizing> FMinimizing;
  std::unique_ptr<TacPageChange> FPageChange;
  std::unique_ptr<TacSkinChanging> FSkinChanging;
};

// Each ThirdParty text becomes the lines of its ThirdLists entry; with Reset every text first
// takes its default, without it only an empty one does.
void LoadThirdNames(TsSkinManager& Manager, bool Reset);
// Each ThirdParty text becomes the lines of its ThirdLists entry.
void UpdateThirdNames(TsSkinManager& Manager);
// For the default manager: the newer common dialogs are allowed unless it is active with
// standard dialogs among its SkinningRules (only the classic ones can be skinned).
void UpdateCommonDlgs(const TsSkinManager& Manager);

void RegisterSkinManagerEffectClasses();

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TacAnimType>() {
  static const TEnumInfo i{L"TacAnimType", {L"atFading", L"atAero"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TacBtnEvent>() {
  static const TEnumInfo i{L"TacBtnEvent", {L"beMouseEnter", L"beMouseLeave", L"beMouseDown", L"beMouseUp"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TacSkinningRule>() {
  static const TEnumInfo i{L"TacSkinningRule", {L"srStdForms", L"srStdDialogs", L"srThirdParty"}};
  return i;
}
}  // namespace classlib
