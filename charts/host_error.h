// Errors the chart controls raise to their caller, in the form a host of
// automation controls expects: the host's error number and a description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/error_numbers.h"

namespace plamor::charts {

// The host errors the chart controls raise, by the names the controls use.
inline constexpr ErrNumber kInvalidCall = kErrInvalidArgument;
inline constexpr ErrNumber kOverflow = kErrOverflow;
inline constexpr ErrNumber kSubscriptOutOfRange = kErrSubscriptOutOfRange;
inline constexpr ErrNumber kDivisionByZero = kErrDivisionByZero;
inline constexpr ErrNumber kTypeMismatch = kErrTypeMismatch;

class HostError : public std::runtime_error {
 public:
  // The description is the host's standard text for the number, followed by
  // what exactly was wrong: "Subscript out of range: line 11 of the data is missing".
  HostError(int number, const std::string& detail);
  int Number() const noexcept { return number_; }

 private:
  int number_;
};

// a / b, raising division by zero when b is 0 and overflow when the result is
// not a finite number. `what` names the quantity for the message.
double Divide(double a, double b, const char* what);

// The value itself, or an overflow error when it is not a finite number.
double Finite(double value, const char* what);

// Rounds half to even to a 16-bit integer; overflow error outside its range.
std::int16_t ToInt16(double value, const char* what);

// Rounds half to even to a 32-bit integer; overflow error outside its range.
std::int32_t ToInt32(double value, const char* what);

}  // namespace plamor::charts
