#include "survey/decimal_field.h"

#include <charconv>
#include <cmath>

namespace plamor::survey {

bool ParseDecimal(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  return error == std::errc() && stop == end && std::isfinite(value);
}

}  // namespace plamor::survey
