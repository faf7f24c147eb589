// The configurator's small images (tab icons, help, lock, connection, dialog buttons), drawn as
// 16 × 16 pictures with straight alpha and encoded as the PNG and ICO files that the windows'
// image lists keep in their descriptions. Shapes are signed-distance functions sampled 4×4 per
// pixel, so edges are smooth at 16×16.
#include "tools/icongen/IconArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/LittleEndian.h"
#include "tools/skingen/PngEncoder.h"

namespace icongen {

namespace {

struct Rgba {
  double r, g, b, a;
};

constexpr Rgba kAccent{0.09, 0.44, 0.78, 1};  // the program's blue
constexpr Rgba kDark{0.20, 0.24, 0.29, 1};
constexpr Rgba kGreen{0.16, 0.62, 0.31, 1};
constexpr Rgba kRed{0.80, 0.20, 0.18, 1};
constexpr Rgba kAmber{0.93, 0.62, 0.10, 1};
constexpr Rgba kWhite{1, 1, 1, 1};
constexpr Rgba kGrey{0.55, 0.58, 0.62, 1};

using Sdf = std::function<double(double, double)>;  // < 0 inside

Sdf Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}
Sdf Ring(double cx, double cy, double r, double w) {
  return [=](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - w / 2; };
}
Sdf Box(double x0, double y0, double x1, double y1, double radius = 0) {
  return [=](double x, double y) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    const double dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
    return std::hypot(std::max(dx, 0.0), std::max(dy, 0.0)) + std::min(std::max(dx, dy), 0.0) - radius;
  };
}
Sdf Line(double x0, double y0, double x1, double y1, double w) {
  return [=](double x, double y) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double t = std::clamp(((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(x - x0 - t * vx, y - y0 - t * vy) - w / 2;
  };
}
Sdf Minus(Sdf a, Sdf b) {
  return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

class Icon {
 public:
  explicit Icon(int size) : size_(size), px_(size * size, Rgba{0, 0, 0, 0}) {}
  // Paints a shape over what is there (source-over, straight alpha).
  void Fill(const Sdf& shape, Rgba colour) {
    for (int y = 0; y < size_; ++y)
      for (int x = 0; x < size_; ++x) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx)
            if (shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) < 0) ++hits;
        if (!hits) continue;
        const double a = colour.a * hits / 16.0;
        Rgba& d = px_[y * size_ + x];
        const double out = a + d.a * (1 - a);
        d.r = (colour.r * a + d.r * d.a * (1 - a)) / out;
        d.g = (colour.g * a + d.g * d.a * (1 - a)) / out;
        d.b = (colour.b * a + d.b * d.a * (1 - a)) / out;
        d.a = out;
      }
  }
  const Rgba& At(int x, int y) const { return px_[y * size_ + x]; }
  int Size() const { return size_; }

 private:
  int size_;
  std::vector<Rgba> px_;
};

Icon Gear() {  // configuration
  Icon i(16);
  Sdf teeth = [](double x, double y) {
    const double a = std::atan2(y - 8, x - 8), r = std::hypot(x - 8, y - 8);
    const double tooth = std::cos(a * 8) > 0.2 ? 7.2 : 5.6;
    return r - tooth;
  };
  i.Fill(Minus(teeth, Circle(8, 8, 2.3)), kDark);
  i.Fill(Ring(8, 8, 4.2, 1.2), kAccent);
  return i;
}
Icon Tank() {  // level control
  Icon i(16);
  i.Fill(Box(2.5, 1.5, 13.5, 14.5, 2), kDark);
  i.Fill(Box(4, 3, 12, 13, 1), kWhite);
  i.Fill(Box(4, 7.5, 12, 13, 1), kAccent);
  i.Fill(Line(10, 4.5, 13.5, 4.5, 1.2), kRed);
  return i;
}
Icon Clock() {  // time control
  Icon i(16);
  i.Fill(Circle(8, 8, 7), kDark);
  i.Fill(Circle(8, 8, 5.6), kWhite);
  i.Fill(Line(8, 8, 8, 3.8, 1.4), kDark);
  i.Fill(Line(8, 8, 11, 9.5, 1.4), kAccent);
  i.Fill(Circle(8, 8, 1), kDark);
  return i;
}
Icon Probe() {  // density probe test
  Icon i(16);
  i.Fill(Box(6, 0.5, 10, 11, 2), kDark);
  i.Fill(Circle(8, 12.2, 3.3), kDark);
  i.Fill(Box(7.2, 2, 8.8, 11, 0.8), kWhite);
  i.Fill(Circle(8, 12.2, 2.1), kAccent);
  i.Fill(Box(7.3, 6, 8.7, 12, 0.5), kAccent);
  return i;
}
Icon Counter() {  // counter test: three digit windows
  Icon i(16);
  i.Fill(Box(0.5, 3.5, 15.5, 12.5, 1.5), kDark);
  for (int k = 0; k < 3; ++k) i.Fill(Box(2 + k * 4.3, 5, 5.6 + k * 4.3, 11, 0.6), k == 2 ? kAccent : kWhite);
  return i;
}
Icon Help() {
  Icon i(16);
  i.Fill(Circle(8, 8, 7.3), kAccent);
  Sdf hook = [](double x, double y) {
    const double arc = std::fabs(std::hypot(x - 8, y - 6) - 2.4) - 0.8;
    return (y > 6.5 && x < 8) ? 1.0 : arc;
  };
  i.Fill(hook, kWhite);
  i.Fill(Line(8, 8.3, 8, 9.6, 1.6), kWhite);
  i.Fill(Circle(8, 12, 1), kWhite);
  return i;
}
Icon Lock(bool open) {
  Icon i(16);
  // An open lock's shackle is lifted: its left leg stands clear of the body.
  const double lift = open ? 2.5 : 0;
  Sdf shackle = Ring(8, 6 - lift, 3.2, 1.6);
  Sdf upper = [=](double x, double y) { return y > 6.5 - lift ? 1.0 : shackle(x, y); };
  i.Fill(upper, kGrey);
  i.Fill(Line(4.8, 6 - lift, 4.8, open ? 5.5 : 8, 1.6), kGrey);
  i.Fill(Line(11.2, 6 - lift, 11.2, 8, 1.6), kGrey);
  i.Fill(Box(3, 7.5, 13, 15, 1.5), open ? kGreen : kAmber);
  i.Fill(Line(8, 10, 8, 12.5, 1.5), kDark);
  return i;
}
Icon Plug(bool connected) {
  Icon i(16);
  const Rgba c = connected ? kGreen : kRed;
  const double gap = connected ? 0 : 2.2;
  // left half: cable and body with two pins
  i.Fill(Line(0.5, 8, 4, 8, 1.6), kDark);
  i.Fill(Box(3.5, 4, 7 - gap / 2, 12, 1), c);
  i.Fill(Line(7 - gap / 2, 6.5, 8.8 - gap / 2, 6.5, 1.1), kDark);
  i.Fill(Line(7 - gap / 2, 9.5, 8.8 - gap / 2, 9.5, 1.1), kDark);
  // right half: socket and cable
  i.Fill(Box(9 + gap / 2, 4, 12.5 + gap / 2, 12, 1), c);
  i.Fill(Line(12 + gap / 2, 8, 15.5, 8, 1.6), kDark);
  return i;
}
Icon Check() {
  Icon i(16);
  i.Fill(Line(3, 8.5, 6.5, 12, 2.2), kGreen);
  i.Fill(Line(6.5, 12, 13, 4, 2.2), kGreen);
  return i;
}
Icon Cross() {
  Icon i(16);
  i.Fill(Line(4, 4, 12, 12, 2.2), kRed);
  i.Fill(Line(12, 4, 4, 12, 2.2), kRed);
  return i;
}
Icon Key() {
  Icon i(16);
  i.Fill(Ring(5, 8, 3, 2), kAmber);
  i.Fill(Line(8, 8, 15, 8, 2), kAmber);
  i.Fill(Line(12.5, 8, 12.5, 11, 1.6), kAmber);
  i.Fill(Line(14.5, 8, 14.5, 10.5, 1.6), kAmber);
  return i;
}
Icon Blank() { return Icon(16); }

// The edit buttons' pictures, drawn in one ink; Shift moves them for the pressed cell.
using GlyphArt = std::function<void(Icon&, Rgba ink, double shift)>;
void SheetArt(Icon& i, Rgba ink, double s) {  // a sheet of paper with a folded corner
  i.Fill(Minus(Box(3.5 + s, 1.5 + s, 12.5 + s, 14.5 + s, 0.5), Box(9.5 + s, 0 + s, 14 + s, 4.5 + s)), ink);
  i.Fill(Box(5 + s, 3 + s, 11 + s, 13 + s), kWhite);
  i.Fill(Line(9.5 + s, 1.5 + s, 12.5 + s, 4.5 + s, 1.2), ink);
  for (int k = 0; k < 3; ++k) i.Fill(Line(6 + s, 6.5 + k * 2.5 + s, 10 + s, 6.5 + k * 2.5 + s, 1), ink);
}
void FolderArt(Icon& i, Rgba ink, double s) {  // an open folder
  i.Fill(Box(1.5 + s, 3 + s, 7 + s, 6 + s, 0.8), ink);
  i.Fill(Box(1.5 + s, 4.5 + s, 12.5 + s, 13.5 + s, 0.8), ink);
  Sdf flap = [=](double x, double y) {
    const double top = 7.5 + s, bottom = 13.5 + s;
    if (y < top || y > bottom) return 1.0;
    const double t = (y - top) / (bottom - top);
    const double left = 4.5 + s - 3 * t, right = 15.5 + s - 3 * t;
    return std::max(left - x, x - right);
  };
  i.Fill(flap, kAmber);
}
void CalendarArt(Icon& i, Rgba ink, double s) {  // a calendar page with its rings
  i.Fill(Box(1.5 + s, 2.5 + s, 14.5 + s, 14.5 + s, 1), ink);
  i.Fill(Box(3 + s, 6 + s, 13 + s, 13 + s), kWhite);
  for (int k = 0; k < 2; ++k) i.Fill(Line(5 + k * 6 + s, 1 + s, 5 + k * 6 + s, 4 + s, 1.3), kDark);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) i.Fill(Box(4 + c * 3 + s, 7.5 + r * 2.7 + s, 6 + c * 3 + s, 9.2 + r * 2.7 + s), ink);
}
void EllipsisArt(Icon& i, Rgba ink, double s) {  // a box with three dots
  i.Fill(Minus(Box(1.5 + s, 3.5 + s, 14.5 + s, 12.5 + s, 1.5), Box(3 + s, 5 + s, 13 + s, 11 + s, 0.5)), ink);
  for (int k = 0; k < 3; ++k) i.Fill(Circle(5 + k * 3 + s, 8 + s, 1.1), ink);
}
void CalculatorArt(Icon& i, Rgba ink, double s) {  // a calculator with its display and keys
  i.Fill(Box(2.5 + s, 0.5 + s, 13.5 + s, 15.5 + s, 1.5), ink);
  i.Fill(Box(4 + s, 2 + s, 12 + s, 5.5 + s, 0.5), kWhite);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      i.Fill(Box(4 + c * 2.8 + s, 7 + r * 2.8 + s, 6 + c * 2.8 + s, 9 + r * 2.8 + s, 0.3),
             r == 2 && c == 2 ? kAmber : kWhite);
}

std::vector<std::uint32_t> Pixels(const Icon& icon);

// Three 16 x 16 cells side by side: normal, hot, pressed.
ImageFile EncodeStrip(const std::string& name, const GlyphArt& art) {
  std::vector<std::uint32_t> cells[3];
  for (int k = 0; k < 3; ++k) {
    Icon i(16);
    art(i, k == 0 ? kDark : kAccent, k == 2 ? 1 : 0);
    cells[k] = Pixels(i);
  }
  std::vector<std::uint32_t> strip;
  for (int y = 0; y < 16; ++y)
    for (int k = 0; k < 3; ++k) strip.insert(strip.end(), cells[k].begin() + y * 16, cells[k].begin() + y * 16 + 16);
  ImageFile f;
  f.Name = name + ".png";
  f.Bytes = skingen::EncodePng(48, 16, strip);
  return f;
}

// 0xAARRGGBB words, rows top-down.
std::vector<std::uint32_t> Pixels(const Icon& icon) {
  auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  std::vector<std::uint32_t> px;
  for (int y = 0; y < icon.Size(); ++y)
    for (int x = 0; x < icon.Size(); ++x) {
      const Rgba& p = icon.At(x, y);
      px.push_back(byte(p.a) << 24 | byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b));
    }
  return px;
}

using classlib::le::Put16;
using classlib::le::Put32;

// One 32-bit entry with straight alpha and an AND mask (set where the picture is fully clear),
// for readers that look at the mask.
std::vector<std::uint8_t> EncodeIco(int size, const std::vector<std::uint32_t>& px) {
  const std::uint32_t maskStride = (static_cast<std::uint32_t>(size) + 31) / 32 * 4;
  const std::uint32_t colours = static_cast<std::uint32_t>(size * size) * 4, mask = maskStride * size;
  const std::uint32_t entry = 40 + colours + mask;
  std::vector<std::uint8_t> out;
  Put16(out, 0), Put16(out, 1), Put16(out, 1);
  out.push_back(static_cast<std::uint8_t>(size)), out.push_back(static_cast<std::uint8_t>(size));
  out.push_back(0), out.push_back(0);
  Put16(out, 1), Put16(out, 32), Put32(out, entry), Put32(out, 6 + 16);
  Put32(out, 40), Put32(out, size), Put32(out, 2 * size), Put16(out, 1), Put16(out, 32);
  Put32(out, 0), Put32(out, colours + mask), Put32(out, 0), Put32(out, 0), Put32(out, 0), Put32(out, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) Put32(out, px[static_cast<std::size_t>(y) * size + x]);
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x)
      if ((px[static_cast<std::size_t>(y) * size + x] >> 24) == 0)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

ImageFile Encode(const std::string& name, const Icon& icon, bool ico) {
  const std::vector<std::uint32_t> px = Pixels(icon);
  ImageFile f;
  f.Ico = ico;
  f.Name = name + (ico ? ".ico" : ".png");
  f.Bytes = ico ? EncodeIco(icon.Size(), px) : skingen::EncodePng(icon.Size(), icon.Size(), px);
  return f;
}

}  // namespace

std::vector<ImageFile> MainWindowImages() {
  // 0-4 tabs, 5 help, 6-9 free, 10/11 configuration write locked/unlocked, 12/13 disconnected/
  // connected; the formats are the ones the window has always kept them in.
  const std::vector<Icon> icons = {Gear(),  Tank(),  Clock(), Probe(),     Counter(),  Help(),      Blank(),
                                   Blank(), Blank(), Blank(), Lock(false), Lock(true), Plug(false), Plug(true)};
  static constexpr bool kIco[] = {false, false, false, false, true, false, true,
                                  true,  false, false, true,  true, false, false};
  std::vector<ImageFile> files;
  for (std::size_t i = 0; i < icons.size(); ++i)
    files.push_back(Encode("main" + std::string(i < 10 ? "0" : "") + std::to_string(i), icons[i], kIco[i]));
  return files;
}

std::vector<ImageFile> PasswordDialogImages() {
  // 0 key, 1 OK, 2 cancel.
  return {Encode("password0", Key(), false), Encode("password1", Check(), true), Encode("password2", Cross(), true)};
}

std::vector<ImageFile> EditButtonGlyphs() {
  return {EncodeStrip("SF", SheetArt), EncodeStrip("SR", FolderArt), EncodeStrip("SD", CalendarArt),
          EncodeStrip("SE", EllipsisArt), EncodeStrip("SC", CalculatorArt)};
}

std::string DescriptionItems(const std::vector<ImageFile>& files, const std::string& indent) {
  std::string out = indent + "Items = <";
  for (std::size_t i = 0; i < files.size(); ++i) {
    out += "\n" + indent + "  item\n";
    out += indent + "    ImageFormat = " + (files[i].Ico ? "ifICO" : "ifPNG") + "\n";
    out += indent + "    ImgData = {";
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t b = 0; b < files[i].Bytes.size(); ++b) {
      if (b % 32 == 0) out += "\n" + indent + "      ";
      out += kDigits[files[i].Bytes[b] >> 4];
      out += kDigits[files[i].Bytes[b] & 15];
    }
    out += "}\n" + indent + "  end";
  }
  return out + ">\n";
}

}  // namespace icongen
