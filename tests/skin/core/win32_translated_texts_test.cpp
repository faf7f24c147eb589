// Start-up takes the user texts that the executable's string table holds (here a translated
// table of the test's own) and keeps the built-in text of every one it lacks; run under Wine.
#include <gtest/gtest.h>

#include "skin/core/sConstTexts.h"

namespace skin {
namespace {

TEST(TranslatedTexts, StartUpReadsTheTable) {
  // Names the unit, so that the linker keeps its start-up.
  ASSERT_EQ(acResourceStringTexts().front().Id, 65188u);
  EXPECT_EQ(acs_MsgDlgOK, L"ОК");
  EXPECT_EQ(acs_Create, L"Создать");
  EXPECT_EQ(acs_SelectSkinTitle, L"Выбор скина");
  EXPECT_EQ(acs_InvalidDate, L"Неверная дата");
  EXPECT_EQ(acs_MsgDlgCancel, L"Cancel");
  EXPECT_EQ(acs_Root, L"Root :");
}

}  // namespace
}  // namespace skin
