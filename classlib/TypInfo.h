#pragma once
// The class registry and the published-property tables.
//
// Every class that a description may name is registered with its published properties and their
// declared defaults. The registry creates components by class name, answers class-name and
// is-descendant-of questions, and gives property access by name (GetOrdProp(obj, "Tag"),
// GetObjectProp(obj, "Font"), SetPropText(obj, "Font.Color", "clRed")...).
//
// A class declares its own properties in a static member function:
//   static void DeclareProperties(TClassDecl<TMyButton>& d) {
//     d.Bool(L"Flat", &TMyButton::Flat, &TMyButton::SetFlat, false);
//     d.Event(L"OnHover", &TMyButton::OnHover);
//   }
// and is registered once, after its parent: RegisterClass<TMyButton, TButton>(L"TMyButton").
#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/EnumInfo.h"
#include "classlib/Exception.h"
#include "classlib/Object.h"
#include "classlib/Set.h"
#include "classlib/Types.h"

namespace classlib {

class EPropertyError : public Exception {
  using Exception::Exception;
};
class EClassNotFound : public Exception {
  using Exception::Exception;
};

enum class TPropKind {
  Integer,
  Boolean,
  Enumeration,
  Set,
  Color,
  Float,
  String,
  Object,      // an owned sub-object (Font, Pen): dotted names reach into it
  Component,   // a reference to another component, resolved by name after reading
  Event,       // a handler, bound by method name
  StringList,  // a list of strings (Items, Lines)
  Collection,  // TCollection items (Panels, Columns)
  Binary,      // raw bytes (picture and image-list data)
};

// Named integer constants accepted for an integer or colour property (clBtnFace, crHandPoint).
struct TIdentMap {
  std::vector<std::pair<std::wstring, std::int64_t>> Entries;
  bool Find(std::wstring_view Name, std::int64_t& Value) const;
  bool NameOf(std::int64_t Value, std::wstring& Name) const;
};
const TIdentMap& ColorIdents();
const TIdentMap& CursorIdents();

struct TPropInfo {
  std::wstring Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;    // Enumeration and Set
  const TIdentMap* Idents = nullptr;  // Integer and Color
  bool HasDefault = false;
  std::int64_t OrdDefault = 0;
  double FloatDefault = 0;
  std::wstring StrDefault;

  std::function<std::int64_t(const TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(const TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::wstring(const TObject*)> GetStr;
  std::function<void(TObject*, const std::wstring&)> SetStr;
  std::function<TObject*(const TObject*)> GetObject;  // Object, Component, Collection
  std::function<void(TObject*, TObject*)> SetObject;  // Component (nullptr clears)
  std::function<bool(const TObject*)> AcceptsObject;  // Component: the reference's class fits
  std::function<std::vector<std::wstring>(const TObject*)> GetList;
  std::function<void(TObject*, const std::vector<std::wstring>&)> SetList;
  std::function<std::vector<std::uint8_t>(const TObject*)> GetBinary;
  std::function<void(TObject*, const std::vector<std::uint8_t>&)> SetBinary;
  std::type_index EventType = typeid(void);
  std::function<void(TObject*, const std::any&)> SetEvent;  // any holds exactly the event's std::function type
  std::function<bool(const TObject*)> EventAssigned;

  bool Writable() const;
  // The value equals the declared default, so a description need not hold it.
  bool IsDefault(const TObject* Instance) const;
};

struct TClassInfo {
  std::wstring Name;
  const TClassInfo* Parent = nullptr;
  std::function<TComponent*(TComponent*)> Create;  // components only
  std::function<bool(const TObject*)> IsInstance;
  std::vector<TPropInfo> Properties;  // declared by this class itself
  int Depth = 0;

  const TPropInfo* FindProperty(std::wstring_view PropName) const;
  std::vector<const TPropInfo*> AllProperties() const;  // ancestors' first
  bool InheritsFrom(std::wstring_view ClassName) const;
};

// Builds one class's property table.
template <class T>
class TClassDecl {
 public:
  explicit TClassDecl(TClassInfo& info) : info_(info) {}

  template <class G, class S>
  TClassDecl& Integer(std::wstring name, G get, S set, std::int64_t def = 0, const TIdentMap* idents = nullptr) {
    TPropInfo& p = Add(std::move(name), TPropKind::Integer);
    p.Idents = idents;
    Ordinal(p, get, set, def);
    return *this;
  }
  template <class G, class S>
  TClassDecl& Bool(std::wstring name, G get, S set, bool def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Boolean);
    Ordinal(p, get, set, def ? 1 : 0);
    return *this;
  }
  template <class G, class S>
  TClassDecl& Color(std::wstring name, G get, S set, TColor def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Color);
    p.Idents = &ColorIdents();
    Ordinal(p, get, set, def);
    return *this;
  }
  template <class E, class G, class S>
  TClassDecl& Enum(std::wstring name, G get, S set, E def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Enumeration);
    p.Enum = &EnumInfo<E>();
    p.HasDefault = true;
    p.OrdDefault = static_cast<std::int64_t>(def);
    p.GetOrd = [get](const TObject* o) { return static_cast<std::int64_t>(std::invoke(get, Mut(o))); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetOrd = [set](TObject* o, std::int64_t v) { std::invoke(set, Self(o), static_cast<E>(v)); };
    return *this;
  }
  // Any set type with Bits() and FromBits() (TSet, the graphics' TEnumSet).
  template <class E, template <class> class SetT, class G, class S>
  TClassDecl& Set(std::wstring name, G get, S set, SetT<E> def) {
    using Bits = decltype(def.Bits());
    TPropInfo& p = Add(std::move(name), TPropKind::Set);
    p.Enum = &EnumInfo<E>();
    p.HasDefault = true;
    p.OrdDefault = static_cast<std::int64_t>(def.Bits());
    p.GetOrd = [get](const TObject* o) {
      SetT<E> s = std::invoke(get, Mut(o));
      return static_cast<std::int64_t>(s.Bits());
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetOrd = [set](TObject* o, std::int64_t v) {
        std::invoke(set, Self(o), SetT<E>::FromBits(static_cast<Bits>(v)));
      };
    return *this;
  }
  template <class G, class S>
  TClassDecl& Float(std::wstring name, G get, S set, double def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Float);
    p.HasDefault = true;
    p.FloatDefault = def;
    p.GetFloat = [get](const TObject* o) { return static_cast<double>(std::invoke(get, Mut(o))); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetFloat = [set](TObject* o, double v) { std::invoke(set, Self(o), v); };
    return *this;
  }
  // def == nullptr: the property has no declared default (it is always stored).
  template <class G, class S>
  TClassDecl& String(std::wstring name, G get, S set, const wchar_t* def = L"") {
    TPropInfo& p = Add(std::move(name), TPropKind::String);
    p.HasDefault = def != nullptr;
    p.StrDefault = def ? def : L"";
    p.GetStr = [get](const TObject* o) { return std::wstring(std::invoke(get, Mut(o))); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetStr = [set](TObject* o, const std::wstring& v) { std::invoke(set, Self(o), v); };
    return *this;
  }
  // An owned sub-object (TFont, TPen...): descriptions set its properties with dotted names.
  template <class G>
  TClassDecl& Object(std::wstring name, G get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Object);
    p.GetObject = [get](const TObject* o) -> TObject* { return ToObject(std::invoke(get, Mut(o))); };
    return *this;
  }
  // A reference to a component of class C (or a descendant), resolved after reading.
  template <class C, class G, class S>
  TClassDecl& Component(std::wstring name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::Component);
    p.HasDefault = true;
    p.GetObject = [get](const TObject* o) -> TObject* { return ToObject(std::invoke(get, Mut(o))); };
    p.SetObject = [set](TObject* o, TObject* v) { std::invoke(set, Self(o), dynamic_cast<C*>(v)); };
    p.AcceptsObject = [](const TObject* v) { return v == nullptr || dynamic_cast<const C*>(v) != nullptr; };
    return *this;
  }
  // A handler field of a std::function type.
  template <class F>
  TClassDecl& Event(std::wstring name, F T::*field) {
    TPropInfo& p = Add(std::move(name), TPropKind::Event);
    p.HasDefault = true;
    p.EventType = typeid(F);
    p.SetEvent = [field](TObject* o, const std::any& handler) {
      const F* f = std::any_cast<F>(&handler);
      if (!f) throw EPropertyError(L"handler type mismatch");
      Self(o)->*field = *f;
    };
    p.EventAssigned = [field](const TObject* o) { return static_cast<bool>(Self(o)->*field); };
    return *this;
  }
  template <class G, class S>
  TClassDecl& StringList(std::wstring name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::StringList);
    p.HasDefault = true;
    p.GetList = [get](const TObject* o) { return std::vector<std::wstring>(std::invoke(get, Mut(o))); };
    p.SetList = [set](TObject* o, const std::vector<std::wstring>& v) { std::invoke(set, Self(o), v); };
    return *this;
  }
  template <class G>
  TClassDecl& Collection(std::wstring name, G get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Collection);
    p.HasDefault = true;
    p.GetObject = [get](const TObject* o) -> TObject* { return ToObject(std::invoke(get, Mut(o))); };
    return *this;
  }
  template <class G, class S>
  TClassDecl& Binary(std::wstring name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::Binary);
    p.GetBinary = [get](const TObject* o) { return std::vector<std::uint8_t>(std::invoke(get, Mut(o))); };
    p.SetBinary = [set](TObject* o, const std::vector<std::uint8_t>& v) { std::invoke(set, Self(o), v); };
    return *this;
  }
  // The last declared property has no default: it is always stored.
  TClassDecl& NoDefault() {
    info_.Properties.back().HasDefault = false;
    return *this;
  }

 private:
  static const T* Self(const TObject* o) {
    auto* t = dynamic_cast<const T*>(o);
    if (!t) throw EPropertyError(L"the property belongs to another class than " + o->ClassName());
    return t;
  }
  static T* Self(TObject* o) { return const_cast<T*>(Self(static_cast<const TObject*>(o))); }
  // Getters run on a mutable object so that non-const accessors (Font(), Items()) serve too.
  static T* Mut(const TObject* o) { return const_cast<T*>(Self(o)); }
  template <class P>
  static TObject* ToObject(P* p) {
    return const_cast<std::remove_const_t<P>*>(p);
  }
  template <class G, class S>
  static void Ordinal(TPropInfo& p, G get, S set, std::int64_t def) {
    p.HasDefault = true;
    p.OrdDefault = def;
    p.GetOrd = [get](const TObject* o) { return static_cast<std::int64_t>(std::invoke(get, Mut(o))); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetOrd = [set](TObject* o, std::int64_t v) {
        using Arg = std::remove_cvref_t<decltype(std::invoke(get, Mut(o)))>;
        std::invoke(set, Self(o), static_cast<Arg>(v));
      };
  }
  TPropInfo& Add(std::wstring name, TPropKind kind) {
    TPropInfo& p = info_.Properties.emplace_back();
    p.Name = std::move(name);
    p.Kind = kind;
    return p;
  }
  TClassInfo& info_;
};

class TClassRegistry {
 public:
  static TClassRegistry& Instance();
  const TClassInfo* Find(std::wstring_view Name) const;
  // The most derived registered class that Instance belongs to.
  const TClassInfo* ClassOf(const TObject* Instance) const;
  TClassInfo& Add(std::wstring Name, const TClassInfo* Parent, std::type_index Type);
  const TClassInfo* ByType(std::type_index Type) const;
  std::vector<const TClassInfo*> All() const;

 private:
  TClassRegistry() = default;
  struct Impl;
  Impl& impl() const;
};

template <class T>
concept DeclaresOwnProperties = requires(TClassDecl<T>& d) {
  T::DeclareProperties(d);
};

// Registers T (a descendant of the registered class Parent) under Name; repeated calls return the
// first registration. Declare, when given, declares T's properties for a class that cannot carry
// its own DeclareProperties.
template <class T, class Parent>
const TClassInfo& RegisterClass(std::wstring Name, void (*Declare)(TClassDecl<T>&) = nullptr) {
  TClassRegistry& r = TClassRegistry::Instance();
  if (const TClassInfo* known = r.ByType(typeid(T))) return *known;
  const TClassInfo* parent = r.ByType(typeid(Parent));
  if (!parent) throw EClassNotFound(L"Register the parent of " + Name + L" first");
  TClassInfo& info = r.Add(std::move(Name), parent, typeid(T));
  info.IsInstance = [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; };
  if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>) {
    info.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
  }
  TClassDecl<T> decl(info);
  if (Declare)
    Declare(decl);
  else if constexpr (DeclaresOwnProperties<T>)
    T::DeclareProperties(decl);
  return info;
}

const TClassInfo* FindClass(std::wstring_view ClassName);
// Like FindClass, but raises EClassNotFound.
const TClassInfo& GetClass(std::wstring_view ClassName);
const TClassInfo* ClassInfoOf(const TObject* Instance);
// Instance belongs to the registered class ClassName or one of its descendants.
bool InheritsFrom(const TObject* Instance, std::wstring_view ClassName);
// Creates a registered component by class name, owned by AOwner, construction finished.
TComponent* CreateComponent(std::wstring_view ClassName, TComponent* AOwner);

// Property access by name. A dotted name reaches into sub-objects ("Font.Color").
const TPropInfo* GetPropInfo(const TObject* Instance, std::wstring_view PropName);
bool IsPublishedProp(const TObject* Instance, std::wstring_view PropName);
std::int64_t GetOrdProp(const TObject* Instance, std::wstring_view PropName);
void SetOrdProp(TObject* Instance, std::wstring_view PropName, std::int64_t Value);
std::wstring GetEnumProp(const TObject* Instance, std::wstring_view PropName);
void SetEnumProp(TObject* Instance, std::wstring_view PropName, std::wstring_view Value);
std::wstring GetStrProp(const TObject* Instance, std::wstring_view PropName);
void SetStrProp(TObject* Instance, std::wstring_view PropName, const std::wstring& Value);
double GetFloatProp(const TObject* Instance, std::wstring_view PropName);
void SetFloatProp(TObject* Instance, std::wstring_view PropName, double Value);
TObject* GetObjectProp(const TObject* Instance, std::wstring_view PropName);
void SetObjectProp(TObject* Instance, std::wstring_view PropName, TObject* Value);
// Any ordinal, float or string property as text ("clBtnFace", "[akLeft,akTop]", "True"), and back.
std::wstring GetPropText(const TObject* Instance, std::wstring_view PropName);
void SetPropText(TObject* Instance, std::wstring_view PropName, std::wstring_view Value);

// Copies every writable ordinal, float, string, list and binary property, and recursively the
// sub-objects and collections, from Source to Dest (both of the same registered class).
void CopyPublishedProperties(const TObject* Source, TObject* Dest);

std::wstring SetToString(const TEnumInfo& Info, std::uint64_t Bits);
bool StringToSet(const TEnumInfo& Info, std::wstring_view Text, std::uint64_t& Bits);

}  // namespace classlib
