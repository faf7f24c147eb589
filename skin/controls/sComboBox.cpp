#include "skin/controls/sComboBox.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/acGlow.h"
#include "skin/core/acntRects.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TMessage;
using classlib::TOwnerDrawState;

namespace {

// Asked by other windows: 1 while the list is down.
constexpr unsigned kAcmdDroppedDown = 14;
constexpr UINT kItemTextFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;

bool IsKeyDown(UINT Msg) {
  return Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN || Msg == WM_SYSCHAR || Msg == classlib::CN_KEYDOWN ||
         Msg == classlib::CN_SYSKEYDOWN || Msg == classlib::CN_SYSCHAR;
}

// Keys that move, search or open a selection: space to the arrows, '9', letters and F4.
bool SelectingKey(WPARAM Key) {
  return (Key >= 0x20 && Key <= 0x28) || Key == 0x39 || (Key >= 0x41 && Key <= 0x5A) || Key == VK_F4;
}

}  // namespace

TsCustomComboBox::TsCustomComboBox(classlib::TComponent* AOwner) : classlib::TCustomComboBox(AOwner) {
  SetDropDownCount(kComboDropDownCount);
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kComboBoxCoc;
  if (FCommonData->SkinSection().empty()) FCommonData->SetSkinSection("COMBOBOX");
}

TsCustomComboBox::~TsCustomComboBox() {
  ReleaseList();
  FCommonData.reset();
}

void TsCustomComboBox::AfterConstruction() {
  classlib::TCustomComboBox::AfterConstruction();
  FCommonData->Loaded();
}

void TsCustomComboBox::CreateWnd() {
  classlib::TCustomComboBox::CreateWnd();
  FCommonData->Loaded();
}

void TsCustomComboBox::CreateParams(classlib::TCreateParams& Params) {
  classlib::TCustomComboBox::CreateParams(Params);
  if (Style() == classlib::csDropDown || Style() == classlib::csDropDownList)
    Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TsCustomComboBox::SetAlignment(classlib::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  FCommonData->Invalidate();
}

void TsCustomComboBox::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  FCommonData->Invalidate();
}

void TsCustomComboBox::SetShowButton(bool Value) {
  if (FShowButton == Value) return;
  FShowButton = Value;
  FCommonData->Invalidate();
}

bool TsCustomComboBox::RightToLeft() const {
  return FHandle != nullptr && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_RIGHT)) != 0;
}

bool TsCustomComboBox::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }
bool TsCustomComboBox::Loading() const { return ComponentState().Contains(classlib::csLoading); }
bool TsCustomComboBox::Destroying() const { return ComponentState().Contains(classlib::csDestroying); }

bool TsCustomComboBox::OwnerDrawnWithEvent() const {
  return (Style() == classlib::csOwnerDrawFixed || Style() == classlib::csOwnerDrawVariable) && OnDrawItem != nullptr;
}

bool TsCustomComboBox::Focused() const {
  if (FCommonData->FFocused) return true;
  if (FHandle == nullptr) return false;
  const HWND focus = GetFocus();
  if (focus == nullptr) return false;
  if (focus == FHandle) return true;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(FHandle, &info) && (focus == info.hwndItem || focus == info.hwndList);
}

void TsCustomComboBox::Invalidate() {
  if (FCommonData != nullptr && HandleAllocated() && Focused()) FCommonData->FFocused = true;
  classlib::TCustomComboBox::Invalidate();
}

int TsCustomComboBox::IndexOf(const std::wstring& S) const {
  for (int i = 0; i < Items()->Count(); ++i)
    if (Items()->Strings(i) == S) return i;
  return -1;
}

TRect TsCustomComboBox::ButtonRect() const {
  const int w = Style() != classlib::csSimple && FShowButton ? ButtonWidth() : 0;
  TRect r;
  r.Left = RightToLeft() ? 2 : Width() - w - 2;
  r.Top = 2;
  r.Right = r.Left + w;
  r.Bottom = Height() - 2;
  return r;
}

int TsCustomComboBox::ButtonHeight() const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (!Skinned() || sm == nullptr) return 16;
  const int glyph = sm->Records().ConstData.ComboGlyph;
  if (glyph < 0 || !sm->IsValidImgIndex(glyph)) return 16;
  const TsMaskData& md = sm->Records().ma[std::size_t(glyph)];
  return (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
}

int TsCustomComboBox::CacheHeight() const { return Style() == classlib::csSimple ? ItemHeight() + 8 : Height(); }

void TsCustomComboBox::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const int h = CacheHeight();
  if (cache->Height() != h) cache->SetHeight(h);
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  const int state = ControlIsActive(FCommonData.get()) ? 1 : 0;
  PaintItem(FCommonData.get(), ci, true, state, TRect{0, 0, Width(), h}, TPoint{Left(), Top()}, cache, false);
  if (Style() != classlib::csSimple) {
    const TRect br = ButtonRect();
    const TRect text = RightToLeft() ? TRect{br.Right + 1, 3, Width() - 3, h - 3} : TRect{3, 3, br.Left - 1, h - 3};
    TOwnerDrawState flags{classlib::odComboBoxEdit};
    if (Focused() || FCommonData->FFocused) flags += TOwnerDrawState{classlib::odSelected, classlib::odFocused};
    if (text.Right > text.Left && text.Bottom > text.Top) {
      Canvas()->SetHandle(cache->Canvas()->Handle());
      const classlib::TScopeExit release([this] { Canvas()->SetHandle(nullptr); });
      DrawItem(ItemIndex(), text, flags);
    }
    if (FShowButton) PaintButton();
  }
  if (!Enabled() && !OwnerDrawnWithEvent()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  FCommonData->BGChanged = false;
}

void TsCustomComboBox::PaintButton() {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  if (sm == nullptr || cache == nullptr) return;
  const int state = FDropDown ? 2 : (ControlIsActive(FCommonData.get()) ? 1 : 0);
  const TRect r = ButtonRect();
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const TConstantSkinData& cd = sm->Records().ConstData;
  if (cd.ComboBtnIndex >= 0)
    PaintItem(cd.ComboBtnIndex, "COMBOBTN", MakeCacheInfo(cache), true, state, r, TPoint{0, 0}, cache, sm,
              cd.ComboBtnBG, cd.ComboBtnBGHot);
  if (cd.ComboGlyph >= 0 && sm->IsValidImgIndex(cd.ComboGlyph)) {
    const TsMaskData& md = sm->Records().ma[std::size_t(cd.ComboGlyph)];
    const int glyphWidth = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
    const TPoint at{r.Left + (r.Right - r.Left - glyphWidth) / 2, (Height() - ButtonHeight()) / 2};
    DrawSkinGlyph(cache, at, state, 1, md, MakeCacheInfo(cache));
  }
}

void TsCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (Skinned())
    DrawItemSkinned(Index, Rect, State);
  else
    DrawItemPlain(Index, Rect, State);
}

void TsCustomComboBox::DrawItemSkinned(int Index, const TRect& Rect, TOwnerDrawState State) {
  const int w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  if (w <= 0 || h <= 0) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const TacSkinRecords& records = sm->Records();
  const bool editPart = State.Contains(classlib::odComboBoxEdit);
  const bool selected = State.Contains(classlib::odSelected);
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  auto bmp = NewBitmap32(w, h);
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->SetFont(Font());
  TCacheInfo ci;
  if (editPart && cache != nullptr && cache->Width() > 0) {
    ci = MakeCacheInfo(cache, Rect.Left, Rect.Top);
  } else {
    ci.FillColor = Color();
  }
  const int selection = sm->GetSkinIndex("SELECTION");
  TColor fontColour = Font()->Color();
  if (selected) {
    const TColor highlight = records.GetHighLightColor(true);
    canvas->Brush()->SetColor(highlight);
    if (selection < 0)
      canvas->FillRect(TRect{0, 0, w, h});
    else
      PaintItem(selection, "SELECTION", ci, true, 1, TRect{0, 0, w, h}, TPoint{0, 0}, bmp.get(), sm, -1, -1);
    fontColour = records.GetHighLightFontColor(true);
  } else {
    const TColor back = editPart ? Color() : records.GetActiveEditColor();
    canvas->Brush()->SetColor(back);
    if (editPart && cache != nullptr && cache->Width() > 0)
      BitBlt(canvas->Handle(), 0, 0, w, h, cache->Canvas()->Handle(), Rect.Left, Rect.Top, SRCCOPY);
    else
      canvas->FillRect(TRect{0, 0, w, h});
    if (!editPart) fontColour = records.GetActiveEditFontColor();
  }
  if (!OwnerDrawnWithEvent()) {
    UINT flags = kItemTextFlags;
    if (RightToLeft()) flags |= DT_RIGHT | DT_RTLREADING;
    TRect text{2, 0, w - 2, h};
    std::wstring s;
    if (editPart && Style() == classlib::csDropDown)
      s = Text();
    else if (Index >= 0 && Index < Items()->Count())
      s = Items()->Strings(Index);
    if (!s.empty()) {
      if (selected && selection >= 0) {
        // Only the selected item takes the selection's colours: its hot font colour would be
        // unreadable on the plain background of the others.
        acWriteTextEx(canvas, s, true, text, flags, selection, true, sm);
      } else {
        canvas->Font()->SetColor(fontColour);
        SetTextColor(canvas->Handle(), COLORREF(classlib::ColorToRGB(fontColour)));
        SetBkMode(canvas->Handle(), TRANSPARENT);
        acDrawText(canvas->Handle(), s, text, flags);
      }
    }
    if (State.Contains(classlib::odFocused) && selection < 0) {
      RECT focus{0, 0, w, h};
      DrawFocusRect(canvas->Handle(), &focus);
    }
  } else if (Index >= 0 && Index < Items()->Count()) {
    // The application paints on the bitmap in the coordinates of the item's place.
    HDC target = Canvas()->Handle();
    Canvas()->SetHandle(canvas->Handle());
    POINT old{};
    SetWindowOrgEx(canvas->Handle(), Rect.Left, Rect.Top, &old);
    const classlib::TScopeExit restore([&] {
      SetWindowOrgEx(canvas->Handle(), old.x, old.y, nullptr);
      Canvas()->SetHandle(target);
    });
    OnDrawItem(this, Index, Rect, State);
  }
  BitBlt(Canvas()->Handle(), Rect.Left, Rect.Top, w, h, canvas->Handle(), 0, 0, SRCCOPY);
}

void TsCustomComboBox::DrawItemPlain(int Index, const TRect& Rect, TOwnerDrawState State) {
  classlib::TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const bool selected = State.Contains(classlib::odSelected);
  canvas->Brush()->SetColor(selected ? classlib::clHighlight : Color());
  const TColor fontColour = selected ? classlib::clHighlightText : Font()->Color();
  canvas->Font()->SetColor(fontColour);
  canvas->FillRect(Rect);
  if (Index >= 0 && Index < Items()->Count()) {
    if (OwnerDrawnWithEvent()) {
      OnDrawItem(this, Index, Rect, State);
    } else {
      TRect r{Rect.Left + 2, Rect.Top, Rect.Right, Rect.Bottom};
      SetTextColor(canvas->Handle(), COLORREF(classlib::ColorToRGB(fontColour)));
      SetBkMode(canvas->Handle(), TRANSPARENT);
      acDrawText(canvas->Handle(), Items()->Strings(Index), r, kItemTextFlags | DT_VCENTER);
    }
  }
  if (State.Contains(classlib::odFocused)) {
    RECT focus{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    DrawFocusRect(canvas->Handle(), &focus);
  }
}

void TsCustomComboBox::OurPaintHandler(HDC DC) {
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  FCommonData->SetUpdating(FCommonData->Updating());
  if (InAnimationProcess && FCommonData->PrintDC != nullptr && FCommonData->PrintDC != DC) return;
  if (FCommonData->Updating()) return;
  std::unique_ptr<detail::TWindowDC> own;
  if (DC == nullptr) {
    own = std::make_unique<detail::TWindowDC>(Handle());
    DC = own->get();
    if (DC == nullptr) return;
  }
  classlib::TWinControl* parent = Parent();
  FCommonData->BGChanged = FCommonData->BGChanged || FCommonData->HalfVisible ||
                           (parent != nullptr && GetBoolMsg(parent, ACMD_ISHALFVISIBLE)) || OwnerDrawnWithEvent();
  FCommonData->HalfVisible = parent != nullptr && !RectInRect(parent->ClientRect(), BoundsRect());
  if (FCommonData->BGChanged) PrepareCache();
  UpdateCorners(FCommonData.get(), 0);
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const HDC src = cache->Canvas()->Handle();
  const int h = CacheHeight();
  const bool focused = Focused() || FCommonData->FFocused;
  if (Style() == classlib::csSimple || (Style() == classlib::csDropDown && focused)) {
    // The native edit field (and the simple box's list) paint themselves inside the frame.
    BitBltBorder(DC, 0, 0, Width(), h, src, 0, 0, 3);
    if (Style() == classlib::csDropDown) {
      const TRect br = ButtonRect();
      BitBlt(DC, br.Left, br.Top, br.Right - br.Left, br.Bottom - br.Top, src, br.Left, br.Top, SRCCOPY);
    }
  } else {
    BitBlt(DC, 0, 0, Width(), h, src, 0, 0, SRCCOPY);
  }
}

void TsCustomComboBox::ReleaseList() {
  ListSW.reset();
  lboxhandle = nullptr;
}

void TsCustomComboBox::SkinList(HWND list) {
  // A list whose window died (the box made a new window) leaves its handler on a handle that may
  // name another window by now: that handler goes, and the new list is skinned below.
  if (ListSW != nullptr && (ListSW->WindowDestroyed() || lboxhandle != list || !IsWindow(lboxhandle))) ReleaseList();
  if (Loading() || ListSW != nullptr || list == nullptr) return;
  if (!ListSkinnedAtOnce() && Items()->Count() <= DropDownCount()) return;
  ListSW = HookComboList(list, FCommonData->GetSkinManager(), Style() == classlib::csSimple);
  if (ListSW != nullptr) lboxhandle = list;
}

bool TsCustomComboBox::ReadOnlyRefuses(const TMessage& M, LRESULT& Answer) const {
  Answer = 0;
  if (!FReadOnly) return false;
  if (IsKeyDown(M.Msg)) return SelectingKey(M.WParam);
  if (M.Msg == WM_CHAR || M.Msg == classlib::CN_CHAR) return true;
  if (M.Msg == WM_COMMAND || M.Msg == classlib::CN_COMMAND) return HIWORD(M.WParam) == CBN_DROPDOWN;
  return false;
}

void TsCustomComboBox::ComboWndProc(TMessage& M, HWND ChildWnd) {
  if (FReadOnly) switch (M.Msg) {
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_CHAR:
      case WM_SYSKEYUP:
      case WM_CUT:
      case WM_PASTE:
      case WM_CLEAR:
      case WM_UNDO: return;
      default: break;
    }
  if (Skinned() && !Destroying() && Style() != classlib::csSimple) {
    const bool nativeLook = (Focused() || FCommonData->FFocused) && Enabled() && !FReadOnly;
    if (!nativeLook) switch (M.Msg) {
        case WM_PAINT: {
          PAINTSTRUCT ps{};
          BeginPaint(ChildWnd, &ps);
          EndPaint(ChildWnd, &ps);
          return;
        }
        case WM_ERASEBKGND:
        case WM_NCPAINT: M.Result = 1; return;
        default: break;
      }
  }
  classlib::TCustomComboBox::ComboWndProc(M, ChildWnd);
}

bool TsCustomComboBox::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      if (lboxhandle != nullptr && IsWindow(lboxhandle)) SendMessageW(lboxhandle, M.Msg, M.WParam, M.LParam);
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      if (!FCommonData->CustomColor()) SetColor(classlib::clWindow);
      if (!FCommonData->CustomFont()) Font()->SetColor(classlib::clWindowText);
      ReleaseList();
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      if (HandleAllocated()) Repaint();
      return true;
    case ACMD_PARENTUPDATED:
      if (!FCommonData->Updating()) return false;
      FCommonData->SetUpdating(false);
      Repaint();
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_MOUSELEAVE: Perform(classlib::CM_MOUSELEAVE); return false;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

void TsCustomComboBox::MouseHover(TMessage& M) {
  const bool enter = M.Msg == classlib::CM_MOUSEENTER;
  if (DroppedDown() || !enter) {
    if (!enter && !DroppedDown()) {
      // Leaving for the box's own edit field keeps the hot look.
      POINT p{};
      RECT wr{};
      if (GetCursorPos(&p) && GetWindowRect(Handle(), &wr) && PtInRect(&wr, p)) return;
    }
    if (DroppedDown()) {
      classlib::TCustomComboBox::WndProc(M);
      return;
    }
  } else {
    if (FCommonData->FMouseAbove) return;
    if (TsSkinManager* sm = FCommonData->GetSkinManager()) sm->SetActiveControl(Handle());
  }
  FCommonData->FMouseAbove = enter;
  FCommonData->BGChanged = true;
  Repaint();
  classlib::TCustomComboBox::WndProc(M);
  if (enter) {
    ShowGlowingIfNeeded(FCommonData.get());
  } else {
    ClearGlows();
  }
}

bool TsCustomComboBox::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_SETFOCUS:
    case classlib::CM_ENTER:
      if (!CanFocus()) return false;
      FCommonData->FFocused = true;
      FCommonData->FMouseAbove = false;
      FCommonData->BGChanged = true;
      classlib::TCustomComboBox::WndProc(M);
      Repaint();
      return true;
    case WM_KILLFOCUS:
    case classlib::CM_EXIT:
      SetDroppedDown(false);
      FCommonData->FFocused = false;
      FCommonData->FMouseAbove = false;
      FCommonData->BGChanged = true;
      classlib::TCustomComboBox::WndProc(M);
      Repaint();
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      const HDC dc = M.WParam != 0 ? reinterpret_cast<HDC>(M.WParam) : BeginPaint(Handle(), &ps);
      if (!InAnimationProcess) OurPaintHandler(dc);
      if (M.WParam == 0) EndPaint(Handle(), &ps);
      return true;
    }
    case WM_NCPAINT:
      if (InAnimationProcess) OurPaintHandler(nullptr);
      return true;
    case WM_ERASEBKGND: M.Result = 1; return true;
    case WM_PRINT: {
      FCommonData->SetUpdating(false);
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      OurPaintHandler(dc);
      if (Style() == classlib::csDropDown && FCommonData->FFocused)
        BitBlt(dc, 0, 0, Width(), CacheHeight(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
      return true;
    }
    case WM_SETFONT:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED:
    case classlib::CM_COLORCHANGED:
    case classlib::CM_MOUSEWHEEL: FCommonData->BGChanged = true; return false;
    case WM_COMMAND:
      if (FReadOnly) return true;
      FDropDown = false;
      FCommonData->BGChanged = true;
      OurPaintHandler(nullptr);
      return false;
    case WM_CTLCOLORLISTBOX: SkinList(reinterpret_cast<HWND>(M.LParam)); return false;
    case classlib::CM_MOUSEENTER:
    case classlib::CM_MOUSELEAVE:
      if (M.LParam != 0) return false;
      MouseHover(M);
      return true;
    case classlib::CN_COMMAND:
      if (HIWORD(M.WParam) == CBN_DROPDOWN) {
        FDropDown = true;
        // An owner-drawn list may never ask for its colours: it is skinned as it drops down.
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(Handle(), &info)) SkinList(info.hwndList);
      }
      if (HIWORD(M.WParam) == CBN_CLOSEUP) {
        FDropDown = false;
        FCommonData->BGChanged = true;
        OurPaintHandler(nullptr);
      }
      return false;
    default: return false;
  }
}

void TsCustomComboBox::AfterInherited(const TMessage& M) {
  switch (M.Msg) {
    case WM_SETFONT:
    case classlib::CM_ENABLEDCHANGED: Repaint(); break;
    case CB_SETCURSEL:
    case classlib::CM_TEXTCHANGED:
    case classlib::CM_CHANGED:
      FCommonData->BGChanged = true;
      Repaint();
      break;
    default: break;
  }
}

void TsCustomComboBox::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (LRESULT answer = 0; ReadOnlyRefuses(M, answer)) {
    M.Result = answer;
    return;
  }
  if (M.Msg == classlib::CN_MEASUREITEM && (Style() == classlib::csDropDown || Style() == classlib::csDropDownList)) {
    // Items made owner-drawn here are one line of the font with a pixel above and below.
    reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam)->itemHeight = UINT(std::max(1, GetFontHeight(Font()->Handle()) - 4));
    M.Result = TRUE;
    return;
  }
  if (FReadOnly && (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK)) {
    // Focus only: no list drops down, but a double click still reaches the application.
    if (CanFocus()) SetFocus();
    if (M.Msg == WM_LBUTTONDBLCLK) DblClick();
    return;
  }
  if (ControlIsReady(this) && Skinned()) {
    if (SkinnedMessage(M)) return;
    CommonWndProc(M, FCommonData.get());
    const TMessage before = M;
    classlib::TCustomComboBox::WndProc(M);
    if (before.Msg == SM_ALPHACMD && CommandOf(before.WParam) == kAcmdDroppedDown) M.Result = DroppedDown() ? 1 : 0;
    AfterInherited(before);
    return;
  }
  classlib::TCustomComboBox::WndProc(M);
}

void TsCustomComboBox::DeclareProperties(classlib::TClassDecl<TsCustomComboBox>& d) {
  d.Object(L"SkinData", &TsCustomComboBox::SkinData);
  d.Bool(L"ReadOnly", &TsCustomComboBox::ReadOnly, &TsCustomComboBox::SetReadOnly, false);
  d.Enum(L"Alignment", &TsCustomComboBox::Alignment, &TsCustomComboBox::SetAlignment, classlib::taLeftJustify);
  d.Set(L"DisabledKind", &TsCustomComboBox::DisabledKind, &TsCustomComboBox::SetDisabledKind, kDefaultDisabledKind);
  d.Integer(L"DropDownCount", &TsCustomComboBox::DropDownCount, &TsCustomComboBox::SetDropDownCount,
            kComboDropDownCount);
}

void RegisterComboBoxClasses() {
  classlib::RegisterClass<TsCustomComboBox, classlib::TCustomComboBox>(L"TsCustomComboBox");
  classlib::RegisterClass<TsComboBox, TsCustomComboBox>(L"TsComboBox");
}

}  // namespace skin
