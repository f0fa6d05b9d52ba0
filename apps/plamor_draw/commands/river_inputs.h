// The river the river commands work on: the national cross-section files
// given on the command line, and the sounding observation files given as
// sections (--observation FILE:KM).
#pragma once

#include "apps/plamor_draw/option_values.h"
#include "survey/river.h"

namespace plamor::draw {

// Reads and assembles them; UsageError when no file is given or an
// --observation is not FILE:KM, InputError naming the file at fault.
survey::River ReadRiverOf(const CommandLine& line, const std::string& command);

}  // namespace plamor::draw
