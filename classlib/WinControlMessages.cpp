// TWinControl's message handling (WndProc, reflection to children, Dispatch, DefaultHandler,
// painting, keys) and the two base classes that paint themselves.
#include "classlib/Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/ControlWindows.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/ScopeExit.h"

namespace classlib {

namespace {

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

}  // namespace
void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && form != this && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (ControlState.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST: {
      TControl::WndProc(Message);
      if (Message.Result == HTTRANSPARENT &&
          ControlAtPos(ScreenToClient({Message.XPos(), Message.YPos()}), false) != nullptr)
        Message.Result = HTCLIENT;
      return;
    }
    case WM_MOUSELEAVE:
      TControl::WndProc(Message);
      if (TApplication* app = TApplication::Existing()) app->UpdateMouseControl();
      return;
    default:
      if (IsMouseMessage(Message.Msg) && Message.Msg != WM_MOUSEWHEEL && Message.Msg != WM_MOUSEHWHEEL) {
        if (Message.Msg == WM_MOUSEMOVE) {
          TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
          if (FHandle) TrackMouseEvent(&tme);
          if (TApplication* app = TApplication::Existing()) app->UpdateMouseControl();
        }
        if (IsControlMouseMsg(Message)) {
          if (Message.Result == 0 && FHandle)
            Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::ReflectToChild(TMessage& M) {
  HWND from = nullptr;
  switch (M.Msg) {
    case WM_NOTIFY:
      if (M.LParam) from = reinterpret_cast<NMHDR*>(M.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (dis && dis->CtlType != ODT_MENU) from = dis->hwndItem;
      break;
    }
    case WM_DELETEITEM: {
      auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(M.LParam);
      if (dis) from = dis->hwndItem;
      break;
    }
    case WM_COMPAREITEM: {
      auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(M.LParam);
      if (cis) from = cis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      if (mis && mis->CtlType != ODT_MENU && FHandle) from = GetDlgItem(FHandle, static_cast<int>(mis->CtlID));
      break;
    }
    default:
      // WM_COMMAND, the scroll, colour and item-key messages name the child in LParam.
      if (IsReflectedMessage(M.Msg)) from = reinterpret_cast<HWND>(M.LParam);
      break;
  }
  if (!from || from == FHandle) return false;
  TWinControl* child = FindControl(from);
  if (!child) return false;
  M.Result = child->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
  return true;
}

void TWinControl::Dispatch(TMessage& M) {
  if (IsReflectedMessage(M.Msg)) {
    if (ReflectToChild(M)) return;
    if ((M.Msg == WM_DRAWITEM || M.Msg == WM_MEASUREITEM || M.Msg == WM_COMMAND) && DispatchMenuMessage(M)) return;
    DefaultHandler(M);
    return;
  }
  switch (M.Msg) {
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: M.Result = ColorMessage(M); return;
    case WM_PAINT: {
      bool graphicChildren = false;
      for (TControl* c : FControls)
        if (!dynamic_cast<TWinControl*>(c)) graphicChildren = true;
      if (graphicChildren || dynamic_cast<TCustomControl*>(this) || ControlState.Contains(csCustomPaint))
        PaintHandler(M);
      else
        DefaultHandler(M);
      return;
    }
    case WM_ERASEBKGND:
      if (FDefWndProc == DefWindowProcW || FDefWndProc == nullptr) {
        EraseWithBrush(M);
        return;
      }
      DefaultHandler(M);
      return;
    case WM_WINDOWPOSCHANGED: {
      const int oldW = FWidth, oldH = FHeight;
      // The bounds first: the WM_SIZE and WM_MOVE that the default handling sends read them.
      UpdateBoundsFromWindow();
      DefaultHandler(M);
      ApplyAlignAfterResize();
      if ((oldW != FWidth || oldH != FHeight) && !ComponentState().Contains(csLoading)) Resize();
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: DoKeyMessage(M); return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(M); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(M); return;
    case CN_KEYUP: M.Result = 0; return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: Broadcast(M); return;
    case CM_SHOWINGCHANGED: UpdateWindowShowing(); return;
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, FEnabled);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      FBrush.SetColor(FColor);
      NotifyControls(CM_PARENTCOLORCHANGED);
      Invalidate();
      return;
    case CM_FONTCHANGED: Invalidate(); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_CONTROLLISTCHANGE:
      if (FParent) FParent->WindowProc(M);
      return;
    case CM_FOCUSCHANGED: Broadcast(M); return;
    case CM_RECREATEWND: {
      const bool hadFocus = Focused();
      {
        ControlState += csRecreating;
        const TScopeExit recreated([this]() noexcept { ControlState -= csRecreating; });
        DestroyHandle();
        UpdateShowing();
        // A hidden control still gets its window back when it had one.
        HandleNeeded();
      }
      if (hadFocus && FHandle) ::SetFocus(FHandle);
      return;
    }
    case WM_CONTEXTMENU:
      if (M.Result == 0 && !(M.XPos() == -1 && M.YPos() == -1)) {
        if (TControl* inner = ControlAtPos(ScreenToClient({M.XPos(), M.YPos()}), false)) {
          M.Result = inner->Perform(WM_CONTEXTMENU, M.WParam, M.LParam);
          if (M.Result != 0) return;
        }
      }
      TControl::Dispatch(M);
      return;
    case WM_MOUSEWHEEL:
      M.Result = Perform(CM_MOUSEWHEEL, M.WParam, M.LParam);
      if (M.Result == 0) DefaultHandler(M);
      return;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
      DefaultHandler(M);
      if (M.Msg == WM_SETTEXT && M.LParam) FText = reinterpret_cast<const wchar_t*>(M.LParam);
      return;
    case WM_SETCURSOR:
      if (FCursor != crDefault && LOWORD(M.LParam) == HTCLIENT) {
        static const LPCWSTR cursors[] = {
            IDC_ARROW,    IDC_ARROW,  IDC_ARROW,   IDC_CROSS,       IDC_IBEAM, IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENS,
            IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT,        IDC_ARROW, IDC_NO,      IDC_SIZEWE,   IDC_SIZENS,
            IDC_ARROW,    IDC_WAIT,   IDC_NO,      IDC_APPSTARTING, IDC_HELP,  IDC_HAND,    IDC_SIZEALL};
        int index = -FCursor;
        if (index >= 0 && index < static_cast<int>(std::size(cursors))) {
          ::SetCursor(LoadCursorW(nullptr, cursors[index]));
          M.Result = 1;
          return;
        }
      }
      DefaultHandler(M);
      return;
    default: TControl::Dispatch(M); return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  // Library messages mean nothing to the window's own procedure.
  if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400) return;
  Message.Result =
      CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::EraseWithBrush(TMessage& Message) {
  if (Message.WParam) {
    RECT r{};
    GetClientRect(FHandle, &r);
    FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush.Handle());
  }
  Message.Result = 1;
}

LRESULT TWinControl::ColorMessage(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush.Color())));
  return reinterpret_cast<LRESULT>(FBrush.Handle());
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool own = dc == nullptr;
  if (own) dc = BeginPaint(FHandle, &ps);
  const TScopeExit painted([&]() noexcept {
    if (own) EndPaint(FHandle, &ps);
  });
  PaintWindow(dc);
  PaintControls(dc, nullptr);
}

void TWinControl::DoKeyMessage(TMessage& M) {
  if (M.Msg == WM_CHAR) {
    wchar_t key = static_cast<wchar_t>(M.WParam);
    if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
      form->KeyPress(key);
      if (key == 0) return;
    }
    KeyPress(key);
    if (key == 0) return;
    M.WParam = key;
    DefaultHandler(M);
    return;
  }
  WORD key = static_cast<WORD>(M.WParam);
  TShiftState shift = KeyDataToShiftState(M.LParam);
  const bool down = M.Msg == WM_KEYDOWN || M.Msg == WM_SYSKEYDOWN;
  // A form with KeyPreview sees its controls' keys first.
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
    if (down)
      form->KeyDown(key, shift);
    else
      form->KeyUp(key, shift);
    if (key == 0) return;
  }
  if (down)
    KeyDown(key, shift);
  else
    KeyUp(key, shift);
  if (key == 0) return;
  M.WParam = key;
  DefaultHandler(M);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CNKeyDown(TMessage& M) {
  // Keys that a dialog uses (Tab, arrows, Enter, Esc) go to the form unless the window wants them.
  M.Result = 1;
  const WORD key = static_cast<WORD>(M.WParam);
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, key) == 0) {
    const LRESULT code = FHandle ? SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) : 0;
    if ((code & mask) == 0)
      if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key, M.LParam) != 0) return;
  }
  M.Result = 0;
}

void TWinControl::CNChar(TMessage& M) {
  M.Result = 1;
  LRESULT code = FHandle ? SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) : 0;
  if ((code & DLGC_WANTCHARS) == 0) {
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, M.WParam, M.LParam) != 0) return;
  }
  M.Result = 0;
}

// ---- TGraphicControl / TCustomControl ----

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

namespace {

// Paint on Canvas over DC: the canvas is locked and holds the DC only for the call.
template <class PaintFn>
void PaintOnCanvas(TCanvas& canvas, HDC dc, PaintFn paint) {
  canvas.Lock();
  canvas.SetHandle(dc);
  const TScopeExit release([&]() noexcept {
    canvas.SetHandle(nullptr);
    canvas.Unlock();
  });
  paint();
}

}  // namespace

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    if (Message.WParam) PaintOnCanvas(*FCanvas, reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
    return;
  }
  TControl::Dispatch(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  PaintOnCanvas(*FCanvas, DC, [this] { Paint(); });
}

}  // namespace classlib
