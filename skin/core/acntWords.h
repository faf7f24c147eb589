#pragma once
// Word parsing of delimited text and small string routines. Positions are 1-based, as the
// engine's callers count them; 0 means "none". 8-bit strings hold code-page-1251 text.
//
// Word scanning: delimiters are skipped, a word runs up to the next delimiter; several
// delimiters in a row count as one, leading and trailing ones make no empty words.
#include <string>
#include <string_view>

#include "skin/core/acSets.h"

namespace skin {

namespace words_detail {

// Delimiter tests. An 8-bit character is tested as it is; a Unicode character belongs to the
// set only when it is one of the 256 codes the set can hold.
inline bool IsDelim(char c, const TacCharSet& delims) { return delims.Contains(c); }
inline bool IsDelim(wchar_t c, const TacCharSet& delims) {
  const auto code = static_cast<std::uint32_t>(c);
  return code < 256 && delims.Contains(static_cast<unsigned char>(code));
}

template <typename CharT, typename Delim>
int WordPosition(int N, std::basic_string_view<CharT> S, Delim isDelim) {
  int count = 0;
  std::size_t i = 0;
  while (i < S.size() && count != N) {
    while (i < S.size() && isDelim(S[i])) ++i;
    if (i < S.size()) {
      ++count;
      if (count == N) return static_cast<int>(i) + 1;
    }
    while (i < S.size() && !isDelim(S[i])) ++i;
  }
  return 0;
}

template <typename CharT, typename Delim>
int WordCount(std::basic_string_view<CharT> S, Delim isDelim) {
  int count = 0;
  std::size_t i = 0;
  while (i < S.size()) {
    while (i < S.size() && isDelim(S[i])) ++i;
    if (i < S.size()) ++count;
    while (i < S.size() && !isDelim(S[i])) ++i;
  }
  return count;
}

}  // namespace words_detail

template <typename CharT>
int WordPosition(int N, std::basic_string_view<CharT> S, const TacCharSet& Delims) {
  return words_detail::WordPosition(N, S, [&](CharT c) { return words_detail::IsDelim(c, Delims); });
}
inline int WordPosition(int N, std::string_view S, const TacCharSet& Delims) {
  return WordPosition<char>(N, S, Delims);
}
inline int WordPosition(int N, std::wstring_view S, const TacCharSet& Delims) {
  return WordPosition<wchar_t>(N, S, Delims);
}

template <typename CharT>
int WordCount(std::basic_string_view<CharT> S, const TacCharSet& Delims) {
  return words_detail::WordCount(S, [&](CharT c) { return words_detail::IsDelim(c, Delims); });
}
inline int WordCount(std::string_view S, const TacCharSet& Delims) { return WordCount<char>(S, Delims); }
inline int WordCount(std::wstring_view S, const TacCharSet& Delims) { return WordCount<wchar_t>(S, Delims); }

// The N-th word: its characters from its position up to the next delimiter; empty when none.
template <typename CharT>
std::basic_string<CharT> ExtractWord(int N, std::basic_string_view<CharT> S, const TacCharSet& Delims) {
  const int pos = WordPosition<CharT>(N, S, Delims);
  if (pos == 0) return {};
  std::size_t end = static_cast<std::size_t>(pos) - 1;
  while (end < S.size() && !words_detail::IsDelim(S[end], Delims)) ++end;
  return std::basic_string<CharT>(S.substr(static_cast<std::size_t>(pos) - 1, end - (pos - 1)));
}
inline std::string ExtractWord(int N, std::string_view S, const TacCharSet& Delims) {
  return ExtractWord<char>(N, S, Delims);
}
inline std::wstring ExtractWord(int N, std::wstring_view S, const TacCharSet& Delims) {
  return ExtractWord<wchar_t>(N, S, Delims);
}

// Unicode word scanning against an 8-bit delimiter set: a character above U+044F is never a
// delimiter; any other is one when the set holds the low 8 bits of its code.
int acWordPosition(int N, std::wstring_view S, const TacCharSet& Delims);
int acWordCount(std::wstring_view S, const TacCharSet& Delims);

// Number (1-based) of the first word equal to W, -1 when none.
int GetWordNumber(std::wstring_view W, std::wstring_view S, const TacCharSet& Delims);
bool IsWordPresent(std::wstring_view W, std::wstring_view S, const TacCharSet& Delims);
// Characters from Pos up to the next delimiter; Pos then stands behind that delimiter.
std::wstring ExtractSubStr(std::wstring_view S, int& Pos, const TacCharSet& Delims);
// Every character of S is in EmptyChars (true for an empty S).
bool IsEmptyStr(std::wstring_view S, const TacCharSet& EmptyChars);
// S in lower case with the first character of every word in upper case.
std::wstring AnsiProperCase(std::wstring_view S, const TacCharSet& Delims);
bool SubStrInclude(std::wstring_view Sub, std::wstring_view S, bool IgnoreCase);

std::string MakeStr(char C, int N);
void acFillString(std::wstring& S, int N, wchar_t C);
std::wstring acMakeString(wchar_t C, int N);
// S padded with C on the left (right) up to length N; unchanged when not shorter.
std::wstring AddChar(wchar_t C, std::wstring_view S, int N);
std::wstring AddCharR(wchar_t C, std::wstring_view S, int N);

// Without leading, trailing, or both kinds of spaces (only the character 32).
template <typename CharT>
std::basic_string<CharT> DelBSpace(std::basic_string_view<CharT> S) {
  std::size_t i = 0;
  while (i < S.size() && S[i] == CharT(' ')) ++i;
  return std::basic_string<CharT>(S.substr(i));
}
template <typename CharT>
std::basic_string<CharT> DelESpace(std::basic_string_view<CharT> S) {
  std::size_t n = S.size();
  while (n > 0 && S[n - 1] == CharT(' ')) --n;
  return std::basic_string<CharT>(S.substr(0, n));
}
template <typename CharT>
std::basic_string<CharT> DelRSpace(std::basic_string_view<CharT> S) {
  return DelBSpace<CharT>(DelESpace<CharT>(S));
}
inline std::wstring DelBSpace(std::wstring_view S) { return DelBSpace<wchar_t>(S); }
inline std::wstring DelESpace(std::wstring_view S) { return DelESpace<wchar_t>(S); }
inline std::wstring DelRSpace(std::wstring_view S) { return DelRSpace<wchar_t>(S); }
inline std::string DelBSpace(std::string_view S) { return DelBSpace<char>(S); }
inline std::string DelESpace(std::string_view S) { return DelESpace<char>(S); }
inline std::string DelRSpace(std::string_view S) { return DelRSpace<char>(S); }

template <typename CharT>
std::basic_string<CharT> DelChars(std::basic_string_view<CharT> S, CharT C) {
  std::basic_string<CharT> out;
  out.reserve(S.size());
  for (CharT c : S)
    if (c != C) out.push_back(c);
  return out;
}
inline std::wstring DelChars(std::wstring_view S, wchar_t C) { return DelChars<wchar_t>(S, C); }
inline std::string DelChars(std::string_view S, char C) { return DelChars<char>(S, C); }

// Every occurrence of Find replaced by Repl, left to right; replaced text is not scanned
// again; an empty Find leaves S unchanged.
template <typename CharT>
std::basic_string<CharT> ReplaceStr(std::basic_string_view<CharT> S, std::basic_string_view<CharT> Find,
                                    std::basic_string_view<CharT> Repl) {
  if (Find.empty()) return std::basic_string<CharT>(S);
  std::basic_string<CharT> out;
  std::size_t from = 0;
  for (std::size_t at = S.find(Find); at != S.npos; at = S.find(Find, from)) {
    out.append(S.substr(from, at - from));
    out.append(Repl);
    from = at + Find.size();
  }
  out.append(S.substr(from));
  return out;
}
inline std::wstring ReplaceStr(std::wstring_view S, std::wstring_view Find, std::wstring_view Repl) {
  return ReplaceStr<wchar_t>(S, Find, Repl);
}
inline std::string ReplaceStr(std::string_view S, std::string_view Find, std::string_view Repl) {
  return ReplaceStr<char>(S, Find, Repl);
}

// "'" becomes the grave accent, U+040E becomes "I", line breaks become spaces, then DelRSpace.
std::wstring CorrectString(std::wstring_view S);

// Case mapping of the letters that code page 1251 and Latin-1 hold (the skin texts' range);
// other characters are returned unchanged.
wchar_t acUpCase(wchar_t c);
wchar_t acLowCase(wchar_t c);
std::wstring acUpperCase(std::wstring_view S);
std::wstring acLowerCase(std::wstring_view S);
// 8-bit (code page 1251) text upper-cased.
std::string acAnsiUpperCase(std::string_view S);

// Case-insensitive equality.
bool acSameText(std::wstring_view A, std::wstring_view B);
bool acSameText(std::string_view A, std::string_view B);  // code page 1251 text

}  // namespace skin
