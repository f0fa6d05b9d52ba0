// The search-key form of a double: the hexadecimal digits of its memory image.
#pragma once

#include <string>

namespace plamor {

// The 16 hexadecimal digits of the double's memory image (ConvertD2HS of
// libTessaroDll.so). Throws dynlib::LibraryError when that library cannot be used.
std::string DoubleToHexKey(double value);

}  // namespace plamor
