#include "classlib/FormLoader.h"

#include <algorithm>

#include "classlib/TypInfo.h"

namespace classlib {

namespace {

std::function<TComponent*(std::wstring_view)>& GlobalFinder() {
  static std::function<TComponent*(std::wstring_view)> finder;
  return finder;
}

const wchar_t* KindName(forms::Value::Kind k) {
  switch (k) {
    case forms::Value::Kind::Integer: return L"an integer";
    case forms::Value::Kind::Float: return L"a number";
    case forms::Value::Kind::String: return L"a string";
    case forms::Value::Kind::Identifier: return L"an identifier";
    case forms::Value::Kind::Set: return L"a set";
    case forms::Value::Kind::List: return L"a list";
    case forms::Value::Kind::Binary: return L"binary data";
    case forms::Value::Kind::Collection: return L"a collection";
  }
  return L"a value";
}

const wchar_t* ExpectedFor(TPropKind k) {
  switch (k) {
    case TPropKind::Integer: return L"an integer";
    case TPropKind::Boolean: return L"True or False";
    case TPropKind::Enumeration: return L"an enumeration value";
    case TPropKind::Set: return L"a set";
    case TPropKind::Color: return L"a colour";
    case TPropKind::Float: return L"a number";
    case TPropKind::String: return L"a string";
    case TPropKind::Object: return L"nested properties (Name.Property = ...)";
    case TPropKind::Component: return L"a component name";
    case TPropKind::Event: return L"a handler name";
    case TPropKind::StringList: return L"a list of strings";
    case TPropKind::Collection: return L"a collection";
    case TPropKind::Binary: return L"binary data";
  }
  return L"a value";
}

class Applier {
 public:
  Applier(TComponent* root, const TFormBindings& bindings, const TDescriptionOptions& options)
      : root_(root), bindings_(bindings), options_(options) {}

  void Run(const forms::ObjectNode& node) {
    loaded_.push_back(root_);
    root_->IncludeState(csLoading);
    root_->IncludeState(csReading);
    try {
      if (!node.name.empty()) Guard(node.line, node.name, [&] { root_->SetName(node.name); });
      std::wstring context = node.name.empty() ? node.className : node.name;
      ApplyProperties(root_, node.properties, context);
      for (const forms::ObjectNode& child : node.children) ReadComponent(child, root_);
      ResolveFixups();
    } catch (...) {
      for (TComponent* c : loaded_) {
        c->ExcludeState(csReading);
        c->ExcludeState(csLoading);
      }
      throw;
    }
    for (TComponent* c : loaded_) c->ExcludeState(csReading);
    // Loaded may create windows or run handlers; a component freed by an earlier one is skipped.
    std::vector<TComponent*> pending = loaded_;
    for (TComponent* c : pending)
      if (StillOwned(c)) c->Loaded();
  }

 private:
  // Compares pointers only: a component freed meanwhile is never touched.
  bool StillOwned(const TComponent* c) const {
    if (c == root_) return true;
    for (int i = 0; i < root_->ComponentCount(); ++i)
      if (root_->Components(i) == c) return true;
    return false;
  }

  [[noreturn]] void Fail(int line, const std::wstring& what) const {
    std::wstring where = options_.Source.empty() ? L"" : L"description " + options_.Source + L", ";
    throw EFormError(where + L"line " + std::to_wstring(line) + L": " + what);
  }

  // Runs f; any library or standard exception becomes an EFormError naming the line.
  template <class F>
  void Guard(int line, const std::wstring& context, F&& f) {
    try {
      f();
    } catch (const EFormError&) {
      throw;
    } catch (const Exception& e) {
      Fail(line, context + L": " + e.Message());
    } catch (const std::exception& e) {
      std::string what = e.what();
      Fail(line, context + L": " + std::wstring(what.begin(), what.end()));
    }
  }

  void ReadComponent(const forms::ObjectNode& node, TComponent* parent) {
    std::wstring context = node.name.empty() ? node.className : node.name;
    if (node.className.empty()) Fail(node.line, L"object " + context + L" has no class");
    const TClassInfo* cls = FindClass(node.className);
    if (!cls) Fail(node.line, L"class " + node.className + L" is not registered");
    if (!cls->Create) Fail(node.line, L"class " + node.className + L" cannot be created by name");
    if (!node.name.empty() && root_->FindComponent(node.name))
      Fail(node.line, L"a component named " + node.name + L" already exists");
    TComponent* component = nullptr;
    Guard(node.line, context, [&] {
      component = cls->Create(root_);
      try {
        component->AfterConstruction();
      } catch (...) {
        Free(component);
        throw;
      }
    });
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    loaded_.push_back(component);
    Guard(node.line, context, [&] { component->SetName(node.name); });
    if (!node.name.empty() && !bindings_.BindField(node.name, component))
      Fail(node.line, L"field " + node.name + L" cannot hold a " + cls->Name);
    Guard(node.line, context, [&] { component->SetParentComponent(parent); });
    ApplyProperties(component, node.properties, context);
    for (const forms::ObjectNode& child : node.children) ReadComponent(child, component);
  }

  void ApplyProperties(TObject* object, const std::vector<forms::Property>& props, const std::wstring& context) {
    for (const forms::Property& p : props) ApplyProperty(object, p, context);
  }

  void ApplyProperty(TObject* object, const forms::Property& prop, const std::wstring& context) {
    const int line = prop.line ? prop.line : prop.value.line;
    std::wstring_view rest = prop.name;
    TObject* target = object;
    std::wstring path = context;
    while (true) {
      std::size_t dot = rest.find(L'.');
      std::wstring head(rest.substr(0, dot));
      const TClassInfo* cls = ClassInfoOf(target);
      const TPropInfo* info = cls ? cls->FindProperty(head) : nullptr;
      if (!info) Fail(line, path + L": " + (cls ? cls->Name : target->ClassName()) + L" has no property " + head);
      path += L"." + info->Name;
      if (dot == std::wstring_view::npos) {
        Assign(target, *info, prop.value, line, path);
        return;
      }
      rest.remove_prefix(dot + 1);
      // "Items.Strings = (...)": the list itself.
      if (info->Kind == TPropKind::StringList && rest.find(L'.') == std::wstring_view::npos &&
          SameText(rest, L"Strings")) {
        Assign(target, *info, prop.value, line, path);
        return;
      }
      if (info->Kind != TPropKind::Object) Fail(line, path + L" has no sub-properties");
      TObject* sub = info->GetObject(target);
      if (!sub) Fail(line, path + L" is not assigned");
      target = sub;
    }
  }

  void Assign(TObject* target, const TPropInfo& info, const forms::Value& value, int line, const std::wstring& path) {
    using K = forms::Value::Kind;
    auto mismatch = [&] {
      Fail(line, path + L": " + ExpectedFor(info.Kind) + L" expected, found " + KindName(value.kind) +
                     (value.kind == K::Identifier || value.kind == K::String ? L" '" + value.text + L"'" : L""));
    };
    if (!info.Writable()) Fail(line, path + L" is read-only");
    switch (info.Kind) {
      case TPropKind::Integer:
      case TPropKind::Color: {
        std::int64_t v = 0;
        if (value.kind == K::Integer)
          v = value.integer;
        else if (value.kind == K::Identifier && info.Idents && info.Idents->Find(value.text, v)) {
        } else
          mismatch();
        Guard(line, path, [&] { info.SetOrd(target, v); });
        return;
      }
      case TPropKind::Boolean: {
        if (value.kind != K::Identifier) mismatch();
        std::int64_t v;
        if (SameText(value.text, L"True"))
          v = 1;
        else if (SameText(value.text, L"False"))
          v = 0;
        else
          mismatch();
        Guard(line, path, [&] { info.SetOrd(target, v); });
        return;
      }
      case TPropKind::Enumeration: {
        if (value.kind != K::Identifier) mismatch();
        int v = info.Enum->ValueOf(value.text);
        if (v < 0) Fail(line, path + L": '" + value.text + L"' is not a value of " + info.Enum->TypeName);
        Guard(line, path, [&] { info.SetOrd(target, v); });
        return;
      }
      case TPropKind::Set: {
        if (value.kind != K::Set) mismatch();
        std::uint64_t bits = 0;
        for (const std::wstring& name : value.set) {
          int v = info.Enum->ValueOf(name);
          if (v < 0 || v >= 64) Fail(line, path + L": '" + name + L"' is not a value of " + info.Enum->TypeName);
          bits |= std::uint64_t{1} << v;
        }
        Guard(line, path, [&] { info.SetOrd(target, static_cast<std::int64_t>(bits)); });
        return;
      }
      case TPropKind::Float: {
        double v;
        if (value.kind == K::Float)
          v = value.real;
        else if (value.kind == K::Integer)
          v = static_cast<double>(value.integer);
        else
          mismatch();
        Guard(line, path, [&] { info.SetFloat(target, v); });
        return;
      }
      case TPropKind::String:
        if (value.kind != K::String) mismatch();
        Guard(line, path, [&] { info.SetStr(target, value.text); });
        return;
      case TPropKind::Component:
        if (value.kind != K::Identifier) mismatch();
        if (SameText(value.text, L"nil")) {
          Guard(line, path, [&] { info.SetObject(target, nullptr); });
          return;
        }
        fixups_.push_back({target, &info, value.text, line, path});
        return;
      case TPropKind::Event: {
        if (value.kind != K::Identifier) mismatch();
        const std::any* handler = bindings_.FindHandler(value.text);
        if (!handler) Fail(line, path + L": no handler named " + value.text);
        if (std::type_index(handler->type()) != info.EventType)
          Fail(line, path + L": handler " + value.text + L" does not fit this event");
        Guard(line, path, [&] { info.SetEvent(target, *handler); });
        return;
      }
      case TPropKind::StringList: {
        if (value.kind != K::List) mismatch();
        std::vector<std::wstring> items;
        for (const forms::Value& v : value.list) {
          if (v.kind != K::String) Fail(v.line ? v.line : line, path + L": list items must be strings");
          items.push_back(v.text);
        }
        Guard(line, path, [&] { info.SetList(target, items); });
        return;
      }
      case TPropKind::Collection: {
        if (value.kind != K::Collection) mismatch();
        auto* collection = dynamic_cast<TCollection*>(info.GetObject(target));
        if (!collection) Fail(line, path + L" is not assigned");
        collection->BeginUpdate();
        try {
          Guard(line, path, [&] { collection->Clear(); });
          for (std::size_t i = 0; i < value.items.size(); ++i) {
            TCollectionItem* item = nullptr;
            Guard(line, path, [&] { item = collection->Add(); });
            ApplyProperties(item, value.items[i], path + L"[" + std::to_wstring(i) + L"]");
          }
        } catch (...) {
          collection->EndUpdate();
          throw;
        }
        Guard(line, path, [&] { collection->EndUpdate(); });
        return;
      }
      case TPropKind::Binary:
        if (value.kind != K::Binary) mismatch();
        Guard(line, path, [&] { info.SetBinary(target, value.binary); });
        return;
      case TPropKind::Object: mismatch();
    }
  }

  struct Fixup {
    TObject* target;
    const TPropInfo* info;
    std::wstring reference;
    int line;
    std::wstring path;
  };

  TComponent* Lookup(const std::wstring& reference) const {
    std::size_t dot = reference.find(L'.');
    if (dot == std::wstring::npos) {
      if (TComponent* c = root_->FindComponent(reference)) return c;
      if (!root_->Name().empty() && SameText(root_->Name(), reference)) return root_;
      return FindGlobalComponent(reference);
    }
    std::wstring owner = reference.substr(0, dot), name = reference.substr(dot + 1);
    if (name.find(L'.') != std::wstring::npos) return nullptr;
    TComponent* top = nullptr;
    if (!root_->Name().empty() && SameText(root_->Name(), owner))
      top = root_;
    else if (options_.FindGlobalComponent)
      top = options_.FindGlobalComponent(owner);
    if (!top) top = FindGlobalComponent(owner);
    return top ? top->FindComponent(name) : nullptr;
  }

  void ResolveFixups() {
    for (const Fixup& f : fixups_) {
      TComponent* c = Lookup(f.reference);
      if (!c) Fail(f.line, f.path + L": no component named " + f.reference);
      if (!f.info->AcceptsObject(c))
        Fail(f.line, f.path + L": " + f.reference + L" is a " + c->ClassName() + L", which does not fit");
      Guard(f.line, f.path, [&] { f.info->SetObject(f.target, c); });
    }
  }

  TComponent* root_;
  const TFormBindings& bindings_;
  const TDescriptionOptions& options_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
};

}  // namespace

std::wstring TFormBindings::Key(std::wstring_view Name) {
  std::wstring k(Name);
  for (wchar_t& c : k)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return k;
}

const std::any* TFormBindings::FindHandler(std::wstring_view Name) const {
  auto it = handlers_.find(Key(Name));
  return it == handlers_.end() ? nullptr : &it->second.call;
}

bool TFormBindings::BindField(std::wstring_view Name, TComponent* Component) const {
  auto it = fields_.find(Key(Name));
  if (it == fields_.end()) return true;
  return it->second.bind(Component);
}

std::vector<std::wstring> TFormBindings::UnboundFields(const TComponent* Root) const {
  std::vector<std::wstring> missing;
  for (auto& [key, slot] : fields_)
    if (!Root->FindComponent(slot.name)) missing.push_back(slot.name);
  return missing;
}

void ApplyDescription(TComponent* Root, const forms::ObjectNode& Node, const TFormBindings& Bindings,
                      const TDescriptionOptions& Options) {
  Applier(Root, Bindings, Options).Run(Node);
}

void SetGlobalComponentFinder(std::function<TComponent*(std::wstring_view)> Finder) {
  GlobalFinder() = std::move(Finder);
}

TComponent* FindGlobalComponent(std::wstring_view Name) {
  auto& f = GlobalFinder();
  return f ? f(Name) : nullptr;
}

}  // namespace classlib
