#include "vcl_fixture.h"

#include "classlib/Dialogs.h"

namespace vcltest {

namespace {
// Wine waits up to two seconds for a window manager whenever it hides a window it let one manage;
// the test display has none, so the test programs keep their windows unmanaged.
const bool g_unmanagedWindows = [] {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  exe = exe.substr(exe.find_last_of(L"\\/") + 1);
  std::wstring key = L"Software\\Wine\\AppDefaults\\" + exe + L"\\X11 Driver";
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const wchar_t value[] = L"N";
  RegSetValueExW(h, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
  RegCloseKey(h);
  return true;
}();
}  // namespace

f::Value Int(std::int64_t v) {
  f::Value x;
  x.kind = f::Value::Kind::Integer;
  x.integer = v;
  return x;
}
f::Value Str(std::wstring s) {
  f::Value x;
  x.kind = f::Value::Kind::String;
  x.text = std::move(s);
  return x;
}
f::Value Ident(std::wstring s) {
  f::Value x;
  x.kind = f::Value::Kind::Identifier;
  x.text = std::move(s);
  return x;
}
f::Value Set(std::vector<std::wstring> items) {
  f::Value x;
  x.kind = f::Value::Kind::Set;
  x.set = std::move(items);
  return x;
}
f::Value List(std::vector<std::wstring> items) {
  f::Value x;
  x.kind = f::Value::Kind::List;
  for (auto& s : items) x.list.push_back(Str(s));
  return x;
}
f::Property Prop(std::wstring name, f::Value v, int line) {
  v.line = line;
  return f::Property{std::move(name), std::move(v), line};
}
f::ObjectNode Obj(std::wstring name, std::wstring cls, std::vector<f::Property> props,
                  std::vector<f::ObjectNode> children, int line) {
  return f::ObjectNode{std::move(name), std::move(cls), std::move(props), std::move(children), line};
}

void Pump() {
  for (int round = 0; round < 5; ++round) classlib::Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& Condition, int TimeoutMs) {
  const DWORD start = GetTickCount();
  while (true) {
    classlib::Application->ProcessMessages();
    if (Condition()) return true;
    if (static_cast<int>(GetTickCount() - start) > TimeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void ShowActive(classlib::TCustomForm* Form) {
  Form->Show();
  PumpUntil([Form] { return GetActiveWindow() == Form->Handle() && Form->Active(); });
  Pump();
}

bool FocusAndWait(classlib::TWinControl* Control) {
  Control->SetFocus();
  return PumpUntil([Control] { return Control->Focused(); });
}

HWND FindChild(HWND Parent, const wchar_t* ClassName, const wchar_t* Text) {
  return FindWindowExW(Parent, nullptr, ClassName, Text);
}

std::wstring WindowText(HWND Window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(Window, buffer, 512);
  return buffer;
}

std::wstring WindowClass(HWND Window) {
  wchar_t buffer[256] = {};
  GetClassNameW(Window, buffer, 256);
  return buffer;
}

BoxRecorder::BoxRecorder() {
  previous_ =
      classlib::SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
        boxes.push_back({text, caption, flags});
        return answer;
      });
}

BoxRecorder::~BoxRecorder() { classlib::SetMessageBoxFunction(previous_); }

}  // namespace vcltest
