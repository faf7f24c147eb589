// The link label: its normal and hover fonts coloured by the skin, and the opener of its links.
#include "skin/controls/sLabel.h"

#include <shellapi.h>  // needs windows.h first, which sLabel.h brings

#include <utility>

#include "classlib/Forms.h"
#include "skin/controls/sLabelDetail.h"

namespace skin {

using classlib::TFont;
using classlib::TMessage;
using detail::ActiveManager;
using detail::GlobalInfo;
using detail::Section;

namespace {

void ShellOpen(const std::wstring& URL, TsWindowShowMode ShowMode) {
  HWND owner = classlib::Application->Handle();
  // What the shell answers is of no use to a click: a link that does not open shows nothing.
  ShellExecuteW(owner, L"open", URL.c_str(), nullptr, nullptr, static_cast<int>(ShowMode));
}

TacUrlOpener& Opener() {
  static TacUrlOpener opener = ShellOpen;
  return opener;
}

}  // namespace

TacUrlOpener SetUrlOpener(TacUrlOpener NewOpener) {
  TacUrlOpener previous = std::exchange(Opener(), NewOpener ? std::move(NewOpener) : TacUrlOpener(ShellOpen));
  return previous;
}

TsWebLabel::TsWebLabel(classlib::TComponent* AOwner)
    : TsLabel(AOwner), FNormalFont(std::make_unique<TFont>()), FHoverFont(std::make_unique<TFont>()) {
  SetCursor(classlib::crHandPoint);
  SetTransparent(true);
}

void TsWebLabel::Loaded() {
  TsLabel::Loaded();
  Font()->Assign(FNormalFont.get());
}

void TsWebLabel::SetNormalFont(const TFont* Value) {
  FNormalFont->Assign(Value);
  Font()->Assign(Value);
  Invalidate();
}

void TsWebLabel::SetHoverFont(const TFont* Value) { FHoverFont->Assign(Value); }

TFont* TsWebLabel::GetCurrentFont() {
  TsSkinManager* m = ActiveManager();
  if (!MouseAbove || Designing()) {
    if (m == nullptr || !FollowsSkin()) return FNormalFont.get();
    TColor colour = FNormalFont->Color();
    const int index = GetFontIndex(this, -1, m, 0);
    if (const TsGeneralData* section = Section(m, index)) {
      colour = section->Props[0].FontColor.Color;
    } else if (const TsGeneralData* global = GlobalInfo(m)) {
      // A skin that gives no colour there (-1) leaves the font's own.
      if (global->Props[0].FontColor.Bottom != -1) colour = global->Props[0].FontColor.Bottom;
    }
    if (colour != classlib::clFuchsia) FNormalFont->SetColor(colour);
    return FNormalFont.get();
  }
  TColor colour = FHoverFont->Color();
  if (UseSkinColor() && m != nullptr)
    if (const TsGeneralData* global = GlobalInfo(m)) colour = global->Props[0].FontColor.Top;
  if (colour == -1) colour = classlib::clRed;
  FHoverFont->SetColor(colour);
  return FHoverFont.get();
}

void TsWebLabel::MouseMoved(bool Above) {
  MouseAbove = Above;
  if (AutoSize()) {
    // Measured in the font it is about to show, whether or not a paint comes first.
    {
      detail::TFlagHold updating(LabelFontUpdating);
      if (TFont* f = GetCurrentFont(); f != Font()) Font()->Assign(f);
    }
    Invalidate();
    Update();
    AdjustBounds();
  }
  if (Parent() != nullptr && Parent()->HandleAllocated()) {
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    InvalidateRect(Parent()->Handle(), &r, TRUE);
  }
}

void TsWebLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case classlib::CM_MOUSEENTER:
    case classlib::CM_MOUSELEAVE:
      if (!Enabled()) return;
      TsLabel::WndProc(Message);
      MouseMoved(Message.Msg == classlib::CM_MOUSEENTER);
      return;
    case WM_ERASEBKGND: return;
    case WM_LBUTTONDOWN:
      TsLabel::WndProc(Message);
      if (!FURL.empty()) Opener()(FURL, FShowMode);
      return;
    default: TsLabel::WndProc(Message); return;
  }
}

}  // namespace skin
