// Writing a description tree back as text, in the layout the reader documents.
#include <charconv>
#include <cmath>

#include "classlib/Exception.h"
#include "classlib/FormReader.h"
#include "classlib/SysUtils.h"
#include "classlib/Utf8.h"

namespace classlib::forms {
namespace {

[[noreturn]] void Refuse(std::wstring_view why) {
  throw EFormError(L"cannot write the description: " + std::wstring(why));
}

std::string Ascii(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out.push_back(static_cast<char>(c));
  return out;
}

bool IsNamePart(std::wstring_view name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const wchar_t c = name[i];
    const bool letter = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
    if (!letter && !(i > 0 && c >= L'0' && c <= L'9')) return false;
  }
  return true;
}

bool IsReserved(std::wstring_view name) {
  return SameText(name, L"object") || SameText(name, L"end") || SameText(name, L"item");
}

bool IsPlainName(std::wstring_view name) { return IsNamePart(name) && !IsReserved(name); }

// Names joined by dots (Font.Name, Form1.Button1).
bool IsDottedName(std::wstring_view name) {
  if (IsReserved(name)) return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = name.find(L'.', start);
    if (!IsNamePart(name.substr(start, dot == std::wstring_view::npos ? std::wstring_view::npos : dot - start)))
      return false;
    if (dot == std::wstring_view::npos) return true;
    start = dot + 1;
  }
}

std::string Name(std::wstring_view name, bool dotted) {
  if (!(dotted ? IsDottedName(name) : IsPlainName(name))) Refuse(L"'" + std::wstring(name) + L"' is not a valid name");
  return Ascii(name);
}

class Writer {
 public:
  std::string Take() { return std::move(out_); }

  void Object(const ObjectNode& node, int indent) {
    Indent(indent);
    out_ += "object ";
    if (!node.name.empty()) out_ += Name(node.name, false) + ": ";
    out_ += Name(node.className, false) + "\n";
    for (const auto& p : node.properties) PropertyLine(p, indent + 1);
    for (const auto& child : node.children) Object(child, indent + 1);
    Indent(indent);
    out_ += "end\n";
  }

 private:
  void Indent(int level) { out_.append(static_cast<std::size_t>(level) * 2, ' '); }

  void PropertyLine(const Property& p, int indent) {
    Indent(indent);
    out_ += Name(p.name, true) + " = ";
    WriteValue(p.value, indent);
    out_ += "\n";
  }

  void WriteValue(const Value& v, int indent) {
    switch (v.kind) {
      case Value::Kind::Integer: out_ += std::to_string(v.integer); break;
      case Value::Kind::Float: {
        if (!std::isfinite(v.real)) Refuse(L"a number that is not finite");
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v.real);
        std::string text(buffer, result.ptr);
        // The shortest form of 2.0 is "2", which would read back as an integer.
        if (text.find_first_of(".e") == std::string::npos) text += ".0";
        out_ += text;
        break;
      }
      case Value::Kind::String: String(v.text); break;
      case Value::Kind::Identifier: out_ += Name(v.text, true); break;
      case Value::Kind::Set:
        out_ += "[";
        for (std::size_t i = 0; i < v.set.size(); ++i) {
          if (i > 0) out_ += ", ";
          out_ += Name(v.set[i], false);
        }
        out_ += "]";
        break;
      case Value::Kind::List:
        out_ += "(";
        for (const auto& item : v.list) {
          out_ += "\n";
          Indent(indent + 1);
          WriteValue(item, indent + 1);
        }
        out_ += ")";
        break;
      case Value::Kind::Binary: {
        static constexpr char kHex[] = "0123456789ABCDEF";
        out_ += "{";
        for (std::size_t i = 0; i < v.binary.size(); ++i) {
          if (i % 32 == 0) {
            out_ += "\n";
            Indent(indent + 1);
          }
          out_.push_back(kHex[v.binary[i] >> 4]);
          out_.push_back(kHex[v.binary[i] & 0xF]);
        }
        out_ += "}";
        break;
      }
      case Value::Kind::Collection:
        out_ += "<";
        for (const auto& item : v.items) {
          out_ += "\n";
          Indent(indent + 1);
          out_ += "item\n";
          for (const auto& p : item) PropertyLine(p, indent + 2);
          Indent(indent + 1);
          out_ += "end";
        }
        out_ += ">";
        break;
    }
  }

  // Printable characters inside quotes, the rest as #codes.
  void String(std::wstring_view text) {
    if (text.empty()) {
      out_ += "''";
      return;
    }
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char32_t c = CodePointAt(text, i);
      if (c >= 0xD800 && c <= 0xDFFF) Refuse(L"a string holds an unpaired surrogate");
      if (c > 0x10FFFF) Refuse(L"a string holds an invalid character");
      const bool printable = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0);
      if (printable) {
        if (!quoted) out_ += "'";
        quoted = true;
        if (c == '\'') out_ += "'";
        AppendUtf8(out_, c);
      } else {
        if (quoted) out_ += "'";
        quoted = false;
        out_ += "#" + std::to_string(static_cast<std::uint32_t>(c));
      }
    }
    if (quoted) out_ += "'";
  }

  std::string out_;
};

}  // namespace

std::string WriteForm(const ObjectNode& root) {
  Writer writer;
  writer.Object(root, 0);
  return writer.Take();
}

}  // namespace classlib::forms
