// FormatFloat: a number laid out by a picture of digit placeholders.
#include <algorithm>
#include <cmath>
#include <vector>

#include "classlib/FloatDigits.h"
#include "classlib/FormatPicture.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

// Significant digits kept before rounding to the picture, as many as the platform's
// extended-precision conversion yields.
constexpr int kMaxDigits = 18;

// Splits at ';' outside quotes.
std::vector<std::wstring_view> Sections(std::wstring_view format) {
  std::vector<std::wstring_view> out;
  std::size_t start = 0;
  ForEachUnquoted(format, [&](std::size_t i) {
    if (format[i] != L';') return true;
    out.push_back(format.substr(start, i - start));
    start = i + 1;
    return out.size() < 2;  // a third ';' belongs to the zero section's text
  });
  out.push_back(format.substr(start));
  return out;
}

// What a section asks for, found in one pass over it.
struct Picture {
  int integerPlaceholders = 0;  // '0' and '#' before the decimal point
  int integerMinimum = 0;       // placeholders from the first '0' up to the point
  int fractionPlaceholders = 0;
  int fractionMinimum = 0;  // up to the last '0' after the point
  bool grouping = false;    // ',' among the integer placeholders
  bool scientific = false;
  bool exponentSign = false;  // E+ (always a sign) rather than E- (minus only)
  int exponentDigits = 0;
  std::size_t exponentAt = std::wstring_view::npos;  // where "E+" starts in the section
};

Picture Analyse(std::wstring_view s) {
  Picture p;
  bool afterPoint = false;
  bool seenZero = false;
  wchar_t quote = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == L'\'' || c == L'"') {
      quote = c;
    } else if ((c == L'E' || c == L'e') && i + 1 < s.size() && (s[i + 1] == L'+' || s[i + 1] == L'-') &&
               p.integerPlaceholders + p.fractionPlaceholders > 0) {
      p.scientific = true;
      p.exponentSign = s[i + 1] == L'+';
      p.exponentAt = i;
      std::size_t k = i + 2;
      while (k < s.size() && s[k] == L'0') ++k;
      p.exponentDigits = std::min<int>(static_cast<int>(k - i - 2), 4);
      break;
    } else if (c == L'.' && !afterPoint) {
      afterPoint = true;
    } else if (c == L'0' || c == L'#') {
      if (afterPoint) {
        ++p.fractionPlaceholders;
        if (c == L'0') p.fractionMinimum = p.fractionPlaceholders;
      } else {
        ++p.integerPlaceholders;
        if (c == L'0') seenZero = true;
        if (seenZero) ++p.integerMinimum;
      }
    } else if (c == L',' && !afterPoint) {
      p.grouping = true;
    }
  }
  return p;
}

struct Rendered {
  std::wstring integer;   // digits, without grouping; may be empty
  std::wstring fraction;  // digits after the point, trailing optional zeros dropped
  std::wstring exponent;  // "E+03" and the like, or empty
};

Rendered Render(TFloatRec rec, const Picture& p) {
  Rendered r;
  int exponent = 0;
  if (p.scientific) {
    const int integerDigits = std::max(p.integerPlaceholders, 1);
    if (!rec.IsZero()) {
      RoundDigits(rec, std::min(integerDigits + p.fractionPlaceholders, kMaxDigits));
      exponent = rec.Exponent - integerDigits;
      rec.Exponent = integerDigits;
    }
  } else {
    RoundDigits(rec, std::min(rec.Exponent + p.fractionPlaceholders, kMaxDigits));
  }
  const int count = static_cast<int>(rec.Digits.size());
  for (int k = 0; k < rec.Exponent; ++k)
    r.integer.push_back(k < count ? static_cast<wchar_t>(rec.Digits[static_cast<std::size_t>(k)]) : L'0');
  if (static_cast<int>(r.integer.size()) < p.integerMinimum)
    r.integer.insert(0, static_cast<std::size_t>(p.integerMinimum) - r.integer.size(), L'0');
  for (int k = 0; k < p.fractionPlaceholders; ++k) {
    const int index = rec.Exponent + k;
    r.fraction.push_back(index >= 0 && index < count ? static_cast<wchar_t>(rec.Digits[static_cast<std::size_t>(index)])
                                                     : L'0');
  }
  while (static_cast<int>(r.fraction.size()) > p.fractionMinimum && r.fraction.back() == L'0') r.fraction.pop_back();
  if (p.scientific) {
    r.exponent.push_back(L'E');
    if (exponent < 0) {
      r.exponent.push_back(L'-');
    } else if (p.exponentSign) {
      r.exponent.push_back(L'+');
    }
    std::wstring digits = IntToStr(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < p.exponentDigits)
      digits.insert(0, static_cast<std::size_t>(p.exponentDigits) - digits.size(), L'0');
    r.exponent += digits;
  }
  return r;
}

// Walks the section again, putting digits where its placeholders stand and copying the rest.
std::wstring Layout(std::wstring_view s, const Picture& p, const Rendered& r, const TFormatSettings& settings) {
  std::wstring out;
  const int integerDigits = static_cast<int>(r.integer.size());
  int integerSeen = 0;  // integer placeholders passed so far
  int fractionSeen = 0;
  int nextDigit = 0;  // index into r.integer
  bool afterPoint = false;
  wchar_t quote = 0;
  const bool digitless = p.integerPlaceholders + p.fractionPlaceholders == 0;  // text only, e.g. "Zero"
  const auto emitInteger = [&](int upTo) {
    if (digitless) return;
    // Emits integer digits up to index `upTo` (exclusive), grouping as it goes.
    for (; nextDigit < upTo; ++nextDigit) {
      out.push_back(r.integer[static_cast<std::size_t>(nextDigit)]);
      const int fromRight = integerDigits - 1 - nextDigit;
      if (p.grouping && fromRight > 0 && fromRight % 3 == 0 && settings.ThousandSeparator != 0)
        out.push_back(settings.ThousandSeparator);
    }
  };
  const std::size_t end = p.scientific ? p.exponentAt : s.size();
  for (std::size_t i = 0; i < end; ++i) {
    const wchar_t c = s[i];
    if (quote) {
      if (c == quote) {
        quote = 0;
      } else {
        out.push_back(c);
      }
      continue;
    }
    if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (c == L'0' || c == L'#') {
      if (!afterPoint) {
        ++integerSeen;
        // The placeholder stands for the digit that many places from the right; the first one
        // also takes every digit beyond the picture's width.
        emitInteger(std::max(0, integerDigits - (p.integerPlaceholders - integerSeen)));
      } else {
        if (fractionSeen < static_cast<int>(r.fraction.size()))
          out.push_back(r.fraction[static_cast<std::size_t>(fractionSeen)]);
        ++fractionSeen;
      }
    } else if (c == L'.' && !afterPoint) {
      emitInteger(integerDigits);
      afterPoint = true;
      if (!r.fraction.empty()) out.push_back(settings.DecimalSeparator);
    } else if (c == L',') {
      // Only switches grouping on.
    } else {
      out.push_back(c);
    }
  }
  emitInteger(integerDigits);
  if (p.scientific) {
    out += r.exponent;
    // Text after the exponent's digits.
    std::size_t k = p.exponentAt + 2;
    while (k < s.size() && s[k] == L'0') ++k;
    for (; k < s.size(); ++k)
      if (s[k] != L'\'' && s[k] != L'"') out.push_back(s[k]);
  }
  return out;
}

}  // namespace

std::wstring FormatFloat(std::wstring_view format, double value, const TFormatSettings& settings) {
  if (format.empty()) return FloatToStr(value, settings);
  TFloatRec rec = FloatToDecimal(value);
  if (rec.Nan || rec.Infinite) return FloatToStr(value, settings);
  const auto sections = Sections(format);
  std::wstring_view section = sections[0];
  bool minusSign = rec.Negative;
  if (rec.Negative && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    minusSign = false;  // the negative section writes its own sign, if any
  }
  if (rec.IsZero() && sections.size() > 2 && !sections[2].empty()) section = sections[2];
  if (section.empty()) return FloatToStr(value, settings);
  rec.Negative = false;
  Picture picture = Analyse(section);
  Rendered rendered = Render(rec, picture);
  const bool roundedToZero =
      std::all_of(rendered.integer.begin(), rendered.integer.end(), [](wchar_t c) { return c == L'0'; }) &&
      std::all_of(rendered.fraction.begin(), rendered.fraction.end(), [](wchar_t c) { return c == L'0'; });
  if (roundedToZero && !rec.IsZero()) {
    // A value that rounds to zero is shown as zero: by the zero section when there is one, and
    // without a minus sign.
    minusSign = false;
    if (sections.size() > 2 && !sections[2].empty()) {
      section = sections[2];
      picture = Analyse(section);
      rendered = Render(TFloatRec{}, picture);
    }
  }
  std::wstring out = Layout(section, picture, rendered, settings);
  return minusSign ? L"-" + out : out;
}

std::wstring FormatFloat(std::wstring_view format, double value) { return FormatFloat(format, value, FormatSettings); }

}  // namespace classlib
