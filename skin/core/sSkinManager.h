#pragma once
// The skin manager component: it owns the records of the loaded skin and answers the look-ups of
// the painters. The first manager created is the default manager, which serves every control that
// names none; the default is nil again once that manager is freed. Win32 only.
#include <memory>
#include <string_view>

#include "classlib/Classes.h"
#include "skin/core/acSkinRecords.h"

namespace skin {

class TsSkinManager : public classlib::TComponent {
 public:
  explicit TsSkinManager(classlib::TComponent* AOwner);
  ~TsSkinManager() override;
  std::wstring ClassName() const override { return L"TsSkinManager"; }

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }

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

 private:
  bool FActive = true;
  std::unique_ptr<TacSkinRecords> records_;
};

// The first manager created; nullptr when there is none or it has been freed.
TsSkinManager* DefaultManager();

}  // namespace skin
