#include "skin/windows/acWWComboBoxWnd.h"

#include "classlib/StdCtrls.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

bool IsListBox(classlib::TWinControl* Control) {
  if (Control->ClassName().find(L"ListBox") != std::wstring::npos) return true;
  if (!Control->HandleAllocated()) return false;
  std::wstring cls = GetWndClassName(Control->Handle());
  for (wchar_t& c : cls) c = wchar_t(towlower(c));
  return cls == L"listbox";
}

}  // namespace

TacWWComboBoxWnd::TacWWComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                   classlib::TWinControl* AControl)
    : TacComboBoxWnd(AHandle, ASkinData, ASkinManager), FShowButton(GetShowButton(AControl)) {}

TacWWComboBoxWnd::~TacWWComboBoxWnd() = default;

THandler<TacWWComboBoxWnd> TacWWComboBoxWnd::Create(classlib::TWinControl* AControl, TsCommonData* ASkinData,
                                                    TsSkinManager* ASkinManager, const std::string& SkinSection,
                                                    bool Repaint) {
  if (AControl == nullptr) return nullptr;
  return TacMainWnd::Create<TacWWComboBoxWnd>(AControl->Handle(), ASkinData, ASkinManager, SkinSection, Repaint,
                                              AControl);
}

bool TacWWComboBoxWnd::GetShowButton(classlib::TWinControl* Control) {
  auto* combo = dynamic_cast<classlib::TCustomComboBox*>(Control);
  if (combo == nullptr) return true;
  return combo->Style() == classlib::csDropDown || combo->Style() == classlib::csDropDownList;
}

TRect TacWWComboBoxWnd::ButtonRect() {
  RECT wr{};
  GetWindowRect(CtrlHandle, &wr);
  const int width = FShowButton ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  TRect r;
  r.Left = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0 ? 2 : wr.right - wr.left - width - 2;
  r.Top = 2;
  r.Right = r.Left + width;
  r.Bottom = wr.bottom - wr.top - 2;
  return r;
}

void TacWWComboBoxWnd::Release() {
  ListBoxSW.reset();
  ListBoxSkinData.reset();
  ListBox = nullptr;
  TacComboBoxWnd::Release();
}

void TacWWComboBoxWnd::AttachListBox() {
  auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl());
  if (owner == nullptr) return;
  for (int i = 0; i < owner->ControlCount(); ++i) {
    auto* child = dynamic_cast<classlib::TWinControl*>(owner->Controls(i));
    if (child == nullptr || !IsListBox(child)) continue;
    ListBox = child;
    ListBoxSW.reset();
    ListBoxSkinData = std::make_unique<TsCommonData>(child, true);
    ListBoxSkinData->SetSkinManager(SkinData->GetSkinManager());
    ListBoxSkinData->SetSkinSection("EDIT");
    RefreshEditScrolls(ListBoxSkinData.get(), ListBoxSW);
    if (ListBoxSW && ListBoxSW->Destroyed) {
      ListBoxSW.reset();
      RefreshEditScrolls(ListBoxSkinData.get(), ListBoxSW);
    }
  }
}

void TacWWComboBoxWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_CTLCOLORLISTBOX) {
    PassOn(Message);
    return;
  }
  TacComboBoxWnd::acWndProc(Message);
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && SkinData != nullptr) AttachListBox();
}

}  // namespace skin
