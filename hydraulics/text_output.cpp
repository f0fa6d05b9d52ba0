#include "hydraulics/text_output.h"

#include <stdexcept>
#include <string>

#include "server/formats/output_file.h"

namespace plamor::hydraulics {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& file, const FileError& error) {
  throw std::runtime_error(file.string() + ": cannot be written (error " + std::to_string(error.number) + ": " +
                           error.description + ")");
}

}  // namespace

void WriteTextFile(const std::filesystem::path& file, std::string_view text) {
  DiskOutputFile out;
  if (auto error = out.Open(file.string(), OpenMode::kBinary)) Fail(file, *error);
  const WriteOutcome written = out.Write(text);
  if (written.error) Fail(file, *written.error);
  if (auto error = out.Close()) Fail(file, *error);
}

}  // namespace plamor::hydraulics
