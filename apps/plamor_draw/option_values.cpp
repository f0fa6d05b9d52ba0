#include "apps/plamor_draw/option_values.h"

#include <cstdlib>

#include "cli/input_error.h"
#include "platform/numeric_text.h"

namespace plamor::draw {

double ParseNumber(const std::string& option, const std::string& text, const std::string& what) {
  if (!numtext::IsNumeric(text)) throw UsageError(option + ": \"" + text + "\" is not " + what);
  return numtext::Val(text);
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

survey::AxisRange ParseRange(const std::string& option, const std::string& text) {
  const auto colon = text.find(':');
  const std::string low = colon == std::string::npos ? "" : text.substr(0, colon);
  const std::string high = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (!numtext::IsNumeric(low) || !numtext::IsNumeric(high))
    throw UsageError(option + ": \"" + text + "\" is not a range MIN:MAX such as 0:2.4");
  const survey::AxisRange r{numtext::Val(low), numtext::Val(high)};
  if (!(r.min < r.max)) throw UsageError(option + ": the minimum of \"" + text + "\" is not below its maximum");
  return r;
}

HqPenOption ParseHqPens(const std::string& text) {
  std::vector<int> n = ParseNumberList("--pens", text);
  if (n.size() != 5 && n.size() != 6)
    throw UsageError("--pens takes five pens FRAME,GRID,TEXT,LABEL,TITLE such as 7,1,7,2,7, and the fitted "
                     "curve's as a sixth");
  for (int pen : n)
    if (pen > 7) throw UsageError("--pens: pen " + std::to_string(pen) + " does not exist (pens are 1 to 7)");
  HqPenOption option{{n[0], n[1], n[2], n[3], n[4]}, std::nullopt};
  if (n.size() == 6) option.curve = n[5];
  return option;
}

}  // namespace plamor::draw
