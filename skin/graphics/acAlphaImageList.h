#pragma once
// The alpha image list: an image list whose images keep their per-pixel alpha. Each image is kept
// as the untouched bytes of a PNG or ICO file in an item of Items; the bytes travel in window
// descriptions ("ImgData") and the system list that native controls draw from is built from
// them. Skinned painting takes the images as 32-bit bitmaps (redrawn from the PNG at any size)
// and blends one state cell of them into a cache with DrawAlphaImgList. Win32 only.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Classes.h"
#include "classlib/ImgList.h"
#include "classlib/TypInfo.h"
#include "skin/graphics/acAlphaImageCore.h"

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TsImageFormat>() {
  static const TEnumInfo i{L"TsImageFormat", {L"ifPNG", L"ifICO"}};
  return i;
}
}  // namespace classlib

namespace skin {

class TsAlphaImageList;

class TsImgListItem : public classlib::TCollectionItem {
 public:
  explicit TsImgListItem(classlib::TCollection* Collection);
  ~TsImgListItem() override;
  std::wstring ClassName() const override { return L"TsImgListItem"; }
  static void DeclareProperties(classlib::TClassDecl<TsImgListItem>& d);
  // Format, pixel format, natural size and the file's bytes.
  void Assign(const classlib::TPersistent* Source) override;

  TsImageFormat ImageFormat() const { return FImageFormat; }
  void SetImageFormat(TsImageFormat Value) { FImageFormat = Value; }
  classlib::TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(classlib::TPixelFormat Value) { FPixelFormat = Value; }
  const std::vector<std::uint8_t>& ImgData() const { return FImgData; }
  void SetImgData(std::vector<std::uint8_t> Value);

  // The decoded picture's natural size, recorded when the system list is built.
  int OrigWidth = 0;
  int OrigHeight = 0;
  // The last PNG decoded for this item, at the size last asked for; nil when none.
  std::unique_ptr<classlib::TBitmap> CacheBmp;

 private:
  TsImageFormat FImageFormat = ifPNG;
  classlib::TPixelFormat FPixelFormat = classlib::pf32bit;
  std::vector<std::uint8_t> FImgData;
};

class TsImgListItems : public classlib::TCollectionOf<TsImgListItem> {
 public:
  using classlib::TCollectionOf<TsImgListItem>::TCollectionOf;
  std::wstring ClassName() const override { return L"TsImgListItems"; }
  TsAlphaImageList* List() const;
};

class TsAlphaImageList : public classlib::TCustomImageList {
 public:
  explicit TsAlphaImageList(classlib::TComponent* AOwner);
  TsAlphaImageList(classlib::TComponent* AOwner, int AWidth, int AHeight);
  ~TsAlphaImageList() override;
  std::wstring ClassName() const override { return L"TsAlphaImageList"; }
  // Items, and an empty "Bitmap": the system images are rebuilt from the items.
  static void DeclareProperties(classlib::TClassDecl<TsAlphaImageList>& d);
  void Loaded() override;
  // From another alpha list: its settings and copies of its items (or of its images when it keeps
  // no bytes); any other list goes to the image list's own copy.
  void Assign(const classlib::TPersistent* Source) override;

  TsImgListItems& Items() { return FItems; }
  const TsImgListItems& Items() const { return FItems; }
  void SetItems(const TsImgListItems& Value) { FItems.Assign(&Value); }
  // Empties every item's bytes; the items and the system images stay.
  void ItemsClear();

  // Keep the file bytes once the system list is built (true after construction), so that PNG
  // images can be redrawn at any size with full alpha.
  bool DoubleData = true;
  bool IsDuplicated() const;
  bool StdListIsGenerated() const { return FStdListIsGenerated; }

  // Rebuilds the system list from the items. Decoder errors pass to the caller.
  void GenerateStdList();
  // Image Index as a 32-bit bitmap of Image's size (a kept PNG resampled to it; otherwise the
  // system image). False without a system list, without Image or for an index outside the list.
  bool GetBitmap32(int Index, classlib::TBitmap* Image);
  // A new 32-bit bitmap of image Index at Width x Height; nil when the index gives no image.
  std::unique_ptr<classlib::TBitmap> CreateBitmap32(int Index, int AWidth, int AHeight);
  // The cached picture of a kept PNG item at Width x Height, decoded when the cache holds another
  // size; owned by the item (valid until the next call for it). Nil for other images.
  classlib::TBitmap* CachedBitmap32(int Index, int AWidth, int AHeight);

  // Appends a PNG or ICO file's image; on failure a message box says so. Try... only answers.
  void LoadFromFile(const std::wstring& FileName);
  bool TryLoadFromFile(const std::wstring& FileName);
  // Appends the image of a file already read; false for a format the list does not take.
  bool AddImageFromBytes(std::span<const std::uint8_t> Data, TsImageFormat Format);

  void AcBeginUpdate() { FAcChanging = true; }
  void AcEndUpdate(bool DoChange);

 protected:
  void DoDraw(int Index, classlib::TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;
  void Change() override;

 private:
  void CopyImages(TsAlphaImageList* Source);
  // Appends a decoded 32-bit picture at the list's size.
  bool AppendPicture(classlib::TBitmap* Picture);
  // The kept PNG item behind Index, or nil.
  TsImgListItem* KeptPng(int Index);

  TsImgListItems FItems{this};
  bool FStdListIsGenerated = false;
  bool FAcChanging = false;
};

// Image Format of a file: PNG by its signature, ICO by 00 00 and the extension "ico". The file is
// opened for reading with writers shut out; false when it cannot be read or is neither.
bool GetImageFormat(const std::wstring& FileName, TsImageFormat& Format);

// Appends an image from a module resource: ifICO an icon resource at the list's size, ifPNG a
// raw-data resource kept as a new item. False when there is no such resource or it cannot be read.
bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* ImgList, const std::wstring& ResName, TsImageFormat Format);

// Cell State of NumGlyphs side by side in image ImageIndex of ImgList, blended into DestBmp (32-bit)
// at (Left, Top): Blend a percentage of transparency, GrayedColor a tint (clNone: none), Reflected a
// fading mirror below. NumGlyphs below 1 counts as 1, State is clamped to the cells, and an index
// outside the list draws nothing. The result is the cell's size ({0, 0} when nothing can draw).
TSize DrawAlphaImgList(classlib::TCustomImageList* ImgList, classlib::TBitmap* DestBmp, int Left, int Top,
                       int ImageIndex, int Blend, TColor GrayedColor, int State, int NumGlyphs, bool Reflected);
// The same onto a device context, through a 32-bit copy of what the DC shows there.
void DrawAlphaImgListDC(classlib::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        TColor GrayedColor, int State, int NumGlyphs, bool Reflected);

void RegisterAlphaImageListClasses();

}  // namespace skin
