#pragma once
// The skin description ("Options.dat"): an INI text of 8-bit (code page 1251) lines, read once
// into sections and keys and then queried by exact, case-sensitive name.
//
// Reading rules: lines end at CR, LF or CR LF; each line is trimmed of blanks and control
// characters; empty lines and lines starting with ';' are skipped; "[NAME]" opens a section
// (the name trimmed); "KEY=VALUE" adds a key to the current section, both sides trimmed; lines
// before the first section, lines without '=' and keys with an empty name are ignored. A
// section header that repeats continues the first section of that name, and of two equal keys
// in one section the first counts: every name is answered by one value.
//
// The text is hostile: nothing here reads outside it and nothing fails on it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin {

struct TacIniKey {
  std::string Name;
  std::string Value;
};

struct TacIniSection {
  std::string Name;
  std::vector<TacIniKey> Keys;  // in the order of the text, first of equal names only
  // Value of the key, nullptr when the section has no such key.
  const std::string* Find(std::string_view key) const;
};

class TacSkinIni {
 public:
  TacSkinIni() = default;
  explicit TacSkinIni(std::string_view text) { SetText(text); }

  void SetText(std::string_view text);
  void Clear();

  const std::vector<TacIniSection>& Sections() const { return sections_; }
  int SectionCount() const { return static_cast<int>(sections_.size()); }
  const TacIniSection* Section(std::string_view name) const;
  bool SectionExists(std::string_view name) const { return Section(name) != nullptr; }

  // The value as written, nullptr when the section or the key is missing.
  const std::string* Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // Lenient integer: a value that is not a number (see ParseSkinInteger) gives Default.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // True when the value upper-cased is "1" or "TRUE"; Default when the key is missing.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // A real number with '.' as decimal separator whatever the locale; Default when missing or
  // not a number.
  double ReadFloat(std::string_view section, std::string_view key, double def) const;

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<TacIniSection> sections_;
  std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> index_;
};

// An integer as the description writes it: an optional sign, then decimal digits or a
// hexadecimal number after "$" or "0x"; leading and trailing blanks allowed. Decimal values must
// fit in 32 signed bits; hexadecimal ones fill 32 bits ("$FFFFFFFF" is -1). False for anything
// else, Value then unchanged.
bool ParseSkinInteger(std::string_view text, int& value);
// A real number: optional sign, digits with an optional '.' fraction, optional exponent.
bool ParseSkinFloat(std::string_view text, double& value);
// Names compared exactly. Names that differ mostly do so in length or first letter, which are
// looked at before the rest: the load compares names by the thousand.
inline bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || (a.front() == b.front() && a.compare(b) == 0));
}
// Code page 1251 text upper-cased (Latin and Cyrillic letters).
std::string SkinUpperCase(std::string_view text);

}  // namespace skin
