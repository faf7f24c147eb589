// What a skin state tells its children about the background behind them, where it finds its own
// parent's background, which section lends a child its font colour, and the copy of its cache to
// the screen around its children.
#include <windows.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acntProps.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sCommonDataDetail.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sProviderLink.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TControl;
using classlib::TWinControl;
using namespace detail;

namespace {

classlib::TCustomForm* ProviderFormOf(const TsCommonData* Data) {
  IacSkinProvider* p = Data->Provider();
  return p != nullptr ? p->ProviderForm() : nullptr;
}

void CachedAnswer(TsCommonData* Data, TacBGInfo& bg) {
  classlib::TBitmap* cache = Data->CacheBmp();
  if (cache == nullptr) {
    bg.BgType = TacBGType::btFill;
    bg.Color = clFuchsia;
    return;
  }
  bg.BgType = TacBGType::btCache;
  if (bg.PleaseDraw) {
    BitBlt(bg.DrawDC, bg.R.Left, bg.R.Top, bg.R.Right - bg.R.Left, bg.R.Bottom - bg.R.Top, cache->Canvas()->Handle(),
           bg.Offset.X, bg.Offset.Y, SRCCOPY);
  } else {
    bg.Bmp = cache;
    bg.Offset = {0, 0};
  }
}

// A see-through state passes the question on to whatever is behind it.
void AskBehind(TsCommonData* Data, TacBGInfo& bg, HWND Wnd) {
  TControl* parent = nullptr;
  TPoint offset;
  if (TControl* owner = Data->OwnerControl()) {
    parent = owner->Parent();
    offset = {owner->Left(), owner->Top()};
  } else if (classlib::TCustomForm* form = ProviderFormOf(Data)) {
    parent = form->Parent();
    offset = {form->Left(), form->Top()};
  }
  if (parent != nullptr) {
    GetBGInfo(bg, parent, bg.PleaseDraw);
  } else if (Wnd != nullptr) {
    GetBGInfo(bg, GetParent(Wnd), false);
    RECT r{};
    GetWindowRect(Wnd, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(Wnd), &p);
    offset = {p.x, p.y};
  } else {
    bg.BgType = TacBGType::btFill;
    bg.Color = DefaultManager() != nullptr ? DefaultManager()->GetGlobalColor() : classlib::clBtnFace;
    return;
  }
  if (bg.BgType == TacBGType::btCache) bg.Offset = {bg.Offset.X + offset.X, bg.Offset.Y + offset.Y};
}

std::uint8_t Channel(TColor c, int shift) { return std::uint8_t((c >> shift) & 0xFF); }

// The section's state cell for State: 1 for any hot state, clamped to the section's states.
int PropsCell(const TsGeneralData& g, int State) { return std::clamp(State > 0 ? 1 : 0, 0, std::max(g.States - 1, 0)); }

HWND WindowOf(TControl* c) {
  auto* w = dynamic_cast<TWinControl*>(c);
  return w != nullptr && w->HandleAllocated() ? w->Handle() : nullptr;
}

// The cache's SrcRect copied to DstRect of DC, with what ExcludeChildren clips out spared.
template <class F>
void CopyCacheAround(TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC, bool UpdateCornersToo,
                     F&& ExcludeChildren) {
  if (UpdateCornersToo) UpdateCorners(Data, 0);
  const int saved = SaveDC(DC);
  const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
  IntersectClipRect(DC, DstRect.Left, DstRect.Top, DstRect.Right, DstRect.Bottom);
  ExcludeChildren();
  BitBlt(DC, DstRect.Left, DstRect.Top, DstRect.Right - DstRect.Left, DstRect.Bottom - DstRect.Top,
         Data->CacheBmp()->Canvas()->Handle(), SrcRect.Left, SrcRect.Top, SRCCOPY);
}

}  // namespace

void InitBGInfo(TsCommonData* Data, TacBGInfo& bg, int State, HWND Wnd) {
  const TsGeneralData* g = SectionOf(Data);
  if (!Data->Skinned() || g == nullptr || Data->CustomColor()) {
    bg.BgType = TacBGType::btFill;
    if (Data->OwnerControl() != nullptr)
      bg.Color = Data->OwnerControl()->Color();
    else if (classlib::TCustomForm* form = ProviderFormOf(Data))
      bg.Color = form->Color();
    return;
  }
  const bool normal = State == 0;
  const int t = normal ? g->Transparency : g->HotTransparency;
  const int gradient = normal ? g->GradientPercent : g->HotGradientPercent;
  const int image = normal ? g->ImagePercent : g->HotImagePercent;
  if (t == 0 && gradient <= 0 && image <= 0) {
    bg.BgType = TacBGType::btFill;
    bg.Bmp = Data->CacheBmp();
    bg.Color = GetBGColor(Data, State, nullptr);
    if (bg.PleaseDraw && bg.DrawDC != nullptr) FillDC(bg.DrawDC, bg.R, bg.Color);
    return;
  }
  if (t == 0) {
    bg.Color = Data->GetSkinManager()->GetGlobalColor();
  } else if (t == 100) {
    const bool cacheIsCurrent =
        (Data->CtrlSkinState & kNoOwnCache) == 0 && Data->CacheBmp() != nullptr && !Data->BGChanged;
    if (!cacheIsCurrent) return AskBehind(Data, bg, Wnd);
  }
  CachedAnswer(Data, bg);
}

TColor GetCommandColor(TsCommonData* Data) {
  TControl* owner = Data->OwnerControl();
  if (owner == nullptr) return clFuchsia;
  const TColor own = classlib::ColorToRGB(owner->Color());
  const TsGeneralData* g = SectionOf(Data);
  if (!Data->Skinned() || g == nullptr) return own;
  const int t = g->Transparency;
  const TColor c = g->Color;
  if (t == 0) return c;
  TWinControl* parent = owner->Parent();
  if (t == 100) {
    if (parent == nullptr) return own;
    const auto answer = static_cast<TColor>(SendAMessage(parent, ACMD_GETCOLOR));
    return answer == clFuchsia ? classlib::ColorToRGB(parent->Color()) : answer;
  }
  const TColor p = parent != nullptr ? static_cast<TColor>(SendAMessage(parent, ACMD_GETCOLOR)) : own;
  auto mix = [&](int shift) {
    return TColor(std::clamp((t * Channel(p, shift) + (100 - t) * Channel(c, shift)) / 100, 0, 255)) << shift;
  };
  return mix(0) | mix(8) | mix(16) | (p & TColor(0xFF000000u));
}

void GetParentCache(TsCommonData* Data, TCacheInfo& CI) {
  TControl* owner = Data->OwnerControl();
  if (!Data->Skinned() || owner == nullptr) {
    CI.X = CI.Y = 0;
    CI.FillColor = GetBGColor(Data, 0, nullptr);
    CI.Ready = false;
    return;
  }
  TacBGInfo bg;
  if (owner->Parent() != nullptr) {
    GetBGInfo(bg, owner->Parent(), false);
  } else if (HWND wnd = WindowOf(owner); wnd != nullptr) {
    GetBGInfo(bg, GetParent(wnd), false);
  } else {
    CI.X = CI.Y = 0;
    CI.Ready = false;
    return;
  }
  CI = BGInfoToCI(bg);
}

void GetParentCacheHwnd(HWND Wnd, TCacheInfo& CI) {
  CI.Ready = false;
  HWND parent = Wnd != nullptr ? GetParent(Wnd) : nullptr;
  if (parent == nullptr) {
    CI = EmptyCI;
    return;
  }
  TacBGInfo bg;
  GetBGInfo(bg, parent, false);
  CI = BGInfoToCI(bg);
}

int GetFontIndex(TControl* Control, int DefaultIndex, TsSkinManager* Manager, int State) {
  if (Control == nullptr || Control->Parent() == nullptr) return DefaultIndex;
  TWinControl* parent = Control->Parent();
  if (auto* data = dynamic_cast<TsCommonData*>(GetObjProp(parent, L"SkinData"))) {
    const TsGeneralData* g = SectionOf(data);
    if (g == nullptr) return DefaultIndex;
    if (g->Props[std::size_t(PropsCell(*g, State))].Transparency > 50 && parent->Parent() != nullptr)
      return GetFontIndex(parent->Parent(), DefaultIndex, Manager, 0);
    return g->GiveOwnFont ? data->SkinIndex : DefaultIndex;
  }
  if (HasProperty(parent, L"SkinData")) return DefaultIndex;
  TacSectionInfo info;
  const LPARAM lp = reinterpret_cast<LPARAM>(&info);
  if (HWND wnd = WindowOf(parent))
    SendMessageW(wnd, SM_ALPHACMD, AlphaCmd(ACMD_GETSKININDEX), lp);
  else
    parent->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETSKININDEX), lp);
  TsSkinManager* sm = Manager != nullptr ? Manager : DefaultManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(info.SkinIndex)) return DefaultIndex;
  const TsGeneralData& g = sm->Records().gd[std::size_t(info.SkinIndex)];
  if (g.Props[std::size_t(PropsCell(g, State))].Transparency > 50)
    return GetFontIndex(parent, DefaultIndex, Manager, 0);
  return g.GiveOwnFont ? info.SkinIndex : DefaultIndex;
}

void CopyWinControlCache(TWinControl* Control, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                         bool UpdateCornersToo, int OffsetX, int OffsetY) {
  if (Data == nullptr || Data->CacheBmp() == nullptr || Control == nullptr) return;
  CopyCacheAround(Data, SrcRect, DstRect, DC, UpdateCornersToo, [&] {
    for (int i = 0; i < Control->ControlCount(); ++i) {
      TControl* child = Control->Controls(i);
      if (child == nullptr || !child->Visible() || child->ClassName() == L"TsSplitter") continue;
      const bool windowless = dynamic_cast<TWinControl*>(child) == nullptr;
      if (windowless && StdTransparency) continue;
      const TRect b{child->Left() + OffsetX, child->Top() + OffsetY, child->Left() + child->Width() + OffsetX,
                    child->Top() + child->Height() + OffsetY};
      const bool overlaps =
          b.Left < DstRect.Right && b.Right > DstRect.Left && b.Top < DstRect.Bottom && b.Bottom > DstRect.Top;
      if (!overlaps) continue;
      if (HasState(child, classlib::csDesigning) || child->ControlStyle.Contains(classlib::csOpaque) || windowless)
        ExcludeClipRect(DC, b.Left, b.Top, b.Right, b.Bottom);
    }
  });
}

void CopyHwndCache(HWND Wnd, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                   bool UpdateCornersToo, int OffsetX, int OffsetY) {
  if (Data == nullptr || Data->CacheBmp() == nullptr || Wnd == nullptr) return;
  CopyCacheAround(Data, SrcRect, DstRect, DC, UpdateCornersToo, [&] {
    RECT own{};
    GetWindowRect(Wnd, &own);
    TsSkinManager* sm = DefaultManager();
    for (HWND child = GetWindow(Wnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      RECT r{};
      GetWindowRect(child, &r);
      const int l = r.left - own.left + OffsetX, t = r.top - own.top + OffsetY;
      const int rt = r.right - own.left + OffsetX, b = r.bottom - own.top + OffsetY;
      wchar_t cls[16] = {};
      GetClassNameW(child, cls, 16);
      const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
      const bool groupBox = lstrcmpiW(cls, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX &&
                            (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0;
      if (!groupBox || sm == nullptr) {
        ExcludeClipRect(DC, l, t, rt, b);
        continue;
      }
      // A group box shows what lies behind it inside its frame: only the frame covers the cache.
      const int mask = sm->GetMaskIndex(sm->GetSkinIndex("GROUPBOX"), "GROUPBOX", "BORDERSMASK");
      const int caption = static_cast<int>(SendAMessage(child, ACMD_GETEXTRA));
      TacSkinRecords& records = sm->Records();
      ExcludeClipRect(DC, l, t, rt, t + caption);
      ExcludeClipRect(DC, l, t, l + records.MaskWidthLeft(mask), b);
      ExcludeClipRect(DC, rt - records.MaskWidthRight(mask), t, rt, b);
      ExcludeClipRect(DC, l, b - records.MaskWidthBottom(mask), rt, b);
    }
  });
}

}  // namespace skin
