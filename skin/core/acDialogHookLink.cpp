#include "skin/core/acDialogHookLink.h"

namespace skin {

namespace {

TacDialogHookLink g_link;

}  // namespace

void SetDialogHookLink(const TacDialogHookLink& Link) { g_link = Link; }

const TacDialogHookLink& DialogHookLink() { return g_link; }

}  // namespace skin
