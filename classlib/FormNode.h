#pragma once
// A window description as read from its text: objects, their properties and nested objects.
// The reader (FormReader) builds it; the object model applies it to live components.
#include <cstdint>
#include <string>
#include <vector>

namespace classlib::forms {

struct Property;

struct Value {
  enum class Kind {
    Integer,     // 42, -5, $FF
    Float,       // 1.5
    String,      // 'text' (UTF-16 after reading)
    Identifier,  // True, clBtnFace, bsSingle, a handler name, a component reference (Form1.Button1)
    Set,         // [akLeft, akTop]
    List,        // ( 'a' 'b' ): string lists and other value lists
    Binary,      // { 0A0B.. }
    Collection,  // < item ... end item ... end >
  };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;
  double real = 0;
  std::wstring text;                         // String and Identifier
  std::vector<std::wstring> set;             // Set
  std::vector<Value> list;                   // List
  std::vector<std::uint8_t> binary;          // Binary
  std::vector<std::vector<Property>> items;  // Collection: the properties of each item
  int line = 0;

  friend bool operator==(const Value&, const Value&) = default;
};

struct Property {
  std::wstring name;  // possibly dotted: Font.Name
  Value value;
  int line = 0;

  friend bool operator==(const Property&, const Property&) = default;
};

struct ObjectNode {
  std::wstring name;       // component name (may be empty)
  std::wstring className;  // registered class name
  std::vector<Property> properties;
  std::vector<ObjectNode> children;
  int line = 0;

  friend bool operator==(const ObjectNode&, const ObjectNode&) = default;
};

}  // namespace classlib::forms
