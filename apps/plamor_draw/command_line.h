// Reading the options of a plamor-draw subcommand: the shared command line
// and the forms of option values.
#pragma once

#include <string>
#include <vector>

#include "apps/plamor_draw/axis_range.h"
#include "cli/command_line.h"

namespace plamor::draw {

using cli::CommandLine;
using cli::Command;

// "1,3,5" to the numbers; UsageError naming the option on anything else.
std::vector<int> ParseNumberList(const std::string& option, const std::string& text);
// "MIN:MAX" with MIN < MAX; UsageError naming the option otherwise.
AxisRange ParseRange(const std::string& option, const std::string& text);
// A whole number within [low, high]; UsageError naming the option otherwise.
int ParseInteger(const std::string& option, const std::string& text, int low, int high);

}  // namespace plamor::draw
