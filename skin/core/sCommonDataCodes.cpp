#include "skin/core/sCommonDataCodes.h"

namespace skin {

std::string_view DefaultSectionOfCOC(int coc) {
  if ((coc >= 2 && coc <= 8) || coc == 10 || coc == 41 || coc == 76 || coc == 78 || (coc >= 83 && coc <= 85) ||
      coc == 96 || coc == 131 || coc == 140 || coc == 227)
    return "EDIT";
  if ((coc >= 11 && coc <= 18) || coc == 81 || coc == 82) return "COMBOBOX";
  switch (coc) {
    case 19: return "BAR";
    case 20: return "BARTITLE";
    case 32:
    case 152: return "CHECKBOX";
    case 33: return "RADIOBUTTON";
    case 51:
    case 59:
    case 68:
    case 73: return "PANEL";
    case 52:
    case 58: return "PANEL_LOW";
    case 53:
    case 54:
    case 60: return "TOOLBAR";
    case 56: return "DRAGBAR";
    case 57: return "TABSHEET";
    case 74:
    case 226: return "GROUPBOX";
    case 75: return "SPLITTER";
    case 92:
    case 95: return "SPEEDBUTTON";
    case 93:
    case 94: return "BUTTON";
    case 98: return "TOOLBUTTON";
    case 141:
    case 143: return "PAGECONTROL";
    case 151: return "STATUSBAR";
    case 161: return "GAUGE";
    case 165: return "TRACKBAR";
    default: return {};
  }
}

}  // namespace skin
