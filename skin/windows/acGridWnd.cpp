#include "skin/windows/acGridWnd.h"

#include <any>
#include <cstdint>
#include <string_view>
#include <typeinfo>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "classlib/TypInfo.h"
#include "skin/core/acntProps.h"
#include "skin/core/acntRects.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/graphics/sBlend32.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acSBTrack.h"
#include "skin/windows/acThemeWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {
namespace {

using classlib::TObject;

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

TObject* OwnerOf(const TsCommonData* Data) { return Data != nullptr ? Data->OwnerControl() : nullptr; }

bool Destroying(const classlib::TControl* Owner) {
  return Owner == nullptr || Owner->ComponentState().Contains(classlib::csDestroying);
}

// A colour property as RGB; 0 when the control lacks it.
TColor ReadColor(const TObject* Obj, std::wstring_view Name) {
  if (!HasProperty(Obj, Name)) return 0;
  return classlib::ColorToRGB(TColor(GetIntProp(Obj, Name)));
}

// The stored value itself; 0 when the control lacks it.
TColor ReadRaw(const TObject* Obj, std::wstring_view Name) {
  return HasProperty(Obj, Name) ? TColor(GetIntProp(Obj, Name)) : 0;
}

// A gradient colour of "ControlLook": "none" is kept as the button face, so that a restore writes
// a colour the grid can paint.
TColor ReadLookColor(const TObject* Obj, std::wstring_view Name) {
  if (!HasProperty(Obj, Name)) return 0;
  const TColor raw = TColor(GetIntProp(Obj, Name));
  return raw == classlib::clNone ? classlib::clBtnFace : classlib::ColorToRGB(raw);
}

void Write(TObject* Obj, std::wstring_view Name, std::int64_t Value) { SetIntProp(Obj, Name, Value); }

bool IsDataAware(const TObject* Obj) { return HasProperty(Obj, L"DataSource"); }

// The vertical bar's position taken from its track position, without a redraw.
void TrackToPosition(HWND Wnd, int Bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(Wnd, Bar, &si)) return;
  si.nPos = si.nTrackPos;
  SetScrollInfo(Wnd, Bar, &si, FALSE);
}

// The handlers the virtual-tree handler puts into a tree's events.
struct InstalledHeaderDraw {
  TacVirtualTreeViewWnd* Wnd;
  void operator()(classlib::TPersistent* Sender, THeaderPaintInfo& Info, THeaderPaintElements Elements) const {
    Wnd->AdvancedHeaderDraw(Sender, Info, Elements);
  }
};
struct InstalledQueryElements {
  TacVirtualTreeViewWnd* Wnd;
  void operator()(classlib::TPersistent* Sender, THeaderPaintInfo& Info, THeaderPaintElements& Elements) const {
    Wnd->HeaderDrawQueryElements(Sender, Info, Elements);
  }
};

// The event property of that name and handler type; nullptr for none.
template <class Event>
const classlib::TPropInfo* EventProp(const TObject* Obj, std::wstring_view Name) {
  const classlib::TPropInfo* p = Obj != nullptr ? classlib::GetPropInfo(Obj, Name) : nullptr;
  if (p == nullptr || p->Kind != classlib::TPropKind::Event || p->EventType != typeid(Event) || !p->SetEvent ||
      !p->EventAssigned)
    return nullptr;
  return p;
}

}  // namespace

// ---- grids ----

void TacGridWnd::SaveStdParams() {
  TacEditWnd::SaveStdParams();
  TObject* grid = OwnerOf(SkinData);
  if (grid == nullptr) return;
  FixedColor = ReadColor(grid, L"FixedColor");
  if (auto* cg = dynamic_cast<classlib::TCustomGrid*>(grid)) {
    DrawingStyle = cg->DrawingStyle();
    FixedGradientFrom = GridGradientStart = classlib::ColorToRGB(cg->GradientStartColor());
    FixedGradientTo = GridGradientEnd = classlib::ColorToRGB(cg->GradientEndColor());
  }
  TitleFontColor = ReadColor(grid, L"TitleFont.Color");
  if (HasProperty(grid, L"ControlLook")) {
    if (HasProperty(grid, L"FixedFont.Color")) {
      FixedFontColor = ReadColor(grid, L"FixedFont.Color");
      if (!HasProperty(grid, L"TitleFont.Color")) TitleFontColor = FixedFontColor;
    }
    GridFixedLineColor = ReadColor(grid, L"GridFixedLineColor");
    GridLineColor = ReadColor(grid, L"GridLineColor");
    FixedGradientFrom = ReadLookColor(grid, L"ControlLook.FixedGradientFrom");
    FixedGradientTo = ReadLookColor(grid, L"ControlLook.FixedGradientTo");
    FixedGradientMirrorFrom = ReadLookColor(grid, L"ControlLook.FixedGradientMirrorFrom");
    FixedGradientMirrorTo = ReadLookColor(grid, L"ControlLook.FixedGradientMirrorTo");
    SelectionColor = ReadColor(grid, L"SelectionColor");
    SelectionTextColor = ReadColor(grid, L"SelectionTextColor");
  }
  if (GetObjProp(grid, L"LineColors") != nullptr) {
    GridFixedLineColor = ReadColor(grid, L"LineColors.FixedColor");
    GridLineColor = ReadColor(grid, L"LineColors.DataColor");
    GridShadowLineColor = ReadColor(grid, L"LineColors.ShadowColor");
  }
  FooterColor = ReadColor(grid, L"FooterColor");
  FooterCellColor = ReadColor(grid, L"FooterCellColor");
  TitleColor = ReadColor(grid, L"TitleColor");
  IndColor = ReadColor(grid, L"IndicatorIconColor");
}

void TacGridWnd::SetSkinParams() {
  TacEditWnd::SetSkinParams();
  if (Destroyed || SkinData == nullptr) return;
  TObject* grid = OwnerOf(SkinData);
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (grid == nullptr || sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex)) return;
  TsSkinManager* dm = DefaultManager() != nullptr ? DefaultManager() : sm;
  const TacSkinRecords& skin = sm->Records();
  const TColor G = sm->GetGlobalColor();
  const TColor A = skin.GetActiveEditColor();
  const TColor lineA = dm->Records().GetActiveEditColor(), lineF = dm->Records().GetActiveEditFontColor();
  const TColor B = skin.SkinData.BorderColor;
  const TColor globalFont = skin.GetGlobalFontColor();

  Write(grid, L"FixedColor", G);
  if (auto* cg = dynamic_cast<classlib::TCustomGrid*>(grid)) {
    if (DrawingStyle != classlib::gdsClassic) cg->SetDrawingStyle(classlib::gdsGradient);
    cg->SetGradientStartColor(MixColors(G, A, 0.5));
    cg->SetGradientEndColor(G);
  }
  Write(grid, L"TitleFont.Color", globalFont);
  if (HasProperty(grid, L"ControlLook")) {
    Write(grid, L"FixedFont.Color", globalFont);
    Write(grid, L"GridFixedLineColor", B);
    Write(grid, L"GridLineColor", MixColors(lineA, lineF, 0.7));
    Write(grid, L"SelectionColor", skin.GetHighLightColor(true));
    Write(grid, L"SelectionTextColor", skin.GetHighLightFontColor(true));
  }
  Write(grid, L"ControlLook.FixedGradientFrom", MixColors(G, A, 0.5));
  Write(grid, L"ControlLook.FixedGradientTo", G);
  Write(grid, L"ControlLook.FixedGradientMirrorFrom", MixColors(G, kBlack, 0.95));
  Write(grid, L"ControlLook.FixedGradientMirrorTo", MixColors(G, kWhite, 0.9));
  Write(grid, L"LineColors.FixedColor", B);
  Write(grid, L"LineColors.DataColor", MixColors(lineA, lineF, 0.8));
  Write(grid, L"LineColors.ShadowColor", MixColors(lineA, lineF, 0.8));
  const int global = skin.ConstData.IndexGLobalInfo;
  if (skin.IsValidSkinIndex(global)) {
    const TColor info = skin.gd[std::size_t(global)].Color;
    Write(grid, L"FooterColor", info);
    Write(grid, L"FooterCellColor", info);
    Write(grid, L"TitleColor", info);
  }
  Write(grid, L"IndicatorIconColor", skin.gd[std::size_t(SkinData->SkinIndex)].FontColor.Color);
}

void TacGridWnd::RestoreStdParams() {
  TacEditWnd::RestoreStdParams();
  auto* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  if (Destroying(owner)) return;
  TObject* grid = owner;
  Write(grid, L"FixedColor", FixedColor);
  if (auto* cg = dynamic_cast<classlib::TCustomGrid*>(grid)) {
    cg->SetDrawingStyle(DrawingStyle);
    cg->SetGradientStartColor(GridGradientStart);
    cg->SetGradientEndColor(GridGradientEnd);
  }
  Write(grid, L"TitleFont.Color", TitleFontColor);
  if (HasProperty(grid, L"ControlLook")) {
    Write(grid, L"FixedFont.Color", FixedFontColor);
    Write(grid, L"GridFixedLineColor", GridFixedLineColor);
    Write(grid, L"GridLineColor", GridLineColor);
    Write(grid, L"ControlLook.FixedGradientFrom", FixedGradientFrom);
    Write(grid, L"ControlLook.FixedGradientTo", FixedGradientTo);
    Write(grid, L"ControlLook.FixedGradientMirrorFrom", FixedGradientMirrorFrom);
    Write(grid, L"ControlLook.FixedGradientMirrorTo", FixedGradientMirrorTo);
    Write(grid, L"SelectionColor", SelectionColor);
    Write(grid, L"SelectionTextColor", SelectionTextColor);
  }
  if (GetObjProp(grid, L"LineColors") != nullptr) {
    Write(grid, L"LineColors.FixedColor", GridFixedLineColor);
    Write(grid, L"LineColors.DataColor", GridLineColor);
    Write(grid, L"LineColors.ShadowColor", GridShadowLineColor);
  }
  Write(grid, L"FooterColor", FooterColor);
  Write(grid, L"FooterCellColor", FooterCellColor);
  Write(grid, L"TitleColor", TitleColor);
  Write(grid, L"IndicatorIconColor", IndColor);
}

void TacGridWnd::ScrollDataAware(classlib::TMessage& Message) {
  const int code = LOWORD(Message.WParam);
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
    TrackToPosition(CtrlHandle, SB_VERT);
  } else if (code == SB_ENDSCROLL) {
    auto* owner = SkinData->OwnerControl();
    // That grid moves its record pointer on the thumb position itself: a second one would jump.
    if (owner != nullptr && owner->ClassName() != L"TwwDBGrid") {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(CtrlHandle, SB_VERT, &si);
      SendScrollMessage(CtrlHandle, WM_VSCROLL, SB_THUMBPOSITION, si.nTrackPos);
    }
  }
}

void TacGridWnd::PrintGrid(classlib::TMessage& Message) {
  TacEditWnd::acWndProc(Message);
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc == nullptr || Destroyed) return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  ClipToClient(dc);
  SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
}

void TacGridWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The grid paints every cell itself.
      SkinData->SetUpdating(SkinData->Updating());
      return;
    case WM_VSCROLL:
      if (IsDataAware(SkinData->OwnerControl())) ScrollDataAware(Message);
      break;
    case WM_PRINT: PrintGrid(Message); return;
    default: break;
  }
  const bool removeOwnSkin = Message.Msg == SM_ALPHACMD && CommandOf(Message.WParam) == ACMD_REMOVESKIN &&
                             Message.LParam == reinterpret_cast<LPARAM>(SkinData->GetSkinManager());
  auto* grid = dynamic_cast<classlib::TCustomGrid*>(SkinData->OwnerControl());
  TacEditWnd::acWndProc(Message);
  if (removeOwnSkin && grid != nullptr && !Destroying(grid)) {
    // The native bars come back only when the grid sets its scroll styles anew.
    const classlib::TScrollStyle bars = grid->ScrollBars();
    grid->SetScrollBars(classlib::ssNone);
    grid->SetScrollBars(bars);
    return;
  }
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_PAINT: UpdateScrolls(this, true); break;
    case WM_WINDOWPOSCHANGED:
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      break;
    default: break;
  }
}

bool TacGridEhWnd::OldThemedSystem() const {
  const DWORD version = GetVersion();
  if (LOBYTE(LOWORD(version)) >= 6 || UxthemeLib() == nullptr) return false;
  using TIsAppThemed = BOOL(WINAPI*)();
  const auto themed =
      reinterpret_cast<TIsAppThemed>(reinterpret_cast<void*>(GetProcAddress(UxthemeLib(), "IsAppThemed")));
  return themed != nullptr && themed() != FALSE;
}

void TacGridEhWnd::SaveStdParams() {
  TacGridWnd::SaveStdParams();
  if (OldThemedSystem()) Fixed3D = CheckSetProp(OwnerOf(SkinData), L"OptionsEh", L"dghFixed3D");
}

void TacGridEhWnd::SetSkinParams() {
  TacGridWnd::SetSkinParams();
  if (!Destroyed && OldThemedSystem()) SetSetPropValue(OwnerOf(SkinData), L"OptionsEh", L"dghFixed3D", false);
}

void TacGridEhWnd::RestoreStdParams() {
  TacGridWnd::RestoreStdParams();
  auto* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  if (!Destroying(owner) && OldThemedSystem()) SetSetPropValue(owner, L"OptionsEh", L"dghFixed3D", Fixed3D);
}

// ---- virtual trees ----

SIZE TacVirtualTreeViewWnd::GetBorderDimensions() const {
  SIZE result{0, 0};
  const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE);
  if (style & WS_BORDER) {
    result.cx -= 1;
    result.cy -= 1;
  }
  if (style & WS_THICKFRAME) {
    result.cx -= GetSystemMetrics(SM_CXDLGFRAME);
    result.cy -= GetSystemMetrics(SM_CYDLGFRAME);
  }
  if (exStyle & WS_EX_CLIENTEDGE) {
    result.cx -= GetSystemMetrics(SM_CXEDGE);
    result.cy -= GetSystemMetrics(SM_CYEDGE);
  }
  return result;
}

void TacVirtualTreeViewWnd::SaveStdParams() {
  TacEditWnd::SaveStdParams();
  TObject* tree = OwnerOf(SkinData);
  if (tree == nullptr) return;
  CompressedTextColor = ReadRaw(tree, L"VETColors.CompressedTextColor");
  FileTextColor = ReadRaw(tree, L"VETColors.FileTextColor");
  FolderTextColor = ReadRaw(tree, L"VETColors.FolderTextColor");
  OwnerDraw = CheckSetProp(tree, L"Header.Options", L"hoOwnerDraw");
}

void TacVirtualTreeViewWnd::SetSkinParams() {
  TacEditWnd::SetSkinParams();
  if (Destroyed || SkinData == nullptr) return;
  TObject* tree = OwnerOf(SkinData);
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (tree == nullptr || sm == nullptr || !sm->IsValidSkinIndex(SkinData->SkinIndex)) return;
  const TacSkinRecords& skin = sm->Records();
  const TColor font = skin.gd[std::size_t(SkinData->SkinIndex)].FontColor.Color;
  Write(tree, L"VETColors.CompressedTextColor", font);
  Write(tree, L"VETColors.FileTextColor", font);
  Write(tree, L"VETColors.FolderTextColor", font);

  // A tree that paints its own header keeps doing so.
  if (const auto* draw = EventProp<TAdvancedHeaderPaintEvent>(tree, L"OnAdvancedHeaderDraw");
      draw != nullptr && !draw->EventAssigned(tree)) {
    draw->SetEvent(tree, std::any(TAdvancedHeaderPaintEvent(InstalledHeaderDraw{this})));
    installedDraw_ = true;
    const auto* query = EventProp<THeaderPaintQueryElementsEvent>(tree, L"OnHeaderDrawQueryElements");
    if (query != nullptr && !query->EventAssigned(tree)) {
      query->SetEvent(tree, std::any(THeaderPaintQueryElementsEvent(InstalledQueryElements{this})));
      installedQuery_ = true;
    }
    if (HasProperty(tree, L"OnHeaderDrawQueryElements")) SetSetPropValue(tree, L"Header.Options", L"hoOwnerDraw", true);
  }
  if (HasProperty(tree, L"PaintInfoColumn")) {
    Write(tree, L"PaintInfoColumn.Color", sm->GetGlobalColor());
    Write(tree, L"PaintInfoColumn.Style", 1);
    Write(tree, L"Header.Color", skin.GetActiveEditColor());
    Write(tree, L"Header.Font.Color", skin.GetGlobalFontColor());
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    Write(tree, L"Themed", 0);
  }
}

void TacVirtualTreeViewWnd::RemoveInstalledEvents() {
  TObject* tree = OwnerOf(SkinData);
  if (tree == nullptr) return;
  // Only this handler's own: handlers the tree had before stay.
  if (installedDraw_)
    if (const auto* draw = EventProp<TAdvancedHeaderPaintEvent>(tree, L"OnAdvancedHeaderDraw"))
      draw->SetEvent(tree, std::any(TAdvancedHeaderPaintEvent{}));
  if (installedQuery_)
    if (const auto* query = EventProp<THeaderPaintQueryElementsEvent>(tree, L"OnHeaderDrawQueryElements"))
      query->SetEvent(tree, std::any(THeaderPaintQueryElementsEvent{}));
  installedDraw_ = installedQuery_ = false;
}

void TacVirtualTreeViewWnd::Release() {
  RemoveInstalledEvents();
  TacEditWnd::Release();
}

void TacVirtualTreeViewWnd::RestoreStdParams() {
  TacEditWnd::RestoreStdParams();
  auto* owner = SkinData != nullptr ? SkinData->OwnerControl() : nullptr;
  if (owner == nullptr) return;
  RemoveInstalledEvents();
  if (Destroying(owner)) return;
  TObject* tree = owner;
  Write(tree, L"VETColors.CompressedTextColor", CompressedTextColor);
  Write(tree, L"VETColors.FileTextColor", FileTextColor);
  Write(tree, L"VETColors.FolderTextColor", FolderTextColor);
  SetSetPropValue(tree, L"Header.Options", L"hoOwnerDraw", OwnerDraw);
  if (HasProperty(tree, L"PaintInfoColumn")) {
    Write(tree, L"Themed", 1);
    Write(tree, L"PaintInfoColumn.Color", classlib::clBtnFace);
    Write(tree, L"Header.Color", classlib::clBtnFace);
    Write(tree, L"Header.Font.Color", classlib::clBtnText);
  }
}

void TacVirtualTreeViewWnd::HeaderDrawQueryElements(classlib::TPersistent*, THeaderPaintInfo&,
                                                    THeaderPaintElements& Elements) {
  Elements = THeaderPaintElements{hpeBackground, hpeDropMark, hpeSortGlyph, hpeText};
}

void TacVirtualTreeViewWnd::AdvancedHeaderDraw(classlib::TPersistent*, THeaderPaintInfo& PaintInfo,
                                               THeaderPaintElements Elements) {
  if (DontRepaint || SkinData == nullptr || !SkinData->Skinned() || PaintInfo.TargetCanvas == nullptr) return;
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr) return;
  HDC target = PaintInfo.TargetCanvas->Handle();
  const TRect& pr = PaintInfo.PaintRectangle;
  if (PaintInfo.Column == nullptr) {
    TsSkinManager* dm = DefaultManager() != nullptr ? DefaultManager() : sm;
    if (SkinData->SkinIndex < 0 || !dm->IsValidSkinIndex(SkinData->SkinIndex)) return;
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(dm->Records().gd[std::size_t(SkinData->SkinIndex)].Color));
    const RECT r{pr.Left, pr.Top, pr.Right, pr.Bottom};
    FillRect(target, &r, brush);
    DeleteObject(brush);
    return;
  }
  const bool hasColHeader = sm->GetSkinIndex("COLHEADER") >= 0;
  const char* section = hasColHeader ? "COLHEADER" : "BUTTON";
  const int index = sm->GetSkinIndex(section);
  const int state = PaintInfo.IsDownIndex ? 2 : PaintInfo.IsHoverIndex ? 1 : 0;
  const int w = WidthOf(pr), h = HeightOf(pr);
  if (w <= 0 || h <= 0) return;
  auto bmp = NewBitmap32(w, h);
  HDC work = bmp->Canvas()->Handle();
  if (Elements.Contains(hpeBackground)) {
    PaintItem(index, section, MakeCacheInfo(SkinData->CacheBmp()), true, state, TRect{0, 0, w, h},
              TPoint{pr.Left, pr.Top}, bmp.get(), sm);
    BitBlt(target, pr.Left, pr.Top, w, h, work, 0, 0, SRCCOPY);
    return;
  }
  BitBlt(work, 0, 0, w, h, target, pr.Left, pr.Top, SRCCOPY);
  TObject* tree = OwnerOf(SkinData);
  const std::wstring text =
      HasProperty(PaintInfo.Column, L"Text") ? classlib::GetStrProp(PaintInfo.Column, L"Text") : std::wstring();
  auto writeText = [&](UINT flags) {
    if (auto* font = dynamic_cast<classlib::TFont*>(GetObjProp(tree, L"Header.Font")))
      bmp->Canvas()->Font()->Assign(font);
    TRect r = PaintInfo.TextRectangle;
    r.Left -= pr.Left;
    r.Right -= pr.Left;
    r.Top -= pr.Top;
    r.Bottom -= pr.Top;
    acWriteTextEx(bmp->Canvas(), text, true, r, flags, index, state != 0, sm);
  };
  if (Elements.Contains(hpeText) && !Elements.Contains(hpeDropMark)) writeText(0);
  if (Elements.Contains(hpeSortGlyph) && PaintInfo.ShowSortGlyph) {
    const bool up = GetIntProp(tree, L"Header.SortDirection") > 0;
    const char* glyphSection = up ? "SCROLLBTNTOP" : "SCROLLBTNBOTTOM";
    const int mask = sm->GetMaskIndex(sm->GetSkinIndex(glyphSection), glyphSection, "GLYPHMASK");
    if (sm->IsValidImgIndex(mask)) {
      const TsMaskData& md = sm->Records().ma[std::size_t(mask)];
      DrawSkinGlyph(bmp.get(), TPoint{PaintInfo.SortGlyphPos.X - pr.Left, (h - HeightOfImage(md)) / 2}, state, 1, md,
                    MakeCacheInfo(bmp.get()));
    }
  }
  if (Elements.Contains(hpeDropMark)) {
    const bool wrap = CheckSetProp(PaintInfo.Column, L"Options", L"coWrapCaption");
    writeText(DT_END_ELLIPSIS | DT_VCENTER | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  }
  BitBlt(target, pr.Left, pr.Top, w, h, work, 0, 0, SRCCOPY);
}

int TacVirtualTreeViewWnd::HeaderHeight() const {
  const TObject* tree = OwnerOf(SkinData);
  if (!CheckSetProp(tree, L"Header.Options", L"hoVisible")) return 0;
  const std::int64_t height = GetIntProp(tree, L"Header.Height");
  return height > 0 ? int(height) : 0;
}

void TacVirtualTreeViewWnd::NonClientPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  SkinData->SetUpdating(SkinData->Updating());
  if (SkinData->Updating()) return;
  if (SkinData->BGChanged) {
    if (!ParamsChanged) SetSkinParams();
    PrepareCache(SkinData, CtrlHandle, DlgMode);
  }
  UpdateWndCorners(SkinData, 0, this);
  const classlib::WindowDC windowDC(CtrlHandle);
  HDC dc = windowDC.get();
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  CopyFrame(dc);
  LPARAM none = 0;
  Message.Result = CallPrevWndProc(CtrlHandle, WM_PRINT, WPARAM(dc), none);
  Ac_NCPaint(this, CtrlHandle, int(Message.WParam), dc, -1, 0);
}

void TacVirtualTreeViewWnd::PrintTree(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SkinData->SetUpdating(false);
  if (dc == nullptr) {
    PassOn(Message);
    return;
  }
  if (SkinData->BGChanged) {
    InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
    PrepareCache(SkinData, CtrlHandle, DlgMode);
  }
  {
    const int saved = SaveDC(dc);
    const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - cxLeftEdge, origin.y - cxLeftEdge - HeaderHeight(), nullptr);
    LPARAM none = 0;
    CallPrevWndProc(CtrlHandle, WM_PRINTCLIENT, Message.WParam, none);
  }
  PassOn(Message);
  UpdateWndCorners(SkinData, 0, this);
  CopyFrame(dc);
  Ac_NCPaint(this, CtrlHandle, 1, dc, -1, 0);
}

void TacVirtualTreeViewWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned()) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
      if (!IsWindowVisible(CtrlHandle)) break;
      NonClientPaint(Message);
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBTRACK)
        TrackToPosition(CtrlHandle, Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT);
      break;
    case WM_PRINT: PrintTree(Message); return;
    default: break;
  }
  TacEditWnd::acWndProc(Message);
}

}  // namespace skin
