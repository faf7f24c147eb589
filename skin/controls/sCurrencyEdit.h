#pragma once
// The skinned currency edit: a numeric edit without a button or a popup, on one line. Win32 only.
#include "skin/controls/sCurrEdit.h"

namespace skin {

class TsCurrencyEdit : public TsCustomNumEdit {
 public:
  explicit TsCurrencyEdit(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCurrencyEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsCurrencyEdit>& d);
  bool HasGlyphButton() const override { return false; }
  void PopupWindowShow() override {}

 protected:
  void CreateParams(classlib::TCreateParams& Params) override;
};

void RegisterCurrencyEditClasses();

}  // namespace skin
