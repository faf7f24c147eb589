#include "classlib/TypInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <unordered_map>

namespace classlib {

void RegisterLibraryClasses();  // Registration.cpp: every class of the library itself

namespace {

std::wstring Upper(std::wstring_view s) {
  std::wstring r(s);
  for (wchar_t& c : r)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return r;
}

std::wstring TrimBlanks(std::wstring_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == L' ' || s[b] == L'\t')) ++b;
  while (e > b && (s[e - 1] == L' ' || s[e - 1] == L'\t')) --e;
  return std::wstring(s.substr(b, e - b));
}

// Decimal or $hexadecimal, optionally negative; the whole text must be the number.
bool ParseInteger(std::wstring_view text, std::int64_t& value) {
  std::wstring t = TrimBlanks(text);
  if (t.empty()) return false;
  bool negative = false;
  std::size_t i = 0;
  if (t[0] == L'-' || t[0] == L'+') {
    negative = t[0] == L'-';
    i = 1;
  }
  int base = 10;
  if (i < t.size() && t[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == L'0' && (t[i + 1] == L'x' || t[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  std::uint64_t v = 0;
  for (; i < t.size(); ++i) {
    int d;
    wchar_t c = t[i];
    if (c >= L'0' && c <= L'9')
      d = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f')
      d = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F')
      d = c - L'A' + 10;
    else
      return false;
    if (v > (UINT64_MAX - static_cast<unsigned>(d)) / static_cast<unsigned>(base)) return false;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
  }
  if (base == 10 && v > static_cast<std::uint64_t>(INT64_MAX)) return false;
  value = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
  return true;
}

bool ParseFloat(std::wstring_view text, double& value) {
  std::wstring t = TrimBlanks(text);
  if (t.empty() || t.size() > 64) return false;
  std::string narrow;
  for (wchar_t c : t) {
    if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E')) return false;
    narrow.push_back(static_cast<char>(c));
  }
  char* end = nullptr;
  value = std::strtod(narrow.c_str(), &end);
  return end && *end == 0 && std::isfinite(value);
}

}  // namespace

// ---- enumerations and identifier maps ----

int TEnumInfo::ValueOf(std::wstring_view Name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], Name)) return static_cast<int>(i);
  return -1;
}

bool TIdentMap::Find(std::wstring_view Name, std::int64_t& Value) const {
  for (auto& [name, value] : Entries)
    if (SameText(name, Name)) {
      Value = value;
      return true;
    }
  return false;
}

bool TIdentMap::NameOf(std::int64_t Value, std::wstring& Name) const {
  for (auto& [name, value] : Entries)
    if (value == Value) {
      Name = name;
      return true;
    }
  return false;
}

const TIdentMap& ColorIdents() {
  constexpr std::int64_t sys = static_cast<std::int64_t>(static_cast<TColor>(0xFF000000u));
  // clang-format off
  static const TIdentMap map{{
      {L"clBlack", 0x000000},         {L"clMaroon", 0x000080},
      {L"clGreen", 0x008000},         {L"clOlive", 0x008080},
      {L"clNavy", 0x800000},          {L"clPurple", 0x800080},
      {L"clTeal", 0x808000},          {L"clGray", 0x808080},
      {L"clSilver", 0xC0C0C0},        {L"clRed", 0x0000FF},
      {L"clLime", 0x00FF00},          {L"clYellow", 0x00FFFF},
      {L"clBlue", 0xFF0000},          {L"clFuchsia", 0xFF00FF},
      {L"clAqua", 0xFFFF00},          {L"clWhite", 0xFFFFFF},
      {L"clMoneyGreen", 0xC0DCC0},    {L"clSkyBlue", 0xF0CAA6},
      {L"clCream", 0xF0FBFF},         {L"clMedGray", 0xA4A0A0},
      {L"clNone", 0x1FFFFFFF},        {L"clDefault", 0x20000000},
      {L"clScrollBar", sys | 0},      {L"clBackground", sys | 1},
      {L"clActiveCaption", sys | 2},  {L"clInactiveCaption", sys | 3},
      {L"clMenu", sys | 4},           {L"clWindow", sys | 5},
      {L"clWindowFrame", sys | 6},    {L"clMenuText", sys | 7},
      {L"clWindowText", sys | 8},     {L"clCaptionText", sys | 9},
      {L"clActiveBorder", sys | 10},  {L"clInactiveBorder", sys | 11},
      {L"clAppWorkSpace", sys | 12},  {L"clHighlight", sys | 13},
      {L"clHighlightText", sys | 14}, {L"clBtnFace", sys | 15},
      {L"clBtnShadow", sys | 16},     {L"clGrayText", sys | 17},
      {L"clBtnText", sys | 18},       {L"clInactiveCaptionText", sys | 19},
      {L"clBtnHighlight", sys | 20},  {L"cl3DDkShadow", sys | 21},
      {L"cl3DLight", sys | 22},       {L"clInfoText", sys | 23},
      {L"clInfoBk", sys | 24},        {L"clHotLight", sys | 26},
      {L"clGradientActiveCaption", sys | 27}, {L"clGradientInactiveCaption", sys | 28},
      {L"clMenuHighlight", sys | 29}, {L"clMenuBar", sys | 30},
  }};
  // clang-format on
  return map;
}

const TIdentMap& CursorIdents() {
  // clang-format off
  static const TIdentMap map{{
      {L"crDefault", 0},   {L"crNone", -1},      {L"crArrow", -2},     {L"crCross", -3},
      {L"crIBeam", -4},    {L"crSizeNESW", -6},  {L"crSizeNS", -7},    {L"crSizeNWSE", -8},
      {L"crSizeWE", -9},   {L"crUpArrow", -10},  {L"crHourGlass", -11}, {L"crDrag", -12},
      {L"crNoDrop", -13},  {L"crHSplit", -14},   {L"crVSplit", -15},   {L"crMultiDrag", -16},
      {L"crSQLWait", -17}, {L"crNo", -18},       {L"crAppStart", -19}, {L"crHelp", -20},
      {L"crHandPoint", -21}, {L"crSizeAll", -22},
  }};
  // clang-format on
  return map;
}

std::wstring SetToString(const TEnumInfo& Info, std::uint64_t Bits) {
  std::wstring r = L"[";
  bool first = true;
  for (std::size_t i = 0; i < Info.Names.size() && i < 64; ++i)
    if (Bits & (std::uint64_t{1} << i)) {
      if (!first) r += L",";
      r += Info.Names[i];
      first = false;
    }
  return r + L"]";
}

bool StringToSet(const TEnumInfo& Info, std::wstring_view Text, std::uint64_t& Bits) {
  std::wstring t = TrimBlanks(Text);
  if (t.size() < 2 || t.front() != L'[' || t.back() != L']') return false;
  std::uint64_t bits = 0;
  std::wstring_view body(t.data() + 1, t.size() - 2);
  while (!body.empty()) {
    std::size_t comma = body.find(L',');
    std::wstring item = TrimBlanks(body.substr(0, comma));
    if (!item.empty()) {
      int v = Info.ValueOf(item);
      if (v < 0 || v >= 64) return false;
      bits |= std::uint64_t{1} << v;
    } else if (comma != std::wstring_view::npos) {
      return false;
    }
    if (comma == std::wstring_view::npos) break;
    body.remove_prefix(comma + 1);
  }
  Bits = bits;
  return true;
}

// ---- property infos ----

bool TPropInfo::Writable() const {
  switch (Kind) {
    case TPropKind::Float: return static_cast<bool>(SetFloat);
    case TPropKind::String: return static_cast<bool>(SetStr);
    case TPropKind::Object:
    case TPropKind::Collection: return static_cast<bool>(GetObject);
    case TPropKind::Component: return static_cast<bool>(SetObject);
    case TPropKind::Event: return static_cast<bool>(SetEvent);
    case TPropKind::StringList: return static_cast<bool>(SetList);
    case TPropKind::Binary: return static_cast<bool>(SetBinary);
    default: return static_cast<bool>(SetOrd);
  }
}

bool TPropInfo::IsDefault(const TObject* Instance) const {
  switch (Kind) {
    case TPropKind::Float: return HasDefault && GetFloat(Instance) == FloatDefault;
    case TPropKind::String: return HasDefault && GetStr(Instance) == StrDefault;
    case TPropKind::Object: return false;
    case TPropKind::Component: return GetObject(Instance) == nullptr;
    case TPropKind::Event: return !EventAssigned(Instance);
    case TPropKind::StringList: return GetList(Instance).empty();
    case TPropKind::Collection: {
      auto* c = dynamic_cast<const TCollection*>(GetObject(Instance));
      return !c || c->Count() == 0;
    }
    case TPropKind::Binary: return GetBinary ? GetBinary(Instance).empty() : true;
    default: return HasDefault && GetOrd(Instance) == OrdDefault;
  }
}

// ---- class infos and registry ----

const TPropInfo* TClassInfo::FindProperty(std::wstring_view PropName) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Properties)
      if (SameText(p.Name, PropName)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> all;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->Properties) {
      // A descendant may re-declare a property with another default: the latest one wins.
      auto same = std::find_if(all.begin(), all.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
      if (same != all.end())
        *same = &p;
      else
        all.push_back(&p);
    }
  return all;
}

bool TClassInfo::InheritsFrom(std::wstring_view ClassName) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (SameText(c->Name, ClassName)) return true;
  return false;
}

struct TClassRegistry::Impl {
  std::vector<std::unique_ptr<TClassInfo>> classes;
  std::map<std::wstring, TClassInfo*> byName;  // upper-cased
  std::unordered_map<std::type_index, TClassInfo*> byType;
  mutable std::unordered_map<std::type_index, const TClassInfo*> instanceCache;
};

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  static bool rooted = false;
  if (!rooted) {
    rooted = true;
    TClassInfo& object = registry.Add(L"TObject", nullptr, typeid(TObject));
    object.IsInstance = [](const TObject*) { return true; };
    TClassInfo& persistent = registry.Add(L"TPersistent", &object, typeid(TPersistent));
    persistent.IsInstance = [](const TObject* o) { return dynamic_cast<const TPersistent*>(o) != nullptr; };
    TClassInfo& component = registry.Add(L"TComponent", &persistent, typeid(TComponent));
    component.IsInstance = [](const TObject* o) { return dynamic_cast<const TComponent*>(o) != nullptr; };
    component.Properties.push_back([] {
      TPropInfo p;
      p.Name = L"Name";
      p.Kind = TPropKind::String;
      p.HasDefault = true;
      p.GetStr = [](const TObject* o) { return static_cast<const TComponent*>(o)->Name(); };
      p.SetStr = [](TObject* o, const std::wstring& v) { static_cast<TComponent*>(o)->SetName(v); };
      return p;
    }());
    component.Properties.push_back([] {
      TPropInfo p;
      p.Name = L"Tag";
      p.Kind = TPropKind::Integer;
      p.HasDefault = true;
      p.GetOrd = [](const TObject* o) { return std::int64_t{static_cast<const TComponent*>(o)->Tag()}; };
      p.SetOrd = [](TObject* o, std::int64_t v) { static_cast<TComponent*>(o)->SetTag(static_cast<int>(v)); };
      return p;
    }());
    TClassInfo& item = registry.Add(L"TCollectionItem", &persistent, typeid(TCollectionItem));
    item.IsInstance = [](const TObject* o) { return dynamic_cast<const TCollectionItem*>(o) != nullptr; };
    TClassInfo& collection = registry.Add(L"TCollection", &persistent, typeid(TCollection));
    collection.IsInstance = [](const TObject* o) { return dynamic_cast<const TCollection*>(o) != nullptr; };
  }
  // The library's own classes come first, so that any class can name one as its parent.
  static bool libraryRegistering = false;
  if (!libraryRegistering) {
    libraryRegistering = true;
    RegisterLibraryClasses();
  }
  return registry;
}

TClassRegistry::Impl& TClassRegistry::impl() const {
  static Impl impl;
  return impl;
}

TClassInfo& TClassRegistry::Add(std::wstring Name, const TClassInfo* Parent, std::type_index Type) {
  Impl& m = impl();
  std::wstring key = Upper(Name);
  if (m.byName.count(key)) throw EClassNotFound(L"A class named " + Name + L" is already registered");
  auto info = std::make_unique<TClassInfo>();
  info->Name = std::move(Name);
  info->Parent = Parent;
  info->Depth = Parent ? Parent->Depth + 1 : 0;
  TClassInfo* raw = info.get();
  m.classes.push_back(std::move(info));
  m.byName[key] = raw;
  m.byType[Type] = raw;
  m.instanceCache.clear();
  return *raw;
}

const TClassInfo* TClassRegistry::Find(std::wstring_view Name) const {
  Impl& m = impl();
  auto it = m.byName.find(Upper(Name));
  return it == m.byName.end() ? nullptr : it->second;
}

const TClassInfo* TClassRegistry::ByType(std::type_index Type) const {
  Impl& m = impl();
  auto it = m.byType.find(Type);
  return it == m.byType.end() ? nullptr : it->second;
}

const TClassInfo* TClassRegistry::ClassOf(const TObject* Instance) const {
  if (!Instance) return nullptr;
  Impl& m = impl();
  std::type_index type = typeid(*Instance);
  if (auto it = m.byType.find(type); it != m.byType.end()) return it->second;
  if (auto it = m.instanceCache.find(type); it != m.instanceCache.end()) return it->second;
  const TClassInfo* best = nullptr;
  for (auto& c : m.classes)
    if (c->IsInstance && (!best || c->Depth > best->Depth) && c->IsInstance(Instance)) best = c.get();
  m.instanceCache[type] = best;
  return best;
}

std::vector<const TClassInfo*> TClassRegistry::All() const {
  std::vector<const TClassInfo*> r;
  for (auto& c : impl().classes) r.push_back(c.get());
  return r;
}

namespace {
TClassRegistry& Registry() { return TClassRegistry::Instance(); }
}  // namespace

const TClassInfo* FindClass(std::wstring_view ClassName) { return Registry().Find(ClassName); }

const TClassInfo& GetClass(std::wstring_view ClassName) {
  const TClassInfo* c = FindClass(ClassName);
  if (!c) throw EClassNotFound(L"Class " + std::wstring(ClassName) + L" not found");
  return *c;
}

const TClassInfo* ClassInfoOf(const TObject* Instance) { return Registry().ClassOf(Instance); }

bool InheritsFrom(const TObject* Instance, std::wstring_view ClassName) {
  const TClassInfo* c = ClassInfoOf(Instance);
  return c && c->InheritsFrom(ClassName);
}

TComponent* CreateComponent(std::wstring_view ClassName, TComponent* AOwner) {
  const TClassInfo& c = GetClass(ClassName);
  if (!c.Create) throw EClassNotFound(L"Class " + c.Name + L" cannot be created by name");
  TComponent* component = c.Create(AOwner);
  try {
    component->AfterConstruction();
  } catch (...) {
    Free(component);
    throw;
  }
  return component;
}

// ---- property access by name ----

namespace {

struct Resolved {
  TObject* object = nullptr;
  const TPropInfo* prop = nullptr;
};

Resolved Resolve(const TObject* Instance, std::wstring_view PropName, bool mustExist) {
  Resolved r{const_cast<TObject*>(Instance), nullptr};
  while (r.object) {
    std::size_t dot = PropName.find(L'.');
    std::wstring_view head = PropName.substr(0, dot);
    const TClassInfo* c = ClassInfoOf(r.object);
    const TPropInfo* p = c ? c->FindProperty(head) : nullptr;
    if (!p) break;
    if (dot == std::wstring_view::npos) {
      r.prop = p;
      return r;
    }
    if (p->Kind != TPropKind::Object && p->Kind != TPropKind::Component) break;
    r.object = p->GetObject(r.object);
    PropName.remove_prefix(dot + 1);
  }
  if (mustExist)
    throw EPropertyError(L"Property " + std::wstring(PropName) + L" does not exist" +
                         (Instance ? L" in " + Instance->ClassName() : std::wstring()));
  return {};
}

void Require(const Resolved& r, std::initializer_list<TPropKind> kinds, std::wstring_view name) {
  for (TPropKind k : kinds)
    if (r.prop->Kind == k) return;
  throw EPropertyError(L"Property " + std::wstring(name) + L" has another type");
}

bool IsOrdinal(TPropKind k) {
  return k == TPropKind::Integer || k == TPropKind::Boolean || k == TPropKind::Enumeration || k == TPropKind::Set ||
         k == TPropKind::Color;
}

void RequireWritable(const Resolved& r) {
  if (!r.prop->Writable()) throw EPropertyError(L"Property " + r.prop->Name + L" is read-only");
}

}  // namespace

const TPropInfo* GetPropInfo(const TObject* Instance, std::wstring_view PropName) {
  return Resolve(Instance, PropName, false).prop;
}

bool IsPublishedProp(const TObject* Instance, std::wstring_view PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

std::int64_t GetOrdProp(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  if (!IsOrdinal(r.prop->Kind)) Require(r, {}, PropName);
  return r.prop->GetOrd(r.object);
}

void SetOrdProp(TObject* Instance, std::wstring_view PropName, std::int64_t Value) {
  Resolved r = Resolve(Instance, PropName, true);
  if (!IsOrdinal(r.prop->Kind)) Require(r, {}, PropName);
  RequireWritable(r);
  r.prop->SetOrd(r.object, Value);
}

std::wstring GetEnumProp(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Enumeration, TPropKind::Boolean}, PropName);
  std::int64_t v = r.prop->GetOrd(r.object);
  if (r.prop->Kind == TPropKind::Boolean) return v ? L"True" : L"False";
  if (v < 0 || v >= static_cast<std::int64_t>(r.prop->Enum->Names.size())) return std::to_wstring(v);
  return r.prop->Enum->Names[static_cast<std::size_t>(v)];
}

void SetEnumProp(TObject* Instance, std::wstring_view PropName, std::wstring_view Value) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Enumeration, TPropKind::Boolean}, PropName);
  SetPropText(Instance, PropName, Value);
}

std::wstring GetStrProp(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::String}, PropName);
  return r.prop->GetStr(r.object);
}

void SetStrProp(TObject* Instance, std::wstring_view PropName, const std::wstring& Value) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::String}, PropName);
  RequireWritable(r);
  r.prop->SetStr(r.object, Value);
}

double GetFloatProp(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Float}, PropName);
  return r.prop->GetFloat(r.object);
}

void SetFloatProp(TObject* Instance, std::wstring_view PropName, double Value) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Float}, PropName);
  RequireWritable(r);
  r.prop->SetFloat(r.object, Value);
}

TObject* GetObjectProp(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Object, TPropKind::Component, TPropKind::Collection}, PropName);
  return r.prop->GetObject(r.object);
}

void SetObjectProp(TObject* Instance, std::wstring_view PropName, TObject* Value) {
  Resolved r = Resolve(Instance, PropName, true);
  Require(r, {TPropKind::Component}, PropName);
  if (!r.prop->AcceptsObject(Value))
    throw EPropertyError(L"Property " + std::wstring(PropName) + L" does not accept a " + Value->ClassName());
  r.prop->SetObject(r.object, Value);
}

std::wstring GetPropText(const TObject* Instance, std::wstring_view PropName) {
  Resolved r = Resolve(Instance, PropName, true);
  const TPropInfo& p = *r.prop;
  switch (p.Kind) {
    case TPropKind::Integer:
    case TPropKind::Color: {
      std::int64_t v = p.GetOrd(r.object);
      std::wstring name;
      if (p.Idents && p.Idents->NameOf(v, name)) return name;
      return std::to_wstring(v);
    }
    case TPropKind::Boolean: return p.GetOrd(r.object) ? L"True" : L"False";
    case TPropKind::Enumeration: return GetEnumProp(Instance, PropName);
    case TPropKind::Set: return SetToString(*p.Enum, static_cast<std::uint64_t>(p.GetOrd(r.object)));
    case TPropKind::Float: {
      wchar_t buffer[64];
      swprintf(buffer, 64, L"%.17g", p.GetFloat(r.object));
      return buffer;
    }
    case TPropKind::String: return p.GetStr(r.object);
    case TPropKind::Component: {
      auto* c = dynamic_cast<TComponent*>(p.GetObject(r.object));
      return c ? c->Name() : L"";
    }
    default: throw EPropertyError(L"Property " + std::wstring(PropName) + L" has no text form");
  }
}

void SetPropText(TObject* Instance, std::wstring_view PropName, std::wstring_view Value) {
  Resolved r = Resolve(Instance, PropName, true);
  RequireWritable(r);
  const TPropInfo& p = *r.prop;
  auto bad = [&](const wchar_t* expected) {
    return EPropertyError(L"Invalid value '" + std::wstring(Value) + L"' for property " + p.Name + L": " + expected +
                          L" expected");
  };
  std::int64_t v = 0;
  switch (p.Kind) {
    case TPropKind::Integer:
    case TPropKind::Color:
      if (!(p.Idents && p.Idents->Find(TrimBlanks(Value), v)) && !ParseInteger(Value, v))
        throw bad(p.Kind == TPropKind::Color ? L"a colour" : L"an integer");
      p.SetOrd(r.object, v);
      return;
    case TPropKind::Boolean: {
      std::wstring t = TrimBlanks(Value);
      if (SameText(t, L"True"))
        v = 1;
      else if (SameText(t, L"False"))
        v = 0;
      else
        throw bad(L"True or False");
      p.SetOrd(r.object, v);
      return;
    }
    case TPropKind::Enumeration: {
      int e = p.Enum->ValueOf(TrimBlanks(Value));
      if (e < 0) throw bad(p.Enum->TypeName.c_str());
      p.SetOrd(r.object, e);
      return;
    }
    case TPropKind::Set: {
      std::uint64_t bits = 0;
      if (!StringToSet(*p.Enum, Value, bits)) throw bad(L"a set");
      p.SetOrd(r.object, static_cast<std::int64_t>(bits));
      return;
    }
    case TPropKind::Float: {
      double d = 0;
      if (!ParseFloat(Value, d)) throw bad(L"a number");
      p.SetFloat(r.object, d);
      return;
    }
    case TPropKind::String: p.SetStr(r.object, std::wstring(Value)); return;
    default: throw EPropertyError(L"Property " + std::wstring(PropName) + L" cannot be set from text");
  }
}

void CopyPublishedProperties(const TObject* Source, TObject* Dest) {
  const TClassInfo* c = ClassInfoOf(Source);
  if (!c) return;
  for (const TPropInfo* p : c->AllProperties()) {
    if (SameText(p->Name, L"Name")) continue;
    switch (p->Kind) {
      case TPropKind::Float:
        if (p->SetFloat) p->SetFloat(Dest, p->GetFloat(Source));
        break;
      case TPropKind::String:
        if (p->SetStr) p->SetStr(Dest, p->GetStr(Source));
        break;
      case TPropKind::Object: {
        TObject* from = p->GetObject(Source);
        TObject* to = p->GetObject(Dest);
        auto* fromP = dynamic_cast<TPersistent*>(from);
        auto* toP = dynamic_cast<TPersistent*>(to);
        if (fromP && toP) toP->Assign(fromP);
        break;
      }
      case TPropKind::Component:
        if (p->SetObject) p->SetObject(Dest, p->GetObject(Source));
        break;
      case TPropKind::Collection: {
        auto* from = dynamic_cast<TCollection*>(p->GetObject(Source));
        auto* to = dynamic_cast<TCollection*>(p->GetObject(Dest));
        if (from && to) to->Assign(from);
        break;
      }
      case TPropKind::StringList:
        if (p->SetList) p->SetList(Dest, p->GetList(Source));
        break;
      case TPropKind::Binary:
        if (p->SetBinary && p->GetBinary) p->SetBinary(Dest, p->GetBinary(Source));
        break;
      case TPropKind::Event: break;
      default:
        if (p->SetOrd) p->SetOrd(Dest, p->GetOrd(Source));
        break;
    }
  }
}

}  // namespace classlib
