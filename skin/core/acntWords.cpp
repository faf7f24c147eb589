#include "skin/core/acntWords.h"

#include "classlib/Cp1251.h"

namespace skin {
namespace {

bool AcIsDelim(wchar_t c, const TacCharSet& delims) {
  const auto code = static_cast<std::uint32_t>(c);
  if (code > 1103) return false;
  return delims.Contains(static_cast<unsigned char>(code & 0xFF));
}

bool IsDelim(wchar_t c, const TacCharSet& delims) { return words_detail::IsDelim(c, delims); }

}  // namespace

int acWordPosition(int N, std::wstring_view S, const TacCharSet& Delims) {
  return words_detail::WordPosition(N, S, [&](wchar_t c) { return AcIsDelim(c, Delims); });
}

int acWordCount(std::wstring_view S, const TacCharSet& Delims) {
  return words_detail::WordCount(S, [&](wchar_t c) { return AcIsDelim(c, Delims); });
}

int GetWordNumber(std::wstring_view W, std::wstring_view S, const TacCharSet& Delims) {
  const int count = WordCount(S, Delims);
  for (int n = 1; n <= count; ++n)
    if (ExtractWord(n, S, Delims) == W) return n;
  return -1;
}

bool IsWordPresent(std::wstring_view W, std::wstring_view S, const TacCharSet& Delims) {
  return GetWordNumber(W, S, Delims) > 0;
}

std::wstring ExtractSubStr(std::wstring_view S, int& Pos, const TacCharSet& Delims) {
  const std::size_t start = Pos < 1 ? 0 : static_cast<std::size_t>(Pos) - 1;
  std::size_t i = start;
  while (i < S.size() && !IsDelim(S[i], Delims)) ++i;
  std::wstring result = start < S.size() ? std::wstring(S.substr(start, i - start)) : std::wstring();
  if (i < S.size()) ++i;  // stands on a delimiter: step over it
  Pos = static_cast<int>(i) + 1;
  return result;
}

bool IsEmptyStr(std::wstring_view S, const TacCharSet& EmptyChars) {
  for (wchar_t c : S)
    if (!IsDelim(c, EmptyChars)) return false;
  return true;
}

std::wstring AnsiProperCase(std::wstring_view S, const TacCharSet& Delims) {
  std::wstring result = acLowerCase(S);
  std::size_t i = 0;
  while (i < result.size()) {
    while (i < result.size() && IsDelim(result[i], Delims)) ++i;
    if (i < result.size()) result[i] = acUpCase(result[i]);
    while (i < result.size() && !IsDelim(result[i], Delims)) ++i;
  }
  return result;
}

bool SubStrInclude(std::wstring_view Sub, std::wstring_view S, bool IgnoreCase) {
  if (!IgnoreCase) return S.find(Sub) != S.npos;
  return acUpperCase(S).find(acUpperCase(Sub)) != std::wstring::npos;
}

std::string MakeStr(char C, int N) { return N > 0 ? std::string(static_cast<std::size_t>(N), C) : std::string(); }

void acFillString(std::wstring& S, int N, wchar_t C) { S = acMakeString(C, N); }

std::wstring acMakeString(wchar_t C, int N) {
  return N > 0 ? std::wstring(static_cast<std::size_t>(N), C) : std::wstring();
}

std::wstring AddChar(wchar_t C, std::wstring_view S, int N) {
  std::wstring result(S);
  if (N > 0 && result.size() < static_cast<std::size_t>(N))
    result.insert(0, static_cast<std::size_t>(N) - result.size(), C);
  return result;
}

std::wstring AddCharR(wchar_t C, std::wstring_view S, int N) {
  std::wstring result(S);
  if (N > 0 && result.size() < static_cast<std::size_t>(N))
    result.append(static_cast<std::size_t>(N) - result.size(), C);
  return result;
}

std::wstring CorrectString(std::wstring_view S) {
  std::wstring result(S);
  for (wchar_t& c : result) {
    if (c == L'\'') {
      c = L'`';
    } else if (c == 0x040E) {
      c = L'I';
    } else if (c == L'\r' || c == L'\n') {
      c = L' ';
    }
  }
  return DelRSpace(result);
}

wchar_t acUpCase(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u >= 'a' && u <= 'z') return static_cast<wchar_t>(u - 32);
  if (u < 0x80) return c;
  if ((u >= 0xE0 && u <= 0xFE && u != 0xF7) || (u >= 0x430 && u <= 0x44F)) return static_cast<wchar_t>(u - 32);
  if (u == 0xFF) return static_cast<wchar_t>(0x178);
  if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 80);
  if (u == 0x491) return static_cast<wchar_t>(0x490);
  return c;
}

wchar_t acLowCase(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<wchar_t>(u + 32);
  if (u < 0x80) return c;
  if ((u >= 0xC0 && u <= 0xDE && u != 0xD7) || (u >= 0x410 && u <= 0x42F)) return static_cast<wchar_t>(u + 32);
  if (u == 0x178) return static_cast<wchar_t>(0xFF);
  if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
  if (u == 0x490) return static_cast<wchar_t>(0x491);
  return c;
}

std::wstring acUpperCase(std::wstring_view S) {
  std::wstring result(S);
  for (wchar_t& c : result) c = acUpCase(c);
  return result;
}

std::wstring acLowerCase(std::wstring_view S) {
  std::wstring result(S);
  for (wchar_t& c : result) c = acLowCase(c);
  return result;
}

std::string acAnsiUpperCase(std::string_view S) {
  std::string result(S);
  for (char& c : result) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
      c = static_cast<char>(byte - 32);
    } else if (byte >= 0x80) {
      // Every code-page-1251 letter has its other case inside the code page.
      const wchar_t upper = acUpCase(classlib::Cp1251Char(byte));
      c = classlib::WideToCp1251(std::wstring_view(&upper, 1))[0];
    }
  }
  return result;
}

bool acSameText(std::wstring_view A, std::wstring_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i)
    if (acUpCase(A[i]) != acUpCase(B[i])) return false;
  return true;
}

bool acSameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  return acAnsiUpperCase(A) == acAnsiUpperCase(B);
}

}  // namespace skin
