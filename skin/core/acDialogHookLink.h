#pragma once
// What the default manager's CBT hook asks of the dialog skinning: the skinning lives in
// skin/forms, which this folder may not include, so it installs its entry points here
// (Ac_InstallDialogHook in skin/forms/acDialsHook.h). The manager takes the link when it installs
// its hook: a link given later serves from the next installation on. Without a link the hook only
// passes every call on. Win32 only; GUI thread only.
#include <windows.h>

namespace skin {

struct TacDialogHookLink {
  // The whole hook procedure; it passes every call on to the next hook first.
  HOOKPROC Procedure = nullptr;
  // The hook is in place (its handle, for passing calls on) or gone (nullptr): the skinning made
  // through it is given up then.
  void (*HookChanged)(HHOOK Hook) = nullptr;
};

void SetDialogHookLink(const TacDialogHookLink& Link);
const TacDialogHookLink& DialogHookLink();

}  // namespace skin
