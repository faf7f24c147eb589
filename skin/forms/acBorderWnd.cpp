#include "skin/forms/acBorderWnd.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sSkinRegions.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr unsigned kWholeImageStates = kFormBlending | kFormMinimizing | kFormCopiedForSkinChange;

// Owns a region until it is handed over to a window.
struct RegionHandle {
  HRGN h = nullptr;
  explicit RegionHandle(HRGN r) : h(r) {}
  ~RegionHandle() {
    if (h != nullptr) DeleteObject(h);
  }
  RegionHandle(const RegionHandle&) = delete;
  RegionHandle& operator=(const RegionHandle&) = delete;
  HRGN Release() { return std::exchange(h, nullptr); }
};

HRGN RectRegion(const TRect& R) { return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom); }

TPoint ScreenPoint(LPARAM L) {
  return {static_cast<short>(LOWORD(static_cast<DWORD>(L))), static_cast<short>(HIWORD(static_cast<DWORD>(L)))};
}

bool IsMainForm(const classlib::TCustomForm* Form) {
  return classlib::TApplication::Existing() != nullptr && classlib::Application->MainForm() == Form;
}

bool Destroying(const classlib::TComponent* C) { return C->ComponentState().Contains(classlib::csDestroying); }

constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

TacBorderWnd::TacBorderWnd(TsSkinProvider* Owner) : sp(Owner), SkinData(Owner->SkinData()) { CreateWindowIfMissing(); }

TacBorderWnd::~TacBorderWnd() { FreeWindow(); }

HWND TacBorderWnd::OwnerHandle() const {
  if (sp == nullptr || sp->Form == nullptr || !sp->Form->HandleAllocated()) return nullptr;
  return sp->Form->Handle();
}

TsSkinManager* TacBorderWnd::SkinManager() const { return SkinData != nullptr ? SkinData->GetSkinManager() : nullptr; }

int TacBorderWnd::CaptionHeight(bool CheckSkin) const { return sp->CaptionHeight(CheckSkin); }

unsigned TacBorderWnd::FormState() const { return sp->FormState(); }

TRect TacBorderWnd::ShadowSize() const {
  const TsSkinManager* m = SkinManager();
  return m != nullptr ? m->Records().FormShadowSize : TRect{};
}

int TacBorderWnd::OffsetX() const {
  const HWND h = OwnerHandle();
  return SkinBorderWidth(const_cast<TacBorderWnd*>(this)) + ShadowSize().Left - SysBorderWidth(h, nullptr, false);
}

int TacBorderWnd::OffsetY() const {
  const HWND h = OwnerHandle();
  const int caption = CaptionHeight(false);
  const int title = caption != 0 ? SkinTitleHeight(const_cast<TacBorderWnd*>(this)) : 0;
  return ShadowSize().Top + title - SysBorderWidth(h, nullptr, false) - caption;
}

bool TacBorderWnd::Layered() const { return UpdateLayeredWindowProc() != nullptr; }

TSize TacBorderWnd::WindowSize() const {
  if (HasWindow()) {
    RECT r{};
    if (GetWindowRect(AForm->Handle(), &r) && r.right > r.left && r.bottom > r.top)
      return {r.right - r.left, r.bottom - r.top};
  }
  const classlib::TBitmap* cache = SkinData != nullptr ? SkinData->CacheBmp() : nullptr;
  return cache != nullptr ? TSize{cache->Width(), cache->Height()} : TSize{};
}

void TacBorderWnd::CreateWindowIfMissing() {
  if (HasWindow()) return;
  if (AForm != nullptr) classlib::FreeAndNil(AForm);
  AForm = classlib::Create<classlib::TForm>(nullptr);
  AForm->SetTag(acBorderWindowTag);
  AForm->SetBorderStyle(classlib::bsNone);
  AForm->SetBounds(0, 0, 0, 0);
  AForm->HandleNeeded();
  const HWND w = AForm->Handle();
  SetWindowLongPtrW(w, GWL_EXSTYLE, acBorderWindowExStyle);
  ParentHandle =
      reinterpret_cast<HWND>(SetWindowLongPtrW(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(OwnerHandle())));
  OldBorderProc = AForm->WindowProc;
  AForm->WindowProc = classlib::TWndMethod(this, &TacBorderWnd::BorderProc);
}

void TacBorderWnd::FreeWindow() {
  if (AForm == nullptr) return;
  if (AForm->HandleAllocated()) SetWindowLongPtrW(AForm->Handle(), GWLP_HWNDPARENT, 0);
  AForm->WindowProc = OldBorderProc;
  classlib::FreeAndNil(AForm);
  ResetRgn = false;
}

void TacBorderWnd::ShowInPlace(bool Topmost) {
  const HWND owner = OwnerHandle();
  if (!HasWindow() || owner == nullptr) return;
  SetWindowPos(AForm->Handle(), Topmost ? HWND_TOPMOST : owner, 0, 0, 0, 0, kZOrderOnly | SWP_SHOWWINDOW);
}

void TacBorderWnd::SetRegion(HRGN Region) const {
  RegionHandle r(Region);
  if (HasWindow() && SetWindowRgn(AForm->Handle(), r.h, TRUE) != 0) r.Release();
}

HRGN TacBorderWnd::BuildRgn(int NewWidth, int NewHeight) const {
  const HWND owner = OwnerHandle();
  if (!HasWindow() || owner == nullptr) return nullptr;
  const TSize size = WindowSize();
  const HWND h = owner;
  TacBorderRgnInput in;
  in.Shadow = ShadowSize();
  in.Width = size.cx;
  in.Height = size.cy;
  in.SysBorder = SysBorderWidth(h, nullptr, false);
  in.DiffBorder = DiffBorder(const_cast<TacBorderWnd*>(this));
  in.Maximized = IsZoomed(h) != 0;
  const unsigned state = FormState();
  in.ShowsWholeImage = (state & (kWholeImageStates | kFormCapturing)) != 0;
  if (!in.ShowsWholeImage) {
    TacBorderHoleInput hole;
    hole.Left = sp->OffsetX();
    hole.Top = sp->OffsetY();
    hole.ClientWidth = GetClientWidth(h);
    hole.ClientHeight = GetClientHeight(h);
    hole.SizeChange = (state & kFormBorderUpdating) != 0;
    if (!hole.SizeChange && sp->ListSW) {
      if (sp->ListSW->sBarVert != nullptr && sp->ListSW->sBarVert->fScrollVisible)
        hole.VScrollWidth = GetScrollMetric(sp->ListSW->sBarVert.get(), 1, true);
      if (sp->ListSW->sBarHorz != nullptr && sp->ListSW->sBarHorz->fScrollVisible)
        hole.HScrollHeight = GetScrollMetric(sp->ListSW->sBarHorz.get(), 1, true);
    }
    hole.LastClientWidth = sp->LastClientRect.Right;
    hole.LastClientHeight = sp->LastClientRect.Bottom;
    hole.NewWidth = NewWidth;
    hole.NewHeight = NewHeight;
    hole.FormWidth = GetWindowWidth(h);
    hole.FormHeight = GetWindowHeight(h);
    hole.MinWidth = sp->Form->Constraints()->MinWidth();
    hole.MinHeight = sp->Form->Constraints()->MinHeight();
    if ((state & kFormInNcActivate) == 0) {
      hole.MenuLines = sp->GetLinesCount();
      hole.MenuHeight = sp->MenuHeight();
    }
    in.Hole = BorderHole(hole);
  }
  const TacBorderRgnShape shape = BorderRgnShape(in);
  if (shape.Whole) return nullptr;
  RegionHandle base(RectRegion(shape.HasBase ? shape.Base : TRect{0, 0, in.Width, in.Height}));
  if (shape.HasHole) {
    RegionHandle hole(RectRegion(shape.Hole));
    CombineRgn(base.h, base.h, hole.h, RGN_XOR);
  }
  return base.Release();
}

void TacBorderWnd::MakeRgn(int NewWidth, int NewHeight) {
  if (!HasWindow()) return;
  SetRegion(BuildRgn(NewWidth, NewHeight));
}

void TacBorderWnd::UpdateRgn() {
  if (!ResetRgn) return;
  ResetRgn = false;
  MakeRgn(0, 0);
}

void TacBorderWnd::SetBlur(int Width, int Height, const classlib::TBitmap* Image) const {
  const TsSkinManager* m = SkinManager();
  const bool wanted = m != nullptr && m->Effects().AllowAeroBluring() && m->Records().SkinData.UseAeroBluring;
  if (!wanted) {
    DwmEnableBlurBehind(AForm->Handle(), false, nullptr);
    return;
  }
  const TImage32View view = Image != nullptr ? const_cast<classlib::TBitmap*>(Image)->Image32View() : TImage32View{};
  const std::vector<TRect> rects = BlurRects(ShadowSize(), Width, Height, m->Records().SkinData.ExContentOffs, view);
  // The blur service keeps no region of ours: it goes when the call returns.
  RegionHandle blur(CreateRectRgn(0, 0, 0, 0));
  for (const TRect& r : rects) {
    RegionHandle part(RectRegion(r));
    CombineRgn(blur.h, blur.h, part.h, RGN_OR);
  }
  DwmEnableBlurBehind(AForm->Handle(), true, blur.h);
}

void TacBorderWnd::UpdateExBordersPos(bool Redraw, int Blend) {
  const HWND owner = OwnerHandle();
  RECT w{};
  if ((classlib::TApplication::Existing() != nullptr && classlib::Application->Terminated()) || ExBorderShowing ||
      owner == nullptr || !GetWindowRect(owner, &w) || SkinData == nullptr || SkinData->PrintDC != nullptr ||
      InAnimationProcess)
    return;
  if ((SkinData->CtrlSkinState & 0x800) != 0 || InAnimation(sp) || SkinData->Updating() || !sp->DrawNonClientArea() ||
      Destroying(sp) || Destroying(sp->Form))
    return;
  const unsigned state = FormState();
  if (!IsWindowVisible(owner) && (state == 0 || state == kFormInNcActivate)) {
    FreeWindow();
    SkinData->BGChanged = true;
    return;
  }
  CreateWindowIfMissing();
  ExBorderShowing = true;
  const classlib::TScopeExit placed([this] { ExBorderShowing = false; });
  const HWND border = AForm->Handle();

  HWND after = owner;
  if (sp->Form->FormStyle() == classlib::fsStayOnTop) {
    if (GetActiveWindow() == owner) {
      SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = HWND_TOP;
    }
  } else if ((GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = HWND_TOPMOST;
  }
  if (IsIconic(owner) || (state & kFormBorderUpdating) != 0) {
    const HWND before = GetWindow(owner, GW_HWNDPREV);
    if (after == owner) after = before != nullptr ? before : HWND_TOP;
  }

  // The picture: the rendered frame, or the whole form while the border window stands in for it.
  std::unique_ptr<classlib::TBitmap> wholeImage;
  if ((state & kWholeImageStates) != 0 || aSkinChanging) {
    if (SkinData->BGChanged) sp->PaintAll();
    Redraw = true;
    if (acGetFormImage != nullptr) wholeImage = acGetFormImage(sp, false);
  } else if (SkinData->BGChanged) {
    sp->PaintAll();
    Redraw = true;
  }
  classlib::TBitmap* image = wholeImage != nullptr ? wholeImage.get() : SkinData->CacheBmp();
  if (image == nullptr || image->Width() <= 0 || image->Height() <= 0) return;

  // The form's client area lies over the hole: the border window moves by the client's offset.
  POINT client{0, 0};
  ClientToScreen(owner, &client);
  const int dx = sp->OffsetX() - (client.x - w.left);
  const int dy = sp->OffsetY() - (client.y - w.top);
  POINT q{w.left - dx, w.top - dy};
  const int wc = image->Width(), hc = image->Height();

  RECT b{};
  GetWindowRect(border, &b);
  const bool resized = b.right - b.left != wc || b.bottom - b.top != hc;
  UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
  if ((state & kFormBorderUpdating) != 0) flags |= SWP_NOZORDER;
  const bool full = Redraw || resized;
  if (!full) flags |= SWP_NOSIZE;
  if (!Redraw) flags |= SWP_NOREDRAW;

  if (Layered() && full && !acInMouseMsg) {
    if (resized) SetWindowPos(border, nullptr, q.x, q.y, wc, hc, flags | SWP_NOZORDER | SWP_NOREDRAW);
    SetBlur(wc, hc, image);
    const bool regionFirst = (state & kWholeImageStates) == kFormBlending;
    if (regionFirst) MakeRgn(0, 0);
    SetFormBlendValue(border, image, std::clamp(Blend, 0, 255), &q);
    if (!regionFirst) MakeRgn(0, 0);
    if (IsWindowVisible(border)) {
      SetWindowPos(border, after, 0, 0, 0, 0, kZOrderOnly);
    } else {
      const bool hideOwner = Blend == 0;
      const LONG_PTR style = GetWindowLongPtrW(owner, GWL_STYLE);
      if (hideOwner) SetWindowLongPtrW(owner, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
      SetWindowPos(border, after, 0, 0, 0, 0, kZOrderOnly | SWP_SHOWWINDOW);
      if (hideOwner) SetWindowLongPtrW(owner, GWL_STYLE, GetWindowLongPtrW(owner, GWL_STYLE) | WS_VISIBLE);
    }
  } else {
    SetWindowPos(border, after, q.x, q.y, 0, 0, flags | SWP_NOSIZE);
  }
}

TacBorderHitInput TacBorderWnd::HitInput() const {
  const HWND h = OwnerHandle();
  const TSize size = WindowSize();
  TacBorderHitInput in;
  in.Shadow = ShadowSize();
  in.Width = size.cx;
  in.Height = size.cy;
  in.SysBorder = SysBorderWidth(h, nullptr, false);
  in.SysBorderHeight = 0;
  in.Caption = CaptionHeight(true);
  in.Menu = sp->MenuHeight();
  in.Maximized = IsZoomed(h) != 0;
  in.Sizeable = (GetWindowLongPtrW(h, GWL_STYLE) & WS_THICKFRAME) != 0;
  in.IconRect = sp->IconVisible() ? sp->IconRect() : TRect{};
  return in;
}

int TacBorderWnd::Ex_WMNCHitTest(LPARAM ScreenPos) const {
  const HWND h = OwnerHandle();
  if (h == nullptr || !HasWindow()) return -1;
  if (sp->OnExtHitTest) {
    TMessage asked{WM_NCHITTEST, 0, ScreenPos, 0};
    sp->OnExtHitTest(asked);
    if (asked.Result != 0) return static_cast<int>(asked.Result);
  }
  if (!IsWindowEnabled(h)) return -1;
  RECT b{};
  GetWindowRect(AForm->Handle(), &b);
  const TPoint s = ScreenPoint(ScreenPos);
  const TPoint p{s.X - b.left, s.Y - b.top};
  auto inside = [&p](const TRect& r) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; };

  // Title buttons, counted from the close button leftwards as they stand.
  if (sp->SystemMenu != nullptr) {
    const TsSystemMenu& menu = *sp->SystemMenu;
    const bool help = sp->Form->BorderIcons().Contains(classlib::biHelp);
    int c = 0, i = 0;
    if (sp->HaveSysMenu) {
      i = 1;
      if (inside(sp->ButtonClose.Rect)) c = 1;
      if (c == 0 && menu.VisibleMax() && (++i, inside(sp->ButtonMax.Rect))) c = i;
      if (c == 0 && menu.VisibleMin() && (++i, inside(sp->ButtonMin.Rect))) c = i;
      if (c == 0 && help && (++i, inside(sp->ButtonHelp.Rect))) c = i;
    }
    int user = -1;
    for (int u = 0; c == 0 && u < sp->TitleButtons()->Count(); ++u) {
      const TsTitleButton* t = sp->TitleButtons()->Items(u);
      if (t->Visible() && inside(t->BtnData.Rect)) user = u;
      if (user >= 0) break;
    }
    if (c > 0) {
      TacTitleHitInput t;
      t.SysMenu = sp->HaveSysMenu;
      t.CloseHidden = !menu.VisibleClose();
      t.VisibleMax = menu.VisibleMax();
      t.EnabledMax = menu.EnabledMax();
      t.EnabledRestore = menu.EnabledRestore();
      t.VisibleMin = menu.VisibleMin();
      t.EnabledMin = menu.EnabledMin();
      t.Iconic = IsIconic(h) != 0;
      t.ContextHelp = help;
      if (const int code = SysTitleButtonHit(t, c); code != 0) return code;
    } else if (user >= 0 && sp->TitleButtons()->Items(user)->Enabled()) {
      return 1000 + user;
    }
  }
  const TacBorderHitInput in = HitInput();
  if (const int code = BorderFrameHit(in, p); code != 0) return code;
  if (IsGripVisible(sp)) {
    TsSkinManager* m = SkinManager();
    const int grip = m->Records().ConstData.GripRightBottom;
    if (m->IsValidImgIndex(grip)) {
      const TPoint g = sp->RBGripPoint(grip);
      if (p.X > g.X && p.Y > g.Y) return HTBOTTOMRIGHT;
    }
  }
  return -1;
}

bool TacBorderWnd::Ex_WMSetCursor() const {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (!HasWindow()) return false;
  RECT b{};
  GetWindowRect(AForm->Handle(), &b);
  const TSize size = WindowSize();
  if (AboveTheShadow(ShadowSize(), size.cx, size.cy, {cursor.x - b.left, cursor.y - b.top},
                     IsZoomed(OwnerHandle()) != 0))
    return false;
  const LPARAM pos = MAKELPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y));
  const wchar_t* id = nullptr;
  switch (Ex_WMNCHitTest(pos)) {
    case HTCAPTION:
    case HTMENU: id = IDC_ARROW; break;
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    default: return false;
  }
  SetCursor(LoadCursorW(nullptr, id));
  return true;
}

bool TacBorderWnd::MouseAboveTheShadow(const TMessage& Message) {
  UpdateRgn();
  const TsSkinManager* m = SkinManager();
  if ((classlib::TApplication::Existing() != nullptr && classlib::Application->Terminated()) || SkinData == nullptr ||
      !HasWindow() || m == nullptr || !m->Active())
    return false;
  const HWND owner = OwnerHandle();
  if (owner == nullptr || IsZoomed(owner)) return false;
  TPoint p = ScreenPoint(Message.LParam);
  if (Message.Msg == WM_NCHITTEST || (Message.Msg >= WM_NCMOUSEMOVE && Message.Msg <= WM_NCMBUTTONDBLCLK)) {
    RECT b{};
    GetWindowRect(AForm->Handle(), &b);
    p = {p.X - b.left, p.Y - b.top};
  }
  const TSize size = WindowSize();
  if (!AboveTheShadow(ShadowSize(), size.cx, size.cy, p, false)) return false;
  sp->SetHotHT(-1, true);
  return true;
}

void TacBorderWnd::StretchOnDoubleClick(int HitCode) {
  classlib::TCustomForm* f = sp->Form;
  if (f->BorderStyle() != classlib::bsSizeable) return;
  const TRect work = acWorkRect(f);
  const int db = DiffBorder(this);
  if (HitCode == HTLEFT || HitCode == HTRIGHT) {
    if ((sp->FormState() & kFormStretchedH) != 0) {
      f->SetBounds(sp->NormalBounds.Left, f->Top(), sp->NormalBounds.Right, f->Height());
      sp->SetFormState(kFormStretchedH, false);
    } else {
      sp->NormalBounds.Left = f->Left();
      sp->NormalBounds.Right = f->Width();
      f->SetBounds(work.Left + db, f->Top(), work.Right - work.Left - 2 * db, f->Height());
      sp->SetFormState(kFormStretchedH, true);
    }
  } else if (HitCode == HTTOP || HitCode == HTBOTTOM) {
    if ((sp->FormState() & kFormStretchedV) != 0) {
      f->SetBounds(f->Left(), sp->NormalBounds.Top, f->Width(), sp->NormalBounds.Bottom);
      sp->SetFormState(kFormStretchedV, false);
    } else {
      sp->NormalBounds.Top = f->Top();
      sp->NormalBounds.Bottom = f->Height();
      const int title = DiffTitle(this);
      f->SetBounds(f->Left(), work.Top + title, f->Width(), work.Bottom - work.Top - title - db);
      sp->SetFormState(kFormStretchedV, true);
    }
  }
}

void TacBorderWnd::HideHandOver(TMessage& Message) {
  TsSkinManager* m = SkinManager();
  const unsigned state = FormState();
  const bool minimising = (state & kFormMinimizing) != 0;
  if (Message.WParam == 0 && (Message.LParam == 0 || Message.LParam == 1) && minimising) {
    Message.Result = 0;
    return;
  }
  if ((state & kFormCapturing) != 0) return;
  if (Message.WParam == 0 && sp->AllowAnimation() && m->AnimEffects().FormHide().Active() &&
      m->AnimEffects().FormHide().Time() > 0 && m->ShowState != classlib::saMinimize && acGetFormImage != nullptr) {
    sp->SetFormState(kFormCapturing, true);
    auto image = acGetFormImage(sp, true);
    if (image != nullptr) {
      ExBorderShowing = true;
      SetFormBlendValue(AForm->Handle(), image.get(), 255);
      MakeRgn(0, 0);
      SetWindowPos(AForm->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER |
                       SWP_NOSENDCHANGING | SWP_NOZORDER);
      sp->HideImage = std::move(image);
    } else {
      sp->SetFormState(kFormCapturing, false);
      OldBorderProc(Message);
    }
    return;
  }
  OldBorderProc(Message);
}

void TacBorderWnd::BorderProc(TMessage& Message) {
  const HWND owner = OwnerHandle();
  auto forward = [&](WPARAM W) {
    if (owner != nullptr) Message.Result = SendMessageW(owner, Message.Msg, W, Message.LParam);
  };
  switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT: Message.Result = 1; return;
    case WM_SHOWWINDOW:
      if (Layered() && !InAnimationProcess && sp->DrawNonClientArea() && SkinManager() != nullptr) {
        HideHandOver(Message);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (Ex_WMSetCursor()) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      if (owner != nullptr && IsWindowEnabled(owner)) SetForegroundWindow(owner);
      return;
    case WM_WINDOWPOSCHANGING: {
      auto& wp = *reinterpret_cast<WINDOWPOS*>(Message.LParam);
      if ((FormState() & kFormBlending) != 0 && sp->ScreenSnap() && owner != nullptr && !IsZoomed(owner) &&
          (wp.flags & SWP_NOMOVE) == 0 && (wp.x != 0 || wp.y != 0)) {
        const TSize size = WindowSize();
        const TPoint p = SnapBorderWindow({wp.x, wp.y}, size.cx, size.cy, acWorkRect(sp->Form), ShadowSize(),
                                          SkinManager()->Records().SkinData.ExShadowOffs, sp->SnapBuffer());
        wp.x = p.X;
        wp.y = p.Y;
      }
      break;
    }
    case WM_WINDOWPOSCHANGED:
      OldBorderProc(Message);
      if (owner != nullptr && HasWindow() && sp->Form->FormStyle() == classlib::fsStayOnTop) {
        const bool top = AeroIsEnabled() && IsMainForm(sp->Form) && GetActiveWindow() == owner;
        SetWindowPos(AForm->Handle(), top ? HWND_TOPMOST : owner, 0, 0, 0, 0, kZOrderOnly | SWP_SHOWWINDOW);
      }
      return;
    case WM_NCHITTEST:
      if (MouseAboveTheShadow(Message)) break;
      OldBorderProc(Message);
      // Every mouse message over the frame comes as a non-client one, with the zone computed here.
      Message.Result = HTOBJECT;
      return;
    case WM_NCMOUSEMOVE: {
      const int ht = Ex_WMNCHitTest(Message.LParam);
      Message.Result = ht;
      const bool button =
          ht == HTMINBUTTON || ht == HTMAXBUTTON || ht == HTCLOSE || ht == HTHELP || (ht >= 1000 && ht <= 1100);
      sp->SetHotHT(button ? ht : 0, true);
      return;
    }
    case WM_NCLBUTTONDOWN: {
      if (MouseAboveTheShadow(Message)) return;
      ExBorderShowing = false;
      const int ht = Ex_WMNCHitTest(Message.LParam);
      // The form acts on the zone the border window found (a move, a size, a title button).
      forward(ht < 0 ? HTNOWHERE : static_cast<WPARAM>(ht));
      return;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: {
      if (MouseAboveTheShadow(Message)) return;
      const int ht = Ex_WMNCHitTest(Message.LParam);
      forward(ht < 0 ? HTNOWHERE : static_cast<WPARAM>(ht));
      return;
    }
    case WM_NCLBUTTONDBLCLK: {
      if (sp->OutlineDragOf()) {
        const TPoint p = ScreenPoint(Message.LParam);
        sp->StopMove(p.X, p.Y);
        ReleaseCapture();
      }
      OutlineDrag.DoStartMove = false;
      const int ht = Ex_WMNCHitTest(Message.LParam);
      if (owner == nullptr) return;
      if (ht == HTCAPTION || ht == HTSYSMENU) {
        // The form's own double-click answers the title (maximise or restore) and the icon (close).
        forward(static_cast<WPARAM>(ht));
      } else if (ht >= HTLEFT && ht <= HTBOTTOM && ht != HTTOPLEFT && ht != HTTOPRIGHT) {
        StretchOnDoubleClick(ht);
      }
      return;
    }
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
        if (!MouseAboveTheShadow(Message)) return;
        // A one-pixel hole under the mouse lets the next message at that point reach the window below;
        // the whole region comes back at the next mouse test.
        acInMouseMsg = true;
        const classlib::TScopeExit done([this] { acInMouseMsg = false; });
        const TPoint p = ScreenPoint(Message.LParam);
        RegionHandle r(BuildRgn(0, 0));
        if (r.h == nullptr) {
          const TSize size = WindowSize();
          r.h = CreateRectRgn(0, 0, size.cx, size.cy);
        }
        RegionHandle dot(CreateRectRgn(p.X, p.Y, p.X + 1, p.Y + 1));
        CombineRgn(r.h, r.h, dot.h, RGN_XOR);
        // A modal form keeps its whole frame: the hole is not applied and goes with the region.
        if (!(sp->Form->FormState().Contains(classlib::fsModal))) SetRegion(r.Release());
        ResetRgn = true;
        return;
      }
      break;
  }
  OldBorderProc(Message);
}

void PaintExBorderShadow(TsSkinProvider* Provider, classlib::TBitmap* Cache) {
  TacBorderForm* border = Provider->BorderForm.get();
  TsSkinManager* m = Provider->SkinManager();
  if (border == nullptr || m == nullptr || Cache == nullptr) return;
  TacSkinRecords& records = m->Records();
  TBitmap32& shadow = Provider->FormActive ? records.ShdaTemplate : records.ShdiTemplate;
  border->ShadowTemplate = &shadow;
  if (shadow.Empty()) return;
  const TImage32View dst = Cache->Image32View();
  const TImage32View src = shadow.View();
  const int w = dst.Width, h = dst.Height, tw = src.Width, th = src.Height;
  const TRect s = records.FormShadowSize;
  const int d = std::min(GetSystemMetrics(SM_CXFRAME), 6);
  // The corners reach d pixels into the frame only where it is drawn; the sides stay in the margins.
  PaintControlByTemplate(dst, src, TRect{0, 0, w, h}, TRect{0, 0, tw, th},
                         TRect{s.Left + d, s.Top + d, s.Right + d, s.Bottom + d}, s, TRect{1, 1, 1, 1}, true, false);
  const int index = Provider->SkinData()->BorderIndex;
  if (!m->IsValidImgIndex(index)) return;
  const TsMaskData& md = records.ma[static_cast<std::size_t>(index)];
  const int top = std::min<int>(md.WT, 8), topL = std::min<int>(md.WL, 8), topR = std::min<int>(md.WR, 8);
  struct Corner {
    TRect r;
    int code;
  };
  const Corner corners[] = {
      {{s.Left, s.Top, s.Left + topL, s.Top + top}, 13},
      {{w - s.Right - topR, s.Top, w - s.Right, s.Top + top}, 14},
      {{s.Left, h - s.Bottom - md.WB, s.Left + md.WL, h - s.Bottom}, 16},
      {{w - s.Right - md.WR, h - s.Bottom - md.WB, w - s.Right, h - s.Bottom}, 17},
  };
  for (const Corner& c : corners) {
    // The template's point for the corner's top-left: right and bottom corners come from the
    // template's right and bottom ends.
    TPoint p{c.r.Left, c.r.Top};
    if (c.code == 14 || c.code == 17) p.X = c.r.Left - (w - tw);
    if (c.code == 16 || c.code == 17) p.Y = c.r.Top - (h - th);
    p.X = std::max(p.X, 0);
    p.Y = std::max(p.Y, 0);
    FillTransPixels32(dst, src, c.r, p, index, &records, c.code);
  }
}

std::unique_ptr<TacBorderForm> MakeProviderBorderForm(TsSkinProvider* Provider) {
  return std::make_unique<TacBorderWnd>(Provider);
}

}  // namespace skin
