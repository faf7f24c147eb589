#include "skin/windows/acSpinWnd.h"

#include <commctrl.h>

#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

bool Active(TsCommonData* Data) {
  return Data != nullptr && Data->GetSkinManager() != nullptr && Data->GetSkinManager()->Active();
}

bool Inside(const TRect& R, POINT P) { return P.x >= R.Left && P.x < R.Right && P.y >= R.Top && P.y < R.Bottom; }

}  // namespace

bool TacSpinWnd::IsVertical() const { return (GetWindowLongW(CtrlHandle, GWL_STYLE) & UDS_HORZ) == 0; }

TRect TacSpinWnd::FirstRect() const {
  const int w = WndSize.cx, h = WndSize.cy;
  if (IsVertical()) return {lOffset, 0, w, h / 2 + h % 2};
  return {0, 0, w / 2 + w % 2, h};
}

TRect TacSpinWnd::SecondRect() const {
  const int w = WndSize.cx, h = WndSize.cy;
  if (IsVertical()) return {lOffset, h / 2, w, h};
  return {w / 2, 0, w, h};
}

void TacSpinWnd::PrepareCache() {
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr) return;
  if (sm->GetSkinIndex(SkinData->SkinSection()) < 0) SkinData->SetSkinSection("BUTTON");
  TacBGInfo bg;
  GetBGInfo(bg, ParentWnd, false);
  if (bg.BgType == TacBGType::btNotReady) {
    SkinData->SetUpdating(true);
    return;
  }
  const TCacheInfo ci = BGInfoToCI(bg);
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  const TacSkinRecords& rec = sm->Records();
  const bool vertical = IsVertical();
  const int glyphs[2] = {vertical ? rec.ConstData.MaskArrowTop : rec.ConstData.MaskArrowLeft,
                         vertical ? rec.ConstData.MaskArrowBottom : rec.ConstData.MaskArrowRight};
  const TRect rects[2] = {FirstRect(), SecondRect()};
  const int states[2] = {Btn1State, Btn2State};
  for (int i = 0; i < 2; ++i) {
    const TRect& r = rects[i];
    if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
    PaintItem(SkinData, ci, true, states[i], r, TPoint{WndPos.X + r.Left, WndPos.Y + r.Top}, cache, false);
    if (!rec.IsValidImgIndex(glyphs[i])) continue;
    const TsMaskData& md = rec.ma[std::size_t(glyphs[i])];
    const TPoint at{r.Left + (r.Right - r.Left - WidthOfImage(md)) / 2,
                    r.Top + (r.Bottom - r.Top - HeightOfImage(md)) / 2};
    DrawSkinGlyph(cache, at, states[i], 1, md, MakeCacheInfo(cache));
  }
  SkinData->BGChanged = false;
}

void TacSpinWnd::AC_WMPaint(HDC Given) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (Inside(WndRect, cursor)) {
    const POINT at{cursor.x - WndRect.Left, cursor.y - WndRect.Top};
    const bool first = IsVertical() ? at.y < WndSize.cy / 2 : at.x < WndSize.cx / 2;
    const int pressed = 1 + (bMousePressed ? 1 : 0);
    Btn1State = first ? pressed : 0;
    Btn2State = first ? 0 : pressed;
  } else {
    Btn1State = Btn2State = 0;
  }
  PAINTSTRUCT ps{};
  const bool painting = Given == nullptr;
  if (painting) BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] {
    if (painting) EndPaint(CtrlHandle, &ps);
  });
  if ((ParentWnd != nullptr && GetBoolMsg(ParentWnd, ACMD_ISBUSY)) || SkinData->Updating()) return;
  const TacGivenOrOwnDC dc(CtrlHandle, Given);
  if (dc.get() == nullptr) return;
  SkinData->BGChanged = true;
  PrepareCache();
  if (SkinData->Updating()) return;
  const int from = IsVertical() ? lOffset : 0;
  BitBlt(dc.get(), from, 0, WndSize.cx - from, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), from, 0, SRCCOPY);
}

void TacSpinWnd::Redraw() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME); }

void TacSpinWnd::acWndProc(classlib::TMessage& Message) {
  if (!Active(SkinData) || Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case SM_ALPHACMD:
      if (CommandOf(Message.WParam) == ACMD_MOUSELEAVE) Redraw();
      break;
    case WM_PAINT:
      AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      bMousePressed = Message.Msg == WM_LBUTTONDOWN;
      TacMainWnd::acWndProc(Message);
      Redraw();
      return;
    case WM_LBUTTONDBLCLK:
      TacMainWnd::acWndProc(Message);
      bMousePressed = true;
      Redraw();
      bMousePressed = false;
      return;
    case WM_MOUSELEAVE: InvalidateRect(CtrlHandle, nullptr, FALSE); break;
    case WM_MOUSEMOVE: {
      TacMainWnd::acWndProc(Message);
      TsSkinManager* dm = DefaultManager();
      if (dm == nullptr || dm->ComponentState().Contains(classlib::csDesigning) || !IsWindowEnabled(CtrlHandle)) return;
      RECT wr{};
      GetWindowRect(CtrlHandle, &wr);
      POINT cursor{};
      GetCursorPos(&cursor);
      if (!PtInRect(&wr, cursor)) {
        if (dm->ActiveControl() == CtrlHandle) dm->SetActiveControl(nullptr);
      } else if (dm->ActiveControl() != CtrlHandle) {
        dm->SetActiveControl(CtrlHandle);
      } else {
        Redraw();
      }
      return;
    }
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
