// The images committed under resources/images/ and resources/glyphs/ and the image lists in the
// window descriptions are byte for byte what icongen draws now, in the list order and formats the
// windows use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "classlib/FormReader.h"
#include "tools/icongen/IconArt.h"

namespace fs = std::filesystem;
using namespace classlib;

namespace {

const fs::path kResources = TARVISEL_RESOURCES;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const forms::ObjectNode* Find(const forms::ObjectNode& node, const std::wstring& name) {
  if (node.name == name) return &node;
  for (const forms::ObjectNode& child : node.children)
    if (const forms::ObjectNode* found = Find(child, name)) return found;
  return nullptr;
}

const forms::Value* Property(const std::vector<forms::Property>& properties, const std::wstring& name) {
  for (const forms::Property& p : properties)
    if (p.name == name) return &p.value;
  return nullptr;
}

void ExpectList(const std::string& form, const std::vector<icongen::ImageFile>& images) {
  SCOPED_TRACE(form);
  const std::vector<std::uint8_t> text = ReadFile(kResources / "forms" / form);
  ASSERT_FALSE(text.empty());
  const forms::ObjectNode root = forms::ReadForm(std::string(text.begin(), text.end()));
  const forms::ObjectNode* list = Find(root, L"sAlphaImageList1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->className, L"TsAlphaImageList");
  const forms::Value* items = Property(list->properties, L"Items");
  ASSERT_NE(items, nullptr);
  ASSERT_EQ(items->items.size(), images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(images[i].Name);
    EXPECT_TRUE(ReadFile(kResources / "images" / images[i].Name) == images[i].Bytes)
        << "differs from what icongen makes now";
    const forms::Value* format = Property(items->items[i], L"ImageFormat");
    const forms::Value* data = Property(items->items[i], L"ImgData");
    ASSERT_NE(format, nullptr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(format->text, images[i].Ico ? L"ifICO" : L"ifPNG");
    EXPECT_TRUE(data->binary == images[i].Bytes) << "the description's bytes differ from the file";
  }
}

TEST(OurImages, MainWindowList) {
  const std::vector<icongen::ImageFile> images = icongen::MainWindowImages();
  const char* formats = "PPPPIPIIPPIIPP";  // the main window's list keeps its images in these formats
  ASSERT_EQ(images.size(), 14u);
  for (std::size_t i = 0; i < images.size(); ++i) EXPECT_EQ(images[i].Ico, formats[i] == 'I') << i;
  ExpectList("TForm1.txt", images);
}

TEST(OurImages, PasswordDialogList) {
  const std::vector<icongen::ImageFile> images = icongen::PasswordDialogImages();
  ASSERT_EQ(images.size(), 3u);
  EXPECT_FALSE(images[0].Ico);
  EXPECT_TRUE(images[1].Ico);
  EXPECT_TRUE(images[2].Ico);
  ExpectList("TfrmPassLock.txt", images);
}

TEST(OurImages, EditButtonGlyphs) {
  const std::vector<icongen::ImageFile> glyphs = icongen::EditButtonGlyphs();
  ASSERT_EQ(glyphs.size(), 5u);
  const char* names[] = {"SF.png", "SR.png", "SD.png", "SE.png", "SC.png"};
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_EQ(glyphs[i].Name, names[i]);
    EXPECT_TRUE(ReadFile(kResources / "glyphs" / glyphs[i].Name) == glyphs[i].Bytes)
        << glyphs[i].Name << " differs from what icongen --glyphs makes now";
  }
}

}  // namespace
