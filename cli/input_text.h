// Reading the text files engineers hand to our programs: UTF-8 or the system
// code page (CP932), told apart by the bytes themselves.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace plamor {

// True when the bytes are valid UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view bytes);

// The bytes of an input file; a folder, or a file that cannot be read, is an
// InputError naming it.
std::string ReadInputFile(const std::filesystem::path& file);

// The lines of a text file as UTF-8: valid UTF-8 is taken as it is (a leading
// byte-order mark dropped), anything else is read as CP932. Lines end with LF
// or CR LF; a final line end adds no empty line. A file that cannot be read is
// an InputError naming it.
std::vector<std::string> ReadTextLines(const std::filesystem::path& file);

}  // namespace plamor
