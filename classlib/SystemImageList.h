#pragma once
// The system image list (HIMAGELIST, 32-bit colour with mask) as the image list component and
// native controls share it: every image lives in the handle only, so images added through the
// API directly (icons appended by a descendant) count and draw like those added here.
// 32-bit bitmaps keep their per-pixel alpha; other bitmaps take their transparency from a mask
// or a mask colour.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "classlib/Bitmap.h"

namespace classlib {

class SystemImageList {
 public:
  SystemImageList() = default;
  ~SystemImageList() { Destroy(); }
  SystemImageList(const SystemImageList&) = delete;
  SystemImageList& operator=(const SystemImageList&) = delete;

  // Creates the list (destroying one held before). Flags: ILC_COLOR32 | ILC_MASK and the like.
  void Create(int Width, int Height, UINT Flags, int AllocBy);
  // Adopts a list; a shared one is not destroyed with us.
  void Adopt(HIMAGELIST Handle, bool Shared);
  void Destroy();
  HIMAGELIST Handle() const { return handle_; }
  int Width() const;
  int Height() const;
  int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

  // Each Width-wide part of Image is one image (an image narrower than the list is one image,
  // the rest transparent). Alpha: a 32-bit image's own when it has any; else Mask's (white:
  // transparent); else opaque. Returns the index of the first image added, -1 on failure.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor become transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(HICON Icon);
  bool Replace(int Index, TBitmap* Image, TBitmap* Mask);
  bool Delete(int Index);
  bool Move(int CurIndex, int NewIndex);
  void Clear();

  // Image Index as straight 0xAARRGGBB pixels, top row first; false for a bad index. Images
  // without alpha of their own get it from their mask.
  bool Pixels(int Index, std::vector<std::uint32_t>& Out) const;
  // The same into a pf32bit bitmap of the list's size.
  bool GetBitmap(int Index, TBitmap* Image) const;
  // Draws through the system list with ILD_* Style; Enabled false draws the image grey and
  // half transparent with our own blending.
  void Draw(HDC DC, int X, int Y, int Index, UINT Style, bool Enabled) const;

 private:
  std::vector<std::vector<std::uint32_t>> Split(TBitmap* Image, TBitmap* Mask, bool keyed, TColor key) const;
  int Append(const std::vector<std::uint32_t>& image);
  void MakeBitmaps(const std::vector<std::uint32_t>& image, GdiObject<HBITMAP>& colour, GdiObject<HBITMAP>& mask) const;

  HIMAGELIST handle_ = nullptr;
  bool shared_ = false;
};

}  // namespace classlib
