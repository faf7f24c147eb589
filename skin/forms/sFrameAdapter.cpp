#include "skin/forms/sFrameAdapter.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/Menus.h"
#include "classlib/ScopeExit.h"
#include "classlib/TypInfo.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acSBPaint.h"

namespace skin {
namespace {

using classlib::TMessage;

constexpr WPARAM kCommandNewSkin = 0x10001;     // ACMD_NEWSKIN in the high word, 1 in the low
constexpr WPARAM kCommandBgChanged = 0x110001;  // ACMD_BGCHANGED likewise

WPARAM Command(unsigned Cmd) { return WPARAM(Cmd) << 16; }

classlib::TCustomFrame* CheckedFrame(classlib::TComponent* AOwner) {
  auto* frame = dynamic_cast<classlib::TCustomFrame*>(AOwner);
  if (frame == nullptr)
    throw classlib::EInvalidOperation(L"TsFrameAdapter adapter must be placed on the handled frame");
  return frame;
}

int Channel(TColor C, int Shift) { return int((C >> Shift) & 0xFF); }

// What a parent shows behind its children: its answer, or its colour when it answers "none".
TColor ParentColour(classlib::TWinControl* Parent) {
  const auto answer = static_cast<TColor>(SendAMessage(Parent, ACMD_GETCOLOR));
  return answer == classlib::clFuchsia ? classlib::ColorToRGB(Parent->Color()) : answer;
}

// The frame's windowed children left out of DC (a print DC does not clip them by itself).
void ExcludeChildWindows(HDC DC, classlib::TWinControl* Frame) {
  for (int i = 0; i < Frame->ControlCount(); ++i) {
    auto* child = dynamic_cast<classlib::TWinControl*>(Frame->Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    ExcludeClipRect(DC, child->Left(), child->Top(), child->Left() + child->Width(), child->Top() + child->Height());
  }
}

void FillWith(HDC DC, const TRect& R, TColor Colour) {
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(Colour));
  const RECT r{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

}  // namespace

TsFrameAdapter::TsFrameAdapter(classlib::TComponent* AOwner)
    : classlib::TComponent(CheckedFrame(AOwner)), Frame(static_cast<classlib::TCustomFrame*>(AOwner)) {
  // The frame is the skin state's owner control: its size, parent and colour are what paints.
  FCommonData = std::make_unique<TsCommonData>(Frame, true);
  const std::string& section = FCommonData->SkinSection();
  if (section.empty() || section == "TsFrameAdapter") FCommonData->SetSkinSection("GROUPBOX");
  FCommonData->COC = 226;
  OldWndProc = Frame->WindowProc;
  Frame->WindowProc = classlib::TWndMethod(this, &TsFrameAdapter::NewWndProc);
}

TsFrameAdapter::~TsFrameAdapter() {
  ListSW.reset();
  // A frame being freed frees its components last, when its control part is gone already.
  if (Frame != nullptr && OldWndProc && !Frame->ComponentState().Contains(classlib::csDestroying))
    Frame->WindowProc = OldWndProc;
  FCommonData.reset();
}

void TsFrameAdapter::DeclareProperties(classlib::TClassDecl<TsFrameAdapter>& d) {
  d.Object(L"SkinData", &TsFrameAdapter::SkinData);
}

void RegisterFrameAdapterClass() { classlib::RegisterClass<TsFrameAdapter, classlib::TComponent>(L"TsFrameAdapter"); }

TsFrameAdapter* AttachFrameAdapter(classlib::TCustomFrame* Frame, const std::string& Section) {
  if (Frame == nullptr) return nullptr;
  for (int i = 0; i < Frame->ComponentCount(); ++i)
    if (auto* own = dynamic_cast<TsFrameAdapter*>(Frame->Components(i))) return own;
  auto* adapter = new TsFrameAdapter(Frame);
  adapter->AfterConstruction();
  adapter->SkinData()->SetSkinSection(Section);
  return adapter;
}

void TsFrameAdapter::AfterConstruction() {
  classlib::TComponent::AfterConstruction();
  if (!Frame->HandleAllocated() || SendAMessage(Frame, ACMD_ISSKINNED) == 1) FCommonData->UpdateIndexes();
}

void TsFrameAdapter::Loaded() {
  classlib::TComponent::Loaded();
  TsSkinManager* sm = Manager();
  if (sm == nullptr) return;
  if (SendAMessage(Frame, ACMD_ISSKINNED) == 1) FCommonData->UpdateIndexes();
  if (!FCommonData->Skinned(true)) return;
  HookPopupMenus();
  if (sm->SkinningRules().Contains(TacSkinningRule::srThirdParty)) AddToAdapter(Frame);
}

bool TsFrameAdapter::Destroying() const {
  return ComponentState().Contains(classlib::csDestroying) || Frame->ComponentState().Contains(classlib::csDestroying);
}

bool TsFrameAdapter::ForOwnManager(const TMessage& Message) const {
  return Message.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
}

void TsFrameAdapter::Broadcast(TMessage& Message) {
  if (Frame->HandleAllocated()) AlphaBroadCast(Frame, Message);
}

void TsFrameAdapter::RedrawAll() {
  if (!Frame->HandleAllocated()) return;
  SetWindowPos(Frame->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(Frame->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TsFrameAdapter::HookPopupMenus() {
  TsSkinManager* sm = Manager();
  if (sm == nullptr || !sm->SkinnedPopups) return;
  TsSkinableMenus* menus = SkinableMenusOf(sm);
  if (menus == nullptr) return;
  for (int i = 0; i < Frame->ComponentCount(); ++i)
    if (auto* popup = dynamic_cast<classlib::TPopupMenu*>(Frame->Components(i))) menus->HookPopupMenu(popup, true);
}

bool TsFrameAdapter::DependsOnPosition() {
  return SendAMessage(Frame, ACMD_DEPENDSONPARENT) != 0 || FCommonData->RepaintIfMoved();
}

bool TsFrameAdapter::AnyStateCommand(TMessage& Message) {
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
      if (!ForOwnManager(Message)) return false;
      Broadcast(Message);
      CommonWndProc(Message, FCommonData.get());
      HookPopupMenus();
      return true;
    case ACMD_REMOVESKIN:
      if (!ForOwnManager(Message)) return false;
      ListSW.reset();
      CommonWndProc(Message, FCommonData.get());
      Broadcast(Message);
      RedrawAll();
      return true;
    case ACMD_REFRESH:
      if (!ForOwnManager(Message)) return false;
      CommonWndProc(Message, FCommonData.get());
      FCommonData->UpdateIndexes();
      if (Manager() != nullptr) {
        Broadcast(Message);
        RedrawAll();
        RefreshScrolls(FCommonData.get(), ListSW);
      }
      return true;
    case ACMD_ISSKINNED: Message.Result = 1; return true;
    case ACMD_STOPFADE: Broadcast(Message); return false;
    case ACMD_GETSKININDEX:
      if (Message.LParam != 0) reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = FCommonData->SkinIndex;
      return true;
    case ACMD_SCROLLBEGIN:
      if (Frame->HandleAllocated() && DependsOnPosition()) SendMessageW(Frame->Handle(), WM_SETREDRAW, 0, 0);
      return false;
    case ACMD_SCROLLEND:
      if (Frame->HandleAllocated() && DependsOnPosition()) {
        SendMessageW(Frame->Handle(), WM_SETREDRAW, 1, 0);
        RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
      }
      return false;
    case ACMD_GETAPPLICATION:
      Message.Result =
          reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application.operator->()));
      return true;
    default: return false;
  }
}

TColor TsFrameAdapter::CommandColor() {
  TsSkinManager* sm = Manager();
  const TsGeneralData& g = sm->Records().gd[std::size_t(FCommonData->SkinIndex)];
  const int t = g.Transparency;
  const TColor c = classlib::ColorToRGB(g.Color);
  if (t <= 0) return c;
  classlib::TWinControl* parent = Frame->Parent();
  const TColor own = classlib::ColorToRGB(Frame->Color());
  if (t >= 100) return parent != nullptr ? ParentColour(parent) : own;
  const TColor p = parent != nullptr ? ParentColour(parent) : own;
  // The parent's share weighs T/256.
  auto mix = [&](int shift) {
    const int v = (t * (Channel(p, shift) - Channel(c, shift)) + Channel(c, shift) * 256) >> 8;
    return TColor(std::clamp(v, 0, 255)) << shift;
  };
  return mix(0) | mix(8) | mix(16);
}

void TsFrameAdapter::SkinnedCommand(TMessage& Message) {
  switch (CommandOf(Message.WParam)) {
    case ACMD_PARENTUPDATED: {
      const bool busy =
          Frame->ControlState.Contains(classlib::csRecreating) || Frame->ControlState.Contains(classlib::csAligning);
      if (FCommonData->Updating() || (!IsCached(FCommonData.get()) && !busy)) {
        FCommonData->SetUpdating(false);
        RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      }
      SetParentUpdated(Frame);
      return;
    }
    case ACMD_SETUPDATING:
      FCommonData->SetUpdating(LOWORD(Message.WParam) == 1);
      for (int i = 0; i < Frame->ControlCount(); ++i)
        Frame->Controls(i)->Perform(Message.Msg, Message.WParam, Message.LParam);
      return;
    case ACMD_ISBUSY:
      Message.Result = FCommonData->Updating() && (FCommonData->CtrlSkinState & kNoOwnCache) == 0 ? 1 : 0;
      return;
    case ACMD_DEPENDSONPARENT: {
      TsSkinManager* sm = Manager();
      bool depends = false;
      if (FCommonData->SkinIndex >= 0 && sm != nullptr && sm->IsValidSkinIndex(FCommonData->SkinIndex)) {
        const TsGeneralData& g = sm->Records().gd[std::size_t(FCommonData->SkinIndex)];
        depends = g.GradientPercent + g.ImagePercent > 0 || FCommonData->RepaintIfMoved();
      }
      Message.LParam = Message.Result = depends ? 1 : 0;
      return;
    }
    case ACMD_GETCOLOR:
      // A frame with a cache of its own lends its children that, not a colour.
      if (IsCached(FCommonData.get()) || !Manager()->IsValidSkinIndex(FCommonData->SkinIndex))
        Message.Result = classlib::clFuchsia;
      else
        Message.Result = CommandColor();
      return;
    default: CommonWndProc(Message, FCommonData.get()); return;
  }
}

void TsFrameAdapter::SkinnedMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE: {
      FCommonData->BGChanged = FCommonData->BGChanged || Message.Msg == WM_SIZE || FCommonData->RepaintIfMoved();
      if (FCommonData->BGChanged) {
        for (int i = 0; i < Frame->ControlCount(); ++i)
          if (auto* child = dynamic_cast<classlib::TWinControl*>(Frame->Controls(i)); child && child->HandleAllocated())
            SendMessageW(child->Handle(), SM_ALPHACMD, kCommandBgChanged, 0);
      }
      if (Message.Msg == WM_SIZE) InvalidateRect(Frame->Handle(), nullptr, TRUE);
      OldWndProc(Message);
      return;
    }
    case WM_PAINT:
      if (Frame->Parent() == nullptr || ComponentState().Contains(classlib::csDestroying)) break;
      AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (!Frame->Showing()) break;
      Message.Result = 1;
      if (InAnimationProcess) return;
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating() && (!IsCached(FCommonData.get()) || !FCommonData->BGChanged))
        OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_NCPAINT:
      // No non-client area of its own: the bars belong to the scroll handler.
      FCommonData->SetUpdating(FCommonData->Updating());
      Message.Result = 0;
      return;
    case WM_PARENTNOTIFY: {
      const UINT event = LOWORD(Message.WParam);
      if ((event != WM_CREATE && event != WM_DESTROY) || ComponentState().Contains(classlib::csLoading) ||
          Frame->ControlState.Contains(classlib::csCreating))
        break;
      TsSkinManager* sm = Manager();
      if (event == WM_CREATE && sm != nullptr && sm->SkinningRules().Contains(TacSkinningRule::srThirdParty))
        AddToAdapter(Frame);
      OldWndProc(Message);
      if (ListSW) UpdateScrolls(ListSW.get(), false);
      return;
    }
    case WM_PRINT: {
      FCommonData->SetUpdating(false);
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (!ControlIsReady(Frame) || dc == nullptr) return;
      OurPaintHandler(dc);
      if (ListSW) Ac_NCPaint(ListSW.get(), Frame->Handle(), 1, dc, -1, 0);
      return;
    }
    case classlib::CM_VISIBLECHANGED:
      FCommonData->BGChanged = true;
      OldWndProc(Message);
      if (TsSkinManager* sm = Manager())
        Frame->Perform(SM_ALPHACMD, Command(ACMD_REFRESH), reinterpret_cast<LPARAM>(sm));
      return;
    case classlib::CM_MOUSEENTER:
      OldWndProc(Message);
      if (TsSkinManager* dm = DefaultManager(); dm != nullptr && Frame->HandleAllocated())
        dm->SetActiveControl(Frame->Handle());
      return;
    case classlib::CM_SHOWINGCHANGED:
      OldWndProc(Message);
      RefreshScrolls(FCommonData.get(), ListSW);
      if (TsSkinManager* sm = Manager(); sm != nullptr && sm->SkinningRules().Contains(TacSkinningRule::srThirdParty))
        AddToAdapter(Frame);
      return;
    default: break;
  }
  OldWndProc(Message);
}

void TsFrameAdapter::NewWndProc(TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD && AnyStateCommand(Message)) return;
  TsSkinManager* sm = Manager();
  const bool skinned = !Destroying() && FCommonData->Skinned() && sm != nullptr && sm->Active() && sm->HasSections();
  if (!skinned) {
    if (sm != nullptr && sm->Active() && sm->HasSections() &&
        (Message.Msg == classlib::CM_VISIBLECHANGED || Message.Msg == classlib::CM_SHOWINGCHANGED) &&
        Frame->HandleAllocated() && !Destroying()) {
      FCommonData->UpdateIndexes();
      TMessage newSkin{SM_ALPHACMD, kCommandNewSkin, reinterpret_cast<LPARAM>(sm), 0};
      Broadcast(newSkin);
    }
    OldWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD)
    SkinnedCommand(Message);
  else
    SkinnedMessage(Message);
}

void TsFrameAdapter::AC_WMPaint(HDC DC) {
  const bool cached = IsCached(FCommonData.get());
  if (!Destroying() && Frame->Parent() != nullptr && !cached) InvalidateRect(Frame->Handle(), nullptr, TRUE);
  PAINTSTRUCT ps{};
  BeginPaint(Frame->Handle(), &ps);
  const classlib::TScopeExit end([&] { EndPaint(Frame->Handle(), &ps); });
  if (!cached) return;
  HDC own = DC == nullptr ? GetWindowDC(Frame->Handle()) : nullptr;
  HDC dc = DC != nullptr ? DC : own;
  if (dc == nullptr) return;
  const classlib::TScopeExit release([&] {
    if (own != nullptr) ReleaseDC(Frame->Handle(), own);
  });
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  FCommonData->SetUpdating(FCommonData->Updating());
  if (!FCommonData->Updating()) OurPaintHandler(dc);
}

void TsFrameAdapter::PrepareCache() {
  if (IsCached(FCommonData.get())) {
    InitCacheBmp(FCommonData.get());
    FCommonData->CacheBmp()->Canvas()->Font()->Assign(Frame->Font());
    TCacheInfo ci;
    GetParentCache(FCommonData.get(), ci);
    PaintItem(FCommonData.get(), ci, false, 0, TRect{0, 0, Frame->Width(), Frame->Height()},
              TPoint{Frame->Left(), Frame->Top()}, FCommonData->CacheBmp(), true);
  }
  FCommonData->BGChanged = false;
}

void TsFrameAdapter::PaintCached(HDC DC) {
  TsSkinManager* sm = Manager();
  const int w = Frame->Width(), h = Frame->Height();
  const bool noBorder = !sm->IsValidImgIndex(FCommonData->BorderIndex);
  const bool seeThrough = sm->IsValidSkinIndex(FCommonData->SkinIndex) &&
                          sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0].Transparency == 100;
  bool changed = false;
  if (noBorder && seeThrough) {
    TacBGInfo bg;
    if (Frame->Parent() != nullptr) GetBGInfo(bg, Frame->Parent(), false);
    if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
      BitBlt(DC, 0, 0, w, h, bg.Bmp->Canvas()->Handle(), bg.Offset.X + Frame->Left(), bg.Offset.Y + Frame->Top(),
             SRCCOPY);
    } else {
      const int saved = SaveDC(DC);
      ExcludeChildWindows(DC, Frame);
      ExcludeControls(DC, Frame, TacCtrlType::actGraphic, 0, 0);
      FillWith(DC, TRect{0, 0, w, h}, GetBGColor(FCommonData.get(), 0));
      RestoreDC(DC, saved);
    }
  } else {
    FCommonData->BGChanged = FCommonData->BGChanged || FCommonData->HalfVisible;
    if (FCommonData->RepaintIfMoved() && Frame->Parent() != nullptr) {
      const TRect pr = Frame->Parent()->ClientRect();
      auto outside = [&](int x, int y) { return x < pr.Left || y < pr.Top || x >= pr.Right || y >= pr.Bottom; };
      FCommonData->HalfVisible =
          outside(Frame->Left() + 1, Frame->Top() + 1) || outside(Frame->Left() + w - 1, Frame->Top() + h - 1);
    } else {
      FCommonData->HalfVisible = false;
    }
    changed = FCommonData->BGChanged;
    if (FCommonData->BGChanged && !FCommonData->UrgentPainting) PrepareCache();
    CopyWinControlCache(Frame, FCommonData.get(), TRect{0, 0, w, h}, TRect{0, 0, w, h}, DC, true);
  }
  PaintControls(DC, Frame, changed, TPoint{0, 0});
  SetParentUpdated(Frame);
}

void TsFrameAdapter::PaintUncached(HDC DC) {
  FCommonData->SetUpdating(false);
  const int bw = SkinBorderMaxWidth(FCommonData.get());
  const TRect r{0, 0, Frame->Width(), Frame->Height()};
  const int saved = SaveDC(DC);
  ExcludeChildWindows(DC, Frame);
  ExcludeControls(DC, Frame, TacCtrlType::actGraphic, 0, 0);
  FillWith(DC, r, GetBGColor(FCommonData.get(), 0));
  // The border goes through the cache bitmap, which is emptied again: this frame keeps no picture.
  if (bw > 0) {
    PaintBorderFast(DC, r, bw, FCommonData.get(), 0);
    if (classlib::TBitmap* temp = FCommonData->CacheBmp()) temp->SetSize(0, 0);
  }
  RestoreDC(DC, saved);
  PaintControls(DC, Frame, false, TPoint{0, 0});
}

void TsFrameAdapter::OurPaintHandler(HDC DC) {
  if (DC == nullptr || (InAnimationProcess && DC != FCommonData->PrintDC)) return;
  TsSkinManager* sm = Manager();
  if (sm == nullptr) return;
  if (IsCached(FCommonData.get())) {
    if (FCommonData->Updating()) return;
    const int saved = SaveDC(DC);
    const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
    PaintCached(DC);
    return;
  }
  PaintUncached(DC);
}

}  // namespace skin
