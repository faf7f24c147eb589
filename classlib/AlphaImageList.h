#pragma once
// Equal-sized 32-bit images with straight alpha, kept twice: as pixels of our own (drawn with
// AlphaBlend, copied out exactly) and in a system image list (ILC_COLOR32) that tab controls,
// list views and buttons draw from. The image list component is built on it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/Bitmap.h"

namespace classlib {

class AlphaImageList {
 public:
  AlphaImageList(int width, int height);
  ~AlphaImageList();
  AlphaImageList(const AlphaImageList&) = delete;
  AlphaImageList& operator=(const AlphaImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Removes every image.
  void SetSize(int width, int height);

  // Each Width-wide part of Image is one image, added at the end; returns the first index.
  // The alpha comes from a 32-bit image that has any, else from Mask (white: transparent,
  // black: opaque), else every pixel is opaque.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor become transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(HICON Icon);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void Delete(int Index);
  void Move(int CurIndex, int NewIndex);
  void Clear();

  // Blends the image over the canvas; a disabled image is drawn grey and half transparent.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled);
  // Index's straight BGRA pixels into Image (pf32bit, Width x Height).
  bool GetBitmap(int Index, TBitmap* Image) const;
  // One pixel, 0xAARRGGBB; for tests and hit testing.
  std::uint32_t Pixel(int Index, int X, int Y) const;

  // The system image list, created on first use and kept in step from then on.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  // Told after every change.
  std::function<void()> OnChange;

 private:
  using Pixels = std::vector<std::uint32_t>;  // top-down rows, 0xAARRGGBB
  std::vector<Pixels> Split(TBitmap* Image, TBitmap* Mask, bool keyed, TColor key) const;
  void CheckIndex(int Index) const;
  void RebuildHandle();
  void AddToHandle(const Pixels& image);
  void Changed();
  HBITMAP MakeDib(const Pixels& image, bool premultiplied, bool grey) const;

  int width_;
  int height_;
  std::vector<Pixels> images_;
  HIMAGELIST handle_ = nullptr;
};

}  // namespace classlib
