#pragma once
// The skin section a class-library panel without a section of its own is drawn with, chosen by
// its bevels and border the way a user reads them: a sunken outer bevel looks like a low panel, a
// raised one like a panel, a double bevel of opposite cuts like a group frame, and a flat panel
// without a border like plain background. Portable.
#include <string>

namespace skin {

// The panel's cuts, numbered as the class library numbers its bevel cuts.
enum class TacPanelCut { None = 0, Lowered = 1, Raised = 2, Space = 3 };

inline std::string PanelSectionFromBevels(TacPanelCut Outer, TacPanelCut Inner, bool HasBorder) {
  switch (Outer) {
    case TacPanelCut::Lowered: return Inner == TacPanelCut::Raised ? "GROUPBOX" : "PANEL_LOW";
    case TacPanelCut::Raised: return Inner == TacPanelCut::Lowered ? "GROUPBOX" : "PANEL";
    default: return HasBorder ? "PANEL_LOW" : "CHECKBOX";
  }
}

}  // namespace skin
