// The toolbox routines that work over the component library: properties by name, message
// boxes, the message pause and shell icons; run under Wine.
#include <gtest/gtest.h>

#include "tests/skin/core/OwnedObject.h"

#include <memory>
#include <vector>

#include "TempDir.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "skin/core/acntIconWin32.h"
#include "skin/core/acntMessagesWin32.h"
#include "skin/core/acntProps.h"
#include "skin/core/sMessageDlg.h"

namespace skin {
namespace {

using namespace classlib;
using skin::testing::Owned;

TEST(AcntProps, OrdinalAndSetPropertiesByName) {
  Owned<TOpenDialog> dialog(new TOpenDialog(nullptr));
  EXPECT_TRUE(HasProperty(dialog.get(), L"Options"));
  EXPECT_FALSE(HasProperty(dialog.get(), L"NoSuchProperty"));
  EXPECT_FALSE(HasProperty(nullptr, L"Options"));

  EXPECT_EQ(GetIntProp(dialog.get(), L"FilterIndex"), 1);
  SetIntProp(dialog.get(), L"FilterIndex", 3);
  EXPECT_EQ(dialog->FilterIndex, 3);
  // A string property and a missing one are no ordinals: -1, and nothing is written.
  EXPECT_EQ(GetIntProp(dialog.get(), L"Title"), -1);
  EXPECT_EQ(GetIntProp(dialog.get(), L"NoSuchProperty"), -1);
  EXPECT_NO_THROW(SetIntProp(dialog.get(), L"Title", 5));
  EXPECT_NO_THROW(SetIntProp(nullptr, L"FilterIndex", 5));
  EXPECT_EQ(dialog->Title, L"");

  dialog->Options = {ofNoReadOnlyReturn, ofHideReadOnly};
  EXPECT_TRUE(CheckSetProp(dialog.get(), L"Options", L"ofHideReadOnly"));
  EXPECT_FALSE(CheckSetProp(dialog.get(), L"Options", L"ofhidereadonly"));
  EXPECT_FALSE(CheckSetProp(dialog.get(), L"Options", L"ofReadOnly"));
  EXPECT_FALSE(CheckSetProp(dialog.get(), L"FilterIndex", L"ofHideReadOnly"));

  // "ofReadOnly" lies inside "ofNoReadOnlyReturn": elements are matched as whole names.
  EXPECT_FALSE(SetSetPropValue(dialog.get(), L"Options", L"ofReadOnly", true));
  EXPECT_EQ(dialog->Options, (TOpenOptions{ofReadOnly, ofNoReadOnlyReturn, ofHideReadOnly}));
  EXPECT_FALSE(SetSetPropValue(dialog.get(), L"Options", L"ofNoReadOnlyReturn", false));
  EXPECT_EQ(dialog->Options, (TOpenOptions{ofReadOnly, ofHideReadOnly}));
  SetSetPropValue(dialog.get(), L"Options", L"ofReadOnly", false);
  SetSetPropValue(dialog.get(), L"Options", L"ofHideReadOnly", false);
  EXPECT_TRUE(dialog->Options.Empty());
  SetSetPropValue(dialog.get(), L"Options", L"ofNoSuchOption", true);
  SetSetPropValue(dialog.get(), L"Title", L"ofReadOnly", true);
  EXPECT_TRUE(dialog->Options.Empty());
}

TEST(AcntProps, ObjectPropertiesByName) {
  Owned<TPanel> panel(new TPanel(nullptr));
  Owned<TPopupMenu> menu(new TPopupMenu(nullptr));
  Owned<TOpenDialog> dialog(new TOpenDialog(nullptr));

  EXPECT_EQ(GetObjProp(panel.get(), L"Font"), panel->Font());
  EXPECT_EQ(GetObjProp(panel.get(), L"Tag"), nullptr);
  EXPECT_EQ(GetObjProp(panel.get(), L"NoSuchProperty"), nullptr);
  EXPECT_EQ(GetIntProp(panel.get(), L"Font.Color"), panel->Font()->Color());

  SetObjProp(panel.get(), L"PopupMenu", menu.get());
  EXPECT_EQ(panel->PopupMenu(), menu.get());
  EXPECT_EQ(GetObjProp(panel.get(), L"PopupMenu"), menu.get());
  // Of a class the reference does not take, or into an owned sub-object: nothing changes.
  EXPECT_NO_THROW(SetObjProp(panel.get(), L"PopupMenu", dialog.get()));
  EXPECT_EQ(panel->PopupMenu(), menu.get());
  EXPECT_NO_THROW(SetObjProp(panel.get(), L"Font", dialog.get()));
  EXPECT_EQ(GetObjProp(panel.get(), L"Font"), panel->Font());
  SetObjProp(panel.get(), L"PopupMenu", nullptr);
  EXPECT_EQ(panel->PopupMenu(), nullptr);
}

struct Box {
  std::wstring Text, Caption;
  UINT Flags;
  bool operator==(const Box&) const = default;
};

class BoxAnswerer {
 public:
  explicit BoxAnswerer(int Answer) {
    previous_ =
        SetMessageBoxFunction([this, Answer](HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
          boxes.push_back({text, caption, flags});
          return Answer;
        });
  }
  ~BoxAnswerer() { SetMessageBoxFunction(previous_); }
  std::vector<Box> boxes;

 private:
  TMessageBoxFunction previous_;
};

TEST(AcntMessages, WrappersChooseTextCaptionIconAndButtons) {
  BoxAnswerer answerer(IDOK);
  ShowWarning(L"w");
  ShowError(L"e");
  Alert();
  Alert(L"text");
  Alert(-42);
  const std::vector<Box> expected{
      {L"w", L"Warning", MB_ICONEXCLAMATION | MB_OK},     {L"e", L"Error", MB_ICONHAND | MB_OK},
      {L"Alert", L"Warning", MB_ICONEXCLAMATION | MB_OK}, {L"text", L"Warning", MB_ICONEXCLAMATION | MB_OK},
      {L"-42", L"Warning", MB_ICONEXCLAMATION | MB_OK},
  };
  EXPECT_EQ(answerer.boxes, expected);
}

TEST(AcntMessages, RequestsAreTrueOnlyForYes) {
  {
    BoxAnswerer yes(IDYES);
    EXPECT_TRUE(DeleteRequest());
    EXPECT_TRUE(CustomRequest(L"Удалить?"));
    ASSERT_EQ(yes.boxes.size(), 2u);
    EXPECT_EQ(yes.boxes[0], (Box{L"Delete this item?", L"Confirm", MB_ICONQUESTION | MB_YESNO}));
    EXPECT_EQ(yes.boxes[1].Text, L"Удалить?");
  }
  for (int answer : {IDNO, IDCANCEL, 0}) {
    BoxAnswerer other(answer);
    EXPECT_FALSE(CustomRequest(L"?")) << answer;
  }
}

TEST(SMessageDlg, ButtonStyleFromTheButtonSet) {
  struct Case {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    UINT flags;
  };
  const Case cases[] = {
      {mtConfirmation, {mbYes, mbNo, mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL},
      {mtInformation, {mbOK, mbCancel, mbHelp}, MB_ICONASTERISK | MB_OKCANCEL | MB_HELP},
      {mtCustom, {mbAll}, MB_OK},
      {mtCustom, {mbOK, mbYes}, MB_OK},
      {mtCustom, {mbIgnore}, MB_ABORTRETRYIGNORE},
      {mtCustom, {mbNo}, MB_YESNO},
      {mtCustom, {mbRetry, mbCancel}, MB_RETRYCANCEL},
  };
  for (const Case& c : cases) EXPECT_EQ(MsgDlgFlags(c.type, c.buttons), c.flags) << c.flags;

  BoxAnswerer answerer(IDRETRY);
  EXPECT_EQ(sMessageDlg(L"m", mtCustom, {mbOK}, 0), IDRETRY);
  EXPECT_EQ(sMessageDlg(L"Title", L"m", mtError, {mbOK}, 0), IDRETRY);
  ASSERT_EQ(answerer.boxes.size(), 2u);
  EXPECT_EQ(answerer.boxes[0].Caption, L"");
  EXPECT_EQ(answerer.boxes[1].Caption, L"Title");
}

TEST(AcntMessages, MakeMessageCarriesAllFourFields) {
  const TMessage m = MakeMessage(WM_SETTEXT, 7, -3, 11);
  EXPECT_EQ(m.Msg, static_cast<UINT>(WM_SETTEXT));
  EXPECT_EQ(m.WParam, 7u);
  EXPECT_EQ(m.LParam, -3);
  EXPECT_EQ(m.Result, 11);
}

// A message-only window that counts what reaches it.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AcntDelayProbe";
    RegisterClassW(&wc);
    handle = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~CountingWindow() { DestroyWindow(handle); }
  HWND handle;
  static inline int posted = 0;
  static inline int timers = 0;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) ++posted;
    if (msg == WM_TIMER) ++timers;
    return DefWindowProcW(w, msg, wp, lp);
  }
};

TEST(AcntMessages, DelayHandlesMessagesAndEndsWhenTheTimeIsUp) {
  CountingWindow window;
  ASSERT_NE(window.handle, nullptr);
  CountingWindow::posted = 0;
  PostMessageW(window.handle, WM_APP, 0, 0);
  Delay(0);
  EXPECT_EQ(CountingWindow::posted, 1);
  Delay(-5);

  CountingWindow::timers = 0;
  SetTimer(window.handle, 1, 10, nullptr);
  const DWORD start = GetTickCount();
  Delay(150);
  const DWORD elapsed = GetTickCount() - start;
  KillTimer(window.handle, 1);
  EXPECT_GE(elapsed, 150u);
  EXPECT_LT(elapsed, 2000u);
  // The window kept answering while we waited.
  EXPECT_GE(CountingWindow::timers, 3);
}

TEST(AcntIcon, ShellIconOfAnExistingFileOnly) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::unique_ptr<TacIcon> icon = GetIconForFile(self, SHGFI_SMALLICON);
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->Empty());
  EXPECT_EQ(icon->Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(icon->Height(), GetSystemMetrics(SM_CYSMICON));
  HICON handle = icon->ReleaseHandle();
  EXPECT_TRUE(icon->Empty());
  EXPECT_TRUE(DestroyIcon(handle));

  testing::TempDir dir;
  EXPECT_EQ(GetIconForFile((dir.Path() / L"missing.txt").wstring(), SHGFI_SMALLICON), nullptr);
  EXPECT_EQ(GetIconForFile(dir.Path().wstring(), 0), nullptr);
  EXPECT_EQ(GetIconForFile(L"", 0), nullptr);
}

}  // namespace
}  // namespace skin
