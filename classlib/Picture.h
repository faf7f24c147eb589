#pragma once
// A picture holds one graphic of any registered format and picks the format of a file by its
// extension (or of data by its signature). Readers register themselves in the format registry:
// BMP and JPEG are built in; the skin engine's PNG reader adds itself at start-up.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"

namespace classlib {

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TFileFormat {
  std::wstring Extension;  // lower case, without the dot: "bmp"
  std::wstring Description;
  TGraphicFactory Factory;
};

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  std::wstring ClassName() const override { return L"TPicture"; }
  // From a picture or a graphic: a copy of its graphic. Nothing (nullptr): no graphic.
  void Assign(const TPersistent* Source) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Keeps a copy of Value (nullptr clears).
  void SetGraphic(const TGraphic* Value);
  // The graphic as a bitmap; any other graphic is replaced by an empty bitmap first.
  TBitmap* Bitmap();
  void SetBitmap(const TBitmap* Value) { SetGraphic(Value); }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // By the file's extension; an unknown one raises EInvalidGraphic naming it.
  void LoadFromFile(const std::wstring& FileName);
  void SaveToFile(const std::wstring& FileName) const;
  // By the data's signature (BMP, JPEG, PNG, icon).
  void LoadFromBytes(std::span<const std::uint8_t> Data);
  // The rest of the stream, by its signature.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

  // A later registration of the same extension replaces the earlier one.
  static void RegisterFileFormat(const std::wstring& Extension, const std::wstring& Description,
                                 TGraphicFactory Factory);
  static void UnregisterFileFormat(const std::wstring& Extension);
  static std::vector<TFileFormat> FileFormats();
  // "All (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|..." for open dialogs.
  static std::wstring GraphicFilter();

  TNotifyEvent OnChange;

 private:
  void Take(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace classlib
