// The default section of every control kind code of the table; others name none.
#include <gtest/gtest.h>

#include "skin/core/sCommonDataCodes.h"

namespace skin {
namespace {

TEST(DefaultSectionOfCOC, TableAndGaps) {
  const std::pair<int, const char*> table[] = {
      {2, "EDIT"},          {8, "EDIT"},          {10, "EDIT"},       {41, "EDIT"},      {76, "EDIT"},
      {78, "EDIT"},         {83, "EDIT"},         {85, "EDIT"},       {96, "EDIT"},      {131, "EDIT"},
      {140, "EDIT"},        {227, "EDIT"},        {11, "COMBOBOX"},   {18, "COMBOBOX"},  {81, "COMBOBOX"},
      {82, "COMBOBOX"},     {19, "BAR"},          {20, "BARTITLE"},   {32, "CHECKBOX"},  {152, "CHECKBOX"},
      {33, "RADIOBUTTON"},  {51, "PANEL"},        {59, "PANEL"},      {68, "PANEL"},     {73, "PANEL"},
      {52, "PANEL_LOW"},    {58, "PANEL_LOW"},    {53, "TOOLBAR"},    {54, "TOOLBAR"},   {60, "TOOLBAR"},
      {56, "DRAGBAR"},      {57, "TABSHEET"},     {74, "GROUPBOX"},   {226, "GROUPBOX"}, {75, "SPLITTER"},
      {92, "SPEEDBUTTON"},  {95, "SPEEDBUTTON"},  {93, "BUTTON"},     {94, "BUTTON"},    {98, "TOOLBUTTON"},
      {141, "PAGECONTROL"}, {143, "PAGECONTROL"}, {151, "STATUSBAR"}, {161, "GAUGE"},    {165, "TRACKBAR"},
  };
  for (auto [code, section] : table) EXPECT_EQ(DefaultSectionOfCOC(code), section) << code;
  for (int code : {0, 1, 9, 77, 79, 80, 86, 97, 139, 224, 256, -3})
    EXPECT_TRUE(DefaultSectionOfCOC(code).empty()) << code;
}

}  // namespace
}  // namespace skin
