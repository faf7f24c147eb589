#pragma once
// Applying a window description (forms::ObjectNode, as FormReader reads it) to live components:
// the root exists already (the form being constructed); nested objects are created by class name,
// owned by the root and nested in their enclosing object; properties not in the description keep
// the defaults their constructors set. Component references are resolved once everything is read,
// so a description may name a component before it appears. Event bindings name handler methods
// that the form declares in its TFormBindings; one handler may serve any number of components.
//
// Every fault is an EFormError whose message names the description line.
#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Exception.h"
#include "classlib/FormNode.h"

namespace classlib {

// What a form class tells the reader: the fields that receive its components and the methods that
// handle events, each by name. Built for the time of one reading; it holds references to fields.
class TFormBindings {
 public:
  explicit TFormBindings(TComponent* Root) : root_(Root) {}
  TComponent* Root() const { return root_; }

  // The component named Name is stored into Slot (which must be able to hold its class).
  template <class C>
  TFormBindings& Field(std::wstring Name, C*& Slot) {
    fields_[Key(Name)] = {Name, [&Slot](TComponent* c) {
                            C* typed = dynamic_cast<C*>(c);
                            if (!typed) return false;
                            Slot = typed;
                            return true;
                          }};
    return *this;
  }

  // An event bound to Name calls Method on the root object. The event's handler type must match
  // the method's parameters exactly (TNotifyEvent: void(TObject* Sender)).
  template <class F, class R, class... A>
  TFormBindings& Handler(std::wstring Name, R (F::*Method)(A...)) {
    F* self = dynamic_cast<F*>(root_);
    if (!self) throw EFormError(L"Handler " + Name + L" belongs to another class than the root");
    std::function<R(A...)> call = [self, Method](A... args) -> R { return (self->*Method)(std::forward<A>(args)...); };
    handlers_[Key(Name)] = {Name, std::any(std::move(call))};
    return *this;
  }
  template <class R, class... A>
  TFormBindings& Handler(std::wstring Name, std::function<R(A...)> Call) {
    handlers_[Key(Name)] = {Name, std::any(std::move(Call))};
    return *this;
  }

  // For the reader: nullptr when no handler has that name.
  const std::any* FindHandler(std::wstring_view Name) const;
  // For the reader: false when the field exists but cannot hold Component; true otherwise.
  bool BindField(std::wstring_view Name, TComponent* Component) const;
  // Fields declared but missing from the description.
  std::vector<std::wstring> UnboundFields(const TComponent* Root) const;

 private:
  static std::wstring Key(std::wstring_view Name);
  struct FieldSlot {
    std::wstring name;
    std::function<bool(TComponent*)> bind;
  };
  struct HandlerSlot {
    std::wstring name;
    std::any call;
  };
  TComponent* root_;
  std::map<std::wstring, FieldSlot> fields_;
  std::map<std::wstring, HandlerSlot> handlers_;
};

struct TDescriptionOptions {
  // Named in error messages: "description TFORM1, line 12: ...".
  std::wstring Source;
  // Looks up "Form2" of a qualified reference "Form2.Button1" that is not the root itself.
  std::function<TComponent*(std::wstring_view)> FindGlobalComponent;
};

// Reads Node into Root. Root's class is not checked against Node's class name: a form applies the
// description it was given.
void ApplyDescription(TComponent* Root, const forms::ObjectNode& Node, const TFormBindings& Bindings,
                      const TDescriptionOptions& Options = {});

// Global lookup of top-level components by name (forms register here through Screen).
void SetGlobalComponentFinder(std::function<TComponent*(std::wstring_view)> Finder);
TComponent* FindGlobalComponent(std::wstring_view Name);

}  // namespace classlib
