#pragma once
// Exceptions of the component library: each carries the message the user sees.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "classlib/Utf8.h"

namespace classlib {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message) : message_(std::move(message)), what_(Utf8Encode(message_)) {}
  const std::wstring& Message() const { return message_; }
  // The message in UTF-8, for logs and test reports.
  const char* what() const noexcept override { return what_.c_str(); }

 private:
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
