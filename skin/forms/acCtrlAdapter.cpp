#include "skin/forms/acCtrlAdapter.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "classlib/Buttons.h"
#include "classlib/Frames.h"
#include "classlib/ScopeExit.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acBtnWnd.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acGridWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acPageWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acStatusBarWnd.h"
#include "skin/windows/acToolBarVCLWnd.h"
#include "skin/windows/acWWComboBoxWnd.h"

namespace skin {

namespace {

// A label owned by the form with this tag keeps its colours in the scan of owned components.
constexpr int kKeepLabelColoursTag = 98;
// The control-kind code of the skin states the adapter makes.
constexpr int kAdapterCOC = 227;

// Set while AddAllItems runs (cleared for each descent) and while RemoveAllItems runs: shared by
// all adapters.
bool g_bFlag = false;
bool g_bRemoving = false;

template <class T>
THandler<TacMainWnd> Make(HWND Wnd, TsCommonData* SkinData, TsSkinManager* Manager, const std::string& Section) {
  return TacMainWnd::Create<T>(Wnd, SkinData, Manager, Section, true);
}

bool SkinnedAlready(classlib::TWinControl* Control) { return GetBoolMsg(Control->Handle(), ACMD_ISSKINNED); }

bool IsPlainLabel(classlib::TComponent* C) {
  return dynamic_cast<classlib::TCustomLabel*>(C) != nullptr && !classlib::InheritsFrom(C, L"TsCustomLabel");
}

void TakeSkinFontColour(classlib::TControl* Label) {
  Label->ControlStyle.Exclude(classlib::csOpaque);
  if (TsSkinManager* dm = DefaultManager()) Label->Font()->SetColor(dm->Records().GetGlobalFontColor());
}

}  // namespace

THandler<TacMainWnd> CreateThirdPartyHandler(TacThirdPartyTypes Kind, HWND Wnd, TsCommonData* SkinData,
                                             TsSkinManager* Manager, const std::string& Section) {
  switch (Kind) {
    case tpGrid: return Make<TacGridWnd>(Wnd, SkinData, Manager, Section);
    case tpGridEh: return Make<TacGridEhWnd>(Wnd, SkinData, Manager, Section);
    case tpVirtualTree: return Make<TacVirtualTreeViewWnd>(Wnd, SkinData, Manager, Section);
    case tpToolBar: return Make<TacToolBarVCLWnd>(Wnd, SkinData, Manager, Section);
    case tpStatusBar: return Make<TacStatusBarWnd>(Wnd, SkinData, Manager, Section);
    case tpUpDownBtn: return Make<TacSpinWnd>(Wnd, SkinData, Manager, Section);
    case tpwwEdit:
      if (auto* control = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl()))
        return TacWWComboBoxWnd::Create(control, SkinData, Manager, Section);
      return nullptr;
    case tpEdit: return Make<TacEditWnd>(Wnd, SkinData, Manager, Section);
    case tpButton: return Make<TacButtonWnd>(Wnd, SkinData, Manager, Section);
    case tpBitBtn: return Make<TacBitBtnWnd>(Wnd, SkinData, Manager, Section);
    case tpCheckBox: return Make<TacCheckBoxWnd>(Wnd, SkinData, Manager, Section);
    case tpComboBox: return Make<TacComboBoxWnd>(Wnd, SkinData, Manager, Section);
    case tpGroupBox: return Make<TacGroupBoxWnd>(Wnd, SkinData, Manager, Section);
    case tpListView: return Make<TacListViewWnd>(Wnd, SkinData, Manager, Section);
    case tpPanel: return Make<TacPanelWnd>(Wnd, SkinData, Manager, Section);
    case tpTreeView: return Make<TacTreeViewWnd>(Wnd, SkinData, Manager, Section);
    case tpPageControl: return Make<TacPageControlWnd>(Wnd, SkinData, Manager, Section);
    case tpTabControl: return Make<TacTabControlWnd>(Wnd, SkinData, Manager, Section);
    case tpScrollControl:
      if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("PANEL_LOW");
      return Make<TacEditWnd>(Wnd, SkinData, Manager, SkinData->SkinSection());
    case tpSpeedButton: return nullptr;  // windowless: hooked as a graph item
    default: return nullptr;  // the kinds listed in the header whose handlers are still to come
  }
}

int ThirdPartyKindOf(const TsSkinManager* Manager, const std::wstring& ClassName) {
  if (Manager == nullptr) return -1;
  for (std::size_t kind = 0; kind < kThirdPartyKinds; ++kind) {
    const classlib::TStringList& names = Manager->ThirdLists[kind];
    for (int i = 0; i < names.Count(); ++i)
      if (names.Strings(i) == ClassName) return static_cast<int>(kind);
  }
  return -1;
}

// ---- items ----

TacAdapterItem::TacAdapterItem(TacCtrlAdapter* AAdapter, classlib::TWinControl* Control)
    : WinCtrl(Control), Adapter(AAdapter), SkinData(std::make_unique<TsCommonData>(Control, true)) {
  SkinData->COC = kAdapterCOC;
}

TacAdapterItem::~TacAdapterItem() { ScrollWnd.reset(); }

void TacAdapterItem::DoHook(classlib::TWinControl* Control) {
  if (Control == nullptr || Control->Tag() == ac_NoSkinTag || !Control->HandleAllocated() ||
      Control->Parent() == nullptr || SkinnedAlready(Control))
    return;
  WinCtrl = Control;
  TsSkinManager* manager = SkinData->GetSkinManager();
  if (manager == nullptr) return;
  const int kind = ThirdPartyKindOf(manager, Control->ClassName());
  if (kind < 0) return;
  ScrollWnd = CreateThirdPartyHandler(static_cast<TacThirdPartyTypes>(kind), Control->Handle(), SkinData.get(), manager,
                                      SkinData->SkinSection());
}

TacGraphItem::TacGraphItem(TacCtrlAdapter* AAdapter, classlib::TControl* Control)
    : Ctrl(Control), Adapter(AAdapter), SkinData(std::make_unique<TsCommonData>(Control, true)) {
  SkinData->COC = kAdapterCOC;
}

TacGraphItem::~TacGraphItem() { Handler.reset(); }

void TacGraphItem::DoHook(classlib::TControl* Control) {
  if (Control == nullptr || Control->Tag() == ac_NoSkinTag) return;
  Ctrl = Control;
  Handler = std::make_unique<TacSpeedButtonHandler>(Control, SkinData.get(), SkinData->GetSkinManager(),
                                                    SkinData->SkinSection(), true);
}

// ---- the adapter ----

TacCtrlAdapter::TacCtrlAdapter(TsSkinProvider* AProvider) : Provider(AProvider) {}

TacCtrlAdapter::~TacCtrlAdapter() {
  CleanItems();
  RemoveAllItems();
}

bool TacCtrlAdapter::Admitted(classlib::TComponent* Item, std::string& Section) {
  bool canBeAdded = true;
  if (Provider != nullptr && Provider->OnSkinItem) Provider->OnSkinItem(Item, canBeAdded, Section);
  return canBeAdded;
}

bool TacCtrlAdapter::IsControlSupported(classlib::TComponent* Control) {
  if (Control == nullptr || Control->Tag() == ac_NoSkinTag) return false;
  if (auto* win = dynamic_cast<classlib::TWinControl*>(Control)) {
    if (!win->HandleAllocated() || SkinnedAlready(win)) return false;
    if (dynamic_cast<classlib::TCustomFrame*>(Control) != nullptr) {
      std::string section;
      return Admitted(Control, section);
    }
  } else if (dynamic_cast<classlib::TGraphicControl*>(Control) != nullptr) {
    std::string section;
    if (dynamic_cast<classlib::TCustomLabel*>(Control) != nullptr) return Admitted(Control, section);
    if (dynamic_cast<classlib::TSpeedButton*>(Control) != nullptr) {
      TsSkinManager* manager = Provider != nullptr ? Provider->SkinManager() : nullptr;
      return ThirdPartyKindOf(manager, Control->ClassName()) >= 0 && Admitted(Control, section);
    }
    return false;
  }
  TsSkinManager* manager = Provider != nullptr ? Provider->SkinManager() : nullptr;
  return ThirdPartyKindOf(manager, Control->ClassName()) >= 0;
}

void TacCtrlAdapter::AddAllItems(classlib::TWinControl* OwnerCtrl) {
  if (g_bFlag || Provider == nullptr) return;
  TsSkinManager* manager = Provider->SkinManager();
  if (manager == nullptr || !manager->SkinningRules().Contains(TacSkinningRule::srThirdParty)) return;
  g_bFlag = true;
  const classlib::TScopeExit done([] { g_bFlag = false; });
  classlib::TWinControl* container = OwnerCtrl != nullptr ? OwnerCtrl : Provider->Form;
  if (container == nullptr) return;
  CleanItems();
  const auto descend = [this](classlib::TControl* C) {
    auto* win = dynamic_cast<classlib::TWinControl*>(C);
    if (win == nullptr || !win->HandleAllocated() || win->Parent() == nullptr) return;
    g_bFlag = false;
    AddAllItems(win);
  };
  for (int i = 0; i < container->ComponentCount(); ++i) {
    classlib::TComponent* c = container->Components(i);
    if (IsControlSupported(c)) {
      if (auto* win = dynamic_cast<classlib::TWinControl*>(c))
        AddNewItem(win, std::string());
      else if (IsPlainLabel(c) && c->Tag() != kKeepLabelColoursTag)
        TakeSkinFontColour(static_cast<classlib::TControl*>(c));
    }
    if (auto* control = dynamic_cast<classlib::TControl*>(c)) descend(control);
  }
  for (int i = 0; i < container->ControlCount(); ++i) {
    classlib::TControl* c = container->Controls(i);
    if (IsControlSupported(c)) {
      if (auto* win = dynamic_cast<classlib::TWinControl*>(c))
        AddNewItem(win, std::string());
      else if (dynamic_cast<classlib::TLabel*>(c) != nullptr)
        TakeSkinFontColour(c);
      else if (auto* btn = dynamic_cast<classlib::TSpeedButton*>(c))
        AddNewItem(btn);
    }
    descend(c);
  }
}

void TacCtrlAdapter::AddNewItem(classlib::TWinControl* Ctrl, const std::string& SkinSection) {
  if (Ctrl == nullptr || Ctrl->Tag() == ac_NoSkinTag || Ctrl->Parent() == nullptr || !Ctrl->HandleAllocated() ||
      SkinnedAlready(Ctrl))
    return;
  std::string section = SkinSection;
  if (!Admitted(Ctrl, section)) return;
  // A frame gets a frame adapter of its own, which it owns; the adapter keeps no item for it.
  if (auto* frame = dynamic_cast<classlib::TCustomFrame*>(Ctrl)) {
    AttachFrameAdapter(frame, "GROUPBOX");
    return;
  }
  int index = IndexOf(Ctrl);
  const bool isNew = index < 0;
  if (isNew) {
    Items.push_back(std::make_unique<TacAdapterItem>(this, Ctrl));
    index = Count() - 1;
  }
  TacAdapterItem& item = *Items[static_cast<std::size_t>(index)];
  if (item.SkinData->SkinSection() != section) item.SkinData->SetSkinSection(section);
  if (!isNew) {
    if (item.ScrollWnd != nullptr && item.ScrollWnd->Destroyed) {
      item.ScrollWnd.reset();
      item.DoHook(Ctrl);
    }
    return;
  }
  item.DoHook(Ctrl);
  if (item.ScrollWnd == nullptr) Items.pop_back();
}

void TacCtrlAdapter::RemoveItem(int Index) {
  // A negative index names no item (it used to reach before the array).
  if (Index < 0 || Index >= Count()) return;
  auto doomed = std::move(Items[static_cast<std::size_t>(Index)]);
  Items[static_cast<std::size_t>(Index)] = std::move(Items.back());
  Items.pop_back();
}

void TacCtrlAdapter::WndProc(classlib::TMessage& Message) {
  // Receivers may hook or unhook controls meanwhile: the windows are gathered first.
  std::vector<HWND> targets;
  for (const auto& item : Items) {
    if (item->ScrollWnd == nullptr || item->ScrollWnd->Destroyed || item->WinCtrl == nullptr ||
        item->WinCtrl->Parent() == nullptr || !item->WinCtrl->HandleAllocated())
      continue;
    targets.push_back(item->WinCtrl->Handle());
  }
  for (HWND h : targets)
    if (IsWindow(h)) SendMessageW(h, Message.Msg, Message.WParam, Message.LParam);
}

int TacCtrlAdapter::IndexOf(const classlib::TWinControl* Ctrl) const {
  for (std::size_t i = 0; i < Items.size(); ++i)
    if (Items[i]->WinCtrl == Ctrl) return static_cast<int>(i);
  return -1;
}

TacAdapterItem* TacCtrlAdapter::GetItem(int Index) const {
  return Index >= 0 && Index < Count() ? Items[static_cast<std::size_t>(Index)].get() : nullptr;
}

void TacCtrlAdapter::AddNewItem(classlib::TSpeedButton* Btn) {
  if (Btn == nullptr || Btn->Tag() == ac_NoSkinTag || Btn->Parent() == nullptr ||
      Btn->Perform(SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0) == 1)
    return;
  std::string section = "SPEEDBUTTON";
  if (!Admitted(Btn, section)) return;
  auto found = std::find_if(GraphItems.begin(), GraphItems.end(),
                            [Btn](const std::unique_ptr<TacGraphItem>& item) { return item->Ctrl == Btn; });
  const bool isNew = found == GraphItems.end();
  if (isNew) {
    GraphItems.push_back(std::make_unique<TacGraphItem>(this, Btn));
    found = GraphItems.end() - 1;
  }
  TacGraphItem& item = **found;
  item.SkinData->SetSkinSection(Btn->Flat() ? "SPEEDBUTTON_SMALL" : "SPEEDBUTTON");
  if (!isNew) {
    if (item.Handler != nullptr && item.Handler->Destroyed) {
      item.Handler.reset();
      item.DoHook(Btn);
    }
    return;
  }
  item.DoHook(Btn);
  if (item.Handler == nullptr) GraphItems.pop_back();
}

TacGraphItem* TacCtrlAdapter::GetGraphItem(int Index) const {
  return Index >= 0 && Index < GraphCount() ? GraphItems[static_cast<std::size_t>(Index)].get() : nullptr;
}

void TacCtrlAdapter::CleanItems() {
  // Freeing an item gives its window back, which may send messages that reach this adapter: the
  // dead items leave the array before they are freed.
  std::vector<std::unique_ptr<TacAdapterItem>> dead;
  auto alive = std::stable_partition(Items.begin(), Items.end(), [](const std::unique_ptr<TacAdapterItem>& item) {
    return item->ScrollWnd != nullptr && !item->ScrollWnd->Destroyed;
  });
  std::move(alive, Items.end(), std::back_inserter(dead));
  Items.erase(alive, Items.end());
  std::vector<std::unique_ptr<TacGraphItem>> deadButtons;
  auto hooked = std::stable_partition(GraphItems.begin(), GraphItems.end(), [](const std::unique_ptr<TacGraphItem>& item) {
    return item->Handler != nullptr && !item->Handler->Destroyed;
  });
  std::move(hooked, GraphItems.end(), std::back_inserter(deadButtons));
  GraphItems.erase(hooked, GraphItems.end());
}

void TacCtrlAdapter::RemoveAllItems() {
  if (g_bRemoving) return;
  g_bRemoving = true;
  const classlib::TScopeExit done([] { g_bRemoving = false; });
  while (!Items.empty()) {
    std::unique_ptr<TacAdapterItem> last = std::move(Items.back());
    Items.pop_back();
  }
  while (!GraphItems.empty()) {
    std::unique_ptr<TacGraphItem> last = std::move(GraphItems.back());
    GraphItems.pop_back();
  }
}

}  // namespace skin
