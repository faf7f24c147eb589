// The tool bar of the common controls and its windowless buttons.
#include "classlib/ToolBar.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"

namespace classlib {

namespace {

// Command identifiers of the buttons of all bars; the native control reports clicks by them.
int g_nextCommandId = 0x4000;

}  // namespace

// ---- TToolButton ----

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner), FCommandId(g_nextCommandId++) {
  FWidth = 23;
  FHeight = 22;
}

TToolButton::~TToolButton() {
  if (FToolBar) FToolBar->RemoveButton(this);
}

void TToolButton::DeclareProperties(TClassDecl<TToolButton>& d) {
  d.Enum(L"Style", &TToolButton::Style, &TToolButton::SetStyle, tbsButton);
  d.Integer(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1);
  d.Bool(L"Down", &TToolButton::Down, &TToolButton::SetDown, false);
  d.Bool(L"Marked", &TToolButton::Marked, &TToolButton::SetMarked, false);
  d.Bool(L"Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate, false);
  d.Bool(L"Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped, false);
  d.Bool(L"Wrap", &TToolButton::Wrap, &TToolButton::SetWrap, false);
  d.Component<TPopupMenu>(L"DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
}

int TToolButton::Index() const {
  if (!FToolBar) return -1;
  auto& buttons = FToolBar->FButtons;
  auto it = std::find(buttons.begin(), buttons.end(), this);
  return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
}

void TToolButton::SetParent(TWinControl* AParent) {
  if (FToolBar && FToolBar != AParent) FToolBar->RemoveButton(this);
  TGraphicControl::SetParent(AParent);
  if (auto* bar = dynamic_cast<TToolBar*>(AParent); bar && bar != FToolBar) bar->InsertButton(this);
}

void TToolButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != Width();
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resized && FToolBar && !FToolBar->updatingBounds_ && (FStyle == tbsSeparator || FStyle == tbsDivider)) Changed();
}

void TToolButton::Changed() {
  if (FToolBar) FToolBar->UploadButtons();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TToolButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

bool TToolButton::Down() const {
  if (FToolBar && FToolBar->HandleAllocated())
    FDown = SendMessageW(FToolBar->Handle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(FCommandId), 0) != 0;
  return FDown;
}

void TToolButton::SetDown(bool Value) {
  FDown = Value;
  if (FToolBar && FToolBar->HandleAllocated())
    SendMessageW(FToolBar->Handle(), TB_CHECKBUTTON, static_cast<WPARAM>(FCommandId), MAKELPARAM(Value ? 1 : 0, 0));
}

void TToolButton::SetMarked(bool Value) {
  if (FMarked == Value) return;
  FMarked = Value;
  Changed();
}

void TToolButton::SetIndeterminate(bool Value) {
  if (FIndeterminate == Value) return;
  FIndeterminate = Value;
  Changed();
}

void TToolButton::SetGrouped(bool Value) {
  if (FGrouped == Value) return;
  FGrouped = Value;
  Changed();
}

void TToolButton::SetWrap(bool Value) {
  if (FWrap == Value) return;
  FWrap = Value;
  Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  FDropdownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == static_cast<TComponent*>(FDropdownMenu)) FDropdownMenu = nullptr;
}

void TToolButton::Click() {
  if (OnClick) OnClick(this);
}

void TToolButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    // The native control takes the mouse over its buttons.
    case CM_HITTEST: M.Result = 0; return;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
      Down();
      Changed();
      return;
    default: break;
  }
  TGraphicControl::Dispatch(M);
}

// ---- TToolBar ----

TToolBar::TToolBar(TComponent* AOwner)
    : TWinControl(AOwner), FImageLink(std::make_unique<TChangeLink>()), FCanvas(std::make_unique<TCanvas>()) {
  FImageLink->OnChange = [this](TObject*) { UploadImages(); };
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  FWidth = 150;
  FHeight = 29;
  SetAlign(alTop);
}

TToolBar::~TToolBar() {
  *alive_ = false;
  for (TCustomImageList* list : {FImages, FHotImages, FDisabledImages})
    if (list) list->UnRegisterChanges(FImageLink.get());
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
  FButtons.clear();
}

void TToolBar::DeclareProperties(TClassDecl<TToolBar>& d) {
  d.Enum(L"Align", &TToolBar::Align, &TToolBar::SetAlign, alTop);
  d.Component<TCustomImageList>(L"Images", &TToolBar::Images, &TToolBar::SetImages);
  d.Component<TCustomImageList>(L"HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
  d.Component<TCustomImageList>(L"DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
  d.Integer(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23);
  d.Integer(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22);
  d.Bool(L"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, false);
  d.Bool(L"List", &TToolBar::List, &TToolBar::SetList, false);
  d.Bool(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat, true);
  d.Bool(L"AllowTextButtons", &TToolBar::AllowTextButtons, &TToolBar::SetAllowTextButtons, false);
  d.Set(L"EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders, TEdgeBorders{ebTop});
  d.Enum(L"EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner, esRaised);
  d.Enum(L"EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter, esLowered);
  d.Integer(L"BorderWidth", &TToolBar::BorderWidth, &TToolBar::SetBorderWidth, 0);
  d.Event(L"OnAdvancedCustomDraw", &TToolBar::OnAdvancedCustomDraw);
  d.Event(L"OnAdvancedCustomDrawButton", &TToolBar::OnAdvancedCustomDrawButton);
}

TToolButton* TToolBar::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount())
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FButtons[static_cast<std::size_t>(Index)];
}

void TToolBar::InsertButton(TToolButton* Button) {
  FButtons.push_back(Button);
  Button->FToolBar = this;
  UploadButtons();
}

void TToolBar::RemoveButton(TToolButton* Button) {
  auto it = std::find(FButtons.begin(), FButtons.end(), Button);
  if (it == FButtons.end()) return;
  FButtons.erase(it);
  Button->FToolBar = nullptr;
  if (!ComponentState().Contains(csDestroying)) UploadButtons();
}

TToolButton* TToolBar::ButtonByCommand(int Id) const {
  for (TToolButton* b : FButtons)
    if (b->FCommandId == Id) return b;
  return nullptr;
}

void TToolBar::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  if (Field && Field != FImages && Field != FHotImages && Field != FDisabledImages)
    Field->UnRegisterChanges(FImageLink.get());
  Field = Value;
  if (Value) {
    Value->RegisterChanges(FImageLink.get());
    Value->FreeNotification(this);
  }
  UploadImages();
}

void TToolBar::SetImages(TCustomImageList* Value) { SetImageList(FImages, Value); }
void TToolBar::SetHotImages(TCustomImageList* Value) { SetImageList(FHotImages, Value); }
void TToolBar::SetDisabledImages(TCustomImageList* Value) { SetImageList(FDisabledImages, Value); }

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  bool changed = false;
  for (TCustomImageList** list : {&FImages, &FHotImages, &FDisabledImages})
    if (static_cast<TComponent*>(*list) == AComponent) {
      *list = nullptr;
      changed = true;
    }
  if (changed) UploadImages();
}

void TToolBar::UploadImages() {
  if (!FHandle) return;
  auto handle = [](TCustomImageList* list) { return reinterpret_cast<LPARAM>(list ? list->Handle() : nullptr); };
  SendMessageW(FHandle, TB_SETIMAGELIST, 0, handle(FImages));
  SendMessageW(FHandle, TB_SETHOTIMAGELIST, 0, handle(FHotImages));
  SendMessageW(FHandle, TB_SETDISABLEDIMAGELIST, 0, handle(FDisabledImages));
  UploadButtons();
}

void TToolBar::SetButtonWidth(int Value) {
  if (Value < 0 || FButtonWidth == Value) return;
  FButtonWidth = Value;
  UploadButtons();
}

void TToolBar::SetButtonHeight(int Value) {
  if (Value < 0 || FButtonHeight == Value) return;
  FButtonHeight = Value;
  UploadButtons();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (FShowCaptions == Value) return;
  FShowCaptions = Value;
  RecreateWnd();
}

void TToolBar::SetList(bool Value) {
  if (FList == Value) return;
  FList = Value;
  RecreateWnd();
}

void TToolBar::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  RecreateWnd();
}

void TToolBar::SetAllowTextButtons(bool Value) {
  if (FAllowTextButtons == Value) return;
  FAllowTextButtons = Value;
  UploadButtons();
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
  if (FEdgeBorders == Value) return;
  FEdgeBorders = Value;
  RecreateWnd();
}

void TToolBar::SetEdgeInner(TEdgeStyle Value) {
  if (FEdgeInner == Value) return;
  FEdgeInner = Value;
  RecreateWnd();
}

void TToolBar::SetEdgeOuter(TEdgeStyle Value) {
  if (FEdgeOuter == Value) return;
  FEdgeOuter = Value;
  RecreateWnd();
}

void TToolBar::SetBorderWidth(int Value) {
  if (Value < 0 || FBorderWidth == Value) return;
  FBorderWidth = Value;
  RecreateWnd();
}

int TToolBar::EdgeWidth() const { return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0); }

void TToolBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TOOLBARCLASSNAMEW);
  Params.Style |= WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | CCS_TOP;
  if (FFlat) Params.Style |= TBSTYLE_FLAT;
  if (FList) Params.Style |= TBSTYLE_LIST;
}

void TToolBar::InitializeWindow() {
  SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(FHandle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  // The window was sized before its edges were known.
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  UploadImages();
}

void TToolBar::SaveWindowState() {
  for (TToolButton* b : FButtons) b->Down();
}

void TToolBar::UploadButtons() {
  if (!FHandle) return;
  while (SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0);
  if (FImages)
    SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
  else
    SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
  for (TToolButton* b : FButtons) {
    const bool separator = b->FStyle == tbsSeparator || b->FStyle == tbsDivider;
    std::wstring caption = b->Caption();
    TBBUTTON item{};
    item.idCommand = b->FCommandId;
    item.iBitmap = separator ? b->Width() : (b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE);
    switch (b->FStyle) {
      case tbsCheck: item.fsStyle = BTNS_CHECK | (b->FGrouped ? BTNS_GROUP : 0); break;
      case tbsDropDown: item.fsStyle = BTNS_DROPDOWN; break;
      case tbsSeparator:
      case tbsDivider: item.fsStyle = BTNS_SEP; break;
      default: item.fsStyle = BTNS_BUTTON; break;
    }
    if (b->Enabled()) item.fsState |= TBSTATE_ENABLED;
    if (b->FDown) item.fsState |= TBSTATE_CHECKED;
    if (!b->Visible()) item.fsState |= TBSTATE_HIDDEN;
    if (b->FWrap) item.fsState |= TBSTATE_WRAP;
    if (b->FMarked) item.fsState |= TBSTATE_MARKED;
    if (b->FIndeterminate) item.fsState |= TBSTATE_INDETERMINATE;
    const bool text = FShowCaptions || (FAllowTextButtons && b->FStyle == tbsTextButton);
    item.iString = text && !separator ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    SendMessageW(FHandle, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&item));
  }
  UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds() {
  if (!FHandle || updatingBounds_) return;
  updatingBounds_ = true;
  const TScopeExit done([this] { updatingBounds_ = false; });
  for (TToolButton* b : FButtons) {
    RECT r{};
    if (SendMessageW(FHandle, TB_GETRECT, static_cast<WPARAM>(b->FCommandId), reinterpret_cast<LPARAM>(&r)))
      b->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

void TToolBar::DropDown(TToolButton* Button) {
  TPopupMenu* menu = Button->FDropdownMenu;
  if (!menu) return;
  RECT r{};
  SendMessageW(FHandle, TB_GETRECT, static_cast<WPARAM>(Button->FCommandId), reinterpret_cast<LPARAM>(&r));
  POINT p{r.left, r.bottom};
  ::ClientToScreen(FHandle, &p);
  menu->SetPopupComponent(this);
  const std::shared_ptr<bool> alive = alive_;
  menu->Popup(p.x, p.y);
  // The chosen item's handler may have freed the bar, the button or the menu.
  if (!*alive) return;
  if (std::find(FButtons.begin(), FButtons.end(), Button) != FButtons.end() && Button->FDropdownMenu == menu)
    menu->SetPopupComponent(nullptr);
  Perform(CN_DROPDOWNCLOSED, 0, 0);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& D) {
  const HDC dc = D.nmcd.hdc;
  const int saved = SaveDC(dc);
  FCanvas->SetHandle(dc);
  FCanvas->SetFont(Font());
  const TScopeExit restore([&] {
    FCanvas->SetHandle(nullptr);
    RestoreDC(dc, saved);
  });
  const TRect rect{D.nmcd.rc.left, D.nmcd.rc.top, D.nmcd.rc.right, D.nmcd.rc.bottom};
  switch (D.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: {
      LRESULT result = CDRF_DODEFAULT;
      if (OnAdvancedCustomDraw) {
        bool defaultDraw = true;
        OnAdvancedCustomDraw(this, rect, cdPrePaint, defaultDraw);
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        result |= CDRF_NOTIFYPOSTPAINT;
      }
      if (OnAdvancedCustomDrawButton) result |= CDRF_NOTIFYITEMDRAW;
      return result;
    }
    case CDDS_POSTPAINT:
      if (OnAdvancedCustomDraw) {
        bool defaultDraw = true;
        OnAdvancedCustomDraw(this, rect, cdPostPaint, defaultDraw);
      }
      return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      TToolButton* button = ButtonByCommand(static_cast<int>(D.nmcd.dwItemSpec));
      if (!button || !OnAdvancedCustomDrawButton) return CDRF_DODEFAULT;
      const UINT s = D.nmcd.uItemState;
      TCustomDrawState state;
      if (s & CDIS_SELECTED) state += cdsSelected;
      if (s & CDIS_GRAYED) state += cdsGrayed;
      if (s & CDIS_DISABLED) state += cdsDisabled;
      if (s & CDIS_CHECKED) state += cdsChecked;
      if (s & CDIS_FOCUS) state += cdsFocused;
      if (s & CDIS_DEFAULT) state += cdsDefault;
      if (s & CDIS_HOT) state += cdsHot;
      if (s & CDIS_MARKED) state += cdsMarked;
      if (s & CDIS_INDETERMINATE) state += cdsIndeterminate;
      TTBCustomDrawFlags flags;
      bool defaultDraw = true;
      OnAdvancedCustomDrawButton(this, button, state, cdPrePaint, flags, defaultDraw);
      if (!defaultDraw) return CDRF_SKIPDEFAULT;
      LRESULT result = CDRF_DODEFAULT;
      if (flags.Contains(tbNoEdges)) result |= TBCDRF_NOEDGES;
      if (flags.Contains(tbHiliteHotTrack)) result |= TBCDRF_HILITEHOTTRACK;
      if (flags.Contains(tbNoOffset)) result |= TBCDRF_NOOFFSET;
      if (flags.Contains(tbNoMark)) result |= TBCDRF_NOMARK;
      if (flags.Contains(tbNoEtchedEffect)) result |= TBCDRF_NOETCHEDEFFECT;
      return result;
    }
    default: return CDRF_DODEFAULT;
  }
}

void TToolBar::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (TToolButton* button = ButtonByCommand(LOWORD(M.WParam))) {
        button->Down();
        button->Click();
      }
      M.Result = 0;
      return;
    case CN_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(M.LParam);
      if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        M.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(M.LParam));
        return;
      }
      if (header->code == static_cast<UINT>(TBN_DROPDOWN)) {
        if (TToolButton* button = ButtonByCommand(reinterpret_cast<NMTOOLBARW*>(M.LParam)->iItem)) DropDown(button);
        M.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    }
    case WM_NCCALCSIZE: {
      DefaultHandler(M);
      auto* r = reinterpret_cast<RECT*>(M.LParam);
      const int edges = EdgeWidth();
      r->left += FBorderWidth + (FEdgeBorders.Contains(ebLeft) ? edges : 0);
      r->top += FBorderWidth + (FEdgeBorders.Contains(ebTop) ? edges : 0);
      r->right -= FBorderWidth + (FEdgeBorders.Contains(ebRight) ? edges : 0);
      r->bottom -= FBorderWidth + (FEdgeBorders.Contains(ebBottom) ? edges : 0);
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return;
    }
    case WM_NCPAINT: {
      DefaultHandler(M);
      UINT sides = 0;
      if (FEdgeBorders.Contains(ebLeft)) sides |= BF_LEFT;
      if (FEdgeBorders.Contains(ebTop)) sides |= BF_TOP;
      if (FEdgeBorders.Contains(ebRight)) sides |= BF_RIGHT;
      if (FEdgeBorders.Contains(ebBottom)) sides |= BF_BOTTOM;
      const UINT edge = (FEdgeOuter == esRaised    ? BDR_RAISEDOUTER
                         : FEdgeOuter == esLowered ? BDR_SUNKENOUTER
                                                   : 0) |
                        (FEdgeInner == esRaised    ? BDR_RAISEDINNER
                         : FEdgeInner == esLowered ? BDR_SUNKENINNER
                                                   : 0);
      if (sides != 0 && edge != 0) {
        const HDC dc = GetWindowDC(FHandle);
        RECT r{0, 0, Width(), Height()};
        DrawEdge(dc, &r, edge, sides);
        ReleaseDC(FHandle, dc);
      }
      return;
    }
    case WM_SIZE:
      TWinControl::Dispatch(M);
      UpdateButtonBounds();
      return;
    default: break;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
