#pragma once
// Roots of the component library's object model.
#include <functional>
#include <string>

namespace classlib {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The registered class name ("TButton"); descendants that are registered override it.
  virtual std::wstring ClassName() const { return L"TObject"; }
  // Runs once the whole constructor chain has finished (virtual calls reach the real class here);
  // Create<T>(), the class registry and the form reader call it.
  virtual void AfterConstruction() {}
  // Runs before the destructor chain starts, while the object is still whole; Free() calls it.
  virtual void BeforeDestruction() {}
};

// Destroys an object the way its owner would: BeforeDestruction first, then the destructors.
inline void Free(TObject* object) {
  if (!object) return;
  object->BeforeDestruction();
  delete object;
}

template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  Free(doomed);
}

class TPersistent : public TObject {
 public:
  std::wstring ClassName() const override { return L"TPersistent"; }
  // Copies the published state of Source; the base refuses (EConvertError) like an unknown type.
  virtual void Assign(const TPersistent* Source);
};

// Event handlers: a form binds them by method name when its description is read.
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace classlib
