#pragma once
// The edit-mask engine of masked edits.
//
// A mask has up to three fields separated by ';': the picture, whether literal characters are
// part of the value ('0' no, anything else or nothing yes), and the blank character that shows an
// empty position (default '_'). In the picture:
//   L l   a letter (required / optional)        A a   a letter or digit
//   C c   any character                        0 9   a digit
//   #     a digit or a sign (optional)
//   >     the following letters are upper case   <   lower case   <>   as typed
//   !     values shorter than the picture fill it from the right (leading blanks)
//   \x    x is a literal                        _     a literal blank
//   :     the time separator                    /     the date separator
//   any other character is a literal.
// The edit text always has one character per picture position: literals in place, blanks where
// nothing was typed, so its length is fixed.
#include <string>
#include <string_view>
#include <vector>

namespace classlib {

class TEditMask {
 public:
  TEditMask() = default;
  explicit TEditMask(std::wstring_view Mask, wchar_t TimeSeparator = L':', wchar_t DateSeparator = L'/');

  bool Empty() const { return positions_.empty(); }
  // Characters of the edit text.
  int Length() const { return static_cast<int>(positions_.size()); }
  wchar_t Blank() const { return blank_; }
  bool SaveLiterals() const { return saveLiterals_; }
  bool FillFromRight() const { return fillFromRight_; }
  bool IsLiteral(int Pos) const;
  bool IsRequired(int Pos) const;
  wchar_t LiteralAt(int Pos) const;

  // Whether Char may stand at Pos; Converted receives it in the position's letter case.
  bool Accepts(int Pos, wchar_t Char, wchar_t& Converted) const;
  // The first position at or after Pos (at or before, for Prev) where a character can be typed;
  // -1 when there is none.
  int NextEditable(int Pos) const;
  int PrevEditable(int Pos) const;

  // The edit text with every position blank.
  std::wstring EmptyText() const;
  // The edit text for a value as Text gives it (with literals when SaveLiterals); characters that
  // do not fit their position leave it blank.
  std::wstring FormatText(std::wstring_view Value) const;
  // The value of an edit text: blanks become spaces; literals stay only with SaveLiterals.
  std::wstring TextOf(std::wstring_view EditText) const;
  // Every required position holds a character.
  bool IsComplete(std::wstring_view EditText) const;

  // Typing Char with the caret at Pos: the character lands on the first editable position at or
  // after Pos (typing a literal just moves past it). Returns the new caret, or -1 when the
  // character is refused (EditText is then unchanged).
  int TypeChar(std::wstring& EditText, int Pos, wchar_t Char) const;
  // Blanks every editable position in [From, To).
  void Clear(std::wstring& EditText, int From, int To) const;

 private:
  enum class Kind { Literal, Letter, AlphaNum, Any, Digit, DigitOrSign };
  enum class Case { AsTyped, Upper, Lower };
  struct Position {
    Kind kind = Kind::Literal;
    bool required = false;
    Case letterCase = Case::AsTyped;
    wchar_t literal = 0;
  };
  std::vector<Position> positions_;
  wchar_t blank_ = L'_';
  bool saveLiterals_ = true;
  bool fillFromRight_ = false;
};

}  // namespace classlib
