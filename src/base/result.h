#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tagsmit {

// Outcome of an operation that gives nothing back: success, or a message that
// names the failure for the user.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status{}; }
  static Status Failure(std::string message) {
    Status status;
    status.error_ = std::move(message);
    return status;
  }

  bool ok() const { return !error_.has_value(); }
  const std::string& error() const { return *error_; }

 private:
  std::optional<std::string> error_;
};

// A value, or a message that names why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
  static Result Failure(std::string message) { return Result(Error{std::move(message)}); }

  bool ok() const { return std::holds_alternative<T>(state_); }
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const std::string& error() const { return std::get<Error>(state_).message; }

 private:
  struct Error {
    std::string message;
  };
  explicit Result(Error error) : state_(std::move(error)) {}

  std::variant<T, Error> state_;
};

}  // namespace tagsmit
