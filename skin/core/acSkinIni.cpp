#include "skin/core/acSkinIni.h"

#include <cerrno>
#include <charconv>
#include <cstdint>

namespace skin {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

const std::string* TacIniSection::Find(std::string_view key) const {
  for (const TacIniKey& k : Keys)
    if (SameName(k.Name, key)) return &k.Value;
  return nullptr;
}

void TacSkinIni::Clear() {
  sections_.clear();
  index_.clear();
}

void TacSkinIni::SetText(std::string_view text) {
  Clear();
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TacIniSection* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string name(Trim(line.substr(1, line.size() - 2)));
      auto [it, added] = index_.try_emplace(name, sections_.size());
      if (added) sections_.push_back({std::move(name), {}});
      current = &sections_[it->second];
      continue;
    }
    if (!current) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty() || current->Find(key)) continue;
    current->Keys.push_back({std::string(key), std::string(Trim(line.substr(eq + 1)))});
  }
}

const TacIniSection* TacSkinIni::Section(std::string_view name) const {
  const auto it = index_.find(name);
  return it == index_.end() ? nullptr : &sections_[it->second];
}

const std::string* TacSkinIni::Find(std::string_view section, std::string_view key) const {
  const TacIniSection* s = Section(section);
  return s ? s->Find(key) : nullptr;
}

std::string TacSkinIni::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const std::string* v = Find(section, key);
  return v ? *v : std::string(def);
}

int TacSkinIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
  int value = def;
  const std::string* v = Find(section, key);
  if (!v || !ParseSkinInteger(*v, value)) return def;
  return value;
}

bool TacSkinIni::ReadBool(std::string_view section, std::string_view key, bool def) const {
  const std::string* v = Find(section, key);
  if (!v) return def;
  const std::string up = SkinUpperCase(*v);
  return up == "1" || up == "TRUE";
}

double TacSkinIni::ReadFloat(std::string_view section, std::string_view key, double def) const {
  double value = def;
  const std::string* v = Find(section, key);
  if (!v || !ParseSkinFloat(*v, value)) return def;
  return value;
}

bool ParseSkinInteger(std::string_view text, int& value) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  std::uint64_t magnitude = 0;
  for (char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    value = static_cast<std::int32_t>(bits);
    return true;
  }
  if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  value = static_cast<int>(negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
  return true;
}

bool ParseSkinFloat(std::string_view text, double& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  // Only plain decimal notation: no "inf", "nan" or hexadecimal forms.
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E')) return false;
  double parsed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

std::string SkinUpperCase(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') {
      ch = static_cast<char>(c - 32);
    } else if (c >= 0xE0) {  // а..я
      ch = static_cast<char>(c - 32);
    } else if (c == 0xB8) {  // ё
      ch = static_cast<char>(0xA8);
    } else if (c == 0xA2 || c == 0xBC || c == 0xBE || c == 0xB3 || c == 0xB4 || c == 0xBA || c == 0xBF || c == 0x9A ||
               c == 0x9C || c == 0x9D || c == 0x9E || c == 0x9F || c == 0x83) {
      // ў ј ѕ і ґ є ї љ њ ќ ћ џ ѓ
      static constexpr unsigned char kPairs[][2] = {
          {0xA2, 0xA1}, {0xBC, 0xA3}, {0xBE, 0xBD}, {0xB3, 0xB2}, {0xB4, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF},
          {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}, {0x83, 0x81}};
      for (const auto& p : kPairs)
        if (p[0] == c) ch = static_cast<char>(p[1]);
    }
  }
  return out;
}

}  // namespace skin
