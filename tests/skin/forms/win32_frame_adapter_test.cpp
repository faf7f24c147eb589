// The frame adapter on real frames under Wine with our skin: placement and giving the frame its
// procedure back, the skin commands (the colour lent to children, redraw held off while
// scrolling), and the frame painted with and without a cache of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/Frames.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/sFrameAdapter.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Owned;

// A skinned container that answers the colour and position questions of its children as told.
class TAnsweringParent : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::wstring ClassName() const override { return L"TAnsweringParent"; }
  TColor colourAnswer = TColor(RGB(200, 100, 0));
  LRESULT dependsAnswer = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_ALPHACMD) {
      switch (CommandOf(Message.WParam)) {
        case ACMD_ISSKINNED: Message.Result = 1; return;
        case ACMD_GETCOLOR: Message.Result = colourAnswer; return;
        case ACMD_DEPENDSONPARENT: Message.Result = dependsAnswer; return;
        case ACMD_GETBGINFO: {
          auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
          info->BgType = TacBGType::btFill;
          info->Color = colourAnswer;
          info->Offset = {};
          Message.Result = 1;
          return;
        }
        default: break;
      }
    }
    TCustomControl::WndProc(Message);
  }
};

struct FrameAdapter : ::testing::Test {
  Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  Owned<TForm> form{Create<TForm>(nullptr)};
  TAnsweringParent* parent = nullptr;
  TFrame* frame = nullptr;
  TsFrameAdapter* adapter = nullptr;
  int section = -1;

  void SetUp() override {
    form->SetBounds(0, 0, 300, 240);
    parent = Create<TAnsweringParent>(form.get());
    parent->SetParent(form.get());
    parent->SetBounds(0, 0, 280, 200);
    frame = Create<TFrame>(form.get());
    frame->SetParent(parent);
    frame->SetBounds(20, 10, 120, 80);
    frame->HandleNeeded();
    adapter = Create<TsFrameAdapter>(frame);
    adapter->SkinData()->SetSkinManager(manager.get());
    adapter->SkinData()->UpdateIndexes();
    section = manager->GetSkinIndex("GROUPBOX");
    ASSERT_TRUE(manager->IsValidSkinIndex(section));
    ASSERT_EQ(adapter->SkinData()->SkinIndex, section);
  }
  TsGeneralData& Section() { return manager->Records().gd[std::size_t(section)]; }
  void SetTransparency(int T) { Section().Transparency = Section().Props[0].Transparency = T; }
  void Uncached(bool On) {
    TsCommonData* d = adapter->SkinData();
    d->CtrlSkinState = On ? d->CtrlSkinState | kNoOwnCache : d->CtrlSkinState & ~kNoOwnCache;
  }
  TColor ColourAnswer() { return TColor(SendAMessage(frame->Handle(), ACMD_GETCOLOR)); }
};

TEST_F(FrameAdapter, PlacedOnlyOnAFrameWhoseProcedureItTakesAndGivesBack) {
  Owned<TForm> other{Create<TForm>(nullptr)};
  try {
    Create<TsFrameAdapter>(other.get());
    ADD_FAILURE() << "an adapter on a form";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), L"TsFrameAdapter adapter must be placed on the handled frame");
  }
  EXPECT_EQ(adapter->SkinData()->SkinSection(), "GROUPBOX");
  EXPECT_EQ(SendAMessage(frame->Handle(), ACMD_ISSKINNED), 1);
  TacSectionInfo info;
  SendMessageW(frame->Handle(), SM_ALPHACMD, WPARAM(ACMD_GETSKININDEX) << 16, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.SkinIndex, section);
  // The adapter the control adapter asks for is the frame's own.
  EXPECT_EQ(AttachFrameAdapter(frame), adapter);
  Free(adapter);
  EXPECT_EQ(SendAMessage(frame->Handle(), ACMD_ISSKINNED), 0);
}

TEST_F(FrameAdapter, ColourLentToChildrenMixesSectionAndParentByTransparency) {
  Section().Color = TColor(RGB(0, 100, 200));
  Uncached(true);
  struct Case {
    int transparency;
    TColor expected;
  };
  // The parent's share weighs T/256: (50·200 + 0·256) >> 8 = 39, (50·−200 + 200·256) >> 8 = 160.
  for (const Case c :
       {Case{50, TColor(RGB(39, 100, 160))}, Case{0, TColor(RGB(0, 100, 200))}, Case{100, TColor(RGB(200, 100, 0))}}) {
    SCOPED_TRACE(c.transparency);
    SetTransparency(c.transparency);
    EXPECT_EQ(ColourAnswer(), c.expected);
  }
  // A parent that lends its cache instead: its own colour goes into the mix.
  SetTransparency(50);
  parent->colourAnswer = clFuchsia;
  parent->SetColor(TColor(RGB(200, 100, 0)));
  EXPECT_EQ(ColourAnswer(), TColor(RGB(39, 100, 160)));
  // A frame with a cache of its own lends that.
  Uncached(false);
  EXPECT_EQ(ColourAnswer(), clFuchsia);
}

TEST_F(FrameAdapter, RedrawHeldOffWhileScrollingOnlyWhenThePositionMatters) {
  frame->Show();
  form->Show();
  ASSERT_TRUE(IsWindowVisible(frame->Handle()));
  for (const LRESULT depends : {0, 1}) {
    SCOPED_TRACE(depends);
    parent->dependsAnswer = depends;
    SendAMessage(frame->Handle(), ACMD_SCROLLBEGIN);
    // Redraw off takes the visible bit away.
    EXPECT_EQ((GetWindowLongPtrW(frame->Handle(), GWL_STYLE) & WS_VISIBLE) != 0, depends == 0);
    SendAMessage(frame->Handle(), ACMD_SCROLLEND);
    EXPECT_TRUE(GetWindowLongPtrW(frame->Handle(), GWL_STYLE) & WS_VISIBLE);
  }
}

TEST_F(FrameAdapter, UncachedFrameShowsItsBorderOverTheParentsColourAndKeepsNoPicture) {
  SetTransparency(100);
  Uncached(true);
  parent->colourAnswer = TColor(RGB(10, 120, 230));
  const int w = frame->Width(), h = frame->Height();
  auto printed = NewBitmap32(w, h);
  SendMessageW(frame->Handle(), WM_PRINT, WPARAM(printed->Canvas()->Handle()), PRF_CLIENT);
  // The section painted directly over the same colour.
  auto expected = NewBitmap32(w, h);
  TCacheInfo ci = MakeCacheInfo(nullptr);
  ci.Ready = false;
  ci.FillColor = parent->colourAnswer;
  PaintItem(section, "GROUPBOX", ci, true, 0, TRect{0, 0, w, h}, TPoint{frame->Left(), frame->Top()}, expected.get(),
            manager.get());
  EXPECT_EQ(test::Differing(printed.get(), expected.get()), 0);
  EXPECT_EQ(test::Pixel(printed.get(), w / 2, h / 2), RGB(10, 120, 230));
  // The border shows: the corner is not the parent's colour.
  EXPECT_NE(test::Pixel(printed.get(), 5, 0), RGB(10, 120, 230));
  EXPECT_EQ(adapter->SkinData()->CacheBmp()->Width(), 0);
}

TEST_F(FrameAdapter, CachedFrameShowsTheSectionPaintedAtItsPlace) {
  Section().Color = TColor(RGB(0, 100, 200));
  SetTransparency(30);
  Uncached(false);
  parent->colourAnswer = TColor(RGB(200, 0, 40));
  adapter->SkinData()->BGChanged = true;
  const int w = frame->Width(), h = frame->Height();
  auto printed = NewBitmap32(w, h);
  SendMessageW(frame->Handle(), WM_PRINT, WPARAM(printed->Canvas()->Handle()), PRF_CLIENT);
  auto expected = NewBitmap32(w, h);
  TCacheInfo ci = MakeCacheInfo(nullptr);
  ci.Ready = false;
  ci.FillColor = parent->colourAnswer;
  PaintItem(section, "GROUPBOX", ci, true, 0, TRect{0, 0, w, h}, TPoint{frame->Left(), frame->Top()}, expected.get(),
            manager.get());
  EXPECT_EQ(test::Differing(printed.get(), expected.get()), 0);
  // Inside, section and parent colours mixed by the section's transparency: not either of them.
  const COLORREF inside = test::Pixel(printed.get(), w / 2, h / 2);
  EXPECT_NE(inside, RGB(200, 0, 40));
  EXPECT_NE(inside, RGB(0, 100, 200));
  EXPECT_EQ(adapter->SkinData()->CacheBmp()->Width(), w);
  EXPECT_FALSE(adapter->SkinData()->BGChanged);
}

}  // namespace
}  // namespace skin
