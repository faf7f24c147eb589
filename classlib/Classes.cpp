#include "classlib/Classes.h"

#include <algorithm>
#include <cwctype>

#include "classlib/TypInfo.h"

namespace classlib {

bool IsValidIdent(std::wstring_view Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_'; };
  if (!alpha(Ident[0])) return false;
  return std::all_of(Ident.begin() + 1, Ident.end(), [&](wchar_t c) { return alpha(c) || (c >= L'0' && c <= L'9'); });
}

// ---- TComponent ----

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertSilently(this);
}

TComponent::~TComponent() {
  Destroying();
  // Partners that asked to hear about our end; each drops its own reference in Notification.
  while (!FFreeNotifies.empty()) {
    TComponent* partner = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = partner->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    partner->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::AfterConstruction() {
  if (FOwner && !FInsertAnnounced) {
    FInsertAnnounced = true;
    FOwner->Notification(this, opInsert);
  }
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::wstring_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::wstring& CurName, const std::wstring& NewName) {
  if (AComponent && !SameText(CurName, NewName) && FindComponent(NewName))
    throw EComponentError(L"A component named " + NewName + L" already exists");
}

void TComponent::SetName(const std::wstring& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(L"\"" + NewName + L"\" is not a valid component name");
  if (FOwner && !NewName.empty()) FOwner->ValidateRename(this, FName, NewName);
  FName = NewName;
}

void TComponent::InsertSilently(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::RemoveSilently(TComponent* AComponent) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (!AComponent->FName.empty()) ValidateRename(AComponent, L"", AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  InsertSilently(AComponent);
  AComponent->FInsertAnnounced = true;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  RemoveSilently(AComponent);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveSilently(last);
    Free(last);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& theirs = AComponent->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& theirs = AComponent->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyAll(AComponent, Operation);
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  // Receivers may free or add components while being told; walk a snapshot and skip the gone.
  std::vector<TComponent*> snapshot = FComponents;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TComponent* c = *it;
    if (c == AComponent) continue;
    if (std::find(FComponents.begin(), FComponents.end(), c) == FComponents.end()) continue;
    c->Notification(AComponent, Operation);
  }
}

// ---- TCollectionItem / TCollection ----

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  if (FCollection) FCollection->MoveItem(this, Value);
}

std::wstring TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::Changed(bool AllItems) {
  if (!FCollection) return;
  FCollection->ItemChanged(AllItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* AOwner, TItemFactory Factory) : FOwner(AOwner), FFactory(std::move(Factory)) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no more Update calls to an owner that may be half gone
  FClearing = true;
  while (!FItems.empty()) {
    TCollectionItem* last = FItems.back();
    FItems.pop_back();
    last->FCollection = nullptr;
    delete last;
  }
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FItems[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
  // The owner hears of the new item once it is whole, not from inside its base constructor.
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = FFactory(this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) { Free(Items(Index)); }

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) Free(FItems.back());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Exchange(int Index1, int Index2) {
  Items(Index1);
  Items(Index2);
  std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TCollection::InsertItem(TCollectionItem* Item) {
  Item->FCollection = this;
  Item->FID = FNextID++;
  FItems.push_back(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex) {
  int current = Item->Index();
  if (current < 0) return;
  NewIndex = std::clamp(NewIndex, 0, Count() - 1);
  if (NewIndex == current) return;
  FItems.erase(FItems.begin() + current);
  FItems.insert(FItems.begin() + NewIndex, Item);
  Changed();
}

void TCollection::ItemChanged(TCollectionItem* Item) {
  if (FUpdateCount == 0) Update(Item);
}

void TCollection::Assign(const TPersistent* Source) {
  auto* other = dynamic_cast<const TCollection*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* from : other->FItems) {
      TCollectionItem* to = Add();
      if (to->ClassName() != from->ClassName())
        throw EConvertError(L"Cannot assign a " + from->ClassName() + L" to a " + to->ClassName());
      CopyPublishedProperties(from, to);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

}  // namespace classlib
