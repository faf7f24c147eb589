#include "classlib/SystemImageList.h"

#include <algorithm>
#include <cstring>

namespace classlib {

namespace {

using Image = std::vector<std::uint32_t>;

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

// A 32-bit copy of any bitmap; its fourth bytes count only when it was 32-bit with some set.
void As32(TBitmap* source, TBitmap& copy, bool& hasAlpha) {
  copy.Assign(source);
  hasAlpha = copy.BitCount() == 32;
  copy.SetPixelFormat(pf32bit);
  if (!hasAlpha) return;
  hasAlpha = false;
  for (int y = 0; y < copy.Height() && !hasAlpha; ++y) {
    const auto* row = static_cast<const std::uint32_t*>(copy.ScanLine(y));
    hasAlpha = std::any_of(row, row + copy.Width(), [](std::uint32_t px) { return (px >> 24) != 0; });
  }
}

HBITMAP TopDownDib(int width, int height, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
  if (!dib || !*bits) throw EOutOfResources(L"Cannot create an image");
  return dib;
}

// The pixels of any bitmap as 32-bit rows, top row first.
bool ReadPixels(HBITMAP bitmap, int width, int height, Image& out) {
  out.assign(static_cast<std::size_t>(width) * height, 0);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ScreenDC screen;
  return GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), out.data(), &bi, DIB_RGB_COLORS) == height;
}

}  // namespace

void SystemImageList::Create(int Width, int Height, UINT Flags, int AllocBy) {
  Destroy();
  handle_ = ImageList_Create(std::max(Width, 1), std::max(Height, 1), Flags, 0, std::max(AllocBy, 1));
  if (!handle_) throw EOutOfResources(L"Cannot create an image list");
  shared_ = false;
}

void SystemImageList::Adopt(HIMAGELIST Handle, bool Shared) {
  if (Handle == handle_) {
    shared_ = Shared;
    return;
  }
  Destroy();
  handle_ = Handle;
  shared_ = Shared;
}

void SystemImageList::Destroy() {
  if (handle_ && !shared_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

int SystemImageList::Width() const {
  int cx = 0, cy = 0;
  if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
  return cx;
}

int SystemImageList::Height() const {
  int cx = 0, cy = 0;
  if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
  return cy;
}

std::vector<std::vector<std::uint32_t>> SystemImageList::Split(TBitmap* Image, TBitmap* Mask, bool keyed,
                                                               TColor key) const {
  const int width = Width(), height = Height();
  if (!Image || Image->Empty() || width <= 0) return {};
  TBitmap colour;
  bool hasAlpha = false;
  As32(Image, colour, hasAlpha);
  TBitmap mask;
  bool unused = false;
  const bool useMask = !hasAlpha && !keyed && Mask && !Mask->Empty();
  if (useMask) As32(Mask, mask, unused);
  const TColor k = ColorToRGB(key);
  const std::uint32_t keyRgb = static_cast<std::uint32_t>(((k & 0xFF) << 16) | (k & 0xFF00) | ((k >> 16) & 0xFF));

  const int count = std::max(1, colour.Width() / width);
  std::vector<std::vector<std::uint32_t>> parts(
      count, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0));
  for (int y = 0; y < std::min(height, colour.Height()); ++y) {
    const auto* src = static_cast<const std::uint32_t*>(colour.ScanLine(y));
    const std::uint32_t* msk =
        useMask && y < mask.Height() ? static_cast<const std::uint32_t*>(mask.ScanLine(y)) : nullptr;
    for (int i = 0; i < count; ++i) {
      std::uint32_t* dst = &parts[i][static_cast<std::size_t>(y) * width];
      for (int x = 0; x < width && i * width + x < colour.Width(); ++x) {
        const int sx = i * width + x;
        std::uint32_t px = src[sx];
        if (!hasAlpha) {
          const bool transparent = msk && sx < mask.Width() && (msk[sx] & 0xFFFFFF) != 0;
          px = transparent ? 0 : (px | 0xFF000000u);
        }
        if (keyed && (px & 0xFFFFFF) == keyRgb) px = 0;
        dst[x] = px;
      }
    }
  }
  return parts;
}

void SystemImageList::MakeBitmaps(const Image& image, GdiObject<HBITMAP>& colour, GdiObject<HBITMAP>& mask) const {
  const int width = Width(), height = Height();
  void* bits = nullptr;
  colour.reset(TopDownDib(width, height, &bits));
  std::memcpy(bits, image.data(), image.size() * 4);
  // For lists drawn without alpha: set bits are transparent.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } mi{};
  mi.header = {sizeof(BITMAPINFOHEADER), width, -height, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
  mi.colours[1] = {255, 255, 255, 0};
  void* maskBits = nullptr;
  mask.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS, &maskBits, nullptr, 0));
  if (!mask || !maskBits) throw EOutOfResources(L"Cannot create an image mask");
  const int stride = ((width + 31) / 32) * 4;
  auto* m = static_cast<std::uint8_t*>(maskBits);
  std::memset(m, 0, static_cast<std::size_t>(stride) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((image[static_cast<std::size_t>(y) * width + x] >> 24) == 0)
        m[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

int SystemImageList::Append(const Image& image) {
  GdiObject<HBITMAP> colour, mask;
  MakeBitmaps(image, colour, mask);
  return ImageList_Add(handle_, colour.get(), mask.get());
}

int SystemImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!handle_) return -1;
  int first = -1;
  for (const auto& part : Split(Image, Mask, false, clNone)) {
    const int index = Append(part);
    if (index < 0) return -1;
    if (first < 0) first = index;
  }
  return first;
}

int SystemImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!handle_) return -1;
  int first = -1;
  for (const auto& part : Split(Image, nullptr, true, MaskColor)) {
    const int index = Append(part);
    if (index < 0) return -1;
    if (first < 0) first = index;
  }
  return first;
}

int SystemImageList::AddIcon(HICON Icon) {
  if (!handle_ || !Icon) return -1;
  return ImageList_ReplaceIcon(handle_, -1, Icon);
}

bool SystemImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  if (!handle_ || Index < 0 || Index >= Count()) return false;
  const auto parts = Split(Image, Mask, false, clNone);
  if (parts.empty()) return false;
  GdiObject<HBITMAP> colour, mask;
  MakeBitmaps(parts.front(), colour, mask);
  return ImageList_Replace(handle_, Index, colour.get(), mask.get());
}

bool SystemImageList::Delete(int Index) {
  if (!handle_ || Index < 0 || Index >= Count()) return false;
  return ImageList_Remove(handle_, Index);
}

bool SystemImageList::Move(int CurIndex, int NewIndex) {
  const int count = Count();
  if (!handle_ || CurIndex < 0 || CurIndex >= count || NewIndex < 0 || NewIndex >= count) return false;
  // Through our own copies: swapping inside the list loses alpha on some systems.
  std::vector<Image> all(count);
  for (int i = 0; i < count; ++i)
    if (!Pixels(i, all[i])) return false;
  Image moving = std::move(all[CurIndex]);
  all.erase(all.begin() + CurIndex);
  all.insert(all.begin() + NewIndex, std::move(moving));
  for (int i = std::min(CurIndex, NewIndex); i <= std::max(CurIndex, NewIndex); ++i) {
    GdiObject<HBITMAP> colour, mask;
    MakeBitmaps(all[i], colour, mask);
    if (!ImageList_Replace(handle_, i, colour.get(), mask.get())) return false;
  }
  return true;
}

void SystemImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
}

bool SystemImageList::Pixels(int Index, std::vector<std::uint32_t>& Out) const {
  if (!handle_ || Index < 0 || Index >= Count()) return false;
  const int width = Width(), height = Height();
  HICON icon = ImageList_GetIcon(handle_, Index, ILD_NORMAL);
  if (!icon) return false;
  ICONINFO info{};
  const bool got = GetIconInfo(icon, &info);
  DestroyIcon(icon);
  if (!got) return false;
  GdiObject<HBITMAP> colourBitmap(info.hbmColor), maskBitmap(info.hbmMask);
  if (!colourBitmap || !ReadPixels(colourBitmap.get(), width, height, Out)) return false;
  const bool hasAlpha = std::any_of(Out.begin(), Out.end(), [](std::uint32_t px) { return (px >> 24) != 0; });
  if (!hasAlpha) {
    std::vector<std::uint32_t> mask;
    const bool masked = maskBitmap && ReadPixels(maskBitmap.get(), width, height, mask);
    for (std::size_t i = 0; i < Out.size(); ++i) Out[i] = masked && (mask[i] & 0xFFFFFF) ? 0 : (Out[i] | 0xFF000000u);
  }
  return true;
}

bool SystemImageList::GetBitmap(int Index, TBitmap* Image) const {
  std::vector<std::uint32_t> px;
  if (!Image || !Pixels(Index, px)) return false;
  const int width = Width(), height = Height();
  Image->SetPixelFormat(pf32bit);
  Image->SetSize(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(Image->ScanLine(y), &px[static_cast<std::size_t>(y) * width], static_cast<std::size_t>(width) * 4);
  return true;
}

void SystemImageList::Draw(HDC DC, int X, int Y, int Index, UINT Style, bool Enabled) const {
  if (!handle_ || !DC || Index < 0 || Index >= Count()) return;
  if (Enabled) {
    ImageList_DrawEx(handle_, Index, DC, X, Y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, Style);
    return;
  }
  std::vector<std::uint32_t> px;
  if (!Pixels(Index, px)) return;
  const int width = Width(), height = Height();
  void* bits = nullptr;
  GdiObject<HBITMAP> dib(TopDownDib(width, height, &bits));
  auto* dst = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < px.size(); ++i) dst[i] = Premultiplied(GreyHalf(px[i]));
  MemoryDC dc;
  const HGDIOBJ old = SelectObject(dc.get(), dib.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(DC, X, Y, width, height, dc.get(), 0, 0, width, height, blend);
  SelectObject(dc.get(), old);
}

}  // namespace classlib
