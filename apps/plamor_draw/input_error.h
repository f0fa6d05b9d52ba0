// Errors of plamor-draw that the user can fix: a bad command line, or input
// that is wrong at a known place (file, line, field). what() is the complete
// message, ready to print after the program name.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "cli/command_line.h"

namespace plamor::draw {

// A command line that cannot be run.
using UsageError = cli::UsageError;

// Input at fault. Line and field are 1-based; 0 leaves them out of the message:
// "obs1.csv: line 3, field 4: "1.2x" is not a number".
class InputError : public std::runtime_error {
 public:
  InputError(const std::filesystem::path& file, std::size_t line, std::size_t field, const std::string& what);
  InputError(const std::filesystem::path& file, std::size_t line, const std::string& what)
      : InputError(file, line, 0, what) {}
  InputError(const std::filesystem::path& file, const std::string& what) : InputError(file, 0, 0, what) {}
};

}  // namespace plamor::draw
