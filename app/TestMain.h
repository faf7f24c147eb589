#pragma once
// The configurator's main window: every device operation on five tab pages, the port choice and
// connection toggle on the status bar, the host-link switch and the target address.
//
// The window's layout is resources/forms/TForm1.txt. Each page keeps its handlers in its own
// source file (ConfigPage.cpp, LevelPage.cpp, TimePage.cpp, ProbePage.cpp, CounterPage.cpp) and
// declares its components and handlers to the description reader there, in Declare<Page>Bindings.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>

#include "app/SchedulePoint.h"
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sDialogs.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sListView.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sStatusBar.h"
#include "skin/graphics/acAlphaImageList.h"

using namespace classlib;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TForm1"; }

  // ---- window shell ----
  skin::TsStatusBar* StatusBar1 = nullptr;
  TImage* Image_Connect = nullptr;
  skin::TsPageControl* PageControl1 = nullptr;
  skin::TsTabSheet* TabSheet2 = nullptr;  // page 0 "Конфигурация"
  skin::TsTabSheet* TabSheet1 = nullptr;  // page 1 "Контроль уровней"
  skin::TsTabSheet* TabSheet3 = nullptr;  // page 2 "Контроль по времени"
  skin::TsTabSheet* TabSheet4 = nullptr;  // page 3 "Тест ДП"
  skin::TsTabSheet* TabSheet5 = nullptr;  // page 4 "Тест CNT"
  skin::TsGroupBox* GroupBox1 = nullptr;
  skin::TsCheckBox* CheckBox_HostLink = nullptr;
  skin::TsGroupBox* GroupBox2 = nullptr;
  skin::TsComboBox* ComboBox_AddrBU = nullptr;
  skin::TsBitBtn* sBitBtn_Help = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  skin::TsOpenDialog* OpenDialog1 = nullptr;
  skin::TsAlphaImageList* sAlphaImageList1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void btnConnectClick(TObject* Sender);
  void comClick(TObject* Sender);
  void CheckBox_HostLinkClick(TObject* Sender);
  void ComboBox_AddrBUChange(TObject* Sender);
  void sBitBtn_HelpClick(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  // Result text of a transaction (or nothing, see ResultText) into a status panel.
  void ViewMessage(int code, int panel);
  // "--" into a status panel.
  void ClearMessage(int panel);
  // A text of our own (input errors) into a status panel.
  void ShowStatusText(const std::wstring& text, int panel);

  // What every device operation shares (page handlers use these):
  // "--" into the result panel, then one pass of the message queue so that it and the
  // placeholders paint before the line is busy.
  void BeginOperation();
  // The raw reply into edtViewTest: the first `count` bytes of MbReply as hex digits, as far as
  // they arrived.
  void ShowReplyDump(int count);
  // Two hex digits of a mask edit; on anything else shows kBadHexInput, puts the caret there
  // and returns false: the handler then sends nothing.
  bool ReadHexField(TMaskEdit* field, std::uint8_t& value);
  // One read of the configuration page: Pending in each of Fields while the line is busy, then
  // Data.size() / 2 registers from Reg into Data, Show(Data), the raw reply and the result.
  void ReadFields(std::initializer_list<TControl*> fields, const wchar_t* pending, std::uint16_t reg,
                  std::span<std::uint8_t> data, const std::function<void(std::span<const std::uint8_t>)>& show);
  // The computer's date and time, in the forms that "Set" reads, into two edits.
  void ShowNow(TControl* date, TControl* time);

  // ---- page 0 "Конфигурация" (ConfigPage.cpp) ----
  skin::TsGroupBox* GroupBox7 = nullptr;
  TEdit* edtViewTest = nullptr;
  skin::TsGroupBox* GroupBox6 = nullptr;
  skin::TsButton* btnGetRev = nullptr;
  skin::TsButton* btnGetCopyR = nullptr;
  skin::TsButton* btnRevDate = nullptr;
  skin::TsButton* btnDevCode = nullptr;
  skin::TsButton* btnGetRevASCII = nullptr;
  TEdit* edtRev = nullptr;
  TEdit* edtCopyright = nullptr;
  TEdit* edtRevDate = nullptr;
  TEdit* edtDevCode = nullptr;
  TEdit* edtRevASCII = nullptr;
  skin::TsGroupBox* GroupBoxMeasOut = nullptr;
  TMaskEdit* MaskEdit_DevCfg = nullptr;
  TMaskEdit* MaskEdit_DevIn = nullptr;
  TMaskEdit* MaskEdit_DevOut = nullptr;
  skin::TsCheckBox* CheckBox_DevOut = nullptr;
  skin::TsCheckBox* CheckBox_DevIn = nullptr;
  skin::TsCheckBox* CheckBox_DevRTC = nullptr;
  skin::TsCheckBox* CheckBox_DevZigBee = nullptr;
  skin::TsCheckBox* CheckBox_DevDS = nullptr;
  skin::TsCheckBox* CheckBox_DevML = nullptr;
  skin::TsCheckBox* CheckBox_DevCnt = nullptr;
  skin::TsButton* btnGet_DevConfig = nullptr;
  skin::TsBitBtn* sBitBtnSet_DevConfig = nullptr;
  skin::TsGroupBox* GroupBox_InConfig = nullptr;
  TMaskEdit* MaskEdit_TriggerCnt = nullptr;
  TMaskEdit* MaskEdit_TriggerIn = nullptr;
  TMaskEdit* MaskEdit_InvIn = nullptr;
  TMaskEdit* MaskEdit_OnCtrlIn = nullptr;
  skin::TsButton* btnGet_InConfig = nullptr;
  skin::TsButton* btnSet_InConfig = nullptr;
  skin::TsGroupBox* GroupBox_TriggerControl = nullptr;
  TMaskEdit* MaskEdit_TriggerControl = nullptr;
  skin::TsButton* btnGet_TriggerControl = nullptr;
  skin::TsButton* btnSet_TriggerControl = nullptr;
  skin::TsGroupBox* GroupBox_IoControl = nullptr;
  TMaskEdit* MaskEdit_InControl = nullptr;
  TMaskEdit* MaskEdit_OutControl = nullptr;
  skin::TsButton* btnGet_Control = nullptr;
  skin::TsButton* btnSet_Control = nullptr;
  skin::TsGroupBox* GroupBox_DelayControl = nullptr;
  TMaskEdit* MaskEdit_DelayOn = nullptr;
  TMaskEdit* MaskEdit_DelayOff = nullptr;
  skin::TsButton* btnGet_Delay = nullptr;
  skin::TsButton* btnSet_Delay = nullptr;
  skin::TsGroupBox* GroupBox_RTC = nullptr;
  TEdit* edtDate = nullptr;
  TEdit* edtTime = nullptr;
  skin::TsComboBox* ComboBox_SetDay = nullptr;
  skin::TsButton* btnLoad_Clock = nullptr;
  skin::TsButton* btnGet_Clock = nullptr;
  skin::TsButton* btnSet_Clock = nullptr;
  skin::TsGroupBox* GroupBox_InToOutControl = nullptr;
  std::array<TMaskEdit*, 8> MaskEdit_InToOut{};
  skin::TsButton* btnGet_InToOutControl = nullptr;
  skin::TsButton* btnSet_InToOutControl = nullptr;
  // On page 1: the unit's own address.
  skin::TsGroupBox* GroupBox16 = nullptr;
  skin::TsComboBox* ComboBox_SetAddrBU = nullptr;
  skin::TsButton* btnSetAddr = nullptr;

  void btnGetRevClick(TObject* Sender);
  void btnGetCopyRClick(TObject* Sender);
  void btnRevDateClick(TObject* Sender);
  void btnDevCodeClick(TObject* Sender);
  void btnGetRevASCIIClick(TObject* Sender);
  void btnGet_DevConfigClick(TObject* Sender);
  void sBitBtnSet_DevConfigClick(TObject* Sender);
  void btnGet_InConfigClick(TObject* Sender);
  void btnSet_InConfigClick(TObject* Sender);
  void btnGet_TriggerControlClick(TObject* Sender);
  void btnSet_TriggerControlClick(TObject* Sender);
  void btnGet_ControlClick(TObject* Sender);
  void btnSet_ControlClick(TObject* Sender);
  void btnGet_DelayClick(TObject* Sender);
  void btnSet_DelayClick(TObject* Sender);
  void btnGet_ClockClick(TObject* Sender);
  void btnSet_ClockClick(TObject* Sender);
  void btnLoad_ClockClick(TObject* Sender);
  void btnGet_InToOutControlClick(TObject* Sender);
  void btnSet_InToOutControlClick(TObject* Sender);
  void btnSetAddrClick(TObject* Sender);
  void ComboBox_SetAddrBUChange(TObject* Sender);
  void CheckBox_DevCntClick(TObject* Sender);
  void CheckBox_DevMLClick(TObject* Sender);
  // The five flags that neither ML nor Cnt may be combined with.
  void CheckBox_DevFlagClick(TObject* Sender);

  // ---- page 1 "Контроль уровней" (LevelPage.cpp) ----
  skin::TsGroupBox* GroupBox8 = nullptr;
  skin::TsGroupBox* GroupBox11 = nullptr;
  skin::TsGroupBox* GroupBox12 = nullptr;
  skin::TsGroupBox* GroupBox13 = nullptr;
  skin::TsGroupBox* GroupBox14 = nullptr;
  skin::TsGroupBox* GroupBox15 = nullptr;
  skin::TsGroupBox* GroupBox3 = nullptr;
  // The 64 level boxes are reached through their groups: the box with tag k shows bit k.
  skin::TsRadioButton* RadioButtonX1 = nullptr;
  skin::TsButton* btnGet_ConfigOut = nullptr;
  skin::TsButton* btnSet_ConfigOut = nullptr;
  skin::TsButton* btnClear = nullptr;
  skin::TsCheckBox* CheckBoxTest = nullptr;

  void CheckBoxMax_1Click(TObject* Sender);
  void CheckBox95_1Click(TObject* Sender);
  void CheckBoxMin_1Click(TObject* Sender);
  void CheckBoxH2O_1Click(TObject* Sender);
  void RadioButtonX1Click(TObject* Sender);
  void btnGet_ConfigOutClick(TObject* Sender);
  void btnSet_ConfigOutClick(TObject* Sender);
  void btnClearClick(TObject* Sender);
  void CheckBoxTestClick(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  // Output c's masks into the boxes (nothing in test mode).
  void ShowChannelMasks(int c);

  // ---- page 2 "Контроль по времени" (TimePage.cpp) ----
  skin::TsGroupBox* GroupBox5 = nullptr;
  skin::TsGroupBox* GroupBox_PointsUsed = nullptr;
  skin::TsGroupBox* GroupBox_PointsTipe = nullptr;
  skin::TsGroupBox* GroupBox_PointsCycle = nullptr;
  skin::TsComboBox* ComboBox_NumPoint = nullptr;
  skin::TsComboBox* ComboBox_NumDay = nullptr;
  TEdit* edtPointDate = nullptr;
  TEdit* edtPointTime = nullptr;
  TMaskEdit* MaskEdit_BytePointOut = nullptr;
  skin::TsCheckBox* CheckBox1 = nullptr;  // "Отработано"
  skin::TsRadioButton* RadioButton_PointNoUsed = nullptr;
  skin::TsRadioButton* RadioButton_PointOn = nullptr;
  skin::TsRadioButton* RadioButton_PointOff = nullptr;
  skin::TsRadioButton* RadioButton_Cycle = nullptr;
  skin::TsRadioButton* RadioButton_NoCycle = nullptr;
  skin::TsRadioButton* RadioButton_EveryHour = nullptr;
  skin::TsRadioButton* RadioButton_EveryDay = nullptr;
  skin::TsRadioButton* RadioButton_EveryWeek = nullptr;
  skin::TsRadioButton* RadioButton_EveryMonth = nullptr;
  skin::TsButton* btnGet_PointControl = nullptr;
  skin::TsButton* btnSet_PointControl = nullptr;
  skin::TsButton* btnLoad_DateTime = nullptr;
  skin::TsListView* ListView1 = nullptr;
  skin::TsButton* btnGetDB = nullptr;
  skin::TsButton* btnSaveDB = nullptr;
  skin::TsButton* btnClearDB = nullptr;
  skin::TsButton* btnGetDirFile = nullptr;
  TEdit* edtDirFileDB = nullptr;

  void btnGet_PointControlClick(TObject* Sender);
  void btnSet_PointControlClick(TObject* Sender);
  void btnLoad_DateTimeClick(TObject* Sender);
  void btnGetDBClick(TObject* Sender);
  void btnSaveDBClick(TObject* Sender);
  void btnClearDBClick(TObject* Sender);
  void btnGetDirFileClick(TObject* Sender);
  // "Циклический" / "Однократный".
  void RadioButton_PointsTipeClick(TObject* Sender);
  // The four cycle buttons.
  void RadioButton_PointsCycleClick(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  // One row of the point list for point `index` (0 .. 31).
  void AddPointRow(const app::ScheduleRow& row, int index);

  // ---- page 3 "Тест ДП" (ProbePage.cpp) ----
  skin::TsGroupBox* GroupBox17 = nullptr;
  skin::TsGroupBox* GroupBox18 = nullptr;
  skin::TsGroupBox* GroupBox19 = nullptr;
  skin::TsGroupBox* GroupBox20 = nullptr;
  skin::TsGroupBox* GroupBox21 = nullptr;
  skin::TsComboBox* ComboBox_NumDS = nullptr;
  skin::TsComboBox* ComboBox_NumChannel = nullptr;
  TEdit* Edit_IDDS = nullptr;
  skin::TsButton* btnGetID = nullptr;
  skin::TsButton* btnSetID = nullptr;
  skin::TsButton* btnGetAllID = nullptr;
  skin::TsListView* ListView2 = nullptr;
  skin::TsButton* btn_dsConv = nullptr;
  skin::TsButton* btn_dsGetADC1 = nullptr;
  skin::TsButton* btn_dsGetADC2 = nullptr;
  skin::TsButton* btn_dsGetDens = nullptr;
  skin::TsButton* btn_dsGetTemp = nullptr;
  TEdit* edt_dsADC1 = nullptr;
  TEdit* edt_dsDispADC1 = nullptr;
  TEdit* edt_dsADC2 = nullptr;
  TEdit* edt_dsDens = nullptr;
  TEdit* edt_dsTemp = nullptr;
  skin::TsCheckBox* CheckBox_dsConvAll = nullptr;
  TEdit* Edit_dsAdd = nullptr;
  skin::TsButton* btn_dsGetAdd = nullptr;
  skin::TsButton* btn_dsSetAdd = nullptr;
  // Gives the measurement buttons back once the probes have had time to convert.
  TTimer* ProbeConversionTimer = nullptr;

  void Edit_IDDSKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void btnSetIDClick(TObject* Sender);
  void btnGetIDClick(TObject* Sender);
  void btnGetAllIDClick(TObject* Sender);
  void btn_dsConvClick(TObject* Sender);
  void btn_dsGetADC1Click(TObject* Sender);
  void btn_dsGetADC2Click(TObject* Sender);
  void btn_dsGetDensClick(TObject* Sender);
  void btn_dsGetTempClick(TObject* Sender);
  void btn_dsGetAddClick(TObject* Sender);
  void btn_dsSetAddClick(TObject* Sender);
  // Row: channel and position from 1, the identifier's 8 bytes; index: 0..63.
  void AddProbeIdRow(const std::array<std::uint8_t, 10>& row, int index);

  // ---- page 4 "Тест CNT" (CounterPage.cpp) ----
  skin::TsGroupBox* GroupBox4 = nullptr;
  skin::TsButton* btnGetPositionCnt = nullptr;
  TEdit* Edit_PositionCnt = nullptr;
  skin::TsButton* btnSetZero = nullptr;
  skin::TsButton* btnGetPosition = nullptr;
  TEdit* Edit_Position = nullptr;
  skin::TsButton* btnGetResolution = nullptr;
  TEdit* Edit_Resolution = nullptr;
  skin::TsCheckBox* CheckBox_Cycle = nullptr;

  void btnGetPositionCntClick(TObject* Sender);
  void btnSetZeroClick(TObject* Sender);
  void btnGetPositionClick(TObject* Sender);
  void btnGetResolutionClick(TObject* Sender);

 protected:
  void DeclareBindings(TFormBindings& b) override;

 private:
  void DeclareShellBindings(TFormBindings& b);
  void DeclareConfigBindings(TFormBindings& b);
  void DeclareLevelBindings(TFormBindings& b);
  void DeclareTimeBindings(TFormBindings& b);
  void DeclareProbeBindings(TFormBindings& b);
  void DeclareCounterBindings(TFormBindings& b);

  void FillPortMenu();
  void FillLists();
  void ShowConnectImage(int index);
  void ShowPortName();
  // Disables what only a unit's hardware configuration enables.
  void DisableConfiguredControls();
  // Flag interlock: with ML or Cnt set no other flag may be.
  bool ExclusiveFlagSet() const;
  void UncheckFlags(std::initializer_list<skin::TsCheckBox*> boxes);

 public:
  // ---- module data ----
  std::wstring SettingsPath;  // executable's folder + "QRX.cfg"
  std::uint8_t ComNumber = 1;
  std::wstring HelpFileName = L"Tarvisel.chm";
  std::wstring SchedulePath;
  std::array<std::uint8_t, 3> PointDate{};        // year, month, day
  std::array<std::uint8_t, 3> PointTime{};        // hours, minutes, seconds
  std::array<std::uint16_t, 8 * 4> LevelMasks{};  // per output: Max, 95 %, Min, H2O
  std::array<std::uint16_t, 4> TestWords{};       // Max, 95 %, Min, H2O
  int SavedAddressIndex = 0;
};

extern TForm1* Form1;

// Registers the skinned classes the main window's description names, and the skinned scroll bars
// its lists take; the main window does it when it is made.
void RegisterMainWindowClasses();
