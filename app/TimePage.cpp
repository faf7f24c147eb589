// Page 2 "Контроль по времени": the 32 schedule points and their export as a dBASE table.
#include "app/TestMain.h"

void TForm1::DeclareTimeBindings(TFormBindings& b) {
  b.Field(L"GroupBox5", GroupBox5)
      .Field(L"GroupBox_PointsUsed", GroupBox_PointsUsed)
      .Field(L"GroupBox_PointsTipe", GroupBox_PointsTipe)
      .Field(L"GroupBox_PointsCycle", GroupBox_PointsCycle)
      .Field(L"ComboBox_NumPoint", ComboBox_NumPoint)
      .Field(L"ComboBox_NumDay", ComboBox_NumDay)
      .Field(L"RadioButton_PointNoUsed", RadioButton_PointNoUsed)
      .Field(L"RadioButton_NoCycle", RadioButton_NoCycle)
      .Field(L"RadioButton_EveryMonth", RadioButton_EveryMonth)
      .Field(L"edtDirFileDB", edtDirFileDB);
}
