#include "apps/plamor_draw/command_line.h"

#include <cstdlib>

#include "apps/plamor_draw/input_error.h"
#include "platform/numeric_text.h"

namespace plamor::draw {

CommandLine::CommandLine(const std::vector<std::string>& args, const std::set<std::string>& flags,
                         const std::set<std::string>& valued) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 1 && a[0] == '-') {
      if (flags.count(a)) {
        flagsSeen_.insert(a);
      } else if (valued.count(a)) {
        if (i + 1 >= args.size()) throw UsageError("option " + a + " needs a value");
        values_.emplace_back(a, args[++i]);
      } else {
        throw UsageError("unknown option " + a);
      }
    } else {
      positional_.push_back(a);
    }
  }
}

std::optional<std::string> CommandLine::Value(const std::string& name) const {
  std::optional<std::string> value;
  for (const auto& [n, v] : values_)
    if (n == name) {
      if (value) throw UsageError("option " + name + " is given twice");
      value = v;
    }
  return value;
}

std::string CommandLine::Required(const std::string& name) const {
  auto v = Value(name);
  if (!v) throw UsageError("option " + name + " is required");
  return *v;
}

int ParseInteger(const std::string& option, const std::string& text, int low, int high) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || v < low || v > high)
    throw UsageError(option + ": \"" + text + "\" is not a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high));
  return static_cast<int>(v);
}

std::vector<int> ParseNumberList(const std::string& option, const std::string& text) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    numbers.push_back(ParseInteger(option, text.substr(start, end - start), 1, 1000000));
    start = end + 1;
  }
  return numbers;
}

AxisRange ParseRange(const std::string& option, const std::string& text) {
  const auto colon = text.find(':');
  const std::string low = colon == std::string::npos ? "" : text.substr(0, colon);
  const std::string high = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (!numtext::IsNumeric(low) || !numtext::IsNumeric(high))
    throw UsageError(option + ": \"" + text + "\" is not a range MIN:MAX such as 0:2.4");
  const AxisRange r{numtext::Val(low), numtext::Val(high)};
  if (!(r.min < r.max)) throw UsageError(option + ": the minimum of \"" + text + "\" is not below its maximum");
  return r;
}

}  // namespace plamor::draw
