// The frame widths a skinned edit uses for its cached text, its non-client paint and printing.
#include <gtest/gtest.h>

#include "skin/controls/sEditBorders.h"

namespace skin {
namespace {

TEST(EditBorders, WidthsForEachPlaceThatAsks) {
  struct Case {
    const char* what;
    TEditFrame frame;
    int text, paint, print, masked;
  };
  const Case cases[] = {
      {"3D border", {true, true, true, true, true}, 2, 2, 2, 3},
      {"flat border", {true, false, true, true, true}, 1, 1, 1, 2},
      {"3D border, bevel kind with two bevels", {true, true, false, false, false}, 4, 2, 2, 3},
      {"3D border, bevels without a kind", {true, true, true, false, false}, 2, 2, 2, 3},
      // No border: the text starts at the edge while the non-client paint copies one pixel per bevel.
      {"no border, flat kind, outer bevel raised", {false, true, false, true, false}, 0, 1, 0, 0},
      {"no border, no kind, two bevels", {false, true, true, false, false}, 0, 2, 0, 0},
      {"no border, no bevels", {false, true, true, true, true}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EditTextBorderWidth(c.frame), c.text) << c.what;
    EXPECT_EQ(EditPaintBorderWidth(c.frame), c.paint) << c.what;
    EXPECT_EQ(EditPrintBorderWidth(c.frame), c.print) << c.what;
    EXPECT_EQ(MaskEditBorderWidth(c.frame), c.masked) << c.what;
  }
}

}  // namespace
}  // namespace skin
