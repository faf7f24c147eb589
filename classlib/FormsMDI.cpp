// The MDI side of forms: the frame's client window, its children, and the system's default
// procedures of MDI frames and children.
#include "classlib/Forms.h"

namespace classlib {

TCustomForm* TCustomForm::MDIParent() const {
  for (TComponent* c = Owner(); c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c); form != nullptr && form->FormStyle() == fsMDIForm) return form;
  TApplication* app = TApplication::Existing();
  TCustomForm* main = app ? app->MainForm() : nullptr;
  return main != nullptr && main != this && main->FormStyle() == fsMDIForm ? main : nullptr;
}

void TCustomForm::CreateMDIClient() {
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  RECT r{};
  GetClientRect(FHandle, &r);
  FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                  0, 0, r.right, r.bottom, FHandle, nullptr, GetModuleHandleW(nullptr), &ccs);
  if (!FClientHandle) throw EInvalidOperation(L"Error creating the MDI client window");
}

void TCustomForm::DestroyWnd() {
  // The children go first: they are windows of the client, which goes with this window.
  for (TCustomForm* child : MDIChildList()) child->DestroyHandle();
  FClientHandle = nullptr;
  TCustomControl::DestroyWnd();
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (FHandle && Message.Msg < CM_BASE) {
    if (FFormStyle == fsMDIForm && FClientHandle) {
      Message.Result = DefFrameProcW(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    if (FFormStyle == fsMDIChild && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
      Message.Result = DefMDIChildProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  TCustomControl::DefaultHandler(Message);
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
  std::vector<TCustomForm*> list;
  if (!FClientHandle) return list;
  for (HWND w = GetWindow(FClientHandle, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(w)); form != nullptr && form->FormStyle() == fsMDIChild)
      list.push_back(form);
  return list;
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  auto* active = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int Index) const {
  const std::vector<TCustomForm*> list = MDIChildList();
  if (Index < 0 || Index >= static_cast<int>(list.size()))
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return list[static_cast<std::size_t>(Index)];
}

void TCustomForm::Tile() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

}  // namespace classlib
