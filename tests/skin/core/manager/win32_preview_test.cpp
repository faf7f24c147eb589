// Live preview: a skin editor in another process sends a skin by WM_COPYDATA and the manager
// shows it; the taskbar thumbnail switch; run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManagerFixture.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinPreviewWin32.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::testing;

// A main form that hands copy-data messages to the manager, as the form provider does.
class TPreviewForm : public TCountingForm {
 public:
  using TCountingForm::TCountingForm;
  TsSkinManager* manager = nullptr;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_COPYDATA) {
      ReceiveData(m, manager);
      return;
    }
    TCountingForm::WndProc(m);
  }
};

// Runs the stand-in editor and serves this thread's windows until it exits; its exit code.
DWORD RunSender(HWND target, const std::wstring& dir, const std::wstring& name, const fs::path& options,
                const std::wstring& extra = L"") {
  std::wstring command = L"\"" + ProgramFolder() + L"preview_sender.exe\" " +
                         std::to_wstring(reinterpret_cast<INT_PTR>(target)) + L" \"" + dir + L"\" \"" + name +
                         L"\" \"" + options.wstring() + L"\" " + extra;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 100;
  const DWORD deadline = GetTickCount() + 60000;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount() < deadline) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DWORD code = 101;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

struct Preview : ::testing::Test {
  SkinFolder folder;
  BoxRecorder boxes;
  Owned<TPreviewForm> form{Create<TPreviewForm>(Application)};
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  fs::path options;

  void SetUp() override {
    form->manager = manager.get();
    form->SetBounds(40, 40, 200, 100);
    form->Handle();
    TsStoredSkin* internal = manager->InternalSkins().Add();
    internal->Name = L"Tarvisel (internal)";
    internal->Data = OurSkin();
    manager->SetSkinDirectory(folder.relative);
    manager->SetSkinName(L"Tarvisel (internal)");
    ASSERT_EQ(manager->SkinName(), L"Tarvisel (internal)");
    // The edited skin: its images in a folder without "Options.dat", whose text the editor sends;
    // beside it a damaged packed file of the same name.
    const fs::path packed = folder.path / L"unpack.asz";
    WriteBytes(packed, OurSkin());
    UnpackSkinFile(packed, folder.path / L"Edited");
    fs::remove(packed);
    options = folder.path / L"sent-options.txt";
    fs::rename(folder.path / L"Edited" / L"Options.dat", options);
    WriteBytes(folder.path / L"Edited.asz", {1, 2, 3});
    form->commands.clear();
  }
  std::wstring FullDir() const { return manager->GetFullSkinDirectory(); }
};

TEST_F(Preview, ABlockFromAnotherProcessReloadsTheSkin) {
  const bool unpackedFirst = UnPackedFirst;
  EXPECT_EQ(RunSender(form->Handle(), FullDir(), L"Edited", options), 1u);
  EXPECT_EQ(manager->SkinName(), L"Edited");
  EXPECT_EQ(manager->SkinInfo(), L"7.56");
  EXPECT_FALSE(manager->SkinIsPacked) << "the folder goes before the packed file after a preview";
  EXPECT_TRUE(boxes.texts.empty()) << (boxes.texts.empty() ? "" : classlib::Utf8Encode(boxes.texts.front()));
  EXPECT_EQ(form->Count(ACMD_NEWSKIN), 1);
  EXPECT_EQ(form->Count(ACMD_REFRESH), 1);
  EXPECT_FALSE(manager->NonAutoUpdate);
  EXPECT_EQ(acMemSkinFile, nullptr);
  UnPackedFirst = unpackedFirst;
}

TEST_F(Preview, OtherBlocksChangeNothing) {
  for (const wchar_t* extra : {L"magic=0xA401", L"short"}) {
    SCOPED_TRACE(classlib::Utf8Encode(extra));
    EXPECT_EQ(RunSender(form->Handle(), FullDir(), L"Edited", options, extra), 0u);
    EXPECT_EQ(manager->SkinName(), L"Tarvisel (internal)");
    EXPECT_TRUE(form->commands.empty());
  }
  // Another command number of the copy-data message.
  TMessage m{WM_COPYDATA, 8, 0, 0};
  ReceiveData(m, manager.get());
  EXPECT_EQ(m.Result, 0);
}

// Records the DWM calls of the thumbnail switch; attribute 10 fails while `refuse` is set.
struct DwmLog {
  static inline std::vector<std::pair<DWORD, BOOL>> attributes;
  static inline int invalidations = 0;
  static inline bool refuse = false;
  static HRESULT WINAPI Set(HWND, DWORD attribute, LPCVOID value, DWORD size) {
    attributes.emplace_back(attribute, size == sizeof(BOOL) ? *static_cast<const BOOL*>(value) : -1);
    return attribute == 10 && refuse ? E_FAIL : S_OK;
  }
  static HRESULT WINAPI Invalidate(HWND) {
    ++invalidations;
    return S_OK;
  }
};

TEST(ThumbnailSwitch, ForceIconicOnlyAfterHasIconic) {
  const TacDwmThumbnailApi api{&DwmLog::Set, &DwmLog::Invalidate};
  const bool saved = ac_ChangeThumbPreviews;
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));

  ac_ChangeThumbPreviews = false;
  UpdatePreview(window, true, api);
  EXPECT_TRUE(DwmLog::attributes.empty());

  ac_ChangeThumbPreviews = true;
  UpdatePreview(window, true, api);
  EXPECT_EQ(DwmLog::attributes, (std::vector<std::pair<DWORD, BOOL>>{{10, TRUE}, {7, TRUE}}));
  EXPECT_EQ(DwmLog::invalidations, 1);

  DwmLog::attributes.clear();
  DwmLog::refuse = true;
  UpdatePreview(window, false, api);
  EXPECT_EQ(DwmLog::attributes, (std::vector<std::pair<DWORD, BOOL>>{{10, FALSE}}));
  ac_ChangeThumbPreviews = saved;
}

}  // namespace
}  // namespace skin
