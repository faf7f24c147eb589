// What other units ask of a form's provider: the menu line painted again, drawing held off and
// let go, the provider of a component's form, and the main window announced to the skin editor.
#include <windows.h>

#include "classlib/ScopeExit.h"
#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

namespace {

constexpr UINT kEditorLink = 0xA400;
constexpr WPARAM kEditorAnnounce = 3;
// The editor is asked this often before the announcement is given up.
constexpr int kEditorAttempts = 101;
constexpr UINT kEditorTimeoutMs = 500;

}  // namespace

const wchar_t* const acEditorTitle = L"Tarvisel Skin Editor";

void TsSkinProvider::RepaintMenu() {
  FCommonData->BGChanged = true;
  MenuChanged = true;
  FLinesCount = -1;
  if (Form != nullptr && Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

namespace {

void SetFormDrawing(TsSkinProvider* Provider, bool Permit) {
  if (Permit)
    Provider->SkinData()->EndUpdate();
  else
    Provider->SkinData()->BeginUpdate();
  if (Provider->Form != nullptr && Provider->Form->HandleAllocated())
    SendMessageW(Provider->Form->Handle(), WM_SETREDRAW, Permit ? 1 : 0, 0);
}

// The MDI parent's provider when Provider serves an MDI child and the parent draws its frame.
TsSkinProvider* MDIParentOf(TsSkinProvider* Provider) {
  if (Provider->Form == nullptr || Provider->Form->FormStyle() != classlib::fsMDIChild) return nullptr;
  if (MDISkinProvider == nullptr || MDISkinProvider == Provider || !MDISkinProvider->DrawNonClientArea())
    return nullptr;
  return MDISkinProvider;
}

}  // namespace

void ForbidDrawing(TsSkinProvider* Provider, bool MDIAlso) {
  if (Provider == nullptr) return;
  SetFormDrawing(Provider, false);
  if (MDIAlso)
    if (TsSkinProvider* parent = MDIParentOf(Provider)) SetFormDrawing(parent, false);
}

void PermitDrawing(TsSkinProvider* Provider, bool MDIAlso) {
  if (Provider == nullptr) return;
  SetFormDrawing(Provider, true);
  if (MDIAlso)
    if (TsSkinProvider* parent = MDIParentOf(Provider)) SetFormDrawing(parent, true);
}

void UpdateMainForm(bool Repaint) {
  TsSkinProvider* parent = MDISkinProvider;
  if (parent == nullptr || parent->Form == nullptr || !parent->Form->HandleAllocated()) return;
  const HWND frame = parent->Form->Handle();
  if (!parent->DrawNonClientArea()) {
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
    return;
  }
  TsCommonData* data = parent->SkinData();
  data->BeginUpdate();
  data->BGChanged = true;
  parent->FGlow1.reset();
  parent->FGlow2.reset();
  parent->MenuChanged = true;
  parent->FLinesCount = -1;
  data->EndUpdate();
  constexpr UINT kClientFlags = RDW_FRAME | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE;
  if (const HWND client = FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr))
    RedrawWindow(client, nullptr, nullptr, Repaint ? kClientFlags | RDW_UPDATENOW : kClientFlags);
  RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  if (Repaint && parent->BorderForm != nullptr) parent->BorderForm->UpdateExBordersPos(true, 255);
}

TsSkinProvider* GetSkinProvider(classlib::TComponent* Component) {
  for (classlib::TComponent* c = Component; c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<classlib::TCustomForm*>(c)) {
      const LRESULT answer = form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0);
      return dynamic_cast<TsSkinProvider*>(reinterpret_cast<IacSkinProvider*>(answer));
    }
  return nullptr;
}

void SendHandleToEditor(HWND Handle) {
  if (!acPreviewNeeded || acPreviewHandle != nullptr || Handle == nullptr) return;
  if (classlib::TApplication::Existing() != nullptr)
    if (classlib::TCustomForm* main = classlib::Application->MainForm(); main != nullptr)
      if (!main->HandleAllocated() || main->Handle() != Handle) return;
  acPreviewHandle = Handle;
  acPreviewNeeded = false;
  for (int i = 0; i < kEditorAttempts; ++i) {
    const HWND editor = FindWindowW(nullptr, acEditorTitle);
    if (editor == nullptr) return;
    // An editor that does not answer in time is not waited for again.
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(editor, kEditorLink, kEditorAnnounce, reinterpret_cast<LPARAM>(Handle),
                            SMTO_ABORTIFHUNG | SMTO_NORMAL, kEditorTimeoutMs, &answer) == 0)
      return;
    if (answer == 1) return;
  }
}

void AttachFormScrollHandler(TsSkinProvider* Provider) {
  if (Provider == nullptr || Provider->ComponentState().Contains(classlib::csDestroying)) return;
  classlib::TCustomForm* form = Provider->Form;
  if (form == nullptr || !form->HandleAllocated() || !form->AutoScroll()) return;
  // Creating the handler sends the form messages that come back here.
  if ((Provider->FormState() & kFormScrollAttaching) != 0) return;
  Provider->SetFormState(kFormScrollAttaching, true);
  const classlib::TScopeExit clear([Provider] { Provider->SetFormState(kFormScrollAttaching, false); });
  if (Provider->Skinned()) {
    if (Provider->ListSW && Provider->ListSW->Destroyed) Provider->ListSW.reset();
    if (!Provider->ListSW)
      Provider->ListSW =
          TacMainWnd::Create<TacScrollWnd>(form->Handle(), Provider->SkinData(), Provider->SkinManager(), "", false);
    return;
  }
  Provider->ListSW.reset();
  if (ScrollBarsEngine().InitializeFlatSB != nullptr) ScrollBarsEngine().InitializeFlatSB(form->Handle());
}

namespace {

void VisitMenus(classlib::TComponent* Owner, TsSkinableMenus* Menus, bool Line, bool Popups) {
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    classlib::TComponent* c = Owner->Components(i);
    if (auto* main = dynamic_cast<classlib::TMainMenu*>(c)) {
      Menus->InitMenuLine(main, Line);
      classlib::TMenuItem* root = main->Items();
      for (int k = 0; root != nullptr && k < root->Count(); ++k) Menus->HookItem(root->Items(k), Popups);
    } else if (auto* popup = dynamic_cast<classlib::TPopupMenu*>(c)) {
      Menus->HookPopupMenu(popup, Popups);
    } else if (auto* item = dynamic_cast<classlib::TMenuItem*>(c)) {
      if (dynamic_cast<classlib::TMainMenu*>(item->GetParentMenu()) != nullptr)
        VisitMenus(item, Menus, Line, Popups);
      else
        Menus->HookItem(item, Popups);
    }
  }
}

}  // namespace

void TsSkinProvider::InitMenuItems(bool Active) {
  if (Designing() || Form == nullptr) return;
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || !manager->IsDefault()) return;
  TsSkinableMenus* menus = SkinableMenusOf(manager);
  if (menus == nullptr) return;
  VisitMenus(Form, menus, Active && FDrawNonClientArea, Active && manager->SkinnedPopups);
}

}  // namespace skin
