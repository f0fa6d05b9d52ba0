#include "server/optional_arg.h"

#include "platform/numeric_text.h"
#include "server/automation_error.h"

namespace plamor {

std::optional<double> OptionalArg::Number(const char* name) const {
  if (IsMissing()) return std::nullopt;
  if (const double* number = std::get_if<double>(&value_)) return *number;
  const std::string& text = std::get<std::string>(value_);
  if (!numtext::IsNumeric(text)) {
    throw AutomationError(kErrTypeMismatch,
                          std::string("Type mismatch: argument ") + name + " is the text \"" + text +
                              "\", not a number");
  }
  return numtext::Val(text);
}

}  // namespace plamor
