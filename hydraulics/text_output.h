// Files the hydraulics computations write (formula files, rating tables,
// converted stage records, fit reports): written under a temporary name beside
// the target and renamed onto it when complete, so a failed write leaves
// nothing behind and an earlier file of that name stays as it was.
#pragma once

#include <filesystem>
#include <string_view>

namespace plamor::hydraulics {

// Throws std::runtime_error "FILE: cannot be written: reason" on failure.
void WriteTextFile(const std::filesystem::path& file, std::string_view text);

}  // namespace plamor::hydraulics
