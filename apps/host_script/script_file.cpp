#include "apps/host_script/script_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace plamor::script {

std::string ReadScriptFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec))
    throw std::runtime_error(file.string() + ": is a folder, not a script");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot be read: " + std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw std::runtime_error(file.string() + ": cannot be read");
  return bytes.str();
}

}  // namespace plamor::script
