#include "classlib/FormReader.h"

#include <gtest/gtest.h>

#include "classlib/Exception.h"

using namespace classlib;
using namespace classlib::forms;

namespace {

const char* const kSample = R"(// The password dialog, shortened.
object PassForm: TPassForm
  Left = 192
  Top = -8
  Color = $00FF00FF
  Caption = 'Пароль'
  Font.Name = 'Tahoma'
  Font.Style = [fsBold, fsItalic]
  Anchors = []
  Scale = 1.25
  Tiny = -2.5E-3
  Hint = 'Line one'#13#10'line two: ''quoted'''  +
    ' and '#$1F600
  OnCreate = FormCreate
  PopupMenu = MainForm.PopupMenu1
  Items.Strings = (
    'COM1'
    'COM2'
    3)
  Glyph.Data = {
    0A0b FF
    00}
  Panels = <
    item
      Width = 50
      Text = 'ready'
    end
    item
    end>
  object Edit1: TEdit
    Text = ''
    object TLabel
    end
  end
  object Button1: TButton
    OnClick = Edit1Click
  end
end
)";

const Property& Find(const std::vector<Property>& props, std::wstring_view name) {
  for (const auto& p : props)
    if (p.name == name) return p;
  static const Property none;
  ADD_FAILURE() << "no property";
  return none;
}

void ClearLines(Value& v);
void ClearLines(std::vector<Property>& props) {
  for (auto& p : props) {
    p.line = 0;
    ClearLines(p.value);
  }
}
void ClearLines(Value& v) {
  v.line = 0;
  for (auto& item : v.list) ClearLines(item);
  for (auto& item : v.items) ClearLines(item);
}
void ClearLines(ObjectNode& node) {
  node.line = 0;
  ClearLines(node.properties);
  for (auto& child : node.children) ClearLines(child);
}

std::wstring ErrorOf(std::string_view text) {
  try {
    ReadForm(text);
  } catch (const EFormError& e) {
    return e.Message();
  }
  return L"no error";
}

}  // namespace

TEST(FormReader, ReadsEveryKindOfValue) {
  const ObjectNode form = ReadForm(kSample);
  EXPECT_EQ(form.name, L"PassForm");
  EXPECT_EQ(form.className, L"TPassForm");
  EXPECT_EQ(form.line, 2);
  const auto& p = form.properties;
  ASSERT_EQ(p.size(), 15u);

  EXPECT_EQ(Find(p, L"Left").value.integer, 192);
  EXPECT_EQ(Find(p, L"Top").value.integer, -8);
  EXPECT_EQ(Find(p, L"Color").value.integer, 0xFF00FF);
  EXPECT_EQ(Find(p, L"Caption").value.kind, Value::Kind::String);
  EXPECT_EQ(Find(p, L"Caption").value.text, L"Пароль");
  EXPECT_EQ(Find(p, L"Font.Name").line, 7);
  EXPECT_EQ(Find(p, L"Font.Style").value.set, (std::vector<std::wstring>{L"fsBold", L"fsItalic"}));
  EXPECT_EQ(Find(p, L"Anchors").value.kind, Value::Kind::Set);
  EXPECT_TRUE(Find(p, L"Anchors").value.set.empty());
  EXPECT_EQ(Find(p, L"Scale").value.kind, Value::Kind::Float);
  EXPECT_DOUBLE_EQ(Find(p, L"Scale").value.real, 1.25);
  EXPECT_DOUBLE_EQ(Find(p, L"Tiny").value.real, -0.0025);

  std::wstring hint = L"Line one\r\nline two: 'quoted' and ";
  if constexpr (sizeof(wchar_t) == 2) {
    hint += L"\xD83D\xDE00";
  } else {
    hint += static_cast<wchar_t>(0x1F600);
  }
  EXPECT_EQ(Find(p, L"Hint").value.text, hint);

  EXPECT_EQ(Find(p, L"OnCreate").value.kind, Value::Kind::Identifier);
  EXPECT_EQ(Find(p, L"OnCreate").value.text, L"FormCreate");
  EXPECT_EQ(Find(p, L"PopupMenu").value.text, L"MainForm.PopupMenu1");

  const Value& items = Find(p, L"Items.Strings").value;
  ASSERT_EQ(items.kind, Value::Kind::List);
  ASSERT_EQ(items.list.size(), 3u);
  EXPECT_EQ(items.list[1].text, L"COM2");
  EXPECT_EQ(items.list[1].line, 18);
  EXPECT_EQ(items.list[2].integer, 3);

  EXPECT_EQ(Find(p, L"Glyph.Data").value.binary, (std::vector<std::uint8_t>{0x0A, 0x0B, 0xFF, 0x00}));

  const Value& panels = Find(p, L"Panels").value;
  ASSERT_EQ(panels.kind, Value::Kind::Collection);
  ASSERT_EQ(panels.items.size(), 2u);
  EXPECT_EQ(Find(panels.items[0], L"Width").value.integer, 50);
  EXPECT_EQ(Find(panels.items[0], L"Text").value.text, L"ready");
  EXPECT_TRUE(panels.items[1].empty());

  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].name, L"Edit1");
  EXPECT_EQ(form.children[0].properties[0].value.text, L"");
  ASSERT_EQ(form.children[0].children.size(), 1u);
  EXPECT_EQ(form.children[0].children[0].name, L"");
  EXPECT_EQ(form.children[0].children[0].className, L"TLabel");
  EXPECT_EQ(form.children[1].line, 35);
}

TEST(FormReader, ByteOrderMarkAndLineEndingsAreAccepted) {
  const ObjectNode a = ReadForm("\xEF\xBB\xBFobject A: TForm\r\n  Tag = 1\r\nend\r\n");
  EXPECT_EQ(a.properties.at(0).line, 2);
  const ObjectNode b = ReadForm("object A: TForm Tag = 1 end");
  EXPECT_EQ(b.properties.at(0).value.integer, 1);
}

TEST(FormReader, WrittenTextReadsBackTheSameTree) {
  ObjectNode original = ReadForm(kSample);
  const std::string text = WriteForm(original);
  ObjectNode again = ReadForm(text);
  ClearLines(original);
  ClearLines(again);
  EXPECT_EQ(again, original) << text;
  EXPECT_EQ(WriteForm(again), text);
  EXPECT_NE(text.find("Caption = '\xD0\x9F\xD0\xB0"), std::string::npos) << "Cyrillic stays readable";

  ObjectNode odd;
  odd.className = L"TThing";
  Property p;
  p.name = L"Value";
  p.value.kind = Value::Kind::Float;
  p.value.real = 2.0;  // must not come back as an integer
  odd.properties.push_back(p);
  p.name = L"Raw";
  p.value.kind = Value::Kind::String;
  p.value.text = std::wstring(L"a\0b\x7F", 4) + L"'";
  odd.properties.push_back(p);
  ObjectNode back = ReadForm(WriteForm(odd));
  ObjectNode expected = ReadForm("object TThing\n Value = 2.0\n Raw = 'a'#0'b'#127''''\nend");
  ClearLines(back);
  ClearLines(expected);
  EXPECT_EQ(back, expected);
  EXPECT_EQ(ReadForm(WriteForm(odd)).properties[0].value.kind, Value::Kind::Float);

  p.value.kind = Value::Kind::Identifier;
  p.value.text = L"not valid";
  odd.properties.push_back(p);
  EXPECT_THROW(WriteForm(odd), EFormError);
}

TEST(FormReader, MalformedTextNamesTheLine) {
  struct Case {
    const char* text;
    const wchar_t* message;
  } cases[] = {
      {"", L"line 1: 'object' expected but end of text found"},
      {"object A: TForm\n  Left 5\nend", L"line 2: '=' expected but number 5 found"},
      {"object A: TForm\n  Left = 5\n", L"line 3: property, 'object' or 'end' expected but end of text found"},
      {"object A: TForm\nend\nobject B: TForm\nend", L"line 3: text after the end of the description: 'object'"},
      {"object A: TForm\n Caption = 'abc\nend", L"line 2: unterminated string"},
      {"object A: TForm\n\n Caption = 'a' +\n 5\nend", L"line 4: string expected but number 5 found"},
      {"object A: TForm\n X = #55296\nend", L"line 2: invalid character code"},
      {"object A: TForm\n X = #1114112\nend", L"line 2: invalid character code"},
      {"object A: TForm\n X = #\nend", L"line 2: character code expected after '#'"},
      {"object A: TForm\n X = 99999999999999999999\nend", L"line 2: number out of range"},
      {"object A: TForm\n X = $10000000000000000\nend", L"line 2: number out of range"},
      {"object A: TForm\n X = 1e999\nend", L"line 2: number out of range"},
      {"object A: TForm\n X = 12abc\nend", L"line 2: invalid number"},
      {"object A: TForm\n X = 1.\nend", L"line 2: invalid number"},
      {"object A: TForm\n X = $\nend", L"line 2: hexadecimal digits expected after '$'"},
      {"object A: TForm\n X = {0A 0\n}\nend", L"line 3: odd number of hexadecimal digits in a binary value"},
      {"object A: TForm\n X = {0A\n\n zz}\nend", L"line 4: unexpected character 'z' in a binary value"},
      {"object A: TForm\n X = {0A", L"line 2: unterminated binary value"},
      {"object A: TForm\n X = [a b]\nend", L"line 2: ',' or ']' expected but 'b' found"},
      {"object A: TForm\n X = [a, ]\nend", L"line 2: set element expected but ']' found"},
      {"object A: TForm\n X = ('a'\nend", L"line 3: value expected but 'end' found"},
      {"object A: TForm\n X = <item Y = 1>\nend", L"line 2: property or 'end' expected but '>' found"},
      {"object A: TForm\n X = <thing>\nend", L"line 2: 'item' or '>' expected but 'thing' found"},
      {"object A: TForm\n X = \nend", L"line 3: value expected but 'end' found"},
      {"object A: TForm\n X = 1\n x = 2\nend", L"line 3: property x is given twice"},
      {"object A: TForm\n Font. = 1\nend", L"line 2: name expected after 'Font.'"},
      {"object A: TForm\n X = @\nend", L"line 2: unexpected character '@'"},
      {"object A: TForm\n X = 'a'\x01\nend", L"line 2: unexpected character #1"},
      {"object A: TForm\n X = '\xC3\x28'\nend", L"line 2: invalid UTF-8 text"},
      {"object A: TForm\n X = '\xED\xA0\x80'\nend", L"line 2: invalid UTF-8 text"},
      {"object A: TForm\n X = '\xC0\x80'\nend", L"line 2: invalid UTF-8 text"},
      {"object A: TForm\n X = '\xF0\x9F'", L"line 2: invalid UTF-8 text"},
      {"object A.B: TForm\nend", L"line 1: component name or class name expected but 'A.B' found"},
      {"object A: \nend", L"line 2: class name expected but 'end' found"},
      {"thing A: TForm\nend", L"line 1: 'object' expected but 'thing' found"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.text), c.message) << c.text;
}

TEST(FormReader, DeepNestingIsAnErrorNotACrash) {
  std::string objects, lists = "object A: TForm\n X = ";
  for (int i = 0; i < 10000; ++i) objects += "object T\n";
  for (int i = 0; i < 100000; ++i) lists += "(";
  EXPECT_EQ(ErrorOf(objects), L"line 66: nesting too deep");
  EXPECT_EQ(ErrorOf(lists), L"line 2: nesting too deep");
  std::string fine;
  for (int i = 0; i < 60; ++i) fine += "object T\n";
  for (int i = 0; i < 60; ++i) fine += "end\n";
  EXPECT_NO_THROW(ReadForm(fine));
}
