#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tagsmit {

// What kind of failure, where a caller must tell kinds apart; the others
// only pass the message on.
enum class ErrorKind {
  kOther,
  kNotFound,  // no entry of that name in an existing folder
  kNotAFile,  // something other than a regular file is there
  kTaken,     // the name is in use already
};

// A failure: the message that names it for the user, and its kind.
struct Error {
  std::string message;
  ErrorKind kind = ErrorKind::kOther;
};

// Outcome of an operation that gives nothing back: success, or a failure.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status{}; }
  static Status Failure(std::string message, ErrorKind kind = ErrorKind::kOther) {
    Status status;
    status.error_ = Error{std::move(message), kind};
    return status;
  }

  bool ok() const { return !error_.has_value(); }
  const std::string& error() const { return error_->message; }
  ErrorKind kind() const { return error_->kind; }

 private:
  std::optional<Error> error_;
};

// A value, or a failure that names why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
  static Result Failure(std::string message, ErrorKind kind = ErrorKind::kOther) {
    return Result(Error{std::move(message), kind});
  }

  bool ok() const { return std::holds_alternative<T>(state_); }
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const std::string& error() const { return std::get<Error>(state_).message; }
  ErrorKind kind() const { return std::get<Error>(state_).kind; }

 private:
  explicit Result(Error error) : state_(std::move(error)) {}

  std::variant<T, Error> state_;
};

}  // namespace tagsmit
