// The names of the public enumeration constants with their values, for hosts
// that name them in text (host scripts, the D-Bus introspection notes).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plamor {

struct EnumConstant {
  const char* enumeration;
  const char* name;
  std::int32_t value;
};

// Every constant of every public enumeration, grouped by enumeration.
const EnumConstant* EnumConstantsBegin();
const EnumConstant* EnumConstantsEnd();

// The value of a constant, its name compared without regard to case.
std::optional<std::int32_t> EnumValue(std::string_view name);

}  // namespace plamor
