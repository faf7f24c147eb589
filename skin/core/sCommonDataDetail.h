#pragma once
// Helpers that the skin-state units share: component-state tests, a command to a control, the
// section record of a state. Win32 only.
#include <windows.h>

#include <string>

#include "classlib/Controls.h"
#include "skin/core/sCommonData.h"

namespace skin::detail {

bool HasState(const classlib::TObject* o, classlib::TComponentStateItem item);
std::string UpperAscii(std::string s);
// SM_ALPHACMD through the control's Perform.
LRESULT PerformCmd(classlib::TControl* c, unsigned cmd, LPARAM lp = 0, unsigned argument = 0);
// The state's section record; nullptr without a manager or for an index outside the sections.
const TsGeneralData* SectionOf(const TsCommonData* d);

}  // namespace skin::detail
