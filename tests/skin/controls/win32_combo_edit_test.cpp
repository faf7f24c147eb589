// The skinned combo edit: its button's looks (the edit's face with a cell of the built-in glyph),
// the keys and flags that click it, Enter reaching the form's default button, and its GDI handles.
#include <windows.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "classlib/Clipbrd.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sCustomComboEdit.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

#ifndef TARVISEL_RESOURCES
#error TARVISEL_RESOURCES names the resources folder
#endif

namespace skin::test {
namespace {

// A glyph strip as its file holds it (8-bit RGBA, not interlaced), read here on its own: 0xAARRGGBB
// with straight alpha, rows top-down.
std::vector<std::uint32_t> StripPixels(const char* name, int& width, int& height) {
  std::ifstream f(std::string(TARVISEL_RESOURCES) + "/glyphs/" + name, std::ios::binary);
  const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(f), {}};
  auto be32 = [&](std::size_t at) {
    return std::uint32_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
  };
  std::vector<std::uint8_t> idat;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = be32(at);
    const std::string type(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
    if (type == "IHDR") width = int(be32(at + 8)), height = int(be32(at + 12));
    if (type == "IDAT") idat.insert(idat.end(), png.begin() + long(at) + 8, png.begin() + long(at) + 8 + length);
    at += 12 + length;
  }
  const std::size_t stride = std::size_t(width) * 4;
  std::vector<std::uint8_t> raw((stride + 1) * std::size_t(height));
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, idat.data(), uLong(idat.size())) != Z_OK) return {};
  std::vector<std::uint8_t> rgba(stride * std::size_t(height)), prior(stride);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t filter = raw[std::size_t(y) * (stride + 1)];
    std::uint8_t* line = &rgba[std::size_t(y) * stride];
    const std::uint8_t* in = &raw[std::size_t(y) * (stride + 1) + 1];
    for (std::size_t x = 0; x < stride; ++x) {
      const int a = x >= 4 ? line[x - 4] : 0, b = prior[x], c = x >= 4 ? prior[x - 4] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int predictor = filter == 1   ? a
                            : filter == 2 ? b
                            : filter == 3 ? (a + b) / 2
                            : filter == 4 ? (pa <= pb && pa <= pc ? a
                                             : pb <= pc           ? b
                                                                  : c)
                                          : 0;
      line[x] = std::uint8_t(in[x] + predictor);
    }
    std::copy(line, line + stride, prior.begin());
  }
  std::vector<std::uint32_t> px;
  for (std::size_t i = 0; i < rgba.size(); i += 4)
    px.push_back(std::uint32_t(rgba[i + 3]) << 24 | rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2]);
  return px;
}

struct ComboEditTest : ControlsFixture {};

TEST_F(ComboEditTest, ButtonShowsTheEditFaceWithTheGlyphCellOfItsState) {
  int sw = 0, sh = 0;
  const std::vector<std::uint32_t> strip = StripPixels("SE.png", sw, sh);
  ASSERT_EQ(sw, 48);
  ASSERT_EQ(sh, 16);
  struct Case {
    const char* what;
    int cell;       // glyph cell: normal, hot, pressed
    int editState;  // the edit's own look: hot while its button is
    int shift;      // a pressed glyph moves one pixel right and down
  };
  for (const Case& c : {Case{"normal", 0, 0, 0}, Case{"hot", 1, 1, 0}, Case{"pressed", 2, 1, 1}}) {
    auto* e = Make<TsComboEdit>(20, 20, 121, 21);
    Pump();
    TsEditButton* b = e->Button();
    ASSERT_EQ(b->Width(), 18) << "16-pixel glyph + 2";
    ASSERT_EQ(b->Height(), 17);
    if (c.cell >= 1) b->Perform(classlib::CM_MOUSEENTER, 0, 0);
    if (c.cell == 2) b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    e->SkinData()->BGChanged = true;
    auto printed = Print(e);
    auto want = Direct("EDIT", c.editState, 121, 21, {20, 20});
    // The glyph cell, centred in the button (which sits at the client area's right edge).
    const int gx = 2 + b->Left() + 1 + c.shift, gy = 2 + c.shift;
    GdiFlush();  // the section's painting lands before the glyph is blended in memory
    TImage32View w = View32(want.get());
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::uint32_t s = strip[std::size_t(y) * 48 + c.cell * 16 + x], a = s >> 24;
        std::uint32_t& d = w.At(gx + x, gy + y).U;
        auto mix = [&](int shift) {
          return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255;
        };
        d = mix(16) << 16 | mix(8) << 8 | mix(0);
      }
    int off = 0;
    for (int y = 2; y < 19; ++y)
      for (int x = 2 + b->Left(); x < 2 + b->Left() + b->Width(); ++x) {
        const std::uint32_t p = Rgb(printed.get(), x, y), q = Rgb(want.get(), x, y);
        for (int shift : {0, 8, 16}) off += std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 2;
      }
    EXPECT_EQ(off, 0) << c.what;
    if (c.cell == 2) b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    classlib::Free(e);
  }
}

TEST_F(ComboEditTest, AltDownAndTheButtonClickUnlessReadOnly) {
  struct Case {
    const char* what;
    bool readOnly, directInput;
    int clicks;
  };
  for (const Case& c :
       {Case{"plain", false, true, 2}, Case{"read-only", true, true, 0}, Case{"no direct input", false, false, 2}}) {
    auto* e = Make<TsComboEdit>(20, 20, 121, 21);
    int clicks = 0;
    e->OnButtonClick = [&](classlib::TObject*) { ++clicks; };
    e->SetReadOnly(c.readOnly);
    e->SetDirectInput(c.directInput);
    e->Perform(WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    e->Button()->Click();
    EXPECT_EQ(clicks, c.clicks) << c.what;
    EXPECT_EQ((GetWindowLongPtrW(e->Handle(), GWL_STYLE) & ES_READONLY) != 0, c.readOnly || !c.directInput) << c.what;
    classlib::Free(e);
  }
}

TEST_F(ComboEditTest, PasteAndCutOnlyWithDirectInput) {
  auto* e = Make<TsComboEdit>(20, 20, 121, 21);
  e->SetText(L"abc");
  ASSERT_TRUE(classlib::SetClipboardText(L"xyz"));
  e->SetDirectInput(false);
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_CUT, 0, 0);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), L"abc");
  e->SetDirectInput(true);
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), L"xyz");
}

TEST_F(ComboEditTest, TextStaysClearOfTheButton) {
  auto* e = Make<TsComboEdit>(20, 20, 121, 21);
  RECT with{}, without{};
  SendMessageW(e->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&with));
  EXPECT_LE(with.right, 117 - 18);
  e->SetShowButton(false);
  SendMessageW(e->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&without));
  EXPECT_EQ(without.right - with.right, 18) << "the button's width goes back to the text";
  EXPECT_FALSE(e->Button()->Visible());
}

TEST_F(ComboEditTest, EnterPressesTheDefaultButtonAndBreaksNoLine) {
  auto* e = Make<TsComboEdit>(20, 20, 121, 21);
  auto* ok = Make<classlib::TButton>(20, 60, 75, 25, L"OK");
  ok->SetDefault(true);
  form->SetVisible(true);
  int pressed = 0;
  ok->OnClick = [&](classlib::TObject*) { ++pressed; };
  e->SetText(L"12");
  e->SetFocus();
  SendMessageW(e->Handle(), WM_CHAR, L'\r', 0);
  Pump();
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(e->Text(), L"12");
}

TEST_F(ComboEditTest, TwoHundredEditsLeaveNoGdiObjects) {
  {  // the shared glyph list and the first caches come to stay
    auto* e = Make<TsComboEdit>(20, 20, 121, 21);
    Print(e);
    classlib::Free(e);
  }
  const int before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    auto* e = Make<TsComboEdit>(20, 20, 121, 21);
    e->SetText(L"value");
    Print(e);
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    classlib::Free(e);
  }
  Pump();
  EXPECT_LE(LiveGdiObjects() - before, 2);
}

TEST_F(ComboEditTest, RegisteredByNameWithItsDefaults) {
  RegisterComboEditClasses();
  classlib::TComponent* c = classlib::CreateComponent(L"TsComboEdit", form.get());
  ASSERT_NE(c, nullptr);
  for (const classlib::TPropInfo& p : classlib::GetClass(L"TsComboEdit").Properties)
    if (p.HasDefault) {
      EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
    }
  auto* e = dynamic_cast<TsComboEdit*>(c);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->ClickKey(), 32808);
  EXPECT_EQ(e->DefBmpID(), kGlyphEllipsis);
  EXPECT_EQ(e->SkinData()->COC, 138);
  EXPECT_EQ(e->Button()->SkinData()->SkinSection(), "SPEEDBUTTON_SMALL");
  classlib::SetOrdProp(c, L"GlyphMode.ImageIndex", 2);
  EXPECT_EQ(e->GlyphMode()->ImageIndex(), 2);
}

}  // namespace
}  // namespace skin::test
