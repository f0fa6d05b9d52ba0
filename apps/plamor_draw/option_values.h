// Reading the options of a plamor-draw subcommand: the shared command line
// and the forms of option values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "survey/axis_range.h"
#include "cli/command_line.h"
#include "sheets/hq_pens.h"

namespace plamor::draw {

using cli::CommandLine;
using cli::Command;
// A command line that cannot be run.
using cli::UsageError;

// "1,3,5" to the numbers; UsageError naming the option on anything else.
std::vector<int> ParseNumberList(const std::string& option, const std::string& text);
// "MIN:MAX" with MIN < MAX; UsageError naming the option otherwise.
survey::AxisRange ParseRange(const std::string& option, const std::string& text);
// A number; UsageError naming the option and the kind of value it takes
// otherwise: ParseNumber("--stage", "x", "an elevation such as 31.5").
double ParseNumber(const std::string& option, const std::string& text, const std::string& what);
// A whole number within [low, high]; UsageError naming the option otherwise.
int ParseInteger(const std::string& option, const std::string& text, int low, int high);
struct HqPenOption {
  sheets::HqPens pens;
  std::optional<int> curve;  // the fitted curve's pen, when a sixth is given
};
// "7,1,7,2,7" or "7,1,7,2,7,2" (each 1..7) to the pens of the H-Q drawing
// and the fitted curve; UsageError naming --pens otherwise.
HqPenOption ParseHqPens(const std::string& text);

}  // namespace plamor::draw
