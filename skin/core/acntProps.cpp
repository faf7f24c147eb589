#include "skin/core/acntProps.h"

#include "classlib/TypInfo.h"

namespace skin {
namespace {

using classlib::TPropInfo;
using classlib::TPropKind;

const TPropInfo* Find(const classlib::TObject* Obj, std::wstring_view Name) {
  return Obj ? classlib::GetPropInfo(Obj, Name) : nullptr;
}

bool IsOrdinal(TPropKind Kind) {
  return Kind == TPropKind::Integer || Kind == TPropKind::Boolean || Kind == TPropKind::Enumeration ||
         Kind == TPropKind::Set || Kind == TPropKind::Color;
}

const TPropInfo* FindSet(const classlib::TObject* Obj, std::wstring_view Name) {
  const TPropInfo* p = Find(Obj, Name);
  return p && p->Kind == TPropKind::Set && p->Enum && p->GetOrd ? p : nullptr;
}

// Ordinal of the element named exactly Element, or -1. Whole names are compared: "ofReadOnly"
// must not be taken for a part of "ofNoReadOnlyReturn".
int ElementIndex(const TPropInfo& Set, std::wstring_view Element, std::size_t Limit) {
  const auto& names = Set.Enum->Names;
  for (std::size_t i = 0; i < names.size() && i < Limit; ++i)
    if (names[i] == Element) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool HasProperty(const classlib::TObject* Obj, std::wstring_view Name) { return Find(Obj, Name) != nullptr; }

classlib::TObject* GetObjProp(const classlib::TObject* Obj, std::wstring_view Name) {
  const TPropInfo* p = Find(Obj, Name);
  if (!p || !p->GetObject) return nullptr;
  return classlib::GetObjectProp(Obj, Name);
}

void SetObjProp(classlib::TObject* Obj, std::wstring_view Name, classlib::TObject* Value) {
  const TPropInfo* p = Find(Obj, Name);
  if (!p || !p->SetObject || !p->AcceptsObject || !p->AcceptsObject(Value)) return;
  classlib::SetObjectProp(Obj, Name, Value);
}

std::int64_t GetIntProp(const classlib::TObject* Obj, std::wstring_view Name) {
  const TPropInfo* p = Find(Obj, Name);
  if (!p || !IsOrdinal(p->Kind) || !p->GetOrd) return -1;
  return classlib::GetOrdProp(Obj, Name);
}

void SetIntProp(classlib::TObject* Obj, std::wstring_view Name, std::int64_t Value) {
  const TPropInfo* p = Find(Obj, Name);
  if (!p || !IsOrdinal(p->Kind) || !p->SetOrd) return;
  classlib::SetOrdProp(Obj, Name, Value);
}

bool CheckSetProp(const classlib::TObject* Obj, std::wstring_view Name, std::wstring_view Element) {
  const TPropInfo* p = FindSet(Obj, Name);
  if (!p) return false;
  const int index = ElementIndex(*p, Element, 32);
  if (index < 0) return false;
  const auto bits = static_cast<std::uint64_t>(classlib::GetOrdProp(Obj, Name));
  return (bits >> index) & 1U;
}

bool SetSetPropValue(classlib::TObject* Obj, std::wstring_view Name, std::wstring_view Element, bool Add) {
  const TPropInfo* p = FindSet(Obj, Name);
  if (!p || !p->SetOrd) return false;
  const int index = ElementIndex(*p, Element, 64);
  if (index < 0) return false;
  auto bits = static_cast<std::uint64_t>(classlib::GetOrdProp(Obj, Name));
  const std::uint64_t bit = std::uint64_t{1} << index;
  const std::uint64_t changed = Add ? bits | bit : bits & ~bit;
  if (changed != bits) classlib::SetOrdProp(Obj, Name, static_cast<std::int64_t>(changed));
  return false;
}

}  // namespace skin
