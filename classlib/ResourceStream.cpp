#include "classlib/ResourceStream.h"

#include "classlib/Exception.h"
#include "classlib/SysUtils.h"

namespace classlib {

TResourceStream::TResourceStream(HINSTANCE instance, const std::wstring& name, const wchar_t* type) {
  Load(instance, name.c_str(), type, name);
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, const wchar_t* type) {
  Load(instance, MAKEINTRESOURCEW(id), type, IntToStr(id));
}

void TResourceStream::Load(HINSTANCE instance, const wchar_t* name, const wchar_t* type,
                           const std::wstring& shownName) {
  // Resource memory belongs to the loaded module and lives as long as it: nothing to free.
  HRSRC info = FindResourceW(instance, name, type);
  HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw EResNotFound(L"Resource " + shownName + L" not found");
  SetPointer(static_cast<const std::uint8_t*>(data), SizeofResource(instance, info));
}

std::int64_t TResourceStream::Write(const void*, std::int64_t) {
  throw EStreamError(L"Can't write to a read-only resource stream");
}

}  // namespace classlib
