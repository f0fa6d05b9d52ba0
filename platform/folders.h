// Well-known folders and file lookup.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace plamor::folders {

// The user's desktop folder: XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs
// (as xdg-user-dir reports it), else ~/Desktop. No trailing "/". The folder
// need not exist.
std::filesystem::path DesktopFolder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config.
std::filesystem::path ConfigFolder();

// The user's home folder ($HOME, else the password database entry).
std::filesystem::path HomeFolder();

// The folder of the running program's executable (/proc/self/exe).
std::filesystem::path ProgramFolder();

// The folder of the executable or shared library that holds `codeAddress`
// (any address of code or data in it); empty when it cannot be told.
std::filesystem::path ModuleFolder(const void* codeAddress);

// A data file of the system (the stroke font M_G_L.KVD), looked for without
// regard to case: in `folder` (a program's or library's own folder, where the
// build puts everything), else in share/plamor of the installation `folder`
// belongs to (<prefix>/bin, <prefix>/lib or <prefix>/lib/<multiarch>). The
// name in `folder` when neither holds it.
std::filesystem::path DataFile(const std::filesystem::path& folder, std::string_view name);

// The entry of `folder` whose name equals `name` without regard to ASCII case;
// an exact match wins over others. Nothing when there is none or the folder
// cannot be read.
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder,
                                                    std::string_view name);

// True when the file's name ends with the three characters of a kind (any
// case), as drawing kinds are told: "plan.PLM" is a "plm" file.
bool EndsWithKind(const std::filesystem::path& file, const char* kind);

// The stroke-font file M_G_L.KVD of this installation (DataFile of the
// program's own folder).
std::filesystem::path StrokeFontFile();

}  // namespace plamor::folders
