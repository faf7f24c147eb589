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
};

class TPersistent : public TObject {
 public:
  std::wstring ClassName() const override { return L"TPersistent"; }
  // Copies the published state of Source; the base refuses (EConvertError) like an unknown type.
  virtual void Assign(const TPersistent* Source);
};

// Event handlers: a form binds them by method name when its description is read.
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace classlib
