#include "server/elements/double_hex_key.h"

#include <cstdint>

#include "platform/dynamic_library.h"

namespace plamor {

std::string DoubleToHexKey(double value) {
  using ConvertFn = std::int32_t (*)(double, char*);
  struct Binding {
    dynlib::DynamicLibrary library = dynlib::DynamicLibrary::Load("libTessaroDll.so");
    ConvertFn convert = library.Function<ConvertFn>("ConvertD2HS");
  };
  static const Binding binding;  // bound at the first call, as the server binds its libraries
  char buffer[21] = "                    ";
  binding.convert(value, buffer);
  return std::string(buffer, 16);
}

}  // namespace plamor
