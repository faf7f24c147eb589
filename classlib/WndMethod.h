#pragma once
// TWndMethod: an object and one of its message methods, the type of a control's WindowProc.
// A window handler saves the current value, installs its own and later puts the saved one back;
// two values compare equal when they name the same object and the same method, so a handler can
// tell whether the procedure it installed is still in place.
#include <cstring>
#include <type_traits>

#include "classlib/Messages.h"

namespace classlib {

class TWndMethod {
 public:
  TWndMethod() = default;

  template <class T, class Base>
  requires std::is_base_of_v<Base, T> TWndMethod(T* object, void (Base::*method)(TMessage&)) {
    using Method = void (Base::*)(TMessage&);
    static_assert(sizeof(Method) <= sizeof(method_), "member pointer does not fit");
    object_ = static_cast<Base*>(object);
    std::memcpy(method_, &method, sizeof(Method));
    invoke_ = &Invoke<Base>;
  }

  void operator()(TMessage& message) const {
    if (invoke_) invoke_(object_, method_, message);
  }
  explicit operator bool() const { return invoke_ != nullptr; }
  const void* Object() const { return object_; }

  friend bool operator==(const TWndMethod& a, const TWndMethod& b) {
    return a.object_ == b.object_ && a.invoke_ == b.invoke_ && std::memcmp(a.method_, b.method_, sizeof a.method_) == 0;
  }

 private:
  template <class Base>
  static void Invoke(void* object, const unsigned char* stored, TMessage& message) {
    using Method = void (Base::*)(TMessage&);
    Method method;
    std::memcpy(&method, stored, sizeof(Method));
    (static_cast<Base*>(object)->*method)(message);
  }

  void* object_ = nullptr;
  alignas(void*) unsigned char method_[2 * sizeof(void*)] = {};
  void (*invoke_)(void*, const unsigned char*, TMessage&) = nullptr;
};

}  // namespace classlib
