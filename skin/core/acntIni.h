#pragma once
// INI text held as lines: split into sections, then read by section and key. The skin's options
// text is 8-bit (code page 1251) and is read this way.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

using TacLines = std::vector<std::string>;

// Lines of a text, split at CR, LF and CR LF, as a string list takes a text.
TacLines acTextToLines(std::string_view Text);

// The sections of an INI text in their order, each with its lines. Names and keys are compared
// without regard to letter case unless CaseSensitive is set.
class TacIniSections {
 public:
  explicit TacIniSections(bool CaseSensitive = false) : caseSensitive_(CaseSensitive) {}

  bool CaseSensitive() const { return caseSensitive_; }
  int Count() const { return static_cast<int>(sections_.size()); }
  void Clear() { sections_.clear(); }
  // Index of the first section of that name, -1 when none.
  int IndexOf(std::string_view Name) const;
  const std::string& Name(int Index) const { return sections_.at(static_cast<std::size_t>(Index)).first; }
  const TacLines& Lines(int Index) const { return sections_.at(static_cast<std::size_t>(Index)).second; }
  TacLines& Add(std::string Name);
  // The strings compare as this list compares them.
  bool SameText(std::string_view A, std::string_view B) const;

 private:
  bool caseSensitive_;
  std::vector<std::pair<std::string, TacLines>> sections_;
};

// Sections := the sections of IniList: empty lines and lines beginning with ";" are skipped,
// "[name]" starts a section, every other line belongs to the current section (dropped before
// the first one).
void GetIniSections(const TacLines& IniList, TacIniSections& Sections);
// The key names of a section (empty when there is no such section).
TacLines GetIniSection(std::string_view Section, const TacIniSections& Sections);
// The text after "Key=" in the first line of Section whose name part equals Key; else Default.
std::string ReadIniString(const TacIniSections& Sections, std::string_view Section, std::string_view Key,
                          std::string_view Default);
// The value as a decimal or hexadecimal ("$1F", "0x1F") integer; Default when absent or not a number.
int ReadIniInteger(const TacIniSections& Sections, std::string_view Section, std::string_view Key, int Default);

// A text as the run-time library reads an integer: leading spaces, a sign, decimal digits or
// "$" and hexadecimal digits (up to 32 bits, taken as signed), nothing after them.
bool acTryStrToInt(std::string_view Text, int& Value);

}  // namespace skin
