#include "skin/controls/sColorDialog.h"

#include "skin/controls/sBitBtn.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sSkinManager.h"

namespace skin {

TsColorDialogForm* sColorDialogForm = nullptr;
classlib::TColor InternalColor = 0;
classlib::TColor PickColor = 0;
TsHSV SelectedHsv;
TPoint ColorCoord;
bool ExPressed = false;
bool GradPressed = false;
int GradY = 0;
int CurrCustomIndex = 0;
bool UseCoords = false;
bool ColorChanging = false;
bool HexChanging = false;
bool DecChanging = false;
bool HsvChanging = false;
bool RgbChanging = false;

TsColorDialog::TsColorDialog(classlib::TComponent* AOwner) : classlib::TColorDialog(AOwner) {
  SetOptions(classlib::TColorDialogOptions{classlib::cdFullOpen});
}

TsColorDialog::~TsColorDialog() = default;

void TsColorDialog::DeclareProperties(classlib::TClassDecl<TsColorDialog>& d) {
  d.Bool(L"StandardDlg", &TsColorDialog::StandardDlg, &TsColorDialog::SetStandardDlg, false);
  d.Set(L"Options", &TsColorDialog::Options, &TsColorDialog::SetOptions,
        classlib::TColorDialogOptions{classlib::cdFullOpen});
  d.StringList(
      L"MainColors",
      [](TsColorDialog* o) {
        std::vector<std::wstring> lines;
        for (int i = 0; i < o->MainColors()->Count(); ++i) lines.push_back(o->MainColors()->Strings(i));
        return lines;
      },
      [](TsColorDialog* o, const std::vector<std::wstring>& lines) {
        o->MainColors()->Clear();
        for (const std::wstring& line : lines) o->MainColors()->Add(line);
      });
}

bool TsColorDialog::Execute() {
  TsSkinManager* manager = DefaultManager();
  if (FStandardDlg || manager == nullptr) return classlib::TColorDialog::Execute();

  struct FreeForm {
    void operator()(TsColorDialogForm* f) const { classlib::Free(f); }
  };
  // The form's destructor forgets it as the open dialog and clears the press flags.
  std::unique_ptr<TsColorDialogForm, FreeForm> form(classlib::Create<TsColorDialogForm>(classlib::Application));
  form->InitLngCaptions();
  form->OwnerDialog = this;
  if (CustomColors()->Count() > 0) {
    form->AddPal->Colors()->Assign(CustomColors());
    form->AddPal->GenerateColors();
  }
  if (FMainColors->Count() > 0) {
    form->MainPal->Colors()->Assign(FMainColors.get());
    form->MainPal->GenerateColors();
  }
  form->SetModalResult(classlib::mrCancel);
  form->SetBorderStyle(classlib::bsSingle);
  // The window first: making it applies the description's client size, which the width set here
  // must follow.
  form->Handle();
  form->sBitBtn4->SetEnabled(!Options().Contains(classlib::cdFullOpen));
  form->SetWidth(form->sBitBtn4->Enabled() ? 235 : form->Constraints()->MaxWidth());
  if (Options().Contains(classlib::cdPreventFullOpen)) form->sBitBtn4->SetEnabled(false);
  form->sBitBtn5->SetVisible(Options().Contains(classlib::cdShowHelp));
  form->SelectedPanel->Brush()->SetColor(Color());

  form->ShowModal();
  const bool chosen = form->ModalResult() == classlib::mrOk;
  CustomColors()->Assign(form->AddPal->Colors());
  DoClose();
  if (chosen) SetColor(form->SelectedColor());
  form.reset();
  return chosen;
}

void RegisterColorDialogClasses() {
  classlib::RegisterClass<TsColorDialog, classlib::TColorDialog>(L"TsColorDialog");
  classlib::RegisterClass<TsColorDialogForm, classlib::TForm>(L"TsColorDialogForm");
}

}  // namespace skin
