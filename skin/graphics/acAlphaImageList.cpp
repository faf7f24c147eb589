#include "skin/graphics/acAlphaImageList.h"

#include <algorithm>
#include <cstring>

#include "classlib/Dialogs.h"
#include "classlib/ScopeExit.h"
#include "classlib/Streams.h"
#include "skin/graphics/IcoReader.h"
#include "skin/graphics/acPNG.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin {

using classlib::TBitmap;

namespace {

// A picture of the portable core as a 32-bit bitmap of the class library.
std::unique_ptr<TBitmap> ToBitmap(const TBitmap32& picture) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(classlib::pf32bit);
  bmp->SetSize(picture.Width(), picture.Height());
  const TImage32View view = bmp->Image32View();
  for (int y = 0; y < picture.Height(); ++y)
    std::memcpy(view.Row(y), &picture.At(0, y), static_cast<std::size_t>(picture.Width()) * 4);
  return bmp;
}

// A picture not made 32-bit by its decoder becomes 32-bit, opaque where it is not background.
void Make32(TBitmap* bmp) {
  if (bmp->PixelFormat() == classlib::pf32bit) return;
  bmp->SetPixelFormat(classlib::pf32bit);
  FixOpacity(bmp->Image32View());
}

bool HasAlpha(const TImage32View& img) {
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (img.At(x, y).A != 0) return true;
  return false;
}

std::unique_ptr<TBitmap> DecodePng(const std::vector<std::uint8_t>& bytes) {
  TPNGGraphic png;
  png.LoadFromBytes(bytes);
  auto bmp = std::make_unique<TBitmap>();
  bmp->Assign(&png);
  Make32(bmp.get());
  return bmp;
}

// Pic as a new bitmap of W x H: itself when it has that size, else resampled.
std::unique_ptr<TBitmap> Sized(std::unique_ptr<TBitmap> pic, int w, int h) {
  if (pic->Width() == w && pic->Height() == h) return pic;
  auto out = std::make_unique<TBitmap>();
  Stretch(pic.get(), out.get(), w, h, TFilterType::ftMitchell);
  Make32(out.get());
  return out;
}

std::unique_ptr<TBitmap> CopyOf(TBitmap* bmp) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bmp);
  return copy;
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& fileName) {
  classlib::TFileStream file(fileName, classlib::fmOpenRead | classlib::fmShareDenyWrite);
  const std::int64_t size = file.Size();
  if (size < 0 || size > (std::int64_t{1} << 30)) throw classlib::EReadError(L"File too large: " + fileName);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && file.Read(bytes.data(), size) != size) throw classlib::EReadError(L"Cannot read " + fileName);
  return bytes;
}

}  // namespace

// ---- TsImgListItem ------------------------------------------------------------------------------

TsImgListItem::TsImgListItem(classlib::TCollection* Collection) : classlib::TCollectionItem(Collection) {}
TsImgListItem::~TsImgListItem() = default;

void TsImgListItem::DeclareProperties(classlib::TClassDecl<TsImgListItem>& d) {
  // No value is the default, so the format is always written.
  d.Enum(L"ImageFormat", &TsImgListItem::ImageFormat, &TsImgListItem::SetImageFormat, static_cast<TsImageFormat>(-1));
  d.Enum(L"PixelFormat", &TsImgListItem::PixelFormat, &TsImgListItem::SetPixelFormat, classlib::pf32bit);
  d.Binary(L"ImgData", &TsImgListItem::ImgData,
           [](TsImgListItem* i, const std::vector<std::uint8_t>& v) { i->SetImgData(v); });
}

void TsImgListItem::Assign(const classlib::TPersistent* Source) {
  const auto* src = dynamic_cast<const TsImgListItem*>(Source);
  if (src == nullptr) return classlib::TCollectionItem::Assign(Source);
  FImageFormat = src->FImageFormat;
  FPixelFormat = src->FPixelFormat;
  OrigWidth = src->OrigWidth;
  OrigHeight = src->OrigHeight;
  SetImgData(src->FImgData);
}

void TsImgListItem::SetImgData(std::vector<std::uint8_t> Value) {
  FImgData = std::move(Value);
  CacheBmp.reset();
}

TsAlphaImageList* TsImgListItems::List() const { return dynamic_cast<TsAlphaImageList*>(Owner()); }

// ---- TsAlphaImageList ---------------------------------------------------------------------------

void TsAlphaImageList::DeclareProperties(classlib::TClassDecl<TsAlphaImageList>& d) {
  d.Collection(L"Items", [](TsAlphaImageList* l) { return &l->Items(); });
  d.Binary(
      L"Bitmap", [](TsAlphaImageList*) { return std::vector<std::uint8_t>{}; },
      [](TsAlphaImageList*, const std::vector<std::uint8_t>&) {});
}

TsAlphaImageList::TsAlphaImageList(classlib::TComponent* AOwner) : classlib::TCustomImageList(AOwner) {}
TsAlphaImageList::TsAlphaImageList(classlib::TComponent* AOwner, int AWidth, int AHeight)
    : classlib::TCustomImageList(AOwner, AWidth, AHeight) {}
TsAlphaImageList::~TsAlphaImageList() = default;

bool TsAlphaImageList::IsDuplicated() const { return DoubleData || ComponentState().Contains(classlib::csDesigning); }

void TsAlphaImageList::Loaded() {
  classlib::TCustomImageList::Loaded();
  if (!FStdListIsGenerated) GenerateStdList();
  FStdListIsGenerated = true;
}

void TsAlphaImageList::ItemsClear() {
  for (int i = 0; i < FItems.Count(); ++i) FItems[i]->SetImgData({});
}

void TsAlphaImageList::AcEndUpdate(bool DoChange) {
  FAcChanging = false;
  if (DoChange) Change();
}

bool TsAlphaImageList::AppendPicture(TBitmap* Picture) {
  std::unique_ptr<TBitmap> sized = Sized(CopyOf(Picture), Width(), Height());
  return Add(sized.get()) >= 0;
}

void TsAlphaImageList::GenerateStdList() {
  Handle();
  AcBeginUpdate();
  classlib::TScopeExit resume([this] { FAcChanging = false; });
  Clear();
  for (int i = 0; i < FItems.Count(); ++i) {
    TsImgListItem* item = FItems[i];
    std::unique_ptr<TBitmap> picture;
    if (item->ImageFormat() == ifPNG)
      picture = DecodePng(item->ImgData());
    else
      picture = ToBitmap(ReadIco(item->ImgData(), Width(), Height()));
    item->OrigWidth = picture->Width();
    item->OrigHeight = picture->Height();
    AppendPicture(picture.get());
  }
  if (FItems.Count() > 0) {
    FStdListIsGenerated = true;
    if (!IsDuplicated()) ItemsClear();
  }
}

TsImgListItem* TsAlphaImageList::KeptPng(int Index) {
  if (!IsDuplicated() || Index < 0 || Index >= FItems.Count()) return nullptr;
  TsImgListItem* item = FItems[Index];
  return item->ImageFormat() == ifPNG && !item->ImgData().empty() ? item : nullptr;
}

bool TsAlphaImageList::GetBitmap32(int Index, TBitmap* Image) {
  if (Image == nullptr || !HandleAllocated() || Index < 0 || Index >= Count()) return false;
  if (TsImgListItem* item = KeptPng(Index)) {
    const int w = Image->Empty() ? Width() : Image->Width(), h = Image->Empty() ? Height() : Image->Height();
    if (item->CacheBmp && item->CacheBmp->Width() == w && item->CacheBmp->Height() == h) {
      Image->Assign(item->CacheBmp.get());
      return true;
    }
    item->CacheBmp.reset();
    std::unique_ptr<TBitmap> picture = Sized(DecodePng(item->ImgData()), w, h);
    Image->Assign(picture.get());
    item->CacheBmp = std::move(picture);
    return true;
  }
  if (!GetBitmap(Index, Image)) return false;
  Make32(Image);
  return true;
}

std::unique_ptr<TBitmap> TsAlphaImageList::CreateBitmap32(int Index, int AWidth, int AHeight) {
  if (!HandleAllocated() || Index < 0 || Index >= Count() || AWidth <= 0 || AHeight <= 0) return nullptr;
  if (TBitmap* cached = CachedBitmap32(Index, AWidth, AHeight)) return CopyOf(cached);
  auto image = std::make_unique<TBitmap>();
  if (!GetBitmap(Index, image.get())) return nullptr;
  Make32(image.get());
  return Sized(std::move(image), AWidth, AHeight);
}

TBitmap* TsAlphaImageList::CachedBitmap32(int Index, int AWidth, int AHeight) {
  TsImgListItem* item = KeptPng(Index);
  if (item == nullptr || !HandleAllocated() || Index >= Count() || AWidth <= 0 || AHeight <= 0) return nullptr;
  if (!item->CacheBmp || item->CacheBmp->Width() != AWidth || item->CacheBmp->Height() != AHeight)
    item->CacheBmp = Sized(DecodePng(item->ImgData()), AWidth, AHeight);
  return item->CacheBmp.get();
}

void TsAlphaImageList::DoDraw(int Index, classlib::TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  if (!HandleAllocated() || Index < 0) return;
  if (KeptPng(Index) == nullptr) return classlib::TCustomImageList::DoDraw(Index, Canvas, X, Y, Style, Enabled);
  std::unique_ptr<TBitmap> image = CreateBitmap32(Index, Width(), Height());
  if (!image) return;
  TBitmap work;
  work.SetPixelFormat(classlib::pf32bit);
  work.SetSize(Width(), Height());
  Canvas->Lock();
  classlib::TScopeExit unlock([Canvas] { Canvas->Unlock(); });
  BitBlt(work.Canvas()->Handle(), 0, 0, Width(), Height(), Canvas->Handle(), X, Y, SRCCOPY);
  const TRect all{0, 0, Width(), Height()};
  CopyBmp32(all, all, work.Image32View(), image->Image32View(), TCacheInfo32{}, false, classlib::clNone, 0, false);
  BitBlt(Canvas->Handle(), X, Y, Width(), Height(), work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsAlphaImageList::Change() {
  if (FAcChanging || !HandleAllocated() || ComponentState().Contains(classlib::csLoading) || !FStdListIsGenerated)
    return;
  if (IsDuplicated() && FItems.Count() >= Count()) {
    AcBeginUpdate();
    classlib::TScopeExit resume([this] { FAcChanging = false; });
    if (Count() < FItems.Count()) {
      GenerateStdList();
    } else {
      // Images that came in without alpha (a plain bitmap added by code) become opaque except
      // where they hold the key colour.
      TBitmap image;
      for (int i = 0; i < Count(); ++i) {
        if (!GetBitmap(i, &image) || image.PixelFormat() != classlib::pf32bit) continue;
        const TImage32View view = image.Image32View();
        if (HasAlpha(view)) continue;
        for (int y = 0; y < view.Height; ++y)
          for (int x = 0; x < view.Width; ++x) {
            TsColor_& p = view.At(x, y);
            if (!(p.R == 0xFF && p.G == 0 && p.B == 0xFF)) p.A = 255;
          }
        Replace(i, &image, nullptr);
      }
    }
  }
  classlib::TCustomImageList::Change();
}

bool TsAlphaImageList::AddImageFromBytes(std::span<const std::uint8_t> Data, TsImageFormat Format) {
  Handle();
  std::unique_ptr<TBitmap> picture;
  classlib::TPixelFormat pixelFormat = classlib::pf32bit;
  if (Format == ifPNG) {
    picture = DecodePng(std::vector<std::uint8_t>(Data.begin(), Data.end()));
  } else {
    picture = ToBitmap(ReadIco(Data, Width(), Height()));
    if (IcoEntryBitCount(Data, Width(), Height()) != 32) pixelFormat = classlib::pf24bit;
  }
  bool added = false;
  {
    AcBeginUpdate();
    classlib::TScopeExit resume([this] { FAcChanging = false; });
    if (IsDuplicated()) {
      TsImgListItem* item = FItems.Add();
      item->SetImageFormat(Format);
      item->SetPixelFormat(pixelFormat);
      item->SetImgData(std::vector<std::uint8_t>(Data.begin(), Data.end()));
      item->OrigWidth = picture->Width();
      item->OrigHeight = picture->Height();
    }
    added = AppendPicture(picture.get());
    FStdListIsGenerated = true;
  }
  Change();
  return added;
}

bool TsAlphaImageList::TryLoadFromFile(const std::wstring& FileName) {
  TsImageFormat format;
  if (!GetImageFormat(FileName, format)) return false;
  try {
    return AddImageFromBytes(ReadFileBytes(FileName), format);
  } catch (const classlib::Exception&) {
    return false;
  }
}

void TsAlphaImageList::LoadFromFile(const std::wstring& FileName) {
  if (TryLoadFromFile(FileName)) return;
  classlib::ShowMessageBox(nullptr, L"Cannot load " + FileName + L"\r\nInvalid or unexpected image format.", L"Error",
                           MB_ICONERROR | MB_OK);
}

void TsAlphaImageList::Assign(const classlib::TPersistent* Source) {
  auto* src = dynamic_cast<TsAlphaImageList*>(const_cast<classlib::TPersistent*>(Source));
  if (src == nullptr || src == this) return classlib::TCustomImageList::Assign(Source);
  AcBeginUpdate();
  classlib::TScopeExit resume([this] { FAcChanging = false; });
  classlib::TCustomImageList::Assign(Source);  // settings, size and the system images
  CopyImages(src);
}

void TsAlphaImageList::CopyImages(TsAlphaImageList* Source) {
  if (!Source->IsDuplicated() || Source->Items().Count() < Source->Count()) {
    FItems.Clear();  // the system images the inherited copy took are all there is
    FStdListIsGenerated = Count() > 0;
    return;
  }
  FItems.Clear();
  for (int i = 0; i < Source->Items().Count(); ++i) FItems.Add()->Assign(Source->Items()[i]);
  GenerateStdList();
}

// ---- Free routines ------------------------------------------------------------------------------

bool GetImageFormat(const std::wstring& FileName, TsImageFormat& Format) {
  std::uint8_t head[8] = {};
  std::uint64_t size = 0;
  try {
    classlib::TFileStream file(FileName, classlib::fmOpenRead | classlib::fmShareDenyWrite);
    size = static_cast<std::uint64_t>(std::max<std::int64_t>(file.Size(), 0));
    const std::int64_t got = file.Read(head, static_cast<std::int64_t>(std::min<std::uint64_t>(size, sizeof head)));
    if (got < 0) return false;
    const auto found = DetectImageFormat(std::span(head, static_cast<std::size_t>(got)), size, FileName);
    if (!found) return false;
    Format = *found;
    return true;
  } catch (const classlib::Exception&) {
    return false;
  }
}

bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* ImgList, const std::wstring& ResName, TsImageFormat Format) {
  if (ImgList == nullptr) return false;
  if (Format == ifICO) {
    HICON icon = static_cast<HICON>(
        LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, ImgList->Width(), ImgList->Height(), LR_DEFAULTCOLOR));
    if (icon == nullptr) return false;
    classlib::TScopeExit destroy([icon] { DestroyIcon(icon); });
    return ImgList->AddIcon(icon) >= 0;
  }
  HRSRC res = FindResourceW(Instance, ResName.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (res == nullptr) return false;
  HGLOBAL handle = LoadResource(Instance, res);
  const auto* bytes = handle ? static_cast<const std::uint8_t*>(LockResource(handle)) : nullptr;
  if (bytes == nullptr) return false;
  return ImgList->AddImageFromBytes(std::span(bytes, SizeofResource(Instance, res)), ifPNG);
}

TSize DrawAlphaImgList(classlib::TCustomImageList* ImgList, TBitmap* DestBmp, int Left, int Top, int ImageIndex,
                       int Blend, TColor GrayedColor, int State, int NumGlyphs, bool Reflected) {
  if (ImgList == nullptr || DestBmp == nullptr || DestBmp->Width() == 0 || !ImgList->HandleAllocated()) return {};
  const TGlyphCell cell = GlyphCell(ImgList->Width(), ImgList->Height(), State, NumGlyphs);
  if (ImageIndex < 0 || ImageIndex >= ImgList->Count() || DestBmp->PixelFormat() != classlib::pf32bit) return cell.Size;
  const TRect dstRect{Left, Top, Left + cell.Size.cx, Top + cell.Size.cy};
  if (auto* alpha = dynamic_cast<TsAlphaImageList*>(ImgList)) {
    // A kept PNG blends straight from its cache; other images need a bitmap of their own.
    std::unique_ptr<TBitmap> own;
    TBitmap* image = alpha->CachedBitmap32(ImageIndex, alpha->Width(), alpha->Height());
    if (image == nullptr) {
      own = alpha->CreateBitmap32(ImageIndex, alpha->Width(), alpha->Height());
      image = own.get();
    }
    if (image != nullptr)
      CopyBmp32(dstRect, cell.Source, DestBmp->Image32View(), image->Image32View(), TCacheInfo32{}, false, GrayedColor,
                Blend, Reflected);
    return cell.Size;
  }
  TBitmap work;
  work.SetPixelFormat(classlib::pf32bit);
  work.SetSize(ImgList->Width(), ImgList->Height());
  HDC dest = DestBmp->Canvas()->Handle();
  BitBlt(work.Canvas()->Handle(), cell.Source.Left, 0, cell.Size.cx, cell.Size.cy, dest, Left, Top, SRCCOPY);
  ImgList->Draw(work.Canvas(), 0, 0, ImageIndex, true);
  BitBlt(dest, Left, Top, cell.Size.cx, cell.Size.cy, work.Canvas()->Handle(), cell.Source.Left, 0, SRCCOPY);
  return cell.Size;
}

void DrawAlphaImgListDC(classlib::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        TColor GrayedColor, int State, int NumGlyphs, bool Reflected) {
  if (ImgList == nullptr || DC == nullptr) return;
  const int w = ImgList->Width(), h = ImgList->Height() + (Reflected ? ImgList->Height() / 2 : 0);
  TBitmap work;
  work.SetPixelFormat(classlib::pf32bit);
  work.SetSize(w, h);
  BitBlt(work.Canvas()->Handle(), 0, 0, w, h, DC, Left, Top, SRCCOPY);
  DrawAlphaImgList(ImgList, &work, 0, 0, ImageIndex, Blend, GrayedColor, State, NumGlyphs, Reflected);
  BitBlt(DC, Left, Top, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void RegisterAlphaImageListClasses() {
  classlib::RegisterClass<TsImgListItem, classlib::TCollectionItem>(L"TsImgListItem");
  classlib::RegisterClass<TsAlphaImageList, classlib::TCustomImageList>(L"TsAlphaImageList");
}

}  // namespace skin
