#include "classlib/Bitmap.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>

#include "classlib/BmpFormat.h"
#include "classlib/CheckedSize.h"

namespace classlib {

// ---- memory DCs of bitmap canvases -------------------------------------------------------

namespace {

std::mutex& ContextsMutex() {
  static std::mutex m;
  return m;
}
std::vector<TBitmapCanvas*>& Contexts() {
  static std::vector<TBitmapCanvas*> list;
  return list;
}

}  // namespace

TBitmapCanvas::TBitmapCanvas(TBitmap* Bitmap) : bitmap_(Bitmap) {}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::ReleaseContext() {
  if (!memoryDC_) return;
  SetHandle(nullptr);
  if (previousBitmap_) SelectObject(memoryDC_, previousBitmap_);
  DeleteDC(memoryDC_);
  memoryDC_ = nullptr;
  previousBitmap_ = nullptr;
}

void TBitmapCanvas::FreeContext() {
  std::lock_guard guard(ContextsMutex());
  if (!memoryDC_) return;
  ReleaseContext();
  auto& list = Contexts();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TBitmapCanvas::CreateHandle() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    FreeMemoryContexts();
    dc = CreateCompatibleDC(nullptr);
    if (!dc) throw EOutOfResources(L"Cannot create a memory device context");
  }
  std::lock_guard guard(ContextsMutex());
  memoryDC_ = dc;
  previousBitmap_ = bitmap_->handle_ ? SelectObject(dc, bitmap_->handle_.get()) : nullptr;
  SetHandle(dc);
  Contexts().push_back(this);
}

void FreeMemoryContexts() {
  // Under the list's lock: a canvas being destroyed waits here in FreeContext, so none of
  // them dies while its DC is released; one locked by a painting thread is left alone.
  std::lock_guard guard(ContextsMutex());
  auto& list = Contexts();
  auto idle = std::stable_partition(list.begin(), list.end(), [](TBitmapCanvas* c) {
    if (!c->TryLock()) return true;
    // Locked before by this very thread (the lock is recursive): in use, keep it too.
    const bool inUse = c->LockCount() > 1;
    if (!inUse) c->ReleaseContext();
    c->Unlock();
    return inUse;
  });
  list.erase(idle, list.end());
}

// ---- pixel formats -----------------------------------------------------------------------

namespace {

int ScreenBitCount() {
  static const int bits = [] {
    ScreenDC dc;
    const int b = dc.get() ? GetDeviceCaps(dc.get(), BITSPIXEL) * GetDeviceCaps(dc.get(), PLANES) : 32;
    return (b == 16 || b == 24 || b == 32) ? b : 32;
  }();
  return bits;
}

int BitCountOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return ScreenBitCount();
  }
}

TPixelFormat FormatOf(int bitCount) {
  switch (bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

bool Is565(TPixelFormat format) { return format == pf16bit; }

// Black and white; the 16 VGA colours; those, a 6x6x6 colour cube and a grey ramp.
std::vector<std::uint32_t> DefaultPalette(int bitCount) {
  std::vector<std::uint32_t> p;
  if (bitCount == 1) return {0x000000, 0xFFFFFF};
  static constexpr std::uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  p.assign(std::begin(kVga), std::end(kVga));
  if (bitCount == 4) return p;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(static_cast<std::uint32_t>((r * 51) << 16 | (g * 51) << 8 | (b * 51)));
  for (int i = 0; p.size() < 256; ++i) {
    const std::uint32_t v = static_cast<std::uint32_t>(8 + i * 10);
    p.push_back(v << 16 | v << 8 | v);
  }
  return p;
}

TColor FromQuad(std::uint32_t quad) {  // 0x00RRGGBB to red-lowest
  return static_cast<TColor>(((quad >> 16) & 0xFF) | (quad & 0xFF00) | ((quad & 0xFF) << 16));
}

struct BitmapInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colors[256]{};
};
// GDI reads the colour table straight after the 40-byte header, in both Windows builds.
static_assert(sizeof(BITMAPINFOHEADER) == 40 && offsetof(BitmapInfo, colors) == 40 && sizeof(RGBQUAD) == 4);

// Selects a bitmap into a fresh memory DC for the duration of a copy.
class Selected {
 public:
  explicit Selected(HBITMAP bitmap) : old_(SelectObject(dc_.get(), bitmap)) {}
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }

 private:
  MemoryDC dc_;
  HGDIOBJ old_;
};

}  // namespace

struct TBitmap::Image {
  GdiObject<HBITMAP> handle;
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int bitCount = 0;
  std::vector<std::uint32_t> palette;
  TPixelFormat format = pfDevice;

  std::size_t Stride() const { return bmp::Dib::StrideOf(width, bitCount); }
  std::uint8_t* Row(int y) const { return bits + Stride() * static_cast<std::size_t>(height - 1 - y); }
};

namespace {
// The header and colour table of a bottom-up DIB of the image's format.
BitmapInfo InfoOf(const TBitmap::Image& img) {
  BitmapInfo info;
  info.header.biSize = sizeof info.header;
  info.header.biWidth = img.width;
  info.header.biHeight = img.height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(img.bitCount);
  info.header.biCompression = BI_RGB;
  if (Is565(img.format)) {
    info.header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.colors, masks, sizeof masks);
  }
  for (std::size_t i = 0; i < img.palette.size(); ++i) {
    std::memcpy(&info.colors[i], &img.palette[i], sizeof(RGBQUAD));
    info.colors[i].rgbReserved = 0;
  }
  info.header.biClrUsed = static_cast<DWORD>(img.palette.size());
  return info;
}
}  // namespace

// ---- TBitmap -----------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() {
  // The DC must let go of the bitmap before the bitmap is deleted.
  canvas_.reset();
}

std::size_t TBitmap::Stride() const { return bmp::Dib::StrideOf(width_, bitCount_); }

TBitmap::Image TBitmap::Allocate(int width, int height, TPixelFormat format,
                                 const std::vector<std::uint32_t>* palette) const {
  Image img;
  img.width = std::max(width, 0);
  img.height = std::max(height, 0);
  img.format = format;
  img.bitCount = BitCountOf(format);
  if (img.bitCount <= 8) img.palette = palette && !palette->empty() ? *palette : DefaultPalette(img.bitCount);
  img.palette.resize(img.bitCount <= 8 ? std::size_t{1} << img.bitCount : 0, 0);
  if (img.width == 0 || img.height == 0) return img;
  if (!CheckedPixelCount(img.width, img.height, bmp::kMaxPixels, bmp::kMaxDimension))
    throw EInvalidGraphicOperation(L"Bitmap size " + std::to_wstring(width) + L" x " + std::to_wstring(height) +
                                   L" is too large");

  BitmapInfo info = InfoOf(img);
  void* bits = nullptr;
  img.handle.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!img.handle || !bits) throw EOutOfResources(L"Cannot create a bitmap");
  img.bits = static_cast<std::uint8_t*>(bits);
  return img;
}

void TBitmap::Replace(Image&& image) {
  if (canvas_) canvas_->FreeContext();
  handle_ = std::move(image.handle);
  bits_ = image.bits;
  width_ = image.width;
  height_ = image.height;
  bitCount_ = image.bitCount;
  palette_ = std::move(image.palette);
  pixelFormat_ = image.format;
  Changed(this);
}

// Copies the overlapping top-left part: byte for byte when the layouts agree (so the fourth
// byte of 32-bit pixels survives), through GDI otherwise.
void TBitmap::CopyPixelsTo(Image& target) const {
  if (!handle_ || !target.handle) return;
  GdiFlush();
  const int w = std::min(width_, target.width);
  const int h = std::min(height_, target.height);
  const bool sameLayout = bitCount_ == target.bitCount &&
                          (bitCount_ != 16 || Is565(pixelFormat_) == Is565(target.format)) &&
                          (bitCount_ > 8 || palette_ == target.palette);
  if (sameLayout) {
    const std::size_t stride = Stride();
    const std::size_t wholeBytes = static_cast<std::size_t>(w) * bitCount_ / 8;
    const int tailPixels = bitCount_ < 8 ? (w * bitCount_ % 8) / bitCount_ : 0;
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* src = bits_ + stride * static_cast<std::size_t>(height_ - 1 - y);
      std::uint8_t* dst = target.Row(y);
      std::memcpy(dst, src, wholeBytes);
      if (tailPixels) {  // the last byte holds pixels of both pictures
        const int keepBits = tailPixels * bitCount_;
        const std::uint8_t mask = static_cast<std::uint8_t>(0xFF00 >> keepBits);
        dst[wholeBytes] = static_cast<std::uint8_t>((src[wholeBytes] & mask) | (dst[wholeBytes] & ~mask));
      }
    }
    return;
  }
  // GDI cannot read a bitmap selected into another DC.
  if (canvas_) canvas_->FreeContext();
  Selected from(handle_.get());
  Selected to(target.handle.get());
  BitBlt(to.dc(), 0, 0, w, h, from.dc(), 0, 0, SRCCOPY);
  GdiFlush();
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  Image img = Allocate(AWidth, AHeight, pixelFormat_, &palette_);
  if (img.handle) {
    const TColor fill = canvas_ ? canvas_->Brush()->Color() : clWhite;
    Selected sel(img.handle.get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(fill))));
    const RECT all{0, 0, img.width, img.height};
    ::FillRect(sel.dc(), &all, brush.get());
    GdiFlush();
  }
  CopyPixelsTo(img);
  Replace(std::move(img));
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pixelFormat_) return;
  if (Value == pfCustom) throw EInvalidGraphicOperation(L"Unsupported pixel format");
  Image img = Allocate(width_, height_, Value, nullptr);
  CopyPixelsTo(img);
  Replace(std::move(img));
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == bhDDB) {
    SetPixelFormat(pfDevice);
  } else if (pixelFormat_ == pfDevice) {
    const int bits = ScreenBitCount();
    SetPixelFormat(bits == 16 ? pf15bit : FormatOf(bits));
  }
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
  if (Value == alphaFormat_) return;
  alphaFormat_ = Value;
  Changed(this);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
    canvas_->OnChange = [this](TObject*) { Changed(this); };
  }
  return canvas_.get();
}

void TBitmap::Changed(TObject* Sender) { TGraphic::Changed(Sender); }

void* TBitmap::ScanLine(int Row) {
  if (!handle_ || Row < 0 || Row >= height_) throw EInvalidGraphicOperation(L"Scan line index out of range");
  GdiFlush();
  return bits_ + Stride() * static_cast<std::size_t>(height_ - 1 - Row);
}

TImage32View TBitmap::Image32View() {
  if (Empty() || !handle_) return {};
  if (bitCount_ != 32) throw EInvalidGraphicOperation(L"A 32-bit view needs a pf32bit bitmap");
  GdiFlush();
  const auto stride = static_cast<std::ptrdiff_t>(Stride());
  return {static_cast<std::uint8_t*>(ScanLine(0)), width_, height_, -stride};
}

TColor TBitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = bits_ + Stride() * static_cast<std::size_t>(height_ - 1 - y);
  switch (bitCount_) {
    case 1: return FromQuad(palette_[(row[x / 8] >> (7 - x % 8)) & 1]);
    case 4: return FromQuad(palette_[(row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F]);
    case 8: return FromQuad(palette_[row[x]]);
    case 16: {
      const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
      unsigned r, g, b;
      if (Is565(pixelFormat_)) {
        r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        g = (g * 255 + 31) / 63;
      } else {
        r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        g = (g * 255 + 15) / 31;
      }
      r = (r * 255 + 15) / 31;
      b = (b * 255 + 15) / 31;
      return static_cast<TColor>(r | (g << 8) | (b << 16));
    }
    default: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * (bitCount_ / 8);
      return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
    }
  }
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty() || !handle_) return clNone;
  GdiFlush();
  return PixelColor(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == transparentColor_ && transparentMode_ == (Value == clDefault ? tmAuto : tmFixed)) return;
  transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
  transparentColor_ = Value;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == transparentMode_) return;
  if (Value == tmAuto) {
    SetTransparentColor(clDefault);
  } else {
    SetTransparentColor(TransparentColor());
  }
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || Empty() || !handle_) return;
  const HDC dst = ACanvas->Handle();
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  if (bitCount_ == 32 && alphaFormat_ != afIgnored) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (alphaFormat_ == afPremultiplied) {
      AlphaBlend(dst, Rect.Left, Rect.Top, w, h, Canvas()->Handle(), 0, 0, width_, height_, blend);
      return;
    }
    // Straight alpha: blend a premultiplied copy, the picture itself stays as it is.
    Image tmp = Allocate(width_, height_, pf32bit, nullptr);
    GdiFlush();
    const std::size_t stride = Stride();
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* s = bits_ + stride * y;
      std::uint8_t* d = tmp.bits + stride * y;
      for (int x = 0; x < width_; ++x, s += 4, d += 4) {
        const unsigned a = s[3];
        d[0] = static_cast<std::uint8_t>((s[0] * a + 127) / 255);
        d[1] = static_cast<std::uint8_t>((s[1] * a + 127) / 255);
        d[2] = static_cast<std::uint8_t>((s[2] * a + 127) / 255);
        d[3] = static_cast<std::uint8_t>(a);
      }
    }
    Selected src(tmp.handle.get());
    AlphaBlend(dst, Rect.Left, Rect.Top, w, h, src.dc(), 0, 0, width_, height_, blend);
    return;
  }
  if (Transparent()) {
    const COLORREF key = static_cast<COLORREF>(ColorToRGB(TransparentColor()));
    TransparentBlt(dst, Rect.Left, Rect.Top, w, h, Canvas()->Handle(), 0, 0, width_, height_, key);
    return;
  }
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, Rect.Left, Rect.Top, w, h, Canvas()->Handle(), 0, 0, width_, height_, ACanvas->CopyMode());
  SetStretchBltMode(dst, oldMode);
}

void TBitmap::Assign(const TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    Replace(Image{});
    return;
  }
  if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
    Image img = Allocate(b->width_, b->height_, b->pixelFormat_, &b->palette_);
    if (img.handle && b->handle_) {
      GdiFlush();
      std::memcpy(img.bits, b->bits_, img.Stride() * img.height);
    }
    alphaFormat_ = b->alphaFormat_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    const bool transparent = b->Transparent();
    Replace(std::move(img));
    SetTransparent(transparent);
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(Source)) {
    // Drawing does not change the source; only lazily decoded pictures cache something.
    auto* source = const_cast<TGraphic*>(g);
    Replace(Allocate(0, 0, pixelFormat_, &palette_));
    SetSize(source->Width(), source->Height());
    if (!Empty()) Canvas()->Draw(0, 0, source);
    return;
  }
  TGraphic::Assign(Source);
}

std::vector<std::uint32_t> TBitmap::ReadPalette(HBITMAP bitmap) const {
  std::vector<std::uint32_t> p(256, 0);
  Selected sel(bitmap);
  const UINT n = GetDIBColorTable(sel.dc(), 0, 256, reinterpret_cast<RGBQUAD*>(p.data()));
  p.resize(n);
  for (auto& q : p) q &= 0xFFFFFF;
  return p;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == handle_.get()) return;
  if (!Value) {
    Replace(Image{});
    return;
  }
  // Ours from here on. Its rows are copied into a DIB of our own: the system does not tell
  // whether a DIB section is stored top-down, and device-dependent bitmaps have no rows at all.
  GdiObject<HBITMAP> taken(Value);
  DIBSECTION ds{};
  const int size = GetObjectW(Value, sizeof ds, &ds);
  if (size == 0) throw EInvalidGraphic(L"Not a bitmap handle");
  const bool isDib = size == static_cast<int>(sizeof ds);
  const int bc = ds.dsBm.bmBitsPixel * std::max<int>(ds.dsBm.bmPlanes, 1);
  TPixelFormat format = pf24bit;
  if (bc == 1)
    format = pf1bit;
  else if (bc == 4 && isDib)
    format = pf4bit;
  else if (bc <= 8 && isDib)
    format = pf8bit;
  else if (bc == 32)
    format = pf32bit;
  std::vector<std::uint32_t> palette;
  if (isDib && bc <= 8) palette = ReadPalette(Value);
  Image img = Allocate(ds.dsBm.bmWidth, std::abs(ds.dsBm.bmHeight), format, &palette);
  if (img.handle) {
    BitmapInfo info = InfoOf(img);
    ScreenDC screen;
    if (GetDIBits(screen.get(), Value, 0, static_cast<UINT>(img.height), img.bits, reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) == 0)
      throw EInvalidGraphic(L"Cannot read the bitmap handle");
    for (std::size_t i = 0; i < img.palette.size(); ++i) {
      std::memcpy(&img.palette[i], &info.colors[i], sizeof(RGBQUAD));
      img.palette[i] &= 0xFFFFFF;
    }
    if (!img.palette.empty()) {
      Selected sel(img.handle.get());
      SetDIBColorTable(sel.dc(), 0, static_cast<UINT>(img.palette.size()),
                       reinterpret_cast<const RGBQUAD*>(img.palette.data()));
    }
  }
  Replace(std::move(img));
}

HBITMAP TBitmap::ReleaseHandle() {
  if (canvas_) canvas_->FreeContext();
  HBITMAP h = handle_.release();
  Image empty;
  empty.format = pixelFormat_;
  Replace(std::move(empty));
  return h;
}

void TBitmap::LoadFromDib(const bmp::Dib& dib) {
  Image img = Allocate(dib.Width, dib.Height, FormatOf(dib.BitCount), &dib.Palette);
  std::memcpy(img.bits, dib.Bits.data(), dib.Bits.size());
  Replace(std::move(img));
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> Data) { LoadFromDib(bmp::ReadBmpFile(Data)); }

void TBitmap::LoadFromStream(TStream& Stream) {
  const std::int64_t position = Stream.Position();
  const std::int64_t remaining = std::max<std::int64_t>(Stream.Size() - position, 0);
  std::int64_t count = remaining;
  if (remaining >= 14) {
    std::uint8_t header[14];
    Stream.ReadBuffer(header, 14);
    Stream.SetPosition(position);
    const std::uint32_t fileSize = static_cast<std::uint32_t>(header[2] | header[3] << 8 | header[4] << 16) |
                                   static_cast<std::uint32_t>(header[5]) << 24;
    if (header[0] == 'B' && header[1] == 'M' && fileSize > 14 && fileSize <= remaining) count = fileSize;
  }
  std::vector<std::uint8_t> data = ReadGraphicBytes(Stream, count);
  try {
    LoadFromBytes(data);
  } catch (const EInvalidGraphic&) {
    if (count == remaining) throw;
    // Some writers put a wrong size in the header: try the whole rest before giving up.
    std::vector<std::uint8_t> rest = ReadGraphicBytes(Stream, remaining - count);
    data.insert(data.end(), rest.begin(), rest.end());
    LoadFromBytes(data);
  }
}

void TBitmap::LoadFromResource(HINSTANCE Instance, const wchar_t* Name, const std::wstring& Label) {
  HRSRC res = FindResourceW(Instance, Name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (!res) throw EResNotFound(L"Resource " + Label + L" not found");
  HGLOBAL data = LoadResource(Instance, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EInvalidGraphic(L"Bitmap resource " + Label + L" cannot be loaded");
  LoadFromDib(bmp::ReadPackedDib(
      {static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(SizeofResource(Instance, res))}));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::wstring& ResName) {
  LoadFromResource(Instance, ResName.c_str(), ResName);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  LoadFromResource(Instance, MAKEINTRESOURCEW(ResID), L"#" + std::to_wstring(ResID));
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
  if (Empty() || !handle_) throw EInvalidGraphicOperation(L"Cannot save an empty bitmap");
  GdiFlush();
  bmp::Dib dib;
  dib.Width = width_;
  dib.Height = height_;
  if (bitCount_ == 16) {  // written as 24-bit: readers of 16-bit files disagree on the layout
    dib.BitCount = 24;
    dib.Bits.assign(dib.Stride() * height_, 0);
    for (int y = 0; y < height_; ++y) {
      std::uint8_t* d = &dib.Bits[dib.Stride() * (height_ - 1 - y)];
      for (int x = 0; x < width_; ++x) {
        const TColor c = PixelColor(x, y);
        *d++ = static_cast<std::uint8_t>(c >> 16);
        *d++ = static_cast<std::uint8_t>(c >> 8);
        *d++ = static_cast<std::uint8_t>(c);
      }
    }
  } else {
    dib.BitCount = bitCount_;
    dib.Palette = palette_;
    dib.Bits.assign(bits_, bits_ + Stride() * height_);
  }
  return bmp::WriteBmpFile(dib);
}

}  // namespace classlib
