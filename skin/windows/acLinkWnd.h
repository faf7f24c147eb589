#pragma once
// The link handler: a native "SysLink" (or "Link Window") drawn as its parent's background with
// its caption, markup removed, underlined in the system's message font. It paints while its
// background is erased. A link with a sunken edge keeps its native look. Win32 only; GUI thread
// only.
#include <windows.h>

#include <string>

#include "skin/windows/acStaticWnd.h"

namespace skin {

// The caption without its "<A>" and "</A>" markers (any letter case).
std::wstring LinkTextWithoutMarkup(const std::wstring& Caption);

class TacLinkWnd : public TacStaticWnd {
 public:
  using TacStaticWnd::TacStaticWnd;
  void acWndProc(classlib::TMessage& Message) override;
  bool PaintText() override;
};

}  // namespace skin
