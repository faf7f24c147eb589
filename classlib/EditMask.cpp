#include "classlib/EditMask.h"

#include <windows.h>

#include <algorithm>

namespace classlib {

namespace {

bool IsLetter(wchar_t c) { return IsCharAlphaW(c) != FALSE; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t ToUpper(wchar_t c) {
  wchar_t s[2] = {c, 0};
  CharUpperBuffW(s, 1);
  return s[0];
}

wchar_t ToLower(wchar_t c) {
  wchar_t s[2] = {c, 0};
  CharLowerBuffW(s, 1);
  return s[0];
}

}  // namespace

TEditMask::TEditMask(std::wstring_view Mask, wchar_t TimeSeparator, wchar_t DateSeparator) {
  // The picture ends at the first ';' that is not escaped.
  std::size_t end = 0;
  while (end < Mask.size() && Mask[end] != L';') end += (Mask[end] == L'\\' && end + 1 < Mask.size()) ? 2 : 1;
  std::wstring_view picture = Mask.substr(0, end);
  if (end < Mask.size()) {
    std::wstring_view rest = Mask.substr(end + 1);
    std::size_t second = rest.find(L';');
    std::wstring_view save = rest.substr(0, second);
    saveLiterals_ = save.empty() || save[0] != L'0';
    if (second != std::wstring_view::npos && second + 1 < rest.size()) blank_ = rest[second + 1];
  }
  Case letterCase = Case::AsTyped;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    wchar_t c = picture[i];
    Position p;
    p.letterCase = letterCase;
    switch (c) {
      case L'!': fillFromRight_ = true; continue;
      case L'>': letterCase = Case::Upper; continue;
      case L'<':
        if (i + 1 < picture.size() && picture[i + 1] == L'>') {
          letterCase = Case::AsTyped;
          ++i;
        } else {
          letterCase = Case::Lower;
        }
        continue;
      case L'\\':
        if (i + 1 < picture.size()) c = picture[++i];
        p.literal = c;
        break;
      case L'L': p = {Kind::Letter, true, letterCase, 0}; break;
      case L'l': p = {Kind::Letter, false, letterCase, 0}; break;
      case L'A': p = {Kind::AlphaNum, true, letterCase, 0}; break;
      case L'a': p = {Kind::AlphaNum, false, letterCase, 0}; break;
      case L'C': p = {Kind::Any, true, letterCase, 0}; break;
      case L'c': p = {Kind::Any, false, letterCase, 0}; break;
      case L'0': p = {Kind::Digit, true, letterCase, 0}; break;
      case L'9': p = {Kind::Digit, false, letterCase, 0}; break;
      case L'#': p = {Kind::DigitOrSign, false, letterCase, 0}; break;
      case L':': p.literal = TimeSeparator; break;
      case L'/': p.literal = DateSeparator; break;
      case L'_': p.literal = L' '; break;
      default: p.literal = c; break;
    }
    positions_.push_back(p);
  }
}

bool TEditMask::IsLiteral(int Pos) const {
  return Pos >= 0 && Pos < Length() && positions_[static_cast<std::size_t>(Pos)].kind == Kind::Literal;
}

bool TEditMask::IsRequired(int Pos) const {
  return Pos >= 0 && Pos < Length() && positions_[static_cast<std::size_t>(Pos)].required;
}

wchar_t TEditMask::LiteralAt(int Pos) const {
  return IsLiteral(Pos) ? positions_[static_cast<std::size_t>(Pos)].literal : 0;
}

bool TEditMask::Accepts(int Pos, wchar_t Char, wchar_t& Converted) const {
  if (Pos < 0 || Pos >= Length() || Char < L' ') return false;
  const Position& p = positions_[static_cast<std::size_t>(Pos)];
  bool ok = false;
  switch (p.kind) {
    case Kind::Literal: return false;
    case Kind::Letter: ok = IsLetter(Char); break;
    case Kind::AlphaNum: ok = IsLetter(Char) || IsDigit(Char); break;
    case Kind::Any: ok = true; break;
    case Kind::Digit: ok = IsDigit(Char); break;
    case Kind::DigitOrSign: ok = IsDigit(Char) || Char == L'+' || Char == L'-'; break;
  }
  if (!ok) return false;
  Converted = p.letterCase == Case::Upper ? ToUpper(Char) : p.letterCase == Case::Lower ? ToLower(Char) : Char;
  return true;
}

int TEditMask::NextEditable(int Pos) const {
  for (int i = std::max(0, Pos); i < Length(); ++i)
    if (!IsLiteral(i)) return i;
  return -1;
}

int TEditMask::PrevEditable(int Pos) const {
  for (int i = std::min(Pos, Length() - 1); i >= 0; --i)
    if (!IsLiteral(i)) return i;
  return -1;
}

std::wstring TEditMask::EmptyText() const {
  std::wstring text;
  for (const Position& p : positions_) text.push_back(p.kind == Kind::Literal ? p.literal : blank_);
  return text;
}

std::wstring TEditMask::FormatText(std::wstring_view Value) const {
  std::wstring text = EmptyText();
  const int length = Length();
  // Which value character lands on each position: literals take one only when they are saved.
  std::vector<int> slots;
  for (int i = 0; i < length; ++i)
    if (!IsLiteral(i) || saveLiterals_) slots.push_back(i);
  const int used = std::min<int>(static_cast<int>(slots.size()), static_cast<int>(Value.size()));
  // A short value sits at the right end with '!'; a long one keeps its beginning.
  const bool right = fillFromRight_ && Value.size() < slots.size();
  const int firstSlot = right ? static_cast<int>(slots.size()) - used : 0;
  const int firstValue = 0;
  for (int k = 0; k < used; ++k) {
    const int pos = slots[static_cast<std::size_t>(firstSlot + k)];
    const wchar_t c = Value[static_cast<std::size_t>(firstValue + k)];
    if (IsLiteral(pos)) continue;
    wchar_t converted;
    if (c != L' ' && c != blank_ && Accepts(pos, c, converted)) text[static_cast<std::size_t>(pos)] = converted;
  }
  return text;
}

std::wstring TEditMask::TextOf(std::wstring_view EditText) const {
  std::wstring value;
  for (int i = 0; i < Length(); ++i) {
    const wchar_t c = i < static_cast<int>(EditText.size()) ? EditText[static_cast<std::size_t>(i)] : blank_;
    if (IsLiteral(i)) {
      if (saveLiterals_) value.push_back(LiteralAt(i));
    } else {
      value.push_back(c == blank_ ? L' ' : c);
    }
  }
  return value;
}

bool TEditMask::IsComplete(std::wstring_view EditText) const {
  for (int i = 0; i < Length(); ++i) {
    if (!IsRequired(i)) continue;
    if (i >= static_cast<int>(EditText.size())) return false;
    const wchar_t c = EditText[static_cast<std::size_t>(i)];
    if (c == blank_ || c == L' ') return false;
  }
  return true;
}

int TEditMask::TypeChar(std::wstring& EditText, int Pos, wchar_t Char) const {
  if (EditText.size() != positions_.size()) EditText = FormatText(TextOf(EditText));
  if (Pos < 0) Pos = 0;
  // Typing the literal that stands at the caret steps over it.
  if (IsLiteral(Pos) && LiteralAt(Pos) == Char) return Pos + 1;
  const int target = NextEditable(Pos);
  if (target < 0) return -1;
  wchar_t converted;
  if (!Accepts(target, Char, converted)) return -1;
  EditText[static_cast<std::size_t>(target)] = converted;
  const int next = NextEditable(target + 1);
  return next < 0 ? target + 1 : next;
}

void TEditMask::Clear(std::wstring& EditText, int From, int To) const {
  if (EditText.size() != positions_.size()) EditText = FormatText(TextOf(EditText));
  for (int i = std::max(0, From); i < std::min(To, Length()); ++i)
    if (!IsLiteral(i)) EditText[static_cast<std::size_t>(i)] = blank_;
}

}  // namespace classlib
