#pragma once
// A read-only stream over a resource compiled into a module (win32 only).
#include <windows.h>

#include "classlib/Streams.h"

namespace classlib {

class TResourceStream : public TCustomMemoryStream {
 public:
  // EResNotFound "Resource NAME not found" when the module holds no such resource.
  TResourceStream(HINSTANCE instance, const std::wstring& name, const wchar_t* type = RT_RCDATA);
  TResourceStream(HINSTANCE instance, int id, const wchar_t* type = RT_RCDATA);
  std::wstring ClassName() const override { return L"TResourceStream"; }
  // Always raises EStreamError: the resource is read-only.
  std::int64_t Write(const void* buffer, std::int64_t count) override;

 private:
  void Load(HINSTANCE instance, const wchar_t* name, const wchar_t* type, const std::wstring& shownName);
};

}  // namespace classlib
