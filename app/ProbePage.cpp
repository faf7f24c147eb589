// Page 3 "Тест ДП": probe identifiers and measurements through the unit's probe tunnel.
#include "app/TestMain.h"

void TForm1::DeclareProbeBindings(TFormBindings& b) {
  b.Field(L"GroupBox17", GroupBox17)
      .Field(L"GroupBox18", GroupBox18)
      .Field(L"GroupBox19", GroupBox19)
      .Field(L"GroupBox20", GroupBox20)
      .Field(L"GroupBox21", GroupBox21)
      .Field(L"ComboBox_NumDS", ComboBox_NumDS)
      .Field(L"ComboBox_NumChannel", ComboBox_NumChannel);
}
