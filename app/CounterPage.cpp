// Page 4 "Тест CNT": the unit's position counter.
#include "app/TestMain.h"

void TForm1::DeclareCounterBindings(TFormBindings& b) { b.Field(L"GroupBox4", GroupBox4); }
