#pragma once
// Exceptions of the component library: each carries the message the user sees.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace classlib {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message) : message_(std::move(message)), what_(Utf8(message_)) {}
  const std::wstring& Message() const { return message_; }
  // The message in UTF-8, for logs and test reports.
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  static std::string Utf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      std::uint32_t c = static_cast<std::uint32_t>(text[i]);
      if (sizeof(wchar_t) == 2 && c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
        std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
        if (low >= 0xDC00 && low < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
      if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
      } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      }
    }
    return out;
  }

  std::wstring message_;
  std::string what_;
};

class EConvertError : public Exception {
  using Exception::Exception;
};
class EListError : public Exception {
  using Exception::Exception;
};
class EStreamError : public Exception {
  using Exception::Exception;
};
// A stream that could not transfer all that was asked ("Stream read error").
class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};
// A file that could not be opened or created; the message names it and gives the system's reason.
class EFOpenError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
  using EStreamError::EStreamError;
};
// A named resource that the executable does not hold.
class EResNotFound : public Exception {
  using Exception::Exception;
};
// An INI file that could not be written.
class EIniFileException : public Exception {
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
  using Exception::Exception;
};
// A malformed form description; the message names the line.
class EFormError : public Exception {
  using Exception::Exception;
};

}  // namespace classlib
