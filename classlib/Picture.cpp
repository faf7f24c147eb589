#include "classlib/Picture.h"

#include <algorithm>
#include <cwctype>
#include <mutex>

#include "classlib/Jpeg.h"

namespace classlib {

namespace {

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

std::wstring Normalized(const std::wstring& extension) {
  return Lower(!extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension);
}

struct Registry {
  std::mutex mutex;
  std::vector<TFileFormat> formats;
  Registry() {
    auto bitmap = [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); };
    auto jpeg = [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); };
    formats.push_back({L"bmp", L"Bitmaps", bitmap});
    formats.push_back({L"jpg", L"JPEG Image File", jpeg});
    formats.push_back({L"jpeg", L"JPEG Image File", jpeg});
  }
};

Registry& Formats() {
  static Registry r;
  return r;
}

TGraphicFactory FactoryFor(const std::wstring& extension) {
  Registry& r = Formats();
  std::lock_guard guard(r.mutex);
  const std::wstring ext = Normalized(extension);
  for (const TFileFormat& f : r.formats)
    if (f.Extension == ext) return f.Factory;
  return {};
}

std::wstring ExtensionOf(const std::wstring& fileName) {
  const auto dot = fileName.find_last_of(L'.');
  const auto slash = fileName.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  return Normalized(fileName.substr(dot + 1));
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::wstring& Extension, const std::wstring& Description,
                                  TGraphicFactory Factory) {
  Registry& r = Formats();
  std::lock_guard guard(r.mutex);
  const std::wstring ext = Normalized(Extension);
  std::erase_if(r.formats, [&](const TFileFormat& f) { return f.Extension == ext; });
  r.formats.push_back({ext, Description, std::move(Factory)});
}

void TPicture::UnregisterFileFormat(const std::wstring& Extension) {
  Registry& r = Formats();
  std::lock_guard guard(r.mutex);
  const std::wstring ext = Normalized(Extension);
  std::erase_if(r.formats, [&](const TFileFormat& f) { return f.Extension == ext; });
}

std::vector<TFileFormat> TPicture::FileFormats() {
  Registry& r = Formats();
  std::lock_guard guard(r.mutex);
  return r.formats;
}

std::wstring TPicture::GraphicFilter() {
  const std::vector<TFileFormat> formats = FileFormats();
  std::wstring all, each;
  for (const TFileFormat& f : formats) {
    const std::wstring mask = L"*." + f.Extension;
    all += (all.empty() ? L"" : L";") + mask;
    each += L"|" + f.Description + L" (" + mask + L")|" + mask;
  }
  return L"All (" + all + L")|" + all + each;
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* Value) {
  if (Value == graphic_.get() && Value) return;
  if (!Value) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = Value->Clone();
  if (!copy) {  // a graphic that cannot copy itself is kept as a bitmap of its look
    auto b = std::make_unique<TBitmap>();
    b->Assign(Value);
    copy = std::move(b);
  }
  Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(graphic_.get())) return b;
  Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::Assign(const TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<const TPicture*>(Source)) {
    SetGraphic(p->graphic_.get());
  } else if (auto* g = dynamic_cast<const TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::LoadFromFile(const std::wstring& FileName) {
  const std::wstring ext = ExtensionOf(FileName);
  const TGraphicFactory factory = FactoryFor(ext);
  if (!factory) throw EInvalidGraphic(L"Unknown picture file extension (." + ext + L")");
  std::unique_ptr<TGraphic> g = factory();
  g->LoadFromFile(FileName);
  Take(std::move(g));
}

void TPicture::SaveToFile(const std::wstring& FileName) const {
  if (!graphic_) throw EInvalidGraphicOperation(L"The picture is empty");
  graphic_->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream& Stream) {
  const std::int64_t position = Stream.Position();
  LoadFromBytes(ReadGraphicBytes(Stream, Stream.Size() - position));
}

void TPicture::SaveToStream(TStream& Stream) const {
  if (!graphic_) throw EInvalidGraphicOperation(L"The picture is empty");
  graphic_->SaveToStream(Stream);
}

void TPicture::LoadFromBytes(std::span<const std::uint8_t> Data) {
  std::wstring ext;
  if (Data.size() >= 2 && Data[0] == 'B' && Data[1] == 'M') {
    ext = L"bmp";
  } else if (Data.size() >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF) {
    ext = L"jpg";
  } else if (Data.size() >= 8 && Data[0] == 0x89 && Data[1] == 'P' && Data[2] == 'N' && Data[3] == 'G') {
    ext = L"png";
  } else if (Data.size() >= 4 && Data[0] == 0 && Data[1] == 0 && Data[2] == 1 && Data[3] == 0) {
    ext = L"ico";
  }
  const TGraphicFactory factory = ext.empty() ? TGraphicFactory{} : FactoryFor(ext);
  if (!factory) throw EInvalidGraphic(L"Unknown picture format");
  std::unique_ptr<TGraphic> g = factory();
  g->LoadFromBytes(Data);
  Take(std::move(g));
}

}  // namespace classlib
