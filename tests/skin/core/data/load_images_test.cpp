// Loading the images of a skin: every form of image value, the files they name, and the
// refusal of values that cannot be used.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "skin/core/acSkinRecords.h"
#include "tests/skin/core/data/SkinFixture.h"

namespace skin {
namespace {

using test::Image;
using test::MemorySkin;

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGrey = 0xFF808080;

// A 100 x 60 master bitmap: grey with a key-coloured pixel at (99, 58).
test::Bytes Master(int bitCount = 24) {
  TBitmap32 m = test::Filled(100, 60, kGrey);
  m.At(98, 58).U = 0xFFFF00FF;
  return test::EncodeBmp(m, bitCount);
}

TEST(LoadImages, EveryFormOfImageValue) {
  TBitmap32 own = test::Filled(30, 20, kRed);
  own.At(0, 0).U = 0xFFFF00FF;  // key colour in the top-left corner
  MemorySkin s;
  s.Text(
       "[GLOBALINFO]\nVERSION=7.5\nMASTERBITMAP=MASTER.BMP\n"
       "BOXCHECKED=@0000@0000@0030@0010@3@0\n"
       "[BUTTON]\n"
       "BORDERSMASK=^0000^0010^0060^0030^0003^0003^0003^0003^3^1^4^0\n"
       "PATTERN=~0060~0000~0080~0020~02\n"
       "GLYPHMASK=!OWN.BMP!3!0!2\n"
       "HOTPATTERN=#(0,40,90,60)(3,1,2,0)\n"
       "[EDIT]\nBORDERSMASK=old.bmp\n")
      .File("MASTER.BMP", Master())
      .File("OWN.BMP", test::EncodeBmp(own, 24))
      .File("OLD.BMP", test::EncodeBmp(test::Filled(90, 60, kBlue), 8));
  const auto skin = s.Load();
  EXPECT_TRUE(skin->Notices.empty());
  ASSERT_EQ(skin->MasterBitmap.Width(), 100);
  ASSERT_EQ(skin->ma.size(), 6u);

  const TsMaskData* glyph = Image(*skin, "GLOBALINFO", "BOXCHECKED");
  ASSERT_TRUE(glyph);
  EXPECT_EQ(glyph->ImgType, TacImgType::itisaGlyph);
  EXPECT_EQ(glyph->R, TRect(0, 0, 30, 10));
  EXPECT_FALSE(glyph->Bmp);
  EXPECT_EQ(glyph->Manager, skin.get());

  const TsMaskData* border = Image(*skin, "BUTTON", "BORDERSMASK");
  ASSERT_TRUE(border);
  EXPECT_EQ(border->ImgType, TacImgType::itisaBorder);
  EXPECT_EQ(std::make_tuple(border->ImageCount, border->MaskType, border->DrawMode, border->WL),
            std::make_tuple(3, 1, 4, 3));
  EXPECT_EQ(border->CornerType, 0);

  const TsMaskData* texture = Image(*skin, "BUTTON", "PATTERN");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(texture->DrawMode, 2);

  const TsMaskData* ownImage = Image(*skin, "BUTTON", "GLYPHMASK");
  ASSERT_TRUE(ownImage && ownImage->Bmp);
  EXPECT_EQ(ownImage->ImgType, TacImgType::itisaGlyph);
  EXPECT_EQ(ownImage->R, TRect(0, 0, 30, 20));
  EXPECT_EQ(ownImage->Bmp->At(1, 1).U, kRed);
  EXPECT_EQ(ownImage->Bmp->At(0, 0).U, kKeyPixel);  // the key colour keeps alpha 0

  const TsMaskData* oldRect = Image(*skin, "BUTTON", "HOTPATTERN");
  ASSERT_TRUE(oldRect);
  EXPECT_EQ(oldRect->ImgType, TacImgType::itisaBorder);
  EXPECT_EQ(std::make_tuple(oldRect->WL, oldRect->WT, oldRect->DrawMode), std::make_tuple(2, 2, 0));

  const TsMaskData* oldBmp = Image(*skin, "EDIT", "BORDERSMASK");
  ASSERT_TRUE(oldBmp && oldBmp->Bmp);
  EXPECT_EQ(std::make_tuple(oldBmp->ImageCount, oldBmp->MaskType, oldBmp->WL, oldBmp->WT),
            std::make_tuple(3, 1, 10, 10));
  EXPECT_EQ(oldBmp->Bmp->At(5, 5).U, kBlue);
}

TEST(LoadImages, BitmapsOfEveryDepthBecome32Bit) {
  TBitmap32 pic = test::Filled(4, 2, kRed);
  pic.At(3, 1).U = 0xFFFF00FF;
  for (int bits : {8, 24}) {
    MemorySkin s;
    s.Text("[BUTTON]\nGLYPHMASK=!P.BMP!1!0!2\n").File("P.BMP", test::EncodeBmp(pic, bits));
    const auto skin = s.Load();
    const TsMaskData* img = Image(*skin, "BUTTON", "GLYPHMASK");
    ASSERT_TRUE(img) << bits;
    EXPECT_EQ(img->Bmp->At(0, 0).U, kRed) << bits;
    EXPECT_EQ(img->Bmp->At(3, 1).U, kKeyPixel) << bits;
  }
  // A 32-bit bitmap keeps its alpha as stored.
  pic.At(0, 0).U = 0x40102030;
  MemorySkin s;
  s.Text("[BUTTON]\nGLYPHMASK=!P.BMP!1!0!2\n").File("P.BMP", test::EncodeBmp(pic, 32));
  EXPECT_EQ(Image(*s.Load(), "BUTTON", "GLYPHMASK")->Bmp->At(0, 0).U, 0x40102030u);
}

TEST(LoadImages, PngImagesArePremultipliedFromVersion745) {
  TBitmap32 pic = test::Filled(2, 1, 0x80FF8040);
  pic.At(1, 0).U = 0x00FFFFFF;  // white, fully transparent
  for (const auto& [version, first, second] :
       {std::tuple{"7.44", 0x80FF8040u, 0u}, std::tuple{"7.45", 0x80804020u, 0u}}) {
    MemorySkin s;
    s.Text(std::string("[GLOBALINFO]\nVERSION=") + version + "\n[BUTTON]\nGLYPHMASK=!G.PNG!1!0!4\n")
        .File("G.PNG", test::EncodePng(pic));
    const auto skin = s.Load();
    const TsMaskData* img = Image(*skin, "BUTTON", "GLYPHMASK");
    ASSERT_TRUE(img) << version;
    EXPECT_EQ(img->ImgType, TacImgType::itisaPngGlyph);
    EXPECT_EQ(img->Bmp->At(0, 0).U, first) << version;
    EXPECT_EQ(img->Bmp->At(1, 0).U, second) << version;
  }
}

// Only pictures with an alpha channel of their own get the alpha passes: the key pixels of RGB
// and indexed pictures stay key pixels at every version instead of turning black.
TEST(LoadImages, PngImagesWithoutAlphaKeepTheirKeyPixels) {
  const png_test::Bytes plte = png_test::Chunk("PLTE", {255, 0, 255, 10, 20, 30});
  const std::pair<png_test::Picture, png_test::Bytes> files[] = {
      {{3, 1, 8, 2, {255, 0, 255, 10, 20, 30, 255, 0, 255}}, {}},
      {{3, 1, 8, 3, {0, 1, 0}}, plte},
      {{3, 1, 2, 3, {0, 1, 0}}, plte},
      {{3, 1, 1, 3, {0, 1, 0}}, plte},
  };
  for (const char* version : {"7.44", "7.45", "7.56"})
    for (const auto& [picture, chunks] : files) {
      const std::string what = std::string(version) + ", colour type " + std::to_string(picture.colorType) +
                               ", depth " + std::to_string(picture.depth);
      MemorySkin s;
      s.Text(std::string("[GLOBALINFO]\nVERSION=") + version + "\n[BUTTON]\nGLYPHMASK=!G.PNG!1!0!4\n")
          .File("G.PNG", png_test::MakePng(picture, false, chunks));
      const auto skin = s.Load();
      const TsMaskData* img = Image(*skin, "BUTTON", "GLYPHMASK");
      ASSERT_TRUE(img && img->Bmp) << what;
      EXPECT_EQ(img->Bmp->At(0, 0).U, kKeyPixel) << what;
      EXPECT_EQ(img->Bmp->At(1, 0).U, 0xFF0A141Eu) << what;
      EXPECT_EQ(img->Bmp->At(2, 0).U, kKeyPixel) << what;
    }
}

TEST(LoadImages, MasterBitmapKeyIsNoImageButOtherGlobalKeysAre) {
  MemorySkin s;
  s.Text("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nBOXCHECKED=@0000@0000@0030@0010@3@0\n").File("MASTER.BMP", Master());
  const auto skin = s.Load();
  ASSERT_EQ(skin->ma.size(), 1u);
  EXPECT_EQ(skin->ma[0].PropertyName, "BOXCHECKED");
}

TEST(LoadImages, NamesAreFoundAsUpperCaseEntries) {
  // The container entry "master.bmp" upper-cased equals the value as written only when the
  // value is upper case.
  MemorySkin s;
  s.Text("[GLOBALINFO]\nMASTERBITMAP=master.bmp\nBOXCHECKED=@0000@0000@0030@0010@3@0\n").File("master.bmp", Master());
  const auto skin = s.Load();
  EXPECT_TRUE(skin->MasterBitmap.Empty());
  ASSERT_EQ(skin->Notices.size(), 2u);
  EXPECT_NE(skin->Notices[0].Text.find("not found"), std::string::npos);
  EXPECT_NE(skin->Notices[1].Text.find("no master bitmap"), std::string::npos);
}

TEST(LoadImages, JpegTexturesStayCompressedFrom900000Pixels) {
  MemorySkin s;
  s.Text("[FORM]\nPATTERN=big.jpg\nHOTPATTERN=SMALL.JPEG\n")
      .File("BIG.JPG", test::EncodeJpeg(1000, 900))
      .File("SMALL.JPEG", test::EncodeJpeg(1000, 899));
  const auto skin = s.Load();
  ASSERT_EQ(skin->pa.size(), 1u);
  EXPECT_EQ(skin->pa[0].PropertyName, "PATTERN");
  EXPECT_EQ(std::make_tuple(skin->pa[0].Img->Width, skin->pa[0].Img->Height), std::make_tuple(1000, 900));
  EXPECT_EQ(skin->GetPatternIndex(skin->GetSkinIndex("FORM"), "FORM", "PATTERN"), 0);
  const TsMaskData* small = Image(*skin, "FORM", "HOTPATTERN");
  ASSERT_TRUE(small && small->Bmp);
  EXPECT_EQ(small->ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(small->R, TRect(0, 0, 1000, 899));
  EXPECT_EQ(small->Bmp->At(500, 500).A, 255);
}

TEST(LoadImages, CornerTypeFindsKeyPixelsInAnyCorner) {
  // A border of one 30 x 30 cell with margins 5; one key pixel at a time.
  const auto cornerType = [](int x, int y, const char* section = "PANEL") {
    TBitmap32 pic = test::Filled(30, 30, kGrey);
    if (x >= 0) pic.At(x, y).U = 0xFFFF00FF;
    MemorySkin s;
    s.Text(std::string("[") + section + "]\nBORDERSMASK=!B.BMP!1!0!0!5!5!5!5\n")
        .File("B.BMP", test::EncodeBmp(pic, 24));
    return static_cast<int>(Image(*s.Load(), section, "BORDERSMASK")->CornerType);
  };
  EXPECT_EQ(cornerType(-1, -1), 0);
  EXPECT_EQ(cornerType(26, 26), 1);  // bottom-right corner only
  EXPECT_EQ(cornerType(1, 27), 1);
  EXPECT_EQ(cornerType(15, 15), 0);  // the centre does not count
  EXPECT_EQ(cornerType(-1, -1, "BUTTON_HUGE"), 2);
}

// Images of no cells and cells of no height load; nothing later divides by their counts.
TEST(LoadImages, ImagesOfNoCellsOrNoHeightLoadAndAnswerLookups) {
  TBitmap32 own = test::Filled(40, 20, kRed);
  own.At(1, 1).U = 0xFFFF00FF;  // in the top-left corner of the one cell
  MemorySkin s;
  s.Text(
       "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
       "BOXCHECKED=@0000@0000@0030@0010@0@0\n"
       "[BUTTON]\n"
       "BORDERSMASK=!OWN.BMP!0!0!0!4!4!4!4\n"
       "GLYPHMASK=!OWN.BMP!2!-1!2!0!0!0!0\n"
       "[PANEL]\nBORDERSMASK=!OWN.BMP!3!-1!0!2!5!2!5\n"
       "[BUTTON2]\nPARENTCLASS=BUTTON\n")
      .File("MASTER.BMP", Master())
      .File("OWN.BMP", test::EncodeBmp(own, 24));
  auto skin = s.Load();
  EXPECT_TRUE(skin->Notices.empty());
  ASSERT_EQ(skin->ma.size(), 4u);
  const int glyph = skin->GetMaskIndex("GLOBALINFO", "BOXCHECKED");
  const int border = skin->GetMaskIndex("BUTTON", "BORDERSMASK");
  const int flat = skin->GetMaskIndex("BUTTON", "GLYPHMASK");
  const int panel = skin->GetMaskIndex("PANEL", "BORDERSMASK");
  ASSERT_TRUE(glyph >= 0 && border >= 0 && flat >= 0 && panel >= 0);
  const TsMaskData& b = skin->ma[static_cast<std::size_t>(border)];
  EXPECT_EQ(b.CornerType, 1);                                          // the whole width is the one cell
  EXPECT_EQ(skin->ma[static_cast<std::size_t>(panel)].CornerType, 0);  // cells without rows

  // Cell sizes: no cells have no width until the border widths count them as one.
  const auto cell = [&](int i) {
    const TsMaskData& m = skin->ma[static_cast<std::size_t>(i)];
    return std::make_pair(WidthOfImage(m), HeightOfImage(m));
  };
  EXPECT_EQ(cell(glyph), std::make_pair(0, 10));
  EXPECT_EQ(cell(flat), std::make_pair(20, 0));
  EXPECT_EQ(cell(panel), std::make_pair(13, 0));
  EXPECT_EQ(skin->MaskWidthLeft(glyph), 30);
  EXPECT_EQ(skin->ma[static_cast<std::size_t>(glyph)].ImageCount, 1);
  EXPECT_EQ(cell(glyph), std::make_pair(30, 10));
  EXPECT_EQ(std::make_tuple(skin->MaskWidthTop(flat), skin->MaskWidthRight(flat), skin->MaskWidthBottom(flat)),
            std::make_tuple(0, 20, 0));
  EXPECT_EQ(std::make_tuple(skin->MaskWidthTop(panel), skin->MaskWidthBottom(panel)), std::make_tuple(5, 5));

  // The section indexes find them, through a parent too.
  const TsGeneralData* child = test::Section(*skin, "BUTTON2");
  ASSERT_TRUE(child);
  EXPECT_EQ(child->BorderIndex, border);
  EXPECT_EQ(test::Section(*skin, "PANEL")->BorderIndex, panel);
}

// Malformed values of image keys: no record, a notice naming the section, key and reason, and
// the rest of the skin loads.
TEST(LoadImages, MalformedImageValuesAreRefusedWithAReason) {
  MemorySkin s;
  s.Text(
       "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
       "BOXCHECKED=@0000@0000@0030@0005@1@9\n"    // more bands than rows
       "BOXUNCHECKED=@0000@0000@0030@0010@3@0\n"  // fine
       "[BUTTON]\n"
       "BORDERSMASK=!OWN.BMP!3!-1\n"                                    // a third of no height
       "GLYPHMASK=!OWN.BMP!3!99\n"                                      // more bands than rows
       "PATTERN=~0000~0000~0010~0010~77~0\n"                            // no such fill mode
       "HOTPATTERN=^0090^0000^0110^0010^0000^0000^0000^0000^1^0^0^0\n"  // beyond the master
       "IMGTOPLEFT=@00a0@0000@0010@0010@1@0\n")                         // not a number
      .File("MASTER.BMP", Master())
      .File("OWN.BMP", test::EncodeBmp(test::Filled(30, 20, kRed), 24));
  const auto skin = s.Load();
  ASSERT_EQ(skin->ma.size(), 1u);
  EXPECT_EQ(skin->ma[0].PropertyName, "BOXUNCHECKED");
  ASSERT_EQ(skin->Notices.size(), 6u);
  const std::pair<const char*, const char*> expected[] = {
      {"BOXCHECKED", "mask type 9"}, {"BORDERSMASK", "mask type of -1"},    {"GLYPHMASK", "mask type 99"},
      {"PATTERN", "draw mode 77"},   {"HOTPATTERN", "does not lie within"}, {"IMGTOPLEFT", "not a number"}};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(skin->Notices[i].Key, expected[i].first);
    EXPECT_NE(skin->Notices[i].Text.find(expected[i].second), std::string::npos) << skin->Notices[i].Text;
  }
}

// Texts that merely look like image values are texts: they neither abort the load nor make images.
TEST(LoadImages, ValueKeysAndUnknownKeysAreText) {
  MemorySkin s;
  s.Text(
       "[GLOBALINFO]\nVERSION=7.5\nMASTERBITMAP=MASTER.BMP\n"
       "AUTHOR=@me, #1 in skins\n"
       "DESCRIPTION=^flat^ look, see BACKGROUND.BMP\n"
       "[BUTTON]\nGRADIENTDATA=255;255;100;0;0\nCOLOR=#FF0000\nNOTE=~a note~\nREMARK=!not!an!image.png\n"
       "EXTRA=@0000@0000@0030@0010@3@0\n")
      .File("MASTER.BMP", Master());
  const auto skin = s.Load();
  EXPECT_TRUE(skin->Notices.empty());
  ASSERT_EQ(skin->ma.size(), 1u);  // a well-formed image under a key of its own still loads
  EXPECT_EQ(skin->ma[0].PropertyName, "EXTRA");
  EXPECT_EQ(skin->SkinData.Author, "@me, #1 in skins");
}

TEST(LoadImages, MissingFilesAreNoticedAndCorruptFilesFailTheLoad) {
  MemorySkin missing;
  missing.Text("[BUTTON]\nBORDERSMASK=!GONE.PNG!3!1\n");
  const auto skin = missing.Load();
  EXPECT_TRUE(skin->ma.empty());
  ASSERT_EQ(skin->Notices.size(), 1u);
  EXPECT_NE(skin->Notices[0].Text.find("GONE.PNG"), std::string::npos);

  const test::Bytes garbage = {'B', 'M', 1, 2, 3};
  for (const char* text : {"[BUTTON]\nBORDERSMASK=!BAD.PNG!3!1\n", "[BUTTON]\nBORDERSMASK=!BAD.BMP!3!1\n",
                           "[BUTTON]\nPATTERN=BAD.JPG\n", "[GLOBALINFO]\nMASTERBITMAP=BAD.BMP\n"}) {
    MemorySkin s;
    s.Text(text).File("BAD.PNG", garbage).File("BAD.BMP", garbage).File("BAD.JPG", garbage);
    try {
      s.Load();
      ADD_FAILURE() << text;
    } catch (const EacSkinLoadError& e) {
      EXPECT_NE(e.Message().find(L"BAD."), std::wstring::npos) << text;
    }
  }
}

TEST(LoadImages, ImageSizeIsLimited) {
  MemorySkin s;
  s.Text("[BUTTON]\nGLYPHMASK=!P.BMP!1!0\n").File("P.BMP", test::EncodeBmp(test::Filled(64, 64, kRed), 24));
  s.Options.MaxImagePixels = 64 * 63;
  EXPECT_THROW(s.Load(), EacSkinLoadError);
  s.Options.MaxImagePixels = 64 * 64;
  EXPECT_NO_THROW(s.Load());
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

// A skin folder: names in the description are upper case, files on disk may be spelled in any
// case; a name holding ':' is a path of its own and is not looked for in the folder.
TEST(LoadImages, FolderFilesAreFoundWhateverTheirCase) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("skin-folder-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto write = [&](const char* name, const test::Bytes& bytes) {
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  const std::string text =
      "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nBOXCHECKED=@0000@0000@0030@0010@3@0\n"
      "[BUTTON]\nGLYPHMASK=!X:OWN.BMP!1!0\n";
  write("options.DAT", test::Bytes(text.begin(), text.end()));
  write("master.bmp", test::EncodeBmp(test::Filled(40, 20, 0xFF112233), 24));
  const TacFolderSkinFiles files(dir);
  const auto skin = LoadSkinRecords(files, {});
  EXPECT_EQ(skin->MasterBitmap.Width(), 40);
  ASSERT_EQ(skin->ma.size(), 1u);
  ASSERT_EQ(skin->Notices.size(), 1u);
  EXPECT_NE(skin->Notices[0].Text.find("X:OWN.BMP"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace skin
