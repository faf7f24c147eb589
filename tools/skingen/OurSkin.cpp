#include "tools/skingen/OurSkin.h"

#include <algorithm>
#include <cmath>

#include "classlib/BmpFormat.h"
#include "tools/skingen/PngEncoder.h"
#include "tools/skingen/SkinArt.h"
#include "tools/skingen/SkinDescription.h"

namespace skingen {
namespace {

constexpr int kMasterWidth = 512;
const Rgba kNone{};

// Draw modes of border images: 1 stretch edges, 2 nothing in state 0, 4 draw the centre.
constexpr int kStretch = 1, kNoNormal = 2, kCentre = 4;

std::string Gradient(std::uint32_t top, std::uint32_t bottom, int mode = 0) {
  return ColorValue(top) + ";" + ColorValue(bottom) + ";100;" + std::to_string(mode) + ";0";
}

class SkinBuilder {
 public:
  explicit SkinBuilder(const SkinStyle& style) : s(style), master_(kMasterWidth) {}

  const SkinStyle& s;
  Description d;

  // A masked border image: Cells cells of W x H with the given margins.
  std::string Border(const std::string& name, int w, int h, int cells, int wl, int wt, int wr, int wb, int drawMode,
                     const CellPainter& paint) {
    return BorderValue(master_.AddShared(name, w, h, cells, true, paint), wl, wt, wr, wb, cells, 1, drawMode);
  }
  // A masked glyph: Cells cells of W x H.
  std::string Glyph(const std::string& name, int w, int h, int cells, const CellPainter& paint) {
    return GlyphValue(master_.AddShared(name, w, h, cells, true, paint), cells, 1);
  }

  std::vector<std::uint8_t> MasterFile() const {
    classlib::bmp::Dib dib;
    dib.Width = master_.Width();
    dib.Height = master_.Height();
    dib.BitCount = 24;
    const std::size_t stride = dib.Stride();
    dib.Bits.assign(stride * static_cast<std::size_t>(dib.Height), 0);
    const std::vector<std::uint32_t> px = master_.Pixels();
    for (int y = 0; y < dib.Height; ++y) {
      std::uint8_t* row = dib.Bits.data() + stride * static_cast<std::size_t>(dib.Height - 1 - y);
      for (int x = 0; x < dib.Width; ++x) {
        const std::uint32_t p = px[static_cast<std::size_t>(y) * dib.Width + x];
        row[3 * x] = static_cast<std::uint8_t>(p);
        row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
        row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
      }
    }
    return classlib::bmp::WriteBmpFile(dib);
  }

 private:
  MasterBitmap master_;
};

// ---- images shared by several sections -------------------------------------------------------

// Push buttons: a framed rounded box per state (normal, hot, pressed), centre included.
std::string ButtonBorder(SkinBuilder& b, const std::string& name, double radius) {
  const SkinStyle& s = b.s;
  const int m = static_cast<int>(radius) + 1, cell = 2 * m + 1;
  return b.Border(name, cell, cell, 3, m, m, m, m, kStretch | kCentre, [&s, radius](Canvas& c, int i) {
    const std::uint32_t fill[] = {s.Window, s.HotFill(), s.PressedFill()};
    const std::uint32_t line[] = {s.Line, s.HotLine(), s.Accent};
    FramedBox(c, Hex(fill[i]), Hex(line[i]), radius);
  });
}

// Flat buttons (tool buttons, menu buttons): nothing when normal, a tinted box when hot or pressed.
std::string FlatButtonBorder(SkinBuilder& b, const std::string& name, double radius, double inset) {
  const SkinStyle& s = b.s;
  const int m = static_cast<int>(radius + inset) + 1, cell = 2 * m + 1;
  return b.Border(
      name, cell, cell, 3, m, m, m, m, kStretch | kNoNormal | kCentre, [&s, radius, inset](Canvas& c, int i) {
        if (i == 0) return;
        FramedBox(c, Hex(i == 1 ? s.HotFill() : s.PressedFill()), Hex(i == 1 ? s.HotLine() : s.Accent), radius, inset);
      });
}

// Edit-type frames: a one-pixel rounded line, accent when hot or focused; centre left to the edit.
std::string EditBorder(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const double r = s.Radius - 1;
  const int m = static_cast<int>(r) + 1, cell = 2 * m + 1;
  return b.Border("edit", cell, cell, 2, m, m, m, m, kStretch, [&s, r](Canvas& c, int i) {
    FramedBox(c, Hex(s.Window), Hex(i == 0 ? s.Line : s.Accent), r);
    if (i == 1) c.Fill(Box(1, c.Height() - 2, c.Width() - 1, c.Height() - 1), Hex(s.Accent));  // a firmer bottom
  });
}

// A one-pixel rounded frame without centre (group boxes, low panels, gauges).
std::string LineFrame(SkinBuilder& b, const std::string& name, std::uint32_t line, std::uint32_t fill, double radius) {
  const int m = static_cast<int>(radius) + 1, cell = 2 * m + 1;
  return b.Border(name, cell, cell, 1, m, m, m, m, kStretch, [line, fill, radius](Canvas& c, int) {
    FramedBox(c, fill == 0xFF00FF ? kNone : Hex(fill), Hex(line), radius);
  });
}

// Straight lines on some sides of a box (status bar top, column headers, page frames).
std::string SideLines(SkinBuilder& b, const std::string& name, int cells, bool left, bool top, bool right, bool bottom,
                      const std::vector<std::uint32_t>& colors) {
  return b.Border(name, 3, 3, cells, left ? 1 : 0, top ? 1 : 0, right ? 1 : 0, bottom ? 1 : 0, kStretch,
                  [=](Canvas& c, int i) {
                    const Rgba col = Hex(colors[static_cast<std::size_t>(i)]);
                    if (left) c.Fill(Box(0, 0, 1, 3), col);
                    if (top) c.Fill(Box(0, 0, 3, 1), col);
                    if (right) c.Fill(Box(2, 0, 3, 3), col);
                    if (bottom) c.Fill(Box(0, 2, 3, 3), col);
                  });
}

// ---- sections ----------------------------------------------------------------------------------

void GlobalInfo(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  Section& g = b.d.Add("GLOBALINFO");
  g.Set("VERSION", "7.56")
      .Set("AUTHOR", "Tarvisel")
      .Set("DESCRIPTION", "Light flat skin of the KT.8 configurator, generated by tools/skingen")
      .Set("MASTERBITMAP", "MASTER.BMP")
      .Color("COLOR", s.Face)
      .Color("FONTCOLOR", s.Text)
      .Color("HOTCOLOR", s.Window)  // the background of a focused edit
      .Int("STATES", 2)
      .Color("BORDERCOLOR", s.LightLine())
      .Color("SHADOW1COLOR", 0x000000)
      .Int("SHADOW1OFFSET", 0)
      .Int("SHADOW1BLUR", -1)
      .Int("SHADOW1TRANSPARENCY", 0)
      .Int("BORDERWIDTH", 4)
      .Int("TITLEHEIGHT", 30)
      .Int("FORMOFFSET", 2)
      .Int("BISPACE", 0)
      .Int("BIRIGHT", 0)
      .Int("BIVALIGN", 0);

  // Check boxes and radio buttons: three states each (normal, hot, pressed).
  const auto box = [&s](bool small, int mark) {  // mark: 0 none, 1 check, 2 grayed
    return [&s, small, mark](Canvas& c, int i) {
      const double r = small ? 2 : 3, inset = small ? 0 : 1;
      const double size = c.Width() - 2 * inset;
      if (mark == 0) {
        FramedBox(c,
                  Hex(i == 2   ? s.PressedFill()
                      : i == 1 ? s.HotFill()
                               : s.Window),
                  Hex(i == 0 ? s.Shade(s.Line, 0.25) : s.Accent), r, inset);
        return;
      }
      const std::uint32_t fill = i == 1 ? s.Tint(0.85) : i == 2 ? s.Shade(s.Accent, 0.25) : s.Accent;
      FramedBox(c, Hex(fill), Hex(fill), r, inset);
      if (mark == 1)
        CheckMark(c, inset, inset, size, Hex(s.Window), small ? 1.5 : 1.8);
      else
        c.Fill(Box(inset + size * 0.25, c.Height() / 2.0 - 1, inset + size * 0.75, c.Height() / 2.0 + 1, 0.5),
               Hex(s.Window));
    };
  };
  g.Set("BOXUNCHECKED", b.Glyph("boxunchecked", 16, 16, 3, box(false, 0)));
  g.Set("BOXCHECKED", b.Glyph("boxchecked", 16, 16, 3, box(false, 1)));
  g.Set("BOXGRAYED", b.Glyph("boxgrayed", 16, 16, 3, box(false, 2)));
  g.Set("SMALLUNCHECKED", b.Glyph("smallunchecked", 13, 13, 3, box(true, 0)));
  g.Set("SMALLCHECKED", b.Glyph("smallchecked", 13, 13, 3, box(true, 1)));
  g.Set("SMALLGRAYED", b.Glyph("smallgrayed", 13, 13, 3, box(true, 2)));
  const auto radio = [&s](int mark) {
    return [&s, mark](Canvas& c, int i) {
      const double cx = 8, cy = 8;
      const std::uint32_t ring = mark ? (i == 1   ? s.Tint(0.85)
                                         : i == 2 ? s.Shade(s.Accent, 0.25)
                                                  : s.Accent)
                                      : (i == 0 ? s.Shade(s.Line, 0.25) : s.Accent);
      c.Fill(Circle(cx, cy, 7), Hex(ring));
      c.Fill(Circle(cx, cy, mark ? 5.6 : 6), Hex(i == 2 && !mark   ? s.PressedFill()
                                                 : i == 1 && !mark ? s.HotFill()
                                                                   : s.Window));
      if (mark == 1) c.Fill(Circle(cx, cy, 3.4), Hex(ring));
      if (mark == 2) c.Fill(Box(4.5, 7, 11.5, 9, 0.5), Hex(ring));
    };
  };
  g.Set("RADIOUNCHECKED", b.Glyph("radiounchecked", 16, 16, 3, radio(0)));
  g.Set("RADIOCHECKED", b.Glyph("radiochecked", 16, 16, 3, radio(1)));
  g.Set("RADIOGRAYED", b.Glyph("radiograyed", 16, 16, 3, radio(2)));
  // The check mark of menu items: normal and highlighted.
  g.Set("CHECK", b.Glyph("check", 16, 16, 2, [&s](Canvas& c, int) { CheckMark(c, 2, 2, 12, Hex(s.Text), 1.6); }));

  // Size grip and splitter grips.
  g.Set("GRIPIMAGE", b.Glyph("grip", 12, 12, 1, [&s](Canvas& c, int) {
    for (int row = 0; row < 3; ++row)
      for (int col = 2 - row; col < 3; ++col)
        c.Fill(Box(2 + 3.5 * col, 2 + 3.5 * row, 4 + 3.5 * col, 4 + 3.5 * row, 0.6), Hex(s.Shade(s.Line, 0.2)));
  }));
  const auto dots = [&s](bool horizontal) {
    return [&s, horizontal](Canvas& c, int i) {
      const Rgba col = Hex(i == 0 ? s.Shade(s.Line, 0.2) : s.Accent);
      for (int k = 0; k < 5; ++k) {
        const double a = 1 + 4 * k;
        if (horizontal)
          c.Fill(Box(a, 1, a + 2, 3, 0.6), col);
        else
          c.Fill(Box(1, a, 3, a + 2, 0.6), col);
      }
    };
  };
  g.Set("GRIPHORZ", b.Glyph("griphorz", 20, 4, 3, dots(true)));
  g.Set("GRIPVERT", b.Glyph("gripvert", 4, 20, 3, dots(false)));

  // Title buttons: a glyph on the title, a grey box under the mouse, a red one for close.
  const auto titleButton = [&s](TitleGlyph glyph, bool close, double glyphSize) {
    return [&s, glyph, close, glyphSize](Canvas& c, int i) {
      if (i > 0) {
        const std::uint32_t hot = close ? s.Close : s.Shade(s.Face, 0.10);
        const std::uint32_t pressed = close ? s.Shade(s.Close, 0.25) : s.Shade(s.Face, 0.18);
        c.Fill(Box(0, 0, c.Width(), c.Height(), 2), Hex(i == 1 ? hot : pressed));
      }
      DrawTitleGlyph(c, glyph, glyphSize, Hex(close && i > 0 ? s.Window : s.Text));
    };
  };
  const std::string close = b.Glyph("biconclose", 34, 22, 3, titleButton(TitleGlyph::Close, true, 10));
  g.Set("BICONCLOSE", close).Set("BICLOSEALONE", close);
  g.Set("BICONMAX", b.Glyph("biconmax", 34, 22, 3, titleButton(TitleGlyph::Maximize, false, 10)));
  g.Set("BICONMIN", b.Glyph("biconmin", 34, 22, 3, titleButton(TitleGlyph::Minimize, false, 10)));
  g.Set("BICONNORM", b.Glyph("biconnorm", 34, 22, 3, titleButton(TitleGlyph::Restore, false, 10)));
  g.Set("BICONHELP", b.Glyph("biconhelp", 34, 22, 3, titleButton(TitleGlyph::Help, false, 10)));
  g.Set("SICONCLOSE", b.Glyph("siconclose", 24, 18, 3, titleButton(TitleGlyph::Close, true, 8)));
  g.Set("SICONMAX", b.Glyph("siconmax", 24, 18, 3, titleButton(TitleGlyph::Maximize, false, 8)));
  g.Set("SICONMIN", b.Glyph("siconmin", 24, 18, 3, titleButton(TitleGlyph::Minimize, false, 8)));
  g.Set("SICONNORM", b.Glyph("siconnorm", 24, 18, 3, titleButton(TitleGlyph::Restore, false, 8)));
  g.Set("SICONHELP", b.Glyph("siconhelp", 24, 18, 3, titleButton(TitleGlyph::Help, false, 8)));
  g.Set("TITLEBUTTON", b.Glyph("titlebutton", 34, 22, 3, titleButton(TitleGlyph::None, false, 10)));

  // The extended-border shadow, inactive and active: a soft shadow round the form.
  g.Set("EXBORDER", FileValue("SHADOW.PNG", 2, 0, 0, 14, 14, 14, 14, 1));
}

// A canvas pixel as the PNG encoder takes it: alpha in the top byte, then red, green and blue.
std::uint32_t Argb(const Rgba& p) {
  const auto a = static_cast<std::uint32_t>(std::lround(std::clamp(p.a, 0.0, 1.0) * 255));
  return (a << 24) | ToHex(p);
}

// The shadow of forms with extended borders, premultiplied as skins of this version keep PNGs.
std::vector<std::uint8_t> ShadowFile() {
  constexpr int kCell = 40, kBody = 14;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(2 * kCell) * kCell);
  for (int i = 0; i < 2; ++i) {
    Canvas c(kCell, kCell);
    c.Shadow(Box(kBody, kBody + 1, kCell - kBody, kCell - kBody + 1, 2), Hex(0x000000, i == 0 ? 0.16 : 0.30), 12);
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        px[static_cast<std::size_t>(y) * 2 * kCell + i * kCell + x] = Argb(c.At(x, y));
      }
  }
  return EncodePng(2 * kCell, kCell, px);
}

// A square shadow template of Size pixels whose 9-pixel edges are the shadow round a form; the
// form covers the middle.
std::vector<std::uint8_t> BuiltInShadow(int size, double opacity) {
  constexpr int kEdge = 9;
  Canvas c(size, size);
  c.Shadow(Box(kEdge, kEdge + 1, size - kEdge, size - kEdge + 1, 2), Hex(0x000000, opacity), 8);
  std::vector<std::uint32_t> px(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      px[static_cast<std::size_t>(y) * size + x] = Argb(c.At(x, y));
    }
  return EncodePng(size, size, px);
}

void Forms(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::uint32_t inactiveLine = s.Shade(s.Line, 0.1);
  // Form: a one-pixel frame, accent while active, over the face colour.
  b.d.Add("FORM")
      .Int("STATES", 2)
      .Color("COLOR", s.Face)
      .Color("HOTCOLOR", s.Face)
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Text)
      .Set("BORDERSMASK", b.Border("formframe", 9, 9, 2, 4, 4, 4, 4, kStretch, [&](Canvas& c, int i) {
        c.Fill(Box(0, 0, 9, 9), Hex(i == 0 ? inactiveLine : s.Accent));
        c.Fill(Box(1, 1, 8, 8), Hex(s.Face));
      }));
  // Title: light, a little lighter while active; its frame continues the form's.
  const std::uint32_t activeTitle = s.Window, inactiveTitle = s.Face;
  b.d.Add("FORMTITLE")
      .Int("STATES", 2)
      .Color("COLOR", inactiveTitle)
      .Color("HOTCOLOR", activeTitle)
      .Int("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", Gradient(inactiveTitle, s.GradientEnd(inactiveTitle, s.Line, 0.4)))
      .Int("HOTGRADIENTPERCENT", 100)
      .Set("HOTGRADIENTDATA", Gradient(activeTitle, s.GradientEnd(activeTitle, s.Face, 1.0)))
      .Color("FONTCOLOR", s.MutedText)
      .Color("HOTFONTCOLOR", s.Text)
      .Set("BORDERSMASK", b.Border("titleframe", 9, 5, 2, 4, 4, 4, 0, kStretch, [&](Canvas& c, int i) {
        const Rgba line = Hex(i == 0 ? inactiveLine : s.Accent);
        c.Fill(Box(0, 0, 9, 1), line);
        c.Fill(Box(0, 0, 1, 5), line);
        c.Fill(Box(8, 0, 9, 5), line);
      }));
  b.d.Add("CAPTION")
      .Int("STATES", 2)
      .Int("TRANSPARENCY", 100)
      .Int("HOTTRANSPARENCY", 100)
      .Color("FONTCOLOR", s.MutedText)
      .Color("HOTFONTCOLOR", s.Text);
  b.d.Add("DIALOG").Set("PARENTCLASS", "FORM");
  b.d.Add("DIALOGTITLE").Set("PARENTCLASS", "FORMTITLE");
  b.d.Add("MDIAREA").Int("STATES", 1).Color("COLOR", s.Shade(s.Face, 0.08));
}

void Buttons(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::string border = ButtonBorder(b, "button", s.Radius);
  const auto button = [&](const std::string& name) -> Section& {
    return b.d.Add(name)
        .Int("STATES", 3)
        .Int("TRANSPARENCY", 100)
        .Int("HOTTRANSPARENCY", 100)
        .Color("COLOR", s.Window)
        .Color("HOTCOLOR", s.HotFill())
        .Color("FONTCOLOR", s.Text)
        .Color("HOTFONTCOLOR", s.Text)
        .Bool("FADINGENABLED", true)
        .Int("FADINGITERATIONS", 4)
        .Bool("SHOWFOCUS", false);
  };
  button("BUTTON").Set("BORDERSMASK", border);
  button("BUTTON_HUGE").Set("BORDERSMASK", border);
  button("SPEEDBUTTON").Set("BORDERSMASK", border);
  button("UPDOWNBTN").Set("BORDERSMASK", ButtonBorder(b, "updown", 2));

  const std::string flat = FlatButtonBorder(b, "flatbutton", s.Radius - 1, 0);
  button("TOOLBUTTON").Set("BORDERSMASK", flat);
  button("SPEEDBUTTON_SMALL").Set("BORDERSMASK", flat);
  button("MENUBTN").Set("BORDERSMASK", flat);
  button("WEBBUTTON").Color("FONTCOLOR", s.Accent).Color("HOTFONTCOLOR", s.Shade(s.Accent, 0.35));
  // The drop-down button inside a combo box: a tinted box inset from the frame when hot.
  button("COMBOBTN").Set("BORDERSMASK", FlatButtonBorder(b, "combobtn", 2, 2));
}

void Edits(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::string frame = EditBorder(b);
  const auto edit = [&](const std::string& name) -> Section& {
    return b.d.Add(name)
        .Int("STATES", 2)
        .Color("COLOR", s.Window)
        .Color("HOTCOLOR", s.Window)
        .Color("FONTCOLOR", s.Text)
        .Color("HOTFONTCOLOR", s.Text)
        .Set("BORDERSMASK", frame);
  };
  edit("EDIT");
  edit("COMBOBOX").Set("GLYPHMASK", b.Glyph("combo-arrow", 10, 10, 3, [&s](Canvas& c, int i) {
    Chevron(c, 5, 5, 8, Side::Bottom, Hex(i == 0 ? s.MutedText : s.Text), 1.5);
  }));
  b.d.Add("CHECKBOX")
      .Int("STATES", 2)
      .Int("TRANSPARENCY", 100)
      .Int("HOTTRANSPARENCY", 100)
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Text);
  b.d.Add("RADIOBUTTON").Set("PARENTCLASS", "CHECKBOX");
  b.d.Add("HINT")
      .Int("STATES", 1)
      .Color("COLOR", s.Window)
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", LineFrame(b, "hint", s.Shade(s.Line, 0.15), s.Window, 3));
}

void Containers(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  b.d.Add("PANEL").Int("STATES", 1).Color("COLOR", s.Face).Color("FONTCOLOR", s.Text);
  b.d.Add("PANEL_LOW")
      .Int("STATES", 1)
      .Color("COLOR", s.Shade(s.Face, 0.03))
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", LineFrame(b, "panellow", s.LightLine(), 0xFF00FF, s.Radius));
  b.d.Add("GROUPBOX")
      .Int("STATES", 1)
      .Int("TRANSPARENCY", 100)
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", LineFrame(b, "groupbox", s.LightLine(), 0xFF00FF, s.Radius));
  b.d.Add("TABSHEET").Int("STATES", 1).Color("COLOR", s.Window).Color("FONTCOLOR", s.Text);
  b.d.Add("BAR").Int("STATES", 1).Color("COLOR", s.Face).Color("FONTCOLOR", s.Text);
  b.d.Add("BARTITLE")
      .Int("STATES", 1)
      .Color("COLOR", s.Tint(0.08))
      .Int("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", Gradient(s.Tint(0.06), s.GradientEnd(s.Tint(0.06), s.Tint(0.3), 1.0)))
      .Color("FONTCOLOR", s.Shade(s.Accent, 0.3))
      .Set("BORDERSMASK", SideLines(b, "bartitle", 1, false, false, false, true, {s.LightLine()}));
  b.d.Add("DRAGBAR")
      .Int("STATES", 2)
      .Color("COLOR", s.Shade(s.Face, 0.04))
      .Color("HOTCOLOR", s.HotFill())
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Text);
  b.d.Add("SPLITTER").Int("STATES", 2).Color("COLOR", s.Face).Color("HOTCOLOR", s.Tint(0.18));
  b.d.Add("TOOLBAR")
      .Int("STATES", 1)
      .Color("COLOR", s.Face)
      .Int("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", Gradient(s.GradientEnd(s.Face, s.Window, 1.5), s.Face))
      .Color("FONTCOLOR", s.Text);
  b.d.Add("STATUSBAR")
      .Int("STATES", 1)
      .Color("COLOR", s.Face)
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", SideLines(b, "statusbar", 1, false, true, false, false, {s.LightLine()}))
      .Set("STATUSPANELMASK", b.Border("statuspanel", 3, 9, 1, 0, 4, 1, 4, kStretch,
                                       [&s](Canvas& c, int) { c.Fill(Box(2, 4, 3, 5), Hex(s.LightLine())); }));
  // A vertical divider of status-bar parts, a horizontal one of menu items.
  b.d.Add("DIVIDER")
      .Int("STATES", 1)
      .Int("TRANSPARENCY", 100)
      .Set("BORDERSMASK", b.Border("divider", 3, 3, 1, 1, 1, 1, 1, kStretch | kCentre,
                                   [&s](Canvas& c, int) { c.Fill(Box(1, 0, 2, 3), Hex(s.LightLine())); }));
  b.d.Add("DIVIDERV")
      .Int("STATES", 1)
      .Int("TRANSPARENCY", 100)
      .Set("BORDERSMASK", b.Border("dividerv", 3, 2, 1, 1, 1, 1, 1, kStretch,
                                   [&s](Canvas& c, int) { c.Fill(Box(0, 0, 3, 1), Hex(s.LightLine())); }));
}

// Tabs of the four sides: background tabs flat, the hot one tinted, the active one joined to its
// page with an accent line on its outer edge.
void Tabs(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::uint32_t pageLine = s.Shade(s.LightLine(), 0.05);
  const struct {
    const char* tab;
    const char* page;
    Side open;
  } sides[] = {{"TABTOP", "PAGECONTROL", Side::Bottom},
               {"TABBOTTOM", "PAGECONTROLBOTTOM", Side::Top},
               {"TABLEFT", "PAGECONTROLLEFT", Side::Right},
               {"TABRIGHT", "PAGECONTROLRIGHT", Side::Left}};
  const std::string pageFrame = SideLines(b, "pageframe", 1, true, true, true, true, {pageLine});
  for (const auto& side : sides) {
    const Side open = side.open;
    const std::string name = std::string("tab-") + side.tab;
    const double r = 3;
    b.d.Add(side.tab)
        .Int("STATES", 3)
        .Int("TRANSPARENCY", 100)
        .Int("HOTTRANSPARENCY", 100)
        .Color("COLOR", s.Face)
        .Color("HOTCOLOR", s.Window)
        .Color("FONTCOLOR", s.MutedText)
        .Color("HOTFONTCOLOR", s.Text)
        .Set("BORDERSMASK", b.Border(name, 9, 9, 3, 4, 4, 4, 4, kStretch | kNoNormal | kCentre,
                                     [&s, open, pageLine, r](Canvas& c, int i) {
                                       if (i == 0) return;
                                       if (i == 1) {
                                         OpenBox(c, open, Hex(s.HotFill()), kNone, r);
                                         return;
                                       }
                                       OpenBox(c, open, Hex(s.Window), Hex(pageLine), r);
                                       // The accent line on the edge away from the page.
                                       const double w = c.Width(), h = c.Height();
                                       const Rgba a = Hex(s.Accent);
                                       switch (open) {
                                         case Side::Bottom: c.Fill(Box(1, 0, w - 1, 2, 1), a); break;
                                         case Side::Top: c.Fill(Box(1, h - 2, w - 1, h, 1), a); break;
                                         case Side::Right: c.Fill(Box(0, 1, 2, h - 1, 1), a); break;
                                         case Side::Left: c.Fill(Box(w - 2, 1, w, h - 1, 1), a); break;
                                       }
                                     }));
    Section& page = b.d.Add(side.page);
    if (std::string(side.page) == "PAGECONTROL")
      page.Int("STATES", 1).Color("COLOR", s.Window).Color("FONTCOLOR", s.Text).Set("BORDERSMASK", pageFrame);
    else
      page.Set("PARENTCLASS", "PAGECONTROL");
  }
}

void Lists(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  b.d.Add("COLHEADER")
      .Int("STATES", 3)
      .Color("COLOR", s.Window)
      .Color("HOTCOLOR", s.HotFill())
      .Color("FONTCOLOR", s.MutedText)
      .Color("HOTFONTCOLOR", s.Text)
      .Set("BORDERSMASK",
           SideLines(b, "colheader", 3, false, false, true, true, {s.LightLine(), s.LightLine(), s.HotLine()}));
  b.d.Add("SELECTION")
      .Int("STATES", 2)
      .Color("COLOR", s.Tint(0.16))
      .Color("HOTCOLOR", s.Accent)
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Window);
}

void Progress(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::uint32_t track = s.Shade(s.Face, 0.06);
  b.d.Add("GAUGE")
      .Int("STATES", 1)
      .Color("COLOR", track)
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", LineFrame(b, "gauge", s.Shade(track, 0.06), 0xFF00FF, 3));
  const std::uint32_t light = s.GradientEnd(s.Accent, s.Window, 0.5);
  b.d.Add("PROGRESSH")
      .Int("STATES", 1)
      .Color("COLOR", s.Accent)
      .Int("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", Gradient(light, s.Accent))
      .Color("FONTCOLOR", s.Window)
      .Set("BORDERSMASK", LineFrame(b, "progress", s.Shade(s.Accent, 0.15), 0xFF00FF, 3))
      // The running light is kept inside the rounded bar (black lets it through).
      .Set("LRGN", b.Border("lrgn", 9, 9, 1, 4, 4, 4, 4, kStretch | kCentre, [](Canvas& c, int) {
        c.Fill(Box(0, 0, 9, 9), Hex(0xFFFFFF));
        c.Fill(Box(1, 1, 8, 8, 2), Hex(0x000000));
      }));
  b.d.Add("PROGRESSV").Set("PARENTCLASS", "PROGRESSH").Set("GRADIENTDATA", Gradient(light, s.Accent, 1));
}

void Track(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  Section& t = b.d.Add("TRACKBAR");
  t.Int("STATES", 2).Int("TRANSPARENCY", 100).Int("HOTTRANSPARENCY", 100).Color("FONTCOLOR", s.Text);
  t.Set("SLIDERCHANNEL", b.Border("channel", 5, 5, 2, 2, 2, 2, 2, kStretch | kCentre, [&s](Canvas& c, int i) {
    FramedBox(c, Hex(i == 0 ? s.Shade(s.Line, 0.05) : s.HotLine()), kNone, 2);
  }));
  const auto thumb = [&s](bool vertical) {
    return [&s, vertical](Canvas& c, int i) {
      (void)vertical;
      FramedBox(c,
                Hex(i == 2   ? s.Accent
                    : i == 1 ? s.HotFill()
                             : s.Window),
                Hex(i == 0 ? s.Shade(s.Line, 0.3) : s.Accent), 3, 1);
    };
  };
  t.Set("SLIDERMASK", b.Glyph("thumbh", 11, 21, 3, thumb(false)));
  t.Set("SLIDERVMASK", b.Glyph("thumbv", 21, 11, 3, thumb(true)));
  t.Set("TICKHORZ",
        b.Glyph("tickh", 1, 4, 3, [&s](Canvas& c, int) { c.Fill(Box(0, 0, 1, 4), Hex(s.Shade(s.Line, 0.2))); }));
  t.Set("TICKVERT",
        b.Glyph("tickv", 4, 1, 3, [&s](Canvas& c, int) { c.Fill(Box(0, 0, 4, 1), Hex(s.Shade(s.Line, 0.2))); }));
}

// Scroll bars: a quiet track, a slim rounded thumb, flat arrow buttons with chevrons.
void ScrollBars(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  const std::uint32_t track = s.Track();
  for (const char* name : {"SCROLLBAR1H", "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V"})
    b.d.Add(name).Int("STATES", 3).Color("COLOR", track).Color("HOTCOLOR", s.Shade(track, 0.06));

  const std::uint32_t thumb[] = {s.Shade(s.Line, 0.04), s.Shade(s.Line, 0.2), s.Shade(s.Line, 0.34)};
  const auto slider = [&](const char* name, bool horizontal) {
    // Thick enough for any bar; four transparent pixels keep the thumb off the bar's edges.
    const int along = 9, across = 15, inset = 4, m = 3;
    const int w = horizontal ? along : across, h = horizontal ? across : along;
    const std::string border =
        b.Border(std::string(name), w, h, 3, horizontal ? m + 1 : inset + m, horizontal ? inset + m : m + 1,
                 horizontal ? m + 1 : inset + m, horizontal ? inset + m : m + 1, kStretch | kCentre,
                 [&s, thumb, horizontal, inset](Canvas& c, int i) {
                   const double x0 = horizontal ? 1 : inset, y0 = horizontal ? inset : 1;
                   c.Fill(Box(x0, y0, c.Width() - x0, c.Height() - y0, 3), Hex(thumb[i]));
                 });
    b.d.Add(name)
        .Int("STATES", 3)
        .Int("TRANSPARENCY", 100)
        .Int("HOTTRANSPARENCY", 100)
        .Set("BORDERSMASK", border)
        .Set("GLYPHMASK", b.Glyph(std::string(name) + "-grip", horizontal ? 7 : 5, horizontal ? 5 : 7, 3,
                                  [&s, thumb, horizontal](Canvas& c, int i) {
                                    const Rgba col = Hex(i == 0 ? s.Shade(thumb[0], 0.18) : s.Window);
                                    for (int k = 0; k < 3; ++k) {
                                      const double a = 1 + 2.5 * k;
                                      if (horizontal)
                                        c.Fill(Box(a - 0.5, 1, a + 0.5, 4), col);
                                      else
                                        c.Fill(Box(1, a - 0.5, 4, a + 0.5), col);
                                    }
                                  }));
  };
  slider("SCROLLSLIDERH", true);
  slider("SCROLLSLIDERV", false);

  const std::string button = FlatButtonBorder(b, "scrollbtn", 2, 1);
  const struct {
    const char* name;
    Side side;
  } arrows[] = {{"SCROLLBTNTOP", Side::Top},
                {"SCROLLBTNBOTTOM", Side::Bottom},
                {"SCROLLBTNLEFT", Side::Left},
                {"SCROLLBTNRIGHT", Side::Right}};
  for (const auto& a : arrows) {
    const Side side = a.side;
    b.d.Add(a.name)
        .Int("STATES", 3)
        .Int("TRANSPARENCY", 100)
        .Int("HOTTRANSPARENCY", 100)
        .Set("BORDERSMASK", button)
        .Set("GLYPHMASK", b.Glyph(std::string(a.name), 9, 9, 3, [&s, side](Canvas& c, int i) {
          Chevron(c, 4.5, 4.5, 7, side, Hex(i == 0 ? s.Shade(s.MutedText, -0.2) : s.Text), 1.4);
        }));
  }
}

void Menus(SkinBuilder& b) {
  const SkinStyle& s = b.s;
  b.d.Add("MAINMENU")
      .Int("STATES", 1)
      .Color("COLOR", s.Window)
      .Color("FONTCOLOR", s.Text)
      .Set("BORDERSMASK", b.Border("menuframe", 7, 7, 1, 3, 3, 3, 3, kStretch, [&s](Canvas& c, int) {
        c.Fill(Box(0, 0, 7, 7), Hex(s.Shade(s.Line, 0.1)));
        c.Fill(Box(1, 1, 6, 6), Hex(s.Window));
      }));
  b.d.Add("MENULINE")
      .Int("STATES", 1)
      .Color("COLOR", s.Window)
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Text);
  b.d.Add("MENUITEM")
      .Int("STATES", 2)
      .Int("TRANSPARENCY", 100)
      .Int("HOTTRANSPARENCY", 100)
      .Color("COLOR", s.Window)
      .Color("HOTCOLOR", s.Tint(0.14))
      .Color("FONTCOLOR", s.Text)
      .Color("HOTFONTCOLOR", s.Text)
      .Set("BORDERSMASK",
           b.Border("menuitem", 11, 9, 2, 5, 4, 5, 4, kStretch | kNoNormal | kCentre, [&s](Canvas& c, int i) {
             if (i == 1) c.Fill(Box(2, 1, c.Width() - 2, c.Height() - 1, 3), Hex(s.Tint(0.14)));
           }));
  b.d.Add("ICOLINE").Int("STATES", 1).Color("COLOR", s.Shade(s.Window, 0.025));
  b.d.Add("EXTRALINE")
      .Int("STATES", 1)
      .Color("COLOR", s.Accent)
      .Int("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", Gradient(s.GradientEnd(s.Accent, s.Window, 0.4), s.Accent))
      .Color("FONTCOLOR", s.Window);
  b.d.Add("MENUCAPTION").Int("STATES", 1).Color("COLOR", s.Face).Color("FONTCOLOR", s.MutedText);
}

// The gauge's light: a white strip 300 x 40 whose alpha rises from nothing at both ends to about
// 150 in the middle, a little fainter towards the top and bottom edges. Integer arithmetic only, so
// that the picture is the same wherever it is made.
std::vector<std::uint8_t> GaugeLightStrip() {
  constexpr int kWidth = 300, kHeight = 40;
  constexpr std::int64_t kPeak = 150, kAlong = std::int64_t(kWidth / 2) * (kWidth - 1 - kWidth / 2);
  constexpr std::int64_t kAcross = std::int64_t(kHeight) * kHeight;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const std::int64_t across = std::int64_t(2 * y + 1) * (2 * kHeight - 2 * y - 1);  // 0 .. kAcross
    for (int x = 0; x < kWidth; ++x) {
      const std::int64_t along = std::int64_t(x) * (kWidth - 1 - x);  // 0 .. kAlong
      const std::int64_t alpha = kPeak * along * along * (kAcross + across) / (kAlong * kAlong * 2 * kAcross);
      px[static_cast<std::size_t>(y) * kWidth + x] = static_cast<std::uint32_t>(alpha) << 24 | 0xFFFFFFu;
    }
  }
  return EncodePng(kWidth, kHeight, px);
}

}  // namespace

SkinFiles BuildOurSkin(const SkinStyle& style) {
  SkinBuilder b(style);
  GlobalInfo(b);
  Forms(b);
  Buttons(b);
  Edits(b);
  Containers(b);
  Tabs(b);
  Lists(b);
  Progress(b);
  Track(b);
  ScrollBars(b);
  Menus(b);
  SkinFiles files;
  const std::string text = b.d.Text();
  files["Options.dat"] = std::vector<std::uint8_t>(text.begin(), text.end());
  files["MASTER.BMP"] = b.MasterFile();
  files["SHADOW.PNG"] = ShadowFile();
  return files;
}

SkinFiles GaugeLight() { return {{"acGL.png", GaugeLightStrip()}}; }

SkinFiles BuiltInShadows() {
  return {{"acSHDA.png", BuiltInShadow(32, 0.30)}, {"acSHDI.png", BuiltInShadow(31, 0.16)}};
}

}  // namespace skingen
