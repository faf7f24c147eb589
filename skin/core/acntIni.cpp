#include "skin/core/acntIni.h"

#include <cstdint>

#include "skin/core/acntWords.h"

namespace skin {
namespace {

// The name part of a line: the text before its first "="; false when it has none.
bool NamePart(std::string_view line, std::string_view& name, std::string_view& value) {
  const std::size_t eq = line.find('=');
  if (eq == line.npos) return false;
  name = line.substr(0, eq);
  value = line.substr(eq + 1);
  return true;
}

}  // namespace

TacLines acTextToLines(std::string_view Text) {
  TacLines lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '\r' && Text[i] != '\n') continue;
    lines.emplace_back(Text.substr(start, i - start));
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < Text.size()) lines.emplace_back(Text.substr(start));
  return lines;
}

bool TacIniSections::SameText(std::string_view A, std::string_view B) const {
  return caseSensitive_ ? A == B : acSameText(A, B);
}

int TacIniSections::IndexOf(std::string_view Name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i)
    if (SameText(sections_[i].first, Name)) return static_cast<int>(i);
  return -1;
}

TacLines& TacIniSections::Add(std::string Name) {
  sections_.emplace_back(std::move(Name), TacLines{});
  return sections_.back().second;
}

void GetIniSections(const TacLines& IniList, TacIniSections& Sections) {
  Sections.Clear();
  TacLines* current = nullptr;
  for (const std::string& line : IniList) {
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &Sections.Add(line.substr(1, line.size() - 2));
    } else if (current) {
      current->push_back(line);
    }
  }
}

TacLines GetIniSection(std::string_view Section, const TacIniSections& Sections) {
  TacLines names;
  const int index = Sections.IndexOf(Section);
  if (index < 0) return names;
  for (const std::string& line : Sections.Lines(index)) {
    std::string_view name, value;
    if (NamePart(line, name, value)) names.emplace_back(name);
  }
  return names;
}

std::string ReadIniString(const TacIniSections& Sections, std::string_view Section, std::string_view Key,
                          std::string_view Default) {
  const int index = Sections.IndexOf(Section);
  if (index >= 0) {
    for (const std::string& line : Sections.Lines(index)) {
      std::string_view name, value;
      if (NamePart(line, name, value) && Sections.SameText(name, Key)) return std::string(value);
    }
  }
  return std::string(Default);
}

bool acTryStrToInt(std::string_view Text, int& Value) {
  std::size_t i = 0;
  while (i < Text.size() && Text[i] == ' ') ++i;
  bool negative = false;
  if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';
  const bool hex = i < Text.size() && Text[i] == '$';
  if (hex) ++i;
  if (i == Text.size()) return false;
  std::uint64_t magnitude = 0;
  for (; i < Text.size(); ++i) {
    const char c = Text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return false;
    }
    magnitude = magnitude * (hex ? 16 : 10) + digit;
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    // Hexadecimal texts fill all 32 bits: $FFFFFFFF is -1.
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
    Value = static_cast<int>(static_cast<std::int32_t>(bits));
    return true;
  }
  if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull) return false;
  Value = static_cast<int>(negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
  return true;
}

int ReadIniInteger(const TacIniSections& Sections, std::string_view Section, std::string_view Key, int Default) {
  std::string text = ReadIniString(Sections, Section, Key, "");
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  int value = 0;
  return acTryStrToInt(text, value) ? value : Default;
}

}  // namespace skin
