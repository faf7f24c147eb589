// The show animation of a skinned standard dialog and the picture of its client area.
#include <algorithm>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acAnimFrames.h"
#include "skin/forms/acDialogWnd.h"

namespace skin {

using classlib::TBitmap;
using namespace detail;

namespace {

// The client rectangle in window coordinates.
RECT ClientInWindow(HWND Wnd) {
  RECT window{}, client{};
  GetWindowRect(Wnd, &window);
  GetClientRect(Wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  return client;
}

}  // namespace

void PrindDlgClient(TacDialogWnd* Dlg, TBitmap* Bmp, bool FromWindow) {
  if (Dlg == nullptr || Bmp == nullptr || Bmp->Empty()) return;
  const HWND h = Dlg->CtrlHandle;
  const RECT client = ClientInWindow(h);
  const int w = client.right - client.left, ht = client.bottom - client.top;
  const int x = Dlg->OffsetX(), y = Dlg->OffsetY();
  const HDC dst = Bmp->Canvas()->Handle();
  if (FromWindow) {
    const classlib::WindowDC dc(h);
    BitBlt(dst, x, y, w, ht, dc.get(), client.left, client.top, SRCCOPY);
  } else if (Dlg->Host != nullptr) {
    const int saved = SaveDC(dst);
    POINT old{};
    SetWindowOrgEx(dst, -x, -y, &old);
    IntersectClipRect(dst, 0, 0, w, ht);
    Dlg->Host->PrintControls(dst);
    RestoreDC(dst, saved);
  }
  MakeOpaque(*Bmp, RECT{x, y, std::min(x + w, Bmp->Width()), std::min(y + ht, Bmp->Height())});
}

void AnimShowDlg(TacDialogWnd* Dlg, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode) {
  if (Dlg == nullptr || Dlg->SkinManager == nullptr || Dlg->SkinData == nullptr || !IsWindow(Dlg->CtrlHandle)) return;
  const HWND h = Dlg->CtrlHandle;
  TacAnimForm animForm;
  InAnimationProcess = true;
  // However the show ends, the dialog redraws and paints again and the copy goes behind it.
  const classlib::TScopeExit finish([&] {
    SendMessageW(h, WM_SETREDRAW, 1, 0);
    InAnimationProcess = false;
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (animForm == nullptr) return;
    SetWindowPos(animForm->Handle(), h, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kQuietPos);
    animForm.reset();
  });
  Dlg->PaintAll();
  const TBitmap* cache = Dlg->SkinData->CacheBmp();
  if (cache == nullptr || cache->Empty()) return;
  auto image = CopyBitmap32(*cache);
  PrindDlgClient(Dlg, image.get(), false);
  MakeOpaque(*image);

  RECT r{};
  GetWindowRect(h, &r);
  const int frames = AnimFrames(wTime);
  animForm = NewAnimForm(r);
  const HWND a = animForm->Handle();
  AddExStyle(a, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  SetFormBlendValue(a, image.get(), frames > 0 ? 0 : MaxTransparency);
  SetWindowPos(a, InsertAfterFor(h), r.left, r.top, image->Width(), image->Height(), SWP_SHOWWINDOW | kQuietPos);
  // A dialog's steps are one more than its frames: the last frame reaches MaxTransparency itself.
  // Without frames the first push already is the final picture.
  if (frames > 0) {
    PlayShowFrames(a, *image, frames, frames + 1, MaxTransparency, Mode);
    SetWindowRgn(a, nullptr, FALSE);
    const POINT pos{r.left, r.top};
    SetFormBlendValue(a, image.get(), MaxTransparency, &pos);
  }
}

}  // namespace skin
