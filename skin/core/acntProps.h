#pragma once
// Published properties reached by name, for properties of foreign controls whose class is not
// known here (win32 build only: the class registry lives in the component library).
//
// Every routine is soft: no object, no such property or a property of another kind gives the
// "nothing" result (false, nullptr, -1) and changes nothing.
#include <cstdint>
#include <string_view>

#include "classlib/Object.h"

namespace skin {

bool HasProperty(const classlib::TObject* Obj, std::wstring_view Name);
// The object held by an object or component property.
classlib::TObject* GetObjProp(const classlib::TObject* Obj, std::wstring_view Name);
// Stores Value in a component-reference property that accepts its class.
void SetObjProp(classlib::TObject* Obj, std::wstring_view Name, classlib::TObject* Value);
// The value of an ordinal property (integer, boolean, enumeration, set, colour).
std::int64_t GetIntProp(const classlib::TObject* Obj, std::wstring_view Name);
void SetIntProp(classlib::TObject* Obj, std::wstring_view Name, std::int64_t Value);
// The set property holds the element named exactly Element (among its first 32 elements).
bool CheckSetProp(const classlib::TObject* Obj, std::wstring_view Name, std::wstring_view Element);
// Adds (Add) or removes the element named exactly Element; always false.
bool SetSetPropValue(classlib::TObject* Obj, std::wstring_view Name, std::wstring_view Element, bool Add);

}  // namespace skin
