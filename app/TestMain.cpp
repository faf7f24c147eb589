// The main window as a whole: start-up and shut-down, the serial-port menu and the connection
// toggle on the status bar, the host-link switch, the target address, help, and the status texts
// that every page's operations end with.
#include "app/TestMain.h"

#include <shellapi.h>

#include "app/ClockText.h"
#include "app/ConfigTexts.h"
#include "app/Confsave.h"
#include "app/ResultTexts.h"
#include "app/link/Modbus.h"
#include "app/link/Serialport.h"
#include "classlib/DateUtils.h"
#include "classlib/IniFile.h"
#include "classlib/SysUtils.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acSBUtils.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int kResultPanel = 2;
constexpr int kPortPanel = 1;
constexpr int kImageDisconnected = 12;
constexpr int kImageConnected = 13;
constexpr int kMaxComPort = 32;
constexpr int kAddressItems = 32;  // "All BU" and units 1..31

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// A port is offered when it can be opened now: existing and not in use by another program.
bool PortOpens(int n) {
  const std::wstring name = L"\\\\.\\COM" + std::to_wstring(n);
  HANDLE h = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace

void RegisterMainWindowClasses() {
  skin::RegisterAlphaImageListClasses();
  skin::RegisterButtonClasses();
  skin::RegisterCheckBoxClasses();
  skin::RegisterRadioButtonClasses();
  skin::RegisterLabelClasses();
  skin::RegisterPageControlClasses();
  skin::RegisterStatusBarClasses();
  skin::RegisterSkinProviderClasses();
  skin::RegisterBitBtnClasses();
  skin::RegisterGroupBoxClasses();
  skin::RegisterEditClasses();
  skin::RegisterMaskEditClasses();
  skin::RegisterComboBoxClasses();
  skin::RegisterListViewClasses();
  skin::RegisterDialogClasses();
  // The long lists and the list views take the skinned scroll bars.
  skin::Ac_InstallScrollBarsLink();
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  RegisterMainWindowClasses();
  InitDescription();
  const std::wstring folder = ExecutableFolder();
  SettingsPath = folder + app::kSettingsFileName;
  ComNumber = 1;
  app::link::SetActiveLine(&ComLine());
  FillPortMenu();
  FillLists();
  int year = 0, month = 0, day = 0;
  DecodeDate(Date(), year, month, day);
  OpenDialog1->FileName = app::ScheduleFileName(folder, year, month, day);
  edtDirFileDB->SetText(OpenDialog1->FileName);
}

void TForm1::DeclareBindings(TFormBindings& b) {
  DeclareShellBindings(b);
  DeclareConfigBindings(b);
  DeclareLevelBindings(b);
  DeclareTimeBindings(b);
  DeclareProbeBindings(b);
  DeclareCounterBindings(b);
}

void TForm1::DeclareShellBindings(TFormBindings& b) {
  b.Field(L"StatusBar1", StatusBar1)
      .Field(L"Image_Connect", Image_Connect)
      .Field(L"PageControl1", PageControl1)
      .Field(L"TabSheet1", TabSheet1)
      .Field(L"TabSheet2", TabSheet2)
      .Field(L"TabSheet3", TabSheet3)
      .Field(L"TabSheet4", TabSheet4)
      .Field(L"TabSheet5", TabSheet5)
      .Field(L"GroupBox1", GroupBox1)
      .Field(L"CheckBox_HostLink", CheckBox_HostLink)
      .Field(L"GroupBox2", GroupBox2)
      .Field(L"ComboBox_AddrBU", ComboBox_AddrBU)
      .Field(L"sBitBtn_Help", sBitBtn_Help)
      .Field(L"PopupMenu1", PopupMenu1)
      .Field(L"OpenDialog1", OpenDialog1)
      .Field(L"sAlphaImageList1", sAlphaImageList1);
  b.Handler(L"FormCreate", &TForm1::FormCreate)
      .Handler(L"FormDestroy", &TForm1::FormDestroy)
      .Handler(L"FormKeyDown", &TForm1::FormKeyDown)
      .Handler(L"btnConnectClick", &TForm1::btnConnectClick)
      .Handler(L"CheckBox_HostLinkClick", &TForm1::CheckBox_HostLinkClick)
      .Handler(L"ComboBox_AddrBUChange", &TForm1::ComboBox_AddrBUChange)
      .Handler(L"sBitBtn_HelpClick", &TForm1::sBitBtn_HelpClick);
}

void TForm1::FillPortMenu() {
  for (int n = 1; n <= kMaxComPort; ++n) {
    if (!PortOpens(n)) continue;
    auto* item = new TMenuItem(this);
    item->SetCaption(L"COM" + std::to_wstring(n));
    item->SetTag(n);
    item->OnClick = [this](TObject* sender) { comClick(sender); };
    PopupMenu1->Items()->Add(item);
  }
  // While a skin is in use the port menu is drawn from it; a later skin change hooks or unhooks it.
  if (skin::TsSkinManager* manager = skin::DefaultManager())
    if (skin::TsSkinableMenus* menus = skin::SkinableMenusOf(manager))
      menus->HookPopupMenu(PopupMenu1, manager->Active() && manager->Records().SkinData.Active);
}

void TForm1::FillLists() {
  for (skin::TsComboBox* box : {ComboBox_AddrBU, ComboBox_SetAddrBU}) {
    box->Items()->Clear();
    box->Items()->Add(L"All BU");
    for (int n = 1; n < kAddressItems; ++n) box->Items()->Add(L"BU-№" + std::to_wstring(n));
  }
  ComboBox_NumPoint->Items()->Clear();
  for (int n = 1; n <= 32; ++n) ComboBox_NumPoint->Items()->Add(std::to_wstring(n));
  for (skin::TsComboBox* box : {ComboBox_NumDay, ComboBox_SetDay}) {
    box->Items()->Clear();
    for (int n = 1; n <= 7; ++n) box->Items()->Add(std::to_wstring(n));
  }
  ComboBox_NumChannel->Items()->Clear();
  ComboBox_NumDS->Items()->Clear();
  for (int n = 1; n <= 8; ++n) {
    ComboBox_NumChannel->Items()->Add(L"X" + std::to_wstring(n));
    ComboBox_NumDS->Items()->Add(L"DS-" + std::to_wstring(n));
  }
}

void TForm1::FormCreate(TObject*) {
  app::SavedSettings saved{ComNumber, PageControl1->ActivePageIndex()};
  {
    TIniFile ini(SettingsPath);
    app::ReadSettings(ini, saved);
  }
  ComNumber = saved.comNumber;
  PageControl1->SetActivePageIndex(saved.pageIndex);

  btnConnectClick(nullptr);

  ComboBox_AddrBU->SetItemIndex(1);
  ComboBox_SetAddrBU->SetItemIndex(1);
  ComboBox_NumPoint->SetItemIndex(0);
  ComboBox_NumDay->SetItemIndex(0);
  ComboBox_SetDay->SetItemIndex(0);
  ComboBox_NumChannel->SetItemIndex(0);
  ComboBox_NumDS->SetItemIndex(0);

  RadioButton_PointNoUsed->SetChecked(true);
  RadioButton_NoCycle->SetChecked(true);
  RadioButton_EveryMonth->SetChecked(true);

  GroupBox_PointsCycle->SetEnabled(false);
  ComboBox_NumDay->SetEnabled(false);
  DisableConfiguredControls();

  TabSheet3->SetTabVisible(false);
  TabSheet4->SetTabVisible(false);
  TabSheet5->SetTabVisible(false);

  CheckBox_HostLink->SetChecked(false);
}

void TForm1::FormDestroy(TObject*) {
  if (!SettingsPath.empty()) {
    TIniFile ini(SettingsPath);
    app::WriteSettings(ini, {ComNumber, PageControl1->ActivePageIndex()});
  }
  // Units left in level test mode would go on acting on test words after the program has gone.
  CheckBoxTest->SetChecked(false);
  ComClose();
}

void TForm1::DisableConfiguredControls() {
  for (TControl* c : std::initializer_list<TControl*>{
           GroupBox_DelayControl, GroupBox_RTC, GroupBox_InToOutControl, GroupBox_TriggerControl, GroupBox_InConfig,
           btnGet_Delay, btnSet_Delay, btnGet_TriggerControl, btnSet_TriggerControl, btnGet_InConfig, btnSet_InConfig,
           btnGet_InToOutControl, btnSet_InToOutControl, btnLoad_Clock, btnGet_Clock, btnSet_Clock})
    c->SetEnabled(false);
}

void TForm1::ShowPortName() { StatusBar1->Panels()->Items(kPortPanel)->SetText(L"COM" + std::to_wstring(ComNumber)); }

void TForm1::ShowConnectImage(int index) {
  TBitmap* bitmap = Image_Connect->Picture()->Bitmap();
  bitmap->SetSize(0, 0);
  bitmap->SetTransparentColor(clBtnFace);
  sAlphaImageList1->GetBitmap32(index, bitmap);
  Image_Connect->Picture()->SetBitmap(bitmap);
  Image_Connect->Repaint();
}

void TForm1::btnConnectClick(TObject*) {
  ShowPortName();
  if (StatusBar1->Tag() != 0) {
    ComClose();
    Image_Connect->SetVisible(true);
    ShowConnectImage(kImageDisconnected);
    StatusBar1->SetTag(0);
    return;
  }
  const bool open = ComOpen(ComNumber);
  ShowConnectImage(open ? kImageConnected : kImageDisconnected);
  StatusBar1->SetTag(open ? 1 : 0);
}

void TForm1::comClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  ComNumber = static_cast<std::uint8_t>(item->Tag());
  ShowPortName();
  const bool open = ComOpen(ComNumber);
  StatusBar1->SetTag(open ? 1 : 0);
  // The port was reopened (or lost): the image tells which.
  ShowConnectImage(open ? kImageConnected : kImageDisconnected);
}

void TForm1::CheckBox_HostLinkClick(TObject*) {
  ShowPortName();
  const bool hostLink = CheckBox_HostLink->Checked();
  // With no port open only the framing changes; the next ComOpen sets two stop bits again.
  ComSetStopBits(hostLink ? ONESTOPBIT : TWOSTOPBITS);
  MbSetHostLinkMode(hostLink ? 1 : 0);
}

void TForm1::ComboBox_AddrBUChange(TObject*) {
  const int index = ComboBox_AddrBU->ItemIndex();
  if (index >= 0) MbSetSlaveAddress(static_cast<std::uint8_t>(index));
}

void TForm1::sBitBtn_HelpClick(TObject*) {
  const std::wstring path = ExecutableFolder() + HelpFileName;
  const auto result =
      reinterpret_cast<INT_PTR>(ShellExecuteW(Handle(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowMessage(L"Не найден файл справки Tarvisel.chm");
}

void TForm1::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F1) {
    Key = 0;
    sBitBtn_HelpClick(nullptr);
  }
}

void TForm1::ViewMessage(int code, int panel) {
  const auto text = app::ResultText(code, MbRequest, MbReply);
  if (text) StatusBar1->Panels()->Items(panel)->SetText(*text);
}

void TForm1::ClearMessage(int panel) { StatusBar1->Panels()->Items(panel)->SetText(L"--"); }

void TForm1::ShowStatusText(const std::wstring& text, int panel) { StatusBar1->Panels()->Items(panel)->SetText(text); }

void TForm1::BeginOperation() {
  ClearMessage(kResultPanel);
  Application->ProcessMessages();
}

void TForm1::ShowReplyDump(int count) {
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), MbReplyLength());
  edtViewTest->SetText(app::BytesToHex(std::span(MbReply.data(), n)));
}

void TForm1::ShowNow(TControl* date, TControl* time) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  const TDateTime now = Now();
  DecodeDate(now, year, month, day);
  DecodeTime(now, hour, minute, second, ms);
  // Always the forms that "Set" reads, whatever the regional settings.
  date->SetText(app::DayMonthYearText(year, month, day));
  time->SetText(app::TwentyFourHourText(hour, minute, second));
}

bool TForm1::ReadHexField(TMaskEdit* field, std::uint8_t& value) {
  if (app::HexTextToBytes(field->Text(), &value, 2)) return true;
  ShowStatusText(std::wstring(app::kBadHexInput), kResultPanel);
  if (field->CanFocus()) field->SetFocus();
  return false;
}
