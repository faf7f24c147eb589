// The skinned page control's sheets: the page control's cache as their background, its answers
// to their children's skin questions, and the per-page tab settings.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

void Redraw(classlib::TWinControl* c) {
  if (c->HandleAllocated()) RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace

void TsTabSkinData::DeclareProperties(classlib::TClassDecl<TsTabSkinData>& d) {
  d.Bool(L"CustomColor", &TsTabSkinData::CustomColor, &TsTabSkinData::SetCustomColor, false);
  d.Bool(L"CustomFont", &TsTabSkinData::CustomFont, &TsTabSkinData::SetCustomFont, false);
  detail::SectionProperty(d, L"SkinSection", &TsTabSkinData::SkinSection, &TsTabSkinData::SetSkinSection);
}

TsTabSheet::TsTabSheet(classlib::TComponent* AOwner)
    : classlib::TTabSheet(AOwner), FCommonData(std::make_unique<TsTabSkinData>()) {}

TsTabSheet::~TsTabSheet() = default;

void TsTabSheet::DeclareProperties(classlib::TClassDecl<TsTabSheet>& d) {
  d.Component<classlib::TPopupMenu>(L"TabMenu", &TsTabSheet::TabMenu, &TsTabSheet::SetTabMenu);
  detail::SectionProperty(d, L"TabSkin", &TsTabSheet::TabSkin, &TsTabSheet::SetTabSkin);
  d.Enum(L"TabType", &TsTabSheet::TabType, &TsTabSheet::SetTabType, ttTab);
  detail::SectionProperty(d, L"ButtonSkin", &TsTabSheet::ButtonSkin, &TsTabSheet::SetButtonSkin);
  d.Bool(L"UseCloseBtn", &TsTabSheet::UseCloseBtn, &TsTabSheet::SetUseCloseBtn, true);
  d.Object(L"SkinData", &TsTabSheet::SkinData);
  d.Event(L"OnClickBtn", &TsTabSheet::OnClickBtn);
}

TsPageControl* TsTabSheet::SkinnedPageControl() const { return dynamic_cast<TsPageControl*>(PageControl()); }

bool TsTabSheet::PageControlSkinned() const {
  TsPageControl* pc = SkinnedPageControl();
  return pc != nullptr && pc->SkinData() != nullptr && pc->SkinData()->Skinned(true);
}

void TsTabSheet::SetTabSkin(const std::string& Value) {
  if (FTabSkin == Value) return;
  FTabSkin = Value;
  TsPageControl* pc = SkinnedPageControl();
  if (pc != nullptr && !HasState(pc, classlib::csLoading) && Visible()) {
    pc->BGChanged();
    Redraw(pc);
  }
}

void TsTabSheet::SetButtonSkin(const std::string& Value) {
  if (FButtonSkin == Value) return;
  FButtonSkin = Value;
  if (TsPageControl* pc = SkinnedPageControl()) pc->SkinData()->Invalidate();
}

void TsTabSheet::SetUseCloseBtn(bool Value) {
  if (FUseCloseBtn == Value) return;
  FUseCloseBtn = Value;
  TsPageControl* pc = SkinnedPageControl();
  if (pc != nullptr && !HasState(pc, classlib::csLoading))
    pc->RepaintTab(PageIndex(), pc->ActivePage() == this ? 2 : 0);
}

void TsTabSheet::SetTabType(TacTabType Value) {
  if (FTabType == Value) return;
  FTabType = Value;
  if (Value == ttTab)
    FTabSkin.clear();
  else if (FTabSkin.empty())
    FTabSkin = "SPEEDBUTTON";
  TsPageControl* pc = SkinnedPageControl();
  if (pc == nullptr) return;
  pc->UpdateBtnData();
  Perform(classlib::CM_TEXTCHANGED);
  if (pc->ActivePage() != nullptr) pc->SetActivePage(pc->CheckActiveTab(pc->ActivePage()->PageIndex()));
}

void TsTabSheet::CreateParams(classlib::TCreateParams& Params) {
  classlib::TTabSheet::CreateParams(Params);
  Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

bool TsTabSheet::SkinCommand(TMessage& M) {
  TsPageControl* pc = SkinnedPageControl();
  TsCommonData* data = pc->SkinData();
  TsSkinManager* sm = data->GetSkinManager();
  const bool skinned = PageControlSkinned();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN: AlphaBroadCast(this, M); return false;
    case ACMD_REMOVESKIN:
      if (own) Redraw(this);
      AlphaBroadCast(this, M);
      return false;
    case ACMD_REFRESH:
      if (own && Visible()) Redraw(this);
      AlphaBroadCast(this, M);
      return false;
    case ACMD_PARENTUPDATED:
      if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
      SetParentUpdated(this);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_ISBUSY:
      if (!skinned) return false;
      M.Result = data->Updating() ? 1 : 0;
      return true;
    case ACMD_DEPENDSONPARENT:
      if (!skinned) return false;
      M.Result = data->RepaintIfMoved() ? 1 : 0;
      return true;
    case ACMD_GETCOLOR:
      if (!skinned) return false;
      M.Result = SendAMessage(pc, ACMD_GETCOLOR);
      return true;
    case ACMD_GETSKININDEX: {
      if (M.LParam == 0) return false;
      const int index = FCommonData->SkinSection().empty() ? -1 : sm->GetSkinIndex(FCommonData->SkinSection());
      *reinterpret_cast<std::int32_t*>(M.LParam) = index >= 0 ? index : data->SkinIndex;
      return true;
    }
    case ACMD_GETBGINFO: {
      if (!skinned || M.LParam == 0) return false;
      auto& info = *reinterpret_cast<TacBGInfo*>(M.LParam);
      const bool pleaseDraw = info.PleaseDraw;
      if (!FCommonData->SkinSection().empty()) {
        info.BgType = TacBGType::btCache;
        info.Bmp = data->CacheBmp();
        info.Offset = TPoint{0, 0};
      } else {
        InitBGInfo(data, info, 0);
      }
      // The children sit inside the sheet: their background starts at its place in the cache.
      if (info.BgType == TacBGType::btCache && !pleaseDraw) {
        info.Offset.X += Left();
        info.Offset.Y += Top();
      }
      return true;
    }
    case ACMD_SKINSTATE:
      if (M.LParam == 1) {
        for (int i = 0; i < ControlCount(); ++i) SendAMessage(Controls(i), ACMD_SKINSTATE, 1);
      } else {
        M.Result = data->CtrlSkinState;
      }
      return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

void TsTabSheet::EraseFromCache(TMessage& M) {
  TsPageControl* pc = SkinnedPageControl();
  TsCommonData* data = pc->SkinData();
  const HDC dc = reinterpret_cast<HDC>(M.WParam);
  M.Result = 1;
  if (dc == nullptr || data->Updating()) return;
  classlib::TBitmap* cache = data->CacheBmp();
  if (cache == nullptr || cache->Width() < pc->Width() || cache->Height() < pc->Height()) return;
  CopyWinControlCache(this, data, TRect{Left(), Top(), Left() + Width(), Top() + Height()},
                      TRect{0, 0, Width(), Height()}, dc, false);
  skin::PaintControls(dc, this, true, TPoint{0, 0});
}

void TsTabSheet::WndProc(TMessage& M) {
  TsPageControl* pc = SkinnedPageControl();
  if (pc == nullptr || pc->SkinData() == nullptr) {
    classlib::TTabSheet::WndProc(M);
    return;
  }
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  const bool usable =
      PageControlSkinned() && !HasState(this, classlib::csDestroying) && !HasState(pc, classlib::csDestroying);
  if (usable) {
    switch (M.Msg) {
      case WM_ERASEBKGND:
        if (Showing()) {
          EraseFromCache(M);
          return;
        }
        break;
      case WM_PAINT:
        if (Visible()) {
          // The look arrives through WM_ERASEBKGND, from the page control's cache.
          InvalidateRect(Handle(), nullptr, TRUE);
          PAINTSTRUCT ps{};
          BeginPaint(Handle(), &ps);
          EndPaint(Handle(), &ps);
          M.Result = 0;
          return;
        }
        break;
      case WM_PRINT:
        EraseFromCache(M);
        M.Result = 0;
        return;
      case WM_MOUSEMOVE:
        if (TsSkinManager* sm = DefaultManager(); sm != nullptr) sm->SetActiveControl(Handle());
        break;
      case classlib::CM_TEXTCHANGED: pc->BGChanged(); break;
      default: break;
    }
  }
  const unsigned msg = M.Msg;
  classlib::TTabSheet::WndProc(M);
  if (msg == classlib::CM_ENABLEDCHANGED && !HasState(this, classlib::csDestroying) &&
      !HasState(this, classlib::csLoading)) {
    pc->BGChanged();
    Redraw(pc);
  }
}

}  // namespace skin
