#pragma once
// Components and collections: the ownership and notification layer of the object model.
//   TComponent  an owner frees what it owns; names, tags, component state, Loaded, Notification
//   TCollection a list of TCollectionItem objects that a component publishes (status-bar panels,
//               list-view columns); the collection owns its items
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/Object.h"
#include "classlib/Set.h"
#include "classlib/SysUtils.h"

namespace classlib {

class EComponentError : public Exception {
  using Exception::Exception;
};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  std::wstring ClassName() const override { return L"TComponent"; }

  // Tells the owner (and through it every component it owns) that this component has arrived;
  // deferred to here so that the receivers see the finished object.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return FOwner; }
  const std::wstring& Name() const { return FName; }
  // A valid identifier or empty, unique (ignoring case) among the owner's components.
  virtual void SetName(const std::wstring& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(std::wstring_view AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Asks to be told (Notification with opRemove) when AComponent goes away, and vice versa.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  // For readers and designers: the form reader sets csLoading and csReading while it builds.
  void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
  void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }

  // Called once a description has been read and its references resolved; clears csLoading.
  virtual void Loaded();
  // Sent to the owner, everything the owner owns, and free-notification partners.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Nesting in a description: a control's parent, a menu item's parent item, a sheet's page control.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}

 protected:
  virtual void ValidateRename(TComponent* AComponent, const std::wstring& CurName, const std::wstring& NewName);

 private:
  void InsertSilently(TComponent* AComponent);
  void RemoveSilently(TComponent* AComponent);
  void NotifyAll(TComponent* AComponent, TOperation Operation);

  TComponent* FOwner = nullptr;
  std::wstring FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  bool FInsertAnnounced = false;
};

// Creates a component of class T owned by AOwner and finishes its construction. With an owner,
// the owner frees it; without one the caller does (Free or a TOwnerless holder).
template <class T, class... Args>
T* Create(TComponent* AOwner, Args&&... args) {
  T* object = new T(AOwner, std::forward<Args>(args)...);
  try {
    object->AfterConstruction();
  } catch (...) {
    Free(object);
    throw;
  }
  return object;
}

bool IsValidIdent(std::wstring_view Ident);

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  std::wstring ClassName() const override { return L"TCollectionItem"; }

  TCollection* Collection() const { return FCollection; }
  int Index() const;
  void SetIndex(int Value);
  int ID() const { return FID; }
  virtual std::wstring DisplayName() const;

 protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  TCollection(TPersistent* AOwner, TItemFactory Factory);
  ~TCollection() override;
  std::wstring ClassName() const override { return L"TCollection"; }

  TPersistent* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int ID) const;
  void Exchange(int Index1, int Index2);
  // Copies Source's items property by property (through the class registry) when it is a
  // collection of the same item class.
  void Assign(const TPersistent* Source) override;

 protected:
  // Item changed (nullptr: the whole collection changed). Owners override it to refresh a window.
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, int NewIndex);
  void ItemChanged(TCollectionItem* Item);

  TPersistent* FOwner;
  TItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  bool FClearing = false;
};

// A collection whose items are all of class Item.
template <class Item>
class TCollectionOf : public TCollection {
 public:
  explicit TCollectionOf(TPersistent* AOwner)
      : TCollection(AOwner, [](TCollection* c) -> TCollectionItem* { return new Item(c); }) {}
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(int Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
  Item* Items(int Index) const { return static_cast<Item*>(TCollection::Items(Index)); }
  Item* operator[](int Index) const { return Items(Index); }
};

}  // namespace classlib
