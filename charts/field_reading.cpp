#include "charts/field_reading.h"

#include <cmath>

#include "charts/host_error.h"
#include "platform/numeric_text.h"

namespace plamor::charts {

std::string_view CutField(std::string_view& rest) {
  const std::size_t comma = rest.find(',');
  if (comma == std::string_view::npos) {
    const std::string_view field = rest;
    rest = {};
    return field;
  }
  std::string_view field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
  return field;
}

std::string NextField(std::string& line) {
  std::string_view rest = line;
  std::string field(CutField(rest));
  line = std::string(rest);
  return field;
}

std::string_view FieldAt(std::string_view line, std::size_t field) {
  for (std::size_t i = 1; i < field; ++i) CutField(line);
  return CutField(line);
}

double FieldNumber(std::string_view field) {
  return Finite(numtext::LeadingNumber(field), "number too large in a data field");
}

double RoundHalfEven(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double scaled = Finite(value * scale, "value too large to round");
  return std::nearbyint(scaled) / scale;
}

double Round2(double value) {
  const double sign = value > 0 ? 1.0 : (value < 0 ? -1.0 : 0.0);
  return RoundHalfEven(value + 0.00005 * sign, 2);
}

}  // namespace plamor::charts
