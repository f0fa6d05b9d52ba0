#include "server/dbus/service_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "platform/folders.h"
#include "server/dbus/dbus_names.h"

namespace plamor::dbus {

std::filesystem::path ServiceFilePath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base = dataHome && *dataHome ? std::filesystem::path(dataHome)
                                                     : folders::HomeFolder() / ".local/share";
  return base / "dbus-1/services" / (std::string(kBusName) + ".service");
}

std::string ServiceFileText(const std::filesystem::path& program) {
  return "[D-BUS Service]\nName=" + std::string(kBusName) + "\nExec=" + program.string() + " --dbus\n";
}

void RegisterServer(const std::filesystem::path& program) {
  const auto file = ServiceFilePath();
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) throw std::runtime_error("cannot create " + file.parent_path().string() + ": " + ec.message());
  const auto temp = file.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << ServiceFileText(program);
    out.flush();
    if (!out) {
      const std::string reason = std::strerror(errno);
      std::filesystem::remove(temp, ec);
      throw std::runtime_error("cannot write " + temp + ": " + reason);
    }
  }
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    throw std::runtime_error("cannot write " + file.string() + ": " + ec.message());
  }
}

void UnregisterServer() {
  const auto file = ServiceFilePath();
  std::error_code ec;
  std::filesystem::remove(file, ec);
  if (ec) throw std::runtime_error("cannot remove " + file.string() + ": " + ec.message());
}

}  // namespace plamor::dbus
