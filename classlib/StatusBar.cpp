// The status bar of the common controls and its panels.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"

namespace classlib {

// ---- status bar ----

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::DeclareProperties(TClassDecl<TStatusPanel>& d) {
  d.String(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  d.Integer(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 50);
  d.Enum(L"Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, taLeftJustify);
  d.Enum(L"Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, pbLowered);
  d.Enum(L"Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, psText);
}

void TStatusPanel::SetText(const std::wstring& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}
void TStatusPanel::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(true);
}
void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* Owner) : TCollectionOf<TStatusPanel>(Owner), FStatusBar(Owner) {}

void TStatusPanels::Update(TCollectionItem* Item) { FStatusBar->UpdatePanels(Item ? Item->Index() : -1); }

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  ControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque, csAcceptsControls};
  FAlign = alBottom;
  FWidth = 150;
  FHeight = 19;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::DeclareProperties(TClassDecl<TStatusBar>& d) {
  d.Collection(L"Panels", &TStatusBar::Panels);
  d.Bool(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false);
  d.String(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  d.Bool(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true);
  d.Enum(L"Align", &TStatusBar::Align, &TStatusBar::SetAlign, alBottom);
  d.Color(L"Color", &TStatusBar::Color, &TStatusBar::SetColor, clBtnFace);
  d.Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& Value) {
  FSimpleText = Value;
  if (FSimplePanel) UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEW);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  // A grip only makes sense where the window can be sized.
  if (FSizeGrip)
    if (auto* form = dynamic_cast<TCustomForm*>(Parent()))
      if (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::InitializeWindow() { UpdatePanels(); }

void TStatusBar::UpdatePanels(int Index) {
  if (!FHandle) return;
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) {
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    return;
  }
  const int count = FPanels->Count();
  if (Index < 0 || Index >= count) {
    std::vector<int> edges;
    int edge = 0;
    for (int i = 0; i < count; ++i) {
      edge += FPanels->Items(i)->Width();
      edges.push_back(edge);
    }
    if (edges.empty())
      edges.push_back(-1);
    else
      edges.back() = -1;
    SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  for (int i = 0; i < count; ++i) {
    if (Index >= 0 && Index < count && i != Index) continue;
    TStatusPanel* panel = FPanels->Items(i);
    WPARAM flags = static_cast<WPARAM>(i);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) {
      SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
      continue;
    }
    // A tab before the text centres it, two tabs put it on the right.
    std::wstring text = panel->Alignment() == taCenter         ? L"\t" + panel->Text()
                        : panel->Alignment() == taRightJustify ? L"\t\t" + panel->Text()
                                                               : panel->Text();
    SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (count == 0) SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
}

TRect TStatusBar::PanelRect(int Index) const {
  if (!FHandle) return {};
  RECT r{};
  SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

void TStatusBar::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      int index = static_cast<int>(dis->itemID);
      if (OnDrawPanel && index >= 0 && index < FPanels->Count())
        OnDrawPanel(this, FPanels->Items(index),
                    TRect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom});
      M.Result = TRUE;
      return;
    }
    case WM_CONTEXTMENU: FContextMenuSeen = true; break;
    case WM_RBUTTONUP: {
      // Some status bars answer the release with NM_RCLICK only; the pop-up menu comes either way.
      FContextMenuSeen = false;
      TWinControl::Dispatch(M);
      if (!FContextMenuSeen && FHandle) {
        POINT p{M.XPos(), M.YPos()};
        ::ClientToScreen(FHandle, &p);
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(p.x, p.y));
      }
      return;
    }
    default: break;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
