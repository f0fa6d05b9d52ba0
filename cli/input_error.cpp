#include "cli/input_error.h"

namespace plamor {
namespace {

std::string Place(const std::filesystem::path& file, std::size_t line, std::size_t field) {
  std::string place = file.string();
  if (line) place += ": line " + std::to_string(line);
  if (field) place += std::string(line ? "," : ":") + " field " + std::to_string(field);
  return place;
}

}  // namespace

InputError::InputError(const std::filesystem::path& file, std::size_t line, std::size_t field,
                       const std::string& what)
    : std::runtime_error(Place(file, line, field) + ": " + what) {}

}  // namespace plamor
