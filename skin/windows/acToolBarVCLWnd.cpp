#include "skin/windows/acToolBarVCLWnd.h"

#include <commctrl.h>

#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

int W(const TRect& R) { return R.Right - R.Left; }
int H(const TRect& R) { return R.Bottom - R.Top; }

// The image centred in the part left of the drop-down arrow, a pixel further when pressed.
void DrawListImage(classlib::TToolBar* ToolBar, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                   classlib::TCustomDrawStage, classlib::TTBCustomDrawFlags, classlib::TBitmap* Bmp) {
  classlib::TCustomImageList* images = ToolBar->Images();
  if (images == nullptr || Button->ImageIndex() < 0 || Button->ImageIndex() >= images->Count()) return;
  const int arrow = Button->Style() == classlib::tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
  const int shift = State.Contains(classlib::cdsSelected) || State.Contains(classlib::cdsChecked) ? 1 : 0;
  int x = (Bmp->Width() - arrow - images->Width()) / 2, y = (Bmp->Height() - images->Height()) / 2;
  if (ToolBar->ShowCaptions() && !ToolBar->List()) y = 2;
  if (ToolBar->ShowCaptions() && ToolBar->List()) x = 3;
  images->Draw(Bmp->Canvas(), x + shift, y + shift, Button->ImageIndex(), Button->Enabled());
}

bool IsPushButton(classlib::TToolButton* B) {
  return B->Style() == classlib::tbsButton || B->Style() == classlib::tbsCheck || B->Style() == classlib::tbsDropDown;
}

}  // namespace

TacToolBtnGlyphPainter acToolBtnGlyphPainter = &DrawListImage;

// Hears of the tool bar's end, so that its events are not written after it.
class TacToolBarVCLWnd::TWatch : public classlib::TComponent {
 public:
  explicit TWatch(TacToolBarVCLWnd* Handler) : classlib::TComponent(nullptr), handler_(Handler) {}

 protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override {
    classlib::TComponent::Notification(AComponent, Operation);
    if (Operation != classlib::opRemove) return;
    if (AComponent == handler_->ToolBar) {
      handler_->ToolBar = nullptr;
      handler_->DroppedButton = nullptr;
    } else if (AComponent == handler_->DroppedButton) {
      handler_->DroppedButton = nullptr;
    }
  }

 private:
  TacToolBarVCLWnd* handler_;
};

TacToolBarVCLWnd::TacToolBarVCLWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacMainWnd(AHandle, ASkinData, ASkinManager), watch_(std::make_unique<TWatch>(this)) {
  if (ASkinData != nullptr) ToolBar = dynamic_cast<classlib::TToolBar*>(ASkinData->OwnerControl());
  if (ToolBar != nullptr) ToolBar->FreeNotification(watch_.get());
}

TacToolBarVCLWnd::~TacToolBarVCLWnd() {
  SetDropped(nullptr);
  if (ToolBar != nullptr) ToolBar->RemoveFreeNotification(watch_.get());
}

void TacToolBarVCLWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("TOOLBAR");
  InstallEvents();
  TacMainWnd::Hook(Repaint);
}

void TacToolBarVCLWnd::Release() { RemoveEvents(); }

void TacToolBarVCLWnd::InstallEvents() {
  if (ToolBar == nullptr) return;
  ToolBar->OnAdvancedCustomDraw = [this](classlib::TToolBar* Sender, const TRect& R, classlib::TCustomDrawStage Stage,
                                         bool& DefaultDraw) { OurAdvancedCustomDraw(Sender, R, Stage, DefaultDraw); };
  ToolBar->OnAdvancedCustomDrawButton = [this](classlib::TToolBar* Sender, classlib::TToolButton* Button,
                                               classlib::TCustomDrawState State, classlib::TCustomDrawStage Stage,
                                               classlib::TTBCustomDrawFlags& Flags, bool& DefaultDraw) {
    OurAdvancedCustomDrawButton(Sender, Button, State, Stage, Flags, DefaultDraw);
  };
}

void TacToolBarVCLWnd::SetDropped(classlib::TToolButton* Button) {
  if (Button == DroppedButton) return;
  if (DroppedButton != nullptr) DroppedButton->RemoveFreeNotification(watch_.get());
  DroppedButton = Button;
  if (DroppedButton != nullptr) DroppedButton->FreeNotification(watch_.get());
}

void TacToolBarVCLWnd::RemoveEvents() {
  SetDropped(nullptr);
  if (ToolBar == nullptr) return;
  ToolBar->OnAdvancedCustomDraw = nullptr;
  ToolBar->OnAdvancedCustomDrawButton = nullptr;
}

bool TacToolBarVCLWnd::Skinned() const {
  return ToolBar != nullptr && SkinData != nullptr && SkinData->GetSkinManager() != nullptr &&
         SkinData->GetSkinManager()->Active() && SkinData->SkinIndex >= 0;
}

TRect TacToolBarVCLWnd::DisplayRect() const { return ACClientRect(CtrlHandle); }

TRect TacToolBarVCLWnd::GetButtonRect(int Index) const {
  RECT r{};
  SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

int TacToolBarVCLWnd::IndexByMouse(TPoint P) const {
  if (ToolBar == nullptr) return -1;
  for (int i = 0; i < ToolBar->ButtonCount(); ++i) {
    const TRect r = GetButtonRect(i);
    if (P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom)
      return IsPushButton(ToolBar->Buttons(i)) ? i : -1;
  }
  return -1;
}

TPoint TacToolBarVCLWnd::EdgeOffset() const {
  const int d = (ToolBar->EdgeInner() != classlib::esNone ? 1 : 0) + (ToolBar->EdgeOuter() != classlib::esNone ? 1 : 0);
  const classlib::TEdgeBorders edges = ToolBar->EdgeBorders();
  return {(edges.Contains(classlib::ebLeft) ? d : 0) + 2 * ToolBar->BorderWidth(),
          (edges.Contains(classlib::ebTop) ? d : 0) + 2 * ToolBar->BorderWidth()};
}

void TacToolBarVCLWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  TCacheInfo ci = EmptyCI;
  GetParentCache(SkinData, ci);
  PaintItem(SkinData, ci, true, 0, TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, false);
  SkinData->BGChanged = false;
}

void TacToolBarVCLWnd::WMNCPaint(HDC DC) {
  const TRect client = DisplayRect();
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (client.Left == 0 && client.Top == 0 && client.Right == WndSize.cx && client.Bottom == WndSize.cy) return;
  if (SkinData->BGChanged) PrepareCache();
  const TacGivenOrOwnDC dc(CtrlHandle, DC, true);
  if (dc.get() == nullptr) return;
  const int saved = SaveDC(dc.get());
  ExcludeClipRect(dc.get(), client.Left, client.Top, client.Right, client.Bottom);
  BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc.get(), saved);
}

void TacToolBarVCLWnd::RepaintButton(int Index) {
  if (ToolBar == nullptr || Index < 0 || Index >= ToolBar->ButtonCount() || !ToolBar->Buttons(Index)->Visible()) return;
  HDC dc = GetDC(CtrlHandle);
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  ToolBar->Canvas()->SetHandle(dc);
  const classlib::TScopeExit restore([&] {
    ToolBar->Canvas()->SetHandle(nullptr);
    RestoreDC(dc, saved);
    ReleaseDC(CtrlHandle, dc);
  });
  classlib::TTBCustomDrawFlags flags{classlib::tbNoEdges, classlib::tbNoEtchedEffect};
  bool defaultDraw = false;
  OurAdvancedCustomDrawButton(ToolBar, ToolBar->Buttons(Index), {}, classlib::cdPrePaint, flags, defaultDraw);
}

void TacToolBarVCLWnd::OurAdvancedCustomDraw(classlib::TToolBar* Sender, const TRect& ARect,
                                             classlib::TCustomDrawStage Stage, bool& DefaultDraw) {
  if (!Skinned()) {
    DefaultDraw = true;
    return;
  }
  if (Stage != classlib::cdPrePaint) {
    DefaultDraw = false;
    return;
  }
  if (SkinData->Updating()) return;
  if (SkinData->BGChanged || SkinData->CacheBmp() == nullptr) PrepareCache();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->Canvas()->Font()->Assign(Sender->Font());
  const TRect r = DisplayRect();
  UpdateCorners(SkinData, 0);
  HDC dc = Sender->Canvas()->Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
  // Windowed controls on the bar paint themselves.
  for (int i = 0; i < Sender->ControlCount(); ++i) {
    auto* child = dynamic_cast<classlib::TWinControl*>(Sender->Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    ExcludeClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(), child->Top() + child->Height());
  }
  BitBlt(dc, ARect.Left, ARect.Top, W(ARect), H(ARect), cache->Canvas()->Handle(), r.Left + ARect.Left,
         r.Top + ARect.Top, SRCCOPY);
  RestoreDC(dc, saved);
  if (r.Left != 0 || r.Top != 0 || r.Right != WndSize.cx || r.Bottom != WndSize.cy)
    SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
}

void TacToolBarVCLWnd::PaintCaption(classlib::TBitmap* Bmp, classlib::TToolButton* Button, int State, int ArrowWidth,
                                    int Section) {
  const std::wstring text = Button->Text();
  if (text.empty()) return;
  TsSkinManager* sm = SkinData->GetSkinManager();
  classlib::TCanvas* canvas = Bmp->Canvas();
  classlib::TCustomImageList* images = ToolBar->Images();
  const int bw = Bmp->Width(), bh = Bmp->Height();
  TRect t;
  if (ToolBar->List()) {
    const bool noImage = images == nullptr || Button->ImageIndex() < 0;
    t = {noImage ? 1 : images->Width() + 6, 2, bw - ArrowWidth - 2, bh - 2};
  } else {
    const int textWidth = canvas->TextWidth(text), a = canvas->TextHeight(L"A");
    const int x = (bw - ArrowWidth - textWidth) / 2;
    int y0 = 0, top = 0;
    if (images != nullptr) {
      y0 = (bh - images->Height() - a - 3) / 2;
      top = y0 + images->Height() + 3;
    } else {
      y0 = (bh - a) / 2;
      top = y0;
    }
    t = {x - 1, top, bw - ArrowWidth - x + 2, bh - y0};
  }
  if (State == 2) t = {t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1};
  acWriteTextEx(canvas, text, true, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE, GetFontIndex(Button, Section, sm, State),
                State > 0, sm);
}

void TacToolBarVCLWnd::PaintArrow(classlib::TBitmap* Bmp, classlib::TToolButton* Button,
                                  classlib::TCustomDrawState State, int ArrowWidth) {
  TsSkinManager* sm = SkinData->GetSkinManager();
  const TacSkinRecords& rec = sm->Records();
  const int arrow = rec.ConstData.MaskArrowBottom;
  if (!rec.IsValidImgIndex(arrow)) return;
  const bool open = Button == DroppedButton && Button->DropdownMenu() != nullptr;
  const int state = open || Button->Down() ? 2 : State.Contains(classlib::cdsHot) ? 1 : 0;
  const int section = sm->GetSkinIndex("TOOLBUTTON");
  const int border = section >= 0 ? sm->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK") : -1;
  const TRect part{Bmp->Width() - ArrowWidth, 0, Bmp->Width(), Bmp->Height()};
  if (rec.IsValidImgIndex(border))
    DrawSkinRect(Bmp, part, true, MakeCacheInfo(Bmp), rec.ma[std::size_t(border)], state, true);
  const TsMaskData& md = rec.ma[std::size_t(arrow)];
  const TPoint at{(ArrowWidth - (WidthOfImage(md) + 3)) / 2 + (Bmp->Width() - ArrowWidth) + 2,
                  (ToolBar->ButtonHeight() - HeightOfImage(md)) / 2};
  DrawSkinGlyph(Bmp, at, state, 1, md, MakeCacheInfo(Bmp));
}

void TacToolBarVCLWnd::OurAdvancedCustomDrawButton(classlib::TToolBar* Sender, classlib::TToolButton* Button,
                                                   classlib::TCustomDrawState State, classlib::TCustomDrawStage Stage,
                                                   classlib::TTBCustomDrawFlags& Flags, bool& DefaultDraw) {
  if (!Skinned()) {
    DefaultDraw = true;
    return;
  }
  DefaultDraw = false;
  if (Stage != classlib::cdPrePaint || Button == nullptr) return;
  TsSkinManager* sm = SkinData->GetSkinManager();
  const bool designing = Sender->ComponentState().Contains(classlib::csDesigning);
  if (!Sender->Flat() && !designing && Button->Index() == HotButtonIndex) State += classlib::cdsHot;
  Flags += classlib::tbNoEdges;
  Flags += classlib::tbNoEtchedEffect;

  const TRect r = GetButtonRect(Button->Index());
  if (W(r) <= 0 || H(r) <= 0) return;
  if (SkinData->BGChanged || SkinData->CacheBmp() == nullptr) PrepareCache();
  auto bmp = NewBitmap32(W(r), H(r));
  bmp->Canvas()->Font()->Assign(Sender->Font());
  classlib::TCustomDrawState plain = State;
  plain -= classlib::cdsDisabled;
  int state = 1;
  if (plain.Empty() && !Button->Marked() && !Button->Indeterminate())
    state = 0;
  else if (State.Contains(classlib::cdsSelected) || State.Contains(classlib::cdsChecked) || Button->Marked() ||
           Button->Indeterminate())
    state = 2;

  const int section = sm->GetSkinIndex("TOOLBUTTON");
  const TPoint edge = EdgeOffset();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const TCacheInfo behind = MakeCacheInfo(cache, edge.X, edge.Y);
  if (section >= 0) {
    const TRect face{0, 0, W(r), Button->Height() > 0 ? Button->Height() : H(r)};
    PaintItemBG(section, "TOOLBUTTON", behind, state, face, TPoint{r.Left, r.Top}, bmp.get(), sm, -1, -1, clFuchsia);
    const int border = sm->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK");
    if (sm->IsValidImgIndex(border))
      DrawSkinRect(bmp.get(), face, true, MakeCacheInfo(cache, edge.X + r.Left, edge.Y + r.Top),
                   sm->Records().ma[std::size_t(border)], state, true);
  }
  const int arrowWidth = Button->Style() == classlib::tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
  if (Sender->ShowCaptions()) PaintCaption(bmp.get(), Button, state, arrowWidth, section);
  if (Sender->Images() != nullptr && Button->ImageIndex() >= 0 && Button->ImageIndex() < Sender->Images()->Count() &&
      acToolBtnGlyphPainter != nullptr)
    acToolBtnGlyphPainter(Sender, Button, State, Stage, Flags, bmp.get());
  if (arrowWidth > 0) PaintArrow(bmp.get(), Button, State, arrowWidth);
  if (!Button->Enabled() || Button->Indeterminate())
    BmpDisabledKind(View32(bmp.get()), false, true, CacheInfo32(behind), TPoint{r.Left, r.Top}, Sender->Color());
  BitBlt(Sender->Canvas()->Handle(), r.Left, r.Top, W(r), H(r), bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacToolBarVCLWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || ToolBar == nullptr) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  TsSkinManager* own = SkinData->GetSkinManager();
  const bool ownManager = Message.LParam == reinterpret_cast<LPARAM>(own);
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_NEWSKIN: InstallEvents(); break;
      case ACMD_REMOVESKIN:
        if (ownManager) RemoveEvents();
        break;
      case ACMD_REFRESH:
        if (ownManager) SetDropped(nullptr);
        break;
      case ACMD_GETBGINFO:
        if (Message.LParam != 0) {
          InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
          auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
          InitBGInfo(SkinData, *info, 0, CtrlHandle);
          const TRect r = DisplayRect();
          info->Offset = {info->Offset.X + r.Left, info->Offset.Y + r.Top};
        }
        return;
      default: break;
    }
  }
  const bool skinned = Skinned();
  if (skinned) {
    switch (Message.Msg) {
      case WM_ERASEBKGND: Message.Result = 1; return;
      case WM_NCPAINT:
        if (!InAnimationProcess) WMNCPaint(nullptr);
        return;
      case WM_PRINT: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (dc == nullptr) break;
        if (SkinData->BGChanged) PrepareCache();
        const TRect r = DisplayRect();
        const int w = W(r), h = H(r);
        const HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
        const auto strip = [&](int x, int y, int sw, int sh) {
          if (sw > 0 && sh > 0) BitBlt(dc, x, y, sw, sh, cache, x, y, SRCCOPY);
        };
        strip(0, 0, WndSize.cx, r.Top);
        strip(0, r.Top, r.Left, h);
        strip(0, r.Bottom, WndSize.cx, WndSize.cy - h - r.Top);
        strip(r.Right, r.Top, WndSize.cx - r.Left - w, h);
        const int saved = SaveDC(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + r.Left, origin.y + r.Top, nullptr);
        IntersectClipRect(dc, 0, 0, w, h);
        SendMessageW(CtrlHandle, WM_PAINT, WPARAM(dc), 0);
        RestoreDC(dc, saved);
        return;
      }
      case classlib::CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (header == nullptr) break;
        if (header->code == UINT(TBN_DELETINGBUTTON)) {
          // The bar still counts the button it is deleting.
          if (HotButtonIndex >= int(SendMessageW(CtrlHandle, TB_BUTTONCOUNT, 0, 0)) - 1) HotButtonIndex = -1;
        } else if (header->code == UINT(TBN_DROPDOWN)) {
          const int id = reinterpret_cast<const NMTOOLBARW*>(Message.LParam)->iItem;
          for (int i = 0; i < ToolBar->ButtonCount(); ++i)
            if (ToolBar->Buttons(i)->CommandId() == id) {
              SetDropped(ToolBar->Buttons(i));
              RepaintButton(i);
            }
        }
        break;
      }
      default: break;
    }
  }
  if (!CommonWndProc(Message, SkinData)) TacMainWnd::acWndProc(Message);
  if (!skinned || ToolBar == nullptr) return;
  const bool tracks = !ToolBar->Flat() && !ToolBar->ComponentState().Contains(classlib::csDesigning);
  switch (Message.Msg) {
    case WM_SIZE: InvalidateRect(CtrlHandle, nullptr, TRUE); break;
    case WM_MOUSEMOVE: {
      if (!tracks) break;
      const int i = IndexByMouse({Message.XPos(), Message.YPos()});
      if (i == HotButtonIndex || (i >= 0 && !ToolBar->Buttons(i)->Enabled())) break;
      const int previous = HotButtonIndex;
      HotButtonIndex = i;
      if (previous >= 0 && previous < ToolBar->ButtonCount() && !ToolBar->Buttons(previous)->Down())
        RepaintButton(previous);
      if (i >= 0 && !ToolBar->Buttons(i)->Down()) RepaintButton(i);
      break;
    }
    case classlib::CN_DROPDOWNCLOSED:
      if (DroppedButton != nullptr) {
        classlib::TToolButton* b = DroppedButton;
        HotButtonIndex = -1;
        SetDropped(nullptr);
        RepaintButton(b->Index());
      }
      break;
    case classlib::CM_MOUSELEAVE:
      if (!tracks) break;
      if (const int previous = HotButtonIndex; previous >= 0) {
        HotButtonIndex = -1;
        if (previous < ToolBar->ButtonCount() && !ToolBar->Buttons(previous)->Down()) RepaintButton(previous);
      }
      break;
    default: break;
  }
}

}  // namespace skin
