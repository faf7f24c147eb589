#include "tools/skindump/SkinPreview.h"

#include <algorithm>
#include <string>

#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinRect.h"
#include "skin/graphics/SysColors.h"

namespace skindump {
namespace {

using skin::TBitmap32;
using skin::TColor;
using skin::TRect;
using skin::TsMaskData;

std::uint32_t Pixel(TColor c) {
  const auto rgb = static_cast<std::uint32_t>(skin::ColorToRGB(c));
  return 0xFF000000u | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

class Painter {
 public:
  Painter(const skin::TacSkinRecords& skin, TBitmap32& img) : skin_(skin), img_(img) {}

  void Fill(TRect r, TColor c) {
    const std::uint32_t p = Pixel(c);
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, img_.Height()); ++y)
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, img_.Width()); ++x) img_.At(x, y).U = p;
  }

  // A bar in the font colour where the engine would write a caption.
  void TextBar(TRect r, TColor c) {
    const int h = 5, top = (r.Top + r.Bottom - h) / 2;
    Fill({r.Left, top, r.Right, top + h}, c);
  }

  // The section painted for a state by the engine's section painter over a parent colour.
  int Section(const std::string& name, TRect r, int state, TColor parent, bool withText = false) {
    const int i = skin_.GetSkinIndex(name);
    if (i < 0) return -1;
    skin::PaintItem(i, name, Behind(parent), state, r, {r.Left, r.Top}, img_.View(), &skin_);
    if (withText) {
      const skin::TsGeneralData& g = skin_.gd[static_cast<std::size_t>(i)];
      const int s = std::min(state, std::max(g.States - 1, 0));
      const int len = std::min(60, (r.Right - r.Left) / 2);
      const int left = (r.Left + r.Right - len) / 2;
      TextBar({left, r.Top, left + len, r.Bottom}, g.Props[s > 0 ? 1 : 0].FontColor.Color);
    }
    return i;
  }

  // A border image alone, its corner key pixels showing the parent colour.
  void Border(const TsMaskData& md, TRect r, int state, TColor parent) {
    skin::DrawSkinRect(img_.View(), r, Behind(parent), md, state, true);
  }

  void Glyph(int index, int x, int y, int state) {
    if (!skin_.IsValidImgIndex(index)) return;
    skin::TCacheInfo32 self;
    self.Bmp = img_.View();
    self.X = self.Y = 0;
    self.Ready = true;
    skin::DrawSkinGlyph(img_.View(), {x, y}, state, 1, skin_.ma[static_cast<std::size_t>(index)], self);
  }
  void Glyph(const std::string& section, const std::string& key, int x, int y, int state) {
    Glyph(skin_.GetMaskIndex(skin_.GetSkinIndex(section), section, key), x, y, state);
  }
  int GlyphWidth(const std::string& section, const std::string& key) const {
    const int i = skin_.GetMaskIndex(skin_.GetSkinIndex(section), section, key);
    return i < 0 ? 0 : skin::WidthOfImage(skin_.ma[static_cast<std::size_t>(i)]);
  }

 private:
  // A parent that offers only its colour.
  static skin::TCacheInfo32 Behind(TColor parent) {
    skin::TCacheInfo32 ci;
    ci.FillColor = skin::ColorToRGB(parent);
    return ci;
  }

  const skin::TacSkinRecords& skin_;
  TBitmap32& img_;
};

}  // namespace

TBitmap32 RenderPreview(const skin::TacSkinRecords& skin) {
  const TColor face = skin.GetGlobalColor();
  const skin::TBitmap32& master = skin.MasterBitmap;
  const int width = std::max(760, master.Width() + 20);
  TBitmap32 img(width, 560 + master.Height() + 20, Pixel(face));
  Painter p(skin, img);
  const auto font = [&](const std::string& section, int state) -> TColor {
    const int i = skin.GetSkinIndex(section);
    if (i < 0) return 0;
    const auto& g = skin.gd[static_cast<std::size_t>(i)];
    return g.Props[std::min(state, std::max(g.States - 1, 0)) > 0 ? 1 : 0].FontColor.Color;
  };

  // A window: frame, title with its buttons, active above and inactive below.
  for (int active = 1; active >= 0; --active) {
    const int top = active ? 10 : 180;
    const TRect win{10, top, 370, top + 160};
    p.Section("FORM", win, active, face);
    const TRect title{win.Left, win.Top, win.Right, win.Top + 30};
    p.Section("FORMTITLE", title, active, face);
    p.TextBar({title.Left + 12, title.Top, title.Left + 110, title.Bottom}, font("FORMTITLE", active));
    int x = title.Right - 1;
    for (const char* key : {"BICONCLOSE", "BICONMAX", "BICONMIN"}) {
      const int w = p.GlyphWidth("GLOBALINFO", key);
      x -= w;
      p.Glyph("GLOBALINFO", key, x, title.Top + 4, active && std::string(key) == "BICONCLOSE" ? 1 : 0);
    }
    p.Section("MENULINE", {win.Left + 4, title.Bottom, win.Right - 4, title.Bottom + 20}, 0, face);
    p.Section("MENUITEM", {win.Left + 6, title.Bottom, win.Left + 60, title.Bottom + 20}, 1, face, true);
    p.TextBar({win.Left + 70, title.Bottom, win.Left + 110, title.Bottom + 20}, font("MENULINE", 0));
    const TRect status{win.Left + 4, win.Bottom - 24, win.Right - 4, win.Bottom - 4};
    p.Section("STATUSBAR", status, 0, face);
    p.Border(skin.ma[static_cast<std::size_t>(std::max(0, skin.GetMaskIndex("STATUSBAR", "STATUSPANELMASK")))],
             {status.Left, status.Top, status.Left + 120, status.Bottom}, 0, face);
    p.Glyph("GLOBALINFO", "GRIPIMAGE", status.Right - 13, status.Bottom - 13, 0);
    // Tabs over a page.
    const TRect page{win.Left + 12, title.Bottom + 52, win.Right - 12, status.Top - 8};
    p.Section("PAGECONTROL", page, 0, face);
    for (int t = 0; t < 3; ++t) {
      const int state = t == 0 ? 2 : t == 1 ? 1 : 0;
      const TRect tab{page.Left + 2 + t * 90, page.Top - 24, page.Left + 2 + t * 90 + 88,
                      page.Top + (state == 2 ? 1 : 0)};
      p.Section("TABTOP", tab, state, face, true);
    }
    p.Section("BUTTON", {page.Left + 12, page.Top + 16, page.Left + 102, page.Top + 42}, active ? 1 : 0,
              skin.gd[static_cast<std::size_t>(std::max(0, skin.GetSkinIndex("TABSHEET")))].Color, true);
  }

  // Bars and lists under the windows.
  {
    int ly = 350;
    p.Section("TOOLBAR", {10, ly, 370, ly + 30}, 0, face);
    for (int st = 0; st < 3; ++st)
      p.Section("TOOLBUTTON", {14 + st * 40, ly + 3, 50 + st * 40, ly + 27}, st, face, true);
    ly += 38;
    p.Section("BARTITLE", {10, ly, 370, ly + 22}, 0, face, true);
    ly += 30;
    for (int st = 0; st < 3; ++st) p.Section("COLHEADER", {10 + st * 100, ly, 110 + st * 100, ly + 22}, st, face, true);
    ly += 22;
    const TColor window = skin.gd[static_cast<std::size_t>(std::max(0, skin.GetSkinIndex("TABSHEET")))].Color;
    p.Fill({10, ly, 370, ly + 66}, window);
    p.Section("SELECTION", {10, ly + 2, 370, ly + 20}, 1, window, true);
    p.Section("SELECTION", {10, ly + 22, 370, ly + 40}, 0, window, true);
    ly += 76;
    p.Section("SPLITTER", {10, ly, 370, ly + 6}, 1, face);
    p.Glyph("GLOBALINFO", "GRIPHORZ", 180, ly + 1, 1);
    ly += 14;
    p.Section("DRAGBAR", {10, ly, 370, ly + 20}, 0, face, true);
  }

  // Controls in every state: columns normal, hot, pressed.
  const int col0 = 390;
  int y = 10;
  const auto row = [&](const std::string& section, int w, int h, int states, bool text = true) {
    for (int s = 0; s < states; ++s)
      p.Section(section, {col0 + s * (w + 10), y, col0 + s * (w + 10) + w, y + h}, s, face, text);
    y += h + 8;
  };
  row("BUTTON", 96, 26, 3);
  row("TOOLBUTTON", 96, 26, 3);
  row("EDIT", 96, 24, 2);
  for (int s = 0; s < 2; ++s) {
    const TRect box{col0 + s * 106, y, col0 + s * 106 + 96, y + 24};
    p.Section("COMBOBOX", box, s, face);
    p.Section("COMBOBTN", {box.Right - 20, box.Top + 1, box.Right - 1, box.Bottom - 1}, s, skin.gd[0].HotColor);
    p.Glyph("COMBOBOX", "GLYPHMASK", box.Right - 15, box.Top + 7, s);
  }
  y += 32;
  for (int s = 0; s < 3; ++s) {
    int x = col0 + s * 120;
    for (const char* key : {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED", "RADIOUNCHECKED", "RADIOCHECKED"}) {
      p.Glyph("GLOBALINFO", key, x, y, s);
      x += 22;
    }
  }
  y += 24;
  for (int s = 0; s < 3; ++s) {
    int x = col0 + s * 120;
    for (const char* key : {"SMALLUNCHECKED", "SMALLCHECKED", "SMALLGRAYED", "CHECK"}) {
      p.Glyph("GLOBALINFO", key, x, y, s);
      x += 20;
    }
  }
  y += 24;
  // A horizontal scroll bar: arrows, track, thumb hot.
  {
    const TRect bar{col0, y, col0 + 300, y + 17};
    p.Section("SCROLLBAR1H", {bar.Left + 17, bar.Top, bar.Left + 150, bar.Bottom}, 0, face);
    p.Section("SCROLLBAR2H", {bar.Left + 150, bar.Top, bar.Right - 17, bar.Bottom}, 0, face);
    const TColor track = skin.gd[static_cast<std::size_t>(std::max(0, skin.GetSkinIndex("SCROLLBAR1H")))].Color;
    p.Section("SCROLLBTNLEFT", {bar.Left, bar.Top, bar.Left + 17, bar.Bottom}, 0, track);
    p.Glyph("SCROLLBTNLEFT", "GLYPHMASK", bar.Left + 4, bar.Top + 4, 0);
    p.Section("SCROLLBTNRIGHT", {bar.Right - 17, bar.Top, bar.Right, bar.Bottom}, 1, track);
    p.Glyph("SCROLLBTNRIGHT", "GLYPHMASK", bar.Right - 13, bar.Top + 4, 1);
    p.Section("SCROLLSLIDERH", {bar.Left + 110, bar.Top, bar.Left + 190, bar.Bottom}, 1, track);
    p.Glyph("SCROLLSLIDERH", "GLYPHMASK", bar.Left + 147, bar.Top + 6, 1);
    y += 25;
  }
  // Progress at 60 %, and a track bar.
  {
    const TRect gauge{col0, y, col0 + 300, y + 16};
    p.Section("GAUGE", gauge, 0, face);
    p.Section("PROGRESSH", {gauge.Left, gauge.Top, gauge.Left + 180, gauge.Bottom}, 0, face);
    y += 26;
    const int channel = skin.GetMaskIndex("TRACKBAR", "SLIDERCHANNEL");
    if (channel >= 0) p.Border(skin.ma[static_cast<std::size_t>(channel)], {col0, y + 8, col0 + 300, y + 12}, 0, face);
    for (int s = 0; s < 3; ++s) p.Glyph("TRACKBAR", "SLIDERMASK", col0 + 40 + 100 * s, y, s);
    for (int t = 0; t <= 10; ++t) p.Glyph("TRACKBAR", "TICKHORZ", col0 + 5 + 29 * t, y + 24, 0);
    y += 36;
  }
  // A popup menu with an icon column, a hot item and a divider.
  {
    const TRect menu{col0, y, col0 + 180, y + 96};
    p.Section("MAINMENU", menu, 0, face);
    p.Section("ICOLINE", {menu.Left + 3, menu.Top + 3, menu.Left + 28, menu.Bottom - 3}, 0, face);
    const TColor back = skin.gd[static_cast<std::size_t>(std::max(0, skin.GetSkinIndex("MAINMENU")))].Color;
    p.Section("MENUITEM", {menu.Left + 3, menu.Top + 4, menu.Right - 3, menu.Top + 26}, 0, back, true);
    p.Section("MENUITEM", {menu.Left + 3, menu.Top + 26, menu.Right - 3, menu.Top + 48}, 1, back, true);
    p.Glyph("GLOBALINFO", "CHECK", menu.Left + 6, menu.Top + 29, 1);
    p.Section("DIVIDERV", {menu.Left + 34, menu.Top + 52, menu.Right - 6, menu.Top + 54}, 0, back);
    p.Section("MENUITEM", {menu.Left + 3, menu.Top + 58, menu.Right - 3, menu.Top + 80}, 0, back, true);
    // Group box and low panel beside it.
    p.Section("GROUPBOX", {menu.Right + 10, menu.Top, menu.Right + 100, menu.Bottom}, 0, face);
    p.Section("PANEL_LOW", {menu.Right + 110, menu.Top, menu.Right + 190, menu.Bottom}, 0, face);
    y += 106;
  }
  // Title buttons in all states, large and small.
  {
    int x = col0;
    for (const char* key : {"BICONMIN", "BICONMAX", "BICONNORM", "BICONHELP", "BICONCLOSE"}) {
      for (int s = 0; s < 3; ++s) p.Glyph("GLOBALINFO", key, x, y + s * 24, s);
      x += p.GlyphWidth("GLOBALINFO", key) + 6;
    }
    for (const char* key : {"SICONMIN", "SICONMAX", "SICONCLOSE"}) {
      for (int s = 0; s < 3; ++s) p.Glyph("GLOBALINFO", key, x, y + s * 24, s);
      x += p.GlyphWidth("GLOBALINFO", key) + 6;
    }
  }

  // The master bitmap itself.
  const int my = 560;
  for (int j = 0; j < master.Height(); ++j)
    for (int i = 0; i < master.Width(); ++i) {
      const skin::TsColor_ c = master.At(i, j);
      img.At(10 + i, my + j).U = c.U == skin::kKeyPixel ? 0xFFFF00FF : (c.U | 0xFF000000u);
    }
  return img;
}

}  // namespace skindump
