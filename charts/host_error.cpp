#include "charts/host_error.h"

#include <cmath>

#include "platform/numeric_text.h"

namespace plamor::charts {

HostError::HostError(int number, const std::string& detail)
    : std::runtime_error(detail.empty() ? std::string(ErrorMessage(number))
                                        : ErrorMessage(number) + std::string(": ") + detail),
      number_(number) {}

double Divide(double a, double b, const char* what) {
  if (b == 0.0) throw HostError(kDivisionByZero, what);
  return Finite(a / b, what);
}

double Finite(double value, const char* what) {
  if (!std::isfinite(value)) throw HostError(kOverflow, what);
  return value;
}

std::int16_t ToInt16(double value, const char* what) {
  try {
    return numtext::ToInt16(value);
  } catch (const std::overflow_error&) {
    throw HostError(kOverflow, what);
  }
}

std::int32_t ToInt32(double value, const char* what) {
  try {
    return numtext::ToInt32(value);
  } catch (const std::overflow_error&) {
    throw HostError(kOverflow, what);
  }
}

}  // namespace plamor::charts
