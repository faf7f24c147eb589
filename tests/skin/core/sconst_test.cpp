#include "skin/core/sConst.h"

#include <gtest/gtest.h>

#include <cstring>

namespace skin {
namespace {

TEST(SConst, ColourViewsShareTheirFourBytes) {
  TsColor c{};
  c.C = 0x00332211;  // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(c.R, 0x11);
  EXPECT_EQ(c.G, 0x22);
  EXPECT_EQ(c.B, 0x33);
  c.A = 0x80;
  EXPECT_EQ(c.MASK, 0x80);
  EXPECT_EQ(static_cast<std::uint32_t>(c.I), 0x80332211u);
  // RGB views the first three bytes in 24-bit pixel order (B, G, R).
  EXPECT_EQ(c.RGB.B, 0x11);
  EXPECT_EQ(c.RGB.R, 0x33);

  TsColor_ p{};
  p.U = 0x80332211u;  // a bitmap row pixel: blue 0x11, green 0x22, red 0x33
  EXPECT_EQ(p.B, 0x11);
  EXPECT_EQ(p.R, 0x33);
  EXPECT_EQ(p.MASK, 0x80);
  EXPECT_EQ(p.BGR.G, 0x22);
  EXPECT_EQ(p.sBGRA.A, 0x80);
}

TEST(SConst, ControlKindSetsHoldTheirCodesAndNothingOutsideAByte) {
  struct Case {
    int code;
    bool edit, forbidMouse, cannotBeHot;
  };
  const Case cases[] = {
      {2, true, false, false},  {18, true, false, false},   {19, false, true, false},  {41, true, false, false},
      {51, false, true, true},  {53, false, true, false},   {74, false, true, true},   {75, false, false, false},
      {76, true, false, false}, {96, true, false, false},   {110, false, true, true},  {131, true, false, false},
      {141, false, true, true}, {142, false, true, false},  {161, false, true, true},  {226, false, false, true},
      {1, false, false, false}, {300, false, false, false}, {-1, false, false, false}, {256, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(sEditCtrls.Contains(c.code), c.edit);
    EXPECT_EQ(sForbidMouse.Contains(c.code), c.forbidMouse);
    EXPECT_EQ(sCanNotBeHot.Contains(c.code), c.cannotBeHot);
  }
}

TEST(SConst, TablesMapInOrder) {
  for (std::size_t i = 0; i < acFillModes.size(); ++i) EXPECT_EQ(static_cast<std::size_t>(acFillModes[i]), i);
  EXPECT_EQ(acFillModes[14], TacFillMode::fmDiscVertRight);
  EXPECT_EQ(acImgTypes[4], TacImgType::itisaPngGlyph);
  EXPECT_EQ(BtnEventOf(TacAnimatEvent::aeMouseDown), TacBtnEvent::beMouseDown);
  EXPECT_EQ(BtnEventOf(TacAnimatEvent::aeGlobalDef), TacBtnEvent::beMouseUp);
  EXPECT_EQ(sBoolArray[0], L"FALSE");
  EXPECT_EQ(sBoolArray[1], L"TRUE");
  EXPECT_EQ(static_cast<int>(TsWindowShowMode::soDefault), 10);
}

TEST(SConst, SetsIncludeAndExclude) {
  TacAnimatEvents events = kDefaultAnimatEvents;
  EXPECT_TRUE(events.Contains(TacAnimatEvent::aeGlobalDef));
  EXPECT_FALSE(events.Contains(TacAnimatEvent::aeMouseEnter));
  events.Include(TacAnimatEvent::aeMouseEnter).Exclude(TacAnimatEvent::aeGlobalDef);
  EXPECT_EQ(events, (TacAnimatEvents{TacAnimatEvent::aeMouseEnter}));
  EXPECT_TRUE(kDefaultDisabledKind.Contains(TsDisabledKindValue::dkBlended));
  EXPECT_FALSE(kDefaultDisabledKind.Contains(TsDisabledKindValue::dkGrayed));
}

TEST(SConst, StartValues) {
  EXPECT_EQ(EmptyCI.Bmp, nullptr);
  EXPECT_EQ(EmptyCI.X, -99);
  EXPECT_EQ(EmptyCI.Y, -99);
  EXPECT_EQ(EmptyCI.FillColor, clFuchsia);
  EXPECT_FALSE(EmptyCI.Ready);
  EXPECT_EQ(sFuchsia.C, clFuchsia);
  EXPECT_EQ(ac_DialogsLevel, 2);
  EXPECT_TRUE(ac_OptimizeMemory);
  EXPECT_TRUE(DrawSkinnedMDIWall && DrawSkinnedMDIScrolls);
}

TEST(SConst, EveryUserTextIsSetAtStartUp) {
  const auto& texts = acStringTableTexts();
  EXPECT_EQ(texts.front().Id, 58992u);
  EXPECT_EQ(texts.back().Id, 58910u);
  for (const TacStringTableText& text : texts) {
    SCOPED_TRACE(text.Id);
    EXPECT_FALSE(text.Variable->empty());
  }
  EXPECT_EQ(acs_MsgDlgOK, L"OK");
  EXPECT_EQ(acs_FrameAdapterError1, L"TsFrameAdapter adapter must be placed on the handled frame");
  EXPECT_EQ(acs_InvalidDate, L"Invalid date");
}

}  // namespace
}  // namespace skin
