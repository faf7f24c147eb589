// The section a panel without one of its own is drawn with, from its bevels and border.
#include "skin/windows/acPanelSection.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(PanelSection, FromBevelsAndBorder) {
  using C = TacPanelCut;
  struct Case {
    C outer, inner;
    bool border;
    const char* section;
  };
  const Case cases[] = {
      {C::Lowered, C::None, false, "PANEL_LOW"},   {C::Lowered, C::Raised, false, "GROUPBOX"},
      {C::Lowered, C::Lowered, true, "PANEL_LOW"}, {C::Raised, C::None, true, "PANEL"},
      {C::Raised, C::Lowered, true, "GROUPBOX"},   {C::Raised, C::Space, false, "PANEL"},
      {C::None, C::None, false, "CHECKBOX"},       {C::None, C::Raised, true, "PANEL_LOW"},
      {C::Space, C::None, false, "CHECKBOX"},      {C::Space, C::Lowered, true, "PANEL_LOW"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PanelSectionFromBevels(c.outer, c.inner, c.border), c.section)
        << int(c.outer) << " " << int(c.inner) << " " << c.border;
}

}  // namespace
}  // namespace skin
