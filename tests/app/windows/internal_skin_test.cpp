// The skin manager of the program's main window, read from the description the program carries:
// its internal skin is the committed skin byte for byte, it loads when the skin directory has no
// skin of that name, and a folder of that name in the skin directory comes first.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "classlib/ResourceStream.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerStartup.h"
#include "tests/skin/core/manager/ManagerFixture.h"

using namespace classlib;
namespace fs = std::filesystem;

namespace {

// The main window's description as the program carries it.
forms::ObjectNode MainWindowDescription() {
  TResourceStream stream(GetModuleHandleW(nullptr), L"TFORM1");
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return forms::ReadForm(std::string_view(bytes, static_cast<std::size_t>(stream.Size())));
}

const forms::ObjectNode* Child(const forms::ObjectNode& node, std::wstring_view name) {
  for (const forms::ObjectNode& child : node.children)
    if (child.name == name) return &child;
  return nullptr;
}

const forms::Property* PropertyOf(const std::vector<forms::Property>& properties, std::wstring_view name) {
  for (const forms::Property& p : properties)
    if (p.name == name) return &p;
  return nullptr;
}

// The program's default skin directory in the test prefix; it must hold no skin of ours unless a
// test puts one there, and whatever a test puts there goes again.
const fs::path kSkins = L"c:\\Skins";

class MainWindowSkin : public testing::Test {
 protected:
  void SetUp() override {
    skin::RegisterSkinManagerClasses();
    previous_ = SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      boxes.push_back(text);
      return IDOK;
    });
    ASSERT_FALSE(fs::exists(kSkins / L"Tarvisel")) << "c:\\Skins\\Tarvisel is left over in the test prefix";
    ASSERT_FALSE(fs::exists(kSkins / L"Tarvisel.asz")) << "c:\\Skins\\Tarvisel.asz is left over in the test prefix";
    createdSkins_ = !fs::exists(kSkins);
  }
  void TearDown() override {
    form_.reset();
    std::error_code ignored;
    fs::remove_all(kSkins / L"Tarvisel", ignored);
    if (createdSkins_) fs::remove_all(kSkins, ignored);
    SetMessageBoxFunction(previous_);
  }

  // The main window's skin manager, read into a form of its own.
  skin::TsSkinManager* ReadManager() {
    const forms::ObjectNode description = MainWindowDescription();
    const forms::ObjectNode* node = Child(description, L"sSkinManager1");
    if (node == nullptr) {
      ADD_FAILURE() << "the main window's description has no sSkinManager1";
      return nullptr;
    }
    form_.reset(Create<TForm>(Application));
    forms::ObjectNode root;
    root.className = L"TForm";
    root.children.push_back(*node);
    ApplyDescription(form_.get(), root, TFormBindings(form_.get()));
    return dynamic_cast<skin::TsSkinManager*>(form_->FindComponent(L"sSkinManager1"));
  }

  std::vector<std::wstring> boxes;

 private:
  TMessageBoxFunction previous_;
  bool createdSkins_ = false;
  skin::testing::Owned<TForm> form_;
};

TEST_F(MainWindowSkin, TheInternalSkinIsTheCommittedSkinByteForByte) {
  const forms::ObjectNode description = MainWindowDescription();
  const forms::ObjectNode* node = Child(description, L"sSkinManager1");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->className, L"TsSkinManager");
  const forms::Property* name = PropertyOf(node->properties, L"SkinName");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->value.text, L"Tarvisel");
  EXPECT_EQ(PropertyOf(node->properties, L"SkinDirectory"), nullptr) << "the default directory c:\\Skins stands";
  const forms::Property* skins = PropertyOf(node->properties, L"InternalSkins");
  ASSERT_NE(skins, nullptr);
  ASSERT_EQ(skins->value.items.size(), 1u);
  const forms::Property* skinName = PropertyOf(skins->value.items[0], L"Name");
  const forms::Property* data = PropertyOf(skins->value.items[0], L"Data");
  ASSERT_TRUE(skinName && data);
  EXPECT_EQ(skinName->value.text, L"Tarvisel (internal)");
  const std::vector<std::uint8_t> committed = skin::testing::OurSkin();
  ASSERT_GT(committed.size(), 1000u);
  EXPECT_TRUE(data->value.binary == committed) << "the description carries " << data->value.binary.size()
                                               << " bytes, the committed skin has " << committed.size();
}

TEST_F(MainWindowSkin, WithoutASkinInTheDirectoryTheInternalSkinLoads) {
  skin::TsSkinManager* manager = ReadManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->SkinDirectory(), L"c:\\Skins");
  EXPECT_EQ(manager->SkinName(), L"Tarvisel (internal)");
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_TRUE(manager->SkinIsPacked);
  EXPECT_TRUE(manager->IsDefault());
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(MainWindowSkin, AFolderInTheSkinDirectoryComesBeforeTheInternalSkin) {
  const fs::path packed = fs::temp_directory_path() / L"main-window-skin.asz";
  skin::testing::WriteBytes(packed, skin::testing::OurSkin());
  fs::create_directories(kSkins);
  skin::UnpackSkinFile(packed, kSkins / L"Tarvisel");
  fs::remove(packed);
  ASSERT_TRUE(fs::exists(kSkins / L"Tarvisel" / L"Options.dat"));

  skin::TsSkinManager* manager = ReadManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->SkinName(), L"Tarvisel");
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_FALSE(manager->SkinIsPacked);
  EXPECT_EQ(manager->Records().SkinData.SkinPath, "c:\\Skins\\Tarvisel\\");
  EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace

namespace {

// What the skin manager's unit sets up when the program starts.
TEST(SkinManagerStartup, ReadsTheSystemVersionAndTheProgramsShadows) {
  EXPECT_EQ(skin::OSVersionInfo.dwOSVersionInfoSize, 276u);
  EXPECT_TRUE(skin::IsNT);
  EXPECT_EQ(skin::BuiltInShadowActive().Width(), 32);
  EXPECT_EQ(skin::BuiltInShadowActive().Height(), 32);
  EXPECT_EQ(skin::BuiltInShadowInactive().Width(), 31);
  EXPECT_EQ(skin::BuiltInShadowInactive().Height(), 31);
}

}  // namespace
