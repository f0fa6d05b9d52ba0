// Input the user can fix, wrong at a known place (file, line, field): the
// error every reader of outside files (survey files, drawing files, formula
// files) reports. what() is the complete message, ready to print after the
// program name.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace plamor {

// Input at fault. Line and field are 1-based; 0 leaves them out of the message:
// "obs1.csv: line 3, field 4: "1.2x" is not a number".
class InputError : public std::runtime_error {
 public:
  InputError(const std::filesystem::path& file, std::size_t line, std::size_t field, const std::string& what);
  InputError(const std::filesystem::path& file, std::size_t line, const std::string& what)
      : InputError(file, line, 0, what) {}
  InputError(const std::filesystem::path& file, const std::string& what) : InputError(file, 0, 0, what) {}
};

}  // namespace plamor
