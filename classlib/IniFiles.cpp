#include "classlib/IniFiles.h"

#include <algorithm>
#include <utility>

#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace classlib {

// ---------------------------------------------------------------- TCustomIniFile

std::int32_t TCustomIniFile::ReadInteger(const std::wstring& section, const std::wstring& ident,
                                         std::int32_t fallback) const {
  std::wstring text = ReadString(section, ident, std::wstring());
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) text = L"$" + text.substr(2);
  return StrToIntDef(text, fallback);
}

void TCustomIniFile::WriteInteger(const std::wstring& section, const std::wstring& ident, std::int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::wstring& section, const std::wstring& ident, bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::wstring& section, const std::wstring& ident, bool value) {
  WriteString(section, ident, value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const std::wstring& section, const std::wstring& ident, double fallback) const {
  const std::wstring text = ReadString(section, ident, std::wstring());
  double value;
  return !text.empty() && TryStrToFloat(text, value) ? value : fallback;
}

void TCustomIniFile::WriteFloat(const std::wstring& section, const std::wstring& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const std::wstring& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

// ---------------------------------------------------------------- TMemIniFile

TMemIniFile::TMemIniFile(const std::wstring& fileName, TTextEncoding fallback) : TCustomIniFile(fileName) {
  Load(fallback);
}

void TMemIniFile::Load(TTextEncoding fallback) {
  Clear();
  if (FileName().empty() || !FileExists(FileName())) return;
  TStringList lines;
  lines.LoadFromFile(FileName(), fallback);
  Encoding = lines.Encoding;
  SetStrings(lines);
}

void TMemIniFile::Rename(const std::wstring& fileName, bool reload) {
  SetFileName(fileName);
  if (reload) Load(Encoding);
}

bool TMemIniFile::Same(const std::wstring& a, const std::wstring& b) const {
  return caseSensitive_ ? a == b : SameText(a, b);
}

const TMemIniFile::Section* TMemIniFile::FindSection(const std::wstring& name) const {
  for (const auto& s : sections_)
    if (Same(s.name, name)) return &s;
  return nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::wstring& name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const TMemIniFile::Line* TMemIniFile::FindKey(const Section& section, const std::wstring& key, const TMemIniFile& ini) {
  for (const auto& line : section.lines)
    if (line.keyed && ini.Same(line.key, key)) return &line;
  return nullptr;
}

std::wstring TMemIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                     const std::wstring& fallback) const {
  const Section* s = FindSection(section);
  const Line* line = s ? FindKey(*s, ident, *this) : nullptr;
  return line ? line->value : fallback;
}

void TMemIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back(Section{section, {}});
    s = &sections_.back();
  }
  if (auto* line = const_cast<Line*>(FindKey(*s, ident, *this))) {
    line->value = value;
  } else {
    s->lines.push_back(Line{ident, value, true});
  }
}

void TMemIniFile::ReadSection(const std::wstring& section, TStrings& keys) const {
  keys.BeginUpdate();
  try {
    keys.Clear();
    if (const Section* s = FindSection(section))
      for (const auto& line : s->lines)
        if (line.keyed) keys.Add(line.key);
  } catch (...) {
    keys.EndUpdate();
    throw;
  }
  keys.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  sections.BeginUpdate();
  try {
    sections.Clear();
    for (const auto& s : sections_) sections.Add(s.name);
  } catch (...) {
    sections.EndUpdate();
    throw;
  }
  sections.EndUpdate();
}

void TMemIniFile::ReadSectionValues(const std::wstring& section, TStrings& values) const {
  values.BeginUpdate();
  try {
    values.Clear();
    if (const Section* s = FindSection(section))
      for (const auto& line : s->lines) values.Add(line.keyed ? line.key + L"=" + line.value : line.key);
  } catch (...) {
    values.EndUpdate();
    throw;
  }
  values.EndUpdate();
}

void TMemIniFile::EraseSection(const std::wstring& section) {
  std::erase_if(sections_, [&](const Section& s) { return Same(s.name, section); });
}

void TMemIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
  if (Section* s = FindSection(section)) {
    const auto it = std::find_if(s->lines.begin(), s->lines.end(),
                                 [&](const Line& line) { return line.keyed && Same(line.key, ident); });
    if (it != s->lines.end()) s->lines.erase(it);
  }
}

bool TMemIniFile::SectionExists(const std::wstring& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) const {
  const Section* s = FindSection(section);
  return s && FindKey(*s, ident, *this);
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  Section* current = nullptr;
  const int count = lines.Count();
  for (int i = 0; i < count; ++i) {
    const std::wstring text = Trim(lines[i]);
    if (text.empty() || text[0] == L';') continue;
    if (text.front() == L'[' && text.back() == L']' && text.size() >= 2) {
      const std::wstring name = text.substr(1, text.size() - 2);
      current = FindSection(name);
      if (!current) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;
    const std::size_t equals = text.find(L'=');
    if (equals == std::wstring::npos) {
      current->lines.push_back(Line{text, std::wstring(), false});
    } else {
      current->lines.push_back(Line{TrimRight(text.substr(0, equals)), TrimLeft(text.substr(equals + 1)), true});
    }
  }
}

void TMemIniFile::GetStrings(TStrings& lines) const {
  lines.BeginUpdate();
  try {
    lines.Clear();
    for (const auto& s : sections_) {
      lines.Add(L"[" + s.name + L"]");
      for (const auto& line : s.lines) lines.Add(line.keyed ? line.key + L"=" + line.value : line.key);
      lines.Add(std::wstring());
    }
  } catch (...) {
    lines.EndUpdate();
    throw;
  }
  lines.EndUpdate();
}

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::UpdateFile() {
  if (FileName().empty()) return;
  TStringList lines;
  GetStrings(lines);
  lines.Encoding = Encoding;
  lines.SaveToFile(FileName());
}

}  // namespace classlib
