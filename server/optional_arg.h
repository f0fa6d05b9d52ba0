// Optional arguments of the automation calls: missing, given as a number, or
// given as a text. A text that reads as a number counts as that number; any
// other text cannot be compared as a number and is a type mismatch.
#pragma once

#include <optional>
#include <string>
#include <variant>

namespace plamor {

class OptionalArg {
 public:
  OptionalArg() = default;  // missing
  OptionalArg(double number) : value_(number) {}
  OptionalArg(int number) : value_(static_cast<double>(number)) {}
  OptionalArg(std::string text) : value_(std::move(text)) {}
  OptionalArg(const char* text) : value_(std::string(text)) {}

  bool IsMissing() const { return std::holds_alternative<std::monostate>(value_); }

  // The argument as a number, or no value when it is missing. `name` names the
  // argument in the error raised for a text that is not a number.
  std::optional<double> Number(const char* name) const;

  // The argument as given (missing, a number or a text), for transports that
  // carry it on unchanged.
  const std::variant<std::monostate, double, std::string>& Raw() const { return value_; }

 private:
  std::variant<std::monostate, double, std::string> value_;
};

}  // namespace plamor
