#include "skin/windows/acWndRoutines.h"

#include <algorithm>
#include <vector>

#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

std::wstring GetWndText(HWND Wnd) {
  const int length = GetWindowTextLengthW(Wnd);
  if (length <= 0) return {};
  std::wstring text(std::size_t(length) + 1, L'\0');
  text.resize(std::size_t(std::max(0, GetWindowTextW(Wnd, text.data(), length + 1))));
  return text;
}

std::wstring GetWndClassName(HWND Wnd) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(Wnd, name, 256);
  return std::wstring(name, std::size_t(std::max(0, n)));
}

void InitCtrlData(HWND Wnd, HWND& ParentWnd, TRect& WndRect, TPoint& WndPos, TSize& WndSize, TRect& ParentRect) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  WndRect = {r.left, r.top, r.right, r.bottom};
  ParentWnd = GetParent(Wnd);
  RECT pr{};
  if (ParentWnd != nullptr) GetWindowRect(ParentWnd, &pr);
  ParentRect = {pr.left, pr.top, pr.right, pr.bottom};
  WndSize = {WndRect.Right - WndRect.Left, WndRect.Bottom - WndRect.Top};
  POINT p{r.left, r.top};
  if (ParentWnd != nullptr) ScreenToClient(ParentWnd, &p);
  WndPos = {p.x, p.y};
}

bool MayBeHot(TsCommonData* SkinData) {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex) || !sm->IsValidImgIndex(SkinData->BorderIndex))
    return false;
  const TacSkinRecords& rec = sm->Records();
  return rec.ma[std::size_t(SkinData->BorderIndex)].ImageCount > 1 ||
         rec.gd[std::size_t(SkinData->SkinIndex)].States > 1;
}

void AlphaBroadCastCheck(classlib::TControl* Control, HWND Handle, classlib::TMessage& Message) {
  if (auto* win = dynamic_cast<classlib::TWinControl*>(Control))
    AlphaBroadCast(win, Message);
  else
    AlphaBroadCast(Handle, Message);
}

void PrepareCache(TsCommonData* SkinData, HWND Handle, bool DlgMode) {
  if (SkinData == nullptr || !SkinData->BGChanged || Handle == nullptr) return;
  RECT wr{};
  GetWindowRect(Handle, &wr);
  InitCacheBmp(SkinData);
  TCacheInfo ci = EmptyCI;
  HWND parent = GetParent(Handle);
  if (parent != nullptr) {
    TacBGInfo bg;
    GetBGInfo(bg, parent, false);
    if (bg.BgType == TacBGType::btNotReady) {
      SkinData->SetUpdating(true);
      return;
    }
    ci = BGInfoToCI(bg);
  }
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  cache->SetSize(width, height);
  TsSkinManager* dm = DefaultManager();
  if (DlgMode && dm != nullptr && dm->Records().SkinData.BorderColor != clFuchsia) {
    HDC dc = cache->Canvas()->Handle();
    const RECT all{0, 0, width, height};
    HBRUSH window = CreateSolidBrush(classlib::ColorToRGB(classlib::clWindow));
    FillRect(dc, &all, window);
    DeleteObject(window);
    HBRUSH frame = CreateSolidBrush(classlib::ColorToRGB(dm->Records().SkinData.BorderColor));
    FrameRect(dc, &all, frame);
    DeleteObject(frame);
  } else {
    POINT pos{wr.left, wr.top};
    if (parent == nullptr || !ScreenToClient(parent, &pos)) return;
    TsSkinManager* sm = SkinData->GetSkinManager();
    if (sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex)) {
      const int state = (SkinData->FFocused || SkinData->FMouseAbove) && MayBeHot(SkinData) ? 1 : 0;
      PaintItem(SkinData, ci, true, state, TRect{0, 0, width, height}, TPoint{pos.x, pos.y}, cache, !DlgMode);
    }
  }
  if (classlib::TControl* owner = SkinData->OwnerControl(); owner != nullptr && !owner->Enabled()) {
    TsDisabledKind kind = kDefaultDisabledKind;
    SendAMessage(Handle, ACMD_GETDISABLEDKIND, reinterpret_cast<LPARAM>(&kind));
    TacBGInfo bg;
    if (owner->Parent() != nullptr) GetBGInfo(bg, owner->Parent(), false);
    BmpDisabledKind(View32(cache), kind.Contains(TsDisabledKindValue::dkGrayed),
                    kind.Contains(TsDisabledKindValue::dkBlended), CacheInfo32(BGInfoToCI(bg)),
                    TPoint{owner->Left(), owner->Top()}, owner->Color());
  }
  SkinData->BGChanged = false;
}

void DrawParentBackground(HDC DC, HWND Parent, TPoint Pos, const TRect& R) {
  TacBGInfo bg;
  GetBGInfo(bg, Parent, false);
  if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
    BitBlt(DC, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, bg.Bmp->Canvas()->Handle(),
           Pos.X + R.Left + bg.Offset.X, Pos.Y + R.Top + bg.Offset.Y, SRCCOPY);
    return;
  }
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(bg.Color));
  const RECT r{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void FadeDisabledWindow(classlib::TBitmap* Cache, const TCacheInfo& CI, TPoint Pos, TSize Size) {
  const TImage32View view = View32(Cache);
  if (CI.Ready && CI.Bmp != nullptr) {
    const TRect src{Pos.X + CI.X, Pos.Y + CI.Y, Pos.X + CI.X + Size.cx - 1, Pos.Y + CI.Y + Size.cy - 1};
    BlendTransRectangle(view, 0, 0, View32(CI.Bmp), src, 0.4, clFuchsia);
    return;
  }
  TsColor c{};
  c.C = classlib::ColorToRGB(CI.FillColor == clFuchsia ? classlib::clBtnFace : CI.FillColor);
  BlendTransBitmap(view, 0.4, c);
}

void UpdateWndCorners(TsCommonData* SkinData, int State, TacMainWnd* Wnd) {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (sm == nullptr || Wnd == nullptr || Wnd->DlgMode || SkinData->CacheBmp() == nullptr) return;
  if (Wnd->WndSize.cx <= 1 || Wnd->WndSize.cy <= 1) return;
  TacBGInfo bg;
  if (HWND parent = GetParent(Wnd->CtrlHandle)) GetBGInfo(bg, parent, false);
  if (bg.BgType == TacBGType::btCache) bg.Offset = {bg.Offset.X + Wnd->WndPos.X, bg.Offset.Y + Wnd->WndPos.Y};
  RepairCacheCorners(sm, SkinData->BorderIndex, View32(SkinData->CacheBmp()), State, kAllCorners, bg);
}

}  // namespace skin
