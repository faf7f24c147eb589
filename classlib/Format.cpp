// Format: the platform's printf-like routine over a list of typed arguments.
#include <algorithm>
#include <limits>

#include "classlib/Exception.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

[[noreturn]] void Invalid(std::wstring_view format) {
  throw EConvertError(L"Format '" + std::wstring(format) + L"' invalid or incompatible with argument");
}

[[noreturn]] void NoArgument(std::wstring_view format) {
  throw EConvertError(L"No argument for format '" + std::wstring(format) + L"'");
}

std::wstring UnsignedToStr(std::uint64_t v) {
  std::wstring out;
  do {
    out.insert(out.begin(), static_cast<wchar_t>(L'0' + v % 10));
    v /= 10;
  } while (v);
  return out;
}

std::wstring WithMinimumDigits(std::wstring digits, int minimum) {
  const bool negative = !digits.empty() && digits[0] == L'-';
  const std::size_t have = digits.size() - (negative ? 1 : 0);
  if (minimum > 0 && have < static_cast<std::size_t>(minimum))
    digits.insert(negative ? 1 : 0, static_cast<std::size_t>(minimum) - have, L'0');
  return digits;
}

}  // namespace

std::wstring FormatArgs(std::wstring_view format, std::span<const TFormatArg> args, const TFormatSettings& settings) {
  std::wstring out;
  std::size_t next = 0;  // next argument
  std::size_t i = 0;
  const auto takeArgument = [&](std::size_t index) -> const TFormatArg& {
    if (index >= args.size()) NoArgument(format);
    return args[index];
  };
  // A number in the format or '*' for the next argument; -1 when there is none.
  const auto readNumber = [&]() -> int {
    if (i < format.size() && format[i] == L'*') {
      ++i;
      const TFormatArg& a = takeArgument(next++);
      if (a.kind() != TFormatArg::Kind::Signed && a.kind() != TFormatArg::Kind::Unsigned) Invalid(format);
      const std::int64_t v = a.kind() == TFormatArg::Kind::Signed
                                 ? a.asSigned()
                                 : static_cast<std::int64_t>(std::min<std::uint64_t>(a.asUnsigned(), 1u << 20));
      return static_cast<int>(std::clamp<std::int64_t>(v, -1, 1 << 20));
    }
    if (i >= format.size() || format[i] < L'0' || format[i] > L'9') return -1;
    int v = 0;
    while (i < format.size() && format[i] >= L'0' && format[i] <= L'9') {
      v = std::min(v * 10 + (format[i] - L'0'), 1 << 20);
      ++i;
    }
    return v;
  };

  while (i < format.size()) {
    const wchar_t c = format[i++];
    if (c != L'%') {
      out.push_back(c);
      continue;
    }
    if (i < format.size() && format[i] == L'%') {
      out.push_back(L'%');
      ++i;
      continue;
    }
    // [index ":"]
    const std::size_t specStart = i;
    if (i < format.size() && format[i] != L'*') {
      const int number = readNumber();
      if (number >= 0 && i < format.size() && format[i] == L':') {
        next = static_cast<std::size_t>(number);
        ++i;
      } else {
        i = specStart;
      }
    }
    bool left = false;
    if (i < format.size() && format[i] == L'-') {
      left = true;
      ++i;
    }
    const bool zeroPad = !left && i < format.size() && format[i] == L'0';
    const int width = readNumber();
    int precision = -1;
    if (i < format.size() && format[i] == L'.') {
      ++i;
      precision = readNumber();
      if (precision < 0) precision = 0;
    }
    if (i >= format.size()) Invalid(format);
    const wchar_t type = UpCaseChar(format[i++]);
    const TFormatArg& arg = takeArgument(next++);
    const bool isInteger = arg.kind() == TFormatArg::Kind::Signed || arg.kind() == TFormatArg::Kind::Unsigned;
    std::wstring piece;
    switch (type) {
      case L'D':
        if (!isInteger) Invalid(format);
        piece = arg.kind() == TFormatArg::Kind::Signed ? IntToStr(arg.asSigned()) : UnsignedToStr(arg.asUnsigned());
        piece = WithMinimumDigits(piece, precision);
        break;
      case L'U':
        if (!isInteger) Invalid(format);
        // A negative 32-bit value reads as its unsigned twin, as the platform's %u does.
        piece = UnsignedToStr(arg.kind() == TFormatArg::Kind::Unsigned ? arg.asUnsigned()
                              : (arg.asSigned() < 0 && arg.asSigned() >= std::numeric_limits<std::int32_t>::min())
                                  ? static_cast<std::uint32_t>(arg.asSigned())
                                  : static_cast<std::uint64_t>(arg.asSigned()));
        piece = WithMinimumDigits(piece, precision);
        break;
      case L'X': {
        if (!isInteger) Invalid(format);
        if (arg.kind() == TFormatArg::Kind::Unsigned) {
          piece = IntToHexBits(arg.asUnsigned(), precision);
        } else if (arg.asSigned() >= std::numeric_limits<std::int32_t>::min() &&
                   arg.asSigned() <= std::numeric_limits<std::int32_t>::max()) {
          piece = IntToHexBits(static_cast<std::uint32_t>(arg.asSigned()), precision);
        } else {
          piece = IntToHexBits(static_cast<std::uint64_t>(arg.asSigned()), precision);
        }
        break;
      }
      case L'E':
        if (arg.kind() != TFormatArg::Kind::Float) Invalid(format);
        piece = FloatToStrF(arg.asFloat(), ffExponent, precision < 0 ? 15 : precision, 3, settings);
        break;
      case L'F':
        if (arg.kind() != TFormatArg::Kind::Float) Invalid(format);
        piece = FloatToStrF(arg.asFloat(), ffFixed, 18, precision < 0 ? 2 : precision, settings);
        break;
      case L'G':
        if (arg.kind() != TFormatArg::Kind::Float) Invalid(format);
        piece = FloatToStrF(arg.asFloat(), ffGeneral, precision < 0 ? 15 : precision, 3, settings);
        break;
      case L'N':
        if (arg.kind() != TFormatArg::Kind::Float) Invalid(format);
        piece = FloatToStrF(arg.asFloat(), ffNumber, 18, precision < 0 ? 2 : precision, settings);
        break;
      case L'S':
        if (arg.kind() != TFormatArg::Kind::Text) Invalid(format);
        piece = arg.asText();
        if (precision >= 0 && piece.size() > static_cast<std::size_t>(precision))
          piece.resize(static_cast<std::size_t>(precision));
        break;
      default: Invalid(format);
    }
    if (width > 0 && piece.size() < static_cast<std::size_t>(width)) {
      const std::size_t pad = static_cast<std::size_t>(width) - piece.size();
      if (left) {
        piece.append(pad, L' ');
      } else if (zeroPad && type != L'S') {
        piece.insert(!piece.empty() && piece[0] == L'-' ? 1 : 0, pad, L'0');
      } else {
        piece.insert(0, pad, L' ');
      }
    }
    out += piece;
  }
  return out;
}

}  // namespace classlib
