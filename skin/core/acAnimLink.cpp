#include "skin/core/acAnimLink.h"

namespace skin {

namespace {

TacControlAnimLink g_link;

}  // namespace

void SetControlAnimLink(const TacControlAnimLink& Link) {
  const bool whole =
      Link.Prepare != nullptr && Link.Show != nullptr && Link.CoverUp != nullptr && Link.FreeCover != nullptr;
  g_link = whole ? Link : TacControlAnimLink{};
}

const TacControlAnimLink& ControlAnimLink() { return g_link; }

}  // namespace skin
