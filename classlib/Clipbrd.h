#pragma once
// The clipboard's text: what the numeric edits and the calculator copy and paste.
#include <string>

namespace classlib {

// Whether the clipboard holds text.
bool ClipboardHasText();
// The clipboard's text; empty when it holds none or cannot be opened.
std::wstring ClipboardText();
// Puts Text on the clipboard in place of what it held; false when the clipboard cannot be opened.
bool SetClipboardText(const std::wstring& Text);

}  // namespace classlib
