#include "classlib/AlphaImageList.h"

#include <algorithm>
#include <cstring>

namespace classlib {

namespace {

constexpr int kMaxImageSide = 1024;

std::uint32_t Premultiplied(std::uint32_t px) {
  const std::uint32_t a = px >> 24;
  auto ch = [&](int shift) { return ((((px >> shift) & 0xFF) * a + 127) / 255) << shift; };
  return (a << 24) | ch(16) | ch(8) | ch(0);
}

std::uint32_t GreyHalf(std::uint32_t px) {
  const std::uint32_t r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
  const std::uint32_t y = (r * 77 + g * 150 + b * 29 + 128) >> 8;
  return ((px >> 24) / 2) << 24 | y << 16 | y << 8 | y;
}

// A 32-bit copy of any bitmap; its fourth bytes are its own only when it was 32-bit already.
void As32(TBitmap* source, TBitmap& copy, bool& hasAlpha) {
  copy.Assign(source);
  hasAlpha = copy.BitCount() == 32;
  copy.SetPixelFormat(pf32bit);
  if (!hasAlpha) return;
  hasAlpha = false;
  for (int y = 0; y < copy.Height() && !hasAlpha; ++y) {
    const auto* row = static_cast<const std::uint32_t*>(copy.ScanLine(y));
    for (int x = 0; x < copy.Width(); ++x)
      if (row[x] >> 24) {
        hasAlpha = true;
        break;
      }
  }
}

// Nearest-neighbour scaling that keeps all four bytes of each pixel.
void Scaled32(TBitmap* source, int width, int height, TBitmap& out) {
  TBitmap copy;
  copy.Assign(source);
  copy.SetPixelFormat(pf32bit);
  out.SetPixelFormat(pf32bit);
  out.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* src = static_cast<const std::uint32_t*>(copy.ScanLine(y * copy.Height() / height));
    auto* dst = static_cast<std::uint32_t*>(out.ScanLine(y));
    for (int x = 0; x < width; ++x) dst[x] = src[x * copy.Width() / width];
  }
}

}  // namespace

AlphaImageList::AlphaImageList(int width, int height) : width_(1), height_(1) { SetSize(width, height); }

AlphaImageList::~AlphaImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void AlphaImageList::SetSize(int width, int height) {
  width_ = std::clamp(width, 1, kMaxImageSide);
  height_ = std::clamp(height, 1, kMaxImageSide);
  images_.clear();
  if (handle_) ImageList_SetIconSize(handle_, width_, height_);  // also removes every image
  Changed();
}

void AlphaImageList::Changed() {
  if (OnChange) OnChange();
}

void AlphaImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EInvalidGraphicOperation(L"Image index " + std::to_wstring(Index) + L" out of range");
}

std::vector<AlphaImageList::Pixels> AlphaImageList::Split(TBitmap* Image, TBitmap* Mask, bool keyed,
                                                          TColor key) const {
  if (!Image || Image->Empty()) throw EInvalidGraphicOperation(L"Cannot add an empty image");
  TBitmap colour;
  bool hasAlpha = false;
  As32(Image, colour, hasAlpha);
  TBitmap mask;
  bool unused = false;
  const bool useMask = !hasAlpha && !keyed && Mask && !Mask->Empty();
  if (useMask) As32(Mask, mask, unused);
  const std::uint32_t keyRgb = [&] {
    const TColor c = ColorToRGB(key);
    return static_cast<std::uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
  }();

  const int count = std::max(1, colour.Width() / width_);
  std::vector<Pixels> out(count, Pixels(static_cast<std::size_t>(width_) * height_, 0));
  const int rows = std::min(height_, colour.Height());
  for (int y = 0; y < rows; ++y) {
    const auto* src = static_cast<const std::uint32_t*>(colour.ScanLine(y));
    const std::uint32_t* msk =
        useMask && y < mask.Height() ? static_cast<const std::uint32_t*>(mask.ScanLine(y)) : nullptr;
    for (int i = 0; i < count; ++i) {
      std::uint32_t* dst = &out[i][static_cast<std::size_t>(y) * width_];
      for (int x = 0; x < width_; ++x) {
        const int sx = i * width_ + x;
        if (sx >= colour.Width()) break;
        std::uint32_t px = src[sx];
        if (hasAlpha) {
          // Straight alpha as stored.
        } else if (msk) {
          const bool transparent = sx < mask.Width() && (msk[sx] & 0xFFFFFF) != 0;
          px = transparent ? 0 : (px | 0xFF000000u);
        } else {
          px |= 0xFF000000u;
        }
        if (keyed && (px & 0xFFFFFF) == keyRgb) px = 0;
        dst[x] = px;
      }
    }
  }
  return out;
}

HBITMAP AlphaImageList::MakeDib(const Pixels& image, bool premultiplied, bool grey) const {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;  // top-down like our rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) throw EOutOfResources(L"Cannot create an image");
  auto* dst = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < image.size(); ++i) {
    std::uint32_t px = grey ? GreyHalf(image[i]) : image[i];
    dst[i] = premultiplied ? Premultiplied(px) : px;
  }
  return dib;
}

void AlphaImageList::AddToHandle(const Pixels& image) {
  GdiObject<HBITMAP> colour(MakeDib(image, false, false));
  // The mask serves image lists that draw without alpha: set bits are transparent.
  const int maskStride = ((width_ + 31) / 32) * 4;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * height_, 0);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if ((image[static_cast<std::size_t>(y) * width_ + x] >> 24) == 0)
        maskBits[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } mi{};
  mi.header = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
  mi.colours[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  GdiObject<HBITMAP> mask(
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!mask || !bits) throw EOutOfResources(L"Cannot create an image mask");
  std::memcpy(bits, maskBits.data(), maskBits.size());
  if (ImageList_Add(handle_, colour.get(), mask.get()) < 0) throw EOutOfResources(L"Cannot add to the image list");
}

void AlphaImageList::RebuildHandle() {
  if (!handle_) return;
  ImageList_Remove(handle_, -1);
  for (const Pixels& image : images_) AddToHandle(image);
}

HIMAGELIST AlphaImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, std::max(Count(), 4), 4);
    if (!handle_) throw EOutOfResources(L"Cannot create an image list");
    for (const Pixels& image : images_) AddToHandle(image);
  }
  return handle_;
}

int AlphaImageList::Add(TBitmap* Image, TBitmap* Mask) {
  std::vector<Pixels> parts = Split(Image, Mask, false, clNone);
  const int first = Count();
  for (Pixels& p : parts) {
    if (handle_) AddToHandle(p);
    images_.push_back(std::move(p));
  }
  Changed();
  return first;
}

int AlphaImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  std::vector<Pixels> parts = Split(Image, nullptr, true, MaskColor);
  const int first = Count();
  for (Pixels& p : parts) {
    if (handle_) AddToHandle(p);
    images_.push_back(std::move(p));
  }
  Changed();
  return first;
}

int AlphaImageList::AddIcon(HICON Icon) {
  ICONINFO info{};
  if (!Icon || !GetIconInfo(Icon, &info)) throw EInvalidGraphic(L"Not an icon");
  TBitmap colour, mask;
  mask.SetHandle(info.hbmMask);  // ours now, like the colour bitmap
  if (!info.hbmColor) throw EInvalidGraphic(L"Monochrome icons are not supported");
  colour.SetHandle(info.hbmColor);
  // One icon is one image, at the list's size whatever its own.
  TBitmap fittedColour, fittedMask;
  Scaled32(&colour, width_, height_, fittedColour);
  Scaled32(&mask, width_, height_, fittedMask);
  if (colour.BitCount() != 32) fittedColour.SetPixelFormat(pf24bit);  // its fourth bytes mean nothing
  return Add(&fittedColour, &fittedMask);
}

void AlphaImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  std::vector<Pixels> parts = Split(Image, Mask, false, clNone);
  images_[Index] = std::move(parts.front());
  RebuildHandle();
  Changed();
}

void AlphaImageList::Delete(int Index) {
  CheckIndex(Index);
  images_.erase(images_.begin() + Index);
  if (handle_) ImageList_Remove(handle_, Index);
  Changed();
}

void AlphaImageList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  Pixels moving = std::move(images_[CurIndex]);
  images_.erase(images_.begin() + CurIndex);
  images_.insert(images_.begin() + NewIndex, std::move(moving));
  RebuildHandle();
  Changed();
}

void AlphaImageList::Clear() {
  images_.clear();
  if (handle_) ImageList_Remove(handle_, -1);
  Changed();
}

void AlphaImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  GdiObject<HBITMAP> dib(MakeDib(images_[Index], true, !Enabled));
  MemoryDC dc;
  const HGDIOBJ old = SelectObject(dc.get(), dib.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(Canvas->Handle(), X, Y, width_, height_, dc.get(), 0, 0, width_, height_, blend);
  SelectObject(dc.get(), old);
}

bool AlphaImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetPixelFormat(pf32bit);
  Image->SetSize(width_, height_);
  const Pixels& src = images_[Index];
  for (int y = 0; y < height_; ++y)
    std::memcpy(Image->ScanLine(y), &src[static_cast<std::size_t>(y) * width_], static_cast<std::size_t>(width_) * 4);
  return true;
}

std::uint32_t AlphaImageList::Pixel(int Index, int X, int Y) const {
  CheckIndex(Index);
  if (X < 0 || Y < 0 || X >= width_ || Y >= height_) return 0;
  return images_[Index][static_cast<std::size_t>(Y) * width_ + X];
}

}  // namespace classlib
