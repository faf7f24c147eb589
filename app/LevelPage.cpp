// Page 1 "Контроль уровней": level masks of the outputs and the broadcast test mode.
#include "app/TestMain.h"

void TForm1::DeclareLevelBindings(TFormBindings& b) {
  b.Field(L"GroupBox8", GroupBox8)
      .Field(L"GroupBox11", GroupBox11)
      .Field(L"GroupBox12", GroupBox12)
      .Field(L"GroupBox13", GroupBox13)
      .Field(L"GroupBox14", GroupBox14)
      .Field(L"GroupBox15", GroupBox15)
      .Field(L"GroupBox3", GroupBox3);
}
