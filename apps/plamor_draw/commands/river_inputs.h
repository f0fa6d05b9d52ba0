// The river the river commands work on: the national cross-section files
// given on the command line, and the sounding observation files given as
// sections (--observation FILE:KM); the scales their sheets take.
#pragma once

#include <optional>
#include <string>

#include "apps/plamor_draw/option_values.h"
#include "survey/river.h"

namespace plamor::draw {

// Reads and assembles them; UsageError when no file is given or an
// --observation is not FILE:KM, InputError naming the file at fault.
survey::River ReadRiverOf(const CommandLine& line, const std::string& command);

// The scale 1:N an option such as --distance-scale gives as N; none when it
// is not given. UsageError for a value that is not a number above 0.
std::optional<double> ScaleOption(const CommandLine& line, const std::string& option);

// The PDF's subject of river sheets drawn at two scales:
// "A3 landscape, along 1:10000, elevations 1:100" (`direction` "along").
std::string TwoScaleSubject(const std::string& direction, double distanceScale, double elevationScale);

}  // namespace plamor::draw
