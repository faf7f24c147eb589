#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "classlib/ScopeExit.h"
#include "classlib/StdCtrls.h"
#include "skin/core/acntSystemWin32.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acDialsHook.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acBtnWnd.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEdgeWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acIconWnd.h"
#include "skin/windows/acLinkWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acPageWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSBUtils.h"
#include "skin/windows/acSizerWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acStaticWnd.h"
#include "skin/windows/acToolBarWnd.h"
#include "skin/windows/acTrackWnd.h"
#include "skin/windows/acTransPanelWnd.h"
#include "skin/windows/acWndRoutines.h"
#include "skin/windows/acWndUnit.h"

namespace skin {

namespace {

// ---- The dialog window's own handler ----
// The frame, title, title buttons and background of a caught dialog are drawn by TacDialogWnd on
// the dialog window itself; the provider reaches it only through these three routines.

THandler<TacMainWnd> AttachDialogFrameHandler(HWND Dialog, TsSkinManager* Manager, TacProvider* Owner) {
  return TacMainWnd::Create<TacDialogWnd>(Dialog, nullptr, Manager, "DIALOG", false,
                                          static_cast<IacDialogHost*>(Owner));
}

// The frame handler holds the dialog's painting back until an edit, list or combo box is found:
// those paint themselves and need the dialog's WM_PAINT to run.
void AllowDialogPaint(TacMainWnd* Frame) {
  if (auto* dialog = dynamic_cast<TacDialogWnd*>(Frame)) dialog->FWMPaintForbidden = false;
}

// The frame handler reads its skin indexes and title buttons once the controls are attached.
void InitDialogFrameParams(TacMainWnd* Frame) {
  if (auto* dialog = dynamic_cast<TacDialogWnd*>(Frame)) dialog->InitParams();
}

// ---- The table of child handlers ----

std::wstring Lower(std::wstring Text) {
  for (wchar_t& c : Text) c = static_cast<wchar_t>(std::towlower(c));
  return Text;
}

template <class T>
THandler<TacMainWnd> Make(HWND Wnd, TsSkinManager* Manager, const char* Section, bool Repaint) {
  return TacMainWnd::Create<T>(Wnd, nullptr, Manager, Section, Repaint);
}

constexpr bool Has(LONG_PTR Style, LONG_PTR Bits) { return (Style & Bits) == Bits; }

// A class-library panel inside a dialog, served with the control the window belongs to. A plain
// panel takes the skin's colours for itself and its labels; a silently painting one loses its
// caption, which the skin's background would otherwise show twice.
THandler<TacMainWnd> AttachLibraryPanel(HWND Wnd, TsSkinManager* Manager, bool Plain) {
  classlib::TWinControl* control = classlib::FindControl(Wnd);
  THandler<TacMainWnd> h =
      TacMainWnd::Create<TacPanelWnd>(Wnd, nullptr, Manager, Plain ? "CHECKBOX" : "GROUPBOX", true, control);
  if (Plain) {
    if (control != nullptr && Manager != nullptr) {
      for (int i = 0; i < control->ControlCount(); ++i) {
        if (auto* label = dynamic_cast<classlib::TCustomLabel*>(control->Controls(i))) {
          label->Font()->SetColor(Manager->Records().GetGlobalFontColor());
          label->SetTransparent(true);
        }
      }
      control->SetColor(Manager->GetGlobalColor());
    }
  } else {
    if (control != nullptr && !control->Caption().empty()) control->SetCaption(L"");
    h->SkinData->BGChanged = true;
  }
  return h;
}

}  // namespace

TacProvider::TacProvider(classlib::TComponent* AOwner)
    : classlib::TComponent(AOwner), formProvider_(AOwner != nullptr) {}

TacProvider::~TacProvider() {
  if (!formProvider_) {
    acSkinnedCtrls.clear();
    ListSW.reset();
  } else {
    auto it = std::find(acSupportedList.begin(), acSupportedList.end(), this);
    if (it != acSupportedList.end()) *it = nullptr;
  }
}

TsSkinManager* TacProvider::Manager() const {
  if (ListSW != nullptr && ListSW->SkinManager != nullptr) return ListSW->SkinManager;
  return DefaultManager();
}

bool TacProvider::DialogCacheFilled() const {
  if (ListSW == nullptr || ListSW->SkinData == nullptr) return false;
  const classlib::TBitmap* cache = ListSW->SkinData->CacheBmp();
  return cache != nullptr && cache->Width() > 0 && cache->Height() > 0;
}

bool TacProvider::DialogGone() const {
  if (CtrlHandle == nullptr || !IsWindow(CtrlHandle)) return true;
  return ListSW != nullptr && ListSW->Destroyed;
}

bool TacProvider::HandlerRunning() const {
  if (ListSW != nullptr && ListSW->Running()) return true;
  return std::any_of(acSkinnedCtrls.begin(), acSkinnedCtrls.end(),
                     [](const THandler<TacMainWnd>& h) { return h != nullptr && h->Running(); });
}

void InitDialog(HWND Handle, THandler<TacMainWnd>& Handler) {
  TsSkinManager* manager = DefaultManager();
  if (manager != nullptr && manager->Active()) {
    if (Ac_UninitializeFlatSB != nullptr) Ac_UninitializeFlatSB(Handle);
    if (Handler != nullptr && Handler->Destroyed) Handler.reset();
    if (Handler == nullptr) {
      Handler = AttachDialogFrameHandler(Handle, manager, FindFormInList(Handle));
      if (Handler != nullptr) Handler->CtrlHandle = Handle;
    }
  } else {
    Handler.reset();
    if (Ac_InitializeFlatSB != nullptr) Ac_InitializeFlatSB(Handle);
  }
}

bool TacProvider::InitSkin(HWND Handle) {
  CtrlHandle = Handle;
  acSkinnedCtrls.clear();
  TsSkinManager* manager = DefaultManager();
  if (ListSW != nullptr || manager == nullptr || !manager->Active()) return true;
  BiDiLeft = (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  InitDialog(Handle, ListSW);
  skinned_ = true;
  if (DlgLeft != -1 || DlgTop != -1) {
    place_ = POINT{DlgLeft, DlgTop};
    placePending_ = true;
    SetWindowPos(Handle, nullptr, DlgLeft, DlgTop, 0, 0, SWP_NOSIZE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
  }
  if (!InitHwndControls(Handle)) {
    std::replace(acSupportedList.begin(), acSupportedList.end(), this, static_cast<TacProvider*>(nullptr));
    return false;
  }
  InitDialogFrameParams(ListSW.get());
  SendAMessage(Handle, ACMD_NEWSKIN, reinterpret_cast<LPARAM>(manager));
  return true;
}

void TacProvider::Activating() {
  if (!skinned_ || DialogGone()) return;
  InitHwndControls(CtrlHandle);
}

void TacProvider::FocusEntering() {
  // A message box may place itself while it initialises, after it was caught (Wine's does):
  // the place asked for is given again when the first control takes the focus, which follows
  // the initialisation.
  if (std::exchange(placePending_, false) && !DialogGone())
    SetWindowPos(CtrlHandle, nullptr, place_.x, place_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TacProvider::InitForm(classlib::TCustomForm* Form) {
  sp = TsSkinProvider::CreateRT(Form);
  sp->SetUseGlobalColor(false);
  sp->Form = Form;
  const HWND h = Form->Handle();
  if (AeroIsEnabled()) {
    sp->Loaded();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageW(h, WM_NCPAINT, 0, 0);
  } else if (!IsIDERunning()) {
    UpdateWindow(h);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
  sp->SetMakeSkinMenu(false);
}

bool TacProvider::InitHwndControls(HWND Handle) {
  if (Handle == nullptr) return false;
  for (HWND child = GetTopWindow(Handle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!InitHwndControls(child)) return false;
    if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0 && !AddControl(child)) return false;
  }
  return true;
}

bool TacProvider::AddControl(HWND Handle) {
  if (Handle == nullptr) return false;
  if (GetBoolMsg(Handle, ACMD_ISSKINNED)) return true;
  acDlgMode = true;
  const classlib::TScopeExit dlgModeOff([] { acDlgMode = false; });

  const std::wstring cls = Lower(GetWndClassName(Handle));
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(Handle, GWL_EXSTYLE);
  TsSkinManager* sm = Manager();
  // Windows that paint through their own WM_PAINT repaint at once only when the dialog has been
  // drawn already (a rescan); at the first scan the dialog's painting draws them.
  const bool cacheFilled = DialogCacheFilled();
  bool dlgMode = false;
  THandler<TacMainWnd> h;

  if (cls == L"static") {
    if (Has(style, 3) || Has(style, 0x0E)) {
      if ((exStyle & WS_EX_STATICEDGE) != 0)
        h = Make<TacEdgeWnd>(Handle, sm, "EDIT", true);
      else
        h = Make<TacIconWnd>(Handle, sm, "CHECKBOX", true);
    } else if (Has(style, 0x0D)) {
      // enhanced metafiles keep their own drawing
    } else if (const LONG_PTR kind = style & 0x1F; kind == 5 || kind == 6 || kind == 11) {
      // frames and simple statics keep their own drawing
    } else {
      h = Make<TacStaticWnd>(Handle, sm, "CHECKBOX", true);
    }
  } else if (cls == L"#32770") {
    h = Make<TacTransPanelWnd>(Handle, sm, "CHECKBOX", true);
  } else if (cls == L"tpanel" || cls == L"tsilentpaintpanel") {
    h = AttachLibraryPanel(Handle, sm, cls == L"tpanel");
  } else if (cls == L"edit") {
    if (IsWindowVisible(Handle)) {
      h = Make<TacEditWnd>(Handle, sm, "EDIT", cacheFilled);
      dlgMode = true;
    }
    AllowDialogPaint(ListSW.get());
  } else if (cls == L"button") {
    if (Has(style, 7))
      h = Make<TacGroupBoxWnd>(Handle, sm, "GROUPBOX", true);
    else if (Has(style, 3) || Has(style, 2) || Has(style, 5) || Has(style, 9) || Has(style, 4))
      h = Make<TacCheckBoxWnd>(Handle, sm, "CHECKBOX", true);
    else
      h = Make<TacBtnWnd>(Handle, sm, "BUTTON", true);
  } else if (cls == L"combobox") {
    h = Make<TacComboBoxWnd>(Handle, sm, "COMBOBOX", cacheFilled);
    dlgMode = true;
    AllowDialogPaint(ListSW.get());
  } else if (cls == L"combolbox") {
    h = Make<TacEditWnd>(Handle, sm, "COMBOBOX", true);
    AllowDialogPaint(ListSW.get());
  } else if (cls == L"comboboxex32") {
    h = Make<TacComboBoxWnd>(Handle, sm, "COMBOBOX", true);
    AllowDialogPaint(ListSW.get());
  } else if (cls == L"scrollbar") {
    if ((style & SBS_SIZEGRIP) != 0) h = Make<TacSizerWnd>(Handle, sm, "CHECKBOX", true);
  } else if (cls == L"systabcontrol32") {
    // Owner-drawn tab controls draw their own tabs.
    if ((style & TCS_OWNERDRAWFIXED) == 0) h = Make<TacTabControlWnd>(Handle, sm, "PAGECONTROL", true);
  } else if (cls == L"msctls_trackbar32") {
    h = Make<TacTrackWnd>(Handle, sm, "TRACKBAR", true);
  } else if (cls == L"syslistview32") {
    h = Make<TacListViewWnd>(Handle, sm, "EDIT", true);
    dlgMode = true;
  } else if (cls == L"listbox") {
    h = Make<TacEditWnd>(Handle, sm, "EDIT", true);
    dlgMode = true;
    AllowDialogPaint(ListSW.get());
  } else if (cls == L"link window" || cls == L"syslink") {
    h = Make<TacLinkWnd>(Handle, sm, "CHECKBOX", true);
  } else if (cls == L"systreeview32") {
    h = Make<TacTreeViewWnd>(Handle, sm, "EDIT", true);
    dlgMode = true;
  } else if (cls == L"shbrowseforfolder") {
    h = Make<TacTransPanelWnd>(Handle, sm, "CHECKBOX", true);
  } else if (cls == L"toolbarwindow32") {
    h = Make<TacToolBarWnd>(Handle, sm, Has(style, 0x200) ? "BAR" : "CHECKBOX", true);
  } else if (cls == L"msctls_updown32") {
    auto spin = TacMainWnd::Create<TacSpinWnd>(Handle, nullptr, sm, "SPEEDBUTTON_SMALL", true);
    // The buddy edit's frame overlaps the arrows' first two columns.
    spin->lOffset = 2;
    h = std::move(spin);
  }

  if (h == nullptr) return true;
  if (dlgMode) h->DlgMode = true;
  InitCtrlData(Handle, h->ParentWnd, h->WndRect, h->WndPos, h->WndSize, h->ParentRect);
  acSkinnedCtrls.push_back(std::move(h));
  return true;
}

TacMainWnd* TacProvider::FindCtrlInList(HWND Handle) const {
  for (const THandler<TacMainWnd>& h : acSkinnedCtrls) {
    if (h != nullptr && h->CtrlHandle == Handle) return h.get();
  }
  return nullptr;
}

void TacProvider::PrintHwndControls(HWND Handle, HDC DC) {
  for (HWND child = GetTopWindow(Handle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const int saved = SaveDC(DC);
    const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
    RECT r{};
    GetWindowRect(child, &r);
    POINT pos{r.left, r.top};
    ScreenToClient(Handle, &pos);
    OffsetWindowOrgEx(DC, -pos.x, -pos.y, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_CHILD) != 0 && (style & WS_VISIBLE) != 0) {
      SendAMessage(child, ACMD_SETPRINTDC, reinterpret_cast<LPARAM>(DC));
      SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
      SendAMessage(child, ACMD_SETPRINTDC, 0);
    }
    PrintHwndControls(child, DC);
  }
}

}  // namespace skin
