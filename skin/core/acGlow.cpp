#include "skin/core/acGlow.h"

#include "classlib/Object.h"
#include "skin/core/acGlowPlace.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRect.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

namespace {

// Left to the end of the process: glow windows belong to forms the application frees first.
std::vector<std::unique_ptr<TacGlowEffect>>& GlowList() {
  static auto* glows = new std::vector<std::unique_ptr<TacGlowEffect>>();
  return *glows;
}

bool ManagerGoing(const TsSkinManager* sm) {
  return sm != nullptr && sm->ComponentState().Contains(classlib::csDestroying);
}

bool AppTerminated() { return static_cast<classlib::TApplication*>(classlib::Application)->Terminated(); }

// No activation, layered, click-through, no taskbar button.
constexpr LONG_PTR kGlowExStyles = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
static_assert(kGlowExStyles == 0x080800A0);

// Stacks Glow right above Wnd (as topmost when Wnd is topmost).
void StackAbove(HWND glow, HWND wnd) {
  constexpr UINT kOnlyOrder = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (wnd == nullptr) return;
  if ((GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
    SetWindowPos(glow, HWND_TOPMOST, 0, 0, 0, 0, kOnlyOrder);
    return;
  }
  HWND above = GetWindow(wnd, GW_HWNDPREV);
  if (above == glow) return;  // already there
  // With nothing above Wnd the glow goes on top: below Wnd it would be hidden by it.
  SetWindowPos(glow, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, kOnlyOrder);
}

}  // namespace

TacGlowEffect::~TacGlowEffect() {
  if (Wnd == nullptr) return;
  if (ManagerGoing(SkinManager) || AppTerminated()) {
    FreeWindowNow();
    return;
  }
  Wnd->WindowProc = OldWndProc;
  Wnd->Release();  // freed from the message queue: it may be the window being handled right now
  Wnd = nullptr;
}

void TacGlowEffect::FreeWindowNow() {
  if (Wnd == nullptr) return;
  Wnd->WindowProc = OldWndProc;
  classlib::Free(Wnd);
  Wnd = nullptr;
}

void TacGlowEffect::NewWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  OldWndProc(Message);
}

void TacGlowEffect::CreateAlphaBmp(int Width, int Height) {
  AlphaBmp = NewBitmap32(Width, Height);
  const TImage32View view = View32(AlphaBmp.get());
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x) view.At(x, y).U = 0;
  if (SkinManager == nullptr || !SkinManager->IsValidImgIndex(MaskIndex)) return;
  DrawSkinRect(view, {0, 0, Width, Height}, kEmptyCI32, SkinManager->Records().ma[std::size_t(MaskIndex)], 0, false);
}

bool TacGlowEffect::Show(const TRect& R, const TRect& RealRect, int, HWND WndHandle) {
  if (Wnd != nullptr) return true;
  if (SkinManager == nullptr) return false;
  TacSkinRecords& records = SkinManager->Records();
  const TacGlowPlace place = GlowPlace(R, RealRect, records.MaskWidthLeft(MaskIndex), records.MaskWidthTop(MaskIndex),
                                       records.MaskWidthRight(MaskIndex), records.MaskWidthBottom(MaskIndex), Margin);
  if (place.Empty()) return false;
  CreateAlphaBmp(place.Width, place.Height);
  if (place.CutLeft != 0 || place.CutTop != 0 || place.WndWidth != place.Width || place.WndHeight != place.Height) {
    // The window's part of the picture; outside the picture it stays clear.
    auto part = NewBitmap32(place.WndWidth, place.WndHeight);
    const TImage32View from = View32(AlphaBmp.get()), to = View32(part.get());
    for (int y = 0; y < to.Height; ++y)
      for (int x = 0; x < to.Width; ++x)
        to.At(x, y).U =
            from.Contains(x + place.CutLeft, y + place.CutTop) ? from.At(x + place.CutLeft, y + place.CutTop).U : 0;
    AlphaBmp = std::move(part);
  }
  Wnd = classlib::Create<classlib::TForm>(nullptr);
  Wnd->SetTag(ac_NoSkinTag);
  Wnd->SetBorderStyle(classlib::bsNone);
  OldWndProc = Wnd->WindowProc;
  Wnd->WindowProc = classlib::TWndMethod(this, &TacGlowEffect::NewWndProc);
  const HWND h = Wnd->Handle();
  SetWindowPos(h, nullptr, 0, 0, place.WndWidth, place.WndHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  StackAbove(h, WndHandle);
  SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | kGlowExStyles);
  SetWindowPos(h, nullptr, place.Pos.X, place.Pos.Y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  if (TUpdateLayeredWindow update = UpdateLayeredWindowProc()) {
    HDC screen = GetDC(nullptr);
    POINT source{0, 0};
    SIZE size{place.WndWidth, place.WndHeight};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    update(h, screen, nullptr, &size, AlphaBmp->Canvas()->Handle(), &source, 0, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
  }
  ShowWindow(h, SW_SHOWNOACTIVATE);
  AlphaBmp.reset();
  return true;
}

int ShowGlow(const TRect& R, const TRect& RealRect, const std::string& SkinSection, const std::string& Name, int Margin,
             int Alpha, HWND WndHandle, TsSkinManager* SkinManager) {
  if (!acLayered()) return -1;
  auto glow = std::make_unique<TacGlowEffect>();
  glow->SkinManager = SkinManager != nullptr ? SkinManager : DefaultManager();
  if (glow->SkinManager == nullptr) return -1;
  glow->MaskIndex =
      glow->SkinManager->GetMaskIndex(glow->SkinManager->GetSkinIndex(SkinSection), SkinSection, Name + "0");
  if (!glow->SkinManager->IsValidImgIndex(glow->MaskIndex)) return -1;
  glow->Margin = Margin;
  if (!glow->Show(R, RealRect, Alpha, WndHandle)) return -1;
  GlowList().push_back(std::move(glow));
  return static_cast<int>(GlowList().size()) - 1;
}

void HideGlow(int ID) {
  auto& glows = GlowList();
  if (ID < 0 || std::size_t(ID) >= glows.size()) return;
  glows[std::size_t(ID)].reset();
}

void ClearGlows(bool RestoreProcs) {
  // Taken out first: freeing a window may run code that looks at the list.
  auto glows = std::move(GlowList());
  GlowList().clear();
  for (auto& glow : glows)
    if (glow != nullptr && RestoreProcs) glow->FreeWindowNow();
}

const std::vector<std::unique_ptr<TacGlowEffect>>& Glows() { return GlowList(); }

}  // namespace skin
