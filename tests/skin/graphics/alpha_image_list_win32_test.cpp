// The alpha image list under Wine: its items in window descriptions, the 32-bit images it hands
// out and their cache, glyph cells blended into a 32-bit bitmap, and loading from files.
#include "skin/graphics/acAlphaImageList.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "tests/skin/core/OwnedObject.h"
#include "tests/skin/graphics/IcoBuilder.h"
#include "tests/skin/graphics/png/PngBuilder.h"

using namespace classlib;
using namespace skin;
using Bytes = std::vector<std::uint8_t>;

namespace {

using skin::testing::Owned;

// A W x H RGBA PNG whose pixels come from Color(x, y) as 0xAARRGGBB.
template <class F>
Bytes Png(int w, int h, F color) {
  png_test::Picture p{w, h, 8, 6, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = color(x, y);
      for (int k : {16, 8, 0, 24}) p.samples.push_back(static_cast<std::uint16_t>((c >> k) & 0xFF));
    }
  return png_test::MakePng(p, false);
}

// Three 16 x 16 cells: opaque red, green at alpha 128, blue at alpha 64.
Bytes ThreeCells() {
  return Png(48, 16, [](int x, int) {
    static constexpr std::uint32_t kCells[] = {0xFFFF0000, 0x8000FF00, 0x400000FF};
    return kCells[x / 16];
  });
}

std::string Hex(const Bytes& bytes) {
  std::string hex;
  for (std::uint8_t b : bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

std::uint32_t Px(TBitmap& b, int x, int y) { return b.Image32View().At(x, y).U; }

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int k = 0; k < 32; k += 8)
    if (std::abs(static_cast<int>((a >> k) & 0xFF) - static_cast<int>((b >> k) & 0xFF)) > tolerance) return false;
  return true;
}

std::unique_ptr<TBitmap> White(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(w, h);
  const TImage32View v = b->Image32View();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.At(x, y).U = 0xFFFFFFFF;
  return b;
}

TsAlphaImageList* ListOf(TComponent* root) { return dynamic_cast<TsAlphaImageList*>(root->FindComponent(L"Images")); }

std::string Describe(const Bytes& png, const Bytes& ico) {
  return "object Root: TComponent\n"
         "  object Images: TsAlphaImageList\n"
         "    Width = 48\n"
         "    Items = <\n"
         "      item\n"
         "        ImageFormat = ifPNG\n"
         "        ImgData = {" +
         Hex(png) +
         "}\n"
         "      end\n"
         "      item\n"
         "        ImageFormat = ifICO\n"
         "        PixelFormat = pf24bit\n"
         "        ImgData = {" +
         Hex(ico) +
         "}\n"
         "      end>\n"
         "  end\n"
         "end\n";
}

class AlphaImageList : public ::testing::Test {
 protected:
  void SetUp() override { RegisterAlphaImageListClasses(); }
};

TEST_F(AlphaImageList, ItemsComeFromADescriptionAndGoBackByteForByte) {
  const Bytes png = ThreeCells();
  const Bytes ico = ico_test::Ico({ico_test::Dib(48, 16, 24, std::vector<std::uint32_t>(48 * 16, 0x102030))});
  Owned<TComponent> root(Create<TComponent>(nullptr));
  ApplyDescription(root.get(), forms::ReadForm(Describe(png, ico)), TFormBindings(root.get()));
  TsAlphaImageList* list = ListOf(root.get());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Items().Count(), 2);
  EXPECT_EQ(list->Count(), 2) << "the system list is built once the description is read";
  EXPECT_TRUE(list->StdListIsGenerated());
  EXPECT_EQ(list->Items()[0]->ImgData(), png);
  EXPECT_EQ(list->Items()[1]->ImgData(), ico);
  EXPECT_EQ(list->Items()[1]->PixelFormat(), pf24bit);
  EXPECT_EQ(list->Items()[0]->OrigWidth, 48);

  // Written out through the published properties and read again into a new list.
  forms::ObjectNode node{L"Images", L"TsAlphaImageList", {}, {}, 0};
  forms::Value items;
  items.kind = forms::Value::Kind::Collection;
  for (int i = 0; i < list->Items().Count(); ++i) {
    TsImgListItem* item = list->Items()[i];
    forms::Value format, data;
    format.kind = forms::Value::Kind::Identifier;
    format.text =
        GetPropInfo(item, L"ImageFormat")->Enum->Names.at(static_cast<std::size_t>(GetOrdProp(item, L"ImageFormat")));
    data.kind = forms::Value::Kind::Binary;
    data.binary = GetPropInfo(item, L"ImgData")->GetBinary(item);
    items.items.push_back({{L"ImageFormat", format, 0}, {L"ImgData", data, 0}});
  }
  forms::Value width;
  width.integer = 48;
  node.properties = {{L"Width", width, 0}, {L"Items", items, 0}};
  forms::ObjectNode top{L"Root", L"TComponent", {}, {node}, 0};
  Owned<TComponent> again(Create<TComponent>(nullptr));
  ApplyDescription(again.get(), forms::ReadForm(forms::WriteForm(top)), TFormBindings(again.get()));
  ASSERT_NE(ListOf(again.get()), nullptr);
  ASSERT_EQ(ListOf(again.get())->Items().Count(), 2);
  EXPECT_EQ(ListOf(again.get())->Items()[0]->ImgData(), png);
  EXPECT_EQ(ListOf(again.get())->Items()[1]->ImgData(), ico);
  EXPECT_TRUE(GetPropInfo(list, L"Bitmap")->GetBinary(list).empty()) << "the system images are not stored";
}

TEST_F(AlphaImageList, BitmapsComeFromTheCacheUntilAnotherSizeIsAsked) {
  Owned<TsAlphaImageList> list(Create<TsAlphaImageList>(nullptr, 16, 16));
  ASSERT_TRUE(list->AddImageFromBytes(Png(16, 16, [](int, int) { return 0xFF336699u; }), ifPNG));
  TBitmap image;
  image.SetSize(16, 16);
  ASSERT_TRUE(list->GetBitmap32(0, &image));
  EXPECT_EQ(Px(image, 3, 3), 0xFF336699u);
  TsImgListItem* item = list->Items()[0];
  ASSERT_TRUE(item->CacheBmp);
  // A mark in the cache shows whether the next call decodes again.
  item->CacheBmp->Image32View().At(3, 3).U = 0x01020304;
  ASSERT_TRUE(list->GetBitmap32(0, &image));
  EXPECT_EQ(Px(image, 3, 3), 0x01020304u) << "same size: the cache";

  TBitmap other;
  other.SetSize(8, 8);
  ASSERT_TRUE(list->GetBitmap32(0, &other));
  EXPECT_EQ(other.Width(), 8);
  // Resampled: the filter may move a flat colour by a step or two, never to the mark.
  EXPECT_TRUE(Near(Px(other, 3, 3), 0xFF336699u, 3)) << std::hex << Px(other, 3, 3) << ": another size, decoded again";
  ASSERT_TRUE(item->CacheBmp);
  EXPECT_EQ(item->CacheBmp->Width(), 8) << "the cache now holds the new size";
  ASSERT_TRUE(list->GetBitmap32(0, &image));
  EXPECT_EQ(Px(image, 3, 3), 0xFF336699u);

  const std::unique_ptr<TBitmap> made = list->CreateBitmap32(0, 16, 16);
  ASSERT_TRUE(made);
  EXPECT_EQ(Px(*made, 3, 3), 0xFF336699u);
  EXPECT_NE(made.get(), item->CacheBmp.get()) << "the caller owns a copy";
  EXPECT_FALSE(list->GetBitmap32(1, &image));
  EXPECT_EQ(list->CreateBitmap32(-1, 16, 16), nullptr);
}

TEST_F(AlphaImageList, GlyphCellsBlendIntoA32BitBitmap) {
  Owned<TsAlphaImageList> list(Create<TsAlphaImageList>(nullptr, 48, 16));
  ASSERT_TRUE(list->AddImageFromBytes(ThreeCells(), ifPNG));
  // mix(d, c, w) = (d * 256 + (c - d) * w) div 256 over white: 255 - 255 * w / 256 for a channel
  // the cell lacks.
  struct Case {
    const char* name;
    int index, blend, state, numGlyphs;
    TSize size;
    std::uint32_t at2x2;  // dest (2, 2), the cell's top-left
  };
  const Case cases[] = {
      {"red, opaque", 0, 0, 0, 3, {16, 16}, 0xFFFF0000},
      {"green at 128: 255 - 127.5 cut to 127", 0, 0, 1, 3, {16, 16}, 0xFF7FFF7F},
      {"state past the cells: blue at 64, 255 - 63.75 -> 191", 0, 0, 9, 3, {16, 16}, 0xFFBFBFFF},
      {"blend 50 halves the weight: 64 -> 191", 0, 50, 1, 3, {16, 16}, 0xFFBFFFBF},
      {"no glyph count: the whole width", 0, 0, 0, 0, {48, 16}, 0xFFFF0000},
      {"an index outside draws nothing", 1, 0, 0, 3, {16, 16}, 0xFFFFFFFF},
      {"a negative index neither", -1, 0, 0, 3, {16, 16}, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto dest = White(60, 24);
    const TSize size =
        DrawAlphaImgList(list.get(), dest.get(), 2, 2, c.index, c.blend, clNone, c.state, c.numGlyphs, false);
    EXPECT_EQ(size, c.size);
    EXPECT_EQ(Px(*dest, 2, 2), c.at2x2);
    EXPECT_EQ(Px(*dest, 1, 2), 0xFFFFFFFFu) << "left of the cell";
    EXPECT_EQ(Px(*dest, 2 + c.size.cx, 2), 0xFFFFFFFFu) << "right of the cell";
    EXPECT_EQ(Px(*dest, 2, 18), 0xFFFFFFFFu) << "below the cell";
  }
}

TEST_F(AlphaImageList, GlyphCellsOnADeviceContext) {
  Owned<TsAlphaImageList> list(Create<TsAlphaImageList>(nullptr, 48, 16));
  ASSERT_TRUE(list->AddImageFromBytes(ThreeCells(), ifPNG));
  auto dest = White(60, 24);
  DrawAlphaImgListDC(list.get(), dest->Canvas()->Handle(), 4, 4, 0, 0, clNone, 1, 3, false);
  EXPECT_EQ(Px(*dest, 4, 4) & 0xFFFFFF, 0x7FFF7Fu);
  EXPECT_EQ(Px(*dest, 3, 4) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(Px(*dest, 20, 4) & 0xFFFFFF, 0xFFFFFFu) << "the cell is 16 wide";
}

class TempFile {
 public:
  TempFile(const wchar_t* name, const Bytes& bytes) : path_(name) {
    FILE* f = _wfopen(name, L"wb");
    if (f) {
      fwrite(bytes.data(), 1, bytes.size(), f);
      fclose(f);
    }
  }
  ~TempFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

TEST_F(AlphaImageList, FilesLoadByTheirFormatAndABadOneSaysSo) {
  Owned<TsAlphaImageList> list(Create<TsAlphaImageList>(nullptr, 16, 16));
  const Bytes ico = ico_test::Ico({ico_test::Dib(16, 16, 32, std::vector<std::uint32_t>(256, 0x80402010))});
  TempFile good(L"alpha-list-good.ico", ico);
  TempFile pngAsIco(L"alpha-list-png.ico", Png(16, 16, [](int, int) { return 0xFF000000u; }));
  TempFile icoAsPng(L"alpha-list-ico.png", ico);
  TempFile broken(L"alpha-list-broken.ico", Bytes{0, 0, 1, 0, 5, 0});
  std::vector<std::wstring> boxes;
  const TMessageBoxFunction old = SetMessageBoxFunction([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
    boxes.push_back(text);
    return IDOK;
  });
  EXPECT_TRUE(list->TryLoadFromFile(good.Path()));
  EXPECT_TRUE(list->TryLoadFromFile(pngAsIco.Path()));
  EXPECT_FALSE(list->TryLoadFromFile(icoAsPng.Path()));
  EXPECT_FALSE(list->TryLoadFromFile(L"alpha-list-missing.png"));
  list->LoadFromFile(broken.Path());
  SetMessageBoxFunction(old);
  ASSERT_EQ(list->Count(), 2);
  ASSERT_EQ(list->Items().Count(), 2);
  EXPECT_EQ(list->Items()[0]->ImageFormat(), ifICO);
  EXPECT_EQ(list->Items()[0]->ImgData(), ico);
  EXPECT_EQ(list->Items()[0]->PixelFormat(), pf32bit);
  EXPECT_EQ(list->Items()[1]->ImageFormat(), ifPNG);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], L"Cannot load alpha-list-broken.ico\r\nInvalid or unexpected image format.");

  TBitmap image;
  ASSERT_TRUE(list->GetBitmap32(0, &image)) << "an icon comes from the system list";
  EXPECT_EQ(Px(image, 5, 5), 0x80402010u);
}

TEST_F(AlphaImageList, AssignCopiesTheItems) {
  Owned<TsAlphaImageList> source(Create<TsAlphaImageList>(nullptr, 48, 16));
  ASSERT_TRUE(source->AddImageFromBytes(ThreeCells(), ifPNG));
  Owned<TsAlphaImageList> copy(Create<TsAlphaImageList>(nullptr));
  copy->Assign(source.get());
  EXPECT_EQ(copy->Width(), 48);
  ASSERT_EQ(copy->Items().Count(), 1);
  EXPECT_EQ(copy->Items()[0]->ImgData(), source->Items()[0]->ImgData());
  EXPECT_EQ(copy->Count(), 1);
  auto dest = White(20, 20);
  DrawAlphaImgList(copy.get(), dest.get(), 0, 0, 0, 0, clNone, 0, 3, false);
  EXPECT_EQ(Px(*dest, 0, 0), 0xFFFF0000u);
}

}  // namespace
