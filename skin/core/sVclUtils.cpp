#include "skin/core/sVclUtils.h"

#include <vector>

#include "classlib/Graphics.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sMessages.h"
#include "skin/core/sProviderLink.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TControl;
using classlib::TWinControl;

bool InAnimationProcess = false;
bool acGraphPainting = false;

namespace {

bool Destroying(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csDestroying); }
bool Designing(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csDesigning); }

// An off-screen bitmap compatible with the screen, selected into its own memory context; both
// are given back however the painting ends.
class TScreenBuffer {
 public:
  TScreenBuffer(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(nullptr, screen);
    if (dc_ != nullptr && bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  ~TScreenBuffer() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  TScreenBuffer(const TScreenBuffer&) = delete;
  TScreenBuffer& operator=(const TScreenBuffer&) = delete;
  HDC DC() const { return old_ != nullptr ? dc_ : nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

bool TakesPart(HDC dc, TControl* child, TPoint offset) {
  if (child == nullptr || dynamic_cast<TWinControl*>(child) != nullptr || Destroying(child)) return false;
  if (!child->Visible() && !Designing(child)) return false;
  if (child->Width() < 1 || child->Height() < 1 || child->ControlStyle.Contains(classlib::csNoDesignVisible))
    return false;
  const RECT place{child->Left() + offset.X, child->Top() + offset.Y, child->Left() + offset.X + child->Width(),
                   child->Top() + offset.Y + child->Height()};
  return RectVisible(dc, &place) != FALSE;
}

}  // namespace

bool ControlIsReady(const TControl* Control) {
  if (Control == nullptr) return false;
  if (auto* win = dynamic_cast<const TWinControl*>(Control); win != nullptr && !win->HandleAllocated()) return false;
  if (Control->ControlState.Contains(classlib::csCreating) || Control->ControlState.Contains(classlib::csReadingState))
    return false;
  const auto state = Control->ComponentState();
  if (state.Contains(classlib::csLoading) || state.Contains(classlib::csReading) ||
      state.Contains(classlib::csDestroying))
    return false;
  return Control->Parent() != nullptr;
}

classlib::TCustomForm* GetOwnerForm(classlib::TComponent* Component) {
  for (classlib::TComponent* c = Component; c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<classlib::TCustomForm*>(c)) return form;
  return nullptr;
}

classlib::TComponent* GetOwnerFrame(classlib::TComponent* Component) {
  for (classlib::TComponent* c = Component; c != nullptr; c = c->Owner())
    if (c->ClassName() == L"TFrame") return c;
  return nullptr;
}

HWND GetParentFormHandle(HWND Wnd) {
  HWND root = Wnd != nullptr ? GetAncestor(Wnd, GA_ROOT) : nullptr;
  return root != nullptr ? root : Wnd;
}

TColor GetControlColor(TControl* Control) {
  if (Control == nullptr) return clFuchsia;
  if (!GetBoolMsg(Control, ACMD_ISSKINNED)) return classlib::ColorToRGB(Control->Color());
  return classlib::ColorToRGB(static_cast<TColor>(SendAMessage(Control, ACMD_GETCOLOR, clFuchsia)));
}

TColor GetControlColor(HWND Wnd) {
  if (Wnd == nullptr) return clFuchsia;
  return classlib::ColorToRGB(static_cast<TColor>(SendAMessage(Wnd, ACMD_GETCOLOR, clFuchsia)));
}

UINT GetStringFlags(const TControl* Control, classlib::TAlignment Alignment) {
  // Right-to-left reading mirrors the alignment and reads the text from the right.
  const TControl* windowed = Control;
  while (windowed != nullptr && dynamic_cast<const TWinControl*>(windowed) == nullptr) windowed = windowed->Parent();
  bool rightToLeft = false;
  if (auto* win = dynamic_cast<const TWinControl*>(windowed); win != nullptr && win->HandleAllocated())
    rightToLeft = (GetWindowLongPtrW(const_cast<TWinControl*>(win)->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  UINT align = AlignToInt[Alignment <= classlib::taCenter ? Alignment : 0];
  UINT flags = DT_EXPANDTABS | DT_VCENTER;
  if (rightToLeft) {
    flags |= DT_RTLREADING;
    if (align == DT_LEFT)
      align = DT_RIGHT;
    else if (align == DT_RIGHT)
      align = DT_LEFT;
  }
  return flags | align;
}

TRect ACWindowRect(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TRect ACClientRect(HWND Wnd) {
  RECT window{}, client{};
  GetWindowRect(Wnd, &window);
  GetClientRect(Wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  return {client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
}

int GetAlignShift(const TWinControl* Parent, classlib::TAlign Align, bool IncludeGraphic) {
  if (Parent == nullptr) return 0;
  int shift = 0;
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    const TControl* c = Parent->Controls(i);
    if (c == nullptr || !c->Visible() || c->Align() != Align) continue;
    if (!IncludeGraphic && dynamic_cast<const TWinControl*>(c) == nullptr) continue;
    if (Align == classlib::alTop || Align == classlib::alBottom)
      shift += c->Height();
    else if (Align == classlib::alLeft || Align == classlib::alRight)
      shift += c->Width();
  }
  return shift;
}

TPoint acMousePos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

bool AllEditSelected(classlib::TCustomEdit* Edit) {
  if (Edit == nullptr) return false;
  const int length = static_cast<int>(Edit->Text().size());
  return Edit->SelStart() + Edit->SelLength() == length && Edit->SelLength() == length;
}

void PaintControls(HDC DC, TWinControl* Owner, bool, TPoint Offset, HWND, bool CheckVisible) {
  if (acGraphPainting || Owner == nullptr) return;
  acGraphPainting = true;
  const classlib::TScopeExit done([] { acGraphPainting = false; });
  if ((CheckVisible && !Owner->Visible() && !Designing(Owner)) || Owner->ControlCount() == 0) return;
  RECT clip{};
  const int kind = GetClipBox(DC, &clip);
  if (kind == NULLREGION || kind == ERROR || clip.right <= clip.left || clip.bottom <= clip.top) {
    if (Owner->HandleAllocated()) SendAMessage(Owner->Handle(), ACMD_SETHALFVISIBLE);
    return;
  }
  TacBGInfo bg;
  GetBGInfo(bg, Owner, false);
  std::vector<TControl*> children;
  for (int i = 0; i < Owner->ControlCount(); ++i)
    if (TakesPart(DC, Owner->Controls(i), Offset)) children.push_back(Owner->Controls(i));
  if (children.empty()) return;
  TScreenBuffer buffer(Owner->Width(), Owner->Height());
  HDC mem = buffer.DC();
  if (mem == nullptr) return;
  auto* form = dynamic_cast<classlib::TCustomForm*>(Owner);
  const bool mdiParent = form != nullptr && form->FormStyle() == classlib::fsMDIForm;
  for (TControl* c : children) {
    const TRect b = c->BoundsRect();
    if (c->ControlStyle.Contains(classlib::csOpaque))
      FillDC(mem, b, GetControlColor(c));
    else if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr)
      BitBlt(mem, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, bg.Bmp->Canvas()->Handle(), b.Left + bg.Offset.X,
             b.Top + bg.Offset.Y, SRCCOPY);
    else
      FillDC(mem, b, bg.Color);
  }
  for (TControl* c : children) {
    if (mdiParent && c->Align() != classlib::alNone) c->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REDRAW), 0);
    const int saved = SaveDC(mem);
    const bool copying = Owner->ControlState.Contains(classlib::csPaintCopy);
    if (copying) c->ControlState.Include(classlib::csPaintCopy);
    const classlib::TScopeExit restore([&] {
      if (copying) c->ControlState.Exclude(classlib::csPaintCopy);
      RestoreDC(mem, saved);
    });
    SetViewportOrgEx(mem, c->Left(), c->Top(), nullptr);
    IntersectClipRect(mem, 0, 0, c->Width(), c->Height());
    // One child's failure must not cost its siblings their picture.
    try {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    } catch (const std::exception&) {}
  }
  for (TControl* c : children) {
    if (GetPixel(mem, c->Left(), c->Top()) == static_cast<COLORREF>(clFuchsia)) continue;
    BitBlt(DC, c->Left() + Offset.X, c->Top() + Offset.Y, c->Width(), c->Height(), mem, c->Left(), c->Top(), SRCCOPY);
  }
}

void SkinPaintTo(classlib::TBitmap* Bmp, TControl* Control, int X, int Y, IacSkinProvider* Provider) {
  if (Bmp == nullptr || Control == nullptr) return;
  HDC dc = Bmp->Canvas()->Handle();
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
  OffsetViewportOrgEx(dc, X, Y, nullptr);
  const int w = Control->Width(), h = Control->Height();
  if (Provider == nullptr && Control->Parent() != nullptr && !Control->Visible()) {
    TacBGInfo bg;
    GetBGInfo(bg, Control->Parent(), false);
    if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr)
      BitBlt(dc, 0, 0, w, h, bg.Bmp->Canvas()->Handle(), Control->Left() + bg.Offset.X, Control->Top() + bg.Offset.Y,
             SRCCOPY);
    else
      FillDC(dc, {0, 0, w, h}, bg.Color);
    return;
  }
  if (Provider == nullptr || !Provider->HasExtendedBorder()) IntersectClipRect(dc, 0, 0, w, h);
  const WPARAM wdc = reinterpret_cast<WPARAM>(dc);
  const LPARAM print = PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND;
  auto* win = dynamic_cast<TWinControl*>(Control);
  if (win == nullptr || !win->HandleAllocated()) {
    Control->Perform(SM_ALPHACMD, AlphaCmd(ACMD_SETPRINTDC), static_cast<LPARAM>(wdc));
    Control->Perform(WM_PRINT, wdc, print);
    Control->Perform(SM_ALPHACMD, AlphaCmd(ACMD_SETPRINTDC), 0);
    return;
  }
  const bool skinned = GetBoolMsg(win->Handle(), ACMD_ISSKINNED);
  if (skinned) SendAMessage(win->Handle(), ACMD_SETPRINTDC, static_cast<LPARAM>(wdc));
  SendMessageW(win->Handle(), WM_PRINT, wdc, print);
  if (skinned) SendAMessage(win->Handle(), ACMD_SETPRINTDC, 0);
  for (int i = 0; i < win->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(win->Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    const bool topForm = dynamic_cast<classlib::TCustomForm*>(child) != nullptr && child->Parent() == nullptr;
    SkinPaintTo(Bmp, child, topForm ? 0 : child->Left(), topForm ? 0 : child->Top(), nullptr);
  }
}

TOutputWindow::TOutputWindow(classlib::TComponent* AOwner) : classlib::TCustomControl(AOwner) {
  SetCaption(L"acOutputWindow");
  SetVisible(false);
  SetColor(clFuchsia);
  SetTag(ac_NoSkinTag);
}

void TOutputWindow::CreateParams(classlib::TCreateParams& Params) {
  classlib::TCustomControl::CreateParams(Params);
  if (Parent() != nullptr || Params.WndParent != nullptr) return;
  Params.Style = WS_POPUP;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner != nullptr && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = classlib::Application->Handle();
}

void TOutputWindow::WndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    Message.Result = 0;
    return;
  }
  classlib::TCustomControl::WndProc(Message);
}

}  // namespace skin
