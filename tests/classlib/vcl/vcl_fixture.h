#pragma once
// Shared helpers of the window tests: building descriptions in code, answering message boxes,
// pumping messages and finding real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FormNode.h"
#include "classlib/Forms.h"

namespace vcltest {

namespace f = classlib::forms;

f::Value Int(std::int64_t v);
f::Value Str(std::wstring s);
f::Value Ident(std::wstring s);
f::Value Set(std::vector<std::wstring> items);
f::Value List(std::vector<std::wstring> items);
f::Property Prop(std::wstring name, f::Value v, int line = 0);
f::ObjectNode Obj(std::wstring name, std::wstring cls, std::vector<f::Property> props = {},
                  std::vector<f::ObjectNode> children = {}, int line = 0);

// Handles whatever is queued now, a few rounds (posted messages may post more).
void Pump();
// Handles messages until Condition holds (true) or TimeoutMs passes (false). The X server
// delivers activation and focus later than Windows would, more so on a busy machine.
bool PumpUntil(const std::function<bool()>& Condition, int TimeoutMs = 3000);
// Shows Form and waits until it is the active window.
void ShowActive(classlib::TCustomForm* Form);
// Focuses Control and waits until it has the focus.
bool FocusAndWait(classlib::TWinControl* Control);

// The child window of Parent with this class and text (nullptr when there is none).
HWND FindChild(HWND Parent, const wchar_t* ClassName, const wchar_t* Text);
std::wstring WindowText(HWND Window);
std::wstring WindowClass(HWND Window);

// Replaces message boxes for the time of a test: records them and answers IDOK.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  struct Box {
    std::wstring text;
    std::wstring caption;
    UINT flags;
  };
  std::vector<Box> boxes;
  int answer = IDOK;

 private:
  classlib::TMessageBoxFunction previous_;
};

}  // namespace vcltest
