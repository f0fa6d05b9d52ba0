// Reading a host script from its file.
#pragma once

#include <filesystem>
#include <string>

namespace plamor::script {

// The bytes of the script file. A folder, a missing file or one that cannot
// be read throws std::runtime_error naming the file and what is wrong.
std::string ReadScriptFile(const std::filesystem::path& file);

}  // namespace plamor::script
