#include "classlib/FormReader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "classlib/Exception.h"
#include "classlib/SysUtils.h"

namespace classlib::forms {
namespace {

// Objects, values inside values and collection items together may not nest deeper than this: a
// hostile text must not exhaust the stack.
constexpr int kMaxDepth = 64;

[[noreturn]] void Fail(int line, std::wstring_view message) {
  throw EFormError(L"line " + IntToStr(line) + L": " + std::wstring(message));
}

// ---------------------------------------------------------------- UTF-8

std::u32string DecodeUtf8(std::string_view text) {
  std::size_t i = 0;
  if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
      static_cast<unsigned char>(text[2]) == 0xBF)
    i = 3;
  std::u32string out;
  out.reserve(text.size());
  int line = 1;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      if (b0 == '\n') ++line;
      out.push_back(b0);
      ++i;
      continue;
    }
    int length;
    char32_t code, minimum;
    if ((b0 & 0xE0) == 0xC0) {
      length = 2, code = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      length = 3, code = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      length = 4, code = b0 & 0x07, minimum = 0x10000;
    } else {
      Fail(line, L"invalid UTF-8 text");
    }
    if (text.size() - i < static_cast<std::size_t>(length)) Fail(line, L"invalid UTF-8 text");
    for (int k = 1; k < length; ++k) {
      const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) Fail(line, L"invalid UTF-8 text");
      code = (code << 6) | (b & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) Fail(line, L"invalid UTF-8 text");
    out.push_back(code);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

// ---------------------------------------------------------------- tokens

struct Token {
  enum Kind { End, Identifier, Integer, Float, String, Binary, Symbol };
  Kind kind = End;
  std::wstring text;  // Identifier, String
  std::int64_t integer = 0;
  double real = 0;
  std::vector<std::uint8_t> binary;
  char32_t symbol = 0;
  int line = 1;
};

bool IsLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
int HexDigit(char32_t c) {
  if (IsDigit(c)) return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// How a character is shown in a message: itself when printable, else its code.
std::wstring Shown(char32_t c) {
  if (c >= 0x21 && c < 0x7F) return L"'" + std::wstring(1, static_cast<wchar_t>(c)) + L"'";
  return L"#" + IntToStr(static_cast<std::int64_t>(c));
}

std::wstring Describe(const Token& t) {
  switch (t.kind) {
    case Token::End: return L"end of text";
    case Token::Identifier: return L"'" + t.text + L"'";
    case Token::Integer: return L"number " + IntToStr(t.integer);
    case Token::Float: return L"a number";
    case Token::String: return L"a string";
    case Token::Binary: return L"a binary value";
    case Token::Symbol: return Shown(t.symbol);
  }
  return {};
}

class Lexer {
 public:
  explicit Lexer(std::u32string text) : text_(std::move(text)) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= text_.size()) return t;
    const char32_t c = text_[pos_];
    if (IsLetter(c)) {
      ReadIdentifier(t);
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && pos_ + 1 < text_.size() && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$'))) {
      ReadNumber(t);
    } else if (c == '\'' || c == '#') {
      ReadString(t);
    } else if (c == '{') {
      ReadBinary(t);
    } else if (c == '=' || c == ':' || c == '[' || c == ']' || c == '(' || c == ')' || c == '<' || c == '>' ||
               c == ',' || c == '+') {
      t.kind = Token::Symbol;
      t.symbol = c;
      ++pos_;
    } else {
      Fail(line_, L"unexpected character " + Shown(c));
    }
    return t;
  }

 private:
  char32_t At(std::size_t p) const { return p < text_.size() ? text_[p] : 0; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char32_t c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && At(pos_ + 1) == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  void ReadIdentifier(Token& t) {
    t.kind = Token::Identifier;
    for (;;) {
      while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_])))
        t.text.push_back(static_cast<wchar_t>(text_[pos_++]));
      if (At(pos_) != '.') break;
      if (!IsLetter(At(pos_ + 1))) Fail(line_, L"name expected after '" + t.text + L".'");
      t.text.push_back(L'.');
      ++pos_;
    }
  }

  void ReadNumber(Token& t) {
    const bool negative = text_[pos_] == '-';
    if (negative) ++pos_;
    if (At(pos_) == '$') {
      ++pos_;
      std::uint64_t value = 0;
      int digits = 0;
      for (; HexDigit(At(pos_)) >= 0; ++pos_, ++digits) {
        if (digits == 16) Fail(line_, L"number out of range");
        value = value * 16 + static_cast<std::uint64_t>(HexDigit(At(pos_)));
      }
      if (digits == 0) Fail(line_, L"hexadecimal digits expected after '$'");
      // Up to 16 digits fill all 64 bits, as colours and masks are written.
      t.kind = Token::Integer;
      t.integer = static_cast<std::int64_t>(negative ? 0 - value : value);
    } else {
      std::string ascii = negative ? "-" : "";
      while (IsDigit(At(pos_))) ascii.push_back(static_cast<char>(text_[pos_++]));
      bool isFloat = false;
      if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
        isFloat = true;
        ascii.push_back(static_cast<char>(text_[pos_++]));
        while (IsDigit(At(pos_))) ascii.push_back(static_cast<char>(text_[pos_++]));
      }
      if ((At(pos_) == 'e' || At(pos_) == 'E') &&
          (IsDigit(At(pos_ + 1)) || ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
        isFloat = true;
        ascii.push_back('e');
        ++pos_;
        if (At(pos_) == '+' || At(pos_) == '-') ascii.push_back(static_cast<char>(text_[pos_++]));
        while (IsDigit(At(pos_))) ascii.push_back(static_cast<char>(text_[pos_++]));
      }
      const char* first = ascii.data();
      const char* last = ascii.data() + ascii.size();
      if (isFloat) {
        t.kind = Token::Float;
        const auto result = std::from_chars(first, last, t.real);
        if (result.ec != std::errc() || result.ptr != last || !std::isfinite(t.real))
          Fail(line_, L"number out of range");
      } else {
        t.kind = Token::Integer;
        const auto result = std::from_chars(first, last, t.integer);
        if (result.ec != std::errc() || result.ptr != last) Fail(line_, L"number out of range");
      }
    }
    if (IsLetter(At(pos_)) || IsDigit(At(pos_)) || At(pos_) == '.') Fail(line_, L"invalid number");
  }

  // Quoted parts and #code characters, written without blanks between them, make one string.
  void ReadString(Token& t) {
    t.kind = Token::String;
    for (;;) {
      const char32_t c = At(pos_);
      if (c == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Fail(line_, L"unterminated string");
          const char32_t s = text_[pos_++];
          if (s == '\'') {
            if (At(pos_) != '\'') break;
            ++pos_;
          }
          AppendCodePoint(t.text, s);
        }
      } else if (c == '#') {
        ++pos_;
        std::uint32_t code = 0;
        int digits = 0;
        if (At(pos_) == '$') {
          ++pos_;
          for (; HexDigit(At(pos_)) >= 0; ++pos_, ++digits)
            if ((code = code * 16 + static_cast<std::uint32_t>(HexDigit(At(pos_)))) > 0x10FFFF) break;
        } else {
          for (; IsDigit(At(pos_)); ++pos_, ++digits)
            if ((code = code * 10 + (At(pos_) - '0')) > 0x10FFFF) break;
        }
        if (digits == 0) Fail(line_, L"character code expected after '#'");
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) Fail(line_, L"invalid character code");
        AppendCodePoint(t.text, code);
      } else {
        break;
      }
    }
  }

  void ReadBinary(Token& t) {
    t.kind = Token::Binary;
    const int startLine = line_;
    ++pos_;
    int high = -1;
    for (;;) {
      if (pos_ >= text_.size()) Fail(startLine, L"unterminated binary value");
      const char32_t c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') {
        ++line_;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\r') continue;
      const int d = HexDigit(c);
      if (d < 0) Fail(line_, L"unexpected character " + Shown(c) + L" in a binary value");
      if (high < 0) {
        high = d;
      } else {
        t.binary.push_back(static_cast<std::uint8_t>(high * 16 + d));
        high = -1;
      }
    }
    if (high >= 0) Fail(line_, L"odd number of hexadecimal digits in a binary value");
  }

  std::u32string text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------- parser

bool IsKeyword(const Token& t, std::wstring_view word) { return t.kind == Token::Identifier && SameText(t.text, word); }
bool IsReserved(const Token& t) { return IsKeyword(t, L"object") || IsKeyword(t, L"end") || IsKeyword(t, L"item"); }
bool IsSymbol(const Token& t, char32_t c) { return t.kind == Token::Symbol && t.symbol == c; }

class Parser {
 public:
  explicit Parser(std::u32string text) : lexer_(std::move(text)) { current_ = lexer_.Next(); }

  ObjectNode ReadRoot() {
    if (current_.kind == Token::End) Fail(current_.line, L"'object' expected but end of text found");
    ObjectNode root = ReadObject(0);
    if (current_.kind != Token::End)
      Fail(current_.line, L"text after the end of the description: " + Describe(current_));
    return root;
  }

 private:
  Token Take() {
    Token t = std::move(current_);
    current_ = lexer_.Next();
    return t;
  }

  [[noreturn]] void Expected(std::wstring_view what) {
    Fail(current_.line, std::wstring(what) + L" expected but " + Describe(current_) + L" found");
  }

  void ExpectSymbol(char32_t c) {
    if (!IsSymbol(current_, c)) Expected(Shown(c));
    Take();
  }

  // A component or class name: one plain identifier.
  std::wstring TakeName(std::wstring_view what) {
    if (current_.kind != Token::Identifier || IsReserved(current_) || current_.text.find(L'.') != std::wstring::npos)
      Expected(what);
    return Take().text;
  }

  void CheckDepth(int depth, int line) {
    if (depth > kMaxDepth) Fail(line, L"nesting too deep");
  }

  ObjectNode ReadObject(int depth) {
    CheckDepth(depth, current_.line);
    if (!IsKeyword(current_, L"object")) Expected(L"'object'");
    ObjectNode node;
    node.line = Take().line;
    std::wstring first = TakeName(L"component name or class name");
    if (IsSymbol(current_, ':')) {
      Take();
      node.name = std::move(first);
      node.className = TakeName(L"class name");
    } else {
      node.className = std::move(first);
    }
    for (;;) {
      if (IsKeyword(current_, L"end")) {
        Take();
        return node;
      }
      if (IsKeyword(current_, L"object")) {
        node.children.push_back(ReadObject(depth + 1));
      } else if (current_.kind == Token::Identifier && !IsReserved(current_)) {
        AddProperty(node.properties, depth);
      } else {
        Expected(L"property, 'object' or 'end'");
      }
    }
  }

  void AddProperty(std::vector<Property>& properties, int depth) {
    Property p;
    p.line = current_.line;
    p.name = Take().text;
    for (const auto& other : properties)
      if (SameText(other.name, p.name)) Fail(p.line, L"property " + p.name + L" is given twice");
    ExpectSymbol('=');
    p.value = ReadValue(depth + 1);
    properties.push_back(std::move(p));
  }

  Value ReadValue(int depth) {
    CheckDepth(depth, current_.line);
    Value v;
    v.line = current_.line;
    switch (current_.kind) {
      case Token::Integer:
        v.kind = Value::Kind::Integer;
        v.integer = Take().integer;
        return v;
      case Token::Float:
        v.kind = Value::Kind::Float;
        v.real = Take().real;
        return v;
      case Token::String:
        v.kind = Value::Kind::String;
        v.text = Take().text;
        while (IsSymbol(current_, '+')) {
          Take();
          if (current_.kind != Token::String) Expected(L"string");
          v.text += Take().text;
        }
        return v;
      case Token::Binary:
        v.kind = Value::Kind::Binary;
        v.binary = Take().binary;
        return v;
      case Token::Identifier:
        if (IsReserved(current_)) Expected(L"value");
        v.kind = Value::Kind::Identifier;
        v.text = Take().text;
        return v;
      case Token::Symbol:
        if (current_.symbol == '[') return ReadSet(std::move(v));
        if (current_.symbol == '(') return ReadList(std::move(v), depth);
        if (current_.symbol == '<') return ReadCollection(std::move(v), depth);
        break;
      case Token::End: break;
    }
    Expected(L"value");
  }

  Value ReadSet(Value v) {
    v.kind = Value::Kind::Set;
    Take();
    if (IsSymbol(current_, ']')) {
      Take();
      return v;
    }
    for (;;) {
      v.set.push_back(TakeName(L"set element"));
      if (IsSymbol(current_, ']')) {
        Take();
        return v;
      }
      if (!IsSymbol(current_, ',')) Expected(L"',' or ']'");
      Take();
    }
  }

  Value ReadList(Value v, int depth) {
    v.kind = Value::Kind::List;
    Take();
    while (!IsSymbol(current_, ')')) {
      if (current_.kind == Token::End) Expected(L"')'");
      v.list.push_back(ReadValue(depth + 1));
    }
    Take();
    return v;
  }

  Value ReadCollection(Value v, int depth) {
    v.kind = Value::Kind::Collection;
    Take();
    for (;;) {
      if (IsSymbol(current_, '>')) {
        Take();
        return v;
      }
      if (!IsKeyword(current_, L"item")) Expected(L"'item' or '>'");
      CheckDepth(depth + 1, current_.line);
      Take();
      std::vector<Property> item;
      for (;;) {
        if (IsKeyword(current_, L"end")) {
          Take();
          break;
        }
        if (current_.kind != Token::Identifier || IsReserved(current_)) Expected(L"property or 'end'");
        AddProperty(item, depth + 1);
      }
      v.items.push_back(std::move(item));
    }
  }

  Lexer lexer_;
  Token current_;
};

}  // namespace

ObjectNode ReadForm(std::string_view text) { return Parser(DecodeUtf8(text)).ReadRoot(); }

}  // namespace classlib::forms
