// Per-user application settings: application / section / key with text
// values. Each application has one INI file, $XDG_CONFIG_HOME/tessaro/<app>.ini
// (XDG_CONFIG_HOME defaults to ~/.config), e.g. Corvane.ini with the section
// [Common] and the key PlamorFilePath.
//
// Section and key names match without regard to ASCII case, as the host's
// settings store does. Values are UTF-8 text of any content (line breaks,
// blanks at either end and backslashes are escaped in the file).
// Writing replaces the file in one step (a temporary file renamed over it), so
// an interrupted write never loses the earlier settings.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plamor::settings {

// A settings file that cannot be read or written, or a name that cannot be
// stored. what() names the file (or the name) and the reason.
class SettingsError : public std::runtime_error {
 public:
  SettingsError(const std::filesystem::path& file, const std::string& reason);
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};

// The folder of all settings files: $XDG_CONFIG_HOME/tessaro or ~/.config/tessaro.
std::filesystem::path SettingsFolder();

// The INI file of one application: an existing file whose name matches
// without regard to case, else <application>.ini. The application name must be
// a plain file name: not empty, no "/", not "." or "..".
std::filesystem::path SettingsFile(std::string_view application);

// The value of the key, or `fallback` when the file, the section or the key
// does not exist. Throws SettingsError when the file exists but cannot be read.
std::string GetSetting(std::string_view application, std::string_view section,
                       std::string_view key, std::string_view fallback = {});

// Stores the value, creating the folder, the file and the section as needed.
// Throws SettingsError when the name is not storable or the file cannot be
// written; the earlier file then stays as it was.
void SaveSetting(std::string_view application, std::string_view section,
                 std::string_view key, std::string_view value);

// Removes the key; nothing happens when it does not exist. An empty section is
// removed with its last key. Throws SettingsError as SaveSetting does.
void DeleteSetting(std::string_view application, std::string_view section,
                   std::string_view key);

}  // namespace plamor::settings
