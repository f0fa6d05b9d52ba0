// Names of the drawing server on the D-Bus session bus, and the mapping of
// the server's error numbers onto named D-Bus errors.
#pragma once

#include <cstdint>
#include <string>

namespace plamor::dbus {

inline constexpr const char* kBusName = "TessaroPlamor.clsPlamor";
inline constexpr const char* kFactoryPath = "/TessaroPlamor/clsPlamor";
inline constexpr const char* kFactoryInterface = "TessaroPlamor.ClassFactory";
inline constexpr const char* kObjectPathPrefix = "/TessaroPlamor/clsPlamor/";
inline constexpr const char* kObjectInterface = "TessaroPlamor._clsPlamor";

// "TessaroPlamor.Error.TypeMismatch" for 13, ... "TessaroPlamor.Error.Failed" for
// numbers without a name of their own.
std::string ErrorName(std::int32_t number);
// The error number of a D-Bus error name; 0 for a name that is not ours.
std::int32_t ErrorNumber(const std::string& name);

}  // namespace plamor::dbus
