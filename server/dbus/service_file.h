// The D-Bus activation file of the drawing server in the user's D-Bus
// services folder ($XDG_DATA_HOME/dbus-1/services, default
// ~/.local/share/dbus-1/services), so that a host's first request starts it.
#pragma once

#include <filesystem>
#include <string>

namespace plamor::dbus {

std::filesystem::path ServiceFilePath();

// The file's text for a server program at `program`.
std::string ServiceFileText(const std::filesystem::path& program);

// Writes (atomically) or removes the file; throws std::runtime_error naming
// the file and the reason on failure. Removing a file that is not there is
// not an error.
void RegisterServer(const std::filesystem::path& program);
void UnregisterServer();

}  // namespace plamor::dbus
