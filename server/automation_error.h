// The error every server class raises to its caller: the host's error number
// (one of platform/error_numbers.h) and description. The D-Bus layer turns
// each number into a named error.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/error_numbers.h"

namespace plamor {

class AutomationError : public std::runtime_error {
 public:
  AutomationError(std::int32_t number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  std::int32_t Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  std::int32_t number_;
};

// Refuses a value that is not a finite number (NaN, infinities), naming it.
inline void RequireFinite(double value, const char* name) {
  if (!std::isfinite(value)) {
    throw AutomationError(kErrInvalidArgument,
                          std::string("Invalid argument: ") + name + " is not a finite number");
  }
}

// The same for each named value in turn.
inline void RequireFinite(std::initializer_list<std::pair<double, const char*>> values) {
  for (const auto& [value, name] : values) RequireFinite(value, name);
}

}  // namespace plamor
