#include "skin/forms/acSysMenuRules.h"

#include "skin/forms/acFrameMetrics.h"

namespace skin {

TacSysMenuRules SysMenuRulesOf(const TacSysMenuInput& In) {
  const bool big = BigButtonsStyle(In.BorderStyle);
  TacSysMenuRules r;
  r.VisibleClose = In.HasSysMenu && In.NativeClose;
  r.VisibleMax = In.HasSysMenu && (In.Iconic || In.MdiChild || (big && In.BiMaximize));
  r.VisibleMin = In.HasSysMenu && (In.Iconic || In.MdiChild || (big && In.BiMinimize));
  r.VisibleRestore = In.HasSysMenu && (In.MdiChild || big);
  r.VisibleSize =
      In.MdiChild || (In.BorderStyle != kBsNone && In.BorderStyle != kBsDialog && In.BorderStyle != kBsToolWindow);
  r.EnabledMax = In.BiMaximize && (In.MdiChild || (!In.Zoomed && big));
  r.EnabledMin = In.BiMinimize && !(In.Iconic && !In.MainForm);
  r.EnabledMove = !In.Zoomed;
  r.EnabledRestore = (In.BiMaximize && !In.StateNormal) || In.Minimized;
  r.EnabledSize = In.BorderStyle != kBsSingle && !In.Iconic;
  return r;
}

std::wstring SkinNameOfItem(const std::wstring& Caption, const std::wstring& InternalMark) {
  std::wstring name;
  name.reserve(Caption.size());
  for (wchar_t c : Caption)
    if (c != L'&') name += c;
  if (!InternalMark.empty())
    if (const auto at = name.find(InternalMark); at != std::wstring::npos) name.erase(at + InternalMark.size());
  return name;
}

}  // namespace skin
